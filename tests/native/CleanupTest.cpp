// Cleanup rules, the deletion pass over the in-memory file system, and the chronicle's views.
#include <gtest/gtest.h>

#include "cleanup/Kronika.h"
#include "cleanup/RegulyCzyszczenia.h"
#include "cleanup/UsuwaniePlikow.h"
#include "common/Dyskowe.h"
#include "settings/Globalne.h"
#include "platform/memory/Memory.h"

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr char kRegulyPlik[] = "C:\\Kalmo\\jan_pltym.dat";
constexpr char kKronikaPlik[] = "C:\\Kalmo\\jan_kronup.dat";

struct Czyszczenie : ::testing::Test {
  TestPlatform tp;
  std::vector<std::string> zgloszenia;
  int przerwijPo = -1;  // stop requested once this many checks have passed (-1: never)
  int sprawdzenia = 0;
  KontekstCzyszczenia k;

  void SetUp() override {
    tp.clock.now = MakeDateTime(2026, 3, 10, 12, 0);
    tp.files.AddDirectory("C:\\Kalmo");
    tp.registry.CreateKey(Root::CurrentUser, kKluczKalmo);
    Opcje(true, 0);
    k.plikRegul = kRegulyPlik;
    k.plikKroniki = kKronikaPlik;
    k.przerwano = [this] { return przerwijPo >= 0 && sprawdzenia++ >= przerwijPo; };
    k.zglos = [this](const std::string&, const std::string& t) { zgloszenia.push_back(t); };
  }
  void Opcje(bool kronika, double data) {
    OpcjePlikowTymczasowych o;
    o.usuwanie = true;
    o.kronika = kronika;
    o.ostatnieCzyszczenie = data;
    tp.registry.WriteBinary(Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych, o.ToBytes());
  }
  double DataCzyszczenia() {
    auto b = tp.registry.ReadBinary(Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych);
    return OpcjePlikowTymczasowych::FromBytes(*b).ostatnieCzyszczenie;
  }
  void Reguly(const TStringList& linie) { ASSERT_TRUE(WriteTextLines(kRegulyPlik, linie)); }
  double DniTemu(int n) { return tp.clock.now - n; }
  void Plik(const std::string& p, int dniTemu) { tp.files.AddFile(p, "x", DniTemu(dniTemu), DniTemu(dniTemu)); }
  bool Jest(const std::string& p) { return tp.files.FileExists(p); }
  TStringList Kronika() {
    TStringList l;
    ReadTextLines(kKronikaPlik, l);
    return l;
  }
};

}  // namespace

