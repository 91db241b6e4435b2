// Archive views (day entries, months, the month grid) and the modem connection log.
#include <gtest/gtest.h>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "documents/Archiwum.h"
#include "documents/Modem.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"

#include <cmath>
#include <cstdio>

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kPlik = "C:\\Kalmo\\Ewa_arch.dat";
constexpr const char* kLog = "C:\\WINDOWS\\ModemLog.txt";

struct ArchiwumTest : ::testing::Test {
  TestPlatform tp;
  void SetUp() override {
    tp.files.AddDirectory("C:\\Kalmo");
    tp.files.AddDirectory("C:\\WINDOWS");
    tp.registry.CreateKey(Root::CurrentUser, "\\Software\\Meltrax Software\\Kalmo\\2.0");
  }
  void Zapisz(const std::vector<ArchiveRecord>& rekordy) {
    std::string b;
    for (const auto& r : rekordy) {
      const auto x = r.ToBytes();
      b.append(x.begin(), x.end());
    }
    tp.files.AddFile(kPlik, b);
  }
  std::vector<ArchiveRecord> Odczytaj() {
    std::vector<ArchiveRecord> out;
    const std::string b = *tp.files.ReadFile(kPlik);
    for (size_t i = 0; i + 24 <= b.size(); i += 24)
      out.push_back(ArchiveRecord::FromBytes(std::vector<uint8_t>(b.begin() + i, b.begin() + i + 24)));
    return out;
  }
  static ArchiveRecord Dzien(int y, int m, int d, int32_t praca, int h = 17) {
    ArchiveRecord r;
    r.Date = MakeDateTime(y, m, d, h, 0);
    r.WorkSeconds = praca;
    return r;
  }
  void Modemy(int n, const std::string& sciezka = kLog) {
    for (int i = 0; i < n; ++i) {
      const std::string k = std::string(kKluczModemow) + "\\000" + std::to_string(i);
      tp.registry.CreateKey(Root::LocalMachine, k);
      tp.registry.WriteString(Root::LocalMachine, k, "LoggingPath", sciezka);
    }
  }
};

}  // namespace

TEST_F(ArchiwumTest, DayEntriesKeepTheOrderAndEndWithTheLiveEntry) {
  Zapisz({Dzien(2025, 3, 10, 100), Dzien(2025, 3, 12, 200), Dzien(2025, 3, 11, 300), Dzien(2025, 3, 13, 400),
          Dzien(2025, 3, 13, 500)});
  const double teraz = MakeDateTime(2025, 3, 14, 15, 0);
  int wywolania = 0;
  const auto dni = PrzepiszPlikArchiwum(kPlik, teraz, 900, [&] {
    ++wywolania;
    return ConnectionTotals{195, 1, 2, true};
  });
  ASSERT_EQ(dni.size(), 4u);
  EXPECT_EQ(dni[0].WorkSeconds, 100);
  EXPECT_EQ(dni[1].WorkSeconds, 200);
  EXPECT_EQ(dni[2].WorkSeconds, 400);  // 11.03 and the second 13.03 skipped
  EXPECT_EQ(dni[3].Date, MakeDateTime(2025, 3, 14));
  EXPECT_EQ(dni[3].WorkSeconds, 900);
  EXPECT_EQ(dni[3].ConnectionSeconds, 195);
  EXPECT_EQ(wywolania, 1);
  // Not completed: the live entry has no connection data.
  EXPECT_EQ(PrzepiszPlikArchiwum(kPlik, teraz, 900, [] { return ConnectionTotals{195, 1, 2, false}; })
                .back().ConnectionCount, 0);
  tp.files.DeleteFile(kPlik);
  EXPECT_TRUE(PrzepiszPlikArchiwum(kPlik, teraz, 900, [&] { ++wywolania; return ConnectionTotals{}; }).empty());
  EXPECT_EQ(wywolania, 1);
  EXPECT_EQ(tp.dialogs.shown.back().place, "TfrmStatystyka.PrzepiszPlikArchiwum");
  EXPECT_EQ(tp.dialogs.shown.back().text, std::string("Brak pliku: ") + kPlik);
}

