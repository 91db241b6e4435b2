#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "common/Orgtekst.h"
#include "common/Tekst.h"
#include "platform/memory/Memory.h"

using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;

namespace {

std::vector<std::string> Words(const TOrganizatorTekstu& t) {
  std::vector<std::string> out;
  for (int32_t n = 1; n <= t.LiczbaWyrazow(); ++n) out.push_back(t.DajWyraz(n));
  return out;
}

std::vector<std::string> Words(const pisak::TOrganizatorTekstu& t) {
  std::vector<std::string> out;
  for (int32_t n = 1; n <= t.LiczbaWyrazow(); ++n) out.push_back(t.DajWyraz(n));
  return out;
}

TOrganizatorTekstu Split(const std::string& text, const std::string& separators = "#") {
  TOrganizatorTekstu t;
  t.UstawSeparatory(separators);
  t.UstawTekst(text);
  return t;
}

std::vector<std::string> Fields(const std::string& text, int upTo = 4) {
  std::vector<std::string> out;
  for (int n = 1; n <= upTo; ++n) out.push_back(NthField(text, n, '#'));
  return out;
}

using V = std::vector<std::string>;

}  // namespace

// ---- the main tokenizer ----

TEST(Orgtekst, WorkedExamplesSplitIntoWordsAndFields) {
  TestPlatform p;
  EXPECT_EQ(Words(Split("Katalog tymczasowy TEMP#T#*.*#1")), (V{"Katalog tymczasowy TEMP", "T", "*.*", "1"}));
  EXPECT_EQ(Fields("Katalog tymczasowy TEMP#T#*.*#1"), (V{"Katalog tymczasowy TEMP", "T", "*.*", "1"}));
  EXPECT_EQ(Words(Split("Shift+Ctrl+P#Przerwa")), (V{"Shift+Ctrl+P", "Przerwa"}));
  EXPECT_EQ(Fields("Shift+Ctrl+P#Przerwa"), (V{"Shift+Ctrl+P", "Przerwa", "", ""}));
  EXPECT_EQ(Words(Split("Moje dokumenty#")), (V{"Moje dokumenty"}));
  EXPECT_EQ(Fields("Moje dokumenty#"), (V{"Moje dokumenty", "", "", ""}));
  EXPECT_EQ(Words(Split("a##b")), (V{"a", "b"}));
  EXPECT_EQ(Fields("a##b"), (V{"a", "", "b", ""}));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(Orgtekst, EmptyOrSeparatorOnlyTextHasNoWordsAndAsksSilently) {
  TestPlatform p;
  for (const std::string text : {"", "#", "###", "\r\n#\n"}) {
    TOrganizatorTekstu t = Split(text);
    EXPECT_EQ(t.LiczbaWyrazow(), 0) << text;
    EXPECT_EQ(t.DajWyraz(1), "");
  }
  TOrganizatorTekstu fresh;
  EXPECT_EQ(fresh.LiczbaWyrazow(), 0);
  EXPECT_EQ(fresh.DajWyraz(1), "");
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(Orgtekst, OuterSeparatorsAreIgnoredWhileFieldsKeepThem) {
  TestPlatform p;
  EXPECT_EQ(Words(Split("#a#")), (V{"a"}));
  EXPECT_EQ(NthField("#a#", 1, '#'), "");
  EXPECT_EQ(NthField("#a#", 2, '#'), "a");
  EXPECT_EQ(NthField("#a#", 3, '#'), "");
}

TEST(Orgtekst, LineBreaksAndNulAlwaysSplit) {
  TestPlatform p;
  EXPECT_EQ(Words(Split("jeden\r\ndwa#trzy\nczte")), (V{"jeden", "dwa", "trzy", "czte"}));
  EXPECT_EQ(Words(Split(std::string("ab\0cd", 5))), (V{"ab", "cd"}));
  // With no caller separators at all, only the three fixed ones split.
  TOrganizatorTekstu t;
  t.UstawTekst("a b#c\rd");
  EXPECT_EQ(Words(t), (V{"a b#c", "d"}));
}

TEST(Orgtekst, SeveralSeparatorsAndPolishLetters) {
  TestPlatform p;
  EXPECT_EQ(Words(Split("  Zażółć  gęślą,jaźń ", " ,")), (V{"Zażółć", "gęślą", "jaźń"}));
  // A Polish letter works as a separator and counts as one of the nine.
  EXPECT_EQ(Words(Split("kośćłdomłłkot", "ł")), (V{"kość", "dom", "kot"}));
  EXPECT_NO_THROW(Split("x", "ąćęłńóśźż"));
}

TEST(Orgtekst, ChangingSeparatorsSplitsTheHeldTextAgain) {
  TestPlatform p;
  TOrganizatorTekstu t;
  t.UstawSeparatory("#,;");
  t.UstawTekst("a,b#c;d");
  EXPECT_EQ(t.LiczbaWyrazow(), 4);
  // A shorter set: the old third and fourth separators no longer split.
  t.UstawSeparatory("#");
  EXPECT_EQ(Words(t), (V{"a,b", "c;d"}));
  t.UstawSeparatory("");
  EXPECT_EQ(Words(t), (V{"a,b#c;d"}));
  // The same object takes a new text.
  t.UstawSeparatory(";");
  t.UstawTekst("x;y");
  EXPECT_EQ(Words(t), (V{"x", "y"}));
  EXPECT_EQ(t.DajWyrazy(1, 2), "x;y");
}

TEST(Orgtekst, TenSeparatorsAreARangeErrorThatChangesNothing) {
  TestPlatform p;
  TOrganizatorTekstu t = Split("a#b c", "#");
  EXPECT_THROW(t.UstawSeparatory("1234567890"), std::out_of_range);
  EXPECT_THROW(t.UstawSeparatory("ąćęłńóśźżĄ"), std::out_of_range);
  EXPECT_EQ(Words(t), (V{"a", "b c"}));
  t.UstawTekst("d#e f");
  EXPECT_EQ(Words(t), (V{"d", "e f"}));  // still "#" only
  EXPECT_NO_THROW(t.UstawSeparatory("123456789"));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(Orgtekst, DajWyrazBelowOneIsReportedOnceAndBeyondTheEndIsSilent) {
  TestPlatform p;
  TOrganizatorTekstu t = Split("a#b");
  EXPECT_EQ(t.DajWyraz(3), "");
  EXPECT_EQ(t.DajWyraz(1000), "");
  EXPECT_TRUE(p.dialogs.shown.empty());
  EXPECT_EQ(t.DajWyraz(0), "");
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:Tekst O:TOrganizatorTekstu.DajWyraz");
  EXPECT_EQ(p.dialogs.shown[0].text, "Błędne parametry wejściowe,  nie ma wyrazu nr:0");
  EXPECT_EQ(t.DajWyraz(-7), "");
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(p.dialogs.shown[1].text, "Błędne parametry wejściowe,  nie ma wyrazu nr:-7");
}

TEST(Orgtekst, DajWyrazyReturnsTheExactTextBetweenWords) {
  TestPlatform p;
  TOrganizatorTekstu t = Split("##a#b c#d##");
  EXPECT_EQ(t.DajWyrazy(1, 2), "a#b c");
  EXPECT_EQ(t.DajWyrazy(2, 3), "b c#d");
  EXPECT_EQ(t.DajWyrazy(1, 3), "a#b c#d");
  EXPECT_EQ(t.DajWyrazy(3, 3), "d");
  TOrganizatorTekstu pl = Split("C:\\Program Files\\Łódź\\Żółw", "\\");
  EXPECT_EQ(pl.DajWyrazy(1, 3), "C:\\Program Files\\Łódź");
  EXPECT_EQ(pl.DajWyrazy(3, 4), "Łódź\\Żółw");
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(Orgtekst, InvalidDajWyrazyIsReportedWithBothNumbers) {
  TestPlatform p;
  TOrganizatorTekstu t = Split("a#b#c");
  struct Case { int first, last; std::string text; };
  const std::vector<Case> cases = {
      {2, 1, "Niepoprawne dane wejściowe: pierwszy = 2 ostatni = 1"},
      {0, 2, "Niepoprawne dane wejściowe: pierwszy = 0 ostatni = 2"},
      {2, 4, "Niepoprawne dane wejściowe: pierwszy = 2 ostatni = 4"},
  };
  for (const Case& c : cases) {
    p.dialogs.shown.clear();
    EXPECT_EQ(t.DajWyrazy(c.first, c.last), "");
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
    EXPECT_EQ(p.dialogs.shown[0].place, "O:TOrganizatorTekstu.DajWyraz");
    EXPECT_EQ(p.dialogs.shown[0].text, c.text);
  }
  p.dialogs.shown.clear();
  TOrganizatorTekstu empty = Split("");
  EXPECT_EQ(empty.DajWyrazy(1, 1), "");
  EXPECT_EQ(p.dialogs.shown.size(), 1u);
}

TEST(Orgtekst, WordLimitIs255CountingPolishLettersAsOne) {
  TestPlatform p;
  std::string w255;
  for (int i = 0; i < 255; ++i) w255 += "ż";  // 510 bytes, 255 characters
  TOrganizatorTekstu t = Split("a#" + w255 + "#b");
  EXPECT_EQ(Words(t), (V{"a", w255, "b"}));
  EXPECT_TRUE(p.dialogs.shown.empty());

  const std::string w256 = w255 + "x";
  TOrganizatorTekstu u = Split("a#" + w256 + "#b");
  EXPECT_EQ(Words(u), (V{"a", "", "b"}));
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Plain);
  EXPECT_EQ(p.dialogs.shown[0].text, "TOrganizatorTekstu.DajWycinek => Błędne dane wyejściowe");
  // The word's place is still known, so ranges of words still come back whole.
  EXPECT_EQ(u.DajWyrazy(1, 3), "a#" + w256 + "#b");
  EXPECT_EQ(u.DajWyrazy(2, 2), w256);
}

TEST(Orgtekst, DajWycinekCopiesRawCharactersIncludingTheTerminator) {
  TestPlatform p;
  TOrganizatorTekstu t = Split("ąb#ć");
  EXPECT_EQ(t.DajWycinek(0, 0), "ą");
  EXPECT_EQ(t.DajWycinek(1, 2), "b#");
  EXPECT_EQ(t.DajWycinek(3, 4), std::string("ć\0", 3));  // index 4 is the terminating NUL
  EXPECT_TRUE(p.dialogs.shown.empty());

  for (auto [s, e] : std::vector<std::pair<int, int>>{{-1, 0}, {0, 5}, {2, 400}, {INT32_MIN, INT32_MAX}}) {
    p.dialogs.shown.clear();
    EXPECT_EQ(t.DajWycinek(s, e), "") << s << ".." << e;
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text, "TOrganizatorTekstu.DajWycinek => Błędne dane wyejściowe");
  }
}

// ---- NthField ----

TEST(NthField, KeepsEmptyFieldsAndIsEmptyOutsideTheFields) {
  EXPECT_EQ(NthField("", 1, '#'), "");
  EXPECT_EQ(NthField("abc", 1, '#'), "abc");
  EXPECT_EQ(NthField("abc", 2, '#'), "");
  EXPECT_EQ(NthField("a#b", 0, '#'), "");
  EXPECT_EQ(NthField("a#b", -1, '#'), "");
  EXPECT_EQ(NthField("###", 4, '#'), "");
  EXPECT_EQ(NthField("###", 5, '#'), "");
  EXPECT_EQ(NthField("shell32.dll,-3", 2, ','), "-3");
  EXPECT_EQ(NthField("żółw#łoś##źdźbło", 4, '#'), "źdźbło");
  EXPECT_EQ(NthField("żółw#łoś##źdźbło", 2, '#'), "łoś");
}

TEST(NthField, AHighByteSeparatorIsItsWindows1250Letter) {
  // 0xB3 is "ł" in Windows-1250; it must match the whole letter and not a byte inside another one.
  EXPECT_EQ(NthField("małpałkot", 2, '\xB3'), "pa");
  EXPECT_EQ(NthField("ąęł", 1, '\xB9'), "");   // "ą" in front
  EXPECT_EQ(NthField("ąęł", 2, '\xB9'), "ęł");
}

// ---- the painter's tokenizer ----

TEST(PisakTokenizer, SplitsLikeTheMainOneAndEndsTheLastWordWithAt) {
  TestPlatform p;
  pisak::TOrganizatorTekstu t;
  t.UstawSeparatory(" {}");
  t.UstawTekst("  {b}Gruby tekst}  żółć");
  EXPECT_EQ(Words(t), (V{"b", "Gruby", "tekst", "żółć"}));
  EXPECT_EQ(t.DajSeparator(1), "}");
  EXPECT_EQ(t.DajSeparator(2), " ");
  EXPECT_EQ(t.DajSeparator(3), "}");
  EXPECT_EQ(t.DajSeparator(4), "@");
  t.UstawSeparatory("#:");
  t.UstawTekst("kolor:czerwony#");
  EXPECT_EQ(Words(t), (V{"kolor", "czerwony"}));
  EXPECT_EQ(t.DajSeparator(2), "#");
  t.UstawTekst(static_cast<const char*>("a\nb"));
  EXPECT_EQ(Words(t), (V{"a", "b"}));
  EXPECT_EQ(t.DajSeparator(1), "\n");
  EXPECT_EQ(t.DajSeparator(2), "@");
  t.UstawTekst(static_cast<const char*>(nullptr));
  EXPECT_EQ(t.LiczbaWyrazow(), 0);
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST(PisakTokenizer, OutOfRangeQuestionsGoToThePlainMessageBox) {
  TestPlatform p;
  pisak::TOrganizatorTekstu t;
  t.UstawSeparatory(" ");
  t.UstawTekst("jeden dwa");
  EXPECT_EQ(t.DajWyraz(3), "");
  EXPECT_EQ(t.DajWyraz(0), "");
  EXPECT_EQ(t.DajSeparator(3), "@");
  EXPECT_EQ(t.DajSeparator(-1), "@");
  ASSERT_EQ(p.dialogs.shown.size(), 4u);
  for (const auto& s : p.dialogs.shown) EXPECT_EQ(s.kind, RecordingDialogs::Shown::Plain);
  EXPECT_EQ(p.dialogs.Texts(),
            (V{"U:Tekst O:TOrganizatorTekstu.DajWyraz => Błędne parametry wejściowe,  nie ma wyrazu nr:3",
               "U:Tekst O:TOrganizatorTekstu.DajWyraz => Błędne parametry wejściowe,  nie ma wyrazu nr:0",
               "U:Tekst O:TOrganizatorTekstu.DajSeparator => Błędne parametry wejściowe,  nie ma wyrazu nr:3",
               "U:Tekst O:TOrganizatorTekstu.DajSeparator => Błędne parametry wejściowe,  nie ma wyrazu nr:-1"}));
  EXPECT_THROW(t.UstawSeparatory("0123456789"), std::out_of_range);
  EXPECT_EQ(t.LiczbaWyrazow(), 2);
}

TEST(PisakTokenizer, WycinekMarksASliceThatReachesTheEnd) {
  TestPlatform p;
  pisak::TOrganizatorTekstu t;
  t.UstawTekst("źdźbło");
  EXPECT_EQ(t.Wycinek(0, 1), "źd");
  EXPECT_EQ(t.Wycinek(4, 6), "ło@");
  EXPECT_EQ(t.Wycinek(6, 6), "@");
  EXPECT_TRUE(p.dialogs.shown.empty());
  EXPECT_EQ(t.Wycinek(0, 7), "");
  EXPECT_EQ(t.Wycinek(-1, 2), "");
  EXPECT_EQ(p.dialogs.Texts(), (V{"TOrganizatorTekstu.Wycinek => Błędne dane wyejściowe",
                                  "TOrganizatorTekstu.Wycinek => Błędne dane wyejściowe"}));
}

TEST(PisakTokenizer, OverlongWordIsEmptyButKeepsItsSeparator) {
  TestPlatform p;
  pisak::TOrganizatorTekstu t;
  t.UstawSeparatory(" ");
  std::string w255(255, 'x');
  t.UstawTekst(w255 + " " + w255 + "y}");
  EXPECT_EQ(t.DajWyraz(1), w255);
  EXPECT_EQ(t.DajWyraz(2), "");
  EXPECT_EQ(t.DajSeparator(2), "@");
  t.UstawSeparatory(" }");
  EXPECT_EQ(t.DajSeparator(2), "}");
  EXPECT_EQ(t.DajWyraz(3), "");
  EXPECT_EQ(p.dialogs.Texts(), (V{"TOrganizatorTekstu.Wycinek => Błędne dane wyejściowe",
                                  "TOrganizatorTekstu.Wycinek => Błędne dane wyejściowe",
                                  "U:Tekst O:TOrganizatorTekstu.DajWyraz => Błędne parametry wejściowe,  nie ma wyrazu nr:3"}));
}
