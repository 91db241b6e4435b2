#include "cleanup/win32/RodzajPliku.h"

#include <commctrl.h>

#include <algorithm>

#include "common/Komunika.h"
#include "common/WinTools.h"
#include "common/win32/WinToolsWin32.h"

namespace {
constexpr int kMin = 1, kMax = 1000;
}  // namespace

TfrmRodzajPliku::~TfrmRodzajPliku() {
  Destroy();
  for (Wiersz& w : wiersze_)
    if (w.ikona) DestroyIcon(w.ikona);
}

std::optional<ParaMaski> TfrmRodzajPliku::Pokaz(HWND wlasciciel, const std::string& maska, int dni) {
  wynik_.reset();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  if (!CreateForm(L"TfrmRodzajPliku", "Rodzaje plików", 380, 336, wlasciciel)) return std::nullopt;
  FormCreate(dni);
  WypelnijListe();
  if (!maska.empty()) {
    tbPlik_.SetText(maska);
    const std::string szukane = LowerCasePL(RozszerzenieMaski(maska));
    for (size_t i = 0; i < wiersze_.size(); ++i)
      if (wiersze_[i].rozszerzenie == szukane) {
        lstPliki_.Select(static_cast<int>(i));
        break;
      }
  }
  RunModal(wlasciciel, tbPlik_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmRodzajPliku::FormCreate(int dni) {
  lstPliki_ = AddListBox("lstPliki", {12, 12, 356, 214},
                         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS);
  OnNotification(lstPliki_, [this](int code) {
    if (code == LBN_SELCHANGE || code == LBN_DBLCLK) lstPlikiClick();
  });
  AddLabel("labMaska", "Pliki z maską:", {12, 241, 120, 16}, SS_LEFTNOWORDWRAP);
  tbPlik_ = AddEdit("tbPlik", {136, 237, 180, 21});
  tbPlik_.SetLimit(100);
  AddLabel("labWiek", "modyfikowany przed", {12, 271, 120, 16}, SS_LEFTNOWORDWRAP);
  spinWiekPliku_ = AddSpinBox("spinWiekPliku", {136, 267, 64, 21}, kMin, kMax, dni > 0 ? std::min(dni, kMax) : kMin,
                              ES_RIGHT);
  labDni_ = AddLabel("labDni", SlowoDni(Dni()), {206, 271, 60, 16});
  OnNotification(spinWiekPliku_, [this](int code) {
    if (code == EN_CHANGE) spinWiekPlikuChange();
  });
  AddButton("cmdOk", "OK", {198, 302, 80, 24}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {288, 302, 80, 24}, [this] { cmdAnulujClick(); }, IDCANCEL);
}

void TfrmRodzajPliku::WypelnijListe() {
  HCURSOR poprzedni = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  TStringList rozszerzenia;
  DajListeZarejestrowanychRozszerzen(rozszerzenia);
  std::sort(rozszerzenia.begin(), rozszerzenia.end());
  rozszerzenia.erase(std::unique(rozszerzenia.begin(), rozszerzenia.end()), rozszerzenia.end());
  lstPliki_.Send(WM_SETREDRAW, FALSE);
  for (const std::string& r : rozszerzenia) {
    wiersze_.push_back({r, DajOpisRozszerzenia(r)});
    lstPliki_.Add(r);
  }
  lstPliki_.Send(WM_SETREDRAW, TRUE);
  SetCursor(poprzedni);
}

int TfrmRodzajPliku::Dni() const {
  const std::string t = TrimBoth(spinWiekPliku_.Text());
  return IsNumber(t) && t.size() <= 5 ? std::stoi(t) : 0;
}

void TfrmRodzajPliku::lstPlikiClick() {
  const int i = lstPliki_.Selected();
  if (i < 0 || static_cast<size_t>(i) >= wiersze_.size()) return;
  tbPlik_.SetText(MaskaRozszerzenia(wiersze_[i].rozszerzenie));
}

void TfrmRodzajPliku::spinWiekPlikuChange() { labDni_.SetText(SlowoDni(Dni())); }

void TfrmRodzajPliku::cmdOkClick() {
  const std::string maska = TrimBoth(tbPlik_.Text());
  if (maska.empty()) {
    Komunikat("Żaden rodzaj pliku nie został wybrany!", rkOstrzezenie);
    tbPlik_.Focus();
    return;
  }
  // "#" separates the fields of the rules file; a path in a mask would name other folders.
  if (maska.find_first_of("#\\/:") != std::string::npos) {
    Komunikat("Maska pliku nie może zawierać znaków: # \\ / :", rkOstrzezenie);
    tbPlik_.Focus();
    return;
  }
  const int dni = Dni();
  if (dni < kMin || dni > kMax) {
    Komunikat("Podaj liczbę dni od 1 do 1000.", rkOstrzezenie);
    spinWiekPliku_.Focus();
    return;
  }
  wynik_ = ParaMaski{maska, dni};
  EndModal(IDOK);
}

void TfrmRodzajPliku::cmdAnulujClick() {
  // "Anuluj" empties the mask: nothing is added.
  wynik_.reset();
  EndModal(IDCANCEL);
}

bool TfrmRodzajPliku::OnClose() {
  cmdAnulujClick();
  return true;
}

bool TfrmRodzajPliku::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  m.itemHeight = S(18);
  return true;
}

bool TfrmRodzajPliku::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != lstPliki_.Hwnd()) return false;
  RysujWiersz(d);
  return true;
}

void TfrmRodzajPliku::RysujWiersz(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= wiersze_.size()) return;
  Wiersz& w = wiersze_[d.itemID];
  const bool zaznaczony = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczony ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (!w.ikonaCzytana) {
    w.ikonaCzytana = true;
    w.ikona = DajIkoneDlaRozszerzenia(w.rozszerzenie);
  }
  const int wys = d.rcItem.bottom - d.rcItem.top;
  if (w.ikona) DrawIconEx(d.hDC, d.rcItem.left + S(4), d.rcItem.top + (wys - S(16)) / 2, w.ikona, S(16), S(16), 0,
                          nullptr, DI_NORMAL);
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczony ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  auto pisz = [&](const std::string& tekst, int od, int doX) {
    RECT r = d.rcItem;
    r.left = d.rcItem.left + od;
    if (doX) r.right = d.rcItem.left + doX;
    const std::wstring t = win::Widen(tekst);
    DrawTextW(d.hDC, t.c_str(), static_cast<int>(t.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  };
  pisz(w.rozszerzenie, S(40), S(96));
  pisz(w.opis, S(100), 0);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

std::optional<ParaMaski> PokazRodzajPliku(HWND wlasciciel, const std::string& maska, int dni) {
  TfrmRodzajPliku okno;
  return okno.Pokaz(wlasciciel, maska, dni);
}
