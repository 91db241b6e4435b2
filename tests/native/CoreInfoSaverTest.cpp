// Work-time accounting driven through whole days by the fake clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/Globalne.h"
#include "settings/uDebugger.h"
#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "documents/Archiwum.h"
#include "platform/memory/Memory.h"
#include "worktime/InfoSaver.h"

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kKlucz = "\\Software\\Meltrax Software\\Kalmo\\2.0";

struct InfoSaverTest : ::testing::Test {
  TestPlatform tp;
  PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo", "Ewa");

  void SetUp() override {
    tp.files.AddDirectory("C:\\Kalmo");
    tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  }
  // Ticks of the monitoring frequency; the code of the last one.
  WarningCode Tick(TInfoSaver& s, int n = 1, int step = 10) {
    WarningCode code = wcBrak;
    for (int i = 0; i < n; ++i) {
      tp.clock.Advance(step);
      code = s.ZwiekszWskazniki(tp.clock.Now(), "-[").kod;
    }
    return code;
  }
  TodayRecord Stored() {
    return TodayRecord::FromBytes(tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "TodayInfo").value());
  }
  std::vector<ArchiveRecord> Archive() {
    std::vector<ArchiveRecord> out;
    const std::string b = tp.files.ReadFile(pliki.archiwum).value_or("");
    EXPECT_EQ(b.size() % 24, 0u);
    for (size_t i = 0; i + 24 <= b.size(); i += 24)
      out.push_back(ArchiveRecord::FromBytes(std::vector<uint8_t>(b.begin() + i, b.begin() + i + 24)));
    return out;
  }
  void At(int y, int mo, int d, int h, int mi, int s = 0) { tp.clock.now = MakeDateTime(y, mo, d, h, mi, s); }
  // The idle time the system reports: seconds since the last input, on a tick count that wraps.
  void Bezczynnosc(uint32_t sekundy, uint32_t wejscie = 0xFFFFF000u) {
    tp.desktop.lastInput = platform::LastInput{wejscie + sekundy * 1000u, wejscie};
  }
  int Przerwy(const TInfoSaver& s) {
    const auto a = s.DajAktywnosc();
    return static_cast<int>(std::count(a.begin(), a.end(), TodayRecord::SlotPrzerwa));
  }
  std::vector<std::string> Errors() {
    std::vector<std::string> out;
    for (const auto& s : tp.dialogs.shown) out.push_back(s.place + ": " + s.text);
    return out;
  }
};

}  // namespace

TEST_F(InfoSaverTest, FirstRunCreatesBothRecords) {
  TInfoSaver s(pliki, nullptr);
  EXPECT_TRUE(tp.dialogs.shown.empty()) << ::testing::PrintToString(Errors());
  const TodayRecord d = Stored();
  EXPECT_EQ(d.caPraca, 0);
  EXPECT_EQ(d.dtZapisu, MakeDateTime(2026, 3, 2, 10, 0));
  for (uint8_t slot : d.Aktywnosc) EXPECT_EQ(slot, 2);
  EXPECT_EQ(tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "Ustawienia"), LimitsRecord::Domyslne().ToBytes());
  EXPECT_FALSE(s.WPrzerwie());
}

TEST_F(InfoSaverTest, FirstRunWithoutTheKeyIsReported) {
  tp.registry.DeleteKey(Root::CurrentUser, kKlucz);
  TInfoSaver s(pliki, nullptr);
  bool found = false;
  for (const auto& e : tp.dialogs.shown)
    found |= e.place == "TInfoSaver.UtworzZmienneRejestrowe" && e.text == "Nie mogę otworzyć klucza.";
  EXPECT_TRUE(found) << ::testing::PrintToString(Errors());
  EXPECT_EQ(s.DajLimity().CzestotliwoscMonitorowania, 10);  // still runs on the defaults
}

TEST_F(InfoSaverTest, AFirstStartBeforeTheRolloverHourBelongsToThePreviousDay) {
  At(2026, 3, 2, 2, 0);
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(Stored().dtZapisu, MakeDateTime(2026, 3, 1, 2, 0));
  At(2026, 3, 2, 4, 0);
  s.ZwiekszWskazniki(tp.clock.Now(), "-[");
  ASSERT_EQ(Archive().size(), 1u);  // the night's work went to 1 March
  EXPECT_EQ(Archive()[0].Date, MakeDateTime(2026, 3, 1, 2, 0));
}

TEST_F(InfoSaverTest, WorkTicksCountAndMarkTheirSlot) {
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(Tick(s), wcBrak);
  EXPECT_EQ(s.CzasPracy(), 10);
  EXPECT_EQ(s.CzasNieprzerwanejPracy(), 10);
  EXPECT_EQ(s.CzasMonitorowania(), 10);
  EXPECT_EQ(s.DajAktywnosc()[120], 0);  // 10:00 is slot 121
  EXPECT_EQ(s.DajAktywnosc()[119], 2);
  EXPECT_EQ(s.DajAktywnosc()[121], 2);
  EXPECT_EQ(NumerSlotu(MakeDateTime(2026, 3, 2, 0, 0)), 1);
  EXPECT_EQ(NumerSlotu(MakeDateTime(2026, 3, 2, 23, 59, 59)), 288);
  EXPECT_EQ(NumerSlotu(MakeDateTime(2026, 3, 2, 8, 19)), 100);
}

