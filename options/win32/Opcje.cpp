#include "options/win32/Opcje.h"

#include <windows.h>
#include <commctrl.h>

#include "common/Komunika.h"
#include "options/OpcjeZaawansowane.h"
#include "options/win32/OpcjeZaawansowane.h"
#include "options/win32/Strony.h"
#include "settings/win32/Pomoc.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmOpcje";
constexpr int kSzerokosc = 634, kWysokosc = 429;
constexpr UINT_PTR kZegarNieczytelnych = 1;

constexpr UtworzStrone kStrony[kLiczbaStron] = {StronaIntensywnosci, StronaOstrzegania, StronaPrzypominania,
                                                StronaKlawiatury,    StronaSchowka,     StronaPlikowTymczasowych,
                                                StronaSkrotow,       StronaModemu};
// "OK" checks the limits and the reminders first and the warnings last; the page "Klawiatura"
// before the key fields of "Schowek" and "Skróty", which set their keys among its rows.
constexpr Strona kKolejnoscSprawdzania[kLiczbaStron] = {
    Strona::Intensywnosc, Strona::Przypominanie, Strona::Klawiatura, Strona::Schowek,
    Strona::PlikiTymczasowe, Strona::Skroty, Strona::Modem, Strona::Ostrzeganie};

}  // namespace

TfrmOpcje::TfrmOpcje(UstawieniaKalmo szkic, OtwarcieOpcji otwarcie, HWND wlasciciel)
    : szkic_(std::move(szkic)), zapisane_(szkic_), otwarcie_(std::move(otwarcie)), wlasciciel_(wlasciciel) {
  FormCreate();
}

TfrmOpcje::~TfrmOpcje() {
  // The pages point into the draft and into this dialog: they go first, the last page first.
  for (auto it = strony_.rbegin(); it != strony_.rend(); ++it) it->reset();
  Destroy();
}

void TfrmOpcje::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                            ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&icc);
  win::FormStyle styl;
  styl.face = L"Tahoma";
  styl.contextHelp = true;
  // Owned by the hidden main window (or the shortcut list), yet a window of its own on the taskbar.
  styl.extraExStyle = WS_EX_APPWINDOW;
  if (!CreateForm(kKlasa, "Opcje", kSzerokosc, kWysokosc, wlasciciel_, styl)) return;

  notes_ = AddControl(WC_TABCONTROLW, "Notes", "", {6, 6, kSzerokosc - 12, kWysokosc - 50},
                      WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE);
  for (int i = 0; i < kLiczbaStron; ++i) {
    const std::wstring nazwa = win::Widen(NazwaStrony(i));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(nazwa.c_str());
    notes_.Send(TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  OnNotifyFrom(notes_, [this](NMHDR& n) -> LRESULT {
    if (n.code == TCN_SELCHANGE) WybierzStrone(WybranaStrona());
    return 0;
  });
  const RECT obszar = ObszarStron();
  for (int i = 0; i < kLiczbaStron; ++i) {
    strony_[i] = kStrony[i](Hwnd(), obszar, *this);
    SetWindowPos(strony_[i]->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The what-is-this help of a control on a page opens that page's help.
    SetWindowContextHelpId(strony_[i]->Hwnd(), static_cast<DWORD>(KontekstPomocyStrony(i)));
    strony_[i]->Wczytaj();
  }

  const int y = kWysokosc - 36, w = 84, h = 26;
  const int x = kSzerokosc - 6 - 3 * w - 2 * 8;
  AddButton("cmdOk", "OK", {x, y, w, h}, [this] { cmdOkClick(); }, IDOK, true);
  AddButton("cmdAnuluj", "Anuluj", {x + w + 8, y, w, h}, [this] { cmdAnulujClick(); }, IDCANCEL);
  AddButton("cmdPomoc", "Pomoc", {x + 2 * (w + 8), y, w, h}, [this] { cmdPomocClick(); });
  WybierzStrone(0);
}

RECT TfrmOpcje::ObszarStron() const {
  RECT obszar{};
  GetClientRect(notes_.Hwnd(), &obszar);
  notes_.Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&obszar));
  MapWindowPoints(notes_.Hwnd(), Hwnd(), reinterpret_cast<POINT*>(&obszar), 2);
  return obszar;
}

