// The real platform services against Wine's registry, files, desktop and processes.
#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/DateTime.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/WinTestSupport.h"

using platform::Root;
using platform::win32::Narrow;
using platform::win32::Widen;

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// Waits for a child program's marker file (the child runs on its own; no timing is asserted).
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 400; ++i) {
    std::string bytes = wintest::Scratch::Get(path);
    if (!bytes.empty() && bytes.back() == '\n') return bytes;
    Sleep(50);
  }
  return {};
}

}  // namespace

TEST(Win32Text, Utf16ConversionKeepsPolishAndAstralCharacters) {
  const std::string text = "Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ \xF0\x9F\x98\x80";
  std::wstring wide = Widen(text);
  EXPECT_EQ(wide.substr(0, 4), L"Za\u017C\u00F3");
  EXPECT_EQ(Narrow(wide), text);
  EXPECT_EQ(Widen(""), L"");
  EXPECT_EQ(Narrow(L""), "");
}

TEST(Win32Registry, StringsDwordsAndBinaryRoundTripWithTypesKept) {
  wintest::Scratch s;
  auto& reg = platform::Reg();
  const std::string key = "\\" + s.key() + "\\Kalmo\\2.0";  // leading backslash as the program writes it
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, key));
  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, key));
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, key));

  ASSERT_TRUE(reg.WriteString(Root::CurrentUser, key, "ZnakiFiltrujące", "-[ żółw"));
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, key, "ZnakiFiltrujące"), "-[ żółw");
  // Names compare without regard to letter case, as on Windows.
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, key, "ZNAKIFILTRUJĄCE"), "-[ żółw");
  EXPECT_EQ(reg.ReadDword(Root::CurrentUser, key, "ZnakiFiltrujące"), std::nullopt);

  ASSERT_TRUE(reg.WriteDword(Root::CurrentUser, key, "Liczba", 0xDEADBEEF));
  EXPECT_EQ(reg.ReadDword(Root::CurrentUser, key, "liczba"), 0xDEADBEEFu);

  std::vector<uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
  ASSERT_TRUE(reg.WriteBinary(Root::CurrentUser, key, "TodayInfo", all));
  EXPECT_EQ(reg.ReadBinary(Root::CurrentUser, key, "TodayInfo"), all);
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, key, "TodayInfo"), std::nullopt);
  ASSERT_TRUE(reg.WriteBinary(Root::CurrentUser, key, "Pusty", {}));
  EXPECT_EQ(reg.ReadBinary(Root::CurrentUser, key, "Pusty"), std::vector<uint8_t>{});

  auto names = reg.ValueNames(Root::CurrentUser, key);
  ASSERT_TRUE(names);
  EXPECT_EQ(names->size(), 4u);
  EXPECT_TRUE(Contains(*names, "ZnakiFiltrujące"));
  EXPECT_TRUE(Contains(*names, "TodayInfo"));

  // The default value has the empty name.
  ASSERT_TRUE(reg.WriteString(Root::CurrentUser, key, "", "domyślna"));
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, key, ""), "domyślna");

  EXPECT_TRUE(reg.DeleteValue(Root::CurrentUser, key, "LICZBA"));
  EXPECT_EQ(reg.ReadDword(Root::CurrentUser, key, "Liczba"), std::nullopt);
  EXPECT_FALSE(reg.DeleteValue(Root::CurrentUser, key, "Liczba"));
}

TEST(Win32Registry, MissingKeysAreNotCreatedByReadsOrWrites) {
  wintest::Scratch s;
  auto& reg = platform::Reg();
  const std::string key = s.key() + "\\Brak";
  EXPECT_EQ(reg.ValueNames(Root::CurrentUser, key), std::nullopt);
  EXPECT_EQ(reg.SubkeyNames(Root::CurrentUser, key), std::nullopt);
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, key, "x"), std::nullopt);
  EXPECT_FALSE(reg.WriteString(Root::CurrentUser, key, "x", "y"));
  EXPECT_FALSE(reg.WriteBinary(Root::CurrentUser, key, "x", {1}));
  EXPECT_FALSE(reg.WriteDword(Root::CurrentUser, key, "x", 1));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, key));
  EXPECT_FALSE(reg.DeleteKey(Root::CurrentUser, key));
}

