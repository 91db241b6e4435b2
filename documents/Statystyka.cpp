#include "documents/Statystyka.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/DateTime.h"
#include "common/Tekstowe.h"
#include "common/TimeUtilities.h"
#include "documents/Modem.h"
#include "platform/Platform.h"
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

DaneStatystyki WczytajDaneStatystyki(ZrodloStatystyki zrodlo, bool tylkoOdczyt) {
  DaneStatystyki d;
  d.zrodlo = std::move(zrodlo);
  const ZrodloStatystyki& z = d.zrodlo;
  if (tylkoOdczyt && !platform::Fs().FileExists(z.plikArchiwum)) {
    // No day has ended yet: today alone, with what the log holds of it.
    const ConnectionTotals t = CzytajDziennikiModemu(z.dzis, z.godzinaPrzelaczenia);
    ArchiveRecord dzis;
    dzis.Date = datetime::DatePart(z.dzis);
    dzis.WorkSeconds = z.dzisSekundy;
    if (t.completed) {
      dzis.ConnectionSeconds = t.ConnectionSeconds;
      dzis.ConnectionCount = t.ConnectionCount;
      dzis.ChargeUnits = t.ChargeUnits;
    }
    d.dni = {dzis};
  } else {
    d.dni = PrzepiszPlikArchiwum(
        z.plikArchiwum, z.dzis, z.dzisSekundy,
        [&z, tylkoOdczyt] {
          return tylkoOdczyt ? CzytajDziennikiModemu(z.dzis, z.godzinaPrzelaczenia)
                             : UaktualnijArchiwumOPolaczeniaModemowe(z.plikArchiwum, z.dzis, z.godzinaPrzelaczenia);
        },
        &d.rekordy);
  }
  d.archiwumWczytane = !d.dni.empty();  // a readable file gives at least today's entry
  statystyka::ZostawNajnowsze(d.dni, statystyka::kMaxDni);
  d.miesiace = GrupujMiesiace(d.dni);
  statystyka::ZostawNajnowsze(d.miesiace, statystyka::kMaxMiesiecy);
  // Read only, a missing value is not created.
  const auto cena = tylkoOdczyt ? platform::Reg().ReadDword(platform::Root::CurrentUser, kKluczKalmo,
                                                            wartosc::CenaPolaczeniaModemowego)
                                : std::optional<uint32_t>(RejReadInteger(wartosc::CenaPolaczeniaModemowego, 2318));
  d.cenaGrosz = static_cast<int32_t>(cena.value_or(2318)) * 0.01;
  return d;
}

void ZapiszOpcjeStatystyki(const StatisticsOptions& o) {
  const auto b = o.ToBytes();
  CreateRegistryBinary(kKluczKalmo, wartosc::OpcjeStatystyki, b.data(), static_cast<int>(b.size()));
}

