#include "documents/win32/ListaDokumentow.h"

#include <commctrl.h>

#include "common/WinTools.h"
#include "documents/ListaDokumentow.h"
#include "documents/MonitorowanieDokumentow.h"
#include "documents/win32/Znaczniki.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmListaDokumentow";
enum : int {
  idLstDokumenty = 10, idPanPrzyciski, idImgOtwarty, idImgMonitorowany, idCmdMonitorujDokument,
  idCmdWyswietlTylkoUruchomione,
};
constexpr int kPanel = 40;   // width of the button panel on the right
constexpr int kPrzycisk = 30;
constexpr int kGlif = 20;

// A button glyph drawn on the button face colour.
HBITMAP Glif(void (*rysuj)(HDC, const RECT&)) {
  HDC ekran = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(ekran);
  HBITMAP b = CreateCompatibleBitmap(ekran, kGlif, kGlif);
  HGDIOBJ stary = SelectObject(dc, b);
  RECT r{0, 0, kGlif, kGlif};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  rysuj(dc, r);
  SelectObject(dc, stary);
  DeleteDC(dc);
  ReleaseDC(nullptr, ekran);
  return b;
}

void Podpowiedz(HWND tip, HWND form, HWND control, const wchar_t* tekst) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = form;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = const_cast<wchar_t*>(tekst);
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace

TfrmListaDokumentow::TfrmListaDokumentow(TDokumenty& dokumenty, std::string znakiFiltrujace, HWND glowne)
    : dokumenty_(dokumenty), znaki_(std::move(znakiFiltrujace)), glowne_(glowne) {
  FormCreate();
}

TfrmListaDokumentow::~TfrmListaDokumentow() {
  if (lstDokumenty_) RemoveWindowSubclass(lstDokumenty_, ListaProc, 1);
  if (podpowiedzi_) DestroyWindow(podpowiedzi_);
  if (Hwnd()) DestroyWindow(Hwnd());
  if (font_) DeleteObject(font_);
  if (glifMonitoruj_) DeleteObject(glifMonitoruj_);
  if (glifWidok_) DeleteObject(glifWidok_);
}

void TfrmListaDokumentow::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterFormClass(kKlasa);
  const DWORD styl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD exStyl = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
  RECT r{0, 0, kSzerokosc, kWysokosc};
  AdjustWindowRectEx(&r, styl, FALSE, exStyl);
  HWND h = Create(kKlasa, "Lista monitorowanych dokumentów", styl, exStyl, CW_USEDEFAULT, CW_USEDEFAULT,
                  r.right - r.left, r.bottom - r.top);
  if (!h) return;
  font_ = win::CreateFontPt(L"Tahoma", 8);
  win::SetFont(h, font_);
  {
    HDC dc = GetDC(h);
    HGDIOBJ stary = SelectObject(dc, font_);
    SIZE s{};
    GetTextExtentPoint32W(dc, L"Tg", 2, &s);
    SelectObject(dc, stary);
    ReleaseDC(h, dc);
    wysokoscPozycji_ = s.cy + 1;
  }
  lstDokumenty_ = win::CreateChild(h, L"LISTBOX", "lstDokumenty", idLstDokumenty, "",
                                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                                       LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   0, 0, kSzerokosc - kPanel, kWysokosc, WS_EX_CLIENTEDGE);
  SendMessageW(lstDokumenty_, LB_SETITEMHEIGHT, 0, wysokoscPozycji_);
  SetWindowSubclass(lstDokumenty_, ListaProc, 1, reinterpret_cast<DWORD_PTR>(this));
  panPrzyciski_ = win::CreateChild(h, L"STATIC", "panPrzyciski", idPanPrzyciski, "", WS_VISIBLE,
                                   kSzerokosc - kPanel, 0, kPanel, kWysokosc);
  imgOtwarty_ = win::CreateChild(h, L"STATIC", "imgOtwarty", idImgOtwarty, "", SS_OWNERDRAW, 0, 0, 16, 16);
  imgMonitorowany_ = win::CreateChild(h, L"STATIC", "imgMonitorowany", idImgMonitorowany, "", SS_OWNERDRAW, 0, 0, 16,
                                      16);
  glifMonitoruj_ = Glif(znaczniki::RysujMonitorowany);
  glifWidok_ = Glif(znaczniki::RysujListe);
  cmdMonitorujDokument_ = win::CreateChild(h, L"BUTTON", "cmdMonitorujDokument", idCmdMonitorujDokument, "",
                                           WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0, 0, kPrzycisk,
                                           kPrzycisk);
  SendMessageW(cmdMonitorujDokument_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glifMonitoruj_));
  cmdWyswietlTylkoUruchomione_ = win::CreateChild(
      h, L"BUTTON", "cmdWyswietlTylkoUruchomione", idCmdWyswietlTylkoUruchomione, "",
      WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_BITMAP, 0, 0, kPrzycisk, kPrzycisk);
  SendMessageW(cmdWyswietlTylkoUruchomione_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glifWidok_));
  podpowiedzi_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, h,
                                 nullptr, win::Instance(), nullptr);
  if (podpowiedzi_) {
    Podpowiedz(podpowiedzi_, h, cmdMonitorujDokument_, L"Monitoruj dokument");
    Podpowiedz(podpowiedzi_, h, cmdWyswietlTylkoUruchomione_, L"Sposób wyświetlania listy");
  }
  Uloz(kSzerokosc, kWysokosc);
  Wypelnij(false);
  win::CenterOnScreen(h);
}

