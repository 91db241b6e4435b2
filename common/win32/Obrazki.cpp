#include "common/win32/Obrazki.h"

#include <algorithm>

namespace obrazki {

namespace {

// Scoped selection of a created GDI object.
class Gdi {
 public:
  Gdi(HDC dc, HGDIOBJ obj) : dc_(dc), obj_(obj), old_(SelectObject(dc, obj)) {}
  ~Gdi() {
    SelectObject(dc_, old_);
    DeleteObject(obj_);
  }
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;

 private:
  HDC dc_;
  HGDIOBJ obj_;
  HGDIOBJ old_;
};

void Fill(HDC dc, const RECT& r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void CenteredText(HDC dc, const RECT& r, const wchar_t* text, int height, COLORREF color, const wchar_t* face,
                  int weight = FW_BOLD) {
  HFONT font = CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, face);
  Gdi f(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  RECT rr = r;
  DrawTextW(dc, text, -1, &rr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Disc(HDC dc, int cx, int cy, int radius, COLORREF fill, COLORREF edge, int edgeWidth) {
  Gdi pen(dc, CreatePen(PS_SOLID, edgeWidth, edge));
  Gdi brush(dc, CreateSolidBrush(fill));
  Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
}

// A soft shadow under a round picture, like the system's icons.
void DiscShadow(HDC dc, int cx, int cy, int radius, COLORREF background) {
  COLORREF shadow = RGB(GetRValue(background) * 3 / 5, GetGValue(background) * 3 / 5, GetBValue(background) * 3 / 5);
  int d = std::max(2, radius / 12);
  Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
  Gdi brush(dc, CreateSolidBrush(shadow));
  Ellipse(dc, cx - radius + d, cy - radius + d, cx + radius + d + 1, cy + radius + d + 1);
}

void Informacja(HDC dc, int cx, int cy, int radius, COLORREF background) {
  DiscShadow(dc, cx, cy, radius, background);
  Disc(dc, cx, cy, radius, RGB(0, 64, 200), RGB(0, 32, 128), std::max(1, radius / 16));
  // The letter i: a dot and a stem with serifs.
  int u = std::max(1, radius / 8);
  Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
  Gdi brush(dc, CreateSolidBrush(RGB(255, 255, 255)));
  Ellipse(dc, cx - u - u / 2, cy - radius / 2 - 2 * u, cx + u + u / 2 + 1, cy - radius / 2 + u);
  Rectangle(dc, cx - u, cy - radius / 5, cx + u + 1, cy + radius / 2 + 1);
  Rectangle(dc, cx - 2 * u, cy - radius / 5, cx + 1, cy - radius / 5 + u + 1);
  Rectangle(dc, cx - 2 * u, cy + radius / 2 - u, cx + 2 * u + 1, cy + radius / 2 + 1);
}

void Pytanie(HDC dc, int cx, int cy, int radius, COLORREF background) {
  DiscShadow(dc, cx, cy, radius, background);
  Disc(dc, cx, cy, radius, RGB(0, 64, 200), RGB(0, 32, 128), std::max(1, radius / 16));
  RECT r{cx - radius, cy - radius, cx + radius, cy + radius + radius / 10};
  CenteredText(dc, r, L"?", radius * 3 / 2, RGB(255, 255, 255), L"Times New Roman");
}

void Ostrzezenie(HDC dc, int cx, int cy, int radius) {
  int top = cy - radius, bottom = cy + radius * 4 / 5, half = radius;
  POINT shadow[3] = {{cx + 3, top + 3}, {cx + half + 3, bottom + 3}, {cx - half + 3, bottom + 3}};
  POINT tri[3] = {{cx, top}, {cx + half, bottom}, {cx - half, bottom}};
  {
    Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
    Gdi brush(dc, CreateSolidBrush(RGB(128, 128, 128)));
    Polygon(dc, shadow, 3);
  }
  {
    Gdi pen(dc, CreatePen(PS_SOLID, std::max(2, radius / 12), RGB(0, 0, 0)));
    Gdi brush(dc, CreateSolidBrush(RGB(255, 220, 0)));
    Polygon(dc, tri, 3);
  }
  // The exclamation mark: a tapering bar and a dot.
  int u = std::max(2, radius / 9);
  int barTop = top + radius * 2 / 5, barBottom = bottom - radius * 2 / 5;
  POINT bar[4] = {{cx - u - u / 2, barTop}, {cx + u + u / 2, barTop}, {cx + u / 2, barBottom}, {cx - u / 2, barBottom}};
  Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
  Gdi brush(dc, CreateSolidBrush(RGB(0, 0, 0)));
  Polygon(dc, bar, 4);
  Ellipse(dc, cx - u, bottom - radius / 4 - u, cx + u + 1, bottom - radius / 4 + u + 1);
}

void Stop(HDC dc, int cx, int cy, int radius, COLORREF background) {
  // A red octagon with a white rim.
  auto octagon = [&](int rr, POINT* pts) {
    int a = rr * 41 / 100;  // tan(22.5°)
    POINT p[8] = {{cx - a, cy - rr}, {cx + a, cy - rr}, {cx + rr, cy - a}, {cx + rr, cy + a},
                  {cx + a, cy + rr}, {cx - a, cy + rr}, {cx - rr, cy + a}, {cx - rr, cy - a}};
    std::copy(p, p + 8, pts);
  };
  POINT outer[8], inner[8], shadow[8];
  octagon(radius, outer);
  octagon(radius * 7 / 8, inner);
  std::copy(outer, outer + 8, shadow);
  for (auto& p : shadow) p.x += 3, p.y += 3;
  {
    Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
    Gdi brush(dc, CreateSolidBrush(RGB(GetRValue(background) * 3 / 5, GetGValue(background) * 3 / 5,
                                       GetBValue(background) * 3 / 5)));
    Polygon(dc, shadow, 8);
  }
  {
    Gdi pen(dc, CreatePen(PS_SOLID, 1, RGB(96, 0, 0)));
    Gdi brush(dc, CreateSolidBrush(RGB(255, 255, 255)));
    Polygon(dc, outer, 8);
  }
  {
    Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
    Gdi brush(dc, CreateSolidBrush(RGB(208, 0, 0)));
    Polygon(dc, inner, 8);
  }
  // A raised open hand: palm, four fingers, thumb.
  int u = std::max(2, radius / 9);
  Gdi pen(dc, CreatePen(PS_NULL, 0, 0));
  Gdi brush(dc, CreateSolidBrush(RGB(255, 255, 255)));
  int palmTop = cy - u, palmBottom = cy + radius / 2 + u;
  RoundRect(dc, cx - 2 * u - u / 2, palmTop, cx + 2 * u + u / 2 + 1, palmBottom, 2 * u, 2 * u);
  const int heights[4] = {radius * 9 / 20, radius * 11 / 20, radius * 21 / 40, radius * 8 / 20};
  for (int k = 0; k < 4; ++k) {
    int left = cx - 2 * u - u / 2 + k * (5 * u / 4);
    int w = u + u / 4;
    RoundRect(dc, left, palmTop - heights[k], left + w, palmTop + u, w, w);
  }
  POINT thumb[4] = {{cx + 2 * u, palmTop + 2 * u},
                    {cx + 4 * u, palmTop - u / 2},
                    {cx + 4 * u + u, palmTop + u / 2},
                    {cx + 2 * u + u / 2, palmTop + 4 * u}};
  Polygon(dc, thumb, 4);
}

}  // namespace

void RysujObrazek(HDC dc, const RECT& r, platform::RodzajKomunikatu kind, COLORREF background) {
  Fill(dc, r, background);
  int w = r.right - r.left, h = r.bottom - r.top;
  int radius = std::min(w, h) * 4 / 9;
  int cx = r.left + w / 2, cy = r.top + std::min(h / 2, radius + w / 10);
  int saved = SaveDC(dc);
  switch (kind) {
    case platform::rkPytanie: Pytanie(dc, cx, cy, radius, background); break;
    case platform::rkOstrzezenie: Ostrzezenie(dc, cx, cy, radius); break;
    case platform::rkStop: Stop(dc, cx, cy, radius, background); break;
    case platform::rkInformacja:
    default: Informacja(dc, cx, cy, radius, background); break;
  }
  RestoreDC(dc, saved);
}

void RysujBanerBledu(HDC dc, const RECT& r, COLORREF background) {
  Fill(dc, r, background);
  int h = r.bottom - r.top;
  // A dark red to red band with a sunken white rim.
  TRIVERTEX v[2] = {{r.left, r.top, 0x9000, 0x0000, 0x0000, 0}, {r.right, r.bottom, 0xE000, 0x2000, 0x1000, 0}};
  GRADIENT_RECT g{0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  // The warning sign on the left.
  int radius = h * 3 / 8;
  int cx = r.left + h / 2 + 2, cy = r.top + h / 2 + 1;
  int saved = SaveDC(dc);
  Ostrzezenie(dc, cx, cy, radius);
  RestoreDC(dc, saved);
  RECT text{r.left + h, r.top, r.right - 4, r.bottom};
  CenteredText(dc, text, L"BŁĄD", h * 11 / 20, RGB(255, 255, 255), L"Arial");
}

}  // namespace obrazki
