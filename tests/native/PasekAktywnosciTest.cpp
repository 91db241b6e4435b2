#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "base/DateTime.h"
#include "worktime/OstrzegaczUtils.h"

namespace {

using Sloty = std::array<uint8_t, 288>;

Sloty Wszystkie(uint8_t v) {
  Sloty s;
  s.fill(v);
  return s;
}

// Every label three pixels wide per character (the form measures with its font).
int Szerokosc(const std::string& t) { return 3 * static_cast<int>(t.size()); }

std::vector<OperacjaRysowania> Teksty(const Rysunek& r) {
  std::vector<OperacjaRysowania> out;
  for (const auto& o : r)
    if (o.rodzaj == OperacjaRysowania::Tekst) out.push_back(o);
  return out;
}

// The flat bars (top 0, bottom 32) in drawing order: one per column.
std::vector<OperacjaRysowania> Slupki(const Rysunek& r) {
  std::vector<OperacjaRysowania> out;
  for (const auto& o : r)
    if (o.rodzaj == OperacjaRysowania::Wypelnij && o.top == 0 && o.bottom == 32) out.push_back(o);
  return out;
}

// Colour of the pixel (x, y) after every operation, as a painter would leave it.
Kolor Piksel(const Rysunek& r, int x, int y) {
  Kolor k{-1, -1, -1};
  for (const auto& o : r)
    if (o.rodzaj == OperacjaRysowania::Wypelnij && x >= o.left && x < o.right && y >= o.top && y < o.bottom)
      k = o.kolor;
  return k;
}

}  // namespace

TEST(PasekAktywnosci, ColumnColours) {
  // Flat, limit 2700: the 9th consecutive work slot is still yellow, the 10th starts to shade.
  EXPECT_EQ(KolorKolumny(true, 2700, 2700, false), (Kolor{160, 160, 0}));
  EXPECT_EQ(KolorKolumny(true, 3000, 2700, false), (Kolor{160, 130, 0}));
  EXPECT_EQ(KolorKolumny(true, 4300, 2700, false), (Kolor{160, 0, 0}));
  EXPECT_EQ(KolorKolumny(true, 4280, 2700, false), (Kolor{160, 2, 0}));
  EXPECT_EQ(KolorKolumny(true, 90000, 2700, false), (Kolor{160, 0, 0}));
  EXPECT_EQ(KolorKolumny(false, 0, 2700, false), (Kolor{30, 30, 30}));
  // 3D levels.
  EXPECT_EQ(KolorKolumny(true, 300, 2700, true), (Kolor{135, 135, 0}));
  EXPECT_EQ(KolorKolumny(true, 3000, 2700, true), (Kolor{135, 105, 0}));
  EXPECT_EQ(KolorKolumny(false, 0, 2700, true), (Kolor{60, 60, 60}));
}

TEST(PasekAktywnosci, FlatBarAddsEighty) {
  Rysunek r;
  RysujSlupek(r, 17, 0, 19, 32, {160, 130, 0}, false);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0], (OperacjaRysowania{OperacjaRysowania::Wypelnij, 17, 0, 19, 32, {240, 210, 80}, {}}));
}

TEST(PasekAktywnosci, ThreeDBarRows) {
  Rysunek r;
  RysujSlupek(r, 5, 0, 7, 32, {135, 135, 0}, true);
  ASSERT_EQ(r.size(), 32u);
  for (int y = 0; y < 32; ++y) {
    EXPECT_EQ(r[y].left, 5);
    EXPECT_EQ(r[y].right, 7);
    EXPECT_EQ(r[y].top, y);
    EXPECT_EQ(r[y].bottom, y + 1);
  }
  // Rows add 0, 1, ... 15 on the way down to the middle: 135 + 120 = 255 at row 15.
  EXPECT_EQ(r[0].kolor, (Kolor{135, 135, 0}));
  EXPECT_EQ(r[1].kolor, (Kolor{136, 136, 1}));
  EXPECT_EQ(r[2].kolor, (Kolor{138, 138, 3}));
  EXPECT_EQ(r[15].kolor, (Kolor{255, 255, 120}));
  // Then subtract 1, 2, ... 16; blue reaches 0 and is held there.
  EXPECT_EQ(r[16].kolor, (Kolor{254, 254, 119}));
  EXPECT_EQ(r[31].kolor, (Kolor{119, 119, 0}));
  // The brightest row is the middle one.
  for (int y = 0; y < 32; ++y) EXPECT_LE(r[y].kolor.r, r[15].kolor.r);
}

