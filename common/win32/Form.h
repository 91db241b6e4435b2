#pragma once
// The form kit: what every dialog-like window of both programs is built from. A form derives
// from Form, creates itself with CreateForm (a top-level window) or CreatePage (a page inside
// another window), adds its controls at design coordinates (pixels at 96 dpi, scaled once here to
// the form's DPI) with their handlers, and shows itself with RunModal or ShowWindow.
//
//   CreateForm(L"TfrmSkrot", "Nowy skrót", 330, 142, owner);
//   tbNazwa_ = AddEdit("tbNazwaSkrotu", {12, 26, 306, 21});
//   AddButton("cmdOk", "OK", {144, 106, 84, 26}, [this] { cmdOkClick(); }, IDOK, true);
//   return RunModal(owner, tbNazwa_.Hwnd());
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/Controls.h"
#include "common/win32/Window.h"

namespace win {

// A rectangle in design units: pixels at 96 dpi.
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

// Pixels per logical inch of a window's monitor (GetDpiForWindow where the system has it),
// otherwise of the screen.
int DpiOf(HWND hwnd);
// A font of the forms at a DPI, shared by every form of the process and kept for its life.
HFONT FormFont(const wchar_t* face, int points, int dpi, bool bold = false);
// The same, turned by `angle` tenths of a degree (900: text reading upward), for painted texts.
HFONT FormFont(const wchar_t* face, int points, int dpi, bool bold, int angle);
// The font FormFont gives for the same face, points, weight and angle at another DPI; nullptr
// when `font` did not come from FormFont (a font a form made itself).
HFONT FormFontAtDpi(HFONT font, int dpi);

// Centres a top-level window on the work area of the monitor of `beside` (a visible window), or of
// the mouse pointer without one.
void CenterOnMonitor(HWND hwnd, HWND beside = nullptr);

struct FormStyle {
  const wchar_t* face = L"MS Sans Serif";
  int points = 8;
  bool closeBox = true;      // the caption's close box and system menu
  bool resizable = false;    // a sizing frame and the maximise box
  bool maximizeBox = true;   // with resizable: false leaves the maximise box out (and "?" can show)
  bool contextHelp = false;  // the caption's "?" button
  DWORD extraStyle = 0;
  DWORD extraExStyle = 0;
  // false: the thin frame of a plain window, which shows the window's icon in its caption.
  bool dialogFrame = true;
};

class Form : public Window {
 public:
  // Shows the form modally above its owner (topmost when the owner is, so it never opens under
  // it), with the focus on `focus`, until EndModal; the form is hidden afterwards. The EndModal
  // result; 0 when the form was never created or was destroyed.
  int RunModal(HWND owner, HWND focus = nullptr);

  int Dpi() const { return dpi_; }
  // The form at another DPI: every control the form added goes to its design box at that DPI, each
  // other child (a page, a control made by hand) is scaled with the form, every font of the forms
  // follows, and OnDpiApplied lets the form do what else it lays out. The window keeps its place;
  // WM_DPICHANGED calls this, then takes the system's suggested rectangle.
  void ApplyDpi(int dpi);
  // Design units to pixels of the form's DPI: the one scaler of the forms.
  int S(int designUnits) const { return Scale(designUnits, dpi_); }
  HFONT Font() const;
  HFONT BoldFont(int points) const;

 protected:
  // A dialog-like top-level window, hidden: its class named after the form (registered here),
  // a client area of width x height design units, owned by `owner`, centred on its monitor.
  bool CreateForm(const wchar_t* className, const std::string& caption, int width, int height, HWND owner,
                  const FormStyle& style = {});
  // A page: a hidden child of `parent` over a rectangle of the parent's client area (pixels),
  // with the parent's font and DPI. Pages of one form share their class.
  bool CreatePage(const wchar_t* className, HWND parent, const RECT& area, const std::string& name);

