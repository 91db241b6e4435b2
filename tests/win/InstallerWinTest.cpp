// The installer against the real system under Wine: the version library (versions read from real
// version resources, an SZDD file made by mscompress expanded on install, read-only, newer and
// busy targets), Program Manager over DDE, ini files, the uninstall entry and its replay.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "common/Dyskowe.h"
#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "installer/win32/SrodowiskoWin32.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/InstalerWersje.h"
#include "tests/win/WinTestSupport.h"

using platform::win32::Narrow;
using platform::win32::Widen;
using testing::ElementsAre;
using testing::HasSubstr;
using namespace instalertest;

namespace {

std::string KatalogProgramu() {
  const std::string self = wintest::SelfPath();
  return self.substr(0, self.find_last_of('\\'));
}

std::string Modul(const std::string& sciezka) { return wintest::Scratch::Get(sciezka); }

class BezOkien : public InstalatorOkna {
 public:
  void PokazOknoStartowe() override {}
  void ZamknijOknoStartowe() override {}
  WynikOknaGlownego PokazOknoGlowne(TStanInstalacji&, const DaneOknaGlownego&) override {
    return WynikOknaGlownego::Instaluj;
  }
  void PokazPostep(TStanInstalacji&, int) override {}
  void UstawPostep(int) override {}
  void PokazPlik(const std::string& z, const std::string& d) override { pliki.push_back(z + " -> " + d); }
  void PokazUwage(const std::string& t) override { uwagi.push_back(t); }
  void ZamknijPostep() override {}
  void ObsluzKomunikaty() override {}
  std::vector<std::string> pliki;
  std::vector<std::string> uwagi;
};

std::string FolderPowloki(int csidl) {
  wchar_t bufor[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, bufor))) return std::string();
  return Narrow(bufor);
}

bool Istnieje(const std::string& sciezka) { return GetFileAttributesW(Widen(sciezka).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Pid() { return std::to_string(GetCurrentProcessId()); }

// The real services, with the Program Manager commands noted on the way.
class NagrywajaceSrodowisko : public TSrodowiskoWin32 {
 public:
  bool ProgManExecute(const std::string& command, bool wait) override {
    rozkazy.push_back(command);
    return TSrodowiskoWin32::ProgManExecute(command, wait);
  }
  std::vector<std::string> rozkazy;
};

class InstallerWin : public testing::Test {
 protected:
  // These tests delete files and folders; none of them may lead out of the test prefix.
  void SetUp() override { ASSERT_EQ(LinkPozaPrefiksem(), ""); }
  wintest::Scratch s;
  NagrywajaceSrodowisko env;
  platform::memory::RecordingDialogs& dialogi = wintest::Dialogs();
};

}  // namespace

// ---- the version library ----

TEST_F(InstallerWin, FileVersionReadsTheUsEnglishTableOnlyWithACompany) {
  EXPECT_EQ(env.FileVersion(KatalogProgramu() + "\\Instaler.exe"), "2.0.2.0");
  PlikZWersja(s.Path("bez_firmy.dll"), BlokWersji(3, 0, L"", L"3.0"));
  EXPECT_EQ(env.FileVersion(s.Path("bez_firmy.dll")), "");
  PlikZWersja(s.Path("bez_wersji.dll"), BlokWersji(3, 0, L"Meltrax Software", L""));
  EXPECT_EQ(env.FileVersion(s.Path("bez_wersji.dll")), "");
  EXPECT_EQ(env.FileVersion(s.Put("tekst.txt", "abc")), "");
  // Letters the ANSI code page of a Western system cannot spell.
  PlikZWersja(s.Path("Żółw łódź.dll"), BlokWersji(4, 1, L"Meltrax Software", L"4.1"));
  EXPECT_EQ(env.FileVersion(s.Path("Żółw łódź.dll")), "4.1");
  EXPECT_EQ(env.FileVersion(s.Path("nie_ma.dll")), "");
}

TEST_F(InstallerWin, DistributionFileMadeByMscompressArrivesExpanded) {
  const std::string fixtures = KatalogProgramu() + "\\fixtures";
  const std::string oryginal = Modul(fixtures + "\\szdd.txt");
  const std::string spakowany = Modul(fixtures + "\\SZDD.TX_");
  ASSERT_GT(oryginal.size(), 10000u);
  ASSERT_EQ(spakowany.substr(0, 4), "SZDD");
  ASSERT_LT(spakowany.size(), oryginal.size() / 2);  // really compressed, with back-references

  EXPECT_TRUE(CopyFileVer(env, fixtures, s.dir(), "SZDD.TX_", "Licencja.txt"));
  EXPECT_EQ(Modul(s.Path("Licencja.txt")), oryginal);
  EXPECT_TRUE(dialogi.shown.empty()) << dialogi.shown[0].text;
  // No temporary copy stays beside it.
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Widen(s.Path("*.*")).c_str(), &fd);
  int pliki = 0;
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++pliki;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  EXPECT_EQ(pliki, 1);
}

