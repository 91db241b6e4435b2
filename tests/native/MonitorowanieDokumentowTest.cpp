// Document monitoring through the accounting's ticks, with fake window lists and clock.
#include <gtest/gtest.h>

#include <cmath>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "documents/ListaDokumentow.h"
#include "documents/MonitorowanieDokumentow.h"
#include "platform/memory/Memory.h"
#include "worktime/InfoSaver.h"

using platform::Root;
using platform::TopLevelWindow;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kKlucz = "\\Software\\Meltrax Software\\Kalmo\\2.0";

// What the main window gives the tick and collects from it.
struct Kontekst {
  std::string znaki = "-[";
  std::vector<std::string> pytania;
};

struct DokumentyTest : ::testing::Test {
  TestPlatform tp;
  PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo", "Ewa");
  Kontekst k;

  void SetUp() override {
    tp.files.AddDirectory("C:\\Kalmo");
    tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  }
  std::unique_ptr<TInfoSaver> Nowy(const std::string& programy = "Word#Excel") {
    auto s = std::make_unique<TInfoSaver>(pliki, nullptr);
    LimitsRecord l = s->DajLimity();
    l.Programy = programy;
    s->UstawLimity(l);
    return s;
  }
  void Okna(std::vector<std::string> tytuly) {
    tp.desktop.windows.clear();
    for (auto& t : tytuly) tp.desktop.windows.push_back(TopLevelWindow{t, false, true});
  }
  void Tick(TInfoSaver& s, int n = 1) {
    for (int i = 0; i < n; ++i) {
      tp.clock.Advance(10);
      for (std::string& t : s.ZwiekszWskazniki(tp.clock.Now(), k.znaki).pytania) k.pytania.push_back(std::move(t));
    }
  }
  std::vector<DocumentRecord> ZPliku() {
    std::vector<DocumentRecord> out;
    const std::string b = tp.files.ReadFile(pliki.dokumenty).value_or("");
    for (size_t i = 0; i + 136 <= b.size(); i += 136)
      out.push_back(DocumentRecord::FromBytes(std::vector<uint8_t>(b.begin() + i, b.begin() + i + 136)));
    return out;
  }
};

}  // namespace

TEST_F(DokumentyTest, CandidatesAreCountedAndAskedAfterTheDelay) {
  auto s = Nowy();
  Okna({"Edytor Word - a.doc", "Word - b.doc", "word - c.doc", "Kalkulator", "Eksploracja - C:\\",
        "Excel - [Zeszyt1]"});
  Tick(*s);
  // The first window of each program, matched case-sensitively; "Excel - [..]" is collected as "Excel -".
  EXPECT_EQ(s->ListaTymczasowa(), (TStringList{"     0Edytor Word - a.doc", "     0Excel -"}));
  Tick(*s, 60);
  EXPECT_EQ(s->ListaTymczasowa()[0], "   600Edytor Word - a.doc");
  EXPECT_TRUE(k.pytania.empty());
  Tick(*s);  // 610 > 600
  ASSERT_EQ(k.pytania.size(), 2u);
  EXPECT_EQ(k.pytania.back(), "Edytor Word - a.doc");  // the one nearest the start asked last
  // A window gone drops its candidate; back again it starts from zero.
  Okna({"Word - b.doc"});
  Tick(*s);
  EXPECT_EQ(s->ListaTymczasowa(), (TStringList{"     0Word - b.doc"}));
  // Without programs no candidate arises, but monitored documents still gain time.
  s->DodajMonitorwanyDokument("Word - b.doc");
  LimitsRecord l = s->DajLimity();
  l.Programy = "";
  s->UstawLimity(l);
  Okna({"Word - b.doc", "Word - d.doc"});
  Tick(*s, 3);
  EXPECT_TRUE(s->ListaTymczasowa().empty());  // b is monitored now, d is never offered
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 30);
  EXPECT_EQ(s->Organizator().Get(0).LastSeen, s->TerazDniaPracy());
}

