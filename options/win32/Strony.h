#pragma once
// The eight pages of the options dialog, each created hidden at the page rectangle.
#include <memory>

#include "options/win32/StronaOpcji.h"

using UtworzStrone = std::unique_ptr<TStronaOpcji> (*)(HWND dialog, const RECT& obszar, DialogOpcji& opcje);

std::unique_ptr<TStronaOpcji> StronaIntensywnosci(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaOstrzegania(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaPrzypominania(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaKlawiatury(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaSchowka(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaPlikowTymczasowych(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaSkrotow(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
std::unique_ptr<TStronaOpcji> StronaModemu(HWND dialog, const RECT& obszar, DialogOpcji& opcje);
