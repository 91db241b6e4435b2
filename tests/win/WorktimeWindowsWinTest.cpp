// The reminder, break and today-info windows as real Win32 windows under Wine, over the
// in-memory accounting state (registry, clock and pointer count of the memory platform).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "settings/Globalne.h"
#include "settings/Rejestr.h"
#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "settings/Komunikaty.h"
#include "platform/memory/Memory.h"
#include "tests/win/Driver.h"
#include "tests/win/ZmianaDpi.h"
#include "worktime/InfoSaver.h"
#include "worktime/win32/Przypomnienie.h"
#include "worktime/win32/TodayInfo.h"
#include "worktime/win32/Wygaszacz.h"

using platform::memory::MakeDateTime;
using platform::memory::RecordingDialogs;

namespace {

// A window that stands in for the main window and keeps what is posted to it.
class Skrzynka {
 public:
  struct List { UINT msg; WPARAM wp; LPARAM lp; };
  Skrzynka() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KalmoTestSkrzynka";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetPropW(hwnd, L"Skrzynka", this);
  }
  ~Skrzynka() { DestroyWindow(hwnd); }
  std::vector<List> Odebrane() {
    Pompuj();
    return listy;
  }
  static void Pompuj() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  HWND hwnd = nullptr;
  std::vector<List> listy;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_FREE_FORM || msg == WM_BACKGROUND_TASK)
      if (auto* s = static_cast<Skrzynka*>(GetPropW(h, L"Skrzynka"))) s->listy.push_back({msg, wp, lp});
    return DefWindowProcW(h, msg, wp, lp);
  }
};

bool operator==(const Skrzynka::List& a, const Skrzynka::List& b) {
  return a.msg == b.msg && a.wp == b.wp && a.lp == b.lp;
}

// Text as another program reads it: WM_GETTEXT sent to the control.
std::string Tekst(HWND h) {
  wchar_t buf[1024] = {};
  const LRESULT n = SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return win::Narrow(buf, static_cast<int>(n));
}

