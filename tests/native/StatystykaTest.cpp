// The statistics window's decisions: colours, series, the month views and grid, the document list,
// its stored options, and the chart layout they are drawn with.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/DateTime.h"
#include "common/WinTools.h"
#include "documents/Statystyka.h"
#include "documents/Archiwum.h"
#include "documents/Wykres.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"

using platform::memory::TestPlatform;
using namespace statystyka;

namespace {

// The archive file of the given records, in the memory platform.
std::string Plik(TestPlatform& tp, const std::vector<ArchiveRecord>& rekordy) {
  std::string bajty;
  for (const auto& r : rekordy) {
    const auto b = r.ToBytes();
    bajty.append(b.begin(), b.end());
  }
  tp.files.CreateDirectory("C:\\K");
  tp.files.WriteFileReplacing("C:\\K\\All_arch.dat", bajty);
  return "C:\\K\\All_arch.dat";
}

ArchiveRecord Dzien(int y, int m, int d, int32_t praca, int32_t polSek = 0, int32_t liczba = 0, int32_t jedn = 0) {
  ArchiveRecord r;
  r.Date = datetime::Encode(y, m, d, 18, 0, 0);
  r.WorkSeconds = praca;
  r.ConnectionSeconds = polSek;
  r.ConnectionCount = liczba;
  r.ChargeUnits = jedn;
  return r;
}

wykres::Miara Miara() {
  wykres::Miara m;
  m.szerokosc = [](const std::string& t, bool) { return static_cast<int>(t.size()) * 6; };
  m.wysokosc = 13;
  return m;
}

}  // namespace

