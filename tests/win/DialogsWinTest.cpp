// The real message and error dialogs under Wine, answered by the test driver.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/win32/Komunikat.h"
#include "common/win32/PisakControl.h"
#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "platform/Platform.h"
#include "tests/win/Driver.h"

namespace {

constexpr const wchar_t* kBledu = L"TfrmKomunikatBledu";
constexpr const wchar_t* kKomunikat = L"TfrmKomunikat";

// The real dialogs behind PokazBlad, Komunikat and the others, for one test.
class DialogsWinTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::Services s = platform::Current();
    s.dialogs = &RealDialogs();
    previous_ = platform::Install(s);
  }
  void TearDown() override { platform::Install(previous_); }

 private:
  platform::Services previous_;
};

RECT ClientOf(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}

int HeightOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r.bottom - r.top;
}

TEST_F(DialogsWinTest, TheErrorDialogShowsPlaceAndTextAndKontynuujReturnsToTheCaller) {
  driver::Answerer answer(kBledu, "Kontynuuj");
  PokazBlad("U:WinTools F:GetRegistryString", "Nie mogę otworzyć klucza: Kalmo, var = TodayInfo");
  ASSERT_EQ(answer.Count(), 1);
  auto seen = answer.Seen()[0];
  EXPECT_TRUE(seen.pressed);
  EXPECT_EQ(seen.caption, "Komunikat błędu");
  EXPECT_EQ(seen.controls["labMiejsce"], "U:WinTools F:GetRegistryString");
  EXPECT_EQ(seen.controls["labTresc"], "Nie mogę otworzyć klucza: Kalmo, var = TodayInfo");
  EXPECT_EQ(seen.controls["labNaglowek"], "Wystąpił błąd!!!");
  EXPECT_EQ(seen.controls["labMiejsceNapis"], "miejsce:");
  EXPECT_EQ(seen.controls["labTrescNapis"], "treść:");
  EXPECT_EQ(seen.controls["cmdOk"], "Kontynuuj");
  EXPECT_EQ(seen.controls["cmdHalt"], "Zatrzymaj porgram");
  // Created for one showing and destroyed after it.
  EXPECT_EQ(driver::FindWindowOf(kBledu, {}, GetCurrentProcessId()), nullptr);
}

TEST_F(DialogsWinTest, TheErrorDialogHasNoSystemButtonsAndKontynuujIsFocusedAndDefault) {
  bool checked = false;
  driver::Answerer answer(kBledu, "Kontynuuj", [&](HWND dialog) {
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    HWND ok = driver::FindChildByName(dialog, "cmdOk");
    EXPECT_TRUE(SendMessageW(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, ok);
    checked = true;
  });
  PokazBlad("TfrmGlowna.FormCreate", "tekst");
  EXPECT_TRUE(checked);
}

TEST_F(DialogsWinTest, AGuardedFailureIsShownAndTheExceptionGoesOnUpward) {
  driver::Answerer answer(kBledu, "Kontynuuj");
  EXPECT_THROW(Guarded("U:Dyskowe F:DajKatalogTemp", []() -> int { throw std::runtime_error("x"); }),
               std::runtime_error);
  ASSERT_EQ(answer.Count(), 1);
  EXPECT_EQ(answer.Seen()[0].controls["labMiejsce"], "U:Dyskowe F:DajKatalogTemp");
  EXPECT_EQ(answer.Seen()[0].controls["labTresc"], "Błąd nierozpoznany - raise");
}

TEST_F(DialogsWinTest, PokazBladGdyFalseShowsNothing) {
  driver::Answerer answer(kBledu, "Kontynuuj");
  PokazBladGdy(false, "U:Test F:Nic", "nic");
  // A dialog shown after it is the first one the answerer meets.
  PokazBladGdy(true, "U:Test F:Cos", "coś");
  ASSERT_EQ(answer.Count(), 1);
  EXPECT_EQ(answer.Seen()[0].controls["labMiejsce"], "U:Test F:Cos");
}

TEST_F(DialogsWinTest, KomunikatPytanieAnsweredNieReturnsOne) {
  {
    driver::Answerer answer(kKomunikat, "Nie");
    EXPECT_EQ(KomunikatPytanie("Czy monitorować {#b}dokument{#ub}?", rkPytanie), 1);
    EXPECT_EQ(OstatniaOdpowiedz(), okNie);
    ASSERT_EQ(answer.Count(), 1);
    auto seen = answer.Seen()[0];
    EXPECT_EQ(seen.caption, "Komunikat");
    EXPECT_EQ(seen.controls["strObrazki"], "Pytanie");
    EXPECT_EQ(seen.controls["strKlawisze"], "Pytanie");
    EXPECT_EQ(seen.controls["cmdTak"], "Tak");
    EXPECT_EQ(seen.controls["cmdNie"], "Nie");
    // The painter reads as the text it shows, without its commands.
    EXPECT_EQ(seen.controls["pisKomunikat"], "Czy monitorować dokument?");
  }
  driver::Answerer yes(kKomunikat, "Tak");
  EXPECT_EQ(KomunikatPytanie("Jeszcze raz?", rkPytanie), okTak);
}

TEST_F(DialogsWinTest, KomunikatOstrzezenieAnsweredAnulujReturnsThreeAndOkTwo) {
  {
    driver::Answerer answer(kKomunikat, "Anuluj");
    EXPECT_EQ(KomunikatOstrzezenie("Przerwa jest za krótka.", rkOstrzezenie), 3);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].controls["strKlawisze"], "Ostrzezenie");
    EXPECT_EQ(answer.Seen()[0].controls["strObrazki"], "Ostrzezenie");
    EXPECT_EQ(answer.Seen()[0].controls.count("cmdTak"), 0u);
  }
  driver::Answerer ok(kKomunikat, "Ok");
  EXPECT_EQ(KomunikatOstrzezenie("Przerwa jest za krótka.", rkOstrzezenie), okOk);
}

