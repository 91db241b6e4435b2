// Deferral of warnings: the full-screen rule on rectangles, the microphone keys, the listed
// programs, and the order and limits of the wait over the in-memory platform.
#include <gtest/gtest.h>

#include "platform/memory/Memory.h"
#include "worktime/Odlozenie.h"

using platform::ForegroundWindow;
using platform::NotificationState;
using platform::Rect;
using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

ForegroundWindow Okno(Rect okno, Rect monitor, bool ramka = false) {
  ForegroundWindow f;
  f.window = okno;
  f.monitor = monitor;
  f.framed = ramka;
  return f;
}

const std::string kMikrofon = kKluczMikrofonu;

void Uzycie(TestPlatform& tp, const std::string& klucz, uint64_t start, uint64_t stop) {
  tp.registry.CreateKey(Root::CurrentUser, klucz);
  tp.registry.WriteQword(Root::CurrentUser, klucz, "LastUsedTimeStart", start);
  tp.registry.WriteQword(Root::CurrentUser, klucz, "LastUsedTimeStop", stop);
}

}  // namespace

TEST(Odlozenie, OnlyAWindowAtItsMonitorsRectangleCoversIt) {
  const Rect glowny{0, 0, 1920, 1080}, lewy{-1280, -200, 0, 824};
  EXPECT_TRUE(ZaslaniaMonitor(Okno(glowny, glowny)));                 // borderless, exactly the monitor
  EXPECT_TRUE(ZaslaniaMonitor(Okno(glowny, glowny, true)));           // even with a frame style
  EXPECT_TRUE(ZaslaniaMonitor(Okno({-1280, -200, 0, 824}, lewy)));    // on a monitor left of and above the primary
  EXPECT_TRUE(ZaslaniaMonitor(Okno({-10, -10, 1930, 1090}, glowny)));  // frameless and beyond it (a game)

  ForegroundWindow zmaksymalizowane = Okno({-8, -8, 1928, 1048}, glowny, true);
  EXPECT_FALSE(ZaslaniaMonitor(zmaksymalizowane));  // over the task bar's height it does not reach
  zmaksymalizowane.window = {-8, -8, 1928, 1088};  // the task bar hidden: it overhangs all round
  EXPECT_FALSE(ZaslaniaMonitor(zmaksymalizowane));
  zmaksymalizowane.maximized = true;
  zmaksymalizowane.framed = false;
  EXPECT_FALSE(ZaslaniaMonitor(zmaksymalizowane));

  EXPECT_FALSE(ZaslaniaMonitor(Okno({0, 0, 1920, 1040}, glowny)));    // smaller: the task bar shows
  EXPECT_FALSE(ZaslaniaMonitor(Okno({100, 100, 900, 700}, glowny)));
  EXPECT_FALSE(ZaslaniaMonitor(Okno(glowny, lewy)));                  // the other monitor's rectangle
  ForegroundWindow pulpit = Okno({-1280, -200, 1920, 1080}, glowny);
  pulpit.shell = true;                                                  // the desktop spans every monitor
  EXPECT_FALSE(ZaslaniaMonitor(pulpit));
  EXPECT_FALSE(ZaslaniaMonitor(Okno({0, 0, 0, 0}, {0, 0, 0, 0})));     // no monitor known
}

TEST(Odlozenie, TheShellStateListedProgramsAndTheHintText) {
  EXPECT_EQ(PowodStanuPowloki(NotificationState::PresentationMode), "prezentacja");
  for (auto s : {NotificationState::Busy, NotificationState::D3DFullScreen, NotificationState::App})
    EXPECT_EQ(PowodStanuPowloki(s), "pełny ekran");
  for (auto s : {NotificationState::AcceptsNotifications, NotificationState::NotPresent, NotificationState::QuietTime,
                 NotificationState::Unknown})
    EXPECT_EQ(PowodStanuPowloki(s), "");

  const TStringList lista{"PowerPnt.exe", " teams ", "vlc.exe"};
  EXPECT_EQ(ProgramZListy("POWERPNT.EXE", lista), "PowerPnt.exe");  // as listed
  EXPECT_EQ(ProgramZListy("Teams.exe", lista), "teams");
  EXPECT_EQ(ProgramZListy("vlc", lista), "");  // the file name is always whole
  EXPECT_EQ(ProgramZListy("notepad.exe", lista), "");
  EXPECT_EQ(ProgramZListy("", lista), "");
  EXPECT_EQ(ProgramZListy("VLC.EXE", {"C:\\Program Files\\VideoLAN\\vlc.exe"}), "C:\\Program Files\\VideoLAN\\vlc.exe");
  EXPECT_EQ(TekstOdlozenia("rozmowa"), "Przerwa odłożona: rozmowa");
}

