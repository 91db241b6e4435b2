// ErrorDialog.exe <place> <text>: shows the error dialog once, for tests that drive it from
// another process. Ends with exit code 1 when the user continued (control came back here);
// "Zatrzymaj porgram" ends it with 0 inside the dialog.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "common/Komunika.h"
#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "platform/memory/Memory.h"

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string place = argc > 1 ? win::Narrow(argv[1]) : "U:ErrorDialog F:main";
  std::string text = argc > 2 ? win::Narrow(argv[2]) : "Błąd";
  platform::memory::TestPlatform fake;
  platform::Services services = platform::Current();
  services.dialogs = &RealDialogs();
  platform::Install(services);
  PokazBlad(place, text);
  return 1;
}
