#pragma once
// The start window "Instalacja...", shown while the installer reads its script.
#include "installer/win32/FormaInstalatora.h"

class TfrmInicjalizacja : public TFormaInstalatora {
 public:
  // Creates and shows the window (not modal) and paints it at once.
  void Pokaz();
  void Zamknij() { Destroy(); }
};
