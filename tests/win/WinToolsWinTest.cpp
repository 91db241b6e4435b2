// The registry and shell unit over Wine's real registry, desktop and processes.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "common/win32/WinToolsWin32.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/WinTestSupport.h"

using platform::win32::Narrow;
using platform::win32::Widen;
using wintest::Scratch;

namespace {

// Value names of a key as the system lists them.
std::vector<std::string> RawNames(const std::string& key) {
  std::vector<std::string> names;
  HKEY h;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD n = 256;
    if (RegEnumValueW(h, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(Narrow(name, n));
  }
  RegCloseKey(h);
  return names;
}

std::wstring RawString(const std::string& key, const std::string& name) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, Widen(key).c_str(), Widen(name).c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return L"<brak>";
  return buffer;
}

HWND MakeWindow(const wchar_t* title, DWORD style) {
  static const wchar_t* cls = L"KalmoToolsTestWindow";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    registered = true;
  }
  return CreateWindowExW(0, cls, title, style, 50, 60, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A file type registered for the test under HKEY_CLASSES_ROOT, removed afterwards.
struct ScratchType {
  std::string extension, type;
  ScratchType(const std::string& icon, const std::string& description) {
    std::string id = std::to_string(GetCurrentProcessId());
    extension = ".kalmotest" + id;
    type = "KalmoTest" + id + ".Plik";
    auto& reg = platform::Reg();
    reg.CreateKey(Root::ClassesRoot, extension);
    reg.WriteString(Root::ClassesRoot, extension, "", type);
    reg.CreateKey(Root::ClassesRoot, type + "\\DefaultIcon");
    reg.WriteString(Root::ClassesRoot, type, "", description);
    reg.WriteString(Root::ClassesRoot, type + "\\DefaultIcon", "", icon);
  }
  ~ScratchType() {
    platform::Reg().DeleteKey(Root::ClassesRoot, extension);
    platform::Reg().DeleteKey(Root::ClassesRoot, type);
  }
};

}  // namespace

TEST(WinToolsOnWindows, SetRegistryStringOnAMissingValueReportsAndWritesNothing) {
  Scratch s;
  const std::string key = "\\" + s.key();
  SetRegistryString(key, "Brak", "wartość");
  EXPECT_TRUE(RawNames(s.key()).empty());
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_EQ(wintest::Dialogs().shown[0].place, "U:WinTools P:SetRegistryString");
  EXPECT_EQ(wintest::Dialogs().shown[0].text,
            "Podana zmienna nie istnieje w kluczu! klucz: " + key + ", varname: Brak, value: wartość");

  // A value named in other letters counts as present and keeps its one entry.
  RegSetKeyValueW(HKEY_CURRENT_USER, Widen(s.key()).c_str(), L"Aktywnosc3D", REG_SZ, L"Nie", 8);
  SetRegistryString(key, "AKTYWNOSC3D", "Tak");
  EXPECT_EQ(RawNames(s.key()), std::vector<std::string>{"Aktywnosc3D"});
  EXPECT_EQ(RawString(s.key(), "Aktywnosc3D"), L"Tak");
  EXPECT_TRUE(ZmiennaRejestrowaIstnieje(key, "aktywnosc3d"));
  EXPECT_EQ(GetRegistryString(key, "aktywnoSC3D"), "Tak");
  EXPECT_EQ(wintest::Dialogs().shown.size(), 1u);

  SetRegistryString(key + "\\Brak", "x", "y");
  EXPECT_EQ(wintest::Dialogs().shown.back().text, "Nie mogę otworzyć klucza: " + key + "\\Brak, var = x");
  HKEY h;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(s.key() + "\\Brak").c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
}

TEST(WinToolsOnWindows, CreateRegistryStringInKeyOnAnExistingValueReportsAndWritesNothing) {
  Scratch s;
  CreateRegistryStringInKey(Root::CurrentUser, s.key(), "LoggingPath", "C:\\windows\\ModemLog.txt");
  EXPECT_EQ(RawString(s.key(), "LoggingPath"), L"C:\\windows\\ModemLog.txt");
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
  CreateRegistryStringInKey(Root::CurrentUser, s.key(), "LOGGINGPATH", "D:\\inny.txt");
  EXPECT_EQ(RawString(s.key(), "LoggingPath"), L"C:\\windows\\ModemLog.txt");
  EXPECT_EQ(RawNames(s.key()).size(), 1u);
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_EQ(wintest::Dialogs().shown[0].place, "U:WinTools P:CreateRegistryStringInKey");
  EXPECT_EQ(wintest::Dialogs().shown[0].text, "Podana zmienna (LOGGINGPATH) już istnieje w kluczu!");
  EXPECT_EQ(GetRegistryStringFromKey(Root::CurrentUser, s.key(), "LoggingPath"), "C:\\windows\\ModemLog.txt");
}

TEST(WinToolsOnWindows, BinaryRecordsRoundTripThroughTheRegistry) {
  Scratch s;
  uint8_t record[316];
  for (int i = 0; i < 316; ++i) record[i] = static_cast<uint8_t>(i * 7);
  SetRegistryBinary(s.key(), "TodayInfo", record, sizeof record);  // not created by a set
  EXPECT_TRUE(RawNames(s.key()).empty());
  CreateRegistryBinary(s.key(), "TodayInfo", record, sizeof record);
  record[0] = 0xEE;
  SetRegistryBinary(s.key(), "todayINFO", record, sizeof record);
  uint8_t back[316] = {};
  ASSERT_TRUE(GetRegistryBinary(s.key(), "TodayInfo", back, sizeof back));
  EXPECT_EQ(0, memcmp(back, record, sizeof record));
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Widen(s.key()).c_str(), L"TodayInfo", RRF_RT_ANY, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 316u);
  EXPECT_EQ(wintest::Dialogs().Texts(), std::vector<std::string>{"Podana zmienna nie istnieje w kluczu:TodayInfo"});
}