TEST_F(ArchiwumTest, ADateInTheFutureOrNoDateAtAllNeverHidesTheDaysAfterIt) {
  // A clock once set to 2031 wrote a record, a damaged one holds no number: neither is the date
  // the later days must pass, and neither is shown; the export's view keeps every record.
  ArchiveRecord nan = Dzien(2025, 3, 9, 50), inf = Dzien(2025, 3, 9, 60);
  nan.Date = std::nan("");
  inf.Date = INFINITY;
  Zapisz({nan, Dzien(2025, 3, 10, 100), Dzien(2031, 1, 1, 999), inf, Dzien(2025, 3, 11, 200), Dzien(2025, 3, 14, 300)});
  // Today is the day of today's record, 14 March: a record of that day is no future.
  std::vector<ArchiveRecord> wszystkie;
  const auto dni = PrzepiszPlikArchiwum(kPlik, MakeDateTime(2025, 3, 14, 6, 0), 900, nullptr, &wszystkie);
  ASSERT_EQ(dni.size(), 4u);
  EXPECT_EQ(dni[0].WorkSeconds, 100);
  EXPECT_EQ(dni[1].WorkSeconds, 200);
  EXPECT_EQ(dni[2].WorkSeconds, 300);
  EXPECT_EQ(dni[3].WorkSeconds, 900);
  ASSERT_EQ(wszystkie.size(), 6u);
  EXPECT_TRUE(std::isnan(wszystkie[0].Date));
  EXPECT_EQ(wszystkie[2].WorkSeconds, 999);
  EXPECT_FALSE(DataDniaArchiwum(MakeDateTime(2025, 3, 15), MakeDateTime(2025, 3, 14, 23, 0)));
  EXPECT_TRUE(DataDniaArchiwum(MakeDateTime(2025, 3, 14, 23, 59), MakeDateTime(2025, 3, 14, 4, 0)));
  // The months and the grid read such records without harm.
  EXPECT_EQ(GrupujMiesiace(dni).size(), 1u);
  EXPECT_EQ(WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 3, 1), MakeDateTime(2025, 3, 14), 900).cells[15].seconds,
            200);
}

TEST_F(ArchiwumTest, MonthsOfDifferentYearsStayApart) {
  EXPECT_TRUE(GrupujMiesiace({}).empty());
  auto m = GrupujMiesiace({Dzien(2025, 1, 30, 10), Dzien(2025, 1, 31, 20), Dzien(2025, 2, 1, 5)});
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].Month, 1);
  EXPECT_EQ(m[0].WorkSeconds, 30);
  EXPECT_EQ(m[1].Month, 2);
  m = GrupujMiesiace({Dzien(2024, 12, 31, 10), Dzien(2025, 1, 2, 20), Dzien(2026, 1, 5, 40)});
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[1].Year, 2025);
  EXPECT_EQ(m[2].Year, 2026);
  EXPECT_EQ(m[2].WorkSeconds, 40);
}

