#pragma once
// "Wprowadź tekst": a prompt, one edit line, OK and "Anuluj".
#include <windows.h>

#include <string>

#include "common/win32/Form.h"

class TfrmGetString : public win::Form {
 public:
  // Modal above the owner; the typed text on OK, empty text on "Anuluj" or closing.
  std::string Pokaz(HWND wlasciciel, const std::string& objasnienie);

  void cmdOkClick();
  void cmdAnulujClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;

 private:
  win::Edit tbOdpowiedz_;
  std::string wynik_;
};

std::string PobierzTekst(HWND wlasciciel, const std::string& objasnienie);
