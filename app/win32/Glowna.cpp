#include "app/win32/Glowna.h"

#include <shellapi.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "app/win32/OProgramie.h"
#include "app/win32/ZasobyGlowne.h"
#include "cleanup/win32/DeleteTempFileThread.h"
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

void TfrmGlowna::FormCreate() {
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  zapytanieMenu_ = RegisterWindowMessageW(kKomunikatPozycjiMenu);
  pmGlowne_ = UtworzMenuGlowne();

  int small = GetSystemMetrics(SM_CXSMICON);
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

  hook_ = std::make_unique<Win32KeyHook>();
  starter_ = std::make_unique<UsuwanieWTle>(Hwnd(), [this] { return rdzen_->Pliki(); });
  rdzen_ = std::make_unique<TGlownaRdzen>(*this, *hook_, *starter_);
  rdzen_->FormCreate();
  if (rdzen_->InfoSaver()) rdzen_->InfoSaver()->UstawKontekstDokumentow(this);
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
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimerMonitorowania) TimerTimer();
      else if (wp == kTimerAnimacji) ikona_.NastepnaKlatka();
      return 0;
    case WM_NOTIFYICON:
      NotifyIconMessage(lp);
      return 0;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wp) == pmGlowne_) OdswiezStanMenu();
      return 0;
    case WM_COMMAND:
      if (!rdzen_) break;
      switch (LOWORD(wp)) {
        case mnuPomoc: rdzen_->mnuPomocClick(); return 0;
        case mnuOProgramie: rdzen_->mnuOProgramieClick(); return 0;
        case mnuListaDokumentow: rdzen_->mnuListaDokumentowClick(); return 0;
        case mnuListaSkrotow: rdzen_->mnuListaSkrotowClick(); return 0;
        case mnuInformacjeDnia: rdzen_->mnuInformacjeDniaClick(); return 0;
        case mnuStatystyka: rdzen_->mnuStatystykaClick(); return 0;
        case mnuOpcje: rdzen_->mnuOpcjeClick(); return 0;
        case mnuPrzerwa: rdzen_->mnuPrzerwaClick(); return 0;
        case mnuKoniec: rdzen_->mnuKoniecClick(); return 0;
      }
      break;
    case WM_DELETION_ENDED:
      if (rdzen_ && rdzen_->OrganizatorWatkow() && rdzen_->OrganizatorWatkow()->UsuwanieTrwa())
        rdzen_->OrganizatorWatkow()->UsuwanieZakonczone();
      return 0;
    case WM_DELETION_LABEL:
      if (wygaszacz_) wygaszacz_->PokazUsuwaniePlikow(true);
      return 0;
    case WM_DELETION_REPORT:
      for (auto& z : TDeleteTempFileThread::Odbierz()) zgloszeniaUsuwania_.push_back(std::move(z));
      PokazZgloszeniaUsuwania();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows ends the process after this message: save now, as "Koniec" would.
      if (wp) FormDestroy();
      return 0;
    case WM_CLOSE:
      // Nothing closes the hidden window but "Koniec".
      return 0;
  }
  return Default(msg, wp, lp);
}

