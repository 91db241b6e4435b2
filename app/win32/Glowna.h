#pragma once
// The hidden main window TfrmGlowna: it never shows, lives in the tray with an icon, a hint and
// the popup menu pmGlowne, runs the monitoring Timer and receives the private messages. What it
// decides is TGlownaRdzen's; this class puts it on the screen and owns the other windows.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Glowna.h"
#include "app/win32/IkonaZasobnika.h"
#include "cleanup/win32/DeleteTempFileThread.h"
#include "common/win32/Window.h"
#include "documents/MonitorowanieDokumentow.h"
#include "keyboard/GoraceKlawisze.h"

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
// (GlobalDeleteAtom).
inline constexpr wchar_t kKomunikatPozycjiMenu[] = L"Kalmo.PozycjaMenu";

// The hidden main window of the Kalmo process with that id, for the programs that drive one (tests,
// tools); null while it has none.
HWND OknoGlowneProcesu(DWORD processId);

// In a namespace of its own: the installer's main window has the same name, and the tests and
// tools link both programs' windows.
namespace kalmo {

class TfrmGlowna : public win::Window, public GlownaUi, private KontekstDokumentow {
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

 private:
  // GlownaUi
  void Wyslij(unsigned message, uintptr_t wParam, intptr_t lParam) override;
  uintptr_t UchwytOkna() override;
  void UstawPlikPomocy(const std::string& plik) override;
  void OtworzTematPomocy(int kontekst) override;
  void OtworzSpisPomocy() override;
  void ZainstalujFiltrPomocy() override;
  void KursorZajety(bool zajety) override;
  uintptr_t Rodzic(uintptr_t window) override;
  PunktKaretki LewyGornyRog(uintptr_t window) override;
  void PokazSchowek(uintptr_t focus, uintptr_t topLevel, PunktKaretki point) override;
  void WlaczRejestracjePolaczen() override;
  void ZastosujOpcjeSchowka(const OpcjeSchowka& opcje) override;
  void UruchomTimer(uint32_t okresMs) override;
  void UstawPodpowiedz(const std::string& tekst) override;
  void ZatrzymajMiganie() override;
  void UstawPodpisyMenu(const PodpisyMenu& podpisy) override;
  void PokazPrzypomnienie(TrybPrzypomnienia tryb, int32_t sekundy) override;
  void UruchomMiganie() override;
  void OdtworzDzwiek(const std::string& plik) override;
  void PokazOkno(Okno okno) override;
  void PokazOpcje(const std::string& strona) override;
  void ZwolnijOkno(Okno okno) override;
  bool OknoWidoczne(Okno okno) override;
  void RozpocznijPrzerwe() override;
  void UkryjEtykieteUsuwania() override;
  // Reports of the deletion thread, shown once no break window is up.
  void PokazZgloszeniaUsuwania();
  void ZakonczProgram() override;

  // KontekstDokumentow
  std::string ZnakiFiltrujace() override;
  void AskWhetherToMonitor(const std::string& tytul) override;

  void PokazListeDokumentow();
  void PokazStatystyke();
  void PokazOknoOpcji(const std::string& strona);

  void FormCreate();
  void FormDestroy();
  void TimerTimer();
  void NotifyIconMessage(LPARAM mouse);
  void PokazMenu(POINT at);
  void OdswiezStanMenu();
  LRESULT PozycjaMenuDlaTestu(WPARAM id);
  // The what-is-this help of the message loop; true when the message was used up.
  bool FiltrPomocy(const MSG& msg);
  void PokazPomocKontrolki(HWND control);

  std::unique_ptr<Win32KeyHook> hook_;
  std::unique_ptr<StarterUsuwania> starter_;
  std::unique_ptr<TGlownaRdzen> rdzen_;
  TNotifyIcon ikona_;
  HMENU pmGlowne_ = nullptr;
  HICON icon_ = nullptr;
  HICON klatki_[4] = {};
  UINT taskbarCreated_ = 0;
  UINT zapytanieMenu_ = 0;
  std::string plikPomocy_;
  bool kliknieciePomocy_ = false;
  bool zniszczony_ = false;
  bool uruchomiony_ = false;  // the start-up sequence has run

  std::unique_ptr<TfrmTodayInfo> todayInfo_;
  std::unique_ptr<TfrmPrzypomnienie> przypomnienie_;
  std::unique_ptr<TfrmWygaszacz> wygaszacz_;
  std::vector<TDeleteTempFileThread::Zgloszenie> zgloszeniaUsuwania_;
  std::unique_ptr<TfrmSchowek> schowek_;
  std::unique_ptr<TfrmListaDokumentow> listaDokumentow_;
  std::unique_ptr<TfrmCzyMonitorowac> czyMonitorowac_;
};

}  // namespace kalmo
