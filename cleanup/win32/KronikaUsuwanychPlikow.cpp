#include "cleanup/win32/KronikaUsuwanychPlikow.h"

#include <commctrl.h>

namespace {
constexpr int kSzerokosc = 560, kWysokosc = 420;

void Pisz(HDC dc, const std::string& tekst, RECT r, UINT format = 0) {
  const std::wstring t = win::Widen(tekst);
  DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | format);
}

// The background and text colours of a list item, selected or not.
void KoloryPozycji(const DRAWITEMSTRUCT& d) {
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
}
}  // namespace

TfrmKronikaUsuwanychPlikow::~TfrmKronikaUsuwanychPlikow() { Destroy(); }

bool TfrmKronikaUsuwanychPlikow::Utworz(HWND wlasciciel, const std::string& plikKroniki) {
  plik_ = plikKroniki;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.resizable = true;
  if (!CreateForm(L"TfrmKronikaUsuwanychPlikow", "Kronika Usuwanych Plików", kSzerokosc, kWysokosc, wlasciciel, styl))
    return false;
  FormCreate();
  return true;
}

void TfrmKronikaUsuwanychPlikow::FormCreate() {
  // Placed by Rozmiesc, which follows the window's size.
  strKronika_ = AddControl(WC_TABCONTROLW, "strKronika", "", {}, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Wg Daty");
  strKronika_.Send(TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.pszText = const_cast<wchar_t*>(L"Alfabetycznie");
  strKronika_.Send(TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
  const DWORD lista = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  lstWgDaty_ = AddListBox("lstWgDaty", {}, lista | LBS_OWNERDRAWVARIABLE);
  lstAlfabetyczna_ = AddListBox("lstAlfabetyczna", {}, lista | LBS_OWNERDRAWFIXED);
  lstAlfabetyczna_.Show(false);
  chbSciezki_ = AddCheckBox("chbSciezki", "Wyswietlaj pliki z pełnymi ścieżkami", {}, [this] { chbSciezkiClick(); });
  chbSciezki_.SetChecked(true);
  cmdZamknij_ = AddButton("cmdZamknij", "Zamknij", {}, [this] { EndModal(IDCANCEL); }, IDCANCEL, true);
  SetClickHandler(IDOK, [this] { EndModal(IDCANCEL); });
  Rozmiesc();
  Wypelnij();
  lstWgDaty_.Focus();
}

void TfrmKronikaUsuwanychPlikow::Rozmiesc() {
  RECT k;
  GetClientRect(Hwnd(), &k);
  const int w = k.right, h = k.bottom, m = S(8);
  const int dol = h - m - S(24);
  strKronika_.Place(m, m, w - 2 * m, dol - 2 * m);
  RECT obszar{m, m, w - m, dol - m};
  TabCtrl_AdjustRect(strKronika_.Hwnd(), FALSE, &obszar);
  for (const win::ListBox& l : {lstWgDaty_, lstAlfabetyczna_})
    l.Place(obszar.left, obszar.top, obszar.right - obszar.left, obszar.bottom - obszar.top);
  chbSciezki_.Place(m, dol + S(4), S(300), S(18));
  cmdZamknij_.Place(w - m - S(80), dol, S(80), S(24));
  InvalidateRect(lstAlfabetyczna_.Hwnd(), nullptr, TRUE);
}

void TfrmKronikaUsuwanychPlikow::Wypelnij() {
  HCURSOR poprzedni = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  widok_ = WczytajKronike(plik_, chbSciezki_.Checked());
  auto wstaw = [](const win::ListBox& lista, const TStringList& linie) {
    lista.Send(WM_SETREDRAW, FALSE);
    lista.Clear();
    for (const std::string& l : linie) lista.Add(l);
    lista.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(lista.Hwnd(), nullptr, TRUE);
  };
  wstaw(lstWgDaty_, widok_.wgDaty);
  wstaw(lstAlfabetyczna_, widok_.alfabetycznie);
  SetCursor(poprzedni);
}

void TfrmKronikaUsuwanychPlikow::chbSciezkiClick() { Wypelnij(); }

void TfrmKronikaUsuwanychPlikow::strKronikaChange() {
  const bool alfabetycznie = strKronika_.Send(TCM_GETCURSEL) == 1;
  lstWgDaty_.Show(!alfabetycznie);
  lstAlfabetyczna_.Show(alfabetycznie);
}

void TfrmKronikaUsuwanychPlikow::RysujWgDaty(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= widok_.wgDaty.size()) return;
  const std::string& linia = widok_.wgDaty[d.itemID];
  KoloryPozycji(d);
  RECT r = d.rcItem;
  if (LiniaPliku(linia)) {
    r.left += S(20);
    Pisz(d.hDC, TrimLeftSpaces(linia), r, DT_PATH_ELLIPSIS);
  } else {
    HGDIOBJ stara = SelectObject(d.hDC, win::FormFont(L"Arial", 15, Dpi()));
    r.left += S(4);
    Pisz(d.hDC, linia, r);
    SelectObject(d.hDC, stara);
  }
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

void TfrmKronikaUsuwanychPlikow::RysujAlfabetycznie(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= widok_.alfabetycznie.size()) return;
  const std::string& linia = widok_.alfabetycznie[d.itemID];
  KoloryPozycji(d);
  const HFONT czcionka = reinterpret_cast<HFONT>(GetCurrentObject(d.hDC, OBJ_FONT));
  auto szerokosc = [czcionka](const std::string& t) { return win::TextWidth(czcionka, t); };
  RECT lista;
  GetClientRect(d.hwndItem, &lista);
  const int kolumna = lista.right - szerokosc(kWzorDaty);
  if (linia == kBrakKroniki) {
    Pisz(d.hDC, linia, d.rcItem);
  } else {
    const auto [sciezka, data] = PodzielLinieKroniki(linia);
    const std::string tekst = TekstPlikuAlfabetycznie(sciezka, chbSciezki_.Checked(), kolumna, szerokosc);
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
  if (msg != WM_GETMINMAXINFO) return Form::HandleMessage(msg, wp, lp);
  reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {S(360), S(240)};
  return 0;
}

bool TfrmKronikaUsuwanychPlikow::OnClose() {
  EndModal(IDCANCEL);
  return true;
}

void TfrmKronikaUsuwanychPlikow::OnSize(int, int) {
  if (strKronika_) Rozmiesc();
}

bool TfrmKronikaUsuwanychPlikow::OnNotify(NMHDR* n, LRESULT&) {
  if (n->hwndFrom != strKronika_.Hwnd() || n->code != TCN_SELCHANGE) return false;
  strKronikaChange();
  return true;
}

bool TfrmKronikaUsuwanychPlikow::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  if (lstWgDaty_ && m.CtlID == static_cast<UINT>(GetDlgCtrlID(lstWgDaty_.Hwnd()))) {
    // Items are added in the view's order, so the new item's index names its line.
    const bool plik = m.itemID < widok_.wgDaty.size() && LiniaPliku(widok_.wgDaty[m.itemID]);
    m.itemHeight = S(plik ? 16 : 32);
  } else {
    m.itemHeight = S(16);
  }
  return true;
}

bool TfrmKronikaUsuwanychPlikow::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem == lstWgDaty_.Hwnd()) RysujWgDaty(d);
  else if (d.hwndItem == lstAlfabetyczna_.Hwnd()) RysujAlfabetycznie(d);
  return true;
}

void TfrmKronikaUsuwanychPlikow::Pokaz(HWND wlasciciel, const std::string& plikKroniki) {
  if (!Utworz(wlasciciel, plikKroniki)) return;
  RunModal(wlasciciel);
  Destroy();
}

void PokazKronikeUsuwanychPlikow(HWND wlasciciel, const std::string& plikKroniki) {
  TfrmKronikaUsuwanychPlikow okno;
  okno.Pokaz(wlasciciel, plikKroniki);
}
