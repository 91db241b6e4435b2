// Page "Intensywność pracy": three sliders of the work-time limits, the day indicator, the pie
// chart and the ratio of work to break.
#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "options/win32/Strony.h"

namespace {

constexpr COLORREF kPraca = RGB(214, 32, 22), kPracaJasna = RGB(243, 153, 148);
constexpr COLORREF kPrzerwa = RGB(39, 179, 28), kPrzerwaJasna = RGB(48, 215, 34);

void Wypelnij(HDC dc, int l, int t, int r, int b, COLORREF c) {
  SetDCBrushColor(dc, c);
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

class TStronaIntensywnosci : public TStronaOpcji {
 public:
  TStronaIntensywnosci(HWND dialog, const RECT& obszar, DialogOpcji& o)
      : TStronaOpcji(dialog, obszar, "Intensywność pracy", o) {
    struct Opis {
      const char* nazwa;
      const char* podpis;
      ZakresSuwaka zakres;
      int coIle;       // a scale label every so many positions
      int jednostka;   // label value per labelled step
    };
    const Opis opisy[] = {{"CalkowityCzas", "Całkowity czas pracy (godz.):", kSuwakCalkowityCzas, 2, 1},
                          {"CzasPracy", "Czas nieprzerwanej pracy (min.):", kSuwakCzasPracy, 3, 15},
                          {"CzasPrzerwy", "Czas przerwy (min.):", kSuwakCzasPrzerwy, 1, 5}};
    int y = 2;
    for (int i = 0; i < 3; ++i) {
      const Opis& o = opisy[i];
      AddLabel(std::string("lab") + o.nazwa, o.podpis, {12, y, 300, 15});
      suwaki_[i] = AddSlider(std::string("suw") + o.nazwa, {6, y + 14, 590, 24}, o.zakres.min, o.zakres.max);
      std::vector<std::pair<int, std::string>> skala;
      for (int p = o.zakres.min; p <= o.zakres.max; ++p)
        if (p % o.coIle == 0) skala.push_back({p, std::to_string(p / o.coIle * o.jednostka)});
      AddSliderLabels(suwaki_[i], y + 38, skala);
      y += 54;
    }
    AddLabel("labWskaznik", "Podział dnia pracy na pracę (czerwony) i przerwy (zielony), minuta na punkt:",
             {12, y + 2, 560, 15});
    pbWskaznik_ = AddLabel("pbWskaznik", "", {14, y + 18, 560, 21}, SS_OWNERDRAW);
    y += 44;
    AddGroup("grpStosunek", "Stosunek czasu pracy do przerwy", {8, y, 400, 92});
    pbWykres_ = AddLabel("chtStosunek", "", {20, y + 16, 72, 72}, SS_OWNERDRAW);
    labStosunek_ = AddLabel("labStosunek", "", {130, y + 22, 260, 30});
    win::SetFont(labStosunek_.Hwnd(), BoldFont(16));
    AddLabel("labLegendaPraca", "praca", {150, y + 62, 80, 15});
    AddLabel("labLegendaPrzerwa", "przerwa", {250, y + 62, 80, 15});
    legendaY_ = y + 63;
    AddButton("cmdOpcjeZaawansowane", "Opcje zaawansowane", {440, y + 66, 150, 26},
              [this] { opcje_.OpcjeZaawansowane(); });
  }

  void Wczytaj() override {
    wczytane_ = Szkic().limity;
    poczatkowe_ = PolozeniaZLimitow(wczytane_);
    // Setting a trackbar's position sends no notification, so nothing here changes the draft.
    suwaki_[0].SetPosition(poczatkowe_.calkowity);
    suwaki_[1].SetPosition(poczatkowe_.praca);
    suwaki_[2].SetPosition(poczatkowe_.przerwa);
    Odswiez();
  }

 protected:
  // A slider at the place it started from leaves its limit as loaded, also one it cannot show
  // exactly; the other fields of the draft stay as they are.
  bool OnScroll(HWND, int, bool) override {
    const PolozeniaIntensywnosci teraz{suwaki_[0].Position(), suwaki_[1].Position(), suwaki_[2].Position()};
    const LimitsRecord z = ZastosujSuwaki(wczytane_, poczatkowe_, teraz);
    LimitsRecord& l = Szkic().limity;
    l.caDziennyLimit = z.caDziennyLimit;
    l.caPracyDoPrzerwy = z.caPracyDoPrzerwy;
    l.caDlugoscPrzerwy = z.caDlugoscPrzerwy;
    Odswiez();
    return true;
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& d) override {
    if (d.hwndItem == pbWskaznik_.Hwnd()) RysujWskaznik(d.hDC, d.rcItem);
    else if (d.hwndItem == pbWykres_.Hwnd()) RysujWykres(d.hDC, d.rcItem);
    else return false;
    return true;
  }

  // Legend squares beside their words.
  void OnPaint(HDC dc, const RECT&) override {
    HGDIOBJ p = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ b = SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, kPraca);
    Rectangle(dc, S(134), S(legendaY_), S(134 + 11), S(legendaY_ + 11));
    SetDCBrushColor(dc, kPrzerwa);
    Rectangle(dc, S(234), S(legendaY_), S(234 + 11), S(legendaY_ + 11));
    SelectObject(dc, b);
    SelectObject(dc, p);
  }

 private:
  void Odswiez() {
    const LimitsRecord& l = Szkic().limity;
    labStosunek_.SetText(TekstStosunku(l.caPracyDoPrzerwy, l.caDlugoscPrzerwy));
    InvalidateRect(pbWskaznik_.Hwnd(), nullptr, TRUE);
    InvalidateRect(pbWykres_.Hwnd(), nullptr, TRUE);
  }

  void RysujWskaznik(HDC dc, const RECT& rc) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const LimitsRecord& l = Szkic().limity;
    const WskaznikDnia w = UlozWskaznik(l.caDziennyLimit, l.caPracyDoPrzerwy, l.caDlugoscPrzerwy);
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
    const LimitsRecord& l = Szkic().limity;
    for (const WycinekWykresu& w : UlozWykres(l.caPracyDoPrzerwy, l.caDlugoscPrzerwy)) {
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

  win::Slider suwaki_[3];
  LimitsRecord wczytane_;
  PolozeniaIntensywnosci poczatkowe_;
  win::Control pbWskaznik_, pbWykres_, labStosunek_;
  int legendaY_ = 0;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaIntensywnosci(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaIntensywnosci>(dialog, obszar, opcje);
}
