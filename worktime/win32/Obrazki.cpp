#include "worktime/win32/Obrazki.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int kSkala = 2;  // drawn at twice the size, then averaged down
constexpr int kDuzy = TfrmObrazki::kRozmiar * kSkala;

// A small pen-and-brush helper in design coordinates (0..252).
class Pedzel {
 public:
  explicit Pedzel(HDC dc) : dc_(dc) {}

  void Elipsa(double x1, double y1, double x2, double y2, COLORREF wypelnienie, COLORREF obrys = CLR_INVALID,
              int grubosc = 2) {
    Wybierz(wypelnienie, obrys, grubosc);
    Ellipse(dc_, S(x1), S(y1), S(x2), S(y2));
    Zwolnij();
  }
  void Prostokat(double x1, double y1, double x2, double y2, COLORREF wypelnienie, COLORREF obrys = CLR_INVALID,
                 int grubosc = 2) {
    Wybierz(wypelnienie, obrys, grubosc);
    Rectangle(dc_, S(x1), S(y1), S(x2), S(y2));
    Zwolnij();
  }
  void Zaokraglony(double x1, double y1, double x2, double y2, double r, COLORREF wypelnienie,
                   COLORREF obrys = CLR_INVALID, int grubosc = 2) {
    Wybierz(wypelnienie, obrys, grubosc);
    RoundRect(dc_, S(x1), S(y1), S(x2), S(y2), S(r), S(r));
    Zwolnij();
  }
  void Wielokat(std::initializer_list<POINT> punkty, COLORREF wypelnienie, COLORREF obrys = CLR_INVALID,
                int grubosc = 2) {
    std::vector<POINT> p;
    for (POINT q : punkty) p.push_back({S(q.x), S(q.y)});
    Wybierz(wypelnienie, obrys, grubosc);
    Polygon(dc_, p.data(), static_cast<int>(p.size()));
    Zwolnij();
  }
  void Linia(std::initializer_list<POINT> punkty, COLORREF kolor, int grubosc) {
    std::vector<POINT> p;
    for (POINT q : punkty) p.push_back({S(q.x), S(q.y)});
    HPEN pen = CreatePen(PS_SOLID, grubosc * kSkala, kolor);
    HGDIOBJ stare = SelectObject(dc_, pen);
    Polyline(dc_, p.data(), static_cast<int>(p.size()));
    SelectObject(dc_, stare);
    DeleteObject(pen);
  }
  // A smooth curve through Bezier control points (1 + 3n points).
  void Krzywa(std::initializer_list<POINT> punkty, COLORREF kolor, int grubosc) {
    std::vector<POINT> p;
    for (POINT q : punkty) p.push_back({S(q.x), S(q.y)});
    LOGBRUSH lb{BS_SOLID, kolor, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, grubosc * kSkala, &lb, 0,
                            nullptr);
    HGDIOBJ stare = SelectObject(dc_, pen);
    PolyBezier(dc_, p.data(), static_cast<DWORD>(p.size()));
    SelectObject(dc_, stare);
    DeleteObject(pen);
  }
  void Pierscien(double x1, double y1, double x2, double y2, COLORREF kolor, int grubosc) {
    LOGBRUSH lb{BS_SOLID, kolor, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, grubosc * kSkala, &lb, 0, nullptr);
    HGDIOBJ stare = SelectObject(dc_, pen);
    HGDIOBJ pedzel = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    Ellipse(dc_, S(x1), S(y1), S(x2), S(y2));
    SelectObject(dc_, pedzel);
    SelectObject(dc_, stare);
    DeleteObject(pen);
  }
  // A five-pointed star.
  void Gwiazda(double cx, double cy, double r, COLORREF kolor) {
    std::vector<POINT> p;
    for (int i = 0; i < 10; ++i) {
      const double a = -kPi / 2 + i * kPi / 5;
      const double rr = i % 2 ? r * 0.45 : r;
      p.push_back({S(cx + rr * std::cos(a)), S(cy + rr * std::sin(a))});
    }
    Wybierz(kolor, CLR_INVALID, 0);
    Polygon(dc_, p.data(), static_cast<int>(p.size()));
    Zwolnij();
  }
  void Slonce(double cx, double cy, double r) {
    for (int i = 0; i < 12; ++i) {
      const double a = i * kPi / 6;
      Linia({P(cx + (r + 5) * std::cos(a), cy + (r + 5) * std::sin(a)),
             P(cx + (r + 14) * std::cos(a), cy + (r + 14) * std::sin(a))},
            RGB(255, 190, 40), 4);
    }
    Elipsa(cx - r, cy - r, cx + r, cy + r, RGB(255, 214, 64), RGB(245, 170, 30), 2);
  }
  void Chmurka(double x, double y, double s) {
    const COLORREF biel = RGB(255, 255, 255);
    Elipsa(x, y + 8 * s, x + 26 * s, y + 26 * s, biel);
    Elipsa(x + 12 * s, y, x + 38 * s, y + 26 * s, biel);
    Elipsa(x + 26 * s, y + 8 * s, x + 50 * s, y + 26 * s, biel);
  }
  static POINT P(double x, double y) { return {static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))}; }

 private:
  static int S(double v) { return static_cast<int>(std::lround(v * kSkala)); }
  void Wybierz(COLORREF wypelnienie, COLORREF obrys, int grubosc) {
    brush_ = wypelnienie == CLR_INVALID ? nullptr : CreateSolidBrush(wypelnienie);
    pen_ = obrys == CLR_INVALID ? nullptr : CreatePen(PS_SOLID, grubosc * kSkala, obrys);
    staryPedzel_ = SelectObject(dc_, brush_ ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
    staryPioro_ = SelectObject(dc_, pen_ ? static_cast<HGDIOBJ>(pen_) : GetStockObject(NULL_PEN));
  }
  void Zwolnij() {
    SelectObject(dc_, staryPedzel_);
    SelectObject(dc_, staryPioro_);
    if (brush_) DeleteObject(brush_);
    if (pen_) DeleteObject(pen_);
    brush_ = nullptr;
    pen_ = nullptr;
  }
  HDC dc_;
  HBRUSH brush_ = nullptr;
  HPEN pen_ = nullptr;
  HGDIOBJ staryPedzel_ = nullptr, staryPioro_ = nullptr;
};

