// The uninstaller: parameters, the replay of "uninstall.cfg" and the removal of its entry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "platform/memory/Memory.h"

using platform::Root;
using platform::memory::TestPlatform;
using testing::ElementsAre;

namespace {

constexpr const char* kFoldery = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kWpis = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalmo 2.0";

class FakeOkno : public DeinstalatorOkno {
 public:
  void Pokaz(const std::string& nazwa, const std::string& ik, const std::function<void()>& odinstaluj) override {
    pokazana = nazwa;
    ikona = ik;
    if (nacisnijOdinstaluj) odinstaluj();
  }
  bool nacisnijOdinstaluj = true;
  std::string pokazana, ikona;
};

class UnInstallTest : public testing::Test {
 protected:
  UnInstallTest() : d("C:\\Moje Gry\\Kalmo", "Kalmo 2.0") {
    p.files.AddFile("C:\\Moje Gry\\Kalmo\\Kalmo.exe", "MZ");
    p.files.AddFile("C:\\Moje Gry\\Kalmo\\bin\\a.dll", "a");
    p.registry.CreateKey(Root::LocalMachine, kWpis);
    p.registry.CreateKey(Root::CurrentUser, kFoldery);
    p.registry.WriteString(Root::CurrentUser, kFoldery, "Startup", "C:\\Menu Start\\Programy\\Autostart");
    p.registry.WriteString(Root::CurrentUser, kFoldery, "Start Menu", "C:\\Menu Start");
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
  for (const char* zly : {"..", "bin\\..\\..", "C:\\WINDOWS", "\\WINDOWS"}) {
    SCOPED_TRACE(zly);
    EXPECT_FALSE(d.RemoveDir(zly));
  }
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\inny.txt"));
  EXPECT_TRUE(p.files.FileExists("C:\\WINDOWS\\win.ini"));
  EXPECT_TRUE(p.files.FileExists("C:\\Moje Gry\\Kalmo\\Kalmo.exe"));
  TDeinstalator korzen("C:\\", "X");
  EXPECT_FALSE(korzen.RemoveDir(""));
  EXPECT_TRUE(p.files.FileExists("C:\\WINDOWS\\win.ini"));
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

TEST_F(UnInstallTest, RemoveItemWithoutTheShellFolderFailsTheReplay) {
  p.registry.DeleteValue(Root::CurrentUser, kFoldery, "Start Menu");
  Skrypt("RemoveItem Kalmo a.lnk\r\n");
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("\"Start Menu\" item not found in registry",
                                             "Deinstalacja programu Kalmo 2.0 nie przebiegła pomyślnie!"));
}

TEST_F(UnInstallTest, RegistryKeys) {
  // Already gone counts as removed; the whole user root is never a key to remove.
  EXPECT_TRUE(d.RemoveRegKey("Software\\Nie ma"));
  EXPECT_FALSE(d.RemoveRegKey(""));
  EXPECT_FALSE(d.RemoveRegKey("\\"));
  p.registry.CreateKey(Root::CurrentUser, "Software\\Gra\\Ustawienia");
  EXPECT_TRUE(d.RemoveRegKey("Software\\Gra"));
  EXPECT_FALSE(p.registry.KeyExists(Root::CurrentUser, "Software\\Gra\\Ustawienia"));
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Nie można usunąć klucza programu. Usuń go ręcznie.",
                                             "Nie można usunąć klucza programu. Usuń go ręcznie."));
}

TEST_F(UnInstallTest, MissingScriptStopsWithItsMessage) {
  EXPECT_FALSE(d.Odinstaluj());
  EXPECT_THAT(p.dialogs.Texts(),
              ElementsAre("Brak informacji o deinstalacji programu: Kalmo 2.0. Instalacja nie może być kontynuowana."));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkStop);
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));
}

TEST_F(UnInstallTest, EntryThatCannotBeDeletedEndsWithTheWarning) {
  p.registry.DeleteKey(Root::LocalMachine, kWpis);
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
  p.registry.CreateKey(Root::LocalMachine, kWpis);
  okno.nacisnijOdinstaluj = false;
  EXPECT_EQ(UruchomDeinstalacje("C:\\Moje#Gry\\Kalmo", "Kalmo#2.0", okno), 0);
  EXPECT_TRUE(p.registry.KeyExists(Root::LocalMachine, kWpis));

  okno.nacisnijOdinstaluj = true;
  EXPECT_EQ(UruchomDeinstalacje("C:\\Nie#Ma", "Kalmo#2.0", okno), 1);
  EXPECT_EQ(okno.ikona, "");
}
