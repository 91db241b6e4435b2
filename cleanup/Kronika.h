#pragma once
// The deleted-files chronicle ("_kronup.dat"): one line per deleted file, full path + "#" + the
// date of the deletion in the short date format, oldest first; and the two views of its window.
#include <functional>
#include <string>
#include <utility>

#include "common/Tekstowe.h"

inline constexpr char kBrakKroniki[] = " Brak pliku kroniki - kronika nie została jeszcze utworzona.";
inline constexpr int kMaksLiniiKroniki = 4000;

// Appends path + "#" + today's date, opening the file only for this line (created when missing).
bool DopiszDoKroniki(const std::string& plikKroniki, const std::string& sciezka);

// Deletes the chronicle ("Usuń kronikę"); a chronicle not yet made is no fault. False when the
// file stays.
bool UsunKronike(const std::string& plikKroniki);

// A line split at its last "#" (a path may hold "#"); a line without one is all path.
std::pair<std::string, std::string> PodzielLinieKroniki(const std::string& linia);
// The file name alone: the text after the last "\" or ":".
std::string SamaNazwa(const std::string& sciezka);

struct WidokKroniki {
  TStringList wgDaty;          // date headings, then "   " + path under each
  TStringList alfabetycznie;   // path + "#" + date, sorted without regard to letter case
};
WidokKroniki ZbudujWidokKroniki(const TStringList& linie, bool pelneSciezki);
// The window's filling: the missing-chronicle line in both lists, or the file cut to its last
// kMaksLiniiKroniki lines (replaced in one step) and its views.
WidokKroniki WczytajKronike(const std::string& plikKroniki, bool pelneSciezki);
// The alphabetical list's file text, "   " + path, fitted before the date column: a full path
// too wide loses five more characters at a time to ShortenPath's ellipsis until it fits (or
// nothing is left to drop); a bare name is left as it is.
std::string TekstPlikuAlfabetycznie(const std::string& sciezka, bool pelneSciezki, int kolumnaDaty,
                                    const std::function<int(const std::string&)>& szerokosc);
// Sample of the date column's width.
inline constexpr char kWzorDaty[] = " 22.22.22    ";
// A line of the by-date list that names a file (the others are date headings).
inline bool LiniaPliku(const std::string& linia) { return !linia.empty() && linia[0] == ' '; }
