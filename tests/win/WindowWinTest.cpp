// The HWND wrapper under Wine: binding, control names, modal loop, geometry helpers.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "common/win32/TrybPomocy.h"
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

// A form of the kit: controls at design units carrying their handlers.
struct KitForm : win::Form {
  int clicks = 0, changes = 0;
  win::Button ok;
  win::SpinBox spin;
  win::Edit edit;
  bool Build(HWND owner) {
    if (!CreateForm(L"WindowWinTestKitForm", "Zestaw", 200, 100, owner, win::FormStyle{.contextHelp = true})) return false;
    ok = AddButton("cmdOk", "OK", {10, 60, 80, 26}, [this] { ++clicks; }, IDOK, true);
    edit = AddEdit("tbTekst", {10, 10, 100, 21});
    OnNotification(edit, [this](int code) { changes += code == EN_CHANGE; });
    spin = AddSpinBox("spnLiczba", {120, 10, 60, 21}, 1, 30, 5);
    return true;
  }
};

TEST(WindowWinTest, KitFormsRouteCommandsToTheControlsHandlersAndKeepSpinBoxesInRange) {
  KitForm f;
  ASSERT_TRUE(f.Build(nullptr));
  EXPECT_EQ(win::FindControl(f.Hwnd(), "cmdOk"), f.ok.Hwnd());
  EXPECT_EQ(GetDlgCtrlID(f.ok.Hwnd()), IDOK);
  SendMessageW(f.ok.Hwnd(), BM_CLICK, 0, 0);
  SendMessageW(f.Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(f.ok.Hwnd()));
  EXPECT_EQ(f.clicks, 2);
  f.edit.SetText("zażółć");
  EXPECT_EQ(f.changes, 1);
  EXPECT_EQ(f.edit.Text(), "zażółć");
  // A spin box takes what is typed within its range and shows what it took.
  EXPECT_EQ(f.spin.Value(1, 30, 7), 5);
  f.spin.SetText("99");
  EXPECT_EQ(f.spin.Value(1, 30, 7), 30);
  EXPECT_EQ(f.spin.Text(), "30");
  f.spin.SetText("abc");
  EXPECT_EQ(f.spin.Value(1, 30, 7), 7);
  EXPECT_EQ(win::ControlName(f.spin.Arrows()), "spnLiczbaStrzalki");
  // Sizes are design units at the form's DPI.
  RECT c;
  GetClientRect(f.Hwnd(), &c);
  EXPECT_EQ(c.right, f.S(200));
  EXPECT_EQ(c.bottom, f.S(100));
}

TEST(WindowWinTest, AModalFormOpensAboveATopmostOwner) {
  Form owner;
  owner.Create(kClass, "owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, WS_EX_TOPMOST, 0, 0, 300, 200);
  KitForm f;
  ASSERT_TRUE(f.Build(owner.Hwnd()));
  EXPECT_EQ(GetWindow(f.Hwnd(), GW_OWNER), owner.Hwnd());
  bool topmost = false;
  PostMessageW(f.Hwnd(), WM_NULL, 0, 0);
  SetTimer(f.Hwnd(), 1, 10, [](HWND h, UINT, UINT_PTR, DWORD) {
    KillTimer(h, 1);
    PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  f.SetClickHandler(IDOK, [&] {
    topmost = (GetWindowLongPtrW(f.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    f.EndModal(IDOK);
  });
  EXPECT_EQ(f.RunModal(owner.Hwnd()), IDOK);
  EXPECT_TRUE(topmost);
}

TEST(WindowWinTest, WhatIsThisHelpActsOnlyOnTheClickAfterTheHelpButton) {
  KitForm f;
  ASSERT_TRUE(f.Build(nullptr));
  ShowWindow(f.Hwnd(), SW_SHOW);
  std::vector<HWND> pomoc;
  win::TrybPomocy tryb([&](HWND c) { pomoc.push_back(c); });
  auto msg = [&](UINT m, WPARAM wp, POINT pt) {
    MSG x{};
    x.hwnd = f.Hwnd();
    x.message = m;
    x.wParam = wp;
    x.pt = pt;
    return x;
  };
  RECT b;
  GetWindowRect(f.ok.Hwnd(), &b);
  const POINT naPrzycisku{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  const POINT obok{b.right + 2000, b.bottom + 2000};
  // "?" then a click on the button: its help, and the click is used up.
  EXPECT_TRUE(tryb.Filtruj(msg(WM_NCLBUTTONDOWN, HTHELP, {})));
  EXPECT_TRUE(tryb.Aktywny());
  EXPECT_EQ(GetCapture(), f.Hwnd());
  EXPECT_TRUE(tryb.Filtruj(msg(WM_LBUTTONDOWN, MK_LBUTTON, naPrzycisku)));
  EXPECT_EQ(pomoc, std::vector<HWND>{f.ok.Hwnd()});
  EXPECT_NE(GetCapture(), f.Hwnd());
  // The next ordinary click is a click.
  EXPECT_FALSE(tryb.Filtruj(msg(WM_LBUTTONDOWN, MK_LBUTTON, naPrzycisku)));
  // A click elsewhere (the tray icon's window) ends the mode and goes on as usual.
  tryb.Filtruj(msg(WM_NCLBUTTONDOWN, HTHELP, {}));
  EXPECT_FALSE(tryb.Filtruj(msg(WM_LBUTTONDOWN, MK_LBUTTON, obok)));
  EXPECT_FALSE(tryb.Aktywny());
  // Esc ends it, used up; a capture taken by someone else ends it too.
  tryb.Filtruj(msg(WM_NCLBUTTONDOWN, HTHELP, {}));
  EXPECT_TRUE(tryb.Filtruj(msg(WM_KEYDOWN, VK_ESCAPE, {})));
  EXPECT_FALSE(tryb.Aktywny());
  tryb.Filtruj(msg(WM_NCLBUTTONDOWN, HTHELP, {}));
  ReleaseCapture();
  EXPECT_FALSE(tryb.Filtruj(msg(WM_LBUTTONDOWN, MK_LBUTTON, naPrzycisku)));
  EXPECT_FALSE(tryb.Aktywny());
  EXPECT_EQ(pomoc.size(), 1u);
}

}  // namespace
