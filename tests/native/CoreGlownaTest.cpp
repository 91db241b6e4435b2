// The main window's controller over a recording window, hook library and deletion starter:
// start-up order, ticks and warning pacing, private messages, tray menu and shutdown.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

#include "app/Glowna.h"
#include "app/OrgWatkow.h"
#include "base/DateTime.h"
#include "common/Dyskowe.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "documents/Modem.h"
#include "settings/Komunikaty.h"
#include "platform/memory/Memory.h"

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kKlucz = "\\Software\\Meltrax Software\\Kalmo\\2.0";

struct Zdarzenia {
  std::vector<std::string> lista;
  void operator()(const std::string& s) { lista.push_back(s); }
};

struct FakeUi : GlownaUi {
  Zdarzenia* z;
  std::function<void()> przyOpcjach;  // what the options dialog changes
  PodpisyMenu podpisy;
  std::vector<std::string> podpowiedzi;
  std::vector<std::string> ostrzezenia;  // what the warnings showed
  std::map<Okno, bool> otwarte;          // the windows that are open (today-info: shown)
  std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> wyslane;
  std::function<void(const std::string&)> podglad;  // sees the state at each call
  uint32_t okres = 0;
  explicit FakeUi(Zdarzenia* zd) : z(zd) {}

  void Ev(const std::string& s) {
    (*z)(s);
    if (podglad) podglad(s);
  }
  void Wyslij(unsigned m, uintptr_t w, intptr_t l) override { wyslane.emplace_back(m, w, l); }
  void UstawTimer(uint32_t ms) override {
    okres = ms;
    Ev("timer " + std::to_string(ms));
  }
  void UstawPodpowiedz(const std::string& t) override { podpowiedzi.push_back(t); }
  void UstawPodpisyMenu(const PodpisyMenu& p) override {
    podpisy = p;
    Ev("captions");
  }
  void Ostrzez(const DecyzjaOstrzezenia& d, int32_t s) override {
    if (!d.podpowiedz.empty()) podpowiedzi.push_back(d.podpowiedz);
    switch (d.jak) {
      case Prezentacja::Okno:
        ostrzezenia.push_back("reminder " + std::to_string(static_cast<int>(d.tryb)) + " " + std::to_string(s));
        otwarte[Okno::Przypomnienie] = true;
        break;
      case Prezentacja::Miganie: ostrzezenia.push_back("flash"); break;
      case Prezentacja::Dzwiek: ostrzezenia.push_back("sound " + d.plikDzwieku); break;
      case Prezentacja::Nic: break;
    }
  }
  void ZatrzymajMiganie() override { Ev("stop flashing"); }
  void Pokaz(Okno o, const std::string& co) override {
    if (o == Okno::Opcje && przyOpcjach) przyOpcjach();
    if (o == Okno::Wygaszacz) {
      Ev("break");
      return;
    }
    const bool juz = otwarte[o];
    // A modal window is open while it is shown; a non-modal one from now on.
    if (static_cast<int>(o) >= static_cast<int>(Okno::OProgramie)) otwarte[o] = true;
    Ev("show " + std::to_string(static_cast<int>(o)) + (co.empty() ? "" : " '" + co + "'") +
       (juz ? " (again)" : ""));
    if (static_cast<int>(o) >= static_cast<int>(Okno::OProgramie)) otwarte[o] = false;
    else otwarte[o] = true;
  }
  void PokazSchowek(uintptr_t f) override { Ev("clipboard " + std::to_string(f)); }
  void PokazPomoc(int k) override { Ev("help " + std::to_string(k)); }
  void Zwolnij(Okno o) override {
    otwarte[o] = false;
    Ev("free " + std::to_string(static_cast<int>(o)));
  }
  bool Otwarte(Okno o) override { return otwarte[o]; }
  void ZastosujUstawienia(const UstawieniaKalmo& u) override { Ev("clipboard " + std::to_string(u.schowek.buforKB)); }
  void Zakoncz() override { Ev("quit"); }
};

struct FakeHook : KeyHook {
  Zdarzenia* z;
  bool wynikSledzenia = true;
  bool wynikAltu = true;
  explicit FakeHook(Zdarzenia* zd) : z(zd) {}
  bool WlaczSledzenieKlawiatury(uintptr_t w) override {
    (*z)("hook on " + std::to_string(w));
    return wynikSledzenia;
  }
  void WylaczSledzenieKlawiatury() override { (*z)("hook off"); }
  std::vector<uint16_t> klawisze;
  std::function<void()> przyZerowaniu;
  void WyzerujTabliceKlawiszy() override {
    (*z)("hotkey table");
    if (przyZerowaniu) przyZerowaniu();
    klawisze.clear();
  }
  void DodajGoracyKlawisz(uint16_t k) override { klawisze.push_back(k); }
  bool AktywnoscLewegoAltu(bool b) override {
    (*z)(std::string("left alt ") + (b ? "on" : "off"));
    return wynikAltu;
  }
  void DajPozycjeKaretki(PunktKaretki& p) override { p = {7, 11}; }
};

struct FakeZadanie : ZadanieUsuwania {
  Zdarzenia* z;
  std::function<void()> przyPrzerwaniu;
  explicit FakeZadanie(Zdarzenia* zd) : z(zd) {}
  void Przerwij() override {
    (*z)("deletion asked to stop");
    if (przyPrzerwaniu) przyPrzerwaniu();
  }
};

struct FakeStarter : StarterUsuwania {
  Zdarzenia* z;
  int uruchomienia = 0;
  bool pusty = false;
  std::function<void()> przyPrzerwaniu;
  explicit FakeStarter(Zdarzenia* zd) : z(zd) {}
  std::unique_ptr<ZadanieUsuwania> Uruchom(TOrganizatorWatkow&) override {
    ++uruchomienia;
    (*z)("deletion started");
    if (pusty) return nullptr;
    auto t = std::make_unique<FakeZadanie>(z);
    t->przyPrzerwaniu = przyPrzerwaniu;
    return t;
  }
};

