#pragma once
// The release message of a non-modal window (WM_FREE_FORM with its window code), and taking it
// back: a window that is wanted again before the main window has freed it (the Pause key right
// after a break ended, the tray command right after "Zamknij") must not be freed a moment later
// while it is in use.
#include <windows.h>

void WyslijZwolnienie(HWND glowne, int kodOkna);
// Removes the releases with this code that wait in the main window's queue, keeping the others
// in their order. Only the main window's own thread can do it; returns how many were removed.
int CofnijZwolnienie(HWND glowne, int kodOkna);
