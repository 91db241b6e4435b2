#include "worktime/win32/Wygaszacz.h"

#include <algorithm>
#include <vector>

#include "settings/Globalne.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"
#include "common/win32/Controls.h"
#include "common/win32/Form.h"
#include "worktime/win32/Zwolnienie.h"
#include "platform/Platform.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmWygaszacz";
constexpr int kKodOkna = KodOkna(Okno::Wygaszacz);
enum : int { idLabCzasPrzerwy = 10, idLabUsuwaniePlikow };
constexpr char kTekstUsuwania[] = "Trwa usuwanie plików tymczasowych w tle....";

constexpr wchar_t kKlasaZaslony[] = L"TZaslonaPrzerwy";
constexpr char kTytul[] = "Kalmo - przerwa";

// The labels' fonts in pixels at 96 dpi, as the fixed layout of the black screen needs (at 72 dpi
// a point is a pixel), and as many more as the monitor's DPI asks for.
HFONT CzcionkaCzasu(int dpi) { return win::FormFont(L"Tahoma", 15, MulDiv(72, dpi, 96)); }
HFONT CzcionkaUsuwania(int dpi) { return win::FormFont(L"Tahoma", 13, MulDiv(72, dpi, 96), true); }

// The covers as the monitors are now, the content where the pointer is. Without a list of
// monitors, the primary screen.
std::vector<ZaslonaMonitora> Uklad() {
  POINT kursor{};
  GetCursorPos(&kursor);
  std::vector<ZaslonaMonitora> uklad = UlozZaslony(platform::Desk().Monitors(), kursor.x, kursor.y);
  if (uklad.empty())
    uklad.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, win::ScreenDpi(), true});
  return uklad;
}

void NaWierzchu(HWND h, const platform::Rect& r, UINT flagi) {
  SetWindowPos(h, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), flagi);
}

bool WylaczacWygaszacz(const KontekstPrzerwy& k) { return k.opcje && k.opcje->wylaczWygaszaczWPrzerwie; }

}  // namespace

