// The clipboard-history window for real: texts copied by another process (UstawSchowek.exe)
// enter the history through the clipboard listener unless their program marks them secret, a
// chosen entry is pasted with Ctrl+V into the window that had the focus (an edit control, or a
// window that ignores WM_PASTE), and typing searches the list.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// Another program copies a text, with the clipboard formats it marks it with; this thread pumps
// meanwhile (the listener's window is told).
void SkopiujInnymProgramem(const std::string& tekst, const std::string& znaczniki = "") {
  std::wstring cmd = L"\"" + platform::win32::Widen(driver::BesideTests("UstawSchowek.exe")) + L"\" \"" +
                     platform::win32::Widen(tekst) + L"\" " + platform::win32::Widen(znaczniki);
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

std::vector<std::string> Wpisy(HWND lista) {
  std::vector<std::string> w;
  const int n = static_cast<int>(SendMessageW(lista, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) w.push_back(TekstListy(lista, i));
  return w;
}

void Wpisz(HWND lista, const std::wstring& tekst) {
  for (wchar_t c : tekst) SendMessageW(lista, WM_CHAR, c, 0);
}

}  // namespace

TEST(SchowekWin, TextsCopiedByAnotherProgramEnterTheHistoryUnlessMarkedSecret) {
  platform::memory::TestPlatform tp;  // settings: the first-run options
  TfrmSchowek s;
  ASSERT_TRUE(s.Utworz());
  EXPECT_FALSE(IsWindowVisible(s.Hwnd()));
  EXPECT_EQ(s.Historia().LimitBufora(), 10240);
  SkopiujInnymProgramem("Zażółć gęślą jaźń – ĄĘ € ß");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "Zażółć gęślą jaźń – ĄĘ € ß"; })) << Najnowszy(s);
  SkopiujInnymProgramem("drugi");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "drugi"; }));
  // The list is made when the history is first shown, and shows the texts, oldest first.
  EXPECT_EQ(s.lstSchowek(), nullptr);
  s.PokazSchowek(nullptr, nullptr, 100, 100);
  ASSERT_NE(s.lstSchowek(), nullptr);
  s.Ukryj();
  const int n = static_cast<int>(SendMessageW(s.lstSchowek(), LB_GETCOUNT, 0, 0));
  ASSERT_GE(n, 2);
  EXPECT_EQ(TekstListy(s.lstSchowek(), n - 2), "Zażółć gęślą jaźń – ĄĘ € ß");
  EXPECT_EQ(TekstListy(s.lstSchowek(), n - 1), "drugi");

  // What a password manager marks is never kept; each is followed by a plain text, whose arrival
  // says the marked one has been seen.
  const char* znaczniki[] = {"ExcludeClipboardContentFromMonitorProcessing", "\"Clipboard Viewer Ignore\"",
                             "CanIncludeInClipboardHistory=0"};
  for (int i = 0; i < 3; ++i) {
    SkopiujInnymProgramem("hasło123", znaczniki[i]);
    const std::string po = "po znaczniku " + std::to_string(i);
    SkopiujInnymProgramem(po);
    ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == po; })) << znaczniki[i];
  }
  // A program that allows the history (the value 1) has its text kept.
  SkopiujInnymProgramem("wolno", "CanIncludeInClipboardHistory=1");
  ASSERT_TRUE(PompujAz([&] { return Najnowszy(s) == "wolno"; }));
  for (const auto& p : s.Historia().Pozycje()) EXPECT_EQ(p.tekst.find("hasło"), std::string::npos);
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

  // Near the bottom-right corner: flush with the right edge, above the caret.
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  s.PokazSchowek(edytor.pole, edytor.okno, sw - 10, sh - 20);
  ASSERT_TRUE(IsWindowVisible(s.Hwnd()));
  const int n = static_cast<int>(SendMessageW(s.lstSchowek(), LB_GETCOUNT, 0, 0));
  EXPECT_TRUE(TekstListy(s.lstSchowek(), n - 2) == dlugi.substr(0, 3000) + "...");
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

  // A window that takes Ctrl+V and ignores WM_PASTE, as a browser does, gets the text, the
  // focus given back to it.
  wintest::OknoCtrlV przegladarka;
  s.PokazSchowek(przegladarka.okno(), przegladarka.okno(), 100, 100);
  SendMessageW(s.lstSchowek(), LB_SETCURSEL, n - 2, 0);
  SendMessageW(s.lstSchowek(), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PompujAz([&] { return przegladarka.wklejone() == platform::win32::Widen(dlugi); }))
      << przegladarka.wklejone().size();
  EXPECT_EQ(przegladarka.wmPaste(), 0);
  EXPECT_EQ(edytor.CzytajTekst(), L"krótki");  // pasted once, where the focus was
}

