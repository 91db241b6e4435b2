#pragma once
// Pictures of the dialogs, drawn with GDI at run time so that they scale with the screen:
// the four message pictures (71 x 91 at 96 dpi) and the error dialog's banner (146 x 39).
#include <windows.h>

#include "platform/Dialogs.h"

namespace obrazki {

// Letter i, question mark, exclamation mark in a triangle, red hand on a stop sign; the part of
// the rectangle outside the picture keeps `background`.
void RysujObrazek(HDC dc, const RECT& r, platform::RodzajKomunikatu kind, COLORREF background);
// A red banner with a warning sign and "BŁĄD".
void RysujBanerBledu(HDC dc, const RECT& r, COLORREF background);

}  // namespace obrazki
