#include "cleanup/win32/KronikaUsuwanychPlikow.h"

#include <commctrl.h>

namespace {
enum { idStrony = 101, idWgDaty = 102, idAlfabetyczna = 103, idSciezki = 104 };
constexpr int kSzerokosc = 560, kWysokosc = 420;

bool Zaznaczone(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Pisz(HDC dc, const std::string& tekst, RECT r, UINT format = 0) {
  const std::wstring t = win::Widen(tekst);
  DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | format);
}

int Szerokosc(HDC dc, const std::string& tekst) {
  const std::wstring t = win::Widen(tekst);
  SIZE s{};
  GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &s);
  return s.cx;
}
}  // namespace

TfrmKronikaUsuwanychPlikow::~TfrmKronikaUsuwanychPlikow() {
  Destroy();
  if (czcionkaDaty_) DeleteObject(czcionkaDaty_);
}

bool TfrmKronikaUsuwanychPlikow::Utworz(HWND wlasciciel, const std::string& plikKroniki) {
  plik_ = plikKroniki;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  if (!UtworzForme(L"TfrmKronikaUsuwanychPlikow", "Kronika Usuwanych Plików", kSzerokosc, kWysokosc, wlasciciel,
                   true))
    return false;
  FormCreate();
  return true;
}

void TfrmKronikaUsuwanychPlikow::FormCreate() {
  czcionkaDaty_ = win::CreateFontPt(L"Arial", 15);
  HWND strony = win::CreateChild(Hwnd(), WC_TABCONTROLW, "strKronika", idStrony, "",
                                 WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 10, 10);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Wg Daty");
  SendMessageW(strony, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.pszText = const_cast<wchar_t*>(L"Alfabetycznie");
  SendMessageW(strony, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
  const DWORD lista = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  win::CreateChild(Hwnd(), L"LISTBOX", "lstWgDaty", idWgDaty, "", WS_VISIBLE | lista | LBS_OWNERDRAWVARIABLE, 0, 0, 10,
                   10, WS_EX_CLIENTEDGE);
  win::CreateChild(Hwnd(), L"LISTBOX", "lstAlfabetyczna", idAlfabetyczna, "", lista | LBS_OWNERDRAWFIXED, 0, 0, 10, 10,
                   WS_EX_CLIENTEDGE);
  HWND sciezki = win::CreateChild(Hwnd(), L"BUTTON", "chbSciezki", idSciezki, "Wyswietlaj pliki z pełnymi ścieżkami",
                                  WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 10);
  SendMessageW(sciezki, BM_SETCHECK, BST_CHECKED, 0);
  Przycisk("cmdZamknij", IDCANCEL, "Zamknij", 0, 0, 80, 24, true);
  Rozmiesc();
  Wypelnij();
  SetFocus(Kontrolka("lstWgDaty"));
}

void TfrmKronikaUsuwanychPlikow::Rozmiesc() {
  RECT k;
  GetClientRect(Hwnd(), &k);
  const int w = k.right, h = k.bottom, m = S(8);
  const int dol = h - m - S(24);
  MoveWindow(Kontrolka("strKronika"), m, m, w - 2 * m, dol - 2 * m, TRUE);
  RECT obszar{m, m, w - m, dol - m};
  TabCtrl_AdjustRect(Kontrolka("strKronika"), FALSE, &obszar);
  for (const char* n : {"lstWgDaty", "lstAlfabetyczna"})
    MoveWindow(Kontrolka(n), obszar.left, obszar.top, obszar.right - obszar.left, obszar.bottom - obszar.top, TRUE);
  MoveWindow(Kontrolka("chbSciezki"), m, dol + S(4), S(300), S(18), TRUE);
  MoveWindow(Kontrolka("cmdZamknij"), w - m - S(80), dol, S(80), S(24), TRUE);
  InvalidateRect(Kontrolka("lstAlfabetyczna"), nullptr, TRUE);
}

void TfrmKronikaUsuwanychPlikow::Wypelnij() {
  HCURSOR poprzedni = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  widok_ = WczytajKronike(plik_, Zaznaczone(Kontrolka("chbSciezki")));
  auto wstaw = [](HWND lista, const TStringList& linie) {
    SendMessageW(lista, WM_SETREDRAW, FALSE, 0);
    SendMessageW(lista, LB_RESETCONTENT, 0, 0);
    for (const std::string& l : linie) SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(l).c_str()));
    SendMessageW(lista, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lista, nullptr, TRUE);
  };
  wstaw(Kontrolka("lstWgDaty"), widok_.wgDaty);
  wstaw(Kontrolka("lstAlfabetyczna"), widok_.alfabetycznie);
  SetCursor(poprzedni);
}

