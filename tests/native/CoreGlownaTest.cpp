// The main window's controller over a recording window, hook library and deletion starter:
// start-up order, ticks and warning pacing, private messages, tray menu and shutdown.
#include <gtest/gtest.h>

#include <map>

#include "app/Glowna.h"
#include "app/OrgWatkow.h"
#include "base/DateTime.h"
#include "common/Dyskowe.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
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
  TGlownaRdzen* rdzen = nullptr;
  std::function<void()> przyOpcjach;  // what the options dialog changes
  PodpisyMenu podpisy;
  std::vector<std::string> podpowiedzi;
  std::vector<std::string> ostrzezenia;  // what the warnings showed
  std::map<Okno, bool> ukryte;           // existing windows that are out of sight
  std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> wyslane;
  std::function<void(const std::string&)> podglad;  // sees the state at each call
  uint32_t okres = 0;
  explicit FakeUi(Zdarzenia* zd) : z(zd) {}

  void Ev(const std::string& s) {
    (*z)(s);
    if (podglad) podglad(s);
  }
  void Wyslij(unsigned m, uintptr_t w, intptr_t l) override { wyslane.emplace_back(m, w, l); }
  uintptr_t UchwytOkna() override { return 0x1234; }
  void UstawPlikPomocy(const std::string& p) override { Ev("help file " + p); }
  void OtworzTematPomocy(int k) override { Ev("help topic " + std::to_string(k)); }
  void OtworzSpisPomocy() override { Ev("help finder"); }
  void ZainstalujFiltrPomocy() override { Ev("help filter"); }
  void KursorZajety(bool b) override { Ev(b ? "busy cursor" : "normal cursor"); }
  uintptr_t Rodzic(uintptr_t okno) override { return okno == 30 ? 10 : 0; }
  PunktKaretki LewyGornyRog(uintptr_t) override { return {100, 200}; }
  void PokazSchowek(uintptr_t f, uintptr_t g, PunktKaretki p) override {
    Ev("clipboard " + std::to_string(f) + " " + std::to_string(g) + " " + std::to_string(p.x) + "," +
       std::to_string(p.y));
  }
  void WlaczRejestracjePolaczen() override { Ev("modem log"); }
  void ZastosujOpcjeSchowka(const OpcjeSchowka& o) override { Ev("clipboard " + std::to_string(o.buforKB)); }
  void UruchomTimer(uint32_t ms) override {
    okres = ms;
    Ev("timer " + std::to_string(ms));
  }
  void UstawPodpowiedz(const std::string& t) override { podpowiedzi.push_back(t); }
  void ZatrzymajMiganie() override { Ev("stop flashing"); }
  void UstawPodpisyMenu(const PodpisyMenu& p) override {
    podpisy = p;
    Ev("captions");
  }
  void PokazPrzypomnienie(TrybPrzypomnienia t, int32_t s) override {
    ostrzezenia.push_back("reminder " + std::to_string(static_cast<int>(t)) + " " + std::to_string(s));
  }
  void UruchomMiganie() override { ostrzezenia.push_back("flash"); }
  void OdtworzDzwiek(const std::string& plik) override { ostrzezenia.push_back("sound " + plik); }
  bool OknoWidoczne(Okno o) override { return !ukryte[o]; }
  void PokazOkno(Okno o) override {
    Ev("show " + std::to_string(static_cast<int>(o)) + (rdzen && rdzen->OknoIstnieje(o) ? " (marked)" : ""));
  }
  void PokazOpcje(const std::string& s) override {
    if (przyOpcjach) przyOpcjach();
    Ev("options '" + s + "'" + (rdzen && rdzen->OknoIstnieje(Okno::Opcje) ? " (marked)" : ""));
  }
  void ZwolnijOkno(Okno o) override { Ev("free " + std::to_string(static_cast<int>(o))); }
  void RozpocznijPrzerwe() override { Ev("break"); }
  void UkryjEtykieteUsuwania() override { Ev("hide deletion label"); }
  void ZakonczProgram() override { Ev("quit"); }
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
    ui.rdzen = r.get();
  }
  void Start() {
    r->FormCreate();
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
  void SetTemporaryFileOptions(bool on, double last) {
    OpcjePlikowTymczasowych o;
    o.usuwanie = on;
    o.ostatnieCzyszczenie = last;
    tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych", o.ToBytes());
  }
};

}  // namespace

