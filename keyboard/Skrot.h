#pragma once
// The rules of the shortcut dialog TfrmSkrot.
#include <optional>
#include <string>

// Why the dialog refuses to close with OK, and which field to correct.
struct OdmowaSkrotu {
  std::string komunikat;
  bool wFolderze = false;  // the folder field; otherwise the name
};

// What the dialog refuses before it closes with OK: an empty name (an empty name means
// "cancelled" to its callers); a "#" in the name (the data file splits its lines at the first
// "#", so a folder may hold one); a name or folder with a character that Windows-1250, the code
// page of the data file, lacks (it would be stored as "?" and name another folder).
std::optional<OdmowaSkrotu> SprawdzSkrot(const std::string& nazwa, const std::string& folder);
// The refusal of a text the data file cannot hold: names the character and what holds it
// ("Nazwa skrótu", "Ścieżka programu"), or empty when the whole text can be stored.
std::string OdmowaStronyKodowej(const std::string& co, const std::string& tekst, const std::string& plik);
