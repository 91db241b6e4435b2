#pragma once
// The shortcut dialog TfrmSkrot: a name and a folder for the shortcut list. A non-empty Nazwa on
// entry means edit mode; an empty Nazwa afterwards means cancelled.
#include <windows.h>

#include <string>

#include "common/win32/Form.h"

class TfrmSkrot : public win::Form {
 public:
  std::string Nazwa;
  std::string Lokalizacja;

  int Pokaz(HWND owner = nullptr);

  void cmdOkClick();
  void cmdAnulujClick();
  void cmdZmienLokalizacjeFolderuClick();

 protected:
  bool OnClose() override {
    cmdAnulujClick();
    return true;
  }

 private:
  win::Edit tbNazwaSkrotu_, tbLokalizacjaFolderu_;
};

// The folder dialog, preset with a folder when it is not empty; the chosen folder, or empty.
std::string WybierzFolder(HWND owner, const std::string& tytul, const std::string& poczatkowy);
