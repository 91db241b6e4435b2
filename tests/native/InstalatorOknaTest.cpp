#include <gtest/gtest.h>

#include <string>

#include "installer/Glowny.h"
#include "installer/Licencja.h"
#include "installer/Wybgrupy.h"
#include "installer/Zmienkat.h"
#include "platform/memory/Memory.h"

using platform::DriveKind;
using platform::memory::TestPlatform;

TEST(ZmienKatalog, MissingDestinationIsSplitAtItsLongestExistingPrefix) {
  TestPlatform p;
  p.files.AddDirectory("C:\\Programy");
  PodzialSciezki podzial = PodzielSciezkeDocelowa("C:\\Programy\\Nowy\\Kalmo");
  EXPECT_EQ(podzial.katalog, "C:\\Programy\\");
  EXPECT_EQ(podzial.tworzony, "Nowy\\Kalmo");
  EXPECT_EQ(SciezkaWynikowa(podzial.katalog, podzial.tworzony), "C:\\Programy\\Nowy\\Kalmo");

  // A deeper existing level wins over a shallower one.
  p.files.AddDirectory("C:\\Programy\\Nowy");
  podzial = PodzielSciezkeDocelowa("C:\\Programy\\Nowy\\Kalmo");
  EXPECT_EQ(podzial.katalog, "C:\\Programy\\Nowy\\");
  EXPECT_EQ(podzial.tworzony, "Kalmo");
}

TEST(ZmienKatalog, ExistingDestinationIsListedAndOnlyTheDriveIsLeftWhenNothingElseExists) {
  TestPlatform p;
  p.files.AddDirectory("C:\\Kalmo");
  PodzialSciezki podzial = PodzielSciezkeDocelowa("C:\\Kalmo");
  EXPECT_EQ(podzial.katalog, "C:\\Kalmo");
  EXPECT_EQ(podzial.tworzony, "");

  // Only the drive's root exists: k = 1, the drive itself.
  podzial = PodzielSciezkeDocelowa("C:\\Gry\\Moja Gra");
  EXPECT_EQ(podzial.katalog, "C:\\");
  EXPECT_EQ(podzial.tworzony, "Gry\\Moja Gra");

  // A drive that does not exist at all still gives at least the drive.
  podzial = PodzielSciezkeDocelowa("Q:\\A\\B");
  EXPECT_EQ(podzial.katalog, "Q:\\");
  EXPECT_EQ(podzial.tworzony, "A\\B");

  // Doubled backslashes do not leave empty names behind.
  podzial = PodzielSciezkeDocelowa("C:\\\\Gry\\\\Nowe");
  EXPECT_EQ(podzial.katalog, "C:\\");
  EXPECT_EQ(podzial.tworzony, "Gry\\Nowe");
}

TEST(ZmienKatalog, ResultingPathJoinsListAndFieldWithOneBackslash) {
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy", "Kalmo"), "C:\\Programy\\Kalmo");
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy\\", "Kalmo"), "C:\\Programy\\Kalmo");
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy\\", "\\Kalmo\\"), "C:\\Programy\\Kalmo");
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy\\", "  Kalmo "), "C:\\Programy\\Kalmo");
  // Without a created directory no trailing backslash is left, except at a root.
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy\\", ""), "C:\\Programy");
  EXPECT_EQ(SciezkaWynikowa("C:\\Programy", "   "), "C:\\Programy");
  EXPECT_EQ(SciezkaWynikowa("D:\\", ""), "D:\\");
  EXPECT_EQ(SciezkaWynikowa("D:", ""), "D:\\");
  EXPECT_EQ(SciezkaWynikowa("D:", "Gry"), "D:\\Gry");
}

