#pragma once
// The painter TOPisak as a Win32 child control (window class "TOPisak"). Its text is set with
// WM_SETTEXT / SetText and may carry formatting commands; WM_GETTEXT answers with what it shows,
// the words without the commands.
#include <windows.h>

#include <string>

#include "common/Pisak.h"
#include "common/win32/Window.h"

namespace win {

// pisak::Plotno on a GDI device context. Fonts it creates are released when it goes.
class GdiPlotno : public pisak::Plotno {
 public:
  explicit GdiPlotno(HDC dc);
  ~GdiPlotno() override;
  GdiPlotno(const GdiPlotno&) = delete;
  GdiPlotno& operator=(const GdiPlotno&) = delete;

  void SetFont(const pisak::Czcionka& font) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void Pisz(int x, int y, const std::string& text) override;
  void FillRect(int left, int top, int right, int bottom, uint32_t color) override;

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

// The painter font of an HFONT (face, height, style), in a colour.
pisak::Czcionka CzcionkaZ(HFONT font, COLORREF color);

class PisakControl : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"TOPisak";

  HWND Create(HWND parent, const std::string& name, int id, int x, int y, int width, int height);

  void UstawTekst(const std::string& text) { SetText(Hwnd(), text); }
  void UstawCentrowanie(bool centre);
  bool Centrowanie() const { return core_.Centrowanie; }
  // Height the text needs, in this control's pixels.
  int WymaganaWysokosc();
  const pisak::TOPisak& Rdzen() const { return core_; }

 protected:
  // The text, the font and the system colours, which no typed handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint(HDC dc, const RECT& dirty) override;
  void OnSize(int width, int height) override;

 private:
  pisak::TOPisak core_;
  HFONT font_ = nullptr;
  COLORREF textColor_ = 0;
};

}  // namespace win
