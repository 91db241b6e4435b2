#include "options/win32/StronaOpcji.h"

#include <windows.h>
#include <commctrl.h>

#include "keyboard/GoraceKlawisze.h"
#include "options/win32/Opcje.h"

namespace {
constexpr wchar_t kKlasaStrony[] = L"TStronaOpcji";
}

int TStronaOpcji::S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}

TStronaOpcji::TStronaOpcji(HWND dialog, const RECT& obszar, const std::string& nazwa, KontekstOpcji& kontekst)
    : kontekst_(kontekst) {
  RegisterFormClass(kKlasaStrony, 0);
  Create(kKlasaStrony, nazwa, WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, obszar.left, obszar.top,
         obszar.right - obszar.left, obszar.bottom - obszar.top, dialog);
  win::SetFont(Hwnd(), TfrmOpcje::Czcionka());
}

TStronaOpcji::~TStronaOpcji() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

LRESULT TStronaOpcji::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Polecenie(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lp) Przewiniecie(reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return Powiadomienie(reinterpret_cast<NMHDR*>(lp));
    case WM_DRAWITEM:
      if (Rysuj(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_MEASUREITEM:
      if (Wymiar(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_TIMER:
      Zegar(wp);
      return 0;
    case WM_SHOWWINDOW:
      if (wp) PokazKlawisze();
      break;
  }
  return Default(msg, wp, lp);
}

HWND TStronaOpcji::Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h, DWORD styl) {
  return win::CreateChild(Hwnd(), L"STATIC", nazwa, 0, tekst, WS_VISIBLE | SS_NOPREFIX | styl, S(x), S(y), S(w), S(h));
}

HWND TStronaOpcji::Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h) {
  return win::CreateChild(Hwnd(), L"BUTTON", nazwa, id, tekst, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, S(x), S(y),
                          S(w), S(h));
}

HWND TStronaOpcji::Pole(const std::string& nazwa, int id, int x, int y, int w, int h, DWORD styl) {
  return win::CreateChild(Hwnd(), L"EDIT", nazwa, id, "", WS_VISIBLE | WS_TABSTOP | styl, S(x), S(y), S(w), S(h),
                          WS_EX_CLIENTEDGE);
}

HWND TStronaOpcji::Wyboru(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h) {
  return win::CreateChild(Hwnd(), L"BUTTON", nazwa, id, tekst, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, S(x), S(y),
                          S(w), S(h));
}

HWND TStronaOpcji::Grupa(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h) {
  return win::CreateChild(Hwnd(), L"BUTTON", nazwa, 0, tekst, WS_VISIBLE | BS_GROUPBOX, S(x), S(y), S(w), S(h));
}

HWND TStronaOpcji::Licznik(const std::string& nazwa, int id, int x, int y, int w, int min, int max, int wartosc) {
  HWND pole = Pole(nazwa, id, x, y, w, 21, ES_NUMBER | ES_AUTOHSCROLL);
  HWND ud = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT |
                                                      UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                            0, 0, 0, 0, Hwnd(), nullptr, win::Instance(), nullptr);
  SendMessageW(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pole), 0);
  SendMessageW(ud, UDM_SETRANGE32, min, max);
  SendMessageW(ud, UDM_SETPOS32, 0, wartosc);
  win::SetControlName(ud, nazwa + "Strzalki");
  return pole;
}

HWND TStronaOpcji::Suwak(const std::string& nazwa, int id, int x, int y, int w, int h, int min, int max) {
  HWND s = win::CreateChild(Hwnd(), TRACKBAR_CLASSW, nazwa, id, "", WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS,
                            S(x), S(y), S(w), S(h));
  SendMessageW(s, TBM_SETRANGE, FALSE, MAKELPARAM(min, max));
  SendMessageW(s, TBM_SETPAGESIZE, 0, 1);
  return s;
}

int TStronaOpcji::WartoscLicznika(HWND pole, const Zakres& zakres, int poprzednia) {
  const int v = LiczbaWZakresie(win::GetText(pole), zakres, poprzednia);
  if (win::GetText(pole) != std::to_string(v)) win::SetText(pole, std::to_string(v));
  return v;
}

