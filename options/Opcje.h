#pragma once
// What the options dialog decides, apart from its windows: the slider mappings and the pictures
// of the page "Intensywność pracy", the rules of the pages "Ostrzeganie" and "Przypominanie",
// the bounds of typed numbers, the key fields over the draft's hotkey lines, and the page
// interface through which "OK" checks every page before the draft goes to the core.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "settings/UstawieniaKalmo.h"

// ---------------------------------------------------------------------------------------------
// Pages

// The eight pages in their order.
enum class Strona : int { Intensywnosc, Ostrzeganie, Przypominanie, Klawiatura, Schowek, PlikiTymczasowe, Skroty, Modem };
inline constexpr int kLiczbaStron = 8;

// Caption of the page with an index (0..7), empty for any other index.
std::string NazwaStrony(int indeks);
// Index of the page with a caption; -1 for an empty or unknown caption.
int IndeksStrony(const std::string& nazwa);
// Help context of the page with an index; 0 for any other index.
int KontekstPomocyStrony(int indeks);

// One page of the dialog over the dialog's draft of the settings.
class StronaOpcji {
 public:
  virtual ~StronaOpcji() = default;
  // Shows the draft on the page's controls.
  virtual void Wczytaj() = 0;
  // Puts what the controls hold into the draft; the warning that keeps the dialog open, or
  // nothing when the page can be stored.
  virtual std::optional<std::string> Sprawdz() = 0;
};

struct OdmowaStrony {
  StronaOpcji* strona = nullptr;  // the page that refused; null when every page agreed
  std::string ostrzezenie;
};

// "OK": the pages are checked in the given order until one refuses.
OdmowaStrony SprawdzStrony(const std::vector<StronaOpcji*>& strony);

// What "OK" says when the core could not store everything; empty when it did.
std::string TekstNiezapisanych(const WynikZapisuUstawien& wynik);
// What the dialog says once as it opens about the lists whose files exist but cannot be read
// (their pages are read-only); empty when every list was read.
std::string TekstNieczytelnych(const UstawieniaKalmo& szkic);

// ---------------------------------------------------------------------------------------------
// Page "Intensywność pracy"

struct ZakresSuwaka {
  int min, max;
  int32_t krok;  // seconds per position
};
inline constexpr ZakresSuwaka kSuwakCalkowityCzas{2, 18, 1800};  // half-hours, 1 to 9 hours
inline constexpr ZakresSuwaka kSuwakCzasPracy{3, 24, 300};       // 15 to 120 minutes
inline constexpr ZakresSuwaka kSuwakCzasPrzerwy{1, 12, 300};     // 5 to 60 minutes

// Position that shows a limit: the limit divided by the step, kept in the slider's range.
int PozycjaSuwaka(const ZakresSuwaka& zakres, int32_t sekundy);
int32_t SekundySuwaka(const ZakresSuwaka& zakres, int pozycja);

// Slider positions of the page.
struct PolozeniaIntensywnosci {
  int calkowity = 0, praca = 0, przerwa = 0;
  bool operator==(const PolozeniaIntensywnosci&) const = default;
};
PolozeniaIntensywnosci PolozeniaZLimitow(const LimitsRecord& limity);
// The three limits of the record after the sliders moved from `poczatkowe` to `teraz`: a slider
// left where it was leaves its limit as stored, also one the slider cannot show exactly.
LimitsRecord ZastosujSuwaki(LimitsRecord limity, const PolozeniaIntensywnosci& poczatkowe,
                            const PolozeniaIntensywnosci& teraz);

// Work side first: 45 minutes to 5 reads "9 : 1", 50 to 15 "33 : 10", equal times "1 : 1".
std::string TekstStosunku(int32_t czasPracy, int32_t czasPrzerwy);

// One block of the day indicator, in pixels from the left (one per minute), 20 pixels high.
struct BlokWskaznika {
  int lewy = 0, prawy = 0;
  bool praca = true;
  bool operator==(const BlokWskaznika&) const = default;
};
struct WskaznikDnia {
  std::vector<BlokWskaznika> bloki;
  int wolneOd = 0;  // the area from here to the right edge is cleared
};
inline constexpr int kWysokoscBloku = 20;
// Work blocks of the continuous time and break blocks between them, a one-pixel gap after each,
// until the total work time is used; a work block running past the total is cut there and ends
// the day. A break that would end past the total is not drawn.
WskaznikDnia UlozWskaznik(int32_t calkowity, int32_t praca, int32_t przerwa);

// Pie chart "Stosunek czasu pracy do przerwy": the break's slice first, from the top clockwise.
struct WycinekWykresu {
  double od = 0, rozpietosc = 0;  // degrees
  bool praca = false;
};
std::vector<WycinekWykresu> UlozWykres(int32_t czasPracy, int32_t czasPrzerwy);

