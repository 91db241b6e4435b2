#include "worktime/win32/Wygaszacz.h"

#include "settings/Globalne.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"
#include "worktime/win32/Zwolnienie.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmWygaszacz";
constexpr int kKodOkna = KodOkna(Okno::Wygaszacz);
enum : int { idLabCzasPrzerwy = 10, idLabUsuwaniePlikow };
constexpr char kTekstUsuwania[] = "Trwa usuwanie plików tymczasowych w tle....";

HFONT Czcionka(int wysokosc, bool pogrubiona) {
  LOGFONTW lf{};
  lf.lfHeight = -wysokosc;
  lf.lfWeight = pogrubiona ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

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
  if (fontCzasu_) DeleteObject(fontCzasu_);
  if (fontUsuwania_) DeleteObject(fontUsuwania_);
}

void TfrmWygaszacz::FormCreate() {
  czarny_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterFormClass(kKlasa, CS_DBLCLKS, czarny_);
  const RECT m = Monitor(nullptr);
  HWND h = Create(kKlasa, "Kalmo - przerwa", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, m.left, m.top,
                  m.right - m.left, m.bottom - m.top);
  if (!h) return;
  fontCzasu_ = Czcionka(15, false);
  fontUsuwania_ = Czcionka(13, true);
  labCzasPrzerwy_ = win::CreateChild(h, L"STATIC", "labCzasPrzerwy", idLabCzasPrzerwy, "",
                                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 5, 5, 205, 19);
  win::SetFont(labCzasPrzerwy_, fontCzasu_);
  // As wide as its text in its own font.
  int szerokosc = 320;
  if (HDC dc = GetDC(h)) {
    HGDIOBJ stara = SelectObject(dc, fontUsuwania_);
    const std::wstring t = win::Widen(kTekstUsuwania);
    SIZE s{};
    if (GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &s)) szerokosc = s.cx + 4;
    SelectObject(dc, stara);
    ReleaseDC(h, dc);
  }
  labUsuwaniePlikow_ = win::CreateChild(h, L"STATIC", "labUsuwaniePlikow", idLabUsuwaniePlikow, kTekstUsuwania,
                                        SS_LEFT | SS_NOPREFIX, 68, 212, szerokosc, 17);
  win::SetFont(labUsuwaniePlikow_, fontUsuwania_);
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
  if (!kontekst_.infoSaver || !labCzasPrzerwy_) return;
  const int32_t b = kontekst_.infoSaver->CzasPrzerwy();
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
  if (pytanie_ || !trwa_ || !kontekst_.infoSaver) return;
  const KoniecPrzerwy k =
      SprobujZakonczycPrzerwe(kontekst_.infoSaver->CzasPrzerwy(), kontekst_.infoSaver->DajLimity().caDlugoscPrzerwy);
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
  if (kontekst_.infoSaver) kontekst_.infoSaver->ZakonczPrzerwe();
  if (kontekst_.zatrzymajMiganie) kontekst_.zatrzymajMiganie();
  if (kontekst_.glowne) {
    PostMessageW(kontekst_.glowne, WM_BACKGROUND_TASK, 1, 0);
    WyslijZwolnienie(kontekst_.glowne, kKodOkna);
  }
}

LRESULT TfrmWygaszacz::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimerId) {
        tmrWskaznikPrzerwyTimer();
        return 0;
      }
      break;
    case WM_KEYDOWN:
      // PAUSE restarts the break through the keyboard hook's message; it is no attempt to end it.
      if (wp == VK_PAUSE) return 0;
      SprobujZakonczyc();
      return 0;
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SprobujZakonczyc();
      return 0;
    case WM_MOUSEMOVE: {
      // Windows also reports a "move" when a window appears under a resting pointer; only a
      // real change of position counts.
      const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      const bool ruch = znanaPozycja_ && (p.x != pozycja_.x || p.y != pozycja_.y);
      pozycja_ = p;
      znanaPozycja_ = true;
      if (ruch && trwa_ && !pytanie_ && kontekst_.infoSaver &&
          RuchMyszyKonczyPrzerwe(kontekst_.infoSaver->CzasPrzerwy(),
                                 kontekst_.infoSaver->DajLimity().caDlugoscPrzerwy))
        ZakonczPrzerwe();
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const bool usuwanie = reinterpret_cast<HWND>(lp) == labUsuwaniePlikow_;
      SetTextColor(dc, usuwanie ? RGB(255, 0, 0) : RGB(255, 255, 0));
      SetBkColor(dc, RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(czarny_);
    }
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      const RECT m = Monitor(Hwnd());
      mm->ptMaxPosition = {0, 0};
      mm->ptMaxSize = {m.right - m.left, m.bottom - m.top};
      return 0;
    }
    case WM_SETCURSOR:
      SetCursor(nullptr);  // no pointer over the black screen even where the count allows it
      return TRUE;
    case WM_CLOSE:
      SprobujZakonczyc();  // Alt+F4 is a key press like any other
      return 0;
  }
  return Default(msg, wp, lp);
}

void RozpocznijPrzerwe(std::unique_ptr<TfrmWygaszacz>& okno, const KontekstPrzerwy& kontekst) {
  DisableScreenSaver(WylaczacWygaszacz(kontekst));
  if (kontekst.infoSaver) kontekst.infoSaver->RozpocznijPrzerwe();
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
