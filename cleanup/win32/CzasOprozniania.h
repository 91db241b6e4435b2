#pragma once
// The days dialog "Czas opróżniania": after how many days files go from the recycle bin or the
// temporary folder.
#include <windows.h>

#include "common/win32/Form.h"

class TfrmCzasOprozniania : public win::Form {
 public:
  ~TfrmCzasOprozniania() override;
  // Modal; the days (1 to 1000) on OK, 0 on "Anuluj" or closing. dni above 0 presets the box.
  int Pokaz(HWND wlasciciel, bool kosz, int dni);

  void cmdOkClick();

 protected:
  bool OnClose() override;

 private:
  void cmdAnulujClick();

  win::SpinBox spnCzasOprozniania_;
  HICON obrazek_ = nullptr;
  int wynik_ = 0;
};

// The dialog for the recycle bin (kosz) or the temporary folder; 0 when cancelled.
int PokazCzasOprozniania(HWND wlasciciel, bool kosz, int dni = 0);