struct GlownaTest : ::testing::Test {
  TestPlatform tp;
  Zdarzenia z;
  FakeUi ui{&z};
  FakeHook hook{&z};
  FakeStarter starter{&z};
  std::unique_ptr<TGlownaRdzen> r;

  void SetUp() override {
    tp.files.AddDirectory("C:\\Kalmo");
    tp.registry.CreateKey(Root::LocalMachine, "Network\\Logon");
    tp.registry.WriteString(Root::LocalMachine, "Network\\Logon", "USERNAME", "");
    r = std::make_unique<TGlownaRdzen>(ui, hook, starter);
  }
  void Start() {
    r->FormCreate(0x1234);
    z.lista.clear();
    tp.dialogs.shown.clear();
  }
  bool Has(const std::string& name) {
    auto names = tp.registry.ValueNames(Root::CurrentUser, kKlucz);
    if (!names) return false;
    for (auto& n : *names)
      if (n == name) return true;
    return false;
  }
  void HotkeyFile(const std::vector<std::string>& lines) {
    ASSERT_TRUE(WriteTextLines("C:\\Kalmo\\All_hotkey.dat", lines));
  }
  // Options as the options dialog stores them: through the one settings path.
  void Ustaw(const std::function<void(UstawieniaKalmo&)>& zmiana) {
    UstawieniaKalmo u = UstawieniaKalmo::Wczytaj();
    zmiana(u);
    r->ZastosujUstawienia(u);
    z.lista.clear();
  }
  void Tyknij(int ile = 1) {
    for (int i = 0; i < ile; ++i) {
      tp.clock.Advance(10);
      r->TimerTimer();
    }
  }
  void SetTemporaryFileOptions(bool on, double last) {
    OpcjePlikowTymczasowych o;
    o.usuwanie = on;
    o.ostatnieCzyszczenie = last;
    tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych", o.ToBytes());
  }
};

}  // namespace

TEST_F(GlownaTest, FirstStartCreatesTheSettingsBeforeTheAccountingAndShowsTheHelpOnce) {
  std::vector<std::string> widok;
  ui.podglad = [&](const std::string& s) {
    if (s == "help 1") widok.push_back(std::string("settings ") + (Has("OpcjeOstrzegania") ? "yes" : "no") +
                                       ", today " + (Has("TodayInfo") ? "yes" : "no"));
  };
  hook.przyZerowaniu = [&] { widok.push_back(std::string("today ") + (Has("TodayInfo") ? "yes" : "no")); };
  tp.files.AddFile("C:\\Kalmo\\Pomoc.htm", "<html></html>");  // the welcome needs the help installed
  r->FormCreate(0x1234);
  // The defaults exist before the accounting is created, which creates its own two values.
  EXPECT_EQ(widok, (std::vector<std::string>{"settings yes, today no", "today yes"}));
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "help 1"), 1);
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "hook on 4660"), 1);  // the main window's handle
  EXPECT_EQ(z.lista.back(), "timer 10000");  // the timer runs once everything is there
  EXPECT_TRUE(tp.dialogs.shown.empty());

  std::vector<std::string> names = *tp.registry.ValueNames(Root::CurrentUser, kKlucz);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Aktywnosc3D", "CzasBezczynnosci", "LewyAlt", "MaksOdlozenie", "OpcjeOstrzegania",
                                             "OpcjePlikowTymczasowych", "OpcjeSchowka", "ProgramyBezPrzerw",
                                             "RejestracjaPolaczen", "TodayInfo", "Ustawienia",
                                             "ZnakiFiltrujace"}));
  EXPECT_EQ(r->FolderProgramu(), "C:\\Kalmo");
  EXPECT_EQ(r->Pliki().archiwum, "C:\\Kalmo\\All_arch.dat");
  EXPECT_EQ(r->ZnakiFiltrujace(), "-[");
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 5);
  EXPECT_EQ(r->LastWarningTime(), tp.clock.now);
  EXPECT_TRUE(tp.files.FileExists("C:\\Kalmo\\All_hotkey.dat"));
  // The first-run hotkeys are in the library and on the menu; the modem log is switched on.
  EXPECT_EQ(hook.klawisze, (std::vector<uint16_t>{0x6050, 0x40BB, 0x4044, 0x6049}));
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Shift+Ctrl+P)");
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\debugg.obj"));
}

// The welcome page is a courtesy: a first start without the help pages neither opens nor reports.
TEST_F(GlownaTest, FirstStartWithoutTheHelpPagesOpensNoPage) {
  r->FormCreate(0x1234);
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "help 1"), 0);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  EXPECT_TRUE(Has("Ustawienia"));
}

TEST_F(GlownaTest, LaterStartsReadTheStoredSettings) {
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "LewyAlt", "Nie");
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "RejestracjaPolaczen", "tak");  // only "Tak" switches on
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "ZnakiFiltrujace", "-");
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.przerwa.czestotliwosc = 9;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjeOstrzegania", o.ToBytes());
  LimitsRecord l = LimitsRecord::Domyslne();
  l.CzestotliwoscMonitorowania = 512;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "Ustawienia", l.ToBytes());
  TodayRecord d;
  d.dtZapisu = tp.clock.now;
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "TodayInfo", d.ToBytes());
  tp.files.AddFile("C:\\Kalmo\\debugg.obj", "old log");
  r->FormCreate(0x1234);
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "help 1"), 0);  // not a first run
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "left alt off"), 1);
  EXPECT_EQ(z.lista.back(), "timer 512000");
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 9);
  EXPECT_EQ(r->ZnakiFiltrujace(), "-");
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\debugg.obj"));
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\All_hotkey.dat"));
}

