#include <gtest/gtest.h>

#include <set>

#include "options/Opcje.h"
#include "options/OpcjeZaawansowane.h"
#include "settings/Pomoc.h"
#include "platform/memory/Memory.h"
#include "settings/Komunikaty.h"

namespace {

// A page that records what happened to it, in one shared log.
struct StronaTestowa : StronaOpcji {
  std::string nazwa;
  std::optional<std::string> odmowa;
  std::vector<std::string>* log;
  StronaTestowa(std::string n, std::vector<std::string>* l, std::optional<std::string> o = std::nullopt)
      : nazwa(std::move(n)), odmowa(std::move(o)), log(l) {}
  void Wczytaj() override {}
  std::optional<std::string> Sprawdz() override {
    log->push_back("sprawdz " + nazwa);
    return odmowa;
  }
};

}  // namespace

TEST(OpcjeStrony, OkChecksThePagesInOrderUntilOneRefuses) {
  std::vector<std::string> log;
  StronaTestowa a("a", &log), b("b", &log, "Zbyt dużo monitorowanych programów"), c("c", &log);
  OdmowaStrony o = SprawdzStrony({&a, &b, &c});
  EXPECT_EQ(o.strona, &b);
  EXPECT_EQ(o.ostrzezenie, "Zbyt dużo monitorowanych programów");
  EXPECT_EQ(log, (std::vector<std::string>{"sprawdz a", "sprawdz b"}));

  log.clear();
  b.odmowa.reset();
  o = SprawdzStrony({&a, &b, &c});
  EXPECT_EQ(o.strona, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"sprawdz a", "sprawdz b", "sprawdz c"}));
}

TEST(OpcjeIntensywnosc, RatioLabel) {
  EXPECT_EQ(TekstStosunku(45 * 60, 5 * 60), "9 : 1");
  EXPECT_EQ(TekstStosunku(50 * 60, 15 * 60), "33 : 10");
  EXPECT_EQ(TekstStosunku(15 * 60, 15 * 60), "1 : 1");
  EXPECT_EQ(TekstStosunku(15 * 60, 60 * 60), "1 : 4");       // break longer: work side still first
  EXPECT_EQ(TekstStosunku(120 * 60, 25 * 60), "24 : 5");     // 4.8 -> k = 5
  EXPECT_EQ(TekstStosunku(100 * 60, 15 * 60), "33 : 5");     // 6.66 truncated to 6.6 -> k = 5
  EXPECT_EQ(TekstStosunku(2700, 0), "1 : 0");
}

TEST(OpcjeIntensywnosc, SlidersShowLimitsAndLeaveUnmovedOnesAlone) {
  EXPECT_EQ(PozycjaSuwaka(kSuwakCalkowityCzas, 21600), 12);
  EXPECT_EQ(PozycjaSuwaka(kSuwakCzasPracy, 2700), 9);
  EXPECT_EQ(PozycjaSuwaka(kSuwakCzasPrzerwy, 900), 3);
  EXPECT_EQ(PozycjaSuwaka(kSuwakCzasPrzerwy, 100000), 12);  // kept in range
  EXPECT_EQ(PozycjaSuwaka(kSuwakCzasPracy, 0), 3);
  EXPECT_EQ(SekundySuwaka(kSuwakCalkowityCzas, 2), 3600);
  EXPECT_EQ(SekundySuwaka(kSuwakCzasPracy, 24), 7200);

  LimitsRecord l = LimitsRecord::Domyslne();
  l.caDlugoscPrzerwy = 1000;  // not a multiple of five minutes
  const PolozeniaIntensywnosci p = PolozeniaZLimitow(l);
  EXPECT_EQ(p, (PolozeniaIntensywnosci{12, 9, 3}));
  LimitsRecord bez = ZastosujSuwaki(l, p, p);
  EXPECT_EQ(bez.ToBytes(), l.ToBytes());
  PolozeniaIntensywnosci t = p;
  t.praca = 10;
  LimitsRecord z = ZastosujSuwaki(l, p, t);
  EXPECT_EQ(z.caPracyDoPrzerwy, 3000);
  EXPECT_EQ(z.caDlugoscPrzerwy, 1000);
  EXPECT_EQ(z.caDziennyLimit, 21600);
}

