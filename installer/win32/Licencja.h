#pragma once
// The licence viewer "Licencja i Ograniczona Gwarancja".
#include <string>

#include "installer/win32/FormaInstalatora.h"

class TfrmLicencja : public TFormaInstalatora {
 public:
  // Modal; shows the text file (Windows-1250). False when the file cannot be read.
  bool Pokaz(HWND wlasciciel, const std::string& plik);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};
