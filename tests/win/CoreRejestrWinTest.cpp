// Kalmo's settings key and first-run files over Wine's real registry and file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/Globalne.h"
#include "settings/Rejestr.h"
#include "settings/UstawieniaKalmo.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/WinTestSupport.h"
#include "worktime/InfoSaver.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace {

const wchar_t* kKey = L"Software\\Meltrax Software\\Kalmo\\2.0";

struct Raw {
  DWORD type = 0;
  std::vector<uint8_t> data;
  bool found = false;
};

Raw RawValue(const wchar_t* name) {
  Raw r;
  HKEY h;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &h) != ERROR_SUCCESS) return r;
  DWORD size = 0;
  if (RegQueryValueExW(h, name, nullptr, &r.type, nullptr, &size) == ERROR_SUCCESS) {
    r.data.resize(size);
    r.found = RegQueryValueExW(h, name, nullptr, &r.type, r.data.data(), &size) == ERROR_SUCCESS;
  }
  RegCloseKey(h);
  return r;
}

// The settings key of this Wine prefix is the program's own; the test leaves none behind. Tests
// run two at a time, so every test of that key holds the same named mutex while it runs.
struct KluczKalmo {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"KalmoWinTest.KluczKalmo");
  bool owned = false;
  KluczKalmo() {
    const DWORD w = mutex ? WaitForSingleObject(mutex, 100000) : WAIT_FAILED;
    owned = w == WAIT_OBJECT_0 || w == WAIT_ABANDONED;
    if (!owned) ADD_FAILURE() << "the Kalmo settings key stayed locked";
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  }
  ~KluczKalmo() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    if (owned) ReleaseMutex(mutex);
    if (mutex) CloseHandle(mutex);
  }
};

}  // namespace