using P = POINT;
constexpr COLORREF kObrys = RGB(70, 60, 60);

// Everything outside the medallion is cut away later; the scenes fill the circle.
void Niebo(Pedzel& p, COLORREF gora, COLORREF dol, double horyzont) {
  p.Prostokat(0, 0, 252, horyzont, gora);
  p.Prostokat(0, horyzont, 252, 252, dol);
}

void Objad(Pedzel& p) {
  Niebo(p, RGB(255, 236, 170), RGB(250, 214, 140), 150);
  // Table cloth stripes.
  for (int x = 0; x < 252; x += 36) p.Prostokat(x, 150, x + 18, 252, RGB(240, 120, 110));
  p.Elipsa(36, 88, 216, 200, RGB(205, 205, 215));                   // plate shadow
  p.Elipsa(34, 80, 214, 190, RGB(255, 255, 255), RGB(170, 170, 185), 2);
  p.Elipsa(62, 98, 186, 172, RGB(246, 246, 250), RGB(200, 200, 210), 2);
  // Potatoes, a cutlet and peas.
  p.Elipsa(76, 112, 118, 146, RGB(250, 212, 90), RGB(200, 150, 40), 2);
  p.Elipsa(92, 128, 128, 158, RGB(250, 212, 90), RGB(200, 150, 40), 2);
  p.Zaokraglony(120, 110, 172, 150, 26, RGB(180, 100, 40), RGB(120, 60, 20), 2);
  for (int i = 0; i < 5; ++i) p.Elipsa(128 + i * 9, 146 + (i % 2) * 5, 138 + i * 9, 156 + (i % 2) * 5, RGB(90, 180, 60));
  // Fork and knife.
  p.Zaokraglony(14, 90, 24, 196, 6, RGB(190, 190, 200), RGB(120, 120, 130), 1);
  for (int i = 0; i < 3; ++i) p.Prostokat(11 + i * 6, 70, 14 + i * 6, 96, RGB(190, 190, 200));
  p.Zaokraglony(226, 70, 238, 196, 8, RGB(190, 190, 200), RGB(120, 120, 130), 1);
  // Steam.
  for (int i = 0; i < 3; ++i)
    p.Krzywa({P{100 + i * 24, 92}, P{90 + i * 24, 76}, P{112 + i * 24, 66}, P{102 + i * 24, 48}}, RGB(255, 255, 255), 4);
}