// ---------------------------------------------------------------------------------------------
// Page "Ostrzeganie"

// One group of the page as the user left it.
struct GrupaOstrzezenia {
  bool wlaczona = false;
  int rodzaj = 0;               // 0 window, 1 flashing icon, 2 sound
  std::string czestotliwosc;    // as typed
  std::string plik;             // as typed
};
struct StanOstrzegania {
  GrupaOstrzezenia przerwa, koniecPracy, koniecPrzerwy;
  bool blokujWygaszacz = false;
};

// The controls' state of the record in force.
StanOstrzegania StanZOpcji(const WarningOptions& opcje);

struct WynikOstrzegania {
  WarningOptions opcje;
  std::string ostrzezenie;  // empty when the page validates
};
// The record rebuilt over the one in force: an enabled group needs a whole frequency of at
// least one minute and, with the sound (always for the end of a break), an existing file; a
// disabled group keeps its stored frequency, way and file.
WynikOstrzegania ZbudujOpcjeOstrzegania(const WarningOptions& wMocy, const StanOstrzegania& stan);

// Deferral on the same page: the programs in front of which a due reminder waits, typed in one
// field as file names between semicolons ("powerpnt.exe; vlc.exe"), and the longest wait
// (kZakresMaksOdlozenia).
// The field's text of a list, and the list of a field's text: names split at ";" and "#" (which
// would split them when stored), blanks around each dropped, empty ones skipped.
std::string PoleProgramowBezPrzerw(const TStringList& programy);
TStringList ProgramyBezPrzerwZPola(const std::string& pole);

// ---------------------------------------------------------------------------------------------
// Page "Przypominanie"

inline constexpr const char* kZbytDuzoProgramow = "Zbyt dużo monitorowanych programów";
inline constexpr const char* kPytanieONazweProgramu = "Wprować nazwę monitorowanego programu";
inline constexpr const char* kDomyslneZnakiFiltrujace = "-[";

// Why a typed program name cannot be added (empty when it can): "#" separates the names.
std::string SprawdzNazweProgramu(const std::string& nazwa);

// ---------------------------------------------------------------------------------------------
// Typed numbers

struct Zakres {
  int min, max;
};
inline constexpr Zakres kZakresCzasuPytania{1, 120};
inline constexpr Zakres kZakresBuforaSchowka{1, 1024};
inline constexpr Zakres kZakresCenyGrosze{100, 20000};  // hundredths of a grosz: 1.00 to 200.00
inline constexpr Zakres kZakresMaksOdlozenia{0, wartosc::kMaksOdlozenieNajwiecej};  // minutes, 0: never wait

// The whole number typed into a spin box, kept in its range; text that is no number gives the
// previous value.
int LiczbaWZakresie(const std::string& tekst, const Zakres& zakres, int poprzednia);
// Price of the modem page: grosz with two decimals ("23.18") <-> hundredths of a grosz.
std::string TekstCeny(int32_t setneGrosza);
// The typed price (point or comma) in hundredths, rounded and kept in range.
int32_t CenaZTekstu(const std::string& tekst, int32_t poprzednia);

// ---------------------------------------------------------------------------------------------
// Hotkey grid of the page "Klawiatura" and the key fields of other pages: rows of key text and
// task description, over the draft's hotkey lines

using WierszKlawisza = std::pair<std::string, std::string>;
inline constexpr size_t kMaxKlawiszy = kMaksymalnieHotkeyow;
inline constexpr const char* kNiepoprawnyKlawisz = "Niepoprawny gorący klawisz - wybierz inny!";

// The grid's rows from the hotkey file's lines: blank lines skipped and no more than the table
// holds, so the page shows the bindings the program uses (a longer file is cut only when saved).
std::vector<WierszKlawisza> WierszeKlawiszy(const std::vector<std::string>& linie);
// The lines of the rows, "key#description".
std::vector<std::string> LinieKlawiszy(const std::vector<WierszKlawisza>& wiersze);
// Key text of the last row bound to a task (a later row overrides an earlier one); empty when none.
std::string KlawiszZadania(const std::vector<WierszKlawisza>& wiersze, uint8_t zadanie);
enum class WynikKlawisza { Zmieniony, Dodany, Niepoprawny, PelnaTabela };
// The key of a task set from its key field: the first row of the task gets the key, or a row is
// added (at most 15). A key without Ctrl or Alt is refused.
WynikKlawisza UstawKlawiszZadania(std::vector<WierszKlawisza>& wiersze, uint8_t zadanie, uint16_t skrot);
// A key field at "OK" (or left for another page): a key other than the task's in the lines is set
// there; a refused key leaves the lines as they are and gives its warning.
std::optional<std::string> UstawKlawiszZPola(std::vector<std::string>& linie, uint8_t zadanie, uint16_t skrot);