TEST_F(GlownaTest, HookFailuresAreReportedAndStartUpGoesOn) {
  hook.wynikSledzenia = false;
  hook.wynikAltu = false;
  r->FormCreate(0x1234);
  ASSERT_EQ(tp.dialogs.shown.size(), 2u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmGlowna.FormCreate");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Błąd w czasie włączania śledzenia klawiatury");
  EXPECT_EQ(tp.dialogs.shown[1].text, "Błąd w przełączeniu na lewy Alt");
  EXPECT_EQ(z.lista.back(), "timer 10000");
}

TEST_F(GlownaTest, TimerPeriodStaysInItsRange) {
  EXPECT_EQ(OkresTimeraMs(10), 10000u);
  EXPECT_EQ(OkresTimeraMs(3000000), 2147483647u);
  EXPECT_EQ(OkresTimeraMs(-1), 0u);
  Start();
  Ustaw([](UstawieniaKalmo& u) { u.limity.CzestotliwoscMonitorowania = 4; });
  EXPECT_EQ(ui.okres, 4000u);
}

TEST_F(GlownaTest, PacingCountsWholeClockMinutes) {
  Start();
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.koniecPracy.rodzaj = 1;  // flashing: every dispatch shows
  o.koniecPrzerwy.wlaczone = true;
  o.koniecPrzerwy.plikDzwieku = "C:\\dzwon.wav";
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 3, 50);
  r->UstawLastWarningTime(tp.clock.now);
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 8, 5);  // 4 min 15 s, but 8 - 3 = 5 clock minutes
  EXPECT_TRUE(r->WyslijOstrzezenie(wcKoniecPracy));
  EXPECT_EQ(r->LastWarningTime(), tp.clock.now);
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 12, 59);
  EXPECT_FALSE(r->WyslijOstrzezenie(wcPrzerwaNalezna));
  EXPECT_TRUE(r->WyslijOstrzezenie(wcPrzerwaWystarczajaca));  // no minimum
  EXPECT_TRUE(r->WyslijOstrzezenie(wcPrzerwaWystarczajaca));
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 16, 0);
  EXPECT_FALSE(r->WyslijOstrzezenie(wcWygaszaczWylaczony));  // 4 minutes after the last (10:12:59)
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 16, 59);
  EXPECT_FALSE(r->WyslijOstrzezenie(wcWygaszaczWylaczony));
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 17, 0);
  EXPECT_TRUE(r->WyslijOstrzezenie(wcWygaszaczWylaczony));
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"flash", "sound C:\\dzwon.wav", "sound C:\\dzwon.wav",
                                                      "reminder 4 0"}));
  o.koniecPracy.czestotliwosc = 30;
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 46, 59);
  EXPECT_FALSE(r->WyslijOstrzezenie(wcKoniecPracy));
  EXPECT_TRUE(r->WyslijOstrzezenie(wcPrzerwaNalezna));
}

TEST_F(GlownaTest, PacingCarriesOnAcrossMidnight) {
  EXPECT_EQ(MinutyOdOstrzezenia(MakeDateTime(2026, 3, 3, 0, 3), MakeDateTime(2026, 3, 2, 23, 58)), 5);
  EXPECT_EQ(MinutyOdOstrzezenia(MakeDateTime(2026, 3, 3, 0, 2, 59), MakeDateTime(2026, 3, 2, 23, 58, 30)), 4);
  EXPECT_EQ(MinutyOdOstrzezenia(MakeDateTime(2026, 3, 4, 10, 0), MakeDateTime(2026, 3, 2, 10, 0)), 2880);
  // A hair before midnight reads as midnight, on the new day.
  EXPECT_EQ(MinutyOdOstrzezenia(datetime::EncodeDate(2026, 3, 3) - 1e-9, MakeDateTime(2026, 3, 2, 23, 58)), 2);
  Start();
  r->UstawLastWarningTime(MakeDateTime(2026, 3, 2, 23, 58));
  tp.clock.now = MakeDateTime(2026, 3, 3, 0, 2);
  EXPECT_FALSE(r->WyslijOstrzezenie(wcPrzerwaNalezna));
  tp.clock.now = MakeDateTime(2026, 3, 3, 0, 3);
  EXPECT_TRUE(r->WyslijOstrzezenie(wcPrzerwaNalezna));
  // A clock set back behind the last warning does not silence warnings until it catches up.
  tp.clock.now = MakeDateTime(2026, 3, 2, 22, 0);
  EXPECT_TRUE(r->WyslijOstrzezenie(wcPrzerwaNalezna));
}

TEST_F(GlownaTest, TicksWarnAtTheirPaceAndRefreshTheHintOnWholeMinutes) {
  Start();
  Ustaw([](UstawieniaKalmo& u) {
    u.limity.caPracyDoPrzerwy = 10;  // a break is due from the first tick
    u.ostrzeganie.przerwa.rodzaj = 1;
  });
  Tyknij(66);  // 10:00:10 .. 10:11:00
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"flash", "flash"}));  // 10:05 and 10:10
  ASSERT_EQ(ui.podpowiedzi.size(), 11u);  // every sixth tick
  EXPECT_EQ(ui.podpowiedzi[0], "Praca: " + FormatDuration(60, 0));
  EXPECT_EQ(ui.podpowiedzi[10], "Praca: " + FormatDuration(660, 0));
  r->WejdzWPrzerwe();
  Tyknij();
  EXPECT_EQ(ui.podpowiedzi.back(), "Praca: " + FormatDuration(0, 0));  // 0 during a break
}

