#include "documents/win32/ListaDokumentow.h"

#include <commctrl.h>

#include <algorithm>

#include "common/WinTools.h"
#include "documents/ListaDokumentow.h"
#include "documents/MonitorowanieDokumentow.h"
#include "documents/win32/Znaczniki.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmListaDokumentow";
constexpr int kPanel = 40;  // width of the button panel on the right
constexpr int kPrzycisk = 30;
constexpr int kGlif = 20;
constexpr int kTekst = 50;  // where an item's title starts, after the two markers

// A button glyph of `bok` pixels drawn on the button face colour.
HBITMAP Glif(void (*rysuj)(HDC, const RECT&), int bok) {
  HDC ekran = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(ekran);
  HBITMAP b = CreateCompatibleBitmap(ekran, bok, bok);
  HGDIOBJ stary = SelectObject(dc, b);
  RECT r{0, 0, bok, bok};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  rysuj(dc, r);
  SelectObject(dc, stary);
  DeleteDC(dc);
  ReleaseDC(nullptr, ekran);
  return b;
}

}  // namespace

TfrmListaDokumentow::TfrmListaDokumentow(ZrodloDokumentow dokumenty, HWND glowne)
    : dokumenty_(std::move(dokumenty)), glowne_(glowne) {
  FormCreate();
  // A window that could not be made is released at once, as if closed: the main window would
  // otherwise keep it and its menu item disabled until the program ends.
  if (!Hwnd()) Zamknij();
}

TfrmListaDokumentow::~TfrmListaDokumentow() {
  Destroy();
  if (glifMonitoruj_) DeleteObject(glifMonitoruj_);
  if (glifWidok_) DeleteObject(glifWidok_);
}

void TfrmListaDokumentow::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.face = L"Tahoma";
  styl.resizable = true;
  styl.maximizeBox = false;
  styl.extraStyle = WS_MINIMIZEBOX;
  styl.extraExStyle = WS_EX_TOPMOST;
  if (!CreateForm(kKlasa, "Lista monitorowanych dokumentów", kSzerokosc, kWysokosc, nullptr, styl)) return;
  lstDokumenty_ = AddListBox("lstDokumenty", {0, 0, kSzerokosc - kPanel, kWysokosc},
                             WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                 LBS_NOINTEGRALHEIGHT);
  OnNotification(lstDokumenty_, [this](int kod) {
    if (kod == LBN_DBLCLK) cmdMonitorujDokumentClick();
  });
  panPrzyciski_ = AddLabel("panPrzyciski", "", {kSzerokosc - kPanel, 0, kPanel, kWysokosc});
  // The marker pictures as components of their own (not shown: the list draws them).
  imgOtwarty_ = AddControl(L"STATIC", "imgOtwarty", "", {0, 0, 16, 16}, SS_OWNERDRAW);
  imgMonitorowany_ = AddControl(L"STATIC", "imgMonitorowany", "", {0, 0, 16, 16}, SS_OWNERDRAW);
  DodajPrzyciski();
  // Escape, through the dialog keys of the message loop.
  SetClickHandler(IDCANCEL, [this] { Zamknij(); });
  RECT k{};
  GetClientRect(Hwnd(), &k);
  OnSize(k.right, k.bottom);
  Wypelnij(false);
}

void TfrmListaDokumentow::DodajPrzyciski() {
  glifMonitoruj_ = Glif(znaczniki::RysujMonitorowany, S(kGlif));
  glifWidok_ = Glif(znaczniki::RysujListe, S(kGlif));
  const DWORD styl = WS_VISIBLE | WS_TABSTOP | BS_BITMAP;
  const win::Box miejsce{0, 0, kPrzycisk, kPrzycisk};
  cmdMonitorujDokument_ =
      win::Button(AddControl(L"BUTTON", "cmdMonitorujDokument", "", miejsce, styl | BS_PUSHBUTTON).Hwnd());
  cmdWyswietlTylkoUruchomione_ = win::CheckBox(
      AddControl(L"BUTTON", "cmdWyswietlTylkoUruchomione", "", miejsce, styl | BS_AUTOCHECKBOX | BS_PUSHLIKE).Hwnd());
  cmdMonitorujDokument_.Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glifMonitoruj_));
  cmdWyswietlTylkoUruchomione_.Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glifWidok_));
  SetClickHandler(GetDlgCtrlID(cmdMonitorujDokument_.Hwnd()), [this] { cmdMonitorujDokumentClick(); });
  SetClickHandler(GetDlgCtrlID(cmdWyswietlTylkoUruchomione_.Hwnd()), [this] { cmdWyswietlTylkoUruchomioneClick(); });
  AddHint(cmdMonitorujDokument_, "Monitoruj dokument");
  AddHint(cmdWyswietlTylkoUruchomione_, "Sposób wyświetlania listy");
}