  // Controls at design coordinates, named after their components. Without an id a control gets
  // one of its own; a handler given here is called on its click (BN_CLICKED).
  Control AddLabel(const std::string& name, const std::string& text, Box at, DWORD style = SS_LEFT);
  Button AddButton(const std::string& name, const std::string& text, Box at, std::function<void()> onClick = {},
                   int id = 0, bool isDefault = false);
  CheckBox AddCheckBox(const std::string& name, const std::string& text, Box at, std::function<void()> onClick = {});
  CheckBox AddRadio(const std::string& name, const std::string& text, Box at, std::function<void()> onClick = {},
                    bool firstOfGroup = false);
  Edit AddEdit(const std::string& name, Box at, DWORD style = ES_AUTOHSCROLL);
  SpinBox AddSpinBox(const std::string& name, Box at, int min, int max, int value);
  // A spin box whose arrows step a value the form keeps and writes into the field itself (a
  // price with decimals): each press calls onStep with +1 (up) or -1 (down).
  SpinBox AddSpinBox(const std::string& name, Box at, std::function<void(int step)> onStep);
  // The same with the field's own style beside ES_NUMBER (ES_RIGHT: the number at the right edge).
  SpinBox AddSpinBox(const std::string& name, Box at, int min, int max, int value, DWORD fieldStyle);
  Slider AddSlider(const std::string& name, Box at, int min, int max);
  Control AddGroup(const std::string& name, const std::string& text, Box at);
  // A sunken panel (a static with an edge) that other controls may sit on.
  Control AddPanel(const std::string& name, Box at);
  Control AddLine(Box at);  // an etched horizontal line
  Grid AddGrid(const std::string& name, Box at, const std::vector<std::pair<std::string, int>>& columns);
  ListBox AddListBox(const std::string& name, Box at, DWORD style);
  ComboBox AddComboBox(const std::string& name, Box at, DWORD style);
  TreeView AddTree(const std::string& name, Box at, DWORD style);
  // Labels under a slider, each centred below the thumb's place at its position, `y` design
  // units from the form's top.
  void AddSliderLabels(const Slider& slider, int y, const std::vector<std::pair<int, std::string>>& labels);
  // Any other control class (tree views, progress bars, hotkey fields...).
  Control AddControl(const wchar_t* className, const std::string& name, const std::string& text, Box at,
                     DWORD style, DWORD exStyle = 0, int id = 0);
  // A notification handler of a control created here (EN_CHANGE, LBN_DBLCLK, CBN_SELCHANGE...).
  void OnNotification(const Control& control, std::function<void(int code)> handler);
  // A hint shown while the pointer rests on a control (one tooltip window per form, made on first use).
  void AddHint(const Control& control, const std::string& text);
  // A WM_NOTIFY handler of a control (TCN_SELCHANGE, TVN_SELCHANGEDW...); its result is the
  // message's result.
  void OnNotifyFrom(const Control& control, std::function<LRESULT(NMHDR& n)> handler);
  // Runs the handlers given to OnNotifyFrom; a form overriding it passes what it leaves on.
  bool OnNotify(NMHDR* n, LRESULT& result) override;

  HWND Find(const std::string& name) const { return FindControl(Hwnd(), name); }

  // WM_DPICHANGED: ApplyDpi, then the suggested rectangle (a form that lays out in OnSize does it
  // there, at the new DPI).
  bool OnDpiChanged(int dpi, const RECT& suggested) override;
  // After ApplyDpi has placed the controls at the new DPI: what the form lays out or draws at a
  // size of its own (item heights, a page area, column widths beyond the list views').
  virtual void OnDpiApplied(int oldDpi) {}

  RECT Pixels(Box at) const { return RECT{S(at.x), S(at.y), S(at.x + at.width), S(at.y + at.height)}; }

 private:
  int NewId() { return nextId_++; }

  void PlaceChildren(int oldDpi);

  std::map<HWND, std::function<LRESULT(NMHDR&)>> notifies_;
  std::map<HWND, Box> boxes_;  // the design box of every control added, for another DPI
  int dpi_ = 96;
  const wchar_t* face_ = L"MS Sans Serif";
  int points_ = 8;
  int nextId_ = 1000;
  HWND hints_ = nullptr;  // owned by the form's window, which destroys it
};

}  // namespace win
