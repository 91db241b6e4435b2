#pragma once
// Where the installer and the uninstaller may act. The uninstaller runs with administrator rights
// and replays a script from a folder the user can write to, so every path and key it is given is
// checked here first: a program folder is never a folder the system or the user owns, a script
// path never leaves its folder, a registry key never leaves the user's own program keys.
#include <string>
#include <vector>

// A full path ("C:\A\B", or a UNC path) in one canonical form: "/" as "\", no doubled or trailing
// backslash (except at a drive root, "C:\"); empty when it is not a plain full path (relative,
// "." or ".." components, wildcards, a stream name).
std::string KanonicznaSciezka(const std::string& sciezka);

// A path relative to a folder that stays inside it: no drive, no leading backslash, no "." or ".."
// component, no wildcard. An empty path names the folder itself and is accepted only when allowed.
bool SciezkaWewnatrz(const std::string& wzgledna, bool pustaDozwolona);

// Empty when the folder may be a program folder (installed into, emptied by an uninstall);
// otherwise why not, as a phrase ("to katalog główny dysku"). Refused: anything that is not a
// plain full path, drive roots, the Windows folder and everything in it, the Program Files and
// Common Files folders, profile folders and the folder that holds them, every shell folder of the
// user and of all users (Desktop, Documents, Start Menu...) and any folder that holds one of them,
// and a path that passes through a link or junction.
std::string PowodOchronyKatalogu(const std::string& katalog);

// A key the uninstaller may delete: under the current user's "Software", not "Software" itself
// and not one of the keys every program shares (Microsoft, Classes, Policies, Wow6432Node).
bool KluczProgramuUzytkownika(const std::string& klucz);

// The folder holds the same program installed earlier: its "uninstall.cfg" is there and the
// program's uninstall entry names this folder.
bool WczesniejszaInstalacja(const std::string& katalog, const std::string& nazwaProgramu);

// Empty when the program may be installed into the folder; otherwise the message that says why
// not and asks for another folder.
std::string SprawdzKatalogInstalacji(const std::string& katalog, const std::string& nazwaProgramu);
