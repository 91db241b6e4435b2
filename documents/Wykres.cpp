#include "documents/Wykres.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace wykres {

namespace {

constexpr Kolor kCzarny{0, 0, 0};
constexpr Kolor kGradientDol{255, 244, 190};  // the warm lower end of the gradient on white
constexpr Kolor kTloZnacznika{255, 255, 225};
constexpr int kMargines = 8;

double Kanal(int c) {
  const double v = std::clamp(c, 0, 255) / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminancja(const Kolor& k) { return 0.2126 * Kanal(k.r) + 0.7152 * Kanal(k.g) + 0.0722 * Kanal(k.b); }

// The lower end of the gradient: the warm tint on a light background, a trace of it on a dark one.
Kolor DolGradientu(const Kolor& tlo) { return Posrednia(tlo, kGradientDol, Luminancja(tlo) > 0.5 ? 1.0 : 0.15); }

int LiczbaPunktow(const Dane& d) {
  double n = 0;
  for (const Seria& s : d.serie)
    for (const Punkt& p : s.punkty) n = std::max(n, p.x + 1);
  return static_cast<int>(n);
}

double Rozpietosc(const Dane& d) {
  const int n = LiczbaPunktow(d);
  return std::max(1, std::min(n, std::max(1, d.punktowNaWidok)));
}

std::string ZSeparatorem(const char* liczba, const std::string& separator) {
  std::string s = liczba;
  if (const size_t kropka = s.find('.'); kropka != std::string::npos) s.replace(kropka, 1, separator);
  return s;
}

std::string Liczba(double v, double krok, const std::string& separator) {
  if (std::fabs(v) < krok * 1e-6) v = 0;  // no "-0" at the axis
  char buf[32];
  if (krok >= 1 || std::fabs(v - std::round(v)) < 1e-9)
    std::snprintf(buf, sizeof buf, "%.0f", v);
  else
    std::snprintf(buf, sizeof buf, "%.*f", krok >= 0.1 ? 1 : 2, v);
  return ZSeparatorem(buf, separator);
}

Operacja Tekst(int x, int y, const std::string& t, const Kolor& kolor, int kat = 0, bool pogrubiony = false) {
  Operacja o;
  o.rodzaj = Operacja::Tekst;
  o.kolor = kolor;
  o.left = x;
  o.top = y;
  o.tekst = t;
  o.kat = kat;
  o.pogrubiony = pogrubiony;
  return o;
}

Operacja Prost(Operacja::Rodzaj r, int l, int t, int p, int b, Kolor k, Kolor k2 = {}) {
  Operacja o;
  o.rodzaj = r;
  o.left = l;
  o.top = t;
  o.right = p;
  o.bottom = b;
  o.kolor = k;
  o.kolor2 = k2;
  return o;
}

}  // namespace

double Kontrast(const Kolor& a, const Kolor& b) {
  const double la = Luminancja(a), lb = Luminancja(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Kolor Posrednia(const Kolor& a, const Kolor& b, double u) {
  u = std::clamp(u, 0.0, 1.0);
  auto m = [u](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * u)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Kolor Czytelny(const Kolor& k, const std::vector<Kolor>& tla, double najmniej) {
  if (tla.empty()) return k;
  double jasnosc = 0;
  for (const Kolor& t : tla) jasnosc += Luminancja(t);
  // Toward black on a light background, toward white on a dark one, in small steps of the way.
  const Kolor cel = jasnosc / tla.size() > 0.5 ? Kolor{0, 0, 0} : Kolor{255, 255, 255};
  auto wystarczy = [&](const Kolor& c) {
    for (const Kolor& t : tla)
      if (Kontrast(c, t) < najmniej) return false;
    return true;
  };
  Kolor c = k;
  for (int krok = 1; krok <= 20 && !wystarczy(c); ++krok) c = Posrednia(k, cel, krok / 20.0);
  return c;
}

std::string Liczba2(double v, const std::string& separator) {
  if (!std::isfinite(v)) return "";
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.2f", std::fabs(v) < 0.005 ? 0.0 : v);
  return ZSeparatorem(buf, separator);
}

Widok WidokPoczatkowy(const Dane& d) {
  const int n = LiczbaPunktow(d);
  const double span = Rozpietosc(d);
  Widok w;
  w.max = std::max<double>(n, span) - 0.5;
  w.min = w.max - span;
  return w;
}

Widok Przesun(const Dane& d, const Widok& w, double procent) {
  const double zakres = w.max - w.min;
  double o = zakres * procent / 100.0;
  const double lewa = -0.5;
  const double prawa = std::max<double>(LiczbaPunktow(d), zakres) - 0.5;
  if (w.min + o < lewa) o = std::min(0.0, lewa - w.min);
  if (w.max + o > prawa) o = std::max(0.0, prawa - w.max);
  Widok n = w;
  n.min += o;
  n.max += o;
  return n;
}

Widok PrzesunOPunkty(const Dane& d, const Widok& w, double punkty) {
  const double zakres = w.max - w.min;
  return zakres > 0 ? Przesun(d, w, punkty * 100.0 / zakres) : w;
}

Widok Poczatek(const Dane& d, const Widok& w) {
  Widok n = w;
  n.max = -0.5 + (w.max - w.min);
  n.min = -0.5;
  return n;
}

Widok Koniec(const Dane& d, const Widok& w) {
  const double zakres = w.max - w.min;
  Widok n = w;
  n.max = std::max<double>(LiczbaPunktow(d), zakres) - 0.5;
  n.min = n.max - zakres;
  return n;
}

Widok Przybliz(const Dane& d, const Widok& w, bool blizej) {
  const double najszerszy = std::max<double>(LiczbaPunktow(d), Rozpietosc(d));
  const double zakres = std::clamp(blizej ? (w.max - w.min) / 2 : (w.max - w.min) * 2, 1.0, najszerszy);
  const double srodek = (w.min + w.max) / 2;
  Widok n;
  n.min = std::clamp(srodek - zakres / 2, -0.5, najszerszy - 0.5 - zakres);
  n.max = n.min + zakres;
  return n;
}

std::string TekstTabeli(const Dane& d) {
  std::vector<const Seria*> serie;
  for (const Seria& s : d.serie)
    if (s.aktywna) serie.push_back(&s);
  std::string out = d.tytulKategorii;
  for (const Seria* s : serie) out += "\t" + s->nazwa;
  out += "\r\n";
  const int n = LiczbaPunktow(d);
  // Each series' points by category, once.
  std::vector<std::vector<const Punkt*>> wartosci(serie.size(), std::vector<const Punkt*>(n, nullptr));
  for (size_t i = 0; i < serie.size(); ++i)
    for (const Punkt& p : serie[i]->punkty) {
      const long x = std::lround(p.x);
      if (x >= 0 && x < n && !wartosci[i][x]) wartosci[i][x] = &p;
    }
  for (int x = 0; x < n; ++x) {
    const Punkt* pierwszy = nullptr;
    for (size_t i = 0; i < serie.size() && !pierwszy; ++i) pierwszy = wartosci[i][x];
    if (!pierwszy) continue;
    out += pierwszy->opis.empty() ? pierwszy->etykieta : pierwszy->opis;
    for (size_t i = 0; i < serie.size(); ++i)
      out += "\t" + (wartosci[i][x] ? Liczba2(wartosci[i][x]->wartosc, d.separator) : std::string());
    out += "\r\n";
  }
  return out;
}

double KrokOsi(double zakres) {
  if (!(zakres > 0)) return 1;
  const double surowy = zakres / 8;
  const double potega = std::pow(10.0, std::floor(std::log10(surowy)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * potega >= surowy - 1e-12) return m * potega;
  return 10 * potega;
}

Uklad Uloz(const Dane& d, const Widok& w, int szer, int wys, const Miara& m) {
  Uklad u;
  Rysunek& ops = u.operacje;
  const int h = m.wysokosc;
  auto szerokosc = [&](const std::string& t, bool b = false) { return m.szerokosc ? m.szerokosc(t, b) : 0; };

  // Background, and the colours drawn on it: bars keep a contrast of 3:1 with every part of it.
  std::vector<Kolor> tla{d.tlo};
  if (d.gradient) {
    tla.push_back(DolGradientu(d.tlo));
    ops.push_back(Prost(Operacja::Gradient, 0, 0, szer, wys, d.tlo, tla.back()));
  } else {
    ops.push_back(Prost(Operacja::Wypelnij, 0, 0, szer, wys, d.tlo));
  }
  const Kolor tusz = d.tusz, siatka = Posrednia(d.tlo, d.tusz, 0.22);

  // Active series with bars, side by side within a category.
  std::vector<int> aktywne;
  for (size_t i = 0; i < d.serie.size(); ++i)
    if (d.serie[i].aktywna && !d.serie[i].punkty.empty()) aktywne.push_back(static_cast<int>(i));

  // Value range: fitted to the bars in view unless the view fixes it.
  double vmin = w.vmin, vmax = w.vmax;
  if (!(vmax > vmin)) {
    vmin = 0;
    vmax = 0;
    for (int si : aktywne)
      for (const Punkt& p : d.serie[si].punkty)
        if (p.x + 0.5 > w.min && p.x - 0.5 < w.max) vmax = std::max(vmax, p.wartosc);
    if (vmax <= 0) vmax = 1;
    const double krok = KrokOsi(vmax);
    vmax = std::ceil(vmax / krok - 1e-9) * krok;
  }
  u.vmin = vmin;
  u.vmax = vmax;
  u.krok = KrokOsi(vmax - vmin);

  // Labels of the value axis.
  std::vector<std::pair<double, std::string>> etykiety;
  if (!d.etykietyOsi.empty()) {
    for (const auto& e : d.etykietyOsi)
      if (e.first >= vmin && e.first <= vmax) etykiety.push_back(e);
  } else {
    const double start = std::ceil(vmin / u.krok - 1e-9) * u.krok;
    for (double v = start; v <= vmax + u.krok * 1e-6; v += u.krok) etykiety.push_back({v, Liczba(v, u.krok, d.separator)});
  }
  int szerEtykiet = 0;
  for (const auto& e : etykiety) szerEtykiet = std::max(szerEtykiet, szerokosc(e.second));
  szerEtykiet = std::min(szerEtykiet, szer * 2 / 5);

  // Category labels below the axis.
  int wysKategorii = 4;
  if (!d.osKategoriiUkryta) {
    if (d.etykietyPionowe) {
      int najdluzsza = 0;
      for (int si : aktywne)
        for (const Punkt& p : d.serie[si].punkty) najdluzsza = std::max(najdluzsza, szerokosc(p.etykieta));
      wysKategorii = std::min(najdluzsza + 8, wys * 2 / 5);
    } else {
      wysKategorii = h + 6;
    }
  }

  int gora = kMargines;
  if (!d.tytul.empty()) gora += h + 6;
  u.plotL = kMargines + (d.tytulOsi.empty() ? 0 : h + 6) + szerEtykiet + 6;
  u.plotR = std::max(u.plotL + 1, szer - 14);
  u.plotT = gora + h / 2;
  u.plotB = std::max(u.plotT + 1, wys - kMargines - wysKategorii);
  const int pw = u.plotR - u.plotL, ph = u.plotB - u.plotT;

  auto px = [&](double x) { return u.plotL + static_cast<int>(std::lround((x - w.min) / (w.max - w.min) * pw)); };
  auto py = [&](double v) {
    const double t = (v - vmin) / (vmax - vmin);
    return u.plotB - static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * ph));
  };

  if (!d.tytul.empty())
    ops.push_back(Tekst((szer - szerokosc(d.tytul, true)) / 2, kMargines, d.tytul, tusz, 0, true));
  if (!d.tytulOsi.empty())
    ops.push_back(Tekst(kMargines, (u.plotT + u.plotB) / 2 + szerokosc(d.tytulOsi) / 2, d.tytulOsi, tusz, 900));

  // Grid lines and value labels, dropping labels that would overlap the one below them.
  int ostatniY = 1 << 30;
  std::vector<std::pair<double, std::string>> posortowane = etykiety;
  std::stable_sort(posortowane.begin(), posortowane.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& e : posortowane) {
    const int y = py(e.first);
    if (y > u.plotT && y < u.plotB) ops.push_back(Prost(Operacja::Linia, u.plotL, y, u.plotR, y, siatka));
    ops.push_back(Prost(Operacja::Linia, u.plotL - 4, y, u.plotL, y, tusz));
    if (ostatniY - y < h && ostatniY != (1 << 30)) continue;
    ostatniY = y;
    ops.push_back(Tekst(u.plotL - 6 - szerokosc(e.second), y - h / 2, e.second, tusz));
  }

  // Bars.
  const double grupa = 0.7;
  const int k = std::max<int>(1, static_cast<int>(aktywne.size()));
  for (int j = 0; j < static_cast<int>(aktywne.size()); ++j) {
    const Seria& s = d.serie[aktywne[j]];
    for (size_t pi = 0; pi < s.punkty.size(); ++pi) {
      const Punkt& p = s.punkty[pi];
      const double x0 = p.x - grupa / 2 + grupa * j / k;
      const double x1 = x0 + grupa / k;
      if (x1 <= w.min || x0 >= w.max) continue;
      int l = std::max(px(x0), u.plotL), r = std::min(px(x1), u.plotR);
      if (r - l < 1) r = l + 1;
      const int t = py(std::max(p.wartosc, vmin)), b = py(vmin);
      ops.push_back(Prost(Operacja::Wypelnij, l, t, r, b, Czytelny(p.kolor, tla)));
      ops.push_back(Prost(Operacja::Ramka, l, t, r, b + 1, tusz));
      u.slupki.push_back({aktywne[j], static_cast<int>(pi), l, std::min(t, b - 3), r, b});
      if (s.znaczniki && !p.etykieta.empty()) {
        const int tw = szerokosc(p.etykieta) + 6;
        const int cx = (l + r) / 2;
        const int mt = std::max(u.plotT - h / 2, t - h - 8);
        ops.push_back(Prost(Operacja::Wypelnij, cx - tw / 2, mt, cx - tw / 2 + tw, mt + h + 2, kTloZnacznika));
        ops.push_back(Prost(Operacja::Ramka, cx - tw / 2, mt, cx - tw / 2 + tw, mt + h + 2, kCzarny));
        ops.push_back(Tekst(cx - tw / 2 + 3, mt + 1, p.etykieta, kCzarny));
      }
    }
  }

  // Axes.
  ops.push_back(Prost(Operacja::Linia, u.plotL, u.plotT, u.plotL, u.plotB, tusz));
  ops.push_back(Prost(Operacja::Linia, u.plotL, u.plotB, u.plotR, u.plotB, tusz));

  // Category labels: the first series holding a point at a category gives its label.
  if (!d.osKategoriiUkryta) {
    const int pierwsza = static_cast<int>(std::ceil(w.min));
    const int ostatnia = static_cast<int>(std::floor(w.max));
    int ostatniePrawo = -(1 << 30);
    for (int x = pierwsza; x <= ostatnia; ++x) {
      const Punkt* znaleziony = nullptr;
      for (int si : aktywne) {
        for (const Punkt& p : d.serie[si].punkty)
          if (static_cast<int>(std::lround(p.x)) == x) {
            znaleziony = &p;
            break;
          }
        if (znaleziony) break;
      }
      if (!znaleziony || znaleziony->etykieta.empty()) continue;
      const int cx = px(x);
      const int tw = szerokosc(znaleziony->etykieta);
      if (d.etykietyPionowe) {
        if (cx - h / 2 < ostatniePrawo + 1) continue;
        ops.push_back(Tekst(cx - h / 2, u.plotB + 4 + std::min(tw, wysKategorii - 8), znaleziony->etykieta, tusz, 900));
        ostatniePrawo = cx + h / 2;
      } else {
        if (cx - tw / 2 < ostatniePrawo + 4) continue;
        ops.push_back(Tekst(cx - tw / 2, u.plotB + 4, znaleziony->etykieta, tusz));
        ostatniePrawo = cx + tw / 2;
      }
    }
  }
  return u;
}

int Trafienie(const Uklad& u, int x, int y) {
  for (int i = static_cast<int>(u.slupki.size()) - 1; i >= 0; --i) {
    const Slupek& s = u.slupki[i];
    if (x >= s.left && x < s.right && y >= s.top && y <= s.bottom) return i;
  }
  return -1;
}

Widok Powieksz(const Dane& d, const Widok& w, const Uklad& u, int x1, int y1, int x2, int y2) {
  if (std::abs(x2 - x1) < 4 && std::abs(y2 - y1) < 4) return w;
  if (x2 < x1 || y2 < y1) return WidokPoczatkowy(d);
  const int pw = std::max(1, u.plotR - u.plotL), ph = std::max(1, u.plotB - u.plotT);
  auto kx = [&](int px) { return w.min + (w.max - w.min) * (std::clamp(px, u.plotL, u.plotR) - u.plotL) / pw; };
  auto kv = [&](int py) { return u.vmin + (u.vmax - u.vmin) * (u.plotB - std::clamp(py, u.plotT, u.plotB)) / ph; };
  Widok n;
  n.min = kx(x1);
  n.max = kx(x2);
  n.vmax = kv(y1);
  n.vmin = kv(y2);
  if (n.max - n.min < 1e-6 || n.vmax - n.vmin < 1e-9) return w;
  return n;
}

}  // namespace wykres
