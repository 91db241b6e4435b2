#include "documents/win32/Wykres.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

constexpr wchar_t kKlasa[] = L"TWykres";
constexpr wchar_t kKroj[] = L"Arial";

COLORREF Rgb(const wykres::Kolor& k) { return RGB(k.r, k.g, k.b); }

HFONT Czcionka(HDC dc, const wchar_t* kroj, int rozmiar, bool pogrubiony, int kat) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(rozmiar, GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = pogrubiony ? FW_BOLD : FW_NORMAL;
  lf.lfEscapement = kat;
  lf.lfOrientation = kat;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, kroj, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

void RysujOperacje(HDC dc, const wykres::Rysunek& ops, const wchar_t* kroj) {
  std::map<std::tuple<int, bool, int>, HFONT> fonty;
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
        auto klucz = std::make_tuple(o.rozmiar, o.pogrubiony, o.kat);
        HFONT& f = fonty[klucz];
        if (!f) f = Czcionka(dc, kroj, o.rozmiar, o.pogrubiony, o.kat);
        HGDIOBJ poprzednia = SelectObject(dc, f);
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
  for (auto& [k, f] : fonty) DeleteObject(f);
}

TWykres::TWykres(HWND rodzic, const std::string& nazwa, int id) {
  RegisterFormClass(kKlasa, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr, LoadCursorW(nullptr, IDC_ARROW));
  HWND h = Create(kKlasa, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 100, 100, rodzic, id);
  if (h) win::SetControlName(h, nazwa);
  HDC dc = GetDC(h);
  font_ = Czcionka(dc, kKroj, 8, false, 0);
  ReleaseDC(h, dc);
}

TWykres::~TWykres() {
  if (Hwnd()) win::DestroyControl(Hwnd());
  if (font_) DeleteObject(font_);
}

void TWykres::UstawDane(const wykres::Dane& d, bool zachowajWidok) {
  dane_ = d;
  if (!zachowajWidok) widok_ = wykres::WidokPoczatkowy(dane_);
  if (Hwnd()) SetWindowTextW(Hwnd(), win::Widen(d.tytul).c_str());
  Przelicz();
}

void TWykres::UstawWidok(const wykres::Widok& w) {
  widok_ = w;
  Przelicz();
}

void TWykres::Przesun(double procent) { UstawWidok(wykres::Przesun(dane_, widok_, procent)); }

void TWykres::UstawGradient(bool wlaczony) {
  dane_.gradient = wlaczony;
  Przelicz();
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
    HFONT pogrubiona = Czcionka(dc, kKroj, 8, true, 0);
    HGDIOBJ stara = SelectObject(dc, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    wykres::Miara m;
    m.wysokosc = tm.tmHeight;
    m.szerokosc = [&](const std::string& t, bool b) {
      SelectObject(dc, b ? pogrubiona : font_);
      const std::wstring w = win::Widen(t);
      SIZE s{};
      GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
      return static_cast<int>(s.cx);
    };
    uklad_ = wykres::Uloz(dane_, widok_, szer_, wys_, m);
    SelectObject(dc, stara);
    DeleteObject(pogrubiona);
    ReleaseDC(Hwnd(), dc);
    ukladAktualny_ = true;
  }
  return uklad_;
}

void TWykres::Rysuj(HDC dc, int w, int h) {
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, w), std::max(1, h));
  HGDIOBJ stara = SelectObject(mem, bmp);
  RysujOperacje(mem, Uklad().operacje, kKroj);
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, stara);
  DeleteObject(bmp);
  DeleteDC(mem);
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

bool TWykres::KopiujDoSchowka() {
  HBITMAP bmp = Bitmapa();
  if (!bmp) return false;
  if (!OpenClipboard(Hwnd())) {
    DeleteObject(bmp);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_BITMAP, bmp) != nullptr;  // the clipboard owns it now
  CloseClipboard();
  if (!ok) DeleteObject(bmp);
  return ok;
}

void TWykres::Ramka(int x, int y) {
  // The zoom rectangle, drawn and removed by inverting.
  HDC dc = GetDC(Hwnd());
  RECT r{std::min<LONG>(start_.x, x), std::min<LONG>(start_.y, y), std::max<LONG>(start_.x, x), std::max<LONG>(start_.y, y)};
  DrawFocusRect(dc, &r);
  ReleaseDC(Hwnd(), dc);
}

LRESULT TWykres::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Hwnd(), &ps);
      RECT r{};
      GetClientRect(Hwnd(), &r);
      Rysuj(dc, r.right, r.bottom);
      ramkaWidoczna_ = false;
      EndPaint(Hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      if (!sledzi_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Hwnd(), 0};
        sledzi_ = TrackMouseEvent(&t) != FALSE;
      }
      if (ciagnie_) {
        if (ramkaWidoczna_) Ramka(ostatni_.x, ostatni_.y);
        Ramka(x, y);
        ramkaWidoczna_ = true;
        ostatni_ = {x, y};
        return 0;
      }
      if (przesuwa_ && (wp & MK_RBUTTON)) {
        const wykres::Uklad& u = Uklad();
        const int dx = x - ostatniX_;
        if (dx != 0 && u.plotR > u.plotL) {
          przesunieto_ = true;
          ostatniX_ = x;
          Przesun(-100.0 * dx / (u.plotR - u.plotL));
        }
        return 0;
      }
      if (naRuchMyszy) {
        const wykres::Uklad& u = Uklad();
        const int i = wykres::Trafienie(u, x, y);
        if (i >= 0) naRuchMyszy(u.slupki[i].seria, u.slupki[i].punkt);
        else naRuchMyszy(-1, -1);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      sledzi_ = false;
      if (naRuchMyszy && !ciagnie_) naRuchMyszy(-1, -1);
      return 0;
    case WM_LBUTTONDOWN:
      if (!powiekszanie_) break;
      SetCapture(Hwnd());
      ciagnie_ = true;
      start_ = ostatni_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      return 0;
    case WM_LBUTTONUP:
      if (!ciagnie_) break;
      ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      if (ciagnie_) {
        ciagnie_ = false;
        if (ramkaWidoczna_) Ramka(ostatni_.x, ostatni_.y);
        ramkaWidoczna_ = false;
        Animuj(wykres::Powieksz(dane_, widok_, Uklad(), start_.x, start_.y, ostatni_.x, ostatni_.y));
      }
      przesuwa_ = false;
      return 0;
    case WM_RBUTTONDOWN:
      przesuwa_ = true;
      przesunieto_ = false;
      ostatniX_ = GET_X_LPARAM(lp);
      SetCapture(Hwnd());
      return 0;
    case WM_RBUTTONUP: {
      const bool menu = !przesunieto_;
      if (GetCapture() == Hwnd()) ReleaseCapture();
      przesuwa_ = false;
      if (!menu) return 0;
      break;  // the default turns it into WM_CONTEXTMENU for the form's pop-up menu
    }
    case WM_TIMER:
      if (wp == kTimerAnimacji) {
        KrokAnimacji();
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
  }
  return Default(msg, wp, lp);
}