TEST(Statystyka, BarColorScaleAndGridSquares) {
  EXPECT_EQ(BarColor(7, 9, 6), 4);  // round(1 + 1 * 9 / 3)
  EXPECT_EQ(BarColor(6, 9, 6), 1);
  EXPECT_EQ(BarColor(3, 9, 6), 1);
  EXPECT_EQ(BarColor(9, 9, 6), 10);
  EXPECT_EQ(BarColor(12, 9, 6), 10);
  EXPECT_EQ(BarColor(6.5, 9, 6), 2);   // 1 + 1.5 = 2.5 -> 2 (half to even)
  EXPECT_EQ(BarColor(7.5, 9, 6), 6);   // 5.5 -> 6
  EXPECT_EQ(KolorPracy(4), (wykres::Kolor{211, 217, 13}));
  EXPECT_EQ(Zaokraglij(2.5), 2);
  EXPECT_EQ(Zaokraglij(3.5), 4);

  // Every colour drawn on the white page or the chart's gradient keeps a contrast of 3:1 with it;
  // one that has it already stays as it is; on a dark background colours are lightened.
  const std::vector<wykres::Kolor> tla{{255, 255, 255}, {255, 244, 190}};
  for (const auto& k : WorkTimeColors)
    for (const auto& t : tla) EXPECT_GE(wykres::Kontrast(wykres::Czytelny(k, tla), t), 3.0);
  for (const auto& k : DocumentColors)
    for (const auto& t : tla) EXPECT_GE(wykres::Kontrast(wykres::Czytelny(k, tla), t), 3.0);
  EXPECT_EQ(wykres::Czytelny(kNiebieski, tla), kNiebieski);
  EXPECT_GE(wykres::Kontrast(wykres::Czytelny({0, 0, 0}, {{0, 0, 0}}), {0, 0, 0}), 3.0);
  EXPECT_NEAR(wykres::Kontrast({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);

  // 7 h 40 min with a 6-hour limit: 8 squares of 12 pixels, two rows of four, colour 7 (made
  // readable on white), frames overlapping, to the right of the day's two texts.
  TestPlatform tp;
  const MonthGrid c = WczytajCzasyPracyDlaMiesiaca(Plik(tp, {Dzien(2024, 4, 3, 7 * 3600 + 40 * 60)}),
                                                   datetime::EncodeDate(2024, 4, 1), 0, 0);
  ASSERT_EQ(c.offset, 0);  // 1 April 2024 was a Monday
  const WygladSiatki wyglad{30, 13};
  const wykres::Rysunek r = RysujKomorke(2, 1, 100, 200, 190, 252, c, 6, wyglad);
  std::vector<wykres::Operacja> kwadraty;
  for (const auto& o : r)
    if (o.rodzaj == wykres::Operacja::Wypelnij && o.right - o.left == 12) kwadraty.push_back(o);
  ASSERT_EQ(kwadraty.size(), 8u);
  for (const auto& k : kwadraty) EXPECT_EQ(k.kolor, wykres::Czytelny({253, 216, 2}, {{255, 255, 255}}));
  EXPECT_EQ(kwadraty[0].left, 136);
  EXPECT_EQ(kwadraty[0].top, 203);
  EXPECT_EQ(kwadraty[3].left, 136 + 33);
  EXPECT_EQ(kwadraty[4].left, 136);
  EXPECT_EQ(kwadraty[4].top, 203 + 11);
  // The day number in the corner and its exact time at the bottom of the same column; the
  // heading row is teal with its weekday.
  EXPECT_EQ(r[1].tekst, "3");
  EXPECT_EQ(r[2].tekst, "7:40");
  EXPECT_EQ(r[2].left, 102);
  EXPECT_EQ(r[2].top, 252 - 1 - 13);
  EXPECT_EQ(CzasKomorki(0), "");
  EXPECT_EQ(CzasKomorki(29), "0:00");
  EXPECT_EQ(CzasKomorki(30), "0:01");
  EXPECT_EQ(CzasKomorki(24 * 3600), "24:00");
  EXPECT_EQ(CzasKomorki(-90), "-0:01");
  const auto naglowek = RysujKomorke(6, 0, 0, 0, 90, 25, c, 6, wyglad);
  EXPECT_EQ(naglowek[0].kolor, kMorski);
  EXPECT_EQ(naglowek[1].tekst, "niedziela");
  // An empty cell is only its background.
  EXPECT_EQ(RysujKomorke(6, 6, 0, 0, 90, 52, c, 6, wyglad).size(), 1u);

  // The whole grid: grey lines under it all, the cells one pixel apart below the heading row.
  const RozmiarSiatki rozmiar = Rozmiar(c);
  EXPECT_EQ(rozmiar.szerokosc, 7 * 91 + 1);
  EXPECT_EQ(rozmiar.wysokosc, 1 + 26 + 6 * 53);
  const wykres::Rysunek siatka = RysujSiatke(c, 6, wyglad);
  wykres::Operacja linie;
  linie.right = rozmiar.szerokosc;
  linie.bottom = rozmiar.wysokosc;
  linie.kolor = {160, 160, 160};
  EXPECT_EQ(siatka[0], linie);
  const auto dzien3 = std::find_if(siatka.begin(), siatka.end(), [](const auto& o) { return o.tekst == "3"; });
  ASSERT_NE(dzien3, siatka.end());
  EXPECT_EQ(dzien3->left, 1 + 2 * 91 + 2);
  EXPECT_EQ(dzien3->top, 1 + 25 + 1 + 2);
  EXPECT_EQ(std::count_if(siatka.begin(), siatka.end(), [](const auto& o) { return o.kolor == kMorski; }), 7);
  const std::string tekst = TekstSiatki(c, datetime::EncodeDate(2024, 4, 20), DataKrotka, ",");
  EXPECT_EQ(tekst.rfind("Dzień\tCzas pracy [godz.]\r\n01.04.2024\t0,00\r\n02.04.2024\t0,00\r\n03.04.2024\t7,67\r\n", 0),
            0u);
  EXPECT_EQ(std::count(tekst.begin(), tekst.end(), '\n'), 31);  // the heading and 30 days
}

TEST(Statystyka, GridSquaresFitTheirCellForEveryHourOfADay) {
  // March 2025 starts on Saturday and needs six week rows of 43 pixels; every day worked 24
  // hours, or more (a damaged record): 24 squares at most, none outside its cell, none on its
  // texts, none on another.
  TestPlatform tp;
  std::vector<ArchiveRecord> dni;
  for (int d = 1; d <= 31; ++d) dni.push_back(Dzien(2025, 3, d, d == 31 ? 30 * 3600 : 24 * 3600));
  const MonthGrid c = WczytajCzasyPracyDlaMiesiaca(Plik(tp, dni), datetime::EncodeDate(2025, 3, 1), 0, 0);
  ASSERT_EQ(c.rows, 6);
  ASSERT_EQ(c.rowHeight, 43);
  for (const WygladSiatki w : {WygladSiatki{30, 13}, WygladSiatki{36, 16}}) {
    for (int wiersz = 1; wiersz <= 6; ++wiersz)
      for (int kol = 0; kol < 7; ++kol) {
        const int l = 1 + kol * 91, t = 27 + (wiersz - 1) * 44, p = l + 90, b = t + 43;
        const wykres::Rysunek r = RysujKomorke(kol, wiersz, l, t, p, b, c, 8, w);
        std::vector<wykres::Operacja> kwadraty;
        for (const auto& o : r)
          if (o.rodzaj == wykres::Operacja::Ramka) kwadraty.push_back(o);
        if (c.cells[(wiersz - 1) * 7 + kol].day == 0) {
          EXPECT_TRUE(kwadraty.empty());
          continue;
        }
        ASSERT_EQ(kwadraty.size(), 24u);
        for (size_t i = 0; i < kwadraty.size(); ++i) {
          const auto& k = kwadraty[i];
          EXPECT_GE(k.left, l + 2 + w.szerokoscCzasu) << wiersz << "," << kol;
          EXPECT_LE(k.right, p);
          EXPECT_GE(k.top, t);
          EXPECT_LE(k.bottom, b);
          EXPECT_GE(k.right - k.left, 5);
          if (i % 4) EXPECT_EQ(k.left, kwadraty[i - 1].right - 1);  // neighbours share a frame line
        }
      }
  }
  // Five rows of 52 pixels keep the full 12-pixel squares for an ordinary day.
  const MonthGrid wrzesien = WczytajCzasyPracyDlaMiesiaca(Plik(tp, {Dzien(2025, 9, 1, 8 * 3600)}),
                                                          datetime::EncodeDate(2025, 9, 1), 0, 0);
  const wykres::Rysunek r = RysujKomorke(0, 1, 0, 0, 90, 52, wrzesien, 8, WygladSiatki{});
  EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const auto& o) {
              return o.rodzaj == wykres::Operacja::Ramka && o.right - o.left == 12;
            }),
            8);
}

