#pragma once
// Desktop seam: top-level windows, the screen saver and the mouse pointer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct TopLevelWindow {
  std::string title;  // UTF-8, may be empty
  // WS_POPUP and WS_VISIBLE; the Win32 desktop reads them for titled windows only (every reader
  // passes over untitled ones), an untitled window has both false.
  bool popup = false;
  bool visible = true;
};

// The system's millisecond tick count now and at the last keyboard or mouse input it recorded;
// both wrap after 49.7 days, so the idle time is their unsigned difference.
struct LastInput {
  uint32_t now = 0;
  uint32_t input = 0;
};

// A rectangle in screen pixels (right and bottom outside it), as Windows gives them.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(const Rect& r) const {
    return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
  }
  bool operator==(const Rect&) const = default;
};

// One monitor of the desktop: its rectangle, its work area (without the task bar) and its DPI.
struct MonitorInfo {
  Rect area;
  Rect work;
  int dpi = 96;
  bool primary = false;
  bool operator==(const MonitorInfo&) const = default;
};

// What the shell says of the user's moment (SHQueryUserNotificationState).
enum class NotificationState {
  AcceptsNotifications,  // nothing in the way
  NotPresent,            // screen saver, locked, fast user switching
  Busy,                  // a full-screen application, or the presentation settings applied
  D3DFullScreen,         // a full-screen Direct3D application (a game)
  PresentationMode,      // the user turned presentation mode on
  QuietTime,             // the first hour after a new user's first logon
  App,                   // an immersive (store) application in front
  Unknown,               // the call failed or gave a state this program does not know
};

// The window in front, as far as deferring a reminder needs it.
struct ForegroundWindow {
  Rect window;             // its rectangle
  Rect monitor;            // the rectangle of the monitor it is mostly on
  bool framed = false;     // a caption or a sizing frame
  bool maximized = false;
  bool shell = false;      // the desktop or a task bar: never a program's window
  std::string program;     // the executable's file name ("POWERPNT.EXE"), empty when unknown
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
  // The system screen-saver-active flag; nullopt when it cannot be read.
  virtual std::optional<bool> ScreenSaverActive() = 0;
  // Sets the flag and sends the settings-change notification without writing the user profile.
  virtual bool SetScreenSaverActive(bool active) = 0;
  // Screen-saver timeout in seconds; nullopt when it cannot be read.
  virtual std::optional<int> ScreenSaverTimeout() = 0;
  // ShowCursor: returns the new display count.
  virtual int ShowCursor(bool show) = 0;
  // GetTickCount and GetLastInputInfo; nullopt when the time of the last input cannot be read.
  virtual std::optional<LastInput> LastInputTime() = 0;
  // Whether some program holds a display-required request (a video player, a presentation).
  virtual bool DisplayRequired() = 0;

  // The shell's notification state; Unknown where the system cannot tell.
  virtual NotificationState UserNotificationState() { return NotificationState::Unknown; }
  // The monitors, the primary one first; empty when they cannot be listed.
  virtual std::vector<MonitorInfo> Monitors() { return {}; }
  // The window in front; nullopt when there is none.
  virtual std::optional<ForegroundWindow> Foreground() { return std::nullopt; }
};

}  // namespace platform
