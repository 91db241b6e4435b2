#pragma once
// The start window "Instalacja...", shown while the installer reads its script.
#include "common/win32/Form.h"

class TfrmInicjalizacja : public win::Form {
 public:
  // Creates and shows the window (not modal) and paints it at once.
  void Pokaz();
  void Zamknij() { Destroy(); }
};
