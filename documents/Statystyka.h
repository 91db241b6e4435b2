#pragma once
// What the statistics window decides, apart from its controls: its stored options, the colour
// scales, the series of the three charts with their labels and hover texts, the month grid's
// drawing, the document check list, month navigation, help contexts and where the window opens.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Bajty.h"
#include "common/WinTools.h"
#include "documents/OrganizatorDokumentow.h"
#include "documents/Archiwum.h"
#include "documents/Wykres.h"

// Value OpcjeStatystyki.
struct StatisticsOptions {
  static constexpr size_t kRozmiar = 60;
  int32_t strona = 0;  // selected page 0..3
  std::string pozycja;  // window position text, up to 40 characters
  bool gradientDziennie = true;
  bool polaczeniaDziennie = true;
  bool gradientMiesiecznie = true;
  bool polaczeniaMiesiecznie = false;
  bool gradientDokumenty = true;
  int32_t szerokoscPanelu = 211;  // panDokumenty, pixels

  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p(0, r.strona);
    p.Tekst(4, 40, r.pozycja);
    p(48, r.gradientDziennie);
    p(49, r.polaczeniaDziennie);
    p(50, r.gradientMiesiecznie);
    p(51, r.polaczeniaMiesiecznie);
    p(52, r.gradientDokumenty);
    p(56, r.szerokoscPanelu);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static StatisticsOptions FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<StatisticsOptions>(b); }
};

// What the statistics window is built from.
struct ZrodloStatystyki {
  std::string plikArchiwum;
  std::vector<DocumentRecord> dokumenty;  // the organizer's records, in its order
  int32_t dzisSekundy = 0;                // today's work counter
  int32_t limitSekund = 6 * 3600;         // the daily work limit
  double dzis = 0;                        // work-day time now: its date is today's entry
  int godzinaPrzelaczenia = 4;            // the rollover hour, for the modem log's connections
};

// What the window reads once, when it is created, and its pages share.
struct DaneStatystyki {
  ZrodloStatystyki zrodlo;
  std::vector<ArchiveRecord> rekordy;  // every whole archive record in file order, unfiltered
  std::vector<ArchiveRecord> dni;    // the newest statystyka::kMaxDni entries, today's last
  std::vector<MonthTotal> miesiace;  // the newest statystyka::kMaxMiesiecy months
  bool archiwumWczytane = false;     // false: the file was missing, and that has been reported
  double cenaGrosz = 23.18;          // price of a charge unit (CenaPolaczeniaModemowego x 0.01)
};
// The modem log's connections reach the archive first, so past days show their connections and
// today's live entry today's; then the days, their months and the unit price are read. Read only
// (another program's data, Kalmo.exe /eksport): nothing is written, the log's connections of
// earlier days are added to the records in memory only, and a missing archive is no error.
DaneStatystyki WczytajDaneStatystyki(ZrodloStatystyki zrodlo, bool tylkoOdczyt = false);

// Reads OpcjeStatystyki; when the value is missing, writes the defaults (with the given window
// position text) at once and returns them.
StatisticsOptions WczytajOpcjeStatystyki(const std::string& pozycjaTeraz);
void ZapiszOpcjeStatystyki(const StatisticsOptions& o);

