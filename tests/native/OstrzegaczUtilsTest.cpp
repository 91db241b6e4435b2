#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "base/DateTime.h"
#include "platform/memory/Memory.h"
#include "worktime/OstrzegaczUtils.h"

namespace {

// A draw source that hands out a fixed sequence and records the ranges asked for.
struct Kosc {
  std::deque<int> wyniki;
  std::vector<int> zakresy;
  Losowanie Zrodlo() {
    return [this](int n) {
      zakresy.push_back(n);
      int r = wyniki.empty() ? 0 : wyniki.front();
      if (!wyniki.empty()) wyniki.pop_front();
      return r;
    };
  }
};

double O(int h, int m, int s = 0) { return datetime::Encode(2024, 3, 5, h, m, s); }

}  // namespace

TEST(Przypomnienie, TimeOfDayIgnoresSeconds) {
  EXPECT_DOUBLE_EQ(GodzinaDnia(O(14, 30, 59)), 14.5);
  EXPECT_DOUBLE_EQ(GodzinaDnia(O(0, 0)), 0.0);
  EXPECT_DOUBLE_EQ(GodzinaDnia(O(23, 59, 59)), 23 + 59 / 60.0);
}

TEST(Przypomnienie, BreakDueAtLunchTimeNeverDraws) {
  // 13:00 to 15:00 inclusive: the lunch picture whatever the draw would have given.
  for (auto [h, m] : {std::pair{13, 0}, {14, 0}, {15, 0}}) {
    Kosc k;
    k.wyniki = {0};
    const ObrazekIFraza w = WybierzObrazekIFraze(TrybPrzypomnienia::PrzerwaNalezna, GodzinaDnia(O(h, m)), k.Zrodlo());
    EXPECT_EQ(w.obrazek, Obrazek::Objad) << h << ":" << m;
    EXPECT_EQ(w.fraza, "Zrób sobie przerwę, czas na małe conieco!");
    EXPECT_TRUE(k.zakresy.empty());
  }
  // Just outside the range the draw decides.
  for (auto [h, m] : {std::pair{12, 59}, {15, 1}}) {
    Kosc k;
    k.wyniki = {3};
    const ObrazekIFraza w = WybierzObrazekIFraze(TrybPrzypomnienia::PrzerwaNalezna, GodzinaDnia(O(h, m)), k.Zrodlo());
    EXPECT_EQ(w.obrazek, Obrazek::Ciastko) << h << ":" << m;
    EXPECT_EQ(k.zakresy, std::vector<int>{4});
  }
}

TEST(Przypomnienie, BreakDueDrawOutsideLunch) {
  const std::map<int, std::pair<Obrazek, std::string>> oczekiwane = {
      {0, {Obrazek::Brak, ""}},
      {1, {Obrazek::Filizanka, "Czas na przerwę!"}},
      {2, {Obrazek::Filizanka, "Czas na przerwę!"}},
      {3, {Obrazek::Ciastko, "Czas na przerwę!"}},
  };
  for (const auto& [r, o] : oczekiwane) {
    Kosc k;
    k.wyniki = {r};
    const ObrazekIFraza w = WybierzObrazekIFraze(TrybPrzypomnienia::PrzerwaNalezna, 10.0, k.Zrodlo());
    EXPECT_EQ(w.obrazek, o.first) << r;
    EXPECT_EQ(w.fraza, o.second) << r;
  }
}