TZaslonaPrzerwy::TZaslonaPrzerwy(TfrmWygaszacz& przerwa, const platform::Rect& obszar)
    : przerwa_(przerwa), obszar_(obszar) {
  RegisterFormClass(kKlasaZaslony, CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // No taskbar button of its own: the break window stands for the break there.
  if (Create(kKlasaZaslony, kTytul, WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, obszar.left, obszar.top,
             obszar.Width(), obszar.Height()))
    NaWierzchu(Hwnd(), obszar_, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

TZaslonaPrzerwy::~TZaslonaPrzerwy() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

LRESULT TZaslonaPrzerwy::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR) {
    SetCursor(nullptr);
    return TRUE;
  }
  // The keyboard stays with the break window, where the question opens.
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return Window::HandleMessage(msg, wp, lp);
}

bool TZaslonaPrzerwy::OnKey(UINT msg, UINT key, LPARAM) { return przerwa_.KlawiszLubKlik(msg, key); }

bool TZaslonaPrzerwy::OnMouse(UINT msg, POINT at, WPARAM) {
  if (msg == WM_MOUSEMOVE) {
    ClientToScreen(Hwnd(), &at);
    przerwa_.RuchMyszy(at);
    return true;
  }
  return przerwa_.KlawiszLubKlik(msg, 0);
}

bool TZaslonaPrzerwy::OnClose() {
  przerwa_.SprobujZakonczyc();
  return true;
}

TfrmWygaszacz::TfrmWygaszacz(const KontekstPrzerwy& kontekst) : kontekst_(kontekst) { FormCreate(); }

TfrmWygaszacz::~TfrmWygaszacz() {
  // The program ends in the middle of a break ("Koniec", logoff): the system gets its screen
  // saver and pointer back.
  if (trwa_) {
    PrzywrocWygaszacz();
    PokazWskaznikMyszy();
  }
  zaslony_.clear();
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmWygaszacz::FormCreate() {
  czarny_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterFormClass(kKlasa, CS_DBLCLKS, czarny_);
  const std::vector<ZaslonaMonitora> uklad = Uklad();
  HWND h = Create(kKlasa, kTytul, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, uklad[0].obszar.left,
                  uklad[0].obszar.top, uklad[0].obszar.Width(), uklad[0].obszar.Height());
  if (!h) return;
  labCzasPrzerwy_ = win::CreateChild(h, L"STATIC", "labCzasPrzerwy", idLabCzasPrzerwy, "",
                                     WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 5, 5, 205, 19);
  labUsuwaniePlikow_ = win::CreateChild(h, L"STATIC", "labUsuwaniePlikow", idLabUsuwaniePlikow, kTekstUsuwania,
                                        SS_LEFT | SS_NOPREFIX, 68, 212, 100, 17);
  for (const ZaslonaMonitora& m : uklad)
    if (m.tresc) PolozNa(m);
}

void TfrmWygaszacz::PolozNa(const ZaslonaMonitora& m) {
  monitor_ = m.obszar;
  dpi_ = m.dpi;
  auto s = [this](int v) { return win::Scale(v, dpi_); };
  win::SetFont(labCzasPrzerwy_, CzcionkaCzasu(dpi_));
  win::SetFont(labUsuwaniePlikow_, CzcionkaUsuwania(dpi_));
  SetWindowPos(labCzasPrzerwy_, nullptr, s(przesuniecie_), s(przesuniecie_), s(205), s(19),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // As wide as its text in its own font.
  const int szerokosc = win::TextWidth(CzcionkaUsuwania(dpi_), kTekstUsuwania) + s(4);
  SetWindowPos(labUsuwaniePlikow_, nullptr, s(68), s(212), szerokosc, s(17), SWP_NOZORDER | SWP_NOACTIVATE);
  if (Hwnd() && IsWindowVisible(Hwnd())) NaWierzchu(Hwnd(), monitor_, SWP_NOACTIVATE);
}

void TfrmWygaszacz::ZamknijZaslony() { zaslony_.clear(); }

void TfrmWygaszacz::MonitoryZmienione() {
  if (!trwa_ || !Hwnd()) return;
  std::vector<platform::Rect> obecne;
  for (const auto& z : zaslony_) obecne.push_back(z->Obszar());
  const ZmianaZaslon zmiana = ZmienZaslony(monitor_, obecne, Uklad());
  for (const platform::Rect& r : zmiana.zamknij)
    std::erase_if(zaslony_, [&r](const auto& z) { return z->Obszar() == r; });
  for (const ZaslonaMonitora& m : zmiana.otworz) zaslony_.push_back(std::make_unique<TZaslonaPrzerwy>(*this, m.obszar));
  if (zmiana.tresc) PolozNa(*zmiana.tresc);
  NaWierzchu(Hwnd(), monitor_, SWP_NOACTIVATE);  // above the covers, where monitors overlap
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
  przesuniecie_ = PrzesuniecieEtykiety(b);
  const int p = win::Scale(przesuniecie_, dpi_);
  SetWindowPos(labCzasPrzerwy_, nullptr, p, p, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmWygaszacz::WypelnijEkran() {
  ZamknijZaslony();
  for (const ZaslonaMonitora& m : Uklad()) {
    if (m.tresc) PolozNa(m);
    else zaslony_.push_back(std::make_unique<TZaslonaPrzerwy>(*this, m.obszar));
  }
  SetWindowPos(Hwnd(), nullptr, monitor_.left, monitor_.top, monitor_.Width(), monitor_.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Hwnd(), SW_SHOWMAXIMIZED);
  // Over the task bar too, whatever the window manager made of "maximized", and above the covers.
  NaWierzchu(Hwnd(), monitor_, SWP_SHOWWINDOW);
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
  ZamknijZaslony();  // every monitor's cover with the break window
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
    mm->ptMaxPosition = {0, 0};  // the corner of the window's own monitor
    mm->ptMaxSize = {monitor_.Width(), monitor_.Height()};
    mm->ptMaxTrackSize = mm->ptMaxSize;
    return 0;
  }
  if (msg == WM_DISPLAYCHANGE) MonitoryZmienione();
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

bool TfrmWygaszacz::OnKey(UINT msg, UINT key, LPARAM) { return KlawiszLubKlik(msg, key); }

bool TfrmWygaszacz::KlawiszLubKlik(UINT msg, UINT key) {
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
    SprobujZakonczyc();
    return true;
  }
  if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return false;
  // PAUSE restarts the break through the keyboard hook's message; it is no attempt to end it.
  if (!(msg == WM_KEYDOWN && key == VK_PAUSE)) SprobujZakonczyc();
  return true;
}

bool TfrmWygaszacz::OnMouse(UINT msg, POINT at, WPARAM) {
  if (msg != WM_MOUSEMOVE) return KlawiszLubKlik(msg, 0);
  ClientToScreen(Hwnd(), &at);
  RuchMyszy(at);
  return true;
}

void TfrmWygaszacz::RuchMyszy(POINT at) {
  // Windows also reports a "move" when a window appears under a resting pointer; only a real
  // change of position counts, on the screen, whichever cover it is over.
  const bool ruch = znanaPozycja_ && (at.x != pozycja_.x || at.y != pozycja_.y);
  pozycja_ = at;
  znanaPozycja_ = true;
  if (ruch && trwa_ && !pytanie_ && kontekst_.dzien) {
    const StanDnia d = kontekst_.dzien();
    if (RuchMyszyKonczyPrzerwe(d.przerwa, d.limity.caDlugoscPrzerwy)) ZakonczPrzerwe();
  }
}

bool TfrmWygaszacz::OnDpiChanged(int dpi, const RECT&) {
  // The break window stays exactly its monitor, whatever rectangle is suggested; its labels and
  // fonts follow the DPI.
  PolozNa({monitor_, dpi, true});
  InvalidateRect(Hwnd(), nullptr, TRUE);
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
  w.przesuniecie_ = 5;
  if (w.labCzasPrzerwy_) win::SetText(w.labCzasPrzerwy_, "");
  w.WlaczTimer(true);
  if (w.Hwnd()) w.WypelnijEkran();
  UkryjWskaznikMyszy();
  if (kontekst.glowne) PostMessageW(kontekst.glowne, WM_BACKGROUND_TASK, 0, 0);
}
