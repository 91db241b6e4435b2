#pragma once
// What every installer window shares: a fixed-size dialog-like top-level window centred on the
// screen, the 8-point dialog font, and child controls created by component name.
#include <windows.h>

#include <string>

#include "common/win32/Window.h"

class TFormaInstalatora : public win::Window {
 public:
  ~TFormaInstalatora() override;

 protected:
  // Registers the class named after the form and creates the hidden window with that client
  // size, centred on the screen. zamykalna: the caption has a close box.
  bool UtworzForme(const wchar_t* klasa, const std::string& tytul, int szerokosc, int wysokosc, bool zamykalna = true,
                   HWND wlasciciel = nullptr);

  HWND Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h, DWORD styl = SS_LEFT);
  HWND Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h,
                bool domyslny = false);
  HWND Pole(const std::string& nazwa, int id, int x, int y, int w, int h, DWORD styl = ES_AUTOHSCROLL);
  // A sunken panel (a static with an edge) that other controls may sit on.
  HWND Panel(const std::string& nazwa, int x, int y, int w, int h);
  HWND Ikona(const std::string& nazwa, int x, int y);
  HWND Linia(int x, int y, int w);

  // Shows the icon file in an icon control; false when it cannot be read.
  bool PokazIkone(HWND kontrolka, const std::string& plik);

  HWND Kontrolka(const std::string& nazwa) const { return win::FindControl(Hwnd(), nazwa); }

  // The fonts of the installer's windows.
  static HFONT Czcionka();
  static HFONT CzcionkaPogrubiona();

 private:
  HICON ikona_ = nullptr;  // loaded picture, freed with the form
};
