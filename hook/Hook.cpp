// Hook.dll: system-wide keyboard tracking for Kalmo.
//
// A low-level keyboard hook (WH_KEYBOARD_LL) is called on the thread that installed it, so no
// code has to be injected into other processes. That thread is the library's own: every key
// pressed anywhere waits for the hook, and Kalmo's main thread is sometimes busy (modal windows,
// the one-second pause after a screen-saver message), which must not stall the user's typing.
// The hook reports registered shortcuts and the PAUSE key to Kalmo's main window by posted
// messages, and can make the left Alt key act as the right one. Between key events the same
// thread sleeps in the kernel and looks once a second whether the screen saver runs.
#include <windows.h>

#include <cstdint>

#include "settings/Komunikaty.h"

namespace {

constexpr UINT kWmHotkeyTask = WM_HOTKEY_TASK;
constexpr UINT kWmScreenSaverState = WM_SCREENSAVER_STATE;
constexpr UINT kWmPauseKey = WM_PAUSE_KEY;

constexpr uint16_t kShift = kSkrotShift;
constexpr uint16_t kCtrl = kSkrotCtrl;
constexpr uint16_t kAlt = kSkrotAlt;

// An unassigned virtual key, pressed after a swallowed Alt shortcut so that the Alt key's release
// does not open the focused window's menu bar (a lone Alt press-and-release does).
constexpr WORD kMaskKey = 0xE8;
// How often the watcher asks whether the screen saver runs. Each check wakes the thread at rest;
// two seconds late is less than a monitoring tick at its usual length, and a screen saver's start
// takes back its whole idle delay anyway.
constexpr DWORD kScreenSaverPollMs = 2000;
constexpr int kMaxHotkeys = 64;

HMODULE g_module = nullptr;

SRWLOCK g_lock = SRWLOCK_INIT;  // guards the fields below
HWND g_target = nullptr;
HHOOK g_callWndHook = nullptr;
uint16_t g_hotkeys[kMaxHotkeys];
int g_hotkeyCount = 0;

volatile LONG g_leftAltAsRight = 0;  // set by Kalmo, read by the hook

// Used on the tracking thread only.
bool g_down[256];       // keys seen going down and not yet up
bool g_swallowed[256];  // keys whose down event was eaten; their up event is eaten too

// The tracking thread and what it is told through.
HANDLE g_thread = nullptr;
HANDLE g_stopEvent = nullptr;
HANDLE g_wakeEvent = nullptr;
HANDLE g_readyEvent = nullptr;
volatile LONG g_hookInstalled = 0;

HWND Target() {
  AcquireSRWLockShared(&g_lock);
  HWND h = g_target;
  ReleaseSRWLockShared(&g_lock);
  return h;
}

bool IsRegistered(uint16_t value) {
  bool found = false;
  AcquireSRWLockShared(&g_lock);
  for (int i = 0; i < g_hotkeyCount && !found; ++i) found = g_hotkeys[i] == value;
  ReleaseSRWLockShared(&g_lock);
  return found;
}

bool IsModifier(DWORD vk) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN:
      return true;
    default:
      return false;
  }
}

bool Down(int vk) { return g_down[vk] || (GetAsyncKeyState(vk) & 0x8000) != 0; }

uint16_t CurrentModifiers() {
  uint16_t m = 0;
  // Injected events may name the generic key instead of its left or right variant.
  if (Down(VK_LSHIFT) || Down(VK_RSHIFT) || g_down[VK_SHIFT]) m |= kShift;
  if (Down(VK_LCONTROL) || Down(VK_RCONTROL) || g_down[VK_CONTROL]) m |= kCtrl;
  if (Down(VK_LMENU) || Down(VK_RMENU) || g_down[VK_MENU]) m |= kAlt;
  return m;
}

// The window that has the keyboard focus: the foreground thread's focus window, or the
// foreground window itself when that thread reports none.
HWND FocusWindow() {
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (GetGUIThreadInfo(thread, &info)) {
    if (info.hwndFocus) return info.hwndFocus;
    if (info.hwndActive) return info.hwndActive;
  }
  return foreground;
}

void InjectRightAlt(bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_RMENU;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_RMENU, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
  input.ki.dwExtraInfo = kKlawiszKalmo;
  SendInput(1, &input, sizeof input);
}

