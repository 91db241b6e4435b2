#include "documents/win32/Wykres.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "common/Komunika.h"
#include "common/win32/Form.h"

namespace {

constexpr wchar_t kKlasa[] = L"TWykres";
constexpr wchar_t kKroj[] = L"Arial";

COLORREF Rgb(const wykres::Kolor& k) { return RGB(k.r, k.g, k.b); }

}  // namespace

std::string SeparatorDziesietny() {
  wchar_t buf[8] = {};
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
  return n > 1 ? win::Narrow(buf, n - 1) : ",";
}

wykres::Kolor KolorSystemowy(int indeks) {
  const COLORREF c = GetSysColor(indeks);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

bool KopiujObrazITekst(HWND wlasciciel, HBITMAP obraz, const std::string& tekst) {
  if (!obraz) return false;
  if (!OpenClipboard(wlasciciel)) {
    DeleteObject(obraz);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_BITMAP, obraz) != nullptr;  // the clipboard owns it now
  if (!ok) DeleteObject(obraz);
  const std::wstring w = win::Widen(tekst);
  if (HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t))) {
    std::memcpy(GlobalLock(g), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(g);
    if (!SetClipboardData(CF_UNICODETEXT, g)) {
      GlobalFree(g);
      ok = false;
    }
  } else {
    ok = false;
  }
  CloseClipboard();
  return ok;
}

void ZglosNieudaneKopiowanie() {
  Komunikat("Nie udało się skopiować do schowka: schowek jest zajęty przez inny program. Spróbuj ponownie za chwilę.",
            rkOstrzezenie);
}

void RysujZnacznikFokusu(HDC dc, HWND okno) {
  RECT r{};
  GetClientRect(okno, &r);
  InflateRect(&r, -2, -2);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &r);
}

namespace {

void Wykonaj(HDC dc, const wykres::Rysunek& ops, const wchar_t* kroj, int dpi) {
  HGDIOBJ staraCzcionka = nullptr;
  HGDIOBJ staryPedzel = SelectObject(dc, GetStockObject(DC_BRUSH));
  HGDIOBJ starePioro = SelectObject(dc, GetStockObject(DC_PEN));
  SetBkMode(dc, TRANSPARENT);
  for (const wykres::Operacja& o : ops) {
    RECT r{o.left, o.top, o.right, o.bottom};
    switch (o.rodzaj) {
      case wykres::Operacja::Wypelnij:
        SetDCBrushColor(dc, Rgb(o.kolor));
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        break;
      case wykres::Operacja::Gradient: {
        const int h = std::max(1, o.bottom - o.top);
        for (int y = o.top; y < o.bottom; y += 2) {
          const int t = y - o.top;
          SetDCBrushColor(dc, RGB(o.kolor.r + (o.kolor2.r - o.kolor.r) * t / h, o.kolor.g + (o.kolor2.g - o.kolor.g) * t / h,
                                  o.kolor.b + (o.kolor2.b - o.kolor.b) * t / h));
          RECT pas{o.left, y, o.right, std::min(y + 2, o.bottom)};
          FillRect(dc, &pas, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        }
        break;
      }
      case wykres::Operacja::Ramka:
        SetDCBrushColor(dc, Rgb(o.kolor));
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        break;
      case wykres::Operacja::Linia:
        SetDCPenColor(dc, Rgb(o.kolor));
        MoveToEx(dc, o.left, o.top, nullptr);
        LineTo(dc, o.right + (o.right == o.left ? 0 : 1), o.bottom + (o.bottom == o.top ? 0 : 1));
        break;
      case wykres::Operacja::Tekst: {
        HGDIOBJ poprzednia = SelectObject(dc, win::FormFont(kroj, o.rozmiar, dpi, o.pogrubiony, o.kat));
        if (!staraCzcionka) staraCzcionka = poprzednia;
        SetTextColor(dc, Rgb(o.kolor));
        const std::wstring t = win::Widen(o.tekst);
        if (o.wysrodkuj)
          DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        else
          TextOutW(dc, o.left, o.top, t.c_str(), static_cast<int>(t.size()));
        break;
      }
    }
  }
  if (staraCzcionka) SelectObject(dc, staraCzcionka);
  SelectObject(dc, staryPedzel);
  SelectObject(dc, starePioro);
}

}  // namespace

void RysujOperacje(HDC dc, const wykres::Rysunek& ops, const wchar_t* kroj) {
  Wykonaj(dc, ops, kroj, GetDeviceCaps(dc, LOGPIXELSY));
}

void RysujBuforowane(HDC dc, int w, int h, const wykres::Rysunek& ops, const wchar_t* kroj, int dpi) {
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, w), std::max(1, h));
  HGDIOBJ stara = SelectObject(mem, bmp);
  RECT tlo{0, 0, w, h};
  FillRect(mem, &tlo, GetSysColorBrush(COLOR_BTNFACE));
  SetGraphicsMode(mem, GM_ADVANCED);
  const float skala = static_cast<float>(dpi) / 96.0f;
  const XFORM x{skala, 0, 0, skala, 0, 0};
  SetWorldTransform(mem, &x);
  Wykonaj(mem, ops, kroj, 96);
  ModifyWorldTransform(mem, nullptr, MWT_IDENTITY);
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, stara);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void RysujBuforowane(HDC dc, int w, int h, const wykres::Rysunek& ops, const wchar_t* kroj) {
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, w), std::max(1, h));
  HGDIOBJ stara = SelectObject(mem, bmp);
  RysujOperacje(mem, ops, kroj);
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, stara);
  DeleteObject(bmp);
  DeleteDC(mem);
}