void TfrmListaDokumentow::Uloz(int szerokosc, int wysokosc) {
  MoveWindow(lstDokumenty_, 0, 0, szerokosc - kPanel, wysokosc, TRUE);
  MoveWindow(panPrzyciski_, szerokosc - kPanel, 0, kPanel, wysokosc, TRUE);
  const int x = szerokosc - kPanel + (kPanel - kPrzycisk) / 2;
  MoveWindow(cmdMonitorujDokument_, x, 6, kPrzycisk, kPrzycisk, TRUE);
  MoveWindow(cmdWyswietlTylkoUruchomione_, x, 6 + kPrzycisk + 4, kPrzycisk, kPrzycisk, TRUE);
}

void TfrmListaDokumentow::Pokaz() {
  if (!Hwnd()) return;
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(lstDokumenty_);
}

void TfrmListaDokumentow::Wypelnij(bool pelny) {
  TStringList tytuly;
  ListFilteredWindowTitles(tytuly, znaki_);
  const TStringList pozycje = pelny ? WidokPelny(tytuly, dokumenty_) : WidokOtwartych(tytuly, dokumenty_);
  SendMessageW(lstDokumenty_, LB_RESETCONTENT, 0, 0);
  HDC dc = GetDC(lstDokumenty_);
  HGDIOBJ stary = SelectObject(dc, font_);
  int najszersza = 0;
  for (const std::string& p : pozycje) {
    const std::wstring w = win::Widen(p);
    SendMessageW(lstDokumenty_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    SIZE s{};
    if (w.size() > 2) GetTextExtentPoint32W(dc, w.c_str() + 2, static_cast<int>(w.size() - 2), &s);
    najszersza = std::max<int>(najszersza, s.cx + 56);
  }
  SelectObject(dc, stary);
  ReleaseDC(lstDokumenty_, dc);
  SendMessageW(lstDokumenty_, LB_SETHORIZONTALEXTENT, najszersza, 0);
}

TStringList TfrmListaDokumentow::Pozycje() const {
  TStringList out;
  const int n = static_cast<int>(SendMessageW(lstDokumenty_, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    const int dl = static_cast<int>(SendMessageW(lstDokumenty_, LB_GETTEXTLEN, i, 0));
    std::wstring w(static_cast<size_t>(std::max(dl, 0)) + 1, L'\0');
    SendMessageW(lstDokumenty_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(std::max(dl, 0)));
    out.push_back(win::Narrow(w));
  }
  return out;
}

void TfrmListaDokumentow::cmdWyswietlTylkoUruchomioneClick() {
  Wypelnij(SendMessageW(cmdWyswietlTylkoUruchomione_, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void TfrmListaDokumentow::cmdMonitorujDokumentClick() {
  const int i = static_cast<int>(SendMessageW(lstDokumenty_, LB_GETCURSEL, 0, 0));
  if (i < 0) return;
  const std::string przed = Pozycje()[i];
  const std::string po = PrzelaczMonitorowanie(przed, dokumenty_);
  if (!Hwnd() || po == przed) return;
  const std::wstring w = win::Widen(po);
  SendMessageW(lstDokumenty_, LB_DELETESTRING, i, 0);
  SendMessageW(lstDokumenty_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(w.c_str()));
  SendMessageW(lstDokumenty_, LB_SETCURSEL, i, 0);
}

void TfrmListaDokumentow::RysujPozycje(const DRAWITEMSTRUCT& di) {
  if (di.itemID == static_cast<UINT>(-1)) return;
  const bool zaznaczona = di.itemState & ODS_SELECTED;
  FillRect(di.hDC, &di.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int dl = static_cast<int>(SendMessageW(lstDokumenty_, LB_GETTEXTLEN, di.itemID, 0));
  if (dl < 0) return;
  std::wstring w(static_cast<size_t>(dl) + 1, L'\0');
  SendMessageW(lstDokumenty_, LB_GETTEXT, di.itemID, reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(dl));
  const int h = di.rcItem.bottom - di.rcItem.top;
  const int bok = std::max(8, h - 2);
  const int y = di.rcItem.top + (h - bok) / 2;
  if (!w.empty() && w[0] == L'@') znaczniki::RysujOtwarty(di.hDC, RECT{di.rcItem.left + 2, y, di.rcItem.left + 2 + bok, y + bok});
  if (w.size() > 1 && w[1] == L'#')
    znaczniki::RysujMonitorowany(di.hDC, RECT{di.rcItem.left + 30, y, di.rcItem.left + 30 + bok, y + bok});
  if (w.size() > 2) {
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ stary = SelectObject(di.hDC, font_);
    TextOutW(di.hDC, di.rcItem.left + 50, di.rcItem.top, w.c_str() + 2, static_cast<int>(w.size() - 2));
    SelectObject(di.hDC, stary);
  }
  if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
}

void TfrmListaDokumentow::Zamknij() {
  if (zamkniete_) return;
  zamkniete_ = true;
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
  if (glowne_) PostMessageW(glowne_, WM_FREE_FORM, 0, KodOkna(Okno::ListaDokumentow));
}

LRESULT CALLBACK TfrmListaDokumentow::ListaProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  if (msg == WM_KEYUP && wp == VK_ESCAPE) {
    reinterpret_cast<TfrmListaDokumentow*>(self)->Zamknij();
    return 0;
  }
  return DefSubclassProc(h, msg, wp, lp);
}

LRESULT TfrmListaDokumentow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case idCmdMonitorujDokument:
          if (HIWORD(wp) == BN_CLICKED) cmdMonitorujDokumentClick();
          return 0;
        case idCmdWyswietlTylkoUruchomione:
          if (HIWORD(wp) == BN_CLICKED) cmdWyswietlTylkoUruchomioneClick();
          return 0;
        case idLstDokumenty:
          if (HIWORD(wp) == LBN_DBLCLK) cmdMonitorujDokumentClick();
          return 0;
        case IDCANCEL:
          Zamknij();  // Escape through the dialog keys of the message loop
          return 0;
      }
      break;
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (di->CtlID == idLstDokumenty) RysujPozycje(*di);
      else if (di->CtlID == idImgOtwarty) znaczniki::RysujOtwarty(di->hDC, di->rcItem);
      else if (di->CtlID == idImgMonitorowany) znaczniki::RysujMonitorowany(di->hDC, di->rcItem);
      return TRUE;
    }
    case WM_SIZE:
      if (lstDokumenty_) Uloz(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize = POINT{240, 160};
      return 0;
    }
    case WM_CLOSE:
      Zamknij();
      return 0;
  }
  return Default(msg, wp, lp);
}
