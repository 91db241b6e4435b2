// The clipboard history's rules: collecting, letter case, long texts, the buffer limit and where
// the pop-up opens at the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clipboard/Schowek.h"

namespace {

std::vector<std::string> Teksty(const THistoriaSchowka& h) {
  std::vector<std::string> t;
  for (const auto& p : h.Pozycje()) t.push_back(p.tekst);
  return t;
}

}  // namespace

TEST(HistoriaSchowka, CollectsMovesAndIgnoresRepeats) {
  THistoriaSchowka h;
  EXPECT_TRUE(h.Dodaj("ala"));
  EXPECT_TRUE(h.Dodaj("kot"));
  EXPECT_FALSE(h.Dodaj("kot"));  // the newest again: nothing changes
  EXPECT_FALSE(h.Dodaj("KOT"));
  EXPECT_FALSE(h.Dodaj(""));
  EXPECT_TRUE(h.Dodaj("pies"));
  EXPECT_TRUE(h.Dodaj("ALA"));  // another letter case moves the item, in the new case
  EXPECT_EQ(Teksty(h), (std::vector<std::string>{"kot", "pies", "ALA"}));
  EXPECT_TRUE(h.Dodaj("Żółw"));
  EXPECT_TRUE(h.Dodaj("kot"));
  EXPECT_TRUE(h.Dodaj("ŻÓŁW"));  // Polish letters compare without regard to case too
  EXPECT_EQ(Teksty(h), (std::vector<std::string>{"pies", "ALA", "kot", "ŻÓŁW"}));
  EXPECT_EQ(h.SumaZnakow(), 4 + 3 + 3 + 4);
}

TEST(HistoriaSchowka, LongTextsShowTheirStartButKeepTheWhole) {
  THistoriaSchowka h;
  h.UstawBuforKB(100);
  std::string dlugi;
  for (int i = 0; i < 5000; ++i) dlugi += static_cast<char>('a' + i % 26);
  h.Dodaj(dlugi);
  h.Dodaj("krótki");
  h.Dodaj(dlugi);  // the same long text again moves its item, no second copy
  ASSERT_EQ(h.Pozycje().size(), 2u);
  EXPECT_EQ(h.Pozycje()[1].tekst, dlugi);  // pasting gives the whole text back
  const std::string pokazany = TekstPozycjiSchowka(dlugi);
  EXPECT_EQ(pokazany, dlugi.substr(0, 3000) + "...");
  EXPECT_EQ(TekstPozycjiSchowka(std::string(3000, 'x')), std::string(3000, 'x'));
  // Counted in characters; line breaks show as single spaces.
  std::string polski;
  for (int i = 0; i < 3001; ++i) polski += "ą";
  EXPECT_EQ(IloscZnakow(TekstPozycjiSchowka(polski)), 3003);
  EXPECT_EQ(TekstPozycjiSchowka("a\r\nb\tc\nd"), "a b c d");
  // The buffer counts what an item shows; the memory holds the whole texts.
  EXPECT_EQ(h.SumaZnakow(), 3003 + 6);
  EXPECT_EQ(h.PamiecTekstow(), 5000 + 7);
  EXPECT_EQ(RozmiarPozycjiSchowka(3000), 3000);
  EXPECT_EQ(RozmiarPozycjiSchowka(3001), 3003);
}

TEST(HistoriaSchowka, OneLongCopyKeepsTheOlderItemsAndTheNewestIsNeverEvicted) {
  THistoriaSchowka h;  // the first-run 10 KB buffer
  h.Dodaj("a");
  h.Dodaj("b");
  const std::string dlugi(11000, 'x');
  h.Dodaj(dlugi);
  EXPECT_EQ(Teksty(h), (std::vector<std::string>{"a", "b", dlugi}));
  EXPECT_EQ(h.SumaZnakow(), 1 + 1 + 3003);
  // A fourth long item would make 12014 > 10240: the oldest go, one by one, until it fits.
  for (char c : {'y', 'z', 'w'}) h.Dodaj(std::string(11000, c));
  ASSERT_EQ(h.Pozycje().size(), 3u);
  EXPECT_EQ(h.Pozycje()[0].tekst, std::string(11000, 'y'));
  EXPECT_EQ(h.Pozycje()[2].tekst, std::string(11000, 'w'));
  EXPECT_EQ(h.SumaZnakow(), 3 * 3003);
  // The smallest buffer with a newest item larger than itself: the item stays, alone.
  h.UstawBuforKB(1);
  ASSERT_EQ(h.Pozycje().size(), 1u);
  EXPECT_EQ(h.Pozycje()[0].tekst, std::string(11000, 'w'));

  // Whole texts beyond 16 MB in all: the oldest whole texts go, whatever the buffer allows; a
  // newest text larger than that stays.
  THistoriaSchowka duza;
  duza.UstawBuforKB(1000000);
  const int64_t mb = 1024 * 1024;
  for (char c : {'1', '2', '3'}) duza.Dodaj(std::string(6 * mb, c));
  ASSERT_EQ(duza.Pozycje().size(), 2u);
  EXPECT_EQ(duza.Pozycje()[0].tekst[0], '2');
  EXPECT_EQ(duza.PamiecTekstow(), 12 * mb);
  duza.Dodaj(std::string(17 * mb, '4'));
  ASSERT_EQ(duza.Pozycje().size(), 1u);
  EXPECT_EQ(duza.Pozycje()[0].tekst.size(), static_cast<size_t>(17 * mb));
}