void Filizanka(Pedzel& p) {
  Niebo(p, RGB(190, 225, 250), RGB(150, 110, 80), 170);
  p.Elipsa(46, 170, 206, 210, RGB(255, 255, 255), RGB(150, 150, 170), 2);  // saucer
  p.Pierscien(160, 112, 204, 156, RGB(220, 70, 70), 10);                    // handle
  p.Wielokat({P{64, 100}, P{184, 100}, P{172, 178}, P{76, 178}}, RGB(230, 80, 80), kObrys, 2);
  p.Elipsa(64, 90, 184, 112, RGB(120, 70, 40), kObrys, 2);  // coffee
  p.Elipsa(84, 130, 104, 150, RGB(255, 255, 255));           // dots on the cup
  p.Elipsa(116, 140, 136, 160, RGB(255, 255, 255));
  p.Elipsa(146, 126, 162, 142, RGB(255, 255, 255));
  for (int i = 0; i < 3; ++i)
    p.Krzywa({P{96 + i * 28, 84}, P{84 + i * 28, 66}, P{110 + i * 28, 56}, P{98 + i * 28, 34}}, RGB(255, 255, 255), 5);
}

void Ciastko(Pedzel& p) {
  Niebo(p, RGB(255, 220, 235), RGB(235, 190, 210), 190);
  p.Elipsa(36, 176, 216, 214, RGB(255, 255, 255), RGB(170, 160, 170), 2);   // plate
  p.Prostokat(56, 120, 196, 190, RGB(200, 140, 80));                         // sponge
  p.Elipsa(56, 176, 196, 202, RGB(200, 140, 80));
  p.Prostokat(56, 146, 196, 156, RGB(250, 240, 230));                        // cream layer
  p.Elipsa(56, 104, 196, 136, RGB(255, 150, 190), RGB(230, 110, 160), 2);    // icing
  for (int i = 0; i < 6; ++i) p.Elipsa(60 + i * 22, 124, 80 + i * 22, 146, RGB(255, 150, 190));
  p.Prostokat(120, 62, 132, 112, RGB(120, 170, 250), RGB(80, 120, 210), 1);  // candle
  p.Elipsa(116, 38, 136, 64, RGB(255, 200, 40), RGB(250, 140, 20), 2);       // flame
  p.Elipsa(146, 96, 168, 118, RGB(210, 30, 50), RGB(150, 20, 30), 2);        // cherry
  p.Krzywa({P{157, 98}, P{160, 84}, P{168, 78}, P{176, 74}}, RGB(60, 130, 40), 3);
}

