#pragma once
// Numbers Kalmo shares between its parts and with the keyboard-hook library: the private messages
// of the main window, the codes of its single-instance windows, the shortcut bits and the hotkey
// task codes. Each is
// stated here only.
#include <cstdint>

// Private messages of the main window: three from the keyboard-hook library, two that Kalmo
// posts to itself.
constexpr unsigned kWmUser = 1024;
constexpr unsigned WM_HOTKEY_TASK = kWmUser + 655;        // 1679: wParam shortcut, lParam focus window
constexpr unsigned WM_SCREENSAVER_STATE = kWmUser + 657;  // 1681: wParam 1 started, 0 stopped
constexpr unsigned WM_PAUSE_KEY = kWmUser + 658;          // 1682: wParam 1
constexpr unsigned WM_FREE_FORM = kWmUser + 700;          // 1724: lParam window code
constexpr unsigned WM_BACKGROUND_TASK = kWmUser + 701;    // 1725: wParam 0 start, 1 stop

// The extra information of keys Kalmo presses itself (the hook's right Alt, the clipboard
// history's Ctrl+V): the hook lets them through without reading them as a shortcut. "KALM".
constexpr uintptr_t kKlawiszKalmo = 0x4B414C4Du;

// Single-instance windows of the main window. The first five are the non-modal ones, numbered
// as the window codes of WM_FREE_FORM.
enum class Okno : int {
  InformacjeDnia = 0,  // today-info window
  Przypomnienie = 1,   // reminder window
  ListaDokumentow = 2, // monitored-document list window
  CzyMonitorowac = 3,  // ask-whether-to-monitor window
  Wygaszacz = 4,       // break window
  OProgramie = 5,      // about window (modal)
  Statystyka = 6,      // statistics window (modal)
  ListaSkrotow = 7,    // shortcut-list window (modal)
  Opcje = 8,           // options dialog (modal)
};
inline constexpr int kLiczbaOkien = 9;
// The window code of a non-modal window as WM_FREE_FORM carries it.
constexpr int KodOkna(Okno okno) { return static_cast<int>(okno); }

// Shortcut value: virtual-key code in the low byte plus these modifier bits; 0 = no key.
constexpr uint16_t kSkrotShift = 0x2000;
constexpr uint16_t kSkrotCtrl = 0x4000;
constexpr uint16_t kSkrotAlt = 0x8000;

// Hotkey task codes.
enum ZadanieSkrotu : uint8_t {
  kZadanieBrak = 0,
  kZadaniePrzerwa = 1,
  kZadanieInformacjeDnia = 2,
  kZadanieStatystyka = 3,
  kZadanieListaDokumentow = 4,
  kZadanieUruchom = 5,
  kZadanieOpcje = 6,  // tray caption only: no description, no binding
  kZadanieSchowek = 7,
  kZadanieListaSkrotow = 8,
};

// Bindings of the hotkey table: the file may hold more lines, only this many are used and stored.
constexpr int kMaksymalnieHotkeyow = 15;
