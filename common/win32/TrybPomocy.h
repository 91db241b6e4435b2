#pragma once
// What-is-this help: a click on the caption's "?" button starts the mode (the help pointer, the
// mouse captured by that form), and the next click on the form asks for the help of the control
// under it. Anything else ends the mode without help: a click elsewhere (which then goes on as
// usual), Esc or another key, a right click, the capture taken by someone else. The program's
// message loops run the filter before dispatching (win::UstawFiltrKomunikatow), so it works in
// modal dialogs too; the system's own help loop is never entered.
#include <windows.h>

#include <functional>

namespace win {

class TrybPomocy {
 public:
  // Called with the control (disabled ones included) under the click.
  explicit TrybPomocy(std::function<void(HWND control)> pokazPomoc) : pokazPomoc_(std::move(pokazPomoc)) {}
  // True when the message was used up.
  bool Filtruj(const MSG& msg);
  bool Aktywny() const { return forma_ != nullptr; }

 private:
  void Zakoncz();
  static HWND KontrolkaPod(HWND forma, POINT ekran);

  std::function<void(HWND)> pokazPomoc_;
  HWND forma_ = nullptr;  // the form whose "?" was pressed, while the mode lasts
};

}  // namespace win