HWND TStronaOpcji::Siatka(const std::string& nazwa, int id, int x, int y, int w, int h, const char* kolumna1,
                          int szer1, const char* kolumna2, int szer2) {
  HWND s = win::CreateChild(Hwnd(), WC_LISTVIEWW, nazwa, id, "",
                            WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, S(x), S(y), S(w),
                            S(h), WS_EX_CLIENTEDGE);
  SendMessageW(s, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  int i = 0;
  for (auto [tekst, szer] : {std::pair{kolumna1, szer1}, std::pair{kolumna2, szer2}}) {
    const std::wstring t = win::Widen(tekst);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(t.c_str());
    c.cx = S(szer);
    SendMessageW(s, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&c));
  }
  return s;
}

void TStronaOpcji::UstawWiersze(HWND siatka, const std::vector<Wiersz>& wiersze) {
  SendMessageW(siatka, LVM_DELETEALLITEMS, 0, 0);
  int i = 0;
  for (const Wiersz& w : wiersze) {
    std::wstring a = win::Widen(w.first), b = win::Widen(w.second);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = a.data();
    SendMessageW(siatka, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = b.data();
    SendMessageW(siatka, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    ++i;
  }
}

std::vector<TStronaOpcji::Wiersz> TStronaOpcji::Wiersze(HWND siatka) {
  std::vector<Wiersz> wynik;
  const int n = static_cast<int>(SendMessageW(siatka, LVM_GETITEMCOUNT, 0, 0));
  auto tekst = [siatka](int i, int kolumna) {
    wchar_t bufor[1024] = {};
    LVITEMW item{};
    item.iSubItem = kolumna;
    item.pszText = bufor;
    item.cchTextMax = 1024;
    const int d = static_cast<int>(SendMessageW(siatka, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item)));
    return win::Narrow(bufor, d);
  };
  for (int i = 0; i < n; ++i) wynik.push_back({tekst(i, 0), tekst(i, 1)});
  return wynik;
}

int TStronaOpcji::ZaznaczonyWiersz(HWND siatka) {
  return static_cast<int>(SendMessageW(siatka, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

HWND TStronaOpcji::PoleKlawisza(const std::string& nazwa, int id, uint8_t zadanie, int x, int y, int w) {
  HWND hk = win::CreateChild(Hwnd(), HOTKEY_CLASSW, nazwa, id, "", WS_VISIBLE | WS_TABSTOP, S(x), S(y), S(w), S(21),
                             WS_EX_CLIENTEDGE);
  SetWindowSubclass(hk, PolePodklasa, 1, reinterpret_cast<DWORD_PTR>(this));
  polaKlawiszy_.push_back({hk, zadanie});
  return hk;
}

void TStronaOpcji::PokazKlawisze() {
  for (auto [hk, zadanie] : polaKlawiszy_) {
    const uint16_t s = kontekst_.klawisze ? TextToShortCut(kontekst_.klawisze->Klawisz(zadanie)) : 0;
    BYTE mod = 0;
    if (s & 0x2000) mod |= HOTKEYF_SHIFT;
    if (s & 0x4000) mod |= HOTKEYF_CONTROL;
    if (s & 0x8000) mod |= HOTKEYF_ALT;
    SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD(s & 0xFF, mod), 0);
  }
}

LRESULT CALLBACK TStronaOpcji::PolePodklasa(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR strona) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, PolePodklasa, 1);
  if (msg == WM_KILLFOCUS) {
    auto* s = reinterpret_cast<TStronaOpcji*>(strona);
    for (auto [hk, zadanie] : s->polaKlawiszy_) {
      if (hk != h || !s->kontekst_.klawisze || !IsWindowEnabled(h)) continue;
      const WORD v = LOWORD(SendMessageW(h, HKM_GETHOTKEY, 0, 0));
      const BYTE mod = HIBYTE(v);
      const uint16_t skrot = LOBYTE(v) | ((mod & HOTKEYF_SHIFT) ? 0x2000 : 0) | ((mod & HOTKEYF_CONTROL) ? 0x4000 : 0) |
                             ((mod & HOTKEYF_ALT) ? 0x8000 : 0);
      const LRESULT wynik = DefSubclassProc(h, msg, wp, lp);
      if (ShortCutToText(skrot) != s->kontekst_.klawisze->Klawisz(zadanie)) s->kontekst_.klawisze->UstawKlawisz(zadanie, skrot);
      s->PokazKlawisze();
      return wynik;
    }
  }
  return DefSubclassProc(h, msg, wp, lp);
}
