// The real Kalmo.exe under Wine: started from a program folder of its own, driven through its main
// window's messages, read back through the registry and its data files.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/win32/Glowna.h"
#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "common/win32/Window.h"
#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"

namespace {

constexpr wchar_t kKlucz[] = L"Software\\Meltrax Software\\Kalmo\\2.0";

std::wstring W(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string U(const std::wstring& s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

struct Wartosc {
  DWORD type = 0;
  std::vector<uint8_t> data;
  std::string Text() const {  // REG_SZ as UTF-8, without the terminator
    std::wstring w(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!w.empty() && w.back() == L'\0') w.pop_back();
    return U(w);
  }
};

// Every value of the settings key, by name.
std::map<std::string, Wartosc> WartosciKlucza() {
  std::map<std::string, Wartosc> out;
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlucz, 0, KEY_READ, &h) != ERROR_SUCCESS) return out;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLen = 256, type = 0, size = 0;
    if (RegEnumValueW(h, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    Wartosc v;
    v.type = type;
    v.data.resize(size);
    DWORD got = size;
    nameLen = 256;
    RegEnumValueW(h, i, name, &nameLen, nullptr, &type, v.data.data(), &got);
    v.data.resize(got);
    out[U(name)] = v;
  }
  RegCloseKey(h);
  return out;
}

bool UstawBinarna(const char* name, const std::vector<uint8_t>& data) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlucz, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExW(h, W(name).c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

int32_t I32(const std::vector<uint8_t>& b, size_t at) {
  int32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
double F64(const std::vector<uint8_t>& b, size_t at) {
  double v = 0;
  std::memcpy(&v, b.data() + at, 8);
  return v;
}

// Today's record as stored.
struct Dzis {
  int32_t monitorowania = 0, nieprzerwanej = 0, przerwy = 0, praca = 0, przerwDzis = 0;
  double zapis = 0;
  std::vector<uint8_t> sloty;  // 288
};
bool CzytajDzis(Dzis& d) {
  auto v = WartosciKlucza();
  auto it = v.find("TodayInfo");
  if (it == v.end() || it->second.data.size() != 316) return false;
  const auto& b = it->second.data;
  d.monitorowania = I32(b, 0);
  d.nieprzerwanej = I32(b, 4);
  d.przerwy = I32(b, 8);
  d.praca = I32(b, 12);
  d.przerwDzis = I32(b, 16);
  d.zapis = F64(b, 20);
  d.sloty.assign(b.begin() + 28, b.end());
  return true;
}

// Local time as a date-time double, and its work-day form under rollover hour 4.
double Teraz() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER u;
  u.LowPart = ft.dwLowDateTime;
  u.HighPart = ft.dwHighDateTime;
  // FILETIME counts 100 ns from 1601-01-01; the date-time double counts days from 1899-12-30.
  return static_cast<double>(u.QuadPart) / 864000000000.0 - 109205.0;
}
double TerazDniaPracy() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return Teraz() - (st.wHour < 4 ? 1.0 : 0.0);
}
int SlotTeraz() {  // 1..288 of the work-day time now
  SYSTEMTIME st;
  GetLocalTime(&st);
  return (st.wHour * 60 + st.wMinute) / 5 + 1;
}

// The system's screen-saver switch, as a new process reads it.
bool WygaszaczWlaczony() {
  driver::Process p;
  return driver::Start("\"" + driver::BesideTests("StanWygaszacza.exe") + "\"", p) && p.WaitForExit() == 1;
}

// The user prefix of the data files, as the program forms it.
std::string PrefiksUzytkownika() {
  std::string name = NazwaUzytkownikaPlikow();
  return name.empty() ? "All" : name;
}

std::set<std::string> PlikiFolderu(const std::string& dir) {
  std::set<std::string> out;
  WIN32_FIND_DATAW fd;
  HANDLE f = FindFirstFileW(W(dir + "\\*").c_str(), &fd);
  if (f == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.insert(U(fd.cFileName));
  } while (FindNextFileW(f, &fd));
  FindClose(f);
  return out;
}

bool Istnieje(const std::string& path) { return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// The hidden main window of a process (hidden windows are not what the driver looks for).
int LiczOknaKlasy(const wchar_t* klasa) {
  int n = 0;
  HWND h = nullptr;
  while ((h = FindWindowExW(nullptr, h, klasa, nullptr))) ++n;
  return n;
}

bool Nacisnij(const std::string& klawisze, bool pump);

// Polls until the condition holds; false after the driver's bound.
template <class F>
bool Czekaj(F&& f) {
  DWORD start = GetTickCount();
  while (!f()) {
    if (GetTickCount() - start > driver::Timeout()) return false;
    Sleep(50);
  }
  return true;
}

// Caption and enabled state of a tray menu item, as the menu would pop up now.
struct Pozycja {
  std::string podpis;
  bool wlaczona = false;
};
Pozycja CzytajPozycje(HWND glowne, int id) {
  static UINT msg = RegisterWindowMessageW(kKomunikatPozycjiMenu);
  DWORD_PTR result = 0;
  Pozycja p;
  if (!SendMessageTimeoutW(glowne, msg, id, 0, SMTO_NORMAL, driver::Timeout(), &result) || !result) return p;
  wchar_t buf[256];
  UINT n = GlobalGetAtomNameW(static_cast<ATOM>(result), buf, 256);
  GlobalDeleteAtom(static_cast<ATOM>(result));
  std::string text = U(std::wstring(buf, n));
  auto tab = text.rfind('\t');
  if (tab == std::string::npos) return p;
  p.podpis = text.substr(0, tab);
  p.wlaczona = text.substr(tab + 1) == "1";
  return p;
}

// One Kalmo run at a time: they share the settings key and the single-instance section.
class KalmoProgram : public testing::Test {
 protected:
  wintest::BlokadaKluczaKalmo lock_;  // first member: held before the scratch folder exists
  void SetUp() override {
    ASSERT_TRUE(lock_.owned());
    RegDeleteTreeW(HKEY_CURRENT_USER, kKlucz);
    for (const char* f : {"Kalmo.exe", "Hook.dll"})
      ASSERT_TRUE(CopyFileW(W(driver::BesideTests(f)).c_str(), W(scratch_.Path(f)).c_str(), FALSE)) << f;
    prefix_ = scratch_.dir() + "\\" + PrefiksUzytkownika();
  }

  void TearDown() override {
    if (proces_.handle) {
      if (HWND h = OknoGlowneProcesu(proces_.id)) PostMessageW(h, WM_COMMAND, mnuKoniec, 0);
      proces_.WaitForExit();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kKlucz);
    // The keys above it, when nothing else lives there (RegDeleteKey refuses a key with subkeys).
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software\\Kalmo");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Meltrax Software");
  }

  // Starts Kalmo and waits until its start-up has run (the menu query answers from then on).
  HWND Uruchom(driver::Process& p) {
    if (!driver::Start("\"" + scratch_.Path("Kalmo.exe") + "\"", p)) return nullptr;
    HWND h = nullptr;
    if (!Czekaj([&] { return (h = OknoGlowneProcesu(p.id)) != nullptr && !CzytajPozycje(h, mnuKoniec).podpis.empty(); }))
      return nullptr;
    return h;
  }
  HWND Uruchom() { return Uruchom(proces_); }

  long Zakoncz() {
    HWND h = OknoGlowneProcesu(proces_.id);
    if (h) PostMessageW(h, WM_COMMAND, mnuKoniec, 0);
    long code = proces_.WaitForExit();
    CloseHandle(proces_.handle);
    proces_.handle = nullptr;
    return code;
  }

  std::string Plik(const std::string& suffix) const { return prefix_ + suffix; }

  // A text copied by another program (this one), marked with a registered format when given.
  static bool Kopiuj(const std::wstring& t, const wchar_t* znacznik = nullptr) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    if (znacznik) SetClipboardData(RegisterClipboardFormatW(znacznik), GlobalAlloc(GMEM_MOVEABLE, 1));
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (t.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(g), t.c_str(), (t.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(g);
    const bool ok = SetClipboardData(CF_UNICODETEXT, g) != nullptr;
    CloseClipboard();
    return ok;
  }
  static void WyczyscSchowek() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
  }
  // Kalmo's clipboard history window, or nullptr.
  HWND OknoSchowka() const {
    HWND schowek = nullptr;
    while ((schowek = FindWindowExW(nullptr, schowek, L"TfrmSchowek", nullptr))) {
      DWORD p = 0;
      GetWindowThreadProcessId(schowek, &p);
      if (p == proces_.id) break;
    }
    return schowek;
  }
  // The history's list is made when it is first shown: opens it with Ctrl+D and closes it with
  // Escape, so that its items can be read from then on. Kalmo's history window in `schowek`.
  bool PokazIUkryjSchowek(HWND& schowek) {
    if (!Czekaj([&] { return (schowek = OknoSchowka()) != nullptr; })) return false;
    return Nacisnij("0x11+0x44", true) &&
           Czekaj([&] { return IsWindowVisible(schowek) && GetForegroundWindow() == schowek; }) &&
           Nacisnij("0x1B", true) && Czekaj([&] { return !IsWindowVisible(schowek); });
  }
  // Waits until Kalmo's clipboard history, shown once, holds n items; its window in `schowek`.
  bool PozycjiSchowka(LRESULT n, HWND& schowek) {
    return Czekaj([&] {
      schowek = OknoSchowka();
      return schowek && SendMessageW(driver::FindChildByName(schowek, "lstSchowek"), LB_GETCOUNT, 0, 0) == n;
    });
  }
  // The texts of the history's list, as another program reads them.
  static std::vector<std::string> WpisySchowka(HWND schowek) {
    HWND lst = driver::FindChildByName(schowek, "lstSchowek");
    std::vector<std::string> w;
    const LRESULT n = SendMessageW(lst, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      std::wstring t(static_cast<size_t>(std::max<LRESULT>(SendMessageW(lst, LB_GETTEXTLEN, i, 0), 0)) + 1, L'\0');
      t.resize(static_cast<size_t>(std::max<LRESULT>(SendMessageW(lst, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t.data())), 0)));
      w.push_back(U(t));
    }
    return w;
  }
  // The texts of a message dialog of Kalmo's, answered with its button.
  struct Odpowiedz {
    std::string teksty;
    driver::Answerer answerer;
    Odpowiedz(const wchar_t* klasa, const char* przycisk, DWORD proces)
        : answerer(klasa, przycisk, [this](HWND d) {
            for (const auto& [nazwa, tekst] : driver::NamedTexts(d)) teksty += tekst + "\n";
          }, 1, proces) {}
  };

  wintest::Scratch scratch_;
  driver::Process proces_;
  std::string prefix_;
};

TEST_F(KalmoProgram, FirstStartLeavesTheFirstRunSettingsAndDataFiles) {
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(Zakoncz(), 0);

  auto v = WartosciKlucza();
  std::set<std::string> names;
  for (const auto& [name, value] : v) names.insert(name);
  EXPECT_EQ(names, (std::set<std::string>{"Aktywnosc3D", "CzasBezczynnosci", "LewyAlt", "MaksOdlozenie", "OpcjeOstrzegania",
                                          "OpcjePlikowTymczasowych", "OpcjeSchowka", "ProgramyBezPrzerw", "RejestracjaPolaczen", "TodayInfo",
                                          "Ustawienia", "ZnakiFiltrujace"}));
  EXPECT_EQ(v["CzasBezczynnosci"].type, REG_DWORD);  // idle breaks on, after five minutes
  EXPECT_EQ(v["CzasBezczynnosci"].data, (std::vector<uint8_t>{0x2C, 1, 0, 0}));
  EXPECT_EQ(v["MaksOdlozenie"].type, REG_DWORD);  // a break waits at most half an hour
  EXPECT_EQ(v["MaksOdlozenie"].data, (std::vector<uint8_t>{30, 0, 0, 0}));
  EXPECT_EQ(v["ProgramyBezPrzerw"].type, REG_SZ);
  for (const char* s : {"Aktywnosc3D", "LewyAlt", "RejestracjaPolaczen", "ZnakiFiltrujace"}) EXPECT_EQ(v[s].type, REG_SZ) << s;
  EXPECT_EQ(v["Aktywnosc3D"].Text(), "Nie");
  EXPECT_EQ(v["LewyAlt"].Text(), "Tak");
  EXPECT_EQ(v["RejestracjaPolaczen"].Text(), "Tak");
  EXPECT_EQ(v["ZnakiFiltrujace"].Text(), "-[");

  const std::map<std::string, size_t> sizes{{"OpcjeOstrzegania", 784}, {"OpcjePlikowTymczasowych", 12},
                                            {"OpcjeSchowka", 84}, {"TodayInfo", 316}, {"Ustawienia", 284}};
  for (const auto& [name, size] : sizes) {
    EXPECT_EQ(v[name].type, static_cast<DWORD>(REG_BINARY)) << name;
    ASSERT_EQ(v[name].data.size(), size) << name;
  }

  const auto& o = v["OpcjeOstrzegania"].data;
  EXPECT_EQ(o[0], 1);  // break warning on, as a window, every 5 minutes, no sound file
  EXPECT_EQ(o[1], 0);
  EXPECT_EQ(I32(o, 4), 5);
  EXPECT_EQ(o[8], 0);
  EXPECT_EQ(o[260], 1);  // end-of-work warning likewise
  EXPECT_EQ(o[261], 0);
  EXPECT_EQ(I32(o, 264), 5);
  EXPECT_EQ(o[268], 0);
  EXPECT_EQ(o[520], 0);  // no end-of-break sound, frequency 1
  EXPECT_EQ(I32(o, 524), 1);
  EXPECT_EQ(o[528], 0);
  EXPECT_EQ(o[780], 1);  // the screen saver is switched off during a break

  const auto& t = v["OpcjePlikowTymczasowych"].data;
  EXPECT_EQ(t[0], 1);
  EXPECT_EQ(t[1], 1);
  EXPECT_EQ(F64(t, 4), 0.0);

  const auto& s = v["OpcjeSchowka"].data;
  EXPECT_EQ(std::string(s.begin(), s.begin() + 14), std::string("\x0dMS Sans Serif"));
  EXPECT_EQ(I32(s, 52), 8);
  EXPECT_EQ(s[56], 0);
  EXPECT_EQ(I32(s, 60), 0);
  EXPECT_EQ(I32(s, 64), 100);
  EXPECT_EQ(I32(s, 68), 367);
  EXPECT_EQ(I32(s, 72), 10);
  EXPECT_EQ(I32(s, 80), 0xFFFFFF);

  const auto& u = v["Ustawienia"].data;
  const int32_t limits[] = {21600, 2700, 900, 10, 120, 4};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(I32(u, i * 4), limits[i]) << "field at " << i * 4;
  EXPECT_EQ(u[24], 0);  // no programs
  EXPECT_EQ(I32(u, 276), 10);
  EXPECT_EQ(I32(u, 280), 300);

  Dzis d;
  ASSERT_TRUE(CzytajDzis(d));
  EXPECT_EQ(d.monitorowania % 10, 0);
  EXPECT_EQ(d.praca, d.monitorowania);  // all of it was work
  EXPECT_EQ(d.nieprzerwanej, d.monitorowania);
  EXPECT_EQ(d.przerwy, 0);
  EXPECT_EQ(d.przerwDzis, 0);
  // Saved when the program ended, a few seconds ago, in work-day time.
  EXPECT_NEAR(d.zapis, TerazDniaPracy(), 2.0 / 1440);
  int now = SlotTeraz();
  for (int i = 1; i <= 288; ++i) {
    if (i == now || i == now - 1) continue;  // the ticks of this run
    EXPECT_EQ(d.sloty[i - 1], 2) << "slot " << i;
  }

  EXPECT_EQ(wintest::Scratch::Get(Plik("_pltym.dat")),
            "Katalog tymczasowy TEMP#T#*.*#1\r\nKatalogi kosza systemowego#K#*.*#30\r\n");
  EXPECT_EQ(wintest::Scratch::Get(Plik("_hotkey.dat")),
            cp1250::FromUtf8("Shift+Ctrl+P#Przerwa\r\nCtrl+=#Wyświetla listę monitorowanych dokumentów\r\n"
                             "Ctrl+D#Wyświetla historię schowka\r\nShift+Ctrl+I#Wyświetla informacje dnia\r\n"));
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::string mojeDokumenty = std::string(1, static_cast<char>(windows[0])) + ":\\Moje dokumenty";
  if (Istnieje(mojeDokumenty))
    EXPECT_EQ(wintest::Scratch::Get(Plik("_skroty.dat")), "Moje dokumenty#" + mojeDokumenty + "\r\n");
  else
    EXPECT_FALSE(Istnieje(Plik("_skroty.dat")));
  const std::string pre = PrefiksUzytkownika();
  std::set<std::string> expected{"Kalmo.exe", "Hook.dll", pre + "_pltym.dat", pre + "_hotkey.dat", pre + "_dok.dat"};
  if (Istnieje(mojeDokumenty)) expected.insert(pre + "_skroty.dat");
  EXPECT_EQ(PlikiFolderu(scratch_.dir()), expected);
  EXPECT_EQ(wintest::Scratch::Get(Plik("_dok.dat")), "");  // no monitored document yet
  EXPECT_FALSE(Istnieje(Plik("_arch.dat")));   // no day has ended yet
  EXPECT_FALSE(Istnieje(scratch_.Path("debugg.obj")));  // the log is switched off
}

TEST_F(KalmoProgram, SecondInstanceEndsAtOnceWithoutAWindow) {
  HWND first = Uruchom();
  ASSERT_NE(first, nullptr);
  driver::Process second;
  ASSERT_TRUE(driver::Start("\"" + scratch_.Path("Kalmo.exe") + "\"", second));
  EXPECT_EQ(second.WaitForExit(), 0);
  EXPECT_EQ(OknoGlowneProcesu(second.id), nullptr);
  EXPECT_EQ(LiczOknaKlasy(L"TfrmGlowna"), 1);
  EXPECT_TRUE(IsWindow(first));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, ScreenSaverAndPauseMessagesDriveTheAccounting) {
  // A known screen-saver timeout: 600 seconds are taken back from the work and mark three slots.
  UINT timeout = 0;
  SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &timeout, 0);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, 600, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  struct Restore {
    UINT t;
    ~Restore() { SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, t, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); }
  } restore{timeout};

  // An hour of work today, twenty minutes of it without a break: the delay has work to take.
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  std::vector<uint8_t> dzis = WartosciKlucza()["TodayInfo"].data;
  ASSERT_EQ(dzis.size(), 316u);
  const int32_t liczniki[5] = {3600, 1200, 0, 3600, 0};
  std::memcpy(dzis.data(), liczniki, sizeof liczniki);
  ASSERT_TRUE(UstawBinarna("TodayInfo", dzis));

  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  Dzis d;
  ASSERT_TRUE(CzytajDzis(d));
  ASSERT_EQ(d.przerwy, 0);

  int slotPrzed = SlotTeraz();
  ASSERT_TRUE(PostMessageW(h, WM_SCREENSAVER_STATE, 1, 0));
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.przerwy >= 600; }))
      << "break " << d.przerwy << ", work " << d.praca << ", monitored " << d.monitorowania;
  EXPECT_EQ(d.nieprzerwanej, 0);
  EXPECT_EQ(d.przerwDzis, d.przerwy);               // the delay and the ticks since are today's break
  EXPECT_EQ(d.monitorowania - d.praca, d.przerwy);  // the delay left the work time
  if (SlotTeraz() == slotPrzed && slotPrzed > 2) {
    for (int s = slotPrzed - 2; s <= slotPrzed; ++s) EXPECT_EQ(d.sloty[s - 1], 1) << "slot " << s;
  }
  const int32_t pracaWPrzerwie = d.praca;

  ASSERT_TRUE(PostMessageW(h, WM_SCREENSAVER_STATE, 0, 0));
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.przerwy == 0; }));
  // Work goes on from zero: whatever was worked since adds to both counters alike.
  EXPECT_EQ(d.praca - d.nieprzerwanej, pracaWPrzerwie);

  // A pause-key message other than 1 is ignored (sent: it has been handled when this returns).
  DWORD_PTR r = 0;
  ASSERT_TRUE(SendMessageTimeoutW(h, WM_PAUSE_KEY, 0, 0, SMTO_NORMAL, driver::Timeout(), &r));
  EXPECT_EQ(driver::FindWindowOf(L"TfrmWygaszacz", {}, proces_.id), nullptr);

  ASSERT_TRUE(PostMessageW(h, WM_PAUSE_KEY, 1, 0));
  ASSERT_NE(driver::WaitForWindow(L"TfrmWygaszacz", {}, proces_.id), nullptr);
  ASSERT_TRUE(CzytajDzis(d));
  EXPECT_EQ(d.nieprzerwanej, 0);
  EXPECT_EQ(d.przerwy % 10, 0);
  // Pause again during the break: the key reaches the break window and the hook library's
  // message the main window; the same window stays, the break counts from zero, nothing asks.
  HWND przerwa = driver::FindWindowOf(L"TfrmWygaszacz", {}, proces_.id);
  ASSERT_NE(przerwa, nullptr);
  ASSERT_TRUE(CzytajDzis(d));
  const double zapisPrzed = d.zapis;
  Sleep(20);  // a later stamp for the restart's save
  ASSERT_TRUE(PostMessageW(przerwa, WM_KEYDOWN, VK_PAUSE, 1));
  ASSERT_TRUE(PostMessageW(h, WM_PAUSE_KEY, 1, 0));
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.zapis != zapisPrzed; }));
  EXPECT_EQ(d.przerwy, 0);
  EXPECT_EQ(driver::FindWindowOf(L"TfrmKomunikat", {}, proces_.id), nullptr);
  EXPECT_EQ(LiczOknaKlasy(L"TfrmWygaszacz"), 1);
  EXPECT_TRUE(IsWindowVisible(przerwa));

  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, UnknownMessageParametersShowTheirErrors) {
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  struct Przypadek {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    const char* tekst;
    const char* miejsce;
  };
  const Przypadek przypadki[] = {
      {WM_FREE_FORM, 0, 5, "Nierozpoznany formularz do zwolnienia", "TfrmGlowna.MyFormFreeMessage"},
      {WM_BACKGROUND_TASK, 2, 0, "Nierozpoznana operacja do wykonania w tle", "TfrmGlowna.MyThreadMessage"},
      {WM_SCREENSAVER_STATE, 7, 0, "Błędny parametr komunikatu", "TfrmGlowna.MyScreenSaverStartMessage"},
  };
  for (const auto& p : przypadki) {
    std::string seen;
    driver::Answerer answer(
        L"TfrmKomunikatBledu", "Kontynuuj",
        [&](HWND dlg) {
          for (const auto& [name, text] : driver::NamedTexts(dlg)) seen += name + "=" + text + "\n";
        },
        1, proces_.id);
    ASSERT_TRUE(PostMessageW(h, p.msg, p.wp, p.lp));
    ASSERT_TRUE(answer.WaitForCount(1)) << p.tekst;
    EXPECT_NE(seen.find(p.tekst), std::string::npos) << seen;
    EXPECT_NE(seen.find(p.miejsce), std::string::npos) << seen;
  }
  // After "Kontynuuj" the program goes on.
  DWORD_PTR r = 0;
  EXPECT_TRUE(SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, driver::Timeout(), &r));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, TrayMenuCarriesHotkeysAndFollowsTheWindows) {
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  const std::map<int, std::string> podpisy{
      {mnuPomoc, "Pomoc"},
      {mnuOProgramie, "O programie..."},
      {mnuListaDokumentow, "Lista dokumentów...    (Ctrl+=)"},
      {mnuListaSkrotow, "Lista skrótów..."},
      {mnuInformacjeDnia, "Informacje dnia...    (Shift+Ctrl+I)"},
      {mnuStatystyka, "Statystyka..."},
      {mnuOpcje, "Opcje..."},
      {mnuPrzerwa, "Przerwa    (Shift+Ctrl+P)"},
      {mnuKoniec, "Koniec"},
  };
  for (const auto& [id, podpis] : podpisy) {
    Pozycja p = CzytajPozycje(h, id);
    EXPECT_EQ(p.podpis, podpis);
    // Help is enabled only where its pages are installed: not yet in this folder.
    EXPECT_EQ(p.wlaczona, id != mnuPomoc) << podpis;
  }
  ASSERT_TRUE(WriteTextLines(scratch_.Path("Pomoc.htm"), {"<html></html>"}));
  EXPECT_TRUE(CzytajPozycje(h, mnuPomoc).wlaczona);

  // The today-info window disables its item while it exists; after "Zamknij" the item is back.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuInformacjeDnia, 0));
  HWND info = driver::WaitForWindow(L"TfrmTodayInfo", {}, proces_.id);
  ASSERT_NE(info, nullptr);
  EXPECT_FALSE(CzytajPozycje(h, mnuInformacjeDnia).wlaczona);
  EXPECT_TRUE(CzytajPozycje(h, mnuStatystyka).wlaczona);
  // Its close box and Escape only hide it: the item stays usable and shows the same window again.
  ASSERT_TRUE(PostMessageW(info, WM_SYSCOMMAND, SC_CLOSE, 0));
  ASSERT_TRUE(Czekaj([&] { return !IsWindowVisible(info); }));
  EXPECT_TRUE(CzytajPozycje(h, mnuInformacjeDnia).wlaczona);
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuInformacjeDnia, 0));
  ASSERT_TRUE(Czekaj([&] { return IsWindowVisible(info) != FALSE; }));
  EXPECT_FALSE(CzytajPozycje(h, mnuInformacjeDnia).wlaczona);
  ASSERT_TRUE(PostMessageW(info, WM_COMMAND, IDCANCEL, 0));  // what Escape sends
  ASSERT_TRUE(Czekaj([&] { return !IsWindowVisible(info); }));
  EXPECT_TRUE(CzytajPozycje(h, mnuInformacjeDnia).wlaczona);
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuInformacjeDnia, 0));
  ASSERT_TRUE(Czekaj([&] { return IsWindowVisible(info) != FALSE; }));
  EXPECT_EQ(driver::FindWindowOf(L"TfrmTodayInfo", {}, proces_.id), info);
  ASSERT_TRUE(driver::ClickButton(info, "Zamknij"));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuInformacjeDnia).wlaczona; }));

  // The about window: modal, with its texts; its item is disabled while it is open.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOProgramie, 0));
  HWND about = driver::WaitForWindow(L"TfrmOProgramie", {}, proces_.id);
  ASSERT_NE(about, nullptr);
  auto texts = driver::NamedTexts(about);
  EXPECT_EQ(texts["labNazwa"], "Kalmo");
  EXPECT_EQ(texts["labWersja"], "wersja 2.02");
  EXPECT_EQ(texts["labOpis"], "ASYSTENT KOMPUTEROWY");
  EXPECT_EQ(texts["cmdZamknij"], "Zamknij");
  EXPECT_FALSE(CzytajPozycje(h, mnuOProgramie).wlaczona);
  ASSERT_TRUE(driver::ClickButton(about, "Zamknij"));
  EXPECT_TRUE(driver::WaitUntilGone(about));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuOProgramie).wlaczona; }));

  // Statistics before the first archived day: the information message, nothing else.
  {
    Odpowiedz info(L"TfrmKomunikat", "Ok", proces_.id);
    ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuStatystyka, 0));
    ASSERT_TRUE(info.answerer.WaitForCount(1));
    EXPECT_NE(info.teksty.find("Ta funkcja będzie sprawna dopiero jutro gdy program zbierze wystarczającą ilość danych."),
              std::string::npos)
        << info.teksty;
  }
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuStatystyka).wlaczona; }));

  // The document list opens once (its item waits meanwhile) and gives the item back when closed.
  {
    ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuListaDokumentow, 0));
    HWND lista = driver::WaitForWindow(L"TfrmListaDokumentow", "Lista monitorowanych dokumentów", proces_.id);
    ASSERT_NE(lista, nullptr);
    EXPECT_NE(driver::FindChildByName(lista, "lstDokumenty"), nullptr);
    EXPECT_FALSE(CzytajPozycje(h, mnuListaDokumentow).wlaczona);
    ASSERT_TRUE(PostMessageW(lista, WM_CLOSE, 0, 0));
    EXPECT_TRUE(driver::WaitUntilGone(lista));
  }
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuListaDokumentow).wlaczona; }));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, KoniecSavesTheDayThatTheTicksCounted) {
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  // Second start: one-second ticks, saved only every 120 seconds of monitoring.
  auto v = WartosciKlucza();
  std::vector<uint8_t> u = v["Ustawienia"].data;
  ASSERT_EQ(u.size(), 284u);
  int32_t one = 1;
  std::memcpy(u.data() + 12, &one, 4);
  ASSERT_TRUE(UstawBinarna("Ustawienia", u));
  std::vector<uint8_t> dzis = v["TodayInfo"].data;
  ASSERT_EQ(dzis.size(), 316u);
  std::fill(dzis.begin(), dzis.begin() + 20, 0);  // the counters start from zero
  ASSERT_TRUE(UstawBinarna("TodayInfo", dzis));

  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  Dzis d;
  // The first tick of the run saves (its monitoring count leaves remainder 1 at a 120 s pace)...
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.monitorowania % 120 == 1; }));
  const int32_t poPierwszym = d.monitorowania;
  // ...the next ones only count, until the program ends.
  Sleep(3000);
  ASSERT_TRUE(CzytajDzis(d));
  ASSERT_EQ(d.monitorowania, poPierwszym);
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(CzytajDzis(d));
  EXPECT_GT(d.monitorowania, poPierwszym);
  EXPECT_EQ(d.praca, d.monitorowania);  // all of it work
}


