#include "options/Pomoc.h"

#include "platform/Platform.h"

namespace {

struct StronaKontekstu {
  int kontekst;
  const char* plik;
};
constexpr StronaKontekstu kStrony[] = {
    {1, kSpisPomocy},
    // Statistics window, pages 0 to 3.
    {5, "Pomoc_statystyka_dni.htm"},
    {6, "Pomoc_statystyka_grafik.htm"},
    {7, "Pomoc_statystyka_miesiecznie.htm"},
    {8, "Pomoc_statystyka_dokumenty.htm"},
    // Options dialog.
    {26, "Pomoc_intensywnosc.htm"},
    {24, "Pomoc_ostrzeganie.htm"},
    {25, "Pomoc_przypominanie.htm"},
    {9, "Pomoc_klawiatura.htm"},
    {10, "Pomoc_schowek.htm"},
    {11, "Pomoc_pliki_tymczasowe.htm"},
    {20, "Pomoc_skroty.htm"},
    {21, "Pomoc_modem.htm"},
};

}  // namespace

std::string StronaPomocy(int kontekst) {
  for (const StronaKontekstu& s : kStrony)
    if (s.kontekst == kontekst) return s.plik;
  return kSpisPomocy;
}

bool PomocDostepna(const std::string& folder) { return platform::Fs().FileExists(SciezkaPomocy(folder, 1)); }

std::string SciezkaPomocy(const std::string& folder, int kontekst) {
  return platform::JoinPath(folder, StronaPomocy(kontekst));
}