TEST_F(DokumentyTest, OneKeyPerDocument) {
  auto s = Nowy();
  const std::string dlugi = "Word - " + std::string(130, 'x') + ".doc";
  const std::string spozaStrony = "Word - raport ✓ końcowy.doc";  // ✓ is not in Windows-1250
  s->DodajMonitorwanyDokument("Word - Raport.doc");
  s->DodajMonitorwanyDokument(dlugi);
  s->DodajMonitorwanyDokument(spozaStrony);
  s->DodajMonitorwanyDokument("WORD - RAPORT.DOC");  // the same document
  ASSERT_EQ(s->Organizator().Count(), 3);
  EXPECT_EQ(tp.dialogs.shown.back().place, "TInfoSaver.DodajMonitorwanyDokument");
  s.reset();
  s = Nowy();  // read back from the file
  ASSERT_EQ(s->Organizator().Count(), 3);
  EXPECT_EQ(s->Organizator().Get(2).Name, "Word - raport ? końcowy.doc");

  Okna({"word - raport.DOC", dlugi, spozaStrony});
  Tick(*s, 2);
  EXPECT_TRUE(s->ListaTymczasowa().empty());  // none offered again
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 20);
  EXPECT_EQ(s->Organizator().Get(1).Seconds, 20);
  EXPECT_EQ(s->Organizator().Get(2).Seconds, 20);
  EXPECT_TRUE(s->IsMonitoredDocument(dlugi + " (kopia)"));  // differs beyond character 120
  // Titles that change places or change between ticks are credited under their new title.
  Okna({dlugi, "Word - inny.doc", spozaStrony});
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 20);
  EXPECT_EQ(s->Organizator().Get(1).Seconds, 30);
  EXPECT_EQ(s->Organizator().Get(2).Seconds, 30);
  Okna({"Word - raport.doc", dlugi});
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 30);
  EXPECT_EQ(s->Organizator().Get(1).Seconds, 40);
  EXPECT_EQ(s->Organizator().Get(2).Seconds, 30);

  s->AddDeclinedDocument("Excel - Budżet.xls");
  EXPECT_TRUE(s->IsDeclinedDocument("EXCEL - BUDŻET.XLS"));
  Okna({"Excel - budżet.xls"});
  Tick(*s);
  EXPECT_TRUE(s->ListaTymczasowa().empty());

  // An unchanged window is looked at again when the filter characters or its pop-up style change.
  Okna({"Word - raport.doc"});
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 40);
  k.znaki = "[";  // "-" no longer lets the title through
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 40);
  k.znaki = "-[";
  tp.desktop.windows[0].popup = true;
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 40);
  tp.desktop.windows[0].popup = false;
  Tick(*s);
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 50);
}

TEST(OrganizatorDokumentowTest, KeysFindTheFirstRecordAlsoAfterChanges) {
  TOrganizatorDokumentow o;
  o.Add({"Word - A.doc", 1, 0});
  o.Add({"word - a.doc", 2, 0});  // an older file may hold both
  for (int i = 0; i < 100; ++i) o.Add({"Dokument - " + std::to_string(i), i, 0});
  EXPECT_EQ(o.IndexOfKey(KluczDokumentu("WORD - A.DOC")), 0);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(o.IndexOfKey(KluczDokumentu("dokument - " + std::to_string(i))), i + 2);
  o.Delete(0);
  EXPECT_EQ(o.IndexOfKey(KluczDokumentu("Word - a.DOC")), 0);
  EXPECT_EQ(o.IndexOfKey(KluczDokumentu("DOKUMENT - 99")), 100);
  o.Put(1, {"Excel - b.xls", 0, 0});
  EXPECT_EQ(o.IndexOfKey(KluczDokumentu("dokument - 0")), -1);
  EXPECT_EQ(o.IndexOfKey(KluczDokumentu("excel - B.XLS")), 1);
}

