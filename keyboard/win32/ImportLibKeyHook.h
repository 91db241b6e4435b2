#pragma once
// The six calls of the keyboard-hook library Hook.dll, imported through its import library, and
// the KeyHook that Kalmo's portable code uses to reach them.
#include <windows.h>

#include "keyboard/KeyHook.h"

extern "C" {
__declspec(dllimport) BOOL WINAPI WlaczSledzenieKlawiatury(HWND window);
__declspec(dllimport) void WINAPI WylaczSledzenieKlawiatury();
__declspec(dllimport) void WINAPI WyzerujTabliceKlawiszy();
__declspec(dllimport) void WINAPI DodajGoracyKlawisz(DWORD shortcut);
__declspec(dllimport) BOOL WINAPI AktywnoscLewegoAltu(BOOL leftAltActsAsRight);
__declspec(dllimport) void WINAPI DajPozycjeKaretki(POINT* point);
}

class Win32KeyHook : public KeyHook {
 public:
  bool WlaczSledzenieKlawiatury(uintptr_t window) override;
  void WylaczSledzenieKlawiatury() override;
  void WyzerujTabliceKlawiszy() override;
  void DodajGoracyKlawisz(uint16_t shortcut) override;
  bool AktywnoscLewegoAltu(bool leftAltActsAsRight) override;
  void DajPozycjeKaretki(PunktKaretki& point) override;
};