TEST_F(DialogsWinTest, PictureAndButtonsAreChosenIndependently) {
  driver::Answerer answer(kKomunikat, "Ok");
  Komunikat("Zapisano.", rkInformacja);
  ASSERT_EQ(answer.Count(), 1);
  auto seen = answer.Seen()[0];
  EXPECT_EQ(seen.controls["strObrazki"], "Informacja");
  EXPECT_EQ(seen.controls["strKlawisze"], "Stop");
  EXPECT_EQ(seen.controls["cmdOk"], "Ok");
  EXPECT_EQ(seen.controls.count("cmdAnuluj"), 0u);
  EXPECT_EQ(OstatniaOdpowiedz(), okOk);
  EXPECT_EQ(OstatniKomunikat(), "Zapisano.");
}

TEST_F(DialogsWinTest, TheMessageDialogIsAlwaysOnTopWithoutSystemButtonsAtDesignSize) {
  RECT client{};
  LONG_PTR style = 0, exStyle = 0;
  driver::Answerer answer(kKomunikat, "Ok", [&](HWND dialog) {
    client = ClientOf(dialog);
    style = GetWindowLongPtrW(dialog, GWL_STYLE);
    exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
  });
  Komunikat("Krótki tekst.", rkStop);
  ASSERT_EQ(answer.Count(), 1);
  int dpi = win::ScreenDpi();
  EXPECT_EQ(client.right, win::Scale(656, dpi));
  EXPECT_EQ(client.bottom, win::Scale(136, dpi));
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(style & WS_SYSMENU);
}

TEST_F(DialogsWinTest, EscAndEnterAnswerWithTheLastAndTheFirstButton) {
  auto press = [](UINT key) {
    return [key](HWND dialog) {
      HWND button = driver::FindChildByName(dialog, "cmdTak");
      PostMessageW(button, WM_KEYDOWN, key, 0);
      PostMessageW(button, WM_KEYUP, key, 0xC0000000);
    };
  };
  {
    // The key answers before the driver's own press arrives.
    driver::Answerer esc(kKomunikat, "Tak", press(VK_ESCAPE));
    EXPECT_EQ(KomunikatPytanie("Esc?", rkPytanie), okNie);
  }
  driver::Answerer enter(kKomunikat, "Nie", press(VK_RETURN));
  EXPECT_EQ(KomunikatPytanie("Enter?", rkPytanie), okTak);
}

