#include "cleanup/win32/RodzajPliku.h"

#include <commctrl.h>

#include <algorithm>

#include "common/Komunika.h"
#include "common/WinTools.h"
#include "common/win32/WinToolsWin32.h"

namespace {
enum { idLista = 101, idMaska = 102, idWiek = 103, idWiekStrzalki = 104 };
constexpr int kMin = 1, kMax = 1000;
}  // namespace

TfrmRodzajPliku::~TfrmRodzajPliku() {
  for (Wiersz& w : wiersze_)
    if (w.ikona) DestroyIcon(w.ikona);
}

std::optional<ParaMaski> TfrmRodzajPliku::Pokaz(HWND wlasciciel, const std::string& maska, int dni) {
  wynik_.reset();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  if (!UtworzForme(L"TfrmRodzajPliku", "Rodzaje plików", 380, 336, wlasciciel)) return std::nullopt;
  win::CreateChild(Hwnd(), L"LISTBOX", "lstPliki", idLista, "",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                       LBS_HASSTRINGS,
                   S(12), S(12), S(356), S(214), WS_EX_CLIENTEDGE);
  Etykieta("labMaska", "Pliki z maską:", 12, 241, 120, 16, SS_LEFTNOWORDWRAP);
  HWND pole = win::CreateChild(Hwnd(), L"EDIT", "tbPlik", idMaska, "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                               S(136), S(237), S(180), S(21), WS_EX_CLIENTEDGE);
  SendMessageW(pole, EM_LIMITTEXT, 100, 0);
  Etykieta("labWiek", "modyfikowany przed", 12, 271, 120, 16, SS_LEFTNOWORDWRAP);
  HWND wiek = win::CreateChild(Hwnd(), L"EDIT", "spinWiekPliku", idWiek, "",
                               WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_RIGHT, S(136), S(267), S(64), S(21),
                               WS_EX_CLIENTEDGE);
  HWND strzalki = win::CreateChild(Hwnd(), UPDOWN_CLASSW, "spinWiekPlikuStrzalki", idWiekStrzalki, "",
                                   WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                   0, 0, 0, 0);
  SendMessageW(strzalki, UDM_SETBUDDY, reinterpret_cast<WPARAM>(wiek), 0);
  SendMessageW(strzalki, UDM_SETRANGE32, kMin, kMax);
  SendMessageW(strzalki, UDM_SETPOS32, 0, dni > 0 ? std::min(dni, kMax) : kMin);
  Etykieta("labDni", SlowoDni(Dni()), 206, 271, 60, 16);
  Przycisk("cmdOk", IDOK, "OK", 198, 302, 80, 24, true);
  Przycisk("cmdAnuluj", IDCANCEL, "Anuluj", 288, 302, 80, 24);

  WypelnijListe();
  if (!maska.empty()) {
    win::SetText(pole, maska);
    const std::string szukane = LowerCasePL(RozszerzenieMaski(maska));
    for (size_t i = 0; i < wiersze_.size(); ++i)
      if (wiersze_[i].rozszerzenie == szukane) {
        SendMessageW(Kontrolka("lstPliki"), LB_SETCURSEL, i, 0);
        break;
      }
  }
  SetFocus(pole);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

void TfrmRodzajPliku::WypelnijListe() {
  HCURSOR poprzedni = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  TStringList rozszerzenia;
  DajListeZarejestrowanychRozszerzen(rozszerzenia);
  std::sort(rozszerzenia.begin(), rozszerzenia.end());
  rozszerzenia.erase(std::unique(rozszerzenia.begin(), rozszerzenia.end()), rozszerzenia.end());
  HWND lista = Kontrolka("lstPliki");
  SendMessageW(lista, WM_SETREDRAW, FALSE, 0);
  for (const std::string& r : rozszerzenia) {
    wiersze_.push_back({r, DajOpisRozszerzenia(r)});
    SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(r).c_str()));
  }
  SendMessageW(lista, WM_SETREDRAW, TRUE, 0);
  SetCursor(poprzedni);
}

int TfrmRodzajPliku::Dni() const {
  const std::string t = TrimBoth(win::GetText(Kontrolka("spinWiekPliku")));
  return IsNumber(t) && t.size() <= 5 ? std::stoi(t) : 0;
}

void TfrmRodzajPliku::lstPlikiClick() {
  const LRESULT i = SendMessageW(Kontrolka("lstPliki"), LB_GETCURSEL, 0, 0);
  if (i < 0 || static_cast<size_t>(i) >= wiersze_.size()) return;
  win::SetText(Kontrolka("tbPlik"), MaskaRozszerzenia(wiersze_[i].rozszerzenie));
}

void TfrmRodzajPliku::spinWiekPlikuChange() { win::SetText(Kontrolka("labDni"), SlowoDni(Dni())); }

void TfrmRodzajPliku::cmdOkClick() {
  const std::string maska = TrimBoth(win::GetText(Kontrolka("tbPlik")));
  if (maska.empty()) {
    Komunikat("Żaden rodzaj pliku nie został wybrany!", rkOstrzezenie);
    SetFocus(Kontrolka("tbPlik"));
    return;
  }
  // "#" separates the fields of the rules file; a path in a mask would name other folders.
  if (maska.find_first_of("#\\/:") != std::string::npos) {
    Komunikat("Maska pliku nie może zawierać znaków: # \\ / :", rkOstrzezenie);
    SetFocus(Kontrolka("tbPlik"));
    return;
  }
  const int dni = Dni();
  if (dni < kMin || dni > kMax) {
    Komunikat("Podaj liczbę dni od 1 do 1000.", rkOstrzezenie);
    SetFocus(Kontrolka("spinWiekPliku"));
    return;
  }
  wynik_ = ParaMaski{maska, dni};
  EndModal(IDOK);
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

LRESULT TfrmRodzajPliku::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL:
          // "Anuluj" empties the mask: nothing is added.
          wynik_.reset();
          EndModal(IDCANCEL);
          return 0;
        case idLista:
          if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) lstPlikiClick();
          return 0;
        case idWiek:
          if (HIWORD(wp) == EN_CHANGE && Kontrolka("labDni")) spinWiekPlikuChange();
          return 0;
      }
      break;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = S(18);
      return TRUE;
    case WM_DRAWITEM:
      if (wp == idLista) {
        RysujWiersz(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      wynik_.reset();
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}

std::optional<ParaMaski> PokazRodzajPliku(HWND wlasciciel, const std::string& maska, int dni) {
  TfrmRodzajPliku okno;
  return okno.Pokaz(wlasciciel, maska, dni);
}