TEST_F(DokumentyTest, RecordsSharingAKeyAreOneDocumentFromLoadingOn) {
  // Written by a version that told them apart by letter case: one document in two records.
  const DocumentRecord pierwszy{"Word - Raport.doc", 3600, MakeDateTime(2025, 3, 1)};
  const DocumentRecord inny{"Excel - b.xls", 60, 0};
  const DocumentRecord drugi{"word - raport.DOC", 1800, MakeDateTime(2025, 3, 9)};
  std::string b;
  for (const auto& r : {pierwszy, inny, drugi}) {
    const auto x = r.ToBytes();
    b.append(x.begin(), x.end());
  }
  tp.files.AddFile(pliki.dokumenty, b);
  auto s = Nowy();
  ASSERT_EQ(s->Organizator().Count(), 2);
  EXPECT_EQ(s->Organizator().Get(0).Name, "Word - Raport.doc");  // the first one's place and name
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 5400);
  EXPECT_EQ(s->Organizator().Get(0).LastSeen, MakeDateTime(2025, 3, 9));
  s.reset();  // saved merged
  ASSERT_EQ(ZPliku().size(), 2u);
  EXPECT_EQ(ZPliku()[0].Seconds, 5400);
  // Switching it off takes the whole document, and leaves no second record behind.
  s = Nowy();
  s->UsunMonitorowanyDokument("WORD - RAPORT.DOC");
  EXPECT_FALSE(s->IsMonitoredDocument("Word - Raport.doc"));
  ASSERT_EQ(ZPliku().size(), 1u);
  EXPECT_EQ(ZPliku()[0].Name, "Excel - b.xls");
  // A sighting that is no number never wins over a real one.
  EXPECT_EQ(PozniejszaData(std::nan(""), 5.0), 5.0);
  EXPECT_EQ(PozniejszaData(7.0, INFINITY), 7.0);
}

TEST_F(DokumentyTest, DamagedSettingsNeverTakeTimeAwayAndATitleStaysOneLine) {
  // A step below zero from damaged settings: nothing credited, no candidate count below zero.
  TDokumenty d(pliki.dokumenty, pliki.zastrzezone);
  d.DodajMonitorwanyDokument("Word - a.doc");
  d.Organizator().Zalicz(0, 100, 1);
  Okna({"Word - b.doc", "Word - a.doc"});
  std::vector<std::string> pytania;
  for (int i = 0; i < 3; ++i) d.AdvanceDocuments(-10, "Word", 10, 2, "-[", pytania);
  EXPECT_EQ(d.Organizator().Get(0).Seconds, 100);
  ASSERT_EQ(d.ListaTymczasowa().size(), 1u);
  EXPECT_EQ(d.ListaTymczasowa()[0], "     0Word - b.doc");
  d.Organizator().Zalicz(0, -50, 3);
  EXPECT_EQ(d.Organizator().Get(0).Seconds, 100);

  // A declined title with a line break is stored on one line and still known after a restart.
  d.AddDeclinedDocument("Word - a\r\nb.doc");
  d.AddDeclinedDocument("Word - c.doc");
  EXPECT_EQ(cp1250::ToUtf8(*tp.files.ReadFile(pliki.zastrzezone)), "Word - a  b.doc\r\nWord - c.doc\r\n");
  TDokumenty nowe(pliki.dokumenty, pliki.zastrzezone);
  nowe.WczytajOdrzucone();
  EXPECT_EQ(nowe.ListaOdrzuconych().size(), 2u);
  EXPECT_TRUE(nowe.IsDeclinedDocument("Word - a\r\nb.doc"));
  EXPECT_TRUE(nowe.IsDeclinedDocument("WORD - A  B.DOC"));
}

TEST_F(DokumentyTest, RemovingACandidateRemovesExactlyThatOne) {
  auto s = Nowy();
  s->ListaTymczasowa() = {"    20Word - a.doc.bak", "    10Word - a.doc"};
  s->UsunzListyTymczasowychDokumentow("Word - a.doc");
  EXPECT_EQ(s->ListaTymczasowa(), TStringList{"    20Word - a.doc.bak"});
  EXPECT_TRUE(tp.dialogs.shown.empty());
  // Switched on from the document list: no longer a candidate on the next tick.
  Okna({"Word - a.doc.bak"});
  s->DodajMonitorwanyDokument("Word - a.doc.bak");
  Tick(*s);
  EXPECT_TRUE(s->ListaTymczasowa().empty());
  EXPECT_EQ(s->Organizator().Get(0).Seconds, 10);
}