TEST_F(ArchiwumTest, TheMonthGridShowsEveryDayFromMonday) {
  Zapisz({Dzien(2025, 3, 3, 100), Dzien(2025, 3, 3, 150), Dzien(2025, 3, 31, 60), Dzien(2025, 4, 1, 70)});
  const double dzis = MakeDateTime(2025, 3, 31, 12, 0);
  MonthGrid g = WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 3, 15), dzis, 999);
  // March 2025 starts on Saturday and has 31 days: six rows, day 31 in cell 36.
  EXPECT_EQ(g.offset, 5);
  EXPECT_EQ(g.rows, 6);
  EXPECT_EQ(g.rowHeight, 43);
  EXPECT_EQ(g.cells[5].day, 1);
  EXPECT_EQ(g.cells[35].day, 31);
  EXPECT_EQ(g.cells[35].seconds, 999);  // today wins over its record
  EXPECT_EQ(g.cells[7].seconds, 150);   // a later record of the day wins
  EXPECT_EQ(g.cells[36].day, 0);
  // June 2025 starts on Sunday: day 1 in the seventh column.
  g = WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 6, 1), dzis, 999);
  EXPECT_EQ(g.cells[6].day, 1);
  EXPECT_EQ(g.cells[5].day, 0);
  EXPECT_EQ(g.rowHeight, 43);
  // September 2025 starts on Monday and fits five rows.
  g = WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 9, 1), dzis, 999);
  EXPECT_EQ(g.cells[0].day, 1);
  EXPECT_EQ(g.rows, 5);
  EXPECT_EQ(g.rowHeight, 52);
  // A missing file still gives the month's days; it is reported unless the caller already did.
  tp.files.DeleteFile(kPlik);
  g = WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 9, 1), dzis, 999, false);
  EXPECT_EQ(g.cells[29].day, 30);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  WczytajCzasyPracyDlaMiesiaca(kPlik, MakeDateTime(2025, 9, 1), dzis, 999);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmStatystyka.WczytajCzasyPracyDlaMiesiaca");
}

TEST_F(ArchiwumTest, ConnectionsGoIntoTheRecordsOfTheirDay) {
  Zapisz({Dzien(2025, 3, 10, 100), Dzien(2025, 3, 10, 200, 20), Dzien(2025, 3, 11, 300)});
  const std::string przed = *tp.files.ReadFile(kPlik);
  ASSERT_TRUE(DopiszDoArchiwum(kPlik, 195, MakeDateTime(2025, 3, 12, 10, 0)));  // no record: unchanged
  EXPECT_EQ(*tp.files.ReadFile(kPlik), przed);
  ASSERT_TRUE(DopiszDoArchiwum(kPlik, 181, MakeDateTime(2025, 3, 10, 8, 0)));
  const auto r = Odczytaj();
  EXPECT_EQ(r[0].ConnectionSeconds, 181);
  EXPECT_EQ(r[1].ChargeUnits, 2);
  EXPECT_EQ(r[2].ConnectionCount, 0);
  EXPECT_EQ(JednostkiTaryfowe(180), 1);
  EXPECT_EQ(JednostkiTaryfowe(15), 1);
  EXPECT_NEAR(KosztPolaczen(2, kDomyslnaCenaPolaczenia), 0.4636, 1e-9);
}

TEST_F(ArchiwumTest, ModemLogTimes) {
  EXPECT_EQ(ParseModemLogTime("03-15-1999 14:05:09.31 - Connection established"), MakeDateTime(1999, 3, 15, 14, 5, 9));
  EXPECT_FALSE(ParseModemLogTime("15-03-1999 14:05:09.31 x"));  // month 15
  EXPECT_FALSE(ParseModemLogTime("02-30-1999 14:05:09.31 x"));
  EXPECT_FALSE(ParseModemLogTime("03-15-1999 25:00:00.00 x"));
  EXPECT_FALSE(ParseModemLogTime("Connection established"));
}

