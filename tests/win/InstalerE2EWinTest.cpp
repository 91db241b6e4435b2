// Instaler.exe end to end under Wine: a distribution folder made by dist/make-dist.sh, the program
// started in it as a separate process and answered as a user would, then the registered uninstall
// command started as Windows starts it. Also bad distributions through the real program.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Cp1250.h"
#include "common/win32/Window.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"

using testing::HasSubstr;
using win::Narrow;
using win::Widen;

namespace {

constexpr const wchar_t* kKomunikat = L"TfrmKomunikat";
const char* kKluczDeinstalacji = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kalmo";

std::string Dystrybucja() { return driver::BesideTests("dist\\Kalmo"); }

bool Istnieje(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> PlikiW(const std::string& dir) {
  std::vector<std::string> nazwy;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Widen(dir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return nazwy;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) nazwy.push_back(Narrow(fd.cFileName));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return nazwy;
}

// The distribution folder copied into dir, without the names given.
void KopiujDystrybucje(const std::string& dir, const std::vector<std::string>& bez = {}) {
  CreateDirectoryW(Widen(dir).c_str(), nullptr);
  for (const std::string& n : PlikiW(Dystrybucja())) {
    bool pominiety = false;
    for (const std::string& b : bez) pominiety |= lstrcmpiW(Widen(b).c_str(), Widen(n).c_str()) == 0;
    if (pominiety) continue;
    ASSERT_TRUE(CopyFileW(Widen(Dystrybucja() + "\\" + n).c_str(), Widen(dir + "\\" + n).c_str(), FALSE)) << n;
  }
}

std::string FolderPowloki(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Narrow(path);
}

std::string KatalogWindows() {
  wchar_t path[MAX_PATH] = {};
  GetWindowsDirectoryW(path, MAX_PATH);
  return Narrow(path);
}

std::string KatalogTemp() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return Narrow(path);
}

bool CzytajRejestr(HKEY root, const std::string& key, const std::string& name, std::string& value) {
  wchar_t buf[2048];
  DWORD size = sizeof buf;
  if (RegGetValueW(root, Widen(key).c_str(), Widen(name).c_str(), RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return false;
  value = Narrow(buf);
  return true;
}

bool KluczIstnieje(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

// A process started with a command line and a current directory, as Explorer or the control
// panel start one.
bool Uruchom(const std::string& polecenie, const std::string& katalog, driver::Process& proces) {
  std::wstring cmd = Widen(polecenie);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::wstring dir = Widen(katalog);
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, katalog.empty() ? nullptr : dir.c_str(),
                      &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  proces.handle = pi.hProcess;
  proces.id = pi.dwProcessId;
  return true;
}

// Texts the message dialogs of a process showed, in order.
std::vector<std::string> Teksty(const driver::Answerer& a) {
  std::vector<std::string> t;
  for (const auto& d : a.Seen()) t.push_back(d.controls.count("pisKomunikat") ? d.controls.at("pisKomunikat") : "");
  return t;
}

std::string Zawartosc(const std::string& path) { return wintest::Scratch::Get(path); }

class InstalerE2E : public testing::Test {
 protected:
  // The uninstaller removes Kalmo's settings key, which the tests of the program use meanwhile.
  wintest::BlokadaKluczaKalmo blokada_;
  void SetUp() override {
    ASSERT_TRUE(Istnieje(Dystrybucja() + "\\install.cfg")) << "no distribution folder beside the tests";
    dysk = s.Path("dysk");
  }
  wintest::Scratch s;
  std::string dysk;
};

TEST_F(InstalerE2E, InstallsFromTheDistributionAndTheRegisteredCommandUninstalls) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Program Kalmo");
  const std::string programy = FolderPowloki(CSIDL_PROGRAMS);
  ASSERT_FALSE(programy.empty());
  const std::string skrot = programy + "\\Kalmo\\Kalmo.lnk";
  DeleteFileW(Widen(skrot).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kKluczDeinstalacji).c_str());

  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "Instalator wer. 1.0", instalator.id);
  ASSERT_NE(glowne, nullptr);
  auto teksty = driver::NamedTexts(glowne);
  EXPECT_EQ(teksty["labNazwaProgramu"], "Kalmo");
  EXPECT_EQ(teksty["labNazwaGrupy"], "Kalmo");
  EXPECT_EQ(teksty["labKatalogDocelowy"], "C:\\Kalmo");
  // The script's "space 0,3" is shown with a point.
  const std::string skrypt = Zawartosc(dysk + "\\install.cfg");
  const size_t space = skrypt.find("\r\nspace ");
  ASSERT_NE(space, std::string::npos);
  std::string wymagane = skrypt.substr(space + 8, skrypt.find('\r', space + 8) - space - 8);
  wymagane[wymagane.find(',')] = '.';
  EXPECT_EQ(teksty["labWymaganeMiejsce"], wymagane + " MB");
  EXPECT_THAT(teksty["labDostepneMiejsce"], testing::MatchesRegex("\\d+\\.\\d MB"));
  EXPECT_EQ(teksty["cmdInstaluj"], "Instaluj");
  EXPECT_EQ(teksty["cmdLicencja"], "Licencja ");
  EXPECT_TRUE(IsWindowEnabled(driver::FindChildByName(glowne, "cmdLicencja")));

  // The licence opens from the disk's file, in Windows-1250.
  {
    driver::Answerer licencja(L"TfrmLicencja", "Ok", 1, instalator.id);
    ASSERT_TRUE(driver::Click(driver::FindChildByName(glowne, "cmdLicencja")));
    ASSERT_TRUE(licencja.WaitForCount(1));
    EXPECT_EQ(licencja.Seen()[0].caption, "Licencja i Ograniczona Gwarancja");
    EXPECT_THAT(licencja.Seen()[0].controls["memLicencja"], HasSubstr("Licencja i ograniczona gwarancja\r\n"));
    EXPECT_THAT(licencja.Seen()[0].controls["memLicencja"], HasSubstr("wolno instalować"));
  }

  // The destination is changed in the change-directory window, by typing the created directory.
  {
    std::string wynik;
    driver::Answerer zmiana(
        L"TfrmZmienKatalog", "Ok",
        [&](HWND okno) {
          SendMessageW(driver::FindChildByName(okno, "tbKatalogTworzony"), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(Widen(cel.substr(3)).c_str()));
          wynik = driver::ReadText(driver::FindChildByName(okno, "labSciezkaDocelowa"));
        },
        1, instalator.id);
    ASSERT_TRUE(driver::Click(driver::FindChildByName(glowne, "cmdZmienKatalog")));
    ASSERT_TRUE(zmiana.WaitForCount(1));
    EXPECT_EQ(zmiana.Seen()[0].controls["labSciezkaDocelowa"], "C:\\Kalmo");
    EXPECT_EQ(zmiana.Seen()[0].controls["tbKatalogTworzony"], "Kalmo");
    EXPECT_EQ(wynik, cel);
  }
  ASSERT_TRUE(driver::WaitUntilGone(driver::FindWindowOf(L"TfrmZmienKatalog", "", instalator.id)));
  teksty = driver::NamedTexts(glowne);
  EXPECT_EQ(teksty["labKatalogDocelowy"], cel);
  EXPECT_THAT(teksty["labDostepneMiejsce"], testing::MatchesRegex("\\d+\\.\\d M,B"));

  driver::Answerer komunikaty(kKomunikat, "Ok", 0, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Instaluj"));
  EXPECT_EQ(instalator.WaitForExit(), 0);
  EXPECT_THAT(Teksty(komunikaty),
              testing::ElementsAre("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));

  // The files arrived expanded, byte for byte.
  EXPECT_EQ(Zawartosc(cel + "\\Kalmo.exe"), Zawartosc(driver::BesideTests("Kalmo.exe")));
  EXPECT_EQ(Zawartosc(cel + "\\Hook.dll"), Zawartosc(driver::BesideTests("Hook.dll")));
  EXPECT_EQ(Zawartosc(cel + "\\icon.ico"), Zawartosc(dysk + "\\icon.ico"));
  EXPECT_EQ(Zawartosc(cel + "\\Licencja.txt"), Zawartosc(dysk + "\\Licencja.txt"));
  EXPECT_EQ(Zawartosc(cel + "\\uninstall.cfg"), Zawartosc(dysk + "\\uninstall.cfg"));
  EXPECT_FALSE(Zawartosc(cel + "\\Kalmo.exe").empty());
  // Nothing staged is left behind.
  EXPECT_FALSE(Istnieje(KatalogTemp() + "KALMO.exe"));
  EXPECT_FALSE(Istnieje(KatalogTemp() + "HOOK.dll"));
  // The group and its icon, the uninstaller and its entry.
  EXPECT_TRUE(Istnieje(skrot));
  EXPECT_TRUE(Istnieje(KatalogWindows() + "\\Instaler.exe"));
  std::string nazwa, polecenie;
  ASSERT_TRUE(CzytajRejestr(HKEY_LOCAL_MACHINE, kKluczDeinstalacji, "DisplayName", nazwa));
  ASSERT_TRUE(CzytajRejestr(HKEY_LOCAL_MACHINE, kKluczDeinstalacji, "UninstallString", polecenie));
  EXPECT_EQ(nazwa, "Kalmo");
  std::string celZKrzyzykami = cel;
  for (char& c : celZKrzyzykami)
    if (c == ' ') c = '#';
  EXPECT_EQ(polecenie, KatalogWindows() + "\\Instaler.exe  " + celZKrzyzykami + " Kalmo");

  // Kalmo has run: its settings and a data file of its own.
  HKEY ustawienia;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Meltrax Software\\Kalmo\\2.0", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &ustawienia, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(ustawienia, L"CzestoscMonitorowania", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"10"), 6);
  RegCloseKey(ustawienia);
  s.Put("Program Kalmo\\Jan_arch.dat", std::string(24, '\0'));

  driver::Process deinstalator;
  ASSERT_TRUE(Uruchom(polecenie, "", deinstalator));
  HWND okno = driver::WaitForWindow(L"TfrmDeinstalacja", "Deinstalator", deinstalator.id);
  ASSERT_NE(okno, nullptr);
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(okno, "labNazwaProgramu")), "Kalmo");
  driver::Answerer koniec(kKomunikat, "Ok", 0, deinstalator.id);
  ASSERT_TRUE(driver::ClickButton(okno, "Odinstaluj"));
  EXPECT_EQ(deinstalator.WaitForExit(), 0);
  EXPECT_THAT(Teksty(koniec), testing::ElementsAre("Deinstalacja programu Kalmo przebiegła pomyślnie!"));

  EXPECT_FALSE(Istnieje(cel));
  EXPECT_FALSE(Istnieje(skrot));
  EXPECT_FALSE(Istnieje(programy + "\\Kalmo"));  // the group went with its last icon
  EXPECT_FALSE(KluczIstnieje(HKEY_LOCAL_MACHINE, kKluczDeinstalacji));
  EXPECT_FALSE(KluczIstnieje(HKEY_CURRENT_USER, "Software\\Meltrax Software\\Kalmo"));
  // The installer's copy in the Windows directory stays: it is shared by every program it installed.
  EXPECT_TRUE(Istnieje(KatalogWindows() + "\\Instaler.exe"));
  RemoveDirectoryW(Widen(programy + "\\Kalmo").c_str());
}

TEST_F(InstalerE2E, MissingInstallScriptIsReportedAndNothingRuns) {
  KopiujDystrybucje(dysk, {"install.cfg"});
  driver::Process instalator;
  driver::Answerer komunikaty(kKomunikat, "Ok", 0, driver::kAnyProcess);
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  EXPECT_EQ(instalator.WaitForExit(), 1);
  EXPECT_THAT(Teksty(komunikaty),
              testing::ElementsAre("Brak pliku instalacyjnego: install.cfg Instalacja nie może być kontynuowana!"));
}

TEST_F(InstalerE2E, FileMissingFromTheDiskAsksAgainAndLeavesNothingStaged) {
  KopiujDystrybucje(dysk, {"HOOK.DL_"});
  const std::string cel = s.Path("Kalmo");
  const std::string skrypt = "programname Kalmo\r\ndestpath " + cel + "\r\nspace 1,0\r\nshow\r\nmkdestdir\r\n"
                             "file KALMO.EX_ exe\r\nfile HOOK.DL_ dll\r\nfinal\r\n";
  s.Put("dysk\\install.cfg", cp1250::FromUtf8(skrypt));
  DeleteFileW(Widen(KatalogTemp() + "KALMO.exe").c_str());

  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "", instalator.id);
  ASSERT_NE(glowne, nullptr);
  // No group in this script: its row is disabled and its name hidden.
  EXPECT_FALSE(IsWindowEnabled(driver::FindChildByName(glowne, "cmdZmienNazweGrupy")));
  EXPECT_FALSE(IsWindowVisible(driver::FindChildByName(glowne, "labNazwaGrupy")));

  // The first answer is "Tak" (look again), the second "Nie"; then the run's failure message.
  driver::Answerer ponow(kKomunikat, "Tak", 1, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Instaluj"));
  ASSERT_TRUE(ponow.WaitForCount(1));
  EXPECT_THAT(Teksty(ponow)[0], HasSubstr("Nie mogę odnaleźć pliku źródłowego: "));
  EXPECT_THAT(Teksty(ponow)[0], HasSubstr("Czy ponowić próbę?"));
  EXPECT_TRUE(Istnieje(KatalogTemp() + "KALMO.exe")) << "the first file is staged while the second is asked for";

  driver::Answerer nie(kKomunikat, "Nie", 1, instalator.id);
  ASSERT_TRUE(nie.WaitForCount(1));
  EXPECT_THAT(Teksty(nie)[0], HasSubstr("Nie mogę odnaleźć pliku źródłowego: "));
  driver::Answerer reszta(kKomunikat, "Ok", 0, instalator.id);
  EXPECT_EQ(instalator.WaitForExit(), 1);
  ASSERT_FALSE(Teksty(reszta).empty());
  EXPECT_EQ(Teksty(reszta).back(), "Instalacja programu nie zakończyła się pomyślnie.");
  EXPECT_FALSE(Istnieje(KatalogTemp() + "KALMO.exe"));
  EXPECT_FALSE(Istnieje(cel + "\\KALMO.exe"));
}

}  // namespace

namespace {

TEST_F(InstalerE2E, AnulujInTheMainWindowEndsTheProgramWithNoFurtherMessage) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Kalmo");
  std::string skrypt = Zawartosc(dysk + "\\install.cfg");
  const size_t destpath = skrypt.find("destpath C:\\Kalmo");
  ASSERT_NE(destpath, std::string::npos);
  skrypt.replace(destpath, 17, "destpath " + cel);
  s.Put("dysk\\install.cfg", skrypt);

  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "", instalator.id);
  ASSERT_NE(glowne, nullptr);
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(glowne, "labKatalogDocelowy")), cel);
  driver::Answerer komunikaty(kKomunikat, "Ok", 0, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Anuluj"));
  EXPECT_EQ(instalator.WaitForExit(), 2);
  EXPECT_EQ(komunikaty.Count(), 0);
  EXPECT_FALSE(Istnieje(cel));
}

}  // namespace