TEST(HistoriaSchowka, SearchIgnoresLetterCaseAndItemsCanBeRemoved) {
  EXPECT_TRUE(ZawieraBezWielkosciLiter("Ząbek mleczny", "ząb"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("DĄB I ZĄB", "ząb"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("żółć", "ŻÓŁĆ"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("ŚCIEŻKA Ń Ź", "ściEżka ń ź"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("Привет, Мир", "мир"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("Straße ÉTÉ", "été"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("cokolwiek", ""));
  EXPECT_FALSE(ZawieraBezWielkosciLiter("zab", "ząb"));  // a Polish letter is a letter of its own
  EXPECT_FALSE(ZawieraBezWielkosciLiter("zą", "ząb"));
  EXPECT_FALSE(ZawieraBezWielkosciLiter("", "a"));
  EXPECT_TRUE(ZawieraBezWielkosciLiter("aaab", "aab"));  // a partial match does not skip a start
  EXPECT_FALSE(ZawieraBezWielkosciLiter(std::string("\xC5\xC5\xFF", 3), "ą"));  // broken bytes are no letters
  EXPECT_TRUE(ZawieraBezWielkosciLiter(std::string("\xFF") + "Ą", "ą"));

  THistoriaSchowka h;
  for (const char* t : {"Ząbek", "dąb", "ZĄB", "zęby", "ząbkowanie"}) h.Dodaj(t);
  EXPECT_EQ(h.Pasujace("ząb"), (std::vector<size_t>{0, 2, 4}));
  EXPECT_EQ(h.Pasujace("zą"), (std::vector<size_t>{0, 2, 4}));
  EXPECT_EQ(h.Pasujace("ą").size(), 4u);
  EXPECT_EQ(h.Pasujace("").size(), 5u);
  EXPECT_TRUE(h.Pasujace("x").empty());
  EXPECT_EQ(OpisWyszukiwaniaSchowka("ząb", 3, 5), "Szukaj: ząb   (3 z 5)");

  EXPECT_TRUE(h.Usun(2));
  EXPECT_FALSE(h.Usun(4));
  EXPECT_EQ(Teksty(h), (std::vector<std::string>{"Ząbek", "dąb", "zęby", "ząbkowanie"}));
  EXPECT_EQ(h.SumaZnakow(), 5 + 3 + 4 + 10);
  h.Wyczysc();
  EXPECT_TRUE(h.Pozycje().empty());
  EXPECT_EQ(h.SumaZnakow(), 0);
}

TEST(HistoriaSchowka, BufferEvictsTheOldestAndNeverHangs) {
  THistoriaSchowka h;
  EXPECT_EQ(h.LimitBufora(), 10240);
  h.UstawBuforKB(1);
  h.Dodaj(std::string(600, 'a'));
  h.Dodaj(std::string(400, 'b'));
  EXPECT_EQ(h.Pozycje().size(), 2u);
  h.Dodaj(std::string(100, 'c'));  // 1100 > 1024: the oldest goes
  EXPECT_EQ(h.Pozycje().size(), 2u);
  EXPECT_EQ(h.SumaZnakow(), 500);
  h.Dodaj(std::string(2000, 'd'));  // larger than the buffer: every older item goes, the newest stays
  ASSERT_EQ(h.Pozycje().size(), 1u);
  EXPECT_EQ(h.SumaZnakow(), 2000);
  // Zero or less is the smallest buffer, not an endless loop or a list that never holds.
  for (int kb : {0, -5}) {
    h.UstawBuforKB(kb);
    EXPECT_EQ(h.LimitBufora(), 1024);
    const std::string tekst = "tekst " + std::to_string(kb);
    EXPECT_TRUE(h.Dodaj(tekst));
    EXPECT_EQ(h.Pozycje().back().tekst, tekst);
  }
  h.UstawBuforKB(2097151);  // no overflow of kilobytes to characters
  EXPECT_EQ(h.LimitBufora(), 2097151LL * 1024);
  // A smaller limit applies at once.
  h.Dodaj(std::string(1010, 'e'));  // 7 + 8 + 1010 characters held
  h.UstawLimit(1024);
  EXPECT_EQ(h.SumaZnakow(), 8 + 1010);
}

TEST(HistoriaSchowka, OpensBelowTheCaretLineOrAboveNearTheEdges) {
  EXPECT_EQ(WysokoscLiniiSchowka(13), 17);
  EXPECT_EQ(WysokoscLiniiSchowka(10), 13);
  // 367 x 100 on 1024 x 768, line 17.
  auto p = PolozSchowek(100, 200, 367, 100, 1024, 768, 17);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 217);
  p = PolozSchowek(900, 200, 367, 100, 1024, 768, 17);  // flush with the right edge
  EXPECT_EQ(p.x, 1024 - 367);
  p = PolozSchowek(100, 660, 367, 100, 1024, 768, 17);  // 100 + 660 + 17 > 768: above the caret
  EXPECT_EQ(p.y, 560);
  p = PolozSchowek(100, 651, 367, 100, 1024, 768, 17);  // exactly fits below
  EXPECT_EQ(p.y, 668);
  p = PolozSchowek(-50, 30, 367, 700, 300, 720, 17);  // never off the top-left
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  // On the caret's monitor, left of and above the primary: its work area's edges, not the
  // primary screen's.
  const platform::Rect lewy{-1280, -300, 0, 684};  // its task bar at the bottom
  p = PolozSchowek(-100, -250, 367, 100, lewy, 17);
  EXPECT_EQ(p.x, -367);
  EXPECT_EQ(p.y, -233);
  p = PolozSchowek(-1300, 620, 367, 100, lewy, 17);  // at the bottom: above; never off its left
  EXPECT_EQ(p.x, -1280);
  EXPECT_EQ(p.y, 520);
  p = PolozSchowek(1500, 300, 367, 100, platform::Rect{1024, 0, 1664, 480}, 17);  // right of the primary
  EXPECT_EQ(p.x, 1664 - 367);
  EXPECT_EQ(p.y, 317);
}
