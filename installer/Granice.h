#pragma once
// Where the installer and the uninstaller may act. The uninstaller runs with administrator rights
// and replays a script from a folder the user can write to, so every path and key it is given is
// checked here first: a program folder is never a folder the system or the user owns, a script
// path never leaves its folder, a registry key never leaves the user's own program keys.
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"

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
// Common Files folders, profile folders (every one of the profile list, wherever it is) and the
// folder that holds them, every shell folder of the user and of all users (Desktop, Documents,
// Start Menu..., as the shell knows them and as the registry names them) and any folder that holds
// one of them, and a path that passes through a link or junction.
std::string PowodOchronyKatalogu(const std::string& katalog);

// The folder is named by its final path (as HoldFolder or FinalPath gave it), letter case and
// short 8.3 spellings aside: no link or junction lies on the way.
bool ZgodnaSciezkaKoncowa(const std::string& napisana, const std::string& koncowa);

// A program name that can name one uninstall entry and travel in the uninstall command: not blank,
// no "\", "/", ":" or "#" (which stands for a space on the command line), no control characters,
// and not "." or "..".
bool NazwaProgramuPoprawna(const std::string& nazwa);

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" + program name.
std::string KluczDeinstalacji(const std::string& nazwaProgramu);

// The program folder of the registered uninstall entry of the program, in canonical form: its
// "InstallLocation", or else the first parameter of its "UninstallString" ("#" as spaces). Nothing
// when the entry is missing, names no folder, or names it ambiguously (an older entry whose "#"
// could be a space or itself: both folders exist).
std::optional<std::string> KatalogZarejestrowany(const std::string& nazwaProgramu);

// A key the uninstaller may delete: under the current user's "Software", not "Software" itself
// and not one of the keys every program shares (Microsoft, Classes, Policies, Wow6432Node).
bool KluczProgramuUzytkownika(const std::string& klucz);

// The folder holds the same program installed earlier: its "uninstall.cfg" is there and the
// program's uninstall entry names this folder.
bool WczesniejszaInstalacja(const std::string& katalog, const std::string& nazwaProgramu);

// Empty when the program may be installed into the folder; otherwise the message that says why
// not and asks for another folder.
std::string SprawdzKatalogInstalacji(const std::string& katalog, const std::string& nazwaProgramu);

// Access lists of an installed program. Its folder: administrators and SYSTEM full control (also
// of all it holds), users may read, run and create files there, and each file belongs to the user
// who created it (creator-owner rights), so no user can change the program or another user's
// files. Its own files and subfolders: administrators and SYSTEM full control, users read and run.
platform::AccessList ListaDostepuKataloguProgramu();
platform::AccessList ListaDostepuPlikuProgramu();
platform::AccessList ListaDostepuPodkataloguProgramu();

// Removes a folder with everything in it, folderFinal being its final path: every entry is deleted
// by its exact name and only when it is what it was listed as; a link or junction is removed as
// the link, never entered or followed. True when the folder is gone.
bool UsunDrzewo(const std::string& folderFinal);
