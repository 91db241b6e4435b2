// The install script interpreter and the versioned copy against the in-memory platform, a fake
// set of installer services and fake windows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "installer/Cicho.h"
#include "installer/Granice.h"
#include "installer/Instal.h"
#include "platform/memory/Memory.h"
#include "tests/native/InstalFake.h"

using platform::memory::FoldCase;
using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;
using instaltest::FakeOkna;
using instaltest::FakeSrodowisko;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// Dialogs that can look at the world at the moment each message appears.
class SondujaceDialogi : public RecordingDialogs {
 public:
  platform::OdpowiedzKomunikatu MessageDialog(const std::string& text, platform::RodzajKomunikatu kind,
                                              platform::ButtonPage page) override {
    if (sonda) sonda(text);
    return RecordingDialogs::MessageDialog(text, kind, page);
  }
  std::function<void(const std::string&)> sonda;
};

class InstalTest : public testing::Test {
 protected:
  InstalTest() : env(p), inst(env, okna) {
    p.files.AddDirectory("A:\\");
    p.files.AddDirectory("C:\\TEMP");
    p.files.AddDirectory("C:\\WINDOWS\\system32");
    platform::Services s = platform::Current();
    s.dialogs = &dialogi;
    poprzednie = platform::Install(s);
    inst.UstawStanPoczatkowy();
  }
  ~InstalTest() override { platform::Install(poprzednie); }

  void Skrypt(const std::string& tekst) { p.files.AddFile("A:\\install.cfg", tekst); }
  // The last message shown, with its picture.
  std::string Ostatni() const { return dialogi.shown.empty() ? std::string() : dialogi.shown.back().text; }
  platform::RodzajKomunikatu OstatniObrazek() const { return dialogi.shown.back().picture; }
  // The runs' staging folders in the temporary directory: "Instaler-" and 16 random characters.
  std::vector<std::string> Stagingi() {
    std::vector<std::string> wynik;
    if (auto w = p.files.List("C:\\TEMP", "Instaler-????????????????"))
      for (const platform::DirEntry& e : *w)
        if (e.directory) wynik.push_back("C:\\TEMP\\" + e.name);
    return wynik;
  }
  bool Staged(const std::string& name) {
    for (const std::string& k : Stagingi())
      if (p.files.FileExists(k + "\\" + name)) return true;
    return false;
  }
  // The staging folder of the run, made now when the run has none yet.
  std::string Staging() {
    EXPECT_TRUE(inst.PrzygotujKatalogTymczasowy());
    return inst.stan().katalogTymczasowy;
  }

  TestPlatform p;
  SondujaceDialogi dialogi;
  platform::Services poprzednie;
  FakeSrodowisko env;
  FakeOkna okna;
  TInstalator inst;
};

}  // namespace

// ---- the script file -----------------------------------------------------------------------

TEST(InstalSkrypt, KeepsOnlyCommandLinesTrimmedWithTabsAsSpaces) {
  const TStringList surowe = {"  ' a comment", "", "   ", "\t'tab-indented comment", "\tfile\ta.ex_\texe  ",
                              "FINAL", "'", "show"};
  EXPECT_THAT(FiltrujLinieSkryptu(surowe), ElementsAre("file a.ex_ exe", "FINAL", "show"));
}

TEST(InstalSkrypt, FinalIsFoundWithoutRegardToCaseButOnlyAsAWholeLine) {
  EXPECT_TRUE(MaRozkazFinal({"show", "FiNaL"}));
  EXPECT_FALSE(MaRozkazFinal({"final now", "finally"}));
  EXPECT_FALSE(MaRozkazFinal({}));
}

TEST_F(InstalTest, MissingScriptEndsTheRunWithItsMessage) {
  EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Brak pliku instalacyjnego: install.cfg Instalacja nie może być kontynuowana!"));
  EXPECT_EQ(OstatniObrazek(), platform::rkStop);
}

TEST_F(InstalTest, ScriptReadFromTheCurrentDirectoryWithoutItsTrailingBackslash) {
  env.biezacy = "D:\\Dystrybucja\\";
  p.files.AddFile("D:\\Dystrybucja\\install.cfg", "programname Kalmo\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_EQ(inst.stan().katalogZrodlowy, "D:\\Dystrybucja");
  EXPECT_EQ(inst.stan().nazwaProgramu, "Kalmo");
}

TEST_F(InstalTest, ScriptWithoutFinalIsRefusedBeforeAnyLineRuns) {
  Skrypt("bogus\r\nprogramname X\r\n");
  EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Błąd w pliku Install.cfg: Brak rozkazu \"Final\""));
  EXPECT_EQ(OstatniObrazek(), platform::rkOstrzezenie);
  EXPECT_EQ(inst.stan().nazwaProgramu, kNieokreslone);
}

