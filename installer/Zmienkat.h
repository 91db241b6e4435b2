#pragma once
// What the change-directory window decides: how a destination that does not exist yet is split
// into a directory to list and a directory to create, the path that results from the user's
// choices, the drives it accepts and whether the result can be used as a destination.
#include <string>
#include <vector>

// A destination split at its longest existing prefix.
struct PodzialSciezki {
  std::string katalog;   // the listed directory; a split-off prefix ends with "\"
  std::string tworzony;  // the directories still to be created ("Nowy\Kalmo"), empty when none
};

// An existing destination is listed as it is; otherwise the longest existing prefix (at least
// the drive) is listed and the rest goes to the created-directory field.
PodzialSciezki PodzielSciezkeDocelowa(const std::string& sciezka);

// The listed directory, "\" when it does not end with one, then the created directory. Without a
// created directory the trailing "\" is dropped again (except at a drive root), so that the
// destination never ends with a backslash the script would double.
std::string SciezkaWynikowa(const std::string& katalog, const std::string& tworzony);

// Empty when the path can be a destination; otherwise the message that says why not.
std::string SprawdzSciezkeDocelowa(const std::string& sciezka);

// One line of the directory list: the ancestors of the listed directory (the drive root first,
// each one level deeper) and then its subdirectories.
struct PozycjaKatalogu {
  std::string nazwa;    // "C:\" or a directory name
  std::string sciezka;  // full path of that directory
  int poziom = 0;       // indentation level
  bool otwarty = false; // an ancestor (or the listed directory itself)
};
std::vector<PozycjaKatalogu> PozycjeListyKatalogow(const std::string& katalog);

// The state of the change-directory window between showing it and Ok.
class TZmianaKatalogu {
 public:
  explicit TZmianaKatalogu(const std::string& sciezkaDocelowa);

  char stacja() const { return stacja_; }
  const std::string& katalog() const { return katalog_; }
  const std::string& tworzony() const { return tworzony_; }
  std::string Wynik() const { return SciezkaWynikowa(katalog_, tworzony_); }

  // Only fixed disks are accepted (the listed directory becomes that drive's root); any other
  // choice puts the drive (and the list) back to the destination's drive and returns false.
  bool WybierzStacje(char litera);
  void UstawKatalog(const std::string& katalog) { katalog_ = katalog; }
  void UstawTworzony(const std::string& tworzony) { tworzony_ = tworzony; }

 private:
  char stacjaDocelowa_;
  char stacja_;
  std::string katalogPoczatkowy_;
  std::string katalog_;
  std::string tworzony_;
};
