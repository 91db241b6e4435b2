// Instaler.exe end to end under Wine: a distribution folder made by dist/make-dist.sh, the program
// started in it as a separate process and answered as a user would, then the registered uninstall
// command started as Windows starts it. Also bad distributions through the real program.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/Cp1250.h"
#include "common/win32/Window.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/Driver.h"
#include "tests/win/InstalerWersje.h"
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

std::string Pid() { return std::to_string(GetCurrentProcessId()); }

std::string ZKrzyzykami(std::string s) {
  for (char& c : s)
    if (c == ' ') c = '#';
  return s;
}

// The disk's script with another destination (a path without spaces: it is one word).
void UstawCel(const std::string& dysk, const std::string& cel) {
  std::string skrypt = Zawartosc(dysk + "\\install.cfg");
  const size_t destpath = skrypt.find("destpath C:\\Kalmo");
  ASSERT_NE(destpath, std::string::npos);
  skrypt.replace(destpath, 17, "destpath " + cel);
  HANDLE h = CreateFileW(Widen(dysk + "\\install.cfg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD zapisane = 0;
  WriteFile(h, skrypt.data(), static_cast<DWORD>(skrypt.size()), &zapisane, nullptr);
  CloseHandle(h);
}

// The staging folders ("Instaler-" and random characters) in the temporary directory.
std::vector<std::string> Stagingi() {
  std::vector<std::string> nazwy;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Widen(KatalogTemp() + "Instaler-*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return nazwy;
  do {
    nazwy.push_back(Narrow(fd.cFileName));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return nazwy;
}

// Those a test found already there (left by a run that was killed, or by someone else).
std::vector<std::string>& ObceStagingi() {
  static std::vector<std::string> obce;
  return obce;
}

// A staging folder of the test's runs holds the file.
bool WStagingu(const std::string& nazwa) {
  for (const std::string& k : Stagingi()) {
    const auto& obce = ObceStagingi();
    if (std::find(obce.begin(), obce.end(), k) == obce.end() && Istnieje(KatalogTemp() + k + "\\" + nazwa)) return true;
  }
  return false;
}

// The uninstall command registered for Kalmo, started as Windows starts it and confirmed.
void OdinstalujKalmo(const std::vector<std::string>& oczekiwane = {"Deinstalacja programu Kalmo przebiegła pomyślnie!"}) {
  std::string polecenie;
  ASSERT_TRUE(CzytajRejestr(HKEY_LOCAL_MACHINE, kKluczDeinstalacji, "UninstallString", polecenie));
  driver::Process deinstalator;
  ASSERT_TRUE(Uruchom(polecenie, "", deinstalator));
  HWND okno = driver::WaitForWindow(L"TfrmDeinstalacja", "Deinstalator", deinstalator.id);
  ASSERT_NE(okno, nullptr);
  driver::Answerer koniec(kKomunikat, "Ok", 0, deinstalator.id);
  ASSERT_TRUE(driver::ClickButton(okno, "Odinstaluj"));
  deinstalator.WaitForExit();
  EXPECT_EQ(Teksty(koniec), oczekiwane);
}

// The shell's folder windows open now.
std::vector<HWND> OknaFolderow() {
  std::vector<HWND> okna;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t klasa[64] = {};
        GetClassNameW(w, klasa, 64);
        if (IsWindowVisible(w) && (lstrcmpW(klasa, L"ExplorerWClass") == 0 || lstrcmpW(klasa, L"CabinetWClass") == 0))
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&okna));
  return okna;
}

// Program Manager's "CreateGroup" opens the group's folder in a window of its own, as Windows
// does. Those windows are closed after each test, or their processes would outlive it.
void ZamknijOknaGrup() {
  const std::vector<HWND> okna = OknaFolderow();
  for (HWND w : okna) PostMessageW(w, WM_CLOSE, 0, 0);
  for (HWND w : okna) driver::WaitUntilGone(w);
}

class InstalerE2E : public testing::Test {
 protected:
  // The uninstaller removes Kalmo's settings key, which the tests of the program use meanwhile.
  wintest::BlokadaKluczaKalmo blokada_;
  void SetUp() override {
    // The uninstaller deletes: no folder of the prefix may lead to the machine's own files.
    ASSERT_EQ(instalertest::LinkPozaPrefiksem(), "");
    ASSERT_TRUE(Istnieje(Dystrybucja() + "\\install.cfg")) << "no distribution folder beside the tests";
    ObceStagingi() = Stagingi();
    dysk = s.Path("dysk");
  }
  void TearDown() override { ZamknijOknaGrup(); }
  wintest::Scratch s;
  std::string dysk;
};

TEST_F(InstalerE2E, InstallsFromTheDistributionAndTheRegisteredCommandUninstalls) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Program Kalmo");
  const std::string programy = FolderPowloki(CSIDL_PROGRAMS);
  ASSERT_FALSE(programy.empty());
  const std::string skrot = programy + "\\Kalmo\\Kalmo.lnk";
  const std::string autostart = FolderPowloki(CSIDL_STARTUP) + "\\Kalmo.lnk";
  DeleteFileW(Widen(skrot).c_str());
  DeleteFileW(Widen(autostart).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kKluczDeinstalacji).c_str());
  // Left in the temporary directory by someone else: a newer "KALMO.exe" and a folder of the name
  // a run would take first. Neither may become the installed program.
  const std::string obcyKalmo = KatalogTemp() + "KALMO.exe";
  const std::string obcyFolder = KatalogTemp() + "Instaler-1";
  instalertest::PlikZWersja(obcyKalmo, instalertest::BlokWersji(99, 0, L"Meltrax Software", L"99.0"));
  CreateDirectoryW(Widen(obcyFolder).c_str(), nullptr);
  const std::string obcyWFolderze = obcyFolder + "\\KALMO.exe";
  instalertest::PlikZWersja(obcyWFolderze, instalertest::BlokWersji(99, 0, L"Meltrax Software", L"99.0"));
  // Gone again however the test ends: a later run would take the folder for a staging folder.
  struct Sprzatanie {
    std::string pliki[2], folder;
    ~Sprzatanie() {
      for (const std::string& p : pliki) DeleteFileW(Widen(p).c_str());
      RemoveDirectoryW(Widen(folder).c_str());
    }
  } sprzatanie{{obcyKalmo, obcyWFolderze}, obcyFolder};

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
  // Nothing staged is left behind, and what others left is theirs still.
  EXPECT_FALSE(WStagingu("HOOK.dll"));
  EXPECT_FALSE(Istnieje(KatalogTemp() + "HOOK.dll"));
  EXPECT_TRUE(Istnieje(obcyKalmo));
  EXPECT_TRUE(Istnieje(obcyWFolderze));
  // The group and its icon, Kalmo in the start-up folder, the uninstaller and its entry.
  EXPECT_TRUE(Istnieje(skrot));
  EXPECT_TRUE(Istnieje(autostart));
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
  EXPECT_FALSE(Istnieje(autostart));
  EXPECT_TRUE(Istnieje(FolderPowloki(CSIDL_STARTUP)));
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
  EXPECT_TRUE(WStagingu("KALMO.exe")) << "the first file is staged while the second is asked for";

  driver::Answerer nie(kKomunikat, "Nie", 1, instalator.id);
  ASSERT_TRUE(nie.WaitForCount(1));
  EXPECT_THAT(Teksty(nie)[0], HasSubstr("Nie mogę odnaleźć pliku źródłowego: "));
  driver::Answerer reszta(kKomunikat, "Ok", 0, instalator.id);
  EXPECT_EQ(instalator.WaitForExit(), 1);
  ASSERT_FALSE(Teksty(reszta).empty());
  EXPECT_EQ(Teksty(reszta).back(), "Instalacja programu nie zakończyła się pomyślnie.");
  EXPECT_FALSE(WStagingu("KALMO.exe"));
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

namespace {

TEST_F(InstalerE2E, UninstallScriptsReachingOutsideTheProgramChangeNothing) {
  const std::string nazwa = "KalmoTest Obcy " + Pid();
  const std::string wpis = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + nazwa;
  const std::string program = s.Path("Program");
  s.Put("Program\\gra.exe", "MZ");
  const std::string obcy = s.Put("obcy.txt", "nie usuwać");
  const std::string menu = FolderPowloki(CSIDL_STARTMENU);
  ASSERT_FALSE(menu.empty());
  const std::string ofiara = "KalmoTest-" + Pid() + ".txt";
  {
    HANDLE plik = CreateFileW(Widen(menu + "\\" + ofiara).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(plik, INVALID_HANDLE_VALUE);
    CloseHandle(plik);
  }
  const std::string kluczPozaSoftware = "KalmoTestObcy-" + Pid();
  const std::string kluczMicrosoftu = "Software\\Microsoft\\KalmoTest-" + Pid();
  for (const std::string& k : {kluczPozaSoftware, kluczMicrosoftu}) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(k).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
  }
  // The program is registered, with its folder: the uninstaller acts on nothing else.
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(wpis).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  const std::wstring miejsce = Widen(program);
  RegSetValueExW(h, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(miejsce.c_str()),
                 static_cast<DWORD>((miejsce.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);

  const std::vector<std::pair<std::string, std::string>> skrypty = {
      {"RemoveDir ..", "Polecenie RemoveDir wskazuje katalog poza katalogiem programu: .."},
      {"RemoveDir " + s.dir(), "Polecenie RemoveDir wskazuje katalog poza katalogiem programu: " + s.dir()},
      {"RemoveItem Programs\\.. " + ofiara,
       "Polecenie RemoveItem wskazuje plik poza grupą programu w menu Start: Programs\\.. " + ofiara},
      {"RemoveItem " + s.dir() + " obcy.txt",
       "Polecenie RemoveItem wskazuje plik poza grupą programu w menu Start: " + s.dir() + " obcy.txt"},
      {"RemoveRegKey " + kluczPozaSoftware, "Polecenie RemoveRegKey może usunąć tylko klucz programu w "
                                            "HKEY_CURRENT_USER\\Software, a nie: " + kluczPozaSoftware},
      {"RemoveRegKey " + kluczMicrosoftu, "Polecenie RemoveRegKey może usunąć tylko klucz programu w "
                                          "HKEY_CURRENT_USER\\Software, a nie: " + kluczMicrosoftu},
  };
  const std::string polecenie =
      "\"" + driver::BesideTests("Instaler.exe") + "\"  " + ZKrzyzykami(program) + " " + ZKrzyzykami(nazwa);
  for (const auto& [linia, odmowa] : skrypty) {
    SCOPED_TRACE(linia);
    // The refused line comes first; the replay must stop there, before the program's own folder.
    s.Put("Program\\uninstall.cfg", cp1250::FromUtf8(linia + "\r\nRemoveDir\r\n"));
    driver::Process deinstalator;
    ASSERT_TRUE(Uruchom(polecenie, "", deinstalator));
    HWND okno = driver::WaitForWindow(L"TfrmDeinstalacja", "Deinstalator", deinstalator.id);
    ASSERT_NE(okno, nullptr);
    driver::Answerer komunikaty(kKomunikat, "Ok", 0, deinstalator.id);
    ASSERT_TRUE(driver::ClickButton(okno, "Odinstaluj"));
    EXPECT_EQ(deinstalator.WaitForExit(), 1);
    EXPECT_THAT(Teksty(komunikaty),
                testing::ElementsAre(odmowa, "Deinstalacja programu " + nazwa + " nie przebiegła pomyślnie!"));
    EXPECT_TRUE(Istnieje(program + "\\gra.exe"));
    EXPECT_TRUE(Istnieje(obcy));
    EXPECT_TRUE(Istnieje(menu + "\\" + ofiara));
    EXPECT_TRUE(KluczIstnieje(HKEY_CURRENT_USER, kluczPozaSoftware));
    EXPECT_TRUE(KluczIstnieje(HKEY_CURRENT_USER, kluczMicrosoftu));
    EXPECT_TRUE(KluczIstnieje(HKEY_LOCAL_MACHINE, wpis));
  }

  // An empty name would make the entry to delete the whole list of uninstall entries.
  {
    driver::Process deinstalator;
    driver::Answerer komunikaty(kKomunikat, "Ok", 0, driver::kAnyProcess);
    driver::Answerer okno(L"TfrmDeinstalacja", "Odinstaluj", 0, driver::kAnyProcess);
    ASSERT_TRUE(Uruchom("\"" + driver::BesideTests("Instaler.exe") + "\"  " + ZKrzyzykami(program) + " \"\"", "",
                        deinstalator));
    EXPECT_EQ(deinstalator.WaitForExit(), 1);
    EXPECT_THAT(Teksty(komunikaty), testing::ElementsAre("Nie podano nazwy programu do odinstalowania. Deinstalacja nie "
                                                         "może się rozpocząć; nic nie zostało zmienione."));
    EXPECT_EQ(okno.Count(), 0);
    EXPECT_TRUE(KluczIstnieje(HKEY_LOCAL_MACHINE, wpis));
    EXPECT_TRUE(Istnieje(program + "\\gra.exe"));
  }

  DeleteFileW(Widen(menu + "\\" + ofiara).c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kluczPozaSoftware).c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kluczMicrosoftu).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(wpis).c_str());
}

TEST_F(InstalerE2E, DestinationHoldingOtherFilesIsRefusedAndTheWindowStaysOpen) {
  KopiujDystrybucje(dysk);
  const std::string obcy = s.Path("Dokumenty");
  s.Put("Dokumenty\\list.txt", "moje");
  UstawCel(dysk, obcy);
  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "", instalator.id);
  ASSERT_NE(glowne, nullptr);
  {
    driver::Answerer komunikat(kKomunikat, "Ok", 1, instalator.id);
    ASSERT_TRUE(driver::ClickButton(glowne, "Instaluj"));
    ASSERT_TRUE(komunikat.WaitForCount(1));
    EXPECT_EQ(Teksty(komunikat)[0],
              "Katalog " + obcy + " zawiera już inne pliki i nie jest wcześniejszą instalacją tego programu. "
              "Instalacja dołożyłaby do nich pliki programu, a jego deinstalacja mogłaby usunąć je razem z nim. "
              "Proszę wybrać inny, pusty katalog (przycisk \"Zmień...\").");
  }
  ASSERT_TRUE(driver::WaitUntilGone(driver::FindWindowOf(kKomunikat, "", instalator.id)));
  EXPECT_TRUE(IsWindowVisible(glowne));
  driver::Answerer reszta(kKomunikat, "Ok", 0, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Anuluj"));
  EXPECT_EQ(instalator.WaitForExit(), 2);
  EXPECT_EQ(reszta.Count(), 0);
  EXPECT_THAT(PlikiW(obcy), testing::ElementsAre("list.txt"));
}

TEST_F(InstalerE2E, NewerInstalledFileSurvivesAReinstall) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Kalmo");
  UstawCel(dysk, cel);
  // An earlier installation of Kalmo whose library is newer than the disk's.
  instalertest::PlikZWersja(cel + "\\Hook.dll", instalertest::BlokWersji(99, 0, L"Meltrax Software", L"99.0"));
  const std::string nowszy = Zawartosc(cel + "\\Hook.dll");
  s.Put("Kalmo\\uninstall.cfg", Zawartosc(dysk + "\\uninstall.cfg"));
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(kKluczDeinstalacji).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                            nullptr),
            ERROR_SUCCESS);
  const std::wstring polecenie = Widen(KatalogWindows() + "\\Instaler.exe  " + cel + " Kalmo");
  RegSetValueExW(h, L"UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(polecenie.c_str()),
                 static_cast<DWORD>((polecenie.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);

  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "", instalator.id);
  ASSERT_NE(glowne, nullptr);
  driver::Answerer komunikaty(kKomunikat, "Ok", 0, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Instaluj"));
  EXPECT_EQ(instalator.WaitForExit(), 0);
  EXPECT_THAT(Teksty(komunikaty), testing::ElementsAre("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
  EXPECT_EQ(Zawartosc(cel + "\\Hook.dll"), nowszy);
  EXPECT_EQ(Zawartosc(cel + "\\Kalmo.exe"), Zawartosc(driver::BesideTests("Kalmo.exe")));
  OdinstalujKalmo();
  EXPECT_FALSE(Istnieje(cel));
}

TEST_F(InstalerE2E, GroupRenamedInTheMainWindowGoesWithTheUninstall) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Kalmo");
  UstawCel(dysk, cel);
  const std::string programy = FolderPowloki(CSIDL_PROGRAMS);
  const std::string autostart = FolderPowloki(CSIDL_STARTUP) + "\\Kalmo.lnk";
  const std::string grupa = "KalmoTest Grupa " + Pid();

  driver::Process instalator;
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  HWND glowne = driver::WaitForWindow(L"TfrmGlowna", "", instalator.id);
  ASSERT_NE(glowne, nullptr);
  {
    driver::Answerer wybor(
        L"TfrmWyborGrupy", "Ok",
        [&](HWND okno) {
          SendMessageW(driver::FindChildByName(okno, "tbNazwaGrupy"), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(Widen(grupa).c_str()));
        },
        1, instalator.id);
    ASSERT_TRUE(driver::Click(driver::FindChildByName(glowne, "cmdZmienNazweGrupy")));
    ASSERT_TRUE(wybor.WaitForCount(1));
  }
  ASSERT_TRUE(driver::WaitUntilGone(driver::FindWindowOf(L"TfrmWyborGrupy", "", instalator.id)));
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(glowne, "labNazwaGrupy")), grupa);
  driver::Answerer komunikaty(kKomunikat, "Ok", 0, instalator.id);
  ASSERT_TRUE(driver::ClickButton(glowne, "Instaluj"));
  EXPECT_EQ(instalator.WaitForExit(), 0);
  EXPECT_THAT(Teksty(komunikaty), testing::ElementsAre("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
  EXPECT_TRUE(Istnieje(programy + "\\" + grupa + "\\Kalmo.lnk"));
  EXPECT_FALSE(Istnieje(programy + "\\Kalmo\\Kalmo.lnk"));
  EXPECT_TRUE(Istnieje(autostart));
  EXPECT_THAT(Zawartosc(cel + "\\uninstall.cfg"), HasSubstr("RemoveItem Programs\\KalmoTest_Grupa_" + Pid() + " Kalmo.lnk\r\n"));

  OdinstalujKalmo();
  EXPECT_FALSE(Istnieje(programy + "\\" + grupa));
  EXPECT_FALSE(Istnieje(autostart));
  EXPECT_FALSE(Istnieje(cel));
  RemoveDirectoryW(Widen(programy + "\\" + grupa).c_str());
}

}  // namespace

namespace {


// Runs a process to its end and notes every visible window it showed, and every folder window of
// the shell that opened meanwhile (those open before it started, `juz`, aside); the exit code, or
// -1 when it did not end in time.
long BezOkien(driver::Process& proces, const std::vector<HWND>& juz, std::vector<std::string>& okna) {
  struct Zbior {
    DWORD pid;
    const std::vector<HWND>* juz;
    std::vector<std::string>* okna;
  } zbior{proces.id, &juz, &okna};
  for (DWORD start = GetTickCount(); GetTickCount() - start < driver::Timeout() * 4;) {
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
          auto* z = reinterpret_cast<Zbior*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          wchar_t klasa[64] = {};
          GetClassNameW(w, klasa, 64);
          const bool folder = lstrcmpW(klasa, L"ExplorerWClass") == 0 || lstrcmpW(klasa, L"CabinetWClass") == 0;
          const bool nowy = std::find(z->juz->begin(), z->juz->end(), w) == z->juz->end();
          if (IsWindowVisible(w) && (pid == z->pid || (folder && nowy))) z->okna->push_back(Narrow(klasa));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&zbior));
    if (WaitForSingleObject(proces.handle, 20) == WAIT_OBJECT_0) return proces.WaitForExit();
  }
  return proces.WaitForExit(1);
}