void InjectMaskKey() {
  INPUT input[2]{};
  for (INPUT& in : input) {
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = kMaskKey;
    in.ki.dwExtraInfo = kKlawiszKalmo;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION) return CallNextHookEx(nullptr, code, wParam, lParam);
  const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  const DWORD vk = event->vkCode & 0xFF;
  const bool up = (event->flags & LLKHF_UP) != 0;
  const bool own = event->dwExtraInfo == kKlawiszKalmo;
  const bool repeat = !up && g_down[vk];

  // A right Alt that acts as AltGr brings its companion Ctrl, as Windows reads it too: AltGr+A
  // (a Polish letter) is Ctrl+Alt+A, never the shortcut Alt+A.
  g_down[vk] = !up;
  if (own) return CallNextHookEx(nullptr, code, wParam, lParam);

  if (vk == VK_LMENU && InterlockedCompareExchange(&g_leftAltAsRight, 0, 0) != 0) {
    g_down[VK_LMENU] = false;
    g_down[VK_RMENU] = !up;
    InjectRightAlt(up);
    return 1;
  }

  if (up) {
    if (g_swallowed[vk]) {
      g_swallowed[vk] = false;
      return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  if (!IsModifier(vk)) {
    const uint16_t value = static_cast<uint16_t>(vk | CurrentModifiers());
    if (IsRegistered(value)) {
      // A held key repeats its down event: report the press once, keep eating the repeats.
      if (!repeat) {
        HWND target = Target();
        if (target) PostMessageW(target, kWmHotkeyTask, value, reinterpret_cast<LPARAM>(FocusWindow()));
        if (value & kAlt) InjectMaskKey();
      }
      g_swallowed[vk] = true;
      return 1;
    }
    if (vk == VK_PAUSE && !repeat) {
      // Left to reach the focused program: Kalmo may be set to ignore the key.
      HWND target = Target();
      if (target) PostMessageW(target, kWmPauseKey, 1, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Sees the messages sent to windows of the tracking thread: a screen-saver request reaching one of
// Kalmo's windows wakes the watcher at once instead of at its next round.
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_SCREENSAVE && g_wakeEvent)
      SetEvent(g_wakeEvent);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool ScreenSaverRunning() {
  BOOL running = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return false;
  return running != FALSE;
}

void ReportScreenSaver(bool& running) {
  const bool now = ScreenSaverRunning();
  if (now == running) return;
  running = now;
  HWND target = Target();
  if (target) PostMessageW(target, kWmScreenSaverState, running ? 1 : 0, 0);
}

// Installs the hook, then sleeps in the kernel until a key event (delivered to the hook while
// the thread takes its messages), a stop request, a wake-up or the next screen-saver check.
DWORD WINAPI TrackingThread(LPVOID) {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread needs a message queue
  for (int vk = 0; vk < 256; ++vk) {
    g_down[vk] = false;
    g_swallowed[vk] = false;
  }
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
  InterlockedExchange(&g_hookInstalled, hook ? 1 : 0);
  SetEvent(g_readyEvent);
  if (hook) {
    bool running = false;
    int quickRounds = 0;  // after a wake-up, look a few times quickly: the saver takes a moment
    ULONGLONG nextCheck = 0;
    HANDLE events[2] = {g_stopEvent, g_wakeEvent};
    for (bool stop = false; !stop;) {
      const ULONGLONG now = GetTickCount64();
      if (now >= nextCheck) {
        ReportScreenSaver(running);
        if (quickRounds > 0) --quickRounds;
        nextCheck = now + (quickRounds > 0 ? 200 : kScreenSaverPollMs);
      }
      const ULONGLONG later = GetTickCount64();
      const DWORD timeout = nextCheck > later ? static_cast<DWORD>(nextCheck - later) : 0;
      const DWORD wait = MsgWaitForMultipleObjectsEx(2, events, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED) break;
      if (wait == WAIT_OBJECT_0 + 1) {
        quickRounds = 10;
        nextCheck = 0;
      }
      // A wait that timed out is the next check, even when the tick count has not quite reached
      // it (a second, tiny wait would cost a round trip), and it brought no message to take.
      if (wait == WAIT_TIMEOUT) {
        nextCheck = 0;
        continue;
      }
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) stop = true;
        DispatchMessageW(&msg);
      }
    }
    UnhookWindowsHookEx(hook);
  }
  // The thread holds its own reference to the library, so the code it runs cannot vanish under it.
  FreeLibraryAndExitThread(g_module, 0);
}

bool StartThread() {
  if (!g_stopEvent) g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!g_wakeEvent) g_wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!g_readyEvent) g_readyEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!g_stopEvent || !g_wakeEvent || !g_readyEvent) return false;
  ResetEvent(g_stopEvent);
  ResetEvent(g_readyEvent);
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&TrackingThread), &self))
    return false;
  g_thread = CreateThread(nullptr, 0, TrackingThread, nullptr, 0, nullptr);
  if (!g_thread) {
    FreeLibrary(self);
    return false;
  }
  HANDLE both[2] = {g_readyEvent, g_thread};
  if (WaitForMultipleObjects(2, both, FALSE, 10000) == WAIT_OBJECT_0 && g_hookInstalled) return true;
  // The hook was refused: the thread ends by itself.
  WaitForSingleObject(g_thread, 5000);
  CloseHandle(g_thread);
  g_thread = nullptr;
  return false;
}

