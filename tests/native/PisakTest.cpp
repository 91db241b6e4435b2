#include <gtest/gtest.h>

#include "common/Pisak.h"
#include "common/UkladKomunikatu.h"
#include "platform/memory/Memory.h"
#include "tests/native/PisakFake.h"

using pisak::TOPisak;
using pisaktest::FakeCanvas;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0x0000FF;

struct PisakTest : testing::Test {
  platform::memory::TestPlatform platform;
  FakeCanvas canvas;
  TOPisak pisak;

  void SetUp() override {
    pisak::Czcionka base;
    base.face = "MS Sans Serif";
    base.color = kBlack;
    pisak.UstawCzcionke(base);
    pisak.UstawSzerokosc(100);
  }
  std::vector<std::string> Messages() const { return platform.dialogs.Texts(); }
  // Texts drawn by one painting, in order.
  std::vector<std::string> Paint() {
    canvas.drawn.clear();
    pisak.Rysuj(canvas, 0, 0, 100, 100);
    std::vector<std::string> out;
    for (const auto& d : canvas.drawn) out.push_back(d.text);
    return out;
  }
  const FakeCanvas::Drawn& DrawnWord(const std::string& text) {
    for (const auto& d : canvas.drawn)
      if (d.text == text) return d;
    ADD_FAILURE() << "not drawn: " << text;
    static FakeCanvas::Drawn none{};
    return none;
  }
};

// Default font: "U" is 20 high, so a word is round(20 * 0.81) = 16 high and a line adds
// round(16 * 1.21) = 19 to the required height and round(16 * 1.22) = 20 to the drawing.

TEST_F(PisakTest, WordsOfSixtyPixelsInAHundredPixelControlStandOnTheirOwnLines) {
  pisak.UstawTekst("abcde fghij klmno");  // "abcde " = 60 pixels
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 3 * 19);
  ASSERT_EQ(pisak.Linie().size(), 3u);
  EXPECT_EQ(pisak.Linie()[0].first, 1);
  EXPECT_EQ(pisak.Linie()[0].last, 1);
  EXPECT_EQ(pisak.Linie()[0].width, 60);
  EXPECT_EQ(pisak.Linie()[2].width, 50);  // the last word has no space after it
  Paint();
  EXPECT_EQ(DrawnWord("abcde").y, 0);
  EXPECT_EQ(DrawnWord("fghij").y, 20);
  EXPECT_EQ(DrawnWord("klmno").y, 40);
  EXPECT_EQ(DrawnWord("klmno").x, 0);
}

TEST_F(PisakTest, ALineBreaksOnlyWhenTheNextWordWithoutItsSpaceWouldExceedTheWidth) {
  pisak.UstawSzerokosc(80);
  pisak.UstawTekst("aa bb cc dd");  // 30 + 30 + 20 = 80 fits exactly; "dd" does not
  pisak.WymaganaWysokosc(canvas);
  ASSERT_EQ(pisak.Linie().size(), 2u);
  EXPECT_EQ(pisak.Linie()[0].last, 3);
  EXPECT_EQ(pisak.Linie()[0].width, 90);  // the trailing space of "cc " counts in the line width
  EXPECT_EQ(pisak.Linie()[1].first, 4);
  Paint();
  EXPECT_EQ(DrawnWord("bb").x, 30);
  EXPECT_EQ(DrawnWord("cc").x, 60);
  EXPECT_EQ(DrawnWord("dd").x, 0);
  EXPECT_EQ(DrawnWord("dd").y, 20);
}

TEST_F(PisakTest, AWordWiderThanTheControlStandsAloneAndIsNotBroken) {
  pisak.UstawTekst("a bardzodlugiewyrazenie b");
  pisak.WymaganaWysokosc(canvas);
  ASSERT_EQ(pisak.Linie().size(), 3u);
  EXPECT_EQ(pisak.Linie()[1].first, 2);
  EXPECT_EQ(pisak.Linie()[1].last, 2);
  EXPECT_EQ(Paint(), (std::vector<std::string>{"a", "bardzodlugiewyrazenie", "b"}));
}