void Domek(Pedzel& p) {
  Niebo(p, RGB(160, 215, 250), RGB(110, 190, 90), 180);
  p.Slonce(190, 60, 18);
  p.Chmurka(30, 40, 1.0);
  p.Prostokat(150, 70, 168, 110, RGB(170, 70, 60), kObrys, 2);                       // chimney
  p.Prostokat(66, 120, 186, 200, RGB(250, 230, 180), kObrys, 2);                     // walls
  p.Wielokat({P{52, 124}, P{126, 62}, P{200, 124}}, RGB(210, 70, 60), kObrys, 2);   // roof
  p.Zaokraglony(112, 148, 140, 200, 8, RGB(150, 90, 50), kObrys, 2);                 // door
  p.Elipsa(132, 172, 137, 177, RGB(250, 210, 60));
  p.Prostokat(78, 136, 102, 160, RGB(150, 210, 250), kObrys, 2);                     // windows
  p.Prostokat(150, 136, 174, 160, RGB(150, 210, 250), kObrys, 2);
  p.Linia({P{90, 136}, P{90, 160}}, kObrys, 2);
  p.Linia({P{162, 136}, P{162, 160}}, kObrys, 2);
  p.Linia({P{126, 200}, P{112, 252}}, RGB(200, 170, 110), 14);                        // path
}

void Luzko(Pedzel& p) {
  Niebo(p, RGB(40, 50, 110), RGB(70, 60, 100), 170);
  p.Elipsa(160, 30, 200, 70, RGB(250, 240, 170));  // moon
  p.Elipsa(172, 24, 212, 64, RGB(40, 50, 110));
  for (auto [x, y, r] : {std::tuple{50, 50, 7}, {90, 30, 5}, {130, 60, 6}, {70, 90, 4}, {214, 100, 5}})
    p.Gwiazda(x, y, r, RGB(255, 240, 150));
  p.Zaokraglony(30, 110, 46, 206, 6, RGB(160, 100, 60), kObrys, 2);   // headboard
  p.Zaokraglony(206, 140, 222, 206, 6, RGB(160, 100, 60), kObrys, 2);
  p.Prostokat(40, 160, 214, 190, RGB(160, 100, 60), kObrys, 2);       // frame
  p.Zaokraglony(44, 136, 210, 166, 10, RGB(255, 255, 255), kObrys, 2);  // mattress
  p.Zaokraglony(50, 118, 104, 146, 20, RGB(250, 250, 255), kObrys, 2);  // pillow
  p.Zaokraglony(90, 128, 212, 170, 16, RGB(90, 140, 230), kObrys, 2);   // blanket
  p.Linia({P{110, 134}, P{110, 168}}, RGB(70, 110, 200), 2);
  p.Elipsa(62, 108, 96, 138, RGB(250, 210, 170), kObrys, 2);            // sleeper's head
  p.Krzywa({P{70, 124}, P{74, 128}, P{78, 128}, P{82, 124}}, kObrys, 2);
  for (int i = 0; i < 3; ++i) p.Linia({P{110 + i * 16, 100 - i * 14}, P{120 + i * 16, 100 - i * 14},
                                       P{110 + i * 16, 110 - i * 14}, P{120 + i * 16, 110 - i * 14}},
                                      RGB(255, 255, 255), 2);
}

void Fale(Pedzel& p, double y, COLORREF kolor) {
  for (int x = 0; x < 252; x += 40)
    p.Krzywa({P{x, y}, P{x + 10, y - 8}, P{x + 30, y - 8}, P{x + 40, y}}, kolor, 3);
}

void Zaglowka(Pedzel& p) {
  Niebo(p, RGB(170, 220, 250), RGB(60, 140, 210), 160);
  p.Slonce(60, 60, 20);
  p.Chmurka(150, 40, 0.9);
  p.Linia({P{126, 50}, P{126, 172}}, RGB(120, 80, 50), 4);                                   // mast
  p.Wielokat({P{132, 54}, P{196, 160}, P{132, 160}}, RGB(255, 255, 255), kObrys, 2);          // sails
  p.Wielokat({P{120, 66}, P{120, 160}, P{70, 160}}, RGB(250, 230, 120), kObrys, 2);
  p.Wielokat({P{126, 48}, P{148, 54}, P{126, 60}}, RGB(230, 60, 60));                           // flag
  p.Wielokat({P{52, 168}, P{206, 168}, P{186, 196}, P{72, 196}}, RGB(200, 80, 60), kObrys, 2);  // hull
  p.Prostokat(52, 168, 206, 176, RGB(255, 255, 255));
  Fale(p, 206, RGB(220, 240, 255));
  Fale(p, 228, RGB(200, 230, 250));
}

