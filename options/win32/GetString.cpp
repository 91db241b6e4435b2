#include "options/win32/GetString.h"

#include "options/win32/Opcje.h"

namespace {
constexpr wchar_t kKlasa[] = L"TfrmGetString";
int S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}
}  // namespace

TfrmGetString::~TfrmGetString() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

std::string TfrmGetString::Pokaz(HWND wlasciciel, const std::string& objasnienie) {
  wynik_.clear();
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "Wprowadź tekst", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, wlasciciel))
    return "";
  HWND h = Hwnd();
  win::SetFont(h, TfrmOpcje::Czcionka());
  win::SetClientSize(h, S(360), S(112));
  win::CenterOnScreen(h);
  win::CreateChild(h, L"STATIC", "labObjasnienie", 0, objasnienie, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, S(12), S(12),
                   S(336), S(28));
  HWND pole = win::CreateChild(h, L"EDIT", "tbOdpowiedz", 10, "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, S(12),
                               S(42), S(336), S(21), WS_EX_CLIENTEDGE);
  win::CreateChild(h, L"BUTTON", "cmdOk", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, S(172), S(76), S(84),
                   S(26));
  win::CreateChild(h, L"BUTTON", "cmdAnuluj", IDCANCEL, "Anuluj", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, S(264),
                   S(76), S(84), S(26));
  SetFocus(pole);
  SetRememberedFocus(pole);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

LRESULT TfrmGetString::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          wynik_ = win::GetText(win::FindControl(Hwnd(), "tbOdpowiedz"));
          EndModal(IDOK);
          return 0;
        case IDCANCEL:
          wynik_.clear();
          EndModal(IDCANCEL);
          return 0;
      }
      break;
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}

std::string PobierzTekst(HWND wlasciciel, const std::string& objasnienie) {
  TfrmGetString okno;
  return okno.Pokaz(wlasciciel, objasnienie);
}
