#pragma once
// A thin HWND wrapper shared by every window of both programs.
//
// A window derives from Window, registers a window class named after itself (RegisterFormClass)
// and creates its HWND with Create; the static window procedure binds `this` on WM_NCCREATE and
// turns messages into typed handlers (OnCommand, OnTimer, OnPaint...). Child controls are plain
// system controls created with CreateChild, carrying their component name ("cmdOk",
// "labTresc") both as a control id and as a name that tests can read (ControlName). Dialog-like
// forms build on win::Form (common/win32/Form.h).
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace win {

// UTF-8 <-> UTF-16 at the Win32 boundary.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length);

// Window text of any window of this process (GetWindowTextW), as UTF-8.
std::string GetText(HWND hwnd);
void SetText(HWND hwnd, const std::string& utf8);

HINSTANCE Instance();

// Pixels per logical inch of the screen (96 at 100 %).
int ScreenDpi();
// value * dpi / 96, to the nearest integer (design sizes are given at 96 dpi).
int Scale(int value, int dpi);

// A font of a face and point size, with a style; the caller owns it (DeleteObject).
HFONT CreateFontPt(const wchar_t* face, int points, bool bold = false, bool italic = false, bool underline = false,
                   int dpi = 0);
void SetFont(HWND hwnd, HFONT font, bool redraw = false);

// Centre a top-level window on the work area of the monitor that has the mouse pointer (the
// primary one when the system cannot tell), so that a window opened from a hotkey or a reminder
// shows where the person is looking.
void CenterOnScreen(HWND hwnd);
// Brings a window of this thread to the foreground also when another program has the keyboard
// (a window opened by a global hotkey): the input of the foreground thread is shared meanwhile.
void BringToForeground(HWND hwnd);
// Resize a top-level window so that its client area has the given size (keeps its position).
void SetClientSize(HWND hwnd, int width, int height);

// Names of child controls. The name is kept in a window property holding a global atom, so a
// test driver can read it from another process too.
void SetControlName(HWND control, const std::string& name);
std::string ControlName(HWND control);
// The push button with the focus shows the default frame, the others lose it (what a dialog
// does for its buttons; the buttons need BS_NOTIFY to report BN_SETFOCUS).
void MarkDefaultButton(HWND focused, const HWND* buttons, size_t count);
// Destroys a child control before its parent goes, releasing its name.
void DestroyControl(HWND control);
// The child (at any depth) with a name, or nullptr.
HWND FindControl(HWND parent, const std::string& name);

// A child control with an id, a name and a UTF-8 caption; gets the parent's font when it has one.
HWND CreateChild(HWND parent, const wchar_t* className, const std::string& name, int id, const std::string& caption,
                 DWORD style, int x, int y, int width, int height, DWORD exStyle = 0);

// A child control's own messages, seen before the control's procedure (keys a list acts on
// itself, its mouse moves): the handler returns true when it used the message up, with its result
// in `result`. The handler goes with the control; setting another replaces it.
using ControlMessageHandler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;
void SetControlMessageHandler(HWND control, ControlMessageHandler handler);
// Inside such a handler: the control's own handling of the message, for a handler that acts after it.
LRESULT ControlDefault(HWND control, UINT msg, WPARAM wp, LPARAM lp);

// A filter that sees every message of the installing thread's loops before it is dispatched,
// the modal loops of ShowModal included (the program's what-is-this help); it returns true when
// it used the message up. An empty function removes it.
void UstawFiltrKomunikatow(std::function<bool(const MSG&)> filtr);
// Runs the filter on a message of a loop; false when there is none or it let the message pass.
bool FiltrujKomunikat(const MSG& msg);

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Hwnd() const { return hwnd_; }

  // Registers a window class for Window-derived objects (idempotent per process).
  static bool RegisterFormClass(const wchar_t* className, UINT style = CS_DBLCLKS,
                                HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                HCURSOR cursor = nullptr);
  // Creates the HWND; this object receives its messages from WM_NCCREATE on.
  HWND Create(const wchar_t* className, const std::string& caption, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND parent = nullptr, int id = 0);
  void Destroy();

  // The window object bound to an HWND of this process, or nullptr.
  static Window* FromHwnd(HWND hwnd);

  // Modal showing: disables the owner (without one, every other enabled window of the thread),
  // shows the window, runs its own message loop until EndModal or destruction, re-enables what
  // it disabled and gives the activation back. Returns the EndModal result (0 when destroyed).
  int ShowModal(HWND owner = nullptr);
  void EndModal(int result);
  bool InModalLoop() const { return modal_; }

  // Controls carry their own handlers: a click (BN_CLICKED, or a menu or accelerator command
  // with that id), or any notification code of a control.
  void SetClickHandler(int id, std::function<void()> handler);
  void SetCommandHandler(int id, std::function<void(int code)> handler);

 protected:
  // Turns the common messages into the typed handlers below; a form overrides it only for a
  // message no typed handler carries, and passes the rest on.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // DefWindowProcW, with the font and dialog navigation every form needs.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

  // Typed handlers. Each returns true when it used the message up; false gives default handling.
  // WM_COMMAND: by default the handlers the controls carry.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnTimer(UINT_PTR id) { return false; }
  // WM_PAINT, between BeginPaint and EndPaint.
  virtual void OnPaint(HDC dc, const RECT& dirty) {}
  // WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP.
  virtual bool OnKey(UINT msg, UINT key, LPARAM flags) { return false; }
  // Buttons, moves and double clicks with the point in client coordinates; WM_MOUSEWHEEL with
  // the screen point, its wheel delta in HIWORD(keys); WM_CAPTURECHANGED with (0, 0).
  virtual bool OnMouse(UINT msg, POINT at, WPARAM keys) { return false; }
  virtual bool OnClose() { return false; }
  virtual void OnSize(int width, int height) {}
  virtual bool OnNotify(NMHDR* n, LRESULT& result) { return false; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& d) { return false; }
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT& m) { return false; }
  // WM_HSCROLL / WM_VSCROLL from a control (a slider, an up-down) or the window's own bars (null).
  virtual bool OnScroll(HWND bar, int code, bool vertical) { return false; }
  // WM_HELP: F1 or the caption's "?".
  virtual bool OnHelp(const HELPINFO& info) { return false; }
  // WM_CTLCOLOR*: a brush for the control's background, or null for the default.
  virtual HBRUSH OnControlColor(HDC dc, HWND control) { return nullptr; }
  virtual void OnShow(bool visible) {}
  // WM_DPICHANGED: the window's monitor has another DPI now (it moved, or the user changed the
  // scale); `suggested` is the rectangle the system proposes at that DPI. A window that handles it
  // takes the rectangle, re-creates its fonts and lays out again.
  virtual bool OnDpiChanged(int dpi, const RECT& suggested) { return false; }
  // Called on WM_NCDESTROY, after which Hwnd() is null.
  virtual void OnDestroyed() {}
  // A message of this window's modal loop (ShowModal) before the dialog keys are looked at:
  // true when the window used it up (keys the dialog keys would take otherwise, Ctrl+Tab).
  virtual bool PreTranslate(const MSG& msg) { return false; }
  // WM_ACTIVATE of a form with buttons: remembers the focused control when the form loses the
  // activation and gives the focus back to it when the form regains it.
  LRESULT KeepFocusOnActivate(WPARAM wp);
  void SetRememberedFocus(HWND control) { focus_ = control; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static void Bind(HWND hwnd, Window* self);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;      // WM_SETFONT/WM_GETFONT of forms (not owned)
  std::map<int, std::function<void(int)>> commands_;
  bool modal_ = false;
  bool modalDone_ = false;
  int modalResult_ = 0;
  HWND focus_ = nullptr;      // control that had the focus when the form was last active
};

}  // namespace win
