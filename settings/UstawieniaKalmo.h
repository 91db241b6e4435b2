#pragma once
// The draft of every setting the options dialog edits: the records and single values of the
// settings key, and the lists of the data files it edits, as lines. The dialog's pages edit a
// draft; the core stores it and applies it to the running program
// (TGlownaRdzen::ZastosujUstawienia). What the dialog does not edit stays with its owner: today's
// running record, the statistics window's options, Aktywnosc3D (the today-info window's) and the
// modem log's last connection.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Tekstowe.h"
#include "settings/Globalne.h"

// A data file the dialog edits, as its lines.
struct ListaZPliku {
  std::string plik;      // empty: the list has no file and is never stored
  TStringList linie;     // as the pages leave them
  TStringList wczytane;  // as read, to tell whether the pages changed the list
  bool czytelna = true;  // false: the file exists but could not be read; it is never written then

  // A missing file is an empty, readable list.
  static ListaZPliku Wczytaj(const std::string& plik);
};

// The parts of the settings, each stored (and applied) on its own.
enum class CzescUstawien : uint32_t {
  Limity = 1u << 0,             // Ustawienia, with the program list
  Ostrzeganie = 1u << 1,        // OpcjeOstrzegania
  Schowek = 1u << 2,            // OpcjeSchowka
  PlikiTymczasowe = 1u << 3,    // OpcjePlikowTymczasowych
  ZnakiFiltrujace = 1u << 4,
  LewyAlt = 1u << 5,
  PauseKey = 1u << 6,
  RejestracjaPolaczen = 1u << 7,
  CenaPolaczenia = 1u << 8,     // CenaPolaczeniaModemowego
  GoraceKlawisze = 1u << 9,     // "_hotkey.dat"
  Skroty = 1u << 10,            // "_skroty.dat"
  RegulyCzyszczenia = 1u << 11, // "_pltym.dat"
  CzasBezczynnosci = 1u << 12,  // CzasBezczynnosci
  ProgramyBezPrzerw = 1u << 13, // ProgramyBezPrzerw
  MaksOdlozenie = 1u << 14,     // MaksOdlozenie
};
inline constexpr uint32_t kWszystkieCzesci = (1u << 15) - 1;
constexpr uint32_t operator|(uint32_t a, CzescUstawien b) { return a | static_cast<uint32_t>(b); }
constexpr uint32_t operator|(CzescUstawien a, CzescUstawien b) { return static_cast<uint32_t>(a) | b; }

struct WynikZapisuUstawien {
  struct Blad {
    CzescUstawien czesc;
    std::string opis;  // what was not stored, as the user reads it
  };
  uint32_t zapisane = 0;  // parts stored; a list with nothing to write counts as stored
  std::vector<Blad> bledy;

  bool Zapisano() const { return bledy.empty(); }
  bool Zapisano(CzescUstawien c) const { return (zapisane & static_cast<uint32_t>(c)) != 0; }
};

struct UstawieniaKalmo {
  LimitsRecord limity = LimitsRecord::Domyslne();  // Ustawienia; its Programy is not read: see programy
  TStringList programy;  // the monitored programs, joined with "#" into the record when stored
  WarningOptions ostrzeganie = WarningOptions::PierwszeUruchomienie();  // OpcjeOstrzegania
  OpcjeSchowka schowek = OpcjeSchowka::PierwszeUruchomienie();          // OpcjeSchowka
  OpcjePlikowTymczasowych plikiTymczasowe = OpcjePlikowTymczasowych::PierwszeUruchomienie();
  std::string znakiFiltrujace = "-[";   // ZnakiFiltrujace
  bool lewyAlt = true;                  // LewyAlt
  bool pauseKey = true;                 // PauseKey
  bool rejestracjaPolaczen = true;      // RejestracjaPolaczen
  int32_t cenaPolaczeniaModemowego = 2318;  // CenaPolaczeniaModemowego, hundredths of a grosz
  int32_t czasBezczynnosci = wartosc::kCzasBezczynnosciDomyslny;  // CzasBezczynnosci, seconds; 0 = off
  TStringList programyBezPrzerw;   // ProgramyBezPrzerw, joined with "#" when stored
  int32_t maksOdlozenie = wartosc::kMaksOdlozenieDomyslne;  // MaksOdlozenie, minutes; 0 = never wait
  ListaZPliku goraceKlawisze;      // hotkey lines "Shift+Ctrl+P#Przerwa"
  ListaZPliku skroty;              // shortcut lines "name#folder"
  ListaZPliku regulyCzyszczenia;   // cleanup rule lines "folder#kind#mask#days..."

  // Reads every value and the lists of the files named (none without names). A missing record
  // gives its first-run values; one of another size or kind is reported and kept aside
  // (GetRegistryBinary) and gives them too; a missing single value is created with its default,
  // as every reader of the key does.
  static UstawieniaKalmo Wczytaj(const PlikiDanych& pliki = {});

  // The limits record as it is stored: the program list joined in. Nothing when the list does
  // not fit the record's 250 characters.
  std::optional<LimitsRecord> Limity() const;

  // Stores the parts asked for: each record and value written, each list whose lines changed
  // replaced in one step (hotkeys without blank lines and no more than the table holds), never a
  // list whose file could not be read. The date of the last cleanup is the cleanup's own: the
  // stored one is kept. Shows nothing: the result says what was stored and what was not.
  WynikZapisuUstawien Zapisz(uint32_t czesci = kWszystkieCzesci) const;
};

// The programs of ProgramyBezPrzerw as stored ("#" between names, empty names dropped). A missing
// value is created empty; a value of another kind is damaged: kept aside under
// "ProgramyBezPrzerwUszkodzony", reported once and replaced by an empty list, so it is no signal.
TStringList WczytajProgramyBezPrzerw();
// The longest wait as stored, held in 0..kMaksOdlozenieNajwiecej minutes.
int32_t WczytajMaksOdlozenie();

// Hotkey lines as the file keeps them: blank lines dropped, no more than the table holds.
TStringList LinieHotkeyowDoZapisu(const TStringList& linie);

// The program list of the limits record: names split at "#" (empty ones dropped) and joined
// again; the join gives nothing when it would not fit the record's 250 characters.
TStringList RozdzielProgramy(const std::string& programy);
std::optional<std::string> PolaczProgramy(const TStringList& nazwy);
