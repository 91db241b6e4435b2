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
};

}  // namespace platform
