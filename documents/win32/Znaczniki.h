#pragma once
// The document list's marker pictures, drawn with GDI: an open window (imgOtwarty) and a clock
// (imgMonitorowany), each fitted into a square.
#include <windows.h>

namespace znaczniki {

void RysujOtwarty(HDC dc, const RECT& r);
void RysujMonitorowany(HDC dc, const RECT& r);
// The glyph of the view toggle: lines of a list, the first ones with the open marker.
void RysujListe(HDC dc, const RECT& r);

}  // namespace znaczniki