TEST_F(GlownaTest, TheCoreDecidesEachWarning) {
  Start();
  Tyknij(6);  // one minute of work
  ui.podpowiedzi.clear();
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.przerwa.rodzaj = 1;
  o.koniecPracy.rodzaj = 1;
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  r->Ostrzez(wcPrzerwaNalezna);
  EXPECT_TRUE(ui.podpowiedzi.empty());
  r->Ostrzez(wcKoniecPracy);
  EXPECT_EQ(ui.podpowiedzi, std::vector<std::string>{"Koniec pracy!"});
  o.przerwa.rodzaj = 2;
  o.przerwa.plikDzwieku = "C:\\Kalmo\\dzwon.wav";
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  r->Ostrzez(wcPrzerwaNalezna);
  r->Ostrzez(wcPrzerwaWystarczajaca);  // the end-of-break sound is off
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"flash", "flash", "sound C:\\Kalmo\\dzwon.wav"}));

  // Break warning off: the end-of-work reminder still comes, with the work of today; one
  // reminder at a time, the next after the release of the first.
  ui.ostrzezenia.clear();
  o.przerwa.wlaczone = false;
  o.koniecPracy.rodzaj = 0;
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  r->Ostrzez(wcPrzerwaNalezna);
  r->Ostrzez(wcKoniecPracy);
  EXPECT_TRUE(ui.Otwarte(Okno::Przypomnienie));
  r->Ostrzez(wcWygaszaczWylaczony);
  r->MyFormFreeMessage(KodOkna(Okno::Przypomnienie));
  o.przerwa = WarningOptions::PierwszeUruchomienie().przerwa;
  Ustaw([&](UstawieniaKalmo& u) { u.ostrzeganie = o; });
  r->Ostrzez(wcPrzerwaNalezna);
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"reminder 3 60", "reminder 1 60"}));
}

TEST_F(GlownaTest, ADraftIsStoredAndWhatWasStoredIsApplied) {
  Start();
  UstawieniaKalmo u = UstawieniaKalmo::Wczytaj(r->Pliki());
  u.limity.CzestotliwoscMonitorowania = 4;
  u.ostrzeganie.przerwa.czestotliwosc = 7;
  u.znakiFiltrujace = "[";
  u.lewyAlt = false;
  u.rejestracjaPolaczen = false;
  u.schowek.buforKB = 20;
  u.goraceKlawisze.linie = {"Ctrl+K#Przerwa"};
  EXPECT_TRUE(r->ZastosujUstawienia(u).Zapisano());
  EXPECT_EQ(z.lista, (std::vector<std::string>{"timer 4000", "left alt off", "hotkey table", "captions",
                                               "clipboard 20"}));
  EXPECT_EQ(r->Dzis().limity.CzestotliwoscMonitorowania, 4);  // the ticks add what the timer runs at
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 7);
  EXPECT_EQ(r->ZnakiFiltrujace(), "[");
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Ctrl+K)");
  const UstawieniaKalmo zapisane = UstawieniaKalmo::Wczytaj(r->Pliki());
  EXPECT_EQ(zapisane.limity.ToBytes(), u.Limity()->ToBytes());
  EXPECT_EQ(zapisane.goraceKlawisze.linie, u.goraceKlawisze.linie);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  // The modem log is switched on when the setting says so.
  const std::string modem = std::string(kKluczModemow) + "\\0000";
  tp.registry.CreateKey(Root::LocalMachine, modem);
  r->ZastosujUstawienia(u);
  EXPECT_FALSE(tp.registry.ReadBinary(Root::LocalMachine, modem, "Logging"));
  u.rejestracjaPolaczen = true;
  r->ZastosujUstawienia(u);
  EXPECT_EQ(tp.registry.ReadBinary(Root::LocalMachine, modem, "Logging"), std::vector<uint8_t>{1});

  // What could not be stored keeps running as it was, and the result names it.
  z.lista.clear();
  tp.registry.lockedKeys.push_back(kKlucz);
  tp.files.failingWrites.push_back(r->Pliki().goraceKlawisze);
  u.goraceKlawisze.linie = {"Ctrl+L#Przerwa"};
  u.limity.CzestotliwoscMonitorowania = 8;
  u.ostrzeganie.przerwa.czestotliwosc = 9;
  const WynikZapisuUstawien blad = r->ZastosujUstawienia(u);
  EXPECT_FALSE(blad.Zapisano());
  EXPECT_EQ(blad.bledy.size(), 13u);
  EXPECT_TRUE(z.lista.empty());
  EXPECT_EQ(r->Dzis().limity.CzestotliwoscMonitorowania, 4);
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 7);
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Ctrl+K)");
}

TEST_F(GlownaTest, ScreenSaverMessages) {
  Start();
  Tyknij(60);
  tp.desktop.screenSaverTimeout = 300;
  EXPECT_TRUE(r->ObsluzKomunikat(WM_SCREENSAVER_STATE, 1, 0));
  EXPECT_TRUE(r->Dzis().wPrzerwie);
  EXPECT_EQ(r->Dzis().praca, 300);
  EXPECT_EQ(z.lista, std::vector<std::string>{"stop flashing"});
  EXPECT_EQ(tp.clock.slept, 1000);

  r->MyScreenSaverStartMessage(0);
  EXPECT_FALSE(r->Dzis().wPrzerwie);
  EXPECT_EQ(tp.clock.slept, 2000);

  // During a break started by the user a start changes nothing and returns at once.
  r->WejdzWPrzerwe();
  ui.otwarte[Okno::Wygaszacz] = true;
  r->MyScreenSaverStartMessage(1);
  EXPECT_EQ(r->Dzis().praca, 300);
  EXPECT_EQ(tp.clock.slept, 2000);
  // A stop ends the break in the accounting; the break window stays.
  r->MyScreenSaverStartMessage(0);
  EXPECT_FALSE(r->Dzis().wPrzerwie);
  EXPECT_TRUE(ui.Otwarte(Okno::Wygaszacz));
  EXPECT_EQ(z.lista.size(), 1u);

  tp.desktop.screenSaverTimeout = std::nullopt;  // unreadable: no delay
  r->MyScreenSaverStartMessage(1);
  EXPECT_EQ(r->Dzis().praca, 300);
  EXPECT_EQ(r->Dzis().przerwa, 0);

  r->MyScreenSaverStartMessage(7);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmGlowna.MyScreenSaverStartMessage");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Błędny parametr komunikatu");
  EXPECT_EQ(tp.clock.slept, 5000);
}

