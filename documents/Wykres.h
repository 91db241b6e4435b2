#pragma once
// The bar chart of the statistics window, as data: what the chart holds (series of bars with
// their own colours and labels), which part of it is in view, and the layout that comes out of
// both -- a list of drawing operations and the boxes of the bars under them. The Win32 control
// only paints the operations and asks the layout which bar lies under the pointer.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wykres {

struct Kolor {
  int r = 0, g = 0, b = 0;
  bool operator==(const Kolor&) const = default;
};

// Contrast ratio of two colours (1 to 21), by their relative luminance.
double Kontrast(const Kolor& a, const Kolor& b);
// The colour darkened (on a light background) or lightened (on a dark one), keeping its hue,
// until its contrast with every background colour reaches `najmniej`.
Kolor Czytelny(const Kolor& k, const std::vector<Kolor>& tla, double najmniej = 3.0);
// The colour `udzial` (0..1) of the way from a to b.
Kolor Posrednia(const Kolor& a, const Kolor& b, double udzial);

struct Punkt {
  double x = 0;          // category position: 0, 1, 2, ...
  double wartosc = 0;    // bar height in value-axis units
  std::string etykieta;  // category label (also the mark text)
  Kolor kolor;
  std::string opis = {};  // the category in the copied table when the label does not name it
};

struct Seria {
  std::vector<Punkt> punkty;
  bool aktywna = true;
  bool znaczniki = false;  // label shown in a box above each bar
  std::string nazwa = {};  // its column in the copied table
};

struct Dane {
  std::string tytul;
  std::string tytulOsi;  // value-axis title, turned 90 degrees
  std::vector<Seria> serie;
  int punktowNaWidok = 22;
  bool etykietyPionowe = false;    // category labels turned 90 degrees
  bool osKategoriiUkryta = false;  // no category labels at all
  bool gradient = true;            // background gradient instead of the plain background
  Kolor tlo{255, 255, 255};        // the background (the system's window colour)
  Kolor tusz{0, 0, 0};             // texts, axes and frames (the system's window text colour)
  std::string separator = ",";     // decimal separator of the value-axis labels (the user's)
  std::string tytulKategorii;      // the first column of the copied table
  // When not empty, the value axis shows these texts at these heights instead of its scale.
  std::vector<std::pair<double, std::string>> etykietyOsi;
};

// The visible part: categories [min, max] (a bar at x covers x - 0.5 .. x + 0.5) and values
// [vmin, vmax]; vmax <= vmin means "fit the value axis to the bars in view".
struct Widok {
  double min = -0.5, max = 0.5;
  double vmin = 0, vmax = 0;
  bool operator==(const Widok&) const = default;
};

// The last points of the chart, at most punktowNaWidok of them, with the value axis fitted.
Widok WidokPoczatkowy(const Dane& d);
// Shifts the category axis by procent of its visible range (negative: back), kept within the
// chart's points so that scrolling never runs into emptiness.
Widok Przesun(const Dane& d, const Widok& w, double procent);
// The same by a number of categories (bars).
Widok PrzesunOPunkty(const Dane& d, const Widok& w, double punkty);
// The view of the same width at the first or at the last points.
Widok Poczatek(const Dane& d, const Widok& w);
Widok Koniec(const Dane& d, const Widok& w);
// Half as many categories in view around the middle (blizej), or twice as many, from one up to
// all the points (at least a view's worth); the value axis fitted again.
Widok Przybliz(const Dane& d, const Widok& w, bool blizej);

// The chart's numbers as tab-separated text for the clipboard: a heading (tytulKategorii and the
// names of the active series), then a row per category that has a bar -- its label (or opis) and
// each active series' value with two decimals and the separator, empty where it has no bar.
// Lines end with CR LF.
std::string TekstTabeli(const Dane& d);
// A value with two decimals and the given separator ("7,25").
std::string Liczba2(double v, const std::string& separator);

struct Operacja {
  enum Rodzaj { Wypelnij, Gradient, Ramka, Linia, Tekst } rodzaj = Wypelnij;
  // Fill, gradient (kolor at the top, kolor2 at the bottom) and frame: [left, right) x [top, bottom).
  // Line: from (left, top) to (right, bottom). Text: see kat and wysrodkuj.
  int left = 0, top = 0, right = 0, bottom = 0;
  Kolor kolor, kolor2;
  std::string tekst;
  // Text turned by kat tenths of a degree (900: reading upward) around its reference point
  // (left, top), the top-left corner of the unturned text.
  int kat = 0;
  bool pogrubiony = false;
  int rozmiar = 8;          // points
  bool wysrodkuj = false;   // text centred in the rectangle instead of placed at (left, top)
  bool operator==(const Operacja&) const = default;
};
using Rysunek = std::vector<Operacja>;

// A bar on the screen: which series and point it shows, and its box.
struct Slupek {
  int seria = 0, punkt = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct Uklad {
  Rysunek operacje;
  std::vector<Slupek> slupki;
  int plotL = 0, plotT = 0, plotR = 0, plotB = 0;  // the area of the bars
  double vmin = 0, vmax = 1;                       // value axis range used
  double krok = 1;                                 // value axis step used
};

// Text measure: width of a text in pixels (bold or not) and the height of a line.
struct Miara {
  std::function<int(const std::string&, bool)> szerokosc;
  int wysokosc = 13;
};

// A "nice" step for a value axis of this range: 1, 2 or 5 times a power of ten, giving at most
// about eight steps.
double KrokOsi(double zakres);
Uklad Uloz(const Dane& d, const Widok& w, int szerokosc, int wysokosc, const Miara& m);
// Index into u.slupki of the bar under the point, or -1. Bars lower than 3 pixels are hit across
// 3 pixels above the axis.
int Trafienie(const Uklad& u, int x, int y);
// The view after dragging a rectangle from (x1, y1) to (x2, y2): toward the lower right zooms into
// the rectangle, toward the upper left gives the initial view back; a drag of a few pixels changes
// nothing.
Widok Powieksz(const Dane& d, const Widok& w, const Uklad& u, int x1, int y1, int x2, int y2);

}  // namespace wykres
