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

// Called by the loader as the process ends, also when a dialog ends it at once ("Zatrzymaj
// porgram" of the error dialog) and no destructor runs: the run's staging folder goes all the same.
void NTAPI PrzyZakonczeniu(PVOID, DWORD powod, PVOID) {
  if (powod == DLL_PROCESS_DETACH) UsunKatalogTymczasowyPrzerwanegoPrzebiegu();
}

}  // namespace

// The loader calls every callback of the program's TLS directory (.CRT$XLA to .CRT$XLZ).
extern "C" __attribute__((section(".CRT$XLK"), used)) const PIMAGE_TLS_CALLBACK kPrzyZakonczeniu = PrzyZakonczeniu;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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
