#include "settings/Pomoc.h"

#include "platform/Platform.h"

namespace {

struct StronaKontekstu {
  int kontekst;
  const char* plik;
};
constexpr StronaKontekstu kStrony[] = {
    {1, kSpisPomocy},
    // Statistics window, pages 0 to 3.
    {5, "StatDni.htm"},
    {6, "StatGraf.htm"},
    {7, "StatMies.htm"},
    {8, "StatDok.htm"},
    // Options dialog.
    {26, "OpcjInt.htm"},
    {24, "OpcjOstr.htm"},
    {25, "OpcjPrzy.htm"},
    {9, "OpcjKlaw.htm"},
    {10, "OpcjSchw.htm"},
    {11, "OpcjPlik.htm"},
    {20, "OpcjSkrt.htm"},
    {21, "OpcjMod.htm"},
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
