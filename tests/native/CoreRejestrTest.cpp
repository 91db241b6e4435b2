// The settings store over the in-memory registry, and the first-run creation of settings and
// data files.
#include <gtest/gtest.h>

#include "settings/Globalne.h"
#include "settings/Rejestr.h"
#include "settings/UstawieniaKalmo.h"
#include "base/Cp1250.h"
#include "platform/memory/Memory.h"

using platform::Root;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kKlucz = "\\Software\\Meltrax Software\\Kalmo\\2.0";

struct RejestrTest : ::testing::Test {
  TestPlatform tp;
  PlikiDanych pliki = UtworzNazwyPlikow("C:\\Kalmo", "Ewa");
  void SetUp() override { tp.files.AddDirectory("C:\\Kalmo"); }
  std::vector<uint8_t> Binary(const char* name) {
    return tp.registry.ReadBinary(Root::CurrentUser, kKlucz, name).value_or(std::vector<uint8_t>{});
  }
};

}  // namespace

TEST_F(RejestrTest, MissingValuesAreCreatedWithTheDefault) {
  ASSERT_TRUE(tp.registry.CreateKey(Root::CurrentUser, kKlucz));
  EXPECT_EQ(RejReadString("PauseKey", "Tak"), "Tak");
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "PauseKey"), "Tak");
  EXPECT_EQ(RejReadInteger("CenaPolaczeniaModemowego", 2318), 2318);
  EXPECT_EQ(tp.registry.ReadDword(Root::CurrentUser, kKlucz, "CenaPolaczeniaModemowego"), 2318u);

  // A stored value wins over the caller's default, and one spelled in other letter case counts
  // as present (nothing new is written under the caller's spelling).
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "LEWYALT", "Nie");
  EXPECT_EQ(RejReadString("LewyAlt", "Tak"), "Nie");
  EXPECT_EQ(tp.registry.ValueNames(Root::CurrentUser, kKlucz)->size(), 3u);

  RejWriteInteger("Liczba", -5);
  EXPECT_EQ(RejReadInteger("Liczba", 0), -5);
  RejWriteString("ZnakiFiltrujace", "-[(");
  EXPECT_EQ(RejReadString("ZnakiFiltrujace", "-["), "-[(");
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST_F(RejestrTest, AKeyThatDoesNotOpenIsReportedAndNothingIsWritten) {
  EXPECT_FALSE(RejKluczIstnieje());
  EXPECT_EQ(RejReadInteger("CenaPolaczeniaModemowego", 2318), 0);
  EXPECT_EQ(RejReadString("PauseKey", "Tak"), "");
  RejWriteString("LewyAlt", "Tak");
  RejWriteInteger("X", 1);
  ASSERT_EQ(tp.dialogs.shown.size(), 4u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "U:Rejestr P:RejReadInteger");
  EXPECT_EQ(tp.dialogs.shown[0].text,
            "Nie mogę otworzyć klucza:  key = -2147483647, subkey = \\Software\\Meltrax Software\\Kalmo\\2.0, "
            "var = CenaPolaczeniaModemowego");
  EXPECT_EQ(tp.dialogs.shown[1].place, "U:Rejestr P:RejReadString");
  EXPECT_EQ(tp.dialogs.shown[2].place, "U:Rejestr P:RejWriteString");
  EXPECT_EQ(tp.dialogs.shown[3].place, "U:Rejestr P:RejWriteInteger");
  EXPECT_EQ(tp.dialogs.shown[3].text,
            "Nie mogę otworzyć klucza:  key = -2147483647, subkey = \\Software\\Meltrax Software\\Kalmo\\2.0, var = X");
  EXPECT_FALSE(tp.registry.KeyExists(Root::CurrentUser, kKlucz));

  // A key that exists but refuses to open counts the same.
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  tp.registry.lockedKeys.push_back(kKlucz);
  EXPECT_EQ(RejReadString("PauseKey", "Tak"), "");
  EXPECT_EQ(tp.dialogs.shown.size(), 5u);
}