TEST_F(PisakTest, ColourRedThenPlainDrawsTheFirstWordRedAndTheRestInTheBaseFont) {
  pisak.UstawTekst("{#color:red}Błąd{#plain} pliku");
  EXPECT_EQ(Paint(), (std::vector<std::string>{"Błąd", "pliku"}));
  EXPECT_EQ(DrawnWord("Błąd").font.color, kRed);
  EXPECT_EQ(DrawnWord("pliku").font, pisak.CzcionkaBazowa());
  // The space typed between the two words is kept although a command stands before it.
  EXPECT_EQ(DrawnWord("pliku").x, 50);
  EXPECT_EQ(pisak.TekstWidoczny(), "Błąd pliku");
  EXPECT_TRUE(Messages().empty());
  // Painting ends in the base font.
  EXPECT_EQ(canvas.font, pisak.CzcionkaBazowa());
}

TEST_F(PisakTest, CommandsAreCaseInsensitiveButMustBeWholeNames) {
  pisak.UstawTekst("#B gruby");
  Paint();
  EXPECT_TRUE(DrawnWord("gruby").font.bold);
  EXPECT_EQ(pisak.Slowa()[1].width, 5 * 12);  // measured in the bold font
  EXPECT_TRUE(Messages().empty());

  pisak.UstawTekst("#bold gruby");
  Paint();
  EXPECT_FALSE(DrawnWord("gruby").font.bold);
  // Reported once for the text, not again at each painting.
  Paint();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"TOPisak.WykonajRozkaz => Nie rozpoznany rozkaz: bold"}));
}

TEST_F(PisakTest, AnUnknownCommandNameIsReportedCutToTenCharacters) {
  pisak.UstawTekst("{#ZupelnieNieznany:x}tekst");
  Paint();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"TOPisak.WykonajRozkaz => Nie rozpoznany rozkaz: zupelnieni"}));
  EXPECT_EQ(DrawnWord("tekst").font, pisak.CzcionkaBazowa());
}

TEST_F(PisakTest, ACommandWithoutNameOrArgumentAsksTheTokenizerNothingOutOfRange) {
  pisak.UstawTekst("# a {#color} b");
  Paint();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"TOPisak.WykonajRozkaz => Nie rozpoznany rozkaz: ",
                                                  "TOPisak.DajKolor => podany nieznany kolor: "}));
  EXPECT_EQ(DrawnWord("b").font.color, pisak::kKolorNieznany);
}

TEST_F(PisakTest, AnUnknownColourIsReportedAndMaroonIsUsed) {
  pisak.UstawTekst("{#color:Różowy}x {#COLOR:Navy}y");
  Paint();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"TOPisak.DajKolor => podany nieznany kolor: Różowy"}));
  EXPECT_EQ(DrawnWord("x").font.color, 0x000080u);
  EXPECT_EQ(DrawnWord("y").font.color, 0x800000u);
}

TEST_F(PisakTest, TheColourTableHoldsTheSixteenNamesAsBgr) {
  EXPECT_EQ(pisak::KolorNazwany("black"), 0x000000u);
  EXPECT_EQ(pisak::KolorNazwany("maroon"), 0x000080u);
  EXPECT_EQ(pisak::KolorNazwany("green"), 0x008000u);
  EXPECT_EQ(pisak::KolorNazwany("olive"), 0x008080u);
  EXPECT_EQ(pisak::KolorNazwany("navy"), 0x800000u);
  EXPECT_EQ(pisak::KolorNazwany("purple"), 0x800080u);
  EXPECT_EQ(pisak::KolorNazwany("teal"), 0x808000u);
  EXPECT_EQ(pisak::KolorNazwany("gray"), 0x808080u);
  EXPECT_EQ(pisak::KolorNazwany("silver"), 0xC0C0C0u);
  EXPECT_EQ(pisak::KolorNazwany("RED"), 0x0000FFu);
  EXPECT_EQ(pisak::KolorNazwany("lime"), 0x00FF00u);
  EXPECT_EQ(pisak::KolorNazwany("blue"), 0xFF0000u);
  EXPECT_EQ(pisak::KolorNazwany("fuchsia"), 0xFF00FFu);
  EXPECT_EQ(pisak::KolorNazwany("aqua"), 0xFFFF00u);
  EXPECT_EQ(pisak::KolorNazwany("white"), 0xFFFFFFu);
  EXPECT_EQ(pisak::KolorNazwany("grey"), std::nullopt);
}

