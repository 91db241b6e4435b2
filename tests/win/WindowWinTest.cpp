// The HWND wrapper under Wine: binding, control names, modal loop, geometry helpers.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/Window.h"
#include "tests/win/Driver.h"

namespace {

constexpr const wchar_t* kClass = L"WindowWinTestForm";

struct Form : win::Window {
  int created = 0;
  int destroyed = 0;
  UINT lastApp = 0;
  HWND watched = nullptr;          // a window whose state is noted when the modal loop ends
  bool watchedEnabled = true;
  Form() { RegisterFormClass(kClass); }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_CREATE) ++created;
    if (msg == WM_APP + 1) {
      if (watched) watchedEnabled = IsWindowEnabled(watched);
      EndModal(static_cast<int>(wp));
      return 0;
    }
    if (msg >= WM_APP) lastApp = msg;
    return Default(msg, wp, lp);
  }
  void OnDestroyed() override { ++destroyed; }
};

TEST(WindowWinTest, TheObjectIsBoundFromCreationAndReleasedOnDestruction) {
  Form form;
  ASSERT_NE(form.Create(kClass, "Zażółć gęślą jaźń", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100), nullptr);
  EXPECT_EQ(form.created, 1);  // WM_CREATE already reached the object
  EXPECT_EQ(win::Window::FromHwnd(form.Hwnd()), &form);
  EXPECT_EQ(win::GetText(form.Hwnd()), "Zażółć gęślą jaźń");
  SendMessageW(form.Hwnd(), WM_APP + 7, 0, 0);
  EXPECT_EQ(form.lastApp, WM_APP + 7u);
  HWND h = form.Hwnd();
  form.Destroy();
  EXPECT_EQ(form.Hwnd(), nullptr);
  EXPECT_EQ(form.destroyed, 1);
  EXPECT_FALSE(IsWindow(h));
}

TEST(WindowWinTest, ControlNamesAreFoundAndReleasedWithTheirWindows) {
  const wchar_t* unique = L"labNazwaTestowaOkna";
  ASSERT_EQ(GlobalFindAtomW(unique), 0);
  {
    Form form;
    form.Create(kClass, "f", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100);
    HWND group = win::CreateChild(form.Hwnd(), L"STATIC", "grpRamka", 10, "", WS_VISIBLE, 0, 0, 100, 50);
    HWND label = win::CreateChild(group, L"STATIC", "labNazwaTestowaOkna", 11, "Tekst ąę", WS_VISIBLE, 0, 0, 80, 20);
    HWND other = win::CreateChild(form.Hwnd(), L"BUTTON", "cmdInny", 12, "Inny", WS_VISIBLE, 0, 60, 80, 20);
    EXPECT_EQ(win::FindControl(form.Hwnd(), "labNazwaTestowaOkna"), label);  // at any depth
    EXPECT_EQ(driver::FindChildByName(form.Hwnd(), "cmdInny"), other);
    EXPECT_EQ(driver::FindChildById(form.Hwnd(), 11), label);
    EXPECT_EQ(driver::FindChild(form.Hwnd(), "Tekst ąę"), label);
    EXPECT_EQ(win::ControlName(label), "labNazwaTestowaOkna");
    EXPECT_EQ(win::FindControl(form.Hwnd(), "brak"), nullptr);
    EXPECT_NE(GlobalFindAtomW(unique), 0);
    win::DestroyControl(other);
    EXPECT_EQ(GlobalFindAtomW(L"cmdInny"), 0);
  }
  // The form went with its children: no name is left behind in the global atom table.
  EXPECT_EQ(GlobalFindAtomW(unique), 0);
}

TEST(WindowWinTest, ShowModalDisablesTheOwnerAndReturnsTheEndModalResult) {
  Form owner, dialog;
  owner.Create(kClass, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 200, 100);
  dialog.Create(kClass, "modalny", WS_POPUP | WS_CAPTION, 0, 50, 50, 200, 100, owner.Hwnd());
  dialog.watched = owner.Hwnd();
  PostMessageW(dialog.Hwnd(), WM_APP + 1, 42, 0);  // handled inside the modal loop
  int result = dialog.ShowModal(owner.Hwnd());
  EXPECT_FALSE(dialog.watchedEnabled);
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
  EXPECT_FALSE(IsWindowVisible(dialog.Hwnd()));
  EXPECT_FALSE(dialog.InModalLoop());
}