TWykres::TWykres(HWND rodzic, const std::string& nazwa, int id) {
  RegisterFormClass(kKlasa, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, LoadCursorW(nullptr, IDC_ARROW));
  HWND h = Create(kKlasa, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 0, 100, 100, rodzic, id);
  if (h) win::SetControlName(h, nazwa);
  menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING | (dane_.gradient ? MF_CHECKED : MF_UNCHECKED), kMnuGradient, L"Gradient");
}

TWykres::~TWykres() {
  if (Hwnd()) win::DestroyControl(Hwnd());
  if (menu_) DestroyMenu(menu_);
}

void TWykres::KoloryISeparator() {
  dane_.tlo = KolorSystemowy(COLOR_WINDOW);
  dane_.tusz = KolorSystemowy(COLOR_WINDOWTEXT);
  dane_.separator = SeparatorDziesietny();
}

void TWykres::UstawDane(const wykres::Dane& d, bool zachowajWidok) {
  dane_ = d;
  KoloryISeparator();
  if (!zachowajWidok) widok_ = wykres::WidokPoczatkowy(dane_);
  if (Hwnd()) win::SetText(Hwnd(), d.tytul);
  CheckMenuItem(menu_, kMnuGradient, MF_BYCOMMAND | (dane_.gradient ? MF_CHECKED : MF_UNCHECKED));
  Przelicz();
}

void TWykres::UstawWidok(const wykres::Widok& w) {
  widok_ = w;
  Przelicz();
}

void TWykres::Przesun(double procent) { UstawWidok(wykres::Przesun(dane_, widok_, procent)); }

void TWykres::UstawGradient(bool wlaczony) {
  dane_.gradient = wlaczony;
  CheckMenuItem(menu_, kMnuGradient, MF_BYCOMMAND | (wlaczony ? MF_CHECKED : MF_UNCHECKED));
  Przelicz();
}

void TWykres::mnuGradientClick() { UstawGradient(!dane_.gradient); }

void TWykres::PokazMenu(POINT ekran) {
  const UINT wybor = TrackPopupMenu(menu_, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, ekran.x, ekran.y, 0, Hwnd(),
                                    nullptr);
  if (wybor == kMnuGradient) mnuGradientClick();
}

void TWykres::UstawAktywnosc(int seria, bool aktywna) {
  if (seria < 0 || seria >= static_cast<int>(dane_.serie.size())) return;
  dane_.serie[seria].aktywna = aktywna;
  Przelicz();
}

void TWykres::Animuj(const wykres::Widok& cel) {
  if (cel == widok_) return;
  // A fitted value axis has no range of its own: the frames run between the ranges in use.
  auto wZakresie = [this](const wykres::Widok& w) {
    const wykres::Widok zapamietany = widok_;
    widok_ = w;
    ukladAktualny_ = false;
    wykres::Widok z = w;
    z.vmin = Uklad().vmin;
    z.vmax = Uklad().vmax;
    widok_ = zapamietany;
    ukladAktualny_ = false;
    return z;
  };
  animOd_ = wZakresie(widok_);
  animCel_ = wZakresie(cel);
  animDo_ = cel;
  klatka_ = 0;
  if (!SetTimer(Hwnd(), kTimerAnimacji, 20, nullptr)) UstawWidok(cel);
}

