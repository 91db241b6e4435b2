#include "worktime/win32/Wygaszacz.h"

#include "settings/Globalne.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"
#include "common/win32/Controls.h"
#include "common/win32/Form.h"
#include "worktime/win32/Zwolnienie.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmWygaszacz";
constexpr int kKodOkna = KodOkna(Okno::Wygaszacz);
enum : int { idLabCzasPrzerwy = 10, idLabUsuwaniePlikow };
constexpr char kTekstUsuwania[] = "Trwa usuwanie plików tymczasowych w tle....";

// The labels' fonts in pixels, as the fixed layout of the black screen needs (at 72 dpi a point
// is a pixel).
HFONT CzcionkaCzasu() { return win::FormFont(L"Tahoma", 15, 72); }
HFONT CzcionkaUsuwania() { return win::FormFont(L"Tahoma", 13, 72, true); }

RECT Monitor(HWND h) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTOPRIMARY), &mi)) return mi.rcMonitor;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool WylaczacWygaszacz(const KontekstPrzerwy& k) { return k.opcje && k.opcje->wylaczWygaszaczWPrzerwie; }

}  // namespace

TfrmWygaszacz::TfrmWygaszacz(const KontekstPrzerwy& kontekst) : kontekst_(kontekst) { FormCreate(); }

TfrmWygaszacz::~TfrmWygaszacz() {
  // The program ends in the middle of a break ("Koniec", logoff): the system gets its screen
  // saver and pointer back.
  if (trwa_) {
    PrzywrocWygaszacz();
    PokazWskaznikMyszy();
  }
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmWygaszacz::FormCreate() {
  czarny_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterFormClass(kKlasa, CS_DBLCLKS, czarny_);
  const RECT m = Monitor(nullptr);
  HWND h = Create(kKlasa, "Kalmo - przerwa", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, m.left, m.top,
                  m.right - m.left, m.bottom - m.top);
  if (!h) return;
  labCzasPrzerwy_ = win::CreateChild(h, L"STATIC", "labCzasPrzerwy", idLabCzasPrzerwy, "",
                                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 5, 5, 205, 19);
  win::SetFont(labCzasPrzerwy_, CzcionkaCzasu());
  // As wide as its text in its own font.
  const int szerokosc = win::TextWidth(CzcionkaUsuwania(), kTekstUsuwania) + 4;
  labUsuwaniePlikow_ = win::CreateChild(h, L"STATIC", "labUsuwaniePlikow", idLabUsuwaniePlikow, kTekstUsuwania,
                                        SS_LEFT | SS_NOPREFIX, 68, 212, szerokosc, 17);
  win::SetFont(labUsuwaniePlikow_, CzcionkaUsuwania());
}

void TfrmWygaszacz::PokazUsuwaniePlikow(bool widoczna) {
  if (labUsuwaniePlikow_) ShowWindow(labUsuwaniePlikow_, widoczna ? SW_SHOWNA : SW_HIDE);
}

void TfrmWygaszacz::WlaczTimer(bool wlacz) {
  if (!Hwnd()) return;
  if (wlacz) SetTimer(Hwnd(), kTimerId, kOkresTimera, nullptr);
  else KillTimer(Hwnd(), kTimerId);
  timer_ = wlacz;
}

void TfrmWygaszacz::tmrWskaznikPrzerwyTimer() {
  if (!kontekst_.dzien || !labCzasPrzerwy_) return;
  const int32_t b = kontekst_.dzien().przerwa;
  win::SetText(labCzasPrzerwy_, TekstCzasuPrzerwy(b));
  const int p = PrzesuniecieEtykiety(b);
  SetWindowPos(labCzasPrzerwy_, nullptr, p, p, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmWygaszacz::WypelnijEkran() {
  ShowWindow(Hwnd(), SW_SHOWMAXIMIZED);
  const RECT m = Monitor(Hwnd());
  // Over the task bar too, whatever the window manager made of "maximized".
  SetWindowPos(Hwnd(), HWND_TOPMOST, m.left, m.top, m.right - m.left, m.bottom - m.top, SWP_SHOWWINDOW);
  SetForegroundWindow(Hwnd());
  SetFocus(Hwnd());
}

void TfrmWygaszacz::SprobujZakonczyc() {
  if (pytanie_ || !trwa_ || !kontekst_.dzien) return;
  const StanDnia d = kontekst_.dzien();
  const KoniecPrzerwy k = SprobujZakonczycPrzerwe(d.przerwa, d.limity.caDlugoscPrzerwy);
  if (k.wystarczajaca) {
    ZakonczPrzerwe();
    return;
  }
  PokazWskaznikMyszy();
  if (!k.zapytaj) {
    ZakonczPrzerwe();
    return;
  }
  pytanie_ = true;
  const OdpowiedzKomunikatu odp = KomunikatPytanie(k.pytanie, rkPytanie);
  pytanie_ = false;
  if (odp == okTak) {
    ZakonczPrzerwe();
  } else if (Hwnd() && trwa_) {
    UkryjWskaznikMyszy();
    SetForegroundWindow(Hwnd());
    SetFocus(Hwnd());
  }
}

void TfrmWygaszacz::ZakonczPrzerwe() {
  if (!trwa_) return;  // one end per start
  trwa_ = false;
  EnableScreenSaver(WylaczacWygaszacz(kontekst_));
  PokazWskaznikMyszy();
  WlaczTimer(false);
  if (Hwnd()) {
    ShowWindow(Hwnd(), SW_RESTORE);
    ShowWindow(Hwnd(), SW_HIDE);
  }
  if (kontekst_.zakoncz) kontekst_.zakoncz();
  if (kontekst_.zatrzymajMiganie) kontekst_.zatrzymajMiganie();
  if (kontekst_.glowne) {
    PostMessageW(kontekst_.glowne, WM_BACKGROUND_TASK, 1, 0);
    WyslijZwolnienie(kontekst_.glowne, kKodOkna);
  }
}

LRESULT TfrmWygaszacz::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
    const RECT m = Monitor(Hwnd());
    mm->ptMaxPosition = {0, 0};
    mm->ptMaxSize = {m.right - m.left, m.bottom - m.top};
    return 0;
  }
  if (msg == WM_SETCURSOR) {
    SetCursor(nullptr);  // no pointer over the black screen even where the count allows it
    return TRUE;
  }
  return Window::HandleMessage(msg, wp, lp);
}

bool TfrmWygaszacz::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return false;
  tmrWskaznikPrzerwyTimer();
  return true;
}

