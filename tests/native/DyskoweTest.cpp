#include "common/Dyskowe.h"

#include <gtest/gtest.h>

#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;
using Shown = RecordingDialogs::Shown;

namespace {

std::vector<std::string> ErrorsAt(const RecordingDialogs& d, const std::string& place) {
  std::vector<std::string> out;
  for (const Shown& s : d.shown)
    if (s.kind == Shown::Error && s.place == place) out.push_back(s.text);
  return out;
}

}  // namespace

TEST(DajKatalog, TempFolderLosesItsBackslashAndFailuresReportTheSystemCode) {
  TestPlatform t;
  t.files.AddDirectory("C:\\TEMP");
  EXPECT_EQ(DajKatalogTemp(), "C:\\TEMP");
  EXPECT_TRUE(t.dialogs.shown.empty());

  t.files.tempDir = "C:\\Brak\\";  // named but not there
  EXPECT_EQ(DajKatalogTemp(), "");
  EXPECT_TRUE(t.dialogs.shown.empty());

  t.files.tempDir = std::nullopt;
  t.files.lastError = 1234;
  EXPECT_EQ(DajKatalogTemp(), "");
  EXPECT_EQ(ErrorsAt(t.dialogs, "U:Dyskowe F:DajKatalogTemp"),
            std::vector<std::string>{"Błąd niezidentyfikowany.1234"});
}

TEST(DajKatalog, SystemAndWindowsFoldersUseThePlainMessageBox) {
  TestPlatform t;
  EXPECT_EQ(DajKatalogSystem(), "C:\\WINDOWS\\system32");
  EXPECT_EQ(DajKatalogWindows(), "C:\\WINDOWS");
  t.files.systemDir = std::nullopt;
  t.files.windowsDir = std::nullopt;
  EXPECT_EQ(DajKatalogSystem(), "");
  EXPECT_EQ(DajKatalogWindows(), "");
  ASSERT_EQ(t.dialogs.shown.size(), 2u);
  EXPECT_EQ(t.dialogs.shown[0].kind, Shown::Plain);
  EXPECT_EQ(t.dialogs.shown[0].text, "U:Dyskowe F:DajKatalogSystem => Nie mogę znaleźć katalogu Winows\\system!");
  EXPECT_EQ(t.dialogs.shown[1].text, "U:Dyskowe F:DajKatalogWindows => Nie mogę znaleźć katalogu Windows!");
}

TEST(Drives, FixedDrivesAndTheirRecycleBins) {
  TestPlatform t;
  t.files.drives = {{'E', platform::DriveKind::Fixed}, {'C', platform::DriveKind::Fixed},
                    {'D', platform::DriveKind::CdRom}, {'F', platform::DriveKind::Remote}};
  EXPECT_EQ(ListFixedDrives(), "CE");
  t.files.AddDirectory("E:\\RECYCLED");
  t.files.AddDirectory("D:\\RECYCLED");  // not a fixed disk
  TStringList list{"już było"};
  ListRecycledDirs(list);
  EXPECT_EQ(list, (TStringList{"już było", "E:\\RECYCLED"}));
}

TEST(Listing, SubdirsAndFilesAppendInNameOrder) {
  TestPlatform t;
  t.files.AddFile("C:\\Dane\\b.tmp", "");
  t.files.AddFile("C:\\Dane\\A.TMP", "");
  t.files.AddFile("C:\\Dane\\c.txt", "");
  t.files.AddDirectory("C:\\Dane\\Zdjęcia");
  t.files.AddDirectory("C:\\Dane\\.git");
  t.files.AddDirectory("C:\\Dane\\archiwum.tmp");  // a folder matching the mask is not a file

  TStringList dirs{"x"};
  EXPECT_TRUE(ListSubdirs("C:\\Dane", dirs));
  EXPECT_EQ(dirs, (TStringList{"x", "archiwum.tmp", "Zdjęcia"}));
  TStringList none;
  EXPECT_FALSE(ListSubdirs("C:\\Brak", none));
  EXPECT_TRUE(none.empty());

  TStringList files;
  EXPECT_TRUE(ListFiles("C:\\Dane", "*.tmp", files));
  EXPECT_EQ(files, (TStringList{"C:\\Dane\\A.TMP", "C:\\Dane\\b.tmp"}));
  EXPECT_FALSE(ListFiles("C:\\Dane", "*.doc", files));
  EXPECT_FALSE(ListFiles("C:\\Brak", "*.*", files));
  EXPECT_EQ(files.size(), 2u);

  t.files.AddFile("C:\\korzeń.txt", "");
  TStringList root;
  EXPECT_TRUE(ListFiles("C:\\", "*.txt", root));
  EXPECT_EQ(root, TStringList{"C:\\korzeń.txt"});
}

