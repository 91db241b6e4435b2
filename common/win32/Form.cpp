#include "common/win32/Form.h"

#include <commctrl.h>

#include <map>
#include <tuple>
#include <vector>

namespace win {

int DpiOf(HWND hwnd) {
  // Windows 10 1607 and later; looked up so that older systems run on the screen's DPI.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (hwnd && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

HFONT FormFont(const wchar_t* face, int points, int dpi, bool bold) { return FormFont(face, points, dpi, bold, 0); }

namespace {

using FontKey = std::tuple<std::wstring, int, int, bool, int>;  // face, points, dpi, bold, angle

std::map<FontKey, HFONT>& Fonts() {
  static std::map<FontKey, HFONT> fonts;
  return fonts;
}

// Which key made a font, so that a form at another DPI finds the same font there.
std::map<HFONT, FontKey>& FontKeys() {
  static std::map<HFONT, FontKey> keys;
  return keys;
}

}  // namespace

HFONT FormFontAtDpi(HFONT font, int dpi) {
  const auto it = FontKeys().find(font);
  if (it == FontKeys().end()) return nullptr;
  const auto& [face, points, old, bold, angle] = it->second;
  const std::wstring f = face;  // the map may grow below
  return FormFont(f.c_str(), points, dpi, bold, angle);
}

HFONT FormFont(const wchar_t* face, int points, int dpi, bool bold, int angle) {
  const FontKey key{face, points, dpi, bold, angle};
  HFONT& font = Fonts()[key];
  if (font) return font;
  if (angle == 0) {
    font = CreateFontPt(face, points, bold, false, false, dpi);
  } else {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfEscapement = lf.lfOrientation = angle;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    font = CreateFontIndirectW(&lf);
  }
  if (font) FontKeys()[font] = key;
  return font;
}

void CenterOnMonitor(HWND hwnd, HWND beside) {
  HMONITOR monitor = nullptr;
  if (beside && IsWindowVisible(beside)) {
    monitor = MonitorFromWindow(beside, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT cursor{};
    GetCursorPos(&cursor);
    monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
  }
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(monitor, &mi)) {
    CenterOnScreen(hwnd);
    return;
  }
  const RECT& work = mi.rcWork;
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  int x = work.left + (work.right - work.left - w) / 2;
  int y = work.top + (work.bottom - work.top - h) / 2;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Form::Font() const { return FormFont(face_, points_, dpi_); }

HFONT Form::BoldFont(int points) const { return FormFont(face_, points, dpi_, true); }

bool Form::CreateForm(const wchar_t* className, const std::string& caption, int width, int height, HWND owner,
                      const FormStyle& style) {
  if (!RegisterFormClass(className)) return false;
  face_ = style.face;
  points_ = style.points;
  const DWORD ws = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (style.closeBox ? WS_SYSMENU : 0) |
                   (style.resizable ? WS_THICKFRAME | (style.maximizeBox ? WS_MAXIMIZEBOX : 0) : 0) |
                   style.extraStyle;
  const DWORD ex = WS_EX_CONTROLPARENT | (style.resizable || !style.dialogFrame ? 0 : WS_EX_DLGMODALFRAME) |
                   (style.contextHelp ? WS_EX_CONTEXTHELP : 0) | style.extraExStyle;
  if (!Create(className, caption, ws, ex, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner)) return false;
  dpi_ = DpiOf(Hwnd());
  SetFont(Hwnd(), Font());
  SetClientSize(Hwnd(), S(width), S(height));
  CenterOnMonitor(Hwnd(), owner);
  return true;
}

bool Form::CreatePage(const wchar_t* className, HWND parent, const RECT& area, const std::string& name) {
  if (!RegisterFormClass(className, 0)) return false;
  if (const Form* owner = dynamic_cast<const Form*>(Window::FromHwnd(parent))) {
    face_ = owner->face_;
    points_ = owner->points_;
  }
  if (!Create(className, name, WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, area.left, area.top,
              area.right - area.left, area.bottom - area.top, parent))
    return false;
  dpi_ = DpiOf(Hwnd());
  SetFont(Hwnd(), Font());
  return true;
}

int Form::RunModal(HWND owner, HWND focus) {
  if (!Hwnd()) return 0;
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (focus) SetFocus(focus);
  return ShowModal(owner);
}

Control Form::AddControl(const wchar_t* className, const std::string& name, const std::string& text, Box at,
                         DWORD style, DWORD exStyle, int id) {
  HWND h = CreateChild(Hwnd(), className, name, id ? id : NewId(), text, style, S(at.x), S(at.y), S(at.width),
                       S(at.height), exStyle);
  if (h) boxes_[h] = at;
  return Control(h);
}

Control Form::AddLabel(const std::string& name, const std::string& text, Box at, DWORD style) {
  return AddControl(L"STATIC", name, text, at, WS_VISIBLE | SS_NOPREFIX | style);
}

Button Form::AddButton(const std::string& name, const std::string& text, Box at, std::function<void()> onClick, int id,
                       bool isDefault) {
  const Control c = AddControl(L"BUTTON", name, text, at,
                               WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id);
  if (onClick) SetClickHandler(GetDlgCtrlID(c.Hwnd()), std::move(onClick));
  return Button(c.Hwnd());
}

CheckBox Form::AddCheckBox(const std::string& name, const std::string& text, Box at, std::function<void()> onClick) {
  const Control c = AddControl(L"BUTTON", name, text, at, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
  if (onClick) SetClickHandler(GetDlgCtrlID(c.Hwnd()), std::move(onClick));
  return CheckBox(c.Hwnd());
}

CheckBox Form::AddRadio(const std::string& name, const std::string& text, Box at, std::function<void()> onClick,
                        bool firstOfGroup) {
  const Control c = AddControl(L"BUTTON", name, text, at,
                               WS_VISIBLE | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0));
  if (onClick) SetClickHandler(GetDlgCtrlID(c.Hwnd()), std::move(onClick));
  return CheckBox(c.Hwnd());
}

Edit Form::AddEdit(const std::string& name, Box at, DWORD style) {
  return Edit(AddControl(L"EDIT", name, "", at, WS_VISIBLE | WS_TABSTOP | style, WS_EX_CLIENTEDGE).Hwnd());
}

SpinBox Form::AddSpinBox(const std::string& name, Box at, int min, int max, int value) {
  return AddSpinBox(name, at, min, max, value, ES_AUTOHSCROLL);
}

SpinBox Form::AddSpinBox(const std::string& name, Box at, int min, int max, int value, DWORD fieldStyle) {
  const Edit field = AddEdit(name, at, ES_NUMBER | fieldStyle);
  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                0, 0, 0, 0, Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(NewId())), Instance(),
                                nullptr);
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field.Hwnd()), 0);
  SetControlName(arrows, name + "Strzalki");
  const SpinBox spin(field.Hwnd(), arrows);
  spin.SetRange(min, max);
  spin.SetValue(value);
  return spin;
}

