#pragma once
// Opens Kalmo's help pages in the user's browser.
#include <functional>
#include <string>

// Opens the page of a help context from the program folder (the contents page when that page is
// missing); when neither is there or the page does not open, says so with the page's path and
// returns false.
bool OtworzPomoc(const std::string& folderProgramu, int kontekst);

// The way pages are opened (ShellExecute "open" by default); tests put a recorder here.
using OtwieraczPomocy = std::function<bool(const std::string& sciezka)>;
OtwieraczPomocy UstawOtwieraczPomocy(OtwieraczPomocy otwieracz);