// Keys pressed by another program through SendInput (SendKeys.exe); true when it pressed them all.
// pump: this thread's windows get keyboard input meanwhile, so their messages must flow.
bool Nacisnij(const std::string& klawisze, bool pump = false) {
  driver::Process p;
  if (!driver::Start("\"" + driver::BesideTests("SendKeys.exe") + "\" " + klawisze, p)) return false;
  if (pump) {
    DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &p.handle, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
      if (GetTickCount() - start > driver::Timeout()) break;
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      }
    }
  }
  return p.WaitForExit() == 0;
}

TEST_F(KalmoProgram, FirstRunHotkeyFromAnotherProgramStartsTheBreak) {
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(driver::FindWindowOf(L"TfrmWygaszacz", {}, proces_.id), nullptr);
  // Shift+Ctrl+P of the first-run hotkey file: Hook.dll reports it (1679), the break window opens.
  ASSERT_TRUE(Nacisnij("0x10+0x11+0x50"));
  EXPECT_NE(driver::WaitForWindow(L"TfrmWygaszacz", {}, proces_.id), nullptr);
  EXPECT_EQ(Zakoncz(), 0);
}

// This thread's messages flow while a condition is awaited (its windows get keys meanwhile).
template <class F>
bool CzekajPompujac(F&& f) {
  return Czekaj([&] {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    return f();
  });
}

