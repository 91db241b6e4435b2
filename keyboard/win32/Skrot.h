#pragma once
// The shortcut dialog TfrmSkrot: a name and a folder for the shortcut list. A non-empty Nazwa on
// entry means edit mode; an empty Nazwa afterwards means cancelled.
#include <windows.h>

#include <string>

#include "common/win32/Window.h"

class TfrmSkrot : public win::Window {
 public:
  TfrmSkrot() = default;
  ~TfrmSkrot() override;

  std::string Nazwa;
  std::string Lokalizacja;

  int Pokaz(HWND owner = nullptr);

  void cmdOkClick();
  void cmdAnulujClick();
  void cmdZmienLokalizacjeFolderuClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HWND tbNazwaSkrotu_ = nullptr, tbLokalizacjaFolderu_ = nullptr;
  HFONT font_ = nullptr;
};

// The folder dialog, preset with a folder when it is not empty; the chosen folder, or empty.
std::string WybierzFolder(HWND owner, const std::string& tytul, const std::string& poczatkowy);
