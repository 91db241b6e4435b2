#pragma once
// The window and icon helpers of the registry and shell unit, on top of its portable parts.
#include <windows.h>

#include <string>

// Icon number `index` of a file, in both sizes; the large one when `large` is set, else the
// small one. Null unless the system delivered both; the caller destroys the icon it gets.
HICON ExtractSmallIconFromFile(const std::string& file, int index, bool large);
// The icon that the file type of an extension (".txt") names in its "\DefaultIcon" value.
HICON DajIkoneDlaRozszerzenia(const std::string& extension, bool large);
HICON DajIkoneDlaRozszerzenia(const std::string& extension);

// "Max" for a maximised window, else left#top#width#height of its normal position.
std::string WindowPositionToText(HWND form);
// Applies a window position text: "Max" shows the window maximised, four numbers move and size
// it; a damaged text leaves the window as it is.
void TextToWindowPosition(const std::string& text, HWND form);

// The window's title, at most 200 characters, cut at its first NUL.
std::string GetWindowTitle(HWND window);