bool Widoczny(HWND h) { return h && (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT Klient(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}

// Position of a child inside its parent's client area.
RECT WRodzicu(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int OknaKlasy(const wchar_t* klasa) {
  struct Licznik { const wchar_t* klasa; int n = 0; } l{klasa};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* l = reinterpret_cast<Licznik*>(lp);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (lstrcmpW(name, l->klasa) == 0) ++l->n;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&l));
  return l.n;
}

Losowanie Zawsze(int r) {
  return [r](int) { return r; };
}

class OknaCzasuPracy : public testing::Test {
 protected:
  void SetUp() override {
    p.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
    p.files.AddDirectory("C:\\Kalmo");
    p.clock.now = MakeDateTime(2024, 3, 5, 10, 0, 0);
    opcje = WarningOptions::PierwszeUruchomienie();
  }
  void TearDown() override {
    Skrzynka::Pompuj();
    for (const auto& d : p.dialogs.shown)
      if (d.kind == RecordingDialogs::Shown::Error) ADD_FAILURE() << "error dialog: " << d.place << " " << d.text;
  }

  TInfoSaver& Konto() {
    if (!konto) konto = std::make_unique<TInfoSaver>(UtworzNazwyPlikow("C:\\Kalmo", "test"), nullptr);
    return *konto;
  }
  // Monitoring ticks of 10 seconds.
  void Tyknij(int ile) {
    for (int i = 0; i < ile; ++i) {
      p.clock.Advance(10);
      Konto().ZwiekszWskazniki(platform::Time().Now(), "-[");
    }
  }
  KontekstPrzerwy Przerwa() {
    KontekstPrzerwy k;
    k.dzien = [this] { return Konto().Stan(); };
    k.rozpocznij = [this] { Konto().RozpocznijPrzerwe(); };
    k.zakoncz = [this] { Konto().ZakonczPrzerwe(); };
    k.opcje = &opcje;
    k.glowne = skrzynka.hwnd;
    k.zatrzymajMiganie = [this] { ++zatrzymaniaMigania; };
    return k;
  }

  platform::memory::TestPlatform p;
  std::unique_ptr<TInfoSaver> konto;
  WarningOptions opcje;
  Skrzynka skrzynka;
  int zatrzymaniaMigania = 0;
};

// ---------------------------------------------------------------------------------------------

TEST_F(OknaCzasuPracy, BreakDueReminderShowsItsTextsAndTwoButtons) {
  // Someone types in a window of another program (here: a plain window with an edit field).
  HWND pisanie = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(pisanie, nullptr);
  SetForegroundWindow(pisanie);
  SetFocus(pisanie);
  std::unique_ptr<TfrmPrzypomnienie> okno;
  int przerwy = 0;
  KontekstPrzypomnienia k{skrzynka.hwnd, [&] { ++przerwy; }};
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::PrzerwaNalezna, 2700, k, Zawsze(1)));
  ASSERT_TRUE(okno && okno->Hwnd());
  HWND h = okno->Hwnd();
  skrzynka.Odebrane();

  EXPECT_EQ(Tekst(h), "Przypomnienie");
  EXPECT_TRUE(IsWindowVisible(h));
  const LONG_PTR styl = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(styl & WS_CAPTION);
  EXPECT_FALSE(styl & WS_SYSMENU);  // no caption buttons
  EXPECT_FALSE(styl & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const RECT kl = Klient(h);
  EXPECT_EQ(kl.right, 587);
  EXPECT_EQ(kl.bottom, 279);

  EXPECT_EQ(Tekst(okno->labKomunikat()), "Pracujesz już 45 minut. Czas na przerwę!");
  EXPECT_EQ(win::FindControl(h, "labKomunikat"), okno->labKomunikat());
  const RECT lab = WRodzicu(okno->labKomunikat());
  EXPECT_EQ(lab.right - lab.left, 319);
  EXPECT_EQ(lab.bottom - lab.top, 209);
  const RECT img = WRodzicu(okno->imgObrazek());
  EXPECT_EQ(img.right - img.left, 252);
  EXPECT_EQ(img.bottom - img.top, 252);
  EXPECT_EQ(okno->PokazanyObrazek(), Obrazek::Filizanka);

  EXPECT_TRUE(Widoczny(okno->cmdAnuluj()));
  EXPECT_TRUE(Widoczny(okno->cmdPrzerwa()));
  EXPECT_FALSE(Widoczny(okno->cmdOk()));
  EXPECT_EQ(Tekst(okno->cmdAnuluj()), "Anuluj");
  EXPECT_EQ(Tekst(okno->cmdPrzerwa()), "Przerwa");
  EXPECT_EQ(Tekst(okno->cmdOk()), "Ok");
  // It shows above, and the keyboard stays where it was.
  EXPECT_EQ(GetFocus(), pisanie);
  EXPECT_EQ(GetForegroundWindow(), pisanie);
  // A click activates it: its "Przerwa" has the focus, and Enter presses it.
  SetForegroundWindow(h);
  EXPECT_EQ(GetFocus(), okno->cmdPrzerwa());
  MSG enter{okno->cmdPrzerwa(), WM_KEYDOWN, VK_RETURN, 0};
  EXPECT_TRUE(IsDialogMessageW(h, &enter));
  EXPECT_EQ(przerwy, 1);
  DestroyWindow(pisanie);
  okno.reset();
  skrzynka.Odebrane();
  skrzynka.listy.clear();
  przerwy = 0;
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::PrzerwaNalezna, 2700, k, Zawsze(1)));
  h = okno->Hwnd();

  // "Anuluj": release code 1 posted, nothing else.
  SendMessageW(okno->cmdAnuluj(), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{{WM_FREE_FORM, 0, 1}}));
  EXPECT_EQ(przerwy, 0);
  // A second press before the main window frees it posts nothing more.
  SendMessageW(okno->cmdAnuluj(), BM_CLICK, 0, 0);
  EXPECT_EQ(skrzynka.Odebrane().size(), 1u);
}

