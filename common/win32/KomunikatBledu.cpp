#include "common/win32/KomunikatBledu.h"

#include "common/WinTools.h"
#include "common/win32/KomunikaIds.h"
#include "common/win32/Obrazki.h"

namespace ids = komunika_ids;

namespace {

// Design sizes (pixels at 96 dpi).
constexpr int kClientWidth = 534;
constexpr int kClientHeight = 255;
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kHeading = RGB(128, 0, 0);

}  // namespace

TfrmKomunikatBledu::TfrmKomunikatBledu() { FormCreate(); }

TfrmKomunikatBledu::~TfrmKomunikatBledu() {
  Destroy();
  if (font_) DeleteObject(font_);
  if (headingFont_) DeleteObject(headingFont_);
}

void TfrmKomunikatBledu::FormCreate() {
  RegisterFormClass(kClassName);
  dpi_ = win::ScreenDpi();
  auto S = [&](int v) { return win::Scale(v, dpi_); };
  font_ = win::CreateFontPt(L"MS Sans Serif", 8, true, false, false, dpi_);
  headingFont_ = win::CreateFontPt(L"Arial", 16, true, false, false, dpi_);

  Create(kClassName, "Komunikat błędu", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
         WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, S(kClientWidth), S(kClientHeight));
  HWND h = Hwnd();
  if (!h) return;
  win::SetFont(h, font_);
  win::SetClientSize(h, S(kClientWidth), S(kClientHeight));

  const DWORD label = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  imgBlad_ = win::CreateChild(h, L"STATIC", "imgBlad", ids::imgBlad, "Błąd", WS_VISIBLE | SS_OWNERDRAW, S(8), S(8),
                              S(146), S(39));
  HWND heading = win::CreateChild(h, L"STATIC", "labNaglowek", ids::labNaglowek, "Wystąpił błąd!!!",
                                  label | SS_CENTERIMAGE, S(168), S(8), S(358), S(39));
  win::SetFont(heading, headingFont_);
  win::CreateChild(h, L"STATIC", "labMiejsceNapis", ids::labMiejsceNapis, "miejsce:", label, S(8), S(56), S(518),
                   S(14));
  labMiejsce_ = win::CreateChild(h, L"STATIC", "labMiejsce", ids::labMiejsce, "", label | SS_EDITCONTROL, S(8), S(71),
                                 S(518), S(57));
  win::CreateChild(h, L"STATIC", "labTrescNapis", ids::labTrescNapis, "treść:", label, S(8), S(134), S(518), S(14));
  labTresc_ = win::CreateChild(h, L"STATIC", "labTresc", ids::labTresc, "", label | SS_EDITCONTROL, S(8), S(149),
                               S(518), S(65));
  cmdOk_ = win::CreateChild(h, L"BUTTON", "cmdOk", ids::cmdOk, "Kontynuuj",
                            WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_DEFPUSHBUTTON,
                            S(286), S(222), S(112), S(25));
  cmdHalt_ = win::CreateChild(h, L"BUTTON", "cmdHalt", ids::cmdHalt, "Zatrzymaj porgram",
                              WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON, S(406), S(222), S(120), S(25));
  SetRememberedFocus(cmdOk_);
  win::CenterOnScreen(h);
}

void TfrmKomunikatBledu::Ustaw(const std::string& place, const std::string& text) {
  win::SetText(labMiejsce_, place);
  win::SetText(labTresc_, text);
}

void TfrmKomunikatBledu::Pokaz() {
  if (!Hwnd()) return;
  SetRememberedFocus(cmdOk_);
  ShowModal();
}

void TfrmKomunikatBledu::cmdOkClick() { EndModal(IDOK); }

void TfrmKomunikatBledu::cmdHaltClick() {
  // The user asked to stop the program here and now; nothing after the report runs, so a break
  // in progress gives the screen saver back first.
  PrzywrocWygaszacz();
  ExitProcess(0);
}

LRESULT TfrmKomunikatBledu::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == BN_SETFOCUS) {
        HWND buttons[] = {cmdOk_, cmdHalt_};
        win::MarkDefaultButton(reinterpret_cast<HWND>(lp), buttons, 2);
        return 0;
      }
      switch (LOWORD(wp)) {
        case ids::cmdOk:
        case IDCANCEL:  // Esc continues, the safe choice
          if (HIWORD(wp) == BN_CLICKED) cmdOkClick();
          return 0;
        case ids::cmdHalt:
          if (HIWORD(wp) == BN_CLICKED) cmdHaltClick();
          return 0;
      }
      break;
    case DM_GETDEFID:
      // Enter presses the focused button, else "Kontynuuj".
      return MAKELRESULT(GetFocus() == cmdHalt_ ? ids::cmdHalt : ids::cmdOk, DC_HASDEFID);
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, id == ids::labMiejsceNapis || id == ids::labTrescNapis ? kGrey
                       : id == ids::labNaglowek                               ? kHeading
                                                                              : GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (di->CtlID == static_cast<UINT>(ids::imgBlad)) {
        obrazki::RysujBanerBledu(di->hDC, di->rcItem, GetSysColor(COLOR_BTNFACE));
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      cmdOkClick();
      return 0;
  }
  return Default(msg, wp, lp);
}
