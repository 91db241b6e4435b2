#pragma once
// The change-directory window "Zmień Katalog".
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "installer/Zmienkat.h"
#include "installer/win32/FormaInstalatora.h"

class TfrmZmienKatalog : public TFormaInstalatora {
 public:
  ~TfrmZmienKatalog() override;
  // Modal; the new destination on Ok, nothing on "Anuluj" or closing.
  std::optional<std::string> Pokaz(HWND wlasciciel, const std::string& sciezkaDocelowa);

  void cmdOkClick();
  void lstKatalogiDblClick();
  void cmbStacjaDyskowChange();
  void tbKatalogTworzonyChange();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
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
};