TEST_F(OknaCzasuPracy, EndOfWorkAndScreenSaverRemindersShowOnlyOk) {
  p.clock.now = MakeDateTime(2024, 3, 5, 16, 30, 0);
  std::unique_ptr<TfrmPrzypomnienie> okno;
  KontekstPrzypomnienia k{skrzynka.hwnd, {}};
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::KoniecPracy, 21660, k, Zawsze(2)));
  EXPECT_EQ(Tekst(okno->labKomunikat()), "Pracujesz już 6 godzin i 1 minuta. Koniec pracy - czas do domu!");
  EXPECT_EQ(okno->PokazanyObrazek(), Obrazek::Domek);
  EXPECT_FALSE(Widoczny(okno->cmdAnuluj()));
  EXPECT_FALSE(Widoczny(okno->cmdPrzerwa()));
  EXPECT_TRUE(Widoczny(okno->cmdOk()));
  const RECT ok = WRodzicu(okno->cmdOk()), przerwa = WRodzicu(okno->cmdPrzerwa());
  EXPECT_TRUE(EqualRect(&ok, &przerwa));
  SendMessageW(okno->cmdOk(), BM_CLICK, 0, 0);
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{{WM_FREE_FORM, 0, 1}}));

  okno.reset();
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::WygaszaczWylaczony, 0, k, Zawsze(0)));
  EXPECT_EQ(Tekst(okno->labKomunikat()),
            "Uwaga! Wygaszacz ekranu nie jest włączony. Jego włączenie jest warunkiem poprawnego działania programu "
            "Kalmo");
  EXPECT_EQ(okno->PokazanyObrazek(), Obrazek::Komputer);
  EXPECT_TRUE(Widoczny(okno->cmdOk()));
  EXPECT_FALSE(Widoczny(okno->cmdAnuluj()));
  // No way out through the system: a close request is refused.
  SendMessageW(okno->Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(okno->Hwnd()));
  EXPECT_TRUE(IsWindowVisible(okno->Hwnd()));
  EXPECT_TRUE(skrzynka.Odebrane().size() == 1u);
  // Esc, once it has the keyboard, is its only button.
  MSG esc{okno->cmdOk(), WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(IsDialogMessageW(okno->Hwnd(), &esc));
  EXPECT_FALSE(IsWindowVisible(okno->Hwnd()));
  EXPECT_EQ(skrzynka.Odebrane().size(), 2u);
}

TEST_F(OknaCzasuPracy, OneReminderAtATime) {
  std::unique_ptr<TfrmPrzypomnienie> okno;
  KontekstPrzypomnienia k{skrzynka.hwnd, {}};
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::PrzerwaNalezna, 2700, k, Zawsze(3)));
  TfrmPrzypomnienie* pierwsze = okno.get();
  EXPECT_FALSE(PokazPrzypomnienie(okno, TrybPrzypomnienia::WygaszaczWylaczony, 0, k, Zawsze(0)));
  EXPECT_FALSE(PokazPrzypomnienie(okno, TrybPrzypomnienia::KoniecPracy, 9000, k, Zawsze(0)));
  EXPECT_EQ(okno.get(), pierwsze);
  EXPECT_EQ(OknaKlasy(L"TfrmPrzypomnienie"), 1);
  EXPECT_EQ(Tekst(okno->labKomunikat()), "Pracujesz już 45 minut. Czas na przerwę!");
  EXPECT_EQ(okno->PokazanyObrazek(), Obrazek::Ciastko);

  okno.reset();
  EXPECT_EQ(OknaKlasy(L"TfrmPrzypomnienie"), 0);
}

TEST_F(OknaCzasuPracy, BreakButtonStartsTheBreakThenReleases) {
  std::unique_ptr<TfrmPrzypomnienie> okno;
  std::vector<size_t> odebraneWChwiliPrzerwy;
  KontekstPrzypomnienia k{skrzynka.hwnd, [&] { odebraneWChwiliPrzerwy.push_back(skrzynka.Odebrane().size()); }};
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::PrzerwaNalezna, 2700, k, Zawsze(1)));
  SendMessageW(okno->cmdPrzerwa(), BM_CLICK, 0, 0);
  EXPECT_EQ(odebraneWChwiliPrzerwy, std::vector<size_t>{0});  // the break came before the release
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{{WM_FREE_FORM, 0, 1}}));
}

