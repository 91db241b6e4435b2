#include "cleanup/win32/FormaCzyszczenia.h"

int TFormaCzyszczenia::S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}

HFONT TFormaCzyszczenia::Czcionka() {
  static HFONT font = win::CreateFontPt(L"MS Sans Serif", 8);
  return font;
}

bool TFormaCzyszczenia::UtworzForme(const wchar_t* klasa, const std::string& tytul, int szerokosc, int wysokosc,
                                    HWND wlasciciel, bool rozciagalna) {
  if (!RegisterFormClass(klasa)) return false;
  const DWORD styl = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                     (rozciagalna ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
  const DWORD exStyl = WS_EX_CONTROLPARENT | (rozciagalna ? 0 : WS_EX_DLGMODALFRAME);
  if (!Create(klasa, tytul, styl, exStyl, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, wlasciciel)) return false;
  win::SetFont(Hwnd(), Czcionka());
  win::SetClientSize(Hwnd(), S(szerokosc), S(wysokosc));
  win::CenterOnScreen(Hwnd());
  return true;
}

HWND TFormaCzyszczenia::Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h,
                                 DWORD styl) {
  return win::CreateChild(Hwnd(), L"STATIC", nazwa, 0, tekst, WS_VISIBLE | SS_NOPREFIX | styl, S(x), S(y), S(w), S(h));
}

HWND TFormaCzyszczenia::Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w,
                                 int h, bool domyslny) {
  return win::CreateChild(Hwnd(), L"BUTTON", nazwa, id, tekst,
                          WS_VISIBLE | WS_TABSTOP | (domyslny ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), S(x), S(y), S(w),
                          S(h));
}
