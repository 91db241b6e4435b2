// UstawSchowek.exe: puts its argument on the clipboard as Unicode text, for tests that need a
// text copied by another program.
//
//   UstawSchowek <text>
//
// Exit code 0, 2 without an argument, 3 when the clipboard could not be set.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  const size_t n = std::wcslen(argv[1]);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (n + 1) * sizeof(wchar_t));
  if (!h) return 3;
  std::wmemcpy(static_cast<wchar_t*>(GlobalLock(h)), argv[1], n + 1);
  GlobalUnlock(h);
  bool ok = false;
  for (int i = 0; i < 50 && !ok; ++i) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
      CloseClipboard();
    } else {
      Sleep(20);
    }
  }
  if (!ok) GlobalFree(h);
  LocalFree(argv);
  return ok ? 0 : 3;
}