TEST(Statystyka, WindowBoundsKeepTheNewestDaysAndToday) {
  TestPlatform tp;
  tp.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  // 5,100 archive days and today: the oldest 101 give way, today stays last.
  std::vector<ArchiveRecord> plik;
  for (int i = 0; i < 5100; ++i) plik.push_back(Dzien(2000, 1, 1, i));
  for (int i = 0; i < 5100; ++i) plik[i].Date += i;
  ZrodloStatystyki z;
  z.plikArchiwum = Plik(tp, plik);
  z.dzis = datetime::EncodeDate(2014, 1, 1);
  z.dzisSekundy = 900;
  DaneStatystyki d = WczytajDaneStatystyki(z);
  ASSERT_EQ(d.dni.size(), kMaxDni);
  EXPECT_TRUE(d.archiwumWczytane);
  EXPECT_EQ(d.dni.front().WorkSeconds, 101);
  EXPECT_EQ(d.dni[kMaxDni - 2].WorkSeconds, 5099);
  EXPECT_EQ(d.dni.back().WorkSeconds, 900);
  EXPECT_DOUBLE_EQ(d.cenaGrosz, 23.18);
  // 200 months: the newest 172 stay.
  std::vector<ArchiveRecord> miesiace;
  for (int i = 0; i < 200; ++i) miesiace.push_back(Dzien(2000 + i / 12, i % 12 + 1, 1, i));
  z.plikArchiwum = Plik(tp, miesiace);
  z.dzis = datetime::EncodeDate(2016, 8, 2);
  z.dzisSekundy = 0;
  d = WczytajDaneStatystyki(z);
  ASSERT_EQ(d.miesiace.size(), kMaxMiesiecy);
  EXPECT_EQ(d.miesiace.front().WorkSeconds, 28);
  EXPECT_EQ(d.miesiace.back().WorkSeconds, 199);
  EXPECT_EQ(EtykietaMiesiaca(0), "");
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST(Statystyka, DailyAndMonthlySeriesWithConnectionBars) {
  // Day 1: 20 s of connections (0 minutes, no bar); day 2: 195 s; day 3: none; day 4: 90 s.
  const std::vector<ArchiveRecord> dni = {Dzien(2024, 3, 1, 7 * 3600, 20, 1, 1), Dzien(2024, 3, 2, 3 * 3600, 195, 1, 2),
                                          Dzien(2024, 3, 3, 10 * 3600), Dzien(2024, 4, 1, 1800, 90, 2, 2)};
  const auto s = SeriaDzienna(dni, 6 * 3600, true, DataKrotka);
  ASSERT_EQ(s.praca.punkty.size(), 4u);
  EXPECT_EQ(s.praca.punkty[0].etykieta, "01.03.2024");
  EXPECT_DOUBLE_EQ(s.praca.punkty[0].wartosc, 7);
  EXPECT_EQ(s.praca.punkty[0].kolor, KolorPracy(4));
  EXPECT_EQ(s.praca.punkty[2].kolor, KolorPracy(10));
  ASSERT_EQ(s.polaczenia.punkty.size(), 2u);
  EXPECT_DOUBLE_EQ(s.polaczenia.punkty[0].x, 1);
  EXPECT_EQ(s.polaczenia.punkty[0].etykieta, "3");  // 3.25 minutes
  EXPECT_EQ(s.polaczenia.punkty[1].etykieta, "2");  // 1.5 -> 2
  EXPECT_EQ(s.polaczenia.punkty[0].kolor, kNiebieski);
  EXPECT_TRUE(s.polaczenia.znaczniki);
  // The n-th connection bar belongs to the n-th day with a bar, skipping the 20-second day.
  EXPECT_EQ(DzienPolaczenia(dni, 0), 1);
  EXPECT_EQ(DzienPolaczenia(dni, 1), 3);
  EXPECT_EQ(DzienPolaczenia(dni, 2), -1);
  EXPECT_TRUE(SeriaDzienna(dni, 6 * 3600, false, DataKrotka).polaczenia.punkty.empty());

  const auto m = GrupujMiesiace(dni);
  const auto sm = SeriaMiesieczna(m, true);
  ASSERT_EQ(sm.praca.punkty.size(), 2u);
  EXPECT_EQ(sm.praca.punkty[0].etykieta, "III");
  EXPECT_EQ(sm.praca.punkty[1].etykieta, "IV");
  EXPECT_EQ(sm.praca.punkty[0].kolor, kCzerwony);
  EXPECT_DOUBLE_EQ(sm.praca.punkty[0].wartosc, 20);
  ASSERT_EQ(sm.polaczenia.punkty.size(), 2u);
  EXPECT_EQ(MiesiacPolaczenia(m, 1), 1);

  EXPECT_EQ(s.praca.nazwa, "Czas pracy [godz.]");
  // Months of more than one year carry the year, and the chart turns its labels to fit them.
  const auto lata = SeriaMiesieczna(GrupujMiesiace({Dzien(2023, 12, 1, 3600), Dzien(2024, 1, 2, 7200)}), false);
  EXPECT_TRUE(lata.wieleLat);
  EXPECT_EQ(lata.praca.punkty[0].etykieta, "XII 2023");
  EXPECT_EQ(lata.praca.punkty[1].etykieta, "I 2024");
  EXPECT_FALSE(sm.wieleLat);
  EXPECT_EQ(TekstPracyDnia("01.03.2024", 7.5), "w dniu 01.03.2024 pracowałeś 7 godzin i 30 minut");
  EXPECT_EQ(TekstPracyMiesiaca("III", 20), "w miesiącu III przepracowałeś 20 godzin ");
  EXPECT_EQ(TekstPolaczenia(195, 1, 2, 2318 * 0.01, ","), "czas połączenia: 3 minuty, liczba połączeń: 1, koszt: 0,46 zł ");
}

TEST(Statystyka, DocumentListChartAndLabels) {
  std::vector<DocumentRecord> docs;
  for (int i = 0; i < 15; ++i) {
    DocumentRecord r;
    r.Name = "Dok " + std::string(1, static_cast<char>('a' + i));
    r.Seconds = (i + 1) * 1800;
    docs.push_back(r);
  }
  auto lista = ListaDokumentow(docs);
  ASSERT_EQ(lista.size(), 15u);
  // The 15th document is colour 01 again and sorts right after the first.
  EXPECT_EQ(lista[0].tekst, "01#Dok a");
  EXPECT_EQ(lista[1].tekst, "01#Dok o");
  EXPECT_EQ(lista[1].indeks, 14);
  EXPECT_EQ(lista[2].tekst, "02#Dok b");

  ZaznaczWszystkie(lista);
  EXPECT_TRUE(lista[14].zaznaczona);
  ZaznaczWszystkie(lista);
  EXPECT_FALSE(lista[0].zaznaczona);
  std::vector<PozycjaDokumentu> pusta;
  ZaznaczWszystkie(pusta);  // nothing to do, nothing breaks

  lista[1].zaznaczona = true;  // "Dok o", index 14
  lista[2].zaznaczona = true;  // "Dok b", index 1
  wykres::Dane d = WykresDokumentow();
  UstawWykresDokumentow(d, lista, docs);
  ASSERT_EQ(d.serie[0].punkty.size(), 2u);
  EXPECT_EQ(d.serie[0].punkty[0].etykieta, "14");
  EXPECT_DOUBLE_EQ(d.serie[0].punkty[0].wartosc, 7.5);
  EXPECT_EQ(d.serie[0].punkty[0].kolor, DocumentColors[0]);
  EXPECT_EQ(d.serie[0].punkty[1].kolor, (wykres::Kolor{0, 0, 255}));
  ASSERT_EQ(d.etykietyOsi.size(), 2u);
  EXPECT_EQ(d.etykietyOsi[0].second, "7 g. i 30 m.");
  EXPECT_EQ(d.etykietyOsi[1].second, "1 g.");  // trailing blank removed
}

TEST(Statystyka, OptionsNavigationHelpAndPlacement) {
  TestPlatform tp;
  tp.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  const StatisticsOptions o = WczytajOpcjeStatystyki("10#20#700#500");
  const auto b = tp.registry.ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjeStatystyki);
  ASSERT_TRUE(b);
  ASSERT_EQ(b->size(), 60u);
  const std::vector<uint8_t>& v = *b;
  EXPECT_EQ(bajty::GetI32(v, 0), 0);
  EXPECT_EQ(bajty::GetShortString(v, 4, 40), "10#20#700#500");
  EXPECT_EQ((std::vector<uint8_t>(v.begin() + 48, v.begin() + 56)), (std::vector<uint8_t>{1, 1, 1, 0, 1, 0, 0, 0}));
  EXPECT_EQ(bajty::GetI32(v, 56), 211);
  EXPECT_EQ(o.pozycja, "10#20#700#500");
  StatisticsOptions z = o;
  z.strona = 2;
  z.polaczeniaMiesiecznie = true;
  ZapiszOpcjeStatystyki(z);
  const StatisticsOptions w = WczytajOpcjeStatystyki("inna");
  EXPECT_EQ(w.strona, 2);
  EXPECT_TRUE(w.polaczeniaMiesiecznie);
  EXPECT_EQ(w.pozycja, "10#20#700#500");
  EXPECT_TRUE(tp.dialogs.shown.empty());

  // From 31 March the previous month is February, kept as its first day; year boundaries.
  const double luty = PoprzedniMiesiac(datetime::EncodeDate(1999, 3, 31));
  EXPECT_EQ(luty, datetime::EncodeDate(1999, 2, 1));
  EXPECT_EQ(NaglowekMiesiaca(luty), "luty, 1999");
  EXPECT_EQ(PoprzedniMiesiac(datetime::EncodeDate(2000, 1, 31)), datetime::EncodeDate(1999, 12, 1));
  EXPECT_EQ(NastepnyMiesiac(datetime::EncodeDate(1999, 12, 31)), datetime::EncodeDate(2000, 1, 1));

  EXPECT_EQ(KontekstPomocy(0), 5);
  EXPECT_EQ(KontekstPomocy(3), 8);
  EXPECT_EQ(KontekstPomocy(4), 0);
  EXPECT_EQ(PoprawnaStrona(7), 0);
  EXPECT_EQ(PoprawnaStrona(-1), 0);
  EXPECT_EQ(PoprawnaStrona(3), 3);

  const std::vector<Prostokat> monitory = {{0, 0, 1024, 768}};
  const Prostokat obszar{0, 0, 1024, 738};
  WindowPosition zapisana{false, 100, 50, 600, 400, true};
  EXPECT_EQ(PozycjaOkna(zapisana, monitory, obszar, 700, 500, 500, 350).left, 100);
  zapisana.left = 3000;  // on no monitor: centred on the primary one
  WindowPosition p = PozycjaOkna(zapisana, monitory, obszar, 700, 500, 500, 350);
  EXPECT_EQ(p.left, 162);
  EXPECT_EQ(p.top, 119);
  EXPECT_EQ(p.width, 700);
  EXPECT_EQ(PozycjaOkna(WindowPositionFromText("śmieci"), monitory, obszar, 700, 500, 500, 350).width, 700);
  zapisana = {false, 10, 10, 100, 100, true};  // too small: raised to the minimum
  EXPECT_EQ(PozycjaOkna(zapisana, monitory, obszar, 700, 500, 500, 350).width, 500);
  // A damaged value of the largest whole numbers overflows nothing (the sanitizer would stop
  // here) and goes nowhere off the screens; a huge size is cut down.
  p = PozycjaOkna(WindowPositionFromText("2147483647#2147483647#2147483647#2147483647"), monitory, obszar, 700, 500,
                  500, 350);
  EXPECT_EQ(p.left, 162);
  p = PozycjaOkna(WindowPositionFromText("-2147483648#0#2147483647#500"), monitory, obszar, 700, 500, 500, 350);
  EXPECT_LE(p.width, 1 << 16);
}