TEST_F(ArchiwumTest, ModemLogPastConnectionsReachTheArchiveOnceTodaysStayInTheLog) {
  Modemy(2);  // two modems logging into one file: read once
  Zapisz({Dzien(2025, 3, 14, 100)});
  const std::string dzisiejsze = "03-15-2025 10:00:00.00 - Connection established\r\n"
                                 "03-15-2025 10:03:00.00 - Hanging up the modem\r\n";
  tp.files.AddFile(kLog, "03-14-2025 09:59:00.00 - Initializing modem\r\n"
                         "03-14-2025 10:00:00.00 - Connection established\r\n"
                         "03-14-2025 10:01:00.00 - some other line\r\n"
                         "03-14-2025 10:03:00.00 - Hanging up the modem\r\n"
                         "03-14-2025 11:00:00.00 - Initializing modem\r\n"
                         "03-14-2025 11:00:09.00 - Hanging up the modem\r\n"  // failed dial
                         "xx-14-2025 11:00:00.00 - Connection established\r\n"  // malformed: ordinary
                         "03-15-2025 02:00:00.00 - Connection established\r\n"  // before the rollover: the 14th
                         "03-15-2025 02:00:45.00 - Hanging up the modem\r\n" +
                             dzisiejsze + "03-15-2025 11:00:00.00 - Connection established\r\n");  // still open
  const double teraz = MakeDateTime(2025, 3, 15, 12, 0);
  StanDziennikaModemu stan;
  ConnectionTotals t = UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  EXPECT_TRUE(t.completed);
  EXPECT_EQ(t.ConnectionSeconds, 195);
  EXPECT_EQ(t.ConnectionCount, 1);
  EXPECT_EQ(t.ChargeUnits, 2);
  ArchiveRecord r = Odczytaj()[0];
  EXPECT_EQ(r.ConnectionSeconds, 195 + 60);
  EXPECT_EQ(r.ConnectionCount, 2);
  EXPECT_EQ(r.ChargeUnits, 3);
  // The malformed line stays in the log and is told once.
  EXPECT_EQ(*tp.files.ReadFile(kLog), "xx-14-2025 11:00:00.00 - Connection established\r\n" + dzisiejsze +
                                          "03-15-2025 11:00:00.00 - Connection established\r\n");
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_NE(tp.dialogs.shown[0].text.find("xx-14-2025 11:00:00.00 - Connection established"), std::string::npos);

  // The open connection ends; the log cannot be rewritten (no administrator rights): the day
  // after, every opening counts it once.
  tp.files.AppendFile(kLog, "03-15-2025 11:10:00.00 - Hanging up the modem\r\n");
  tp.files.failingWrites = {kLog};
  const auto b = Dzien(2025, 3, 15, 500).ToBytes();
  tp.files.AppendFile(kPlik, std::string(b.begin(), b.end()));
  const double jutro = MakeDateTime(2025, 3, 16, 9, 0);
  for (int i = 0; i < 2; ++i) {
    t = UaktualnijArchiwumOPolaczeniaModemowe(kPlik, jutro, 4, stan);
    EXPECT_TRUE(t.completed);
    EXPECT_EQ(t.ConnectionCount, 0);
  }
  r = Odczytaj()[1];
  EXPECT_EQ(r.ConnectionCount, 2);
  EXPECT_EQ(r.ConnectionSeconds, 195 + 615);
  EXPECT_EQ(tp.dialogs.shown.size(), 2u);  // the failed rewrite reported once
  // A new run of the program (nothing remembered but the settings) counts it no more either.
  StanDziennikaModemu nowy;
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, jutro, 4, nowy);
  EXPECT_EQ(Odczytaj()[1].ConnectionCount, 2);
}

TEST_F(ArchiwumTest, EachConnectionIsCountedOnceByItsOwnTimesWhateverTheOrderOfHangUps) {
  Modemy(1);
  Zapisz({Dzien(2025, 3, 14, 100)});
  const std::string pierwsze = "03-14-2025 11:00:00.00 - Connection established\r\n"
                               "03-14-2025 11:10:00.00 - Hanging up the modem\r\n";
  tp.files.AddFile(kLog, pierwsze);
  tp.files.failingWrites = {kLog};  // no administrator rights: the log keeps its lines
  StanDziennikaModemu stan;
  const double teraz = MakeDateTime(2025, 3, 15, 9, 0);
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  EXPECT_EQ(Odczytaj()[0].ConnectionCount, 1);
  // The log file is replaced by one that also holds a connection of the same day that hung up
  // earlier than the one counted: a single "last hang-up" time would have dropped it unseen.
  tp.files.failingWrites.clear();
  tp.files.WriteFileReplacing(kLog, "03-14-2025 10:00:00.00 - Connection established\r\n"
                                    "03-14-2025 10:03:00.00 - Hanging up the modem\r\n" + pierwsze);
  tp.files.failingWrites = {kLog};
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  const ArchiveRecord r = Odczytaj()[0];
  EXPECT_EQ(r.ConnectionCount, 2);
  EXPECT_EQ(r.ConnectionSeconds, 615 + 195);
  // What is kept: the two connections still in the log, by their times.
  const auto zapis = tp.registry.ReadString(Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe);
  ASSERT_TRUE(zapis);
  EXPECT_NE(zapis->find(IdentyfikatorPolaczenia(MakeDateTime(2025, 3, 14, 10, 0), MakeDateTime(2025, 3, 14, 10, 3))),
            std::string::npos);
  // Once the log can be rewritten its past lines go, and so do their names.
  tp.files.failingWrites.clear();
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  EXPECT_EQ(*tp.files.ReadFile(kLog), "");
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  EXPECT_EQ(*tp.registry.ReadString(Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe), "");
  EXPECT_EQ(Odczytaj()[0].ConnectionCount, 2);
}