TEST_F(PisakTest, StyleCommandsSetOneStyleOrSwitchOneOff) {
  pisak.UstawSzerokosc(1000);
  pisak.UstawTekst("{#b}a{#i}b{#u}c{#b}{#ub}d{#i}{#ui}e{#u}{#uu}f{#i}{#ub}g");
  Paint();
  auto style = [&](const std::string& w) {
    const auto& f = DrawnWord(w).font;
    return std::string(f.bold ? "b" : "") + (f.italic ? "i" : "") + (f.underline ? "u" : "");
  };
  EXPECT_EQ(style("a"), "b");
  EXPECT_EQ(style("b"), "i");  // italic only: bold switched off
  EXPECT_EQ(style("c"), "u");
  EXPECT_EQ(style("d"), "");
  EXPECT_EQ(style("e"), "");
  EXPECT_EQ(style("f"), "");
  EXPECT_EQ(style("g"), "i");  // "ub" leaves italic alone
}

TEST_F(PisakTest, SizeChangesTheWordHeightAndWordsShareABottomLine) {
  pisak.UstawSzerokosc(1000);
  pisak.UstawTekst("mały {#size:-40}DUŻY");
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 39);  // round(round(40 * 0.81) * 1.21)
  ASSERT_EQ(pisak.Linie().size(), 1u);
  EXPECT_EQ(pisak.Linie()[0].height, 32);
  Paint();
  EXPECT_EQ(DrawnWord("DUŻY").font.height, -40);
  EXPECT_EQ(DrawnWord("DUŻY").y, 0);
  EXPECT_EQ(DrawnWord("mały").y, 32 - 16);
}

TEST_F(PisakTest, TheLineHeightKeepsTheLargestWordHeightOfTheTextSoFar) {
  pisak.UstawTekst("{#size:-40}Tytuł{#plain} abcdefgh ijk");
  pisak.WymaganaWysokosc(canvas);
  ASSERT_EQ(pisak.Linie().size(), 3u);
  EXPECT_EQ(pisak.Linie()[1].height, 32);
  EXPECT_EQ(pisak.Linie()[2].height, 32);
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 3 * 39);
  Paint();
  // Drawing advances by round(32 * 1.22) = 39 per line, the required height by round(32 * 1.21).
  EXPECT_EQ(DrawnWord("ijk").y, 2 * 39 + 32 - 16);
}

TEST_F(PisakTest, DrawingAdvancesBy122PercentWhileTheHeightSumsWith121) {
  pisak.UstawSzerokosc(10);
  pisak.UstawTekst("{#size:-100}A B C");  // word 81 high: lines add 98 to the height, 99 to y
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 3 * 98);
  Paint();
  EXPECT_EQ(DrawnWord("C").y, 2 * 99);
}

TEST_F(PisakTest, ABadSizeArgumentIsReportedAndTheHeightKept) {
  pisak.UstawTekst("{#size:duzo}tekst {#size:-3x}dalej");
  Paint();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"TOPisak.WykonajRozkaz => Niepoprawna wysokość czcionki: duzo",
                                                  "TOPisak.WykonajRozkaz => Niepoprawna wysokość czcionki: -3x"}));
  EXPECT_EQ(DrawnWord("dalej").font.height, 0);
}

TEST_F(PisakTest, CentringPutsEachLineInTheMiddle) {
  pisak.Centrowanie = true;
  pisak.UstawTekst("abcde fghij klm");
  Paint();
  EXPECT_EQ(DrawnWord("abcde").x, (100 - 60) / 2);
  EXPECT_EQ(DrawnWord("fghij").x, (100 - 90) / 2);  // "fghij klm" shares the second line
  EXPECT_EQ(DrawnWord("klm").x, (100 - 90) / 2 + 60);
}

TEST_F(PisakTest, CommandsMeasureNothingAndBracesJoinThemToTheirWords) {
  pisak.UstawSzerokosc(1000);
  pisak.UstawTekst("{#b}Uwaga{#ub}: plik");
  pisak.WymaganaWysokosc(canvas);
  ASSERT_EQ(pisak.Slowa().size(), 5u);  // #b Uwaga #ub : plik
  EXPECT_EQ(pisak.Slowa()[0].width, 0);
  EXPECT_EQ(pisak.Slowa()[1].width, 5 * 12);  // bold, no space after (a brace ended it)
  EXPECT_EQ(pisak.Slowa()[2].width, 0);
  Paint();
  EXPECT_EQ(DrawnWord(":").x, 60);
  EXPECT_EQ(DrawnWord("plik").x, 80);
  EXPECT_EQ(pisak.TekstWidoczny(), "Uwaga: plik");

  TOPisak spaced;
  spaced.UstawSzerokosc(1000);
  spaced.UstawTekst("#b Uwaga #ub");
  spaced.WymaganaWysokosc(canvas);
  EXPECT_EQ(spaced.Slowa()[1].width, 6 * 12);  // bold with its space
  EXPECT_EQ(spaced.TekstWidoczny(), "Uwaga");
}

