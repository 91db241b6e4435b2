#include "installer/win32/Showprcs.h"

#include <commctrl.h>

#include "common/Komunika.h"

void TfrmShowProces::Pokaz(TStanInstalacji& stan, int maksimum) {
  stan_ = &stan;
  if (!Hwnd()) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (!CreateForm(L"TfrmShowProces", "Instalacja w toku...", 440, 156, nullptr)) return;
    FormCreate();
  }
  gagShowProces_.Send(PBM_SETRANGE32, 0, maksimum > 0 ? maksimum : 1);
  gagShowProces_.Send(PBM_SETPOS, 0);
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::FormCreate() {
  AddLabel("labPlikZrodlowy", "Plik źródłowy:", {16, 14, 120, 14});
  labZrodlowy_ = AddLabel("labZrodlowy", "", {16, 30, 408, 14}, SS_PATHELLIPSIS);
  // The target is kept for diagnosis but not shown: the staging path means nothing to a user.
  AddLabel("labPlikDocelowy", "Plik docelowy:", {16, 48, 120, 14}).Show(false);
  labDocelowy_ = AddLabel("labDocelowy", "", {16, 64, 408, 14}, SS_PATHELLIPSIS);
  labDocelowy_.Show(false);
  gagShowProces_ = AddControl(PROGRESS_CLASSW, "gagShowProces", "", {16, 56, 408, 18}, WS_VISIBLE | PBS_SMOOTH);
  labUwaga_ = AddLabel("labUwaga", "", {16, 80, 408, 28});
  AddButton("cmdPrzerwij", "Przerwij Instalacje", {150, 114, 140, 26}, [this] { cmdPrzerwijClick(); });
  SetClickHandler(IDCANCEL, [this] { cmdPrzerwijClick(); });
}

void TfrmShowProces::UstawPozycje(int pozycja) {
  if (Hwnd()) gagShowProces_.Send(PBM_SETPOS, pozycja);
}

void TfrmShowProces::PokazPlik(const std::string& zrodlowy, const std::string& docelowy) {
  if (!Hwnd()) return;
  labZrodlowy_.SetText(zrodlowy);
  labDocelowy_.SetText(docelowy);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::PokazUwage(const std::string& tekst) {
  if (!Hwnd()) return;
  labUwaga_.SetText(tekst);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::cmdPrzerwijClick() {
  if (pytanie_ || !stan_) return;
  pytanie_ = true;
  if (KomunikatPytanie("Czy przerwać instalację?", rkPytanie) == okTak) stan_->przerwij = true;
  pytanie_ = false;
}

bool TfrmShowProces::OnClose() {
  cmdPrzerwijClick();  // the close box asks like the button
  return true;
}