TEST_F(DokumentyTest, AnUnreadableFileIsNeverOverwritten) {
  const DocumentRecord stary{"Word - stary.doc", 500, 46000};
  const auto b = stary.ToBytes();
  tp.files.AddFile(pliki.dokumenty, std::string(b.begin(), b.end()));
  tp.files.AddFile(pliki.zastrzezone, "Excel - a.xls\r\n");
  tp.files.failingReads = {pliki.dokumenty, pliki.zastrzezone};
  auto s = Nowy();
  ASSERT_EQ(tp.dialogs.shown.size(), 2u);  // each list once
  EXPECT_FALSE(s->Dokumenty().DokumentyWczytane());
  s->DodajMonitorwanyDokument("Word - nowy.doc");
  s->AddDeclinedDocument("Excel - b.xls");
  Okna({"Word - nowy.doc"});
  Tick(*s, 20);  // periodic saves in between
  EXPECT_EQ(tp.dialogs.shown.size(), 2u);
  tp.files.failingReads.clear();
  EXPECT_EQ(*tp.files.ReadFile(pliki.zastrzezone), "Excel - a.xls\r\n");
  EXPECT_EQ(ZPliku().size(), 1u);
  EXPECT_EQ(ZPliku()[0].Name, "Word - stary.doc");
  // Readable again: the next save reads the file first and keeps both.
  Tick(*s, 12);
  const auto teraz = ZPliku();
  ASSERT_EQ(teraz.size(), 2u);
  EXPECT_EQ(teraz[0].Seconds, 500);
  EXPECT_EQ(teraz[1].Name, "Word - nowy.doc");
  s->AddDeclinedDocument("Excel - c.xls");
  EXPECT_EQ(*tp.files.ReadFile(pliki.zastrzezone), "Excel - a.xls\r\nExcel - b.xls\r\nExcel - c.xls\r\n");
}

TEST_F(DokumentyTest, AFailedWriteKeepsTheOldFileIsReportedOnceAndTheTickGoesOn) {
  auto s = Nowy();
  s->DodajMonitorwanyDokument("Word - a.doc");
  const std::string przed = *tp.files.ReadFile(pliki.dokumenty);
  tp.files.failingWrites = {pliki.dokumenty, pliki.zastrzezone};
  Okna({"Word - a.doc"});
  const int32_t praca = s->CzasPracy();
  Tick(*s, 30);
  s->AddDeclinedDocument("x - 1");
  s->AddDeclinedDocument("x - 2");
  EXPECT_EQ(s->CzasPracy(), praca + 300);
  EXPECT_EQ(*tp.files.ReadFile(pliki.dokumenty), przed);
  ASSERT_EQ(tp.dialogs.shown.size(), 2u);
  EXPECT_EQ(tp.dialogs.shown[0].text, "SaveToFile: Błąd w czasie zapisywania listy!");
  tp.files.failingWrites.clear();
  Tick(*s, 12);
  EXPECT_GT(ZPliku()[0].Seconds, 300);  // saved again at the next periodic save
}

TEST_F(DokumentyTest, TheWorkDayNeverMovesBackwards) {
  tp.clock.now = MakeDateTime(2026, 10, 25, 4, 30);
  auto s = Nowy();
  Tick(*s);
  const double stempel = s->DataZapisu();
  tp.clock.now = MakeDateTime(2026, 10, 25, 3, 30);  // the autumn change: back into the previous work day
  Tick(*s, 13);
  EXPECT_GE(s->DataZapisu(), stempel);
  tp.clock.now = MakeDateTime(2026, 10, 25, 4, 30);
  Tick(*s, 13);
  EXPECT_FALSE(tp.files.FileExists(pliki.archiwum));  // no day archived twice (nor once)
  // A later rollover hour set at 05:00 puts "now" into the previous work day: the stamp stays.
  LimitsRecord l = s->DajLimity();
  l.GodzinaPrzelaczenia = 6;
  s->UstawLimity(l);
  tp.clock.now = MakeDateTime(2026, 10, 25, 5, 0);
  Tick(*s, 13);
  EXPECT_EQ(datetime::DatePart(s->DataZapisu()), datetime::DatePart(stempel));
  tp.clock.now = MakeDateTime(2026, 10, 26, 6, 30);
  Tick(*s);
  EXPECT_EQ(tp.files.ReadFile(pliki.archiwum)->size(), 24u);
  // A date set a year ahead and put right: the working day follows the corrected clock.
  tp.clock.now = MakeDateTime(2027, 10, 26, 9, 0);
  Tick(*s);
  tp.clock.now = MakeDateTime(2026, 10, 26, 9, 0);
  Tick(*s, 13);
  EXPECT_EQ(datetime::DatePart(s->DataZapisu()), datetime::DatePart(MakeDateTime(2026, 10, 26)));
}

