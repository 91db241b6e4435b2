#include "options/OpcjeZaawansowane.h"

#include <algorithm>

int PozycjaMonitorowania(int32_t sekundy) {
  int p = 0;
  while (p < kMaxPozycjaMonitorowania && (int64_t{1} << (p + 1)) <= sekundy) ++p;
  return p;
}

int32_t SekundyMonitorowania(int pozycja) { return int32_t{1} << std::clamp(pozycja, 0, kMaxPozycjaMonitorowania); }

int PozycjaZapisywania(int32_t sekundy) {
  return std::clamp(static_cast<int>(sekundy / 60), kMinPozycjaZapisywania, kMaxPozycjaZapisywania);
}

std::string TekstCzestotliwosci(int32_t s) {
  std::string tekst;
  if (s >= 60) {
    tekst = std::to_string(s / 60) + " min. ";
    s %= 60;
  }
  return tekst + std::to_string(s) + " sek.";
}

int PozycjaBezczynnosci(int32_t sekundy) {
  if (sekundy <= 0) return 0;
  return std::clamp(static_cast<int>(sekundy / 60), 1, kMaxMinutBezczynnosci);
}

std::string TekstBezczynnosci(int pozycja) { return pozycja <= 0 ? "wyłączone" : std::to_string(pozycja) + " min."; }

PolozeniaZaawansowane PolozeniaZaawansowaneZUstawien(const UstawieniaKalmo& u) {
  const LimitsRecord& l = u.limity;
  return {PozycjaMonitorowania(l.CzestotliwoscMonitorowania), PozycjaZapisywania(l.CzestotliwoscZapisywania),
          std::clamp(static_cast<int>(l.GodzinaPrzelaczenia), kMinGodzinaPrzelaczenia, kMaxGodzinaPrzelaczenia),
          std::clamp(static_cast<int>(l.PrzerwaAwaryjna / 60), kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna),
          PozycjaBezczynnosci(u.czasBezczynnosci)};
}

void ZastosujZaawansowane(UstawieniaKalmo& u, const PolozeniaZaawansowane& p, const PolozeniaZaawansowane& t) {
  LimitsRecord& l = u.limity;
  if (t.monitorowanie != p.monitorowanie) l.CzestotliwoscMonitorowania = SekundyMonitorowania(t.monitorowanie);
  if (t.zapisywanie != p.zapisywanie)
    l.CzestotliwoscZapisywania = std::clamp(t.zapisywanie, kMinPozycjaZapisywania, kMaxPozycjaZapisywania) * 60;
  if (t.godzina != p.godzina)
    l.GodzinaPrzelaczenia = std::clamp(t.godzina, kMinGodzinaPrzelaczenia, kMaxGodzinaPrzelaczenia);
  if (t.przerwaMinuty != p.przerwaMinuty)
    l.PrzerwaAwaryjna = std::clamp(t.przerwaMinuty, kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna) * 60;
  if (t.bezczynnosc != p.bezczynnosc) u.czasBezczynnosci = std::clamp(t.bezczynnosc, 0, kMaxMinutBezczynnosci) * 60;
}
