#include "keyboard/win32/ImportLibKeyHook.h"

bool Win32KeyHook::WlaczSledzenieKlawiatury(uintptr_t window) {
  return ::WlaczSledzenieKlawiatury(reinterpret_cast<HWND>(window)) != FALSE;
}

void Win32KeyHook::WylaczSledzenieKlawiatury() { ::WylaczSledzenieKlawiatury(); }

void Win32KeyHook::WyzerujTabliceKlawiszy() { ::WyzerujTabliceKlawiszy(); }

void Win32KeyHook::DodajGoracyKlawisz(uint16_t shortcut) { ::DodajGoracyKlawisz(shortcut); }

bool Win32KeyHook::AktywnoscLewegoAltu(bool leftAltActsAsRight) {
  return ::AktywnoscLewegoAltu(leftAltActsAsRight ? TRUE : FALSE) != FALSE;
}

void Win32KeyHook::DajPozycjeKaretki(PunktKaretki& point) {
  POINT p{0, 0};
  ::DajPozycjeKaretki(&p);
  point.x = p.x;
  point.y = p.y;
}