// The command line a process was started with.
std::wstring LiniaPolecenProcesu(DWORD id) {
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!p) return {};
  using Zapytaj = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  auto zapytaj = reinterpret_cast<Zapytaj>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
  std::vector<BYTE> bufor(65536);
  ULONG dlugosc = 0;
  std::wstring linia;
  constexpr ULONG kProcessCommandLineInformation = 60;
  if (zapytaj && zapytaj(p, kProcessCommandLineInformation, bufor.data(), static_cast<ULONG>(bufor.size()), &dlugosc) == 0) {
    const auto* u = reinterpret_cast<const UNICODE_STRING*>(bufor.data());
    linia.assign(u->Buffer, u->Length / sizeof(wchar_t));
  }
  // Where that class is not known: the process's parameters, through its PEB.
  PROCESS_BASIC_INFORMATION pbi{};
  if (linia.empty() && zapytaj && zapytaj(p, ProcessBasicInformation, &pbi, sizeof pbi, &dlugosc) == 0) {
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parametry{};
    SIZE_T n = 0;
    if (ReadProcessMemory(p, pbi.PebBaseAddress, &peb, sizeof peb, &n) &&
        ReadProcessMemory(p, peb.ProcessParameters, &parametry, sizeof parametry, &n)) {
      linia.resize(parametry.CommandLine.Length / sizeof(wchar_t));
      if (!ReadProcessMemory(p, parametry.CommandLine.Buffer, linia.data(), parametry.CommandLine.Length, &n))
        linia.clear();
    }
  }
  CloseHandle(p);
  return linia;
}