TEST(Przypomnienie, EndOfWorkByTimeOfDay) {
  struct Przypadek { int h, m; Obrazek obrazek; const char* fraza; };
  const Przypadek przypadki[] = {
      {15, 0, Obrazek::Domek, "Koniec pracy - czas do domu!"},
      {16, 30, Obrazek::Domek, "Koniec pracy - czas do domu!"},
      {17, 0, Obrazek::Domek, "Koniec pracy - czas do domu!"},
      {22, 0, Obrazek::Luzko, "Koniec pracy - czas odpocząć!"},
      {23, 15, Obrazek::Luzko, "Koniec pracy - czas odpocząć!"},
      {0, 0, Obrazek::Luzko, "Koniec pracy - czas odpocząć!"},
      {5, 59, Obrazek::Luzko, "Koniec pracy - czas odpocząć!"},
      {6, 0, Obrazek::Luzko, "Koniec pracy - czas odpocząć!"},  // both ends of the range count
  };
  for (const Przypadek& p : przypadki) {
    Kosc k;
    k.wyniki = {1};
    const ObrazekIFraza w = WybierzObrazekIFraze(TrybPrzypomnienia::KoniecPracy, GodzinaDnia(O(p.h, p.m)), k.Zrodlo());
    EXPECT_EQ(w.obrazek, p.obrazek) << p.h << ":" << p.m;
    EXPECT_EQ(w.fraza, p.fraza) << p.h << ":" << p.m;
    EXPECT_TRUE(k.zakresy.empty()) << p.h << ":" << p.m;
  }
}

TEST(Przypomnienie, EndOfWorkDrawBetweenTheRanges) {
  const std::map<int, std::pair<Obrazek, std::string>> oczekiwane = {
      {0, {Obrazek::Brak, ""}},
      {1, {Obrazek::Zaglowka, "Koniec pracy. Przydałoby Ci się trochę ruchu!"}},
      {2, {Obrazek::Wyspa, "Koniec pracy. Zmień otoczenie!"}},
      {3, {Obrazek::Gory, "Koniec pracy. Zmień otoczenie!"}},
      {4, {Obrazek::Drzwi, "Koniec pracy. Idź już sobie!"}},
  };
  for (const auto& [r, o] : oczekiwane) {
    for (auto [h, m] : {std::pair{6, 1}, {14, 59}, {17, 1}, {21, 59}}) {
      Kosc k;
      k.wyniki = {r};
      const ObrazekIFraza w = WybierzObrazekIFraze(TrybPrzypomnienia::KoniecPracy, GodzinaDnia(O(h, m)), k.Zrodlo());
      EXPECT_EQ(w.obrazek, o.first) << r << " at " << h << ":" << m;
      EXPECT_EQ(w.fraza, o.second);
      EXPECT_EQ(k.zakresy, std::vector<int>{5});
    }
  }
}

TEST(Przypomnienie, DrawOutOfRangeStaysInRange) {
  // A source that misbehaves must still give one of the table's rows.
  Kosc k;
  k.wyniki = {-1};
  EXPECT_EQ(WybierzObrazekIFraze(TrybPrzypomnienia::PrzerwaNalezna, 10.0, k.Zrodlo()).obrazek, Obrazek::Ciastko);
  k.wyniki = {9};
  EXPECT_EQ(WybierzObrazekIFraze(TrybPrzypomnienia::KoniecPracy, 10.0, k.Zrodlo()).obrazek, Obrazek::Drzwi);
}

TEST(Przypomnienie, SystemDrawCoversEveryRow) {
  const Losowanie los = LosowanieSystemowe();
  std::set<int> widziane;
  for (int i = 0; i < 2000; ++i) {
    const int r = los(5);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 5);
    widziane.insert(r);
  }
  EXPECT_EQ(widziane.size(), 5u);
}