TEST_F(GlownaTest, PauseKeyStartsABreakWhenAllowed) {
  Start();
  r->ObsluzKomunikat(WM_PAUSE_KEY, 0, 0);
  EXPECT_TRUE(z.lista.empty());
  r->ObsluzKomunikat(WM_PAUSE_KEY, 1, 0);
  EXPECT_EQ(z.lista, std::vector<std::string>{"break"});
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "PauseKey"), "Tak");  // created on first use
  // During a break it starts the break again and asks nothing.
  r->WejdzWPrzerwe();
  ui.otwarte[Okno::Wygaszacz] = true;
  r->MyPauseKeyMessage(1);
  EXPECT_EQ(z.lista, (std::vector<std::string>{"break", "break"}));
  EXPECT_TRUE(tp.dialogs.shown.empty());
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "PauseKey", "Nie");
  r->MyPauseKeyMessage(1);
  EXPECT_EQ(z.lista.size(), 2u);
}

TEST_F(GlownaTest, FreeFormMessagesReleaseTheNamedWindow) {
  Start();
  r->mnuInformacjeDniaClick();
  EXPECT_FALSE(r->StanPrzyOtwarciu().informacjeDnia);
  EXPECT_TRUE(r->StanPrzyOtwarciu().statystyka);
  // Hidden by its close box or Escape, it is still there: the command shows it again.
  ui.otwarte[Okno::InformacjeDnia] = false;
  EXPECT_TRUE(r->StanPrzyOtwarciu().informacjeDnia);
  r->mnuInformacjeDniaClick();
  EXPECT_FALSE(r->StanPrzyOtwarciu().informacjeDnia);
  r->ObsluzKomunikat(WM_FREE_FORM, 0, 0);
  EXPECT_TRUE(r->StanPrzyOtwarciu().informacjeDnia);  // enabled again at the next popup
  for (int kod = 1; kod <= 4; ++kod) {
    ui.otwarte[static_cast<Okno>(kod)] = true;
    r->MyFormFreeMessage(kod | 0x300);  // only the low byte names the window
    EXPECT_FALSE(ui.Otwarte(static_cast<Okno>(kod)));
  }
  EXPECT_EQ(z.lista, (std::vector<std::string>{"show 0", "show 0", "free 0", "free 1", "free 2", "free 3",
                                               "free 4"}));
  r->MyFormFreeMessage(5);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmGlowna.MyFormFreeMessage");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Nierozpoznany formularz do zwolnienia");
  EXPECT_EQ(z.lista.size(), 7u);
}

TEST_F(GlownaTest, ThreadMessagesDriveTheDeletion) {
  Start();
  SetTemporaryFileOptions(true, 0);
  r->ObsluzKomunikat(WM_BACKGROUND_TASK, 0, 0);
  EXPECT_EQ(starter.uruchomienia, 1);
  r->MyThreadMessage(0);
  EXPECT_EQ(starter.uruchomienia, 1);  // a second request while it runs is ignored
  r->MyThreadMessage(1);
  EXPECT_EQ(z.lista.back(), "deletion asked to stop");
  r->MyThreadMessage(0);
  EXPECT_EQ(starter.uruchomienia, 1);  // still running until the end notification
  r->UsuwanieZakonczone();
  r->MyThreadMessage(0);
  EXPECT_EQ(starter.uruchomienia, 2);
  r->MyThreadMessage(2);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmGlowna.MyThreadMessage");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Nierozpoznana operacja do wykonania w tle");
  EXPECT_FALSE(r->ObsluzKomunikat(1680, 0, 0));
}

TEST_F(GlownaTest, HotkeysRunTheirTasksThroughTheCore) {
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  HotkeyFile({"Ctrl+E#Przerwa", "Ctrl+I#Wyświetla informacje dnia", "Ctrl+D#Wyświetla historię schowka",
              "Ctrl+L#Wyświetla listę skrótów", "Ctrl+R#Uruchamia wybraną aplikację (C:\\Program Files\\x\\y.exe)"});
  Start();
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x10000 | 0x4045, 77);  // the low 16 bits carry the shortcut
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x4049, 77);
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x4044, 30);  // the history at the caret of focus window 30
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);   // no shortcut file: nothing
  tp.files.AddFile(r->Pliki().skroty, "Dom#C:\\Dom\r\n");
  ui.otwarte[Okno::ListaSkrotow] = true;
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);   // already open: nothing
  ui.otwarte[Okno::ListaSkrotow] = false;
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x4052, 0);
  EXPECT_EQ(z.lista, (std::vector<std::string>{"break", "show 0", "clipboard 30", "show 7"}));
  ASSERT_EQ(tp.processes.started.size(), 1u);
  EXPECT_EQ(tp.processes.started[0].commandLine, "\"C:\\Program Files\\x\\y.exe\"");
  EXPECT_TRUE(tp.dialogs.shown.empty());
}