void StopThread(bool wait) {
  if (!g_thread) return;
  SetEvent(g_stopEvent);
  if (wait) WaitForSingleObject(g_thread, 5000);
  CloseHandle(g_thread);
  g_thread = nullptr;
}

void ForgetTarget() {
  AcquireSRWLockExclusive(&g_lock);
  HHOOK callWnd = g_callWndHook;
  g_callWndHook = nullptr;
  g_target = nullptr;
  ReleaseSRWLockExclusive(&g_lock);
  if (callWnd) UnhookWindowsHookEx(callWnd);
}

}  // namespace

extern "C" {

// Switches tracking on for the given window; a second call only redirects the messages.
BOOL WINAPI WlaczSledzenieKlawiatury(HWND window) {
  if (!window || !IsWindow(window)) return FALSE;
  AcquireSRWLockExclusive(&g_lock);
  g_target = window;
  ReleaseSRWLockExclusive(&g_lock);
  if (g_thread) return TRUE;
  if (!StartThread()) {
    ForgetTarget();
    return FALSE;
  }
  // Seen only when a screen-saver request reaches a window of the calling thread.
  HHOOK callWnd = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, nullptr, GetCurrentThreadId());
  AcquireSRWLockExclusive(&g_lock);
  g_callWndHook = callWnd;
  ReleaseSRWLockExclusive(&g_lock);
  return TRUE;
}

void WINAPI WylaczSledzenieKlawiatury() {
  ForgetTarget();
  StopThread(true);
}

void WINAPI WyzerujTabliceKlawiszy() {
  AcquireSRWLockExclusive(&g_lock);
  g_hotkeyCount = 0;
  ReleaseSRWLockExclusive(&g_lock);
}

// Only the low 16 bits carry the shortcut; 0 (no key) and values already held are not added.
void WINAPI DodajGoracyKlawisz(DWORD shortcut) {
  const uint16_t value = static_cast<uint16_t>(shortcut & 0xFFFF);
  if ((value & 0xFF) == 0) return;
  AcquireSRWLockExclusive(&g_lock);
  bool known = false;
  for (int i = 0; i < g_hotkeyCount && !known; ++i) known = g_hotkeys[i] == value;
  if (!known && g_hotkeyCount < kMaxHotkeys) g_hotkeys[g_hotkeyCount++] = value;
  ReleaseSRWLockExclusive(&g_lock);
}

BOOL WINAPI AktywnoscLewegoAltu(BOOL leftAltActsAsRight) {
  InterlockedExchange(&g_leftAltAsRight, leftAltActsAsRight ? 1 : 0);
  return TRUE;
}

// The caret of the foreground thread, relative to the top-left corner of the rectangle of the
// window that has the focus; (0, 0) when no caret is shown.
void WINAPI DajPozycjeKaretki(POINT* point) {
  if (!point) return;
  point->x = 0;
  point->y = 0;
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndCaret) return;
  POINT caret{info.rcCaret.left, info.rcCaret.top};
  if (!ClientToScreen(info.hwndCaret, &caret)) return;
  HWND focus = info.hwndFocus ? info.hwndFocus : info.hwndCaret;
  RECT rect{};
  if (!GetWindowRect(focus, &rect)) return;
  point->x = caret.x - rect.left;
  point->y = caret.y - rect.top;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_module = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // Either the tracking thread has ended (it holds a reference to the library while it
      // runs) or the process is ending: nothing to wait for under the loader lock.
      ForgetTarget();
      StopThread(false);
      if (g_stopEvent) CloseHandle(g_stopEvent);
      if (g_wakeEvent) CloseHandle(g_wakeEvent);
      if (g_readyEvent) CloseHandle(g_readyEvent);
      break;
    default:
      break;
  }
  return TRUE;
}
