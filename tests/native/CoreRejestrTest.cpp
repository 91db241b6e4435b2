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

TEST_F(RejestrTest, AValueOfAnotherKindIsKeptAsideToldOnceAndTheDefaultTakesItsPlace) {
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "CzasBezczynnosci", "600");
  EXPECT_EQ(RejReadInteger("CzasBezczynnosci", 300), 300);
  EXPECT_EQ(RejReadInteger("CzasBezczynnosci", 300), 300);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].text, "Podana zmienna ma nieprawidłowy typ lub rozmiar! klucz: "
                                      "\\Software\\Meltrax Software\\Kalmo\\2.0, varname: CzasBezczynnosci");
  EXPECT_EQ(tp.dialogs.shown[0].place, "U:Rejestr P:RejReadInteger");
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "CzasBezczynnosciUszkodzony"), "600");
  EXPECT_EQ(tp.registry.ReadDword(Root::CurrentUser, kKlucz, "CzasBezczynnosci"), 300u);
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

TEST_F(RejestrTest, SettingsDraftRoundTripsWholeAndKeepsTheCleanupDate) {
  // An empty key: first-run values, and the single values are created as every reader creates them.
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  UstawieniaKalmo u = UstawieniaKalmo::Wczytaj(pliki);
  EXPECT_EQ(u.limity.ToBytes(), LimitsRecord::Domyslne().ToBytes());
  EXPECT_EQ(u.ostrzeganie.ToBytes(), WarningOptions::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(u.znakiFiltrujace, "-[");
  EXPECT_TRUE(u.lewyAlt && u.pauseKey && u.rejestracjaPolaczen);
  EXPECT_EQ(u.cenaPolaczeniaModemowego, 2318);
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "PauseKey"), "Tak");
  EXPECT_TRUE(u.goraceKlawisze.czytelna && u.goraceKlawisze.linie.empty());  // no file yet

  u.limity.caDziennyLimit = 28800;
  u.programy = {"winword.exe", "notepad.exe"};
  u.ostrzeganie.koniecPracy.plikDzwieku = "C:\\Dźwięki\\gong.wav";
  u.schowek.czcionka = "Tahoma";
  u.plikiTymczasowe.kronika = false;
  u.plikiTymczasowe.ostatnieCzyszczenie = 46000;
  u.znakiFiltrujace = "-";
  u.lewyAlt = false;
  u.pauseKey = false;
  u.rejestracjaPolaczen = false;
  u.cenaPolaczeniaModemowego = 3050;
  u.czasBezczynnosci = 0;
  u.skroty.linie = {"Praca#C:\\Praca"};
  WynikZapisuUstawien w = u.Zapisz();
  ASSERT_TRUE(w.Zapisano());
  EXPECT_EQ(w.zapisane, kWszystkieCzesci);
  const UstawieniaKalmo z = UstawieniaKalmo::Wczytaj(pliki);
  EXPECT_EQ(z.limity.Programy, "winword.exe#notepad.exe");
  EXPECT_EQ(z.programy, u.programy);
  EXPECT_EQ(z.limity.caDziennyLimit, 28800);
  EXPECT_EQ(z.ostrzeganie.ToBytes(), u.ostrzeganie.ToBytes());
  EXPECT_EQ(z.schowek.ToBytes(), u.schowek.ToBytes());
  EXPECT_EQ(z.plikiTymczasowe.ToBytes(), u.plikiTymczasowe.ToBytes());
  EXPECT_EQ(z.znakiFiltrujace, "-");
  EXPECT_FALSE(z.lewyAlt || z.pauseKey || z.rejestracjaPolaczen);
  EXPECT_EQ(z.cenaPolaczeniaModemowego, 3050);
  EXPECT_EQ(z.czasBezczynnosci, 0);  // idle breaks off
  EXPECT_EQ(z.skroty.linie, u.skroty.linie);
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "LewyAlt"), "Nie");
  EXPECT_FALSE(tp.files.FileExists(pliki.goraceKlawisze));  // an unchanged list is not written

  // The cleanup recorded a later date meanwhile: an older draft does not turn it back.
  OpcjePlikowTymczasowych po = z.plikiTymczasowe;
  po.ostatnieCzyszczenie = 46010;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych", po.ToBytes());
  u.plikiTymczasowe.usuwanie = false;
  ASSERT_TRUE(u.Zapisz().Zapisano());
  const UstawieniaKalmo p = UstawieniaKalmo::Wczytaj(pliki);
  EXPECT_FALSE(p.plikiTymczasowe.usuwanie);
  EXPECT_EQ(p.plikiTymczasowe.ostatnieCzyszczenie, 46010);
  EXPECT_TRUE(tp.dialogs.shown.empty());

  // Only the parts asked for are stored; a program list too long for the record is not stored.
  u.limity.caDziennyLimit = 3600;
  u.znakiFiltrujace = "[";
  w = u.Zapisz(static_cast<uint32_t>(CzescUstawien::Limity));
  EXPECT_EQ(w.zapisane, static_cast<uint32_t>(CzescUstawien::Limity));
  EXPECT_EQ(UstawieniaKalmo::Wczytaj().znakiFiltrujace, "-");
  u.programy.assign(30, "Program12");
  w = u.Zapisz(CzescUstawien::Limity | CzescUstawien::ZnakiFiltrujace);
  EXPECT_EQ(w.zapisane, static_cast<uint32_t>(CzescUstawien::ZnakiFiltrujace));
  ASSERT_EQ(w.bledy.size(), 1u);
  EXPECT_EQ(w.bledy[0].opis, "ustawienia czasu pracy (Ustawienia): zbyt dużo monitorowanych programów");
  EXPECT_EQ(UstawieniaKalmo::Wczytaj().limity.caDziennyLimit, 3600);

  // Without the key nothing of it is stored, and each part says so; nothing is shown.
  tp.registry.DeleteKey(Root::CurrentUser, kKlucz);
  u.programy.clear();
  w = u.Zapisz();
  EXPECT_FALSE(w.Zapisano());
  EXPECT_EQ(w.bledy.size(), 12u);
  EXPECT_EQ(w.zapisane, CzescUstawien::GoraceKlawisze | CzescUstawien::Skroty | CzescUstawien::RegulyCzyszczenia);
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST_F(RejestrTest, DamagedRecordsGiveFirstRunValuesAndListsAreKeptWhenTheyCannotBeRead) {
  UtworzZmienneRejestrowe(pliki);
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjeSchowka", {1, 2, 3});
  tp.registry.DeleteValue(Root::CurrentUser, kKlucz, "OpcjeOstrzegania");
  const std::string klawisze = *tp.files.ReadFile(pliki.goraceKlawisze);
  tp.files.failingReads.push_back(pliki.goraceKlawisze);
  tp.files.AddFile(pliki.skroty, "Dom#C:\\Dom\r\n");
  tp.dialogs.shown.clear();

  UstawieniaKalmo u = UstawieniaKalmo::Wczytaj(pliki);
  // The damaged record is reported and kept aside; the missing one is no fault.
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_NE(tp.dialogs.shown[0].text.find("OpcjeSchowka"), std::string::npos);
  EXPECT_EQ(Binary("OpcjeSchowkaUszkodzony"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(u.schowek.ToBytes(), OpcjeSchowka::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(u.ostrzeganie.ToBytes(), WarningOptions::PierwszeUruchomienie().ToBytes());
  EXPECT_FALSE(u.goraceKlawisze.czytelna);
  EXPECT_TRUE(u.skroty.czytelna);

  // A list whose file could not be read is never written, even with lines in it; a list that
  // was read is written when it changed, and a failed write says which file.
  u.goraceKlawisze.linie = {"Ctrl+K#Przerwa"};
  u.skroty.linie.push_back("Praca#C:\\Praca");
  tp.files.failingWrites.push_back(pliki.skroty);
  WynikZapisuUstawien w = u.Zapisz();
  ASSERT_EQ(w.bledy.size(), 2u);
  EXPECT_EQ(w.bledy[0].czesc, CzescUstawien::GoraceKlawisze);
  EXPECT_EQ(w.bledy[0].opis, "plik gorących klawiszy: " + pliki.goraceKlawisze + " (nie dał się odczytać)");
  EXPECT_EQ(w.bledy[1].opis, "plik skrótów: " + pliki.skroty);
  EXPECT_TRUE(w.Zapisano(CzescUstawien::Schowek));
  EXPECT_EQ(Binary("OpcjeSchowka"), OpcjeSchowka::PierwszeUruchomienie().ToBytes());
  tp.files.failingReads.clear();
  EXPECT_EQ(*tp.files.ReadFile(pliki.goraceKlawisze), klawisze);
  EXPECT_EQ(*tp.files.ReadFile(pliki.skroty), "Dom#C:\\Dom\r\n");

  // Hotkey lines are stored without blank lines and no more than the table holds.
  u = UstawieniaKalmo::Wczytaj(pliki);
  u.goraceKlawisze.linie = {"", "Ctrl+D#Wyświetla historię schowka", "  "};
  for (int i = 1; i <= 20; ++i) u.goraceKlawisze.linie.push_back("Ctrl+F" + std::to_string(i) + "#Przerwa");
  ASSERT_TRUE(u.Zapisz().Zapisano());
  const UstawieniaKalmo z = UstawieniaKalmo::Wczytaj(pliki);
  ASSERT_EQ(z.goraceKlawisze.linie.size(), 15u);
  EXPECT_EQ(z.goraceKlawisze.linie[0], "Ctrl+D#Wyświetla historię schowka");
  EXPECT_EQ(z.goraceKlawisze.linie[14], "Ctrl+F14#Przerwa");
}