void Wyspa(Pedzel& p) {
  Niebo(p, RGB(160, 220, 250), RGB(40, 160, 200), 150);
  p.Slonce(196, 54, 18);
  p.Elipsa(40, 160, 212, 214, RGB(250, 220, 140), RGB(220, 180, 100), 2);  // sand
  p.Krzywa({P{118, 186}, P{116, 150}, P{106, 120}, P{90, 92}}, RGB(150, 100, 60), 10);  // trunk
  const COLORREF liscie = RGB(60, 170, 70);
  p.Wielokat({P{90, 92}, P{40, 80}, P{20, 110}, P{60, 94}}, liscie, RGB(40, 120, 50), 2);
  p.Wielokat({P{90, 92}, P{140, 70}, P{170, 96}, P{120, 92}}, liscie, RGB(40, 120, 50), 2);
  p.Wielokat({P{90, 92}, P{60, 50}, P{90, 40}, P{96, 80}}, liscie, RGB(40, 120, 50), 2);
  p.Wielokat({P{90, 92}, P{130, 44}, P{156, 60}, P{104, 86}}, liscie, RGB(40, 120, 50), 2);
  p.Wielokat({P{90, 92}, P{56, 122}, P{64, 140}, P{88, 104}}, liscie, RGB(40, 120, 50), 2);
  p.Elipsa(92, 88, 106, 102, RGB(130, 80, 40));  // coconuts
  p.Elipsa(80, 92, 94, 106, RGB(130, 80, 40));
  Fale(p, 228, RGB(200, 240, 250));
}

void Gory(Pedzel& p) {
  Niebo(p, RGB(180, 225, 250), RGB(100, 180, 80), 190);
  p.Slonce(190, 56, 16);
  p.Wielokat({P{-10, 200}, P{80, 70}, P{170, 200}}, RGB(120, 120, 150), kObrys, 2);
  p.Wielokat({P{80, 70}, P{58, 102}, P{72, 96}, P{82, 108}, P{94, 96}, P{104, 104}}, RGB(255, 255, 255));
  p.Wielokat({P{90, 200}, P{172, 90}, P{262, 200}}, RGB(140, 140, 170), kObrys, 2);
  p.Wielokat({P{172, 90}, P{152, 117}, P{166, 112}, P{176, 122}, P{186, 112}, P{194, 120}}, RGB(255, 255, 255));
  p.Prostokat(0, 190, 252, 252, RGB(100, 180, 80));
  for (int x : {30, 60, 200, 226}) {  // fir trees
    p.Wielokat({P{x, 168}, P{x - 12, 200}, P{x + 12, 200}}, RGB(40, 120, 60));
    p.Prostokat(x - 2, 200, x + 2, 208, RGB(120, 80, 50));
  }
  p.Krzywa({P{110, 252}, P{120, 230}, P{140, 216}, P{130, 196}}, RGB(200, 180, 130), 8);
}

