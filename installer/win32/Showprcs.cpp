#include "installer/win32/Showprcs.h"

#include <commctrl.h>

#include "common/Komunika.h"

namespace {
enum { kPrzerwij = 101 };
}

void TfrmShowProces::Pokaz(TStanInstalacji& stan, int maksimum) {
  stan_ = &stan;
  if (!Hwnd()) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (!UtworzForme(L"TfrmShowProces", "Instalacja w toku...", 440, 156)) return;
    Etykieta("labPlikZrodlowy", "Plik źródłowy:", 16, 14, 120, 14);
    Etykieta("labZrodlowy", "", 16, 30, 408, 14, SS_PATHELLIPSIS);
    // The target is kept for diagnosis but not shown: the staging path means nothing to a user.
    ShowWindow(Etykieta("labPlikDocelowy", "Plik docelowy:", 16, 48, 120, 14), SW_HIDE);
    ShowWindow(Etykieta("labDocelowy", "", 16, 64, 408, 14, SS_PATHELLIPSIS), SW_HIDE);
    win::CreateChild(Hwnd(), PROGRESS_CLASSW, "gagShowProces", 0, "", WS_VISIBLE | PBS_SMOOTH,
                     win::Scale(16, win::ScreenDpi()), win::Scale(56, win::ScreenDpi()),
                     win::Scale(408, win::ScreenDpi()), win::Scale(18, win::ScreenDpi()));
    Etykieta("labUwaga", "", 16, 80, 408, 28);
    Przycisk("cmdPrzerwij", kPrzerwij, "Przerwij Instalacje", 150, 114, 140, 26);
  }
  SendMessageW(Kontrolka("gagShowProces"), PBM_SETRANGE32, 0, maksimum > 0 ? maksimum : 1);
  SendMessageW(Kontrolka("gagShowProces"), PBM_SETPOS, 0, 0);
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::UstawPozycje(int pozycja) {
  if (Hwnd()) SendMessageW(Kontrolka("gagShowProces"), PBM_SETPOS, pozycja, 0);
}

void TfrmShowProces::PokazPlik(const std::string& zrodlowy, const std::string& docelowy) {
  if (!Hwnd()) return;
  win::SetText(Kontrolka("labZrodlowy"), zrodlowy);
  win::SetText(Kontrolka("labDocelowy"), docelowy);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::PokazUwage(const std::string& tekst) {
  if (!Hwnd()) return;
  win::SetText(Kontrolka("labUwaga"), tekst);
  UpdateWindow(Hwnd());
}

void TfrmShowProces::cmdPrzerwijClick() {
  if (pytanie_ || !stan_) return;
  pytanie_ = true;
  if (KomunikatPytanie("Czy przerwać instalację?", rkPytanie) == okTak) stan_->przerwij = true;
  pytanie_ = false;
}

LRESULT TfrmShowProces::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kPrzerwij || LOWORD(wp) == IDCANCEL) {
        cmdPrzerwijClick();
        return 0;
      }
      break;
    case WM_CLOSE:  // the close box asks like the button
      cmdPrzerwijClick();
      return 0;
  }
  return Default(msg, wp, lp);
}
