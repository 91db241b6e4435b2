#include "documents/Statystyka.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/DateTime.h"
#include "common/Tekstowe.h"
#include "common/TimeUtilities.h"
#include "documents/Modem.h"
#include "settings/Globalne.h"
#include "settings/Rejestr.h"

StatisticsOptions WczytajOpcjeStatystyki(const std::string& pozycjaTeraz) {
  std::vector<uint8_t> b(StatisticsOptions::kRozmiar, 0);
  if (ZmiennaRejestrowaIstnieje(kKluczKalmo, wartosc::OpcjeStatystyki) &&
      GetRegistryBinary(kKluczKalmo, wartosc::OpcjeStatystyki, b.data(), static_cast<int>(b.size())))
    return StatisticsOptions::FromBytes(b);
  StatisticsOptions o;
  o.pozycja = pozycjaTeraz;
  ZapiszOpcjeStatystyki(o);
  return o;
}

DaneStatystyki WczytajDaneStatystyki(ZrodloStatystyki zrodlo) {
  DaneStatystyki d;
  d.zrodlo = std::move(zrodlo);
  const ZrodloStatystyki& z = d.zrodlo;
  d.dni = PrzepiszPlikArchiwum(z.plikArchiwum, z.dzis, z.dzisSekundy, [&z] {
    return UaktualnijArchiwumOPolaczeniaModemowe(z.plikArchiwum, z.dzis, z.godzinaPrzelaczenia);
  });
  d.archiwumWczytane = !d.dni.empty();  // a readable file gives at least today's entry
  statystyka::ZostawNajnowsze(d.dni, statystyka::kMaxDni);
  d.miesiace = GrupujMiesiace(d.dni);
  statystyka::ZostawNajnowsze(d.miesiace, statystyka::kMaxMiesiecy);
  d.cenaGrosz = RejReadInteger(wartosc::CenaPolaczeniaModemowego, 2318) * 0.01;
  return d;
}

void ZapiszOpcjeStatystyki(const StatisticsOptions& o) {
  const auto b = o.ToBytes();
  CreateRegistryBinary(kKluczKalmo, wartosc::OpcjeStatystyki, b.data(), static_cast<int>(b.size()));
}