TEST_F(OknaCzasuPracy, AMissingSoundFileIsSkippedWithoutAWord) {
  EXPECT_FALSE(OdtworzDzwiek("C:\\Kalmo\\brak.wav"));
  EXPECT_FALSE(OdtworzDzwiek(""));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

// ---------------------------------------------------------------------------------------------

TEST_F(OknaCzasuPracy, BreakWindowCoversTheScreen) {
  std::unique_ptr<TfrmWygaszacz> okno;
  Tyknij(30);
  RozpocznijPrzerwe(okno, Przerwa());
  ASSERT_TRUE(okno && okno->Hwnd());
  HWND h = okno->Hwnd();
  EXPECT_TRUE(IsWindowVisible(h));
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(IsZoomed(h));
  const LONG_PTR styl = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_FALSE(styl & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // The accounting is in a break, the pointer is hidden, the screen saver switched off, the
  // deletion of temporary files asked for.
  EXPECT_TRUE(Konto().WPrzerwie());
  EXPECT_EQ(Konto().CzasNieprzerwanejPracy(), 0);
  EXPECT_LT(p.desktop.cursorCount, 0);
  EXPECT_EQ(p.desktop.screenSaverActive, false);
  EXPECT_TRUE(okno->TimerWlaczony());
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{{WM_BACKGROUND_TASK, 0, 0}}));

  EXPECT_EQ(Tekst(okno->labCzasPrzerwy()), "");
  EXPECT_EQ(Tekst(okno->labUsuwaniePlikow()), "Trwa usuwanie plików tymczasowych w tle....");
  EXPECT_FALSE(Widoczny(okno->labUsuwaniePlikow()));
  const RECT u = WRodzicu(okno->labUsuwaniePlikow());
  EXPECT_EQ(u.left, 68);
  EXPECT_EQ(u.top, 212);
  okno->PokazUsuwaniePlikow(true);
  EXPECT_TRUE(Widoczny(okno->labUsuwaniePlikow()));
  okno->PokazUsuwaniePlikow(false);
  EXPECT_FALSE(Widoczny(okno->labUsuwaniePlikow()));

  RECT lab = WRodzicu(okno->labCzasPrzerwy());
  EXPECT_EQ(lab.left, 5);
  EXPECT_EQ(lab.top, 5);
  EXPECT_EQ(lab.right - lab.left, 205);

  // 400 seconds later a timer tick shows the time and moves the label to 10, 10.
  Tyknij(40);
  SendMessageW(h, WM_TIMER, TfrmWygaszacz::kTimerId, 0);
  EXPECT_EQ(Tekst(okno->labCzasPrzerwy()), "Czas przerwy: 6 minut");
  lab = WRodzicu(okno->labCzasPrzerwy());
  EXPECT_EQ(lab.left, 10);
  EXPECT_EQ(lab.top, 10);
  EXPECT_EQ(lab.right - lab.left, 205);
}

TEST_F(OknaCzasuPracy, KeyAfterTenMinutesAsksAndNoKeepsTheBreak) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  Tyknij(60);
  skrzynka.Odebrane();
  skrzynka.listy.clear();
  HWND h = okno->Hwnd();

  // PAUSE is no attempt to end: the keyboard hook's message restarts the break instead.
  SendMessageW(h, WM_KEYDOWN, VK_PAUSE, 0);
  EXPECT_TRUE(p.dialogs.shown.empty());
  EXPECT_TRUE(IsWindowVisible(h));

  p.dialogs.answers = {platform::okNie};
  SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].text, "Przerwa powinna trwać jeszcze 5 minut. Czy na pewno zakończyć?");
  EXPECT_EQ(p.dialogs.shown[0].page, platform::ButtonPage::Pytanie);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(Konto().WPrzerwie());
  EXPECT_LT(p.desktop.cursorCount, 0);  // hidden again after "Nie"
  EXPECT_TRUE(skrzynka.Odebrane().empty());

  // A click is the same attempt; "Tak" ends the break in the stated order.
  p.dialogs.answers = {platform::okTak};
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(IsZoomed(h));
  EXPECT_FALSE(Konto().WPrzerwie());
  EXPECT_EQ(Konto().CzasPrzerwy(), 0);
  EXPECT_GE(p.desktop.cursorCount, 0);
  EXPECT_EQ(p.desktop.screenSaverActive, true);
  EXPECT_FALSE(okno->TimerWlaczony());
  EXPECT_EQ(zatrzymaniaMigania, 1);
  EXPECT_EQ(skrzynka.Odebrane(),
            (std::vector<Skrzynka::List>{{WM_BACKGROUND_TASK, 1, 0}, {WM_FREE_FORM, 0, 4}}));
  // Input after the end starts nothing.
  SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(skrzynka.Odebrane().size(), 2u);
}

TEST_F(OknaCzasuPracy, TheQuestionIsTheRealMessageDialogAboveTheBreakScreen) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  Tyknij(60);
  HWND h = okno->Hwnd();
  p.dialogs.answers.clear();
  platform::Current().dialogs = &RealDialogs();
  {
    bool nadEkranem = false;
    driver::Answerer nie(L"TfrmKomunikat", "Nie", [&](HWND d) {
      nadEkranem = (GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsWindowVisible(d);
    }, 1);
    SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(nie.Count(), 1);
    auto seen = nie.Seen()[0];
    EXPECT_EQ(seen.controls["pisKomunikat"], "Przerwa powinna trwać jeszcze 5 minut. Czy na pewno zakończyć?");
    EXPECT_EQ(seen.controls["cmdTak"], "Tak");
    EXPECT_TRUE(nadEkranem);
  }
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(Konto().WPrzerwie());
  EXPECT_LT(p.desktop.cursorCount, 0);
  {
    driver::Answerer tak(L"TfrmKomunikat", "Tak", 1);
    SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(tak.Count(), 1);
  }
  platform::Current().dialogs = &p.dialogs;
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(Konto().WPrzerwie());
  EXPECT_EQ(skrzynka.Odebrane().back(), (Skrzynka::List{WM_FREE_FORM, 0, 4}));
}