void Drzwi(Pedzel& p) {
  Niebo(p, RGB(230, 215, 190), RGB(170, 130, 100), 206);
  p.Prostokat(72, 44, 180, 208, RGB(90, 60, 40));                                           // frame
  p.Prostokat(80, 52, 172, 206, RGB(255, 240, 170));                                        // light outside
  p.Wielokat({P{80, 206}, P{172, 206}, P{226, 252}, P{26, 252}}, RGB(255, 235, 160));       // light on the floor
  p.Wielokat({P{80, 52}, P{124, 66}, P{124, 214}, P{80, 206}}, RGB(170, 110, 60), kObrys, 2);  // open door
  p.Wielokat({P{88, 72}, P{116, 80}, P{116, 130}, P{88, 124}}, RGB(150, 95, 50), kObrys, 1);
  p.Wielokat({P{88, 140}, P{116, 146}, P{116, 196}, P{88, 192}}, RGB(150, 95, 50), kObrys, 1);
  p.Elipsa(112, 132, 120, 140, RGB(250, 200, 60));                                           // knob
  // A walking figure in the doorway.
  p.Elipsa(140, 92, 158, 110, RGB(80, 80, 100));
  p.Linia({P{149, 110}, P{147, 150}}, RGB(80, 80, 100), 6);
  p.Linia({P{147, 150}, P{136, 180}}, RGB(80, 80, 100), 6);
  p.Linia({P{147, 150}, P{160, 178}}, RGB(80, 80, 100), 6);
  p.Linia({P{148, 120}, P{134, 140}}, RGB(80, 80, 100), 5);
  p.Linia({P{148, 120}, P{164, 136}}, RGB(80, 80, 100), 5);
}

void Komputer(Pedzel& p) {
  Niebo(p, RGB(220, 230, 240), RGB(180, 160, 140), 190);
  p.Zaokraglony(44, 50, 208, 164, 12, RGB(90, 95, 110), kObrys, 2);   // monitor
  p.Prostokat(56, 62, 196, 150, RGB(30, 40, 90));                      // screen
  for (auto [x, y, r] : {std::tuple{80, 84, 6}, {120, 110, 9}, {160, 80, 5}, {176, 128, 7}, {96, 134, 4}})
    p.Gwiazda(x, y, r, RGB(250, 230, 120));
  p.Wielokat({P{110, 164}, P{142, 164}, P{150, 186}, P{102, 186}}, RGB(120, 125, 140), kObrys, 2);  // stand
  p.Zaokraglony(40, 194, 212, 222, 8, RGB(200, 205, 215), kObrys, 2);  // keyboard
  for (int r = 0; r < 2; ++r)
    for (int k = 0; k < 9; ++k) p.Prostokat(50 + k * 18, 199 + r * 10, 62 + k * 18, 206 + r * 10, RGB(150, 155, 170));
  p.Elipsa(188, 152, 198, 160, RGB(120, 230, 120));  // power light
}

void Klepsydra(Pedzel& p) {
  Niebo(p, RGB(200, 230, 220), RGB(170, 210, 200), 200);
  p.Wielokat({P{84, 56}, P{168, 56}, P{132, 124}, P{168, 196}, P{84, 196}, P{120, 124}}, RGB(225, 245, 255),
             RGB(120, 150, 170), 2);
  p.Wielokat({P{100, 84}, P{152, 84}, P{128, 120}, P{124, 120}}, RGB(240, 200, 90));     // sand above
  p.Wielokat({P{126, 150}, P{160, 194}, P{92, 194}}, RGB(240, 200, 90));                 // sand below
  p.Linia({P{126, 122}, P{126, 176}}, RGB(240, 200, 90), 2);
  p.Zaokraglony(70, 40, 182, 58, 8, RGB(160, 100, 60), kObrys, 2);
  p.Zaokraglony(70, 194, 182, 212, 8, RGB(160, 100, 60), kObrys, 2);
  p.Prostokat(76, 58, 84, 194, RGB(160, 100, 60));
  p.Prostokat(168, 58, 176, 194, RGB(160, 100, 60));
}

