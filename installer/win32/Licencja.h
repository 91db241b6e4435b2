#pragma once
// The licence viewer "Licencja i Ograniczona Gwarancja".
#include <string>

#include "common/win32/Form.h"

class TfrmLicencja : public win::Form {
 public:
  // Modal; shows the text file (Windows-1250). False when the file cannot be read.
  bool Pokaz(HWND wlasciciel, const std::string& plik);

 protected:
  bool OnClose() override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  win::Edit memLicencja_;
};