TEST_F(RejestrTest, AValueOfAnotherKindIsReportedAndTheDefaultUsed) {
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "CenaPolaczeniaModemowego", "2318");
  EXPECT_EQ(RejReadInteger("CenaPolaczeniaModemowego", 100), 100);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].text, "Błąd nierozpoznany - raise");
  EXPECT_EQ(tp.dialogs.shown[0].place, "U:Rejestr P:RejReadInteger");
}

TEST_F(RejestrTest, FirstRunWritesSettingsAndDataFilesByteForByte) {
  tp.files.AddDirectory("C:\\Moje dokumenty");
  UtworzZmienneRejestrowe(pliki);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "Aktywnosc3D"), "Nie");
  EXPECT_EQ(Binary("OpcjeOstrzegania"), WarningOptions::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(Binary("OpcjeSchowka"), OpcjeSchowka::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(Binary("OpcjePlikowTymczasowych"), (std::vector<uint8_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const auto* w = tp.registry.Find(Root::CurrentUser, kKlucz, "OpcjeOstrzegania");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->kind, platform::ValueKind::Binary);
  EXPECT_EQ(w->data.size(), 784u);
  EXPECT_EQ(tp.registry.ValueNames(Root::CurrentUser, kKlucz)->size(), 4u);

  EXPECT_EQ(tp.files.ReadFile("C:\\Kalmo\\Ewa_pltym.dat"),
            "Katalog tymczasowy TEMP#T#*.*#1\r\nKatalogi kosza systemowego#K#*.*#30\r\n");
  EXPECT_EQ(tp.files.ReadFile("C:\\Kalmo\\Ewa_hotkey.dat"),
            "Shift+Ctrl+P#Przerwa\r\n"
            "Ctrl+=#Wy\x9Cwietla list\xEA monitorowanych dokument\xF3w\r\n"
            "Ctrl+D#Wy\x9Cwietla histori\xEA schowka\r\n"
            "Shift+Ctrl+I#Wy\x9Cwietla informacje dnia\r\n");
  EXPECT_EQ(tp.files.ReadFile("C:\\Kalmo\\Ewa_skroty.dat"), "Moje dokumenty#C:\\Moje dokumenty\r\n");
}

TEST_F(RejestrTest, MyDocumentsShortcutFollowsTheWindowsDrive) {
  UtworzZmienneRejestrowe(pliki);
  EXPECT_FALSE(tp.files.FileExists(pliki.skroty));  // no "C:\Moje dokumenty"

  TestPlatform drugi;
  drugi.files.AddDirectory("C:\\Kalmo");
  drugi.files.windowsDir = "D:\\WINNT";
  drugi.files.AddDirectory("C:\\Moje dokumenty");
  drugi.files.AddDirectory("D:\\Moje dokumenty");
  UtworzZmienneRejestrowe(pliki);
  EXPECT_EQ(drugi.files.ReadFile(pliki.skroty), "Moje dokumenty#D:\\Moje dokumenty\r\n");
}

TEST_F(RejestrTest, FirstRunKeepsDataFilesThatExistAndReportsAFailedOne) {
  // The settings of a user were removed, the files are theirs: none of them is replaced.
  tp.files.AddDirectory("C:\\Moje dokumenty");
  tp.files.AddFile(pliki.goraceKlawisze, "Ctrl+F1#Przerwa\r\n");
  tp.files.AddFile(pliki.plikiTymczasowe, "Moje#C:\\Tmp#*.tmp#3\r\n");
  tp.files.AddFile(pliki.skroty, "Praca#C:\\Praca\r\n");
  UtworzZmienneRejestrowe(pliki);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  EXPECT_EQ(tp.files.ReadFile(pliki.goraceKlawisze), "Ctrl+F1#Przerwa\r\n");
  EXPECT_EQ(tp.files.ReadFile(pliki.plikiTymczasowe), "Moje#C:\\Tmp#*.tmp#3\r\n");
  EXPECT_EQ(tp.files.ReadFile(pliki.skroty), "Praca#C:\\Praca\r\n");
  EXPECT_TRUE(tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "OpcjeOstrzegania").has_value());

  TestPlatform drugi;
  drugi.files.AddDirectory("C:\\Kalmo");
  drugi.files.failingWrites.push_back(pliki.plikiTymczasowe);
  UtworzZmienneRejestrowe(pliki);
  ASSERT_EQ(drugi.dialogs.shown.size(), 1u);
  EXPECT_EQ(drugi.dialogs.shown[0].place, "TfrmGlowna.UtworzZmienneRejestrowe");
  EXPECT_EQ(drugi.dialogs.shown[0].text, "Błąd nierozpoznany - raise");
}

TEST_F(RejestrTest, SettingsSnapshotRoundTripsWholeAndKeepsTheCleanupDate) {
  // An empty key: first-run values, and the single values are created as every reader creates them.
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  UstawieniaKalmo u = UstawieniaKalmo::Wczytaj();
  EXPECT_EQ(u.limity.ToBytes(), LimitsRecord::Domyslne().ToBytes());
  EXPECT_EQ(u.ostrzeganie.ToBytes(), WarningOptions::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(u.znakiFiltrujace, "-[");
  EXPECT_TRUE(u.lewyAlt && u.pauseKey && u.rejestracjaPolaczen && !u.aktywnosc3D);
  EXPECT_EQ(u.cenaPolaczeniaModemowego, 2318);
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "PauseKey"), "Tak");

  u.limity.caDziennyLimit = 28800;
  u.limity.Programy = "winword.exe#notepad.exe";
  u.ostrzeganie.koniecPracy.plikDzwieku = "C:\\Dźwięki\\gong.wav";
  u.schowek.czcionka = "Tahoma";
  u.plikiTymczasowe.kronika = false;
  u.plikiTymczasowe.ostatnieCzyszczenie = 46000;
  u.aktywnosc3D = true;
  u.znakiFiltrujace = "-";
  u.lewyAlt = false;
  u.pauseKey = false;
  u.rejestracjaPolaczen = false;
  u.cenaPolaczeniaModemowego = 3050;
  ASSERT_TRUE(u.Zapisz());
  const UstawieniaKalmo w = UstawieniaKalmo::Wczytaj();
  EXPECT_EQ(w.limity.ToBytes(), u.limity.ToBytes());
  EXPECT_EQ(w.ostrzeganie.ToBytes(), u.ostrzeganie.ToBytes());
  EXPECT_EQ(w.schowek.ToBytes(), u.schowek.ToBytes());
  EXPECT_EQ(w.plikiTymczasowe.ToBytes(), u.plikiTymczasowe.ToBytes());
  EXPECT_EQ(w.aktywnosc3D, true);
  EXPECT_EQ(w.znakiFiltrujace, "-");
  EXPECT_FALSE(w.lewyAlt || w.pauseKey || w.rejestracjaPolaczen);
  EXPECT_EQ(w.cenaPolaczeniaModemowego, 3050);
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "LewyAlt"), "Nie");

  // The cleanup recorded a later date meanwhile: an older snapshot does not turn it back.
  OpcjePlikowTymczasowych po = w.plikiTymczasowe;
  po.ostatnieCzyszczenie = 46010;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych", po.ToBytes());
  u.plikiTymczasowe.usuwanie = false;
  ASSERT_TRUE(u.Zapisz());
  const UstawieniaKalmo p = UstawieniaKalmo::Wczytaj();
  EXPECT_FALSE(p.plikiTymczasowe.usuwanie);
  EXPECT_EQ(p.plikiTymczasowe.ostatnieCzyszczenie, 46010);
  EXPECT_TRUE(tp.dialogs.shown.empty());

  tp.registry.DeleteKey(Root::CurrentUser, kKlucz);
  EXPECT_FALSE(u.Zapisz());
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "UstawieniaKalmo.Zapisz");
}