void Rysuj(Obrazek o, Pedzel& p) {
  switch (o) {
    case Obrazek::Objad: Objad(p); break;
    case Obrazek::Filizanka: Filizanka(p); break;
    case Obrazek::Ciastko: Ciastko(p); break;
    case Obrazek::Domek: Domek(p); break;
    case Obrazek::Luzko: Luzko(p); break;
    case Obrazek::Zaglowka: Zaglowka(p); break;
    case Obrazek::Wyspa: Wyspa(p); break;
    case Obrazek::Gory: Gory(p); break;
    case Obrazek::Drzwi: Drzwi(p); break;
    case Obrazek::Komputer: Komputer(p); break;
    case Obrazek::Klepsydra: Klepsydra(p); break;
    case Obrazek::Brak: break;
  }
}

HBITMAP NowaDib(HDC dc, int w, int h, uint32_t** bity) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // rows from the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bity = static_cast<uint32_t*>(p);
  return b;
}

std::vector<uint32_t> Narysuj(Obrazek o) {
  std::vector<uint32_t> wynik;
  HDC ekran = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(ekran);
  ReleaseDC(nullptr, ekran);
  uint32_t* bity = nullptr;
  HBITMAP duzy = NowaDib(dc, kDuzy, kDuzy, &bity);
  if (!duzy || !bity) {
    DeleteDC(dc);
    return wynik;
  }
  HGDIOBJ stary = SelectObject(dc, duzy);
  const COLORREF tlo = GetSysColor(COLOR_BTNFACE);
  HBRUSH pedzelTla = CreateSolidBrush(tlo);
  RECT wszystko{0, 0, kDuzy, kDuzy};
  FillRect(dc, &wszystko, pedzelTla);
  DeleteObject(pedzelTla);

  // The scene inside the round medallion, then its rim.
  const int m = 4 * kSkala;
  HRGN kolo = CreateEllipticRgn(m, m, kDuzy - m, kDuzy - m);
  SelectClipRgn(dc, kolo);
  Pedzel p(dc);
  Rysuj(o, p);
  SelectClipRgn(dc, nullptr);
  DeleteObject(kolo);
  p.Pierscien(4, 4, 248, 248, RGB(255, 255, 255), 5);
  p.Pierscien(2, 2, 250, 250, RGB(150, 150, 160), 1);
  GdiFlush();

  // Average 2 x 2 blocks.
  const int n = TfrmObrazki::kRozmiar;
  wynik.resize(static_cast<size_t>(n) * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      unsigned r = 0, g = 0, b = 0;
      for (int dy = 0; dy < kSkala; ++dy)
        for (int dx = 0; dx < kSkala; ++dx) {
          const uint32_t v = bity[(y * kSkala + dy) * kDuzy + x * kSkala + dx];
          r += (v >> 16) & 0xFF;
          g += (v >> 8) & 0xFF;
          b += v & 0xFF;
        }
      const unsigned k = kSkala * kSkala;
      wynik[static_cast<size_t>(y) * n + x] = ((r / k) << 16) | ((g / k) << 8) | (b / k);
    }
  SelectObject(dc, stary);
  DeleteObject(duzy);
  DeleteDC(dc);
  return wynik;
}

}  // namespace

TfrmObrazki::TfrmObrazki() {
  for (int i = 1; i <= kLiczbaObrazkow; ++i) obrazki_[i] = Narysuj(static_cast<Obrazek>(i));
}

const std::vector<uint32_t>& TfrmObrazki::Piksele(Obrazek obrazek) const {
  const int i = static_cast<int>(obrazek);
  return obrazki_[i >= 0 && i <= kLiczbaObrazkow ? i : 0];
}

HBITMAP TfrmObrazki::Kopia(Obrazek obrazek) const {
  const std::vector<uint32_t>& px = Piksele(obrazek);
  if (px.empty()) return nullptr;
  HDC ekran = GetDC(nullptr);
  uint32_t* bity = nullptr;
  HBITMAP b = NowaDib(ekran, kRozmiar, kRozmiar, &bity);
  ReleaseDC(nullptr, ekran);
  if (b && bity) std::copy(px.begin(), px.end(), bity);
  return b;
}