TEST(Listing, TreeIsWalkedInPreOrderAndStopsAtTheStartingFolder) {
  TestPlatform t;
  t.files.AddFile("C:\\R\\a.txt", "");
  t.files.AddFile("C:\\R\\z.txt", "");
  t.files.AddFile("C:\\R\\B\\b1.txt", "");
  t.files.AddFile("C:\\R\\B\\C\\c.txt", "");
  t.files.AddFile("C:\\R\\B\\C\\c.log", "");
  t.files.AddDirectory("C:\\R\\B\\C\\Pusty");
  t.files.AddFile("C:\\R\\B\\D\\d.txt", "");
  t.files.AddFile("C:\\R\\E\\e.txt", "");
  t.files.AddFile("C:\\R\\.ukryty\\h.txt", "");
  t.files.AddFile("C:\\R2\\obok.txt", "");  // a sibling of the start is not part of the walk

  TStringList list;
  ListFilesTree("C:\\R", true, "*.txt", list);
  EXPECT_EQ(list, (TStringList{"C:\\R\\a.txt", "C:\\R\\z.txt", "C:\\R\\B\\b1.txt", "C:\\R\\B\\C\\c.txt",
                               "C:\\R\\B\\D\\d.txt", "C:\\R\\E\\e.txt"}));

  TStringList flat;
  ListFilesTree("C:\\R", false, "*.*", flat);
  EXPECT_EQ(flat, (TStringList{"C:\\R\\a.txt", "C:\\R\\z.txt"}));

  TStringList missing;
  ListFilesTree("C:\\Brak", true, "*.*", missing);
  EXPECT_TRUE(missing.empty());
  EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(Listing, TreeWalkDoesNotFollowJunctions) {
  TestPlatform t;
  t.files.AddFile("C:\\Profil\\plik.txt", "");
  t.files.AddFile("C:\\Profil\\Dane aplikacji\\w.txt", "");
  ASSERT_TRUE(t.files.SetAttributes("C:\\Profil\\Dane aplikacji", platform::kAttrReparsePoint));
  TStringList list;
  ListFilesTree("C:\\Profil", true, "*.*", list);
  EXPECT_EQ(list, TStringList{"C:\\Profil\\plik.txt"});
}

TEST(Paths, ParentWithBackslash) {
  EXPECT_EQ(ParentWithBackslash("C:\\a\\b\\plik.txt"), "C:\\a\\b\\");
  EXPECT_EQ(ParentWithBackslash("C:\\a\\b\\"), "C:\\a\\");
  EXPECT_EQ(ParentWithBackslash("C:\\a"), "C:\\");
  EXPECT_EQ(ParentWithBackslash("C:\\"), "C:\\");
  EXPECT_EQ(ParentWithBackslash("plik.txt"), "plik.txt");
  EXPECT_EQ(ParentWithBackslash(""), "");
}

TEST(Paths, ShortenPathDropsInnerFoldersUntilItFits) {
  EXPECT_EQ(ShortenPath("C:\\Dane\\abcdefgh.txt", 30), "C:\\Dane\\abcdefgh.txt");  // 20 characters
  EXPECT_EQ(ShortenPath("C:\\Program Files\\Kalmo\\Dane\\plik.txt", 30), "C:\\Program Files\\...\\plik.txt");
  EXPECT_EQ(ShortenPath("C:\\Program Files\\Kalmo\\Dane\\plik.txt", 14), "C:\\...\\plik.txt");
  // Still too long with every folder gone: the last candidate comes back.
  EXPECT_EQ(ShortenPath("C:\\Program Files\\Kalmo\\plik-o-nazwie.txt", 20), "C:\\...\\plik-o-nazwie.txt");
  // A name longer than the width is cut to width - 3 characters and "...".
  EXPECT_EQ(ShortenPath("C:\\a\\bardzo-dlugi-plik.txt", 10), "bardzo-...");
  // Widths count characters, not bytes.
  EXPECT_EQ(ShortenPath("C:\\Zażółć\\gęślą\\jaźń.txt", 24), "C:\\Zażółć\\gęślą\\jaźń.txt");
  EXPECT_EQ(ShortenPath("C:\\Zażółć\\gęślą\\jaźń.txt", 23), "C:\\Zażółć\\...\\jaźń.txt");
  EXPECT_EQ(ShortenPath("C:\\Zażółć\\gęślą\\jaźń.txt", 20), "C:\\...\\jaźń.txt");
  EXPECT_EQ(ShortenPath("C:\\żółwie-łąki.txt", 6), "żół...");
  // Nothing to drop: the path itself is shorter than any elided form.
  EXPECT_EQ(ShortenPath("C:\\abcdefghij.txt", 15), "C:\\abcdefghij.txt");
}

TEST(FileInfo, TimesAndLineCounts) {
  TestPlatform t;
  const double written = platform::memory::MakeDateTime(2025, 6, 1, 12, 30);
  const double created = platform::memory::MakeDateTime(2024, 1, 2, 8, 0);
  t.files.AddFile("C:\\Dane\\a.txt", "jeden\r\ndwa\r\ntrzy", written, created);
  EXPECT_EQ(FileWriteTime("C:\\Dane\\a.txt"), written);
  EXPECT_EQ(FileCreateTime("C:\\Dane\\a.txt"), created);
  EXPECT_EQ(FileWriteTime("C:\\Dane\\brak.txt"), 0.0);
  EXPECT_EQ(FileCreateTime("C:\\Dane\\brak.txt"), 0.0);

  EXPECT_EQ(CountLines("C:\\Dane\\a.txt"), 3);
  EXPECT_EQ(CountLines("C:\\Dane\\brak.txt"), -1);
  t.files.AddFile("C:\\Dane\\pusty.txt", "");
  EXPECT_EQ(CountLines("C:\\Dane\\pusty.txt"), 0);
  t.files.AddFile("C:\\Dane\\crlf.txt", "a\r\n\r\nb\r\n");
  EXPECT_EQ(CountLines("C:\\Dane\\crlf.txt"), 3);
  t.files.AddFile("C:\\Dane\\lf.txt", "a\nb\nc\n");
  EXPECT_EQ(CountLines("C:\\Dane\\lf.txt"), 3);
}

TEST(Trim, KeepsTheLastLinesThroughACopyThatReplacesTheFile) {
  TestPlatform t;
  const std::string file = "C:\\Kalmo\\All_kronup.dat";
  t.files.AddFile(file, "1\r\n2\r\n3\r\n4\r\n5\r\n");
  EXPECT_TRUE(TrimTextFileToLastLines(file, 2));
  EXPECT_EQ(t.files.ReadFile(file), "4\r\n5\r\n");
  EXPECT_FALSE(t.files.FileExists("C:\\Kalmo\\TempFile.txt"));

  EXPECT_TRUE(TrimTextFileToLastLines(file, 0));
  EXPECT_EQ(t.files.ReadFile(file), "");

  // Fewer lines than asked for: the content stays byte for byte, odd line ends included.
  t.files.AddFile(file, "a\nb\r\nc");
  EXPECT_TRUE(TrimTextFileToLastLines(file, 10));
  EXPECT_EQ(t.files.ReadFile(file), "a\nb\r\nc");
  EXPECT_TRUE(TrimTextFileToLastLines(file, 2));
  EXPECT_EQ(t.files.ReadFile(file), "b\r\nc");

  EXPECT_FALSE(TrimTextFileToLastLines("C:\\Kalmo\\brak.dat", 5));
  EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(Trim, AFailedReplaceKeepsTheOriginalAndRemovesTheCopy) {
  TestPlatform t;
  const std::string file = "C:\\Kalmo\\All_kronup.dat";
  t.files.AddFile(file, "1\r\n2\r\n3\r\n");
  t.files.failingWrites.push_back(file);
  EXPECT_FALSE(TrimTextFileToLastLines(file, 1));
  EXPECT_EQ(t.files.ReadFile(file), "1\r\n2\r\n3\r\n");
  EXPECT_FALSE(t.files.FileExists("C:\\Kalmo\\TempFile.txt"));
  EXPECT_EQ(ErrorsAt(t.dialogs, "U:Dyskowe F:TrimTextFileToLastLines"),
            std::vector<std::string>{"Nie mogę zapisać pliku: " + file});

  // A copy that cannot be written leaves the file alone too.
  t.files.failingWrites = {"C:\\Kalmo\\TempFile.txt"};
  EXPECT_FALSE(TrimTextFileToLastLines(file, 1));
  EXPECT_EQ(t.files.ReadFile(file), "1\r\n2\r\n3\r\n");
}

TEST(Trim, AFileNamedLikeTheCopyIsTrimmedInPlace) {
  TestPlatform t;
  t.files.AddFile("C:\\Kalmo\\tempfile.txt", "1\r\n2\r\n3\r\n");
  EXPECT_TRUE(TrimTextFileToLastLines("C:\\Kalmo\\tempfile.txt", 1));
  EXPECT_EQ(t.files.ReadFile("C:\\Kalmo\\tempfile.txt"), "3\r\n");
}

TEST(InstallerHelpers, CreatePathMakesEveryMissingFolder) {
  TestPlatform t;
  EXPECT_TRUE(CreatePath("C:\\Program Files\\Kalmo\\Dane"));
  EXPECT_TRUE(t.files.DirectoryExists("C:\\Program Files"));
  EXPECT_TRUE(t.files.DirectoryExists("C:\\Program Files\\Kalmo\\Dane"));
  EXPECT_TRUE(CreatePath("C:\\Program Files\\Kalmo\\Dane\\"));  // all there already
  EXPECT_FALSE(CreatePath("C:"));
  EXPECT_FALSE(CreatePath("C:\\"));
  t.files.AddFile("C:\\plik", "");
  EXPECT_FALSE(CreatePath("C:\\plik\\podkatalog"));
  EXPECT_FALSE(t.files.DirectoryExists("C:\\plik\\podkatalog"));
}

TEST(InstallerHelpers, CopyAndDeleteStopAtTheFirstFailure) {
  TestPlatform t;
  t.files.AddFile("A:\\kalmo.exe", "exe");
  t.files.AddFile("A:\\hook.dll", "dll");
  t.files.AddFile("C:\\Cel\\kalmo.exe", "stary");
  EXPECT_TRUE(CopyFilesFromList("A:\\", "C:\\Cel", {"kalmo.exe", "hook.dll"}));
  EXPECT_EQ(t.files.ReadFile("C:\\Cel\\kalmo.exe"), "exe");  // overwritten
  EXPECT_FALSE(CopyFilesFromList("A:\\", "C:\\Inny", {"kalmo.exe"}));  // no target folder
  t.files.AddDirectory("C:\\Inny");
  EXPECT_FALSE(CopyFilesFromList("A:\\", "C:\\Inny", {"kalmo.exe", "brak.txt", "hook.dll"}));
  EXPECT_TRUE(t.files.FileExists("C:\\Inny\\kalmo.exe"));
  EXPECT_FALSE(t.files.FileExists("C:\\Inny\\hook.dll"));

  EXPECT_FALSE(DeleteFilesFromList("C:\\Cel", {"kalmo.exe", "brak.txt", "hook.dll"}));
  EXPECT_FALSE(t.files.FileExists("C:\\Cel\\kalmo.exe"));
  EXPECT_TRUE(t.files.FileExists("C:\\Cel\\hook.dll"));
  EXPECT_TRUE(DeleteFilesFromList("C:\\Cel", {"hook.dll"}));

  t.files.AddFile("C:\\Stage\\1.tmp", "");
  t.files.AddFile("C:\\Stage\\2.tmp", "");
  t.files.AddFile("C:\\Stage\\Sub\\3.tmp", "");
  EXPECT_TRUE(DeleteAllFilesInDir("C:\\Stage"));
  EXPECT_FALSE(t.files.FileExists("C:\\Stage\\1.tmp"));
  EXPECT_FALSE(t.files.FileExists("C:\\Stage\\2.tmp"));
  EXPECT_TRUE(t.files.FileExists("C:\\Stage\\Sub\\3.tmp"));
  EXPECT_FALSE(DeleteAllFilesInDir("C:\\Brak"));
}

TEST(InstallerHelpers, FreeSpaceIsRoundedDownToTenthsOfAMegabyte) {
  TestPlatform t;
  const uint64_t mb = 1024 * 1024;
  t.files.freeBytes = {{'C', 1024 * mb}, {'D', 3 * mb + 104857}, {'E', 3 * mb + 104858}, {'F', 0},
                       {'A', 2 * mb}, {'G', 5000000 * mb + mb - 1}};
  EXPECT_EQ(FreeMBDiscSpace('C'), 1024.0);
  EXPECT_EQ(FreeMBDiscSpace('d'), 3.0);
  EXPECT_EQ(FreeMBDiscSpace('E'), 3.1);
  EXPECT_EQ(FreeMBDiscSpace('F'), 0.0);
  EXPECT_EQ(FreeMBDiscSpace('G'), 5000000.9);
  EXPECT_TRUE(t.dialogs.shown.empty());

  // Outside b..y: the message, then the computation goes on.
  EXPECT_EQ(FreeMBDiscSpace('A'), 2.0);
  EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"U: Dyskowe F: FreeMBDiscSpace => nieprawidłowa nazwa napędu: A"});
  t.dialogs.shown.clear();
  EXPECT_EQ(FreeMBDiscSpace('q'), 0.0);
  EXPECT_EQ(t.dialogs.Texts(), std::vector<std::string>{"U: Dyskowe F: FreeMBDiscSpace => Zła nazwa napędu: q"});
  t.dialogs.shown.clear();
  EXPECT_EQ(FreeMBDiscSpace('z'), 0.0);
  EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{"U: Dyskowe F: FreeMBDiscSpace => nieprawidłowa nazwa napędu: z",
                                                         "U: Dyskowe F: FreeMBDiscSpace => Zła nazwa napędu: z"}));
  EXPECT_EQ(t.dialogs.shown[0].kind, Shown::Plain);
}

