#pragma once
// The chronicle window "Kronika Usuwanych Plików": the deleted files by date and alphabetically.
#include <windows.h>

#include <string>

#include "cleanup/Kronika.h"
#include "common/win32/Form.h"

class TfrmKronikaUsuwanychPlikow : public win::Form {
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
  // WM_GETMINMAXINFO, which no typed handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  void OnSize(int width, int height) override;
  bool OnNotify(NMHDR* n, LRESULT& result) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;

 private:
  void Wypelnij();
  void Rozmiesc();
  void RysujWgDaty(const DRAWITEMSTRUCT& d);
  void RysujAlfabetycznie(const DRAWITEMSTRUCT& d);

  std::string plik_;
  WidokKroniki widok_;
  win::Control strKronika_;
  win::ListBox lstWgDaty_, lstAlfabetyczna_;
  win::CheckBox chbSciezki_;
  win::Button cmdZamknij_;
};

void PokazKronikeUsuwanychPlikow(HWND wlasciciel, const std::string& plikKroniki);