TEST(PasekAktywnosci, ThreeDCarriesTheLimitedValue) {
  // The marker's light grey reaches 255 before the middle; the darkening starts from 255, not
  // from the unlimited sum (which would end at 154).
  Rysunek r;
  RysujSlupek(r, 0, 0, 2, 32, {170, 170, 170}, true);
  EXPECT_EQ(r[12].kolor.r, 170 + 78);
  EXPECT_EQ(r[13].kolor.r, 255);
  EXPECT_EQ(r[15].kolor.r, 255);
  EXPECT_EQ(r[31].kolor.r, 255 - 136);
  // A dark grey never goes below 0 and climbs back from 0.
  r.clear();
  RysujSlupek(r, 0, 0, 2, 32, {60, 60, 60}, true);
  EXPECT_EQ(r[15].kolor.g, 180);
  EXPECT_EQ(r[31].kolor.g, 44);
}

TEST(PasekAktywnosci, RolloverFourStartsAtFourAndLabelsFromFive) {
  Sloty s = Wszystkie(2);
  s[48] = 0;  // slot 49: 04:00-04:05
  const Rysunek r = RysujAktywnosc(s, 4, 2700, false, Szerokosc);
  const auto slupki = Slupki(r);
  ASSERT_EQ(slupki.size(), 288u);
  EXPECT_EQ(slupki[0].left, 1);
  EXPECT_EQ(slupki[0].right, 3);
  EXPECT_EQ(slupki[0].kolor, (Kolor{240, 240, 80}));  // first column is the 04:00 slot
  EXPECT_EQ(slupki[1].kolor, (Kolor{110, 110, 110}));
  EXPECT_EQ(slupki[287].left, 575);
  EXPECT_EQ(slupki[287].right, 577);

  const auto teksty = Teksty(r);
  ASSERT_EQ(teksty.size(), 23u);  // 24 full hours, no label for the rollover hour itself
  EXPECT_EQ(teksty.front().tekst, "5");
  EXPECT_EQ(teksty.front().left, 2 * 12 - 1 - 1);  // "5" is 3 px wide: 1 px left of the tick
  EXPECT_EQ(teksty.front().top, 39);
  for (const auto& t : teksty) EXPECT_NE(t.tekst, "4");
  const auto h24 = std::find_if(teksty.begin(), teksty.end(), [](const auto& t) { return t.tekst == "24"; });
  ASSERT_NE(h24, teksty.end());
  EXPECT_EQ(h24->left, 2 * 240 - 1 - 3);
  EXPECT_EQ(teksty.back().tekst, "3");  // after midnight the hours start again at 1
}

TEST(PasekAktywnosci, HourTicks) {
  const Rysunek r = RysujAktywnosc(Wszystkie(2), 4, 2700, false, Szerokosc);
  int ticks = 0;
  for (const auto& o : r) {
    if (o.rodzaj != OperacjaRysowania::Wypelnij || o.top != 35) continue;
    ++ticks;
    EXPECT_EQ(o.bottom, 37);
    EXPECT_EQ(o.right - o.left, 1);
    EXPECT_EQ((o.left + 1) % 24, 0);
    EXPECT_EQ(o.kolor, (Kolor{0, 0, 0}));
  }
  EXPECT_EQ(ticks, 24);
}

TEST(PasekAktywnosci, OtherRolloverHours) {
  Sloty s = Wszystkie(2);
  s[0] = 0;    // 00:00
  s[287] = 0;  // 23:55
  // Rollover 1: midnight is the last hour of the strip.
  auto slupki = Slupki(RysujAktywnosc(s, 1, 2700, false, Szerokosc));
  EXPECT_EQ(slupki[276 - 1].kolor, (Kolor{240, 240, 80}));  // column 276 = slot 288
  EXPECT_EQ(slupki[277 - 1].kolor, (Kolor{240, 240, 80}));  // column 277 = slot 1
  EXPECT_EQ(slupki[0].kolor, (Kolor{110, 110, 110}));
  auto teksty = Teksty(RysujAktywnosc(s, 1, 2700, false, Szerokosc));
  EXPECT_EQ(teksty.front().tekst, "2");
  EXPECT_EQ(teksty.back().tekst, "24");
  // Rollover 6.
  teksty = Teksty(RysujAktywnosc(s, 6, 2700, false, Szerokosc));
  EXPECT_EQ(teksty.front().tekst, "7");
  EXPECT_EQ(teksty.back().tekst, "5");
  EXPECT_EQ(teksty.size(), 23u);
}

