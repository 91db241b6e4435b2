// Hook.dll: system-wide keyboard tracking for Kalmo.
//
// A low-level keyboard hook (WH_KEYBOARD_LL) runs on the thread that switched tracking on, so no
// code has to be injected into other processes; that thread must pump messages, which Kalmo's
// main thread does. The hook reports registered shortcuts and the PAUSE key to Kalmo's main
// window, and can make the left Alt key act as the right one. A small watcher thread notices the
// system screen saver starting and stopping.
#include <windows.h>

#include <cstdint>

namespace {

constexpr UINT kWmHotkeyTask = WM_USER + 655;
constexpr UINT kWmScreenSaverState = WM_USER + 657;
constexpr UINT kWmPauseKey = WM_USER + 658;

constexpr uint16_t kShift = 0x2000;
constexpr uint16_t kCtrl = 0x4000;
constexpr uint16_t kAlt = 0x8000;

// Marks the key events this library injects itself, so the hook lets them through untouched.
constexpr ULONG_PTR kOwnEvent = 0x4B414C4Du;  // "KALM"
// The fake left Ctrl that Windows adds to a right Alt (AltGr) carries this scan code.
constexpr DWORD kAltGrFakeCtrlScan = 0x21D;
// How often the watcher asks whether the screen saver runs.
constexpr DWORD kScreenSaverPollMs = 1000;
constexpr int kMaxHotkeys = 64;

HMODULE g_module = nullptr;

SRWLOCK g_lock = SRWLOCK_INIT;  // guards the fields below
HWND g_target = nullptr;
HHOOK g_keyboardHook = nullptr;
HHOOK g_callWndHook = nullptr;
DWORD g_hookThread = 0;
uint16_t g_hotkeys[kMaxHotkeys];
int g_hotkeyCount = 0;

// Used on the hook's thread only.
bool g_leftAltAsRight = false;
bool g_down[256];       // keys seen going down and not yet up
bool g_swallowed[256];  // keys whose down event was eaten; their up event is eaten too

// Screen-saver watcher.
HANDLE g_watcher = nullptr;
HANDLE g_stopEvent = nullptr;
HANDLE g_wakeEvent = nullptr;

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
  input.ki.dwExtraInfo = kOwnEvent;
  SendInput(1, &input, sizeof input);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION) return CallNextHookEx(nullptr, code, wParam, lParam);
  const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  const DWORD vk = event->vkCode & 0xFF;
  const bool up = (event->flags & LLKHF_UP) != 0;
  const bool own = event->dwExtraInfo == kOwnEvent;
  const bool fakeCtrl = vk == VK_LCONTROL && event->scanCode == kAltGrFakeCtrlScan;
  const bool repeat = !up && g_down[vk];

  // The AltGr companion Ctrl is not a Ctrl the user pressed; shortcuts with Alt must still match.
  if (!fakeCtrl) g_down[vk] = !up;
  if (own) return CallNextHookEx(nullptr, code, wParam, lParam);

  if (vk == VK_LMENU && g_leftAltAsRight) {
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

// Sleeps in the kernel between checks; posts only when the state changes.
DWORD WINAPI WatcherThread(LPVOID) {
  bool running = false;
  HANDLE events[2] = {g_stopEvent, g_wakeEvent};
  int extraRounds = 0;  // after a wake-up, look a few times more quickly: the saver takes a moment
  for (;;) {
    const bool now = ScreenSaverRunning();
    if (now != running) {
      running = now;
      HWND target = Target();
      if (target) PostMessageW(target, kWmScreenSaverState, running ? 1 : 0, 0);
    }
    DWORD wait = WaitForMultipleObjects(2, events, FALSE, extraRounds > 0 ? 200 : kScreenSaverPollMs);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED) break;
    if (wait == WAIT_OBJECT_0 + 1) extraRounds = 10;
    else if (extraRounds > 0) --extraRounds;
  }
  // The thread holds its own reference to the library, so the code it runs cannot vanish under it.
  FreeLibraryAndExitThread(g_module, 0);
}

bool StartWatcher() {
  if (g_watcher) return true;
  if (!g_stopEvent) g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!g_wakeEvent) g_wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!g_stopEvent || !g_wakeEvent) return false;
  ResetEvent(g_stopEvent);
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&WatcherThread), &self))
    return false;
  g_watcher = CreateThread(nullptr, 0, WatcherThread, nullptr, 0, nullptr);
  if (!g_watcher) {
    FreeLibrary(self);
    return false;
  }
  return true;
}

void StopWatcher(bool wait) {
  if (!g_watcher) return;
  SetEvent(g_stopEvent);
  if (wait) WaitForSingleObject(g_watcher, 5000);
  CloseHandle(g_watcher);
  g_watcher = nullptr;
}

void RemoveHooks() {
  AcquireSRWLockExclusive(&g_lock);
  HHOOK keyboard = g_keyboardHook, callWnd = g_callWndHook;
  g_keyboardHook = nullptr;
  g_callWndHook = nullptr;
  g_target = nullptr;
  g_hookThread = 0;
  ReleaseSRWLockExclusive(&g_lock);
  if (keyboard) UnhookWindowsHookEx(keyboard);
  if (callWnd) UnhookWindowsHookEx(callWnd);
}

}  // namespace

extern "C" {

// Switches tracking on for the given window; a second call only redirects the messages.
BOOL WINAPI WlaczSledzenieKlawiatury(HWND window) {
  if (!window || !IsWindow(window)) return FALSE;
  AcquireSRWLockExclusive(&g_lock);
  const bool hooked = g_keyboardHook != nullptr;
  g_target = window;
  ReleaseSRWLockExclusive(&g_lock);
  if (hooked) return StartWatcher() ? TRUE : FALSE;

  for (int vk = 0; vk < 256; ++vk) {
    g_down[vk] = false;
    g_swallowed[vk] = false;
  }
  HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
  if (!keyboard) {
    RemoveHooks();
    return FALSE;
  }
  HHOOK callWnd = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, nullptr, GetCurrentThreadId());
  AcquireSRWLockExclusive(&g_lock);
  g_keyboardHook = keyboard;
  g_callWndHook = callWnd;
  g_hookThread = GetCurrentThreadId();
  ReleaseSRWLockExclusive(&g_lock);
  if (!StartWatcher()) {
    RemoveHooks();
    return FALSE;
  }
  return TRUE;
}

void WINAPI WylaczSledzenieKlawiatury() {
  RemoveHooks();
  StopWatcher(true);
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
  g_leftAltAsRight = leftAltActsAsRight != FALSE;
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
      // Unloaded without being switched off (the watcher would have kept the library loaded, so
      // it has already stopped), or the process is ending: remove the hooks, do not wait on
      // threads under the loader lock.
      RemoveHooks();
      StopWatcher(false);
      if (g_stopEvent) CloseHandle(g_stopEvent);
      if (g_wakeEvent) CloseHandle(g_wakeEvent);
      break;
    default:
      break;
  }
  return TRUE;
}