TEST_F(OknaCzasuPracy, AWindowFreedDuringTheBreakGivesTheScreenSaverAndPointerBack) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  ASSERT_EQ(p.desktop.screenSaverActive, false);
  ASSERT_LT(p.desktop.cursorCount, 0);
  okno.reset();  // the program ends in the middle of the break
  EXPECT_EQ(p.desktop.screenSaverActive, true);
  EXPECT_GE(p.desktop.cursorCount, 0);
  // After a break that ended itself nothing is switched on again.
  RozpocznijPrzerwe(okno, Przerwa());
  Tyknij(91);
  SendMessageW(okno->Hwnd(), WM_KEYDOWN, 'A', 0);
  p.desktop.screenSaverActive = false;  // the user switched it off meanwhile
  okno.reset();
  EXPECT_EQ(p.desktop.screenSaverActive, false);
}

TEST_F(OknaCzasuPracy, KeyAfterFourteenAndAHalfMinutesEndsWithoutAsking) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  Tyknij(87);
  SendMessageW(okno->Hwnd(), WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(p.dialogs.shown.empty());
  EXPECT_FALSE(IsWindowVisible(okno->Hwnd()));
  EXPECT_FALSE(Konto().WPrzerwie());
  EXPECT_GE(p.desktop.cursorCount, 0);
}

TEST_F(OknaCzasuPracy, MouseMovementEndsOnlyALongEnoughBreak) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  HWND h = okno->Hwnd();
  Tyknij(90);  // exactly 15 minutes: not yet long enough
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(140, 120));
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(Konto().WPrzerwie());
  EXPECT_TRUE(p.dialogs.shown.empty());
  Tyknij(1);
  // A "move" to the same place (a window appearing under the pointer) is no movement.
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(140, 120));
  EXPECT_TRUE(IsWindowVisible(h));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(141, 120));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(Konto().WPrzerwie());
  EXPECT_TRUE(p.dialogs.shown.empty());
}