TEST(Odlozenie, TheMicrophoneIsInUseWhileAProgramStartedAndHasNotStopped) {
  TestPlatform tp;
  EXPECT_EQ(MikrofonWUzyciu(), false);  // no key at all (Wine, an old system)
  Uzycie(tp, kMikrofon + "\\Microsoft.SkypeApp_kzf8qxf38zg5c", 133000000000000000ull, 133000000100000000ull);
  tp.registry.CreateKey(Root::CurrentUser, kMikrofon + "\\NeverUsed");  // consent only, no time stamps
  EXPECT_EQ(MikrofonWUzyciu(), false);
  Uzycie(tp, kMikrofon + "\\NonPackaged\\C:#Program Files#Zoom#bin#Zoom.exe", 133000000200000000ull, 0);
  EXPECT_EQ(MikrofonWUzyciu(), true);  // a program that is not packaged
  tp.registry.WriteQword(Root::CurrentUser, kMikrofon + "\\NonPackaged\\C:#Program Files#Zoom#bin#Zoom.exe",
                         "LastUsedTimeStop", 133000000300000000ull);
  EXPECT_EQ(MikrofonWUzyciu(), false);
  Uzycie(tp, kMikrofon + "\\Microsoft.SkypeApp_kzf8qxf38zg5c", 133000000400000000ull, 0);
  EXPECT_EQ(MikrofonWUzyciu(), true);  // a packaged one

  // A time stamp of another kind, or a key that refuses to open, cannot be read.
  Uzycie(tp, kMikrofon + "\\Microsoft.SkypeApp_kzf8qxf38zg5c", 0, 0);
  tp.registry.WriteString(Root::CurrentUser, kMikrofon + "\\NeverUsed", "LastUsedTimeStart", "wczoraj");
  EXPECT_EQ(MikrofonWUzyciu(), std::nullopt);
  tp.registry.DeleteValue(Root::CurrentUser, kMikrofon + "\\NeverUsed", "LastUsedTimeStart");
  EXPECT_EQ(MikrofonWUzyciu(), false);
  tp.registry.lockedKeys.push_back(kMikrofon + "\\NonPackaged");
  EXPECT_EQ(MikrofonWUzyciu(), std::nullopt);
  tp.registry.lockedKeys = {kMikrofon};
  EXPECT_EQ(MikrofonWUzyciu(), std::nullopt);
}

TEST(Odlozenie, SignalsAreReadInOrderAndAnUnreadableMicrophoneIsToldOnce) {
  TestPlatform tp;
  TOdlozenie o;
  const TStringList lista{"POWERPNT"};
  EXPECT_EQ(o.CzytajSygnaly(lista), std::nullopt);
  EXPECT_EQ(tp.desktop.notificationReads, 1);

  ForegroundWindow pokaz = Okno({0, 0, 1024, 768}, {0, 0, 1024, 768});
  pokaz.program = "notepad.exe";
  tp.desktop.foreground = pokaz;
  EXPECT_EQ(o.CzytajSygnaly(lista), "pełny ekran");
  tp.desktop.foreground->program = "powerpnt.exe";
  EXPECT_EQ(o.CzytajSygnaly(lista), "POWERPNT");  // the program's name comes before the full screen
  Uzycie(tp, kMikrofon + "\\NonPackaged\\Teams", 1, 0);
  EXPECT_EQ(o.CzytajSygnaly(lista), "rozmowa");
  tp.desktop.notificationState = NotificationState::PresentationMode;
  EXPECT_EQ(o.CzytajSygnaly(lista), "prezentacja");
  const int okna = tp.desktop.foregroundReads;
  EXPECT_EQ(o.CzytajSygnaly(lista), "prezentacja");
  EXPECT_EQ(tp.desktop.foregroundReads, okna);  // what decides first ends the reading

  tp.desktop.notificationState = NotificationState::AcceptsNotifications;
  tp.desktop.foreground.reset();
  tp.registry.lockedKeys = {kMikrofon};
  EXPECT_EQ(o.CzytajSygnaly(lista), std::nullopt);  // no signal...
  EXPECT_EQ(o.CzytajSygnaly(lista), std::nullopt);
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);  // ...told once
  EXPECT_EQ(tp.dialogs.shown[0].place, "U:Odlozenie F:MikrofonWUzyciu");
}

TEST(Odlozenie, AWaitEndsWithItsSignalOrAtItsMaximumAndZeroNeverWaits) {
  TestPlatform tp;
  TOdlozenie o;
  double t = MakeDateTime(2026, 5, 4, 10, 0);
  tp.desktop.notificationState = NotificationState::D3DFullScreen;
  EXPECT_FALSE(o.Czekaj(t, 0, {}));  // 0: never wait, and nothing is read
  EXPECT_EQ(tp.desktop.notificationReads, 0);

  EXPECT_TRUE(o.Czekaj(t, 30, {}));
  EXPECT_EQ(o.Powod(), "pełny ekran");
  EXPECT_DOUBLE_EQ(o.Od(), t);
  EXPECT_TRUE(o.Czekaj(t + 29.9 / 1440, 30, {}));
  EXPECT_DOUBLE_EQ(o.Od(), t);  // the same wait goes on
  EXPECT_FALSE(o.Czekaj(t + 30.0 / 1440, 30, {}));  // the maximum: the warning comes
  EXPECT_FALSE(o.Trwa());
  EXPECT_TRUE(o.Czekaj(t + 35.0 / 1440, 30, {}));  // the next due warning waits anew
  EXPECT_DOUBLE_EQ(o.Od(), t + 35.0 / 1440);

  tp.desktop.notificationState = NotificationState::AcceptsNotifications;
  EXPECT_FALSE(o.Czekaj(t + 36.0 / 1440, 30, {}));  // the signal ended
  EXPECT_FALSE(o.Trwa());
  tp.desktop.notificationState = NotificationState::Busy;
  EXPECT_TRUE(o.Czekaj(t + 40.0 / 1440, 30, {}));
  EXPECT_TRUE(o.Czekaj(t + 10.0 / 1440, 30, {}));  // a clock set back starts the count there
  EXPECT_DOUBLE_EQ(o.Od(), t + 10.0 / 1440);
}