TEST(Przypomnienie, ContentsByMode) {
  Kosc k;
  k.wyniki = {1};
  TrescPrzypomnienia t = UlozPrzypomnienie(TrybPrzypomnienia::PrzerwaNalezna, 2700, O(10, 0), k.Zrodlo());
  EXPECT_EQ(t.komunikat, "Pracujesz już 45 minut. Czas na przerwę!");
  EXPECT_EQ(t.obrazek, Obrazek::Filizanka);
  EXPECT_TRUE(t.anuluj);
  EXPECT_TRUE(t.przerwa);
  EXPECT_FALSE(t.ok);

  t = UlozPrzypomnienie(TrybPrzypomnienia::KoniecPracy, 21660, O(16, 30), k.Zrodlo());
  EXPECT_EQ(t.komunikat, "Pracujesz już 6 godzin i 1 minuta. Koniec pracy - czas do domu!");
  EXPECT_EQ(t.obrazek, Obrazek::Domek);
  EXPECT_FALSE(t.anuluj);
  EXPECT_FALSE(t.przerwa);
  EXPECT_TRUE(t.ok);

  // r = 0: no picture and an empty phrase, the sentence still ends after its full stop.
  k.wyniki = {0};
  t = UlozPrzypomnienie(TrybPrzypomnienia::PrzerwaNalezna, 3000, O(9, 0), k.Zrodlo());
  EXPECT_EQ(t.komunikat, "Pracujesz już 50 minut. ");
  EXPECT_EQ(t.obrazek, Obrazek::Brak);

  t = UlozPrzypomnienie(TrybPrzypomnienia::WygaszaczWylaczony, 0, O(14, 0), k.Zrodlo());
  EXPECT_EQ(t.komunikat,
            "Uwaga! Wygaszacz ekranu nie jest włączony. Jego włączenie jest warunkiem poprawnego działania programu "
            "Kalmo");
  EXPECT_EQ(t.obrazek, Obrazek::Komputer);
  EXPECT_FALSE(t.anuluj);
  EXPECT_FALSE(t.przerwa);
  EXPECT_TRUE(t.ok);
}

TEST(Przypomnienie, PictureNames) {
  EXPECT_EQ(NazwaObrazka(Obrazek::Objad), "imgObjad");
  EXPECT_EQ(NazwaObrazka(Obrazek::Zaglowka), "imgZaglowka");
  EXPECT_EQ(NazwaObrazka(Obrazek::Klepsydra), "imgKlepsydra");
  EXPECT_EQ(NazwaObrazka(Obrazek::Brak), "");
  std::set<std::string> nazwy;
  for (int i = 1; i <= kLiczbaObrazkow; ++i) nazwy.insert(NazwaObrazka(static_cast<Obrazek>(i)));
  EXPECT_EQ(nazwy.size(), 11u);
}

TEST(EkranPrzerwy, TryToEnd) {
  // Default length 900 s. After 10 minutes: 5 minutes left, asked.
  KoniecPrzerwy k = SprobujZakonczycPrzerwe(600, 900);
  EXPECT_FALSE(k.zakoncz);
  EXPECT_TRUE(k.zapytaj);
  EXPECT_EQ(k.minuty, 5);
  EXPECT_EQ(k.pytanie, "Przerwa powinna trwać jeszcze 5 minut. Czy na pewno zakończyć?");
  // 14:30: under a minute left, ends without a question.
  EXPECT_FALSE(k.wystarczajaca);
  k = SprobujZakonczycPrzerwe(870, 900);
  EXPECT_TRUE(k.zakoncz);
  EXPECT_FALSE(k.wystarczajaca);
  EXPECT_FALSE(k.zapytaj);
  EXPECT_EQ(k.minuty, 0);
  // 14:00 exactly: one whole minute left still asks.
  k = SprobujZakonczycPrzerwe(840, 900);
  EXPECT_TRUE(k.zapytaj);
  EXPECT_EQ(k.minuty, 1);
  // 14:01: 59 s left.
  EXPECT_TRUE(SprobujZakonczycPrzerwe(841, 900).zakoncz);
  // Equal to the length is not yet long enough, but nothing is left to wait for.
  k = SprobujZakonczycPrzerwe(900, 900);
  EXPECT_TRUE(k.zakoncz);
  EXPECT_FALSE(k.wystarczajaca);
  EXPECT_FALSE(k.zapytaj);
  // Long enough.
  k = SprobujZakonczycPrzerwe(901, 900);
  EXPECT_TRUE(k.zakoncz);
  EXPECT_TRUE(k.wystarczajaca);
  EXPECT_EQ(k.minuty, 0);
  // At the very start the whole length is left.
  EXPECT_EQ(SprobujZakonczycPrzerwe(0, 900).minuty, 15);
  // Extreme values neither overflow nor lose the question.
  k = SprobujZakonczycPrzerwe(-2147483647, 2147483647);
  EXPECT_TRUE(k.zapytaj);
  EXPECT_EQ(k.minuty, 71582788);
}