TEST_F(GlownaTest, FirstStartRunsTheSequenceInOrder) {
  std::vector<std::string> widok;
  ui.podglad = [&](const std::string& s) {
    if (s == "help topic 1") widok.push_back(std::string("settings ") + (Has("OpcjeOstrzegania") ? "yes" : "no") +
                                             ", today " + (Has("TodayInfo") ? "yes" : "no"));
  };
  hook.przyZerowaniu = [&] { widok.push_back(std::string("today ") + (Has("TodayInfo") ? "yes" : "no")); };
  tp.files.AddFile("C:\\Kalmo\\Pomoc.htm", "<html></html>");
  r->FormCreate();
  EXPECT_EQ(z.lista, (std::vector<std::string>{"help file C:\\Kalmo\\Pomoc.htm", "help topic 1", "help filter",
                                               "hook on 4660", "hotkey table", "left alt on", "captions",
                                               "modem log", "timer 10000"}));
  // The defaults exist before the accounting is created, which creates its own two values.
  EXPECT_EQ(widok, (std::vector<std::string>{"settings yes, today no", "today yes"}));
  EXPECT_TRUE(tp.dialogs.shown.empty());

  std::vector<std::string> names = *tp.registry.ValueNames(Root::CurrentUser, kKlucz);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Aktywnosc3D", "LewyAlt", "OpcjeOstrzegania", "OpcjePlikowTymczasowych",
                                             "OpcjeSchowka", "RejestracjaPolaczen", "TodayInfo", "Ustawienia",
                                             "ZnakiFiltrujace"}));
  EXPECT_EQ(r->FolderProgramu(), "C:\\Kalmo");
  EXPECT_EQ(r->Pliki().archiwum, "C:\\Kalmo\\All_arch.dat");
  EXPECT_EQ(r->ZnakiFiltrujace(), "-[");
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 5);
  EXPECT_EQ(r->LastWarningTime(), tp.clock.now);
  EXPECT_TRUE(tp.files.FileExists("C:\\Kalmo\\All_hotkey.dat"));
  // The first-run hotkeys are in the library and on the menu.
  EXPECT_EQ(hook.klawisze, (std::vector<uint16_t>{0x6050, 0x40BB, 0x4044, 0x6049}));
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Shift+Ctrl+P)");
  EXPECT_FALSE(r->Debugger()->Wlaczony());
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\debugg.obj"));
}

// The welcome page is a courtesy: a first start without the help pages neither opens nor reports.
TEST_F(GlownaTest, FirstStartWithoutTheHelpPagesOpensNoPage) {
  r->FormCreate();
  EXPECT_EQ(std::count(z.lista.begin(), z.lista.end(), "help topic 1"), 0);
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
  r->FormCreate();
  EXPECT_EQ(z.lista, (std::vector<std::string>{"help file C:\\Kalmo\\Pomoc.htm", "help filter", "hook on 4660",
                                               "hotkey table", "left alt off", "captions", "timer 512000"}));
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 9);
  EXPECT_EQ(r->ZnakiFiltrujace(), "-");
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\debugg.obj"));
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\All_hotkey.dat"));
}

TEST_F(GlownaTest, HookFailuresAreReportedAndStartUpGoesOn) {
  hook.wynikSledzenia = false;
  hook.wynikAltu = false;
  r->FormCreate();
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
  LimitsRecord l = r->InfoSaver()->DajLimity();
  l.CzestotliwoscMonitorowania = 4;
  r->InfoSaver()->UstawLimity(l);
  r->UstawOkresTimera();
  EXPECT_EQ(ui.okres, 4000u);
}

