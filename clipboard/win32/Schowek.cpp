#include "clipboard/win32/Schowek.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "common/Komunika.h"
#include "common/WinTools.h"
#include "platform/Platform.h"
#include "settings/Komunikaty.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmSchowek";
enum { idLstSchowek = 101, idLabSzukaj = 102 };
constexpr UINT_PTR kTimerWklejania = 1;
constexpr UINT kOkresWklejania = 20;     // ms between looks at the keys still held
constexpr int kCzekanieNaKlawisze = 500;  // ticks: ten seconds, then the text just stays on the clipboard
constexpr UINT kOdpowiedzOkna = 250;      // ms a program has to show it answers before it gets the focus

// The clipboard may be held open by another program for a moment.
bool OtworzSchowek(HWND owner) {
  for (int i = 0; i < 10; ++i) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

UINT Format(const wchar_t* nazwa) { return RegisterClipboardFormatW(nazwa); }

// Keys that would change what Ctrl+V means, or type into the window, while still held: the
// hotkey's modifiers and the Enter that chose the item.
bool KlawiszeWcisniete() {
  for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, VK_RETURN})
    if (GetAsyncKeyState(vk) & 0x8000) return true;
  return false;
}

void NacisnijCtrlV() {
  INPUT klawisze[4] = {};
  const WORD vk[4] = {VK_CONTROL, 'V', 'V', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    klawisze[i].type = INPUT_KEYBOARD;
    klawisze[i].ki.wVk = vk[i];
    klawisze[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk[i], MAPVK_VK_TO_VSC));
    klawisze[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    klawisze[i].ki.dwExtraInfo = kKlawiszKalmo;  // never read as a hotkey bound to Ctrl+V
  }
  SendInput(4, klawisze, sizeof(INPUT));
}

}  // namespace

bool CzytajTekstSchowka(HWND owner, std::string& tekst) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  if (!OtworzSchowek(owner)) return false;
  bool ok = false;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      // Never read past the block, whether or not it ends with a NUL.
      const size_t max = GlobalSize(h) / sizeof(wchar_t);
      size_t n = 0;
      while (n < max && p[n]) ++n;
      tekst = win::Narrow(p, static_cast<int>(n));
      ok = true;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return ok;
}

bool UstawTekstSchowka(HWND owner, const std::string& tekst) {
  const std::wstring w = win::Widen(tekst);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
  if (!h) return false;
  auto* p = static_cast<wchar_t*>(GlobalLock(h));
  std::copy(w.begin(), w.end(), p);
  p[w.size()] = 0;
  GlobalUnlock(h);
  if (!OtworzSchowek(owner)) {
    GlobalFree(h);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(h);
  return ok;
}

bool SchowekTajny(HWND owner) {
  if (IsClipboardFormatAvailable(Format(L"ExcludeClipboardContentFromMonitorProcessing")) ||
      IsClipboardFormatAvailable(Format(L"Clipboard Viewer Ignore")))
    return true;
  const UINT historia = Format(L"CanIncludeInClipboardHistory");
  if (!IsClipboardFormatAvailable(historia)) return false;
  // Present but unreadable: kept out, as the mark was meant to say something.
  if (!OtworzSchowek(owner)) return true;
  bool tajny = true;
  if (HANDLE h = GetClipboardData(historia)) {
    if (GlobalSize(h) >= sizeof(DWORD)) {
      if (const auto* p = static_cast<const DWORD*>(GlobalLock(h))) {
        tajny = *p == 0;
        GlobalUnlock(h);
      }
    }
  }
  CloseClipboard();
  return tajny;
}

TfrmSchowek::~TfrmSchowek() {
  if (Hwnd() && sluchacz_) RemoveClipboardFormatListener(Hwnd());
  if (lista_) win::DestroyControl(lista_.Hwnd());
  if (labSzukaj_) win::DestroyControl(labSzukaj_.Hwnd());
  Destroy();
  if (menu_) DestroyMenu(menu_);
  if (font_) DeleteObject(font_);
  if (tlo_) DeleteObject(tlo_);
}

bool TfrmSchowek::Utworz() {
  RegisterFormClass(kKlasa);
  // No border and no caption, on top, no taskbar button.
  if (!Create(kKlasa, "Schowek", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 367, 100)) return false;
  SetCommandHandler(idLstSchowek, [this](int code) {
    if (code == LBN_DBLCLK) Wklej();
  });
  menu_ = CreatePopupMenu();
  AppendMenuW(menu_, MF_STRING, kIdMnuWklej, L"Wklej\tEnter");
  AppendMenuW(menu_, MF_STRING, kIdMnuUsun, L"Usuń pozycję\tDel");
  AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu_, MF_STRING, kIdMnuWyczysc, L"Wyczyść historię...\tCtrl+Del");
  SetClickHandler(kIdMnuWklej, [this] { Wklej(); });
  SetClickHandler(kIdMnuUsun, [this] { UsunZaznaczona(); });
  SetClickHandler(kIdMnuWyczysc, [this] { WyczyscHistorie(); });
  // Without the value or its key (settings removed while running) the history runs on the
  // first-run options, quietly. A value of another size is reported and kept aside rather than
  // read in a different layout.
  OpcjeSchowka opcje = OpcjeSchowka::PierwszeUruchomienie();
  const auto zapisane = platform::Reg().ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjeSchowka);
  if (zapisane && zapisane->size() == OpcjeSchowka::kRozmiar) {
    opcje = OpcjeSchowka::FromBytes(*zapisane);
  } else if (zapisane) {
    std::vector<uint8_t> bajty(OpcjeSchowka::kRozmiar);
    GetRegistryBinary(kKluczKalmo, wartosc::OpcjeSchowka, bajty.data(), static_cast<int>(bajty.size()));
  }
  ZastosujOpcje(opcje);
  // A listener depends on no other program, as a viewer chain does. A text already on the
  // clipboard is the first item.
  sluchacz_ = AddClipboardFormatListener(Hwnd()) != FALSE;
  if (aktywny_) ZbierzTekst();
  return true;
}

