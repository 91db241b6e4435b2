#include "options/win32/Opcje.h"

#include <windows.h>
#include <commctrl.h>

#include "common/Komunika.h"
#include "settings/win32/Pomoc.h"
#include "options/win32/Strony.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmOpcje";
enum : int { idNotes = 100, idPomoc = 101 };
constexpr int kSzerokosc = 634, kWysokosc = 429;

int S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}

constexpr UtworzStrone kStrony[kLiczbaStron] = {StronaIntensywnosci, StronaOstrzegania, StronaPrzypominania,
                                                StronaKlawiatury,    StronaSchowka,     StronaPlikowTymczasowych,
                                                StronaSkrotow,       StronaModemu};
// "OK" stores the limits and the reminders first and the warnings last.
constexpr Strona kKolejnoscZapisu[kLiczbaStron] = {Strona::Intensywnosc,    Strona::Przypominanie, Strona::Klawiatura,
                                                   Strona::Schowek,         Strona::PlikiTymczasowe,
                                                   Strona::Skroty,          Strona::Modem,         Strona::Ostrzeganie};

}  // namespace

HFONT TfrmOpcje::Czcionka() {
  static HFONT font = win::CreateFontPt(L"Tahoma", 8);
  return font;
}

TfrmOpcje::TfrmOpcje(KontekstOpcji kontekst) : kontekst_(std::move(kontekst)) { FormCreate(); }

TfrmOpcje::~TfrmOpcje() {
  for (auto& s : strony_) s.reset();
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmOpcje::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                            ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&icc);
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "Opcje", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100))
    return;
  win::SetFont(Hwnd(), Czcionka());
  win::SetClientSize(Hwnd(), S(kSzerokosc), S(kWysokosc));
  win::CenterOnScreen(Hwnd());

  notes_ = win::CreateChild(Hwnd(), WC_TABCONTROLW, "Notes", idNotes, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
                            S(6), S(6), S(kSzerokosc - 12), S(kWysokosc - 50));
  for (int i = 0; i < kLiczbaStron; ++i) {
    const std::wstring nazwa = win::Widen(NazwaStrony(i));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(nazwa.c_str());
    SendMessageW(notes_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT obszar{};
  GetClientRect(notes_, &obszar);
  SendMessageW(notes_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&obszar));
  MapWindowPoints(notes_, Hwnd(), reinterpret_cast<POINT*>(&obszar), 2);
  // Loading in the page order: the sliders, warnings, reminders, keyboard, clipboard, temporary
  // files, shortcuts, modem.
  for (int i = 0; i < kLiczbaStron; ++i) {
    strony_[i] = kStrony[i](Hwnd(), obszar, kontekst_);
    SetWindowPos(strony_[i]->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The what-is-this help of a control on a page opens that page's help.
    SetWindowContextHelpId(strony_[i]->Hwnd(), static_cast<DWORD>(KontekstPomocyStrony(i)));
    strony_[i]->Wczytaj();
    if (auto* k = dynamic_cast<KlawiszeZadan*>(strony_[i].get())) kontekst_.klawisze = k;
  }

  const int y = kWysokosc - 36, w = 84, h = 26;
  int x = kSzerokosc - 6 - 3 * w - 2 * 8;
  for (auto [nazwa, id, tekst] : {std::tuple{"cmdOk", IDOK, "OK"}, std::tuple{"cmdAnuluj", IDCANCEL, "Anuluj"},
                                  std::tuple{"cmdPomoc", static_cast<int>(idPomoc), "Pomoc"}}) {
    win::CreateChild(Hwnd(), L"BUTTON", nazwa, id, tekst,
                     WS_VISIBLE | WS_TABSTOP | (id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), S(x), S(y), S(w), S(h));
    x += w + 8;
  }
  WybierzStrone(0);
}

int TfrmOpcje::WybranaStrona() const { return notes_ ? static_cast<int>(SendMessageW(notes_, TCM_GETCURSEL, 0, 0)) : -1; }

void TfrmOpcje::WybierzStrone(int indeks) {
  if (indeks < 0 || indeks >= kLiczbaStron || !notes_) return;
  SendMessageW(notes_, TCM_SETCURSEL, indeks, 0);
  for (int i = 0; i < kLiczbaStron; ++i)
    if (strony_[i]) ShowWindow(strony_[i]->Hwnd(), i == indeks ? SW_SHOW : SW_HIDE);
}

int TfrmOpcje::Pokaz(HWND wlasciciel) {
  if (!Hwnd()) return IDCANCEL;
  if (!StronaStartowa.empty()) WybierzStrone(IndeksStrony(StronaStartowa));
  // An owner that stays on top (the shortcut list) would otherwise hide the dialog's middle.
  if (wlasciciel && (GetWindowLongPtrW(wlasciciel, GWL_EXSTYLE) & WS_EX_TOPMOST))
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetFocus(win::FindControl(Hwnd(), "cmdOk"));
  const int wynik = ShowModal(wlasciciel);
  return wynik == IDOK ? IDOK : IDCANCEL;
}

bool TfrmOpcje::cmdOkClick() {
  // A key field left by pressing Enter sets its key now.
  SetFocus(win::FindControl(Hwnd(), "cmdOk"));
  std::vector<StronaOpcji*> kolejnosc;
  for (Strona s : kKolejnoscZapisu) kolejnosc.push_back(strony_[static_cast<int>(s)].get());
  const WynikZapisuStron wynik = ZapiszStrony(kolejnosc);
  if (!wynik.zapisano) {
    // The page that refused comes to the front with its controls as the user left them.
    for (int i = 0; i < kLiczbaStron; ++i)
      if (strony_[i].get() == wynik.odmowa) WybierzStrone(i);
    Komunikat(wynik.ostrzezenie, rkOstrzezenie);
    return false;
  }
  EndModal(IDOK);
  return true;
}

void TfrmOpcje::cmdAnulujClick() { EndModal(IDCANCEL); }

void TfrmOpcje::cmdPomocClick() {
  const int kontekst = KontekstPomocyStrony(WybranaStrona());
  if (!kontekst) {
    PokazBlad("TfrmOpcje.cmdPomocClick", "Nierozpoznana zakładka");
    return;
  }
  OtworzPomoc(kontekst_.folderProgramu, kontekst);
}

LRESULT TfrmOpcje::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL: cmdAnulujClick(); return 0;
        case idPomoc: cmdPomocClick(); return 0;
      }
      break;
    case WM_NOTIFY: {
      const NMHDR* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->hwndFrom == notes_ && n->code == TCN_SELCHANGE) WybierzStrone(WybranaStrona());
      break;
    }
    case WM_HELP:  // the caption's help button, or F1
      cmdPomocClick();
      return TRUE;
    case WM_CLOSE:
      cmdAnulujClick();
      return 0;
  }
  return Default(msg, wp, lp);
}

bool PokazOknoOpcji(HWND wlasciciel, const std::string& strona, KontekstOpcji kontekst) {
  TfrmOpcje okno(std::move(kontekst));
  okno.StronaStartowa = strona;
  return okno.Pokaz(wlasciciel) == IDOK;
}
