#pragma once
// The error dialog "Komunikat błędu": where a problem happened and what it was; the user goes on
// ("Kontynuuj") or ends the program ("Zatrzymaj porgram").
#include <string>

#include "common/win32/Form.h"

class TfrmKomunikatBledu : public win::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TfrmKomunikatBledu";

  TfrmKomunikatBledu();
  ~TfrmKomunikatBledu() override;

  void Ustaw(const std::string& place, const std::string& text);
  // Modal; returns when the user continues.
  void Pokaz();

 protected:
  // DM_GETDEFID (which button Enter presses) and WM_ACTIVATE (the focus kept on a button).
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void FormCreate();
  // A button whose focus moves the default frame to it; id 0 lets the form choose one.
  win::Button Przycisk(const std::string& name, const std::string& text, win::Box at, int id, bool isDefault,
                       std::function<void()> onClick);
  void cmdOkClick();
  void cmdHaltClick();

  win::Control imgBlad_, labNaglowek_, labMiejsceNapis_, labMiejsce_, labTrescNapis_, labTresc_;
  win::Button cmdOk_, cmdHalt_;
};