TEST_F(ArchiwumTest, AStoredHangUpTimeInTheFutureOrNoTimeAtAllMakesNoConnectionVanish) {
  Modemy(1);
  const std::string polaczenie = "03-14-2025 10:00:00.00 - Connection established\r\n"
                                 "03-14-2025 10:03:00.00 - Hanging up the modem\r\n";
  tp.clock.now = MakeDateTime(2025, 3, 15, 9, 0);
  for (const char* znacznik : {"80000.5", "nan", "inf", "1e308"}) {
    Zapisz({Dzien(2025, 3, 14, 100)});
    tp.files.AddFile(kLog, polaczenie);
    tp.registry.WriteString(Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe, znacznik);
    StanDziennikaModemu stan;
    EXPECT_TRUE(UaktualnijArchiwumOPolaczeniaModemowe(kPlik, tp.clock.now, 4, stan).completed);
    EXPECT_EQ(Odczytaj()[0].ConnectionSeconds, 195) << znacznik;
    EXPECT_EQ(*tp.files.ReadFile(kLog), "") << znacznik;
  }
  // A time stored by an earlier version that is sane still means "counted up to here", once.
  Zapisz({Dzien(2025, 3, 14, 100)});
  tp.files.AddFile(kLog, polaczenie);
  char znacznik[32];
  std::snprintf(znacznik, sizeof znacznik, "%.9f", MakeDateTime(2025, 3, 14, 10, 3));
  tp.registry.WriteString(Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe, znacznik);
  StanDziennikaModemu stan;
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, tp.clock.now, 4, stan);
  EXPECT_EQ(Odczytaj()[0].ConnectionSeconds, 0);
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST_F(ArchiwumTest, BadMarkerLinesEndTheWaitingStartStayInTheLogAndAreToldOnce) {
  Modemy(1);
  Zapisz({Dzien(2025, 3, 14, 100)});
  const std::string zle = "03-14-2025 10:00:00.00 - Connection established\r\n"
                          "03-14-2025 10:0x:00.00 - Connection established\r\n"  // ends the wait above
                          "03-14-2025 12:00:00.00 - Hanging up the modem\r\n"     // no start: ignored
                          "03-14-10000 13:00:00.00 - Connection established\r\n"  // a year above 9999
                          "03-14-2025 13:05:00.00 - Hanging up the modem\r\n"
                          "03-14-2025 14:00:00.00 - Connection established\r\n"
                          "03-14-2025 14:xx:00.00 - Hanging up the modem\r\n";      // its end unreadable
  tp.files.AddFile(kLog, zle + "03-14-2025 15:00:00.00 - Connection established\r\n"
                               "03-14-2025 15:01:00.00 - Hanging up the modem\r\n");
  StanDziennikaModemu stan;
  const double teraz = MakeDateTime(2025, 3, 15, 9, 0);
  EXPECT_TRUE(UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan).completed);
  EXPECT_EQ(Odczytaj()[0].ConnectionCount, 1);  // only 15:00-15:01
  EXPECT_EQ(Odczytaj()[0].ConnectionSeconds, 75);
  // The bad lines stay, with the start whose end could not be read; the rest goes.
  EXPECT_EQ(*tp.files.ReadFile(kLog), "03-14-2025 10:0x:00.00 - Connection established\r\n"
                                      "03-14-10000 13:00:00.00 - Connection established\r\n"
                                      "03-14-2025 14:00:00.00 - Connection established\r\n"
                                      "03-14-2025 14:xx:00.00 - Hanging up the modem\r\n");
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_NE(tp.dialogs.shown[0].text.find("03-14-10000"), std::string::npos);
  EXPECT_EQ(tp.dialogs.shown[0].text.find("14:00:00.00"), std::string::npos);  // a good line is not named
  UaktualnijArchiwumOPolaczeniaModemowe(kPlik, teraz, 4, stan);
  EXPECT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(Odczytaj()[0].ConnectionCount, 1);
  EXPECT_FALSE(ParseModemLogTime("03-14-10000 13:00:00.00 x"));
  EXPECT_EQ(ParseModemLogTime("12-31-9999 23:59:59.00 x"), MakeDateTime(9999, 12, 31, 23, 59, 59));
}