TEST_F(InfoSaverTest, SavesAfterTheFirstTickAndThenEverySavingPeriod) {
  TInfoSaver s(pliki, nullptr);
  Tick(s);
  EXPECT_EQ(Stored().caMonitorowania, 10);
  EXPECT_NEAR(Stored().dtZapisu, MakeDateTime(2026, 3, 2, 10, 0, 10), 1e-6);
  Tick(s, 11);
  EXPECT_EQ(Stored().caMonitorowania, 10);  // 120 s: not yet
  Tick(s);
  EXPECT_EQ(Stored().caMonitorowania, 130);
  EXPECT_TRUE(tp.files.FileExists(pliki.dokumenty));  // saved with the record
}

TEST_F(InfoSaverTest, ATickLongerThanTheSavingPeriodStillSaves) {
  TInfoSaver s(pliki, nullptr);
  LimitsRecord l = s.DajLimity();
  l.CzestotliwoscMonitorowania = 512;
  l.CzestotliwoscZapisywania = 60;
  s.UstawLimity(l);
  EXPECT_EQ(LimitsRecord::FromBytes(*tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "Ustawienia")).CzestotliwoscMonitorowania, 512);
  for (int i = 1; i <= 3; ++i) {
    Tick(s, 1, 512);
    EXPECT_EQ(Stored().caMonitorowania, 512 * i);
  }
  // A step that does not divide the period: never more than one period unsaved.
  l.CzestotliwoscMonitorowania = 16;
  s.UstawLimity(l);
  int32_t last = Stored().caMonitorowania;
  for (int i = 0; i < 40; ++i) {
    Tick(s, 1, 16);
    if (Stored().caMonitorowania != last) last = Stored().caMonitorowania;
    EXPECT_LE(s.CzasMonitorowania() - last, 60);
  }
}

TEST_F(InfoSaverTest, SavingGoesOnAfterTheStepChangesDuringTheDay) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 13);  // 130 s at the defaults: saved at 10 and 130
  ASSERT_EQ(Stored().caMonitorowania, 130);
  // 16 s does not divide 120, and 130 + 16k never leaves remainder 16: the remainder alone
  // would not save again today.
  LimitsRecord l = s.DajLimity();
  l.CzestotliwoscMonitorowania = 16;
  s.UstawLimity(l);
  int saves = 0;
  int32_t last = Stored().caMonitorowania;
  for (int i = 0; i < 60; ++i) {
    Tick(s, 1, 16);
    if (Stored().caMonitorowania != last) {
      ++saves;
      last = Stored().caMonitorowania;
    }
    EXPECT_LT(s.CzasMonitorowania() - last, 120);
  }
  EXPECT_GE(saves, 7);  // 960 s of monitoring: one save per full period
  // Back to a step that divides the period: the remainder rule holds again, no save is lost.
  l.CzestotliwoscMonitorowania = 10;
  s.UstawLimity(l);
  for (int i = 0; i < 30; ++i) {
    Tick(s);
    EXPECT_LT(s.CzasMonitorowania() - Stored().caMonitorowania, 120);
  }
}

TEST_F(InfoSaverTest, WarningCodesAndTheirPrecedence) {
  TInfoSaver s(pliki, nullptr);
  LimitsRecord l = s.DajLimity();
  l.caPracyDoPrzerwy = 30;
  l.caDziennyLimit = 50;
  l.caDlugoscPrzerwy = 20;
  s.UstawLimity(l);
  EXPECT_EQ(Tick(s, 2), wcBrak);
  EXPECT_EQ(Tick(s), wcPrzerwaNalezna);  // 30 s of continuous work
  EXPECT_EQ(Tick(s), wcPrzerwaNalezna);
  EXPECT_EQ(Tick(s), wcKoniecPracy);  // 50 s today: 3 wins over 1

  // Without a screen saver, idle breaks still see the breaks: no nagging about it.
  tp.desktop.screenSaverActive = false;
  EXPECT_EQ(Tick(s), wcKoniecPracy);
  s.UstawProgBezczynnosci(0);  // both off: the screen saver is asked for
  EXPECT_EQ(Tick(s), wcWygaszaczWylaczony);  // replaces both
  tp.desktop.windows.push_back({"Instalator - Setup", false, true});
  EXPECT_EQ(Tick(s), wcBrak);
  tp.desktop.windows[0].title = "Instalator - setup";  // letter case counts
  EXPECT_EQ(Tick(s), wcWygaszaczWylaczony);
  tp.desktop.screenSaverActive = std::nullopt;  // unreadable counts as off
  EXPECT_EQ(Tick(s), wcWygaszaczWylaczony);
  tp.desktop.screenSaverActive = true;

  s.RozpocznijPrzerwe();
  EXPECT_TRUE(Stored().caNieprzerwanejPracy == 0 && s.WPrzerwie());
  EXPECT_EQ(Tick(s), wcBrak);
  EXPECT_EQ(Tick(s), wcPrzerwaWystarczajaca);  // caPrzerwy == 20: code already at equality
  EXPECT_FALSE(s.PrzerwaWystarczajaca());     // but not "long enough" yet
  EXPECT_EQ(Tick(s), wcPrzerwaWystarczajaca);
  EXPECT_TRUE(s.PrzerwaWystarczajaca());
  EXPECT_EQ(s.CzasPrzerwDzis(), 30);
  EXPECT_EQ(s.CzasPracy(), 100);  // breaks add no work
  EXPECT_EQ(s.DajAktywnosc()[120], 1);
}