TEST_F(PisakTest, ATextIsCutAfterItsFiveHundredthCharacter) {
  std::string polish;
  for (int i = 0; i < 600; ++i) polish += "ż";
  pisak.UstawTekst(polish);
  EXPECT_EQ(pisak.Tekst().size(), 500u * 2);  // characters, not bytes

  std::string words;
  for (int i = 0; i < 120; ++i) words += "abcd ";  // 600 characters, 120 words
  pisak.UstawTekst(words.c_str());
  EXPECT_EQ(pisak.Tekst(), words.substr(0, 500));
  EXPECT_EQ(pisak.LiczbaSlow(), 100);
}

TEST_F(PisakTest, ATextWithoutWordsPaintsNothingAndKeepsTheLastHeight) {
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 0);
  pisak.UstawTekst("  {} ");
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 0);
  EXPECT_TRUE(Paint().empty());

  pisak.UstawTekst("abcde fghij");
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 38);
  pisak.UstawTekst("");
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 38);
  EXPECT_TRUE(Paint().empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PisakTest, TheClipRectangleIsFilledFromTheSecondPaintingOn) {
  pisak.UstawKolor(0x00C0C0C0);
  pisak.UstawTekst("tekst");
  pisak.Rysuj(canvas, 0, 0, 100, 100);
  EXPECT_TRUE(canvas.fills.empty());
  pisak.Rysuj(canvas, 5, 6, 50, 60);
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].left, 5);
  EXPECT_EQ(canvas.fills[0].bottom, 60);
  EXPECT_EQ(canvas.fills[0].color, 0x00C0C0C0u);
}

TEST_F(PisakTest, TheLayoutFollowsTextWidthAndFontChanges) {
  pisak.UstawTekst("abcde fghij");
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 38);
  pisak.UstawSzerokosc(200);
  EXPECT_FALSE(pisak.Ulozony());
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 19);
  pisak::Czcionka big = pisak.CzcionkaBazowa();
  big.height = -40;
  pisak.UstawCzcionke(big);
  EXPECT_EQ(pisak.WymaganaWysokosc(canvas), 39);
  EXPECT_EQ(canvas.font, big);  // the layout ends in the base font
}

TEST(UkladKomunikatu, AShortTextKeepsTheDesignSize) {
  EXPECT_TRUE(DopasujWysokosc(40, 1.0).projektowe);
  EXPECT_TRUE(DopasujWysokosc(65, 1.25).projektowe);
  EXPECT_TRUE(DopasujWysokosc(0, 1.0).projektowe);
}

TEST(UkladKomunikatu, ALongerTextGrowsTheDialogScaledByTheDpiFactor) {
  WysokosciKomunikatu w = DopasujWysokosc(200, 120.0 / 96);
  EXPECT_FALSE(w.projektowe);
  EXPECT_EQ(w.pisak, 250);
  EXPECT_EQ(w.ramka, 280);
  EXPECT_EQ(w.okno, 334);  // 267 * 1.25 = 333.75

  w = DopasujWysokosc(66, 1.0);
  EXPECT_EQ(w.pisak, 66);
  EXPECT_EQ(w.ramka, 90);
  EXPECT_EQ(w.okno, 133);
  EXPECT_EQ(DopasujWysokosc(349, 1.0).pisak, 349);
}

TEST(UkladKomunikatu, FromThreeHundredFiftyPixelsThePainterIsCapped) {
  for (int h : {350, 351, 2000}) {
    WysokosciKomunikatu w = DopasujWysokosc(h, 120.0 / 96);
    EXPECT_FALSE(w.projektowe);
    EXPECT_EQ(w.pisak, 350) << h;
    EXPECT_EQ(w.ramka, 30 + 350) << h;
    EXPECT_EQ(w.okno, 84 + 350) << h;  // 67 * 1.25 = 83.75
  }
}

}  // namespace