// What the unattended runs added to the log since it was this long.
std::string NowyDziennik(size_t odBajtu) {
  const std::string wszystko = Zawartosc(KatalogWindows() + "\\Instaler.log");
  return wszystko.size() > odBajtu ? cp1250::ToUtf8(wszystko.substr(odBajtu)) : std::string();
}

}  // namespace

TEST_F(InstalerE2E, CichoInstallsRepairsAndUninstallsTheDistributionWithoutAWindow) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Cichy Kalmo");
  const std::string programy = FolderPowloki(CSIDL_PROGRAMS);
  const std::string skrot = programy + "\\Kalmo\\Kalmo.lnk";
  const std::string autostart = FolderPowloki(CSIDL_STARTUP) + "\\Kalmo.lnk";
  DeleteFileW(Widen(skrot).c_str());
  DeleteFileW(Widen(autostart).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kKluczDeinstalacji).c_str());
  const size_t dziennik = Zawartosc(KatalogWindows() + "\\Instaler.log").size();

  for (int przebieg = 0; przebieg < 2; ++przebieg) {
    SCOPED_TRACE(przebieg);
    driver::Process instalator;
    std::vector<std::string> okna;
    const std::vector<HWND> juz = OknaFolderow();
    ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\" /cicho \"/katalog=" + cel + "\"", dysk, instalator));
    EXPECT_EQ(BezOkien(instalator, juz, okna), 0);
    EXPECT_THAT(okna, testing::IsEmpty());
    EXPECT_EQ(Zawartosc(cel + "\\Kalmo.exe"), Zawartosc(driver::BesideTests("Kalmo.exe")));
    EXPECT_EQ(Zawartosc(cel + "\\Hook.dll"), Zawartosc(driver::BesideTests("Hook.dll")));
    EXPECT_EQ(Zawartosc(cel + "\\uninstall.cfg"), Zawartosc(dysk + "\\uninstall.cfg"));
    EXPECT_TRUE(Istnieje(skrot));
    EXPECT_TRUE(Istnieje(autostart));
    // Installing the same version again over it repairs it.
    s.Put("Cichy Kalmo\\Kalmo.exe", "uszkodzony");
    DeleteFileW(Widen(cel + "\\Hook.dll").c_str());
  }
  std::string miejsce, cichePolecenie;
  ASSERT_TRUE(CzytajRejestr(HKEY_LOCAL_MACHINE, kKluczDeinstalacji, "InstallLocation", miejsce));
  EXPECT_EQ(miejsce, cel);
  ASSERT_TRUE(CzytajRejestr(HKEY_LOCAL_MACHINE, kKluczDeinstalacji, "QuietUninstallString", cichePolecenie));
  EXPECT_EQ(cichePolecenie, KatalogWindows() + "\\Instaler.exe  " + ZKrzyzykami(cel) + " Kalmo /cicho");
  std::string log = NowyDziennik(dziennik);
  EXPECT_THAT(log, HasSubstr("Instalacja bez okien z katalogu " + dysk + ", katalog docelowy " + cel + "."));
  EXPECT_THAT(log, HasSubstr("[informacja] Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!"));
  EXPECT_THAT(log, HasSubstr("Koniec, kod wyjścia 0 (powodzenie)."));

  // The damaged installation is whole again after the second run; then the quiet uninstall.
  s.Put("Cichy Kalmo\\Jan_arch.dat", std::string(24, '\0'));
  {
    driver::Process instalator;
    std::vector<std::string> okna;
    const std::vector<HWND> juz = OknaFolderow();
    ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\" /cicho \"/katalog=" + cel + "\"", dysk, instalator));
    EXPECT_EQ(BezOkien(instalator, juz, okna), 0);
    EXPECT_THAT(okna, testing::IsEmpty());
    EXPECT_EQ(Zawartosc(cel + "\\Kalmo.exe"), Zawartosc(driver::BesideTests("Kalmo.exe")));
    EXPECT_EQ(Zawartosc(cel + "\\Hook.dll"), Zawartosc(driver::BesideTests("Hook.dll")));
    EXPECT_EQ(Zawartosc(cel + "\\Jan_arch.dat"), std::string(24, '\0')) << "a user's data stays";
  }
  driver::Process deinstalator;
  std::vector<std::string> okna;
  const std::vector<HWND> juz = OknaFolderow();
  ASSERT_TRUE(Uruchom(cichePolecenie, "", deinstalator));
  EXPECT_EQ(BezOkien(deinstalator, juz, okna), 0);
  EXPECT_THAT(okna, testing::IsEmpty());
  EXPECT_FALSE(Istnieje(cel));
  EXPECT_FALSE(Istnieje(skrot));
  EXPECT_FALSE(Istnieje(autostart));
  EXPECT_FALSE(KluczIstnieje(HKEY_LOCAL_MACHINE, kKluczDeinstalacji));
  log = NowyDziennik(dziennik);
  EXPECT_THAT(log, HasSubstr("Deinstalacja bez okien programu Kalmo z katalogu " + cel + "."));
  EXPECT_THAT(log, HasSubstr("[informacja] Deinstalacja programu Kalmo przebiegła pomyślnie!"));
  RemoveDirectoryW(Widen(programy + "\\Kalmo").c_str());
}

