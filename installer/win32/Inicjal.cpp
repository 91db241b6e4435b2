#include "installer/win32/Inicjal.h"

void TfrmInicjalizacja::Pokaz() {
  win::FormStyle styl;
  styl.closeBox = false;
  if (Hwnd() || !CreateForm(L"TfrmInicjalizacja", "Instalacja...", 340, 80, nullptr, styl)) return;
  AddLabel("labKomunikat", "Rozpoczynam instalacje programu...", {20, 32, 300, 16}, SS_CENTER);
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
  UpdateWindow(Hwnd());
}
