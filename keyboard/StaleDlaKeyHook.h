#pragma once
// Message numbers of Kalmo's main window: three from the keyboard-hook library, two that Kalmo
// posts to itself.
constexpr unsigned kWmUser = 1024;
constexpr unsigned WM_HOTKEY_TASK = kWmUser + 655;        // 1679: wParam shortcut, lParam focus window
constexpr unsigned WM_SCREENSAVER_STATE = kWmUser + 657;  // 1681: wParam 1 started, 0 stopped
constexpr unsigned WM_PAUSE_KEY = kWmUser + 658;          // 1682: wParam 1
constexpr unsigned WM_FREE_FORM = kWmUser + 700;          // 1724: lParam window code
constexpr unsigned WM_BACKGROUND_TASK = kWmUser + 701;    // 1725: wParam 0 start, 1 stop
