// Hook.dll for real: keys are pressed by a separate process (SendKeys.exe) through SendInput and
// reach the library's low-level hook, which reports to a window of this process.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/Komunikaty.h"
#include "keyboard/win32/ImportLibKeyHook.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win/BlokadaKluczaKalmo.h"
#include "tests/win/WinTestSupport.h"

namespace {

// Ends every key sequence: once its report arrives, everything sent before it has been seen.
constexpr uint16_t kZnacznik = 0x607B;  // Shift+Ctrl+F12
constexpr const char* kZnacznikKlawisze = "0x11+0x10+0x7B";

struct Wiadomosc {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Wiadomosc> g_wiadomosci;

LRESULT CALLBACK OdbiorcaProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_HOTKEY_TASK || msg == WM_PAUSE_KEY || msg == WM_SCREENSAVER_STATE) {
    g_wiadomosci.push_back({msg, w, l});
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

// A second low-level hook, installed before the library's and so called after it: it sees only
// what the library lets through.
struct Zdarzenie {
  DWORD vk;
  bool up;
  bool injected;
};
std::vector<Zdarzenie> g_przepuszczone;

LRESULT CALLBACK PodgladProc(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION) {
    auto* e = reinterpret_cast<KBDLLHOOKSTRUCT*>(l);
    g_przepuszczone.push_back({e->vkCode, (e->flags & LLKHF_UP) != 0, (e->flags & LLKHF_INJECTED) != 0});
  }
  return CallNextHookEx(nullptr, code, w, l);
}

std::wstring ObokTestow(const wchar_t* name) {
  std::wstring self = platform::win32::Widen(wintest::SelfPath());
  return self.substr(0, self.find_last_of(L'\\') + 1) + name;
}

void Pompuj() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps messages until the condition holds; the limit only keeps a broken run from hanging.
bool PompujAz(const std::function<bool()>& warunek, DWORD limitMs = 15000) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!warunek()) {
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pompuj();
  }
  return true;
}

// Runs SendKeys.exe with the chords, pumping messages while it runs (its SendInput calls wait for
// the hooks of this thread).
void Nacisnij(const std::string& chords) {
  std::wstring cmd = L"\"" + ObokTestow(L"SendKeys.exe") + L"\" " + platform::win32::Widen(chords);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  bool ended = PompujAz([&] {
    return MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 0, QS_ALLINPUT) == WAIT_OBJECT_0;
  }, 30000);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_TRUE(ended) << "SendKeys did not end";
  ASSERT_EQ(code, 0u);
}

bool JestZnacznik() {
  for (const auto& w : g_wiadomosci)
    if (w.msg == WM_HOTKEY_TASK && w.wParam == kZnacznik) return true;
  return false;
}

// The reports that came before the end marker.
std::vector<Wiadomosc> NacisnijIZbierz(const std::string& chords) {
  g_wiadomosci.clear();
  Nacisnij(chords + " " + kZnacznikKlawisze);
  EXPECT_TRUE(PompujAz(JestZnacznik)) << "the end marker was not reported";
  std::vector<Wiadomosc> before;
  for (const auto& w : g_wiadomosci) {
    if (w.msg == WM_HOTKEY_TASK && w.wParam == kZnacznik) break;
    before.push_back(w);
  }
  return before;
}

int WatkiProcesu() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 te{};
  te.dwSize = sizeof te;
  int n = 0;
  for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
    if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  CloseHandle(snap);
  return n;
}

class HookWin : public testing::Test {
 protected:
  // Kalmo.exe, started by other tests, hooks the keyboard too and would take these keys.
  wintest::BlokadaKluczaKalmo blokada_;
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OdbiorcaProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KalmoHookTestOdbiorca";
    RegisterClassW(&wc);
    okno_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(okno_, nullptr);
    g_wiadomosci.clear();
    g_przepuszczone.clear();
  }

  void TearDown() override {
    if (wlaczone_) hook_.WylaczSledzenieKlawiatury();
    if (podglad_) UnhookWindowsHookEx(podglad_);
    hook_.AktywnoscLewegoAltu(false);
    Pompuj();
    DestroyWindow(okno_);
  }

  void Podgladaj() {
    podglad_ = SetWindowsHookExW(WH_KEYBOARD_LL, PodgladProc, GetModuleHandleW(nullptr), 0);
    ASSERT_NE(podglad_, nullptr);
  }

  void Wlacz(std::vector<uint16_t> skroty) {
    ASSERT_TRUE(hook_.WlaczSledzenieKlawiatury(reinterpret_cast<uintptr_t>(okno_)));
    wlaczone_ = true;
    hook_.WyzerujTabliceKlawiszy();
    for (uint16_t s : skroty) hook_.DodajGoracyKlawisz(s);
    hook_.DodajGoracyKlawisz(kZnacznik);
  }

  bool Przepuszczony(DWORD vk, bool up) const {
    for (const auto& e : g_przepuszczone)
      if (e.vk == vk && e.up == up) return true;
    return false;
  }

  Win32KeyHook hook_;
  HWND okno_ = nullptr;
  HHOOK podglad_ = nullptr;
  bool wlaczone_ = false;
};

}  // namespace