TEST(ZmienKatalog, DestinationMustBeASubdirectoryOfADriveWithPlainNames) {
  EXPECT_EQ(SprawdzSciezkeDocelowa("C:\\Kalmo"), "");
  EXPECT_EQ(SprawdzSciezkeDocelowa("d:\\Moje Programy\\Kalmo 2"), "");
  EXPECT_EQ(SprawdzSciezkeDocelowa("C:\\Zażółć"), "");

  EXPECT_NE(SprawdzSciezkeDocelowa(""), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("Kalmo"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("\\\\serwer\\udzial"), "");
  // Uninstalling from a root would empty the whole root.
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\"), "");
  // "#" stands for a space in the uninstall command.
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\Gra#1"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A?B"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A:B"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A\\..\\B"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A\\\\B"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A\\B."), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\A \\B"), "");
  EXPECT_NE(SprawdzSciezkeDocelowa("C:\\" + std::string(200, 'a')), "");
}

TEST(ZmienKatalog, DirectoryListShowsAncestorsThenSubdirectories) {
  TestPlatform p;
  p.files.AddDirectory("C:\\Programy\\Kalmo");
  p.files.AddDirectory("C:\\Programy\\Gry");
  p.files.AddFile("C:\\Programy\\plik.txt", "x");
  auto pozycje = PozycjeListyKatalogow("C:\\Programy\\");
  ASSERT_EQ(pozycje.size(), 4u);
  EXPECT_EQ(pozycje[0].nazwa, "C:\\");
  EXPECT_EQ(pozycje[0].sciezka, "C:\\");
  EXPECT_EQ(pozycje[1].nazwa, "Programy");
  EXPECT_EQ(pozycje[1].sciezka, "C:\\Programy");
  EXPECT_EQ(pozycje[1].poziom, 1);
  EXPECT_TRUE(pozycje[1].otwarty);
  EXPECT_EQ(pozycje[2].nazwa, "Gry");
  EXPECT_EQ(pozycje[2].sciezka, "C:\\Programy\\Gry");
  EXPECT_EQ(pozycje[2].poziom, 2);
  EXPECT_FALSE(pozycje[2].otwarty);
  EXPECT_EQ(pozycje[3].nazwa, "Kalmo");

  auto korzen = PozycjeListyKatalogow("C:\\");
  ASSERT_EQ(korzen.size(), 2u);
  EXPECT_EQ(korzen[1].sciezka, "C:\\Programy");
  EXPECT_EQ(korzen[1].poziom, 1);
}

TEST(ZmienKatalog, OnlyFixedDrivesAreAcceptedAndOthersSnapBack) {
  TestPlatform p;
  p.files.drives = {{'C', DriveKind::Fixed}, {'D', DriveKind::Fixed}, {'E', DriveKind::Remote},
                    {'A', DriveKind::Removable}};
  p.files.AddDirectory("C:\\Programy");
  TZmianaKatalogu zmiana("c:\\Programy\\Kalmo");
  EXPECT_EQ(zmiana.stacja(), 'C');
  EXPECT_EQ(zmiana.katalog(), "c:\\Programy\\");
  EXPECT_EQ(zmiana.tworzony(), "Kalmo");

  EXPECT_FALSE(zmiana.WybierzStacje('E'));
  EXPECT_EQ(zmiana.stacja(), 'C');
  EXPECT_EQ(zmiana.katalog(), "c:\\Programy\\");

  EXPECT_TRUE(zmiana.WybierzStacje('d'));
  EXPECT_EQ(zmiana.stacja(), 'D');
  EXPECT_EQ(zmiana.katalog(), "D:\\");
  EXPECT_EQ(zmiana.Wynik(), "D:\\Kalmo");

  // Snapping back from another drive brings the list back to the destination's drive too.
  EXPECT_FALSE(zmiana.WybierzStacje('A'));
  EXPECT_EQ(zmiana.stacja(), 'C');
  EXPECT_EQ(zmiana.katalog(), "c:\\Programy\\");
  EXPECT_FALSE(zmiana.WybierzStacje('Z'));  // no such drive
  EXPECT_EQ(zmiana.stacja(), 'C');

  zmiana.UstawKatalog("C:\\Programy");
  zmiana.UstawTworzony("");
  EXPECT_EQ(zmiana.Wynik(), "C:\\Programy");
}

TEST(GlownyInstalatora, FreeSpaceAfterAChangeIsThatDrivesWithTheCommaUnit) {
  TestPlatform p;
  p.files.drives['D'] = DriveKind::Fixed;
  p.files.freeBytes['D'] = 5ull * 1024 * 1024 + 512 * 1024;  // 5.5 MB
  WolneMiejsce w = WolneMiejscePoZmianie("D:\\Kalmo", 2.5);
  EXPECT_EQ(w.tekst, "5.5 M,B");
  EXPECT_FALSE(w.brak);
  w = WolneMiejscePoZmianie("d:\\Kalmo", 6);
  EXPECT_EQ(w.tekst, "5.5 M,B");
  EXPECT_TRUE(w.brak);
  // Drive C has 1024 MB in the fake, so the drive letter is really used.
  w = WolneMiejscePoZmianie("C:\\Kalmo", 6);
  EXPECT_EQ(w.tekst, "1024.0 M,B");
  EXPECT_FALSE(w.brak);
}

TEST(WyborGrupy, GroupNamesThatBreakTheCommandOrAFolderAreRefused) {
  EXPECT_EQ(SprawdzNazweGrupy("Kalmo"), "");
  EXPECT_EQ(SprawdzNazweGrupy("Asystent Komputerowy 2.0"), "");
  EXPECT_EQ(SprawdzNazweGrupy("Narzędzia łódzkie"), "");
  EXPECT_NE(SprawdzNazweGrupy(""), "");
  EXPECT_NE(SprawdzNazweGrupy("   "), "");
  for (const char* zla : {"A(B", "A)B", "A,B", "A[B", "A]B", "A\\B", "A/B", "A:B", "A*B", "A?B", "A\"B", "A<B",
                          "A>B", "A|B", "Kalmo.", "A&B"})
    EXPECT_NE(SprawdzNazweGrupy(zla), "") << zla;
}

TEST(Licencja, WindowsTextBecomesUtf8WithCrLfLines) {
  // "Zażółć" in Windows-1250, lines ended every way a text file may end them.
  const std::string bajty = std::string("Za\xBF\xF3\xB3\xE6\r\n") + "druga\nTrzecia\rkoniec";
  EXPECT_EQ(TekstLicencji(bajty), "Zażółć\r\ndruga\r\nTrzecia\r\nkoniec");
  EXPECT_EQ(TekstLicencji("a\r\n\r\nb\n\n"), "a\r\n\r\nb\r\n\r\n");
  EXPECT_EQ(TekstLicencji(std::string("a\0b", 3)), "a b");
  EXPECT_EQ(TekstLicencji(""), "");
}
