#include "options/win32/PoleKlawisza.h"

#include <commctrl.h>

#include "keyboard/GoraceKlawisze.h"
#include "keyboard/GoracyKlawisz.h"
#include "options/Opcje.h"

uint16_t PoleKlawisza::Skrot() const { return SkrotZKontrolki(LOWORD(pole_.Send(HKM_GETHOTKEY))); }

void PoleKlawisza::UstawSkrot(uint16_t skrot) {
  pole_.Send(HKM_SETHOTKEY, KontrolkaZeSkrotu(skrot));
  pokazany_ = skrot;
}

void PoleKlawisza::Pokaz(const ListaZPliku& klawisze) {
  if (!wlaczony_ || Skrot() != pokazany_) return;
  UstawSkrot(TextToShortCut(KlawiszZadania(WierszeKlawiszy(klawisze.linie), zadanie_)));
}

void PoleKlawisza::Przejmij(ListaZPliku& klawisze) {
  if (!pole_.Enabled() || Skrot() == pokazany_) return;
  TStringList linie = klawisze.linie;
  if (UstawKlawiszZPola(linie, zadanie_, Skrot())) return;  // refused: "OK" will say why
  klawisze.linie = std::move(linie);
  pokazany_ = Skrot();
}

std::optional<std::string> PoleKlawisza::Sprawdz(ListaZPliku& klawisze) {
  if (!pole_.Enabled()) return std::nullopt;
  if (auto ostrzezenie = UstawKlawiszZPola(klawisze.linie, zadanie_, Skrot())) return ostrzezenie;
  pokazany_ = Skrot();
  return std::nullopt;
}

void PoleKlawisza::Wlacz(bool tak, const ListaZPliku& klawisze) {
  wlaczony_ = tak;
  pole_.Enable(tak && klawisze.czytelna);
  if (!tak) UstawSkrot(0);
  else Pokaz(klawisze);
}
