#pragma once
// The progress window "Instalacja w toku...": the file being installed, the gauge over the script
// lines and the button that asks to abort.
#include "common/win32/Form.h"
#include "installer/Instal.h"

class TfrmShowProces : public win::Form {
 public:
  // Creates and shows the window (not modal); the gauge runs from 0 to maksimum.
  void Pokaz(TStanInstalacji& stan, int maksimum);
  void UstawPozycje(int pozycja);
  void PokazPlik(const std::string& zrodlowy, const std::string& docelowy);
  void PokazUwage(const std::string& tekst);
  void Zamknij() { Destroy(); }

  // "Przerwij Instalacje": asks, and on "Tak" the run stops after the current line.
  void cmdPrzerwijClick();

 protected:
  bool OnClose() override;

 private:
  void FormCreate();

  TStanInstalacji* stan_ = nullptr;
  bool pytanie_ = false;  // the question is open (a second press waits for it)
  win::Control labZrodlowy_, labDocelowy_, gagShowProces_, labUwaga_;
};
