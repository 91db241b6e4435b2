#include "common/win32/WinToolsWin32.h"

#include <shellapi.h>

#include "common/Komunika.h"
#include "common/Tekstowe.h"
#include "common/WinTools.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

using platform::win32::Narrow;
using platform::win32::Widen;

HICON ExtractSmallIconFromFile(const std::string& file, int index, bool large) {
  if (!platform::Fs().FileExists(file)) {
    PokazBlad("U:WinTools F:ExtractSmallIconFromFile", "Plik nieistnieje: " + file);
    return nullptr;
  }
  HICON big = nullptr, small = nullptr;
  ExtractIconExW(Widen(file).c_str(), index, &big, &small, 1);
  if (!big || !small) {
    if (big) DestroyIcon(big);
    if (small) DestroyIcon(small);
    return nullptr;
  }
  DestroyIcon(large ? small : big);
  return large ? big : small;
}

HICON DajIkoneDlaRozszerzenia(const std::string& extension, bool large) {
  std::string file;
  int index = 0;
  if (!DajPlikIkonyDlaRozszerzenia(extension, file, index)) return nullptr;
  return ExtractSmallIconFromFile(file, index, large);
}

HICON DajIkoneDlaRozszerzenia(const std::string& extension) { return DajIkoneDlaRozszerzenia(extension, false); }

std::string WindowPositionToText(HWND form) {
  WindowPosition p;
  if (IsZoomed(form)) {
    p.maximized = true;
  } else {
    RECT r{};
    if (IsIconic(form)) {
      // A minimised window sits far off screen; its place to come back to is the normal one.
      WINDOWPLACEMENT wp{};
      wp.length = sizeof wp;
      GetWindowPlacement(form, &wp);
      r = wp.rcNormalPosition;
    } else {
      GetWindowRect(form, &r);
    }
    p.left = r.left;
    p.top = r.top;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
  }
  return WindowPositionText(p);
}

void TextToWindowPosition(const std::string& text, HWND form) {
  WindowPosition p = WindowPositionFromText(text);
  if (!p.valid) return;
  if (p.maximized) {
    ShowWindow(form, SW_MAXIMIZE);
    return;
  }
  SetWindowPos(form, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string GetWindowTitle(HWND window) {
  wchar_t buffer[201] = {};
  int n = GetWindowTextW(window, buffer, 201);
  if (n <= 0) return {};
  std::string title = Narrow(buffer, static_cast<size_t>(n));
  TrimAtNul(title);
  return title;
}