TEST_F(GlownaTest, MenuCaptionsCarryTheHotkeys) {
  EXPECT_EQ(PodpisZeSkrotem("Przerwa", "Shift+Ctrl+P"), "Przerwa    (Shift+Ctrl+P)");
  EXPECT_EQ(PodpisZeSkrotem("Statystyka...", ""), "Statystyka...");
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);  // not a first run: the file below stays
  HotkeyFile({"Shift+Ctrl+P#Przerwa", "Shift+Ctrl+I#Wyświetla informacje dnia",
              "Ctrl+=#Wyświetla listę monitorowanych dokumentów", "Ctrl+L#Wyświetla listę skrótów"});
  r->FormCreate(0x1234);
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Shift+Ctrl+P)");
  EXPECT_EQ(ui.podpisy.informacjeDnia, "Informacje dnia...    (Shift+Ctrl+I)");
  EXPECT_EQ(ui.podpisy.listaDokumentow, "Lista dokumentów...    (Ctrl+=)");
  EXPECT_EQ(ui.podpisy.listaSkrotow, "Lista Skrótów...    (Ctrl+L)");
  EXPECT_EQ(ui.podpisy.opcje, "Opcje...");  // the options task has no binding of its own
  EXPECT_EQ(ui.podpisy.statystyka, "Statystyka...");
  // After the options dialog the captions follow the table, also for a key taken away.
  ui.przyOpcjach = [&] {
    HotkeyFile({"Ctrl+S#Wyświetla statystykę"});
    r->ZastosujUstawienia(UstawieniaKalmo::Wczytaj());
  };
  z.lista.clear();
  r->mnuOpcjeClick();
  EXPECT_EQ(z.lista.back(), "captions");  // fresh captions once the dialog has closed
  EXPECT_FALSE(ui.Otwarte(Okno::Opcje));
  EXPECT_EQ(ui.podpisy.statystyka, "Statystyka...    (Ctrl+S)");
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa");
  EXPECT_EQ(ui.podpisy.listaSkrotow, "Lista skrótów...");
  EXPECT_EQ(hook.klawisze, std::vector<uint16_t>{0x4053});
  ui.przyOpcjach = nullptr;
  z.lista.clear();
  r->OtworzOpcje("Skróty");
  r->NotifyIconDblClick();
  ui.otwarte[Okno::Opcje] = true;
  r->mnuOpcjeClick();  // open already: nothing
  EXPECT_EQ(z.lista, (std::vector<std::string>{"show 8 'Skróty'", "captions", "show 8", "captions"}));
}

TEST_F(GlownaTest, MenuCommands) {
  Start();
  r->mnuStatystykaClick();  // no archive yet
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].kind, platform::memory::RecordingDialogs::Shown::Message);
  EXPECT_EQ(tp.dialogs.shown[0].text,
            "Ta funkcja będzie sprawna dopiero jutro gdy program zbierze wystarczającą ilość danych.");
  EXPECT_EQ(tp.dialogs.shown[0].picture, platform::rkInformacja);
  EXPECT_TRUE(z.lista.empty());
  tp.files.AddFile(r->Pliki().archiwum, std::string(24, '\0'));
  r->mnuStatystykaClick();
  r->mnuListaSkrotowClick();  // no shortcut file: nothing
  tp.files.AddFile(r->Pliki().skroty, "Moje dokumenty#C:\\Moje dokumenty\r\n");
  r->mnuListaSkrotowClick();
  r->mnuOProgramieClick();
  r->mnuListaDokumentowClick();
  r->mnuPomocClick();
  r->mnuPrzerwaClick();
  r->mnuKoniecClick();
  EXPECT_EQ(z.lista, (std::vector<std::string>{"show 6", "show 7", "show 5", "show 2", "help 1", "break", "quit"}));
  const StanMenu s = r->StanPrzyOtwarciu();
  EXPECT_TRUE(s.statystyka && s.oProgramie && s.opcje && s.informacjeDnia);
  EXPECT_FALSE(s.listaDokumentow);
  // "Pomoc" only while the help pages are installed beside the program.
  EXPECT_FALSE(s.pomoc);
  tp.files.AddFile("C:\\Kalmo\\Pomoc.htm", "<html></html>");
  EXPECT_TRUE(r->StanPrzyOtwarciu().pomoc);
}

TEST_F(GlownaTest, TheStatisticsTodayIsTheDayOfTodaysRecordNotTheClock) {
  tp.clock.now = MakeDateTime(2026, 3, 10, 12, 0);
  Start();
  Tyknij(3);
  ZrodloStatystyki z = r->DaneDoStatystyki();
  EXPECT_EQ(datetime::DatePart(z.dzis), datetime::DatePart(MakeDateTime(2026, 3, 10)));
  EXPECT_EQ(z.dzisSekundy, 30);
  EXPECT_EQ(z.plikArchiwum, "C:\\Kalmo\\All_arch.dat");
  // The clock set back to the 9th, a day the archive may hold already: today stays the 10th.
  tp.clock.now = MakeDateTime(2026, 3, 9, 12, 0);
  Tyknij();
  z = r->DaneDoStatystyki();
  EXPECT_EQ(datetime::DatePart(z.dzis), datetime::DatePart(MakeDateTime(2026, 3, 10)));
  EXPECT_EQ(z.dzisSekundy, 40);
}

TEST_F(GlownaTest, ShutdownFreesInOrderAndSaves) {
  auto stamp = [&] {
    return TodayRecord::FromBytes(*tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "TodayInfo")).dtZapisu;
  };
  double przed = 0;
  std::vector<std::string> widok;
  starter.przyPrzerwaniu = [&] { widok.push_back(stamp() == przed ? "stop: not saved yet" : "stop: saved"); };
  Start();
  SetTemporaryFileOptions(true, 0);
  r->MyThreadMessage(0);
  przed = stamp();
  tp.clock.Advance(600);
  z.lista.clear();
  r->FormDestroy();
  EXPECT_EQ(z.lista, (std::vector<std::string>{"deletion asked to stop", "hook off"}));
  EXPECT_EQ(widok, (std::vector<std::string>{"stop: saved"}));
  r->FormDestroy();  // once only
  EXPECT_EQ(z.lista.size(), 2u);
}