TEST(HookDll, ExportsTheSixCallsByName) {
  HMODULE dll = LoadLibraryW(ObokTestow(L"Hook.dll").c_str());
  ASSERT_NE(dll, nullptr);
  for (const char* name : {"WlaczSledzenieKlawiatury", "WylaczSledzenieKlawiatury", "WyzerujTabliceKlawiszy",
                           "DodajGoracyKlawisz", "AktywnoscLewegoAltu", "DajPozycjeKaretki"})
    EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
  FreeLibrary(dll);
}

TEST_F(HookWin, TrackingNeedsAWindow) {
  EXPECT_FALSE(hook_.WlaczSledzenieKlawiatury(0));
  HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_FALSE(hook_.WlaczSledzenieKlawiatury(reinterpret_cast<uintptr_t>(gone)));
}

TEST_F(HookWin, RegisteredShortcutIsReportedOnceAndSwallowed) {
  Podgladaj();
  Wlacz({0x6050, 0x40BB});
  // Ctrl+Shift+P, then Ctrl+= held long enough to repeat.
  auto got = NacisnijIZbierz("0x11+0x10+0x50 v0x11 v0xBB v0xBB v0xBB ^0xBB ^0x11");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].msg, WM_HOTKEY_TASK);
  EXPECT_EQ(got[0].wParam, 0x6050u);
  EXPECT_EQ(got[1].msg, WM_HOTKEY_TASK);
  EXPECT_EQ(got[1].wParam, 0x40BBu);
  // The keys went to Kalmo only; the modifiers went on to the system.
  EXPECT_FALSE(Przepuszczony(0x50, false));
  EXPECT_FALSE(Przepuszczony(0x50, true));
  EXPECT_FALSE(Przepuszczony(0xBB, false));
  EXPECT_TRUE(Przepuszczony(VK_LCONTROL, false) || Przepuszczony(VK_CONTROL, false));
}

TEST_F(HookWin, ReportsTheFocusWindow) {
  HWND top = CreateWindowExW(0, L"STATIC", L"Kalmo test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, top, nullptr,
                              nullptr, nullptr);
  SetForegroundWindow(top);
  SetFocus(edit);
  Pompuj();
  ASSERT_EQ(GetForegroundWindow(), top);
  ASSERT_EQ(GetFocus(), edit);
  Wlacz({0x6050});
  auto got = NacisnijIZbierz("0x11+0x10+0x50");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].lParam, reinterpret_cast<LPARAM>(edit));
  DestroyWindow(top);
}

TEST_F(HookWin, UnregisteredCombinationsGiveNothingAndPassOn) {
  Podgladaj();
  Wlacz({0x6050, 0x4044});
  // Ctrl+P and plain P lack the registered modifiers, Ctrl+Shift+D has one too many, Alt+P and
  // Ctrl+Shift+O are not registered at all.
  auto got = NacisnijIZbierz("0x11+0x50 0x50 0x11+0x10+0x44 0x12+0x50 0x11+0x10+0x4F");
  EXPECT_TRUE(got.empty());
  EXPECT_TRUE(Przepuszczony(0x50, false));
  EXPECT_TRUE(Przepuszczony(0x44, false));
  EXPECT_TRUE(Przepuszczony(0x4F, false));
}

TEST_F(HookWin, ClearedTableReportsNoMore) {
  Wlacz({0x6050});
  hook_.WyzerujTabliceKlawiszy();
  hook_.DodajGoracyKlawisz(kZnacznik);
  EXPECT_TRUE(NacisnijIZbierz("0x11+0x10+0x50").empty());
  // Only the low 16 bits of the value count.
  ::DodajGoracyKlawisz(0xABCD0000u | 0x4044);
  auto got = NacisnijIZbierz("0x11+0x44");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, 0x4044u);
}

TEST_F(HookWin, PauseKeyIsReportedAndPassedOn) {
  Podgladaj();
  Wlacz({});
  auto got = NacisnijIZbierz("0x13");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].msg, WM_PAUSE_KEY);
  EXPECT_EQ(got[0].wParam, 1u);
  EXPECT_TRUE(Przepuszczony(VK_PAUSE, false));  // Kalmo may be set to ignore it
}