TEST(Wykres, LayoutViewPanZoomAndHitTest) {
  wykres::Dane d = WykresDzienny();
  d.serie.resize(2);
  for (int i = 0; i < 30; ++i) d.serie[0].punkty.push_back({double(i), i % 10 + 0.5, "d" + std::to_string(i), {1, 2, 3}});
  d.serie[1].punkty.push_back({29, 1, "60", {0, 0, 255}});
  d.serie[1].znaczniki = true;

  // The last 22 points are in view.
  const wykres::Widok w = wykres::WidokPoczatkowy(d);
  EXPECT_DOUBLE_EQ(w.min, 7.5);
  EXPECT_DOUBLE_EQ(w.max, 29.5);
  // Panning by 2 % of the range, never beyond the points.
  const wykres::Widok wstecz = wykres::Przesun(d, w, -2);
  EXPECT_DOUBLE_EQ(wstecz.min, 7.5 - 0.44);
  EXPECT_EQ(wykres::Przesun(d, w, 2), w);
  wykres::Widok lewo = w;
  for (int i = 0; i < 100; ++i) lewo = wykres::Przesun(d, lewo, -2);
  EXPECT_DOUBLE_EQ(lewo.min, -0.5);
  EXPECT_NEAR(lewo.max, 21.5, 1e-9);

  const wykres::Uklad u = wykres::Uloz(d, w, 600, 400, Miara());
  // Value axis fitted: 9.5 hours -> 0..10 in steps of 2 (at most eight steps).
  EXPECT_DOUBLE_EQ(u.vmax, 10);
  EXPECT_DOUBLE_EQ(u.krok, 2);
  // 22 work bars and the connection bar beside the last one.
  ASSERT_EQ(u.slupki.size(), 23u);
  const wykres::Slupek& ostatni = u.slupki[21];
  const wykres::Slupek& pol = u.slupki[22];
  EXPECT_EQ(ostatni.punkt, 29);
  EXPECT_EQ(pol.seria, 1);
  EXPECT_EQ(pol.left, ostatni.right);
  EXPECT_EQ(wykres::Trafienie(u, (pol.left + pol.right) / 2, pol.bottom - 1), 22);
  EXPECT_EQ(wykres::Trafienie(u, (ostatni.left + ostatni.right) / 2, ostatni.bottom - 1), 21);
  EXPECT_EQ(wykres::Trafienie(u, u.plotL + 1, u.plotT + 1), -1);
  // A 9.5-hour bar reaches 95 % of the plot height.
  const wykres::Slupek& b9 = u.slupki[1];  // point 9
  EXPECT_EQ(b9.punkt, 9);
  EXPECT_NEAR(b9.bottom - b9.top, 0.95 * (u.plotB - u.plotT), 1.0);
  // Title, axis title turned, category labels turned, the connection bar's mark.
  int tytul = 0, pionowe = 0, znacznik = 0;
  for (const auto& o : u.operacje) {
    if (o.rodzaj != wykres::Operacja::Tekst) continue;
    if (o.tekst == d.tytul && o.pogrubiony) ++tytul;
    if (o.kat == 900 && o.tekst.rfind("d", 0) == 0) ++pionowe;
    if (o.tekst == "60") ++znacznik;
  }
  EXPECT_EQ(tytul, 1);
  EXPECT_GT(pionowe, 10);
  EXPECT_EQ(znacznik, 1);
  EXPECT_EQ(u.operacje[0].rodzaj, wykres::Operacja::Gradient);
  // Bars keep a 3:1 contrast with the background: a pale colour comes out darker.
  EXPECT_EQ(u.operacje[0].kolor, d.tlo);
  for (const auto& o : u.operacje)
    if (o.rodzaj == wykres::Operacja::Wypelnij && o.bottom == u.plotB && o.right - o.left < 30)
      EXPECT_GE(wykres::Kontrast(o.kolor, d.tlo), 3.0);
  d.gradient = false;
  EXPECT_EQ(wykres::Uloz(d, w, 600, 400, Miara()).operacje[0].rodzaj, wykres::Operacja::Wypelnij);

  // Zoom into a dragged rectangle, back to the start by dragging the other way.
  const wykres::Widok z = wykres::Powieksz(d, w, u, u.plotL, u.plotT, (u.plotL + u.plotR) / 2, u.plotB);
  EXPECT_NEAR(z.max - z.min, 11, 0.05);
  EXPECT_NEAR(z.vmax, 10, 1e-9);
  EXPECT_EQ(wykres::Powieksz(d, z, u, 300, 300, 100, 100), w);
  EXPECT_EQ(wykres::Powieksz(d, z, u, 300, 300, 302, 301), z);

  // Custom value-axis labels replace the scale; an empty chart still lays out.
  wykres::Dane dok = WykresDokumentow();
  dok.serie[0].punkty.push_back({0, 2, "3", {0, 0, 0}});
  dok.etykietyOsi.push_back({2, "2 godz."});
  const wykres::Uklad ud = wykres::Uloz(dok, wykres::WidokPoczatkowy(dok), 400, 300, Miara());
  int etykiety = 0;
  for (const auto& o : ud.operacje)
    if (o.rodzaj == wykres::Operacja::Tekst && o.kat == 0 && o.tekst != dok.tytul) {
      ++etykiety;
      EXPECT_EQ(o.tekst, "2 godz.");
    }
  EXPECT_EQ(etykiety, 1);
  // The value axis writes the user's decimal separator.
  dok.etykietyOsi.clear();
  dok.serie[0].punkty[0].wartosc = 0.8;
  auto tekstyOsi = [&](const std::string& separator) {
    dok.separator = separator;
    std::string t;
    for (const auto& o : wykres::Uloz(dok, wykres::WidokPoczatkowy(dok), 400, 300, Miara()).operacje)
      if (o.rodzaj == wykres::Operacja::Tekst && o.kat == 0 && o.tekst != dok.tytul) t += o.tekst + " ";
    return t;
  };
  EXPECT_EQ(tekstyOsi(","), "0 0,1 0,2 0,3 0,4 0,5 0,6 0,7 0,8 ");
  EXPECT_EQ(tekstyOsi("."), "0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 ");
  const wykres::Uklad pusty = wykres::Uloz(WykresMiesieczny(), wykres::WidokPoczatkowy(WykresMiesieczny()), 400, 300, Miara());
  EXPECT_TRUE(pusty.slupki.empty());
  EXPECT_DOUBLE_EQ(pusty.vmax, 1);
}

