#include "app/win32/Glowna.h"

#include <shellapi.h>
#include <wtsapi32.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "app/win32/OProgramie.h"
#include "app/win32/ZasobyGlowne.h"
#include "cleanup/win32/DeleteTempFileThread.h"
#include "clipboard/Schowek.h"
#include "clipboard/win32/Schowek.h"
#include "common/Komunika.h"
#include "common/win32/Win32Dialogs.h"
#include "documents/Modem.h"
#include "documents/win32/CzyMonitorowac.h"
#include "documents/win32/ListaDokumentow.h"
#include "documents/win32/Statystyka.h"
#include "settings/Komunikaty.h"
#include "keyboard/win32/ImportLibKeyHook.h"
#include "keyboard/win32/ListaSkrotow.h"
#include "settings/Pomoc.h"
#include "options/win32/Opcje.h"
#include "settings/win32/Pomoc.h"
#include "platform/Platform.h"
#include "worktime/win32/Przypomnienie.h"
#include "worktime/win32/TodayInfo.h"
#include "worktime/win32/Wygaszacz.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmGlowna";

// The deletion of temporary files runs on TDeleteTempFileThread, which reports back to this window
// by posted messages only.
class UsuwanieWTle : public StarterUsuwania {
 public:
  UsuwanieWTle(HWND glowne, std::function<PlikiDanych()> pliki) : glowne_(glowne), pliki_(std::move(pliki)) {}
  std::unique_ptr<ZadanieUsuwania> Uruchom(TOrganizatorWatkow&) override {
    struct Zadanie : ZadanieUsuwania {
      std::unique_ptr<TDeleteTempFileThread> watek;
      void Przerwij() override { watek->Terminate(); }
    };
    const PlikiDanych pliki = pliki_();
    auto zadanie = std::make_unique<Zadanie>();
    zadanie->watek = std::make_unique<TDeleteTempFileThread>(
        pliki.plikiTymczasowe, pliki.kronika,
        TDeleteTempFileThread::Powiadomienia{glowne_, kalmo::TfrmGlowna::WM_DELETION_LABEL,
                                             kalmo::TfrmGlowna::WM_DELETION_REPORT,
                                             kalmo::TfrmGlowna::WM_DELETION_ENDED});
    if (!zadanie->watek->Uruchom()) return nullptr;
    return zadanie;
  }

 private:
  HWND glowne_;
  std::function<PlikiDanych()> pliki_;
};

