#include "common/win32/PisakControl.h"

#include <algorithm>

namespace win {

namespace {

// GDI copes badly with absurd font heights from a "size" command; keep them in a sane range.
constexpr int32_t kMaxFontHeight = 400;

}  // namespace

GdiPlotno::GdiPlotno(HDC dc) : dc_(dc) {
  original_ = GetCurrentObject(dc, OBJ_FONT);
  SetBkMode(dc, TRANSPARENT);
}

GdiPlotno::~GdiPlotno() {
  SelectObject(dc_, original_);
  if (font_) DeleteObject(font_);
}

void GdiPlotno::SetFont(const pisak::Czcionka& f) {
  LOGFONTW lf{};
  lf.lfHeight = std::clamp(f.height, -kMaxFontHeight, kMaxFontHeight);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = Widen(f.face);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT created = CreateFontIndirectW(&lf);
  if (created) {
    SelectObject(dc_, created);
    if (font_) DeleteObject(font_);
    font_ = created;
  }
  SetTextColor(dc_, f.color);
}

int GdiPlotno::TextWidth(const std::string& text) {
  std::wstring w = Widen(text);
  SIZE s{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return s.cx;
}

int GdiPlotno::TextHeight(const std::string& text) {
  std::wstring w = Widen(text);
  SIZE s{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return s.cy;
}

void GdiPlotno::Pisz(int x, int y, const std::string& text) {
  std::wstring w = Widen(text);
  ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

void GdiPlotno::FillRect(int left, int top, int right, int bottom, uint32_t color) {
  RECT r{left, top, right, bottom};
  HBRUSH b = CreateSolidBrush(color);
  ::FillRect(dc_, &r, b);
  DeleteObject(b);
}

pisak::Czcionka CzcionkaZ(HFONT font, COLORREF color) {
  pisak::Czcionka c;
  LOGFONTW lf{};
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GetObjectW(font, sizeof lf, &lf);
  c.face = Narrow(lf.lfFaceName, lstrlenW(lf.lfFaceName));
  c.height = lf.lfHeight;
  c.bold = lf.lfWeight >= FW_SEMIBOLD;
  c.italic = lf.lfItalic != 0;
  c.underline = lf.lfUnderline != 0;
  c.color = color;
  return c;
}

// ---------------------------------------------------------------------------------------------

HWND PisakControl::Create(HWND parent, const std::string& name, int id, int x, int y, int width, int height) {
  RegisterFormClass(kClassName, 0, nullptr);
  textColor_ = GetSysColor(COLOR_WINDOWTEXT);
  core_.UstawKolor(GetSysColor(COLOR_BTNFACE));
  core_.UstawCzcionke(CzcionkaZ(nullptr, textColor_));
  core_.UstawSzerokosc(width);
  HWND hwnd = Window::Create(kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, x, y, width, height, parent,
                             id);
  if (!hwnd) return nullptr;
  if (!name.empty()) SetControlName(hwnd, name);
  if (auto f = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0))) SetFont(hwnd, f);
  return hwnd;
}

void PisakControl::UstawCentrowanie(bool centre) {
  core_.Centrowanie = centre;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

int PisakControl::WymaganaWysokosc() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  int h;
  {
    GdiPlotno canvas(dc);
    h = core_.WymaganaWysokosc(canvas);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return h;
}

void PisakControl::OnPaint(HDC dc, const RECT& dirty) {
  RECT client;
  GetClientRect(Hwnd(), &client);
  // Painted off screen, so that a repaint never flickers.
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  HBRUSH back = CreateSolidBrush(core_.Kolor());
  ::FillRect(mem, &client, back);
  DeleteObject(back);
  {
    GdiPlotno canvas(mem);
    core_.Rysuj(canvas, dirty.left, dirty.top, dirty.right, dirty.bottom);
  }
  BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, mem, dirty.left, dirty.top,
         SRCCOPY);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void PisakControl::OnSize(int width, int) {
  core_.UstawSzerokosc(width);
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

LRESULT PisakControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(lp);
      core_.UstawTekst(text ? Narrow(text, lstrlenW(text)) : std::string());
      // The window text is what a reader sees; the commands stay with the painter.
      std::wstring shown = Widen(core_.TekstWidoczny());
      LRESULT r = Default(msg, 0, reinterpret_cast<LPARAM>(shown.c_str()));
      InvalidateRect(Hwnd(), nullptr, FALSE);
      return r;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      core_.UstawCzcionke(CzcionkaZ(font_, textColor_));
      if (lp) InvalidateRect(Hwnd(), nullptr, FALSE);
      return Default(msg, wp, lp);
    case WM_SYSCOLORCHANGE:
      textColor_ = GetSysColor(COLOR_WINDOWTEXT);
      core_.UstawKolor(GetSysColor(COLOR_BTNFACE));
      core_.UstawCzcionke(CzcionkaZ(font_, textColor_));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace win
