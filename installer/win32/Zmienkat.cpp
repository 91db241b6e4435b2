#include "installer/win32/Zmienkat.h"

#include <shellapi.h>

#include "common/Komunika.h"
#include "platform/Platform.h"

namespace {
enum { kTworzony = 101, kKatalogi = 102, kStacje = 103 };
int S(int v) { return win::Scale(v, win::ScreenDpi()); }

std::string OpisStacji(char litera) {
  std::string opis = std::string(1, litera) + ":";
  switch (platform::Fs().DriveType(litera)) {
    case platform::DriveKind::Fixed: opis += "  [dysk lokalny]"; break;
    case platform::DriveKind::Removable: opis += "  [dysk wymienny]"; break;
    case platform::DriveKind::Remote: opis += "  [dysk sieciowy]"; break;
    case platform::DriveKind::CdRom: opis += "  [CD-ROM]"; break;
    case platform::DriveKind::RamDisk: opis += "  [RAM-dysk]"; break;
    default: break;
  }
  return opis;
}
}  // namespace

TfrmZmienKatalog::~TfrmZmienKatalog() {
  if (folderZamkniety_) DestroyIcon(folderZamkniety_);
  if (folderOtwarty_) DestroyIcon(folderOtwarty_);
}

std::optional<std::string> TfrmZmienKatalog::Pokaz(HWND wlasciciel, const std::string& sciezkaDocelowa) {
  wynik_.reset();
  zmiana_ = std::make_unique<TZmianaKatalogu>(sciezkaDocelowa);
  if (!UtworzForme(L"TfrmZmienKatalog", "Zmień Katalog", 400, 332, true, wlasciciel)) return std::nullopt;
  // The shell's own folder pictures, asked by attribute so that no disk is touched.
  SHFILEINFOW info{};
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON))
    folderZamkniety_ = info.hIcon;
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON))
    folderOtwarty_ = info.hIcon;

  Etykieta("labInstaluje", "Instaluję program w katalogu:", 12, 12, 376, 14);
  HWND wynik = Etykieta("labSciezkaDocelowa", "", 12, 28, 376, 20, SS_PATHELLIPSIS | SS_CENTERIMAGE);
  SetWindowLongPtrW(wynik, GWL_EXSTYLE, GetWindowLongPtrW(wynik, GWL_EXSTYLE) | WS_EX_STATICEDGE);
  SetWindowPos(wynik, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Etykieta("labTworzony", "Tworzony katalog:", 12, 60, 250, 14);
  HWND pole = Pole("tbKatalogTworzony", kTworzony, 12, 76, 376, 21);
  SendMessageW(pole, EM_LIMITTEXT, 200, 0);
  Etykieta("labKatalog", "Katalog:", 12, 108, 250, 14);
  win::CreateChild(Hwnd(), L"LISTBOX", "lstKatalogi", kKatalogi, "",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                       LBS_HASSTRINGS,
                   S(12), S(124), S(270), S(150), WS_EX_CLIENTEDGE);
  Etykieta("labStacja", "Stacja dysków:", 12, 282, 250, 14);
  win::CreateChild(Hwnd(), L"COMBOBOX", "cmbStacjaDyskow", kStacje, "",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, S(12), S(298), S(270), S(200));
  Przycisk("cmdOk", IDOK, "Ok", 298, 124, 90, 26, true);
  Przycisk("cmdAnuluj", IDCANCEL, "Anuluj", 298, 156, 90, 26);

  win::SetText(pole, zmiana_->tworzony());
  WypelnijStacje();
  WypelnijKatalogi();
  PokazWynik();
  SetFocus(pole);
  ShowModal(wlasciciel);
  Destroy();
  return wynik_;
}

void TfrmZmienKatalog::WypelnijStacje() {
  HWND box = Kontrolka("cmbStacjaDyskow");
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  stacje_.clear();
  int wybrana = -1;
  for (char c = 'A'; c <= 'Z'; ++c) {
    const platform::DriveKind kind = platform::Fs().DriveType(c);
    // Letters with no drive behind them are left out; the destination's letter stays so that the
    // box can show it.
    if ((kind == platform::DriveKind::NoRoot || kind == platform::DriveKind::Unknown) && c != zmiana_->stacja())
      continue;
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(OpisStacji(c)).c_str()));
    if (c == zmiana_->stacja()) wybrana = static_cast<int>(stacje_.size());
    stacje_ += c;
  }
  SendMessageW(box, CB_SETCURSEL, wybrana, 0);
}

