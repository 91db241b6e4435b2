#include "common/win32/Window.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <vector>

#include "common/win32/Win32Dialogs.h"

namespace win {

namespace {

constexpr wchar_t kNameProp[] = L"KalmoControlName";
constexpr wchar_t kSelfProp[] = L"KalmoWindowObject";

struct FindByName {
  std::string name;
  HWND found = nullptr;
};

BOOL CALLBACK FindByNameProc(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<FindByName*>(lp);
  if (ControlName(hwnd) == f->name) {
    f->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ForgetNameProc(HWND hwnd, LPARAM) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(hwnd, kNameProp)));
  if (atom) GlobalDeleteAtom(atom);
  return TRUE;
}

struct Disabler {
  HWND except;
  std::vector<HWND>* list;
};

BOOL CALLBACK DisableThreadWindow(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<Disabler*>(lp);
  if (hwnd != d->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    d->list->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const wchar_t* wide, int length) {
  if (length <= 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Narrow(const std::wstring& wide) { return Narrow(wide.data(), static_cast<int>(wide.size())); }

std::string GetText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring buf(n + 1, L'\0');
  int got = GetWindowTextW(hwnd, buf.data(), n + 1);
  return Narrow(buf.data(), got);
}

void SetText(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, Widen(utf8).c_str()); }

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int Scale(int value, int dpi) { return MulDiv(value, dpi, 96); }

HFONT CreateFontPt(const wchar_t* face, int points, bool bold, bool italic, bool underline, int dpi) {
  if (dpi <= 0) dpi = ScreenDpi();
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(points, dpi, 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

void SetFont(HWND hwnd, HFONT font, bool redraw) {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void BringToForeground(HWND hwnd) {
  HWND fg = GetForegroundWindow();
  const DWORD fgThread = fg ? GetWindowThreadProcessId(fg, nullptr) : 0;
  const DWORD self = GetCurrentThreadId();
  const bool attached = fgThread && fgThread != self && AttachThreadInput(self, fgThread, TRUE);
  SetForegroundWindow(hwnd);
  if (attached) AttachThreadInput(self, fgThread, FALSE);
}

void CenterOnScreen(HWND hwnd) {
  RECT work{}, r{};
  POINT cursor{};
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (GetCursorPos(&cursor) && GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &mi))
    work = mi.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(hwnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = work.left + (work.right - work.left - w) / 2;
  int y = work.top + (work.bottom - work.top - h) / 2;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND hwnd, int width, int height) {
  RECT r{0, 0, width, height};
  DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  AdjustWindowRectEx(&r, style, GetMenu(hwnd) != nullptr, exStyle);
  SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetControlName(HWND control, const std::string& name) {
  ForgetNameProc(control, 0);
  ATOM atom = GlobalAddAtomW(Widen(name).c_str());
  if (atom) SetPropW(control, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void MarkDefaultButton(HWND focused, const HWND* buttons, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    LONG_PTR style = GetWindowLongPtrW(buttons[i], GWL_STYLE);
    LONG_PTR type = style & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) continue;
    LONG_PTR wanted = buttons[i] == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != wanted) SendMessageW(buttons[i], BM_SETSTYLE, (style & ~BS_TYPEMASK) | wanted, TRUE);
  }
}

void DestroyControl(HWND control) {
  EnumChildWindows(control, ForgetNameProc, 0);
  ForgetNameProc(control, 0);
  DestroyWindow(control);
}

std::string ControlName(HWND control) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(control, kNameProp)));
  if (!atom) return {};
  wchar_t buf[256];
  UINT n = GlobalGetAtomNameW(atom, buf, 256);
  return Narrow(buf, static_cast<int>(n));
}

HWND FindControl(HWND parent, const std::string& name) {
  FindByName f{name};
  EnumChildWindows(parent, FindByNameProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

HWND CreateChild(HWND parent, const wchar_t* className, const std::string& name, int id, const std::string& caption,
                 DWORD style, int x, int y, int width, int height, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(exStyle, className, Widen(caption).c_str(), style | WS_CHILD, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  if (!hwnd) return nullptr;
  if (!name.empty()) SetControlName(hwnd, name);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0))) SetFont(hwnd, font);
  return hwnd;
}

// ---------------------------------------------------------------------------------------------

Window::~Window() {
  if (hwnd_) {
    // The derived object is gone: the window dies with default handling, names released here.
    HWND h = hwnd_;
    EnumChildWindows(h, ForgetNameProc, 0);
    ForgetNameProc(h, 0);
    Bind(h, nullptr);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

bool Window::RegisterFormClass(const wchar_t* className, UINT style, HBRUSH background, HCURSOR cursor) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(Instance(), className, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = Instance();
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}

HWND Window::Create(const wchar_t* className, const std::string& caption, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, int id) {
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  CreateWindowExW(exStyle, className, Widen(caption).c_str(), style, x, y, width, height, parent, menu, Instance(),
                  this);
  return hwnd_;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::FromHwnd(HWND hwnd) {
  DWORD pid = 0;
  if (!hwnd || !GetWindowThreadProcessId(hwnd, &pid) || pid != GetCurrentProcessId()) return nullptr;
  return static_cast<Window*>(GetPropW(hwnd, kSelfProp));
}

void Window::Bind(HWND hwnd, Window* self) {
  if (self) {
    SetPropW(hwnd, kSelfProp, self);
    self->hwnd_ = hwnd;
  } else {
    RemovePropW(hwnd, kSelfProp);
  }
}

namespace {

constexpr UINT_PTR kControlHandlerId = 0x4B41;  // the subclass of SetControlMessageHandler
constexpr wchar_t kHandlerProp[] = L"KalmoControlHandler";
// Shared, so that a handler whose message destroys its control outlives its own call.
using KeptHandler = std::shared_ptr<ControlMessageHandler>;

LRESULT CALLBACK ControlHandlerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* kept = reinterpret_cast<KeptHandler*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ControlHandlerProc, kControlHandlerId);
    RemovePropW(hwnd, kHandlerProp);
    delete kept;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  const KeptHandler handler = *kept;
  LRESULT result = 0;
  if ((*handler)(msg, wp, lp, result)) return result;
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void SetControlMessageHandler(HWND control, ControlMessageHandler handler) {
  if (auto* previous = static_cast<KeptHandler*>(GetPropW(control, kHandlerProp))) {
    RemoveWindowSubclass(control, ControlHandlerProc, kControlHandlerId);
    RemovePropW(control, kHandlerProp);
    delete previous;
  }
  if (!handler) return;
  auto* kept = new KeptHandler(std::make_shared<ControlMessageHandler>(std::move(handler)));
  if (!SetWindowSubclass(control, ControlHandlerProc, kControlHandlerId, reinterpret_cast<DWORD_PTR>(kept))) {
    delete kept;
    return;
  }
  SetPropW(control, kHandlerProp, kept);
}

LRESULT ControlDefault(HWND control, UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(control, msg, wp, lp); }

namespace {
std::function<bool(const MSG&)> filtrKomunikatow;
DWORD watekFiltru = 0;
}  // namespace

void UstawFiltrKomunikatow(std::function<bool(const MSG&)> filtr) {
  filtrKomunikatow = std::move(filtr);
  watekFiltru = GetCurrentThreadId();
}

bool FiltrujKomunikat(const MSG& msg) {
  return filtrKomunikatow && watekFiltru == GetCurrentThreadId() && filtrKomunikatow(msg);
}

int Window::ShowModal(HWND owner) {
  if (!hwnd_) return 0;
  HWND self = hwnd_;
  std::vector<HWND> disabled;
  if (owner) {
    if (IsWindowEnabled(owner)) {
      EnableWindow(owner, FALSE);
      disabled.push_back(owner);
    }
  } else {
    Disabler d{self, &disabled};
    EnumThreadWindows(GetCurrentThreadId(), DisableThreadWindow, reinterpret_cast<LPARAM>(&d));
  }
  HWND previousActive = GetActiveWindow();

  modal_ = true;
  modalDone_ = false;
  modalResult_ = 0;
  ShowWindow(self, SW_SHOW);
  SetForegroundWindow(self);

  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!modalDone_ && IsWindow(self)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (got == -1) break;
    if (FiltrujKomunikat(msg)) continue;
    if (PreTranslate(msg)) continue;
    if (!IsDialogMessageW(self, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  int result = modalResult_;  // 0 when the window went without EndModal
  modal_ = false;

  // Re-enable before hiding, so that the activation goes back to the owner and not elsewhere.
  for (auto it = disabled.rbegin(); it != disabled.rend(); ++it)
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  if (IsWindow(self)) ShowWindow(self, SW_HIDE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  else if (previousActive && previousActive != self && IsWindow(previousActive)) SetActiveWindow(previousActive);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

void Window::EndModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
  // Wake the loop even when this was called from outside a message handler.
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Window::SetClickHandler(int id, std::function<void()> handler) {
  if (!handler) {
    commands_.erase(id);
    return;
  }
  commands_[id] = [h = std::move(handler)](int code) {
    if (code == BN_CLICKED) h();
  };
}

void Window::SetCommandHandler(int id, std::function<void(int code)> handler) {
  if (handler) commands_[id] = std::move(handler);
  else commands_.erase(id);
}

bool Window::OnCommand(int id, int code, HWND) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  // The handler may replace itself or close the form: call a copy.
  const auto handler = it->second;
  handler(code);
  return true;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
      break;
    case WM_TIMER:
      if (OnTimer(wp)) return 0;
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      OnPaint(dc, ps.rcPaint);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (OnKey(msg, static_cast<UINT>(wp), lp)) return 0;
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      if (OnMouse(msg, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}, wp)) return 0;
      break;
    case WM_CAPTURECHANGED:
      if (OnMouse(msg, POINT{0, 0}, 0)) return 0;
      break;
    case WM_CLOSE:
      if (OnClose()) return 0;
      break;
    case WM_SIZE:
      OnSize(LOWORD(lp), HIWORD(lp));
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(reinterpret_cast<NMHDR*>(lp), result)) return result;
      break;
    }
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (OnScroll(reinterpret_cast<HWND>(lp), LOWORD(wp), msg == WM_VSCROLL)) return 0;
      break;
    case WM_HELP:
      if (OnHelp(*reinterpret_cast<const HELPINFO*>(lp))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
      if (HBRUSH b = OnControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
        return reinterpret_cast<LRESULT>(b);
      break;
    case WM_SHOWWINDOW:
      OnShow(wp != 0);
      break;
    case WM_DPICHANGED:
      if (lp && OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp))) return 0;
      break;
  }
  return Default(msg, wp, lp);
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETFONT) font_ = reinterpret_cast<HFONT>(wp);
  if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
  if (msg == WM_NEXTDLGCTL) {
    // IsDialogMessage asks for this on Tab; only template dialogs would handle it by default.
    HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(hwnd_, GetFocus(), wp != 0);
    if (next) {
      SetFocus(next);
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    }
    return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    // The last line of defence: what escapes a handler is shown, like an unhandled exception
    // in the event loop, and the program goes on.
    ShowUnhandledException(e.what());
  } catch (...) {
    ShowUnhandledException("Nieznany wyjątek");
  }
  return 0;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) Bind(hwnd, self);
  } else {
    self = static_cast<Window*>(GetPropW(hwnd, kSelfProp));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_DESTROY) EnumChildWindows(hwnd, ForgetNameProc, 0);  // children still exist here
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->Dispatch(msg, wp, lp);
    ForgetNameProc(hwnd, 0);
    Bind(hwnd, nullptr);
    self->hwnd_ = nullptr;
    if (self->modal_) self->modalDone_ = true;
    self->OnDestroyed();
    return r;
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT Window::KeepFocusOnActivate(WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    HWND f = GetFocus();
    if (f && IsChild(hwnd_, f)) focus_ = f;
  } else if (focus_) {
    SetFocus(focus_);
  }
  return 0;
}

}  // namespace win
