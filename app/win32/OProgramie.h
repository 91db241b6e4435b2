#pragma once
// The about window: program name, version and what the program is; closes with "Zamknij".
#include <windows.h>

#include "common/win32/Window.h"

class TfrmOProgramie : public win::Window {
 public:
  TfrmOProgramie();
  ~TfrmOProgramie() override;

  // Creates the (hidden) window; ShowModal shows it.
  bool Utworz(HWND owner);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void cmdZamknijClick();
  void FormPaint();

  HWND owner_ = nullptr;
  HFONT fontNormal_ = nullptr;
  HFONT fontNazwa_ = nullptr;
  HFONT fontPodtytul_ = nullptr;
  HICON icon_ = nullptr;
  HICON iconSmall_ = nullptr;
  HWND cmdZamknij_ = nullptr;
};