namespace statystyka {

// The window's bounds: 5000 day entries (today's included) and 172 months. Beyond them the
// oldest give way, so that the newest days and today stay in view.
inline constexpr size_t kMaxDni = 5000;
inline constexpr size_t kMaxMiesiecy = 172;
template <class T>
void ZostawNajnowsze(std::vector<T>& v, size_t n) {
  if (v.size() > n) v.erase(v.begin(), v.end() - static_cast<std::ptrdiff_t>(n));
}

// Round to the nearest whole number, halves to the even neighbour.
int32_t Zaokraglij(double v);

extern const std::array<wykres::Kolor, 10> WorkTimeColors;  // index 1..10 at [0..9]
extern const std::array<wykres::Kolor, 14> DocumentColors;  // index 1..14 at [0..13]
inline constexpr wykres::Kolor kNiebieski{0, 0, 255};
inline constexpr wykres::Kolor kCzerwony{255, 0, 0};
inline constexpr wykres::Kolor kMorski{0, 128, 128};
inline constexpr double kGornaGranica = 9;  // hours at which a day is all red

// Colour index 1..10 of the work-time scale for hours worked against a limit in hours.
int BarColor(double godziny, double gorna, double limit);
wykres::Kolor KolorPracy(int indeks);     // clamped to 1..10
wykres::Kolor KolorDokumentu(int indeks); // clamped to 1..14

// The system's short date of a date-time (the program passes the system's format).
using FormatDaty = std::function<std::string(double)>;
// "dd.mm.yyyy", what a Polish system shows.
std::string DataKrotka(double data);

// Series of the daily chart: Series1 (work, a bar per day entry) and Series5 (connections: a
// blue bar beside each day whose connections round to at least one minute, marks shown).
struct SerieDzienne {
  wykres::Seria praca;
  wykres::Seria polaczenia;
  bool wieleLat = false;  // the categories span more than one year (the monthly chart)
};
SerieDzienne SeriaDzienna(const std::vector<ArchiveRecord>& dni, int32_t limitSekund, bool polaczenia,
                          const FormatDaty& data);
// Series of the monthly chart: BarSeries1 (red work bars labelled I..XII, followed by the year
// when the months span more than one year: "III 2024") and Series4.
SerieDzienne SeriaMiesieczna(const std::vector<MonthTotal>& miesiace, bool polaczenia);
// Minutes of a connection total, rounded.
int32_t MinutyPolaczen(int32_t sekundy);
// The entry behind the n-th connection bar (0-based): the n-th entry whose connections round to
// at least one minute; -1 when there is none.
int DzienPolaczenia(const std::vector<ArchiveRecord>& dni, int n);
int MiesiacPolaczenia(const std::vector<MonthTotal>& miesiace, int n);

// Hover texts.
std::string TekstPracyDnia(const std::string& etykieta, double godziny);
std::string TekstPracyMiesiaca(const std::string& etykieta, double godziny);
// cenaGrosz: the price of a charge unit in grosz (CenaPolaczeniaModemowego x 0.01); the cost is
// written with two decimals and the system's decimal separator.
std::string TekstPolaczenia(int32_t sekundy, int32_t liczba, int32_t jednostki, double cenaGrosz,
                            const std::string& separator);
// The same for the day entry or month behind a connection bar.
template <class Wpis>
std::string TekstPolaczenia(const Wpis& w, double cenaGrosz, const std::string& separator) {
  return TekstPolaczenia(w.ConnectionSeconds, w.ConnectionCount, w.ChargeUnits, cenaGrosz, separator);
}
inline constexpr char kBrakPolaczenia[] = "Nie znaleziono danych połączenia modemowego dla podanego dnia";
// Roman numeral of a month 1..12; empty for anything else. With a year: "III 2024".
std::string EtykietaMiesiaca(int32_t miesiac);
std::string EtykietaMiesiaca(int32_t miesiac, int32_t rok);

// The three charts' fixed parts (titles, points per view, label directions).
wykres::Dane WykresDzienny();
wykres::Dane WykresMiesieczny();
wykres::Dane WykresDokumentow();

// Month navigation keeps the first day of the displayed month.
double PierwszyDzien(double data);
double PoprzedniMiesiac(double data);
double NastepnyMiesiac(double data);
// "marzec, 1999".
std::string NaglowekMiesiaca(double data);
extern const std::array<const char*, 7> kDniTygodnia;

// The grid's columns (its rows: MonthGrid).
inline constexpr int kSzerokoscKomorki = 90;
// How the grid is drawn: the width of the widest day text ("99:99") and the height of a line in
// the cell font, and the cells' background and ink (the system's window colours).
struct WygladSiatki {
  int szerokoscCzasu = 30;
  int wysokoscTekstu = 13;
  wykres::Kolor tlo{255, 255, 255};
  wykres::Kolor tusz{0, 0, 0};
};
// Seconds as whole minutes, to the nearest, half a minute up (30 s is a minute, 29 s none).
int64_t Minuty(int64_t sekundy);
// A day's exact work time in a cell: hours and minutes ("7:40", the minutes rounded, 30 s up);
// empty for a day without work.
std::string CzasKomorki(int32_t sekundy);
// Drawing of cell (c, r) in rectangle [l, t, r, b): the day number at the top left, its exact
// work time at the bottom left, and its hours as squares to their right, made small enough that
// every hour of a day (at most 24) fits the cell; limitGodzin the daily limit in whole hours.
wykres::Rysunek RysujKomorke(int kolumna, int wiersz, int l, int t, int p, int b, const MonthGrid& c,
                             int limitGodzin, const WygladSiatki& w);
// The whole grid in pixels: seven columns, the heading row and six rows of the month's height,
// with a grey line of one pixel around and between the cells.
struct RozmiarSiatki {
  int szerokosc = 0, wysokosc = 0;
};
RozmiarSiatki Rozmiar(const MonthGrid& c);
// The grid's lines, then every cell in its place.
wykres::Rysunek RysujSiatke(const MonthGrid& c, int limitGodzin, const WygladSiatki& w);
// The month's days as tab-separated text for the clipboard: "Dzień", "Czas pracy [godz.]", then
// a row per day (the date in the given format, the hours with two decimals).
std::string TekstSiatki(const MonthGrid& c, double miesiac, const FormatDaty& data, const std::string& separator);

// The document check list: "NN#Name" with NN the colour number (1..14, round robin in
// organizer order), sorted by colour number, then by name.
struct PozycjaDokumentu {
  std::string tekst;
  int indeks = 0;  // the record's index in the organizer
  int kolor = 1;
  bool zaznaczona = false;
};
std::vector<PozycjaDokumentu> ListaDokumentow(const std::vector<DocumentRecord>& dokumenty);
// Series2 and the value-axis labels for the checked items in list order.
void UstawWykresDokumentow(wykres::Dane& d, const std::vector<PozycjaDokumentu>& lista,
                           const std::vector<DocumentRecord>& dokumenty);
// Zaznacz/Odznacz: every item to the opposite of the first one's state (nothing on an empty list).
void ZaznaczWszystkie(std::vector<PozycjaDokumentu>& lista);

// Help context of a page, 0 for a page index outside 0..3.
int KontekstPomocy(int strona);
inline constexpr int kStron = 4;
// A page index that exists.
int PoprawnaStrona(int32_t strona);

struct Prostokat {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// Where the window goes: the stored position when it is valid and overlaps a monitor by at
// least a title bar's worth; otherwise the default size centred on the primary work area. A
// stored size below the minimum is raised to it.
WindowPosition PozycjaOkna(const WindowPosition& zapisana, const std::vector<Prostokat>& monitory,
                           const Prostokat& obszarGlowny, int domyslnaW, int domyslnaH, int minW, int minH);

}  // namespace statystyka
