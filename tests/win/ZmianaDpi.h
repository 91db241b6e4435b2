#pragma once
// A window moved to a monitor of another DPI, as the system tells it (WM_DPICHANGED, sent from
// inside the process: Wine never sends it), and what the tests read back.
#include <windows.h>

namespace wintest {

// Sends WM_DPICHANGED for `dpi` proposing the window's rectangle grown from `staraDpi` around its
// corner; the proposal is returned.
inline RECT ZmienDpi(HWND h, int staraDpi, int dpi) {
  RECT r{};
  GetWindowRect(h, &r);
  RECT propozycja{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, staraDpi),
                  r.top + MulDiv(r.bottom - r.top, dpi, staraDpi)};
  SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&propozycja));
  return propozycja;
}

inline RECT Prostokat(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

// The height in pixels of the font a control draws with.
inline int WysokoscCzcionki(HWND h) {
  LOGFONTW lf{};
  HFONT f = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
  if (!f || !GetObjectW(f, sizeof lf, &lf)) return 0;
  return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
}

inline int Szerokosc(HWND h) {
  const RECT r = Prostokat(h);
  return r.right - r.left;
}

}  // namespace wintest