TEST(OpcjeIntensywnosc, DayIndicatorBlocks) {
  // 2 h total, 45 min work, 15 min break: work 0-45, gap, break 46-61, gap, work 62-107,
  // then the next break would end past 120 min.
  WskaznikDnia w = UlozWskaznik(7200, 2700, 900);
  ASSERT_EQ(w.bloki.size(), 3u);
  EXPECT_EQ(w.bloki[0], (BlokWskaznika{0, 45, true}));
  EXPECT_EQ(w.bloki[1], (BlokWskaznika{46, 61, false}));
  EXPECT_EQ(w.bloki[2], (BlokWskaznika{62, 107, true}));
  EXPECT_EQ(w.wolneOd, 108);

  // A third work block would run past the total: it is cut there and ends the day.
  w = UlozWskaznik(7200, 3000, 300);
  ASSERT_EQ(w.bloki.size(), 5u);
  EXPECT_EQ(w.bloki[2], (BlokWskaznika{57, 107, true}));
  EXPECT_EQ(w.bloki[3], (BlokWskaznika{108, 113, false}));
  EXPECT_EQ(w.bloki[4], (BlokWskaznika{114, 120, true}));
  EXPECT_EQ(w.wolneOd, 121);  // the clearing does not erase the cut block

  // Continuous work longer than the total: one cut block, no break.
  w = UlozWskaznik(3600, 7200, 300);
  ASSERT_EQ(w.bloki.size(), 1u);
  EXPECT_EQ(w.bloki[0], (BlokWskaznika{0, 60, true}));

  EXPECT_TRUE(UlozWskaznik(3600, 0, 300).bloki.empty());
}

TEST(OpcjeIntensywnosc, PieChartSlices) {
  auto w = UlozWykres(2700, 900);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_FALSE(w[0].praca);
  EXPECT_DOUBLE_EQ(w[0].rozpietosc, 90);
  EXPECT_TRUE(w[1].praca);
  EXPECT_DOUBLE_EQ(w[1].od, 90);
  EXPECT_DOUBLE_EQ(w[1].rozpietosc, 270);
  EXPECT_TRUE(UlozWykres(0, 0).empty());
}

TEST(OpcjeOstrzeganie, ValidationWarningsAndDisabledGroupsKeepTheirValues) {
  platform::memory::TestPlatform tp;
  tp.files.AddFile("C:\\dzwieki\\przerwa.wav", "RIFF");
  WarningOptions wMocy = WarningOptions::PierwszeUruchomienie();
  wMocy.koniecPrzerwy = {false, 0, 3, "C:\\stary.wav"};

  StanOstrzegania s = StanZOpcji(wMocy);
  EXPECT_EQ(s.przerwa.czestotliwosc, "5");
  WynikOstrzegania w = ZbudujOpcjeOstrzegania(wMocy, s);
  EXPECT_EQ(w.ostrzezenie, "");
  EXPECT_EQ(w.opcje.ToBytes(), wMocy.ToBytes());

  s.przerwa.czestotliwosc = "x";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!");
  s.przerwa.czestotliwosc = "0";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!");
  s.przerwa.czestotliwosc = "7";
  s.przerwa.rodzaj = 2;
  s.przerwa.plik = "C:\\nie_ma.wav";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Plik zawierający komunikat dźwiękowy \"Czas na przerwę\" nie istnieje!");
  s.przerwa.plik = "C:\\dzwieki\\przerwa.wav";
  s.koniecPracy.czestotliwosc = "1.5";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Błędnie podana częstotliwość przypomnień o końcu pracy na zakładce \"Ostrzeganie\"!");
  s.koniecPracy.czestotliwosc = "10";
  s.koniecPracy.rodzaj = 2;
  s.koniecPracy.plik = "";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Plik zawierający komunikat dźwiękowy \"Koniec Pracy\" nie istnieje!");
  s.koniecPracy.rodzaj = 1;

  // The end-of-break group is always a sound; disabled, its wrong fields are ignored.
  s.koniecPrzerwy.czestotliwosc = "zz";
  s.koniecPrzerwy.plik = "";
  w = ZbudujOpcjeOstrzegania(wMocy, s);
  EXPECT_EQ(w.ostrzezenie, "");
  EXPECT_EQ(w.opcje.przerwa.czestotliwosc, 7);
  EXPECT_EQ(w.opcje.przerwa.rodzaj, 2);
  EXPECT_EQ(w.opcje.przerwa.plikDzwieku, "C:\\dzwieki\\przerwa.wav");
  EXPECT_EQ(w.opcje.koniecPracy.rodzaj, 1);
  EXPECT_EQ(w.opcje.koniecPrzerwy.czestotliwosc, 3);
  EXPECT_EQ(w.opcje.koniecPrzerwy.plikDzwieku, "C:\\stary.wav");
  s.koniecPrzerwy.wlaczona = true;
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Błędnie podana częstotliwość przypomnień o końcu przerwy na zakładce \"Ostrzeganie\"!");
  s.koniecPrzerwy.czestotliwosc = "2";
  EXPECT_EQ(ZbudujOpcjeOstrzegania(wMocy, s).ostrzezenie,
            "Plik zawierający komunikat dźwiękowy \"Koniec Przerwy\" nie istnieje!");

  // Switched off and confirmed: the group keeps its frequency and file for next time.
  s = StanZOpcji(wMocy);
  s.przerwa.wlaczona = false;
  s.przerwa.czestotliwosc = "";
  w = ZbudujOpcjeOstrzegania(wMocy, s);
  EXPECT_FALSE(w.opcje.przerwa.wlaczone);
  EXPECT_EQ(w.opcje.przerwa.czestotliwosc, 5);
}