TEST_F(InfoSaverTest, DayRollsOverAtTheRolloverHourAndArchivesTheDay) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 60);  // ten minutes of work on 2 March
  At(2026, 3, 3, 3, 59, 40);
  Tick(s);  // 03:59:50 the next morning still belongs to 2 March
  EXPECT_FALSE(tp.files.FileExists(pliki.archiwum));
  EXPECT_EQ(s.CzasPracy(), 600);  // the night was a gap: break, not work
  EXPECT_EQ(s.DajAktywnosc()[47], 0);  // slot 48 (03:55)

  const double stamp = s.DataZapisu();
  const int32_t work = s.CzasPracy();
  Tick(s);  // 04:00:00
  const std::string bytes = tp.files.ReadFile(pliki.archiwum).value_or("");
  ASSERT_EQ(bytes.size(), 24u);
  ArchiveRecord expected;
  expected.Date = stamp;
  expected.WorkSeconds = work;
  const auto eb = expected.ToBytes();
  EXPECT_EQ(bytes, std::string(eb.begin(), eb.end()));
  EXPECT_EQ(bytes.substr(12), std::string(12, '\0'));

  EXPECT_EQ(s.CzasPracy(), 10);  // the new day's first tick
  EXPECT_EQ(s.CzasMonitorowania(), 10);
  const auto slots = s.DajAktywnosc();
  EXPECT_EQ(slots[48], 0);  // 04:00 is slot 49
  EXPECT_EQ(slots[47], 2);
  EXPECT_EQ(slots[120], 2);  // yesterday's work is gone
  EXPECT_EQ(datetime::DatePart(Stored().dtZapisu), datetime::DatePart(MakeDateTime(2026, 3, 3)));

  At(2026, 3, 4, 5, 0);
  Tick(s);
  EXPECT_EQ(Archive().size(), 2u);
}

TEST_F(InfoSaverTest, AWorkingDayFromEightToFourLeavesNoDataOutsideIt) {
  At(2026, 3, 2, 8, 0);
  {
    TInfoSaver s(pliki, nullptr);
    tp.clock.Advance(-10);
    Tick(s, 8 * 360);  // 08:00:00 .. 15:59:50
    EXPECT_EQ(s.CzasPracy(), 8 * 3600);
  }
  TInfoSaver s(pliki, nullptr);
  const auto a = s.DajAktywnosc();
  for (int slot = 1; slot <= 288; ++slot) {
    const bool ran = slot >= 97 && slot <= 192;  // 08:00 .. 15:55
    EXPECT_EQ(a[slot - 1], ran ? 0 : 2) << "slot " << slot;
  }
}

TEST_F(InfoSaverTest, RestartKeepsContinuousWorkWithinTheAllowedGap) {
  {
    TInfoSaver s(pliki, nullptr);
    Tick(s, 30);
  }  // saved at 10:05:00
  tp.clock.Advance(4 * 60);
  {
    TInfoSaver s(pliki, nullptr);
    EXPECT_EQ(s.CzasNieprzerwanejPracy(), 300);
    EXPECT_FALSE(s.WPrzerwie());
    Tick(s);
  }
  tp.clock.Advance(5 * 60);  // exactly the allowed 5 minutes still counts as one stretch
  {
    TInfoSaver s(pliki, nullptr);
    EXPECT_EQ(s.CzasNieprzerwanejPracy(), 310);
    s.RozpocznijPrzerwe();
    Tick(s, 3);
    EXPECT_EQ(s.CzasPrzerwy(), 30);
  }
  tp.clock.Advance(6 * 60);
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(s.CzasNieprzerwanejPracy(), 0);
  EXPECT_EQ(s.CzasPrzerwy(), 0);
  EXPECT_EQ(s.CzasPracy(), 310);
  EXPECT_EQ(s.CzasPrzerwDzis(), 30);
  EXPECT_FALSE(s.WPrzerwie());  // always starts working
  EXPECT_FALSE(tp.files.FileExists(pliki.archiwum));
}

TEST_F(InfoSaverTest, RestartDaysLaterAppendsOneRecordForTheLastDay) {
  {
    TInfoSaver s(pliki, nullptr);
    Tick(s, 6);
  }
  At(2026, 3, 5, 9, 0);
  TInfoSaver s(pliki, nullptr);
  const auto a = Archive();
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].WorkSeconds, 60);
  EXPECT_NEAR(a[0].Date, MakeDateTime(2026, 3, 2, 10, 1), 1e-6);
  EXPECT_EQ(s.CzasPracy(), 0);
  EXPECT_EQ(Stored().dtZapisu, MakeDateTime(2026, 3, 5, 9, 0));
}

