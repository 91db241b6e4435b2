// Scenes of the clipboard history: the pop-up at a caret with a few copied texts, one of them
// long, and the same with a search typed.
#include <windows.h>

#include "clipboard/win32/Schowek.h"
#include "tools/win32/Scenes.h"

namespace {

void Pokaz(const std::wstring& szukany) {
  TfrmSchowek s;
  if (!s.Utworz()) return;
  s.DodajTekst("Zażółć gęślą jaźń");
  s.DodajTekst("C:\\Program Files\\Kalmo\\Kalmo.exe");
  s.DodajTekst("Ząbek czosnku, dwa ząbki goździków");
  std::string dlugi;
  for (int i = 0; i < 400; ++i) dlugi += "bardzo długi tekst ";
  s.DodajTekst(dlugi);
  s.DodajTekst("Spotkanie o 14:30 w sali nr 2\r\nProszę o potwierdzenie.");
  s.DodajTekst("Wizyta u dentysty: ZĄB szósty, czwartek");
  s.DodajTekst("jan.kowalski@example.pl");
  s.PokazSchowek(nullptr, nullptr, 300, 240);
  s.UstawSzukany(szukany);
  MSG msg;
  while (IsWindowVisible(s.Hwnd()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

const scenes::Registrar kSchowek("Schowek", [] { Pokaz(L""); });
const scenes::Registrar kSzukanie("SchowekSzukanie", [] { Pokaz(L"ząb"); });

}  // namespace