TEST_F(GlownaTest, PacingCountsWholeClockMinutes) {
  Start();
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.koniecPracy.rodzaj = 1;  // flashing: every dispatch shows
  o.koniecPrzerwy.wlaczone = true;
  o.koniecPrzerwy.plikDzwieku = "C:\\dzwon.wav";
  r->UstawOpcjeOstrzegania(o);
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
  r->UstawOpcjeOstrzegania(o);
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
  r->UstawOpcjeOstrzegania(WarningOptions::PierwszeUruchomienie());
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
  LimitsRecord l = r->InfoSaver()->DajLimity();
  l.caPracyDoPrzerwy = 10;  // a break is due from the first tick
  r->InfoSaver()->UstawLimity(l);
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.przerwa.rodzaj = 1;
  r->UstawOpcjeOstrzegania(o);
  for (int i = 0; i < 66; ++i) {  // 10:00:10 .. 10:11:00
    tp.clock.Advance(10);
    r->TimerTimer();
  }
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"flash", "flash"}));  // 10:05 and 10:10
  ASSERT_EQ(ui.podpowiedzi.size(), 11u);  // every sixth tick
  EXPECT_EQ(ui.podpowiedzi[0], "Praca: " + FormatDuration(60, 0));
  EXPECT_EQ(ui.podpowiedzi[10], "Praca: " + FormatDuration(660, 0));
  r->InfoSaver()->RozpocznijPrzerwe();
  tp.clock.Advance(10);
  r->TimerTimer();
  EXPECT_EQ(ui.podpowiedzi.back(), "Praca: " + FormatDuration(0, 0));  // 0 during a break
}

TEST_F(GlownaTest, TheCoreDecidesEachWarning) {
  Start();
  for (int i = 0; i < 6; ++i) {  // one minute of work
    tp.clock.Advance(10);
    r->TimerTimer();
  }
  ui.podpowiedzi.clear();
  WarningOptions o = WarningOptions::PierwszeUruchomienie();
  o.przerwa.rodzaj = 1;
  o.koniecPracy.rodzaj = 1;
  r->UstawOpcjeOstrzegania(o);
  r->Ostrzez(wcPrzerwaNalezna);
  EXPECT_TRUE(ui.podpowiedzi.empty());
  r->Ostrzez(wcKoniecPracy);
  EXPECT_EQ(ui.podpowiedzi, std::vector<std::string>{"Koniec pracy!"});
  o.przerwa.rodzaj = 2;
  o.przerwa.plikDzwieku = "C:\\Kalmo\\dzwon.wav";
  r->UstawOpcjeOstrzegania(o);
  r->Ostrzez(wcPrzerwaNalezna);
  r->Ostrzez(wcPrzerwaWystarczajaca);  // the end-of-break sound is off
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"flash", "flash", "sound C:\\Kalmo\\dzwon.wav"}));

  // Break warning off: the end-of-work reminder still comes, with the work of today; one
  // reminder at a time, the next after the release of the first.
  ui.ostrzezenia.clear();
  o.przerwa.wlaczone = false;
  o.koniecPracy.rodzaj = 0;
  r->UstawOpcjeOstrzegania(o);
  r->Ostrzez(wcPrzerwaNalezna);
  r->Ostrzez(wcKoniecPracy);
  EXPECT_TRUE(r->OknoIstnieje(Okno::Przypomnienie));
  r->Ostrzez(wcWygaszaczWylaczony);
  r->MyFormFreeMessage(KodOkna(Okno::Przypomnienie));
  o.przerwa = WarningOptions::PierwszeUruchomienie().przerwa;
  r->UstawOpcjeOstrzegania(o);
  r->Ostrzez(wcPrzerwaNalezna);
  EXPECT_EQ(ui.ostrzezenia, (std::vector<std::string>{"reminder 3 60", "reminder 1 60"}));
}

TEST_F(GlownaTest, ASettingsSnapshotIsStoredAndAppliedWhole) {
  Start();
  UstawieniaKalmo u = UstawieniaKalmo::Wczytaj();
  u.limity.CzestotliwoscMonitorowania = 4;
  u.ostrzeganie.przerwa.czestotliwosc = 7;
  u.znakiFiltrujace = "[";
  u.lewyAlt = false;
  u.rejestracjaPolaczen = false;
  u.schowek.buforKB = 20;
  r->ZastosujUstawienia(u);
  EXPECT_EQ(z.lista, (std::vector<std::string>{"timer 4000", "left alt off", "hotkey table", "captions",
                                               "clipboard 20"}));
  EXPECT_EQ(r->InfoSaver()->DajLimity().CzestotliwoscMonitorowania, 4);  // the ticks add what the timer runs at
  EXPECT_EQ(r->OpcjeOstrzegania().przerwa.czestotliwosc, 7);
  EXPECT_EQ(r->ZnakiFiltrujace(), "[");
  const UstawieniaKalmo zapisane = UstawieniaKalmo::Wczytaj();
  EXPECT_EQ(zapisane.limity.ToBytes(), u.limity.ToBytes());
  EXPECT_EQ(zapisane.ostrzeganie.ToBytes(), u.ostrzeganie.ToBytes());
  EXPECT_FALSE(zapisane.lewyAlt);
  EXPECT_TRUE(tp.dialogs.shown.empty());
  z.lista.clear();
  u.rejestracjaPolaczen = true;
  r->ZastosujUstawienia(u);
  EXPECT_EQ(z.lista.back(), "modem log");
}

