#include "common/win32/KomunikatBledu.h"

#include "common/WinTools.h"
#include "common/win32/Obrazki.h"

namespace {

// Design sizes (pixels at 96 dpi).
constexpr int kClientWidth = 534;
constexpr int kClientHeight = 255;
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kHeading = RGB(128, 0, 0);

}  // namespace

TfrmKomunikatBledu::TfrmKomunikatBledu() { FormCreate(); }

TfrmKomunikatBledu::~TfrmKomunikatBledu() { Destroy(); }

void TfrmKomunikatBledu::FormCreate() {
  win::FormStyle style;
  style.closeBox = false;
  if (!CreateForm(kClassName, "Komunikat błędu", kClientWidth, kClientHeight, nullptr, style)) return;
  // Every text of the dialog is bold, the heading large.
  win::SetFont(Hwnd(), BoldFont(8));
  imgBlad_ = AddControl(L"STATIC", "imgBlad", "Błąd", {8, 8, 146, 39}, WS_VISIBLE | SS_OWNERDRAW);
  labNaglowek_ = AddLabel("labNaglowek", "Wystąpił błąd!!!", {168, 8, 358, 39}, SS_LEFT | SS_CENTERIMAGE);
  win::SetFont(labNaglowek_.Hwnd(), win::FormFont(L"Arial", 16, Dpi(), true));
  labMiejsceNapis_ = AddLabel("labMiejsceNapis", "miejsce:", {8, 56, 518, 14});
  labMiejsce_ = AddLabel("labMiejsce", "", {8, 71, 518, 57}, SS_LEFT | SS_EDITCONTROL);
  labTrescNapis_ = AddLabel("labTrescNapis", "treść:", {8, 134, 518, 14});
  labTresc_ = AddLabel("labTresc", "", {8, 149, 518, 65}, SS_LEFT | SS_EDITCONTROL);
  cmdOk_ = Przycisk("cmdOk", "Kontynuuj", {286, 222, 112, 25}, IDOK, true, [this] { cmdOkClick(); });
  cmdHalt_ = Przycisk("cmdHalt", "Zatrzymaj porgram", {406, 222, 120, 25}, 0, false, [this] { cmdHaltClick(); });
  SetClickHandler(IDCANCEL, [this] { cmdOkClick(); });  // Esc continues, the safe choice
  SetRememberedFocus(cmdOk_.Hwnd());
}

win::Button TfrmKomunikatBledu::Przycisk(const std::string& name, const std::string& text, win::Box at, int id,
                                         bool isDefault, std::function<void()> onClick) {
  const win::Button b(AddControl(L"BUTTON", name, text, at,
                                 WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                                 0, id)
                          .Hwnd());
  OnNotification(b, [this, b, onClick = std::move(onClick)](int code) {
    if (code == BN_CLICKED) {
      onClick();
    } else if (code == BN_SETFOCUS) {
      const HWND buttons[] = {cmdOk_.Hwnd(), cmdHalt_.Hwnd()};
      win::MarkDefaultButton(b.Hwnd(), buttons, 2);
    }
  });
  return b;
}

void TfrmKomunikatBledu::Ustaw(const std::string& place, const std::string& text) {
  labMiejsce_.SetText(place);
  labTresc_.SetText(text);
}

void TfrmKomunikatBledu::Pokaz() {
  if (!Hwnd()) return;
  SetRememberedFocus(cmdOk_.Hwnd());
  RunModal(nullptr);
}

void TfrmKomunikatBledu::cmdOkClick() { EndModal(IDOK); }

void TfrmKomunikatBledu::cmdHaltClick() {
  // The user asked to stop the program here and now; nothing after the report runs, so a break
  // in progress gives the screen saver back first.
  PrzywrocWygaszacz();
  ExitProcess(0);
}

LRESULT TfrmKomunikatBledu::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Enter presses the focused button, else "Kontynuuj".
  if (msg == DM_GETDEFID)
    return MAKELRESULT(GetDlgCtrlID(GetFocus() == cmdHalt_.Hwnd() ? cmdHalt_.Hwnd() : cmdOk_.Hwnd()), DC_HASDEFID);
  if (msg == WM_ACTIVATE) return KeepFocusOnActivate(wp);
  return Form::HandleMessage(msg, wp, lp);
}

bool TfrmKomunikatBledu::OnClose() {
  cmdOkClick();
  return true;
}

bool TfrmKomunikatBledu::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != imgBlad_.Hwnd()) return false;
  obrazki::RysujBanerBledu(d.hDC, d.rcItem, GetSysColor(COLOR_BTNFACE));
  return true;
}

HBRUSH TfrmKomunikatBledu::OnControlColor(HDC dc, HWND control) {
  if (control == cmdOk_.Hwnd() || control == cmdHalt_.Hwnd()) return nullptr;  // the texts only
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, control == labMiejsceNapis_.Hwnd() || control == labTrescNapis_.Hwnd() ? kGrey
                   : control == labNaglowek_.Hwnd()                                         ? kHeading
                                                                                            : GetSysColor(COLOR_BTNTEXT));
  return GetSysColorBrush(COLOR_BTNFACE);
}
