#pragma once
// Opens Kalmo's help pages in the user's browser.
#include <functional>
#include <string>

// Opens the page of a help context from the program folder; false when the help is not
// installed or the page could not be opened.
bool OtworzPomoc(const std::string& folderProgramu, int kontekst);

// The way pages are opened (ShellExecute "open" by default); tests put a recorder here.
using OtwieraczPomocy = std::function<bool(const std::string& sciezka)>;
OtwieraczPomocy UstawOtwieraczPomocy(OtwieraczPomocy otwieracz);
