#pragma once
// The installer's main window "Instalator wer. 1.0". Its creation decides the mode of the program:
// without parameters the install run, with the two parameters of the uninstall command the
// uninstaller. It also owns the start and progress windows the run drives.
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "installer/Instal.h"
#include "installer/win32/IkonaProgramu.h"
#include "installer/win32/Inicjal.h"
#include "installer/win32/Showprcs.h"

class TfrmGlowna : public win::Form, public InstalatorOkna {
 public:
  ~TfrmGlowna() override;

  // Creates the (hidden) window and runs the mode the parameters choose; the process exit code.
  int Uruchom(const std::vector<std::string>& parametry);

  // InstalatorOkna
  void PokazOknoStartowe() override { start_.Pokaz(); }
  void ZamknijOknoStartowe() override { start_.Zamknij(); }
  WynikOknaGlownego PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) override;
  void PokazPostep(TStanInstalacji& stan, int maksimum) override { postep_.Pokaz(stan, maksimum); }
  void UstawPostep(int pozycja) override { postep_.UstawPozycje(pozycja); }
  void PokazPlik(const std::string& zrodlowy, const std::string& docelowy) override {
    postep_.PokazPlik(zrodlowy, docelowy);
  }
  void PokazUwage(const std::string& tekst) override { postep_.PokazUwage(tekst); }
  void ZamknijPostep() override { postep_.Zamknij(); }
  void ObsluzKomunikaty() override;

  // Creates the controls (also used by the screenshot scenes and the tests).
  bool Utworz();

  void cmdZmienNazweGrupyClick();
  void cmdZmienKatalogClick();
  void cmdLicencjaClick();

 protected:
  bool OnClose() override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  int FormCreate(const std::vector<std::string>& parametry);
  void Wypelnij(const DaneOknaGlownego& dane);
  // "Instaluj" or closing: true when the destination may be used; otherwise says why.
  bool KatalogPrzyjety();
  void cmdInstalujClick();
  void PokazWolneMiejsce(const std::string& tekst, bool brak);

  TfrmInicjalizacja start_;
  TfrmShowProces postep_;
  TStanInstalacji* stan_ = nullptr;
  std::string licencja_;
  std::function<std::string(const std::string&)> sprawdzKatalog_;
  bool brakMiejsca_ = false;
  TIkonaProgramu ikona_;
  win::Control imgIkona_, labNazwaProgramu_, labGrupa_, pnlNazwaGrupy_, labNazwaGrupy_, labKatalogDocelowy_;
  win::Control labWymaganeMiejsce_, labDostepneMiejsce_;
  win::Button cmdZmienNazweGrupy_, cmdZmienKatalog_, cmdLicencja_, cmdInstaluj_;
};
