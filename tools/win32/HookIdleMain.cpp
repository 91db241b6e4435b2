// HookIdle.exe: a minimal host of Hook.dll for measuring what tracking costs while nothing
// happens. It switches tracking on for a hidden window, pumps messages for the given number of
// seconds (default 30), switches tracking off and ends. Prints "ready" once tracking is on.
// With "off" it only pumps messages, for a baseline of what Wine costs without the library.
//
//   HookIdle [seconds] [on|off] [any marker words, ignored]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "keyboard/win32/ImportLibKeyHook.h"
#include "settings/Komunikaty.h"

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  unsigned seconds = argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 30;
  const bool tracking = !(argc > 2 && std::wcscmp(argv[2], L"off") == 0);
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window || (tracking && !WlaczSledzenieKlawiatury(window))) {
    std::fprintf(stderr, "HookIdle: tracking could not be switched on\n");
    return 1;
  }
  if (tracking) DodajGoracyKlawisz(0x6050);
  std::printf("ready\n");
  std::fflush(stdout);
  SetTimer(window, 1, seconds * 1000, nullptr);
  MSG m;
  unsigned screenSaverReports = 0;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER && m.hwnd == window) break;
    if (m.message == WM_SCREENSAVER_STATE) ++screenSaverReports;
    DispatchMessageW(&m);
  }
  if (tracking) WylaczSledzenieKlawiatury();
  std::printf("done, screen-saver reports: %u\n", screenSaverReports);
  return 0;
}
