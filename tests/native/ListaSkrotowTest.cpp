// Folder shortcuts: the data file, the key labels and keys, the folder of an entry, the explorer
// command, the window height and the shortcut dialog's refusals.
#include <gtest/gtest.h>

#include "base/Cp1250.h"
#include "keyboard/ListaSkrotow.h"
#include "keyboard/Skrot.h"
#include "platform/memory/Memory.h"

using platform::memory::TestPlatform;

namespace {
const std::string kPlik = "C:\\Kalmo\\Jan_skroty.dat";
}

TEST(ListaSkrotow, LabelsAndKeys) {
  EXPECT_EQ(EtykietaSkrotu(0), " 1");
  EXPECT_EQ(EtykietaSkrotu(9), " 10");
  EXPECT_EQ(EtykietaSkrotu(10), " A");
  EXPECT_EQ(EtykietaSkrotu(11), " B");
  EXPECT_EQ(EtykietaSkrotu(35), " Z");
  EXPECT_EQ(EtykietaSkrotu(36), "  ");  // no key past Z
  EXPECT_EQ(WpisSkrotu(11, "Dom"), " B   Dom");
  // Twelve shortcuts: B opens the twelfth, C nothing; the tenth has no key.
  EXPECT_EQ(PozycjaDlaKlawisza('B', 12), 11);
  EXPECT_EQ(PozycjaDlaKlawisza('C', 12), -1);
  EXPECT_EQ(PozycjaDlaKlawisza('1', 12), 0);
  EXPECT_EQ(PozycjaDlaKlawisza('9', 12), 8);
  EXPECT_EQ(PozycjaDlaKlawisza('0', 12), -1);
  EXPECT_EQ(PozycjaDlaKlawisza('5', 3), -1);
  EXPECT_EQ(PozycjaDlaKlawisza(0x1B, 12), -1);
}

TEST(ListaSkrotow, FileFoldersAndTheExplorerCommand) {
  TestPlatform p;
  EXPECT_TRUE(WczytajSkroty(kPlik).empty());
  p.files.AddFile(kPlik, cp1250::FromUtf8("Moje dokumenty#C:\\Moje dokumenty\r\n\r\nZdjęcia#D:\\A, B\r\n"
                                          "Moje dokumenty#C:\\Inne\r\nBez folderu\r\n"));
  auto s = WczytajSkroty(kPlik);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[1].nazwa, "Zdjęcia");
  EXPECT_EQ(s[1].folder, "D:\\A, B");
  EXPECT_EQ(FolderSkrotu(s, 1), "D:\\A, B");
  EXPECT_EQ(FolderSkrotu(s, 2), "C:\\Moje dokumenty");  // two of one name open the first's folder
  EXPECT_EQ(FolderSkrotu(s, 3), "");
  EXPECT_EQ(FolderSkrotu(s, 7), "");
  EXPECT_EQ(PolecenieEksploratora("D:\\A, B"), "Explorer /e,\"D:\\A, B\"");

  // Saving leaves out the empty row of an empty grid and replaces the file.
  ASSERT_TRUE(ZapiszSkroty(kPlik, {{"Dom", "C:\\Dom"}, {"", ""}}));
  EXPECT_EQ(*p.files.ReadFile(kPlik), "Dom#C:\\Dom\r\n");
}

TEST(ListaSkrotow, HeightShowsEveryEntryButStaysOnTheScreen) {
  EXPECT_EQ(WysokoscListySkrotow(4, 19, 12, 16, 740), 2 * 4 + 19 + 12 * 16 + 1);
  // 100 shortcuts on a 740-pixel work area: whole entries up to the area's height.
  const int h = WysokoscListySkrotow(4, 19, 100, 16, 740);
  EXPECT_LE(h, 740);
  EXPECT_EQ((h - 2 * 4 - 19 - 1) % 16, 0);
  EXPECT_GT(h, 740 - 16);
}

TEST(ListaSkrotow, LinesSplitAtTheFirstHashSoFoldersKeepTheirOwn) {
  TestPlatform p;
  const SkrotFolderu s = ParsujLinieSkrotu("Proj#C:\\Dev\\C#\\App");
  EXPECT_EQ(s.nazwa, "Proj");
  EXPECT_EQ(s.folder, "C:\\Dev\\C#\\App");
  EXPECT_EQ(LiniaSkrotu(s), "Proj#C:\\Dev\\C#\\App");
  EXPECT_EQ(ParsujLinieSkrotu("Bez folderu").folder, "");
  EXPECT_EQ(ParsujLinieSkrotu("#C:\\X").nazwa, "");
  // Read, written and read again, every line stays as it was.
  p.files.AddFile(kPlik, "Proj#C:\\Dev\\C#\\App\r\nDwa##C:\\##\r\n");
  const auto wczytane = WczytajSkroty(kPlik);
  ASSERT_EQ(wczytane.size(), 2u);
  EXPECT_EQ(FolderSkrotu(wczytane, 0), "C:\\Dev\\C#\\App");
  EXPECT_EQ(wczytane[1].folder, "#C:\\##");
  ASSERT_TRUE(ZapiszSkroty(kPlik, wczytane));
  EXPECT_EQ(*p.files.ReadFile(kPlik), "Proj#C:\\Dev\\C#\\App\r\nDwa##C:\\##\r\n");
}

TEST(Skrot, RefusesEmptyNamesHashesInNamesAndCharactersTheFileCannotHold) {
  EXPECT_EQ(SprawdzSkrot("Dom", "C:\\Dom, stary"), std::nullopt);
  EXPECT_EQ(SprawdzSkrot("Proj", "C:\\Dev\\C#\\App"), std::nullopt);  // "#" in a folder is kept
  EXPECT_EQ(SprawdzSkrot("Księgowość €", "D:\\Zażółć\\Straße"), std::nullopt);  // all of Windows-1250
  auto o = SprawdzSkrot("  ", "C:\\Dom");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->komunikat, "Podaj nazwę skrótu.");
  EXPECT_FALSE(o->wFolderze);
  o = SprawdzSkrot("C#", "C:\\Dom");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->komunikat, "Nazwa skrótu nie może zawierać znaku „#”.");
  EXPECT_FALSE(o->wFolderze);
  // A character outside the code page would be stored as "?": refused, and named.
  o = SprawdzSkrot("Документы", "C:\\Dom");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->komunikat,
            "Nazwa skrótu zawiera znak „Д”, którego nie da się zapisać w pliku skrótów (strona kodowa Windows-1250).");
  EXPECT_FALSE(o->wFolderze);
  o = SprawdzSkrot("Zdjęcia", "C:\\Zdjęcia\\España 日本");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->komunikat, "Lokalizacja folderu zawiera znak „ñ”, którego nie da się zapisać w pliku skrótów "
                          "(strona kodowa Windows-1250).");
  EXPECT_TRUE(o->wFolderze);
  EXPECT_EQ(cp1250::FirstUnmappable("Zażółć gęślą jaźń € „” – ß"), "");
  EXPECT_EQ(cp1250::FirstUnmappable("a日b"), "日");
  EXPECT_EQ(cp1250::FirstUnmappable("a😀"), "😀");
}
