// Page "Intensywność pracy": three sliders of the work-time limits, the day indicator, the pie
// chart and the ratio of work to break.
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "options/win32/OpcjeZaawansowane.h"
#include "options/win32/Strony.h"
#include "worktime/InfoSaver.h"

namespace {

enum : int { idCalkowity = 10, idPraca, idPrzerwa, idWskaznik, idWykres, idZaawansowane };

constexpr COLORREF kPraca = RGB(214, 32, 22), kPracaJasna = RGB(243, 153, 148);
constexpr COLORREF kPrzerwa = RGB(39, 179, 28), kPrzerwaJasna = RGB(48, 215, 34);

void Wypelnij(HDC dc, int l, int t, int r, int b, COLORREF c) {
  SetDCBrushColor(dc, c);
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

class TStronaIntensywnosci : public TStronaOpcji {
 public:
  TStronaIntensywnosci(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Intensywność pracy", k) {
    struct Opis {
      const char* nazwa;
      int id;
      const char* podpis;
      ZakresSuwaka zakres;
      int coIle;       // a scale label every so many positions
      int jednostka;   // label value per labelled step
    };
    const Opis opisy[] = {{"suwCalkowityCzas", idCalkowity, "Całkowity czas pracy (godz.):", kSuwakCalkowityCzas, 2, 1},
                          {"suwCzasPracy", idPraca, "Czas nieprzerwanej pracy (min.):", kSuwakCzasPracy, 3, 15},
                          {"suwCzasPrzerwy", idPrzerwa, "Czas przerwy (min.):", kSuwakCzasPrzerwy, 1, 5}};
    int y = 2;
    for (const Opis& o : opisy) {
      Etykieta(std::string("lab") + (o.nazwa + 3), o.podpis, 12, y, 300, 15);
      HWND s = Suwak(o.nazwa, o.id, 6, y + 14, 590, 24, o.zakres.min, o.zakres.max);
      Skala(s, o.zakres, o.coIle, o.jednostka, y + 38);
      y += 54;
    }
    Etykieta("labWskaznik", "Podział dnia pracy na pracę (czerwony) i przerwy (zielony), minuta na punkt:", 12, y + 2,
             560, 15);
    pbWskaznik_ = win::CreateChild(Hwnd(), L"STATIC", "pbWskaznik", idWskaznik, "", WS_VISIBLE | SS_OWNERDRAW, S(14),
                                   S(y + 18), S(560), S(21));
    y += 44;
    Grupa("grpStosunek", "Stosunek czasu pracy do przerwy", 8, y, 400, 92);
    pbWykres_ = win::CreateChild(Hwnd(), L"STATIC", "chtStosunek", idWykres, "", WS_VISIBLE | SS_OWNERDRAW, S(20),
                                 S(y + 16), S(72), S(72));
    labStosunek_ = Etykieta("labStosunek", "", 130, y + 22, 260, 30);
    win::SetFont(labStosunek_, Duza());
    Etykieta("labLegendaPraca", "praca", 150, y + 62, 80, 15);
    Etykieta("labLegendaPrzerwa", "przerwa", 250, y + 62, 80, 15);
    legendaY_ = y + 63;
    Przycisk("cmdOpcjeZaawansowane", idZaawansowane, "Opcje zaawansowane", 440, y + 66, 150, 26);
  }

  void Wczytaj() override {
    poczatkowe_ = PolozeniaZLimitow(kontekst_.infoSaver->DajLimity());
    // Setting a trackbar's position sends no notification, so nothing here changes the copy.
    SendMessageW(Kontrolka("suwCalkowityCzas"), TBM_SETPOS, TRUE, poczatkowe_.calkowity);
    SendMessageW(Kontrolka("suwCzasPracy"), TBM_SETPOS, TRUE, poczatkowe_.praca);
    SendMessageW(Kontrolka("suwCzasPrzerwy"), TBM_SETPOS, TRUE, poczatkowe_.przerwa);
    kopia_ = kontekst_.infoSaver->DajLimity();
    Odswiez();
  }

  void Zapisz() override {
    TInfoSaver& is = *kontekst_.infoSaver;
    const LimitsRecord nowe = ZastosujSuwaki(is.DajLimity(), poczatkowe_, Polozenia());
    is.UstawLimity(nowe);
  }

 protected:
  void Przewiniecie(HWND) override {
    kopia_ = ZastosujSuwaki(kopia_, poczatkowe_, Polozenia());
    Odswiez();
  }

  void Polecenie(int id, int, HWND) override {
    if (id != idZaawansowane) return;
    TfrmOpcjeZaawansowane okno(*kontekst_.infoSaver, kontekst_.poZmianieLimitow);
    okno.Pokaz(GetAncestor(Hwnd(), GA_ROOT));
  }

  bool Rysuj(const DRAWITEMSTRUCT* d) override {
    if (d->CtlID == idWskaznik) RysujWskaznik(d->hDC, d->rcItem);
    else if (d->CtlID == idWykres) RysujWykres(d->hDC, d->rcItem);
    else return false;
    return true;
  }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Hwnd(), &ps);
      // Legend squares beside their words.
      HGDIOBJ p = SelectObject(dc, GetStockObject(BLACK_PEN));
      HGDIOBJ b = SelectObject(dc, GetStockObject(DC_BRUSH));
      SetDCBrushColor(dc, kPraca);
      Rectangle(dc, S(134), S(legendaY_), S(134 + 11), S(legendaY_ + 11));
      SetDCBrushColor(dc, kPrzerwa);
      Rectangle(dc, S(234), S(legendaY_), S(234 + 11), S(legendaY_ + 11));
      SelectObject(dc, b);
      SelectObject(dc, p);
      EndPaint(Hwnd(), &ps);
      return 0;
    }
    return TStronaOpcji::HandleMessage(msg, wp, lp);
  }

 private:
  static HFONT Duza() {
    static HFONT f = win::CreateFontPt(L"Tahoma", 16, true);
    return f;
  }

  // Labels under the slider at every `coIle`-th position, centred on the thumb's places.
  void Skala(HWND suwak, const ZakresSuwaka& z, int coIle, int jednostka, int y) {
    RECT kanal{}, kciuk{};
    SendMessageW(suwak, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&kanal));
    SendMessageW(suwak, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&kciuk));
    const int polowa = (kciuk.right - kciuk.left) / 2;
    const int od = kanal.left + polowa, doo = kanal.right - polowa;
    RECT r{};
    GetWindowRect(suwak, &r);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    for (int p = z.min; p <= z.max; ++p) {
      if (p % coIle != 0) continue;
      const int x = r.left + od + (doo - od) * (p - z.min) / (z.max - z.min);
      win::CreateChild(Hwnd(), L"STATIC", "", 0, std::to_string(p / coIle * jednostka), WS_VISIBLE | SS_CENTER,
                       x - S(15), S(y), S(30), S(14));
    }
  }

  PolozeniaIntensywnosci Polozenia() const {
    auto poz = [this](const char* n) { return static_cast<int>(SendMessageW(Kontrolka(n), TBM_GETPOS, 0, 0)); };
    return {poz("suwCalkowityCzas"), poz("suwCzasPracy"), poz("suwCzasPrzerwy")};
  }

  void Odswiez() {
    win::SetText(labStosunek_, TekstStosunku(kopia_.caPracyDoPrzerwy, kopia_.caDlugoscPrzerwy));
    InvalidateRect(pbWskaznik_, nullptr, TRUE);
    InvalidateRect(pbWykres_, nullptr, TRUE);
  }

  void RysujWskaznik(HDC dc, const RECT& rc) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const WskaznikDnia w = UlozWskaznik(kopia_.caDziennyLimit, kopia_.caPracyDoPrzerwy, kopia_.caDlugoscPrzerwy);
    const int h = kWysokoscBloku;
    for (const BlokWskaznika& b : w.bloki) {
      if (b.prawy <= b.lewy) continue;
      Wypelnij(dc, b.lewy, 0, b.prawy, h, b.praca ? kPraca : kPrzerwa);
      Wypelnij(dc, b.lewy, 0, b.prawy, 1, b.praca ? kPracaJasna : kPrzerwaJasna);
      Wypelnij(dc, b.lewy, 0, b.lewy + 1, h, b.praca ? kPracaJasna : kPrzerwaJasna);
      Wypelnij(dc, b.prawy - 1, 0, b.prawy, h, RGB(0, 0, 0));
      Wypelnij(dc, b.lewy, h - 1, b.prawy, h, RGB(0, 0, 0));
    }
    RECT wolne{w.wolneOd, 0, rc.right, h + 1};
    if (wolne.left < wolne.right) FillRect(dc, &wolne, GetSysColorBrush(COLOR_BTNFACE));
  }

  void RysujWykres(HDC dc, const RECT& rc) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    const int r = std::min(rc.right - rc.left, rc.bottom - rc.top) / 2 - 2;
    auto punkt = [&](double stopnie) {
      const double a = stopnie * 3.14159265358979 / 180;
      return POINT{cx + static_cast<int>(std::lround(r * std::sin(a))), cy - static_cast<int>(std::lround(r * std::cos(a)))};
    };
    HGDIOBJ p = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ b = SelectObject(dc, GetStockObject(DC_BRUSH));
    SetArcDirection(dc, AD_CLOCKWISE);
    for (const WycinekWykresu& w : UlozWykres(kopia_.caPracyDoPrzerwy, kopia_.caDlugoscPrzerwy)) {
      if (w.rozpietosc <= 0) continue;
      SetDCBrushColor(dc, w.praca ? kPraca : kPrzerwa);
      if (w.rozpietosc >= 360) {
        Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
        continue;
      }
      const POINT a = punkt(w.od), z = punkt(w.od + w.rozpietosc);
      Pie(dc, cx - r, cy - r, cx + r, cy + r, a.x, a.y, z.x, z.y);
    }
    SelectObject(dc, b);
    SelectObject(dc, p);
  }

  PolozeniaIntensywnosci poczatkowe_;
  LimitsRecord kopia_;
  HWND pbWskaznik_ = nullptr, pbWykres_ = nullptr, labStosunek_ = nullptr;
  int legendaY_ = 0;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaIntensywnosci(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaIntensywnosci>(dialog, obszar, kontekst);
}
