#pragma once
// One page of the options dialog: a child window over the notebook's page area that holds the
// page's controls and receives their notifications. Each page loads, validates and stores its
// own settings (StronaOpcji); the dialog only runs the order.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/Window.h"
#include "options/Opcje.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"

class TInfoSaver;

// The tasks' keys as the page "Klawiatura" holds them; the key fields of other pages edit them.
class KlawiszeZadan {
 public:
  virtual ~KlawiszeZadan() = default;
  virtual std::string Klawisz(uint8_t zadanie) const = 0;  // key text, empty when none
  // Refusals (a key without Ctrl or Alt, a full table) are reported here and change nothing.
  virtual void UstawKlawisz(uint8_t zadanie, uint16_t skrot) = 0;
};

// What the options dialog changes outside its own settings: the main window's copies and the
// live objects that read them. Any function may be empty.
struct KontekstOpcji {
  TInfoSaver* infoSaver = nullptr;  // owner of the limits record (required)
  PlikiDanych pliki;                // data files of the pages
  std::string folderProgramu;       // where the help pages lie
  std::function<void(const WarningOptions&)> ustawOpcjeOstrzegania;  // the record in force
  std::function<void(const std::string&)> ustawZnakiFiltrujace;      // document monitoring
  std::function<void()> poZmianieLimitow;          // the monitoring timer follows the frequency
  std::function<void()> poZapisieHotkeyow;         // reload and register the hotkey table
  std::function<bool(bool)> przelaczLewyAlt;       // the hook library's left-Alt switch
  std::function<void(const OpcjeSchowka&)> zastosujOpcjeSchowka;  // the live clipboard window
  KlawiszeZadan* klawisze = nullptr;  // set by the dialog once the page "Klawiatura" exists
};

class TStronaOpcji : public win::Window, public StronaOpcji {
 public:
  // Creates the hidden page window inside the dialog at the page rectangle.
  TStronaOpcji(HWND dialog, const RECT& obszar, const std::string& nazwa, KontekstOpcji& kontekst);
  ~TStronaOpcji() override;

  std::optional<std::string> Sprawdz() override { return std::nullopt; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Notifications of the page's controls, by control id.
  virtual void Polecenie(int id, int kod, HWND kontrolka) {}
  virtual void Przewiniecie(HWND suwak) {}
  virtual LRESULT Powiadomienie(NMHDR* n) { return 0; }
  virtual bool Rysuj(const DRAWITEMSTRUCT* d) { return false; }
  virtual bool Wymiar(MEASUREITEMSTRUCT* m) { return false; }
  virtual void Zegar(UINT_PTR id) {}

  // Controls at 96-dpi design coordinates of the page.
  HWND Etykieta(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h, DWORD styl = SS_LEFT);
  HWND Przycisk(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h);
  HWND Pole(const std::string& nazwa, int id, int x, int y, int w, int h, DWORD styl = ES_AUTOHSCROLL);
  HWND Wyboru(const std::string& nazwa, int id, const std::string& tekst, int x, int y, int w, int h);
  HWND Grupa(const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h);
  // A spin box: an edit with an up-down control inside its right edge, kept in [min, max].
  HWND Licznik(const std::string& nazwa, int id, int x, int y, int w, int min, int max, int wartosc);
  HWND Suwak(const std::string& nazwa, int id, int x, int y, int w, int h, int min, int max);
  // A grid of text rows (a report list view) with its column headers and widths.
  using Wiersz = std::pair<std::string, std::string>;
  HWND Siatka(const std::string& nazwa, int id, int x, int y, int w, int h, const char* kolumna1, int szer1,
              const char* kolumna2, int szer2);
  static void UstawWiersze(HWND siatka, const std::vector<Wiersz>& wiersze);
  static std::vector<Wiersz> Wiersze(HWND siatka);
  static int ZaznaczonyWiersz(HWND siatka);  // -1 when none
  // A key field (hotkey control) of a task: it shows the task's key from the page "Klawiatura"
  // whenever the page is shown, and sets it there when the field is left.
  HWND PoleKlawisza(const std::string& nazwa, int id, uint8_t zadanie, int x, int y, int w);
  void PokazKlawisze();
  HWND Kontrolka(const std::string& nazwa) const { return win::FindControl(Hwnd(), nazwa); }

  static bool Zaznaczone(HWND przycisk) { return SendMessageW(przycisk, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  static void Zaznacz(HWND przycisk, bool tak) { SendMessageW(przycisk, BM_SETCHECK, tak ? BST_CHECKED : BST_UNCHECKED, 0); }
  // A spin box's value within its range; typed text that is no number gives `poprzednia`, and
  // the box shows what is taken.
  static int WartoscLicznika(HWND pole, const Zakres& zakres, int poprzednia);

  static int S(int v);
  static LRESULT CALLBACK PolePodklasa(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR strona);
  std::vector<std::pair<HWND, uint8_t>> polaKlawiszy_;
  KontekstOpcji& kontekst_;
};
