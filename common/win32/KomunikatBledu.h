#pragma once
// The error dialog "Komunikat błędu": where a problem happened and what it was; the user goes on
// ("Kontynuuj") or ends the program ("Zatrzymaj porgram").
#include <string>

#include "common/win32/Window.h"

class TfrmKomunikatBledu : public win::Window {
 public:
  static constexpr const wchar_t* kClassName = L"TfrmKomunikatBledu";

  TfrmKomunikatBledu();
  ~TfrmKomunikatBledu() override;

  void Ustaw(const std::string& place, const std::string& text);
  // Modal; returns when the user continues.
  void Pokaz();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void cmdOkClick();
  void cmdHaltClick();

  int dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT headingFont_ = nullptr;
  HWND imgBlad_ = nullptr;
  HWND labMiejsce_ = nullptr;
  HWND labTresc_ = nullptr;
  HWND cmdOk_ = nullptr;
  HWND cmdHalt_ = nullptr;
};