TEST_F(InstalTest, UnknownCommandWithFinalGivesTheSyntaxMessageAndFailsTheRun) {
  Skrypt("' Kalmo\r\nbogus  word  two\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
  EXPECT_THAT(dialogi.Texts(),
              ElementsAre("Błąd syntaktyczny w pliku konfiguracyjnym INSTAL.CFG w linij: bogus  word  two",
                          "Instalacja programu nie zakończyła się pomyślnie."));
  EXPECT_EQ(dialogi.shown[0].picture, platform::rkStop);
  EXPECT_EQ(dialogi.shown[1].picture, platform::rkOstrzezenie);
}

TEST_F(InstalTest, SuccessfulRunDrivesTheWindowsAndEndsWithTheSuccessMessage) {
  p.files.AddFile("A:\\KALMO.EX_", "exe");
  Skrypt(
      "programname Kalmo\r\ndestpath C:\\Kalmo\r\ngroup Kalmo\r\nspace 1\r\nshow\r\n"
      "mkdestdir\r\nfile KALMO.EX_ exe\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_THAT(okna.zdarzenia, ElementsAre("start", "start-close", "main", "progress:7", "progress-close"));
  // The gauge follows every line from the one that showed the window on.
  EXPECT_THAT(okna.pozycje, ElementsAre(4, 5, 6, 7));
  EXPECT_EQ(okna.pompowania, 8);
  EXPECT_THAT(okna.pliki,
              ElementsAre(testing::MatchesRegex("KALMO\\.EX_ -> c:\\\\temp\\\\instaler-[0-9a-f]{16}\\\\kalmo\\.exe")));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\KALMO.exe"), "expanded:exe");
  EXPECT_TRUE(Stagingi().empty());
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
  EXPECT_EQ(OstatniObrazek(), platform::rkInformacja);
}

TEST_F(InstalTest, CommandsAreCaseInsensitiveAndSpacedArgumentsConverted) {
  p.files.AddFile("A:\\a.ex_", "a");
  EXPECT_TRUE(inst.WykonajLinie("FILE a.ex_ exe"));
  EXPECT_THAT(inst.stan().zainstalowanePliki, ElementsAre("a.exe"));
  EXPECT_TRUE(inst.WykonajLinie("DestPath C:\\Moje_Programy\\Kalmo"));
  EXPECT_EQ(inst.stan().sciezkaDocelowa, "C:\\Moje Programy\\Kalmo");
  EXPECT_TRUE(inst.WykonajLinie("destpath C:\\A&B"));
  EXPECT_EQ(inst.stan().sciezkaDocelowa, "C:\\A_B");
  EXPECT_TRUE(inst.WykonajLinie("GROUP Moja_Gra extra words ignored"));
  EXPECT_EQ(inst.stan().nazwaGrupy, "Moja Gra");
  EXPECT_TRUE(dialogi.shown.empty());
}

TEST_F(InstalTest, ProgramNameWithoutArgumentSucceedsAndChangesNothing) {
  EXPECT_TRUE(inst.WykonajLinie("programname"));
  EXPECT_EQ(inst.stan().nazwaProgramu, kNieokreslone);
  EXPECT_TRUE(inst.WykonajLinie("programname Moja_Gra"));
  EXPECT_TRUE(inst.WykonajLinie("programname"));
  EXPECT_EQ(inst.stan().nazwaProgramu, "Moja Gra");
  EXPECT_TRUE(dialogi.shown.empty());
}

// ---- numbered errors -----------------------------------------------------------------------

TEST_F(InstalTest, EveryErrorDeletesTheStagedFilesBeforeItsMessage) {
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("A:\\b.dl_", "b");
  const std::vector<std::pair<std::string, std::string>> bledy = {
      {"group", "Brak parametru rozkazu Group"},
      {"space 2.5", "Brak lub błędnie podany parametr rozkazu Space: 2.5"},
      {"destpath", "Brak parametru rozkazu DestPath"},
      {"mkdir", "Brak parametru rozkazu MkDir"},
      {"file", "Brak parametru \"filename\" rozkazu File"},
      {"file readme.tx_ text", "Brak lub błędnie podany parametr \"true extension\" rozkazu File: text"},
      {"file readme.tx_", "Brak lub błędnie podany parametr \"true extension\" rozkazu File: "},
      {"disk x", "Brak lub błędnie podany parametr rozkazu Disk:x"},
      {"creategroup", "Nieokreślona nazwa grupy"},
      {"createprogmanitem p a.exe", "Brak parametru \"icon_title\" rozkazu CreateProgManItem"},
      {"addtoinifile win.txt s k v", "Brak lub błędnie podany parametr \"filename\" rozkazdu AddToIniFile: win.txt"},
      {"uninstall", "Nieokreślona nazwa programu instalowanego"},
      {"show", "Nieokreślona ścieżka docelowa"},
      {"mkdestdir", "Nieokreślona ścieżka docelowa"},
  };
  for (const auto& [linia, tekst] : bledy) {
    SCOPED_TRACE(linia);
    ASSERT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
    ASSERT_TRUE(inst.WykonajLinie("file b.dl_ dll"));
    ASSERT_TRUE(Staged("a.exe") && Staged("b.dll"));
    bool staged = true;
    dialogi.sonda = [&](const std::string&) { staged = Staged("a.exe") || Staged("b.dll"); };
    EXPECT_FALSE(inst.WykonajLinie(linia));
    EXPECT_EQ(Ostatni(), tekst);
    EXPECT_EQ(OstatniObrazek(), platform::rkStop);
    EXPECT_FALSE(staged) << "staged files still there when the message appeared";
    dialogi.sonda = nullptr;
  }
}

TEST_F(InstalTest, SyntaxErrorKeepsTheStagedFilesUntilTheRunEnds) {
  p.files.AddFile("A:\\a.ex_", "a");
  Skrypt("file a.ex_ exe\r\ncopy a b\r\nfinal\r\n");
  bool stagedAtSyntaxMessage = false;
  dialogi.sonda = [&](const std::string& t) {
    if (t.rfind("Błąd syntaktyczny", 0) == 0) stagedAtSyntaxMessage = Staged("a.exe");
  };
  EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
  EXPECT_TRUE(stagedAtSyntaxMessage);
  // The failed run leaves nothing behind in the temporary directory.
  EXPECT_FALSE(Staged("a.exe"));
}

TEST_F(InstalTest, DuplicateOrUndeletableStagedFilesDoNotStopTheCleanup) {
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("A:\\b.ex_", "b");
  p.files.AddFile("A:\\c.ex_", "c");
  ASSERT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
  ASSERT_TRUE(inst.WykonajLinie("file b.ex_ exe"));
  ASSERT_TRUE(inst.WykonajLinie("file A.EX_ exe"));
  ASSERT_TRUE(inst.WykonajLinie("file c.ex_ exe"));
  p.files.failingWrites.push_back(Staging() + "\\b.exe");
  EXPECT_FALSE(inst.WykonajLinie("group"));
  EXPECT_FALSE(Staged("a.exe"));
  EXPECT_FALSE(Staged("c.exe"));
}

// ---- space and show ------------------------------------------------------------------------

TEST(InstalMegabajty, CommaIsTheDecimalSeparatorAndTextShowsOneDecimalWithAPoint) {
  double v = 0;
  EXPECT_TRUE(CzytajMegabajty("2,5", v));
  EXPECT_DOUBLE_EQ(v, 2.5);
  EXPECT_TRUE(CzytajMegabajty("12", v));
  EXPECT_DOUBLE_EQ(v, 12);
  EXPECT_TRUE(CzytajMegabajty("0,25", v));
  EXPECT_DOUBLE_EQ(v, 0.25);
  for (const char* zly : {"2.5", ",5", "5,", "", "abc", "1,2,3", "-1", "-2,5", "1 000"}) {
    EXPECT_FALSE(CzytajMegabajty(zly, v)) << zly;
  }
  EXPECT_EQ(TekstMegabajtow(2.5), "2.5 MB");
  EXPECT_EQ(TekstMegabajtow(0), "0.0 MB");
  EXPECT_EQ(TekstMegabajtow(1023.96), "1024.0 MB");
  EXPECT_EQ(TekstMegabajtow(0.04), "0.0 MB");
}

TEST_F(InstalTest, ShowFillsTheMainWindowAndOpensTheProgressWindow) {
  p.files.AddFile("A:\\icon.ico", "ico");
  p.files.freeBytes['C'] = 2 * 1024 * 1024;  // 2.0 MB, less than required
  inst.stan().linie = {"a", "b", "c"};
  ASSERT_TRUE(inst.WykonajLinie("programname Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("space 2,5"));
  ASSERT_TRUE(inst.WykonajLinie("group Kalmo"));
  EXPECT_TRUE(inst.WykonajLinie("show"));
  EXPECT_EQ(okna.dane.wymaganeMiejsce, "2.5 MB");
  EXPECT_EQ(okna.dane.dostepneMiejsce, "2.0 MB");
  EXPECT_TRUE(okna.dane.brakMiejsca);
  EXPECT_TRUE(okna.dane.grupaDostepna);
  EXPECT_EQ(okna.dane.nazwaGrupy, "Kalmo");
  EXPECT_EQ(okna.dane.nazwaProgramu, "Kalmo");
  EXPECT_EQ(okna.dane.sciezkaDocelowa, "C:\\Kalmo");
  EXPECT_EQ(okna.dane.ikona, "A:\\icon.ico");
  EXPECT_EQ(okna.dane.licencja, "");
  EXPECT_THAT(okna.zdarzenia, ElementsAre("start-close", "main", "progress:2"));
  EXPECT_TRUE(inst.stan().pokazanyPostep);
  EXPECT_TRUE(dialogi.shown.empty());
}

TEST_F(InstalTest, ShowWithEnoughSpaceAndNoGroupDisablesTheGroupOnly) {
  p.files.AddFile("A:\\Licencja.txt", "L");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("space 2"));
  EXPECT_TRUE(inst.WykonajLinie("show"));
  EXPECT_FALSE(okna.dane.grupaDostepna);
  EXPECT_EQ(okna.dane.nazwaGrupy, "");
  EXPECT_FALSE(okna.dane.brakMiejsca);
  EXPECT_EQ(okna.dane.dostepneMiejsce, "1024.0 MB");
  EXPECT_EQ(okna.dane.ikona, "");
  EXPECT_EQ(okna.dane.licencja, "A:\\Licencja.txt");
}

TEST_F(InstalTest, ShowMeasuresTheDriveOfTheDestination) {
  p.files.freeBytes['D'] = 5 * 1024 * 1024;
  p.files.drives['D'] = platform::DriveKind::Fixed;
  ASSERT_TRUE(inst.WykonajLinie("destpath D:\\Gry"));
  ASSERT_TRUE(inst.WykonajLinie("space 10"));
  EXPECT_TRUE(inst.WykonajLinie("show"));
  EXPECT_EQ(okna.dane.dostepneMiejsce, "5.0 MB");
  EXPECT_TRUE(okna.dane.brakMiejsca);
}

TEST_F(InstalTest, ShowNeedsDestinationThenSpace) {
  EXPECT_FALSE(inst.WykonajLinie("show"));
  EXPECT_EQ(Ostatni(), "Nieokreślona ścieżka docelowa");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  EXPECT_FALSE(inst.WykonajLinie("show"));
  EXPECT_EQ(Ostatni(), "Nieokreślona ilość wymaganego miejsca na dysku");
  EXPECT_EQ(OstatniObrazek(), platform::rkStop);
  EXPECT_TRUE(okna.zdarzenia.empty());
}

TEST_F(InstalTest, MainWindowChangesReachTheLaterCommands) {
  p.files.AddDirectory("D:\\");
  okna.wOknieGlownym = [](TStanInstalacji& s) {
    s.sciezkaDocelowa = "D:\\Inne";
    s.nazwaGrupy = "Nowa";
  };
  Skrypt("destpath C:\\Kalmo\r\nspace 1\r\ngroup Kalmo\r\nshow\r\nmkdestdir\r\ncreategroup\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_TRUE(p.files.DirectoryExists("D:\\Inne"));
  EXPECT_THAT(env.dde, ElementsAre("[CreateGroup(Nowa)]\r\n|wait"));
}

TEST_F(InstalTest, CancelInTheMainWindowEndsTheRunWithoutAnyMessage) {
  p.files.AddFile("A:\\a.ex_", "a");
  okna.wynikGlownego = WynikOknaGlownego::Anuluj;
  Skrypt("destpath C:\\Kalmo\r\nspace 1\r\nfile a.ex_ exe\r\nshow\r\nmkdestdir\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiAnulowano);
  EXPECT_TRUE(dialogi.shown.empty());
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Kalmo"));
  EXPECT_FALSE(Staged("a.exe"));
  EXPECT_THAT(okna.zdarzenia, ElementsAre("start", "start-close", "main"));
}

TEST_F(InstalTest, AbortFromTheProgressWindowStopsAfterTheCurrentLine) {
  Skrypt("destpath C:\\Kalmo\r\nspace 1\r\nshow\r\nprogramname A\r\nprogramname B\r\nfinal\r\n");
  // The abort button is pressed while the fourth line's messages are handled.
  okna.przyPompowaniu = [&](int n) {
    if (n == 4) okna.stanPostepu->przerwij = true;
  };
  EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
  EXPECT_EQ(inst.stan().nazwaProgramu, "A");
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Instalacja programu nie zakończyła się pomyślnie."));
}

TEST_F(InstalTest, ExceptionInACommandEndsTheRunWithItsTextOnly) {
  p.files.AddFile("A:\\a.ex_", "a");
  Skrypt("file a.ex_ exe\r\ngroup Startup\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiWyjatek);
  ASSERT_EQ(dialogi.shown.size(), 1u);
  EXPECT_EQ(dialogi.shown[0].kind, RecordingDialogs::Shown::Plain);
  EXPECT_EQ(dialogi.shown[0].text,
            "Folder key \"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\" not found");
  EXPECT_FALSE(Staged("a.exe"));
}

// ---- group, mkdir, mkdestdir ---------------------------------------------------------------

TEST_F(InstalTest, GroupStartupTakesTheLastFolderOfTheStartupFolder) {
  const std::string klucz = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  p.registry.CreateKey(platform::Root::CurrentUser, klucz);
  EXPECT_THROW(inst.WykonajLinie("group Startup"), std::runtime_error);  // value missing
  p.registry.WriteString(platform::Root::CurrentUser, klucz, "Startup",
                         "C:\\WINDOWS\\Menu Start\\Programy\\Autostart\\");
  EXPECT_TRUE(inst.WykonajLinie("group Startup"));
  EXPECT_EQ(inst.stan().nazwaGrupy, "Autostart");
  // Compared exactly, before conversion: anything else is an ordinary group name.
  EXPECT_TRUE(inst.WykonajLinie("group startup"));
  EXPECT_EQ(inst.stan().nazwaGrupy, "startup");
}

TEST_F(InstalTest, ShellFolderReportsAMissingValueByName) {
  p.registry.CreateKey(platform::Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  try {
    ShellFolder("Start Menu");
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "\"Start Menu\" item not found in registry");
  }
}

TEST_F(InstalTest, MkDirCreatesOneLevelUnderTheDestinationOnly) {
  p.files.AddDirectory("C:\\Kalmo");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  EXPECT_TRUE(inst.WykonajLinie("mkdir bin"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Kalmo\\bin"));
  EXPECT_TRUE(inst.WykonajLinie("mkdir bin"));  // already there
  EXPECT_FALSE(inst.WykonajLinie("mkdir a\\b"));
  EXPECT_EQ(Ostatni(), "Nie mogę utworzyć katalogu: C:\\Kalmo\\a\\b");
  EXPECT_EQ(OstatniObrazek(), platform::rkStop);
  // Never above or beside the destination.
  for (const char* poza : {"..", "..\\Obcy", "C:\\Obcy", "\\Obcy", "bin\\..\\.."}) {
    EXPECT_FALSE(inst.WykonajLinie(std::string("mkdir ") + poza));
    EXPECT_EQ(Ostatni(), std::string("Nie mogę utworzyć katalogu: C:\\Kalmo\\") + poza);
  }
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Kalmo\\.."));
}

TEST_F(InstalTest, MkDestDirCreatesEveryMissingParent) {
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Programy\\Nowy\\Kalmo"));
  EXPECT_TRUE(inst.WykonajLinie("mkdestdir"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Programy\\Nowy\\Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("destpath Q:\\Nic"));
  EXPECT_FALSE(inst.WykonajLinie("mkdestdir"));
  EXPECT_EQ(Ostatni(), "Nie mogę utworzyć katalogu: Q:\\Nic");
  // No folder beside the way to it.
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Inny\\..\\Kalmo"));
  EXPECT_FALSE(inst.WykonajLinie("mkdestdir"));
  EXPECT_EQ(Ostatni(), "Nie można zainstalować programu w katalogu C:\\Inny\\..\\Kalmo: to nie jest pełna ścieżka "
                      "katalogu. Proszę wybrać inny katalog.");
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Inny"));
}

// ---- file and disk -------------------------------------------------------------------------

TEST_F(InstalTest, FileTargetNameIsTheNameBeforeItsFirstDotWithTheTrueExtension) {
  p.files.AddFile("A:\\KALMO.EX_", "k");
  p.files.AddFile("A:\\arch.v1.da_", "d");
  EXPECT_TRUE(inst.WykonajLinie("file KALMO.EX_ exe"));
  EXPECT_TRUE(inst.WykonajLinie("file arch.v1.da_ dat"));
  EXPECT_THAT(inst.stan().zainstalowanePliki, ElementsAre("KALMO.exe", "arch.dat"));
  ASSERT_EQ(env.wywolania.size(), 2u);
  EXPECT_EQ(env.wywolania[0].srcDir, "A:\\");
  EXPECT_EQ(env.wywolania[0].dstDir, Staging() + "\\");
  EXPECT_EQ(env.wywolania[0].src, "KALMO.EX_");
  EXPECT_EQ(env.wywolania[0].dst, "KALMO.exe");
  EXPECT_EQ(p.files.ReadFile(Staging() + "\\arch.dat"), "expanded:d");
}

TEST_F(InstalTest, MissingSourceFileAsksToRetryWithTheShortenedPathPainted) {
  env.biezacy = "A:\\Dystrybucja\\Programu\\Kalmo";
  p.files.AddDirectory("A:\\Dystrybucja\\Programu\\Kalmo");
  inst.UstawStanPoczatkowy();
  dialogi.answers = {platform::okTak, platform::okNie};
  EXPECT_FALSE(inst.WykonajLinie("file KALMOPROGRAM.EX_ exe"));
  const std::string pytanie =
      "Nie mogę odnaleźć pliku źródłowego: {#color:red}A:\\Dystrybucja\\...\\KALMOPROGRAM.EX_{#plain}"
      "Czy ponowić próbę?";
  EXPECT_THAT(dialogi.Texts(), ElementsAre(pytanie, pytanie));
  EXPECT_EQ(dialogi.shown[0].picture, platform::rkOstrzezenie);
  EXPECT_EQ(dialogi.shown[0].page, platform::ButtonPage::Pytanie);
  EXPECT_TRUE(env.wywolania.empty());
  EXPECT_TRUE(inst.stan().zainstalowanePliki.empty());
}

TEST_F(InstalTest, SourceFileThatAppearsOnRetryIsInstalled) {
  dialogi.sonda = [&](const std::string&) { p.files.AddFile("A:\\a.ex_", "a"); };
  dialogi.answers = {platform::okTak};
  EXPECT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
  EXPECT_EQ(dialogi.shown.size(), 1u);
  EXPECT_TRUE(Staged("a.exe"));
}

TEST_F(InstalTest, FailedCopyOffersARepeatAndStagesTheNameOnce) {
  p.files.AddFile("A:\\a.ex_", "a");
  env.wyniki = {kVifCannotCreate, 0};
  dialogi.answers = {platform::okOk, platform::okTak};
  EXPECT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("a.exenie może być zainstalowany.",
                                           "Nie udało się zainstalować tego pliku, czy chcesz spróbować jeszcze raz?"));
  EXPECT_EQ(dialogi.shown[1].picture, platform::rkPytanie);
  EXPECT_EQ(env.wywolania.size(), 2u);
  EXPECT_THAT(inst.stan().zainstalowanePliki, ElementsAre("a.exe"));

  env.wyniki = {kVifCannotCreate};
  dialogi.answers = {platform::okOk, platform::okNie};
  EXPECT_FALSE(inst.WykonajLinie("file a.ex_ exe"));
}

TEST_F(InstalTest, DiskWaitsForItsLabelFile) {
  EXPECT_FALSE(inst.WykonajLinie("disk"));
  EXPECT_EQ(Ostatni(), "Brak lub błędnie podany parametr rozkazu Disk:");
  dialogi.shown.clear();

  // Wrong disk, then "Ok" after the right one went in.
  dialogi.answers = {platform::okOk, platform::okOk};
  dialogi.sonda = [&](const std::string& t) {
    if (t.rfind("To nie jest", 0) == 0) p.files.AddFile("A:\\disc2.lab", "");
  };
  EXPECT_TRUE(inst.WykonajLinie("disk 2"));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Proszę włożyć do stacji dyskietkę nr 2",
                                           "To nie jest dysk nr: 2. Proszę sprawdzić numer dysku na etykiecie."));
  EXPECT_EQ(dialogi.shown[0].picture, platform::rkInformacja);
  EXPECT_EQ(dialogi.shown[1].picture, platform::rkOstrzezenie);
  EXPECT_EQ(dialogi.shown[1].page, platform::ButtonPage::Ostrzezenie);

  dialogi.sonda = nullptr;
  dialogi.answers = {platform::okOk, platform::okAnuluj};
  EXPECT_FALSE(inst.WykonajLinie("disk 3"));
}

// ---- final ---------------------------------------------------------------------------------

TEST_F(InstalTest, FinalMovesEveryStagedFileAndForgetsThem) {
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("A:\\b.dl_", "b");
  p.files.AddDirectory("C:\\Kalmo");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
  ASSERT_TRUE(inst.WykonajLinie("file b.dl_ dll"));
  EXPECT_TRUE(inst.WykonajLinie("final"));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\a.exe"), "expanded:a");
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\b.dll"), "expanded:b");
  EXPECT_FALSE(Staged("a.exe") || Staged("b.dll"));
  EXPECT_TRUE(inst.stan().zainstalowanePliki.empty());
  // A second batch is not mixed up with the first.
  p.files.AddFile("A:\\c.tx_", "c");
  ASSERT_TRUE(inst.WykonajLinie("file c.tx_ txt"));
  EXPECT_TRUE(inst.WykonajLinie("final"));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\c.txt"), "expanded:c");
}

TEST_F(InstalTest, TheProgramFolderAndItsFilesGetTheirAccessListsBeforeAndAfterTheCopy) {
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("A:\\Instaler.exe", "MZ");
  p.files.AddFile("A:\\uninstall.cfg", "RemoveDir\r\n");
  bool chronionyPrzedKopia = false;
  env.przedKopia = [&] { chronionyPrzedKopia = p.files.AccessListOf("C:\\Kalmo") != nullptr; };
  Skrypt("programname Kalmo\r\ndestpath C:\\Kalmo\r\nspace 1\r\nshow\r\nmkdestdir\r\nmkdir bin\r\n"
         "file a.ex_ exe\r\nfinal\r\nuninstall\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_TRUE(chronionyPrzedKopia) << "the folder is protected before anything of the program lies in it";
  ASSERT_NE(p.files.AccessListOf("C:\\Kalmo"), nullptr);
  // Administrators and SYSTEM may do anything; users read, run and create files, and each file
  // belongs to whoever created it: nobody changes the program or another user's data.
  using platform::Trustee;
  const platform::AccessList folder{Trustee::Administrators,
                                    {{Trustee::Administrators, platform::kRightFull, platform::kInheritFiles | platform::kInheritFolders},
                                     {Trustee::System, platform::kRightFull, platform::kInheritFiles | platform::kInheritFolders},
                                     {Trustee::Users, platform::kRightReadExecute | platform::kRightCreateFiles, platform::kInheritNone},
                                     {Trustee::CreatorOwner, platform::kRightFull, platform::kInheritFiles | platform::kInheritOnly}}};
  EXPECT_EQ(*p.files.AccessListOf("C:\\Kalmo"), folder);
  const platform::AccessList plik{Trustee::Administrators,
                                  {{Trustee::Administrators, platform::kRightFull, platform::kInheritNone},
                                   {Trustee::System, platform::kRightFull, platform::kInheritNone},
                                   {Trustee::Users, platform::kRightReadExecute, platform::kInheritNone}}};
  for (const char* f : {"C:\\Kalmo\\a.exe", "C:\\Kalmo\\uninstall.cfg"}) {
    ASSERT_NE(p.files.AccessListOf(f), nullptr) << f;
    EXPECT_EQ(*p.files.AccessListOf(f), plik) << f;
  }
  ASSERT_NE(p.files.AccessListOf("C:\\Kalmo\\bin"), nullptr);
  EXPECT_EQ(p.files.AccessListOf("C:\\Kalmo\\bin")->entries[2],
            (platform::AccessEntry{Trustee::Users, platform::kRightReadExecute,
                                   platform::kInheritFiles | platform::kInheritFolders}));
  EXPECT_EQ(p.files.OwnerOf("C:\\Kalmo"), platform::FileOwner::System);

  // Installing again over the installation repairs it: a damaged file is replaced and the
  // access lists are set again.
  p.files.AddFile("C:\\Kalmo\\a.exe", "damaged");
  p.files.SetOwner("C:\\Kalmo", "Ola");
  TInstalator ponownie(env, okna);
  ponownie.UstawStanPoczatkowy();
  EXPECT_EQ(ponownie.Uruchom(), wiSukces);
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\a.exe"), "expanded:a");
  EXPECT_EQ(p.files.OwnerOf("C:\\Kalmo"), platform::FileOwner::System);
}

TEST_F(InstalTest, TheDestinationIsCheckedAtFinalWithoutShow) {
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("C:\\Dane\\list.doc", "mine");
  for (const auto& [cel, tekst] : std::vector<std::pair<std::string, std::string>>{
           {"C:\\WINDOWS", "Nie można zainstalować programu w katalogu C:\\WINDOWS: to katalog systemu Windows lub jego "
                            "podkatalog. Proszę wybrać inny katalog."},
           {"C:\\Dane", "Katalog C:\\Dane zawiera już inne pliki i nie jest wcześniejszą instalacją tego programu. "
                         "Instalacja dołożyłaby do nich pliki programu, a jego deinstalacja mogłaby usunąć je razem z nim. "
                         "Proszę wybrać inny, pusty katalog (przycisk \"Zmień...\")."},
           {"C:\\C#Tools", "Nie można zainstalować programu w katalogu C:\\C#Tools: ścieżka zawiera znak „#”, którego "
                            "polecenie deinstalacji nie potrafi przekazać. Proszę wybrać inny katalog."}}) {
    SCOPED_TRACE(cel);
    inst.UstawStanPoczatkowy();
    ASSERT_TRUE(inst.WykonajLinie("destpath " + cel));
    ASSERT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
    EXPECT_FALSE(inst.WykonajLinie("final"));
    EXPECT_EQ(Ostatni(), tekst);
    EXPECT_FALSE(p.files.FileExists(cel + "\\a.exe"));
    EXPECT_EQ(p.files.AccessListOf(cel), nullptr);
  }
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\list.doc"), "mine");
  // "mkdestdir" and "mkdir" make no folder where no program may be.
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\WINDOWS\\Kalmo"));
  EXPECT_FALSE(inst.WykonajLinie("mkdestdir"));
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\WINDOWS"));
  EXPECT_FALSE(inst.WykonajLinie("mkdir Kalmo"));
  EXPECT_FALSE(p.files.DirectoryExists("C:\\WINDOWS\\Kalmo"));
}

TEST_F(InstalTest, FinalFailureCleansTheStagingDirectoryAndReports) {
  p.files.AddFile("A:\\a.ex_", "a");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Nieistniejacy"));
  ASSERT_TRUE(inst.WykonajLinie("file a.ex_ exe"));
  EXPECT_FALSE(inst.WykonajLinie("final"));
  EXPECT_FALSE(Staged("a.exe"));
  EXPECT_EQ(Ostatni(),
            "Błąd w czasie kopiowania plików. Zamnknij wszystkie uruchomione programy  i powtórz instalacje.");
  EXPECT_EQ(OstatniObrazek(), platform::rkStop);
}

// ---- Program Manager -----------------------------------------------------------------------

TEST_F(InstalTest, CreateGroupSendsItsCommandAndWarnsWhenItFails) {
  ASSERT_TRUE(inst.WykonajLinie("group Moja_Gra"));
  EXPECT_TRUE(inst.WykonajLinie("creategroup"));
  env.ddeOk = false;
  EXPECT_FALSE(inst.WykonajLinie("creategroup"));
  EXPECT_THAT(env.dde, ElementsAre("[CreateGroup(Moja Gra)]\r\n|wait", "[CreateGroup(Moja Gra)]\r\n|wait"));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Nie mogę utworzyć grupy!"));
  EXPECT_EQ(OstatniObrazek(), platform::rkOstrzezenie);
}

TEST_F(InstalTest, ProgManItemByLocation) {
  p.files.AddFile("C:\\Gry\\Moja Gra\\bin\\a.exe", "");
  p.files.AddFile("C:\\Gry\\Moja Gra\\gra.exe", "");
  p.files.AddFile("C:\\WINDOWS\\notepad.exe", "");
  p.files.AddFile("C:\\WINDOWS\\system32\\calc.exe", "");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Gry\\Moja_Gra"));
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem bin a.exe Moja_Gra"));
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem p gra.exe Gra"));
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem w notepad.exe Notatnik"));
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem s calc.exe Kalkulator"));
  EXPECT_THAT(env.dde, ElementsAre("[AddItem(C:\\Gry\\Moja Gra\\bin\\a.exe, Moja Gra)]\r\n|nowait",
                                   "[AddItem(C:\\Gry\\Moja Gra\\gra.exe, Gra)]\r\n|nowait",
                                   "[AddItem(C:\\WINDOWS\\notepad.exe, Notatnik)]\r\n|nowait",
                                   "[AddItem(C:\\WINDOWS\\system32\\calc.exe, Kalkulator)]\r\n|nowait"));
  // A failing icon only warns.
  env.ddeOk = false;
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem p gra.exe Gra"));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Nie mogę utworzyć ikony. Należy to zrobić ręcznie."));
}

TEST_F(InstalTest, ProgManItemForAMissingFileOrDirectory) {
  p.files.AddDirectory("C:\\Gry\\Moja Gra");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Gry\\Moja_Gra"));
  EXPECT_FALSE(inst.WykonajLinie("createprogmanitem p brak.exe Tytul"));
  EXPECT_EQ(Ostatni(),
            "Plik podany jako parametr \"location\" rozkazu CreateProgManItem nie istnieje: C:\\Gry\\Moja Gra\\brak.exe");
  // A directory that cannot be shortened is reported first.
  dialogi.shown.clear();
  EXPECT_FALSE(inst.WykonajLinie("createprogmanitem nie_ma a.exe Tytul"));
  ASSERT_EQ(dialogi.shown.size(), 2u);
  EXPECT_EQ(dialogi.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(dialogi.shown[0].place, "U:Instal P:RozkazCreateProgManItem");
  EXPECT_EQ(dialogi.shown[0].text, "Błąd w czasie skracania ścieżki");
  EXPECT_THAT(dialogi.shown[1].text, HasSubstr("nie istnieje: "));
  EXPECT_TRUE(env.dde.empty());
}

// ---- ini files -----------------------------------------------------------------------------

TEST_F(InstalTest, AddToIniFileBuildsTheValueFromItsParts) {
  p.files.AddFile("C:\\WINDOWS\\win.INI", "");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  EXPECT_TRUE(inst.WykonajLinie("addtoinifile win.INI Moja_Sekcja load p+\\kalmo.exe"));
  EXPECT_TRUE(inst.WykonajLinie("addtoinifile win.INI s k s+;+w+;+x"));
  ASSERT_EQ(env.ini.size(), 2u);
  EXPECT_EQ(env.ini[0].file, "C:\\WINDOWS\\win.INI");
  EXPECT_EQ(env.ini[0].section, "Moja Sekcja");
  EXPECT_EQ(env.ini[0].key, "load");
  EXPECT_EQ(env.ini[0].value, "C:\\Kalmo\\kalmo.exe");
  EXPECT_EQ(env.ini[1].value, "C:\\WINDOWS\\system32;C:\\WINDOWS;x");
}

TEST_F(InstalTest, AddToIniFileRefusesMissingOrOtherFilesAndEmptyValues) {
  p.files.AddFile("C:\\WINDOWS\\system.txt", "");
  p.files.AddFile("C:\\WINDOWS\\system.ini", "");
  EXPECT_FALSE(inst.WykonajLinie("addtoinifile brak.ini s k v"));
  EXPECT_EQ(Ostatni(), "Brak lub błędnie podany parametr \"filename\" rozkazdu AddToIniFile: brak.ini");
  EXPECT_FALSE(inst.WykonajLinie("addtoinifile system.txt s k v"));
  EXPECT_EQ(Ostatni(), "Brak lub błędnie podany parametr \"filename\" rozkazdu AddToIniFile: system.txt");
  EXPECT_FALSE(inst.WykonajLinie("addtoinifile system.ini s k"));
  EXPECT_EQ(Ostatni(), "Brak wszystkich parametrów rozkazu AddToIniFile");
  // Only a file of the Windows folder itself.
  p.files.AddFile("C:\\WINDOWS\\system32\\inny.ini", "");
  p.files.AddFile("C:\\Users\\jan\\moj.ini", "");
  for (const char* zly : {"..\\Users\\jan\\moj.ini", "C:\\Users\\jan\\moj.ini", "system32\\inny.ini", "system32/inny.ini",
                          "C:moj.ini"}) {
    SCOPED_TRACE(zly);
    EXPECT_FALSE(inst.WykonajLinie(std::string("addtoinifile ") + zly + " s k v"));
    EXPECT_EQ(Ostatni(), std::string("Brak lub błędnie podany parametr \"filename\" rozkazdu AddToIniFile: ") + zly);
  }
  EXPECT_TRUE(env.ini.empty());
  env.iniOk = false;
  EXPECT_FALSE(inst.WykonajLinie("addtoinifile system.ini s k v"));
  EXPECT_EQ(Ostatni(), "Nie mogę zapisać do pliku: C:\\WINDOWS\\system.ini");
  EXPECT_EQ(env.ini.size(), 1u);
}

// ---- run -----------------------------------------------------------------------------------

TEST_F(InstalTest, RunStartsOnlyAProgramOfTheDestinationOrTheDiskQuoted) {
  p.files.AddFile("C:\\Moje Programy\\Kalmo\\setup.exe", "MZ");
  p.files.AddFile("C:\\Moje Programy\\Kalmo\\bin\\brak.exe", "MZ");
  p.files.AddFile("A:\\extra\\setup2.exe", "MZ");
  p.files.AddFile("C:\\WINDOWS\\system32\\cmd.exe", "MZ");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Moje_Programy\\Kalmo"));
  EXPECT_TRUE(inst.WykonajLinie("run setup.exe"));
  EXPECT_TRUE(inst.WykonajLinie("run A:\\extra\\setup2.exe"));
  ASSERT_EQ(p.processes.started.size(), 2u);
  EXPECT_EQ(p.processes.started[0].commandLine, "\"C:\\Moje Programy\\Kalmo\\setup.exe\"");
  EXPECT_EQ(p.processes.started[0].showState, 1);
  EXPECT_EQ(p.processes.started[1].commandLine, "\"A:\\extra\\setup2.exe\"");
  p.processes.result = 2;
  EXPECT_FALSE(inst.WykonajLinie("run bin\\brak.exe"));
  EXPECT_EQ(Ostatni(), "Nie mogę uruchomić programu: C:\\Moje Programy\\Kalmo\\bin\\brak.exe");
  // Anything else, elevated, would be anybody's program: refused before it is started.
  p.files.AddLink("C:\\Moje Programy\\Kalmo\\narzedzia", "C:\\WINDOWS\\system32", false);
  for (const char* zly : {"..\\..\\WINDOWS\\system32\\cmd.exe", "C:\\WINDOWS\\system32\\cmd.exe", "nie-ma.exe",
                          "narzedzia\\cmd.exe", "A:\\..\\C:\\WINDOWS\\system32\\cmd.exe", "A:\\extra"}) {
    SCOPED_TRACE(zly);
    EXPECT_FALSE(inst.WykonajLinie(std::string("run ") + zly));
    EXPECT_EQ(Ostatni(), std::string("Rozkaz Run może uruchomić tylko plik z katalogu docelowego lub z dysku "
                                     "instalacyjnego: ") + zly);
  }
  EXPECT_EQ(p.processes.started.size(), 3u);
}

// ---- uninstall registration ----------------------------------------------------------------

TEST_F(InstalTest, UninstallRegistersTheExactCommandAndCopiesTheUninstaller) {
  p.files.AddFile("A:\\uninstall.cfg", "RemoveDir");
  p.files.AddFile("A:\\Instaler.exe", "MZ");
  p.files.AddDirectory("C:\\Gry\\Moja Gra");
  ASSERT_TRUE(inst.WykonajLinie("programname Moja_Gra"));
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Gry\\Moja_Gra"));
  EXPECT_TRUE(inst.WykonajLinie("uninstall"));
  const std::string klucz = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Moja Gra";
  EXPECT_EQ(p.registry.ReadString(platform::Root::LocalMachine, klucz, "DisplayName"), "Moja Gra");
  EXPECT_EQ(p.registry.ReadString(platform::Root::LocalMachine, klucz, "UninstallString"),
            "C:\\WINDOWS\\Instaler.exe  C:\\Gry\\Moja#Gra Moja#Gra");
  // The folder as it is, against which the uninstaller holds the folder it is given, and the
  // command of an unattended uninstall.
  EXPECT_EQ(p.registry.ReadString(platform::Root::LocalMachine, klucz, "InstallLocation"), "C:\\Gry\\Moja Gra");
  EXPECT_EQ(p.registry.ReadString(platform::Root::LocalMachine, klucz, "QuietUninstallString"),
            "C:\\WINDOWS\\Instaler.exe  C:\\Gry\\Moja#Gra Moja#Gra /cicho");
  EXPECT_EQ(KatalogZarejestrowany("Moja Gra"), "C:\\Gry\\Moja Gra");
  EXPECT_EQ(p.files.ReadFile("C:\\WINDOWS\\Instaler.exe"), "MZ");
  EXPECT_EQ(p.files.ReadFile("C:\\Gry\\Moja Gra\\uninstall.cfg"), "RemoveDir");
  ASSERT_NE(p.files.AccessListOf("C:\\Gry\\Moja Gra\\uninstall.cfg"), nullptr);
  EXPECT_EQ(*p.files.AccessListOf("C:\\Gry\\Moja Gra\\uninstall.cfg"), ListaDostepuPlikuProgramu());
  EXPECT_TRUE(dialogi.shown.empty());
}

TEST_F(InstalTest, AProgramNameMustBeAPlainName) {
  for (const char* zly : {"\\", "Kalmo\\..\\..", "..", "C#Tools", "a/b", "C:Gra"}) {
    SCOPED_TRACE(zly);
    EXPECT_FALSE(inst.WykonajLinie(std::string("programname ") + zly));
    EXPECT_EQ(Ostatni(), std::string("Nieprawidłowa nazwa programu w rozkazie ProgramName (nie może zawierać znaków "
                                     "\\ / : # ani być kropką): ") + zly);
    EXPECT_EQ(inst.stan().nazwaProgramu, kNieokreslone);
  }
  EXPECT_TRUE(inst.WykonajLinie("programname Kalmo_2.0"));
  EXPECT_EQ(inst.stan().nazwaProgramu, "Kalmo 2.0");
}

TEST_F(InstalTest, UninstallNeedsNameDestinationAndScript) {
  EXPECT_FALSE(inst.WykonajLinie("uninstall"));
  EXPECT_EQ(Ostatni(), "Nieokreślona nazwa programu instalowanego");
  ASSERT_TRUE(inst.WykonajLinie("programname Gra"));
  EXPECT_FALSE(inst.WykonajLinie("uninstall"));
  EXPECT_EQ(Ostatni(), "Nieokreślona ścieżka docelowa");
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Gra"));
  EXPECT_FALSE(inst.WykonajLinie("uninstall"));
  EXPECT_EQ(Ostatni(), "Brak pliku UNINSTAL.CFG dla rozkazu: Uninstall");
  EXPECT_FALSE(p.registry.KeyExists(platform::Root::LocalMachine, KluczDeinstalacji("Gra")));
}

TEST_F(InstalTest, UninstallFailsWhenTheKeyOrACopyFails) {
  p.files.AddFile("A:\\uninstall.cfg", "x");
  p.files.AddDirectory("C:\\Gra");
  ASSERT_TRUE(inst.WykonajLinie("programname Gra"));
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Gra"));
  // No installer beside the script: the copy into the Windows directory fails.
  EXPECT_FALSE(inst.WykonajLinie("uninstall"));
  EXPECT_EQ(Ostatni(), "Nie mogę skopiować pliku: A:\\Instaler.exe");
  EXPECT_FALSE(p.files.FileExists("C:\\Gra\\uninstall.cfg"));
  p.files.AddFile("A:\\Instaler.exe", "MZ");
  p.registry.lockedKeys.push_back("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gra");
  p.registry.CreateKey(platform::Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gra");
  EXPECT_FALSE(inst.WykonajLinie("uninstall"));
  EXPECT_EQ(Ostatni(), "Nie mogę zapisać informacji o deinstalacji programu w rejestrze.");
}

TEST(InstalPolecenie, SpacesInTheParametersBecomeHashes) {
  EXPECT_EQ(PolecenieDeinstalacji("C:\\WINDOWS", "C:\\Gry\\Moja Gra", "Moja Gra"),
            "C:\\WINDOWS\\Instaler.exe  C:\\Gry\\Moja#Gra Moja#Gra");
  EXPECT_EQ(KluczDeinstalacji("Kalmo 2.0"), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalmo 2.0");
}

// ---- where the installer may act -----------------------------------------------------------

TEST(InstalGranice, PathsInCanonicalFormAndPathsThatStayInside) {
  EXPECT_EQ(KanonicznaSciezka("c:/Gry//Kalmo\\"), "C:\\Gry\\Kalmo");
  EXPECT_EQ(KanonicznaSciezka("C:"), "C:\\");
  EXPECT_EQ(KanonicznaSciezka("C:\\Windows. \\"), "C:\\Windows");
  EXPECT_EQ(KanonicznaSciezka("\\\\serwer\\dzial\\Kalmo"), "\\\\serwer\\dzial\\Kalmo");
  for (const char* zla : {"", "Kalmo", "\\Kalmo", "C:Kalmo", "C:\\Gry\\..\\Windows", "C:\\a\\.\\b", "C:\\*", "C:\\a:b",
                          "\\\\serwer", "\\\\?\\C:\\Windows"}) {
    EXPECT_EQ(KanonicznaSciezka(zla), "") << zla;
  }
  for (const char* dobra : {"bin", "bin\\dane", "bin\\", "Programs\\Moja Gra"}) EXPECT_TRUE(SciezkaWewnatrz(dobra, false)) << dobra;
  for (const char* zla : {"", " ", "..", "bin\\..\\..", "a\\\\b", "\\bin", "C:\\bin", "C:bin", "bin\\ .", "*.*", "a/../.."}) {
    EXPECT_FALSE(SciezkaWewnatrz(zla, false)) << zla;
  }
  EXPECT_TRUE(SciezkaWewnatrz("", true));
}

TEST_F(InstalTest, StagingIsAPrivateFolderOfTheRunUnderAnUnguessableNameAndGoesWithIt) {
  // Left behind by someone else: a file of the same name and a folder of a name a run once took.
  p.files.AddFile("C:\\TEMP\\a.exe", "stale");
  p.files.AddFile("C:\\TEMP\\Instaler-1\\a.exe", "stale too");
  p.files.AddFile("A:\\a.ex_", "a");
  Skrypt("destpath C:\\Kalmo\r\nspace 1\r\nshow\r\nmkdestdir\r\nfile a.ex_ exe\r\nfinal\r\n");
  std::vector<std::string> widziane;
  const platform::AccessList tylkoTworca{platform::Trustee::CurrentUser,
                                         {{platform::Trustee::CurrentUser, platform::kRightFull,
                                           platform::kInheritFiles | platform::kInheritFolders}}};
  okna.przyPompowaniu = [&](int) {
    const std::string k = inst.stan().katalogTymczasowy;
    widziane.push_back(k);
    ASSERT_NE(p.files.AccessListOf(k), nullptr);
    EXPECT_EQ(*p.files.AccessListOf(k), tylkoTworca);
  };
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  ASSERT_FALSE(widziane.empty());
  EXPECT_THAT(widziane[0], testing::MatchesRegex("C:\\\\TEMP\\\\Instaler-[0-9a-f]{16}"));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\a.exe"), "expanded:a");
  EXPECT_FALSE(p.files.DirectoryExists(widziane[0]));
  EXPECT_TRUE(Stagingi().empty());
  EXPECT_EQ(p.files.ReadFile("C:\\TEMP\\a.exe"), "stale");
  EXPECT_EQ(p.files.ReadFile("C:\\TEMP\\Instaler-1\\a.exe"), "stale too");
  EXPECT_EQ(inst.stan().katalogTymczasowy, "");

  // Two runs never share a name.
  TInstalator drugi(env, okna);
  drugi.UstawStanPoczatkowy();
  ASSERT_TRUE(inst.PrzygotujKatalogTymczasowy());
  ASSERT_TRUE(drugi.PrzygotujKatalogTymczasowy());
  EXPECT_NE(inst.stan().katalogTymczasowy, drugi.stan().katalogTymczasowy);
}

TEST_F(InstalTest, StagingRemovalNeverFollowsALinkAndRemovesItAsTheLink) {
  p.files.AddFile("C:\\Dane\\wazne.doc", "mine");
  p.files.AddFile("C:\\Dane\\Pod\\plan.doc", "mine");
  const std::string k = Staging();
  p.files.AddFile(k + "\\a.exe", "staged");
  p.files.AddFile(k + "\\Pod\\b.dll", "staged");
  p.files.SetAttributes(k + "\\Pod\\b.dll", platform::kAttrReadOnly);
  p.files.AddLink(k + "\\junction", "C:\\Dane", true);
  p.files.AddLink(k + "\\hostlink", "C:\\Dane\\Pod", false);
  p.files.AddHardLink(k + "\\twardy.doc", "C:\\Dane\\wazne.doc");
  inst.UsunKatalogTymczasowy();
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\wazne.doc"), "mine");
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\Pod\\plan.doc"), "mine");
  EXPECT_FALSE(p.files.FileExists(k + "\\a.exe"));
  EXPECT_FALSE(p.files.FileExists(k + "\\Pod\\b.dll"));
  EXPECT_FALSE(p.files.Stat(k + "\\junction"));   // the junction itself went
  EXPECT_FALSE(p.files.FileExists(k + "\\twardy.doc"));  // one name of the file; the other stays
  // A link that opens as its target is never entered: the folder stays with it.
  EXPECT_TRUE(p.files.DirectoryExists(k));
  EXPECT_EQ(inst.stan().katalogTymczasowy, "");

  // The process ended from inside a dialog: the run's staging folder goes all the same.
  TInstalator przerwany(env, okna);
  przerwany.UstawStanPoczatkowy();
  ASSERT_TRUE(przerwany.PrzygotujKatalogTymczasowy());
  const std::string k2 = przerwany.stan().katalogTymczasowy;
  p.files.AddFile(k2 + "\\c.exe", "staged");
  UsunKatalogTymczasowyPrzerwanegoPrzebiegu();
  EXPECT_FALSE(p.files.DirectoryExists(k2));
}

TEST_F(InstalTest, NoUsableTemporaryDirectoryStopsTheRunBeforeAnyCopy) {
  p.files.AddFile("A:\\a.ex_", "a");
  Skrypt("destpath C:\\Kalmo\r\nspace 1\r\nshow\r\nmkdestdir\r\nfile a.ex_ exe\r\nfinal\r\n");
  const std::string blad = "Brak katalogu plików tymczasowych: zmienna TEMP nie wskazuje istniejącego katalogu. "
                           "Instalacja nie może być kontynuowana.";
  for (const std::optional<std::string>& temp :
       {std::optional<std::string>("C:\\NIE MA\\"), std::optional<std::string>("TEMP\\"), std::optional<std::string>()}) {
    SCOPED_TRACE(temp.value_or("(none)"));
    p.files.tempDir = temp;
    dialogi.shown.clear();
    inst.UstawStanPoczatkowy();
    EXPECT_EQ(inst.Uruchom(), wiNiepowodzenie);
    EXPECT_EQ(Ostatni(), blad);
    EXPECT_EQ(OstatniObrazek(), platform::rkStop);
    EXPECT_TRUE(env.wywolania.empty());
    EXPECT_FALSE(p.files.DirectoryExists("C:\\Kalmo"));
    EXPECT_THAT(okna.zdarzenia, testing::Not(testing::Contains("main")));
  }
}

TEST_F(InstalTest, NewerInstalledFileIsKeptOlderAndEqualOnesReplaced) {
  // An earlier installation of the program.
  p.files.AddFile("C:\\Kalmo\\uninstall.cfg", "RemoveDir\r\n");
  p.registry.CreateKey(platform::Root::LocalMachine, KluczDeinstalacji("Kalmo"));
  p.registry.WriteString(platform::Root::LocalMachine, KluczDeinstalacji("Kalmo"), "InstallLocation", "C:\\Kalmo");
  for (const char* n : {"a", "b", "c", "d"}) {
    p.files.AddFile(std::string("A:\\") + n + ".dl_", n);
    p.files.AddFile(std::string("C:\\Kalmo\\") + n + ".dll", std::string("installed ") + n);
  }
  const std::pair<const char*, const char*> wersje[] = {{"2.0", "10.0"}, {"2.0", "1.9"}, {"3.1", "3.1"}, {"", "9.0"}};
  for (int i = 0; i < 4; ++i) {
    const std::string n(1, static_cast<char>('a' + i));
    env.wersje[FoldCase(Staging() + "\\" + n + ".dll")] = wersje[i].first;
    env.wersje[FoldCase("C:\\Kalmo\\" + n + ".dll")] = wersje[i].second;
  }
  ASSERT_TRUE(inst.WykonajLinie("programname Kalmo"));
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Kalmo"));
  for (const char* n : {"a", "b", "c", "d"}) ASSERT_TRUE(inst.WykonajLinie(std::string("file ") + n + ".dl_ dll"));
  EXPECT_THAT(okna.uwagi, ElementsAre("Plik a.dll w katalogu docelowym ma nowszą wersję (10.0) niż instalowana (2.0) "
                                      "i zostaje bez zmian."));
  EXPECT_FALSE(Staged("a.dll"));
  EXPECT_TRUE(inst.WykonajLinie("final"));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\a.dll"), "installed a");
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\b.dll"), "expanded:b");
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\c.dll"), "expanded:c");  // the same version again: repaired
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\d.dll"), "expanded:d");  // no version to compare: replaced
}

TEST_F(InstalTest, DestinationHoldingOtherFilesIsRefusedUntilAnotherIsChosen) {
  p.files.AddFile("C:\\Dane\\list.doc", "mine");
  p.files.AddFile("A:\\a.ex_", "a");
  int proby = 0;
  okna.wOknieGlownym = [&](TStanInstalacji& s) {
    if (++proby == 2) s.sciezkaDocelowa = "C:\\Kalmo";
  };
  Skrypt("programname Kalmo\r\ndestpath C:\\Dane\r\nspace 1\r\nshow\r\nmkdestdir\r\nfile a.ex_ exe\r\nfinal\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_EQ(proby, 2);
  ASSERT_EQ(dialogi.shown.size(), 2u);
  EXPECT_EQ(dialogi.shown[0].text,
            "Katalog C:\\Dane zawiera już inne pliki i nie jest wcześniejszą instalacją tego programu. Instalacja "
            "dołożyłaby do nich pliki programu, a jego deinstalacja mogłaby usunąć je razem z nim. Proszę wybrać inny, "
            "pusty katalog (przycisk \"Zmień...\").");
  EXPECT_EQ(dialogi.shown[0].picture, platform::rkOstrzezenie);
  EXPECT_FALSE(p.files.FileExists("C:\\Dane\\a.exe"));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\a.exe"), "expanded:a");
}

TEST_F(InstalTest, DestinationChecks) {
  const std::string wpis = KluczDeinstalacji("Kalmo");
  p.files.AddDirectory("C:\\Pusty");
  p.files.AddFile("C:\\Plik", "");
  p.files.AddFile("C:\\Kalmo\\Kalmo.exe", "");
  p.files.AddFile("C:\\Kalmo\\uninstall.cfg", "");
  EXPECT_EQ(SprawdzKatalogInstalacji("C:\\Nowy\\Kalmo", "Kalmo"), "");
  EXPECT_EQ(SprawdzKatalogInstalacji("C:\\Pusty", "Kalmo"), "");
  EXPECT_EQ(SprawdzKatalogInstalacji("C:\\Plik", "Kalmo"),
            "W miejscu katalogu C:\\Plik jest plik o tej nazwie. Proszę wybrać inny katalog.");
  EXPECT_EQ(SprawdzKatalogInstalacji("C:\\WINDOWS", "Kalmo"),
            "Nie można zainstalować programu w katalogu C:\\WINDOWS: to katalog systemu Windows lub jego podkatalog. "
            "Proszę wybrać inny katalog.");
  // An earlier installation of the same program: its script is there and its entry names the folder.
  EXPECT_THAT(SprawdzKatalogInstalacji("C:\\Kalmo", "Kalmo"), HasSubstr("zawiera już inne pliki"));
  p.registry.CreateKey(platform::Root::LocalMachine, wpis);
  p.registry.WriteString(platform::Root::LocalMachine, wpis, "UninstallString", "C:\\WINDOWS\\Instaler.exe  C:\\kalmo Kalmo");
  EXPECT_EQ(SprawdzKatalogInstalacji("C:\\Kalmo\\", "Kalmo"), "");
  EXPECT_THAT(SprawdzKatalogInstalacji("C:\\Kalmo", "Inny"), HasSubstr("zawiera już inne pliki"));
  p.registry.WriteString(platform::Root::LocalMachine, wpis, "UninstallString", "C:\\WINDOWS\\Instaler.exe  C:\\Gdzie#indziej Kalmo");
  EXPECT_THAT(SprawdzKatalogInstalacji("C:\\Kalmo", "Kalmo"), HasSubstr("zawiera już inne pliki"));
  p.files.DeleteFile("C:\\Kalmo\\uninstall.cfg");
  p.registry.WriteString(platform::Root::LocalMachine, wpis, "UninstallString", "C:\\WINDOWS\\Instaler.exe  C:\\Kalmo Kalmo");
  EXPECT_THAT(SprawdzKatalogInstalacji("C:\\Kalmo", "Kalmo"), HasSubstr("zawiera już inne pliki"));
}

TEST(InstalGrupa, RemoveItemLinesFollowTheGroupTheUserChose) {
  EXPECT_EQ(PrzepiszGrupe("RemoveItem Programs\\Kalmo Kalmo.lnk", "Kalmo", "Moje Narzędzia_1"),
            "RemoveItem Programs\\Moje_Narzędzia&1 Kalmo.lnk");
  EXPECT_EQ(PrzepiszGrupe("  RemoveItem Moja_Gra a.lnk", "moja gra", "Gry"), "RemoveItem Gry a.lnk");
  for (const char* bez : {"RemoveItem Startup Kalmo.lnk", "RemoveItem Programs\\Inna Kalmo.lnk", "RemoveDir Kalmo",
                          "' RemoveItem Programs\\Kalmo Kalmo.lnk", "RemoveItem"}) {
    EXPECT_EQ(PrzepiszGrupe(bez, "Kalmo", "Nowa"), bez);
  }
  EXPECT_EQ(PrzepiszGrupe("RemoveItem Programs\\Kalmo Kalmo.lnk", "", ""), "RemoveItem Programs\\Kalmo Kalmo.lnk");
}

TEST_F(InstalTest, UninstallScriptRecordsTheGroupRenamedInTheMainWindow) {
  p.files.AddFile("A:\\Instaler.exe", "MZ");
  p.files.AddFile("A:\\uninstall.cfg",
                  cp1250::FromUtf8("' Usuwa grupę\r\nRemoveItem Programs\\Kalmo Kalmo.lnk\r\nRemoveItem Startup Kalmo.lnk\r\n"
                                   "RemoveDir\r\n"));
  okna.wOknieGlownym = [](TStanInstalacji& s) { s.nazwaGrupy = "Narzędzia biurowe"; };
  Skrypt("programname Kalmo\r\ngroup Kalmo\r\ndestpath C:\\Kalmo\r\nspace 1\r\nshow\r\nmkdestdir\r\nfinal\r\n"
         "uninstall\r\n");
  EXPECT_EQ(inst.Uruchom(), wiSukces);
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\uninstall.cfg"),
            cp1250::FromUtf8("' Usuwa grupę\r\nRemoveItem Programs\\Narzędzia_biurowe Kalmo.lnk\r\n"
                             "RemoveItem Startup Kalmo.lnk\r\nRemoveDir\r\n"));
}

// ---- unattended mode -----------------------------------------------------------------------

TEST(InstalCicho, SwitchesInAnyCaseAndWhatTheyMayNotBe) {
  ParametryCiche p = CzytajParametryCiche({"/CICHO", "/Katalog=D:\\Programy\\Kalmo", "/grupa= Narzędzia "});
  EXPECT_TRUE(p.cicho);
  EXPECT_EQ(p.katalog, "D:\\Programy\\Kalmo");
  EXPECT_EQ(p.grupa, "Narzędzia");
  EXPECT_EQ(p.blad, "");
  p = CzytajParametryCiche({"C:\\Moje#Gry\\Kalmo", "Kalmo", "/cicho"});
  EXPECT_TRUE(p.cicho);
  EXPECT_EQ(p.pozostale, (std::vector<std::string>{"C:\\Moje#Gry\\Kalmo", "Kalmo"}));
  EXPECT_FALSE(CzytajParametryCiche({"C:\\Moje#Gry\\Kalmo", "Kalmo"}).cicho);
  EXPECT_EQ(CzytajParametryCiche({"/cicho", "/katalog="}).blad, "Parametr /katalog= nie podaje katalogu.");
  EXPECT_EQ(CzytajParametryCiche({"/cicho", "/q"}).blad, "Nieznany parametr: /q");
  EXPECT_EQ(CzytajParametryCiche({"/katalog=C:\\Kalmo"}).blad, "Parametry /katalog i /grupa działają tylko z parametrem /cicho.");
  EXPECT_EQ(CzytajParametryCiche({"C:\\K", "K", "/cicho", "/grupa=G"}).blad, "Parametry /katalog i /grupa dotyczą tylko instalacji.");
  EXPECT_EQ(CzytajParametryCiche({"/cicho", "/katalog=C:\\C#Tools"}).blad, "Nazwa katalogu nie może zawierać znaków: / : * ? \" < > | #");
  EXPECT_EQ(CzytajParametryCiche({"/cicho", "/grupa=A(b)"}).blad,
            "Nazwa grupy nie może zawierać znaków: \\ / : * ? \" < > | ( ) [ ] , &");

  const PolecenieProgMan g = RozbierzPolecenieProgMan("[CreateGroup(Moje Gry)]\r\n");
  EXPECT_EQ(g.rodzaj, PolecenieProgMan::UtworzGrupe);
  EXPECT_EQ(g.grupa, "Moje Gry");
  const PolecenieProgMan i = RozbierzPolecenieProgMan("[AddItem(C:\\KALMO~1\\KALMO.exe, Kalmo, asystent)]\r\n");
  EXPECT_EQ(i.rodzaj, PolecenieProgMan::DodajIkone);
  EXPECT_EQ(i.plik, "C:\\KALMO~1\\KALMO.exe");
  EXPECT_EQ(i.tytul, "Kalmo, asystent");
  EXPECT_EQ(RozbierzPolecenieProgMan("[DeleteGroup(Kalmo)]\r\n").rodzaj, PolecenieProgMan::Inne);
  EXPECT_EQ(RozbierzPolecenieProgMan("[AddItem(bez tytulu)]").rodzaj, PolecenieProgMan::Inne);
}

TEST_F(InstalTest, UnattendedRunsShowNothingAndTellTheLogAndTheExitCode) {
  p.files.AddDirectory("D:\\Programy");
  p.files.AddFile("A:\\a.ex_", "a");
  p.files.AddFile("A:\\Instaler.exe", "MZ");
  p.files.AddFile("A:\\uninstall.cfg", "RemoveDir\r\n");
  Skrypt("programname Kalmo\r\ngroup Kalmo\r\ndestpath C:\\Kalmo\r\nspace 1\r\nshow\r\nmkdestdir\r\nfile a.ex_ exe\r\n"
         "final\r\ncreategroup\r\nuninstall\r\n");
  auto dziennik = [&] {
    TStringList l;
    ReadTextLines("C:\\WINDOWS\\Instaler.log", l);
    return JoinWithSeparator(l, "\n");
  };
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"/cicho", "/katalog=D:\\Programy\\Kalmo", "/grupa=Narzędzia"}), env), 0);
  EXPECT_TRUE(dialogi.shown.empty()) << "no window of any kind";
  EXPECT_EQ(platform::Current().dialogs, &dialogi) << "the dialogs are given back";
  EXPECT_EQ(p.files.ReadFile("D:\\Programy\\Kalmo\\a.exe"), "expanded:a");
  EXPECT_THAT(env.dde, ElementsAre("[CreateGroup(Narzędzia)]\r\n|wait"));
  EXPECT_EQ(KatalogZarejestrowany("Kalmo"), "D:\\Programy\\Kalmo");
  EXPECT_THAT(dziennik(), HasSubstr("02.03.2026 10:00:00  Instalacja bez okien z katalogu A:, katalog docelowy "
                                    "D:\\Programy\\Kalmo, grupa Narzędzia."));
  EXPECT_THAT(dziennik(), HasSubstr("Instaluję program Kalmo w katalogu D:\\Programy\\Kalmo, grupa Narzędzia"));
  EXPECT_THAT(dziennik(), HasSubstr("[informacja] Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
  EXPECT_THAT(dziennik(), HasSubstr("Koniec, kod wyjścia 0 (powodzenie)."));

  // Installing again over it repairs it.
  p.files.AddFile("D:\\Programy\\Kalmo\\a.exe", "damaged");
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"/cicho", "/katalog=D:\\Programy\\Kalmo"}), env), 0);
  EXPECT_EQ(p.files.ReadFile("D:\\Programy\\Kalmo\\a.exe"), "expanded:a");

  // A destination the main window would refuse ends the run with code 2, nothing installed.
  p.files.AddFile("C:\\Dane\\list.doc", "mine");
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"/cicho", "/katalog=C:\\Dane"}), env), wiAnulowano);
  EXPECT_THAT(dziennik(), HasSubstr("[odmowa] Katalog C:\\Dane zawiera już inne pliki"));
  EXPECT_FALSE(p.files.FileExists("C:\\Dane\\a.exe"));
  // A missing file is not looked for again: the question is answered "Nie".
  p.files.DeleteFile("A:\\a.ex_");
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"/cicho", "/katalog=C:\\Nowy"}), env), wiNiepowodzenie);
  EXPECT_THAT(dziennik(), HasSubstr("Czy ponowić próbę? -> Nie"));
  EXPECT_THAT(dziennik(), HasSubstr("Koniec, kod wyjścia 1 (niepowodzenie)."));
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"/cicho", "/x"}), env), 1);
  EXPECT_THAT(dziennik(), HasSubstr("[odmowa] Nieznany parametr: /x"));

  // The uninstall: only the registered folder, and then the whole replay without a window.
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"C:\\Dane", "Kalmo", "/cicho"}), env), 1);
  EXPECT_TRUE(p.files.FileExists("C:\\Dane\\list.doc"));
  EXPECT_THAT(dziennik(), HasSubstr("Katalog C:\\Dane nie jest katalogiem, w którym zainstalowano program Kalmo"));
  EXPECT_EQ(UruchomCicho(CzytajParametryCiche({"D:\\Programy\\Kalmo", "Kalmo", "/cicho"}), env), 0);
  EXPECT_FALSE(p.files.DirectoryExists("D:\\Programy\\Kalmo"));
  EXPECT_FALSE(KatalogZarejestrowany("Kalmo"));
  EXPECT_THAT(dziennik(), HasSubstr("[informacja] Deinstalacja programu Kalmo przebiegła pomyślnie!"));
  EXPECT_TRUE(dialogi.shown.empty());
}
