#pragma once
// A key field of the options pages "Schowek" and "Skróty".
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/win32/Controls.h"
#include "settings/UstawieniaKalmo.h"

// The key field of a task (a hotkey control) over the draft's hotkey lines. It shows the task's
// key whenever its page is shown, unless the user left a refused key there; a key that can be
// taken goes into the lines when the page is left, so the page "Klawiatura" shows it; "OK" takes
// it or refuses it with its warning. A field switched off, or over lines whose file could not be
// read, is disabled and left out.
class PoleKlawisza {
 public:
  PoleKlawisza() = default;
  PoleKlawisza(win::Control pole, uint8_t zadanie) : pole_(pole), zadanie_(zadanie) {}

  const win::Control& Pole() const { return pole_; }
  void Pokaz(const ListaZPliku& klawisze);
  void Przejmij(ListaZPliku& klawisze);
  std::optional<std::string> Sprawdz(ListaZPliku& klawisze);
  // Switched off (the clipboard history off) the field shows no key; switched on, the lines' key.
  void Wlacz(bool tak, const ListaZPliku& klawisze);

 private:
  uint16_t Skrot() const;
  void UstawSkrot(uint16_t skrot);

  win::Control pole_;
  uint8_t zadanie_ = 0;
  uint16_t pokazany_ = 0;  // the key last shown from the lines or taken into them
  bool wlaczony_ = true;
};