TEST(OpcjePrzypominanie, ProgramListJoinRefusesOver250Characters) {
  EXPECT_EQ(RozdzielProgramy("Word#Excel##Notatnik"), (std::vector<std::string>{"Word", "Excel", "Notatnik"}));
  EXPECT_TRUE(RozdzielProgramy("").empty());
  EXPECT_EQ(PolaczProgramy({"Word", "Excel"}), "Word#Excel");
  EXPECT_EQ(PolaczProgramy({}), "");

  // 25 names of 9 characters: 25 * 9 + 24 = 249; one Polish letter more is 250 characters
  // (251 bytes of UTF-8), still allowed; one more is refused.
  std::vector<std::string> nazwy(25, "Program12");
  ASSERT_TRUE(PolaczProgramy(nazwy));
  nazwy[0] += "ą";
  EXPECT_EQ(PolaczProgramy(nazwy).value_or("").size(), 251u);
  nazwy[1] += "x";
  EXPECT_FALSE(PolaczProgramy(nazwy));
  EXPECT_NE(SprawdzNazweProgramu("Word#Excel"), "");
  EXPECT_EQ(SprawdzNazweProgramu("Microsoft Word"), "");
  // The deferral's programs in one field: ";" between names, a "#" splits too (it would when
  // stored), blanks around names and empty names go; a name may hold spaces.
  EXPECT_EQ(ProgramyBezPrzerwZPola(" powerpnt.exe;;vlc.exe ; Microsoft Teams.exe#zoom ;"),
            (TStringList{"powerpnt.exe", "vlc.exe", "Microsoft Teams.exe", "zoom"}));
  EXPECT_EQ(PoleProgramowBezPrzerw({"powerpnt.exe", "vlc.exe"}), "powerpnt.exe; vlc.exe");
  EXPECT_TRUE(ProgramyBezPrzerwZPola(PoleProgramowBezPrzerw({})).empty());
}

TEST(OpcjeLiczby, TypedNumbersStayInTheirRange) {
  EXPECT_EQ(LiczbaWZakresie("15", kZakresCzasuPytania, 10), 15);
  EXPECT_EQ(LiczbaWZakresie(" 500 ", kZakresCzasuPytania, 10), 120);
  EXPECT_EQ(LiczbaWZakresie("0", kZakresCzasuPytania, 10), 1);
  EXPECT_EQ(LiczbaWZakresie("abc", kZakresCzasuPytania, 10), 10);
  EXPECT_EQ(LiczbaWZakresie("", kZakresBuforaSchowka, 10), 10);
  EXPECT_EQ(LiczbaWZakresie("-5", kZakresBuforaSchowka, 10), 1);  // the buffer never goes to zero
  EXPECT_EQ(LiczbaWZakresie("99999999999", kZakresBuforaSchowka, 10), 10);

  EXPECT_EQ(TekstCeny(2318), "23.18");
  EXPECT_EQ(TekstCeny(100), "1.00");
  EXPECT_EQ(CenaZTekstu("23.18", 0), 2318);
  EXPECT_EQ(CenaZTekstu("23,185", 0), 2319);
  EXPECT_EQ(CenaZTekstu("0.5", 2318), 100);
  EXPECT_EQ(CenaZTekstu("1000", 2318), 20000);
  EXPECT_EQ(CenaZTekstu("dwa", 2318), 2318);
}

