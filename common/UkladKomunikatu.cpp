#include "common/UkladKomunikatu.h"

#include <cmath>

namespace {
int32_t Razy(double f, int32_t v) { return static_cast<int32_t>(std::lround(f * v)); }
}  // namespace

WysokosciKomunikatu DopasujWysokosc(int32_t h, double f) {
  WysokosciKomunikatu w;
  if (h <= 65) return w;  // fits the design size
  w.projektowe = false;
  if (h < kWysokoscMaksymalna) {
    w.pisak = Razy(f, h);
    w.ramka = Razy(f, h + 24);
    w.okno = Razy(f, h + 67);
  } else {
    // Capped: the text is clipped to this height.
    w.pisak = kWysokoscMaksymalna;
    w.ramka = Razy(f, 24) + kWysokoscMaksymalna;
    w.okno = Razy(f, 67) + kWysokoscMaksymalna;
  }
  return w;
}

std::string StronaObrazka(platform::RodzajKomunikatu kind) {
  switch (kind) {
    case platform::rkInformacja: return "Informacja";
    case platform::rkPytanie: return "Pytanie";
    case platform::rkOstrzezenie: return "Ostrzezenie";
    case platform::rkStop: return "Stop";
  }
  return "Informacja";  // a kind out of range shows the information picture
}

std::string StronaKlawiszy(platform::ButtonPage page) {
  switch (page) {
    case platform::ButtonPage::Pytanie: return "Pytanie";
    case platform::ButtonPage::Informacja: return "Informacja";
    case platform::ButtonPage::Ostrzezenie: return "Ostrzezenie";
    case platform::ButtonPage::Stop: return "Stop";
    case platform::ButtonPage::InformacjaH: return "InformacjaH";
  }
  return "Stop";
}

std::vector<KlawiszKomunikatu> KlawiszeStrony(platform::ButtonPage page) {
  using namespace platform;
  switch (page) {
    case ButtonPage::Pytanie: return {{"cmdTak", "Tak", okTak, true}, {"cmdNie", "Nie", okNie, true}};
    case ButtonPage::Ostrzezenie: return {{"cmdOk", "Ok", okOk, true}, {"cmdAnuluj", "Anuluj", okAnuluj, true}};
    case ButtonPage::InformacjaH: return {{"cmdOk", "Ok", okOk, true}, {"cmdPomoc", "Pomoc", okOk, false}};
    case ButtonPage::Informacja:
    case ButtonPage::Stop: break;
  }
  return {{"cmdOk", "Ok", okOk, true}};
}