TEST(CoreRejestrWin, FirstRunCreatesTheKeyValuesAndFiles) {
  KluczKalmo klucz;
  wintest::Scratch scratch;
  const PlikiDanych pliki = UtworzNazwyPlikow(scratch.dir(), "Test");
  EXPECT_FALSE(RejKluczIstnieje());
  UtworzZmienneRejestrowe(pliki);
  { TInfoSaver saver(pliki, nullptr); }
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
  EXPECT_TRUE(RejKluczIstnieje());

  const Raw w = RawValue(L"OpcjeOstrzegania");
  EXPECT_EQ(w.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(w.data, WarningOptions::PierwszeUruchomienie().ToBytes());
  const Raw s = RawValue(L"OpcjeSchowka");
  EXPECT_EQ(s.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(s.data, OpcjeSchowka::PierwszeUruchomienie().ToBytes());
  EXPECT_EQ(RawValue(L"OpcjePlikowTymczasowych").data, (std::vector<uint8_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(RawValue(L"TodayInfo").data.size(), 316u);
  EXPECT_EQ(RawValue(L"Ustawienia").data, LimitsRecord::Domyslne().ToBytes());
  const Raw a = RawValue(L"Aktywnosc3D");
  EXPECT_EQ(a.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(a.data.data())), L"Nie");

  EXPECT_EQ(wintest::Scratch::Get(pliki.plikiTymczasowe),
            "Katalog tymczasowy TEMP#T#*.*#1\r\nKatalogi kosza systemowego#K#*.*#30\r\n");
  EXPECT_EQ(wintest::Scratch::Get(pliki.goraceKlawisze),
            "Shift+Ctrl+P#Przerwa\r\n"
            "Ctrl+=#Wy\x9Cwietla list\xEA monitorowanych dokument\xF3w\r\n"
            "Ctrl+D#Wy\x9Cwietla histori\xEA schowka\r\n"
            "Shift+Ctrl+I#Wy\x9Cwietla informacje dnia\r\n");
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring moje = std::wstring(1, windows[0]) + L":\\Moje dokumenty";
  const DWORD attr = GetFileAttributesW(moje.c_str());
  const bool folder = attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesW(Widen(pliki.skroty).c_str()) != INVALID_FILE_ATTRIBUTES, folder);
}

TEST(CoreRejestrWin, SingleValuesAreCreatedOnFirstReadWhateverTheLetterCase) {
  KluczKalmo klucz;
  EXPECT_EQ(RejReadString("PauseKey", "Tak"), "");  // no key yet: reported, nothing written
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_EQ(wintest::Dialogs().shown[0].text,
            "Nie mogę otworzyć klucza:  key = -2147483647, subkey = \\Software\\Meltrax Software\\Kalmo\\2.0, "
            "var = PauseKey");
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  EXPECT_EQ(RejReadString("PauseKey", "Tak"), "Tak");
  EXPECT_EQ(RejReadString("PAUSEKEY", "Nie"), "Tak");
  EXPECT_EQ(RejReadInteger("CenaPolaczeniaModemowego", 2318), 2318);
  const Raw c = RawValue(L"CenaPolaczeniaModemowego");
  EXPECT_EQ(c.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(c.data, (std::vector<uint8_t>{0x0E, 0x09, 0, 0}));
  RejWriteString("ZnakiFiltrujace", "-[ż");
  EXPECT_EQ(RejReadString("ZnakiFiltrujace", ""), "-[ż");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(RawValue(L"ZnakiFiltrujace").data.data())), L"-[\u017C");
}

TEST(CoreRejestrWin, TodaysRecordSurvivesARestart) {
  KluczKalmo klucz;
  wintest::Scratch scratch;
  const PlikiDanych pliki = UtworzNazwyPlikow(scratch.dir(), "Test");
  UtworzZmienneRejestrowe(pliki);
  int32_t praca = 0;
  {
    TInfoSaver saver(pliki, nullptr);
    saver.ZwiekszWskazniki(platform::Time().Now(), "-[");
    saver.ZwiekszWskazniki(platform::Time().Now(), "-[");
    saver.DodajMonitorwanyDokument("Word - Raport żółwia.doc");
    praca = saver.CzasPracy();
  }
  TInfoSaver saver(pliki, nullptr);
  EXPECT_EQ(saver.CzasPracy(), praca);
  EXPECT_EQ(saver.CzasNieprzerwanejPracy(), praca);
  EXPECT_TRUE(saver.IsMonitoredDocument("Word - Raport żółwia.doc"));
  EXPECT_EQ(wintest::Scratch::Get(pliki.dokumenty).size(), 136u);
  EXPECT_EQ(TodayRecord::FromBytes(RawValue(L"TodayInfo").data).caPraca, praca);
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
}

TEST(CoreRejestrWin, ADamagedRecordOfAnyKindIsKeptAsItWasBeforeDefaultsReplaceIt) {
  KluczKalmo klucz;
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  // Each record's place holds something else: a short record, a text, a number, a list of texts.
  const wchar_t lista[] = L"a\0b\0";
  const uint8_t krotki[] = {1, 2, 3};
  const DWORD liczba = 7;
  RegSetValueExW(h, L"Ustawienia", 0, REG_BINARY, krotki, sizeof krotki);
  RegSetValueExW(h, L"OpcjeOstrzegania", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"tekst"), 12);
  RegSetValueExW(h, L"OpcjeSchowka", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&liczba), 4);
  RegSetValueExW(h, L"OpcjePlikowTymczasowych", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(lista), sizeof lista);
  RegCloseKey(h);
  const wchar_t* nazwy[] = {L"Ustawienia", L"OpcjeOstrzegania", L"OpcjeSchowka", L"OpcjePlikowTymczasowych"};
  Raw przed[4];
  for (int i = 0; i < 4; ++i) przed[i] = RawValue(nazwy[i]);

  UstawieniaKalmo::Wczytaj().Zapisz();

  ASSERT_EQ(wintest::Dialogs().shown.size(), 4u);  // each damaged record is reported once
  for (int i = 0; i < 4; ++i)
    EXPECT_NE(wintest::Dialogs().shown[i].text.find(Narrow(nazwy[i])), std::string::npos) << i;
  for (int i = 0; i < 4; ++i) {
    const Raw obok = RawValue((std::wstring(nazwy[i]) + L"Uszkodzony").c_str());
    EXPECT_TRUE(obok.found) << i;
    EXPECT_EQ(obok.type, przed[i].type) << i;
    EXPECT_EQ(obok.data, przed[i].data) << i;
    EXPECT_EQ(RawValue(nazwy[i]).type, static_cast<DWORD>(REG_BINARY)) << i;  // defaults in its place
  }
  EXPECT_EQ(RawValue(L"Ustawienia").data, LimitsRecord::Domyslne().ToBytes());
}
