#pragma once
// What the hidden main window decides, apart from its windows: start-up, the monitoring tick and
// its warning pacing, the private messages, the tray menu's captions, state and commands, and
// shutdown. TfrmGlowna (app/win32) owns one TGlownaRdzen and implements GlownaUi for it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "app/OrgWatkow.h"
#include "settings/UstawieniaKalmo.h"
#include "settings/uDebugger.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/KeyHook.h"
#include "worktime/InfoSaver.h"
#include "worktime/Odlozenie.h"
#include "worktime/OstrzegaczUtils.h"
#include "documents/Statystyka.h"

// Captions of the tray menu items that carry a hotkey.
struct PodpisyMenu {
  std::string listaDokumentow;
  std::string listaSkrotow;
  std::string informacjeDnia;
  std::string statystyka;
  std::string opcje;
  std::string przerwa;
};

// Enabled state of the tray menu items that open single-instance windows.
struct StanMenu {
  bool pomoc = true;  // the help pages are installed
  bool informacjeDnia = true;
  bool statystyka = true;
  bool opcje = true;
  bool listaDokumentow = true;
  bool oProgramie = true;
  bool wznow = false;  // a pause of the reminders runs
};

// What the core asks of the main window: "show this" calls. The window owns every window of the
// program and knows which are open; the core decides when and what.
class GlownaUi : public PoczmistrzGlownej {
 public:
  // The monitoring timer runs with this period from the first call on.
  virtual void UstawTimer(uint32_t okresMs) = 0;
  virtual void UstawPodpowiedz(const std::string& tekst) = 0;  // tray hint
  virtual void UstawPodpisyMenu(const PodpisyMenu& podpisy) = 0;
  // A warning as the core decided it: the tray hint, then the reminder window of its mode with its
  // seconds, the flashing tray icon or a sound.
  virtual void Ostrzez(const DecyzjaOstrzezenia& decyzja, int32_t sekundy) = 0;
  virtual void ZatrzymajMiganie() = 0;
  // Shows a window: a non-modal one is created when missing and brought to the front; a modal
  // one returns when closed. `co` is what the window is about: the options' first page, the
  // question's document title.
  virtual void Pokaz(Okno okno, const std::string& co = {}) = 0;
  // The clipboard history at the caret of the window that has the keyboard focus.
  virtual void PokazSchowek(uintptr_t fokus) = 0;
  virtual void PokazPomoc(int kontekst) = 0;  // a help page; 1 is the contents
  // Frees a closed non-modal window (its release message); a window already gone is no error.
  virtual void Zwolnij(Okno okno) = 0;
  // Whether a window exists; the today-info window, which hides on its close box, while shown.
  virtual bool Otwarte(Okno okno) = 0;
  // The windows' part of new settings (the clipboard history's look and buffer).
  virtual void ZastosujUstawienia(const UstawieniaKalmo& u) = 0;
  virtual void Zakoncz() = 0;  // ends the message loop
};

class TGlownaRdzen : private WykonawcaHotkeyow {
 public:
  // Nothing happens until FormCreate.
  TGlownaRdzen(GlownaUi& ui, KeyHook& hook, StarterUsuwania& usuwanie);
  ~TGlownaRdzen() override;  // FormDestroy when it has not run
  TGlownaRdzen(const TGlownaRdzen&) = delete;
  TGlownaRdzen& operator=(const TGlownaRdzen&) = delete;

  // Start-up sequence of the main window (its handle goes to the keyboard-hook library); the
  // timer is enabled at its end.
  void FormCreate(uintptr_t oknoGlowne);
  // Shutdown: hotkey table, accounting (saves), background tasks, keyboard tracking off.
  void FormDestroy();

  // Monitoring tick.
  void TimerTimer();
  // Pacing of one non-zero warning code at the time of day now, then the deferral; true when it
  // was dispatched.
  bool WyslijOstrzezenie(WarningCode kod);
  // The warning routine of a code: what the warning options say, told to the main window.
  void Ostrzez(WarningCode kod);
  // The one way a setting changes: stores the parts asked for of a draft (UstawieniaKalmo::Zapisz)
  // and applies to the running program what was stored: limits and timer period, warning
  // options, filter characters, left Alt, the hotkey table reloaded and registered with the tray
  // captions, the clipboard window's options, the modem log. A part not stored keeps running as
  // it was. The result says what was not stored (the options dialog stays open with it).
  WynikZapisuUstawien ZastosujUstawienia(const UstawieniaKalmo& u, uint32_t czesci = kWszystkieCzesci);

  // Private messages. ObsluzKomunikat dispatches any of the five and returns false for others.
  bool ObsluzKomunikat(unsigned message, uintptr_t wParam, intptr_t lParam);
  void MyHotKeyMessageProc(uintptr_t wParam, intptr_t lParam);
  void MyScreenSaverStartMessage(uintptr_t wParam);
  void MyPauseKeyMessage(uintptr_t wParam);
  void MyFormFreeMessage(intptr_t lParam);
  void MyThreadMessage(uintptr_t wParam);
  // The deletion of temporary files ended by itself.
  void UsuwanieZakonczone();
  // The session was locked or unlocked; the computer goes to sleep or woke up.
  void SesjaZablokowana(bool zablokowana);
  void Uspienie(bool usypia);