TEST(RegulyCzyszczenia, LinesAndTreeTextsRoundTripAsTheUserEnteredThem) {
  auto r = ParsujRegule("C:\\Moje #1\\Robocze#P#* - Kopia.doc#7#*.tmp#30");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->folder, "C:\\Moje #1\\Robocze");
  EXPECT_EQ(r->rodzaj, "P");
  EXPECT_TRUE(r->Rekurencyjna());
  EXPECT_EQ(r->pary, (std::vector<ParaMaski>{{"* - Kopia.doc", 7}, {"*.tmp", 30}}));
  EXPECT_EQ(TekstReguly(*r), "C:\\Moje #1\\Robocze#P#* - Kopia.doc#7#*.tmp#30");

  // A pair with a faulty age is left out, never read as 0 days; a trailing "#" adds nothing.
  r = ParsujRegule("C:\\A#.#*.bak#siedem#*.old#2#");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->pary, (std::vector<ParaMaski>{{"*.old", 2}}));
  EXPECT_FALSE(ParsujRegule("C:\\A#.#*.bak#-3"));
  EXPECT_FALSE(ParsujRegule("C:\\A#P"));
  EXPECT_FALSE(ParsujRegule("C:\\A#X#*.*#1"));

  // The tree's mask entry: read back from its fixed end, whatever the mask holds.
  for (const ParaMaski& p : {ParaMaski{"* - Kopia.doc", 1}, ParaMaski{"dni przed*.txt", 12}}) {
    const std::string t = TekstWpisuMaski(p.maska, p.dni);
    EXPECT_EQ(OdczytajWpisMaski(t), p) << t;
  }
  EXPECT_EQ(TekstWpisuMaski("*.tmp", 1), "*.tmp   (modyfikowane przed 1 dniem)");
  EXPECT_EQ(TekstWpisuMaski("*.tmp", 5), "*.tmp   (modyfikowane przed 5 dniami)");
  EXPECT_FALSE(OdczytajWpisMaski("*.tmp"));
  // The days dialog's "Anuluj" (0) adds no rule.
  EXPECT_FALSE(RegulaSpecjalna(true, 0));
  EXPECT_EQ(TekstReguly(*RegulaSpecjalna(true, 21)), "Katalogi kosza systemowego#K#*.*#21");
  EXPECT_EQ(TekstReguly(*RegulaSpecjalna(false, 1)), "Katalog tymczasowy TEMP#T#*.*#1");
  // An expanded recursive folder stays recursive.
  EXPECT_EQ(RodzajZObrazka(2), "P");
  EXPECT_EQ(RodzajZObrazka(3), "P");
  EXPECT_EQ(RodzajZObrazka(1), ".");
  EXPECT_EQ(RodzajZObrazka(4), "T");
  EXPECT_EQ(RodzajZObrazka(5), "K");

  TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  ASSERT_TRUE(ZapiszReguly(kRegulyPlik, {{"C:\\Zażółć", "P", {{"* - Kopia.doc", 7}}}, {"C:\\Pusty", ".", {}}}));
  EXPECT_EQ(*tp.files.ReadFile(kRegulyPlik), "C:\\Za\xbf\xf3\xb3\xe6#P#* - Kopia.doc#7\r\n");
  auto wczytane = WczytajReguly(kRegulyPlik);
  ASSERT_TRUE(wczytane);
  EXPECT_EQ(*wczytane, (std::vector<RegulaCzyszczenia>{{"C:\\Zażółć", "P", {{"* - Kopia.doc", 7}}}}));
  EXPECT_FALSE(WczytajReguly("C:\\Kalmo\\brak.dat"));
}

TEST(RegulyCzyszczenia, MasksAgesAndTheBinsOwnFiles) {
  EXPECT_TRUE(PasujeDoMaski("Raport - Kopia.DOC", "* - kopia.doc"));
  EXPECT_FALSE(PasujeDoMaski("Raport.doc", "* - Kopia.doc"));
  EXPECT_TRUE(PasujeDoMaski("README", "*.*"));
  EXPECT_FALSE(PasujeDoMaski("strona.html", "*.htm"));  // no short-name surprises
  EXPECT_TRUE(PasujeDoMaski("a1c.tmp", "a?c.*"));

  const double dzis = MakeDateTime(2026, 3, 10, 0, 5);
  EXPECT_EQ(WiekPliku(MakeDateTime(2026, 3, 7, 23, 59), dzis, false), 3);
  EXPECT_EQ(WiekPliku(MakeDateTime(2026, 3, 7, 23, 59), dzis, true), 2);  // recycle: one day younger
  EXPECT_TRUE(PlikDoUsuniecia(MakeDateTime(2026, 3, 7), dzis, false, 3));
  EXPECT_FALSE(PlikDoUsuniecia(MakeDateTime(2026, 3, 7), dzis, true, 3));
  EXPECT_FALSE(PlikDoUsuniecia(0, dzis, false, 0));  // unknown date is never old
  EXPECT_FALSE(PlikDoUsuniecia(MakeDateTime(2026, 3, 12), dzis, false, 0));

  for (const char* n : {"INFO", "info", "Info2", "INFO2", "desktop.ini", "DESKTOP.INI", "Desktop.Ini"})
    EXPECT_TRUE(NazwaChronionaKosza(n)) << n;
  for (const char* n : {"info3", "Dc1.txt", "desktop.ini.bak"}) EXPECT_FALSE(NazwaChronionaKosza(n)) << n;
}