TEST_F(HookWin, LeftAltActsAsRightAltWhenSwitchedOn) {
  Podgladaj();
  Wlacz({0x8058, 0x6050});  // Alt+X, Shift+Ctrl+P
  ASSERT_TRUE(hook_.AktywnoscLewegoAltu(true));
  auto got = NacisnijIZbierz("0xA4+0x58");
  // Alt still counts as Alt for shortcuts (a layout without AltGr).
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wParam, 0x8058u);
  // The Alt release that follows must not open a menu: a neutral key went in between.
  EXPECT_TRUE(Przepuszczony(0xE8, false));
  // The left Alt was replaced by a right Alt, once, going down and up.
  int right = 0;
  for (const auto& e : g_przepuszczone) {
    EXPECT_NE(e.vk, static_cast<DWORD>(VK_LMENU));
    if (e.vk == VK_RMENU) ++right;
  }
  EXPECT_EQ(right, 2);
  EXPECT_TRUE(Przepuszczony(VK_RMENU, false));
  EXPECT_TRUE(Przepuszczony(VK_RMENU, true));

  ASSERT_TRUE(hook_.AktywnoscLewegoAltu(false));
  g_przepuszczone.clear();
  got = NacisnijIZbierz("0xA4+0x58");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_TRUE(Przepuszczony(VK_LMENU, false));
  EXPECT_FALSE(Przepuszczony(VK_RMENU, false));
  // Shortcuts without Alt need no such key.
  g_przepuszczone.clear();
  got = NacisnijIZbierz("0x11+0x10+0x50");
  EXPECT_FALSE(Przepuszczony(0xE8, false));
}

TEST_F(HookWin, SwitchedOffTrackingLetsKeysThroughAndStopsItsThread) {
  const int before = WatkiProcesu();
  Wlacz({0x6050});
  EXPECT_EQ(WatkiProcesu(), before + 1);  // the screen-saver watcher
  hook_.WylaczSledzenieKlawiatury();
  wlaczone_ = false;
  EXPECT_EQ(WatkiProcesu(), before);
  Podgladaj();
  Nacisnij("0x11+0x10+0x50");
  ASSERT_TRUE(PompujAz([&] { return Przepuszczony(0x11, true); }));
  EXPECT_TRUE(Przepuszczony(0x50, false));
  Pompuj();
  EXPECT_TRUE(g_wiadomosci.empty());
}

TEST_F(HookWin, ScreenSaverStartAndStopAreReportedOnce) {
  BOOL running = TRUE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
  ASSERT_FALSE(running);
  Wlacz({});
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0));
  const bool started = PompujAz([] { return !g_wiadomosci.empty(); });
  SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
  ASSERT_TRUE(started);
  ASSERT_TRUE(PompujAz([] { return g_wiadomosci.size() >= 2; }));
  ASSERT_EQ(g_wiadomosci.size(), 2u);
  EXPECT_EQ(g_wiadomosci[0].msg, WM_SCREENSAVER_STATE);
  EXPECT_EQ(g_wiadomosci[0].wParam, 1u);
  EXPECT_EQ(g_wiadomosci[1].msg, WM_SCREENSAVER_STATE);
  EXPECT_EQ(g_wiadomosci[1].wParam, 0u);
}

TEST_F(HookWin, CaretPositionIsRelativeToTheFocusWindow) {
  HWND top = CreateWindowExW(0, L"STATIC", L"Kalmo test", WS_POPUP | WS_VISIBLE, 100, 120, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 30, 200, 100, top, nullptr,
                               nullptr, nullptr);
  SetForegroundWindow(top);
  SetFocus(child);
  ASSERT_TRUE(CreateCaret(child, nullptr, 2, 16));
  ASSERT_TRUE(SetCaretPos(17, 23));
  ShowCaret(child);
  Pompuj();
  ASSERT_EQ(GetForegroundWindow(), top);

  POINT caret{17, 23};
  ClientToScreen(child, &caret);
  RECT rect{};
  GetWindowRect(child, &rect);
  PunktKaretki p{-1, -1};
  hook_.DajPozycjeKaretki(p);
  EXPECT_EQ(p.x, caret.x - rect.left);
  EXPECT_EQ(p.y, caret.y - rect.top);
  EXPECT_GT(p.x, 0);
  EXPECT_LT(p.x, 200);  // not screen coordinates

  // Without a caret the point is zero.
  DestroyCaret();
  p = {5, 5};
  hook_.DajPozycjeKaretki(p);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  DestroyWindow(top);
}