TEST_F(InfoSaverTest, AnUnreadableRecordIsNotArchivedAsADay) {
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "TodayInfo", std::vector<uint8_t>(316, 0));
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "Ustawienia", LimitsRecord::Domyslne().ToBytes());
  TInfoSaver s(pliki, nullptr);
  EXPECT_FALSE(tp.files.FileExists(pliki.archiwum));
  EXPECT_EQ(Stored().dtZapisu, MakeDateTime(2026, 3, 2, 10, 0));  // a fresh day instead
}

TEST_F(InfoSaverTest, UnreadableLimitsRunOnTheDefaults) {
  TodayRecord d;
  d.dtZapisu = tp.clock.now;
  d.caPraca = 1234;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "TodayInfo", d.ToBytes());
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "Ustawienia", std::vector<uint8_t>(10, 0));  // wrong size
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(s.DajLimity().CzestotliwoscMonitorowania, 10);
  EXPECT_EQ(s.DajLimity().caPracyDoPrzerwy, 2700);
  EXPECT_EQ(s.CzasPracy(), 1234);
  EXPECT_EQ(tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "Ustawienia")->size(), 10u);  // left alone
  EXPECT_EQ(Tick(s), wcBrak);
}

TEST_F(InfoSaverTest, ScreenSaverDelayBecomesBreakInItsSlots) {
  At(2026, 3, 2, 7, 55);
  TInfoSaver s(pliki, nullptr);
  Tick(s, 120);  // 08:15:00, slot 100
  ASSERT_EQ(s.CzasPracy(), 1200);
  s.WygaszaczWlaczony(600);
  EXPECT_EQ(s.CzasPracy(), 600);
  EXPECT_EQ(s.CzasPrzerwy(), 600);
  EXPECT_EQ(s.CzasNieprzerwanejPracy(), 0);
  EXPECT_TRUE(s.WPrzerwie());
  const auto a = s.DajAktywnosc();
  EXPECT_EQ(a[96], 0);  // slot 97
  EXPECT_EQ(a[97], 1);
  EXPECT_EQ(a[98], 1);
  EXPECT_EQ(a[99], 1);
  EXPECT_EQ(a[100], 2);
  EXPECT_EQ(Stored().caPrzerwy, 600);  // saved at once

  s.WygaszaczWylaczony();
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(s.CzasPrzerwy(), 0);
  EXPECT_FALSE(Stored().caPrzerwy != 0);
  Tick(s, 30);  // five more minutes of work
  const auto przed = s.DajAktywnosc();
  s.WygaszaczWlaczony(299);  // shorter than a slot: no slot beyond the tick's
  EXPECT_EQ(s.CzasPracy(), 601);
  EXPECT_EQ(s.DajAktywnosc(), przed);
}

TEST_F(InfoSaverTest, AScreenSaverSoonAfterStartIsAWholeBreakWhileWorkStopsAtZero) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 30);  // 300 s of work, 10:05:00 is slot 122
  s.WygaszaczWlaczony(600);
  EXPECT_EQ(s.CzasPracy(), 0);      // taken back down to zero, never below
  EXPECT_EQ(s.CzasPrzerwy(), 600);  // the whole delay is break
  EXPECT_EQ(Stored().caPrzerwy, 600);
  const auto a = s.DajAktywnosc();
  EXPECT_EQ(a[121], 1);  // slots 122, 121 and 120: the whole delay
  EXPECT_EQ(a[120], 1);
  EXPECT_EQ(a[119], 1);
  EXPECT_EQ(a[118], 2);
  Tick(s, 6);  // the break goes on from the whole delay
  EXPECT_EQ(s.CzasPrzerwy(), 660);
  EXPECT_EQ(s.CzasPrzerwDzis(), 360);  // today's total: what of the delay was counted today, and the ticks
  s.WygaszaczWylaczony();
  s.WygaszaczWlaczony(-5);  // a nonsense timeout takes nothing
  EXPECT_EQ(s.CzasPracy(), 0);
  EXPECT_EQ(s.CzasPrzerwy(), 0);
}

TEST_F(InfoSaverTest, SlotMarkingStopsAtTheFirstSlot) {
  At(2026, 3, 1, 23, 10);
  TInfoSaver s(pliki, nullptr);
  Tick(s, 360);  // 00:10:00, slot 3, still the working day of 1 March
  EXPECT_EQ(s.CzasPracy(), 3600);
  s.WygaszaczWlaczony(3000);  // ten slots back from slot 3
  const auto a = s.DajAktywnosc();
  EXPECT_EQ(a[0], 1);
  EXPECT_EQ(a[1], 1);
  EXPECT_EQ(a[2], 1);
  EXPECT_EQ(a[3], 2);
  EXPECT_EQ(a[287], 0);  // 23:55 stays work: nothing wrapped to the end of the day
  EXPECT_EQ(a[278], 0);
  EXPECT_EQ(s.CzasPracy(), 600);
  EXPECT_EQ(s.CzasPrzerwy(), 3000);
}

