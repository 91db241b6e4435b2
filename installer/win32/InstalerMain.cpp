// Instaler's entry: the real platform and dialogs, then the main window decides between the
// install run and the uninstaller. Both end the process.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "installer/win32/Glowny.h"
#include "platform/win32/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  platform::Install(platform::win32::RealServices(&RealDialogs()));
  SetApplicationTitle("Instaluj");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);

  std::vector<std::string> parametry;
  int argc = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 1; i < argc; ++i) parametry.push_back(win::Narrow(argv[i]));
    LocalFree(argv);
  }
  TfrmGlowna glowna;
  return glowna.Uruchom(parametry);
}
