#pragma once
// The keyboard-hook library as Kalmo's portable code sees it. The Win32 implementation calls the
// six stdcall functions of Hook.dll (keyboard/win32/ImportLibKeyHook.h); tests use a recording one.
#include <cstdint>

struct PunktKaretki {
  int32_t x = 0;
  int32_t y = 0;
};

class KeyHook {
 public:
  virtual ~KeyHook() = default;
  // window: the main window's handle as an integer.
  virtual bool WlaczSledzenieKlawiatury(uintptr_t window) = 0;
  virtual void WylaczSledzenieKlawiatury() = 0;
  virtual void WyzerujTabliceKlawiszy() = 0;
  virtual void DodajGoracyKlawisz(uint16_t shortcut) = 0;
  virtual bool AktywnoscLewegoAltu(bool leftAltActsAsRight) = 0;
  // Caret position relative to the top-left corner of the focused window's rectangle.
  virtual void DajPozycjeKaretki(PunktKaretki& point) = 0;
};
