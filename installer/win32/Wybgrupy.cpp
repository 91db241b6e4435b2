#include "installer/win32/Wybgrupy.h"

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "installer/Wybgrupy.h"

std::optional<std::string> TfrmWyborGrupy::Pokaz(HWND wlasciciel, const std::string& nazwaGrupy) {
  wynik_.reset();
  if (!CreateForm(L"TfrmWyborGrupy", "Program instalacyjny", 360, 108, wlasciciel)) return std::nullopt;
  AddLabel("labNazwaGrupy", "Proszę podać nazwę grupy", {14, 14, 332, 14});
  tbNazwaGrupy_ = AddEdit("tbNazwaGrupy", {14, 32, 332, 21});
  tbNazwaGrupy_.SetLimit(kMaksDlugoscNazwyGrupy);
  tbNazwaGrupy_.SetText(nazwaGrupy);
  // Entering the field selects it all, so that typing replaces the proposed name.
  OnNotification(tbNazwaGrupy_, [this](int code) {
    if (code == EN_SETFOCUS) PostMessageW(tbNazwaGrupy_.Hwnd(), EM_SETSEL, 0, -1);
  });
  AddButton("cmdOk", "Ok", {98, 70, 78, 26}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {183, 70, 78, 26}, [this] { EndModal(IDCANCEL); }, IDCANCEL);
  AddButton("cmdPomoc", "Pomoc", {268, 70, 78, 26}, [this] { cmdPomocClick(); });
  tbNazwaGrupy_.SelectAll();
  RunModal(wlasciciel, tbNazwaGrupy_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmWyborGrupy::cmdOkClick() {
  const std::string nazwa = TrimBoth(tbNazwaGrupy_.Text());
  const std::string blad = SprawdzNazweGrupy(nazwa);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    tbNazwaGrupy_.Focus();
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

bool TfrmWyborGrupy::OnClose() {
  EndModal(IDCANCEL);
  return true;
}