TEST_F(InfoSaverTest, DocumentOperations) {
  TInfoSaver s(pliki, nullptr);
  s.DodajMonitorwanyDokument("Word - Raport.doc");
  EXPECT_TRUE(s.IsMonitoredDocument("Word - Raport.doc"));
  EXPECT_TRUE(s.IsMonitoredDocument("word - raport.doc"));  // one key per document
  EXPECT_EQ(tp.files.ReadFile(pliki.dokumenty)->size(), 136u);
  s.DodajMonitorwanyDokument("Word - Raport.doc");
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TInfoSaver.DodajMonitorwanyDokument");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Próba dodania monitorowanego już dokumentu do listy dokumentów monitorowanych");
  EXPECT_EQ(s.Organizator().Count(), 1);

  const std::string dlugi = std::string(100, 'a') + "ąęśćżźńółĄĘŚĆŻŹŃÓŁ" + "xyz";
  s.DodajMonitorwanyDokument(dlugi);
  EXPECT_EQ(s.Organizator().Get(1).Name, std::string(100, 'a') + "ąęśćżźńółĄĘŚĆŻŹŃÓŁ" + "xy");
  EXPECT_TRUE(s.IsMonitoredDocument(dlugi));  // compared as stored
  EXPECT_EQ(tp.files.ReadFile(pliki.dokumenty)->size(), 272u);

  s.UsunMonitorowanyDokument("Brak.doc");
  EXPECT_EQ(tp.dialogs.shown.back().text, "Próba usunięcia nieistniejącego dokumentu!");
  EXPECT_EQ(tp.dialogs.shown.back().place, "TInfoSaver.UsunMonitorowanyDokument");
  s.UsunMonitorowanyDokument("Word - Raport.doc");
  EXPECT_EQ(tp.files.ReadFile(pliki.dokumenty)->size(), 136u);
  TStringList nazwy{"przed"};
  s.NazwyMonitorowanychDokumentow(nazwy);
  EXPECT_EQ(nazwy.size(), 2u);

  s.ListaTymczasowa() = {"    20Excel - a.xls", "     0Word - b.doc"};
  s.UsunzListyTymczasowychDokumentow("Word - b.doc");
  EXPECT_EQ(s.ListaTymczasowa(), TStringList{"    20Excel - a.xls"});
  const size_t bledy = tp.dialogs.shown.size();
  s.UsunzListyTymczasowychDokumentow("Word - b.doc");
  ASSERT_EQ(tp.dialogs.shown.size(), bledy + 1);
  EXPECT_EQ(tp.dialogs.shown.back().text, "Próba usunięcia nieistniejącego dokumentu");
}

TEST_F(InfoSaverTest, DeclinedDocumentsAreBoundedAndKeptInTheirFile) {
  {
    TInfoSaver s(pliki, nullptr);
    for (int i = 1; i <= 102; ++i) s.AddDeclinedDocument("Dokument " + std::to_string(i));
    EXPECT_EQ(s.ListaOdrzuconych().size(), 101u);
    EXPECT_EQ(s.ListaOdrzuconych().front(), "Dokument 2");
    EXPECT_TRUE(s.IsDeclinedDocument("DOKUMENT 102"));
    EXPECT_FALSE(s.IsDeclinedDocument("Dokument 1"));
    s.AddDeclinedDocument("Żółty ŁABĘDŹ");
    EXPECT_TRUE(s.IsDeclinedDocument("żółty łabędź"));
  }
  const std::string plik = *tp.files.ReadFile(pliki.zastrzezone);
  EXPECT_EQ(plik.substr(0, 12), "Dokument 3\r\n");
  EXPECT_EQ(plik.substr(plik.size() - 14), cp1250::FromUtf8("Żółty ŁABĘDŹ") + "\r\n");
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(s.ListaOdrzuconych().size(), 101u);
  EXPECT_EQ(s.ListaOdrzuconych().back(), "Żółty ŁABĘDŹ");
}

TEST_F(InfoSaverTest, MonitoredDocumentsSurviveARestartAndADamagedTailIsReported) {
  {
    TInfoSaver s(pliki, nullptr);
    s.DodajMonitorwanyDokument("Word - a.doc");
    s.DodajMonitorwanyDokument("Word - b.doc");
    DocumentRecord r = s.Organizator().Get(0);
    r.Seconds = 77;
    s.Organizator().Put(0, r);
    s.Organizator().Add(DocumentRecord{});  // empty name: never written
  }
  EXPECT_EQ(tp.files.ReadFile(pliki.dokumenty)->size(), 272u);
  {
    TInfoSaver s(pliki, nullptr);
    ASSERT_EQ(s.Organizator().Count(), 2);
    EXPECT_EQ(s.Organizator().Get(0).Seconds, 77);
    EXPECT_EQ(s.Organizator().IndexOf("Word - b.doc"), 1);
  }
  // A torn tail: told once however many ticks and saves follow, the whole records kept, and the
  // next save writes exactly them.
  tp.files.AppendFile(pliki.dokumenty, "torn");
  TInfoSaver s(pliki, nullptr);
  EXPECT_EQ(s.Organizator().Count(), 2);
  Tick(s, 30);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u) << ::testing::PrintToString(Errors());
  EXPECT_EQ(tp.dialogs.shown[0].place, "TInfoSaver.Create");
  EXPECT_EQ(tp.dialogs.shown[0].text, "LoadFromFile: Błąd w czasie wczytywania listy. Plik " + pliki.dokumenty +
                                          " kończy się niepełnym zapisem dokumentu (bajtów: 4), który pominięto. "
                                          "Zachowane pełne zapisy: 2.");
  EXPECT_EQ(tp.files.ReadFile(pliki.dokumenty)->size(), 272u);
  EXPECT_EQ(s.Organizator().Get(0).Seconds, 77);
}