  // A pause of the reminders: no reminder, flashing or sound until its end (a local date-time),
  // kept in WstrzymaneDo so that a restart keeps it. Time is still counted.
  void WstrzymajNa(int minuty);
  void WstrzymajDoJutra();  // until the next work day begins
  void Wznow();
  bool Wstrzymane() const { return wstrzymaneDo_ > 0; }
  double WstrzymaneDo() const { return wstrzymaneDo_; }

  // A deferral: a due warning waits while the person presents, is in a call, uses a full-screen
  // program or a program of ProgramyBezPrzerw, at most MaksOdlozenie minutes. The tray hint says
  // why (TekstOdlozenia). A user's own break is never deferred.
  bool Odlozone() const { return odlozenie_.Trwa(); }
  const std::string& PowodOdlozenia() const { return odlozenie_.Powod(); }

  // Tray menu.
  PodpisyMenu Podpisy() const;  // captions with the current hotkeys
  void WstawSkrotyDoMenu();     // puts them into the menu
  StanMenu StanPrzyOtwarciu() const;  // enabled items when the menu pops up
  void mnuPomocClick();
  void mnuOProgramieClick();
  void mnuListaDokumentowClick();
  void mnuListaSkrotowClick();
  void mnuInformacjeDniaClick();
  void mnuStatystykaClick();
  void mnuOpcjeClick();
  void mnuPrzerwaClick();
  void mnuKoniecClick();
  void NotifyIconDblClick();  // opens the options dialog
  // Options dialog with a first page ("Skróty" from the shortcut list), then fresh captions.
  void OtworzOpcje(const std::string& strona);

  // What the windows show and do, as data and commands of the accounting.
  StanDnia Dzis() const;  // today's counters, activity and limits
  void WejdzWPrzerwe();   // a user break begins
  void ZakonczPrzerwe();  // the user left the break window
  // The document windows' data and commands.
  TStringList WidokDokumentow(bool pelny);
  std::string PrzelaczDokument(const std::string& pozycja);
  void OdpowiedzNaPytanie(const std::string& tytul, bool monitorowac);
  // What the statistics window is built from: the archive, the documents, today's counter.
  ZrodloStatystyki DaneDoStatystyki() const;
  const WarningOptions& OpcjeOstrzegania() const { return opcjeOstrzegania_; }
  const std::string& ZnakiFiltrujace() const { return znakiFiltrujace_; }
  const std::string& FolderProgramu() const { return folder_; }
  const PlikiDanych& Pliki() const { return pliki_; }
  double LastWarningTime() const { return lastWarningTime_; }
  void UstawLastWarningTime(double t) { lastWarningTime_ = t; }

 private:
  // WykonawcaHotkeyow: the tasks run as the tray commands do.
  void RozpocznijPrzerwe() override { mnuPrzerwaClick(); }
  void PokazOkno(uint8_t zadanie) override;
  void PokazSchowek(uintptr_t fokus) override { ui_.PokazSchowek(fokus); }
  void PokazListeSkrotow() override { mnuListaSkrotowClick(); }
  // A modal window, shown unless it is open already.
  void Modalnie(Okno okno, const std::string& co = {});
  void Wstrzymaj(double doKiedy);
  // What a code's warning would show now: nothing while a reminder is open already.
  DecyzjaOstrzezenia Decyzja(WarningCode kod) const;
  // Whether a warning that would show something waits; the tray hint follows the deferral.
  bool Odloz(const DecyzjaOstrzezenia& d);
  void ZakonczOdlozenie();
  // The pause as stored; ends it when its time has come. True while it runs.
  bool SprawdzWstrzymanie(double teraz);
  void PokazPodpowiedz();

  GlownaUi& ui_;
  KeyHook& hook_;
  StarterUsuwania& usuwanie_;
  std::string folder_;
  PlikiDanych pliki_;
  std::unique_ptr<TDebugger> debugger_;
  std::unique_ptr<TInfoSaver> infoSaver_;
  std::unique_ptr<TOrganizatorWatkow> organizator_;
  std::unique_ptr<THotKeys> skroty_;
  WarningOptions opcjeOstrzegania_;
  std::string znakiFiltrujace_ = "-[";
  double lastWarningTime_ = 0;
  double wstrzymaneDo_ = 0;  // 0: no pause
  TOdlozenie odlozenie_;
  TStringList programyBezPrzerw_;
  int32_t maksOdlozenie_ = wartosc::kMaksOdlozenieDomyslne;
  bool utworzony_ = false;
  bool zniszczony_ = false;
};

// Minutes that count between the last warning and now for the pacing: whole clock minutes of
// the time of day, counted forward across midnight.
int MinutyOdOstrzezenia(double teraz, double ostatnie);
// Minimum minutes between two warnings for a code.
int32_t WymaganeMinuty(WarningCode kod, const WarningOptions& opcje);
// A tray-menu caption with its hotkey: base + 4 blanks + "(" + key + ")"; unchanged without key.
std::string PodpisZeSkrotem(const std::string& podstawa, const std::string& klawisz);
// Timer period for a monitoring frequency in seconds, held in 0..2147483647 ms.
uint32_t OkresTimeraMs(int32_t czestotliwoscSekund);
// The start of the next work day after `teraz`: the next rollover hour on the clock.
double PoczatekNastepnegoDnia(double teraz, int godzinaPrzelaczenia);
// The tray hint of a pause: "Przypomnienia wstrzymane do 14:30" (with "jutra, " when it ends on
// another day).
std::string TekstWstrzymania(double teraz, double doKiedy);
