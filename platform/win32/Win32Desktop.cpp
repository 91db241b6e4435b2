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
};

}  // namespace

Desktop& RealDesktop() {
  static Win32Desktop desktop;
  return desktop;
}

}  // namespace platform::win32
