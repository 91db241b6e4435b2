#include "installer/win32/Deinstalacja.h"

TfrmDeinstalacja::~TfrmDeinstalacja() { Destroy(); }

void TfrmDeinstalacja::Pokaz(const std::string& nazwaProgramu, const std::string& ikona,
                             const std::function<void()>& odinstaluj) {
  odinstaluj_ = odinstaluj;
  if (!CreateForm(L"TfrmDeinstalacja", "Deinstalator", 400, 124, nullptr)) return;
  const win::Control obraz =
      AddControl(L"STATIC", "imgIkona", "", {16, 16, 32, 32}, WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE);
  ikona_.Pokaz(obraz.Hwnd(), ikona, S(32));
  AddLabel("labDeinstalacja", "Deinstalacja programu...", {64, 16, 320, 14});
  const win::Control nazwa = AddLabel("labNazwaProgramu", nazwaProgramu, {64, 34, 320, 18}, SS_ENDELLIPSIS);
  win::SetFont(nazwa.Hwnd(), BoldFont(10));
  AddLine({12, 70, 376, 0});
  cmdOdinstaluj_ =
      AddButton("cmdOdinstaluj", "Odinstaluj", {204, 84, 88, 26}, [this] { cmdOdinstalujClick(); }, IDOK, true);
  cmdAnuluj_ = AddButton("cmdAnuluj", "Anuluj", {300, 84, 88, 26}, [this] { cmdAnulujClick(); }, IDCANCEL);
  RunModal(nullptr, cmdOdinstaluj_.Hwnd());
  Destroy();
}

void TfrmDeinstalacja::cmdOdinstalujClick() {
  if (trwa_) return;
  trwa_ = true;
  // The buttons wait while the script runs: a second press must not replay it again.
  cmdOdinstaluj_.Enable(false);
  cmdAnuluj_.Enable(false);
  if (odinstaluj_) odinstaluj_();
  trwa_ = false;
  EndModal(IDOK);
}

void TfrmDeinstalacja::cmdAnulujClick() {
  if (!trwa_) EndModal(IDCANCEL);
}

bool TfrmDeinstalacja::OnClose() {
  cmdAnulujClick();
  return true;
}