void TWykres::KrokAnimacji() {
  if (++klatka_ >= kKlatek) {
    KillTimer(Hwnd(), kTimerAnimacji);
    UstawWidok(animDo_);
    return;
  }
  const double t = static_cast<double>(klatka_) / kKlatek;
  auto miedzy = [t](double a, double b) { return a + (b - a) * t; };
  wykres::Widok w;
  w.min = miedzy(animOd_.min, animCel_.min);
  w.max = miedzy(animOd_.max, animCel_.max);
  w.vmin = miedzy(animOd_.vmin, animCel_.vmin);
  w.vmax = miedzy(animOd_.vmax, animCel_.vmax);
  UstawWidok(w);
}

void TWykres::Przelicz() {
  ukladAktualny_ = false;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

const wykres::Uklad& TWykres::Uklad() {
  RECT r{};
  if (Hwnd()) GetClientRect(Hwnd(), &r);
  if (!ukladAktualny_ || r.right != szer_ || r.bottom != wys_) {
    szer_ = r.right;
    wys_ = r.bottom;
    HDC dc = GetDC(Hwnd());
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    HFONT zwykla = win::FormFont(kKroj, 8, dpi), pogrubiona = win::FormFont(kKroj, 8, dpi, true);
    HGDIOBJ stara = SelectObject(dc, zwykla);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    wykres::Miara m;
    m.wysokosc = tm.tmHeight;
    m.szerokosc = [&](const std::string& t, bool b) {
      SelectObject(dc, b ? pogrubiona : zwykla);
      const std::wstring w = win::Widen(t);
      SIZE s{};
      GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
      return static_cast<int>(s.cx);
    };
    uklad_ = wykres::Uloz(dane_, widok_, szer_, wys_, m);
    SelectObject(dc, stara);
    ReleaseDC(Hwnd(), dc);
    ukladAktualny_ = true;
  }
  return uklad_;
}


HBITMAP TWykres::Bitmapa() {
  if (!Hwnd()) return nullptr;
  const wykres::Uklad& u = Uklad();
  HDC ekran = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(ekran);
  HBITMAP bmp = CreateCompatibleBitmap(ekran, std::max(1, szer_), std::max(1, wys_));
  HGDIOBJ stara = SelectObject(mem, bmp);
  RysujOperacje(mem, u.operacje, kKroj);
  SelectObject(mem, stara);
  DeleteDC(mem);
  ReleaseDC(nullptr, ekran);
  return bmp;
}

bool TWykres::KopiujDoSchowka() { return KopiujObrazITekst(Hwnd(), Bitmapa(), wykres::TekstTabeli(dane_)); }

void TWykres::PrzesunOPunkty(double punkty) { UstawWidok(wykres::PrzesunOPunkty(dane_, widok_, punkty)); }

void TWykres::Przybliz(bool blizej) {
  if (powiekszanie_) Animuj(wykres::Przybliz(dane_, widok_, blizej));
}

void TWykres::Ramka(POINT p) {
  // The zoom rectangle, drawn and removed by inverting.
  HDC dc = GetDC(Hwnd());
  RECT r{std::min(start_.x, p.x), std::min(start_.y, p.y), std::max(start_.x, p.x), std::max(start_.y, p.y)};
  DrawFocusRect(dc, &r);
  ReleaseDC(Hwnd(), dc);
}

void TWykres::OnPaint(HDC dc, const RECT&) {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  RysujBuforowane(dc, r.right, r.bottom, Uklad().operacje, kKroj);
  ramkaWidoczna_ = false;
  if (GetFocus() == Hwnd()) RysujZnacznikFokusu(dc, Hwnd());
}

void TWykres::RuchMyszy(POINT p, WPARAM klawisze) {
  if (!sledzi_) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Hwnd(), 0};
    sledzi_ = TrackMouseEvent(&t) != FALSE;
  }
  if (ciagnie_) {
    if (ramkaWidoczna_) Ramka(ostatni_);
    Ramka(p);
    ramkaWidoczna_ = true;
    ostatni_ = p;
    return;
  }
  if (przesuwa_ && (klawisze & MK_RBUTTON)) {
    const wykres::Uklad& u = Uklad();
    const int dx = p.x - ostatniX_;
    if (dx != 0 && u.plotR > u.plotL) {
      przesunieto_ = true;
      ostatniX_ = p.x;
      Przesun(-100.0 * dx / (u.plotR - u.plotL));
    }
    return;
  }
  if (naRuchMyszy) {
    const wykres::Uklad& u = Uklad();
    const int i = wykres::Trafienie(u, p.x, p.y);
    if (i >= 0) naRuchMyszy(u.slupki[i].seria, u.slupki[i].punkt);
    else naRuchMyszy(-1, -1);
  }
}

