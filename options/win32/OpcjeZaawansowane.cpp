#include "options/win32/OpcjeZaawansowane.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

namespace {
constexpr wchar_t kKlasa[] = L"TfrmOpcjeZaawansowane";
constexpr int kSzerokosc = 470, kWysokosc = 366;
}  // namespace

TfrmOpcjeZaawansowane::TfrmOpcjeZaawansowane(HWND wlasciciel, const UstawieniaKalmo& szkic, Zapis zapisz)
    : wlasciciel_(wlasciciel), limity_(szkic.limity), zapisz_(std::move(zapisz)),
      poczatkowe_(PolozeniaZaawansowaneZUstawien(szkic)) {
  const LimitsRecord& limity = szkic.limity;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.face = L"Tahoma";
  if (!CreateForm(kKlasa, "Opcje zaawansowane", kSzerokosc, kWysokosc, wlasciciel, styl)) return;
  AddLabel("labMonitorowanie", "Częstotliwość monitorowania:", {12, 10, 200, 15});
  // The stored frequency as it is (10 s shows as such, though the slider stands at 8).
  labCzestotliwosc_ = AddLabel("labCzestotliwoscMonitorowania", TekstCzestotliwosci(limity.CzestotliwoscMonitorowania),
                               {212, 10, 240, 15});
  suwMonitorowanie_ = AddSlider("suwCzestotliwoscMonitorowania", {8, 28, 400, 28}, 0, kMaxPozycjaMonitorowania);
  suwMonitorowanie_.SetPosition(poczatkowe_.monitorowanie);
  std::vector<std::pair<int, std::string>> sekundy;
  for (int p = 0; p <= kMaxPozycjaMonitorowania; ++p)
    sekundy.push_back({p, std::to_string(SekundyMonitorowania(p)) + (p == kMaxPozycjaMonitorowania ? " sek." : "")});
  AddSliderLabels(suwMonitorowanie_, 58, sekundy);
  AddLabel("labZapisywanie", "Częstotliwość zapisywania:", {12, 86, 300, 15});
  suwZapisywanie_ = AddSlider("suwCzestotliwoscZapisywania", {8, 104, 400, 28}, kMinPozycjaZapisywania,
                              kMaxPozycjaZapisywania);
  suwZapisywanie_.SetPosition(poczatkowe_.zapisywanie);
  std::vector<std::pair<int, std::string>> minuty;
  for (int p = kMinPozycjaZapisywania; p <= kMaxPozycjaZapisywania; ++p)
    minuty.push_back({p, std::to_string(p) + (p == kMaxPozycjaZapisywania ? " min." : "")});
  AddSliderLabels(suwZapisywanie_, 134, minuty);
  AddLabel("labGodzinaPrzelaczenia", "Godzina nad ranem, po której następuje przełączenia na następny dzień",
           {12, 166, 370, 30});
  spnGodzina_ = AddSpinBox("spnGodzinaPrzelaczenia", {396, 168, 56, 21}, kMinGodzinaPrzelaczenia,
                           kMaxGodzinaPrzelaczenia, poczatkowe_.godzina);
  AddLabel("labPrzerwaAwaryjna",
           "Maksymalna przerwa  (w minutach) w pracy komputera (wynikła np. z zawieszenia systemu), która nie "
           "powoduje wyzerowania liczonego czasu nieprzerwanej pracy",
           {12, 206, 370, 44});
  spnPrzerwa_ = AddSpinBox("spnPrzerwaAwaryjna", {396, 212, 56, 21}, kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna,
                           poczatkowe_.przerwaMinuty);
  AddLabel("labBezczynnosc", "Przerwa po czasie bez użycia klawiatury i myszy", {12, 264, 370, 15});
  cmbBezczynnosc_ = AddComboBox("cmbCzasBezczynnosci", {366, 260, 86, 200}, CBS_DROPDOWNLIST);
  for (int p = 0; p <= kMaxMinutBezczynnosci; ++p) cmbBezczynnosc_.Add(TekstBezczynnosci(p));
  cmbBezczynnosc_.Select(poczatkowe_.bezczynnosc);
  AddLine({8, 310, kSzerokosc - 16, 2});
  AddButton("cmdOk", "OK", {kSzerokosc - 188, 324, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {kSzerokosc - 96, 324, 84, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
}

PolozeniaZaawansowane TfrmOpcjeZaawansowane::Polozenia() const {
  return {suwMonitorowanie_.Position(), suwZapisywanie_.Position(),
          spnGodzina_.Value(kMinGodzinaPrzelaczenia, kMaxGodzinaPrzelaczenia, poczatkowe_.godzina),
          spnPrzerwa_.Value(kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna, poczatkowe_.przerwaMinuty),
          std::max(0, cmbBezczynnosc_.Selected())};
}

bool TfrmOpcjeZaawansowane::OnScroll(HWND bar, int, bool) {
  if (bar != suwMonitorowanie_.Hwnd()) return false;
  const int p = suwMonitorowanie_.Position();
  labCzestotliwosc_.SetText(TekstCzestotliwosci(p == poczatkowe_.monitorowanie ? limity_.CzestotliwoscMonitorowania
                                                                                : SekundyMonitorowania(p)));
  return true;
}

int TfrmOpcjeZaawansowane::Pokaz() {
  return RunModal(wlasciciel_, suwMonitorowanie_.Hwnd()) == IDOK ? IDOK : IDCANCEL;
}

void TfrmOpcjeZaawansowane::cmdOkClick() {
  if (zapisz_ && !zapisz_(poczatkowe_, Polozenia())) return;
  EndModal(IDOK);
}

void TfrmOpcjeZaawansowane::cmdAnulujClick() { EndModal(IDCANCEL); }

bool TfrmOpcjeZaawansowane::OnClose() {
  cmdAnulujClick();
  return true;
}
