#pragma once
// Kalmo's help: Polish HTML pages installed beside the program, one per help context.
#include <string>

// The contents page; its presence in the program folder means the help is installed.
inline constexpr const char* kSpisPomocy = "Pomoc.htm";

// Page (file name in the program folder) of a help context; a context without a page of its
// own (the what-is-this popups, unknown numbers) gets the contents page.
std::string StronaPomocy(int kontekst);
// Whether the help is installed in the folder.
bool PomocDostepna(const std::string& folder);
// Full path of the page of a context in the folder.
std::string SciezkaPomocy(const std::string& folder, int kontekst);