void TfrmListaDokumentow::OnSize(int szerokosc, int wysokosc) {
  if (!cmdWyswietlTylkoUruchomione_) return;  // sized while being created
  const int panel = S(kPanel), przycisk = S(kPrzycisk);
  lstDokumenty_.Place(0, 0, szerokosc - panel, wysokosc);
  panPrzyciski_.Place(szerokosc - panel, 0, panel, wysokosc);
  const int x = szerokosc - panel + (panel - przycisk) / 2;
  cmdMonitorujDokument_.Place(x, S(6), przycisk, przycisk);
  cmdWyswietlTylkoUruchomione_.Place(x, S(6) + przycisk + S(4), przycisk, przycisk);
  // A static does not repaint what it gains when it grows (seen under Wine: a white panel).
  InvalidateRect(panPrzyciski_.Hwnd(), nullptr, TRUE);
}

void TfrmListaDokumentow::Pokaz() {
  if (!Hwnd()) return;
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  lstDokumenty_.Focus();
}

void TfrmListaDokumentow::Wypelnij(bool pelny) {
  const TStringList pozycje = dokumenty_.widok(pelny);
  lstDokumenty_.Clear();
  int najszersza = 0;
  for (const std::string& p : pozycje) {
    lstDokumenty_.Add(p);
    najszersza = std::max(najszersza, win::TextWidth(Font(), p.size() > 2 ? p.substr(2) : "") + S(kTekst + 6));
  }
  lstDokumenty_.Send(LB_SETHORIZONTALEXTENT, najszersza);
}

TStringList TfrmListaDokumentow::Pozycje() const {
  TStringList out;
  for (int i = 0, n = lstDokumenty_.Count(); i < n; ++i) out.push_back(lstDokumenty_.Item(i));
  return out;
}

void TfrmListaDokumentow::cmdWyswietlTylkoUruchomioneClick() { Wypelnij(cmdWyswietlTylkoUruchomione_.Checked()); }

void TfrmListaDokumentow::cmdMonitorujDokumentClick() {
  const int i = lstDokumenty_.Selected();
  if (i < 0) return;
  const std::string przed = lstDokumenty_.Item(i);
  const std::string po = dokumenty_.przelacz(przed);
  if (!Hwnd() || po == przed) return;
  lstDokumenty_.Send(LB_DELETESTRING, i);
  lstDokumenty_.Send(LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(win::Widen(po).c_str()));
  lstDokumenty_.Select(i);
}

bool TfrmListaDokumentow::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  if (m.CtlType != ODT_LISTBOX) return false;
  m.itemHeight = win::TextHeight(Font()) + 1;
  return true;
}

bool TfrmListaDokumentow::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem == lstDokumenty_.Hwnd()) RysujPozycje(d);
  else if (d.hwndItem == imgOtwarty_.Hwnd()) znaczniki::RysujOtwarty(d.hDC, d.rcItem);
  else if (d.hwndItem == imgMonitorowany_.Hwnd()) znaczniki::RysujMonitorowany(d.hDC, d.rcItem);
  else return false;
  return true;
}

void TfrmListaDokumentow::RysujPozycje(const DRAWITEMSTRUCT& di) const {
  if (di.itemID == static_cast<UINT>(-1)) return;
  const bool zaznaczona = di.itemState & ODS_SELECTED;
  FillRect(di.hDC, &di.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  // "@" first: an open window; "#" second: a monitored document; the title after both.
  const std::string p = lstDokumenty_.Item(static_cast<int>(di.itemID));
  const RECT& r = di.rcItem;
  const int h = r.bottom - r.top, bok = std::max(8, h - 2), y = r.top + (h - bok) / 2;
  if (!p.empty() && p[0] == '@') znaczniki::RysujOtwarty(di.hDC, RECT{r.left + S(2), y, r.left + S(2) + bok, y + bok});
  if (p.size() > 1 && p[1] == '#')
    znaczniki::RysujMonitorowany(di.hDC, RECT{r.left + S(30), y, r.left + S(30) + bok, y + bok});
  if (p.size() > 2) {
    const std::wstring tytul = win::Widen(p.substr(2));
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ stary = SelectObject(di.hDC, Font());
    TextOutW(di.hDC, r.left + S(kTekst), r.top, tytul.c_str(), static_cast<int>(tytul.size()));
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

bool TfrmListaDokumentow::OnClose() {
  Zamknij();
  return true;
}

LRESULT TfrmListaDokumentow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{S(240), S(160)};
    return 0;
  }
  return Form::HandleMessage(msg, wp, lp);
}