TEST_F(KalmoProgram, ClipboardHistoryKeepsALongCopyLeavesSecretsOutAndPastesWithCtrlV) {
  // A text left on the clipboard by an earlier test would join the history as Kalmo starts.
  WyczyscSchowek();
  // Ctrl+V bound to a break as well: the paste Kalmo presses itself must never start it.
  scratch_.Put(PrefiksUzytkownika() + "_hotkey.dat", "Ctrl+D#" + cp1250::FromUtf8("Wyświetla historię schowka") +
                                                         "\r\nCtrl+V#Przerwa\r\n");
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  // Nothing of the history's list exists until the history is first shown.
  HWND schowek = nullptr;
  ASSERT_TRUE(Czekaj([&] { return (schowek = OknoSchowka()) != nullptr; }));
  EXPECT_EQ(driver::FindChildByName(schowek, "lstSchowek"), nullptr);
  ASSERT_TRUE(PokazIUkryjSchowek(schowek));
  // Texts copied by another program (this one); one long copy empties nothing.
  ASSERT_TRUE(Kopiuj(L"Zażółć gęślą jaźń"));
  ASSERT_TRUE(PozycjiSchowka(1, schowek));
  ASSERT_TRUE(Kopiuj(L"b"));
  ASSERT_TRUE(PozycjiSchowka(2, schowek));
  // What a password manager marks never appears: the long text after it is the third item.
  ASSERT_TRUE(Kopiuj(L"tajne hasło", L"ExcludeClipboardContentFromMonitorProcessing"));
  std::wstring dlugi;
  for (int i = 0; dlugi.size() < 11000; ++i) dlugi += L"słowo" + std::to_wstring(i) + L" ";
  dlugi.resize(11000);
  ASSERT_TRUE(Kopiuj(dlugi));
  ASSERT_TRUE(PozycjiSchowka(3, schowek));
  const std::vector<std::string> wpisy = WpisySchowka(schowek);
  ASSERT_EQ(wpisy.size(), 3u);
  EXPECT_EQ(wpisy[0], "Zażółć gęślą jaźń");
  EXPECT_EQ(wpisy[1], "b");
  EXPECT_EQ(wpisy[2], U(dlugi.substr(0, 3000)) + "...");

  // A window that takes Ctrl+V and ignores WM_PASTE, as a browser does, is typed in. Ctrl+D opens
  // the history with the newest selected; Enter pastes all 11,000 characters of it there.
  wintest::OknoCtrlV przegladarka;
  SetForegroundWindow(przegladarka.okno());
  ASSERT_TRUE(Nacisnij("0x11+0x44", true));
  ASSERT_TRUE(Czekaj([&] { return IsWindowVisible(schowek) != FALSE; }));
  ASSERT_TRUE(Czekaj([&] { return GetForegroundWindow() == schowek; }));
  ASSERT_TRUE(Nacisnij("0x0D", true));
  EXPECT_TRUE(CzekajPompujac([&] { return przegladarka.wklejone() == dlugi; })) << przegladarka.wklejone().size();
  EXPECT_EQ(przegladarka.wmPaste(), 0);
  EXPECT_FALSE(IsWindowVisible(schowek));
  EXPECT_EQ(driver::FindWindowOf(L"TfrmWygaszacz", {}, proces_.id), nullptr);

  // An edit control gets an earlier text the same way: Up, Enter.
  HWND okno = CreateWindowExW(0, L"STATIC", L"Edytor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 120, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND pole = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 380, 24, okno, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(okno);
  SetFocus(pole);
  ASSERT_TRUE(Nacisnij("0x11+0x44", true));
  ASSERT_TRUE(Czekaj([&] { return IsWindowVisible(schowek) != FALSE && GetForegroundWindow() == schowek; }));
  ASSERT_TRUE(Nacisnij("0x26 0x26 0x0D", true));
  auto tekst = [&] {
    wchar_t buf[256] = {};
    GetWindowTextW(pole, buf, 256);
    return std::wstring(buf);
  };
  EXPECT_TRUE(CzekajPompujac([&] { return tekst() == L"Zażółć gęślą jaźń"; })) << U(tekst());
  EXPECT_FALSE(IsWindowVisible(schowek));
  DestroyWindow(okno);
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, ClipboardHistorySearchesWhatIsTypedAndClearsAfterAQuestion) {
  WyczyscSchowek();
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  HWND schowek = nullptr;
  ASSERT_TRUE(PokazIUkryjSchowek(schowek));
  const wchar_t* teksty[] = {L"Ząbek", L"dąb", L"ZĄB mądrości", L"zęby"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(Kopiuj(teksty[i]));
    ASSERT_TRUE(PozycjiSchowka(i + 1, schowek));
  }
  wintest::OknoCtrlV przegladarka;
  SetForegroundWindow(przegladarka.okno());
  ASSERT_TRUE(Nacisnij("0x11+0x44", true));
  ASSERT_TRUE(Czekaj([&] { return IsWindowVisible(schowek) != FALSE && GetForegroundWindow() == schowek; }));
  HWND szukaj = driver::FindChildByName(schowek, "labSzukaj");
  ASSERT_NE(szukaj, nullptr);

  // "ząb" typed on the keyboard leaves the items that contain it, in any letter case.
  ASSERT_TRUE(Nacisnij("u0x7A u0x105 u0x62", true));
  EXPECT_TRUE(Czekaj([&] { return WpisySchowka(schowek) == std::vector<std::string>{"Ząbek", "ZĄB mądrości"}; }));
  EXPECT_EQ(driver::ReadText(szukaj), " Szukaj: ząb   (2 z 4)");
  // Backspace edits the search: "z" finds three.
  ASSERT_TRUE(Nacisnij("0x08 0x08", true));
  EXPECT_TRUE(Czekaj([&] { return WpisySchowka(schowek).size() == 3; }));
  // Delete removes the selected one, the newest found.
  ASSERT_TRUE(Nacisnij("0x2E", true));
  EXPECT_TRUE(Czekaj([&] { return WpisySchowka(schowek) == std::vector<std::string>{"Ząbek", "ZĄB mądrości"}; }));
  // Ctrl+Delete clears the whole history after a question.
  {
    Odpowiedz pytanie(L"TfrmKomunikat", "Tak", proces_.id);
    ASSERT_TRUE(Nacisnij("0x11+0x2E", true));
    ASSERT_TRUE(pytanie.answerer.WaitForCount(1));
    EXPECT_NE(pytanie.teksty.find("Usunąć wszystkie teksty z historii schowka?"), std::string::npos) << pytanie.teksty;
  }
  EXPECT_TRUE(Czekaj([&] { return WpisySchowka(schowek).empty(); }));
  // The history keeps the keyboard: Escape closes it, nothing pasted.
  ASSERT_TRUE(Czekaj([&] { return GetForegroundWindow() == schowek; }));
  ASSERT_TRUE(Nacisnij("0x1B", true));
  EXPECT_TRUE(CzekajPompujac([&] { return !IsWindowVisible(schowek); }));
  EXPECT_TRUE(przegladarka.wklejone().empty());
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, ShortcutsKeepAFolderWithAHashAndTheListChosenWithEnterWaitsForItsOwnKey) {
  const std::string projekt = scratch_.Path("Dev\\C#\\App");
  const std::string nowy = scratch_.Path("Nowy");
  for (const std::string& f : {scratch_.Path("Dev"), scratch_.Path("Dev\\C#"), projekt, nowy})
    ASSERT_TRUE(CreateDirectoryW(W(f).c_str(), nullptr)) << f;
  ASSERT_TRUE(WriteTextLines(Plik("_skroty.dat"), {"Proj#" + projekt}));
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);

  // A shortcut added on "Skróty" and "OK": the line with "#" in its folder stays whole.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOpcje, 0));
  HWND opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
  ASSERT_NE(opcje, nullptr);
  {
    driver::Answerer skrot(L"TfrmSkrot", "OK", [&](HWND d) {
      SetWindowTextW(driver::FindChildByName(d, "tbNazwaSkrotu"), L"Nowy");
      SetWindowTextW(driver::FindChildByName(d, "tbLokalizacjaFolderu"), W(nowy).c_str());
    }, 1, proces_.id);
    HWND przycisk = driver::FindChildByName(opcje, "cmdNowySkrot");
    ASSERT_NE(przycisk, nullptr);
    ASSERT_TRUE(PostMessageW(GetParent(przycisk), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(przycisk), BN_CLICKED),
                             reinterpret_cast<LPARAM>(przycisk)));
    ASSERT_TRUE(skrot.WaitForCount(1));
  }
  ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  TStringList linie;
  ASSERT_TRUE(ReadTextLines(Plik("_skroty.dat"), linie));
  EXPECT_EQ(linie, (TStringList{"Proj#" + projekt, "Nowy#" + nowy}));

  // The list chosen with Enter, as in the tray menu: the key went down elsewhere, its release
  // reaches the list, which opens nothing and waits.
  ASSERT_TRUE(Nacisnij("v0x0D"));
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuListaSkrotow, 0));
  HWND lista = driver::WaitForWindow(L"TfrmListaSkrotow", "Lista skrótów folderów", proces_.id);
  ASSERT_NE(lista, nullptr);
  HWND lst = driver::FindChildByName(lista, "lstSkroty");
  EXPECT_EQ(SendMessageW(lst, LB_GETCOUNT, 0, 0), 2);
  ASSERT_TRUE(Czekaj([&] { return GetForegroundWindow() == lista; }));
  ASSERT_TRUE(Nacisnij("^0x0D 0x28"));  // Enter released, then Down: the list is still there
  ASSERT_TRUE(Czekaj([&] { return SendMessageW(lst, LB_GETCURSEL, 0, 0) == 1; }));
  EXPECT_TRUE(IsWindowVisible(lista));
  ASSERT_TRUE(Nacisnij("0x31"));  // "1": the folder with "#"
  EXPECT_TRUE(driver::WaitUntilGone(lista));
  // Kalmo started the explorer for that folder.
  DWORD eksplorator = 0;
  EXPECT_TRUE(Czekaj([&] {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
      if (pe.th32ParentProcessID == proces_.id && _wcsicmp(pe.szExeFile, L"explorer.exe") == 0)
        eksplorator = pe.th32ProcessID;
    CloseHandle(snap);
    return eksplorator != 0;
  }));
  const std::wstring linia = LiniaPolecenProcesu(eksplorator);
  EXPECT_NE(linia.find(L"/e,\"" + W(projekt) + L"\""), std::wstring::npos) << U(linia);
  if (HANDLE e = OpenProcess(PROCESS_TERMINATE, FALSE, eksplorator)) {
    TerminateProcess(e, 0);
    CloseHandle(e);
  }
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, EachUserKeepsTheirOwnDataFilesAndAFirstRunKeepsExistingOnes) {
  HKEY logon = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Network\\Logon", 0, KEY_READ, &logon) == ERROR_SUCCESS) {
    RegCloseKey(logon);
    GTEST_SKIP() << "this Windows names its user under Network\\Logon";
  }
  // The logon user's own name, not "Unknown" for everyone.
  const std::string ja = PrefiksUzytkownika();
  ASSERT_NE(ja, "Unknown");
  ASSERT_NE(ja, "All");
  // A user whose settings were removed: their hotkeys and cleanup rules stay as they were.
  const std::string klawisze = "Ctrl+F1#Przerwa\r\n";
  const std::string reguly = "Moje pliki#C:\\Tymczasowe#*.tmp#3\r\n";
  scratch_.Put(ja + "_hotkey.dat", klawisze);
  scratch_.Put(ja + "_pltym.dat", reguly);
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(CzytajPozycje(h, mnuPrzerwa).podpis, "Przerwa    (Ctrl+F1)");
  ASSERT_EQ(Zakoncz(), 0);
  EXPECT_EQ(wintest::Scratch::Get(Plik("_hotkey.dat")), klawisze);
  EXPECT_EQ(wintest::Scratch::Get(Plik("_pltym.dat")), reguly);
  EXPECT_TRUE(Istnieje(Plik("_dok.dat")));

  // A second user of the same program folder starts for the first time: files of their own.
  // (Wine runs every process as one logon user; the second one is named the way the older
  // family of Windows names its user.)
  RegDeleteTreeW(HKEY_CURRENT_USER, kKlucz);
  HKEY klucz = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Network\\Logon", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &klucz,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(klucz, L"USERNAME", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"Druga"), sizeof(L"Druga"));
  RegCloseKey(klucz);
  struct Usun {
    ~Usun() {
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Network\\Logon");
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Network");
    }
  } usun;
  HWND drugi = Uruchom();
  ASSERT_NE(drugi, nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  const std::string druga = scratch_.dir() + "\\Druga";
  EXPECT_EQ(wintest::Scratch::Get(druga + "_hotkey.dat"),
            cp1250::FromUtf8("Shift+Ctrl+P#Przerwa\r\nCtrl+=#Wyświetla listę monitorowanych dokumentów\r\n"
                             "Ctrl+D#Wyświetla historię schowka\r\nShift+Ctrl+I#Wyświetla informacje dnia\r\n"));
  EXPECT_TRUE(Istnieje(druga + "_pltym.dat"));
  EXPECT_TRUE(Istnieje(druga + "_dok.dat"));
  EXPECT_EQ(wintest::Scratch::Get(Plik("_hotkey.dat")), klawisze);  // the first user's stay theirs
  EXPECT_EQ(wintest::Scratch::Get(Plik("_pltym.dat")), reguly);
}