TEST_F(DialogsWinTest, TabMovesToTheNextButtonAndEnterPressesTheFocusedOne) {
  driver::Answerer answer(kKomunikat, "(żaden)", [](HWND dialog) {
    HWND tak = driver::FindChildByName(dialog, "cmdTak");
    PostMessageW(tak, WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(tak, WM_KEYUP, VK_TAB, 0xC0000000);
    // The Enter goes where the focus now is: "Nie".
    PostMessageW(driver::FindChildByName(dialog, "cmdNie"), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(KomunikatPytanie("Tab?", rkPytanie), okNie);
}

TEST_F(DialogsWinTest, TheDefaultFrameFollowsTheFocusedButton) {
  bool okDefault = true, haltDefault = false;
  driver::Answerer answer(kBledu, "Kontynuuj", [&](HWND dialog) {
    HWND ok = driver::FindChildByName(dialog, "cmdOk");
    HWND halt = driver::FindChildByName(dialog, "cmdHalt");
    PostMessageW(ok, WM_KEYDOWN, VK_TAB, 0);
    // Wait until the dialog's thread has handled the key.
    for (int i = 0; i < 200 && !(SendMessageW(halt, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON); ++i) Sleep(10);
    okDefault = SendMessageW(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON;
    haltDefault = SendMessageW(halt, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON;
  });
  PokazBlad("U:Test F:Tab", "Tab");
  EXPECT_FALSE(okDefault);
  EXPECT_TRUE(haltDefault);
}

TEST_F(DialogsWinTest, TheMessageDialogGrowsForALongText) {
  std::string text = "{#size:-16}";
  for (int i = 0; i < 20; ++i) text += "Długi {#b}tekst{#ub} komunikatu ";
  int shortHeight = 0, longHeight = 0, painter = 0, frame = 0;
  {
    driver::Answerer answer(kKomunikat, "Ok", [&](HWND d) { shortHeight = HeightOf(d); });
    Komunikat("Krótki.", rkInformacja);
  }
  {
    driver::Answerer answer(kKomunikat, "Ok", [&](HWND d) {
      longHeight = HeightOf(d);
      painter = HeightOf(driver::FindChildByName(d, "pisKomunikat"));
      frame = HeightOf(driver::FindChildByName(d, "belRamka"));
    });
    Komunikat(text, rkInformacja);
  }
  EXPECT_GT(longHeight, shortHeight);
  EXPECT_GT(painter, win::Scale(81, win::ScreenDpi()));
  EXPECT_EQ(frame, painter + win::Scale(24, win::ScreenDpi()));
}

TEST_F(DialogsWinTest, TheFittedHeightsFollowThePaintersRequiredHeight) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "tekst komunikatu ";
  TfrmKomunikat dialog;
  dialog.UstawTekst(text);
  int h = dialog.WymaganaWysokosc();
  ASSERT_GT(h, 65);
  ASSERT_LT(h, 350);
  WysokosciKomunikatu expected = DopasujWysokosc(h, win::ScreenDpi() / 96.0);
  EXPECT_EQ(HeightOf(dialog.Hwnd()), expected.okno);
  EXPECT_EQ(HeightOf(win::FindControl(dialog.Hwnd(), "pisKomunikat")), expected.pisak);
  EXPECT_EQ(HeightOf(win::FindControl(dialog.Hwnd(), "belRamka")), expected.ramka);

  // A huge text is capped at 350 pixels of painter.
  std::string huge = "{#size:-40}";
  for (int i = 0; i < 40; ++i) huge += "duże litery ";
  dialog.UstawTekst(huge);
  EXPECT_GE(dialog.WymaganaWysokosc(), 350);
  EXPECT_EQ(HeightOf(win::FindControl(dialog.Hwnd(), "pisKomunikat")), 350);

  // Back to a short text: the design size again.
  dialog.UstawTekst("Krótki.");
  EXPECT_EQ(ClientOf(dialog.Hwnd()).bottom, win::Scale(136, win::ScreenDpi()));
}

TEST_F(DialogsWinTest, ThePainterControlAnswersWmGetTextWithThePlainText) {
  win::Window::RegisterFormClass(L"PisakTestHost");
  struct Host : win::Window {
  } host;
  host.Create(L"PisakTestHost", "host", WS_OVERLAPPED, 0, 0, 0, 300, 200);
  win::PisakControl pisak;
  ASSERT_NE(pisak.Create(host.Hwnd(), "pisTest", 7, 0, 0, 200, 100), nullptr);
  pisak.UstawTekst("{#color:red}Błąd{#plain} pliku");
  EXPECT_EQ(driver::ReadText(pisak.Hwnd()), "Błąd pliku");
  EXPECT_EQ(driver::ClassOf(pisak.Hwnd()), L"TOPisak");
  EXPECT_EQ(driver::NameOf(pisak.Hwnd()), "pisTest");
  EXPECT_EQ(GetDlgCtrlID(pisak.Hwnd()), 7);
  EXPECT_EQ(pisak.Rdzen().Tekst(), "{#color:red}Błąd{#plain} pliku");
  EXPECT_GT(pisak.WymaganaWysokosc(), 0);
}

TEST_F(DialogsWinTest, ThePlainMessageCarriesTheApplicationTitle) {
  SetApplicationTitle("Instaluj");
  bool sawText = false;
  driver::Answerer answer(L"#32770", "OK", [&](HWND d) {
    sawText = driver::FindChild(d, "U:Dyskowe F:DajKatalogWindows => Nie mogę znaleźć katalogu Windows!") != nullptr;
  });
  ShowMessage("U:Dyskowe F:DajKatalogWindows => Nie mogę znaleźć katalogu Windows!");
  SetApplicationTitle("Kalmo");
  ASSERT_EQ(answer.Count(), 1);
  EXPECT_EQ(answer.Seen()[0].caption, "Instaluj");
  EXPECT_TRUE(sawText);
}

TEST_F(DialogsWinTest, AModalDialogDisablesTheOtherWindowsOfTheThreadUntilItCloses) {
  win::Window::RegisterFormClass(L"ModalTestOwner");
  struct Owner : win::Window {
  } owner;
  owner.Create(L"ModalTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 10, 10, 200, 100);
  ASSERT_TRUE(IsWindowEnabled(owner.Hwnd()));
  bool disabledWhileShown = false;
  driver::Answerer answer(kKomunikat, "Ok", [&](HWND) { disabledWhileShown = !IsWindowEnabled(owner.Hwnd()); });
  Komunikat("Modalny.", rkInformacja);
  EXPECT_TRUE(disabledWhileShown);
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}

TEST_F(DialogsWinTest, AQuitArrivingDuringAModalDialogEndsItAndIsKeptForTheMainLoop) {
  DWORD mainThread = GetCurrentThreadId();
  {
    driver::Answerer first(kKomunikat, "Ok");
    Komunikat("Najpierw.", rkInformacja);
  }
  // The answerer presses nothing (no such button); only the quit ends the dialog.
  driver::Answerer quit(kKomunikat, "(żaden)", [&](HWND) { PostThreadMessageW(mainThread, WM_QUIT, 5, 0); });
  // No button was pressed: the answer stays the last one given.
  EXPECT_EQ(KomunikatPytanie("Koniec?", rkPytanie), okOk);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DialogsWinTest, AnExceptionEscapingAWindowHandlerIsShownAndTheProgramGoesOn) {
  struct Throwing : win::Window {
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_APP) throw std::runtime_error("Niepoprawna wartość");
      return Default(msg, wp, lp);
    }
  } window;
  win::Window::RegisterFormClass(L"ThrowingTestWindow");
  ASSERT_NE(window.Create(L"ThrowingTestWindow", "x", WS_OVERLAPPED, 0, 0, 0, 100, 100), nullptr);
  EXPECT_EQ(win::Window::FromHwnd(window.Hwnd()), &window);
  bool shown = false;
  driver::Answerer answer(L"#32770", "OK", [&](HWND d) { shown = driver::FindChild(d, "Niepoprawna wartość") != nullptr; });
  EXPECT_EQ(SendMessageW(window.Hwnd(), WM_APP, 0, 0), 0);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(IsWindow(window.Hwnd()));
}

// ErrorDialog.exe shows one error dialog and ends with 1 when control returns to it.
std::string ErrorDialogCommand() {
  return "\"" + driver::BesideTests("ErrorDialog.exe") + "\" \"U:Instal P:RozkazFile\" \"Nie mogę skopiować pliku\"";
}

TEST(DialogsProcessTest, ZatrzymajPorgramEndsTheProcessAtOnceWithExitCodeZero) {
  driver::Process child;
  ASSERT_TRUE(driver::Start(ErrorDialogCommand(), child)) << "ErrorDialog.exe must be built beside the tests";
  HWND dialog = driver::WaitForWindow(kBledu, "Komunikat błędu", child.id);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(dialog, "labMiejsce")), "U:Instal P:RozkazFile");
  EXPECT_EQ(driver::ReadText(driver::FindChildByName(dialog, "labTresc")), "Nie mogę skopiować pliku");
  ASSERT_TRUE(driver::ClickButton(dialog, "Zatrzymaj porgram"));
  EXPECT_EQ(child.WaitForExit(), 0);
}

TEST(DialogsProcessTest, KontynuujInAnotherProcessReturnsControlToTheCaller) {
  driver::Process child;
  ASSERT_TRUE(driver::Start(ErrorDialogCommand(), child));
  HWND dialog = driver::WaitForWindow(kBledu, "Komunikat błędu", child.id);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(driver::ClickButton(dialog, "Kontynuuj"));
  EXPECT_EQ(child.WaitForExit(), 1);
}

}  // namespace