TEST_F(GlownaTest, EndingDuringABreakGivesTheScreenSaverBack) {
  PrzywrocWygaszacz();  // nothing left over from another test
  // A user without a screen saver keeps it off: only what a break switched off comes back.
  tp.desktop.screenSaverActive = false;
  Start();
  r->FormDestroy();
  EXPECT_EQ(tp.desktop.screenSaverActive, false);

  TestPlatform drugi;
  drugi.files.AddDirectory("C:\\Kalmo");
  TGlownaRdzen rdzen(ui, hook, starter);
  rdzen.FormCreate(0x1234);
  DisableScreenSaver(rdzen.OpcjeOstrzegania().wylaczWygaszaczWPrzerwie);  // the break screen's start
  ASSERT_EQ(drugi.desktop.screenSaverActive, false);
  rdzen.FormDestroy();
  EXPECT_EQ(drugi.desktop.screenSaverActive, true);
  EnableScreenSaver(true);  // a break that ended itself leaves nothing to give back
  drugi.desktop.screenSaverActive = false;
  PrzywrocWygaszacz();
  EXPECT_EQ(drugi.desktop.screenSaverActive, false);
}

TEST_F(GlownaTest, APauseHoldsTheRemindersUntilItEndsAndARestartKeepsIt) {
  Start();
  Ustaw([](UstawieniaKalmo& u) {
    u.limity.caPracyDoPrzerwy = 10;  // a break is due from the first tick
    u.ostrzeganie.przerwa.rodzaj = 1;
  });
  tp.clock.now = MakeDateTime(2026, 3, 2, 14, 0);
  r->WstrzymajNa(30);
  EXPECT_EQ(ui.podpowiedzi.back(), "Przypomnienia wstrzymane do 14:30");
  EXPECT_TRUE(r->StanPrzyOtwarciu().wznow);
  Tyknij(170);  // 14:28:20: time is counted, nothing is shown
  EXPECT_TRUE(ui.ostrzezenia.empty());
  EXPECT_EQ(ui.podpowiedzi.back(), "Przypomnienia wstrzymane do 14:30");
  EXPECT_GT(r->Dzis().praca, 1600);
  {
    TGlownaRdzen poRestarcie(ui, hook, starter);  // a restart during the pause keeps it
    poRestarcie.FormCreate(0x1234);
    EXPECT_NEAR(poRestarcie.WstrzymaneDo(), MakeDateTime(2026, 3, 2, 14, 30), 1e-9);
  }
  Tyknij(12);  // past 14:30 the pause ends by itself and the warnings come at their pace
  EXPECT_FALSE(r->Wstrzymane());
  EXPECT_FALSE(r->StanPrzyOtwarciu().wznow);
  EXPECT_EQ(ui.ostrzezenia, std::vector<std::string>{"flash"});
  EXPECT_EQ(ui.podpowiedzi.back().rfind("Praca: ", 0), 0u);

  r->WstrzymajDoJutra();  // until the next work day begins
  EXPECT_NEAR(r->WstrzymaneDo(), MakeDateTime(2026, 3, 3, 4, 0), 1e-9);
  EXPECT_EQ(ui.podpowiedzi.back(), "Przypomnienia wstrzymane do jutra, 04:00");
  r->Wznow();
  EXPECT_FALSE(r->Wstrzymane());

  // An end in the past, not a number or beyond the longest pause is no pause; a value of the
  // wrong size is reported once and kept aside.
  for (double zly : {MakeDateTime(2026, 3, 2, 9, 0), std::nan(""), MakeDateTime(2027, 1, 1, 0, 0)}) {
    std::vector<uint8_t> b(8);
    std::memcpy(b.data(), &zly, 8);
    tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "WstrzymaneDo", b);
    TGlownaRdzen inny(ui, hook, starter);
    inny.FormCreate(0x1234);
    EXPECT_FALSE(inny.Wstrzymane()) << zly;
  }
  tp.dialogs.shown.clear();
  tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "WstrzymaneDo", {1, 2, 3});
  TGlownaRdzen uszkodzony(ui, hook, starter);
  uszkodzony.FormCreate(0x1234);
  EXPECT_FALSE(uszkodzony.Wstrzymane());
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.registry.ReadBinary(Root::CurrentUser, kKlucz, "WstrzymaneDoUszkodzony"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(GlownaTest, LockAndSleepMessagesBreakAndTheCoreReadsTheIdleThreshold) {
  tp.registry.CreateKey(Root::CurrentUser, kKlucz);
  tp.registry.WriteDword(Root::CurrentUser, kKlucz, "CzasBezczynnosci", 5);
  Start();
  Tyknij(6);
  tp.desktop.lastInput = platform::LastInput{100000, 94000};  // six seconds without input
  Tyknij();
  EXPECT_TRUE(r->Dzis().wPrzerwie);
  EXPECT_EQ(z.lista.back(), "stop flashing");  // a natural break stops the flashing
  tp.desktop.lastInput = platform::LastInput{200000, 199000};
  Tyknij();
  EXPECT_FALSE(r->Dzis().wPrzerwie);
  r->SesjaZablokowana(true);
  EXPECT_TRUE(r->Dzis().wPrzerwie);
  r->SesjaZablokowana(false);
  EXPECT_FALSE(r->Dzis().wPrzerwie);
  r->Uspienie(true);
  EXPECT_TRUE(r->Dzis().wPrzerwie);
  r->Uspienie(false);
  EXPECT_FALSE(r->Dzis().wPrzerwie);
}

TEST_F(GlownaTest, ADueReminderWaitsForTheMomentAndComesWhenItEnds) {
  Start();
  Ustaw([](UstawieniaKalmo& u) {
    u.limity.caPracyDoPrzerwy = 10;  // a break is due from the first tick
    u.programyBezPrzerw = {"POWERPNT.EXE"};
  });
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 0);
  r->UstawLastWarningTime(tp.clock.now);
  Tyknij(20);  // quiet ticks: nothing is due, nothing is read
  EXPECT_EQ(tp.desktop.notificationReads, 0);
  EXPECT_EQ(tp.desktop.foregroundReads, 0);

  platform::ForegroundWindow pokaz;
  pokaz.window = pokaz.monitor = {0, 0, 1024, 768};
  pokaz.program = "powerpnt.exe";
  tp.desktop.foreground = pokaz;
  Tyknij(12);  // 10:05:20: the reminder is due and waits
  EXPECT_TRUE(ui.ostrzezenia.empty());
  EXPECT_TRUE(r->Odlozone());
  EXPECT_EQ(ui.podpowiedzi.back(), "Przerwa odłożona: POWERPNT.EXE");
  const size_t podpowiedzi = ui.podpowiedzi.size();
  Tyknij(6);  // a whole minute of work: the hint stays the reason
  EXPECT_EQ(ui.podpowiedzi.size(), podpowiedzi);
  tp.desktop.foreground->program = "explorer.exe";  // the slides go on full screen in another program
  Tyknij();
  EXPECT_EQ(ui.podpowiedzi.back(), "Przerwa odłożona: pełny ekran");

  tp.desktop.foreground.reset();  // the presentation ends: the reminder comes at the next tick
  Tyknij();
  ASSERT_EQ(ui.ostrzezenia.size(), 1u);
  EXPECT_EQ(ui.ostrzezenia[0].rfind("reminder 1 ", 0), 0u);
  EXPECT_FALSE(r->Odlozone());
  EXPECT_EQ(ui.podpowiedzi.back().rfind("Praca: ", 0), 0u);
  EXPECT_EQ(r->LastWarningTime(), tp.clock.now);
}