HICON WczytajIkone(int id, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tray menu

HMENU UtworzMenuGlowne() {
  HMENU m = CreatePopupMenu();
  auto add = [m](int id, const wchar_t* caption) { AppendMenuW(m, MF_STRING, id, caption); };
  add(mnuPomoc, L"Pomoc");
  add(mnuOProgramie, L"O programie...");
  AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
  add(mnuListaDokumentow, L"Lista dokumentów...");
  add(mnuListaSkrotow, L"Lista skrótów...");
  add(mnuInformacjeDnia, L"Informacje dnia...");
  add(mnuStatystyka, L"Statystyka...");
  add(mnuOpcje, L"Opcje...");
  add(mnuPrzerwa, L"Przerwa");
  HMENU pauza = CreatePopupMenu();
  AppendMenuW(pauza, MF_STRING, mnuWstrzymaj30, L"30 minut");
  AppendMenuW(pauza, MF_STRING, mnuWstrzymaj60, L"1 godzina");
  AppendMenuW(pauza, MF_STRING, mnuWstrzymaj120, L"2 godziny");
  AppendMenuW(pauza, MF_STRING, mnuWstrzymajDoJutra, L"do jutra");
  AppendMenuW(m, MF_POPUP, reinterpret_cast<UINT_PTR>(pauza), L"Wstrzymaj przypomnienia");
  add(mnuWznow, L"Wznów przypomnienia");
  AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
  add(mnuKoniec, L"Koniec");
  return m;
}

void UstawPodpisyMenu(HMENU menu, const PodpisyMenu& p) {
  auto set = [menu](int id, const std::string& caption) {
    // The blanks before the key would be eaten by a tab; keep the caption as the core wrote it.
    std::wstring text = win::Widen(caption);
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = text.data();
    SetMenuItemInfoW(menu, id, FALSE, &mi);
  };
  set(mnuListaDokumentow, p.listaDokumentow);
  set(mnuListaSkrotow, p.listaSkrotow);
  set(mnuInformacjeDnia, p.informacjeDnia);
  set(mnuStatystyka, p.statystyka);
  set(mnuOpcje, p.opcje);
  set(mnuPrzerwa, p.przerwa);
}

void UstawStanMenu(HMENU menu, const StanMenu& s) {
  auto set = [menu](int id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  set(mnuPomoc, s.pomoc);
  set(mnuInformacjeDnia, s.informacjeDnia);
  set(mnuStatystyka, s.statystyka);
  set(mnuOpcje, s.opcje);
  set(mnuListaDokumentow, s.listaDokumentow);
  set(mnuOProgramie, s.oProgramie);
  set(mnuWznow, s.wznow);
}

std::string PodpisPozycji(HMENU menu, int id) {
  wchar_t buf[256];
  int n = GetMenuStringW(menu, id, buf, 256, MF_BYCOMMAND);
  return n > 0 ? win::Narrow(buf, n) : std::string();
}

// ---------------------------------------------------------------------------------------------

HWND OknoGlowneProcesu(DWORD processId) {
  HWND h = nullptr;
  while ((h = FindWindowExW(nullptr, h, kKlasa, nullptr))) {
    DWORD p = 0;
    GetWindowThreadProcessId(h, &p);
    if (p == processId) return h;
  }
  return nullptr;
}

namespace kalmo {

TfrmGlowna::TfrmGlowna() = default;

TfrmGlowna::~TfrmGlowna() {
  FormDestroy();
  Destroy();
  if (pmGlowne_) DestroyMenu(pmGlowne_);
  if (icon_) DestroyIcon(icon_);
  for (HICON k : klatki_)
    if (k) DestroyIcon(k);
}

bool TfrmGlowna::Utworz() {
  RegisterFormClass(kKlasa);
  // Never shown: a tool window so it has no taskbar button even if something shows it.
  if (!Create(kKlasa, "Kalmo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZE, WS_EX_TOOLWINDOW, 0, 0, 100,
              100))
    return false;
  FormCreate();
  return true;
}

void TfrmGlowna::UtworzIkone() {
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  const int small = GetSystemMetrics(SM_CXSMICON);
  icon_ = WczytajIkone(IDI_KALMO, small);
  const int ids[4] = {IDI_KALMO_MIG1, IDI_KALMO_MIG2, IDI_KALMO_MIG3, IDI_KALMO_MIG4};
  std::vector<HICON> frames;
  for (int i = 0; i < 4; ++i) {
    klatki_[i] = WczytajIkone(ids[i], small);
    if (klatki_[i]) frames.push_back(klatki_[i]);
  }
  ikona_.Utworz(Hwnd(), WM_NOTIFYICON, kTimerAnimacji, icon_, std::move(frames));
  ikona_.UstawPodpowiedz("Kalmo");
  ikona_.Pokaz();
}

void TfrmGlowna::FormCreate() {
  zapytanieMenu_ = RegisterWindowMessageW(kKomunikatPozycjiMenu);
  pmGlowne_ = UtworzMenuGlowne();
  for (auto [id, polecenie] : {std::pair{mnuPomoc, &TGlownaRdzen::mnuPomocClick},
                               std::pair{mnuOProgramie, &TGlownaRdzen::mnuOProgramieClick},
                               std::pair{mnuListaDokumentow, &TGlownaRdzen::mnuListaDokumentowClick},
                               std::pair{mnuListaSkrotow, &TGlownaRdzen::mnuListaSkrotowClick},
                               std::pair{mnuInformacjeDnia, &TGlownaRdzen::mnuInformacjeDniaClick},
                               std::pair{mnuStatystyka, &TGlownaRdzen::mnuStatystykaClick},
                               std::pair{mnuOpcje, &TGlownaRdzen::mnuOpcjeClick},
                               std::pair{mnuPrzerwa, &TGlownaRdzen::mnuPrzerwaClick},
                               std::pair{mnuKoniec, &TGlownaRdzen::mnuKoniecClick}})
    SetClickHandler(id, [this, polecenie = polecenie] {
      if (rdzen_) (rdzen_.get()->*polecenie)();
    });
  for (auto [id, minuty] : {std::pair{mnuWstrzymaj30, 30}, std::pair{mnuWstrzymaj60, 60}, std::pair{mnuWstrzymaj120, 120}})
    SetClickHandler(id, [this, minuty = minuty] {
      if (rdzen_) rdzen_->WstrzymajNa(minuty);
    });
  SetClickHandler(mnuWstrzymajDoJutra, [this] {
    if (rdzen_) rdzen_->WstrzymajDoJutra();
  });
  SetClickHandler(mnuWznow, [this] {
    if (rdzen_) rdzen_->Wznow();
  });
  UtworzIkone();
  // Every loop of the thread runs the what-is-this help, the modal dialogs' own loops too.
  win::UstawFiltrKomunikatow([this](const MSG& msg) { return trybPomocy_.Filtruj(msg); });
  SetApplicationHelpFile(SciezkaPomocy(FolderZeSciezki(platform::Fs().ExecutablePath()), 1));

  hook_ = std::make_unique<Win32KeyHook>();
  starter_ = std::make_unique<UsuwanieWTle>(Hwnd(), [this] { return rdzen_->Pliki(); });
  rdzen_ = std::make_unique<TGlownaRdzen>(*this, *hook_, *starter_);
  rdzen_->FormCreate(reinterpret_cast<uintptr_t>(Hwnd()));
  // Lock and unlock reach the window only when asked for.
  WTSRegisterSessionNotification(Hwnd(), NOTIFY_FOR_THIS_SESSION);
  uruchomiony_ = true;
}

void TfrmGlowna::FormDestroy() {
  if (zniszczony_) return;
  zniszczony_ = true;
  // The windows read the accounting, so they go before it.
  przypomnienie_.reset();
  todayInfo_.reset();
  wygaszacz_.reset();
  listaDokumentow_.reset();
  czyMonitorowac_.reset();
  if (Hwnd()) KillTimer(Hwnd(), kTimerMonitorowania);
  if (Hwnd()) WTSUnRegisterSessionNotification(Hwnd());
  if (rdzen_) rdzen_->FormDestroy();
  rdzen_.reset();
  ikona_.ZatrzymajAnimacje();
  ikona_.Ukryj();
  win::UstawFiltrKomunikatow({});
}

void TfrmGlowna::PetlaKomunikatow() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (win::FiltrujKomunikat(msg)) continue;
    // Keyboard navigation in the program's non-modal dialog-like windows.
    HWND active = GetActiveWindow();
    if (active && active != Hwnd() && (GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
        IsDialogMessageW(active, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TfrmGlowna::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (rdzen_ && msg >= WM_HOTKEY_TASK && msg <= WM_BACKGROUND_TASK &&
      rdzen_->ObsluzKomunikat(msg, static_cast<uintptr_t>(wp), static_cast<intptr_t>(lp)))
    return 0;
  if (taskbarCreated_ && msg == taskbarCreated_) {
    ikona_.Przywroc();
    return 0;
  }
  if (zapytanieMenu_ && msg == zapytanieMenu_) return PozycjaMenuDlaTestu(wp);
  if (KomunikatUsuwania(msg)) return 0;
  if (KomunikatSesji(msg, wp)) return msg == WM_POWERBROADCAST ? TRUE : 0;
  switch (msg) {
    case WM_NOTIFYICON:
      NotifyIconMessage(lp);
      return 0;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wp) == pmGlowne_) OdswiezStanMenu();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows ends the process after this message: save now, as "Koniec" would.
      if (wp) FormDestroy();
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

bool TfrmGlowna::OnTimer(UINT_PTR id) {
  if (id == kTimerMonitorowania && rdzen_) rdzen_->TimerTimer();
  else if (id == kTimerAnimacji) ikona_.NastepnaKlatka();
  else return false;
  return true;
}

// What the deletion thread posts: its end, that the break window's label may show, its reports.
bool TfrmGlowna::KomunikatUsuwania(UINT msg) {
  switch (msg) {
    case WM_DELETION_ENDED:
      if (wygaszacz_) wygaszacz_->PokazUsuwaniePlikow(false);
      if (rdzen_) rdzen_->UsuwanieZakonczone();
      return true;
    case WM_DELETION_LABEL:
      if (wygaszacz_) wygaszacz_->PokazUsuwaniePlikow(true);
      return true;
    case WM_DELETION_REPORT:
      for (auto& z : TDeleteTempFileThread::Odbierz()) zgloszeniaUsuwania_.push_back(std::move(z));
      PokazZgloszeniaUsuwania();
      return true;
    default:
      return false;
  }
}

bool TfrmGlowna::KomunikatSesji(UINT msg, WPARAM wp) {
  if (!rdzen_) return false;
  if (msg == WM_WTSSESSION_CHANGE) {
    if (wp == WTS_SESSION_LOCK) rdzen_->SesjaZablokowana(true);
    else if (wp == WTS_SESSION_UNLOCK) rdzen_->SesjaZablokowana(false);
    return true;
  }
  if (msg == WM_POWERBROADCAST) {
    if (wp == PBT_APMSUSPEND) rdzen_->Uspienie(true);
    else if (wp == PBT_APMRESUMESUSPEND || wp == PBT_APMRESUMEAUTOMATIC) rdzen_->Uspienie(false);
    return true;
  }
  return false;
}

void TfrmGlowna::NotifyIconMessage(LPARAM mouse) {
  switch (static_cast<UINT>(mouse)) {
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: {
      POINT at{};
      GetCursorPos(&at);
      PokazMenu(at);
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (rdzen_) rdzen_->NotifyIconDblClick();
      break;
    default:
      break;  // a single click does nothing
  }
}

void TfrmGlowna::PokazMenu(POINT at) {
  // The menu closes when the user clicks elsewhere only if our window is in the foreground.
  SetForegroundWindow(Hwnd());
  TrackPopupMenuEx(pmGlowne_, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | TPM_RIGHTALIGN, at.x, at.y, Hwnd(), nullptr);
  PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

void TfrmGlowna::OdswiezStanMenu() {
  if (rdzen_) UstawStanMenu(pmGlowne_, rdzen_->StanPrzyOtwarciu());
}

LRESULT TfrmGlowna::PozycjaMenuDlaTestu(WPARAM id) {
  // Start-up may let sent messages in (the tray, the hook library); the answer waits for its end.
  if (!uruchomiony_) return 0;
  if (id == 0) return GlobalAddAtomW((win::Widen(ikona_.Podpowiedz()) + L"\t1").c_str());  // the tray hint
  OdswiezStanMenu();
  UINT state = GetMenuState(pmGlowne_, static_cast<UINT>(id), MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return 0;
  bool enabled = !(state & (MF_GRAYED | MF_DISABLED));
  std::wstring text = win::Widen(PodpisPozycji(pmGlowne_, static_cast<int>(id))) + (enabled ? L"\t1" : L"\t0");
  return GlobalAddAtomW(text.c_str());
}

void TfrmGlowna::PokazPomocKontrolki(HWND control) {
  DWORD kontekst = 0;
  for (HWND h = control; h; h = GetParent(h)) {
    kontekst = GetWindowContextHelpId(h);
    if (kontekst) break;
    bool form = !(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD);
    if (form || !GetParent(h)) break;
  }
  // A control without a context of its own, or with a popup context, gets the contents page.
  PokazPomoc(static_cast<int>(kontekst));
}

// ---------------------------------------------------------------------------------------------
// GlownaUi

void TfrmGlowna::Wyslij(unsigned message, uintptr_t wParam, intptr_t lParam) {
  PostMessageW(Hwnd(), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void TfrmGlowna::UstawTimer(uint32_t okresMs) { SetTimer(Hwnd(), kTimerMonitorowania, okresMs, nullptr); }

void TfrmGlowna::UstawPodpowiedz(const std::string& tekst) { ikona_.UstawPodpowiedz(tekst); }

void TfrmGlowna::UstawPodpisyMenu(const PodpisyMenu& podpisy) { ::UstawPodpisyMenu(pmGlowne_, podpisy); }

void TfrmGlowna::Ostrzez(const DecyzjaOstrzezenia& d, int32_t sekundy) {
  if (!d.podpowiedz.empty()) ikona_.UstawPodpowiedz(d.podpowiedz);
  switch (d.jak) {
    case Prezentacja::Okno: {
      KontekstPrzypomnienia k;
      k.glowne = Hwnd();
      k.rozpocznijPrzerwe = [this] {
        if (rdzen_) rdzen_->mnuPrzerwaClick();
      };
      ::PokazPrzypomnienie(przypomnienie_, d.tryb, sekundy, k);
      break;
    }
    case Prezentacja::Miganie: ikona_.UruchomAnimacje(); break;
    case Prezentacja::Dzwiek: ::OdtworzDzwiek(d.plikDzwieku); break;
    case Prezentacja::Nic: break;
  }
}

void TfrmGlowna::ZatrzymajMiganie() { ikona_.ZatrzymajAnimacje(); }

void TfrmGlowna::Pokaz(Okno okno, const std::string& co) {
  if (!rdzen_) return;
  switch (okno) {
    case Okno::InformacjeDnia:
      PokazTodayInfo(todayInfo_, [this] { return rdzen_->Dzis(); }, Hwnd());
      return;
    case Okno::Wygaszacz: PokazPrzerwe(); return;
    case Okno::CzyMonitorowac: PokazPytanie(co); return;
    case Okno::ListaDokumentow: PokazListeDokumentow(); return;
    case Okno::Przypomnienie: return;  // a warning's own routine shows it (Ostrzez)
    default: PokazModalnie(okno, co); return;
  }
}

void TfrmGlowna::PokazModalnie(Okno okno, const std::string& co) {
  bool& otwarte = modalne_[static_cast<int>(okno)];
  if (otwarte) return;
  otwarte = true;
  struct Znacznik {
    bool& otwarte;
    ~Znacznik() { otwarte = false; }
  } znacznik{otwarte};
  switch (okno) {
    case Okno::OProgramie: {
      TfrmOProgramie o;
      if (o.Utworz(nullptr)) o.ShowModal(nullptr);
      return;
    }
    case Okno::Statystyka: PokazStatystyke(); return;
    case Okno::Opcje: PokazOknoOpcji(co); return;
    case Okno::ListaSkrotow: {
      TfrmListaSkrotow lista(rdzen_->Pliki().skroty, [this] { rdzen_->OtworzOpcje("Skróty"); });
      lista.ShowModal(nullptr);
      return;
    }
    default: return;
  }
}

void TfrmGlowna::PokazSchowek(uintptr_t fokus) {
  if (!schowek_ || !hook_) return;
  // The pop-up opens at the caret: the hook library gives it relative to the focused window.
  const HWND f = reinterpret_cast<HWND>(fokus);
  HWND top = GetAncestor(f, GA_ROOT);
  if (!top) top = f;
  PunktKaretki karetka;
  hook_->DajPozycjeKaretki(karetka);
  RECT r{};
  GetWindowRect(f, &r);
  const int x = r.left + karetka.x, y = r.top + karetka.y;
  const bool byl = IsWindowVisible(schowek_->Hwnd()) != FALSE;
  schowek_->PokazSchowek(f, top, x, y);
  // Inside the work area of the caret's monitor, which may be any of them, not the primary
  // screen's size; a pop-up already open stays where it is.
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!byl && GetMonitorInfoW(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) {
    HWND lista = win::FindControl(schowek_->Hwnd(), "lstSchowek");
    int wysokoscI = 13;
    if (HDC dc = GetDC(lista)) {
      HGDIOBJ stara = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(lista, WM_GETFONT, 0, 0)));
      SIZE s{};
      if (GetTextExtentPoint32W(dc, L"I", 1, &s)) wysokoscI = s.cy;
      SelectObject(dc, stara);
      ReleaseDC(lista, dc);
    }
    RECT okno{};
    GetWindowRect(schowek_->Hwnd(), &okno);
    const platform::Rect obszar{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
    const PolozenieSchowka p = PolozSchowek(x, y, okno.right - okno.left, okno.bottom - okno.top, obszar,
                                            WysokoscLiniiSchowka(wysokoscI));
    SetWindowPos(schowek_->Hwnd(), HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  }
  win::BringToForeground(schowek_->Hwnd());
}

void TfrmGlowna::PokazPomoc(int kontekst) {
  OtworzPomoc(rdzen_ ? rdzen_->FolderProgramu() : FolderZeSciezki(platform::Fs().ExecutablePath()), kontekst);
}

void TfrmGlowna::Zwolnij(Okno okno) {
  switch (okno) {
    case Okno::InformacjeDnia: todayInfo_.reset(); break;
    case Okno::Przypomnienie: przypomnienie_.reset(); break;
    case Okno::Wygaszacz:
      wygaszacz_.reset();
      PokazZgloszeniaUsuwania();
      break;
    case Okno::ListaDokumentow: listaDokumentow_.reset(); break;
    case Okno::CzyMonitorowac: czyMonitorowac_.reset(); break;
    default: break;
  }
}

bool TfrmGlowna::Otwarte(Okno okno) {
  switch (okno) {
    // The today-info window hides on its close box: hidden, it may be shown again.
    case Okno::InformacjeDnia: return todayInfo_ && todayInfo_->Hwnd() && IsWindowVisible(todayInfo_->Hwnd());
    case Okno::Przypomnienie: return przypomnienie_ != nullptr;
    case Okno::Wygaszacz: return wygaszacz_ != nullptr;
    case Okno::ListaDokumentow: return listaDokumentow_ != nullptr;
    case Okno::CzyMonitorowac: return czyMonitorowac_ != nullptr;
    default: return modalne_[static_cast<int>(okno)];
  }
}

void TfrmGlowna::ZastosujUstawienia(const UstawieniaKalmo& u) {
  if (schowek_) schowek_->ZastosujOpcje(u.schowek);
}

void TfrmGlowna::Zakoncz() { PostQuitMessage(0); }

// ---------------------------------------------------------------------------------------------
// The windows

void TfrmGlowna::PokazPrzerwe() {
  KontekstPrzerwy k;
  k.dzien = [this] { return rdzen_->Dzis(); };
  k.rozpocznij = [this] { rdzen_->WejdzWPrzerwe(); };
  k.zakoncz = [this] { rdzen_->ZakonczPrzerwe(); };
  k.opcje = &rdzen_->OpcjeOstrzegania();
  k.glowne = Hwnd();
  k.zatrzymajMiganie = [this] { ikona_.ZatrzymajAnimacje(); };
  ::RozpocznijPrzerwe(wygaszacz_, k);
}

void TfrmGlowna::PokazZgloszeniaUsuwania() {
  // A dialog over the black break window would hold the user there; it waits for the break's end.
  if (wygaszacz_ || zgloszeniaUsuwania_.empty()) return;
  auto zgloszenia = std::move(zgloszeniaUsuwania_);
  zgloszeniaUsuwania_.clear();
  for (const auto& z : zgloszenia) PokazBlad(z.miejsce, z.tekst);
}

void TfrmGlowna::PokazPytanie(const std::string& tytul) {
  ::AskWhetherToMonitor(
      czyMonitorowac_, [this](const std::string& t, bool tak) { rdzen_->OdpowiedzNaPytanie(t, tak); }, Hwnd(), tytul);
}

void TfrmGlowna::PokazListeDokumentow() {
  if (!listaDokumentow_) {
    ZrodloDokumentow z;
    z.widok = [this](bool pelny) { return rdzen_->WidokDokumentow(pelny); };
    z.przelacz = [this](const std::string& pozycja) { return rdzen_->PrzelaczDokument(pozycja); };
    z.odpowiedz = [this](const std::string& t, bool tak) { rdzen_->OdpowiedzNaPytanie(t, tak); };
    listaDokumentow_ = std::make_unique<TfrmListaDokumentow>(std::move(z), Hwnd());
  }
  listaDokumentow_->Pokaz();
}

void TfrmGlowna::PokazStatystyke() { ::PokazStatystyke(Hwnd(), rdzen_->DaneDoStatystyki()); }

void TfrmGlowna::PokazOknoOpcji(const std::string& strona) {
  TGlownaRdzen& r = *rdzen_;
  // Opened from the shortcut list, the list waits under the dialog; from the tray, the hidden window.
  HWND wlasciciel = GetActiveWindow();
  if (!wlasciciel || !IsWindowVisible(wlasciciel)) wlasciciel = Hwnd();
  OtwarcieOpcji o;
  o.strona = strona;
  o.folderProgramu = r.FolderProgramu();
  o.plikKroniki = r.Pliki().kronika;
  o.zastosuj = [&r](const UstawieniaKalmo& u, uint32_t czesci) { return r.ZastosujUstawienia(u, czesci); };
  // The core puts the hotkeys into the tray captions once the dialog has closed.
  ::PokazOknoOpcji(wlasciciel, UstawieniaKalmo::Wczytaj(r.Pliki()), std::move(o));
}

void TfrmGlowna::UstawOknoSchowka(std::unique_ptr<TfrmSchowek> schowek) { schowek_ = std::move(schowek); }

}  // namespace kalmo