void TWykres::KoniecPrzeciagania(bool powieksz) {
  if (ciagnie_) {
    ciagnie_ = false;
    if (ramkaWidoczna_) Ramka(ostatni_);
    ramkaWidoczna_ = false;
    if (powieksz) Animuj(wykres::Powieksz(dane_, widok_, Uklad(), start_.x, start_.y, ostatni_.x, ostatni_.y));
  }
  przesuwa_ = false;
}

bool TWykres::OnMouse(UINT msg, POINT p, WPARAM klawisze) {
  switch (msg) {
    case WM_MOUSEMOVE:
      RuchMyszy(p, klawisze);
      return true;
    case WM_LBUTTONDOWN:
      SetFocus(Hwnd());
      if (!powiekszanie_) return false;
      SetCapture(Hwnd());
      ciagnie_ = true;
      start_ = ostatni_ = p;
      return true;
    case WM_LBUTTONUP:
      if (!ciagnie_) return false;
      // The zoom belongs to the release; the capture's loss on its own only ends the drag.
      ostatni_ = p;
      KoniecPrzeciagania(true);
      if (GetCapture() == Hwnd()) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      KoniecPrzeciagania(false);
      return true;
    case WM_RBUTTONDOWN:
      SetFocus(Hwnd());
      przesuwa_ = true;
      przesunieto_ = false;
      ostatniX_ = p.x;
      SetCapture(Hwnd());
      return true;
    case WM_RBUTTONUP: {
      const bool menu = !przesunieto_;
      if (GetCapture() == Hwnd()) ReleaseCapture();
      przesuwa_ = false;
      return !menu;  // a click without panning: the default makes it WM_CONTEXTMENU
    }
    case WM_MOUSEWHEEL: {
      // Three bars a notch; turned away from the user, back in time.
      kolko_ += static_cast<short>(HIWORD(klawisze));
      const int zapadki = kolko_ / WHEEL_DELTA;
      kolko_ -= zapadki * WHEEL_DELTA;
      if (zapadki) PrzesunOPunkty(-3.0 * zapadki);
      return true;
    }
  }
  return false;
}

bool TWykres::OnKey(UINT msg, UINT key, LPARAM) {
  if (msg == WM_CHAR) {
    if (key != '+' && key != '-') return false;
    Przybliz(key == '+');
    return true;
  }
  if (msg != WM_KEYDOWN) return false;
  const double widoczne = widok_.max - widok_.min;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_LEFT: PrzesunOPunkty(-1); return true;
    case VK_RIGHT: PrzesunOPunkty(1); return true;
    case VK_PRIOR: PrzesunOPunkty(-widoczne); return true;
    case VK_NEXT: PrzesunOPunkty(widoczne); return true;
    case VK_HOME: UstawWidok(wykres::Poczatek(dane_, widok_)); return true;
    case VK_END: UstawWidok(wykres::Koniec(dane_, widok_)); return true;
    case VK_ESCAPE:
      if (!ciagnie_) return false;
      ReleaseCapture();  // the drag ends without a zoom
      return true;
    case 'C':
      if (!ctrl) return false;
      if (!KopiujDoSchowka()) ZglosNieudaneKopiowanie();
      return true;
  }
  return false;
}

bool TWykres::OnTimer(UINT_PTR id) {
  if (id != kTimerAnimacji) return false;
  KrokAnimacji();
  return true;
}

LRESULT TWykres::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSELEAVE:
      sledzi_ = false;
      if (naRuchMyszy && !ciagnie_) naRuchMyszy(-1, -1);
      return 0;
    case WM_GETDLGCODE: {
      // The arrows and characters are the chart's; Esc too while a zoom rectangle is dragged.
      const MSG* m = reinterpret_cast<const MSG*>(lp);
      if (ciagnie_ && m && m->message == WM_KEYDOWN && m->wParam == VK_ESCAPE) return DLGC_WANTMESSAGE;
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Hwnd(), nullptr, FALSE);
      break;
    case WM_SYSCOLORCHANGE:  // forwarded by the window
      KoloryISeparator();
      Przelicz();
      break;
    case WM_CONTEXTMENU: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (p.x == -1 && p.y == -1) {  // from the keyboard: at the chart's corner
        RECT r{};
        GetWindowRect(Hwnd(), &r);
        p = {r.left + 8, r.top + 8};
      }
      PokazMenu(p);
      return 0;
    }
  }
  return Window::HandleMessage(msg, wp, lp);
}
