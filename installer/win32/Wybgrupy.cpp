#include "installer/win32/Wybgrupy.h"

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "installer/Wybgrupy.h"

namespace {
enum { kPole = 101, kPomoc = 102 };
}

std::optional<std::string> TfrmWyborGrupy::Pokaz(HWND wlasciciel, const std::string& nazwaGrupy) {
  wynik_.reset();
  if (!UtworzForme(L"TfrmWyborGrupy", "Program instalacyjny", 360, 108, true, wlasciciel)) return std::nullopt;
  Etykieta("labNazwaGrupy", "Proszę podać nazwę grupy", 14, 14, 332, 14);
  HWND pole = Pole("tbNazwaGrupy", kPole, 14, 32, 332, 21);
  SendMessageW(pole, EM_LIMITTEXT, kMaksDlugoscNazwyGrupy, 0);
  win::SetText(pole, nazwaGrupy);
  Przycisk("cmdOk", IDOK, "Ok", 98, 70, 78, 26, true);
  Przycisk("cmdAnuluj", IDCANCEL, "Anuluj", 183, 70, 78, 26);
  Przycisk("cmdPomoc", kPomoc, "Pomoc", 268, 70, 78, 26);
  SendMessageW(pole, EM_SETSEL, 0, -1);
  SetFocus(pole);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

void TfrmWyborGrupy::cmdOkClick() {
  const std::string nazwa = TrimBoth(win::GetText(Kontrolka("tbNazwaGrupy")));
  const std::string blad = SprawdzNazweGrupy(nazwa);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    SetFocus(Kontrolka("tbNazwaGrupy"));
    return;
  }
  wynik_ = nazwa;
  EndModal(IDOK);
}

void TfrmWyborGrupy::cmdPomocClick() {
  Komunikat("Podaj nazwę grupy menu Start (Menedżera programów), w której instalator umieści ikonę "
            "programu. Możesz zostawić nazwę proponowaną albo wpisać własną.",
            rkInformacja);
}

LRESULT TfrmWyborGrupy::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL: EndModal(IDCANCEL); return 0;
        case kPomoc: cmdPomocClick(); return 0;
        case kPole:
          // Entering the field selects it all, so that typing replaces the proposed name.
          if (HIWORD(wp) == EN_SETFOCUS) PostMessageW(reinterpret_cast<HWND>(lp), EM_SETSEL, 0, -1);
          return 0;
      }
      break;
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}