TEST(Wykres, KeysMoveTheViewAndTheNumbersCopyAsATable) {
  wykres::Dane d = WykresDzienny();
  d.serie.resize(2);
  for (int i = 0; i < 30; ++i) d.serie[0].punkty.push_back({double(i), i / 4.0, "d" + std::to_string(i), {1, 2, 3}});
  d.serie[0].nazwa = "Praca";
  d.serie[1].nazwa = "Połączenia";
  d.serie[1].punkty.push_back({2, 0.13, "8", {0, 0, 255}});
  const wykres::Widok w = wykres::WidokPoczatkowy(d);  // 7.5 .. 29.5

  // An arrow moves one bar, never past the first or the last; Home and End keep the width.
  EXPECT_DOUBLE_EQ(wykres::PrzesunOPunkty(d, w, -1).min, 6.5);
  EXPECT_EQ(wykres::PrzesunOPunkty(d, w, 1), w);
  const wykres::Widok poczatek = wykres::Poczatek(d, w);
  EXPECT_DOUBLE_EQ(poczatek.min, -0.5);
  EXPECT_DOUBLE_EQ(poczatek.max, 21.5);
  EXPECT_EQ(wykres::Koniec(d, poczatek), w);
  EXPECT_DOUBLE_EQ(wykres::PrzesunOPunkty(d, poczatek, -3).min, -0.5);
  // "+" halves the bars in view around the middle, down to one; "-" doubles them, up to all.
  wykres::Widok z = wykres::Przybliz(d, w, true);
  EXPECT_DOUBLE_EQ(z.max - z.min, 11);
  EXPECT_DOUBLE_EQ((z.min + z.max) / 2, 18.5);
  EXPECT_DOUBLE_EQ(z.vmax, 0);  // the value axis fitted again
  for (int i = 0; i < 10; ++i) z = wykres::Przybliz(d, z, true);
  EXPECT_DOUBLE_EQ(z.max - z.min, 1);
  for (int i = 0; i < 10; ++i) z = wykres::Przybliz(d, z, false);
  EXPECT_DOUBLE_EQ(z.min, -0.5);
  EXPECT_DOUBLE_EQ(z.max, 29.5);

  // The copied table: the heading, a row per bar, the values with the separator, an empty cell
  // where a series has no bar; a document's row names it.
  d.separator = ",";
  const std::string t = wykres::TekstTabeli(d);
  EXPECT_EQ(t.substr(0, t.find("d3")), "Dzień\tPraca\tPołączenia\r\nd0\t0,00\t\r\nd1\t0,25\t\r\nd2\t0,50\t0,13\r\n");
  EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 31);
  d.serie[1].aktywna = false;
  EXPECT_EQ(wykres::TekstTabeli(d).rfind("Dzień\tPraca\r\nd0\t0,00\r\n", 0), 0u);
  std::vector<DocumentRecord> docs(1);
  docs[0].Name = "Raport; \"ważny\"";
  docs[0].Seconds = 5400;
  auto lista = ListaDokumentow(docs);
  lista[0].zaznaczona = true;
  wykres::Dane dok = WykresDokumentow();
  dok.separator = ".";
  UstawWykresDokumentow(dok, lista, docs);
  EXPECT_EQ(wykres::TekstTabeli(dok), "Dokument\tCzas pracy [godz.]\r\nRaport; \"ważny\"\t1.50\r\n");
}
