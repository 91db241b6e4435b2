#pragma once
// The hotkey table: up to fifteen global key combinations bound to Kalmo's tasks, loaded from the
// hotkey data file, handed to the keyboard-hook library and consulted when it reports a press.
// Also the text form of shortcut values ("Shift+Ctrl+P") in both directions.
#include <array>
#include <cstdint>
#include <string>

#include "common/Tekstowe.h"
#include "keyboard/KeyHook.h"
#include "settings/Komunikaty.h"

// "Shift+", "Ctrl+", "Alt+" in that order, then the key name; empty for 0 or a key without a name.
std::string ShortCutToText(uint16_t shortcut);
// The reverse: modifier prefixes in any order and letter case, spaces anywhere ignored; text that
// names no key gives 0.
uint16_t TextToShortCut(const std::string& text);

struct OpisZadania {
  uint8_t kod;
  const char* opis;
};
// The seven tasks that can be bound, in the order of every list shown to the user.
extern const std::array<OpisZadania, 7> kTabelaZadan;

struct HotkeyRecord {
  uint16_t Skrot = 0;
  uint8_t Zadanie = 0;
  std::string Parametr;  // program path for task 5; at most 255 characters
};

// Hotkey-line helpers, shared with the hotkey dialog and the options grid.
// Field 1 and field 2 of a hotkey line ("Shift+Ctrl+P#Przerwa").
std::string PoleSkrotu(const std::string& line);
std::string PoleOpisu(const std::string& line);
// The text between the first "(" and the last ")" after it; empty when there is no such pair.
std::string TekstWNawiasach(const std::string& text);
// The text without that parenthesised part (brackets included).
std::string BezNawiasow(const std::string& text);
// A task code from a description, parenthesised part ignored; 0 when none matches.
uint8_t OpisToZadanie(const std::string& text);
// One hotkey line to a record.
HotkeyRecord ParsujLinieHotkeya(const std::string& line);
// How a task-5 parameter is started.
struct PolecenieProgramu {
  std::string linia;   // the command line
  std::string folder;  // the program's own folder, its current folder; empty when not known
};
// A parameter that names an existing file is that program, in quotes, so that a path with spaces
// starts it and not "C:\Program.exe"; one that brings its own quotes is a command line as it
// stands; any other is read as a command line too, the program then its arguments (lines written
// by hand, "notepad C:\notatki.txt"), the program being the shortest run of words up to a space
// that names an existing file, as Windows reads such a line, else the first word. The folder is
// the program's, when it exists.
PolecenieProgramu PolecenieDlaProgramu(const std::string& parametr);

// What a hotkey can make the main window do; the main window implements it, tests record it.
class WykonawcaHotkeyow {
 public:
  virtual ~WykonawcaHotkeyow() = default;
  virtual void RozpocznijPrzerwe() = 0;         // as the tray command "Przerwa"
  virtual void PokazOkno(uint8_t zadanie) = 0;  // 2 today-info, 3 statistics, 4 document list
  // The clipboard history at the caret of the focused window (the window the key was pressed in).
  virtual void PokazSchowek(uintptr_t fokus) = 0;
  // Modal; only when no list is open and the shortcut data file exists (as the tray item).
  virtual void PokazListeSkrotow() = 0;
};

class THotKeys {
 public:
  static constexpr int kMaksymalnieKlawiszy = kMaksymalnieHotkeyow;

  // Empty table, then loads the file and registers the bindings with the library.
  THotKeys(std::string hotkeyFile, KeyHook& hook);

  // Loads the hotkey data file; a missing file leaves the table as it is. Blank lines are
  // skipped. A file of more than fifteen lines (only written by hand) gives the first fifteen;
  // the user is told once.
  void WczytajHotkeye();
  // Clears the library's table and adds every record's shortcut, in order; a record without a key
  // (0) is not handed over.
  void ZarejestrujHotkeye();

  // First record with the value; a record with task 0 when none or when the value is 0.
  HotkeyRecord ZnajdzHotkey(uint16_t shortcut) const;
  // Description of a task; unknown code: error dialog and empty text.
  std::string ZadanieToOpis(uint8_t code) const;
  uint8_t OpisToZadanie(const std::string& text) const { return ::OpisToZadanie(text); }
  // Shortcut text of the first record with the task, empty when none (tray captions).
  std::string ZadanieToSkrot(uint8_t code) const;
  void WypelnijListeZadan(TStringList& list) const;

  // WM_HOTKEY_TASK: finds the record of the value in wParam's low 16 bits and runs it; a value
  // without a task is ignored silently.
  void MyHotKeyMessageProc(uintptr_t wParam, uintptr_t lParam, WykonawcaHotkeyow& executor);
  // Runs one record; focus = the window that had the keyboard focus at the press.
  void WykonajHotkey(const HotkeyRecord& record, uintptr_t focus, WykonawcaHotkeyow& executor);

  int Ilosc() const { return ilosc_; }
  // Record 1..Ilosc.
  const HotkeyRecord& Rekord(int index) const { return rekordy_.at(index - 1); }

 private:
  std::string file_;
  KeyHook& hook_;
  std::array<HotkeyRecord, kMaksymalnieKlawiszy> rekordy_{};
  int ilosc_ = 0;
  bool zgloszonoNadmiar_ = false;
};