namespace statystyka {

using wykres::Kolor;

int32_t Zaokraglij(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::nearbyint(v);  // the default rounding mode sends halves to the even neighbour
  if (v > 2147483647.0) return 2147483647;
  if (v < -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(v);
}

const std::array<Kolor, 10> WorkTimeColors = {{{90, 169, 52},
                                               {152, 188, 29},
                                               {169, 188, 18},
                                               {211, 217, 13},
                                               {255, 244, 2},
                                               {255, 236, 0},
                                               {253, 216, 2},
                                               {254, 179, 1},
                                               {255, 134, 0},
                                               {255, 0, 0}}};

const std::array<Kolor, 14> DocumentColors = {{{0, 0, 0},
                                               {0, 0, 255},
                                               {255, 0, 255},
                                               {128, 128, 128},
                                               {0, 128, 0},
                                               {0, 255, 0},
                                               {128, 0, 0},
                                               {0, 0, 128},
                                               {128, 128, 0},
                                               {128, 0, 128},
                                               {255, 0, 0},
                                               {0, 128, 128},
                                               {255, 255, 255},
                                               {255, 255, 0}}};

int BarColor(double godziny, double gorna, double limit) {
  if (godziny <= limit) return 1;
  if (godziny >= gorna) return 10;
  const int k = Zaokraglij(1 + (godziny - limit) * 9 / (gorna - limit));
  return std::clamp(k, 1, 10);
}

Kolor KolorPracy(int i) { return WorkTimeColors[std::clamp(i, 1, 10) - 1]; }
Kolor KolorDokumentu(int i) { return DocumentColors[std::clamp(i, 1, 14) - 1]; }

std::string DataKrotka(double data) {
  const datetime::Parts p = datetime::Decode(data);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", p.day, p.month, p.year);
  return buf;
}

int32_t MinutyPolaczen(int32_t sekundy) { return Zaokraglij(sekundy / 60.0); }

SerieDzienne SeriaDzienna(const std::vector<ArchiveRecord>& dni, int32_t limitSekund, bool polaczenia,
                          const FormatDaty& data) {
  SerieDzienne s;
  s.polaczenia.znaczniki = true;
  s.polaczenia.aktywna = polaczenia;
  s.praca.punkty.reserve(dni.size());
  const double limit = limitSekund / 3600.0;
  for (size_t i = 0; i < dni.size(); ++i) {
    const double godziny = dni[i].WorkSeconds / 3600.0;
    s.praca.punkty.push_back(
        {static_cast<double>(i), godziny, data(dni[i].Date), KolorPracy(BarColor(godziny, kGornaGranica, limit))});
    if (!polaczenia) continue;
    const int32_t minuty = MinutyPolaczen(dni[i].ConnectionSeconds);
    if (minuty != 0)
      s.polaczenia.punkty.push_back(
          {static_cast<double>(i), dni[i].ConnectionSeconds / 3600.0, std::to_string(minuty), kNiebieski});
  }
  return s;
}

SerieDzienne SeriaMiesieczna(const std::vector<MonthTotal>& miesiace, bool polaczenia) {
  SerieDzienne s;
  s.polaczenia.znaczniki = true;
  s.polaczenia.aktywna = polaczenia;
  for (size_t j = 0; j < miesiace.size(); ++j) {
    const auto& m = miesiace[j];
    s.praca.punkty.push_back({static_cast<double>(j), m.WorkSeconds / 3600.0, EtykietaMiesiaca(m.Month), kCzerwony});
    if (!polaczenia) continue;
    const int32_t minuty = MinutyPolaczen(m.ConnectionSeconds);
    if (minuty != 0)
      s.polaczenia.punkty.push_back(
          {static_cast<double>(j), m.ConnectionSeconds / 3600.0, std::to_string(minuty), kNiebieski});
  }
  return s;
}

namespace {
template <class T>
int NtyZPolaczeniami(const std::vector<T>& v, int n) {
  if (n < 0) return -1;
  for (size_t i = 0; i < v.size(); ++i)
    if (MinutyPolaczen(v[i].ConnectionSeconds) != 0 && n-- == 0) return static_cast<int>(i);
  return -1;
}
}  // namespace

int DzienPolaczenia(const std::vector<ArchiveRecord>& dni, int n) { return NtyZPolaczeniami(dni, n); }
int MiesiacPolaczenia(const std::vector<MonthTotal>& m, int n) { return NtyZPolaczeniami(m, n); }

std::string TekstPracyDnia(const std::string& etykieta, double godziny) {
  return "w dniu " + etykieta + " pracowałeś " + FormatDuration(Zaokraglij(godziny * 3600), 0);
}

std::string TekstPracyMiesiaca(const std::string& etykieta, double godziny) {
  return "w miesiącu " + etykieta + " przepracowałeś " + FormatDuration(Zaokraglij(godziny * 3600), 0);
}

std::string TekstPolaczenia(int32_t sekundy, int32_t liczba, int32_t jednostki, double cenaGrosz,
                            const std::string& separator) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", cenaGrosz * jednostki * 0.01);
  std::string koszt = buf;
  if (const auto kropka = koszt.find('.'); kropka != std::string::npos) koszt.replace(kropka, 1, separator);
  return "czas połączenia: " + FormatDuration(sekundy, 0) + ", liczba połączeń: " + std::to_string(liczba) +
         ", koszt: " + koszt + " zł ";
}

std::string EtykietaMiesiaca(int32_t miesiac) { return miesiac >= 1 && miesiac <= 12 ? MonthRoman(miesiac) : ""; }

wykres::Dane WykresDzienny() {
  wykres::Dane d;
  d.tytul = "Czas pracy w poszczególnych dniach";
  d.tytulOsi = "Liczba godzin";
  d.etykietyPionowe = true;
  d.punktowNaWidok = 22;
  return d;
}

wykres::Dane WykresMiesieczny() {
  wykres::Dane d;
  d.tytul = "Czas pracy w poszczególnych miesiącach";
  d.tytulOsi = "Liczba godzin";
  d.punktowNaWidok = 22;
  return d;
}

wykres::Dane WykresDokumentow() {
  wykres::Dane d;
  d.tytul = "Dokumenty";
  d.tytulOsi = "Godziny pracy";
  d.osKategoriiUkryta = true;
  d.punktowNaWidok = 9;
  d.serie.resize(1);
  return d;
}

double PierwszyDzien(double data) {
  const datetime::Parts p = datetime::Decode(data);
  return datetime::EncodeDate(p.year, p.month, 1);
}

double PoprzedniMiesiac(double data) {
  const datetime::Parts p = datetime::Decode(data);
  return p.month == 1 ? datetime::EncodeDate(p.year - 1, 12, 1) : datetime::EncodeDate(p.year, p.month - 1, 1);
}

double NastepnyMiesiac(double data) {
  const datetime::Parts p = datetime::Decode(data);
  return p.month == 12 ? datetime::EncodeDate(p.year + 1, 1, 1) : datetime::EncodeDate(p.year, p.month + 1, 1);
}

std::string NaglowekMiesiaca(double data) {
  const datetime::Parts p = datetime::Decode(data);
  return MonthName(p.month) + ", " + std::to_string(p.year);
}

const std::array<const char*, 7> kDniTygodnia = {"poniedz.", "wtorek", "środa",   "czwartek",
                                                 "piątek",   "sobota", "niedziela"};

wykres::Rysunek RysujKomorke(int c, int r, int l, int t, int p, int b, const MonthGrid& m, int limitGodzin,
                             int szerokosc991) {
  wykres::Rysunek out;
  wykres::Operacja o;
  o.left = l;
  o.top = t;
  o.right = p;
  o.bottom = b;
  if (r == 0) {
    o.kolor = kMorski;
    out.push_back(o);
    o.rodzaj = wykres::Operacja::Tekst;
    o.kolor = {255, 255, 255};
    o.rozmiar = 10;
    o.wysrodkuj = true;
    o.tekst = c >= 0 && c < 7 ? kDniTygodnia[c] : "";
    out.push_back(o);
    return out;
  }
  o.kolor = {255, 255, 255};
  out.push_back(o);
  const int n = (r - 1) * 7 + c;  // 0-based cell index
  if (c < 0 || c > 6 || n < 0 || n >= 42 || m.cells[n].day == 0) return out;
  wykres::Operacja d;
  d.rodzaj = wykres::Operacja::Tekst;
  d.left = l + 2;
  d.top = t + 2;
  d.tekst = std::to_string(m.cells[n].day);
  d.rozmiar = 8;
  out.push_back(d);
  const int godziny = Zaokraglij(m.cells[n].seconds / 3600.0);
  const wykres::Kolor kolor = KolorPracy(BarColor(godziny, kGornaGranica, limitGodzin));
  const int x0 = l + szerokosc991, y0 = t + (b - t) / 8;
  // At most 24 squares: six rows of four fill a cell; more hours than a day has are not drawn.
  for (int k = 1; k <= std::min(godziny, 24); ++k) {
    const int kol = (k - 1) % 4, w = (k - 1) / 4;
    wykres::Operacja s;
    s.left = x0 + 11 * kol;
    s.top = y0 + 11 * w;
    s.right = s.left + 12;
    s.bottom = s.top + 12;
    s.kolor = kolor;
    out.push_back(s);
    s.rodzaj = wykres::Operacja::Ramka;
    s.kolor = {0, 0, 0};
    out.push_back(s);
  }
  return out;
}

RozmiarSiatki Rozmiar(const MonthGrid& c) {
  return {7 * kSzerokoscKomorki + 8, MonthGrid::kWysokoscNaglowka + 6 * c.rowHeight + 8};
}

wykres::Rysunek RysujSiatke(const MonthGrid& c, int limitGodzin, int szerokosc991) {
  const RozmiarSiatki r = Rozmiar(c);
  wykres::Rysunek out;
  wykres::Operacja linie;
  linie.right = r.szerokosc;
  linie.bottom = r.wysokosc;
  linie.kolor = {160, 160, 160};
  out.push_back(linie);
  for (int w = 0; w < 7; ++w) {
    const int t = w == 0 ? 1 : 1 + MonthGrid::kWysokoscNaglowka + 1 + (w - 1) * (c.rowHeight + 1);
    const int b = t + (w == 0 ? MonthGrid::kWysokoscNaglowka : c.rowHeight);
    for (int k = 0; k < 7; ++k) {
      const int l = 1 + k * (kSzerokoscKomorki + 1);
      const wykres::Rysunek komorka = RysujKomorke(k, w, l, t, l + kSzerokoscKomorki, b, c, limitGodzin, szerokosc991);
      out.insert(out.end(), komorka.begin(), komorka.end());
    }
  }
  return out;
}

std::vector<PozycjaDokumentu> ListaDokumentow(const std::vector<DocumentRecord>& dokumenty) {
  std::vector<PozycjaDokumentu> out;
  out.reserve(dokumenty.size());
  for (size_t i = 0; i < dokumenty.size(); ++i) {
    PozycjaDokumentu p;
    p.indeks = static_cast<int>(i);
    p.kolor = static_cast<int>(i % 14) + 1;
    p.tekst = IntToStr0b(p.kolor, 2) + "#" + dokumenty[i].Name;
    out.push_back(std::move(p));
  }
  // Letter case ignored, as the list compares its items.
  std::vector<std::string> klucze;
  klucze.reserve(out.size());
  for (const PozycjaDokumentu& p : out) klucze.push_back(UpperCasePL(p.tekst));
  std::vector<size_t> kolejnosc(out.size());
  for (size_t i = 0; i < kolejnosc.size(); ++i) kolejnosc[i] = i;
  std::stable_sort(kolejnosc.begin(), kolejnosc.end(), [&](size_t a, size_t b) { return klucze[a] < klucze[b]; });
  std::vector<PozycjaDokumentu> posortowane;
  posortowane.reserve(out.size());
  for (size_t i : kolejnosc) posortowane.push_back(std::move(out[i]));
  return posortowane;
}

void UstawWykresDokumentow(wykres::Dane& d, const std::vector<PozycjaDokumentu>& lista,
                           const std::vector<DocumentRecord>& dokumenty) {
  if (d.serie.empty()) d.serie.resize(1);
  wykres::Seria& s = d.serie[0];
  s.punkty.clear();
  d.etykietyOsi.clear();
  for (const PozycjaDokumentu& p : lista) {
    if (!p.zaznaczona || p.indeks < 0 || p.indeks >= static_cast<int>(dokumenty.size())) continue;
    const DocumentRecord& r = dokumenty[p.indeks];
    const double godziny = r.Seconds / 3600.0;
    s.punkty.push_back({static_cast<double>(s.punkty.size()), godziny, std::to_string(p.indeks),
                        KolorDokumentu(p.kolor)});
    d.etykietyOsi.push_back({godziny, TrimRightWhite(FormatDuration(r.Seconds, 1))});
  }
}

void ZaznaczWszystkie(std::vector<PozycjaDokumentu>& lista) {
  if (lista.empty()) return;
  const bool stan = !lista[0].zaznaczona;
  for (PozycjaDokumentu& p : lista) p.zaznaczona = stan;
}

int KontekstPomocy(int strona) { return strona >= 0 && strona < kStron ? 5 + strona : 0; }

int PoprawnaStrona(int32_t strona) { return strona >= 0 && strona < kStron ? strona : 0; }

WindowPosition PozycjaOkna(const WindowPosition& z, const std::vector<Prostokat>& monitory,
                           const Prostokat& glowny, int domyslnaW, int domyslnaH, int minW, int minH) {
  if (z.valid && z.maximized) return z;
  if (z.valid && z.width > 0 && z.height > 0) {
    WindowPosition w = z;
    w.width = std::max(w.width, minW);
    w.height = std::max(w.height, minH);
    // The caption must be reachable: a strip of it on some monitor.
    for (const Prostokat& m : monitory) {
      const int l = std::max(w.left, m.left), r = std::min(w.left + w.width, m.right);
      const int t = std::max(w.top, m.top), b = std::min(w.top + 20, m.bottom);
      if (r - l >= 40 && b - t >= 10) return w;
    }
  }
  WindowPosition w;
  w.width = std::min(domyslnaW, glowny.right - glowny.left);
  w.height = std::min(domyslnaH, glowny.bottom - glowny.top);
  w.left = glowny.left + (glowny.right - glowny.left - w.width) / 2;
  w.top = glowny.top + (glowny.bottom - glowny.top - w.height) / 2;
  return w;
}

}  // namespace statystyka
