#pragma once
// Folder shortcuts: the shortcut data file ("name#folder" per line), the list window's labels,
// keys and height, and the explorer command that opens a folder.
#include <string>
#include <vector>

struct SkrotFolderu {
  std::string nazwa;
  std::string folder;
};

// One line of the data file: the name before the first "#", the folder after it (a folder may hold
// "#" itself, "C:\Dev\C#\App"); a line without "#" is a name without a folder.
SkrotFolderu ParsujLinieSkrotu(const std::string& linia);
// The line of a shortcut: name, "#", folder.
std::string LiniaSkrotu(const SkrotFolderu& skrot);

// The shortcuts of the data file in file order; a missing or unreadable file gives none. Blank
// lines and lines naming neither a shortcut nor a folder (a lone "#") are skipped.
std::vector<SkrotFolderu> WczytajSkroty(const std::string& plik);
// Rewrites the file in one step with one "name#folder" line per shortcut; rows without a name
// and a folder (the empty row of an empty grid) are left out.
bool ZapiszSkroty(const std::string& plik, const std::vector<SkrotFolderu>& skroty);

// Key label of the entry at a position (from 0): " 1" to " 10", then " A" to " Z"; entries
// past " Z" have no key and show a blank label.
std::string EtykietaSkrotu(int pozycja);
// The text of a list entry: label, three spaces, name.
std::string WpisSkrotu(int pozycja, const std::string& nazwa);
// The entry a released key opens ('1'-'9', 'A'-'Z' as virtual-key codes), or -1.
int PozycjaDlaKlawisza(int klawisz, int ilosc);
// The folder of an entry: the first shortcut whose name equals the entry's name (so two
// shortcuts of one name both open the first one's folder); empty when none.
std::string FolderSkrotu(const std::vector<SkrotFolderu>& skroty, int pozycja);
// The command line that opens a folder in the explorer's two-pane view; the folder is quoted so
// that commas and spaces in it stay part of it.
std::string PolecenieEksploratora(const std::string& folder);

// Window height that shows every entry (frame, caption, entries of wysokoscWpisu + 1), but never
// taller than the screen's work area; the list scrolls then.
int WysokoscListySkrotow(int ramka, int naglowek, int ilosc, int wysokoscWpisu, int wysokoscObszaru);
