#pragma once
// Cleanup rules: the lines of the rules file ("_pltym.dat"), the texts of the options tree's
// entries, and the rules that decide whether a file may go: mask, age, the recycle bin's own
// files and the folders no rule may ever clean.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Tekstowe.h"

inline constexpr char kEtykietaTemp[] = "Katalog tymczasowy TEMP";
inline constexpr char kEtykietaKosza[] = "Katalogi kosza systemowego";

struct ParaMaski {
  std::string maska;  // as the user entered it, spaces included
  int32_t dni = 0;    // minimum age in whole days
  bool operator==(const ParaMaski&) const = default;
};

struct RegulaCzyszczenia {
  std::string folder;  // full path, or the label of the temporary folder or the recycle bins
  std::string rodzaj;  // "P" folder with subfolders, "." folder alone, "T" temporary, "K" recycle bins
  std::vector<ParaMaski> pary;
  bool Rekurencyjna() const { return rodzaj == "P" || rodzaj == "T"; }
  bool operator==(const RegulaCzyszczenia&) const = default;
};

// One line of the rules file. Fields are split at every "#"; a folder name that holds "#" stays
// whole (the kind is the first one-letter kind field that leaves whole pairs after it). Pairs whose
// age is not a whole number of days of at least 0 are left out. nullopt: no folder, no kind or no
// usable pair.
std::optional<RegulaCzyszczenia> ParsujRegule(const std::string& linia);
// folder#kind#mask#days... ; empty for a rule without pairs (never written).
std::string TekstReguly(const RegulaCzyszczenia& regula);
// nullopt when the file is missing or cannot be read; unusable lines are skipped.
std::optional<std::vector<RegulaCzyszczenia>> WczytajReguly(const std::string& plik);
// Rewrites the file in one step; rules without pairs are dropped.
bool ZapiszReguly(const std::string& plik, const std::vector<RegulaCzyszczenia>& reguly);

// Options tree: image index of a folder entry and its kind letter. An expanded folder (1, 3) is
// the same rule as a collapsed one (0, 2).
std::string RodzajZObrazka(int obrazek);
int ObrazekZRodzaju(const std::string& rodzaj);
// The rule of the temporary folder or of the recycle bins with one "*.*" pair, from the days
// dialog's answer; nothing when it was cancelled (0 days).
std::optional<RegulaCzyszczenia> RegulaSpecjalna(bool kosz, int32_t dni);
// "*.tmp   (modyfikowane przed 7 dniami)"; "dniem" for one day.
std::string TekstWpisuMaski(const std::string& maska, int32_t dni);
// The mask and days back from such a text, read from its fixed end, so a mask holding spaces,
// "przed" or "dni" survives. nullopt when the text has not that form or the days are no number.
std::optional<ParaMaski> OdczytajWpisMaski(const std::string& tekst);
// "dniem" for 1, "dniami" otherwise.
std::string SlowoDni(int32_t dni);

// File-kind dialog: "*" + extension, and the extension of a mask (without a leading "*").
inline std::string MaskaRozszerzenia(const std::string& rozszerzenie) { return "*" + rozszerzenie; }
inline std::string RozszerzenieMaski(const std::string& maska) {
  return !maska.empty() && maska[0] == '*' ? maska.substr(1) : maska;
}
// The days dialog's question, for the recycle bin or the temporary folder.
std::string PytanieCzasuOprozniania(bool kosz);

// Windows wildcards on a long file name: "*" any run, "?" one character, letter case ignored;
// a final ".*" also matches a name without a dot ("*.*" matches every name).
bool PasujeDoMaski(const std::string& nazwa, const std::string& maska);

// The recycle bin's own index files, which are never deleted (any letter case).
bool NazwaChronionaKosza(const std::string& nazwa);

// Whole days from the file's date to today; in the recycle bin one day less (a file is dated by
// when it was put there). A date of 0 (unknown) gives nullopt.
std::optional<int32_t> WiekPliku(double dataPliku, double dzis, bool trybKosza);
// Old enough to go: a known date and an age of at least the minimum.
bool PlikDoUsuniecia(double dataPliku, double dzis, bool trybKosza, int32_t minimumDni);

// Folders no rule may clean, in the form PostacPorownania gives.
struct FolderyChronione {
  // Refused with everything below them: the Windows and system folders, Program Files and Common
  // Files (every one of them), and every profile of the profile list but the user's own.
  std::vector<std::string> sciezki;
  // Refused themselves (what lies below may be cleaned): the user's own profile, the user's shell
  // folders as the shell knows them (Desktop, Documents, Start Menu...), the folder of profiles.
  std::vector<std::string> same;
  // Names this computer answers to in a network path ("\\\\localhost\\C$\\..." is the local disk).
  std::vector<std::string> serwery;
};
// The protected folders of this system (platform seam: the registry's profile list and program
// folders, which only administrators write, and the shell's known folders).
FolderyChronione DajFolderyChronione();
// True when cleaning the folder could destroy more than temporary files: empty or relative, a
// drive or share root, a folder of the lists above, a network path to this computer or to an
// administrative share ("C$"), the folder holding the user profiles or a user's profile folder
// itself. Checked for the path as written and for its final path.
bool FolderNiebezpieczny(const std::string& folder, const FolderyChronione& chronione);
// The final path (as HoldFolder gave it) is the folder as written, letter case and 8.3 short
// names aside: no link or junction lies on the way.
bool FolderJakNapisany(const std::string& napisany, const std::string& koncowy);
// Letter case, "/" and trailing backslashes aside, for comparing paths.
std::string PostacPorownania(const std::string& sciezka);