// The screen saver switched on for the test and put back afterwards.
class KalmoWygaszacz : public KalmoProgram {
 protected:
  void SetUp() override {
    KalmoProgram::SetUp();
    BOOL on = TRUE;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0);
    byl_ = on;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDCHANGE));
    ASSERT_TRUE(WygaszaczWlaczony());
  }
  void TearDown() override {
    KalmoProgram::TearDown();
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, byl_, nullptr, SPIF_SENDCHANGE);
  }
  // Starts Kalmo and a break from the tray menu; true when the break switched the saver off.
  bool UruchomPrzerwe() {
    HWND h = Uruchom();
    if (!h || !PostMessageW(h, WM_COMMAND, mnuPrzerwa, 0)) return false;
    if (!driver::WaitForWindow(L"TfrmWygaszacz", {}, proces_.id)) return false;
    return !WygaszaczWlaczony();
  }
  BOOL byl_ = TRUE;
};

TEST_F(KalmoWygaszacz, KoniecDuringABreakGivesTheScreenSaverBack) {
  ASSERT_TRUE(UruchomPrzerwe());
  ASSERT_EQ(Zakoncz(), 0);
  EXPECT_TRUE(WygaszaczWlaczony());
}

TEST_F(KalmoWygaszacz, LogoffDuringABreakGivesTheScreenSaverBack) {
  ASSERT_TRUE(UruchomPrzerwe());
  // Windows ends the process after WM_ENDSESSION: nothing after the message runs.
  DWORD_PTR r = 0;
  ASSERT_TRUE(SendMessageTimeoutW(OknoGlowneProcesu(proces_.id), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, driver::Timeout(), &r));
  TerminateProcess(proces_.handle, 0);
  proces_.WaitForExit();
  EXPECT_TRUE(WygaszaczWlaczony());
}

}  // namespace