TEST_F(InstallerWin, ReadOnlyOlderTargetIsReplaced) {
  PlikZWersja(s.Path("zrodlo\\GRA.DLL"), BlokWersji(2, 1, L"Meltrax Software", L"2.1"));
  PlikZWersja(s.Path("cel\\GRA.DLL"), BlokWersji(2, 0, L"Meltrax Software", L"2.0"));
  ASSERT_TRUE(SetFileAttributesW(Widen(s.Path("cel\\GRA.DLL")).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(CopyFileVer(env, s.Path("zrodlo"), s.Path("cel"), "GRA.DLL", "GRA.DLL"));
  EXPECT_EQ(env.FileVersion(s.Path("cel\\GRA.DLL")), "2.1");
  EXPECT_FALSE(GetFileAttributesW(Widen(s.Path("cel\\GRA.DLL")).c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(dialogi.shown.empty());
}

TEST_F(InstallerWin, NewerTargetStaysWhetherTheTextOrTheSystemSaysSo) {
  // "10.0" installed, "2.0" offered: the version texts already keep it.
  PlikZWersja(s.Path("zrodlo\\A.DLL"), BlokWersji(2, 0, L"Meltrax Software", L"2.0"));
  PlikZWersja(s.Path("cel\\A.DLL"), BlokWersji(10, 0, L"Meltrax Software", L"10.0"));
  EXPECT_TRUE(CopyFileVer(env, s.Path("zrodlo"), s.Path("cel"), "A.DLL", "A.DLL"));
  EXPECT_EQ(env.FileVersion(s.Path("cel\\A.DLL")), "10.0");
  // Without version texts the library itself finds the installed file newer; its temporary copy goes.
  PlikZWersja(s.Path("zrodlo\\B.DLL"), BlokWersji(2, 0, L"", L""));
  const std::string blokCelu = BlokWersji(10, 0, L"", L"");
  PlikZWersja(s.Path("cel\\B.DLL"), blokCelu);
  const std::string przed = Modul(s.Path("cel\\B.DLL"));
  std::string tmp;
  const uint32_t r = env.WywolajVerInstallFile(0, "B.DLL", "B.DLL", s.Path("zrodlo") + "\\", s.Path("cel") + "\\", tmp);
  EXPECT_TRUE(r & kVifSrcOld);
  ASSERT_TRUE(r & kVifTempFile);
  ASSERT_FALSE(tmp.empty());
  DeleteFileW(Widen(s.Path("cel\\" + tmp)).c_str());
  EXPECT_TRUE(CopyFileVer(env, s.Path("zrodlo"), s.Path("cel"), "B.DLL", "B.DLL"));
  EXPECT_EQ(Modul(s.Path("cel\\B.DLL")), przed);
  EXPECT_TRUE(dialogi.shown.empty());
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Widen(s.Path("cel\\*.tmp")).c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "temporary copy left: " << Narrow(fd.cFileName);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(InstallerWin, TargetInUseWarnsWithItsName) {
  s.Put("zrodlo\\dane.txt", "nowe");
  const std::string cel = s.Put("cel\\dane.txt", "stare");
  HANDLE zajety = CreateFileW(Widen(cel).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(zajety, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CopyFileVer(env, s.Path("zrodlo"), s.Path("cel"), "dane.txt", "dane.txt"));
  CloseHandle(zajety);
  ASSERT_EQ(dialogi.shown.size(), 1u);
  EXPECT_EQ(dialogi.shown[0].text,
            "dane.txt jest w użyciu. Proszę zamknąć wszystkie aplikacje i ponownie uruchomić program instalacyjny.");
  EXPECT_EQ(dialogi.shown[0].picture, platform::rkOstrzezenie);
  EXPECT_EQ(Modul(cel), "stare");
}

TEST_F(InstallerWin, MissingSourceIsReportedAndFails) {
  EXPECT_FALSE(CopyFileVer(env, s.dir(), s.dir(), "BRAK.EX_", "BRAK.exe"));
  ASSERT_GE(dialogi.shown.size(), 2u);
  EXPECT_EQ(dialogi.shown[0].place, "U:Instal F:CopyFileVer");
  EXPECT_EQ(dialogi.shown[0].text, "Plik źródłowy nie istnieje: BRAK.EX_");
  EXPECT_EQ(dialogi.shown[1].text, "Nie można odczytać pliku: BRAK.exe Prawdopodobnie plik jest uszkodzony.");
}

// ---- a whole script ----

TEST_F(InstallerWin, ScriptInstallsFromTheCurrentDirectoryThroughTheTemporaryDirectory) {
  const std::string fixtures = KatalogProgramu() + "\\fixtures";
  s.Put("dysk\\install.cfg",
        "' test\r\nprogramname Gra\r\ndestpath " + s.Path("Moje_Gry\\Gra") +
            "\r\nspace 0,1\r\nmkdestdir\r\nmkdir dane\r\nfile LICENCJA.TX_ txt\r\nFINAL\r\n");
  ASSERT_TRUE(CopyFileW(Widen(fixtures + "\\SZDD.TX_").c_str(), Widen(s.Path("dysk\\LICENCJA.TX_")).c_str(), FALSE));
  wchar_t poprzedni[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, poprzedni);
  ASSERT_TRUE(SetCurrentDirectoryW(Widen(s.Path("dysk")).c_str()));
  BezOkien okna;
  TInstalator inst(env, okna);
  const WynikInstalacji wynik = inst.Uruchom();
  SetCurrentDirectoryW(poprzedni);

  EXPECT_EQ(wynik, wiSukces);
  EXPECT_EQ(Modul(s.Path("Moje Gry\\Gra\\LICENCJA.txt")), Modul(fixtures + "\\szdd.txt"));
  EXPECT_TRUE(Istnieje(s.Path("Moje Gry\\Gra\\dane")));
  const std::string temp = DajKatalogTemp();
  ASSERT_FALSE(temp.empty());
  EXPECT_FALSE(Istnieje(temp + "\\LICENCJA.txt"));
  ASSERT_EQ(okna.pliki.size(), 1u);
  EXPECT_THAT(okna.pliki[0], HasSubstr("\\licencja.txt"));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
}

// ---- Program Manager, ini files, shell folders ----

TEST_F(InstallerWin, CreateGroupMakesTheStartMenuFolderAndAddItemItsIcon) {
  const std::string programy = FolderPowloki(CSIDL_PROGRAMS);
  ASSERT_FALSE(programy.empty());
  const std::string grupa = "KalmoTest Grupa " + Pid();
  BezOkien okna;
  TInstalator inst(env, okna);
  s.Put("Gra z dluga nazwa\\bin\\gra.exe", "MZ");
  ASSERT_TRUE(inst.WykonajLinie("group KalmoTest_Grupa_" + Pid()));
  ASSERT_TRUE(inst.WykonajLinie("destpath " + s.Path("Gra_z_dluga_nazwa")));
  EXPECT_TRUE(inst.WykonajLinie("creategroup"));
  EXPECT_TRUE(Istnieje(programy + "\\" + grupa));
  EXPECT_TRUE(inst.WykonajLinie("createprogmanitem bin gra.exe Moja_Gra"));
  EXPECT_TRUE(dialogi.shown.empty()) << dialogi.shown[0].text;
  EXPECT_TRUE(Istnieje(programy + "\\" + grupa + "\\Moja Gra.lnk"));
  // The item names its file by the short form of its directory.
  wchar_t krotki[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(Widen(s.Path("Gra z dluga nazwa\\bin")).c_str(), krotki, MAX_PATH), 0u);
  ASSERT_EQ(std::wstring(krotki).find(L' '), std::wstring::npos);
  EXPECT_THAT(env.rozkazy, ElementsAre("[CreateGroup(" + grupa + ")]\r\n",
                                       "[AddItem(" + Narrow(krotki) + "\\gra.exe, Moja Gra)]\r\n"));

  // The group folder goes with everything in it.
  DeleteFileW(Widen(programy + "\\" + grupa + "\\Moja Gra.lnk").c_str());
  RemoveDirectoryW(Widen(programy + "\\" + grupa).c_str());
}

TEST_F(InstallerWin, AddToIniFileWritesIntoTheWindowsDirectory) {
  const std::string plik = "kalmotest" + Pid() + ".ini";
  const std::string sciezka = DajKatalogWindows() + "\\" + plik;
  {
    HANDLE h = CreateFileW(Widen(sciezka).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  BezOkien okna;
  TInstalator inst(env, okna);
  ASSERT_TRUE(inst.WykonajLinie("destpath C:\\Moje_Gry\\Gra"));
  EXPECT_TRUE(inst.WykonajLinie("addtoinifile " + plik + " Moja_Sekcja load p+\\gra.exe"));
  wchar_t bufor[256] = {};
  GetPrivateProfileStringW(L"Moja Sekcja", L"load", L"", bufor, 256, Widen(sciezka).c_str());
  EXPECT_EQ(Narrow(bufor), "C:\\Moje Gry\\Gra\\gra.exe");
  DeleteFileW(Widen(sciezka).c_str());
}

TEST_F(InstallerWin, ShellFolderReadsTheUsersShellFolders) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            0, nullptr, 0, KEY_READ, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  const std::string startup = FolderPowloki(CSIDL_STARTUP);
  ASSERT_FALSE(startup.empty());
  // The system keeps the value in step with the folder it reports.
  EXPECT_EQ(ShellFolder("Startup"), startup);
  EXPECT_THROW(ShellFolder("KalmoTest nie ma"), std::runtime_error);
}

// ---- uninstall entry and its replay ----

TEST_F(InstallerWin, UninstallRegistersTheEntryAndTheReplayRemovesTheProgram) {
  const std::string nazwa = "KalmoTest Gra " + Pid();
  const std::string nazwaSkryptu = "KalmoTest_Gra_" + Pid();
  const std::string cel = s.Path("Moje Gry\\Gra");
  s.Put("dysk\\uninstall.cfg", "RemoveDir dane\r\nRemoveDir\r\n");
  ASSERT_TRUE(CopyFileW(Widen(KatalogProgramu() + "\\Instaler.exe").c_str(), Widen(s.Path("dysk\\Instaler.exe")).c_str(),
                        FALSE));
  s.Put("Moje Gry\\Gra\\dane\\zapis.dat", "z");
  s.Put("Moje Gry\\Gra\\gra.exe", "MZ");

  BezOkien okna;
  TInstalator inst(env, okna);
  inst.stan().katalogZrodlowy = s.Path("dysk");
  ASSERT_TRUE(inst.WykonajLinie("programname " + nazwaSkryptu));
  ASSERT_TRUE(inst.WykonajLinie("destpath " + s.Path("Moje_Gry\\Gra")));
  EXPECT_TRUE(inst.WykonajLinie("uninstall"));
  EXPECT_TRUE(dialogi.shown.empty()) << dialogi.shown[0].text;

  const std::wstring klucz = Widen(KluczDeinstalacji(nazwa));
  wchar_t bufor[1024] = {};
  DWORD rozmiar = sizeof bufor;
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, klucz.c_str(), L"UninstallString", RRF_RT_REG_SZ, nullptr, bufor, &rozmiar),
            ERROR_SUCCESS);
  std::string celHash = cel;
  for (char& c : celHash)
    if (c == ' ') c = '#';
  const std::string windows = DajKatalogWindows();
  EXPECT_EQ(Narrow(bufor), windows + "\\Instaler.exe  " + celHash + " KalmoTest#Gra#" + Pid());
  rozmiar = sizeof bufor;
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, klucz.c_str(), L"DisplayName", RRF_RT_REG_SZ, nullptr, bufor, &rozmiar),
            ERROR_SUCCESS);
  EXPECT_EQ(Narrow(bufor), nazwa);
  EXPECT_EQ(Modul(windows + "\\Instaler.exe"), Modul(KatalogProgramu() + "\\Instaler.exe"));
  EXPECT_EQ(Modul(cel + "\\uninstall.cfg"), "RemoveDir dane\r\nRemoveDir\r\n");

  // The registered parameters lead the uninstaller back to the program.
  class Okno : public DeinstalatorOkno {
   public:
    void Pokaz(const std::string& n, const std::string&, const std::function<void()>& odinstaluj) override {
      nazwa = n;
      odinstaluj();
    }
    std::string nazwa;
  } okno;
  EXPECT_EQ(UruchomDeinstalacje(celHash, "KalmoTest#Gra#" + Pid(), okno), 0);
  EXPECT_EQ(okno.nazwa, nazwa);
  EXPECT_FALSE(Istnieje(cel));
  EXPECT_TRUE(Istnieje(s.Path("Moje Gry")));
  HKEY h = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, klucz.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Deinstalacja programu " + nazwa + " przebiegła pomyślnie!"));
  DeleteFileW(Widen(windows + "\\Instaler.exe").c_str());
}

// ---- nothing deleted through a link ----

TEST_F(InstallerWin, RemoveDirDeletesNothingThroughALinkInTheProgramFolder) {
  const std::string umowa = s.Put("Cenne\\umowa.doc", "mine");
  const std::string plan = s.Put("Cenne\\Plany\\plan.doc", "mine");
  s.Put("Program\\Kalmo.exe", "MZ");
  const std::vector<std::string> linki = {s.Path("Program\\do_cennych"), s.Path("Program\\umowa.doc")};
  struct Sprzatanie {
    const std::vector<std::string>& linki;
    ~Sprzatanie() {
      for (const std::string& l : linki) wintest::UsunLinkHosta(l);
    }
  } sprzatanie{linki};
  ASSERT_TRUE(wintest::LinkHosta(s.Path("Cenne"), linki[0]));
  ASSERT_TRUE(wintest::LinkHosta(umowa, linki[1]));
  ASSERT_EQ(LinkPozaPrefiksem(), "");
  TDeinstalator d(s.Path("Program"), "KalmoTest");
  // Wine opens a link as its target even when asked not to, so it cannot be removed as a link:
  // it stays, the folder with it, and so does everything it leads to.
  EXPECT_FALSE(d.RemoveDir(""));
  EXPECT_THAT(dialogi.Texts(), ElementsAre("Nie można usunąć katalogu lub niektórych jego plików: " + s.Path("Program")));
  EXPECT_EQ(Modul(umowa), "mine");
  EXPECT_EQ(Modul(plan), "mine");
  EXPECT_FALSE(Istnieje(s.Path("Program\\Kalmo.exe")));
  // The staging folder's removal neither.
  auto temp = platform::Fs().TempDirectory();
  ASSERT_TRUE(temp);
  auto staging = platform::Fs().CreatePrivateDirectory(*temp, "Instaler-");
  ASSERT_TRUE(staging);
  ASSERT_TRUE(platform::Fs().WriteFileReplacing(*staging + "\\a.exe", "x"));
  wintest::UsunLinkHosta(linki[0]);
  ASSERT_TRUE(wintest::LinkHosta(s.Path("Cenne"), *staging + "\\do_cennych"));
  ASSERT_TRUE(wintest::LinkHosta(umowa, *staging + "\\umowa.doc"));
  EXPECT_FALSE(UsunDrzewo(*staging));
  EXPECT_EQ(Modul(umowa), "mine");
  EXPECT_EQ(Modul(plan), "mine");
  EXPECT_FALSE(Istnieje(*staging + "\\a.exe"));
  wintest::UsunLinkHosta(*staging + "\\do_cennych");
  wintest::UsunLinkHosta(*staging + "\\umowa.doc");
  EXPECT_TRUE(UsunDrzewo(*staging));
  EXPECT_FALSE(Istnieje(*staging));
}