TEST_F(InfoSaverTest, SettingsRemovedDoNotWipeTheMonitoredDocuments) {
  DocumentRecord r{"Word - a.doc", 3600, 46000.5};
  const auto b = r.ToBytes();
  tp.files.AddFile(pliki.dokumenty, std::string(b.begin(), b.end()));
  TInfoSaver s(pliki, nullptr);  // no TodayInfo: a first run
  Tick(s);  // saves the documents with the record
  EXPECT_EQ(s.Organizator().Count(), 1);
  EXPECT_EQ(*tp.files.ReadFile(pliki.dokumenty), std::string(b.begin(), b.end()));
}

TEST_F(InfoSaverTest, OrganizerFileErrors) {
  TOrganizatorDokumentow o;
  try {
    o.LoadFromFile("C:\\Kalmo\\brak.dat");
    FAIL();
  } catch (const ETArchiwumDokumentList& e) {
    EXPECT_STREQ(e.what(), "LoadFromFile: plik nie istnieje: C:\\Kalmo\\brak.dat");
  }
  tp.files.failingWrites.push_back(pliki.dokumenty);
  o.Add(DocumentRecord{"x", 1, 0});
  EXPECT_THROW(o.SaveToFile(pliki.dokumenty), ETArchiwumDokumentList);
  EXPECT_EQ(o.IndexOf("y"), -1);
  EXPECT_THROW(o.Get(1), std::out_of_range);
  {
    TInfoSaver s(pliki, nullptr);
    s.DodajMonitorwanyDokument("Word - a.doc");  // the failed save is reported, nothing raised
    EXPECT_EQ(tp.dialogs.shown.back().text, "SaveToFile: Błąd w czasie zapisywania listy!");
  }
}

TEST_F(InfoSaverTest, LogLinesWhileLoggingIsOn) {
  TDebugger log;
  log.UstawFolder("C:\\Kalmo");
  TInfoSaver s(pliki, &log);
  Tick(s, 30);
  s.WygaszaczWlaczony(600);
  const std::string text = cp1250::ToUtf8(tp.files.ReadFile("C:\\Kalmo\\debugg.obj").value_or(""));
  EXPECT_NE(text.find("ZwiekszWskazniki#Zwiększenie czasu pracy, caPraca = "), std::string::npos);
  EXPECT_NE(text.find("ZPPCH#\"Zaczęła się przerwa przed chwilą\"#"), std::string::npos);
  EXPECT_NE(text.find("ZPPCH#Rozpoczęcie przerwy miało miejsce o godzinie: 10:05:00#"), std::string::npos);
  EXPECT_NE(text.find("ZPPCH#Natomiast opóźnienie wynosiło 10 minut#"), std::string::npos);
  EXPECT_NE(text.find("UOTA#li_p = 2#"), std::string::npos);  // the whole delay, though only 300 s were work
  EXPECT_NE(text.find("UOTA#nrj = 122#"), std::string::npos);
}

