#pragma once
// The person's own data as CSV files a spreadsheet opens: "dni.csv" (every archived day, then
// today), "dokumenty.csv" (the monitored documents) and "polaczenia.csv" (the archived days with
// dial-up connections). UTF-8 with a byte-order mark (so spreadsheets read Polish letters), ";"
// between fields, CR LF, dates as YYYY-MM-DD, whole minutes; each file starts with a line naming
// its columns. The statistics window's "Eksport..." and `Kalmo.exe /eksport <folder>` write them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "documents/Statystyka.h"

namespace eksport {

inline constexpr char kPlikDni[] = "dni.csv";
inline constexpr char kPlikDokumentow[] = "dokumenty.csv";
inline constexpr char kPlikPolaczen[] = "polaczenia.csv";
inline constexpr std::array<const char*, 3> kPliki = {kPlikDni, kPlikDokumentow, kPlikPolaczen};

inline constexpr char kNaglowekDni[] = "data;praca_min;polaczenia;polaczenia_min;jednostki";
inline constexpr char kNaglowekDokumentow[] = "dokument;czas_min;ostatnio";
inline constexpr char kNaglowekPolaczen[] = "data;polaczenia;polaczenia_min;jednostki";
inline constexpr char kBom[] = "\xEF\xBB\xBF";

// A text field as written: a leading apostrophe when it begins with "=", "+", "-", "@", a tab or
// CR, so that a window title can never run as a spreadsheet formula; then, when it holds ";", a
// quote, CR or LF, in quotes with its quotes doubled. Numbers and dates are written as they are.
std::string PoleTekstowe(const std::string& tekst);
// YYYY-MM-DD of a date-time; empty when it is not a finite number.
std::string Data(double data);

// The three files' contents.
struct PlikiCsv {
  std::string dni;
  std::string dokumenty;
  std::string polaczenia;
  const std::string& Tresc(size_t i) const { return i == 0 ? dni : i == 1 ? dokumenty : polaczenia; }
};
// dni: every whole archive record in file order (the ordering filter not applied), then today's
// entry; dokumenty: every monitored document in the order of the document file ("ostatnio" the
// date of LastSeen, empty when it is 0); polaczenia: every archive record with connections.
PlikiCsv UtworzPliki(const DaneStatystyki& d);

// Writes the files into an existing folder, each replacing its old copy in one step. The names
// of the files that could not be written (nothing written after the first of them).
std::vector<std::string> ZapiszPliki(const PlikiCsv& pliki, const std::string& folder);
// The files of the three names that exist in the folder.
std::vector<std::string> IstniejacePliki(const std::string& folder);

// What `Kalmo.exe /eksport` reads beside a running Kalmo without touching anything of it: the
// program folder's data files of this user, today's record (its date is today's; the clock only
// when there is none) and the rollover hour and daily limit from the settings. False with the
// reason in `blad` when there is nothing of Kalmo's to read or a file cannot be read.
bool ZrodloZZapisanych(const std::string& folderProgramu, ZrodloStatystyki& zrodlo, std::string& blad);

// The whole export of `Kalmo.exe /eksport <folder>`: its exit code and, when it failed, what the
// user is told. 0: written; 1: no folder given; 2: the data could not be read; 3: the folder
// could not be made or a file could not be written. A missing folder is made (one level).
struct Wynik {
  int kod = 0;
  std::string komunikat;
};
Wynik EksportujDoFolderu(const std::string& folderProgramu, const std::string& folder);

}  // namespace eksport
