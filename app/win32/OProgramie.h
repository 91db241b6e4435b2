#pragma once
// The about window: program name, version and what the program is; closes with "Zamknij".
#include <windows.h>

#include "common/win32/Form.h"

class TfrmOProgramie : public win::Form {
 public:
  TfrmOProgramie();
  ~TfrmOProgramie() override;

  // Creates the (hidden) window; ShowModal shows it.
  bool Utworz(HWND owner);

 protected:
  bool OnClose() override;
  void OnPaint(HDC dc, const RECT& dirty) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void FormCreate();
  void cmdZamknijClick();

  HICON icon_ = nullptr;
  HICON iconSmall_ = nullptr;
  win::Control labNazwa_;
  win::Button cmdZamknij_;
};
