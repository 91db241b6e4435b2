// The export of the person's own data: the CSV fields, the three files against golden files
// (tests/native/dane), and `Kalmo.exe /eksport` reading beside a running Kalmo, changing nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "base/DateTime.h"
#include "documents/Eksport.h"
#include "documents/Modem.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

// The golden files beside this source: found through the source's own path, or from the build
// folder (build/native) when the compiler was given a relative one.
std::string Wzorzec(const std::string& nazwa) {
  std::string katalog = __FILE__;
  katalog = katalog.substr(0, katalog.find_last_of('/') + 1);
  char exe[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  const std::string zExe = n > 0 ? std::string(exe, n).substr(0, std::string(exe, n).find_last_of('/') + 1) : "";
  for (const std::string& k : {katalog + "dane/", zExe + "../../tests/native/dane/", zExe + katalog + "dane/"}) {
    std::ifstream f(k + nazwa, std::ios::binary);
    if (!f) continue;
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  ADD_FAILURE() << "no golden file " << nazwa;
  return {};
}

std::string Bajty(const std::vector<ArchiveRecord>& rekordy) {
  std::string out;
  for (const auto& r : rekordy) {
    const auto b = r.ToBytes();
    out.append(b.begin(), b.end());
  }
  return out;
}

ArchiveRecord Dzien(double data, int32_t praca, int32_t polSek = 0, int32_t liczba = 0, int32_t jedn = 0) {
  return ArchiveRecord{data, praca, polSek, liczba, jedn};
}

struct EksportTest : ::testing::Test {
  TestPlatform tp;
  const std::string program = "C:\\Kalmo";
  const std::string archiwum = "C:\\Kalmo\\Ewa_arch.dat";
  const std::string dokumenty = "C:\\Kalmo\\Ewa_dok.dat";
  const std::string log = "C:\\WINDOWS\\ModemLog.txt";

  void SetUp() override {
    tp.processes.userName = "Ewa";
    tp.files.AddDirectory(program);
    tp.files.AddDirectory("C:\\WINDOWS");
    tp.files.AddDirectory("D:\\");
    tp.clock.now = MakeDateTime(2024, 3, 4, 11, 0);
    tp.registry.CreateKey(Root::CurrentUser, kKluczKalmo);
    TodayRecord dzis;
    dzis.caPraca = 5400;
    dzis.dtZapisu = MakeDateTime(2024, 3, 4, 10, 0);
    tp.registry.WriteBinary(Root::CurrentUser, kKluczKalmo, wartosc::TodayInfo, dzis.ToBytes());
    tp.registry.WriteBinary(Root::CurrentUser, kKluczKalmo, wartosc::Ustawienia, LimitsRecord::Domyslne().ToBytes());
    // Every whole record in file order: one out of order, one with no date at all.
    tp.files.AddFile(archiwum, Bajty({Dzien(MakeDateTime(2024, 3, 1, 18, 0), 7 * 3600 + 40 * 60 + 29, 195, 1, 2),
                                      Dzien(MakeDateTime(2024, 2, 28, 18, 0), 30),
                                      Dzien(MakeDateTime(2024, 3, 2, 18, 0), 29, 90, 2, 2),
                                      Dzien(std::nan(""), 3600)}));
    const std::vector<DocumentRecord> d = {
        {"Word - Raport końcowy.doc", 3600, MakeDateTime(2024, 3, 1, 15, 30)},
        {"=HYPERLINK(\"http://x\";\"y\")", 89, MakeDateTime(2024, 3, 2, 8, 0)},
        {"-cmd|' /C calc'!A0", 29, 0},
        {"Notatnik - a;b", 90, MakeDateTime(2024, 3, 3, 23, 59)},
        {"@SUM(1)", 0, 0},
        {"Zażółć gęślą jaźń", 86460, 0},
        {"+1", 0, 0},
        {"\tTab", 0, 0},
        {"Linia\nDruga", 0, 0},
        {"\rX", 0, 0}};
    std::string b;
    for (const auto& r : d) {
      const auto x = r.ToBytes();
      b.append(x.begin(), x.end());
    }
    tp.files.AddFile(dokumenty, b);
    // The modem log: a past connection not counted yet (2 March, 615 s) and one of today (75 s).
    const std::string modem = std::string(kKluczModemow) + "\\0000";
    tp.registry.CreateKey(Root::LocalMachine, modem);
    tp.registry.WriteString(Root::LocalMachine, modem, "LoggingPath", log);
    tp.files.AddFile(log, "03-02-2024 10:00:00.00 - Connection established\r\n"
                          "03-02-2024 10:10:00.00 - Hanging up the modem\r\n"
                          "03-04-2024 09:00:00.00 - Connection established\r\n"
                          "03-04-2024 09:01:00.00 - Hanging up the modem\r\n");
  }
};

}  // namespace

TEST(Eksport, FieldsAreGuardedQuotedAndWrittenAsTheyAre) {
  using eksport::PoleTekstowe;
  EXPECT_EQ(PoleTekstowe("Raport"), "Raport");
  EXPECT_EQ(PoleTekstowe(""), "");
  EXPECT_EQ(PoleTekstowe("a;b"), "\"a;b\"");
  EXPECT_EQ(PoleTekstowe("a \"b\""), "\"a \"\"b\"\"\"");
  EXPECT_EQ(PoleTekstowe("a\r\nb"), "\"a\r\nb\"");
  for (const char* f : {"=1+1", "+1", "-1", "@A1", "\tx", "\rx"})
    EXPECT_EQ(PoleTekstowe(f).find('\''), PoleTekstowe(f)[0] == '"' ? 1u : 0u) << f;
  EXPECT_EQ(PoleTekstowe("=A1;B1"), "\"'=A1;B1\"");
  EXPECT_EQ(PoleTekstowe("a=1"), "a=1");   // only the first character counts
  EXPECT_EQ(PoleTekstowe(" =1"), " =1");
  EXPECT_EQ(PoleTekstowe(std::string("\0=", 2)), std::string("\0=", 2));

  EXPECT_EQ(eksport::Data(MakeDateTime(2024, 3, 1, 23, 59)), "2024-03-01");
  EXPECT_EQ(eksport::Data(MakeDateTime(987, 12, 9)), "0987-12-09");
  EXPECT_EQ(eksport::Data(std::nan("")), "");
  EXPECT_EQ(eksport::Data(-INFINITY), "");
  EXPECT_EQ(statystyka::Minuty(29), 0);
  EXPECT_EQ(statystyka::Minuty(30), 1);  // half a minute rounds up
  EXPECT_EQ(statystyka::Minuty(89), 1);
  EXPECT_EQ(statystyka::Minuty(90), 2);
  EXPECT_EQ(statystyka::Minuty(-30), 0);
  EXPECT_EQ(statystyka::Minuty(-31), -1);
  EXPECT_EQ(statystyka::Minuty(INT32_MAX), 35791394);
}

TEST_F(EksportTest, TheThreeFilesMatchTheGoldenFilesAndNothingOfKalmoChanges) {
  const std::string przedArchiwum = *tp.files.ReadFile(archiwum), przedLog = *tp.files.ReadFile(log);
  const auto wartosci = tp.registry.ValueNames(Root::CurrentUser, kKluczKalmo);
  const eksport::Wynik w = eksport::EksportujDoFolderu(program, "D:\\Eksport");
  EXPECT_EQ(w.kod, 0) << w.komunikat;
  EXPECT_EQ(*tp.files.ReadFile("D:\\Eksport\\dni.csv"), Wzorzec("eksport_dni.csv"));
  EXPECT_EQ(*tp.files.ReadFile("D:\\Eksport\\dokumenty.csv"), Wzorzec("eksport_dokumenty.csv"));
  EXPECT_EQ(*tp.files.ReadFile("D:\\Eksport\\polaczenia.csv"), Wzorzec("eksport_polaczenia.csv"));
  // Read only: the archive, the log and the settings are as they were; nothing was told.
  EXPECT_EQ(*tp.files.ReadFile(archiwum), przedArchiwum);
  EXPECT_EQ(*tp.files.ReadFile(log), przedLog);
  EXPECT_EQ(tp.registry.ValueNames(Root::CurrentUser, kKluczKalmo), wartosci);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  // Written again over the old files.
  EXPECT_EQ(eksport::EksportujDoFolderu(program, "D:\\Eksport").kod, 0);
  EXPECT_EQ(eksport::IstniejacePliki("D:\\Eksport").size(), 3u);
}

TEST_F(EksportTest, TheWindowWritesTheSameFilesAfterItsModemUpdate) {
  // The window's data: the modem update writes the log's past connection into the archive first.
  ZrodloStatystyki z;
  std::string blad;
  ASSERT_TRUE(eksport::ZrodloZZapisanych(program, z, blad)) << blad;
  EXPECT_EQ(z.dzis, MakeDateTime(2024, 3, 4, 10, 0));  // today's record, not the clock
  EXPECT_EQ(z.dzisSekundy, 5400);
  StanDziennikaModemu stan;
  StanDziennikaProgramu() = stan;
  const eksport::PlikiCsv p = eksport::UtworzPliki(WczytajDaneStatystyki(z));
  EXPECT_NE(*tp.files.ReadFile(log), "");  // today's connection stays in the log
  EXPECT_EQ(p.dni, Wzorzec("eksport_dni.csv"));
  EXPECT_EQ(p.dokumenty, Wzorzec("eksport_dokumenty.csv"));
  EXPECT_EQ(p.polaczenia, Wzorzec("eksport_polaczenia.csv"));
  EXPECT_TRUE(eksport::ZapiszPliki(p, program).empty());
  EXPECT_EQ(*tp.files.ReadFile("C:\\Kalmo\\polaczenia.csv"), p.polaczenia);
}

TEST_F(EksportTest, EachFailureHasItsCodeAndSaysWhy) {
  EXPECT_EQ(eksport::EksportujDoFolderu(program, "").kod, 1);
  // A folder whose parent is missing is not made.
  eksport::Wynik w = eksport::EksportujDoFolderu(program, "D:\\Nie\\ma");
  EXPECT_EQ(w.kod, 3);
  EXPECT_EQ(w.komunikat, "Nie mogę utworzyć folderu: D:\\Nie\\ma");
  tp.files.failingWrites = {"D:\\Eksport\\dokumenty.csv"};
  w = eksport::EksportujDoFolderu(program, "D:\\Eksport");
  EXPECT_EQ(w.kod, 3);
  EXPECT_EQ(w.komunikat, "Nie mogę zapisać pliku: D:\\Eksport\\dokumenty.csv");
  EXPECT_FALSE(tp.files.FileExists("D:\\Eksport\\polaczenia.csv"));  // nothing after the first failure
  tp.files.failingWrites.clear();
  tp.files.failingReads = {archiwum};
  w = eksport::EksportujDoFolderu(program, "D:\\Eksport");
  EXPECT_EQ(w.kod, 2);
  EXPECT_EQ(w.komunikat, "Nie mogę odczytać pliku: " + archiwum);
  tp.files.failingReads = {dokumenty};
  EXPECT_EQ(eksport::EksportujDoFolderu(program, "D:\\Eksport").kod, 2);
  // Another user, or no Kalmo at all: nothing to export.
  tp.files.failingReads.clear();
  tp.processes.userName = "Jan";
  tp.registry.DeleteKey(Root::CurrentUser, kKluczKalmo);
  w = eksport::EksportujDoFolderu(program, "D:\\Eksport");
  EXPECT_EQ(w.kod, 2);
  EXPECT_NE(w.komunikat.find("C:\\Kalmo\\Jan_arch.dat"), std::string::npos);
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST_F(EksportTest, WithoutAnArchiveTodayAloneAndWithoutTodaysRecordTheClock) {
  tp.files.DeleteFile(archiwum);
  tp.registry.DeleteValue(Root::CurrentUser, kKluczKalmo, wartosc::TodayInfo);
  ASSERT_EQ(eksport::EksportujDoFolderu(program, "D:\\E").kod, 0);
  const std::string dni = *tp.files.ReadFile("D:\\E\\dni.csv");
  // 11:00 on 4 March: today, no work recorded, today's connection from the log.
  EXPECT_EQ(dni.substr(dni.find("\r\n") + 2), "2024-03-04;0;1;1;1\r\n");
  EXPECT_TRUE(tp.dialogs.shown.empty());
}