TEST(OpcjeZaawansowaneTest, MappingsAndFrequencyTexts) {
  EXPECT_EQ(PozycjaMonitorowania(10), 3);
  EXPECT_EQ(PozycjaMonitorowania(1), 0);
  EXPECT_EQ(PozycjaMonitorowania(0), 0);
  EXPECT_EQ(PozycjaMonitorowania(512), 9);
  EXPECT_EQ(PozycjaMonitorowania(100000), 9);
  EXPECT_EQ(SekundyMonitorowania(3), 8);
  EXPECT_EQ(SekundyMonitorowania(9), 512);
  EXPECT_EQ(PozycjaZapisywania(90), 1);
  EXPECT_EQ(PozycjaZapisywania(120), 2);
  EXPECT_EQ(PozycjaZapisywania(6000), 11);

  EXPECT_EQ(TekstCzestotliwosci(1), "1 sek.");
  EXPECT_EQ(TekstCzestotliwosci(8), "8 sek.");
  EXPECT_EQ(TekstCzestotliwosci(64), "1 min. 4 sek.");
  EXPECT_EQ(TekstCzestotliwosci(128), "2 min. 8 sek.");
  EXPECT_EQ(TekstCzestotliwosci(512), "8 min. 32 sek.");
}

TEST(OpcjeZaawansowaneTest, OkWithNothingChangedChangesNothing) {
  UstawieniaKalmo u;
  u.limity.CzestotliwoscZapisywania = 90;
  u.limity.PrzerwaAwaryjna = 330;
  u.czasBezczynnosci = 90;  // shows as one minute
  const PolozeniaZaawansowane p = PolozeniaZaawansowaneZUstawien(u);
  EXPECT_EQ(p, (PolozeniaZaawansowane{3, 1, 4, 5, 1}));
  UstawieniaKalmo z = u;
  ZastosujZaawansowane(z, p, p);
  EXPECT_EQ(z.limity.ToBytes(), u.limity.ToBytes());  // 10 s, 90 s and 330 s stay
  EXPECT_EQ(z.czasBezczynnosci, 90);

  PolozeniaZaawansowane t = p;
  t.monitorowanie = 5;
  t.godzina = 6;
  z = u;
  ZastosujZaawansowane(z, p, t);
  EXPECT_EQ(z.limity.CzestotliwoscMonitorowania, 32);
  EXPECT_EQ(z.limity.GodzinaPrzelaczenia, 6);
  EXPECT_EQ(z.limity.CzestotliwoscZapisywania, 90);
  EXPECT_EQ(z.limity.PrzerwaAwaryjna, 330);
  t.zapisywanie = 11;
  t.przerwaMinuty = 10;
  t.bezczynnosc = 0;  // "wyłączone"
  z = u;
  ZastosujZaawansowane(z, p, t);
  EXPECT_EQ(z.limity.CzestotliwoscZapisywania, 660);
  EXPECT_EQ(z.limity.PrzerwaAwaryjna, 600);
  EXPECT_EQ(z.czasBezczynnosci, 0);
  EXPECT_EQ(PozycjaBezczynnosci(0), 0);
  EXPECT_EQ(PozycjaBezczynnosci(300), 5);
  EXPECT_EQ(PozycjaBezczynnosci(86400), 30);
  EXPECT_EQ(TekstBezczynnosci(0), "wyłączone");
  EXPECT_EQ(TekstBezczynnosci(30), "30 min.");
}

