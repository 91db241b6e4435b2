#pragma once
// "Wprowadź tekst": a prompt, one edit line, OK and "Anuluj".
#include <windows.h>

#include <string>

#include "common/win32/Window.h"

class TfrmGetString : public win::Window {
 public:
  ~TfrmGetString() override;
  // Modal; the typed text on OK, empty text on "Anuluj" or closing.
  std::string Pokaz(HWND wlasciciel, const std::string& objasnienie);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::string wynik_;
};

std::string PobierzTekst(HWND wlasciciel, const std::string& objasnienie);
