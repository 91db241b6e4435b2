// Scene of the clipboard history: the pop-up at a caret with a few copied texts, one of them long.
#include <windows.h>

#include "clipboard/win32/Schowek.h"
#include "tools/win32/Scenes.h"

namespace {

const scenes::Registrar kSchowek("Schowek", [] {
  TfrmSchowek s;
  if (!s.Utworz()) return;
  s.DodajTekst("Zażółć gęślą jaźń");
  s.DodajTekst("C:\\Program Files\\Kalmo\\Kalmo.exe");
  std::string dlugi;
  for (int i = 0; i < 400; ++i) dlugi += "bardzo długi tekst ";
  s.DodajTekst(dlugi);
  s.DodajTekst("Spotkanie o 14:30 w sali nr 2\r\nProszę o potwierdzenie.");
  s.DodajTekst("jan.kowalski@example.pl");
  s.PokazSchowek(nullptr, nullptr, 300, 240);
  MSG msg;
  while (IsWindowVisible(s.Hwnd()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
});

}  // namespace
