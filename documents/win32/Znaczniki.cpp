#include "documents/win32/Znaczniki.h"

#include <algorithm>
#include <cmath>

namespace znaczniki {
namespace {

RECT Kwadrat(const RECT& r) {
  const int bok = std::min(r.right - r.left, r.bottom - r.top);
  const int x = r.left + (r.right - r.left - bok) / 2;
  const int y = r.top + (r.bottom - r.top - bok) / 2;
  return RECT{x, y, x + bok, y + bok};
}

void Prostokat(HDC dc, int l, int t, int r, int b, COLORREF kolor) {
  HBRUSH br = CreateSolidBrush(kolor);
  RECT x{l, t, r, b};
  FillRect(dc, &x, br);
  DeleteObject(br);
}

}  // namespace

void RysujOtwarty(HDC dc, const RECT& r) {
  const RECT k = Kwadrat(r);
  const int s = k.right - k.left;
  const int l = k.left + s / 16, t = k.top + s / 8, p = k.right - s / 16, d = k.bottom - s / 8;
  const int pasek = std::max(2, s / 4);
  Prostokat(dc, l, t, p, d, RGB(0, 70, 160));                       // frame
  Prostokat(dc, l + 1, t + pasek, p - 1, d - 1, RGB(255, 255, 255));  // page
  const int linia = std::max(1, s / 12);
  for (int y = t + pasek + linia * 2; y + linia < d - linia; y += linia * 2 + 1)
    Prostokat(dc, l + 3, y, p - 3 - (y % 3) * 2, y + linia, RGB(150, 170, 200));  // text lines
}

void RysujMonitorowany(HDC dc, const RECT& r) {
  const RECT k = Kwadrat(r);
  const int s = k.right - k.left;
  const int m = std::max(1, s / 16);
  HPEN obwod = CreatePen(PS_SOLID, std::max(1, s / 10), RGB(0, 120, 60));
  HBRUSH tarcza = CreateSolidBrush(RGB(235, 255, 235));
  HGDIOBJ p0 = SelectObject(dc, obwod);
  HGDIOBJ b0 = SelectObject(dc, tarcza);
  Ellipse(dc, k.left + m, k.top + m, k.right - m, k.bottom - m);
  HPEN wskazowki = CreatePen(PS_SOLID, std::max(1, s / 10), RGB(150, 0, 0));
  SelectObject(dc, wskazowki);
  const int cx = (k.left + k.right) / 2, cy = (k.top + k.bottom) / 2;
  MoveToEx(dc, cx, cy, nullptr);
  LineTo(dc, cx, k.top + s / 4);  // minutes at twelve
  MoveToEx(dc, cx, cy, nullptr);
  LineTo(dc, cx + s / 5, cy + s / 10);  // hours past three
  SelectObject(dc, p0);
  SelectObject(dc, b0);
  DeleteObject(wskazowki);
  DeleteObject(obwod);
  DeleteObject(tarcza);
}

void RysujListe(HDC dc, const RECT& r) {
  const RECT k = Kwadrat(r);
  const int s = k.right - k.left;
  const int wiersz = s / 4;
  for (int i = 0; i < 3; ++i) {
    const int y = k.top + s / 8 + i * (wiersz + s / 16);
    RECT z{k.left, y, k.left + wiersz, y + wiersz};
    if (i < 2) RysujOtwarty(dc, z);
    Prostokat(dc, k.left + wiersz + s / 8, y + wiersz / 3, k.right - s / 16, y + wiersz / 3 + std::max(1, s / 10),
              RGB(60, 60, 60));
  }
}

}  // namespace znaczniki