TEST_F(GlownaTest, AWaitAtItsMaximumShowsTheReminderOnceThenThePacingHolds) {
  Start();
  Ustaw([](UstawieniaKalmo& u) {
    u.limity.caPracyDoPrzerwy = 10;
    u.ostrzeganie.przerwa.rodzaj = 1;  // flashing: no window stays open between warnings
    u.maksOdlozenie = 10;
  });
  tp.clock.now = MakeDateTime(2026, 3, 2, 10, 0);
  r->UstawLastWarningTime(tp.clock.now - 5.0 / 1440);
  tp.desktop.notificationState = platform::NotificationState::PresentationMode;
  Tyknij();
  EXPECT_EQ(ui.podpowiedzi.back(), "Przerwa odłożona: prezentacja");
  Tyknij(59);  // 10:10:00: the reminder has waited since 10:00:10
  EXPECT_TRUE(ui.ostrzezenia.empty());
  Tyknij();  // ten minutes of waiting: it comes
  EXPECT_EQ(ui.ostrzezenia, std::vector<std::string>{"flash"});
  EXPECT_EQ(r->LastWarningTime(), tp.clock.now);
  Tyknij(28);  // the usual five minutes pass: nothing more meanwhile
  EXPECT_EQ(ui.ostrzezenia.size(), 1u);
  Tyknij(1);  // 10:15:00: due again, and it waits again
  EXPECT_EQ(ui.ostrzezenia.size(), 1u);
  EXPECT_TRUE(r->Odlozone());

  // 0 never waits; the user's own break is never deferred.
  Ustaw([](UstawieniaKalmo& u) { u.maksOdlozenie = 0; });
  const int odczyty = tp.desktop.notificationReads;
  Tyknij();
  EXPECT_EQ(ui.ostrzezenia.size(), 2u);
  EXPECT_EQ(tp.desktop.notificationReads, odczyty);
  r->mnuPrzerwaClick();
  EXPECT_EQ(z.lista.back(), "break");
}

TEST_F(GlownaTest, DeferralSettingsGoThroughTheDraftAndADamagedListIsToldOnce) {
  Start();
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "ProgramyBezPrzerw"), "");
  EXPECT_EQ(tp.registry.ReadDword(Root::CurrentUser, kKlucz, "MaksOdlozenie"), 30u);
  Ustaw([](UstawieniaKalmo& u) {
    u.programyBezPrzerw = {"vlc.exe", "Teams"};
    u.maksOdlozenie = 45;
  });
  EXPECT_EQ(tp.registry.ReadString(Root::CurrentUser, kKlucz, "ProgramyBezPrzerw"), "vlc.exe#Teams");
  EXPECT_EQ(tp.registry.ReadDword(Root::CurrentUser, kKlucz, "MaksOdlozenie"), 45u);
  tp.registry.WriteString(Root::CurrentUser, kKlucz, "ProgramyBezPrzerw", "#vlc.exe##  zoom.exe #");
  EXPECT_EQ(UstawieniaKalmo::Wczytaj().programyBezPrzerw, (TStringList{"vlc.exe", "zoom.exe"}));

  tp.registry.WriteDword(Root::CurrentUser, kKlucz, "ProgramyBezPrzerw", 7);
  EXPECT_TRUE(WczytajProgramyBezPrzerw().empty());
  EXPECT_TRUE(UstawieniaKalmo::Wczytaj().programyBezPrzerw.empty());
  TGlownaRdzen inny(ui, hook, starter);
  inny.FormCreate(0x1234);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "U:UstawieniaKalmo F:WczytajProgramyBezPrzerw");
  EXPECT_EQ(tp.registry.ReadDword(Root::CurrentUser, kKlucz, "ProgramyBezPrzerwUszkodzony"), 7u);
  tp.registry.WriteDword(Root::CurrentUser, kKlucz, "MaksOdlozenie", 100000);
  EXPECT_EQ(WczytajMaksOdlozenie(), 240);
}