void TfrmZmienKatalog::WypelnijKatalogi() {
  HWND lista = Kontrolka("lstKatalogi");
  SendMessageW(lista, WM_SETREDRAW, FALSE, 0);
  SendMessageW(lista, LB_RESETCONTENT, 0, 0);
  pozycje_ = PozycjeListyKatalogow(zmiana_->katalog());
  int biezacy = -1;
  for (size_t i = 0; i < pozycje_.size(); ++i) {
    SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(pozycje_[i].nazwa).c_str()));
    if (pozycje_[i].otwarty) biezacy = static_cast<int>(i);
  }
  SendMessageW(lista, LB_SETCURSEL, biezacy, 0);
  SendMessageW(lista, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(lista, nullptr, TRUE);
}

void TfrmZmienKatalog::PokazWynik() { win::SetText(Kontrolka("labSciezkaDocelowa"), zmiana_->Wynik()); }

void TfrmZmienKatalog::lstKatalogiDblClick() {
  const LRESULT i = SendMessageW(Kontrolka("lstKatalogi"), LB_GETCURSEL, 0, 0);
  if (i < 0 || static_cast<size_t>(i) >= pozycje_.size()) return;
  zmiana_->UstawKatalog(pozycje_[i].sciezka);
  WypelnijKatalogi();
  PokazWynik();
}

void TfrmZmienKatalog::cmbStacjaDyskowChange() {
  const LRESULT i = SendMessageW(Kontrolka("cmbStacjaDyskow"), CB_GETCURSEL, 0, 0);
  if (i < 0 || static_cast<size_t>(i) >= stacje_.size()) return;
  const char poprzednia = zmiana_->stacja();
  zmiana_->WybierzStacje(stacje_[i]);
  // Put the box on the drive the model kept (the destination's drive after a refused choice).
  const size_t pozycja = stacje_.find(zmiana_->stacja());
  SendMessageW(Kontrolka("cmbStacjaDyskow"), CB_SETCURSEL, pozycja == std::string::npos ? -1 : pozycja, 0);
  if (zmiana_->stacja() != poprzednia || static_cast<size_t>(i) != pozycja) WypelnijKatalogi();
  PokazWynik();
}

void TfrmZmienKatalog::tbKatalogTworzonyChange() {
  zmiana_->UstawTworzony(win::GetText(Kontrolka("tbKatalogTworzony")));
  PokazWynik();
}

void TfrmZmienKatalog::cmdOkClick() {
  const std::string sciezka = zmiana_->Wynik();
  const std::string blad = SprawdzSciezkeDocelowa(sciezka);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    SetFocus(Kontrolka("tbKatalogTworzony"));
    return;
  }
  wynik_ = sciezka;
  EndModal(IDOK);
}

void TfrmZmienKatalog::RysujPozycje(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= pozycje_.size()) return;
  const PozycjaKatalogu& p = pozycje_[d.itemID];
  const bool zaznaczona = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(zaznaczona ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int x = d.rcItem.left + S(2) + p.poziom * S(10);
  const int wys = d.rcItem.bottom - d.rcItem.top;
  const int ikona = S(16);
  if (HICON h = p.otwarty ? folderOtwarty_ : folderZamkniety_)
    DrawIconEx(d.hDC, x, d.rcItem.top + (wys - ikona) / 2, h, ikona, ikona, 0, nullptr, DI_NORMAL);
  RECT tekst = d.rcItem;
  tekst.left = x + ikona + S(4);
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(zaznaczona ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring nazwa = win::Widen(p.nazwa);
  DrawTextW(d.hDC, nazwa.c_str(), static_cast<int>(nazwa.size()), &tekst,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

LRESULT TfrmZmienKatalog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          // Enter in the list opens the directory, as a double click does.
          if (GetFocus() == Kontrolka("lstKatalogi")) lstKatalogiDblClick();
          else cmdOkClick();
          return 0;
        case IDCANCEL: EndModal(IDCANCEL); return 0;
        case kKatalogi:
          if (HIWORD(wp) == LBN_DBLCLK) lstKatalogiDblClick();
          return 0;
        case kStacje:
          if (HIWORD(wp) == CBN_SELCHANGE) cmbStacjaDyskowChange();
          return 0;
        case kTworzony:
          if (HIWORD(wp) == EN_CHANGE && zmiana_) tbKatalogTworzonyChange();
          return 0;
      }
      break;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      m->itemHeight = S(18);
      return TRUE;
    }
    case WM_DRAWITEM:
      if (wp == kKatalogi) {
        RysujPozycje(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}