TEST(TextFiles, LinesAreWindows1250WithCrLf) {
  TestPlatform t;
  const std::string file = "C:\\Kalmo\\All_skroty.dat";
  t.files.AddDirectory("C:\\Kalmo");
  ASSERT_TRUE(WriteTextLines(file, {"Zażółć gęślą jaźń", "", "ĄĆĘŁŃÓŚŹŻ#1"}));
  EXPECT_EQ(t.files.ReadFile(file), "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1\r\n\r\n\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF#1\r\n");
  ASSERT_TRUE(AppendTextLine(file, "łódź"));
  TStringList lines{"stare"};
  ASSERT_TRUE(ReadTextLines(file, lines));
  EXPECT_EQ(lines, (TStringList{"Zażółć gęślą jaźń", "", "ĄĆĘŁŃÓŚŹŻ#1", "łódź"}));

  t.files.AddFile("C:\\Kalmo\\unix.txt", "a\nb\xB3\n");
  ASSERT_TRUE(ReadTextLines("C:\\Kalmo\\unix.txt", lines));
  EXPECT_EQ(lines, (TStringList{"a", "bł"}));
  EXPECT_FALSE(ReadTextLines("C:\\Kalmo\\brak.txt", lines));
  EXPECT_TRUE(lines.empty());

  ASSERT_TRUE(AppendTextLine("C:\\Kalmo\\nowy.txt", "pierwsza"));
  EXPECT_EQ(t.files.ReadFile("C:\\Kalmo\\nowy.txt"), "pierwsza\r\n");
  EXPECT_FALSE(WriteTextLines("C:\\Brak\\x.txt", {"a"}));
}
