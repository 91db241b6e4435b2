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
#include "worktime/OstrzegaczUtils.h"

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
};

// What the core asks of the main window and of the windows it owns.
class GlownaUi : public PoczmistrzGlownej {
 public:
  // The main window's handle as an integer (for the keyboard-hook library).
  virtual uintptr_t UchwytOkna() = 0;
  virtual void UstawPlikPomocy(const std::string& plik) = 0;  // the help's contents page
  virtual void OtworzTematPomocy(int kontekst) = 0;           // the help page of a context
  virtual void OtworzSpisPomocy() = 0;                        // the contents page
  virtual void ZainstalujFiltrPomocy() = 0;                   // what-is-this message filter
  // Hotkey tasks that need the window system: the busy cursor, window parents and corners
  // (handles as integers), and the clipboard history shown at a screen point.
  virtual void KursorZajety(bool zajety) = 0;
  virtual uintptr_t Rodzic(uintptr_t okno) = 0;  // 0 for a top-level window
  virtual PunktKaretki LewyGornyRog(uintptr_t okno) = 0;
  virtual void PokazSchowek(uintptr_t fokus, uintptr_t glowneOkno, PunktKaretki punkt) = 0;
  virtual void WlaczRejestracjePolaczen() = 0;  // switch the modem's connection log on
  virtual void ZastosujOpcjeSchowka(const OpcjeSchowka& opcje) = 0;  // the clipboard-history window
  // Sets the monitoring timer's period and enables it.
  virtual void UruchomTimer(uint32_t okresMs) = 0;
  virtual void UstawPodpowiedz(const std::string& tekst) = 0;  // tray hint
  virtual void ZatrzymajMiganie() = 0;                          // tray icon flashing
  virtual void UstawPodpisyMenu(const PodpisyMenu& podpisy) = 0;
  // A warning as the core decided it: the reminder window of a mode with its seconds (the core
  // asks only while no reminder is open), the flashing tray icon, a sound file.
  virtual void PokazPrzypomnienie(TrybPrzypomnienia tryb, int32_t sekundy) = 0;
  virtual void UruchomMiganie() = 0;
  virtual void OdtworzDzwiek(const std::string& plik) = 0;
  // Non-modal windows: create when missing, then show (brings an open one to the front).
  // Modal windows: create, show modally, free.
  virtual void PokazOkno(Okno okno) = 0;
  // The options dialog with the page to show first (empty: the first page); modal.
  virtual void PokazOpcje(const std::string& strona) = 0;
  // Frees a non-modal window named by a WM_FREE_FORM code; a window already gone is no error.
  virtual void ZwolnijOkno(Okno okno) = 0;
  // Whether an existing non-modal window is on the screen (today-info hides on its close box).
  virtual bool OknoWidoczne(Okno okno) = 0;
  // Starts a break (the break screen's routine shared by every trigger).
  virtual void RozpocznijPrzerwe() = 0;
  // Hides the break window's label "Trwa usuwanie plików tymczasowych w tle....".
  virtual void UkryjEtykieteUsuwania() = 0;
  // Ends the message loop.
  virtual void ZakonczProgram() = 0;
};

class TGlownaRdzen : private WykonawcaHotkeyow {
 public:
  // Nothing happens until FormCreate.
  TGlownaRdzen(GlownaUi& ui, KeyHook& hook, StarterUsuwania& usuwanie);
  ~TGlownaRdzen() override;  // FormDestroy when it has not run
  TGlownaRdzen(const TGlownaRdzen&) = delete;
  TGlownaRdzen& operator=(const TGlownaRdzen&) = delete;

  // Start-up sequence of the main window; the timer is enabled at its end.
  void FormCreate();
  // Shutdown: hotkey table, accounting (saves), background tasks, keyboard tracking off.
  void FormDestroy();

  // Monitoring tick.
  void TimerTimer();
  // Pacing of one non-zero warning code at the time of day now; true when it was dispatched.
  bool WyslijOstrzezenie(WarningCode kod);
  // The warning routine of a code: what the warning options say, told to the main window.
  void Ostrzez(WarningCode kod);
  // Called when the advanced options store a new monitoring frequency.
  void UstawOkresTimera();
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

  // Tray menu.
  PodpisyMenu Podpisy();        // captions with the current hotkeys
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

  // Window references: windows created elsewhere (reminder, question, break window) report here.
  bool OknoIstnieje(Okno okno) const { return okna_[static_cast<int>(okno)]; }
  void UstawOkno(Okno okno, bool istnieje) { okna_[static_cast<int>(okno)] = istnieje; }

  // Program-wide state.
  const std::string& FolderProgramu() const { return folder_; }
  const std::string& PlikPomocy() const { return plikPomocy_; }
  const PlikiDanych& Pliki() const { return pliki_; }
  TDebugger* Debugger() { return debugger_.get(); }
  TInfoSaver* InfoSaver() { return infoSaver_.get(); }
  TOrganizatorWatkow* OrganizatorWatkow() { return organizator_.get(); }
  // The hotkey table, from the start-up to the shutdown; the options dialog reloads it.
  THotKeys* Skroty() { return skroty_.get(); }
  const WarningOptions& OpcjeOstrzegania() const { return opcjeOstrzegania_; }
  void UstawOpcjeOstrzegania(const WarningOptions& o) { opcjeOstrzegania_ = o; }
  const std::string& ZnakiFiltrujace() const { return znakiFiltrujace_; }
  void UstawZnakiFiltrujace(const std::string& z) { znakiFiltrujace_ = z; }
  double LastWarningTime() const { return lastWarningTime_; }
  void UstawLastWarningTime(double t) { lastWarningTime_ = t; }

 private:
  // WykonawcaHotkeyow: the tasks run as the tray commands do.
  void RozpocznijPrzerwe() override { mnuPrzerwaClick(); }
  void PokazOkno(uint8_t zadanie) override;
  void KursorZajety(bool zajety) override { ui_.KursorZajety(zajety); }
  uintptr_t Rodzic(uintptr_t okno) override { return ui_.Rodzic(okno); }
  PunktKaretki LewyGornyRog(uintptr_t okno) override { return ui_.LewyGornyRog(okno); }
  void PokazSchowek(uintptr_t fokus, uintptr_t glowne, PunktKaretki punkt) override {
    ui_.PokazSchowek(fokus, glowne, punkt);
  }
  void PokazListeSkrotow() override { mnuListaSkrotowClick(); }

  GlownaUi& ui_;
  KeyHook& hook_;
  StarterUsuwania& usuwanie_;
  std::string folder_;
  std::string plikPomocy_;
  PlikiDanych pliki_;
  std::unique_ptr<TDebugger> debugger_;
  std::unique_ptr<TInfoSaver> infoSaver_;
  std::unique_ptr<TOrganizatorWatkow> organizator_;
  std::unique_ptr<THotKeys> skroty_;
  WarningOptions opcjeOstrzegania_;
  std::string znakiFiltrujace_ = "-[";
  double lastWarningTime_ = 0;
  std::array<bool, kLiczbaOkien> okna_{};
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