TEST(Win32Registry, DeleteKeyRemovesTheWholeTreeButNeverARoot) {
  wintest::Scratch s;
  auto& reg = platform::Reg();
  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, s.key() + "\\A\\B\\C"));
  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, s.key() + "\\A\\Ż"));
  ASSERT_TRUE(reg.WriteString(Root::CurrentUser, s.key() + "\\A\\B\\C", "v", "1"));
  auto subkeys = reg.SubkeyNames(Root::CurrentUser, s.key() + "\\A");
  ASSERT_TRUE(subkeys);
  EXPECT_EQ(subkeys->size(), 2u);
  EXPECT_TRUE(Contains(*subkeys, "Ż"));
  EXPECT_TRUE(reg.DeleteKey(Root::CurrentUser, s.key() + "\\A"));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, s.key() + "\\A"));
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, s.key()));
  EXPECT_FALSE(reg.DeleteKey(Root::CurrentUser, ""));
  EXPECT_FALSE(reg.DeleteKey(Root::CurrentUser, "\\"));
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, "Software"));
}

TEST(Win32Files, WriteFileReplacingReplacesInOneStepAndLeavesNoTemporaryFile) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  const std::string file = s.Path("dane.dat");
  ASSERT_TRUE(fs.WriteFileReplacing(file, std::string("pierwsza\r\n\0\xB9", 13)));
  EXPECT_EQ(wintest::Scratch::Get(file), std::string("pierwsza\r\n\0\xB9", 13));
  ASSERT_TRUE(fs.WriteFileReplacing(file, "druga"));
  EXPECT_EQ(fs.ReadFile(file), "druga");
  ASSERT_TRUE(fs.WriteFileReplacing(file, ""));
  EXPECT_EQ(fs.ReadFile(file), "");
  auto entries = fs.List(s.dir(), "*.*");
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, "dane.dat");

  // A read-only file is not replaced and keeps its content.
  ASSERT_TRUE(fs.WriteFileReplacing(file, "stara"));
  ASSERT_TRUE(fs.SetAttributes(file, platform::kAttrReadOnly));
  EXPECT_FALSE(fs.WriteFileReplacing(file, "nowa"));
  EXPECT_NE(fs.LastError(), 0u);
  EXPECT_EQ(fs.ReadFile(file), "stara");
  EXPECT_FALSE(fs.FileExists(file + ".new"));
  // A missing folder fails too.
  EXPECT_FALSE(fs.WriteFileReplacing(s.Path("brak\\plik.txt"), "x"));
}

TEST(Win32Files, AppendCopyMoveDeleteAndDirectories) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  const std::string a = s.Path("kronika.dat");
  ASSERT_TRUE(fs.AppendFile(a, "1\r\n"));
  ASSERT_TRUE(fs.AppendFile(a, "2\r\n"));
  EXPECT_EQ(fs.ReadFile(a), "1\r\n2\r\n");

  const std::string b = s.Path("kopia.dat");
  ASSERT_TRUE(fs.CopyFile(a, b, false));
  EXPECT_FALSE(fs.CopyFile(a, b, false));
  ASSERT_TRUE(fs.WriteFileReplacing(a, "nowe"));
  ASSERT_TRUE(fs.CopyFile(a, b, true));
  EXPECT_EQ(fs.ReadFile(b), "nowe");

  ASSERT_TRUE(fs.WriteFileReplacing(a, "przeniesione"));
  ASSERT_TRUE(fs.MoveReplacing(a, b));
  EXPECT_FALSE(fs.FileExists(a));
  EXPECT_EQ(fs.ReadFile(b), "przeniesione");

  const std::string d = s.Path("Katalog żółty");
  ASSERT_TRUE(fs.CreateDirectory(d));
  EXPECT_TRUE(fs.DirectoryExists(d));
  EXPECT_FALSE(fs.FileExists(d));
  EXPECT_FALSE(fs.DirectoryExists(b));
  ASSERT_TRUE(fs.WriteFileReplacing(platform::JoinPath(d, "w.txt"), "x"));
  EXPECT_FALSE(fs.RemoveDirectory(d));  // not empty
  ASSERT_TRUE(fs.DeleteFile(platform::JoinPath(d, "w.txt")));
  EXPECT_FALSE(fs.DeleteFile(platform::JoinPath(d, "w.txt")));
  EXPECT_EQ(fs.LastError(), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(fs.RemoveDirectory(d));
  EXPECT_FALSE(fs.DirectoryExists(d));
}