// Every value of the settings key but today's running record, which the ticks keep saving.
static std::map<std::string, std::vector<uint8_t>> Ustawienia() {
  std::map<std::string, std::vector<uint8_t>> out;
  for (auto& [nazwa, w] : WartosciKlucza())
    if (nazwa != "TodayInfo") out[nazwa] = w.data;
  return out;
}

TEST_F(KalmoProgram, OptionsOpenFromTheTrayStoreAllOrNothingAndAChangedHotkeyWorksAtOnce) {
  ASSERT_TRUE(WriteTextLines(Plik("_skroty.dat"), {"Foldery programu#" + scratch_.dir()}));
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  TStringList klawiszePrzed;
  ASSERT_TRUE(ReadTextLines(Plik("_hotkey.dat"), klawiszePrzed));

  // The tray command opens the dialog; its item waits while it is open; "Anuluj" stores nothing.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOpcje, 0));
  HWND opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
  ASSERT_NE(opcje, nullptr);
  // Loading creates the values a first run did not write, with their defaults.
  const auto przed = Ustawienia();
  EXPECT_FALSE(CzytajPozycje(h, mnuOpcje).wlaczona);
  ASSERT_TRUE(driver::ClickButton(opcje, "Anuluj"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuOpcje).wlaczona; }));
  EXPECT_EQ(Ustawienia(), przed);

  // A double click on the tray icon opens it too. A warnings page that does not validate keeps
  // it open with its warning, and nothing of any page is stored.
  ASSERT_TRUE(PostMessageW(h, kalmo::TfrmGlowna::WM_NOTIFYICON, 0, WM_LBUTTONDBLCLK));
  opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
  ASSERT_NE(opcje, nullptr);
  HWND hkSkroty = driver::FindChildByName(opcje, "hkSkroty");
  ASSERT_NE(hkSkroty, nullptr);
  SendMessageW(hkSkroty, HKM_SETHOTKEY, MAKEWORD('L', HOTKEYF_SHIFT | HOTKEYF_CONTROL), 0);  // "OK" sets it
  HWND przerwa = driver::FindChildByName(opcje, "chbOstrzeganieNaPrzerwe");
  ASSERT_NE(przerwa, nullptr);
  if (SendMessageW(przerwa, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageW(przerwa, BM_CLICK, 0, 0);
  HWND czestotliwosc = driver::FindChildByName(opcje, "tbCzestotliwoscPrzypomnienPrzerwa");
  ASSERT_NE(czestotliwosc, nullptr);
  SendMessageW(czestotliwosc, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  {
    Odpowiedz uwaga(L"TfrmKomunikat", "Ok", proces_.id);
    ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
    ASSERT_TRUE(uwaga.answerer.WaitForCount(1));
    EXPECT_NE(uwaga.teksty.find("Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!"),
              std::string::npos)
        << uwaga.teksty;
  }
  EXPECT_TRUE(IsWindowVisible(opcje));
  EXPECT_EQ(Ustawienia(), przed);
  TStringList klawisze;
  ASSERT_TRUE(ReadTextLines(Plik("_hotkey.dat"), klawisze));
  EXPECT_EQ(klawisze, klawiszePrzed);

  // Mended, "OK" stores every page: the new key is in the menu and works at once.
  SendMessageW(czestotliwosc, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7"));
  ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuListaSkrotow).podpis == "Lista Skrótów...    (Shift+Ctrl+L)"; }))
      << CzytajPozycje(h, mnuListaSkrotow).podpis;
  ASSERT_TRUE(ReadTextLines(Plik("_hotkey.dat"), klawisze));
  EXPECT_EQ(klawisze.size(), klawiszePrzed.size() + 1);
  ASSERT_TRUE(Nacisnij("0x10+0x11+0x4C"));
  HWND lista = driver::WaitForWindow(L"TfrmListaSkrotow", "Lista skrótów folderów", proces_.id);
  ASSERT_NE(lista, nullptr);

  // The list's "Opcje" opens the dialog on "Skróty", above the list that stays on top.
  ASSERT_TRUE(PostMessageW(lista, WM_COMMAND, 201, 0));
  opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
  ASSERT_NE(opcje, nullptr);
  EXPECT_EQ(SendMessageW(driver::FindChildByName(opcje, "Notes"), TCM_GETCURSEL, 0, 0), 6);
  EXPECT_TRUE(GetWindowLongPtrW(opcje, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowEnabled(lista));
  // Its advanced options open in front of it: owned by it, on top, and what is under their middle.
  HWND przycisk = driver::FindChildByName(opcje, "cmdOpcjeZaawansowane");
  ASSERT_NE(przycisk, nullptr);
  ASSERT_TRUE(PostMessageW(GetParent(przycisk), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(przycisk), BN_CLICKED),
                           reinterpret_cast<LPARAM>(przycisk)));
  HWND zaawansowane = driver::WaitForWindow(L"TfrmOpcjeZaawansowane", "Opcje zaawansowane", proces_.id);
  ASSERT_NE(zaawansowane, nullptr);
  EXPECT_EQ(GetWindow(zaawansowane, GW_OWNER), opcje);
  EXPECT_TRUE(GetWindowLongPtrW(zaawansowane, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowEnabled(opcje));
  RECT r{};
  GetWindowRect(zaawansowane, &r);
  EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), GA_ROOT), zaawansowane);
  ASSERT_TRUE(driver::ClickButton(zaawansowane, "Anuluj"));
  ASSERT_TRUE(driver::WaitUntilGone(zaawansowane));
  EXPECT_TRUE(Czekaj([&] { return IsWindowEnabled(opcje) != FALSE; }));
  ASSERT_TRUE(driver::ClickButton(opcje, "Anuluj"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  EXPECT_TRUE(Czekaj([&] { return IsWindowEnabled(lista) != FALSE; }));
  PostMessageW(lista, WM_CLOSE, 0, 0);
  EXPECT_TRUE(driver::WaitUntilGone(lista));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, OptionsOverADamagedClipboardRecordKeepTheHistoryCollectingWithFirstRunValues) {
  WyczyscSchowek();
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  // Damaged while Kalmo runs (its history goes on with what it read at the start).
  ASSERT_TRUE(UstawBinarna("OpcjeSchowka", {1, 2, 3}));
  HWND opcje = nullptr;
  {
    Odpowiedz blad(L"TfrmKomunikatBledu", "Kontynuuj", proces_.id);
    ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOpcje, 0));
    ASSERT_TRUE(blad.answerer.WaitForCount(1));
    EXPECT_NE(blad.teksty.find("OpcjeSchowka"), std::string::npos) << blad.teksty;
    opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
    ASSERT_NE(opcje, nullptr);
  }
  // The page shows the first-run values, and "OK" stores them.
  EXPECT_EQ(SendMessageW(driver::FindChildByName(opcje, "chbSchowekAktywny"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(opcje, "spnBuforSchowka")), "10");
  ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  const auto& s = WartosciKlucza()["OpcjeSchowka"].data;
  ASSERT_EQ(s.size(), 84u);
  EXPECT_EQ(s[76], 1);  // active
  EXPECT_EQ(I32(s, 72), 10);
  EXPECT_EQ(I32(s, 64), 100);
  EXPECT_EQ(I32(s, 68), 367);
  EXPECT_EQ(I32(s, 80), 0xFFFFFF);
  EXPECT_EQ(WartosciKlucza()["OpcjeSchowkaUszkodzony"].data, (std::vector<uint8_t>{1, 2, 3}));
  // The history still collects what is copied.
  HWND schowek = nullptr;
  ASSERT_TRUE(Kopiuj(L"po opcjach"));
  ASSERT_TRUE(PokazIUkryjSchowek(schowek));
  EXPECT_TRUE(PozycjiSchowka(1, schowek));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, OptionsKeepAHotkeyFileThatCannotBeReadOrWritten) {
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  const std::string plik = Plik("_hotkey.dat");
  const std::string przed = wintest::Scratch::Get(plik);
  auto zablokuj = [&] {
    return CreateFileW(W(plik).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);  // no sharing
  };

  // Held by another program as the dialog opens: said once, and the hotkeys are read-only.
  HANDLE blokada = zablokuj();
  ASSERT_NE(blokada, INVALID_HANDLE_VALUE);
  HWND opcje = nullptr;
  {
    Odpowiedz uwaga(L"TfrmKomunikat", "Ok", proces_.id);
    ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOpcje, 0));
    opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
    ASSERT_NE(opcje, nullptr);
    ASSERT_TRUE(uwaga.answerer.WaitForCount(1));
    EXPECT_NE(uwaga.teksty.find("Nie można odczytać pliku gorących klawiszy:"), std::string::npos) << uwaga.teksty;
    EXPECT_NE(uwaga.teksty.find(plik), std::string::npos) << uwaga.teksty;
  }
  for (const char* n : {"grdGoraceKlawisze", "cmdDodajGoracyKlawisz", "cmdUsunGoracyKlawisz", "hkSchowek", "hkSkroty"})
    EXPECT_FALSE(IsWindowEnabled(driver::FindChildByName(opcje, n))) << n;
  EXPECT_TRUE(IsWindowEnabled(driver::FindChildByName(opcje, "chbLewyAlt")));
  ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  CloseHandle(blokada);
  EXPECT_EQ(wintest::Scratch::Get(plik), przed);

  // Held after the dialog opened: "OK" says the file was not stored and the dialog stays open;
  // let go, "OK" stores it and the menu shows the new key.
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuOpcje, 0));
  opcje = driver::WaitForWindow(L"TfrmOpcje", "Opcje", proces_.id);
  ASSERT_NE(opcje, nullptr);
  SendMessageW(driver::FindChildByName(opcje, "hkSkroty"), HKM_SETHOTKEY, MAKEWORD('L', HOTKEYF_SHIFT | HOTKEYF_CONTROL),
               0);
  blokada = zablokuj();
  ASSERT_NE(blokada, INVALID_HANDLE_VALUE);
  {
    Odpowiedz blad(L"TfrmKomunikat", "Ok", proces_.id);
    ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
    ASSERT_TRUE(blad.answerer.WaitForCount(1));
    EXPECT_NE(blad.teksty.find("Nie zapisano:"), std::string::npos) << blad.teksty;
    EXPECT_NE(blad.teksty.find(plik), std::string::npos) << blad.teksty;
  }
  EXPECT_TRUE(IsWindowVisible(opcje));
  EXPECT_EQ(CzytajPozycje(h, mnuListaSkrotow).podpis, "Lista skrótów...");
  CloseHandle(blokada);
  EXPECT_EQ(wintest::Scratch::Get(plik), przed);
  ASSERT_TRUE(driver::ClickButton(opcje, "OK"));
  ASSERT_TRUE(driver::WaitUntilGone(opcje));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuListaSkrotow).podpis == "Lista Skrótów...    (Shift+Ctrl+L)"; }));
  EXPECT_NE(wintest::Scratch::Get(plik).find("Shift+Ctrl+L#"), std::string::npos);
  EXPECT_EQ(Zakoncz(), 0);
}