bool TfrmWygaszacz::OnKey(UINT msg, UINT key, LPARAM) {
  if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return false;
  // PAUSE restarts the break through the keyboard hook's message; it is no attempt to end it.
  if (!(msg == WM_KEYDOWN && key == VK_PAUSE)) SprobujZakonczyc();
  return true;
}

bool TfrmWygaszacz::OnMouse(UINT msg, POINT at, WPARAM) {
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    SprobujZakonczyc();
    return true;
  }
  if (msg != WM_MOUSEMOVE) return false;
  // Windows also reports a "move" when a window appears under a resting pointer; only a real
  // change of position counts.
  const bool ruch = znanaPozycja_ && (at.x != pozycja_.x || at.y != pozycja_.y);
  pozycja_ = at;
  znanaPozycja_ = true;
  if (ruch && trwa_ && !pytanie_ && kontekst_.dzien) {
    const StanDnia d = kontekst_.dzien();
    if (RuchMyszyKonczyPrzerwe(d.przerwa, d.limity.caDlugoscPrzerwy)) ZakonczPrzerwe();
  }
  return true;
}

HBRUSH TfrmWygaszacz::OnControlColor(HDC dc, HWND control) {
  SetTextColor(dc, control == labUsuwaniePlikow_ ? RGB(255, 0, 0) : RGB(255, 255, 0));
  SetBkColor(dc, RGB(0, 0, 0));
  return czarny_;
}

bool TfrmWygaszacz::OnClose() {
  SprobujZakonczyc();  // Alt+F4 is a key press like any other
  return true;
}

void RozpocznijPrzerwe(std::unique_ptr<TfrmWygaszacz>& okno, const KontekstPrzerwy& kontekst) {
  DisableScreenSaver(WylaczacWygaszacz(kontekst));
  if (kontekst.rozpocznij) kontekst.rozpocznij();
  if (!okno) okno = std::make_unique<TfrmWygaszacz>(kontekst);
  // A break that starts again before the main window freed the window of the last one keeps
  // the window: its release is taken back.
  else CofnijZwolnienie(okno->kontekst_.glowne, kKodOkna);
  TfrmWygaszacz& w = *okno;
  w.kontekst_ = kontekst;
  w.trwa_ = true;
  w.znanaPozycja_ = false;
  if (w.labCzasPrzerwy_) win::SetText(w.labCzasPrzerwy_, "");
  w.WlaczTimer(true);
  if (w.Hwnd()) w.WypelnijEkran();
  UkryjWskaznikMyszy();
  if (kontekst.glowne) PostMessageW(kontekst.glowne, WM_BACKGROUND_TASK, 0, 0);
}
