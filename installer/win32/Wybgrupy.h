#pragma once
// The group-name window "Program instalacyjny".
#include <optional>
#include <string>

#include "installer/win32/FormaInstalatora.h"

class TfrmWyborGrupy : public TFormaInstalatora {
 public:
  // Modal; the field starts with the current name, all selected. The new name on Ok, nothing on
  // "Anuluj" or closing.
  std::optional<std::string> Pokaz(HWND wlasciciel, const std::string& nazwaGrupy);

  void cmdOkClick();
  void cmdPomocClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::optional<std::string> wynik_;
};
