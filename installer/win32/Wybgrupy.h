#pragma once
// The group-name window "Program instalacyjny".
#include <optional>
#include <string>

#include "common/win32/Form.h"

class TfrmWyborGrupy : public win::Form {
 public:
  // Modal; the field starts with the current name, all selected. The new name on Ok, nothing on
  // "Anuluj" or closing.
  std::optional<std::string> Pokaz(HWND wlasciciel, const std::string& nazwaGrupy);

  void cmdOkClick();
  void cmdPomocClick();

 protected:
  bool OnClose() override;

 private:
  std::optional<std::string> wynik_;
  win::Edit tbNazwaGrupy_;
};