namespace {

bool UstawDword(const char* name, DWORD v) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKlucz, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExW(h, W(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

// A tick and a save every second, so that the stored record follows the running day.
bool UstawSzybkieTiki() {
  std::vector<uint8_t> l = WartosciKlucza()["Ustawienia"].data;
  if (l.size() != 284) return false;
  const int32_t co[2] = {1, 1};  // CzestotliwoscMonitorowania, CzestotliwoscZapisywania
  std::memcpy(l.data() + 12, co, sizeof co);
  return UstawBinarna("Ustawienia", l);
}

}  // namespace

TEST_F(KalmoProgram, NoInputForTheIdleTimeIsABreakAndTheNextInputEndsIt) {
  ASSERT_NE(Uruchom(), nullptr);  // the first run makes the settings
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(UstawSzybkieTiki());
  ASSERT_TRUE(UstawDword("CzasBezczynnosci", 5));
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_TRUE(Nacisnij("0x10"));  // a fresh session looks idle: a key first
  Dzis d;
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.praca >= 2 && d.przerwy == 0; }));
  // Five seconds without a key or the mouse: the idle time is break, stored at once.
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.przerwy >= 5; })) << "work " << d.praca;
  EXPECT_EQ(d.nieprzerwanej, 0);
  EXPECT_GE(d.przerwDzis, 5);
  ASSERT_TRUE(Nacisnij("0x10"));
  ASSERT_TRUE(Czekaj([&] { return CzytajDzis(d) && d.przerwy == 0 && d.nieprzerwanej > 0; }));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, LockAndSleepMessagesStartAndEndBreaks) {
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(UstawSzybkieTiki());
  ASSERT_TRUE(UstawDword("CzasBezczynnosci", 0));  // only the messages break
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  Dzis d;
  auto wPrzerwie = [&] { return CzytajDzis(d) && d.przerwy >= 2; };
  auto wPracy = [&] { return CzytajDzis(d) && d.przerwy == 0 && d.nieprzerwanej >= 2; };
  ASSERT_TRUE(Czekaj(wPracy));
  ASSERT_TRUE(PostMessageW(h, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0));
  ASSERT_TRUE(Czekaj(wPrzerwie));
  ASSERT_TRUE(PostMessageW(h, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0));
  ASSERT_TRUE(Czekaj(wPracy));
  ASSERT_TRUE(PostMessageW(h, WM_POWERBROADCAST, PBT_APMSUSPEND, 0));
  ASSERT_TRUE(Czekaj(wPrzerwie));
  ASSERT_TRUE(PostMessageW(h, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0));
  ASSERT_TRUE(Czekaj(wPracy));
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, APauseFromTheTrayKeepsTheReminderAwayUntilItEnds) {
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(UstawSzybkieTiki());
  std::vector<uint8_t> l = WartosciKlucza()["Ustawienia"].data;
  const int32_t doPrzerwy = 1;  // a break is due from the first tick
  std::memcpy(l.data() + 4, &doPrzerwy, 4);
  ASSERT_TRUE(UstawBinarna("Ustawienia", l));
  std::vector<uint8_t> o = WartosciKlucza()["OpcjeOstrzegania"].data;
  ASSERT_EQ(o.size(), 784u);
  const int32_t co = 0;  // a reminder window on every tick it is due
  std::memcpy(o.data() + 4, &co, 4);
  ASSERT_TRUE(UstawBinarna("OpcjeOstrzegania", o));
  // A pause stored before the start, ending in six seconds: a restart keeps it.
  const double koniec = Teraz() + 6.0 / 86400.0;
  std::vector<uint8_t> b(8);
  std::memcpy(b.data(), &koniec, 8);
  ASSERT_TRUE(UstawBinarna("WstrzymaneDo", b));

  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(CzytajPozycje(h, mnuWznow).wlaczona);
  Sleep(3000);
  EXPECT_EQ(driver::FindWindowOf(L"TfrmPrzypomnienie", {}, proces_.id), nullptr);
  // It ends by itself and the reminder comes.
  HWND przypomnienie = driver::WaitForWindow(L"TfrmPrzypomnienie", {}, proces_.id);
  ASSERT_NE(przypomnienie, nullptr);
  EXPECT_GE(Teraz(), koniec);
  EXPECT_FALSE(CzytajPozycje(h, mnuWznow).wlaczona);

  // "Wstrzymaj przypomnienia" - "30 minut" from the tray menu, and "Wznów przypomnienia".
  ASSERT_TRUE(driver::ClickButton(przypomnienie, "Anuluj"));
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuWstrzymaj30, 0));
  ASSERT_TRUE(Czekaj([&] { return CzytajPozycje(h, mnuWznow).wlaczona; }));
  double zapisane = 0;
  std::memcpy(&zapisane, WartosciKlucza()["WstrzymaneDo"].data.data(), 8);
  EXPECT_NEAR(zapisane, Teraz() + 30.0 / 1440.0, 10.0 / 86400.0);
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuWznow, 0));
  ASSERT_TRUE(Czekaj([&] { return !CzytajPozycje(h, mnuWznow).wlaczona; }));
  EXPECT_EQ(Zakoncz(), 0);
}