void TfrmOpcje::OnDpiApplied(int) {
  if (!notes_) return;
  const RECT obszar = ObszarStron();
  for (const auto& strona : strony_)
    if (strona)
      SetWindowPos(strona->Hwnd(), nullptr, obszar.left, obszar.top, obszar.right - obszar.left,
                   obszar.bottom - obszar.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmOpcje::WybranaStrona() const { return notes_ ? static_cast<int>(notes_.Send(TCM_GETCURSEL)) : -1; }

void TfrmOpcje::WybierzStrone(int indeks) {
  if (indeks < 0 || indeks >= kLiczbaStron || !notes_) return;
  notes_.Send(TCM_SETCURSEL, indeks);
  // The page left goes first, so what it hands to the draft is there when the next one shows.
  for (int i = 0; i < kLiczbaStron; ++i)
    if (strony_[i] && i != indeks) ShowWindow(strony_[i]->Hwnd(), SW_HIDE);
  if (strony_[indeks]) ShowWindow(strony_[indeks]->Hwnd(), SW_SHOW);
}

int TfrmOpcje::Pokaz() {
  if (!Hwnd()) return IDCANCEL;
  if (!otwarcie_.strona.empty()) WybierzStrone(IndeksStrony(otwarcie_.strona));
  // Said once the dialog is on the screen, above it.
  if (!TekstNieczytelnych(szkic_).empty()) SetTimer(Hwnd(), kZegarNieczytelnych, 0, nullptr);
  return RunModal(wlasciciel_, Find("cmdOk")) == IDOK ? IDOK : IDCANCEL;
}

bool TfrmOpcje::OnTimer(UINT_PTR id) {
  if (id != kZegarNieczytelnych) return false;
  KillTimer(Hwnd(), id);
  Komunikat(TekstNieczytelnych(szkic_), rkOstrzezenie);
  return true;
}

bool TfrmOpcje::cmdOkClick() {
  std::vector<StronaOpcji*> kolejnosc;
  for (Strona s : kKolejnoscSprawdzania) kolejnosc.push_back(strony_[static_cast<int>(s)].get());
  const OdmowaStrony odmowa = SprawdzStrony(kolejnosc);
  if (odmowa.strona) {
    // The page that refused comes to the front with its controls as the user left them.
    for (int i = 0; i < kLiczbaStron; ++i)
      if (strony_[i].get() == odmowa.strona) WybierzStrone(i);
    Komunikat(odmowa.ostrzezenie, rkOstrzezenie);
    return false;
  }
  if (!Zastosuj(szkic_, kWszystkieCzesci)) return false;
  EndModal(IDOK);
  return true;
}

bool TfrmOpcje::Zastosuj(const UstawieniaKalmo& u, uint32_t czesci) {
  const WynikZapisuUstawien wynik = otwarcie_.zastosuj(u, czesci);
  if (wynik.Zapisano(CzescUstawien::Limity)) {
    zapisane_.limity = u.limity;
    zapisane_.programy = u.programy;
  }
  if (wynik.Zapisano(CzescUstawien::CzasBezczynnosci)) zapisane_.czasBezczynnosci = u.czasBezczynnosci;
  if (wynik.Zapisano()) return true;
  Komunikat(TekstNiezapisanych(wynik), rkStop);
  return false;
}

void TfrmOpcje::OpcjeZaawansowane() {
  // Only the fields moved there are stored, over the limits as stored; the draft takes the same
  // fields, so "OK" keeps them.
  TfrmOpcjeZaawansowane okno(Hwnd(), szkic_,
                             [this](const PolozeniaZaawansowane& poczatkowe, const PolozeniaZaawansowane& teraz) {
                               UstawieniaKalmo zapis = zapisane_;
                               ZastosujZaawansowane(zapis, poczatkowe, teraz);
                               if (!Zastosuj(zapis, kCzesciZaawansowane)) return false;
                               ZastosujZaawansowane(szkic_, poczatkowe, teraz);
                               return true;
                             });
  okno.Pokaz();
}

void TfrmOpcje::cmdAnulujClick() { EndModal(IDCANCEL); }

void TfrmOpcje::cmdPomocClick() {
  const int kontekst = KontekstPomocyStrony(WybranaStrona());
  if (!kontekst) {
    PokazBlad("TfrmOpcje.cmdPomocClick", "Nierozpoznana zakładka");
    return;
  }
  OtworzPomoc(otwarcie_.folderProgramu, kontekst);
}

bool TfrmOpcje::OnClose() {
  cmdAnulujClick();
  return true;
}

bool TfrmOpcje::OnHelp(const HELPINFO&) {  // the caption's help button, or F1
  cmdPomocClick();
  return true;
}

bool PokazOknoOpcji(HWND wlasciciel, UstawieniaKalmo szkic, OtwarcieOpcji otwarcie) {
  TfrmOpcje okno(std::move(szkic), std::move(otwarcie), wlasciciel);
  return okno.Pokaz() == IDOK;
}