TEST(WinToolsOnWindows, FileTypesAndIcons) {
  ScratchType type("shell32.dll,3", "Plik testowy Kalmo");
  EXPECT_EQ(DajOpisRozszerzenia(type.extension), "Plik testowy Kalmo");
  TStringList extensions;
  DajListeZarejestrowanychRozszerzen(extensions);
  EXPECT_NE(std::find(extensions.begin(), extensions.end(), type.extension), extensions.end());
  EXPECT_NE(std::find(extensions.begin(), extensions.end(), ".ini"), extensions.end());

  std::string file;
  int index = 0;
  ASSERT_TRUE(DajPlikIkonyDlaRozszerzenia(type.extension, file, index));
  EXPECT_EQ(index, 3);
  EXPECT_NE(GetFileAttributesW(Widen(file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
  HICON small = DajIkoneDlaRozszerzenia(type.extension);
  HICON large = DajIkoneDlaRozszerzenia(type.extension, true);
  ASSERT_TRUE(small);
  ASSERT_TRUE(large);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(large, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(small);
  DestroyIcon(large);
  EXPECT_TRUE(wintest::Dialogs().shown.empty());

  EXPECT_EQ(ExtractSmallIconFromFile("C:\\brak\\ikony.dll", 0, false), nullptr);
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_EQ(wintest::Dialogs().shown[0].place, "U:WinTools F:ExtractSmallIconFromFile");
  EXPECT_EQ(wintest::Dialogs().shown[0].text, "Plik nieistnieje: C:\\brak\\ikony.dll");
  EXPECT_EQ(DajIkoneDlaRozszerzenia(".nieznane-rozszerzenie"), nullptr);
}

TEST(WinToolsOnWindows, WindowPositionsApplyAndReadBack) {
  HWND w = MakeWindow(L"Pozycja", WS_OVERLAPPEDWINDOW);
  ASSERT_TRUE(w);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  TextToWindowPosition("10#20#640#480", w);
  EXPECT_EQ(WindowPositionToText(w), "10#20#640#480");
  TextToWindowPosition("10#20#zepsute#480", w);  // left where it is
  EXPECT_EQ(WindowPositionToText(w), "10#20#640#480");
  TextToWindowPosition("Max", w);
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_EQ(WindowPositionToText(w), "Max");
  ShowWindow(w, SW_RESTORE);
  EXPECT_EQ(WindowPositionToText(w), "10#20#640#480");
  DestroyWindow(w);
}

TEST(WinToolsOnWindows, WindowTitlesSeeTheWindowsOfTheDesktop) {
  HWND doc = MakeWindow(L"Raport (tylko do odczytu) - Edytor żółwi", WS_OVERLAPPEDWINDOW);
  HWND popup = MakeWindow(L"Wyskakujące - okienko", WS_POPUP);
  ASSERT_TRUE(doc && popup);
  EXPECT_EQ(GetWindowTitle(doc), "Raport (tylko do odczytu) - Edytor żółwi");
  TStringList all;
  ListWindowTitles(all);
  EXPECT_NE(std::find(all.begin(), all.end(), "Raport (tylko do odczytu) - Edytor żółwi"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "Wyskakujące - okienko"), all.end());
  TStringList filtered;
  ListFilteredWindowTitles(filtered, "-[");
  EXPECT_NE(std::find(filtered.begin(), filtered.end(), "Raport  - Edytor żółwi"), filtered.end());
  EXPECT_EQ(std::find(filtered.begin(), filtered.end(), "Wyskakujące - okienko"), filtered.end());
  EXPECT_TRUE(IsWindowTitleOpen("Edytor żółwi"));
  DestroyWindow(doc);
  DestroyWindow(popup);
  EXPECT_FALSE(IsWindowTitleOpen("Edytor żółwi"));
}

TEST(WinToolsOnWindows, ScreenSaverFlagFollowsTheOption) {
  BOOL before = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &before, 0));
  EnableScreenSaver(true);
  EXPECT_TRUE(ScreenSaverActive());
  DisableScreenSaver(false);
  EXPECT_TRUE(ScreenSaverActive());
  DisableScreenSaver(true);
  EXPECT_FALSE(ScreenSaverActive());
  BOOL now = TRUE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &now, 0);
  EXPECT_FALSE(now);
  EnableScreenSaver(true);
  EXPECT_TRUE(ScreenSaverActive());
  EXPECT_GT(ScreenSaverTimeout(), 0);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, before, nullptr, 0);
}