namespace {

// A break due from the first tick, and a reminder window on every tick it is due.
bool UstawPrzypomnienieOdRazu() {
  if (!UstawSzybkieTiki()) return false;
  std::vector<uint8_t> l = WartosciKlucza()["Ustawienia"].data;
  const int32_t doPrzerwy = 1;
  std::memcpy(l.data() + 4, &doPrzerwy, 4);
  std::vector<uint8_t> o = WartosciKlucza()["OpcjeOstrzegania"].data;
  if (o.size() != 784) return false;
  const int32_t co = 0;
  std::memcpy(o.data() + 4, &co, 4);
  return UstawBinarna("Ustawienia", l) && UstawBinarna("OpcjeOstrzegania", o);
}

void Pompuj() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// A program's use of the microphone, as the system records it.
constexpr wchar_t kMikrofonTestu[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone\\NonPackaged\\"
    L"C:#KalmoTests#Rozmowa.exe";
bool UzycieMikrofonu(ULONGLONG start, ULONGLONG stop) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kMikrofonTestu, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok =
      RegSetValueExW(k, L"LastUsedTimeStart", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&start), 8) == ERROR_SUCCESS &&
      RegSetValueExW(k, L"LastUsedTimeStop", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&stop), 8) == ERROR_SUCCESS;
  RegCloseKey(k);
  return ok;
}

}  // namespace

TEST_F(KalmoProgram, AFullScreenWindowOrTheMicrophoneKeepsADueReminderAwayUntilTheyEnd) {
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(UstawPrzypomnienieOdRazu());
  // A borderless window at the screen's rectangle in front: a presentation, a film.
  HWND pelny = CreateWindowExW(0, L"STATIC", L"Pokaz slajdów", WS_POPUP | WS_VISIBLE, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(pelny, nullptr);
  SetForegroundWindow(pelny);
  Pompuj();
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, 0).podpis == "Przerwa odłożona: pełny ekran"; }));
  Sleep(2000);
  EXPECT_EQ(driver::FindWindowOf(L"TfrmPrzypomnienie", {}, proces_.id), nullptr);
  DestroyWindow(pelny);  // the presentation ends: the reminder comes
  HWND przypomnienie = driver::WaitForWindow(L"TfrmPrzypomnienie", {}, proces_.id);
  ASSERT_NE(przypomnienie, nullptr);
  EXPECT_EQ(CzytajPozycje(h, 0).podpis.rfind("Praca: ", 0), 0u);

  // A call: a program starts using the microphone and has not stopped.
  ASSERT_TRUE(UzycieMikrofonu(133500000000000000ull, 0));
  ASSERT_TRUE(driver::ClickButton(przypomnienie, "Anuluj"));
  ASSERT_TRUE(driver::WaitUntilGone(przypomnienie));
  EXPECT_TRUE(Czekaj([&] { return CzytajPozycje(h, 0).podpis == "Przerwa odłożona: rozmowa"; }));
  Sleep(2000);
  EXPECT_EQ(driver::FindWindowOf(L"TfrmPrzypomnienie", {}, proces_.id), nullptr);
  ASSERT_TRUE(UzycieMikrofonu(133500000000000000ull, 133500000100000000ull));  // the call ends
  EXPECT_NE(driver::WaitForWindow(L"TfrmPrzypomnienie", {}, proces_.id), nullptr);
  RegDeleteTreeW(HKEY_CURRENT_USER,
                 L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone");
  EXPECT_EQ(Zakoncz(), 0);
}

TEST_F(KalmoProgram, TypingInAnotherProgramGoesOnThereWhileAReminderAppears) {
  ASSERT_NE(Uruchom(), nullptr);
  ASSERT_EQ(Zakoncz(), 0);
  ASSERT_TRUE(UstawPrzypomnienieOdRazu());
  HWND okno = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_AUTOHSCROLL, 40, 40, 500, 80,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(okno, nullptr);
  SetForegroundWindow(okno);
  SetFocus(okno);
  Pompuj();
  ASSERT_NE(Uruchom(), nullptr);
  // Keys go on being pressed until the reminder is there, and after it.
  std::string napisane;
  for (int i = 0; i < 100 && !driver::FindWindowOf(L"TfrmPrzypomnienie", {}, proces_.id); ++i) {
    ASSERT_TRUE(Nacisnij("0x41 0x42 0x43", true));
    napisane += "abc";
  }
  ASSERT_NE(driver::FindWindowOf(L"TfrmPrzypomnienie", {}, proces_.id), nullptr);
  ASSERT_TRUE(Nacisnij("0x44 0x45 0x46", true));
  napisane += "def";
  Pompuj();
  wchar_t tekst[1024] = {};
  GetWindowTextW(okno, tekst, 1024);
  EXPECT_EQ(win::Narrow(tekst, static_cast<int>(wcslen(tekst))), napisane);
  EXPECT_EQ(GetForegroundWindow(), okno);
  EXPECT_EQ(GetFocus(), okno);
  DestroyWindow(okno);
  EXPECT_EQ(Zakoncz(), 0);
}

namespace {

using Prostokaty = std::set<std::tuple<long, long, long, long>>;

Prostokaty Monitory() {
  Prostokaty m;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR h, HDC, LPRECT, LPARAM lp) -> BOOL {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(h, &mi))
          reinterpret_cast<Prostokaty*>(lp)->insert({mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right,
                                                     mi.rcMonitor.bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&m));
  return m;
}

// The visible black windows of the break in a process: the break window and its covers.
std::vector<HWND> OknaPrzerwy(DWORD proces) {
  std::vector<HWND> okna;
  for (const wchar_t* klasa : {L"TfrmWygaszacz", L"TZaslonaPrzerwy"}) {
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, klasa, nullptr))) {
      DWORD p = 0;
      GetWindowThreadProcessId(h, &p);
      if (p == proces && IsWindowVisible(h)) okna.push_back(h);
    }
  }
  return okna;
}

}  // namespace

// Under a display of two monitors (tools/two-monitors.sh runs it there, with KALMO_MONITORY=2) as
// under one.
TEST_F(KalmoProgram, TheBreakScreenOpensOneBlackTopmostWindowPerMonitor) {
  const Prostokaty monitory = Monitory();
  if (const char* n = std::getenv("KALMO_MONITORY")) ASSERT_GE(monitory.size(), static_cast<size_t>(std::atoi(n)));
  // A white window over every monitor: what the break must hide.
  HWND biale = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_WHITERECT,
                               GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                               GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(biale, nullptr);
  HDC ekran = GetDC(nullptr);
  auto kolor = [&](const std::tuple<long, long, long, long>& m) {
    UpdateWindow(biale);
    Pompuj();
    return GetPixel(ekran, (std::get<0>(m) + std::get<2>(m)) / 2, (std::get<1>(m) + std::get<3>(m)) / 2);
  };
  for (const auto& m : monitory) EXPECT_TRUE(Czekaj([&] { return kolor(m) == RGB(255, 255, 255); }));
  HWND h = Uruchom();
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(PostMessageW(h, WM_COMMAND, mnuPrzerwa, 0));
  ASSERT_TRUE(Czekaj([&] { return OknaPrzerwy(proces_.id).size() == monitory.size(); }))
      << OknaPrzerwy(proces_.id).size() << " windows for " << monitory.size() << " monitors";
  Prostokaty okna;
  for (HWND o : OknaPrzerwy(proces_.id)) {
    RECT r{};
    GetWindowRect(o, &r);
    okna.insert({r.left, r.top, r.right, r.bottom});
    EXPECT_TRUE(GetWindowLongPtrW(o, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(o, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  }
  EXPECT_EQ(okna, monitory);
  // Every monitor black (its middle is never under the break window's labels).
  for (const auto& m : monitory) EXPECT_TRUE(Czekaj([&] { return kolor(m) == RGB(0, 0, 0); }));
  // Ending the break (a key, then "Tak" to the question) closes every one of them together.
  Odpowiedz tak(L"TfrmKomunikat", "Tak", proces_.id);
  HWND przerwa = driver::FindWindowOf(L"TfrmWygaszacz", {}, proces_.id);
  ASSERT_TRUE(PostMessageW(przerwa, WM_KEYDOWN, VK_SPACE, 0));
  EXPECT_TRUE(Czekaj([&] { return OknaPrzerwy(proces_.id).empty(); }));
  EXPECT_EQ(tak.answerer.Seen().size(), 1u);
  ReleaseDC(nullptr, ekran);
  DestroyWindow(biale);
  EXPECT_EQ(Zakoncz(), 0);
}