TEST_F(InstalerE2E, TheUninstallerStartedWithAnotherFolderChangesNothing) {
  const std::string nazwa = "KalmoTest Inny " + Pid();
  const std::string wpis = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + nazwa;
  s.Put("Program\\uninstall.cfg", "RemoveDir\r\n");
  s.Put("Program\\gra.exe", "MZ");
  // A folder anyone could make, with a script of its own: C:\C#Tools read as C:\C Tools.
  s.Put("C Tools\\uninstall.cfg", "RemoveDir\r\n");
  const std::string cenny = s.Put("C Tools\\cenny.doc", "mine");
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(wpis).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  const std::wstring miejsce = Widen(s.Path("Program"));
  RegSetValueExW(h, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(miejsce.c_str()),
                 static_cast<DWORD>((miejsce.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  const std::string instaler = "\"" + driver::BesideTests("Instaler.exe") + "\"  ";
  const std::string odmowa = "Katalog " + s.Path("C Tools") + " nie jest katalogiem, w którym zainstalowano program " +
                             nazwa + " (" + s.Path("Program") + "). Deinstalacja nie może się rozpocząć; nic nie "
                             "zostało zmienione.";
  {
    driver::Process deinstalator;
    driver::Answerer komunikaty(kKomunikat, "Ok", 0, driver::kAnyProcess);
    driver::Answerer okno(L"TfrmDeinstalacja", "Odinstaluj", 0, driver::kAnyProcess);
    ASSERT_TRUE(Uruchom(instaler + ZKrzyzykami(s.Path("C#Tools")) + " " + ZKrzyzykami(nazwa), "", deinstalator));
    EXPECT_EQ(deinstalator.WaitForExit(), 1);
    EXPECT_THAT(Teksty(komunikaty), testing::ElementsAre(odmowa));
    EXPECT_EQ(okno.Count(), 0);
  }
  const size_t dziennik = Zawartosc(KatalogWindows() + "\\Instaler.log").size();
  driver::Process cichy;
  std::vector<std::string> okna;
  const std::vector<HWND> juz = OknaFolderow();
  ASSERT_TRUE(Uruchom(instaler + ZKrzyzykami(s.Path("C Tools")) + " " + ZKrzyzykami(nazwa) + " /cicho", "", cichy));
  EXPECT_EQ(BezOkien(cichy, juz, okna), 1);
  EXPECT_THAT(okna, testing::IsEmpty());
  EXPECT_THAT(NowyDziennik(dziennik), HasSubstr("[stop] " + odmowa));
  EXPECT_EQ(Zawartosc(cenny), "mine");
  EXPECT_TRUE(Istnieje(s.Path("C Tools\\uninstall.cfg")));
  EXPECT_TRUE(Istnieje(s.Path("Program\\gra.exe")));
  EXPECT_TRUE(KluczIstnieje(HKEY_LOCAL_MACHINE, wpis));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(wpis).c_str());
}

TEST_F(InstalerE2E, TheStagingFolderGoesWhenTheErrorDialogStopsTheProgram) {
  KopiujDystrybucje(dysk);
  const std::string cel = s.Path("Kalmo");
  // The icon's folder does not exist: its short name cannot be made, and the error dialog comes
  // while a file is staged.
  s.Put("dysk\\install.cfg", cp1250::FromUtf8("programname Kalmo\r\ndestpath " + cel + "\r\nspace 1,0\r\nmkdestdir\r\n"
                                              "file KALMO.EX_ exe\r\ncreateprogmanitem brak KALMO.exe Kalmo\r\nfinal\r\n"));
  driver::Process instalator;
  bool stagedAtTheDialog = false;
  driver::Answerer blad(
      L"TfrmKomunikatBledu", "Zatrzymaj porgram", [&](HWND) { stagedAtTheDialog = WStagingu("KALMO.exe"); }, 1,
      driver::kAnyProcess);
  ASSERT_TRUE(Uruchom("\"" + dysk + "\\Instaler.exe\"", dysk, instalator));
  instalator.WaitForExit();
  ASSERT_EQ(blad.Count(), 1);
  EXPECT_EQ(blad.Seen()[0].controls["labTresc"], "Błąd w czasie skracania ścieżki");
  EXPECT_TRUE(stagedAtTheDialog);
  EXPECT_FALSE(WStagingu("KALMO.exe")) << "the staging folder is left behind";
}
