#pragma once
// What the cleanup's windows share: a dialog-like top-level window centred on the screen with the
// 8-point dialog font, and child controls created by component name at 96-dpi design sizes.
#include <windows.h>

#include <string>

#include "common/win32/Window.h"

class TFormaCzyszczenia : public win::Window {
 protected:
  // Registers the class named after the form and creates the hidden window with that client size.
  bool UtworzForme(const wchar_t* klasa, const std::string& tytul, int szerokosc, int wysokosc, HWND wlasciciel,
                   bool rozciagalna = false);
  HWND Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h, DWORD styl = SS_LEFT);
  HWND Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h,
                bool domyslny = false);
  HWND Kontrolka(const std::string& nazwa) const { return win::FindControl(Hwnd(), nazwa); }
  static int S(int v);
  static HFONT Czcionka();
};