TEST(Archiwum, ATornTailKeepsEveryWholeRecordAndIsToldOnce) {
  TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  const std::string f = "C:\\Kalmo\\All_arch.dat";
  ASSERT_TRUE(AppendDayToArchive(f, 46083.5, 3600));
  ASSERT_TRUE(AppendDayToArchive(f, 46084.5, 7200));
  EXPECT_EQ(tp.files.ReadFile(f)->size(), 48u);
  tp.files.AppendFile(f, "xyz");  // an interrupted write

  // The readers keep both days, leave the file as it is and tell the user once between them.
  for (int i = 0; i < 3; ++i) {
    const auto dni = PrzepiszPlikArchiwum(f, 46090.5, 0, nullptr);
    ASSERT_EQ(dni.size(), 3u);  // two days and the live entry
    EXPECT_EQ(dni[1].WorkSeconds, 7200);
    const MonthGrid g = WczytajCzasyPracyDlaMiesiaca(f, 46084.5, 46090.5, 0);
    EXPECT_EQ(g.cells[g.offset + datetime::Decode(46083.5).day - 1].seconds, 3600);
    EXPECT_EQ(g.cells[g.offset + datetime::Decode(46084.5).day - 1].seconds, 7200);
    ASSERT_TRUE(DopiszDoArchiwum(f, 200, 46084.25));
  }
  const std::string poModemie = *tp.files.ReadFile(f);
  ASSERT_EQ(poModemie.size(), 51u);
  EXPECT_EQ(poModemie.substr(48), "xyz");
  EXPECT_EQ(ArchiveRecord::FromBytes(std::vector<uint8_t>(poModemie.begin() + 24, poModemie.begin() + 48))
                .ConnectionCount,
            3);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmStatystyka.PrzepiszPlikArchiwum");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Plik archiwum " + f +
                                          " kończy się niepełnym zapisem dnia (bajtów: 3), który pominięto. "
                                          "Zachowane pełne dni: 2.");

  // The next day's append takes the fragment's place, quietly now that the user knows.
  ASSERT_TRUE(AppendDayToArchive(f, 46085.5, 60));
  std::string b = *tp.files.ReadFile(f);
  ASSERT_EQ(b.size(), 72u);
  EXPECT_EQ(b.substr(0, 48), poModemie.substr(0, 48));
  ArchiveRecord r = ArchiveRecord::FromBytes(std::vector<uint8_t>(b.begin() + 48, b.end()));
  EXPECT_EQ(r.Date, 46085.5);
  EXPECT_EQ(r.WorkSeconds, 60);
  EXPECT_EQ(tp.dialogs.shown.size(), 1u);

  // A later tear is told again, this time by the append that repairs it.
  tp.files.AppendFile(f, std::string(23, '\x7f'));
  ASSERT_TRUE(AppendDayToArchive(f, 46086.5, 90));
  b = *tp.files.ReadFile(f);
  ASSERT_EQ(b.size(), 96u);
  EXPECT_EQ(ArchiveRecord::FromBytes(std::vector<uint8_t>(b.begin() + 72, b.end())).WorkSeconds, 90);
  ASSERT_EQ(tp.dialogs.shown.size(), 2u);
  EXPECT_EQ(tp.dialogs.shown[1].place, "TInfoSaver.AppendDayToArchive");
  EXPECT_NE(tp.dialogs.shown[1].text.find("(bajtów: 23), który pominięto. Zachowane pełne dni: 3."),
            std::string::npos);

  tp.files.failingWrites.push_back(f);
  EXPECT_FALSE(AppendDayToArchive(f, 46087.5, 1));
  EXPECT_EQ(*tp.files.ReadFile(f), b);
}

TEST(CzasDniaPracyTest, MovesBackOneDayBeforeTheRolloverHour) {
  EXPECT_EQ(CzasDniaPracy(MakeDateTime(2026, 3, 2, 3, 59), 4), MakeDateTime(2026, 3, 1, 3, 59));
  EXPECT_EQ(CzasDniaPracy(MakeDateTime(2026, 3, 2, 4, 0), 4), MakeDateTime(2026, 3, 2, 4, 0));
  EXPECT_EQ(CzasDniaPracy(MakeDateTime(2026, 3, 2, 0, 30), 1), MakeDateTime(2026, 3, 1, 0, 30));
  EXPECT_EQ(CzasDniaPracy(MakeDateTime(2026, 3, 2, 5, 59), 6), MakeDateTime(2026, 3, 1, 5, 59));
}

TEST_F(InfoSaverTest, IdleTimeStartsANaturalBreakThatTheFirstInputEnds) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 120);  // 20 minutes of work, 10:20
  const int odczyty = tp.desktop.lastInputReads;
  Bezczynnosc(299);  // the tick count wraps in between
  Tick(s);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(tp.desktop.lastInputReads - odczyty, 1);  // one call per tick
  EXPECT_EQ(tp.desktop.displayRequiredReads, 0);       // asked only past the threshold
  EXPECT_EQ(s.CzasPracy(), 1210);

  Bezczynnosc(305);
  Tick(s);  // 10:20:20, slot 125
  EXPECT_EQ(s.PowodPrzerwy(), TInfoSaver::Powod::Bezczynnosc);
  EXPECT_EQ(s.CzasPracy(), 1210 - 305);  // the idle time taken back; this tick is not work
  EXPECT_EQ(s.CzasPrzerwy(), 305);
  EXPECT_EQ(s.CzasPrzerwDzis(), 305);
  EXPECT_EQ(s.CzasNieprzerwanejPracy(), 0);
  EXPECT_EQ(s.DajAktywnosc()[124], TodayRecord::SlotPrzerwa);
  EXPECT_EQ(s.DajAktywnosc()[123], TodayRecord::SlotPrzerwa);
  EXPECT_EQ(Stored().caPrzerwDzis, 305);
  Bezczynnosc(315);
  Tick(s);  // no input yet: the break goes on
  EXPECT_EQ(s.CzasPrzerwy(), 315);
  EXPECT_EQ(s.CzasPrzerwDzis(), 315);

  Bezczynnosc(1, 0x20000);  // a key pressed
  EXPECT_EQ(Tick(s), wcBrak);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(s.CzasPracy(), 1210 - 305 + 10);
  EXPECT_EQ(s.CzasPrzerwDzis(), 315);
}

TEST_F(InfoSaverTest, IdleTimeLongerThanTodaysWorkTakesTheWorkToZeroNeverBelow) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 12);
  Bezczynnosc(3600);
  Tick(s);
  EXPECT_EQ(s.CzasPracy(), 0);
  EXPECT_EQ(s.CzasPrzerwy(), 3600);
  EXPECT_EQ(s.CzasPrzerwDzis(), 120);  // of it, the work counted: it moves to the breaks
}

