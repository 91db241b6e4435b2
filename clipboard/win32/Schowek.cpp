#include "clipboard/win32/Schowek.h"

#include <vector>

#include "common/WinTools.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmSchowek";
enum { idLstSchowek = 101 };

// The clipboard may be held open by another program for a moment.
bool OtworzSchowek(HWND owner) {
  for (int i = 0; i < 10; ++i) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
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

TfrmSchowek::~TfrmSchowek() {
  if (Hwnd() && wLancuchu_) ChangeClipboardChain(Hwnd(), nastepny_);
  if (lista_) win::DestroyControl(lista_.Hwnd());
  Destroy();
  if (font_) DeleteObject(font_);
  if (tlo_) DeleteObject(tlo_);
}

bool TfrmSchowek::Utworz() {
  RegisterFormClass(kKlasa);
  // No border and no caption, on top, no taskbar button.
  if (!Create(kKlasa, "Schowek", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 367, 100)) return false;
  lista_ = win::ListBox(win::CreateChild(Hwnd(), L"LISTBOX", "lstSchowek", idLstSchowek, "",
                                         WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                                         367, 100));
  // Enter pastes, Escape hides.
  win::SetControlMessageHandler(lista_.Hwnd(), [this](UINT msg, WPARAM wp, LPARAM, LRESULT& wynik) {
    if (msg != WM_KEYDOWN || (wp != VK_RETURN && wp != VK_ESCAPE)) return false;
    Zamknij(wp == VK_RETURN);
    wynik = 0;
    return true;
  });
  SetCommandHandler(idLstSchowek, [this](int code) {
    if (code == LBN_DBLCLK) Wklej();
  });
  SetRememberedFocus(lista_.Hwnd());
  // Without the value (settings removed while running) the history runs on the first-run options.
  // A value of another size is reported and kept aside rather than read in a different layout.
  OpcjeSchowka opcje = OpcjeSchowka::PierwszeUruchomienie();
  std::vector<uint8_t> bajty(OpcjeSchowka::kRozmiar);
  if (CzyZmiennaRejestrowaIstniejewKluczu(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjeSchowka) &&
      GetRegistryBinary(kKluczKalmo, wartosc::OpcjeSchowka, bajty.data(), static_cast<int>(bajty.size())))
    opcje = OpcjeSchowka::FromBytes(bajty);
  ZastosujOpcje(opcje);
  // Joining makes the system send WM_DRAWCLIPBOARD at once: a text already there is the first item.
  SetLastError(0);
  nastepny_ = SetClipboardViewer(Hwnd());
  wLancuchu_ = nastepny_ != nullptr || GetLastError() == 0;
  return true;
}

void TfrmSchowek::ZastosujOpcje(const OpcjeSchowka& o) {
  const int szer = o.szerokosc > 0 ? o.szerokosc : 367;
  const int wys = o.wysokosc > 0 ? o.wysokosc : 100;
  SetWindowPos(Hwnd(), nullptr, 0, 0, szer, wys, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  lista_.Place(0, 0, szer, wys);
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
  win::SetFont(lista_.Hwnd(), nowa, true);
  if (font_) DeleteObject(font_);
  font_ = nowa;
  historia_.UstawBuforKB(o.buforKB);
  aktywny_ = o.aktywny;
  OdswiezListe();
}

void TfrmSchowek::ZbierzTekst() {
  std::string tekst;
  if (CzytajTekstSchowka(Hwnd(), tekst)) DodajTekst(tekst);
}

void TfrmSchowek::DodajTekst(const std::string& tekst) {
  if (aktywny_ && historia_.Dodaj(tekst)) OdswiezListe();
}

void TfrmSchowek::OdswiezListe() {
  lista_.Send(WM_SETREDRAW, FALSE);
  lista_.Clear();
  for (const auto& p : historia_.Pozycje()) lista_.Add(TekstPozycjiSchowka(p.tekst));
  lista_.Select(static_cast<int>(historia_.Pozycje().size()) - 1);
  lista_.Send(WM_SETREDRAW, TRUE);
  InvalidateRect(lista_.Hwnd(), nullptr, TRUE);
}

void TfrmSchowek::PokazSchowek(HWND focus, HWND topLevel, int x, int y) {
  // The hotkey pressed again while the history is open: it stays where it is and keeps the window
  // it pastes into.
  if (IsWindowVisible(Hwnd()) && focus && (focus == Hwnd() || IsChild(Hwnd(), focus))) {
    lista_.Focus();
    return;
  }
  fokus_ = focus;
  glowneOkno_ = topLevel;
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
  lista_.Select(static_cast<int>(historia_.Pozycje().size()) - 1);
  lista_.Focus();
}

void TfrmSchowek::Wklej() { Zamknij(true); }

void TfrmSchowek::Ukryj() { Zamknij(false); }

void TfrmSchowek::Zamknij(bool wklej) {
  if (wklej) {
    const int i = lista_.Selected();
    if (i < 0 || static_cast<size_t>(i) >= historia_.Pozycje().size()) return;
    // The whole text as copied, also when the list shows only its start.
    const std::string tekst = historia_.Pozycje()[i].tekst;
    if (UstawTekstSchowka(Hwnd(), tekst) && fokus_) PostMessageW(fokus_, WM_PASTE, 0, 0);
  }
  ShowWindow(Hwnd(), SW_HIDE);
  if (glowneOkno_ && IsWindow(glowneOkno_)) SetForegroundWindow(glowneOkno_);
}

LRESULT TfrmSchowek::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wp) == nastepny_)
        nastepny_ = reinterpret_cast<HWND>(lp);
      else if (nastepny_)
        SendMessageW(nastepny_, msg, wp, lp);
      return 0;
    case WM_DRAWCLIPBOARD:
      if (nastepny_) SendMessageW(nastepny_, msg, 0, 0);
      if (aktywny_) ZbierzTekst();
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
  if (control != lista_.Hwnd()) return nullptr;
  SetTextColor(dc, kolorTekstu_);
  SetBkColor(dc, kolorTla_);
  return tlo_;
}