RECT Prostokat(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

bool Rowne(const RECT& r, const platform::Rect& m) {
  return r.left == m.left && r.top == m.top && r.right == m.right && r.bottom == m.bottom;
}

TEST_F(OknaCzasuPracy, TheBreakCoversEveryMonitorAndTheCoversFollowTheMonitors) {
  // The primary monitor with the pointer, one on its right of 150 %.
  const platform::MonitorInfo glowny{{0, 0, 1024, 768}, {0, 0, 1024, 738}, 96, true};
  const platform::MonitorInfo prawy{{1024, 0, 1664, 480}, {1024, 0, 1664, 480}, 144, false};
  const platform::MonitorInfo lewy{{-800, -600, 0, 0}, {-800, -600, 0, 0}, 96, false};
  p.desktop.monitors = {glowny, prawy};
  SetCursorPos(100, 100);
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  HWND h = okno->Hwnd();
  EXPECT_TRUE(Rowne(Prostokat(h), glowny.area));
  ASSERT_EQ(okno->Zaslony().size(), 1u);
  HWND zaslona = okno->Zaslony()[0]->Hwnd();
  EXPECT_TRUE(IsWindowVisible(zaslona));
  EXPECT_TRUE(Rowne(Prostokat(zaslona), prawy.area));
  EXPECT_TRUE(GetWindowLongPtrW(zaslona, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrW(zaslona, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
  EXPECT_EQ(OknaKlasy(L"TZaslonaPrzerwy"), 1);
  EXPECT_EQ(GetForegroundWindow(), h);  // the keyboard stays with the break window

  // A monitor removed closes its cover and nothing else; one connected gets its cover.
  p.desktop.monitors = {glowny};
  SendMessageW(h, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
  EXPECT_TRUE(okno->Zaslony().empty());
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(Rowne(Prostokat(h), glowny.area));
  EXPECT_TRUE(Konto().WPrzerwie());
  p.desktop.monitors = {glowny, lewy};
  SendMessageW(h, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
  ASSERT_EQ(okno->Zaslony().size(), 1u);
  zaslona = okno->Zaslony()[0]->Hwnd();
  EXPECT_TRUE(Rowne(Prostokat(zaslona), lewy.area));

  // A click on a cover is a click on the break: a long enough break ends, every cover with it.
  Tyknij(91);
  SendMessageW(zaslona, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(Konto().WPrzerwie());
  EXPECT_TRUE(okno->Zaslony().empty());
  EXPECT_EQ(OknaKlasy(L"TZaslonaPrzerwy"), 0);
}

TEST_F(OknaCzasuPracy, TheBreakWindowFollowsItsMonitorsDpiAndStaysItsRectangle) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  HWND h = okno->Hwnd();
  const RECT przed = Prostokat(h);
  RECT propozycja{0, 0, 1536, 1152};
  SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&propozycja));
  const RECT po = Prostokat(h);
  EXPECT_TRUE(EqualRect(&przed, &po));  // a cover is its monitor, whatever is proposed
  const RECT lab = WRodzicu(okno->labCzasPrzerwy());
  EXPECT_EQ(lab.left, 8);  // 5 at 96 dpi
  EXPECT_EQ(lab.right - lab.left, 308);
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(okno->labCzasPrzerwy(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_LT(lf.lfHeight, -20);  // 15 pixels at 96 dpi, about 22 at 144
}

TEST_F(OknaCzasuPracy, StartingAgainReusesTheWindowAndRestartsTheCount) {
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  TfrmWygaszacz* pierwsze = okno.get();
  Tyknij(30);
  EXPECT_EQ(Konto().CzasPrzerwy(), 300);
  RozpocznijPrzerwe(okno, Przerwa());
  EXPECT_EQ(okno.get(), pierwsze);
  EXPECT_EQ(OknaKlasy(L"TfrmWygaszacz"), 1);
  EXPECT_EQ(Konto().CzasPrzerwy(), 0);
  EXPECT_TRUE(IsWindowVisible(okno->Hwnd()));
  EXPECT_LT(p.desktop.cursorCount, 0);
  // Ending shows the pointer whatever depth the two starts left it at.
  okno->ZakonczPrzerwe();
  EXPECT_GE(p.desktop.cursorCount, 0);
}

TEST_F(OknaCzasuPracy, ABreakStartedBeforeTheReleaseArrivesKeepsItsWindow) {
  // A key ends the long-enough break and the break hotkey, pressed right after, starts a new one
  // before the main window has freed the window.
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  Tyknij(91);
  skrzynka.Odebrane();
  skrzynka.listy.clear();
  PostMessageW(skrzynka.hwnd, WM_FREE_FORM, 0, 1);  // another window's release waits in the queue
  SendMessageW(okno->Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(Konto().WPrzerwie());
  RozpocznijPrzerwe(okno, Przerwa());
  // The break window's release is gone; the other one still arrives; the deletion is asked to
  // stop, then to start again.
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{
                                     {WM_BACKGROUND_TASK, 1, 0}, {WM_FREE_FORM, 0, 1}, {WM_BACKGROUND_TASK, 0, 0}}));
  EXPECT_TRUE(IsWindowVisible(okno->Hwnd()));
  EXPECT_TRUE(Konto().WPrzerwie());
  // Ended again, it posts its release as usual.
  okno->ZakonczPrzerwe();
  EXPECT_EQ(skrzynka.Odebrane().back(), (Skrzynka::List{WM_FREE_FORM, 0, 4}));
}

TEST_F(OknaCzasuPracy, ScreenSaverLeftAloneWhenTheOptionIsOff) {
  opcje.wylaczWygaszaczWPrzerwie = false;
  std::unique_ptr<TfrmWygaszacz> okno;
  RozpocznijPrzerwe(okno, Przerwa());
  okno->ZakonczPrzerwe();
  EXPECT_EQ(p.desktop.screenSaverChanges, 0);
  EXPECT_EQ(p.desktop.screenSaverActive, true);

  opcje.wylaczWygaszaczWPrzerwie = true;
  RozpocznijPrzerwe(okno, Przerwa());
  EXPECT_EQ(p.desktop.screenSaverActive, false);
  okno->ZakonczPrzerwe();
  EXPECT_EQ(p.desktop.screenSaverActive, true);
  EXPECT_EQ(p.desktop.screenSaverChanges, 2);
}

// ---------------------------------------------------------------------------------------------

TEST_F(OknaCzasuPracy, TodayInfoAndTheReminderFollowTheirMonitorsDpi) {
  Tyknij(6 * 40);
  std::unique_ptr<TfrmTodayInfo> dzien;
  PokazTodayInfo(dzien, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  const int czcionka = wintest::WysokoscCzcionki(dzien->labCzasFazy());
  const std::string tekst = Tekst(dzien->labCzasFazy());
  RECT propozycja = wintest::ZmienDpi(dzien->Hwnd(), 96, 192);
  RECT r = wintest::Prostokat(dzien->Hwnd());
  EXPECT_TRUE(EqualRect(&r, &propozycja));
  EXPECT_NEAR(wintest::WysokoscCzcionki(dzien->labCzasFazy()), 2 * czcionka, 1);
  EXPECT_EQ(Tekst(dzien->labCzasFazy()), tekst);
  EXPECT_EQ(wintest::Szerokosc(dzien->pbAktywnosc()), 2 * kSzerokoscPaska);
  EXPECT_EQ(wintest::Szerokosc(dzien->cmdZamknij()), 176);
  EXPECT_EQ(win::FindControl(dzien->Hwnd(), "labLegenda4") != nullptr, true);

  std::unique_ptr<TfrmPrzypomnienie> okno;
  ASSERT_TRUE(PokazPrzypomnienie(okno, TrybPrzypomnienia::PrzerwaNalezna, 2700, {skrzynka.hwnd, {}}, Zawsze(1)));
  const int komunikat = wintest::WysokoscCzcionki(okno->labKomunikat());
  EXPECT_EQ(komunikat, 20);
  propozycja = wintest::ZmienDpi(okno->Hwnd(), 96, 144);
  r = wintest::Prostokat(okno->Hwnd());
  EXPECT_TRUE(EqualRect(&r, &propozycja));
  EXPECT_EQ(wintest::WysokoscCzcionki(okno->labKomunikat()), 30);
  EXPECT_EQ(wintest::Szerokosc(okno->imgObrazek()), 378);
  EXPECT_EQ(wintest::Szerokosc(okno->cmdPrzerwa()), 150);
}

TEST_F(OknaCzasuPracy, TodayInfoShowsTheDay) {
  Tyknij(6 * 40);  // 40 minutes of work
  std::unique_ptr<TfrmTodayInfo> okno;
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  ASSERT_TRUE(okno && okno->Hwnd());
  HWND h = okno->Hwnd();
  EXPECT_EQ(Tekst(h), "Informacja dnia");
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 634);
  EXPECT_EQ(r.bottom - r.top, 226);
  const RECT pb = WRodzicu(okno->pbAktywnosc());
  EXPECT_EQ(pb.right - pb.left, 576);
  EXPECT_EQ(pb.bottom - pb.top, 56);
  EXPECT_TRUE(okno->MigaczWlaczony());

  EXPECT_EQ(Tekst(okno->labCaCzasPracy()), "40 minut");
  EXPECT_EQ(Tekst(okno->labCzasFazy()), "Nieprzerwany czas pracy: 40 minut");
  std::set<std::string> teksty;
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) teksty.insert(Tekst(c));
  for (const char* t : {"Całkowity czas pracy:", "czas pracy", "więcej niż ustalono", "teraz", "brak aktywności",
                        "Zamknij"})
    EXPECT_TRUE(teksty.count(t)) << t;

  // The texts do not follow the ticks; showing again refreshes them.
  Konto().RozpocznijPrzerwe();
  Tyknij(30);
  EXPECT_EQ(Tekst(okno->labCzasFazy()), "Nieprzerwany czas pracy: 40 minut");
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  EXPECT_EQ(Tekst(okno->labCzasFazy()), "Czas przerwy: 5 minut");
  EXPECT_EQ(OknaKlasy(L"TfrmTodayInfo"), 1);
}

TEST_F(OknaCzasuPracy, TodayInfoStripIsPaintedFromTheSlots) {
  Tyknij(6 * 60);  // an hour of work from 10:00, slots 121..132
  std::unique_ptr<TfrmTodayInfo> okno;
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  HWND pb = okno->pbAktywnosc();
  RedrawWindow(pb, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(pb);
  // Rollover 4: slot n is column n - 48 at x = 2(n - 48) - 1.
  EXPECT_EQ(GetPixel(dc, 2 * (121 - 48) - 1, 10), RGB(240, 240, 80));  // work within the limit
  EXPECT_EQ(GetPixel(dc, 2 * (130 - 48) - 1, 10), RGB(240, 210, 80));  // the 10th slot shades
  EXPECT_EQ(GetPixel(dc, 2 * (60 - 48) - 1, 10), RGB(110, 110, 110));  // no data
  EXPECT_EQ(GetPixel(dc, 2 * 12 - 1, 35), RGB(0, 0, 0));               // hour tick
  ReleaseDC(pb, dc);
}

TEST_F(OknaCzasuPracy, TodayInfoThreeDChoiceIsStoredByZamknijOnly) {
  RejWriteString(wartosc::Aktywnosc3D, "Tak");
  std::unique_ptr<TfrmTodayInfo> okno;
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  EXPECT_TRUE(okno->Widok3D());
  HMENU m = okno->pumTablicaAktywnosci();
  EXPECT_EQ(GetMenuState(m, TfrmTodayInfo::kIdMnuAktywnosc3D, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  wchar_t podpis[32] = {};
  GetMenuStringW(m, TfrmTodayInfo::kIdMnuAktywnosc3D, podpis, 32, MF_BYCOMMAND);
  EXPECT_EQ(win::Narrow(podpis), "widok 3D");

  // Toggled from the menu: repainted in flat colours at once, not yet stored.
  SendMessageW(okno->Hwnd(), WM_COMMAND, MAKEWPARAM(TfrmTodayInfo::kIdMnuAktywnosc3D, 0), 0);
  EXPECT_FALSE(okno->Widok3D());
  EXPECT_EQ(GetMenuState(m, TfrmTodayInfo::kIdMnuAktywnosc3D, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(RejReadString(wartosc::Aktywnosc3D, "?"), "Tak");

  // The close box only hides.
  SendMessageW(okno->Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(okno->Hwnd()));
  EXPECT_FALSE(IsWindowVisible(okno->Hwnd()));
  EXPECT_FALSE(okno->MigaczWlaczony());
  EXPECT_EQ(RejReadString(wartosc::Aktywnosc3D, "?"), "Tak");
  EXPECT_TRUE(skrzynka.Odebrane().empty());

  // Shown again, then "Zamknij": stored, timer off, release code 0.
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  EXPECT_TRUE(IsWindowVisible(okno->Hwnd()));
  SendMessageW(okno->cmdZamknij(), BM_CLICK, 0, 0);
  EXPECT_EQ(RejReadString(wartosc::Aktywnosc3D, "?"), "Nie");
  EXPECT_FALSE(IsWindowVisible(okno->Hwnd()));
  EXPECT_FALSE(okno->MigaczWlaczony());
  EXPECT_EQ(skrzynka.Odebrane(), (std::vector<Skrzynka::List>{{WM_FREE_FORM, 0, 0}}));
  skrzynka.listy.clear();

  // Closed and asked for again before the main window freed it: the release is taken back.
  SendMessageW(okno->cmdZamknij(), BM_CLICK, 0, 0);
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  EXPECT_TRUE(IsWindowVisible(okno->Hwnd()));
  EXPECT_TRUE(okno->MigaczWlaczony());
  EXPECT_TRUE(skrzynka.Odebrane().empty());

  // A fresh window reads the stored choice.
  okno.reset();
  PokazTodayInfo(okno, [this] { return Konto().Stan(); }, skrzynka.hwnd);
  EXPECT_FALSE(okno->Widok3D());
}

// ---------------------------------------------------------------------------------------------

TEST(Obrazki, ElevenDistinctPictures) {
  TfrmObrazki obrazki;
  EXPECT_EQ(obrazki.Kopia(Obrazek::Brak), nullptr);
  EXPECT_TRUE(obrazki.Piksele(Obrazek::Brak).empty());
  std::set<std::vector<uint32_t>> rozne;
  const uint32_t tlo = [] {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
  }();
  for (int i = 1; i <= kLiczbaObrazkow; ++i) {
    const auto o = static_cast<Obrazek>(i);
    const auto& px = obrazki.Piksele(o);
    ASSERT_EQ(px.size(), 252u * 252u) << NazwaObrazka(o);
    EXPECT_EQ(px[0], tlo) << NazwaObrazka(o);  // the corner sits on the dialog colour
    std::set<uint32_t> kolory(px.begin(), px.end());
    EXPECT_GT(kolory.size(), 20u) << NazwaObrazka(o);  // a picture, not a flat square
    rozne.insert(px);
    HBITMAP b = obrazki.Kopia(o);
    ASSERT_NE(b, nullptr);
    BITMAP bm{};
    GetObjectW(b, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 252);
    EXPECT_EQ(bm.bmHeight, 252);
    DeleteObject(b);
  }
  EXPECT_EQ(rozne.size(), 11u);
}

}  // namespace