TEST(Win32Files, ListMatchesMasksAndReportsMissingFolders) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  s.Put("a.tmp", "12345");
  s.Put("b.TMP", "");
  s.Put("zażółć.txt", "");
  s.Put("podkatalog\\c.tmp", "");
  auto all = fs.List(s.dir(), "*.*");
  ASSERT_TRUE(all);
  EXPECT_EQ(all->size(), 4u);  // "." and ".." are left out
  auto tmp = fs.List(s.dir(), "*.tmp");
  ASSERT_TRUE(tmp);
  std::vector<std::string> names;
  for (auto& e : *tmp) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.tmp", "b.TMP"}));
  for (auto& e : *tmp)
    if (e.name == "a.tmp") {
      EXPECT_EQ(e.size, 5u);
    }
  auto polish = fs.List(s.dir(), "za*.txt");
  ASSERT_TRUE(polish);
  ASSERT_EQ(polish->size(), 1u);
  EXPECT_EQ((*polish)[0].name, "zażółć.txt");
  auto sub = fs.List(s.dir(), "pod*");
  ASSERT_TRUE(sub);
  ASSERT_EQ(sub->size(), 1u);
  EXPECT_TRUE((*sub)[0].directory);
  EXPECT_TRUE((*sub)[0].attributes & platform::kAttrDirectory);

  auto none = fs.List(s.dir(), "*.xyz");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_EQ(fs.List(s.Path("brak"), "*.*"), std::nullopt);

  // A look for one subfolder: found among files, none in a folder of files, none where nothing is.
  EXPECT_TRUE(fs.HasSubdirectory(s.dir()));
  EXPECT_FALSE(fs.HasSubdirectory(s.Path("podkatalog")));
  EXPECT_FALSE(fs.HasSubdirectory(s.Path("brak")));
}

TEST(Win32Files, FileTimesAreLocalDateTimes) {
  wintest::Scratch s;
  const std::string file = s.Put("czas.txt", "x");
  // Summer and winter dates: each converts with its own offset from UTC.
  for (int month : {1, 7}) {
    SYSTEMTIME local{};
    local.wYear = 2024;
    local.wMonth = static_cast<WORD>(month);
    local.wDay = 15;
    local.wHour = 13;
    local.wMinute = 45;
    local.wSecond = 30;
    SYSTEMTIME utc;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
    HANDLE h = CreateFileW(Widen(file).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);

    auto st = platform::Fs().Stat(file);
    ASSERT_TRUE(st);
    datetime::Parts p = datetime::Decode(st->writeTime);
    EXPECT_EQ(p.year, 2024);
    EXPECT_EQ(p.month, month);
    EXPECT_EQ(p.day, 15);
    EXPECT_EQ(p.hour, 13);
    EXPECT_EQ(p.minute, 45);
    EXPECT_EQ(p.second, 30);
    EXPECT_GT(st->createTime, datetime::EncodeDate(2020, 1, 1));  // Wine keeps no settable birth time
    auto listed = platform::Fs().List(s.dir(), "czas.txt");
    ASSERT_TRUE(listed && listed->size() == 1);
    EXPECT_DOUBLE_EQ((*listed)[0].writeTime, st->writeTime);
    EXPECT_DOUBLE_EQ((*listed)[0].createTime, st->createTime);
  }
  EXPECT_EQ(platform::Fs().Stat(s.Path("brak.txt")), std::nullopt);
}

TEST(Win32Files, SpecialFoldersDrivesAndSpace) {
  auto& fs = platform::Fs();
  auto temp = fs.TempDirectory();
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->back(), '\\');
  auto windows = fs.WindowsDirectory();
  ASSERT_TRUE(windows);
  EXPECT_TRUE(fs.DirectoryExists(*windows));
  auto system = fs.SystemDirectory();
  ASSERT_TRUE(system);
  EXPECT_TRUE(fs.DirectoryExists(*system));
  EXPECT_EQ(fs.DriveType('C'), platform::DriveKind::Fixed);
  EXPECT_EQ(fs.DriveType('Q'), platform::DriveKind::NoRoot);
  EXPECT_TRUE(fs.FreeBytes('C'));
  EXPECT_EQ(fs.FreeBytes('Q'), std::nullopt);
  std::string exe = fs.ExecutablePath();
  EXPECT_TRUE(fs.FileExists(exe)) << exe;
  auto shortPath = fs.ShortPath(exe);
  ASSERT_TRUE(shortPath);
  EXPECT_TRUE(fs.FileExists(*shortPath));
}