void TfrmGlowna::TimerTimer() {
  if (rdzen_) rdzen_->TimerTimer();
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
  OdswiezStanMenu();
  UINT state = GetMenuState(pmGlowne_, static_cast<UINT>(id), MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return 0;
  bool enabled = !(state & (MF_GRAYED | MF_DISABLED));
  std::wstring text = win::Widen(PodpisPozycji(pmGlowne_, static_cast<int>(id))) + (enabled ? L"\t1" : L"\t0");
  return GlobalAddAtomW(text.c_str());
}

// ---------------------------------------------------------------------------------------------
// GlownaUi

void TfrmGlowna::Wyslij(unsigned message, uintptr_t wParam, intptr_t lParam) {
  PostMessageW(Hwnd(), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

uintptr_t TfrmGlowna::UchwytOkna() { return reinterpret_cast<uintptr_t>(Hwnd()); }

void TfrmGlowna::UstawPlikPomocy(const std::string& plik) {
  plikPomocy_ = plik;
  SetApplicationHelpFile(plik);  // the message dialog's help button opens it too
}

// The help pages lie beside the contents page; without them nothing opens and nothing is said
// (the menu item is disabled then).
void TfrmGlowna::OtworzTematPomocy(int kontekst) { OtworzPomoc(FolderZeSciezki(plikPomocy_), kontekst); }

void TfrmGlowna::OtworzSpisPomocy() { OtworzTematPomocy(1); }

void TfrmGlowna::ZainstalujFiltrPomocy() {
  // Every loop of the thread runs it, the modal dialogs' own loops too.
  win::UstawFiltrKomunikatow([this](const MSG& msg) { return FiltrPomocy(msg); });
}

bool TfrmGlowna::FiltrPomocy(const MSG& msg) {
  if (msg.message == WM_NCLBUTTONDOWN) {
    if (msg.wParam == HTHELP) kliknieciePomocy_ = true;
    return false;
  }
  if (msg.message != WM_LBUTTONDOWN) return false;
  if (!kliknieciePomocy_ && GetCursor() != LoadCursorW(nullptr, IDC_HELP)) return false;
  kliknieciePomocy_ = false;
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  // The control under the mouse, disabled ones included (they get no mouse messages).
  POINT pt = msg.pt;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  HWND control = msg.hwnd;
  if (top) {
    POINT local = pt;
    ScreenToClient(top, &local);
    HWND under = ChildWindowFromPointEx(top, local, CWP_ALL);
    while (under && under != control) {
      HWND deeper = nullptr;
      POINT inner = pt;
      ScreenToClient(under, &inner);
      deeper = ChildWindowFromPointEx(under, inner, CWP_ALL);
      if (!deeper || deeper == under) break;
      under = deeper;
    }
    if (under) control = under;
  }
  PokazPomocKontrolki(control);
  return true;
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
  OtworzTematPomocy(static_cast<int>(kontekst));
}

void TfrmGlowna::WlaczRejestracjePolaczen() { EnableModemLogging(); }

void TfrmGlowna::ZastosujOpcjeSchowka(const OpcjeSchowka& opcje) {
  if (schowek_) schowek_->ZastosujOpcje(opcje);
}

void TfrmGlowna::UruchomTimer(uint32_t okresMs) {
  SetTimer(Hwnd(), kTimerMonitorowania, okresMs, nullptr);
}

void TfrmGlowna::UstawPodpowiedz(const std::string& tekst) { ikona_.UstawPodpowiedz(tekst); }

void TfrmGlowna::ZatrzymajMiganie() { ikona_.ZatrzymajAnimacje(); }

void TfrmGlowna::UstawPodpisyMenu(const PodpisyMenu& podpisy) { ::UstawPodpisyMenu(pmGlowne_, podpisy); }

void TfrmGlowna::PokazPrzypomnienie(TrybPrzypomnienia tryb, int32_t sekundy) {
  KontekstPrzypomnienia k;
  k.glowne = Hwnd();
  k.rozpocznijPrzerwe = [this] { RozpocznijPrzerwe(); };
  ::PokazPrzypomnienie(przypomnienie_, tryb, sekundy, k);
}

void TfrmGlowna::UruchomMiganie() { ikona_.UruchomAnimacje(); }

void TfrmGlowna::OdtworzDzwiek(const std::string& plik) { ::OdtworzDzwiek(plik); }

void TfrmGlowna::PokazOkno(Okno okno) {
  switch (okno) {
    case Okno::InformacjeDnia:
      if (!rdzen_->InfoSaver()) return;
      if (!todayInfo_) todayInfo_ = std::make_unique<TfrmTodayInfo>(*rdzen_->InfoSaver(), Hwnd());
      todayInfo_->Pokaz();
      return;
    case Okno::OProgramie: {
      TfrmOProgramie o;
      if (o.Utworz(nullptr)) o.ShowModal(nullptr);
      return;
    }
    case Okno::ListaDokumentow:
      PokazListeDokumentow();
      return;
    case Okno::Statystyka:
      PokazStatystyke();
      return;
    case Okno::ListaSkrotow: {
      TfrmListaSkrotow lista(rdzen_->Pliki().skroty, [this] { rdzen_->OtworzOpcje("Skróty"); });
      lista.ShowModal(nullptr);
      return;
    }
    default:
      return;  // the reminder, the question and the break window open through their own routines
  }
}

void TfrmGlowna::PokazOpcje(const std::string& strona) { PokazOknoOpcji(strona); }

void TfrmGlowna::ZwolnijOkno(Okno okno) {
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

bool TfrmGlowna::OknoWidoczne(Okno okno) {
  HWND h = nullptr;
  switch (okno) {
    case Okno::InformacjeDnia: h = todayInfo_ ? todayInfo_->Hwnd() : nullptr; break;
    case Okno::Przypomnienie: h = przypomnienie_ ? przypomnienie_->Hwnd() : nullptr; break;
    case Okno::Wygaszacz: h = wygaszacz_ ? wygaszacz_->Hwnd() : nullptr; break;
    default: return true;  // windows of their own kind: shown while they exist
  }
  return h && IsWindowVisible(h);
}

void TfrmGlowna::RozpocznijPrzerwe() {
  if (!rdzen_ || !rdzen_->InfoSaver()) return;
  KontekstPrzerwy k;
  k.infoSaver = rdzen_->InfoSaver();
  k.opcje = &rdzen_->OpcjeOstrzegania();
  k.glowne = Hwnd();
  k.zatrzymajMiganie = [this] { ikona_.ZatrzymajAnimacje(); };
  ::RozpocznijPrzerwe(wygaszacz_, k);
  rdzen_->UstawOkno(Okno::Wygaszacz, wygaszacz_ != nullptr);
}

void TfrmGlowna::PokazZgloszeniaUsuwania() {
  // A dialog over the black break window would hold the user there; it waits for the break's end.
  if (wygaszacz_ || zgloszeniaUsuwania_.empty()) return;
  auto zgloszenia = std::move(zgloszeniaUsuwania_);
  zgloszeniaUsuwania_.clear();
  for (const auto& z : zgloszenia) PokazBlad(z.miejsce, z.tekst);
}

void TfrmGlowna::UkryjEtykieteUsuwania() {
  if (wygaszacz_) wygaszacz_->PokazUsuwaniePlikow(false);
}

void TfrmGlowna::ZakonczProgram() { PostQuitMessage(0); }

// ---------------------------------------------------------------------------------------------
// Documents

std::string TfrmGlowna::ZnakiFiltrujace() { return rdzen_ ? rdzen_->ZnakiFiltrujace() : std::string("-["); }

void TfrmGlowna::AskWhetherToMonitor(const std::string& tytul) {
  if (!rdzen_ || !rdzen_->InfoSaver()) return;
  ::AskWhetherToMonitor(czyMonitorowac_, rdzen_->InfoSaver()->Dokumenty(), Hwnd(), tytul);
  rdzen_->UstawOkno(Okno::CzyMonitorowac, true);
}

void TfrmGlowna::PokazListeDokumentow() {
  if (!rdzen_ || !rdzen_->InfoSaver()) return;
  if (!listaDokumentow_)
    listaDokumentow_ = std::make_unique<TfrmListaDokumentow>(rdzen_->InfoSaver()->Dokumenty(), ZnakiFiltrujace(), Hwnd());
  listaDokumentow_->Pokaz();
}

void TfrmGlowna::PokazStatystyke() {
  if (!rdzen_) return;
  ZrodloStatystyki z;
  z.plikArchiwum = rdzen_->Pliki().archiwum;
  z.dzis = std::floor(platform::Time().Now());
  if (TInfoSaver* konto = rdzen_->InfoSaver()) {
    for (int i = 0; i < konto->Organizator().Count(); ++i) z.dokumenty.push_back(konto->Organizator().Get(i));
    z.dzisSekundy = konto->CzasPracy();
    z.limitSekund = konto->DajLimity().caDziennyLimit;
    z.dzis = konto->TerazDniaPracy();
    z.godzinaPrzelaczenia = konto->DajLimity().GodzinaPrzelaczenia;
  }
  ::PokazStatystyke(Hwnd(), std::move(z));
}

// ---------------------------------------------------------------------------------------------
// Options

void TfrmGlowna::PokazOknoOpcji(const std::string& strona) {
  if (!rdzen_) return;
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

// ---------------------------------------------------------------------------------------------
// Hotkey tasks

void TfrmGlowna::KursorZajety(bool zajety) { SetCursor(LoadCursorW(nullptr, zajety ? IDC_WAIT : IDC_ARROW)); }

uintptr_t TfrmGlowna::Rodzic(uintptr_t window) {
  HWND h = reinterpret_cast<HWND>(window);
  if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) return 0;
  return reinterpret_cast<uintptr_t>(GetParent(h));
}

PunktKaretki TfrmGlowna::LewyGornyRog(uintptr_t window) {
  RECT r{};
  GetWindowRect(reinterpret_cast<HWND>(window), &r);
  PunktKaretki p;
  p.x = r.left;
  p.y = r.top;
  return p;
}

void TfrmGlowna::PokazSchowek(uintptr_t focus, uintptr_t topLevel, PunktKaretki point) {
  if (!schowek_) return;
  schowek_->PokazSchowek(reinterpret_cast<HWND>(focus), reinterpret_cast<HWND>(topLevel), point.x, point.y);
  win::BringToForeground(schowek_->Hwnd());
}

void TfrmGlowna::UstawOknoSchowka(std::unique_ptr<TfrmSchowek> schowek) { schowek_ = std::move(schowek); }

}  // namespace kalmo