void TfrmSchowek::UtworzListe() {
  // Made when the history is first shown: a program that never opens it keeps the list box's
  // library and its memory out of its resting cost.
  if (lista_) return;
  lista_ = win::ListBox(win::CreateChild(Hwnd(), L"LISTBOX", "lstSchowek", idLstSchowek, "",
                                         WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                                         367, 100));
  labSzukaj_ = win::Control(win::CreateChild(Hwnd(), L"STATIC", "labSzukaj", idLabSzukaj, "",
                                             SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_CENTERIMAGE, 0, 0, 367, 16));
  win::SetControlMessageHandler(lista_.Hwnd(), [this](UINT msg, WPARAM wp, LPARAM, LRESULT& wynik) {
    return KlawiszListy(msg, wp, wynik);
  });
  SetRememberedFocus(lista_.Hwnd());
  win::SetFont(lista_.Hwnd(), font_, false);
  win::SetFont(labSzukaj_.Hwnd(), font_, false);
}

void TfrmSchowek::ZastosujOpcje(const OpcjeSchowka& o) {
  const int szer = o.szerokosc > 0 ? o.szerokosc : 367;
  const int wys = o.wysokosc > 0 ? o.wysokosc : 100;
  SetWindowPos(Hwnd(), nullptr, 0, 0, szer, wys, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  kolorTla_ = static_cast<COLORREF>(o.kolorTla & 0xFFFFFF);
  kolorTekstu_ = static_cast<COLORREF>(o.kolorCzcionki & 0xFFFFFF);
  if (tlo_) DeleteObject(tlo_);
  tlo_ = CreateSolidBrush(kolorTla_);
  const std::wstring nazwa = win::Widen(o.czcionka.empty() ? std::string("MS Sans Serif") : o.czcionka);
  HFONT nowa = win::CreateFontPt(nazwa.c_str(), o.rozmiarCzcionki > 0 ? o.rozmiarCzcionki : 8,
                                 o.styl & OpcjeSchowka::StylPogrubiona, o.styl & OpcjeSchowka::StylKursywa,
                                 o.styl & OpcjeSchowka::StylPodkreslona);
  if (o.styl & OpcjeSchowka::StylPrzekreslona) {
    LOGFONTW lf{};
    GetObjectW(nowa, sizeof lf, &lf);
    lf.lfStrikeOut = TRUE;
    DeleteObject(nowa);
    nowa = CreateFontIndirectW(&lf);
  }
  if (lista_) {
    win::SetFont(lista_.Hwnd(), nowa, true);
    win::SetFont(labSzukaj_.Hwnd(), nowa, true);
  }
  if (font_) DeleteObject(font_);
  font_ = nowa;
  historia_.UstawBuforKB(o.buforKB);
  aktywny_ = o.aktywny;
  OdswiezListe();
}

void TfrmSchowek::ZbierzTekst() {
  // What a password manager marks as secret never enters the history.
  if (SchowekTajny(Hwnd())) return;
  std::string tekst;
  if (CzytajTekstSchowka(Hwnd(), tekst)) DodajTekst(tekst);
}

void TfrmSchowek::DodajTekst(const std::string& tekst) {
  if (aktywny_ && historia_.Dodaj(tekst)) OdswiezListe();
}

void TfrmSchowek::OdswiezListe(int zaznacz) {
  const std::string szukany = win::Narrow(szukany_);
  widok_ = historia_.Pasujace(szukany);
  if (!lista_) return;
  lista_.Send(WM_SETREDRAW, FALSE);
  lista_.Clear();
  for (size_t i : widok_) lista_.Add(TekstPozycjiSchowka(historia_.Pozycje()[i].tekst));
  const int ostatnia = static_cast<int>(widok_.size()) - 1;
  lista_.Select(zaznacz >= 0 && zaznacz < ostatnia ? zaznacz : ostatnia);
  lista_.Send(WM_SETREDRAW, TRUE);
  InvalidateRect(lista_.Hwnd(), nullptr, TRUE);
  // A space ahead keeps the text off the window's edge.
  labSzukaj_.SetText(szukany.empty() ? ""
                                     : " " + OpisWyszukiwaniaSchowka(szukany, widok_.size(), historia_.Pozycje().size()));
  Uloz();
}

void TfrmSchowek::Uloz() {
  if (!lista_) return;
  RECT r{};
  GetClientRect(Hwnd(), &r);
  // The search line under the list, one line of the history's font, while a search is typed.
  int linia = 0;
  if (!szukany_.empty()) {
    linia = 16;
    if (HDC dc = GetDC(labSzukaj_.Hwnd())) {
      HGDIOBJ stara = SelectObject(dc, font_);
      SIZE s{};
      if (GetTextExtentPoint32W(dc, L"Ąg", 2, &s)) linia = s.cy + 4;
      SelectObject(dc, stara);
      ReleaseDC(labSzukaj_.Hwnd(), dc);
    }
    linia = std::min(linia, static_cast<int>(r.bottom / 2));
  }
  lista_.Place(0, 0, r.right, r.bottom - linia);
  labSzukaj_.Place(0, r.bottom - linia, r.right, linia);
  labSzukaj_.Show(linia > 0);
}

void TfrmSchowek::UstawSzukany(const std::wstring& szukany) {
  if (szukany == szukany_) return;
  szukany_ = szukany;
  OdswiezListe();
}

void TfrmSchowek::PokazSchowek(HWND focus, HWND topLevel, int x, int y) {
  UtworzListe();
  // The hotkey pressed again while the history is open: it stays where it is and keeps the window
  // it pastes into.
  if (IsWindowVisible(Hwnd()) && focus && (focus == Hwnd() || IsChild(Hwnd(), focus))) {
    lista_.Focus();
    return;
  }
  KillTimer(Hwnd(), kTimerWklejania);  // a paste still waiting for its keys is given up
  fokus_ = focus;
  glowneOkno_ = topLevel;
  szukany_.clear();
  OdswiezListe();
  int wysokoscI = 13;
  if (HDC dc = GetDC(lista_.Hwnd())) {
    HGDIOBJ stara = SelectObject(dc, font_);
    SIZE s{};
    if (GetTextExtentPoint32W(dc, L"I", 1, &s)) wysokoscI = s.cy;
    SelectObject(dc, stara);
    ReleaseDC(lista_.Hwnd(), dc);
  }
  RECT r{};
  GetWindowRect(Hwnd(), &r);
  const PolozenieSchowka p =
      PolozSchowek(x, y, r.right - r.left, r.bottom - r.top, GetSystemMetrics(SM_CXSCREEN),
                   GetSystemMetrics(SM_CYSCREEN), WysokoscLiniiSchowka(wysokoscI));
  SetWindowPos(Hwnd(), HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  lista_.Focus();
}

void TfrmSchowek::Wklej() { Zamknij(true); }

void TfrmSchowek::Ukryj() { Zamknij(false); }

int TfrmSchowek::Zaznaczona() const {
  if (!lista_) return -1;
  const int i = lista_.Selected();
  return i >= 0 && static_cast<size_t>(i) < widok_.size() ? static_cast<int>(widok_[i]) : -1;
}

void TfrmSchowek::Zamknij(bool wklej) {
  bool wklejaj = false;
  if (wklej) {
    const int i = Zaznaczona();
    if (i < 0) return;
    // The whole text as copied, also when the list shows only its start. Putting it on the
    // clipboard makes it the newest item.
    wklejaj = UstawTekstSchowka(Hwnd(), historia_.Pozycje()[i].tekst);
  }
  ShowWindow(Hwnd(), SW_HIDE);
  PrzywrocFokus();
  if (!wklejaj || !glowneOkno_) return;
  // Ctrl+V, which every program that takes text understands (WM_PASTE reaches edit controls
  // only), pressed when the keys of the hotkey and of the choice are up.
  czekanieNaKlawisze_ = kCzekanieNaKlawisze;
  SetTimer(Hwnd(), kTimerWklejania, kOkresWklejania, nullptr);
}

void TfrmSchowek::PrzywrocFokus() {
  if (!glowneOkno_ || !IsWindow(glowneOkno_)) return;
  SetForegroundWindow(glowneOkno_);
  if (!fokus_ || !IsWindow(fokus_)) return;
  // The focus window belongs to another program's thread as a rule: its input is shared for the
  // moment of the call. Giving it the focus waits for that thread, so a program that does not
  // answer keeps the focus it has, and Kalmo goes on.
  if (!SendMessageTimeoutW(fokus_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kOdpowiedzOkna, nullptr)) return;
  const DWORD self = GetCurrentThreadId();
  const DWORD watek = GetWindowThreadProcessId(fokus_, nullptr);
  const bool wspolne = watek != self && AttachThreadInput(self, watek, TRUE);
  SetFocus(fokus_);
  if (wspolne) AttachThreadInput(self, watek, FALSE);
}

bool TfrmSchowek::OnTimer(UINT_PTR id) {
  if (id != kTimerWklejania) return false;
  if (KlawiszeWcisniete() && --czekanieNaKlawisze_ > 0) return true;
  KillTimer(Hwnd(), kTimerWklejania);
  // Only into the window it was opened over: the keys go wherever the keyboard is.
  const HWND przod = GetForegroundWindow();
  if (czekanieNaKlawisze_ > 0 && glowneOkno_ && przod && GetAncestor(przod, GA_ROOT) == glowneOkno_) NacisnijCtrlV();
  return true;
}

void TfrmSchowek::UsunZaznaczona() {
  const int i = Zaznaczona();
  if (i < 0) return;
  const int wiersz = lista_.Selected();
  historia_.Usun(static_cast<size_t>(i));
  OdswiezListe(wiersz);
}

void TfrmSchowek::WyczyscHistorie() {
  if (historia_.Pozycje().empty()) return;
  if (KomunikatPytanie("Usunąć wszystkie teksty z historii schowka?", rkPytanie) == okTak) {
    historia_.Wyczysc();
    szukany_.clear();
    OdswiezListe();
  }
  if (IsWindowVisible(Hwnd())) lista_.Focus();
}

bool TfrmSchowek::KlawiszListy(UINT msg, WPARAM wp, LRESULT& wynik) {
  wynik = 0;
  if (msg == WM_KEYDOWN) {
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    switch (wp) {
      case VK_RETURN: Wklej(); return true;
      case VK_ESCAPE: Ukryj(); return true;
      case VK_DELETE:
        if (ctrl) WyczyscHistorie();
        else UsunZaznaczona();
        return true;
      case VK_BACK:
        if (!szukany_.empty()) {
          std::wstring s = szukany_;
          s.pop_back();
          if (!s.empty() && IS_HIGH_SURROGATE(s.back())) s.pop_back();
          UstawSzukany(s);
        }
        return true;
      default: return false;  // the list's own moves
    }
  }
  if (msg == WM_CHAR) {
    // Typed text searches; no first-letter jumps, and the control keys are used up above.
    const wchar_t c = static_cast<wchar_t>(wp);
    if (c >= L' ' && c != 0x7F) UstawSzukany(szukany_ + c);
    return true;
  }
  return false;
}

void TfrmSchowek::PokazMenu(POINT p) {
  if (p.x == -1 && p.y == -1) {
    RECT r{};
    GetWindowRect(lista_.Hwnd(), &r);
    p = {r.left + 8, r.top + 8};
  } else {
    // A right click selects the item under it first.
    POINT w = p;
    ScreenToClient(lista_.Hwnd(), &w);
    const int i = lista_.ItemAt(w);
    if (i >= 0) lista_.Select(i);
  }
  const UINT zaznaczona = Zaznaczona() >= 0 ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(menu_, kIdMnuWklej, MF_BYCOMMAND | zaznaczona);
  EnableMenuItem(menu_, kIdMnuUsun, MF_BYCOMMAND | zaznaczona);
  EnableMenuItem(menu_, kIdMnuWyczysc, MF_BYCOMMAND | (historia_.Pozycje().empty() ? MF_GRAYED : MF_ENABLED));
  TrackPopupMenu(menu_, TPM_RIGHTBUTTON, p.x, p.y, 0, Hwnd(), nullptr);
}

LRESULT TfrmSchowek::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLIPBOARDUPDATE:
      if (aktywny_) ZbierzTekst();
      return 0;
    case WM_CONTEXTMENU:
      PokazMenu({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
  }
  return Window::HandleMessage(msg, wp, lp);
}

bool TfrmSchowek::OnClose() {
  Ukryj();
  return true;
}

HBRUSH TfrmSchowek::OnControlColor(HDC dc, HWND control) {
  if (control == labSzukaj_.Hwnd()) {
    // The search line in the colours of a tip, apart from the items.
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return GetSysColorBrush(COLOR_INFOBK);
  }
  if (control != lista_.Hwnd()) return nullptr;
  SetTextColor(dc, kolorTekstu_);
  SetBkColor(dc, kolorTla_);
  return tlo_;
}
