#pragma once
// The message dialog and the error dialog, as the rest of both programs calls them.
// The windows themselves are Win32 code (common/win32); these functions reach them through the
// platform's Dialogs, so portable code reports the same way on both builds.
#include <string>

#include "platform/Dialogs.h"

using platform::RodzajKomunikatu;
using platform::OdpowiedzKomunikatu;
using platform::rkInformacja;
using platform::rkPytanie;
using platform::rkOstrzezenie;
using platform::rkStop;
using platform::okTak;
using platform::okNie;
using platform::okOk;
using platform::okAnuluj;

// Error dialog with place and text; returns when the user presses "Kontynuuj".
void PokazBlad(const std::string& place, const std::string& text);
void PokazBladGdy(bool condition, const std::string& place, const std::string& text);

// Message dialog: "Stop" button page (Ok).
void Komunikat(const std::string& text, RodzajKomunikatu kind);
// "Pytanie" page: okTak or okNie.
OdpowiedzKomunikatu KomunikatPytanie(const std::string& text, RodzajKomunikatu kind);
// "Ostrzezenie" page: okOk or okAnuluj.
OdpowiedzKomunikatu KomunikatOstrzezenie(const std::string& text, RodzajKomunikatu kind);
// The plain system message box ("place => text" messages).
void ShowMessage(const std::string& text);

// Process-wide: the answer of the last button pressed (not reset between dialogs) and the last
// message text.
OdpowiedzKomunikatu OstatniaOdpowiedz();
const std::string& OstatniKomunikat();
