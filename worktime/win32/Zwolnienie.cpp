#include "worktime/win32/Zwolnienie.h"

#include <vector>

#include "settings/Komunikaty.h"

void WyslijZwolnienie(HWND glowne, int kodOkna) {
  if (glowne) PostMessageW(glowne, WM_FREE_FORM, 0, kodOkna);
}

int CofnijZwolnienie(HWND glowne, int kodOkna) {
  if (!glowne || GetWindowThreadProcessId(glowne, nullptr) != GetCurrentThreadId()) return 0;
  std::vector<MSG> inne;
  int usuniete = 0;
  MSG m;
  while (PeekMessageW(&m, glowne, WM_FREE_FORM, WM_FREE_FORM, PM_REMOVE | PM_NOYIELD)) {
    if ((m.lParam & 0xFF) == kodOkna) ++usuniete;
    else inne.push_back(m);
  }
  for (const MSG& o : inne) PostMessageW(glowne, o.message, o.wParam, o.lParam);
  return usuniete;
}