TEST_F(InfoSaverTest, VideoKeepsWorkingAndEachBreakEndsItsOwnWay) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 60);
  tp.desktop.displayRequired = true;  // a film holds the display on
  Bezczynnosc(900);
  Tick(s);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(tp.desktop.displayRequiredReads, 1);
  tp.desktop.displayRequired = false;
  Tick(s);
  EXPECT_TRUE(s.WPrzerwie());

  // A break of the screen saver ends when the screen saver stops, not at an input.
  Bezczynnosc(1, 0x40000);
  Tick(s);
  s.WygaszaczWlaczony(300);
  Bezczynnosc(1, 0x50000);
  Tick(s);
  EXPECT_EQ(s.PowodPrzerwy(), TInfoSaver::Powod::Wygaszacz);
  s.WygaszaczWylaczony();
  EXPECT_FALSE(s.WPrzerwie());

  // Idle breaks off: the last input is not even read.
  s.UstawProgBezczynnosci(0);
  const int odczyty = tp.desktop.lastInputReads;
  Bezczynnosc(5000);
  Tick(s, 3);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(tp.desktop.lastInputReads, odczyty);
}

TEST_F(InfoSaverTest, IdleLockAndSleepThatFollowEachOtherAreOneBreak) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 60);
  Bezczynnosc(400);
  Tick(s);
  s.SesjaZablokowana(true);
  s.Uspienie(true);
  EXPECT_EQ(s.PowodPrzerwy(), TInfoSaver::Powod::Blokada);  // the lock decides the end
  EXPECT_EQ(s.CzasPrzerwDzis(), 400);
  tp.clock.Advance(3600);  // an hour asleep
  s.Uspienie(false);       // awake, still locked: the break goes on
  EXPECT_TRUE(s.WPrzerwie());
  Bezczynnosc(1, 0x90000);  // the password typed
  Tick(s);
  EXPECT_TRUE(s.WPrzerwie());
  EXPECT_EQ(s.CzasPrzerwDzis(), 400 + 3610);  // the hour once, with this tick inside it
  s.WygaszaczWylaczony();  // a screen saver stopping at the lock screen ends nothing
  EXPECT_TRUE(s.WPrzerwie());
  s.SesjaZablokowana(false);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_EQ(s.CzasPrzerwDzis(), 4010);
  EXPECT_EQ(s.CzasPracy(), 200);  // 600 s of work less the idle 400

  // A break the user started stays the user's through a lock.
  s.RozpocznijPrzerwe();
  s.SesjaZablokowana(true);
  s.SesjaZablokowana(false);
  EXPECT_EQ(s.PowodPrzerwy(), TInfoSaver::Powod::Uzytkownik);
}

TEST_F(InfoSaverTest, AGapNobodyAnnouncedIsBreakAndAClockSetBackAddsNothing) {
  TInfoSaver s(pliki, nullptr);
  Tick(s, 60);
  tp.clock.Advance(1800);  // half an hour asleep without a word
  EXPECT_EQ(Tick(s), wcBrak);
  EXPECT_EQ(s.CzasPracy(), 600);  // the gap is no work
  EXPECT_EQ(s.CzasPrzerwDzis(), 1810);  // with the tick's own ten seconds
  EXPECT_EQ(s.CzasNieprzerwanejPracy(), 0);
  EXPECT_FALSE(s.WPrzerwie());
  EXPECT_GE(Przerwy(s), 6);
  tp.clock.Advance(40);  // a main thread held up for a moment is no sleep
  Tick(s);
  EXPECT_EQ(s.CzasPracy(), 610);
  tp.clock.Advance(-7200);  // the clock set back two hours
  Tick(s);
  EXPECT_EQ(s.CzasPracy(), 620);
  EXPECT_EQ(s.CzasPrzerwDzis(), 1810);
  EXPECT_EQ(datetime::DatePart(s.DataZapisu()), datetime::DatePart(MakeDateTime(2026, 3, 2)));
}

TEST_F(InfoSaverTest, ASleepPastTheRolloverClosesTheDayOnceAndCountsTodaysPartAsBreak) {
  At(2026, 3, 2, 22, 0);
  TInfoSaver s(pliki, nullptr);
  Tick(s, 6);
  s.Uspienie(true);
  At(2026, 3, 3, 8, 0);
  s.Uspienie(false);  // woke before any tick
  ASSERT_EQ(Archive().size(), 1u);
  EXPECT_EQ(Archive()[0].WorkSeconds, 60);
  EXPECT_EQ(s.CzasPrzerwDzis(), 4 * 3600);  // from the rollover at 04:00
  EXPECT_FALSE(s.WPrzerwie());
  Tick(s, 6);
  EXPECT_EQ(Archive().size(), 1u);
  EXPECT_EQ(s.CzasPracy(), 60);

  // The same night without a word: the first tick closes the day, then counts the morning.
  At(2026, 3, 4, 7, 0);
  Tick(s);
  ASSERT_EQ(Archive().size(), 2u);
  EXPECT_EQ(s.CzasPrzerwDzis(), 3 * 3600 + 10);
  EXPECT_EQ(s.CzasPracy(), 0);
}