TEST_F(DokumentyTest, AnArchiveThatCannotBeWrittenIsReportedOnceAndAppendedLater) {
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 0);
  auto s = Nowy();
  Tick(*s, 6);
  tp.files.AddFile(pliki.archiwum, "");
  tp.files.SetAttributes(pliki.archiwum, platform::kAttrReadOnly);
  tp.clock.now = MakeDateTime(2026, 3, 3, 9, 0);
  Tick(*s, 5);
  EXPECT_EQ(s->CzasPracy(), 40);  // the day reset; the night's jump of the clock was a gap, no work
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(s->ZaleglyArchiwum().size(), 1u);
  s.reset();  // shutting down tries once more, quietly
  EXPECT_EQ(tp.dialogs.shown.size(), 1u);
  tp.files.SetAttributes(pliki.archiwum, 0);
  tp.clock.now = MakeDateTime(2026, 3, 4, 9, 0);
  s = Nowy();  // start-up archives the 3rd
  EXPECT_EQ(tp.files.ReadFile(pliki.archiwum)->size(), 24u);
}

TEST_F(DokumentyTest, AnArchiveFailureAtStartUpIsRetriedOnTheNextTick) {
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 0);
  Nowy();
  tp.files.AddFile(pliki.archiwum, "");
  tp.files.failingWrites = {pliki.archiwum};
  tp.clock.now = MakeDateTime(2026, 3, 3, 9, 0);
  auto s = Nowy();
  EXPECT_EQ(tp.dialogs.shown.size(), 1u);
  Tick(*s);
  EXPECT_EQ(tp.dialogs.shown.size(), 1u);
  tp.files.failingWrites.clear();
  Tick(*s);
  EXPECT_EQ(tp.files.ReadFile(pliki.archiwum)->size(), 24u);
  EXPECT_TRUE(s->ZaleglyArchiwum().empty());
}

TEST_F(DokumentyTest, TheDocumentListsViewsAndSwitching) {
  auto s = Nowy();
  TDokumenty& d = s->Dokumenty();
  s->DodajMonitorwanyDokument("Word - a.doc");
  s->DodajMonitorwanyDokument("Word - zamkniety.doc");
  const TStringList tytuly{"Excel - b.xls", "word - A.doc"};
  EXPECT_EQ(WidokOtwartych(tytuly, d), (TStringList{"@ Excel - b.xls", "@#word - A.doc"}));
  EXPECT_EQ(WidokPelny(tytuly, d), (TStringList{"@#Word - a.doc", " #Word - zamkniety.doc", "@ Excel - b.xls"}));
  EXPECT_EQ(WidokPelny({}, d), (TStringList{" #Word - a.doc", " #Word - zamkniety.doc"}));

  tp.dialogs.answers = {okNie, okTak};
  EXPECT_EQ(PrzelaczMonitorowanie(" #Word - zamkniety.doc", d), " #Word - zamkniety.doc");
  EXPECT_EQ(tp.dialogs.shown.back().text, kPytanieOWylaczenie);
  EXPECT_EQ(tp.dialogs.shown.back().picture, rkOstrzezenie);
  EXPECT_EQ(PrzelaczMonitorowanie(" #Word - zamkniety.doc", d), "  Word - zamkniety.doc");
  EXPECT_FALSE(s->IsMonitoredDocument("Word - zamkniety.doc"));
  EXPECT_TRUE(s->IsDeclinedDocument("Word - zamkniety.doc"));
  // Declined earlier, switched on now; a waiting candidate of the title is dropped.
  s->ListaTymczasowa() = {"    40Word - zamkniety.doc"};
  EXPECT_EQ(PrzelaczMonitorowanie("@ Word - zamkniety.doc", d), "@#Word - zamkniety.doc");
  EXPECT_TRUE(s->IsMonitoredDocument("Word - zamkniety.doc"));
  EXPECT_TRUE(s->ListaTymczasowa().empty());
  EXPECT_EQ(tp.dialogs.shown.size(), 2u);
}