TEST(PomocTest, PageForEachContextAndPresence) {
  EXPECT_EQ(StronaPomocy(1), "Pomoc.htm");
  EXPECT_EQ(StronaPomocy(26), "OpcjInt.htm");
  EXPECT_EQ(StronaPomocy(21), "OpcjMod.htm");
  EXPECT_EQ(StronaPomocy(5), "StatDni.htm");
  EXPECT_EQ(StronaPomocy(1000), "Pomoc.htm");
  // Every context the program uses has a page of its own, and no two share one.
  std::set<std::string> strony;
  for (int k : {5, 6, 7, 8, 26, 24, 25, 9, 10, 11, 20, 21}) strony.insert(StronaPomocy(k));
  EXPECT_EQ(strony.size(), 12u);
  EXPECT_EQ(strony.count("Pomoc.htm"), 0u);

  platform::memory::TestPlatform tp;
  EXPECT_FALSE(PomocDostepna("C:\\Kalmo"));
  tp.files.AddFile("C:\\Kalmo\\Pomoc.htm", "<html></html>");
  EXPECT_TRUE(PomocDostepna("C:\\Kalmo"));
  EXPECT_EQ(SciezkaPomocy("C:\\Kalmo", 24), "C:\\Kalmo\\OpcjOstr.htm");
}

TEST(OpcjeKlawiatura, KeyFieldsFollowAndSetTheGrid) {
  std::vector<WierszKlawisza> w = {{"Shift+Ctrl+P", "Przerwa"}, {"Ctrl+D", "Wyświetla historię schowka"},
                                   {"Ctrl + E", "Wyświetla historię schowka"}};
  EXPECT_EQ(KlawiszZadania(w, kZadanieSchowek), "Ctrl+E");  // the later row wins
  EXPECT_EQ(KlawiszZadania(w, kZadanieListaSkrotow), "");

  EXPECT_EQ(UstawKlawiszZadania(w, kZadanieSchowek, 0x4000 | 'K'), WynikKlawisza::Zmieniony);
  EXPECT_EQ(w[1].first, "Ctrl+K");  // the first row of the task
  EXPECT_EQ(UstawKlawiszZadania(w, kZadanieListaSkrotow, 0x2000 | 'L'), WynikKlawisza::Niepoprawny);
  EXPECT_EQ(UstawKlawiszZadania(w, kZadanieListaSkrotow, 'L'), WynikKlawisza::Niepoprawny);
  EXPECT_EQ(w.size(), 3u);
  EXPECT_EQ(UstawKlawiszZadania(w, kZadanieListaSkrotow, 0x8000 | 'L'), WynikKlawisza::Dodany);
  EXPECT_EQ(w.back(), (WierszKlawisza{"Alt+L", "Wyświetla listę skrótów"}));

  std::vector<WierszKlawisza> pelna(kMaxKlawiszy, {"Ctrl+1", "Przerwa"});
  EXPECT_EQ(UstawKlawiszZadania(pelna, kZadanieSchowek, 0x4000 | 'K'), WynikKlawisza::PelnaTabela);
  EXPECT_EQ(pelna.size(), kMaxKlawiszy);

  // A key field over the draft's lines: the task's own key changes nothing; a refused key leaves
  // the lines as they are; a taken one rewrites them row by row, blank lines gone.
  std::vector<std::string> linie = {"Shift+Ctrl+P#Przerwa", "", "Ctrl+D#Wyświetla historię schowka"};
  EXPECT_EQ(UstawKlawiszZPola(linie, kZadanieSchowek, 0x4000 | 'D'), std::nullopt);
  EXPECT_EQ(linie.size(), 3u);
  EXPECT_EQ(UstawKlawiszZPola(linie, kZadanieSchowek, 0x2000 | 'D'), std::string(kNiepoprawnyKlawisz));
  EXPECT_EQ(UstawKlawiszZPola(linie, kZadanieSchowek, 0), std::string(kNiepoprawnyKlawisz));
  EXPECT_EQ(linie.size(), 3u);
  EXPECT_EQ(UstawKlawiszZPola(linie, kZadanieListaSkrotow, 0x4000 | 0x2000 | 'L'), std::nullopt);
  EXPECT_EQ(linie, (std::vector<std::string>{"Shift+Ctrl+P#Przerwa", "Ctrl+D#Wyświetla historię schowka",
                                             "Shift+Ctrl+L#Wyświetla listę skrótów"}));
  std::vector<std::string> pelne(kMaxKlawiszy, "Ctrl+1#Przerwa");
  EXPECT_EQ(UstawKlawiszZPola(pelne, kZadanieSchowek, 0x4000 | 'K'), "Maksymalna ilość gorących klawiszy to: 15");
}
