#pragma once
// The installed program's icon in the installer's windows: the distribution's icon file in an
// icon control, the system's application icon when the file cannot be read.
#include <windows.h>

#include <string>

class TIkonaProgramu {
 public:
  TIkonaProgramu() = default;
  ~TIkonaProgramu();
  TIkonaProgramu(const TIkonaProgramu&) = delete;
  TIkonaProgramu& operator=(const TIkonaProgramu&) = delete;

  // Loads the icon file at rozmiar x rozmiar pixels into the control; the icon lives as long as
  // this object.
  void Pokaz(HWND kontrolka, const std::string& plik, int rozmiar);

 private:
  HICON ikona_ = nullptr;
};