TEST(SchowekWin, TypingSearchesDeleteRemovesAndTheMenuClearsAfterAQuestion) {
  platform::memory::TestPlatform tp;
  TfrmSchowek s;
  ASSERT_TRUE(s.Utworz());
  OknoZPolem edytor;
  for (const char* t : {"Ząbek", "dąb", "ZĄB mądrości", "zęby", "ząbkowanie"}) s.DodajTekst(t);
  const size_t przed = s.Historia().Pozycje().size();
  s.PokazSchowek(edytor.pole, edytor.okno, 100, 100);
  const HWND lista = s.lstSchowek();
  HWND labSzukaj = driver::FindChildByName(s.Hwnd(), "labSzukaj");
  ASSERT_NE(labSzukaj, nullptr);
  EXPECT_FALSE(IsWindowVisible(labSzukaj));

  // Typed letters search, without regard to letter case; the line under the list says what.
  Wpisz(lista, L"ząb");
  EXPECT_EQ(Wpisy(lista), (std::vector<std::string>{"Ząbek", "ZĄB mądrości", "ząbkowanie"}));
  EXPECT_EQ(SendMessageW(lista, LB_GETCURSEL, 0, 0), 2);  // the newest of them
  EXPECT_TRUE(IsWindowVisible(labSzukaj));
  EXPECT_EQ(driver::ReadText(labSzukaj), " Szukaj: ząb   (3 z " + std::to_string(przed) + ")");
  Wpisz(lista, L"k");
  EXPECT_EQ(Wpisy(lista), std::vector<std::string>{"ząbkowanie"});
  // Backspace takes the last letter back.
  SendMessageW(lista, WM_KEYDOWN, VK_BACK, 0);
  EXPECT_EQ(Wpisy(lista).size(), 3u);

  // Delete removes the selected item from the history, not only from the view.
  SendMessageW(lista, LB_SETCURSEL, 1, 0);
  SendMessageW(lista, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Wpisy(lista), (std::vector<std::string>{"Ząbek", "ząbkowanie"}));
  EXPECT_EQ(s.Historia().Pozycje().size(), przed - 1);
  for (int i = 0; i < 3; ++i) SendMessageW(lista, WM_KEYDOWN, VK_BACK, 0);
  EXPECT_FALSE(IsWindowVisible(labSzukaj));
  EXPECT_EQ(Wpisy(lista).size(), przed - 1);

  // Enter on a found item pastes the whole of it; the next opening starts without a search.
  Wpisz(lista, L"DĄB");
  ASSERT_EQ(Wpisy(lista), std::vector<std::string>{"dąb"});
  SendMessageW(lista, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PompujAz([&] { return edytor.CzytajTekst() == L"dąb"; }));
  s.PokazSchowek(edytor.pole, edytor.okno, 100, 100);
  EXPECT_EQ(Wpisy(lista).size(), przed - 1);

  // The menu's "Wyczyść historię...": nothing goes after "Nie", everything after "Tak".
  tp.dialogs.shown.clear();
  tp.dialogs.answers = {platform::okNie, platform::okTak};
  SendMessageW(s.Hwnd(), WM_COMMAND, TfrmSchowek::kIdMnuWyczysc, 0);
  EXPECT_EQ(s.Historia().Pozycje().size(), przed - 1);
  SendMessageW(s.Hwnd(), WM_COMMAND, TfrmSchowek::kIdMnuWyczysc, 0);
  EXPECT_TRUE(s.Historia().Pozycje().empty());
  EXPECT_EQ(SendMessageW(lista, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(tp.dialogs.Texts(), (std::vector<std::string>{"Usunąć wszystkie teksty z historii schowka?",
                                                          "Usunąć wszystkie teksty z historii schowka?"}));
  SendMessageW(lista, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(SchowekWin, AnInactiveHistoryCollectsNothingAndHindersNoOtherListener) {
  platform::memory::TestPlatform tp;
  // Two listeners: the later one, inactive, takes nothing from the first.
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