TEST(RegulyCzyszczenia, DangerousFoldersAreRefusedAsWrittenAndAsResolved) {
  TestPlatform tp;
  tp.files.AddDirectory("C:\\WINDOWS\\system32");
  tp.files.AddLink("C:\\TEMP", "C:\\");              // a temporary folder that is the drive
  tp.files.AddLink("C:\\Tmp2", "C:\\Windows");       // ... or the Windows folder
  tp.files.AddLink("C:\\Tmp3", "D:\\Profile\\ola\\Dokumenty");  // ... or another user's documents
  tp.files.AddDirectory("C:\\Users\\jan\\AppData\\Local\\Temp");
  tp.files.AddDirectory("D:\\Profile\\ola\\Dokumenty");
  auto& r = tp.registry;
  const std::string wersja = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const std::string profile = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  r.CreateKey(platform::Root::LocalMachine, wersja);
  r.WriteString(platform::Root::LocalMachine, wersja, "ProgramFilesDir", "C:\\Program Files");
  r.WriteString(platform::Root::LocalMachine, wersja, "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
  r.WriteString(platform::Root::LocalMachine, wersja, "CommonFilesDir", "C:\\Program Files\\Common Files");
  r.CreateKey(platform::Root::LocalMachine, profile + "\\S-1-5-21-1-1001");
  r.WriteString(platform::Root::LocalMachine, profile + "\\S-1-5-21-1-1001", "ProfileImagePath", "%SystemDrive%\\Users\\jan");
  r.CreateKey(platform::Root::LocalMachine, profile + "\\S-1-5-21-1-1002");
  r.WriteString(platform::Root::LocalMachine, profile + "\\S-1-5-21-1-1002", "ProfileImagePath", "D:\\Profile\\ola");
  r.WriteString(platform::Root::LocalMachine, profile, "ProfilesDirectory", "%SystemDrive%\\Users");
  r.WriteString(platform::Root::LocalMachine, profile, "Public", "C:\\Users\\Public");
  r.CreateKey(platform::Root::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName");
  r.WriteString(platform::Root::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName",
                "ComputerName", "Biuro-PC");
  tp.files.knownFolders = {{platform::KnownFolder::Profile, "C:\\Users\\jan"},
                           {platform::KnownFolder::Documents, "D:\\Dokumenty Jana"},
                           {platform::KnownFolder::Desktop, "C:\\Users\\jan\\Desktop"}};
  const FolderyChronione ch = DajFolderyChronione();
  for (const char* f : {"", "   ", "C:", "C:\\", "c:/", "D:\\", "temp", "\\\\serwer\\dzial", "C:\\windows\\",
                        "C:\\WINDOWS\\SYSTEM32", "C:\\Windows\\System32\\drivers", "C:\\Windows\\Temp",
                        "C:\\Program Files", "C:\\Program Files\\Gra\\cache", "C:\\Program Files (x86)\\Stare",
                        "C:\\Users", "c:\\users\\jan\\", "C:\\Documents and Settings\\Jan", "D:\\Profile\\ola",
                        "D:\\Profile\\ola\\Dokumenty", "C:\\Users\\Public\\Documents", "D:\\Dokumenty Jana",
                        "C:\\Users\\jan\\Desktop", "\\\\localhost\\C$\\Users\\ola", "\\\\127.0.0.1\\dane\\ola",
                        "\\\\BIURO-PC\\dane\\ola", "\\\\serwer\\C$\\Temp", "\\\\?\\C:\\Users\\ola",
                        "\\\\.\\C:\\Temp", "C:\\TEMP", "C:\\Tmp2", "C:\\Tmp3", "C:\\Users\\jan\\AppData\\..\\.."})
    EXPECT_TRUE(FolderNiebezpieczny(f, ch)) << f;
  for (const char* f : {"C:\\Users\\jan\\AppData\\Local\\Temp", "C:\\Windows Stare", "\\\\serwer\\dzial\\tmp",
                        "D:\\Robocze\\Users\\x", "D:\\Dokumenty Jana\\Stare", "C:\\Users\\jan\\Desktop\\Smieci",
                        "C:\\Program Files Stare"})
    EXPECT_FALSE(FolderNiebezpieczny(f, ch)) << f;
}

TEST_F(Czyszczenie, OldFilesGoByEachPairsOwnAgeAndAreRecordedWithTheDate) {
  Plik("C:\\Praca\\a.bak", 8);
  Plik("C:\\Praca\\b.bak", 6);
  Plik("C:\\Praca\\Pod\\c.log", 31);
  Plik("C:\\Praca\\Pod\\d.log", 29);
  Plik("C:\\Praca\\Pod\\e.txt", 400);
  tp.files.AddFile("C:\\Praca\\bez daty.bak", "x", 0, 0);
  Reguly({"C:\\Praca#P#*.bak#7#*.log#30", "C:\\Inny#.#*.*#1"});
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_FALSE(Jest("C:\\Praca\\a.bak"));
  EXPECT_TRUE(Jest("C:\\Praca\\b.bak"));
  EXPECT_FALSE(Jest("C:\\Praca\\Pod\\c.log"));
  EXPECT_TRUE(Jest("C:\\Praca\\Pod\\d.log"));
  EXPECT_TRUE(Jest("C:\\Praca\\Pod\\e.txt"));
  EXPECT_TRUE(Jest("C:\\Praca\\bez daty.bak"));
  EXPECT_EQ(w.usuniete, 2);
  EXPECT_EQ(Kronika(), (TStringList{"C:\\Praca\\a.bak#10.03.2026", "C:\\Praca\\Pod\\c.log#10.03.2026"}));
  EXPECT_EQ(DataCzyszczenia(), MakeDateTime(2026, 3, 10));
  EXPECT_TRUE(zgloszenia.empty());

  // Without the chronicle byte nothing is written; a missing rules file deletes nothing.
  Opcje(false, 0);
  Plik("C:\\Praca\\f.bak", 9);
  WykonajCzyszczenie(k);
  EXPECT_FALSE(Jest("C:\\Praca\\f.bak"));
  EXPECT_EQ(Kronika().size(), 2u);
  tp.files.DeleteFile(kRegulyPlik);
  Plik("C:\\Praca\\g.bak", 9);
  WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\Praca\\g.bak"));
}

TEST_F(Czyszczenie, RecycleModeBelongsToTheBinRuleOnly) {
  tp.files.drives = {{'C', platform::DriveKind::Fixed}, {'D', platform::DriveKind::Fixed}};
  tp.files.AddFile("D:\\RECYCLED\\Dc1.txt", "x", 0, DniTemu(3));   // 2 days in the bin
  tp.files.AddFile("D:\\RECYCLED\\Dc2.txt", "x", 0, DniTemu(4));   // 3 days
  for (const char* n : {"INFO", "info2", "Desktop.INI"}) tp.files.AddFile(std::string("D:\\RECYCLED\\") + n, "x", 0, DniTemu(90));
  // A user's folder whose name merely holds the word: dated by last write, any name may go.
  Plik("C:\\Stare_Recycled\\info", 5);
  Plik("C:\\Stare_Recycled\\desktop.ini", 5);
  Reguly({"Katalogi kosza systemowego#K#*.*#3", "C:\\Stare_Recycled#.#*.*#3"});
  WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("D:\\RECYCLED\\Dc1.txt"));
  EXPECT_FALSE(Jest("D:\\RECYCLED\\Dc2.txt"));
  for (const char* n : {"INFO", "info2", "Desktop.INI"}) EXPECT_TRUE(Jest(std::string("D:\\RECYCLED\\") + n)) << n;
  EXPECT_FALSE(Jest("C:\\Stare_Recycled\\info"));
  EXPECT_FALSE(Jest("C:\\Stare_Recycled\\desktop.ini"));
}

TEST_F(Czyszczenie, LinksAreNeverFollowedAndNothingOutsideTheRuleFolderGoes) {
  Plik("C:\\Cenne\\umowa.doc", 100);
  Plik("C:\\Cenne\\Gleboko\\plan.doc", 100);
  Plik("C:\\Smieci\\stary.tmp", 100);
  tp.files.AddLink("C:\\Smieci\\junction", "C:\\Cenne", true);   // reported as a reparse point
  tp.files.AddLink("C:\\Smieci\\hostlink", "C:\\Cenne", false);  // looks like a plain folder
  tp.files.AddLink("C:\\Smieci\\plik.tmp", "C:\\Cenne\\umowa.doc", false);
  Reguly({"C:\\Smieci#P#*.*#1"});
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\Cenne\\umowa.doc"));
  EXPECT_TRUE(Jest("C:\\Cenne\\Gleboko\\plan.doc"));
  EXPECT_FALSE(Jest("C:\\Smieci\\stary.tmp"));
  EXPECT_EQ(w.usuniete, 1);
}

TEST_F(Czyszczenie, DangerousFolderIsReportedOnceAndTheOtherRulesStillRun) {
  tp.files.AddDirectory("C:\\WINDOWS");
  Plik("C:\\WINDOWS\\win.ini", 500);
  Plik("C:\\boot.ini", 500);
  tp.files.tempDir = "C:\\";
  Plik("C:\\Robocze\\x.tmp", 5);
  Reguly({"Katalog tymczasowy TEMP#T#*.*#1", "C:\\Windows#P#*.ini#1#*.*#2", "C:\\Robocze#.#*.tmp#1"});
  WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\WINDOWS\\win.ini"));
  EXPECT_TRUE(Jest("C:\\boot.ini"));
  EXPECT_FALSE(Jest("C:\\Robocze\\x.tmp"));
  ASSERT_EQ(zgloszenia.size(), 2u);
  EXPECT_NE(zgloszenia[0].find("„C:\\”"), std::string::npos);
  EXPECT_NE(zgloszenia[1].find("„C:\\Windows”"), std::string::npos);
  EXPECT_TRUE(tp.dialogs.shown.empty());  // the worker shows no window of its own
}

TEST_F(Czyszczenie, AStopEndsThePassAfterOneMoreFileAndKeepsTheDateOfTheLastWholeRule) {
  for (int i = 0; i < 5; ++i) Plik("C:\\A\\" + std::to_string(i) + ".tmp", 9);
  for (int i = 0; i < 5; ++i) Plik("C:\\B\\" + std::to_string(i) + ".tmp", 9);
  Opcje(true, MakeDateTime(2026, 1, 1));
  Reguly({"C:\\A#.#*.tmp#1", "C:\\B#.#*.tmp#1"});
  przerwijPo = 8;  // rule A: 5 files, its pair and the rule; then one file of B
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_TRUE(w.przerwany);
  EXPECT_EQ(w.usuniete, 6);
  EXPECT_FALSE(Jest("C:\\B\\0.tmp"));
  EXPECT_TRUE(Jest("C:\\B\\1.tmp"));
  EXPECT_EQ(DataCzyszczenia(), MakeDateTime(2026, 3, 10));  // rule A was whole

  Opcje(true, MakeDateTime(2026, 1, 1));
  sprawdzenia = 0;
  przerwijPo = 0;
  WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\B\\1.tmp"));
  EXPECT_EQ(DataCzyszczenia(), MakeDateTime(2026, 1, 1));
}

TEST(Kronika, ViewsSplitAtTheLastHashGroupByDateAndSortByWhatIsShown) {
  const TStringList linie{"C:\\Tmp\\b#1\\zeta.tmp#01.03.2026", "D:\\RECYCLED\\Alfa.doc#01.03.2026",
                          "C:\\x\\beta.txt#02.03.2026", "bez daty"};
  WidokKroniki w = ZbudujWidokKroniki(linie, true);
  EXPECT_EQ(w.wgDaty, (TStringList{"01.03.2026", "   C:\\Tmp\\b#1\\zeta.tmp", "   D:\\RECYCLED\\Alfa.doc", "02.03.2026",
                                   "   C:\\x\\beta.txt", "", "   bez daty"}));
  EXPECT_EQ(w.alfabetycznie, (TStringList{"bez daty#", "C:\\Tmp\\b#1\\zeta.tmp#01.03.2026", "C:\\x\\beta.txt#02.03.2026",
                                          "D:\\RECYCLED\\Alfa.doc#01.03.2026"}));
  w = ZbudujWidokKroniki(linie, false);
  EXPECT_EQ(w.alfabetycznie, (TStringList{"Alfa.doc#01.03.2026", "beta.txt#02.03.2026", "bez daty#", "zeta.tmp#01.03.2026"}));
  EXPECT_EQ(w.wgDaty[1], "   zeta.tmp");
  // The alphabetical list fits a full path before the date column (7 units a character here).
  const auto szer = [](const std::string& t) { return static_cast<int>(t.size()) * 7; };
  const std::string p = "C:\\Users\\jan\\Documents\\Projekty\\Zestawienie.xls";
  EXPECT_EQ(TekstPlikuAlfabetycznie(p, true, 1000, szer), "   " + p);
  const std::string krotki = TekstPlikuAlfabetycznie(p, true, 40 * 7, szer);
  EXPECT_LE(szer(krotki), 40 * 7);
  EXPECT_EQ(krotki.substr(krotki.size() - 16), "\\Zestawienie.xls");
  EXPECT_NE(krotki.find("..."), std::string::npos);
  EXPECT_EQ(TekstPlikuAlfabetycznie("Zestawienie.xls", false, 10, szer), "   Zestawienie.xls");
  const std::string dluga = "C:\\" + std::string(300, 'k') + "\\plik.tmp";
  EXPECT_EQ(PodzielLinieKroniki(dluga + "#05.03.2026"), std::make_pair(dluga, std::string("05.03.2026")));
}

TEST(Kronika, TheWindowCutsTheFileToItsLast4000LinesForGood) {
  TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  WidokKroniki w = WczytajKronike(kKronikaPlik, true);
  EXPECT_EQ(w.wgDaty, TStringList{kBrakKroniki});
  EXPECT_EQ(w.alfabetycznie, TStringList{kBrakKroniki});

  TStringList linie;
  for (int i = 0; i < 4500; ++i) linie.push_back("C:\\T\\" + std::to_string(i) + ".tmp#0" + std::to_string(1 + i / 1000) + ".03.2026");
  ASSERT_TRUE(WriteTextLines(kKronikaPlik, linie));
  w = WczytajKronike(kKronikaPlik, true);
  EXPECT_EQ(w.alfabetycznie.size(), 4000u);
  TStringList zostalo;
  ReadTextLines(kKronikaPlik, zostalo);
  ASSERT_EQ(zostalo.size(), 4000u);
  EXPECT_EQ(zostalo.front(), linie[500]);
  EXPECT_EQ(w.wgDaty.front(), "01.03.2026");
  EXPECT_EQ(w.wgDaty.size(), 4000u + 5u);  // days 1..5 as headings

  tp.clock.now = MakeDateTime(2026, 3, 7, 9, 30);
  ASSERT_TRUE(DopiszDoKroniki(kKronikaPlik, "C:\\T\\nowy.tmp"));
  ReadTextLines(kKronikaPlik, zostalo);
  EXPECT_EQ(zostalo.back(), "C:\\T\\nowy.tmp#07.03.2026");
}

TEST_F(Czyszczenie, ARecycledJunctionToAnotherUsersFolderKeepsEveryFile) {
  // Any user may create C:\\RECYCLED; as a junction it would lead the bin rule into another user's
  // documents. As a link of the host file system (opened as its target) it leads there too.
  Plik("C:\\Users\\ola\\Dokumenty\\umowa.doc", 400);
  Plik("C:\\Users\\ola\\Dokumenty\\INFO2.doc", 400);
  tp.files.drives = {{'C', platform::DriveKind::Fixed}, {'D', platform::DriveKind::Fixed}};
  for (const bool hosta : {false, true}) {
    SCOPED_TRACE(hosta);
    zgloszenia.clear();
    tp.files.AddLink("C:\\RECYCLED", "C:\\Users\\ola\\Dokumenty", true, hosta);
    tp.files.AddFile("D:\\RECYCLED\\Dc1.doc", "x", 0, DniTemu(90));
    Reguly({"Katalogi kosza systemowego#K#*.*#30"});
    const WynikCzyszczenia w = WykonajCzyszczenie(k);
    EXPECT_TRUE(Jest("C:\\Users\\ola\\Dokumenty\\umowa.doc"));
    EXPECT_TRUE(Jest("C:\\Users\\ola\\Dokumenty\\INFO2.doc"));
    EXPECT_FALSE(Jest("D:\\RECYCLED\\Dc1.doc"));  // the other drive's real bin is cleaned
    EXPECT_EQ(w.usuniete, 1);
    ASSERT_EQ(zgloszenia.size(), 1u);
    EXPECT_NE(zgloszenia[0].find("„C:\\RECYCLED” jest dowiązaniem"), std::string::npos) << zgloszenia[0];
  }
}

TEST_F(Czyszczenie, TheListedNameIsTheFileDeletedAndItsAgeIsReadAgainOnIt) {
  // "report.docx." and "report.docx" are two files; the old one goes, the new one stays.
  tp.files.AddFile("\\\\?\\C:\\RECYCLED\\report.docx.", "old", 0, DniTemu(60));
  tp.files.AddFile("C:\\RECYCLED\\report.docx", "new", 0, DniTemu(0));
  tp.files.AddFile("\\\\?\\C:\\RECYCLED\\INFO2.", "old", 0, DniTemu(60));
  tp.files.AddFile("C:\\RECYCLED\\INFO2", "index", 0, DniTemu(60));
  Reguly({"Katalogi kosza systemowego#K#*.*#30"});
  WykonajCzyszczenie(k);
  EXPECT_EQ(tp.files.ReadFile("C:\\RECYCLED\\report.docx"), "new");
  EXPECT_FALSE(tp.files.ReadFile("\\\\?\\C:\\RECYCLED\\report.docx."));
  EXPECT_EQ(tp.files.ReadFile("C:\\RECYCLED\\INFO2"), "index");
  EXPECT_FALSE(tp.files.ReadFile("\\\\?\\C:\\RECYCLED\\INFO2."));

  // A file replaced by a new one between the listing and the deletion is dated again: it stays.
  Plik("C:\\Praca\\a.tmp", 40);
  Plik("C:\\Praca\\b.tmp", 40);
  tp.files.beforeDelete = [&](const std::string&, const std::string& nazwa) {
    if (nazwa == "a.tmp") Plik("C:\\Praca\\a.tmp", 0);
  };
  Reguly({"C:\\Praca#.#*.tmp#7"});
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\Praca\\a.tmp"));
  EXPECT_FALSE(Jest("C:\\Praca\\b.tmp"));
  EXPECT_EQ(w.usuniete, 1);
  EXPECT_EQ(Kronika().back(), "C:\\Praca\\b.tmp#10.03.2026");
}

TEST_F(Czyszczenie, AFolderSwappedForALinkLeadsNoDeletionElsewhere) {
  Plik("C:\\Cenne\\umowa.tmp", 100);
  Plik("C:\\Smieci\\a.tmp", 100);
  Plik("C:\\Smieci\\Pod\\b.tmp", 100);
  Plik("C:\\Smieci\\Pod\\umowa.tmp", 100);
  // Between the listing of Pod and its deletions another user puts a junction in its place; the
  // rule folder itself is held and cannot be swapped.
  bool zamieniono = false;
  tp.files.beforeDelete = [&](const std::string& folder, const std::string&) {
    if (zamieniono) return;
    EXPECT_FALSE(tp.files.SwapForLink("C:\\Smieci", "C:\\Cenne"));
    if (PostacPorownania(folder) == "C:\\SMIECI\\POD") zamieniono = tp.files.SwapForLink("C:\\Smieci\\Pod", "C:\\Cenne");
  };
  Reguly({"C:\\Smieci#P#*.tmp#1"});
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_TRUE(zamieniono);
  EXPECT_EQ(tp.files.ReadFile("C:\\Cenne\\umowa.tmp"), "x");
  EXPECT_FALSE(Jest("C:\\Smieci\\a.tmp"));
  EXPECT_EQ(w.usuniete, 1);
  EXPECT_EQ(tp.files.HeldCount(), 0u);
}

TEST_F(Czyszczenie, AFileStillOpenElsewhereIsNotChronicledAsDeleted) {
  Plik("C:\\Praca\\a.tmp", 40);
  Plik("C:\\Praca\\b.tmp", 40);
  tp.files.SetOpenElsewhere("C:\\Praca\\a.tmp");
  Reguly({"C:\\Praca#.#*.tmp#7"});
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_EQ(w.usuniete, 1);
  EXPECT_EQ(w.oczekujace, 1);
  EXPECT_EQ(Kronika(), TStringList{"C:\\Praca\\b.tmp#10.03.2026"});
}

TEST_F(Czyszczenie, RulesAnotherUserWroteAreNeverUsed) {
  Plik("C:\\Users\\jan\\Dokumenty\\praca.doc", 100);
  Reguly({"C:\\Users\\jan\\Dokumenty#P#*.*#1"});
  tp.files.SetOwner(kRegulyPlik, "Ola");
  const WynikCzyszczenia w = WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\Users\\jan\\Dokumenty\\praca.doc"));
  EXPECT_EQ(w.zbadane, 0);
  ASSERT_EQ(zgloszenia.size(), 1u);
  EXPECT_NE(zgloszenia[0].find("należy do innego użytkownika"), std::string::npos);
  // Written by the user, or by an administrator, they are.
  tp.files.SetOwner(kRegulyPlik, "Administrators");
  WykonajCzyszczenie(k);
  EXPECT_FALSE(Jest("C:\\Users\\jan\\Dokumenty\\praca.doc"));
}

TEST_F(Czyszczenie, KalmoLeavesADataFileAnotherUserOwnsAloneAndSaysSoOnce) {
  // Ola put "Jan_pltym.dat" into the shared program folder before Jan's first run.
  tp.processes.userName = "Jan";
  tp.files.currentUser = "Jan";
  tp.files.AddFile("C:\\Kalmo\\Jan_pltym.dat", "C:\\Users\\jan\\Dokumenty#P#*.*#1\r\n");
  tp.files.SetOwner("C:\\Kalmo\\Jan_pltym.dat", "Ola");
  tp.files.AddFile("C:\\Kalmo\\Jan_hotkey.dat", "Ctrl+K#Uruchom#C:\\Users\\ola\\x.exe\r\n");
  tp.files.SetOwner("C:\\Kalmo\\Jan_hotkey.dat", "Ola");
  tp.files.AddFile("C:\\Kalmo\\Jan_arch.dat", std::string(24, '\0'));
  tp.files.AddFile("C:\\TEMP\\Kalmo-Jan_pltym.dat", "left from the last session");
  const PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo");
  EXPECT_EQ(pliki.plikiTymczasowe, "C:\\TEMP\\Kalmo-Jan_pltym.dat");
  EXPECT_EQ(pliki.goraceKlawisze, "C:\\TEMP\\Kalmo-Jan_hotkey.dat");
  EXPECT_EQ(pliki.archiwum, "C:\\Kalmo\\Jan_arch.dat");
  EXPECT_FALSE(Jest(pliki.plikiTymczasowe));  // first-run values: nothing of what was there before
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].text,
            "Pliki danych Kalmo w katalogu C:\\Kalmo należą do innego użytkownika: Jan_hotkey.dat, Jan_pltym.dat. "
            "Kalmo nie odczyta ich ani nie zmieni; do końca tej sesji pracuje dla nich na ustawieniach początkowych. "
            "Poproś administratora o usunięcie tych plików.");
  EXPECT_EQ(tp.dialogs.shown[0].picture, platform::rkOstrzezenie);
  // The cleanup of this session goes by the stand-in: nothing of Ola's rule is done.
  Plik("C:\\Users\\jan\\Dokumenty\\praca.doc", 100);
  k.plikRegul = pliki.plikiTymczasowe;
  WykonajCzyszczenie(k);
  EXPECT_TRUE(Jest("C:\\Users\\jan\\Dokumenty\\praca.doc"));
  EXPECT_EQ(*tp.files.ReadFile("C:\\Kalmo\\Jan_pltym.dat"), "C:\\Users\\jan\\Dokumenty#P#*.*#1\r\n");
}
