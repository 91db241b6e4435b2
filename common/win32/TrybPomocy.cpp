#include "common/win32/TrybPomocy.h"

namespace win {

bool TrybPomocy::Filtruj(const MSG& msg) {
  if (msg.message == WM_NCLBUTTONDOWN && msg.wParam == HTHELP) {
    forma_ = GetAncestor(msg.hwnd, GA_ROOT);
    SetCapture(forma_);
    SetCursor(LoadCursorW(nullptr, IDC_HELP));
    return true;
  }
  if (!forma_) return false;
  if (!IsWindow(forma_) || GetCapture() != forma_) {  // the capture went elsewhere: the mode is over
    Zakoncz();
    return false;
  }
  switch (msg.message) {
    case WM_MOUSEMOVE:
      SetCursor(LoadCursorW(nullptr, IDC_HELP));
      return true;
    case WM_LBUTTONDOWN: {
      const HWND forma = forma_;
      Zakoncz();
      RECT r{};
      GetWindowRect(forma, &r);
      if (!PtInRect(&r, msg.pt)) return false;  // a click elsewhere only ends the mode
      if (pokazPomoc_) pokazPomoc_(KontrolkaPod(forma, msg.pt));
      return true;
    }
    case WM_LBUTTONUP:
      return true;
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Zakoncz();
      return msg.message != WM_SYSKEYDOWN && (msg.message != WM_KEYDOWN || msg.wParam == VK_ESCAPE);
    default:
      return false;
  }
}

void TrybPomocy::Zakoncz() {
  const HWND forma = forma_;
  forma_ = nullptr;
  if (forma && GetCapture() == forma) ReleaseCapture();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

HWND TrybPomocy::KontrolkaPod(HWND forma, POINT ekran) {
  // The deepest visible child under the point, disabled ones included (they get no mouse messages).
  HWND pod = forma;
  for (;;) {
    POINT p = ekran;
    ScreenToClient(pod, &p);
    HWND glebiej = ChildWindowFromPointEx(pod, p, CWP_SKIPINVISIBLE);
    if (!glebiej || glebiej == pod) return pod;
    pod = glebiej;
  }
}

}  // namespace win