TEST_F(ArchiwumTest, AReadOnlyReadingOfTheLogChangesNothingAndShowsWhatTheUpdateWouldAdd) {
  Modemy(1);
  Zapisz({Dzien(2025, 3, 14, 100), Dzien(2025, 3, 13, 50)});
  const std::string log = "03-14-2025 10:00:00.00 - Connection established\r\n"
                          "03-14-2025 10:03:00.00 - Hanging up the modem\r\n"
                          "03-15-2025 08:00:00.00 - Connection established\r\n"
                          "03-15-2025 08:01:00.00 - Hanging up the modem\r\n";
  tp.files.AddFile(kLog, log);
  const std::string archiwum = *tp.files.ReadFile(kPlik);
  StanDziennikaModemu stan;
  const double teraz = MakeDateTime(2025, 3, 15, 9, 0);
  const ConnectionTotals t = CzytajDziennikiModemu(teraz, 4, stan);
  EXPECT_TRUE(t.completed);
  EXPECT_EQ(t.ConnectionSeconds, 75);
  ASSERT_EQ(t.niezapisane.size(), 1u);
  EXPECT_EQ(t.niezapisane[0].seconds, 195);
  std::vector<ArchiveRecord> wszystkie;
  const auto dni = PrzepiszPlikArchiwum(kPlik, teraz, 0, [&] { return t; }, &wszystkie);
  EXPECT_EQ(wszystkie[0].ConnectionSeconds, 195);  // added in memory, to every record of the day
  EXPECT_EQ(wszystkie[1].ConnectionSeconds, 0);
  EXPECT_EQ(dni.back().ConnectionSeconds, 75);
  EXPECT_EQ(*tp.files.ReadFile(kPlik), archiwum);
  EXPECT_EQ(*tp.files.ReadFile(kLog), log);
  EXPECT_FALSE(tp.registry.ReadString(Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe));
}

TEST_F(ArchiwumTest, ModemLoggingIsSwitchedOnForEveryModem) {
  EnableModemLogging();  // no modem class: nothing, no report
  EXPECT_TRUE(tp.dialogs.shown.empty());
  Modemy(2, "D:\\stary.log");
  EnableModemLogging();
  for (const char* k : {"0000", "0001"}) {
    const std::string klucz = std::string(kKluczModemow) + "\\" + k;
    EXPECT_EQ(tp.registry.ReadString(Root::LocalMachine, klucz, "LoggingPath"), "C:\\WINDOWS\\ModemLog.txt");
    EXPECT_EQ(tp.registry.ReadBinary(Root::LocalMachine, klucz, "Logging"), std::vector<uint8_t>{1});
  }
  TStringList sciezki;
  ListModemLogPaths(sciezki);
  EXPECT_EQ(sciezki.size(), 2u);
}
