#include "installer/win32/Zmienkat.h"

#include <shellapi.h>

#include "common/Komunika.h"
#include "platform/Platform.h"

namespace {

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
  Destroy();
  if (folderZamkniety_) DestroyIcon(folderZamkniety_);
  if (folderOtwarty_) DestroyIcon(folderOtwarty_);
}

std::optional<std::string> TfrmZmienKatalog::Pokaz(HWND wlasciciel, const std::string& sciezkaDocelowa) {
  wynik_.reset();
  zmiana_ = std::make_unique<TZmianaKatalogu>(sciezkaDocelowa);
  if (!CreateForm(L"TfrmZmienKatalog", "Zmień Katalog", 400, 332, wlasciciel)) return std::nullopt;
  // The shell's own folder pictures, asked by attribute so that no disk is touched.
  SHFILEINFOW info{};
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON))
    folderZamkniety_ = info.hIcon;
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON))
    folderOtwarty_ = info.hIcon;
  FormCreate();
  tbKatalogTworzony_.SetText(zmiana_->tworzony());
  WypelnijStacje();
  WypelnijKatalogi();
  PokazWynik();
  RunModal(wlasciciel, tbKatalogTworzony_.Hwnd());
  Destroy();
  return wynik_;
}

void TfrmZmienKatalog::FormCreate() {
  AddLabel("labInstaluje", "Instaluję program w katalogu:", {12, 12, 376, 14});
  labSciezkaDocelowa_ = AddControl(L"STATIC", "labSciezkaDocelowa", "", {12, 28, 376, 20},
                                   WS_VISIBLE | SS_NOPREFIX | SS_PATHELLIPSIS | SS_CENTERIMAGE, WS_EX_STATICEDGE);
  AddLabel("labTworzony", "Tworzony katalog:", {12, 60, 250, 14});
  tbKatalogTworzony_ = AddEdit("tbKatalogTworzony", {12, 76, 376, 21});
  tbKatalogTworzony_.SetLimit(200);
  OnNotification(tbKatalogTworzony_, [this](int code) {
    if (code == EN_CHANGE) tbKatalogTworzonyChange();
  });
  AddLabel("labKatalog", "Katalog:", {12, 108, 250, 14});
  lstKatalogi_ = AddListBox("lstKatalogi", {12, 124, 270, 150},
                            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS);
  OnNotification(lstKatalogi_, [this](int code) {
    if (code == LBN_DBLCLK) lstKatalogiDblClick();
  });
  AddLabel("labStacja", "Stacja dysków:", {12, 282, 250, 14});
  cmbStacjaDyskow_ = AddComboBox("cmbStacjaDyskow", {12, 298, 270, 200}, CBS_DROPDOWNLIST);
  OnNotification(cmbStacjaDyskow_, [this](int code) {
    if (code == CBN_SELCHANGE) cmbStacjaDyskowChange();
  });
  AddButton("cmdOk", "Ok", {298, 124, 90, 26}, [this] { Zatwierdz(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {298, 156, 90, 26}, [this] { EndModal(IDCANCEL); }, IDCANCEL);
}

void TfrmZmienKatalog::Zatwierdz() {
  if (GetFocus() == lstKatalogi_.Hwnd()) lstKatalogiDblClick();
  else cmdOkClick();
}

void TfrmZmienKatalog::WypelnijStacje() {
  cmbStacjaDyskow_.Clear();
  stacje_.clear();
  int wybrana = -1;
  for (char c = 'A'; c <= 'Z'; ++c) {
    const platform::DriveKind kind = platform::Fs().DriveType(c);
    // Letters with no drive behind them are left out; the destination's letter stays so that the
    // box can show it.
    if ((kind == platform::DriveKind::NoRoot || kind == platform::DriveKind::Unknown) && c != zmiana_->stacja())
      continue;
    cmbStacjaDyskow_.Add(OpisStacji(c));
    if (c == zmiana_->stacja()) wybrana = static_cast<int>(stacje_.size());
    stacje_ += c;
  }
  cmbStacjaDyskow_.Select(wybrana);
}

void TfrmZmienKatalog::WypelnijKatalogi() {
  lstKatalogi_.Send(WM_SETREDRAW, FALSE);
  lstKatalogi_.Clear();
  pozycje_ = PozycjeListyKatalogow(zmiana_->katalog());
  int biezacy = -1;
  for (size_t i = 0; i < pozycje_.size(); ++i) {
    lstKatalogi_.Add(pozycje_[i].nazwa);
    if (pozycje_[i].otwarty) biezacy = static_cast<int>(i);
  }
  lstKatalogi_.Select(biezacy);
  lstKatalogi_.Send(WM_SETREDRAW, TRUE);
  InvalidateRect(lstKatalogi_.Hwnd(), nullptr, TRUE);
}

void TfrmZmienKatalog::PokazWynik() { labSciezkaDocelowa_.SetText(zmiana_->Wynik()); }

void TfrmZmienKatalog::lstKatalogiDblClick() {
  const int i = lstKatalogi_.Selected();
  if (i < 0 || static_cast<size_t>(i) >= pozycje_.size()) return;
  zmiana_->UstawKatalog(pozycje_[i].sciezka);
  WypelnijKatalogi();
  PokazWynik();
}

void TfrmZmienKatalog::cmbStacjaDyskowChange() {
  const int i = cmbStacjaDyskow_.Selected();
  if (i < 0 || static_cast<size_t>(i) >= stacje_.size()) return;
  const char poprzednia = zmiana_->stacja();
  zmiana_->WybierzStacje(stacje_[i]);
  // Put the box on the drive the model kept (the destination's drive after a refused choice).
  const size_t pozycja = stacje_.find(zmiana_->stacja());
  cmbStacjaDyskow_.Select(pozycja == std::string::npos ? -1 : static_cast<int>(pozycja));
  if (zmiana_->stacja() != poprzednia || static_cast<size_t>(i) != pozycja) WypelnijKatalogi();
  PokazWynik();
}

void TfrmZmienKatalog::tbKatalogTworzonyChange() {
  zmiana_->UstawTworzony(tbKatalogTworzony_.Text());
  PokazWynik();
}

void TfrmZmienKatalog::cmdOkClick() {
  const std::string sciezka = zmiana_->Wynik();
  const std::string blad = SprawdzSciezkeDocelowa(sciezka);
  if (!blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    tbKatalogTworzony_.Focus();
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

bool TfrmZmienKatalog::OnClose() {
  EndModal(IDCANCEL);
  return true;
}

bool TfrmZmienKatalog::OnMeasureItem(MEASUREITEMSTRUCT& m) {
  m.itemHeight = S(18);
  return true;
}

bool TfrmZmienKatalog::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != lstKatalogi_.Hwnd()) return false;
  RysujPozycje(d);
  return true;
}
