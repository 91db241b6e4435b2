#include "installer/win32/Deinstalacja.h"

void TfrmDeinstalacja::Pokaz(const std::string& nazwaProgramu, const std::string& ikona,
                             const std::function<void()>& odinstaluj) {
  odinstaluj_ = odinstaluj;
  if (!UtworzForme(L"TfrmDeinstalacja", "Deinstalator", 400, 124)) return;
  HWND obraz = Ikona("imgIkona", 16, 16);
  if (!PokazIkone(obraz, ikona)) SendMessageW(obraz, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
  Etykieta("labDeinstalacja", "Deinstalacja programu...", 64, 16, 320, 14);
  HWND nazwa = Etykieta("labNazwaProgramu", nazwaProgramu, 64, 34, 320, 18, SS_ENDELLIPSIS);
  win::SetFont(nazwa, CzcionkaPogrubiona());
  Linia(12, 70, 376);
  Przycisk("cmdOdinstaluj", IDOK, "Odinstaluj", 204, 84, 88, 26, true);
  Przycisk("cmdAnuluj", IDCANCEL, "Anuluj", 300, 84, 88, 26);
  SetFocus(GetDlgItem(Hwnd(), IDOK));
  ShowModal();
  Destroy();
}

void TfrmDeinstalacja::cmdOdinstalujClick() {
  if (trwa_) return;
  trwa_ = true;
  // The buttons wait while the script runs: a second press must not replay it again.
  EnableWindow(GetDlgItem(Hwnd(), IDOK), FALSE);
  EnableWindow(GetDlgItem(Hwnd(), IDCANCEL), FALSE);
  if (odinstaluj_) odinstaluj_();
  trwa_ = false;
  EndModal(IDOK);
}

LRESULT TfrmDeinstalacja::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        cmdOdinstalujClick();
        return 0;
      }
      if (LOWORD(wp) == IDCANCEL) {
        if (!trwa_) EndModal(IDCANCEL);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (!trwa_) EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}
