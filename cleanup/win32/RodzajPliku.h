#pragma once
// The file-kind dialog "Rodzaje plików": a mask (picked from the registered file extensions or
// typed) and the age in days after which such files go.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "cleanup/RegulyCzyszczenia.h"
#include "common/win32/Form.h"

class TfrmRodzajPliku : public win::Form {
 public:
  ~TfrmRodzajPliku() override;
  // Modal; the mask and days on OK, nothing on "Anuluj" or closing. Opened with a mask and days,
  // the box and the spin take them and the mask's extension is selected in the list.
  std::optional<ParaMaski> Pokaz(HWND wlasciciel, const std::string& maska = "", int dni = 0);

  void lstPlikiClick();
  void spinWiekPlikuChange();
  void cmdOkClick();

 protected:
  bool OnClose() override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;

 private:
  struct Wiersz {
    std::string rozszerzenie, opis;
    HICON ikona = nullptr;
    bool ikonaCzytana = false;
  };
  void FormCreate(int dni);
  void WypelnijListe();
  void RysujWiersz(const DRAWITEMSTRUCT& d);
  void cmdAnulujClick();
  int Dni() const;

  std::vector<Wiersz> wiersze_;
  std::optional<ParaMaski> wynik_;
  win::ListBox lstPliki_;
  win::Edit tbPlik_;
  win::SpinBox spinWiekPliku_;
  win::Control labDni_;
};

std::optional<ParaMaski> PokazRodzajPliku(HWND wlasciciel, const std::string& maska = "", int dni = 0);