void TfrmKronikaUsuwanychPlikow::chbSciezkiClick() { Wypelnij(); }

void TfrmKronikaUsuwanychPlikow::strKronikaChange() {
  const bool alfabetycznie = SendMessageW(Kontrolka("strKronika"), TCM_GETCURSEL, 0, 0) == 1;
  ShowWindow(Kontrolka("lstWgDaty"), alfabetycznie ? SW_HIDE : SW_SHOW);
  ShowWindow(Kontrolka("lstAlfabetyczna"), alfabetycznie ? SW_SHOW : SW_HIDE);
}

void TfrmKronikaUsuwanychPlikow::RysujWgDaty(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= widok_.wgDaty.size()) return;
  const std::string& linia = widok_.wgDaty[d.itemID];
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT r = d.rcItem;
  if (LiniaPliku(linia)) {
    r.left += S(20);
    Pisz(d.hDC, TrimLeftSpaces(linia), r, DT_PATH_ELLIPSIS);
  } else {
    HGDIOBJ stara = SelectObject(d.hDC, czcionkaDaty_);
    r.left += S(4);
    Pisz(d.hDC, linia, r);
    SelectObject(d.hDC, stara);
  }
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

void TfrmKronikaUsuwanychPlikow::RysujAlfabetycznie(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= widok_.alfabetycznie.size()) return;
  const std::string& linia = widok_.alfabetycznie[d.itemID];
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT lista;
  GetClientRect(d.hwndItem, &lista);
  const int kolumna = lista.right - Szerokosc(d.hDC, kWzorDaty);
  if (linia == kBrakKroniki) {
    Pisz(d.hDC, linia, d.rcItem);
  } else {
    const auto [sciezka, data] = PodzielLinieKroniki(linia);
    const std::string tekst = TekstPlikuAlfabetycznie(sciezka, Zaznaczone(Kontrolka("chbSciezki")), kolumna,
                                                      [&](const std::string& t) { return Szerokosc(d.hDC, t); });
    RECT r = d.rcItem;
    r.right = kolumna;
    Pisz(d.hDC, tekst, r, DT_END_ELLIPSIS);
    r = d.rcItem;
    r.left = kolumna;
    Pisz(d.hDC, data, r);
  }
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

LRESULT TfrmKronikaUsuwanychPlikow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
        case IDCANCEL: EndModal(IDCANCEL); return 0;
        case idSciezki:
          if (HIWORD(wp) == BN_CLICKED) chbSciezkiClick();
          return 0;
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lp)->idFrom == idStrony && reinterpret_cast<NMHDR*>(lp)->code == TCN_SELCHANGE) {
        strKronikaChange();
        return 0;
      }
      break;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (m->CtlID == idWgDaty) {
        // Items are added in the view's order, so the new item's index names its line.
        const bool plik = m->itemID < widok_.wgDaty.size() && LiniaPliku(widok_.wgDaty[m->itemID]);
        m->itemHeight = S(plik ? 16 : 32);
      } else {
        m->itemHeight = S(16);
      }
      return TRUE;
    }
    case WM_DRAWITEM:
      if (wp == idWgDaty) RysujWgDaty(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      else if (wp == idAlfabetyczna) RysujAlfabetycznie(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_SIZE:
      if (Kontrolka("strKronika")) Rozmiesc();
      break;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {S(360), S(240)};
      return 0;
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}

void TfrmKronikaUsuwanychPlikow::Pokaz(HWND wlasciciel, const std::string& plikKroniki) {
  if (!Utworz(wlasciciel, plikKroniki)) return;
  ShowModal(wlasciciel);
  Destroy();
}

void PokazKronikeUsuwanychPlikow(HWND wlasciciel, const std::string& plikKroniki) {
  TfrmKronikaUsuwanychPlikow okno;
  okno.Pokaz(wlasciciel, plikKroniki);
}
