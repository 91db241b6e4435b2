// The clipboard-history window for real: texts copied by another process (UstawSchowek.exe)
// enter the history through the viewer chain, and a chosen entry is pasted into an edit control
// of another window with WM_PASTE.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "clipboard/win32/Schowek.h"
#include "platform/memory/Memory.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/Driver.h"
#include "tests/win/WinTestSupport.h"

namespace {

void Pompuj() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps this thread's messages until the condition holds; the bound keeps a broken run finite.
bool PompujAz(const std::function<bool()>& warunek) {
  const ULONGLONG koniec = GetTickCount64() + driver::Timeout();
  while (!warunek()) {
    if (GetTickCount64() > koniec) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pompuj();
  }
  return true;
}

// Another program copies a text; this thread pumps meanwhile (the chain notifies its window).
void SkopiujInnymProgramem(const std::string& tekst) {
  std::wstring cmd = L"\"" + platform::win32::Widen(driver::BesideTests("UstawSchowek.exe")) + L"\" \"" +
                     platform::win32::Widen(tekst) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_TRUE(PompujAz([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }));
  DWORD kod = 99;
  GetExitCodeProcess(pi.hProcess, &kod);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_EQ(kod, 0u);
}

std::string Najnowszy(const TfrmSchowek& s) {
  const auto& p = s.Historia().Pozycje();
  return p.empty() ? std::string() : p.back().tekst;
}

std::string TekstListy(HWND lista, int i) {
  const LRESULT n = SendMessageW(lista, LB_GETTEXTLEN, i, 0);
  if (n < 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(lista, LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(n));
  return platform::win32::Narrow(w);
}

// A top-level window holding one edit control, standing for the window the user types in.
struct OknoZPolem {
  HWND okno = nullptr;
  HWND pole = nullptr;
  OknoZPolem() {
    okno = CreateWindowExW(0, L"STATIC", L"Edytor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 120, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    pole = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 280, 24, okno, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    SendMessageW(pole, EM_LIMITTEXT, 0, 0);
  }
  ~OknoZPolem() { DestroyWindow(okno); }
  std::wstring CzytajTekst() const {
    std::wstring w(static_cast<size_t>(GetWindowTextLengthW(pole)) + 1, L'\0');
    w.resize(static_cast<size_t>(GetWindowTextW(pole, w.data(), static_cast<int>(w.size()))));
    return w;
  }
};

}  // namespace

TEST(SchowekWin, TextsCopiedByAnotherProgramEnterTheHistory) {
  platform::memory::TestPlatform tp;  // settings: the first-run options
  TfrmSchowek s;
  ASSERT_TRUE(s.Utworz());
  EXPECT_FALSE(IsWindowVisible(s.Hwnd()));
  EXPECT_EQ(s.Historia().LimitBufora(), 10240);
  SkopiujInnymProgramem("Zażółć gęślą jaźń – ĄĘ € ß");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "Zażółć gęślą jaźń – ĄĘ € ß"; })) << Najnowszy(s);
  SkopiujInnymProgramem("drugi");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "drugi"; }));
  // The list shows the texts, oldest first.
  const int n = static_cast<int>(SendMessageW(s.lstSchowek(), LB_GETCOUNT, 0, 0));
  ASSERT_GE(n, 2);
  EXPECT_EQ(TekstListy(s.lstSchowek(), n - 2), "Zażółć gęślą jaźń – ĄĘ € ß");
  EXPECT_EQ(TekstListy(s.lstSchowek(), n - 1), "drugi");
}

TEST(SchowekWin, ChosenEntryIsPastedWholeIntoTheFocusWindow) {
  platform::memory::TestPlatform tp;
  TfrmSchowek s;
  ASSERT_TRUE(s.Utworz());
  OknoZPolem edytor;
  std::string dlugi;
  for (int i = 0; i < 500; ++i) dlugi += "slowo" + std::to_string(i) + " ";  // over 3000 characters
  SkopiujInnymProgramem(dlugi);
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == dlugi; }));
  SkopiujInnymProgramem("krótki");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "krótki"; }));
  const int n = static_cast<int>(SendMessageW(s.lstSchowek(), LB_GETCOUNT, 0, 0));
  EXPECT_TRUE(TekstListy(s.lstSchowek(), n - 2) == dlugi.substr(0, 3000) + "...");

  // Near the bottom-right corner: flush with the right edge, above the caret.
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  s.PokazSchowek(edytor.pole, edytor.okno, sw - 10, sh - 20);
  ASSERT_TRUE(IsWindowVisible(s.Hwnd()));
  RECT r{};
  GetWindowRect(s.Hwnd(), &r);
  EXPECT_EQ(r.right, sw);
  EXPECT_EQ(r.bottom, sh - 20);
  EXPECT_EQ(SendMessageW(s.lstSchowek(), LB_GETCURSEL, 0, 0), n - 1);  // the newest is selected

  // Escape: hidden, nothing pasted.
  SendMessageW(s.lstSchowek(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindowVisible(s.Hwnd()));
  Pompuj();
  EXPECT_EQ(edytor.CzytajTekst(), L"");

  // Enter on the long entry pastes the whole text, and it becomes the newest item; the hotkey
  // pressed again over the open history (focus in its own list) keeps the window it pastes into.
  s.PokazSchowek(edytor.pole, edytor.okno, 100, 100);
  s.PokazSchowek(s.lstSchowek(), s.Hwnd(), 400, 400);
  GetWindowRect(s.Hwnd(), &r);
  EXPECT_EQ(r.left, 100);
  SendMessageW(s.lstSchowek(), LB_SETCURSEL, n - 2, 0);
  SendMessageW(s.lstSchowek(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(IsWindowVisible(s.Hwnd()));
  ASSERT_TRUE(PompujAz([&] { return platform::win32::Narrow(edytor.CzytajTekst()) == dlugi; }))
      << platform::win32::Narrow(edytor.CzytajTekst()).size();
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == dlugi; }));
  EXPECT_EQ(s.Historia().Pozycje().size(), static_cast<size_t>(n));

  // A double click pastes the selected entry too.
  SetWindowTextW(edytor.pole, L"");
  s.PokazSchowek(edytor.pole, edytor.okno, 100, 100);
  SendMessageW(s.lstSchowek(), LB_SETCURSEL, n - 2, 0);
  SendMessageW(s.Hwnd(), WM_COMMAND, MAKEWPARAM(101, LBN_DBLCLK), reinterpret_cast<LPARAM>(s.lstSchowek()));
  ASSERT_TRUE(PompujAz([&] { return edytor.CzytajTekst() == L"krótki"; }));
}

TEST(SchowekWin, InactiveHistoryCollectsNothingAndLeavesTheChainWhole) {
  platform::memory::TestPlatform tp;
  // Two viewers in the chain: the later one, inactive, passes the notification on to the first.
  TfrmSchowek pierwszy;
  ASSERT_TRUE(pierwszy.Utworz());
  OpcjeSchowka o = OpcjeSchowka::PierwszeUruchomienie();
  o.aktywny = false;
  o.buforKB = 0;
  tp.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  tp.registry.WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjeSchowka, o.ToBytes());
  TfrmSchowek drugi;
  ASSERT_TRUE(drugi.Utworz());
  EXPECT_FALSE(drugi.Aktywny());
  EXPECT_EQ(drugi.Historia().LimitBufora(), 1024);  // a size of 0 runs on the smallest buffer
  SkopiujInnymProgramem("przez łańcuch");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(pierwszy) == "przez łańcuch"; }));
  EXPECT_TRUE(drugi.Historia().Pozycje().empty());
}