TEST(WindowWinTest, TheThreadsMessageFilterRunsInTheModalLoopToo) {
  // The program's what-is-this help sees a click before any window of a modal dialog does.
  Form dialog;
  dialog.Create(kClass, "modalny", WS_POPUP | WS_CAPTION, 0, 50, 50, 200, 100);
  std::vector<UINT> seen;
  win::UstawFiltrKomunikatow([&](const MSG& m) {
    if (m.hwnd != dialog.Hwnd() || m.message < WM_APP) return false;
    seen.push_back(m.message);
    return m.message == WM_APP + 7;  // used up: the dialog never gets it
  });
  PostMessageW(dialog.Hwnd(), WM_APP + 7, 0, 0);
  PostMessageW(dialog.Hwnd(), WM_APP + 1, 5, 0);
  EXPECT_EQ(dialog.ShowModal(), 5);
  win::UstawFiltrKomunikatow({});
  EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 7, WM_APP + 1}));
  EXPECT_EQ(dialog.lastApp, 0u);
  MSG m{};
  m.hwnd = dialog.Hwnd();
  m.message = WM_APP + 7;
  EXPECT_FALSE(win::FiltrujKomunikat(m));  // removed
}

TEST(WindowWinTest, DestroyingTheWindowEndsItsModalLoop) {
  Form dialog;
  dialog.Create(kClass, "modalny", WS_POPUP | WS_CAPTION, 0, 50, 50, 200, 100);
  PostMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);  // default handling destroys it
  EXPECT_EQ(dialog.ShowModal(), 0);
  EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(WindowWinTest, ClientSizeAndCentringUseTheWorkArea) {
  Form form;
  form.Create(kClass, "f", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 0, 0, 10, 10);
  win::SetClientSize(form.Hwnd(), 300, 120);
  RECT c;
  GetClientRect(form.Hwnd(), &c);
  EXPECT_EQ(c.right, 300);
  EXPECT_EQ(c.bottom, 120);
  win::CenterOnScreen(form.Hwnd());
  RECT work, r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form.Hwnd(), &r);
  EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1);
  EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
}

TEST(WindowWinTest, AControlsMessageHandlerSeesItFirstIsReplacedAndGoesWithTheControl) {
  Form form;
  form.Create(kClass, "f", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100);
  HWND edit = win::CreateChild(form.Hwnd(), L"EDIT", "tbPole", 10, "", WS_VISIBLE, 0, 0, 100, 20);
  auto zycie = std::make_shared<int>(0);  // alive as long as a handler holds it
  std::string poDomyslnej;
  win::SetControlMessageHandler(edit, [&, zycie](UINT msg, WPARAM wp, LPARAM, LRESULT& wynik) {
    if (msg == WM_CHAR && wp == 'x') return true;  // used up: the edit never sees it
    if (msg != WM_CHAR || wp != 'y') return false;
    win::ControlDefault(edit, msg, wp, 0);  // the edit's own handling first, then ours
    poDomyslnej = win::GetText(edit);
    wynik = 0;
    return true;
  });
  for (WPARAM c : {'a', 'x', 'y'}) SendMessageW(edit, WM_CHAR, c, 0);
  EXPECT_EQ(win::GetText(edit), "ay");
  EXPECT_EQ(poDomyslnej, "ay");
  win::SetControlMessageHandler(edit, [](UINT msg, WPARAM, LPARAM, LRESULT&) { return msg == WM_CHAR; });
  EXPECT_EQ(zycie.use_count(), 1);  // the first handler went when the second came
  SendMessageW(edit, WM_CHAR, 'x', 0);
  EXPECT_EQ(win::GetText(edit), "ay");
  win::SetControlMessageHandler(edit, [zycie](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
  win::DestroyControl(edit);
  EXPECT_EQ(zycie.use_count(), 1);  // and the last with its control
}

TEST(WindowWinTest, TextsCrossTheBoundaryAsUtf8) {
  EXPECT_EQ(win::Widen("Łódź"), L"\u0141\u00f3d\u017a");
  EXPECT_EQ(win::Narrow(L"\u0141\u00f3d\u017a"), "Łódź");
  EXPECT_EQ(win::Widen(""), L"");
  EXPECT_EQ(win::Scale(81, 120), 101);
  EXPECT_EQ(win::Scale(81, 96), 81);
}

}  // namespace
