#include "installer/win32/FormaInstalatora.h"

TFormaInstalatora::~TFormaInstalatora() {
  if (ikona_) DestroyIcon(ikona_);
}

HFONT TFormaInstalatora::Czcionka() {
  static HFONT font = win::CreateFontPt(L"MS Sans Serif", 8);
  return font;
}

HFONT TFormaInstalatora::CzcionkaPogrubiona() {
  static HFONT font = win::CreateFontPt(L"MS Sans Serif", 10, true);
  return font;
}

bool TFormaInstalatora::UtworzForme(const wchar_t* klasa, const std::string& tytul, int szerokosc, int wysokosc,
                                    bool zamykalna, HWND wlasciciel) {
  if (!RegisterFormClass(klasa)) return false;
  DWORD styl = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (zamykalna ? WS_SYSMENU : 0);
  if (!Create(klasa, tytul, styl, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
              wlasciciel))
    return false;
  win::SetFont(Hwnd(), Czcionka());
  const int dpi = win::ScreenDpi();
  win::SetClientSize(Hwnd(), win::Scale(szerokosc, dpi), win::Scale(wysokosc, dpi));
  win::CenterOnScreen(Hwnd());
  return true;
}

namespace {
int S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}
}  // namespace

HWND TFormaInstalatora::Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h,
                                 DWORD styl) {
  return win::CreateChild(Hwnd(), L"STATIC", nazwa, 0, tekst, WS_VISIBLE | SS_NOPREFIX | styl, S(x), S(y), S(w), S(h));
}

HWND TFormaInstalatora::Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w,
                                 int h, bool domyslny) {
  return win::CreateChild(Hwnd(), L"BUTTON", nazwa, id, tekst,
                          WS_VISIBLE | WS_TABSTOP | (domyslny ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), S(x), S(y), S(w),
                          S(h));
}

HWND TFormaInstalatora::Pole(const std::string& nazwa, int id, int x, int y, int w, int h, DWORD styl) {
  return win::CreateChild(Hwnd(), L"EDIT", nazwa, id, "", WS_VISIBLE | WS_TABSTOP | styl, S(x), S(y), S(w), S(h),
                          WS_EX_CLIENTEDGE);
}

HWND TFormaInstalatora::Panel(const std::string& nazwa, int x, int y, int w, int h) {
  return win::CreateChild(Hwnd(), L"STATIC", nazwa, 0, "", WS_VISIBLE, S(x), S(y), S(w), S(h), WS_EX_STATICEDGE);
}

HWND TFormaInstalatora::Ikona(const std::string& nazwa, int x, int y) {
  return win::CreateChild(Hwnd(), L"STATIC", nazwa, 0, "", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE, S(x), S(y), S(32),
                          S(32));
}

HWND TFormaInstalatora::Linia(int x, int y, int w) {
  return win::CreateChild(Hwnd(), L"STATIC", "", 0, "", WS_VISIBLE | SS_ETCHEDHORZ, S(x), S(y), S(w), 2);
}

bool TFormaInstalatora::PokazIkone(HWND kontrolka, const std::string& plik) {
  if (!kontrolka || plik.empty()) return false;
  HICON ikona = static_cast<HICON>(
      LoadImageW(nullptr, win::Widen(plik).c_str(), IMAGE_ICON, S(32), S(32), LR_LOADFROMFILE));
  if (!ikona) return false;
  SendMessageW(kontrolka, STM_SETICON, reinterpret_cast<WPARAM>(ikona), 0);
  if (ikona_) DestroyIcon(ikona_);
  ikona_ = ikona;
  return true;
}
