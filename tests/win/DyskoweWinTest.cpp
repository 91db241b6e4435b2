// The disk unit over the real file system under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "common/Dyskowe.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/WinTestSupport.h"

using platform::win32::Widen;
using wintest::Scratch;

TEST(DyskoweOnWindows, TrimKeepsTheLastLinesOfARealFileAndLeavesNoCopy) {
  Scratch s;
  std::string body;
  for (int i = 1; i <= 50; ++i) body += "wiersz " + std::to_string(i) + "\r\n";
  const std::string file = s.Put("All_kronup.dat", body);
  EXPECT_EQ(CountLines(file), 50);
  ASSERT_TRUE(TrimTextFileToLastLines(file, 3));
  EXPECT_EQ(Scratch::Get(file), "wiersz 48\r\nwiersz 49\r\nwiersz 50\r\n");
  EXPECT_EQ(GetFileAttributesW(Widen(s.Path("TempFile.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(Widen(s.Path("TempFile.txt.new")).c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(TrimTextFileToLastLines(file, 10));  // fewer lines than that: unchanged
  EXPECT_EQ(Scratch::Get(file), "wiersz 48\r\nwiersz 49\r\nwiersz 50\r\n");
  EXPECT_FALSE(TrimTextFileToLastLines(s.Path("brak.dat"), 3));
  EXPECT_TRUE(wintest::Dialogs().shown.empty());
}

TEST(DyskoweOnWindows, TrimOfAFileThatCannotBeReplacedKeepsIt) {
  Scratch s;
  const std::string file = s.Put("tylko.txt", "1\r\n2\r\n3\r\n");
  ASSERT_TRUE(SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(TrimTextFileToLastLines(file, 1));
  EXPECT_EQ(Scratch::Get(file), "1\r\n2\r\n3\r\n");
  EXPECT_EQ(GetFileAttributesW(Widen(s.Path("TempFile.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(wintest::Dialogs().shown.size(), 1u);
  EXPECT_EQ(wintest::Dialogs().shown[0].place, "U:Dyskowe F:TrimTextFileToLastLines");
  SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DyskoweOnWindows, DataFileWithEveryPolishLetterIsWindows1250OnDisk) {
  Scratch s;
  const std::string file = s.Path("All_hotkey.dat");
  ASSERT_TRUE(WriteTextLines(file, {"ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ#Ctrl+Ż"}));
  ASSERT_TRUE(AppendTextLine(file, "ostatni"));
  EXPECT_EQ(Scratch::Get(file),
            "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\r\n\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF#Ctrl+\xAF\r\nostatni\r\n");
  TStringList lines;
  ASSERT_TRUE(ReadTextLines(file, lines));
  EXPECT_EQ(lines, (TStringList{"ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ#Ctrl+Ż", "ostatni"}));
}

TEST(DyskoweOnWindows, TreeOfRealFoldersInPreOrder) {
  Scratch s;
  s.Put("b.txt", "");
  s.Put("a.txt", "");
  s.Put("inne.log", "");
  s.Put("Żółty\\z.txt", "");
  s.Put("Beta\\Gamma\\g.txt", "");
  s.Put("Beta\\b.txt", "");
  s.Put("alfa\\x.txt", "");
  TStringList list;
  ListFilesTree(s.dir(), true, "*.txt", list);
  const std::string d = s.dir() + "\\";
  EXPECT_EQ(list, (TStringList{d + "a.txt", d + "b.txt", d + "alfa\\x.txt", d + "Beta\\b.txt",
                               d + "Beta\\Gamma\\g.txt", d + "Żółty\\z.txt"}));
  TStringList dirs;
  EXPECT_TRUE(ListSubdirs(s.dir(), dirs));
  EXPECT_EQ(dirs, (TStringList{"alfa", "Beta", "Żółty"}));
}

TEST(DyskoweOnWindows, FileTimesFoldersDrivesAndPaths) {
  Scratch s;
  const std::string file = s.Put("czas.txt", "x");
  SYSTEMTIME local{2023, 11, 0, 20, 8, 15, 0, 0};
  SYSTEMTIME utc;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
  HANDLE h = CreateFileW(Widen(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
  CloseHandle(h);
  EXPECT_DOUBLE_EQ(FileWriteTime(file), datetime::Encode(2023, 11, 20, 8, 15, 0));
  EXPECT_GT(FileCreateTime(file), 0.0);
  EXPECT_EQ(FileWriteTime(s.Path("brak.txt")), 0.0);

  std::string temp = DajKatalogTemp();
  ASSERT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), '\\');
  EXPECT_NE(GetFileAttributesW(Widen(temp).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(DajKatalogWindows().empty());
  EXPECT_FALSE(DajKatalogSystem().empty());
  EXPECT_NE(ListFixedDrives().find('C'), std::string::npos);
  EXPECT_GT(FreeMBDiscSpace('c'), 0.0);
  EXPECT_TRUE(wintest::Dialogs().shown.empty());

  ASSERT_TRUE(CreatePath(s.Path("Program Files\\Kalmo\\Dane")));
  EXPECT_TRUE(GetFileAttributesW(Widen(s.Path("Program Files\\Kalmo\\Dane")).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  s.Put("Program Files\\Kalmo\\a.exe", "a");
  s.Put("Program Files\\Kalmo\\b.dll", "b");
  ASSERT_TRUE(CopyFilesFromList(s.Path("Program Files\\Kalmo"), s.Path("Program Files\\Kalmo\\Dane"),
                                {"a.exe", "b.dll"}));
  EXPECT_EQ(Scratch::Get(s.Path("Program Files\\Kalmo\\Dane\\b.dll")), "b");
  ASSERT_TRUE(DeleteAllFilesInDir(s.Path("Program Files\\Kalmo")));
  EXPECT_EQ(GetFileAttributesW(Widen(s.Path("Program Files\\Kalmo\\a.exe")).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(Widen(s.Path("Program Files\\Kalmo\\Dane\\a.exe")).c_str()), INVALID_FILE_ATTRIBUTES);
}
