#pragma once
// The hidden main window TfrmGlowna: it never shows, lives in the tray with an icon, a hint and
// the popup menu pmGlowne, runs the monitoring Timer and receives the private messages. What it
// decides is TGlownaRdzen's; this class puts it on the screen and owns the other windows.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/Glowna.h"
#include "app/win32/IkonaZasobnika.h"
#include "cleanup/win32/DeleteTempFileThread.h"
#include "common/win32/TrybPomocy.h"
#include "common/win32/Window.h"

class TfrmSchowek;
class TfrmCzyMonitorowac;
class TfrmListaDokumentow;
class TfrmTodayInfo;
class TfrmPrzypomnienie;
class TfrmWygaszacz;
class Win32KeyHook;

// Command ids of the tray menu items.
enum PozycjaMenuGlownego : int {
  mnuPomoc = 101,
  mnuOProgramie,
  mnuListaDokumentow,
  mnuListaSkrotow,
  mnuInformacjeDnia,
  mnuStatystyka,
  mnuOpcje,
  mnuPrzerwa,
  mnuKoniec,
  mnuWstrzymaj30,  // "Wstrzymaj przypomnienia" submenu
  mnuWstrzymaj60,
  mnuWstrzymaj120,
  mnuWstrzymajDoJutra,
  mnuWznow,
};

// The tray menu with its default captions (no hotkeys yet), top to bottom.
HMENU UtworzMenuGlowne();
// Puts captions (with their hotkeys) into the menu's items.
void UstawPodpisyMenu(HMENU menu, const PodpisyMenu& podpisy);
// Enables the items that open single-instance windows as the state says.
void UstawStanMenu(HMENU menu, const StanMenu& stan);
// Caption of an item, UTF-8.
std::string PodpisPozycji(HMENU menu, int id);

// A query that other programs (the Windows tests, a diagnostics tool) may send to the main window:
// wParam = a menu item id; the result is a global atom holding "<caption>\t<0|1 enabled>" with the
// menu state as it would pop up now, or 0 until the start-up has run. The caller deletes the atom
// (GlobalDeleteAtom). wParam 0 gives the tray icon's hint in place of a caption.
inline constexpr wchar_t kKomunikatPozycjiMenu[] = L"Kalmo.PozycjaMenu";

// The hidden main window of the Kalmo process with that id, for the programs that drive one (tests,
// tools); null while it has none.
HWND OknoGlowneProcesu(DWORD processId);

// In a namespace of its own: the installer's main window has the same name, and the tests and
// tools link both programs' windows.
namespace kalmo {

class TfrmGlowna : public win::Window, public GlownaUi {
 public:
  TfrmGlowna();
  ~TfrmGlowna() override;

  // Creates the hidden window, the tray icon and the menu, and runs the start-up sequence.
  bool Utworz();
  // The program's message loop, until "Koniec" (or WM_QUIT from elsewhere).
  void PetlaKomunikatow();

  TGlownaRdzen& Rdzen() { return *rdzen_; }
  HMENU pmGlowne() const { return pmGlowne_; }
  TNotifyIcon& NotifyIcon() { return ikona_; }
  // The clipboard-history window, created by the entry beside the main window; owned from here on.
  void UstawOknoSchowka(std::unique_ptr<TfrmSchowek> schowek);
  TfrmSchowek* OknoSchowka() { return schowek_.get(); }

  // Timer ids of the window.
  static constexpr UINT_PTR kTimerMonitorowania = 1;
  static constexpr UINT_PTR kTimerAnimacji = 2;
  // Callback message of the tray icon.
  static constexpr UINT WM_NOTIFYICON = WM_APP + 1;
  // The deletion thread of temporary files reports here: its end, that its label may show, and
  // reports for the user (waiting in TDeleteTempFileThread::Odbierz).
  static constexpr UINT WM_DELETION_ENDED = WM_APP + 2;
  static constexpr UINT WM_DELETION_LABEL = WM_APP + 3;
  static constexpr UINT WM_DELETION_REPORT = WM_APP + 4;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnClose() override { return true; }  // nothing closes the hidden window but "Koniec"

 private:
  // GlownaUi
  void Wyslij(unsigned message, uintptr_t wParam, intptr_t lParam) override;
  void UstawTimer(uint32_t okresMs) override;
  void UstawPodpowiedz(const std::string& tekst) override;
  void UstawPodpisyMenu(const PodpisyMenu& podpisy) override;
  void Ostrzez(const DecyzjaOstrzezenia& decyzja, int32_t sekundy) override;
  void ZatrzymajMiganie() override;
  void Pokaz(Okno okno, const std::string& co) override;
  void PokazSchowek(uintptr_t fokus) override;
  void PokazPomoc(int kontekst) override;
  void Zwolnij(Okno okno) override;
  bool Otwarte(Okno okno) override;
  void ZastosujUstawienia(const UstawieniaKalmo& u) override;
  void Zakoncz() override;

  void FormCreate();
  void FormDestroy();
  void UtworzIkone();
  // The windows, each opened by its own routine.
  void PokazPrzerwe();
  void PokazPytanie(const std::string& tytul);
  void PokazListeDokumentow();
  void PokazStatystyke();
  void PokazOknoOpcji(const std::string& strona);
  void PokazModalnie(Okno okno, const std::string& co);
  // Reports of the deletion thread, shown once no break window is up.
  void PokazZgloszeniaUsuwania();
  bool KomunikatUsuwania(UINT msg);
  // Lock and unlock of the session, sleep and wake-up of the computer.
  bool KomunikatSesji(UINT msg, WPARAM wp);
  void NotifyIconMessage(LPARAM mouse);
  void PokazMenu(POINT at);
  void OdswiezStanMenu();
  LRESULT PozycjaMenuDlaTestu(WPARAM id);
  void PokazPomocKontrolki(HWND kontrolka);

  std::unique_ptr<Win32KeyHook> hook_;
  std::unique_ptr<StarterUsuwania> starter_;
  std::unique_ptr<TGlownaRdzen> rdzen_;
  TNotifyIcon ikona_;
  HMENU pmGlowne_ = nullptr;
  HICON icon_ = nullptr;
  HICON klatki_[4] = {};
  UINT taskbarCreated_ = 0;
  UINT zapytanieMenu_ = 0;
  win::TrybPomocy trybPomocy_{[this](HWND kontrolka) { PokazPomocKontrolki(kontrolka); }};
  bool zniszczony_ = false;
  bool uruchomiony_ = false;  // the start-up sequence has run

  // Every window of the program, kept here only: the non-modal ones while they exist, the
  // modal ones marked while they are shown.
  std::unique_ptr<TfrmTodayInfo> todayInfo_;
  std::unique_ptr<TfrmPrzypomnienie> przypomnienie_;
  std::unique_ptr<TfrmWygaszacz> wygaszacz_;
  std::unique_ptr<TfrmListaDokumentow> listaDokumentow_;
  std::unique_ptr<TfrmCzyMonitorowac> czyMonitorowac_;
  std::unique_ptr<TfrmSchowek> schowek_;
  std::array<bool, kLiczbaOkien> modalne_{};
  std::vector<TDeleteTempFileThread::Zgloszenie> zgloszeniaUsuwania_;
};

}  // namespace kalmo
