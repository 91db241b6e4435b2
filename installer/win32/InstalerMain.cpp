// Instaler's entry: the real platform and dialogs, then either the unattended mode (no window at
// all) or the main window, which decides between the install run and the uninstaller. Every mode
// ends the process.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "common/Komunika.h"
#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "installer/Cicho.h"
#include "installer/Instal.h"
#include "installer/win32/Glowny.h"
#include "installer/win32/SrodowiskoCiche.h"
#include "platform/win32/Win32Platform.h"

namespace {

// The process may end from inside a dialog ("Zatrzymaj porgram" of the error dialog calls
// ExitProcess), when no destructor runs; the run's staging folder goes all the same. Windows
// calls the program's TLS callbacks as the process ends; Wine does not, but both call the fiber
// storage callback of the ending thread. Whichever comes first removes it; the other finds
// nothing left.
void NTAPI PrzyZakonczeniu(PVOID, DWORD powod, PVOID) {
  if (powod == DLL_PROCESS_DETACH) UsunKatalogTymczasowyPrzerwanegoPrzebiegu();
}

void WINAPI PrzyKoncuWatku(PVOID) { UsunKatalogTymczasowyPrzerwanegoPrzebiegu(); }

}  // namespace

// The loader calls every callback of the program's TLS directory (.CRT$XLA to .CRT$XLZ).
extern "C" __attribute__((section(".CRT$XLK"), used)) const PIMAGE_TLS_CALLBACK kPrzyZakonczeniu = PrzyZakonczeniu;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const DWORD fls = FlsAlloc(PrzyKoncuWatku);
  if (fls != FLS_OUT_OF_INDEXES) FlsSetValue(fls, reinterpret_cast<PVOID>(1));
  platform::Install(platform::win32::RealServices(&RealDialogs()));
  SetApplicationTitle("Instaluj");

  std::vector<std::string> parametry;
  int argc = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 1; i < argc; ++i) parametry.push_back(win::Narrow(argv[i]));
    LocalFree(argv);
  }
  const ParametryCiche cicho = CzytajParametryCiche(parametry);
  if (cicho.cicho) {
    TSrodowiskoCiche srodowisko;
    return UruchomCicho(cicho, srodowisko);
  }
  if (!cicho.blad.empty() && cicho.pozostale.size() != parametry.size()) {
    Komunikat(cicho.blad, rkStop);
    return wiNiepowodzenie;
  }

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  TfrmGlowna glowna;
  return glowna.Uruchom(parametry);
}