SpinBox Form::AddSpinBox(const std::string& name, Box at, std::function<void(int step)> onStep) {
  const Edit field = AddEdit(name, at, ES_AUTOHSCROLL);
  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, 0, 0, 0, 0, Hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(NewId())), Instance(), nullptr);
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field.Hwnd()), 0);
  SetControlName(arrows, name + "Strzalki");
  // The arrows keep a middle position, so neither end ever greys out; each press is only reported.
  SendMessageW(arrows, UDM_SETRANGE32, 0, 2);
  SendMessageW(arrows, UDM_SETPOS32, 0, 1);
  OnNotifyFrom(Control(arrows), [step = std::move(onStep)](NMHDR& n) -> LRESULT {
    if (n.code != UDN_DELTAPOS) return 0;
    step(reinterpret_cast<NMUPDOWN&>(n).iDelta > 0 ? 1 : -1);
    return 1;
  });
  return SpinBox(field.Hwnd(), arrows);
}

Slider Form::AddSlider(const std::string& name, Box at, int min, int max) {
  const Slider s(AddControl(TRACKBAR_CLASSW, name, "", at, WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS).Hwnd());
  s.Send(TBM_SETRANGE, FALSE, MAKELPARAM(min, max));
  s.Send(TBM_SETPAGESIZE, 0, 1);
  return s;
}

void Form::AddSliderLabels(const Slider& slider, int y, const std::vector<std::pair<int, std::string>>& labels) {
  RECT channel{}, thumb{}, r{};
  slider.Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  slider.Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  GetWindowRect(slider.Hwnd(), &r);
  MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  const int min = static_cast<int>(slider.Send(TBM_GETRANGEMIN)), max = static_cast<int>(slider.Send(TBM_GETRANGEMAX));
  const int half = (thumb.right - thumb.left) / 2;
  const int from = r.left + channel.left + half, to = r.left + channel.right - half;
  for (const auto& [position, text] : labels) {
    const int x = max > min ? from + (to - from) * (position - min) / (max - min) : from;
    const int width = TextWidth(Font(), text) + S(4);
    CreateChild(Hwnd(), L"STATIC", "", NewId(), text, WS_VISIBLE | SS_CENTER | SS_NOPREFIX, x - width / 2, S(y), width,
                S(14));
  }
}

Control Form::AddGroup(const std::string& name, const std::string& text, Box at) {
  return AddControl(L"BUTTON", name, text, at, WS_VISIBLE | BS_GROUPBOX);
}

Control Form::AddPanel(const std::string& name, Box at) {
  return AddControl(L"STATIC", name, "", at, WS_VISIBLE, WS_EX_STATICEDGE);
}

Control Form::AddLine(Box at) {
  HWND h = CreateChild(Hwnd(), L"STATIC", "", NewId(), "", WS_VISIBLE | SS_ETCHEDHORZ, S(at.x), S(at.y), S(at.width), 2);
  if (h) boxes_[h] = Box{at.x, at.y, at.width, 2};
  return Control(h);
}