TEST(WinToolsOnWindows, RunProgramStartsARealProcessAndReportsAMissingOne) {
  Scratch s;
  const std::string marker = s.Path("uruchomiony.txt");
  std::string command = "\"";
  command += wintest::SelfPath();
  command += "\" --child \"";
  command += marker;
  command += "\" Kalmo";
  ASSERT_EQ(RunProgram(command, SW_SHOWNORMAL), 0u);
  std::string text;
  for (int i = 0; i < 400 && (text = Scratch::Get(marker)).find("args=") == std::string::npos; ++i) Sleep(50);
  EXPECT_NE(text.find("show=" + std::to_string(SW_SHOWNORMAL) + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("args=Kalmo\r\n"), std::string::npos) << text;

  std::string missing = "\"";
  missing += s.Path("brak.exe");
  missing += "\"";
  EXPECT_EQ(RunProgram(missing, SW_SHOWNORMAL), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
}

TEST(WinToolsOnWindows, ModemsAndUserNameOnASystemWithoutTheOldKeys) {
  // The modem class of the old systems is absent: no modems and nothing to report.
  EXPECT_EQ(DajLiczbeModemow(), 0);
  std::string user = DajNazweUzytkownika();
  HKEY h;
  bool logonKey = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Network\\Logon", 0, KEY_READ, &h) == ERROR_SUCCESS;
  if (logonKey) RegCloseKey(h);
  if (!logonKey) {
    EXPECT_EQ(user, "Unknown");
  }
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
}
