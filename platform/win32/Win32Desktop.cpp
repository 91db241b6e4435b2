#include <vector>

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

namespace platform::win32 {
namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  auto* out = reinterpret_cast<std::vector<TopLevelWindow>*>(param);
  TopLevelWindow w;
  w.visible = false;
  // The stored title, without a WM_GETTEXT sent to our own windows on every tick.
  wchar_t title[512];
  const int n = InternalGetWindowText(hwnd, title, static_cast<int>(sizeof title / sizeof title[0]));
  if (n > 0) {
    w.title = Narrow(title, static_cast<size_t>(n));
    // One style read gives both flags (a top-level window's parent, the desktop, is always
    // visible); every reader passes over untitled windows, so theirs are not asked for.
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    w.popup = (style & WS_POPUP) != 0;
    w.visible = (style & WS_VISIBLE) != 0;
  }
  out->push_back(std::move(w));
  return TRUE;
}

// A function of a system library that older systems (and Wine) may lack, looked up once.
template <class Fn>
Fn Funkcja(const wchar_t* biblioteka, const char* nazwa) {
  HMODULE m = GetModuleHandleW(biblioteka);
  if (!m) m = LoadLibraryW(biblioteka);
  return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, nazwa))) : nullptr;
}

Rect Prostokat(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

int DpiMonitora(HMONITOR m) {
  // Windows 8.1 and later give each monitor its own DPI; before, every monitor has the system's.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = Funkcja<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor && getDpiForMonitor(m, 0, &x, &y) == S_OK && y > 0) return static_cast<int>(y);
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

BOOL CALLBACK CollectMonitor(HMONITOR m, HDC, LPRECT, LPARAM param) {
  auto* out = reinterpret_cast<std::vector<MonitorInfo>*>(param);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(m, &mi)) return TRUE;
  MonitorInfo info{Prostokat(mi.rcMonitor), Prostokat(mi.rcWork), DpiMonitora(m), (mi.dwFlags & MONITORINFOF_PRIMARY) != 0};
  if (info.primary) out->insert(out->begin(), info);
  else out->push_back(info);
  return TRUE;
}

// The file name of the program that owns a window, empty when the system does not say.
std::string ProgramOkna(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE p = pid ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr;
  if (!p) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD n = MAX_PATH * 2;
  const bool ok = QueryFullProcessImageNameW(p, 0, path, &n) != FALSE;
  CloseHandle(p);
  if (!ok) return {};
  std::wstring pelna(path, n);
  const size_t ukosnik = pelna.find_last_of(L"\\/");
  return Narrow(ukosnik == std::wstring::npos ? pelna : pelna.substr(ukosnik + 1));
}

bool OknoPowloki(HWND hwnd) {
  if (hwnd == GetDesktopWindow() || hwnd == GetShellWindow()) return true;
  wchar_t klasa[64];
  const int n = GetClassNameW(hwnd, klasa, 64);
  const std::wstring k(klasa, n > 0 ? n : 0);
  return k == L"Progman" || k == L"WorkerW" || k == L"Shell_TrayWnd" || k == L"Shell_SecondaryTrayWnd";
}

class Win32Desktop : public Desktop {
 public:
  std::vector<TopLevelWindow> TopLevelWindows() override {
    std::vector<TopLevelWindow> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  std::optional<bool> ScreenSaverActive() override {
    BOOL active = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return std::nullopt;
    return active != FALSE;
  }

  bool SetScreenSaverActive(bool active) override {
    // Broadcast the change, but leave the user's profile as it was: the flag comes back after
    // the break or at the next logon.
    return SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDCHANGE) != FALSE;
  }

  std::optional<int> ScreenSaverTimeout() override {
    int seconds = 0;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0)) return std::nullopt;
    return seconds;
  }

  int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

  std::optional<LastInput> LastInputTime() override {
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    if (!GetLastInputInfo(&info)) return std::nullopt;
    return LastInput{GetTickCount(), info.dwTime};
  }

  bool DisplayRequired() override {
    // Asked only when the idle time has passed its threshold, so the library is loaded then.
    using CallNtPowerInformationFn = LONG(WINAPI*)(int, void*, ULONG, void*, ULONG);
    static const auto call = reinterpret_cast<CallNtPowerInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"powrprof.dll"), "CallNtPowerInformation")));
    if (!call) return false;
    constexpr int kSystemExecutionState = 16;
    ULONG state = 0;
    if (call(kSystemExecutionState, nullptr, 0, &state, sizeof state) != 0) return false;
    return (state & ES_DISPLAY_REQUIRED) != 0;
  }

  NotificationState UserNotificationState() override {
    // Asked only when a reminder is due; shell32 is loaded by then anyway.
    using QueryFn = HRESULT(WINAPI*)(int*);
    static const auto query = Funkcja<QueryFn>(L"shell32.dll", "SHQueryUserNotificationState");
    int state = 0;
    if (!query || query(&state) != S_OK) return NotificationState::Unknown;
    switch (state) {
      case 1: return NotificationState::NotPresent;
      case 2: return NotificationState::Busy;
      case 3: return NotificationState::D3DFullScreen;
      case 4: return NotificationState::PresentationMode;
      case 5: return NotificationState::AcceptsNotifications;
      case 6: return NotificationState::QuietTime;
      case 7: return NotificationState::App;
      default: return NotificationState::Unknown;
    }
  }

  std::vector<MonitorInfo> Monitors() override {
    std::vector<MonitorInfo> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
  }

  std::optional<ForegroundWindow> Foreground() override {
    HWND h = GetForegroundWindow();
    if (!h) return std::nullopt;
    ForegroundWindow f;
    RECT r{};
    GetWindowRect(h, &r);
    f.window = Prostokat(r);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi)) f.monitor = Prostokat(mi.rcMonitor);
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    f.framed = (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) != 0;
    f.maximized = IsZoomed(h) != FALSE;
    f.shell = OknoPowloki(h);
    f.program = ProgramOkna(h);
    return f;
  }
};

}  // namespace

Desktop& RealDesktop() {
  static Win32Desktop desktop;
  return desktop;
}

}  // namespace platform::win32
