#pragma once
// The change-directory window "Zmień Katalog".
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "installer/Zmienkat.h"

class TfrmZmienKatalog : public win::Form {
 public:
  ~TfrmZmienKatalog() override;
  // Modal; the new destination on Ok, nothing on "Anuluj" or closing.
  std::optional<std::string> Pokaz(HWND wlasciciel, const std::string& sciezkaDocelowa);

  void cmdOkClick();
  void lstKatalogiDblClick();
  void cmbStacjaDyskowChange();
  void tbKatalogTworzonyChange();

 protected:
  bool OnClose() override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;

 private:
  void FormCreate();
  // Ok, or Enter: in the list Enter opens the directory, as a double click does.
  void Zatwierdz();
  void WypelnijKatalogi();
  void WypelnijStacje();
  void PokazWynik();
  void RysujPozycje(const DRAWITEMSTRUCT& d);

  std::unique_ptr<TZmianaKatalogu> zmiana_;
  std::vector<PozycjaKatalogu> pozycje_;
  std::string stacje_;  // the letters of the drive box, in its order
  std::optional<std::string> wynik_;
  HICON folderZamkniety_ = nullptr;
  HICON folderOtwarty_ = nullptr;
  win::Control labSciezkaDocelowa_;
  win::Edit tbKatalogTworzony_;
  win::ListBox lstKatalogi_;
  win::ComboBox cmbStacjaDyskow_;
};
