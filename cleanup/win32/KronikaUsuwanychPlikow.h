#pragma once
// The chronicle window "Kronika Usuwanych Plików": the deleted files by date and alphabetically.
#include <windows.h>

#include <string>

#include "cleanup/Kronika.h"
#include "cleanup/win32/FormaCzyszczenia.h"

class TfrmKronikaUsuwanychPlikow : public TFormaCzyszczenia {
 public:
  ~TfrmKronikaUsuwanychPlikow() override;
  // Modal, freed when closed.
  void Pokaz(HWND wlasciciel, const std::string& plikKroniki);
  // Creates the window without showing it (tests and the screenshots drive it from there).
  bool Utworz(HWND wlasciciel, const std::string& plikKroniki);

  void FormCreate();
  void chbSciezkiClick();
  void strKronikaChange();
  const WidokKroniki& Widok() const { return widok_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Wypelnij();
  void Rozmiesc();
  void RysujWgDaty(const DRAWITEMSTRUCT& d);
  void RysujAlfabetycznie(const DRAWITEMSTRUCT& d);

  std::string plik_;
  WidokKroniki widok_;
  HFONT czcionkaDaty_ = nullptr;
};

void PokazKronikeUsuwanychPlikow(HWND wlasciciel, const std::string& plikKroniki);