TEST(EkranPrzerwy, MouseMoveOnlyAfterTheLength) {
  EXPECT_FALSE(RuchMyszyKonczyPrzerwe(0, 900));
  EXPECT_FALSE(RuchMyszyKonczyPrzerwe(900, 900));
  EXPECT_TRUE(RuchMyszyKonczyPrzerwe(910, 900));
}

TEST(EkranPrzerwy, LabelTextAndDrift) {
  EXPECT_EQ(TekstCzasuPrzerwy(0), "Czas przerwy: 0 minut");
  EXPECT_EQ(TekstCzasuPrzerwy(400), "Czas przerwy: 6 minut");
  EXPECT_EQ(TekstCzasuPrzerwy(3720), "Czas przerwy: 1 godzina i 2 minuty");
  EXPECT_EQ(PrzesuniecieEtykiety(400), 10);
  EXPECT_EQ(PrzesuniecieEtykiety(39), 0);
  EXPECT_EQ(PrzesuniecieEtykiety(40), 1);
  EXPECT_EQ(PrzesuniecieEtykiety(79), 1);
}

TEST(EkranPrzerwy, OneCoverPerMonitorAndTheContentWhereThePointerIs) {
  using platform::MonitorInfo;
  using platform::Rect;
  // Side by side, the second of 150 %: the pointer on the second brings the content there.
  const MonitorInfo a{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
  const MonitorInfo b{{1920, 0, 4480, 1440}, {1920, 0, 4480, 1400}, 144, false};
  EXPECT_EQ(UlozZaslony({a, b}, 2000, 10),
            (std::vector<ZaslonaMonitora>{{a.area, 96, false}, {b.area, 144, true}}));
  EXPECT_EQ(UlozZaslony({a, b}, 1919, 1079),
            (std::vector<ZaslonaMonitora>{{a.area, 96, true}, {b.area, 144, false}}));
  // Stacked, and left of and above the primary: negative coordinates.
  const MonitorInfo gora{{0, -1200, 1600, 0}, {0, -1200, 1600, -40}, 96, false};
  const MonitorInfo lewy{{-1280, 100, 0, 1124}, {-1280, 100, 0, 1084}, 120, false};
  const auto z = UlozZaslony({a, gora, lewy}, -5, 600);
  ASSERT_EQ(z.size(), 3u);
  EXPECT_EQ(z[1].obszar, gora.area);
  EXPECT_TRUE(z[2].tresc);
  EXPECT_EQ(z[2].dpi, 120);
  EXPECT_FALSE(z[0].tresc || z[1].tresc);
  // The pointer on no monitor: the primary; no primary: the first. Equal rectangles (a mirrored
  // display) get one cover, empty ones none.
  EXPECT_TRUE(UlozZaslony({gora, a}, 5000, 5000)[1].tresc);
  EXPECT_TRUE(UlozZaslony({gora, lewy}, 5000, 5000)[0].tresc);
  EXPECT_EQ(UlozZaslony({a, a, MonitorInfo{}}, 0, 0).size(), 1u);
  EXPECT_TRUE(UlozZaslony({}, 0, 0).empty());
}

TEST(EkranPrzerwy, MonitorsChangingDuringTheBreakTouchOnlyTheirCovers) {
  using platform::MonitorInfo;
  const MonitorInfo a{{0, 0, 800, 600}, {0, 0, 800, 570}, 96, true};
  const MonitorInfo b{{800, 0, 1440, 480}, {800, 0, 1440, 480}, 96, false};
  const MonitorInfo c{{-1024, 0, 0, 768}, {-1024, 0, 0, 768}, 144, false};
  // A monitor removed: its cover closes and nothing else.
  ZmianaZaslon z = ZmienZaslony(a.area, {b.area, c.area}, UlozZaslony({a, c}, 10, 10));
  EXPECT_EQ(z.zamknij, std::vector<platform::Rect>{b.area});
  EXPECT_TRUE(z.otworz.empty());
  EXPECT_FALSE(z.tresc);
  // A monitor connected: it gets its cover.
  z = ZmienZaslony(a.area, {c.area}, UlozZaslony({a, c, b}, 10, 10));
  EXPECT_TRUE(z.zamknij.empty());
  EXPECT_EQ(z.otworz, (std::vector<ZaslonaMonitora>{{b.area, 96, false}}));
  // The content's own monitor removed: the content moves where the pointer is, and the cover that
  // was there goes.
  z = ZmienZaslony(b.area, {a.area, c.area}, UlozZaslony({a, c}, -100, 100));
  ASSERT_TRUE(z.tresc);
  EXPECT_EQ(z.tresc->obszar, c.area);
  EXPECT_EQ(z.tresc->dpi, 144);
  EXPECT_EQ(z.zamknij, std::vector<platform::Rect>{c.area});
  EXPECT_TRUE(z.otworz.empty());
}

TEST(EkranPrzerwy, PointerCountLoops) {
  platform::memory::TestPlatform p;
  p.desktop.cursorCount = 2;  // shown more than once (another program showed it too)
  UkryjWskaznikMyszy();
  EXPECT_EQ(p.desktop.cursorCount, -1);
  UkryjWskaznikMyszy();  // already hidden: one step more, still below 0
  EXPECT_EQ(p.desktop.cursorCount, -2);
  PokazWskaznikMyszy();
  EXPECT_EQ(p.desktop.cursorCount, 0);
  p.desktop.cursorCount = -5;
  PokazWskaznikMyszy();
  EXPECT_EQ(p.desktop.cursorCount, 0);
}

namespace {
// A pointer count that never moves (no mouse installed).
struct UpartyPulpit : platform::memory::MemoryDesktop {
  int wywolania = 0;
  int ShowCursor(bool) override { ++wywolania; return 0; }
};
}  // namespace

TEST(EkranPrzerwy, PointerThatNeverHidesDoesNotHang) {
  platform::memory::TestPlatform p;
  UpartyPulpit pulpit;
  platform::Current().desktop = &pulpit;
  UkryjWskaznikMyszy();
  EXPECT_GT(pulpit.wywolania, 1);
  EXPECT_LE(pulpit.wywolania, 1000);
}

TEST(InformacjaDnia, Texts) {
  TekstyDnia t = UlozTekstyDnia(3 * 3600 + 25 * 60, 40 * 60, 120, false);
  EXPECT_EQ(t.caCzasPracy, "3 godziny i 25 minut");
  EXPECT_EQ(t.czasFazy, "Nieprzerwany czas pracy: 40 minut");
  t = UlozTekstyDnia(3 * 3600 + 25 * 60, 0, 7 * 60, true);
  EXPECT_EQ(t.czasFazy, "Czas przerwy: 7 minut");
  EXPECT_STREQ(kPodpisCalkowityCzas, "Całkowity czas pracy:");
  // Work today goes negative when a screen saver's delay is taken back early in the day.
  EXPECT_EQ(UlozTekstyDnia(-300, 0, 0, false).caCzasPracy, "-5 minut");
}

#include "settings/Globalne.h"

namespace {
WarningOptions Opcje(uint8_t rodzajPrzerwy, uint8_t rodzajKonca) {
  WarningOptions o;
  o.przerwa = {true, rodzajPrzerwy, 5, "C:\\dzwieki\\przerwa.wav"};
  o.koniecPracy = {true, rodzajKonca, 5, "C:\\dzwieki\\koniec.wav"};
  o.koniecPrzerwy = {true, 0, 1, "C:\\dzwieki\\dosc.wav"};
  return o;
}
}  // namespace

TEST(Ostrzezenia, KindChoosesThePresentation) {
  DecyzjaOstrzezenia d = DecyzjaDlaKodu(1, Opcje(0, 0));
  EXPECT_EQ(d.jak, Prezentacja::Okno);
  EXPECT_EQ(d.tryb, TrybPrzypomnienia::PrzerwaNalezna);
  EXPECT_EQ(d.podpowiedz, "");
  d = DecyzjaDlaKodu(1, Opcje(1, 0));
  EXPECT_EQ(d.jak, Prezentacja::Miganie);
  EXPECT_EQ(d.podpowiedz, "");  // only the end of work changes the hint
  d = DecyzjaDlaKodu(1, Opcje(2, 0));
  EXPECT_EQ(d.jak, Prezentacja::Dzwiek);
  EXPECT_EQ(d.plikDzwieku, "C:\\dzwieki\\przerwa.wav");

  d = DecyzjaDlaKodu(3, Opcje(2, 0));
  EXPECT_EQ(d.jak, Prezentacja::Okno);
  EXPECT_EQ(d.tryb, TrybPrzypomnienia::KoniecPracy);
  d = DecyzjaDlaKodu(3, Opcje(0, 1));
  EXPECT_EQ(d.jak, Prezentacja::Miganie);
  EXPECT_EQ(d.podpowiedz, "Koniec pracy!");
  d = DecyzjaDlaKodu(3, Opcje(0, 2));
  EXPECT_EQ(d.jak, Prezentacja::Dzwiek);
  EXPECT_EQ(d.plikDzwieku, "C:\\dzwieki\\koniec.wav");
  EXPECT_EQ(d.podpowiedz, "");

  // Break long enough: a sound only, whatever the kind byte says.
  d = DecyzjaDlaKodu(2, Opcje(0, 0));
  EXPECT_EQ(d.jak, Prezentacja::Dzwiek);
  EXPECT_EQ(d.plikDzwieku, "C:\\dzwieki\\dosc.wav");
  // Screen saver off: always the reminder of mode 4.
  WarningOptions wszystkoWylaczone;
  d = DecyzjaDlaKodu(4, wszystkoWylaczone);
  EXPECT_EQ(d.jak, Prezentacja::Okno);
  EXPECT_EQ(d.tryb, TrybPrzypomnienia::WygaszaczWylaczony);
}

TEST(Ostrzezenia, SwitchesAreIndependent) {
  WarningOptions o = Opcje(0, 0);
  o.przerwa.wlaczone = false;
  EXPECT_EQ(DecyzjaDlaKodu(1, o).jak, Prezentacja::Nic);
  EXPECT_EQ(DecyzjaDlaKodu(3, o).jak, Prezentacja::Okno);
  o = Opcje(0, 1);
  o.koniecPracy.wlaczone = false;
  EXPECT_EQ(DecyzjaDlaKodu(3, o).jak, Prezentacja::Nic);
  EXPECT_EQ(DecyzjaDlaKodu(3, o).podpowiedz, "");
  EXPECT_EQ(DecyzjaDlaKodu(1, o).jak, Prezentacja::Okno);
  o.koniecPrzerwy.wlaczone = false;
  EXPECT_EQ(DecyzjaDlaKodu(2, o).jak, Prezentacja::Nic);
}

TEST(Ostrzezenia, UnknownCodesAndKindsDoNothing) {
  for (int kod : {0, 5, -1}) EXPECT_EQ(DecyzjaDlaKodu(kod, Opcje(0, 0)).jak, Prezentacja::Nic) << kod;
  EXPECT_EQ(DecyzjaDlaKodu(1, Opcje(3, 0)).jak, Prezentacja::Nic);
  EXPECT_EQ(DecyzjaDlaKodu(3, Opcje(0, 200)).jak, Prezentacja::Nic);
}

TEST(Ostrzezenia, FirstRunOptions) {
  // The first-run options give reminder windows for both warnings and no end-of-break sound.
  const WarningOptions o = WarningOptions::PierwszeUruchomienie();
  EXPECT_EQ(DecyzjaDlaKodu(1, o).jak, Prezentacja::Okno);
  EXPECT_EQ(DecyzjaDlaKodu(3, o).jak, Prezentacja::Okno);
  EXPECT_EQ(DecyzjaDlaKodu(2, o).jak, Prezentacja::Nic);
}