TEST_F(GlownaTest, ScreenSaverMessages) {
  Start();
  for (int i = 0; i < 60; ++i) {
    tp.clock.Advance(10);
    r->TimerTimer();
  }
  tp.desktop.screenSaverTimeout = 300;
  EXPECT_TRUE(r->ObsluzKomunikat(WM_SCREENSAVER_STATE, 1, 0));
  EXPECT_TRUE(r->InfoSaver()->WPrzerwie());
  EXPECT_EQ(r->InfoSaver()->CzasPracy(), 300);
  EXPECT_EQ(z.lista, std::vector<std::string>{"stop flashing"});
  EXPECT_EQ(tp.clock.slept, 1000);

  r->MyScreenSaverStartMessage(0);
  EXPECT_FALSE(r->InfoSaver()->WPrzerwie());
  EXPECT_EQ(tp.clock.slept, 2000);

  // During a break started by the user a start changes nothing and returns at once.
  r->InfoSaver()->RozpocznijPrzerwe();
  r->UstawOkno(Okno::Wygaszacz, true);
  r->MyScreenSaverStartMessage(1);
  EXPECT_EQ(r->InfoSaver()->CzasPracy(), 300);
  EXPECT_EQ(tp.clock.slept, 2000);
  // A stop ends the break in the accounting; the break window stays.
  r->MyScreenSaverStartMessage(0);
  EXPECT_FALSE(r->InfoSaver()->WPrzerwie());
  EXPECT_TRUE(r->OknoIstnieje(Okno::Wygaszacz));
  EXPECT_EQ(z.lista.size(), 1u);

  tp.desktop.screenSaverTimeout = std::nullopt;  // unreadable: no delay
  r->MyScreenSaverStartMessage(1);
  EXPECT_EQ(r->InfoSaver()->CzasPracy(), 300);
  EXPECT_EQ(r->InfoSaver()->CzasPrzerwy(), 0);

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
  r->InfoSaver()->RozpocznijPrzerwe();
  r->UstawOkno(Okno::Wygaszacz, true);
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
  ui.ukryte[Okno::InformacjeDnia] = true;
  EXPECT_TRUE(r->StanPrzyOtwarciu().informacjeDnia);
  r->mnuInformacjeDniaClick();
  ui.ukryte[Okno::InformacjeDnia] = false;
  EXPECT_FALSE(r->StanPrzyOtwarciu().informacjeDnia);
  r->ObsluzKomunikat(WM_FREE_FORM, 0, 0);
  EXPECT_TRUE(r->StanPrzyOtwarciu().informacjeDnia);  // enabled again at the next popup
  for (int kod = 1; kod <= 4; ++kod) {
    r->UstawOkno(static_cast<Okno>(kod), true);
    r->MyFormFreeMessage(kod | 0x300);  // only the low byte names the window
    EXPECT_FALSE(r->OknoIstnieje(static_cast<Okno>(kod)));
  }
  EXPECT_EQ(z.lista, (std::vector<std::string>{"show 0", "show 0 (marked)", "free 0", "free 1", "free 2", "free 3",
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
  EXPECT_TRUE(r->OrganizatorWatkow()->UsuwanieTrwa());
  r->MyThreadMessage(0);
  EXPECT_EQ(starter.uruchomienia, 1);  // a second request while it runs is ignored
  r->MyThreadMessage(1);
  EXPECT_EQ(z.lista.back(), "deletion asked to stop");
  EXPECT_TRUE(r->OrganizatorWatkow()->UsuwanieTrwa());  // until the end notification
  r->UstawOkno(Okno::Wygaszacz, true);
  r->OrganizatorWatkow()->UsuwanieZakonczone();
  EXPECT_FALSE(r->OrganizatorWatkow()->UsuwanieTrwa());
  EXPECT_EQ(z.lista.back(), "hide deletion label");
  r->UstawOkno(Okno::Wygaszacz, false);
  r->MyThreadMessage(0);
  r->OrganizatorWatkow()->UsuwanieZakonczone();
  EXPECT_EQ(z.lista.back(), "deletion started");  // no break window: no label to hide
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
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x4044, 30);  // focus 30 in top-level 10, corner (100, 200)
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);   // no shortcut file: nothing
  tp.files.AddFile(r->Pliki().skroty, "Dom#C:\\Dom\r\n");
  r->UstawOkno(Okno::ListaSkrotow, true);
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);   // already open: nothing
  r->UstawOkno(Okno::ListaSkrotow, false);
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x404C, 0);
  r->ObsluzKomunikat(WM_HOTKEY_TASK, 0x4052, 0);
  EXPECT_EQ(z.lista, (std::vector<std::string>{"break", "show 0", "clipboard 30 10 107,211", "show 7 (marked)",
                                               "busy cursor", "normal cursor"}));
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
  r->FormCreate();
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa    (Shift+Ctrl+P)");
  EXPECT_EQ(ui.podpisy.informacjeDnia, "Informacje dnia...    (Shift+Ctrl+I)");
  EXPECT_EQ(ui.podpisy.listaDokumentow, "Lista dokumentów...    (Ctrl+=)");
  EXPECT_EQ(ui.podpisy.listaSkrotow, "Lista Skrótów...    (Ctrl+L)");
  EXPECT_EQ(ui.podpisy.opcje, "Opcje...");  // the options task has no binding of its own
  EXPECT_EQ(ui.podpisy.statystyka, "Statystyka...");
  // After the options dialog the captions follow the table, also for a key taken away.
  ui.przyOpcjach = [&] {
    HotkeyFile({"Ctrl+S#Wyświetla statystykę"});
    r->Skroty()->WczytajHotkeye();
    r->Skroty()->ZarejestrujHotkeye();
  };
  z.lista.clear();
  r->mnuOpcjeClick();
  EXPECT_EQ(z.lista, (std::vector<std::string>{"hotkey table", "options '' (marked)", "captions"}));
  EXPECT_FALSE(r->OknoIstnieje(Okno::Opcje));
  EXPECT_EQ(ui.podpisy.statystyka, "Statystyka...    (Ctrl+S)");
  EXPECT_EQ(ui.podpisy.przerwa, "Przerwa");
  EXPECT_EQ(ui.podpisy.listaSkrotow, "Lista skrótów...");
  EXPECT_EQ(hook.klawisze, std::vector<uint16_t>{0x4053});
  ui.przyOpcjach = nullptr;
  r->OtworzOpcje("Skróty");
  EXPECT_EQ(z.lista[3], "options 'Skróty' (marked)");
  r->NotifyIconDblClick();
  EXPECT_EQ(z.lista[5], "options '' (marked)");
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
  EXPECT_EQ(z.lista, (std::vector<std::string>{"show 6 (marked)", "show 7 (marked)", "show 5 (marked)", "show 2",
                                               "help finder", "break", "quit"}));
  const StanMenu s = r->StanPrzyOtwarciu();
  EXPECT_TRUE(s.statystyka && s.oProgramie && s.opcje && s.informacjeDnia);
  EXPECT_FALSE(s.listaDokumentow);
  // "Pomoc" only while the help pages are installed beside the program.
  EXPECT_FALSE(s.pomoc);
  tp.files.AddFile(r->PlikPomocy(), "<html></html>");
  EXPECT_TRUE(r->StanPrzyOtwarciu().pomoc);
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
  EXPECT_EQ(r->InfoSaver(), nullptr);
  EXPECT_EQ(r->Skroty(), nullptr);
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
  rdzen.FormCreate();
  DisableScreenSaver(rdzen.OpcjeOstrzegania().wylaczWygaszaczWPrzerwie);  // the break screen's start
  ASSERT_EQ(drugi.desktop.screenSaverActive, false);
  rdzen.FormDestroy();
  EXPECT_EQ(drugi.desktop.screenSaverActive, true);
  EnableScreenSaver(true);  // a break that ended itself leaves nothing to give back
  drugi.desktop.screenSaverActive = false;
  PrzywrocWygaszacz();
  EXPECT_EQ(drugi.desktop.screenSaverActive, false);
}