TEST(PasekAktywnosci, ThreeHourStretchShadesAfterTheLimit) {
  // Work from 08:00 to 11:00 (slots 97..132), limit 45 minutes, rollover 4 (column = slot - 48).
  Sloty s = Wszystkie(2);
  for (int n = 97; n <= 132; ++n) s[n - 1] = 0;
  const auto slupki = Slupki(RysujAktywnosc(s, 4, 2700, false, Szerokosc));
  for (int n = 97; n <= 105; ++n) EXPECT_EQ(slupki[n - 48 - 1].kolor, (Kolor{240, 240, 80})) << n;
  EXPECT_EQ(slupki[106 - 48 - 1].kolor, (Kolor{240, 210, 80}));
  EXPECT_EQ(slupki[107 - 48 - 1].kolor, (Kolor{240, 180, 80}));
  // From a run of 4300 s on the green stays at 80 (components + 80).
  EXPECT_EQ(slupki[110 - 48 - 1].kolor, (Kolor{240, 90, 80}));
  for (int n = 111; n <= 132; ++n) EXPECT_EQ(slupki[n - 48 - 1].kolor, (Kolor{240, 80, 80})) << n;
  EXPECT_EQ(slupki[133 - 48 - 1].kolor, (Kolor{110, 110, 110}));
}

TEST(PasekAktywnosci, BreakResetsTheRunAndLooksLikeNoData) {
  Sloty s = Wszystkie(0);
  s[100] = 1;
  s[200] = 2;
  const auto slupki = Slupki(RysujAktywnosc(s, 0, 2700, false, Szerokosc));
  EXPECT_EQ(slupki[100].kolor, slupki[200].kolor);
  EXPECT_EQ(slupki[100].kolor, (Kolor{110, 110, 110}));
  // After the break the run starts again: yellow for nine slots.
  for (int c = 101; c <= 109; ++c) EXPECT_EQ(slupki[c].kolor, (Kolor{240, 240, 80})) << c;
  EXPECT_EQ(slupki[110].kolor, (Kolor{240, 210, 80}));
  // Before the break, the long run of work had long turned red.
  EXPECT_EQ(slupki[99].kolor, (Kolor{240, 80, 80}));
}

TEST(PasekAktywnosci, ThreeDStripHasRowsPerColumn) {
  const Rysunek r = RysujAktywnosc(Wszystkie(0), 4, 2700, true, Szerokosc);
  EXPECT_EQ(r.size(), 288u * 32 + 24 + 23);
  EXPECT_EQ(Piksel(r, 1, 0), (Kolor{135, 135, 0}));
  EXPECT_EQ(Piksel(r, 2, 15), (Kolor{255, 255, 120}));
}

TEST(PasekAktywnosci, NowMarker) {
  // Rollover 4: at 04:00 the marker is the first column, at 03:59 the last.
  EXPECT_EQ(PozycjaZnacznika(4, 0, 4), 1);
  EXPECT_EQ(PozycjaZnacznika(4, 2, 4), 1);
  EXPECT_EQ(PozycjaZnacznika(4, 3, 4), 2);
  EXPECT_EQ(PozycjaZnacznika(5, 0, 4), 25);
  EXPECT_EQ(PozycjaZnacznika(3, 59, 4), 2 * 1439 / 5 + 1);
  EXPECT_EQ(PozycjaZnacznika(0, 0, 4), 2 * 1200 / 5 + 1);

  const double teraz = datetime::Encode(2024, 3, 5, 12, 30, 45);
  Rysunek r = RysujZnacznik(teraz, 4, true, false);
  const int left = 2 * 510 / 5 + 1;
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0], (OperacjaRysowania{OperacjaRysowania::Wypelnij, left, 0, left + 2, 32, {150, 150, 150}, {}}));
  r = RysujZnacznik(teraz, 4, false, false);
  EXPECT_EQ(r[0].kolor, (Kolor{250, 250, 250}));
  r = RysujZnacznik(teraz, 4, false, true);
  ASSERT_EQ(r.size(), 32u);
  EXPECT_EQ(r[0].kolor, (Kolor{170, 170, 170}));
  EXPECT_EQ(r[0].left, left);
}
