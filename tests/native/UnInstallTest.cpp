// The uninstaller: parameters, the replay of "uninstall.cfg" and the removal of its entry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "platform/memory/Memory.h"
#include "tests/native/InstalFake.h"

using platform::Root;
using platform::memory::TestPlatform;
using instaltest::FakeOkno;
using testing::ElementsAre;

namespace {

constexpr const char* kFoldery = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kWpis = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalmo 2.0";

class UnInstallTest : public testing::Test {
 protected:
  UnInstallTest() : d("C:\\Moje Gry\\Kalmo", "Kalmo 2.0") {
    p.files.AddFile("C:\\Moje Gry\\Kalmo\\Kalmo.exe", "MZ");
    p.files.AddFile("C:\\Moje Gry\\Kalmo\\bin\\a.dll", "a");
    p.registry.CreateKey(Root::LocalMachine, kWpis);
    p.registry.WriteString(Root::LocalMachine, kWpis, "UninstallString",
                           "C:\\WINDOWS\\Instaler.exe  C:\\Moje#Gry\\Kalmo Kalmo#2.0");
    p.files.knownFolders[platform::KnownFolder::StartMenu] = "C:\\Menu Start";
    p.files.knownFolders[platform::KnownFolder::Startup] = "C:\\Menu Start\\Programy\\Autostart";
    p.files.AddDirectory("C:\\Menu Start\\Programy\\Autostart");
    // The Shell Folders values are the user's to write: the uninstaller does not go by them.
    p.registry.CreateKey(Root::CurrentUser, kFoldery);
    p.registry.WriteString(Root::CurrentUser, kFoldery, "Startup", "C:\\WINDOWS");
    p.registry.WriteString(Root::CurrentUser, kFoldery, "Start Menu", "C:\\WINDOWS");
  }
  void Skrypt(const std::string& t) { p.files.AddFile("C:\\Moje Gry\\Kalmo\\uninstall.cfg", t); }

  TestPlatform p;
  TDeinstalator d;
};

}  // namespace

TEST(UnInstallParametry, HashesBecomeSpaces) {
  EXPECT_EQ(ParametrDeinstalacji("C:\\Moje#Gry\\Kalmo"), "C:\\Moje Gry\\Kalmo");
  EXPECT_EQ(ParametrDeinstalacji("Kalmo#2.0"), "Kalmo 2.0");
}

TEST_F(UnInstallTest, WholeReplayRemovesFilesItemsKeysAndTheEntry) {
  p.files.AddFile("C:\\Menu Start\\Kalmo\\Kalmo.lnk", "");
  p.files.AddFile("C:\\Menu Start\\Programy\\Autostart\\Kalmo.lnk", "");
  p.registry.CreateKey(Root::CurrentUser, "Software\\Meltrax Software\\Kalmo\\2.0");
  Skrypt(
      "' remove everything\r\n\r\n  RemoveDir bin  \r\nRemoveDir\r\nRemoveItem Kalmo Kalmo.lnk\r\n"
      "RemoveItem Startup Kalmo.lnk\r\nRemoveRegKey Software\\Meltrax_Software\\Kalmo\r\n");
  EXPECT_TRUE(d.Odinstaluj());
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Moje Gry\\Kalmo"));
  EXPECT_FALSE(p.files.FileExists("C:\\Menu Start\\Kalmo\\Kalmo.lnk"));
  EXPECT_FALSE(p.files.FileExists("C:\\Menu Start\\Programy\\Autostart\\Kalmo.lnk"));
  EXPECT_FALSE(p.registry.KeyExists(Root::CurrentUser, "Software\\Meltrax Software\\Kalmo"));
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Software\\Meltrax Software"));
  EXPECT_FALSE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Deinstalacja programu Kalmo 2.0 przebiegła pomyślnie!"));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkInformacja);
}

