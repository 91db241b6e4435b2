#include "installer/win32/Inicjal.h"

void TfrmInicjalizacja::Pokaz() {
  if (Hwnd() || !UtworzForme(L"TfrmInicjalizacja", "Instalacja...", 340, 80, false)) return;
  Etykieta("labKomunikat", "Rozpoczynam instalacje programu...", 20, 32, 300, 16, SS_CENTER);
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  UpdateWindow(Hwnd());
}
