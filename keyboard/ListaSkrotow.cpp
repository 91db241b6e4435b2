#include "keyboard/ListaSkrotow.h"

#include <algorithm>

#include "common/Dyskowe.h"
#include "common/Tekstowe.h"
#include "platform/Platform.h"

SkrotFolderu ParsujLinieSkrotu(const std::string& linia) {
  const size_t hash = linia.find('#');
  if (hash == std::string::npos) return {linia, {}};
  return {linia.substr(0, hash), linia.substr(hash + 1)};
}

std::string LiniaSkrotu(const SkrotFolderu& skrot) { return skrot.nazwa + "#" + skrot.folder; }

std::vector<SkrotFolderu> WczytajSkroty(const std::string& plik) {
  std::vector<SkrotFolderu> skroty;
  TStringList linie;
  if (!platform::Fs().FileExists(plik) || !ReadTextLines(plik, linie)) return skroty;
  for (const auto& l : linie) {
    if (TrimBoth(l).empty()) continue;
    SkrotFolderu s = ParsujLinieSkrotu(l);
    // A line of a lone "#" names nothing; saving would drop it, so loading does too.
    if (s.nazwa.empty() && s.folder.empty()) continue;
    skroty.push_back(std::move(s));
  }
  return skroty;
}

bool ZapiszSkroty(const std::string& plik, const std::vector<SkrotFolderu>& skroty) {
  TStringList linie;
  for (const auto& s : skroty)
    if (!s.nazwa.empty() || !s.folder.empty()) linie.push_back(LiniaSkrotu(s));
  return WriteTextLines(plik, linie);
}

std::string EtykietaSkrotu(int pozycja) {
  if (pozycja < 10) return " " + std::to_string(pozycja + 1);
  if (pozycja < 36) return std::string(" ") + static_cast<char>('A' + pozycja - 10);
  return "  ";
}

std::string WpisSkrotu(int pozycja, const std::string& nazwa) { return EtykietaSkrotu(pozycja) + "   " + nazwa; }

int PozycjaDlaKlawisza(int klawisz, int ilosc) {
  int pozycja = -1;
  if (klawisz >= '1' && klawisz <= '9') pozycja = klawisz - '1';
  if (klawisz >= 'A' && klawisz <= 'Z') pozycja = 10 + klawisz - 'A';
  return pozycja >= 0 && pozycja < ilosc ? pozycja : -1;
}

std::string FolderSkrotu(const std::vector<SkrotFolderu>& skroty, int pozycja) {
  if (pozycja < 0 || pozycja >= static_cast<int>(skroty.size())) return {};
  const std::string nazwa = TrimBoth(skroty[pozycja].nazwa);
  for (const auto& s : skroty)
    if (TrimBoth(s.nazwa) == nazwa) return s.folder;
  return {};
}

std::string PolecenieEksploratora(const std::string& folder) { return "Explorer /e,\"" + folder + "\""; }

int WysokoscListySkrotow(int ramka, int naglowek, int ilosc, int wysokoscWpisu, int wysokoscObszaru) {
  const int pelna = 2 * ramka + naglowek + ilosc * wysokoscWpisu + 1;
  if (wysokoscObszaru <= 0 || pelna <= wysokoscObszaru) return pelna;
  // Whole entries only, so the last visible one is not cut.
  const int miejsce = wysokoscObszaru - 2 * ramka - naglowek - 1;
  return 2 * ramka + naglowek + std::max(1, miejsce / wysokoscWpisu) * wysokoscWpisu + 1;
}