TEST_F(UnInstallTest, TwoSpacesMakeAnEmptyFieldAndRemoveTheProgramDirectory) {
  p.files.DeleteFile("C:\\Moje Gry\\Kalmo\\bin\\a.dll");
  p.files.RemoveDirectory("C:\\Moje Gry\\Kalmo\\bin");
  EXPECT_TRUE(d.WykonajLinie("RemoveDir  bin"));
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Moje Gry\\Kalmo"));
}

TEST_F(UnInstallTest, DirectoryWithASubdirectoryFailsAndKeepsTheEntry) {
  Skrypt("RemoveDir\r\nRemoveDir bin\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  // Its plain files went, the subdirectory and the entry stay.
  EXPECT_FALSE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\bin\\a.dll"));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  EXPECT_THAT(p.dialogs.Texts(),
              ElementsAre("Nie można usunąć katalogu lub niektórych jego plików: C:\\Moje Gry\\Kalmo",
                          "Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkOstrzezenie);
  EXPECT_EQ(p.dialogs.shown[1].picture, platform::rkStop);
}

TEST_F(UnInstallTest, ReadOnlyFilesAndMissingDirectoriesAreDone) {
  p.files.SetAttributes("C:\\Moje Gry\\Kalmo\\bin\\a.dll", platform::kAttrReadOnly);
  EXPECT_TRUE(d.RemoveDir("bin"));
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Moje Gry\\Kalmo\\bin"));
  EXPECT_TRUE(d.RemoveDir("bin"));
  EXPECT_TRUE(d.RemoveDir("Moje Dane"));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(UnInstallTest, SubdirectoryLeavingTheProgramDirectoryIsRefused) {
  p.files.AddFile("C:\\Moje Gry\\inny.txt", "");
  p.files.AddFile("C:\\WINDOWS\\win.ini", "");
  for (const char* zly : {"..", "bin\\..\\..", "bin\\...", "C:\\WINDOWS", "\\WINDOWS", "C:..", "bin/../..", "*"}) {
    SCOPED_TRACE(zly);
    p.dialogs.shown.clear();
    EXPECT_FALSE(d.RemoveDir(zly));
    EXPECT_THAT(p.dialogs.Texts(),
                ElementsAre(std::string("Polecenie RemoveDir wskazuje katalog poza katalogiem programu: ") + zly));
  }
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\inny.txt"));
  EXPECT_TRUE(p.files.FileExists("C:\\WINDOWS\\win.ini"));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
}

TEST_F(UnInstallTest, ProgramFolderThatIsNotAProgramsOwnIsNeverEmptied) {
  const std::string foldery = "Software\\Microsoft\\Windows\\CurrentVersion";
  p.registry.CreateKey(Root::LocalMachine, foldery);
  p.registry.WriteString(Root::LocalMachine, foldery, "ProgramFilesDir", "C:\\Program Files");
  p.registry.CreateKey(Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList");
  p.registry.WriteString(Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                         "ProfilesDirectory", "%SystemDrive%\\Users");
  p.registry.WriteString(Root::CurrentUser, kFoldery, "Desktop", "C:\\Users\\Jan\\Pulpit");
  p.registry.WriteString(Root::CurrentUser, kFoldery, "Personal", "C:\\Users\\Jan\\Dokumenty");
  const std::vector<std::pair<std::string, std::string>> chronione = {
      {"C:\\", "to katalog główny dysku"},
      {"C:", "to katalog główny dysku"},
      {"c:\\windows\\", "to katalog systemu Windows lub jego podkatalog"},
      {"C:\\WINDOWS\\system32", "to katalog systemu Windows lub jego podkatalog"},
      {"C:\\WINDOWS.", "to katalog systemu Windows lub jego podkatalog"},
      {"C:\\Program Files", "to katalog Program Files"},
      {"C:\\Users", "to katalog profili użytkowników"},
      {"C:\\Users\\Ola", "to katalog profilu użytkownika"},
      {"C:\\Users\\Jan\\Pulpit", "to folder specjalny systemu (Pulpit, Dokumenty, Menu Start lub podobny)"},
      {"C:\\Menu Start", "to folder specjalny systemu (Pulpit, Dokumenty, Menu Start lub podobny)"},
      {"C:\\Users\\Jan\\Dokumenty\\Gry\\..", "to nie jest pełna ścieżka katalogu"},
      {"", "to nie jest pełna ścieżka katalogu"},
      {"Kalmo", "to nie jest pełna ścieżka katalogu"},
  };
  for (const auto& [katalog, powod] : chronione) {
    SCOPED_TRACE(katalog);
    p.dialogs.shown.clear();
    TDeinstalator zly(katalog, "Kalmo 2.0");
    EXPECT_FALSE(zly.RemoveDir(""));
    EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Deinstalator nie usunie katalogu " + katalog + ": " + powod + "."));
  }
  // The user's own profile, whatever the name of the folder that holds it, even when an entry names it.
  p.registry.WriteString(Root::LocalMachine, kWpis, "InstallLocation", "C:\\Users\\Jan");
  p.files.AddFile("C:\\Users\\Jan\\notatki.txt", "");
  TDeinstalator profil("C:\\Users\\Jan", "Kalmo 2.0");
  p.files.AddFile("C:\\Users\\Jan\\uninstall.cfg", "RemoveDir\r\n");
  p.dialogs.shown.clear();
  EXPECT_FALSE(profil.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(),
              ElementsAre("Deinstalator nie usunie katalogu C:\\Users\\Jan: to katalog profilu użytkownika.",
                          "Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
  EXPECT_TRUE(p.files.FileExists("C:\\Users\\Jan\\notatki.txt"));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  // A program folder inside Program Files is the program's own.
  p.files.AddFile("C:\\Program Files\\Kalmo\\Kalmo.exe", "");
  EXPECT_TRUE(TDeinstalator("C:\\Program Files\\Kalmo", "Kalmo").RemoveDir(""));
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Program Files\\Kalmo"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Program Files"));
}

TEST_F(UnInstallTest, ProgramFolderReachedThroughALinkIsRefused) {
  // A junction in the program folder leads to the user's own files.
  p.files.AddFile("C:\\Dane\\wazne.doc", "mine");
  p.files.AddLink("C:\\Moje Gry\\Kalmo\\moje", "C:\\Dane");
  EXPECT_FALSE(d.RemoveDir("moje"));
  EXPECT_TRUE(p.files.FileExists("C:\\Dane\\wazne.doc"));
  p.dialogs.shown.clear();
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\dane\\a.dat", "");
  p.files.SetAttributes("C:\\Moje Gry", platform::kAttrDirectory | platform::kAttrReparsePoint);
  EXPECT_FALSE(d.RemoveDir(""));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Deinstalator nie usunie katalogu C:\\Moje Gry\\Kalmo: prowadzi przez "
                                             "dowiązanie do innego miejsca."));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
}

TEST_F(UnInstallTest, BlankProgramNameChangesNothingAndSaysWhy) {
  const std::string inny = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Inny program";
  p.registry.CreateKey(Root::LocalMachine, inny);
  Skrypt("RemoveDir\r\n");
  for (const char* nazwa : {"", "#", "##"}) {
    SCOPED_TRACE(nazwa);
    p.dialogs.shown.clear();
    FakeOkno okno;
    EXPECT_EQ(UruchomDeinstalacje("C:\\Moje#Gry\\Kalmo", nazwa, okno), 1);
    EXPECT_EQ(okno.pokazana, "") << "the window is not even shown";
    EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Nie podano nazwy programu do odinstalowania. Deinstalacja nie może się "
                                               "rozpocząć; nic nie zostało zmienione."));
    EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkStop);
  }
  EXPECT_FALSE(TDeinstalator("C:\\Moje Gry\\Kalmo", " ").Odinstaluj());
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, inny));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
}