namespace statystyka {

using wykres::Kolor;

namespace {
constexpr char kKolumnaPracy[] = "Czas pracy [godz.]";
constexpr char kKolumnaPolaczen[] = "Połączenia [godz.]";
}  // namespace

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
  s.praca.nazwa = kKolumnaPracy;
  s.polaczenia.nazwa = kKolumnaPolaczen;
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
  s.praca.nazwa = kKolumnaPracy;
  s.polaczenia.nazwa = kKolumnaPolaczen;
  s.polaczenia.znaczniki = true;
  s.polaczenia.aktywna = polaczenia;
  // "III" alone is ambiguous once the months are grouped by year and span several.
  s.wieleLat = !miesiace.empty() && miesiace.front().Year != miesiace.back().Year;
  for (size_t j = 0; j < miesiace.size(); ++j) {
    const auto& m = miesiace[j];
    const std::string etykieta = s.wieleLat ? EtykietaMiesiaca(m.Month, m.Year) : EtykietaMiesiaca(m.Month);
    s.praca.punkty.push_back({static_cast<double>(j), m.WorkSeconds / 3600.0, etykieta, kCzerwony});
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

std::string EtykietaMiesiaca(int32_t miesiac, int32_t rok) {
  const std::string m = EtykietaMiesiaca(miesiac);
  return m.empty() ? m : m + " " + std::to_string(rok);
}

wykres::Dane WykresDzienny() {
  wykres::Dane d;
  d.tytul = "Czas pracy w poszczególnych dniach";
  d.tytulOsi = "Liczba godzin";
  d.tytulKategorii = "Dzień";
  d.etykietyPionowe = true;
  d.punktowNaWidok = 22;
  return d;
}

wykres::Dane WykresMiesieczny() {
  wykres::Dane d;
  d.tytul = "Czas pracy w poszczególnych miesiącach";
  d.tytulOsi = "Liczba godzin";
  d.tytulKategorii = "Miesiąc";
  d.punktowNaWidok = 22;
  return d;
}

wykres::Dane WykresDokumentow() {
  wykres::Dane d;
  d.tytul = "Dokumenty";
  d.tytulOsi = "Godziny pracy";
  d.tytulKategorii = "Dokument";
  d.osKategoriiUkryta = true;
  d.punktowNaWidok = 9;
  d.serie.resize(1);
  d.serie[0].nazwa = kKolumnaPracy;
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

int64_t Minuty(int64_t sekundy) {
  const int64_t x = sekundy + 30;  // half a minute up
  return x >= 0 ? x / 60 : -((-x + 59) / 60);
}

std::string CzasKomorki(int32_t sekundy) {
  if (sekundy == 0) return "";
  const int64_t minuty = Minuty(sekundy);
  const int64_t m = minuty < 0 ? -minuty : minuty;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%lld:%02lld", minuty < 0 ? "-" : "", static_cast<long long>(m / 60),
                static_cast<long long>(m % 60));
  return buf;
}

namespace {

// The day's hours as squares in [x0, prawa) x [y0, dol): four to a row, 12 pixels where they fit,
// smaller where a long day's rows must share a low cell; neighbouring frames overlap by one pixel.
void RysujKwadraty(wykres::Rysunek& out, int godziny, int x0, int y0, int prawa, int dol, const wykres::Kolor& kolor,
                   const wykres::Kolor& ramka) {
  godziny = std::min(godziny, 24);  // more hours than a day has are not drawn
  if (godziny <= 0) return;
  const int wiersze = (godziny + 3) / 4, kolumny = std::min(godziny, 4);
  const int bok = std::min({12, (dol - y0 - 1) / wiersze + 1, (prawa - x0 - 1) / kolumny + 1});
  if (bok < 3) return;
  for (int k = 1; k <= godziny; ++k) {
    const int kol = (k - 1) % 4, w = (k - 1) / 4;
    wykres::Operacja s;
    s.left = x0 + (bok - 1) * kol;
    s.top = y0 + (bok - 1) * w;
    s.right = s.left + bok;
    s.bottom = s.top + bok;
    s.kolor = kolor;
    out.push_back(s);
    s.rodzaj = wykres::Operacja::Ramka;
    s.kolor = ramka;
    out.push_back(s);
  }
}

}  // namespace

wykres::Rysunek RysujKomorke(int c, int r, int l, int t, int p, int b, const MonthGrid& m, int limitGodzin,
                             const WygladSiatki& wyglad) {
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
  o.kolor = wyglad.tlo;
  out.push_back(o);
  const int n = (r - 1) * 7 + c;  // 0-based cell index
  if (c < 0 || c > 6 || n < 0 || n >= 42 || m.cells[n].day == 0) return out;
  wykres::Operacja d;
  d.rodzaj = wykres::Operacja::Tekst;
  d.left = l + 2;
  d.top = t + 2;
  d.tekst = std::to_string(m.cells[n].day);
  d.rozmiar = 8;
  d.kolor = wyglad.tusz;
  out.push_back(d);
  // The exact time under the day number, in the same column, so the squares keep the rest.
  if (const std::string czas = CzasKomorki(m.cells[n].seconds); !czas.empty()) {
    d.top = std::max(t + 2 + wyglad.wysokoscTekstu, b - 1 - wyglad.wysokoscTekstu);
    d.tekst = czas;
    out.push_back(d);
  }
  const int godziny = Zaokraglij(m.cells[n].seconds / 3600.0);
  const wykres::Kolor kolor = wykres::Czytelny(KolorPracy(BarColor(godziny, kGornaGranica, limitGodzin)), {wyglad.tlo});
  RysujKwadraty(out, godziny, l + 2 + wyglad.szerokoscCzasu + 4, t + 3, p - 2, b - 2, kolor, wyglad.tusz);
  return out;
}

RozmiarSiatki Rozmiar(const MonthGrid& c) {
  return {7 * kSzerokoscKomorki + 8, MonthGrid::kWysokoscNaglowka + 6 * c.rowHeight + 8};
}

wykres::Rysunek RysujSiatke(const MonthGrid& c, int limitGodzin, const WygladSiatki& w) {
  const RozmiarSiatki r = Rozmiar(c);
  wykres::Rysunek out;
  wykres::Operacja linie;
  linie.right = r.szerokosc;
  linie.bottom = r.wysokosc;
  linie.kolor = {160, 160, 160};
  out.push_back(linie);
  for (int wiersz = 0; wiersz < 7; ++wiersz) {
    const int t = wiersz == 0 ? 1 : 1 + MonthGrid::kWysokoscNaglowka + 1 + (wiersz - 1) * (c.rowHeight + 1);
    const int b = t + (wiersz == 0 ? MonthGrid::kWysokoscNaglowka : c.rowHeight);
    for (int k = 0; k < 7; ++k) {
      const int l = 1 + k * (kSzerokoscKomorki + 1);
      const wykres::Rysunek komorka = RysujKomorke(k, wiersz, l, t, l + kSzerokoscKomorki, b, c, limitGodzin, w);
      out.insert(out.end(), komorka.begin(), komorka.end());
    }
  }
  return out;
}

std::string TekstSiatki(const MonthGrid& c, double miesiac, const FormatDaty& data, const std::string& separator) {
  std::string out = "Dzień\t" + std::string(kKolumnaPracy) + "\r\n";
  const double pierwszy = PierwszyDzien(miesiac);
  for (const MonthCell& k : c.cells)
    if (k.day > 0) out += data(pierwszy + k.day - 1) + "\t" + wykres::Liczba2(k.seconds / 3600.0, separator) + "\r\n";
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
                        KolorDokumentu(p.kolor), r.Name});
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
    // A damaged value may hold any whole numbers: no size beyond what a screen could show, and
    // the sums below in 64 bits.
    constexpr int kNajwiecej = 1 << 16;
    w.width = std::clamp(w.width, minW, std::max(minW, kNajwiecej));
    w.height = std::clamp(w.height, minH, std::max(minH, kNajwiecej));
    // The caption must be reachable: a strip of it on some monitor.
    for (const Prostokat& m : monitory) {
      const int64_t l = std::max<int64_t>(w.left, m.left), r = std::min<int64_t>(int64_t{w.left} + w.width, m.right);
      const int64_t t = std::max<int64_t>(w.top, m.top), b = std::min<int64_t>(int64_t{w.top} + 20, m.bottom);
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