Grid Form::AddGrid(const std::string& name, Box at, const std::vector<std::pair<std::string, int>>& columns) {
  const Grid g(AddControl(WC_LISTVIEWW, name, "", at,
                          WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE)
                   .Hwnd());
  g.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  int i = 0;
  for (const auto& [text, width] : columns) {
    const std::wstring t = Widen(text);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(t.c_str());
    c.cx = S(width);
    g.Send(LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&c));
  }
  return g;
}

TreeView Form::AddTree(const std::string& name, Box at, DWORD style) {
  return TreeView(AddControl(WC_TREEVIEWW, name, "", at, WS_VISIBLE | WS_TABSTOP | style, WS_EX_CLIENTEDGE).Hwnd());
}

ListBox Form::AddListBox(const std::string& name, Box at, DWORD style) {
  return ListBox(AddControl(L"LISTBOX", name, "", at, WS_VISIBLE | style, WS_EX_CLIENTEDGE).Hwnd());
}

ComboBox Form::AddComboBox(const std::string& name, Box at, DWORD style) {
  return ComboBox(AddControl(L"COMBOBOX", name, "", at, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | style).Hwnd());
}

void Form::OnNotification(const Control& control, std::function<void(int code)> handler) {
  SetCommandHandler(GetDlgCtrlID(control.Hwnd()), std::move(handler));
}

void Form::AddHint(const Control& control, const std::string& text) {
  if (!hints_ || !IsWindow(hints_)) {  // the tooltip went with an earlier window of the form
    hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, Hwnd(), nullptr, Instance(), nullptr);
    if (!hints_) return;
  }
  std::wstring t = Widen(text);
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Hwnd();
  ti.uId = reinterpret_cast<UINT_PTR>(control.Hwnd());
  ti.lpszText = t.data();
  SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Form::OnNotifyFrom(const Control& control, std::function<LRESULT(NMHDR& n)> handler) {
  if (handler) notifies_[control.Hwnd()] = std::move(handler);
  else notifies_.erase(control.Hwnd());
}

bool Form::OnNotify(NMHDR* n, LRESULT& result) {
  if (!n) return false;
  auto it = notifies_.find(n->hwndFrom);
  if (it == notifies_.end()) return false;
  // The handler may replace itself: call a copy.
  const auto handler = it->second;
  result = handler(*n);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Another DPI

namespace {

struct Children {
  HWND parent;
  std::vector<HWND> list;
};

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<Children*>(lp);
  if (GetParent(h) == c->parent) c->list.push_back(h);  // direct children only: pages place their own
  return TRUE;
}

std::wstring ClassOf(HWND h) {
  wchar_t name[64];
  const int n = GetClassNameW(h, name, 64);
  return std::wstring(name, n > 0 ? n : 0);
}

}  // namespace

void Form::ApplyDpi(int dpi) {
  if (!Hwnd() || dpi <= 0) return;
  const int oldDpi = dpi_;
  dpi_ = dpi;
  if (oldDpi != dpi) {
    SetFont(Hwnd(), Font());
    PlaceChildren(oldDpi);
  }
  // A form that lays out in OnSize places its controls at the new DPI now, and again when the
  // window takes its new size.
  RECT client{};
  GetClientRect(Hwnd(), &client);
  OnSize(client.right, client.bottom);
  OnDpiApplied(oldDpi);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Form::PlaceChildren(int oldDpi) {
  Children children{Hwnd(), {}};
  EnumChildWindows(Hwnd(), CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND h : children.list) {
    if (HFONT f = FormFontAtDpi(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), dpi_)) SetFont(h, f);
    const auto box = boxes_.find(h);
    RECT r{};
    if (box != boxes_.end() && (box->second.width > 0 || box->second.height > 0)) {
      r = Pixels(box->second);
    } else {
      // A child made by hand, a page, or a control the form places itself (added with an empty
      // box): scaled with the form from where it is.
      GetWindowRect(h, &r);
      MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
      r = RECT{MulDiv(r.left, dpi_, oldDpi), MulDiv(r.top, dpi_, oldDpi), MulDiv(r.right, dpi_, oldDpi),
               MulDiv(r.bottom, dpi_, oldDpi)};
    }
    SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (Form* page = dynamic_cast<Form*>(Window::FromHwnd(h))) page->ApplyDpi(dpi_);
    if (ClassOf(h) == WC_LISTVIEWW) {
      HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
      const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
      for (int c = 0; c < columns; ++c) {
        const int w = static_cast<int>(SendMessageW(h, LVM_GETCOLUMNWIDTH, c, 0));
        SendMessageW(h, LVM_SETCOLUMNWIDTH, c, MulDiv(w, dpi_, oldDpi));
      }
    }
  }
  // The arrows of a spin box sit beside their field: attached again where the field is now.
  for (HWND h : children.list)
    if (ClassOf(h) == UPDOWN_CLASSW)
      if (HWND buddy = reinterpret_cast<HWND>(SendMessageW(h, UDM_GETBUDDY, 0, 0)))
        SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
}

bool Form::OnDpiChanged(int dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  // A page follows its form; only a top-level form takes the system's rectangle.
  if (!(GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_CHILD))
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace win
