#include <gtest/gtest.h>

#include <string>

#include "common/Tekstowe.h"
#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;

TEST(Tekstowe, IntToStr0bPadsAndReportsTooLongNumbers) {
  TestPlatform p;
  EXPECT_EQ(IntToStr0b(7, 2), "07");
  EXPECT_EQ(IntToStr0b(45, 2), "45");
  EXPECT_EQ(IntToStr0b(0, 3), "000");
  EXPECT_EQ(IntToStr0b(-5, 3), "-05");
  EXPECT_EQ(IntToStr0b(5, 0), "5");  // already longer than a zero width...
  ASSERT_EQ(p.dialogs.shown.size(), 1u);  // ...which is reported
  p.dialogs.shown.clear();

  EXPECT_EQ(IntToStr0b(123, 2), "123");
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:Tekstowe F:IntToStr0b");
  EXPECT_EQ(p.dialogs.shown[0].text, "Za duża cyfra: 123");
}

TEST(Tekstowe, IntToStrSpacesPadsWithSpaces) {
  EXPECT_EQ(IntToStrSpaces(7, 3), "  7");
  EXPECT_EQ(IntToStrSpaces(-12, 5), "  -12");
  EXPECT_EQ(IntToStrSpaces(12345, 3), "12345");
}

TEST(Tekstowe, FirstAndLastCharCountPolishLettersAsOne) {
  TestPlatform p;
  EXPECT_EQ(FirstChar("łódź"), "ł");
  EXPECT_EQ(LastChar("łódź"), "ź");
  EXPECT_EQ(FirstChar("a"), "a");
  EXPECT_EQ(LastChar("a"), "a");
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(Tekstowe, FirstAndLastCharOfEmptyStringAreReported) {
  TestPlatform p;
  EXPECT_EQ(FirstChar(""), "@");
  EXPECT_EQ(LastChar(""), "@");
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:Tekstowe F:FirstChar");
  EXPECT_EQ(p.dialogs.shown[0].text, "długość podanego ciągu jest równa 0");
  EXPECT_EQ(p.dialogs.shown[1].place, "U:Tekstowe F:LastChar");
  EXPECT_EQ(p.dialogs.shown[1].text, "Próba zwrócenia ostatniego znaku z pustego łańcucha!");
}

TEST(Tekstowe, PolishCaseConversion) {
  EXPECT_EQ(UpperCasePL("żółć"), "ŻÓŁĆ");
  EXPECT_EQ(UpperCasePL("zażółć gęślą jaźń 12!"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 12!");
  EXPECT_EQ(LowerCasePL("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "zażółć gęślą jaźń");
  EXPECT_EQ(UpperCasePL("ąćęłńóśźż"), "ĄĆĘŁŃÓŚŹŻ");
  EXPECT_EQ(LowerCasePL("ĄĆĘŁŃÓŚŹŻ"), "ąćęłńóśźż");
  EXPECT_EQ(UpperCasePL("ĄŻ"), "ĄŻ");
  // Other letters and malformed bytes pass through untouched.
  EXPECT_EQ(UpperCasePL("über"), "üBER");
  EXPECT_EQ(UpperCasePL("a\xC4"), "A\xC4");
  EXPECT_EQ(LowerCasePL("\xFF" "B\xC5"), "\xFF" "b\xC5");
}

TEST(Tekstowe, PrefixAndContainmentSearches) {
  const TStringList list = {"Notatnik - dok.txt", "Łódź - mapa", "kalkulator"};
  EXPECT_TRUE(StartsWith("Łódź - mapa", "Łódź"));
  EXPECT_TRUE(StartsWith("abc", ""));
  EXPECT_FALSE(StartsWith("ab", "abc"));
  EXPECT_FALSE(StartsWith("abc", "aB"));
  EXPECT_EQ(IndexOfStartingWith(list, "łódź", true), -1);
  EXPECT_EQ(IndexOfStartingWith(list, "łódź", false), 1);
  EXPECT_EQ(IndexOfStartingWith(list, "KALK", false), 2);
  EXPECT_EQ(IndexOfStartingWith(list, "KALK", true), -1);
  EXPECT_EQ(IndexOfStartingWith({}, "a", false), -1);
  EXPECT_EQ(IndexOfContaining("mapa", list), 1);
  EXPECT_EQ(IndexOfContaining(" - ", list), 0);
  EXPECT_EQ(IndexOfContaining("Mapa", list), -1);
  EXPECT_EQ(IndexOfContaining("", list), -1);
}

TEST(Tekstowe, JoinAndAfterLastChar) {
  EXPECT_EQ(JoinWithSeparator({"a", "ż", ""}, "#"), "a#ż#");
  EXPECT_EQ(JoinWithSeparator({"jeden"}, ", "), "jeden");
  EXPECT_EQ(JoinWithSeparator({}, "#"), "");
  EXPECT_EQ(AfterLastChar("C:\\Łódź\\plik.txt", '\\'), "plik.txt");
  EXPECT_EQ(AfterLastChar("plik.txt", '\\'), "plik.txt");
  EXPECT_EQ(AfterLastChar("plik\\", '\\'), "");
  EXPECT_EQ(AfterLastChar("kałuża", '\xB3'), "uża");  // 0xB3 = "ł" in Windows-1250
}

TEST(Tekstowe, TextBetweenAndCutBetween) {
  EXPECT_EQ(TextBetween("Word (Tryb zgodności) - x", "(", ")"), "Tryb zgodności");
  EXPECT_EQ(TextBetween("a[]b", "[", "]"), "");
  EXPECT_EQ(TextBetween("brak", "(", ")"), "");
  EXPECT_EQ(TextBetween("tylko (otwarcie", "(", ")"), "");
  EXPECT_EQ(TextBetween("b)a(", "(", ")"), "");
  EXPECT_EQ(TextBetween("<<x>>", "<<", ">>"), "x");
  EXPECT_EQ(CutBetween("Dokument (tylko do odczytu) - Word", "(", ")"), "Dokument  - Word");
  EXPECT_EQ(CutBetween("brak nawiasów", "(", ")"), "brak nawiasów");
  EXPECT_EQ(CutBetween("b)a(", "(", ")"), "b)a(");
  // The closing text is looked for after the opening one.
  EXPECT_EQ(TextBetween(":) Raport (wersja 2)", "(", ")"), "wersja 2");
  EXPECT_EQ(CutBetween(":) Raport (wersja 2)", "(", ")"), ":) Raport ");
  EXPECT_EQ(CutBetween("x", "", ")"), "x");
}

TEST(Tekstowe, CopyFromToCountsCharacters) {
  EXPECT_EQ(CopyFromTo("źdźbło", 1, 3), "źd");
  EXPECT_EQ(CopyFromTo("źdźbło", 3, 7), "źbło");
  EXPECT_EQ(CopyFromTo("źdźbło", 5, 100), "ło");
  EXPECT_EQ(CopyFromTo("źdźbło", 4, 4), "");
  EXPECT_EQ(CopyFromTo("źdźbło", 4, 2), "");
  EXPECT_EQ(CopyFromTo("źdźbło", 0, 2), "ź");
  EXPECT_EQ(CopyFromTo("abc", 10, 12), "");
}

TEST(Tekstowe, CharacterReplacements) {
  EXPECT_EQ(RemoveChar("a#b##c", '#'), "abc");
  EXPECT_EQ(RemoveChar("łódź", '\xF3'), "łdź");  // 0xF3 = "ó"
  EXPECT_EQ(ReplaceChar("Program#Files#Łódź", '#', ' '), "Program Files Łódź");
  EXPECT_EQ(ReplaceChar("a.b", '.', '\xB3'), "ałb");
  EXPECT_EQ(UnderscoresToSpaces("Moje_programy_&_gry&1"), "Moje programy _ gry_1");
  EXPECT_EQ(TabsToSpaces("a\tb\t\tż"), "a b  ż");
  EXPECT_TRUE(ContainsAnyOf("Notatnik - x", "-["));
  EXPECT_TRUE(ContainsAnyOf("żółw", "abcł"));
  EXPECT_FALSE(ContainsAnyOf("żółw", "ŻÓŁW"));
  EXPECT_FALSE(ContainsAnyOf("", "-"));
  EXPECT_FALSE(ContainsAnyOf("abc", ""));
}

TEST(Tekstowe, DeletingAndDroppingCharacters) {
  std::string s = "żółć";
  DeleteFirstChar(s);
  EXPECT_EQ(s, "ółć");
  DeleteLastChar(s);
  EXPECT_EQ(s, "ół");
  std::string e;
  DeleteFirstChar(e);
  DeleteLastChar(e);
  EXPECT_EQ(e, "");
  EXPECT_EQ(DropLastChars("plik.żół", 4), "plik");
  EXPECT_EQ(DropLastChars("żół", 3), "");
  EXPECT_EQ(DropLastChars("żół", 9), "");
  EXPECT_EQ(DropLastChars("żół", 0), "żół");
  EXPECT_EQ(DropLastChars("żół", -2), "żół");
  std::string z("ab\0cd", 5);
  TrimAtNul(z);
  EXPECT_EQ(z, "ab");
  std::string noNul = "abc";
  TrimAtNul(noNul);
  EXPECT_EQ(noNul, "abc");
}

TEST(Tekstowe, Trimming) {
  EXPECT_EQ(TrimRightWhite("  a b \r\n \n"), "  a b");
  EXPECT_EQ(TrimRightWhite("a\t"), "a\t");
  EXPECT_EQ(TrimLeftSpaces("   a b  "), "a b  ");
  EXPECT_EQ(TrimLeftSpaces("\ta"), "\ta");
  EXPECT_EQ(TrimBoth("  żółw \r\n"), "żółw");
  EXPECT_EQ(TrimBoth("   "), "");
}

TEST(Tekstowe, IsNumberAcceptsWholeNumbersOnly) {
  EXPECT_TRUE(IsNumber("-12"));
  EXPECT_TRUE(IsNumber("0"));
  EXPECT_TRUE(IsNumber("  42 "));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_FALSE(IsNumber("   "));
  EXPECT_FALSE(IsNumber("12a"));
  EXPECT_FALSE(IsNumber("1,5"));
  EXPECT_FALSE(IsNumber("١"));  // a non-ASCII digit
  // A minus only as a sign in front: these would fail to convert.
  EXPECT_FALSE(IsNumber("-"));
  EXPECT_FALSE(IsNumber("1-2"));
  EXPECT_FALSE(IsNumber("--3"));
}

TEST(Tekstowe, IsDecimalNumberAcceptsOneDecimalComma) {
  EXPECT_TRUE(IsDecimalNumber("1,5"));
  EXPECT_TRUE(IsDecimalNumber("12"));
  EXPECT_TRUE(IsDecimalNumber("-0,25"));
  EXPECT_TRUE(IsDecimalNumber(" 3,0 "));
  EXPECT_FALSE(IsDecimalNumber(",5"));
  EXPECT_FALSE(IsDecimalNumber("5,"));
  EXPECT_FALSE(IsDecimalNumber("-"));
  EXPECT_FALSE(IsDecimalNumber(""));
  EXPECT_FALSE(IsDecimalNumber("1.5"));
  EXPECT_FALSE(IsDecimalNumber("1,2,3"));
  EXPECT_FALSE(IsDecimalNumber("-,5"));
  EXPECT_FALSE(IsDecimalNumber("1-2"));
}