TEST(Win32Desktop, ScreenSaverFlagIsReadAndSet) {
  auto& desk = platform::Desk();
  auto before = desk.ScreenSaverActive();
  ASSERT_TRUE(before);
  ASSERT_TRUE(desk.SetScreenSaverActive(!*before));
  EXPECT_EQ(desk.ScreenSaverActive(), !*before);
  ASSERT_TRUE(desk.SetScreenSaverActive(*before));
  EXPECT_EQ(desk.ScreenSaverActive(), *before);
  auto timeout = desk.ScreenSaverTimeout();
  ASSERT_TRUE(timeout);
  EXPECT_GT(*timeout, 0);
}

TEST(Win32Desktop, TopLevelWindowsCarryTitleAndPopupStyle) {
  const wchar_t* cls = L"KalmoTestWindow";
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  HWND normal = CreateWindowExW(0, cls, L"Dokument żółwia - Edytor", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
  HWND popup = CreateWindowExW(0, cls, L"Okienko wyskakujące", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               wc.hInstance, nullptr);
  ASSERT_TRUE(normal && popup);
  ShowWindow(normal, SW_SHOWNOACTIVATE);
  auto windows = platform::Desk().TopLevelWindows();
  int seen = 0;
  for (auto& w : windows) {
    if (w.title == "Dokument żółwia - Edytor") {
      ++seen;
      EXPECT_FALSE(w.popup);
      EXPECT_TRUE(w.visible);
    }
    if (w.title == "Okienko wyskakujące") {
      ++seen;
      EXPECT_TRUE(w.popup);
      EXPECT_FALSE(w.visible);
    }
  }
  EXPECT_EQ(seen, 2);
  DestroyWindow(normal);
  DestroyWindow(popup);
  for (auto& w : platform::Desk().TopLevelWindows()) EXPECT_NE(w.title, "Dokument żółwia - Edytor");
}

TEST(Win32Desktop, CursorCountGoesUpAndDown) {
  auto& desk = platform::Desk();
  int shown = desk.ShowCursor(true);
  EXPECT_EQ(desk.ShowCursor(false), shown - 1);
}

TEST(Win32Processes, StartsAProgramWithTheShowStateAndReportsAMissingOne) {
  wintest::Scratch s;
  const std::string marker = s.Path("znacznik.txt");
  std::string command = "\"";
  command += wintest::SelfPath();
  command += "\" --child \"";
  command += marker;
  command += "\" jeden \"dwa żółte\"";
  EXPECT_EQ(platform::Procs().Run(command, SW_SHOWMINNOACTIVE), 0u);
  std::string text = WaitForFile(marker);
  EXPECT_NE(text.find("flags=" + std::to_string(STARTF_USESHOWWINDOW) + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("show=" + std::to_string(SW_SHOWMINNOACTIVE) + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("args=jeden|dwa żółte\r\n"), std::string::npos) << text;

  // Started in a folder of its own.
  const std::string folder = s.Path("Folder żółty");
  ASSERT_TRUE(CreateDirectoryW(platform::win32::Widen(folder).c_str(), nullptr));
  DeleteFileW(platform::win32::Widen(marker).c_str());
  EXPECT_EQ(platform::Procs().RunIn(command, SW_SHOWMINNOACTIVE, folder), 0u);
  text = WaitForFile(marker);
  EXPECT_NE(text.find("folder=" + folder + "\r\n"), std::string::npos) << text;

  std::string missing = s.Path("nie ma mnie.exe");
  uint32_t error = platform::Procs().Run(missing, SW_SHOWNORMAL);
  EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
}

TEST(Win32Clock, NowIsTodaysLocalDate) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  double now = platform::Time().Now();
  datetime::Parts p = datetime::Decode(now);
  // Around midnight the two readings may fall on different days.
  if (st.wHour != 23 || st.wMinute != 59) {
    EXPECT_EQ(p.year, st.wYear);
    EXPECT_EQ(p.month, st.wMonth);
    EXPECT_EQ(p.day, st.wDay);
  }
}

TEST(Win32Files, MoveReplacingRefusesAReadOnlyTargetAsWindowsDoes) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  const std::string from = s.Put("nowy.txt", "nowy");
  const std::string to = s.Put("stary.txt", "stary");
  ASSERT_TRUE(fs.SetAttributes(to, platform::kAttrReadOnly));
  EXPECT_FALSE(fs.MoveReplacing(from, to));
  EXPECT_EQ(fs.LastError(), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(fs.ReadFile(to), "stary");
  EXPECT_TRUE(fs.FileExists(from));
  ASSERT_TRUE(fs.SetAttributes(to, 0));
  EXPECT_TRUE(fs.MoveReplacing(from, to));
  EXPECT_EQ(fs.ReadFile(to), "nowy");
}

// ---- acting on what was checked ----

namespace {

std::wstring Dokladna(const std::string& path) { return L"\\\\?\\" + Widen(path); }

bool UtworzDokladny(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileW(Dokladna(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
  return true;
}

std::string CzytajDokladny(const std::string& path) {
  HANDLE h = CreateFileW(Dokladna(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "(brak)";
  char b[256];
  DWORD n = 0;
  ReadFile(h, b, sizeof b, &n, nullptr);
  CloseHandle(h);
  return std::string(b, n);
}

}  // namespace

TEST(Win32Files, DeletionsGoByTheExactNameOnlyForTheEntryOpened) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  s.Put("Folder\\report.docx", "new");
  ASSERT_TRUE(UtworzDokladny(s.Path("Folder\\report.docx."), "old"));
  auto folder = fs.HoldFolder(s.Path("Folder"));
  ASSERT_TRUE(folder);
  const std::string koncowy = folder->FinalPath();
  EXPECT_EQ(koncowy, s.Path("Folder"));
  // The name with its trailing dot is the old file, not the new one.
  EXPECT_EQ(fs.DeleteEntry(koncowy, "report.docx.", platform::kEntryFile, {}), platform::DeleteOutcome::Deleted);
  EXPECT_EQ(CzytajDokladny(s.Path("Folder\\report.docx.")), "(brak)");
  EXPECT_EQ(wintest::Scratch::Get(s.Path("Folder\\report.docx")), "new");

  // What the check is told is read on the opened file; a refusal deletes nothing.
  uint64_t rozmiar = 0;
  EXPECT_EQ(fs.DeleteEntry(koncowy, "report.docx", platform::kEntryFile,
                           [&](const platform::DirEntry& e) {
                             rozmiar = e.size;
                             return false;
                           }),
            platform::DeleteOutcome::Refused);
  EXPECT_EQ(rozmiar, 3u);
  EXPECT_EQ(wintest::Scratch::Get(s.Path("Folder\\report.docx")), "new");
  // Only the kinds asked for: a folder is not a file, a non-empty folder does not go.
  s.Put("Folder\\Pod\\x.txt", "x");
  EXPECT_EQ(fs.DeleteEntry(koncowy, "Pod", platform::kEntryFile, {}), platform::DeleteOutcome::Refused);
  EXPECT_EQ(fs.DeleteEntry(koncowy, "Pod", platform::kEntryFolder, {}), platform::DeleteOutcome::Failed);
  EXPECT_EQ(fs.DeleteEntry(koncowy, "brak.txt", platform::kEntryFile, {}), platform::DeleteOutcome::Failed);
  EXPECT_EQ(fs.DeleteEntry(koncowy, "..\\Folder\\report.docx", platform::kEntryFile, {}), platform::DeleteOutcome::Refused);

  // A read-only file goes only when asked, and never when another name shares its attribute.
  const std::string ro = s.Put("Folder\\ro.txt", "r");
  ASSERT_TRUE(fs.SetAttributes(ro, platform::kAttrReadOnly));
  EXPECT_EQ(fs.DeleteEntry(koncowy, "ro.txt", platform::kEntryFile, {}), platform::DeleteOutcome::Failed);
  ASSERT_TRUE(CreateHardLinkW(Widen(s.Path("ro2.txt")).c_str(), Widen(ro).c_str(), nullptr));
  EXPECT_EQ(fs.DeleteEntry(koncowy, "ro.txt", platform::kEntryFile | platform::kEntryReadOnly, {}),
            platform::DeleteOutcome::Failed);
  EXPECT_NE(GetFileAttributesW(Widen(s.Path("ro2.txt")).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  SetFileAttributesW(Widen(s.Path("ro2.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(DeleteFileW(Widen(s.Path("ro2.txt")).c_str()));
  ASSERT_TRUE(fs.SetAttributes(ro, platform::kAttrReadOnly));
  EXPECT_EQ(fs.DeleteEntry(koncowy, "ro.txt", platform::kEntryFile | platform::kEntryReadOnly, {}),
            platform::DeleteOutcome::Deleted);

  // A file another program holds open (sharing deletion) is only marked: its name stays until then.
  const std::string otwarty = s.Put("Folder\\otwarty.tmp", "o");
  HANDLE h = CreateFileW(Widen(otwarty).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(fs.DeleteEntry(koncowy, "otwarty.tmp", platform::kEntryFile, {}), platform::DeleteOutcome::Pending);
  CloseHandle(h);
  EXPECT_FALSE(fs.FileExists(otwarty));

  // While held, the folder can be neither renamed nor removed, so nothing can take its name.
  EXPECT_FALSE(MoveFileExW(Widen(s.Path("Folder")).c_str(), Widen(s.Path("Inny")).c_str(), 0));
  folder.reset();
  EXPECT_TRUE(MoveFileExW(Widen(s.Path("Folder")).c_str(), Widen(s.Path("Inny")).c_str(), 0));
  DeleteFileW(Dokladna(s.Path("Inny\\report.docx.")).c_str());  // left only by a failure above
}

TEST(Win32Files, AnOverwritingCopyReplacesTheNameAndLeavesAHardLinksOtherName) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  const std::string cudzy = s.Put("cudzy.doc", "mine");
  const std::string zrodlo = s.Put("dysk\\Kalmo.exe", "MZ new");
  CreateDirectoryW(Widen(s.Path("Kalmo")).c_str(), nullptr);
  // Planted at the target's name: another name of somebody else's file.
  ASSERT_TRUE(CreateHardLinkW(Widen(s.Path("Kalmo\\Kalmo.exe")).c_str(), Widen(cudzy).c_str(), nullptr));
  ASSERT_TRUE(fs.CopyFile(zrodlo, s.Path("Kalmo\\Kalmo.exe"), true));
  EXPECT_EQ(wintest::Scratch::Get(s.Path("Kalmo\\Kalmo.exe")), "MZ new");
  EXPECT_EQ(wintest::Scratch::Get(cudzy), "mine");
  auto wpisy = fs.List(s.Path("Kalmo"), "*");
  ASSERT_TRUE(wpisy);
  EXPECT_EQ(wpisy->size(), 1u) << "no copy is left beside it";
  // Not over a read-only target, as Windows refuses it.
  ASSERT_TRUE(fs.SetAttributes(s.Path("Kalmo\\Kalmo.exe"), platform::kAttrReadOnly));
  EXPECT_FALSE(fs.CopyFile(cudzy, s.Path("Kalmo\\Kalmo.exe"), true));
  EXPECT_EQ(wintest::Scratch::Get(s.Path("Kalmo\\Kalmo.exe")), "MZ new");
  fs.SetAttributes(s.Path("Kalmo\\Kalmo.exe"), 0);
}

TEST(Win32Files, AccessListsOwnersKnownFoldersAndPrivateFolders) {
  wintest::Scratch s;
  auto& fs = platform::Fs();
  // Wine keeps no access lists; what is proven here is that the calls the installer makes succeed
  // (the lists themselves are proven through the in-memory platform).
  const std::string folder = s.Path("Program");
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  const std::string plik = s.Put("Program\\Kalmo.exe", "MZ");
  using platform::Trustee;
  EXPECT_TRUE(fs.SetAccessList(folder, {Trustee::Administrators,
                                        {{Trustee::Administrators, platform::kRightFull,
                                          platform::kInheritFiles | platform::kInheritFolders},
                                         {Trustee::Users, platform::kRightReadExecute | platform::kRightCreateFiles, 0},
                                         {Trustee::CreatorOwner, platform::kRightFull,
                                          platform::kInheritFiles | platform::kInheritOnly}}}))
      << fs.LastError();
  EXPECT_TRUE(fs.SetAccessList(plik, {std::nullopt, {{Trustee::Users, platform::kRightReadExecute, 0}}}))
      << fs.LastError();
  EXPECT_EQ(fs.OwnerOf(s.Put("moj.dat", "x")), platform::FileOwner::CurrentUser);
  EXPECT_EQ(fs.OwnerOf(s.Path("brak.dat")), platform::FileOwner::Unknown);

  auto temp = fs.TempDirectory();
  ASSERT_TRUE(temp);
  auto a = fs.CreatePrivateDirectory(*temp, "KalmoTest-");
  auto b = fs.CreatePrivateDirectory(*temp, "KalmoTest-");
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, *b);
  const std::string nazwa = a->substr(a->find_last_of('\\') + 1);
  EXPECT_EQ(nazwa.size(), std::string("KalmoTest-").size() + 16);
  EXPECT_EQ(nazwa.find_first_not_of("0123456789abcdef", 10), std::string::npos);
  EXPECT_TRUE(fs.DirectoryExists(*a));
  EXPECT_TRUE(fs.WriteFileReplacing(platform::JoinPath(*a, "x.tmp"), "x"));
  DeleteFileW(Widen(platform::JoinPath(*a, "x.tmp")).c_str());
  RemoveDirectoryW(Widen(*a).c_str());
  RemoveDirectoryW(Widen(*b).c_str());

  // The shell's folders, not the values of the registry that the user may write.
  wchar_t startup[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup), S_OK);
  EXPECT_EQ(fs.KnownFolderPath(platform::KnownFolder::Startup), Narrow(startup));
  wchar_t krotka[MAX_PATH] = {};
  s.Put("Dluga nazwa folderu\\a.txt", "a");
  ASSERT_GT(GetShortPathNameW(Widen(s.Path("Dluga nazwa folderu")).c_str(), krotka, MAX_PATH), 0u);
  EXPECT_EQ(fs.LongPath(Narrow(krotka)), s.Path("Dluga nazwa folderu"));
}

TEST(Win32Registry, DeleteKeyRemovesARegistryLinkWithoutFollowingIt) {
  wintest::Scratch s;
  auto& reg = platform::Reg();
  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, s.key() + "\\Cel"));
  ASSERT_TRUE(reg.WriteString(Root::CurrentUser, s.key() + "\\Cel", "v", "1"));
  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, s.key() + "\\Program"));
  // A link key below the program's key, leading to another key of the user's.
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  BYTE bufor[256];
  DWORD n = 0;
  ASSERT_TRUE(GetTokenInformation(token, TokenUser, bufor, sizeof bufor, &n));
  CloseHandle(token);
  LPWSTR sid = nullptr;
  ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(bufor)->User.Sid, &sid));
  const std::wstring cel = L"\\Registry\\User\\" + std::wstring(sid) + L"\\" + Widen(s.key()) + L"\\Cel";
  LocalFree(sid);
  for (const std::string& link : {s.key() + "\\Program\\Link", s.key() + "\\SamLink"}) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(link).c_str(), 0, nullptr,
                              REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE, KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &h,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(h, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(cel.c_str()),
                             static_cast<DWORD>(cel.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(h);
    ASSERT_EQ(reg.ReadString(Root::CurrentUser, link, "v"), "1") << "the link leads to the key";
  }
  EXPECT_TRUE(reg.DeleteKey(Root::CurrentUser, s.key() + "\\Program"));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, s.key() + "\\Program"));
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, s.key() + "\\Cel", "v"), "1");
  // The key named may be a link itself.
  EXPECT_TRUE(reg.DeleteKey(Root::CurrentUser, s.key() + "\\SamLink"));
  EXPECT_EQ(reg.ReadString(Root::CurrentUser, s.key() + "\\Cel", "v"), "1");
  HKEY h = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(s.key() + "\\SamLink").c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &h),
            ERROR_SUCCESS);
}