TEST_F(UnInstallTest, CommandsAreCaseSensitiveAndUnknownOnesFail) {
  Skrypt("removedir\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
  EXPECT_TRUE(d.WykonajLinie("'RemoveDir"));
  EXPECT_FALSE(d.WykonajLinie("Copy a b"));
}

TEST_F(UnInstallTest, RemoveItemOfAMissingFileSucceeds) {
  EXPECT_TRUE(d.RemoveItem("Kalmo", "nic.lnk"));
  EXPECT_TRUE(d.RemoveItem("Startup", "nic.lnk"));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(UnInstallTest, RemoveItemTakesTheGroupFolderWithItsLastIcon) {
  p.files.AddFile("C:\\Menu Start\\Programs\\Kalmo\\Kalmo.lnk", "");
  p.files.AddFile("C:\\Menu Start\\Programs\\Kalmo\\Pomoc.lnk", "");
  p.files.AddFile("C:\\Menu Start\\Programy\\Autostart\\Kalmo.lnk", "");
  EXPECT_TRUE(d.RemoveItem("Programs\\Kalmo", "Kalmo.lnk"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Menu Start\\Programs\\Kalmo"));  // another icon is left
  EXPECT_TRUE(d.RemoveItem("Programs\\Kalmo", "Pomoc.lnk"));
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Menu Start\\Programs\\Kalmo"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Menu Start\\Programs"));
  // The start-up folder stays even when it is left empty.
  EXPECT_TRUE(d.RemoveItem("Startup", "Kalmo.lnk"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Menu Start\\Programy\\Autostart"));
}

TEST_F(UnInstallTest, RemoveItemStaysInsideItsGroupAndLeavesTheShellsFolders) {
  p.registry.WriteString(Root::CurrentUser, kFoldery, "Programs", "C:\\Menu Start\\Programs");
  p.files.AddFile("C:\\Menu Start\\Programs\\Kalmo\\Kalmo.lnk", "");
  p.files.AddFile("C:\\Menu Start\\inny.lnk", "");
  p.files.AddFile("C:\\WINDOWS\\win.ini", "");
  const std::vector<std::pair<std::string, std::string>> zle = {
      {"..", "inny.lnk"}, {"Programs\\..\\..", "Menu Start\\inny.lnk"}, {"C:\\WINDOWS", "win.ini"},
      {"\\WINDOWS", "win.ini"}, {"", "inny.lnk"}, {"Programs\\Kalmo", "..\\..\\inny.lnk"},
      {"Programs\\Kalmo", "C:\\WINDOWS\\win.ini"}, {"Startup", "..\\..\\inny.lnk"}, {"Startup", "a\\b.lnk"}};
  for (const auto& [grupa, plik] : zle) {
    SCOPED_TRACE(grupa + " " + plik);
    p.dialogs.shown.clear();
    EXPECT_FALSE(d.RemoveItem(grupa, plik));
    EXPECT_THAT(p.dialogs.Texts(),
                ElementsAre("Polecenie RemoveItem wskazuje plik poza grupą programu w menu Start: " + grupa + " " + plik));
  }
  EXPECT_TRUE(p.files.FileExists("C:\\Menu Start\\inny.lnk"));
  EXPECT_TRUE(p.files.FileExists("C:\\WINDOWS\\win.ini"));
  // An icon put straight into the shell's "Programs" folder goes; the folder stays though empty.
  p.files.AddFile("C:\\Menu Start\\Programs\\Kalmo.lnk", "");
  p.files.DeleteFile("C:\\Menu Start\\Programs\\Kalmo\\Kalmo.lnk");
  p.files.RemoveDirectory("C:\\Menu Start\\Programs\\Kalmo");
  EXPECT_TRUE(d.RemoveItem("Programs", "Kalmo.lnk"));
  EXPECT_FALSE(p.files.FileExists("C:\\Menu Start\\Programs\\Kalmo.lnk"));
  EXPECT_TRUE(p.files.DirectoryExists("C:\\Menu Start\\Programs"));
}

TEST_F(UnInstallTest, RefusedCommandStopsTheReplayAndKeepsTheEntry) {
  p.registry.CreateKey(Root::CurrentUser, "Software\\Microsoft\\Notepad");
  Skrypt("RemoveRegKey Software\\Microsoft\r\nRemoveDir\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(),
              ElementsAre("Polecenie RemoveRegKey może usunąć tylko klucz programu w HKEY_CURRENT_USER\\Software, a nie: "
                          "Software\\Microsoft",
                          "Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkOstrzezenie);
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Software\\Microsoft\\Notepad"));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
}

TEST_F(UnInstallTest, RemoveItemWithoutTheShellFolderFailsTheReplay) {
  p.files.knownFolders.erase(platform::KnownFolder::StartMenu);
  Skrypt("RemoveItem Kalmo a.lnk\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Nie mogę ustalić folderu menu Start użytkownika.",
                                             "Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
}

TEST_F(UnInstallTest, RegistryKeysOnlyUnderTheUsersSoftware) {
  // Already gone counts as removed.
  EXPECT_TRUE(d.RemoveRegKey("Software\\Nie ma"));
  p.registry.CreateKey(Root::CurrentUser, "Software\\Gra\\Ustawienia");
  EXPECT_TRUE(d.RemoveRegKey("\\software\\Gra"));
  EXPECT_FALSE(p.registry.KeyExists(Root::CurrentUser, "Software\\Gra"));
  EXPECT_TRUE(p.dialogs.shown.empty());

  p.registry.CreateKey(Root::CurrentUser, "Software\\Microsoft\\Windows");
  p.registry.CreateKey(Root::CurrentUser, "Control Panel\\Desktop");
  p.registry.CreateKey(Root::CurrentUser, "Software\\Inna\\Gra");
  for (const char* zly : {"", "\\", "Software", "Software\\", "Control Panel", "Control Panel\\Desktop",
                          "Software\\Microsoft", "software\\microsoft\\Windows", "Software\\Classes\\.txt",
                          "Software\\Policies", "Software\\Inna\\..", "Software\\\\Inna", "Software\\ "}) {
    SCOPED_TRACE(zly);
    p.dialogs.shown.clear();
    EXPECT_FALSE(d.RemoveRegKey(zly));
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_THAT(p.dialogs.shown[0].text, testing::StartsWith("Polecenie RemoveRegKey może usunąć tylko klucz programu w "
                                                             "HKEY_CURRENT_USER\\Software, a nie: "));
  }
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Software\\Microsoft\\Windows"));
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Control Panel\\Desktop"));
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Software\\Inna\\Gra"));
}

TEST_F(UnInstallTest, MissingScriptStopsWithItsMessage) {
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(),
              ElementsAre("Brak informacji o deinstalacji programu: Kalmo 2.0. Instalacja nie może być kontynuowana."));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkStop);
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
}

TEST_F(UnInstallTest, EntryThatCannotBeDeletedEndsWithTheWarning) {
  p.registry.undeletableKeys.push_back(kWpis);
  Skrypt("RemoveDir bin\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkOstrzezenie);
}

TEST_F(UnInstallTest, ModeRunsFromTheTwoParametersThroughTheWindow) {
  Skrypt("RemoveDir bin\r\n");
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\icon.ico", "");
  FakeOkno okno;
  EXPECT_EQ(UruchomDeinstalacje("C:\\Moje#Gry\\Kalmo", "Kalmo#2.0", okno), 0);
  EXPECT_EQ(okno.pokazana, "Kalmo 2.0");
  EXPECT_EQ(okno.ikona, "C:\\Moje Gry\\Kalmo\\icon.ico");
  EXPECT_FALSE(p.registry.KeyExists(Root::LocalMachine, kWpis));

  // "Anuluj": nothing happens.
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\uninstall.cfg", "RemoveDir\r\n");
  p.registry.CreateKey(Root::LocalMachine, kWpis);
  p.registry.WriteString(Root::LocalMachine, kWpis, "InstallLocation", "C:\\Moje Gry\\Kalmo");
  okno.nacisnijOdinstaluj = false;
  EXPECT_EQ(UruchomDeinstalacje("C:\\Moje#Gry\\Kalmo", "Kalmo#2.0", okno), 0);
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
}

TEST_F(UnInstallTest, AFolderOtherThanTheRegisteredOneChangesNothing) {
  // Anyone may start the uninstaller with any folder; the entry was written by an administrator.
  p.files.AddFile("C:\\C Tools\\Kalmo\\uninstall.cfg", "RemoveDir\r\n");
  p.files.AddFile("C:\\C Tools\\Kalmo\\cenne.doc", "mine");
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\uninstall.cfg", "RemoveDir bin\r\nRemoveDir\r\n");
  const std::string inny = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Inny";
  p.registry.CreateKey(Root::LocalMachine, inny);
  const std::string niezmienione = " Deinstalacja nie może się rozpocząć; nic nie zostało zmienione.";
  const std::vector<std::tuple<std::string, std::string, std::string>> odmowy = {
      {"C:\\C#Tools\\Kalmo", "Kalmo#2.0",
       "Katalog C:\\C Tools\\Kalmo nie jest katalogiem, w którym zainstalowano program Kalmo 2.0 (C:\\Moje Gry\\Kalmo)."},
      {"C:\\Moje#Gry", "Kalmo#2.0",
       "Katalog C:\\Moje Gry nie jest katalogiem, w którym zainstalowano program Kalmo 2.0 (C:\\Moje Gry\\Kalmo)."},
      {"C:\\Moje#Gry\\Kalmo", "Inny", "Program Inny nie ma wpisu deinstalacji, który jednoznacznie wskazuje jego katalog."},
      {"C:\\Moje#Gry\\Kalmo", "Nie#ma", "Program Nie ma nie ma wpisu deinstalacji, który jednoznacznie wskazuje jego "
                                        "katalog."},
      // "\\" would make the entry to delete the whole list of entries.
      {"C:\\Moje#Gry\\Kalmo", "\\", "Nieprawidłowa nazwa programu do odinstalowania: \\."},
      {"C:\\Moje#Gry\\Kalmo", "..", "Nieprawidłowa nazwa programu do odinstalowania: ..."},
      {"C:\\Moje#Gry\\Kalmo", "Kalmo#2.0\\..", "Nieprawidłowa nazwa programu do odinstalowania: Kalmo 2.0\\..."},
  };
  for (const auto& [katalog, nazwa, powod] : odmowy) {
    SCOPED_TRACE(katalog + " " + nazwa);
    p.dialogs.shown.clear();
    FakeOkno okno;
    EXPECT_EQ(UruchomDeinstalacje(katalog, nazwa, okno), 1);
    EXPECT_EQ(okno.pokazana, "") << "the window is not even shown";
    EXPECT_THAT(p.dialogs.Texts(), ElementsAre(powod + niezmienione));
  }
  EXPECT_TRUE(p.files.FileExists("C:\\C Tools\\Kalmo\\cenne.doc"));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\bin\\a.dll"));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, inny));

  // An older entry whose "#" may be a space or itself, when both folders exist, names neither.
  p.registry.WriteString(Root::LocalMachine, kWpis, "UninstallString", "C:\\WINDOWS\\Instaler.exe  C:\\C#Tools\\Kalmo Kalmo#2.0");
  p.files.AddFile("C:\\C#Tools\\Kalmo\\uninstall.cfg", "RemoveDir\r\n");
  EXPECT_FALSE(KatalogZarejestrowany("Kalmo 2.0"));
  FakeOkno okno;
  EXPECT_EQ(UruchomDeinstalacje("C:\\C#Tools\\Kalmo", "Kalmo#2.0", okno), 1);
  EXPECT_TRUE(p.files.FileExists("C:\\C Tools\\Kalmo\\cenne.doc"));
  // The folder written exactly (as the installer now writes it) is the one that counts.
  p.registry.WriteString(Root::LocalMachine, kWpis, "InstallLocation", "C:\\Moje Gry\\Kalmo\\");
  EXPECT_EQ(KatalogZarejestrowany("Kalmo 2.0"), "C:\\Moje Gry\\Kalmo");
  EXPECT_EQ(UruchomDeinstalacje("c:\\moje#gry\\kalmo", "Kalmo#2.0", okno), 0);
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Moje Gry\\Kalmo"));
  EXPECT_FALSE(p.registry.KeyExists(Root::LocalMachine, kWpis));
}

TEST_F(UnInstallTest, AScriptAnotherUserOwnsIsNotReplayed) {
  Skrypt("RemoveDir bin\r\nRemoveDir\r\n");
  p.files.SetOwner("C:\\Moje Gry\\Kalmo\\uninstall.cfg", "Ola");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Plik C:\\Moje Gry\\Kalmo\\uninstall.cfg nie pochodzi od instalatora: jego "
                                             "właścicielem jest inny użytkownik. Deinstalacja nie może się rozpocząć; "
                                             "nic nie zostało zmienione."));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\bin\\a.dll"));
  // Written by an administrator (or by this user): replayed.
  p.files.SetOwner("C:\\Moje Gry\\Kalmo\\uninstall.cfg", "Administrators");
  EXPECT_TRUE(d.Odinstaluj());
}

TEST_F(UnInstallTest, RemoveDirRemovesLinksAsLinksAndNeverDeletesThroughOne) {
  p.files.AddFile("C:\\Dane\\wazne.doc", "mine");
  p.files.SetAttributes("C:\\Dane\\wazne.doc", platform::kAttrReadOnly);
  p.files.AddFile("C:\\Dane\\Pod\\plan.doc", "mine");
  p.files.AddLink("C:\\Moje Gry\\Kalmo\\junction", "C:\\Dane", true);
  p.files.AddLink("C:\\Moje Gry\\Kalmo\\plik.lnk", "C:\\Dane\\Pod\\plan.doc", true);
  p.files.AddHardLink("C:\\Moje Gry\\Kalmo\\twardy.doc", "C:\\Dane\\Pod\\plan.doc");
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\Licencja.txt", "lic");
  p.files.SetAttributes("C:\\Moje Gry\\Kalmo\\Licencja.txt", platform::kAttrReadOnly);
  ASSERT_TRUE(d.RemoveDir("bin"));
  // The folder is held while its files go: nobody can put a link in its place.
  int proby = 0;
  p.files.beforeDelete = [&](const std::string&, const std::string&) {
    if (proby++ == 0) EXPECT_FALSE(p.files.SwapForLink("C:\\Moje Gry\\Kalmo", "C:\\Dane"));
  };
  EXPECT_TRUE(d.RemoveDir(""));
  EXPECT_GT(proby, 0);
  EXPECT_FALSE(p.files.DirectoryExists("C:\\Moje Gry\\Kalmo"));
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\wazne.doc"), "mine");
  EXPECT_EQ(p.files.Stat("C:\\Dane\\wazne.doc")->attributes & platform::kAttrReadOnly, platform::kAttrReadOnly);
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\Pod\\plan.doc"), "mine");
  EXPECT_EQ(p.files.HeldCount(), 0u);

  // A link that opens as its target (as under Wine) cannot be removed as a link: it stays, and so
  // does everything it leads to.
  p.dialogs.shown.clear();
  p.files.beforeDelete = nullptr;
  p.files.AddFile("C:\\Moje Gry\\Kalmo\\Kalmo.exe", "MZ");
  p.files.AddLink("C:\\Moje Gry\\Kalmo\\hostlink", "C:\\Dane\\Pod", true, true);
  EXPECT_FALSE(d.RemoveDir(""));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Nie można usunąć katalogu lub niektórych jego plików: C:\\Moje Gry\\Kalmo"));
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\Pod\\plan.doc"), "mine");
  // A read-only file of several names keeps its attribute on the other names: it is not deleted.
  p.files.AddHardLink("C:\\Moje Gry\\Kalmo\\ro.doc", "C:\\Dane\\wazne.doc");
  EXPECT_FALSE(d.RemoveDir(""));
  EXPECT_EQ(p.files.Stat("C:\\Dane\\wazne.doc")->attributes & platform::kAttrReadOnly, platform::kAttrReadOnly);
}

TEST_F(UnInstallTest, RemoveItemGoesByTheKnownFoldersAndRefusesLinks) {
  p.files.AddFile("C:\\WINDOWS\\Kalmo.lnk", "not an icon");
  p.files.AddFile("C:\\Menu Start\\Programy\\Autostart\\Kalmo.lnk", "lnk");
  EXPECT_TRUE(d.RemoveItem("Startup", "Kalmo.lnk"));
  EXPECT_FALSE(p.files.FileExists("C:\\Menu Start\\Programy\\Autostart\\Kalmo.lnk"));
  EXPECT_TRUE(p.files.FileExists("C:\\WINDOWS\\Kalmo.lnk"));
  // A group folder that is a junction to the user's documents.
  p.files.AddFile("C:\\Dane\\Kalmo.lnk", "mine");
  p.files.AddLink("C:\\Menu Start\\Programs\\Kalmo", "C:\\Dane", true);
  EXPECT_FALSE(d.RemoveItem("Programs\\Kalmo", "Kalmo.lnk"));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Polecenie RemoveItem nie usunie ikony z folderu C:\\Menu "
                                             "Start\\Programs\\Kalmo: prowadzi on przez dowiązanie do innego miejsca."));
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\Kalmo.lnk"), "mine");
  // An icon that is a link goes as the link.
  p.files.AddFile("C:\\Menu Start\\Programs\\Gra\\inne.lnk", "lnk");
  p.files.AddLink("C:\\Menu Start\\Programs\\Gra\\Kalmo.lnk", "C:\\Dane\\Kalmo.lnk", true);
  EXPECT_TRUE(d.RemoveItem("Programs\\Gra", "Kalmo.lnk"));
  EXPECT_FALSE(p.files.Stat("C:\\Menu Start\\Programs\\Gra\\Kalmo.lnk"));
  EXPECT_EQ(p.files.ReadFile("C:\\Dane\\Kalmo.lnk"), "mine");
}

TEST_F(UnInstallTest, RegistryLinksBelowAProgramKeyAreRemovedNotFollowed) {
  p.registry.CreateKey(Root::CurrentUser, "Software\\Microsoft\\Wazne");
  p.registry.WriteString(Root::CurrentUser, "Software\\Microsoft\\Wazne", "x", "1");
  p.registry.CreateKey(Root::CurrentUser, "Software\\Gra\\Ustawienia");
  p.registry.AddLink(Root::CurrentUser, "Software\\Gra\\Ustawienia\\Link", Root::CurrentUser, "Software\\Microsoft\\Wazne");
  EXPECT_EQ(p.registry.ReadString(Root::CurrentUser, "Software\\Gra\\Ustawienia\\Link", "x"), "1");
  EXPECT_TRUE(d.RemoveRegKey("Software\\Gra"));
  EXPECT_FALSE(p.registry.KeyExists(Root::CurrentUser, "Software\\Gra"));
  EXPECT_EQ(p.registry.ReadString(Root::CurrentUser, "Software\\Microsoft\\Wazne", "x"), "1");
  // The key named may itself be a link: it goes, its target stays.
  p.registry.AddLink(Root::CurrentUser, "Software\\Gra2", Root::CurrentUser, "Software\\Microsoft\\Wazne");
  EXPECT_TRUE(d.RemoveRegKey("Software\\Gra2"));
  EXPECT_FALSE(p.registry.KeyExists(Root::CurrentUser, "Software\\Gra2"));
  EXPECT_TRUE(p.registry.KeyExists(Root::CurrentUser, "Software\\Microsoft\\Wazne"));
}
