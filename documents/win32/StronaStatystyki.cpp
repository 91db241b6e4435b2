// What the statistics pages share: the page colour, the page window itself and the pages built
// around one chart with their scroll buttons.
#include "documents/win32/StronyStatystyki.h"

#include <commctrl.h>

#include "base/DateTime.h"

std::string DataSystemowa(double data) {
  const datetime::Parts p = datetime::Decode(data);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(p.year);
  st.wMonth = static_cast<WORD>(p.month);
  st.wDay = static_cast<WORD>(p.day);
  wchar_t buf[64] = {};
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 64);
  return n > 0 ? win::Narrow(buf, n - 1) : statystyka::DataKrotka(data);
}

// ---------------------------------------------------------------------------------------------

TloStron::~TloStron() { Zapomnij(); }

void TloStron::Zapomnij() {
  if (pedzel_) DeleteObject(pedzel_);
  pedzel_ = nullptr;
}

HBRUSH TloStron::Pedzel(HDC dc) {
  if (!pedzel_) {
    // The notebook paints its page into a bitmap; the colour in the middle of the page is the one.
    kolor_ = GetSysColor(COLOR_BTNFACE);
    RECT r{};
    if (zakladki_) GetClientRect(zakladki_, &r);
    if (r.right >= 40 && r.bottom >= 60) {
      HDC ekran = GetDC(zakladki_);
      HDC mem = CreateCompatibleDC(ekran);
      HBITMAP bmp = CreateCompatibleBitmap(ekran, r.right, r.bottom);
      HGDIOBJ stara = SelectObject(mem, bmp);
      FillRect(mem, &r, GetSysColorBrush(COLOR_BTNFACE));
      SendMessageW(zakladki_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
      const COLORREF k = GetPixel(mem, r.right / 2, r.bottom - 12);
      if (k != CLR_INVALID) kolor_ = k;
      SelectObject(mem, stara);
      DeleteObject(bmp);
      DeleteDC(mem);
      ReleaseDC(zakladki_, ekran);
    }
    pedzel_ = CreateSolidBrush(kolor_);
  }
  SetBkColor(dc, kolor_);
  return pedzel_;
}

// ---------------------------------------------------------------------------------------------

TStronaStatystyki::TStronaStatystyki(HWND form, int numer, const DaneStatystyki& dane, TloStron& tlo)
    : dane_(dane), tlo_(tlo), numer_(numer) {
  const std::string nazwa = "Strona" + std::to_string(numer);
  if (CreatePage(L"TStronaStatystyki", form, RECT{}, nazwa)) win::SetControlName(Hwnd(), nazwa);
}

void TStronaStatystyki::UstawKontekstPomocy() {
  const DWORD kontekst = static_cast<DWORD>(statystyka::KontekstPomocy(numer_));
  SetWindowContextHelpId(Hwnd(), kontekst);
  EnumChildWindows(
      Hwnd(),
      [](HWND c, LPARAM k) {
        SetWindowContextHelpId(c, static_cast<DWORD>(k));
        return TRUE;
      },
      static_cast<LPARAM>(kontekst));
}

RECT TStronaStatystyki::Obszar() const {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  InflateRect(&r, -S(4), -S(4));
  return r;
}

void TStronaStatystyki::Rozmiesc() {
  Uloz(Obszar());
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TStronaStatystyki::UstawTekst(const win::Control& etykieta, const std::string& tekst) {
  if (etykieta.Text() != tekst) etykieta.SetText(tekst);
}

HBRUSH TStronaStatystyki::OnControlColor(HDC dc, HWND control) {
  // The check list keeps the window colour of a list.
  wchar_t klasa[16] = {};
  GetClassNameW(control, klasa, 16);
  return lstrcmpiW(klasa, L"ListBox") == 0 ? nullptr : tlo_.Pedzel(dc);
}

void TStronaStatystyki::WymazTlo(HDC dc) {
  // Under the controls only where a group box leaves its inside to the page.
  for (HWND c = GetWindow(Hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    wchar_t klasa[16] = {};
    GetClassNameW(c, klasa, 16);
    if (lstrcmpiW(klasa, L"Button") == 0 && (GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) continue;
    RECT cr{};
    GetWindowRect(c, &cr);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&cr), 2);
    ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
  }
  RECT r{};
  GetClientRect(Hwnd(), &r);
  FillRect(dc, &r, tlo_.Pedzel(dc));
}

LRESULT TStronaStatystyki::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    WymazTlo(reinterpret_cast<HDC>(wp));
    return 1;
  }
  return Form::HandleMessage(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------------

TStronaWykresu::TStronaWykresu(HWND form, int numer, const DaneStatystyki& dane, TloStron& tlo,
                               const std::string& nazwaWykresu)
    : TStronaStatystyki(form, numer, dane, tlo) {
  wykres_ = std::make_unique<TWykres>(Hwnd(), nazwaWykresu, 1);
  wykres_->naRuchMyszy = [this](int seria, int punkt) { WykresMouseMove(seria, punkt); };
}

void TStronaWykresu::DodajPrzewijanie(const std::string& przedrostek, const std::string& podpisTylu) {
  doTylu_ = AddButton(przedrostek + "DoTylu", podpisTylu, {}, [this] { KlikniecieZKlawiatury(-1); });
  doPrzodu_ = AddButton(przedrostek + "DoPrzodu", "Do Przodu", {}, [this] { KlikniecieZKlawiatury(1); });
  for (HWND b : {doTylu_.Hwnd(), doPrzodu_.Hwnd()})
    SetWindowSubclass(b, PrzyciskProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TStronaWykresu::UlozWykres(int x, int y, int szerokosc, int wysokosc) {
  win::Control(wykres_->Hwnd()).Place(x, y, szerokosc, wysokosc);
}

void TStronaWykresu::UlozPrzewijanie(int prawa, int dol) {
  const int bw = S(85), bh = S(25);
  doPrzodu_.Place(prawa - bw, dol - bh, bw, bh);
  doTylu_.Place(prawa - 2 * bw - S(6), dol - bh, bw, bh);
}

LRESULT CALLBACK TStronaWykresu::PrzyciskProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
  auto* strona = reinterpret_cast<TStronaWykresu*>(self);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const LRESULT r = DefSubclassProc(h, msg, wp, lp);
      strona->Wcisniety(h);
      return r;
    }
    case WM_LBUTTONUP: {
      // The button reports its click inside this call; that click must not scroll again.
      strona->puszczanie_ = true;
      const LRESULT r = DefSubclassProc(h, msg, wp, lp);
      strona->puszczanie_ = false;
      strona->Zwolniony();
      return r;
    }
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
      strona->Zwolniony();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(h, PrzyciskProc, id);
      break;
  }
  return DefSubclassProc(h, msg, wp, lp);
}

void TStronaWykresu::Wcisniety(HWND przycisk) {
  przytrzymany_ = przycisk == doTylu_.Hwnd() ? -1 : 1;
  Krok(przytrzymany_);  // a short click moves too
  SetTimer(Hwnd(), kTimerPrzewijania, kOkresPrzewijania, nullptr);
}

void TStronaWykresu::Zwolniony() {
  if (przytrzymany_) KillTimer(Hwnd(), kTimerPrzewijania);
  przytrzymany_ = 0;
}

void TStronaWykresu::KlikniecieZKlawiatury(int kierunek) {
  if (!puszczanie_) Krok(kierunek);  // a mouse press has scrolled already
}

bool TStronaWykresu::OnMouse(UINT msg, POINT p, WPARAM klawisze) {
  // The wheel comes to the page from a focused button or check box: it scrolls the chart.
  if (msg != WM_MOUSEWHEEL) return false;
  SendMessageW(wykres_->Hwnd(), WM_MOUSEWHEEL, klawisze, MAKELPARAM(p.x, p.y));
  return true;
}

void TStronaWykresu::Krok(int kierunek) {
  wykres_->Przesun(2 * kierunek);
  UpdateWindow(wykres_->Hwnd());
}

bool TStronaWykresu::OnTimer(UINT_PTR id) {
  if (id != kTimerPrzewijania) return false;
  if (przytrzymany_) Krok(przytrzymany_);
  return true;
}
