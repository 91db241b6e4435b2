// UstawSchowek.exe: puts its argument on the clipboard as Unicode text, for tests that need a
// text copied by another program; further arguments add registered formats beside it, as password
// managers mark what they copy.
//
//   UstawSchowek <text> [<format name>[=<number>] ...]
//
// A format without a number holds an empty block, one with a number that number as a DWORD
// ("CanIncludeInClipboardHistory=0"). Exit code 0, 2 without an argument, 3 when the clipboard
// could not be set.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

HGLOBAL Blok(const void* dane, size_t rozmiar) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, rozmiar ? rozmiar : 1);
  if (h && rozmiar) {
    std::memcpy(GlobalLock(h), dane, rozmiar);
    GlobalUnlock(h);
  }
  return h;
}

// One registered format of an argument "name" or "name=number".
bool DodajFormat(const std::wstring& argument) {
  const size_t rowne = argument.find(L'=');
  const UINT format = RegisterClipboardFormatW(argument.substr(0, rowne).c_str());
  DWORD liczba = 0;
  if (rowne != std::wstring::npos) liczba = std::wcstoul(argument.c_str() + rowne + 1, nullptr, 10);
  HGLOBAL h = Blok(&liczba, rowne == std::wstring::npos ? 0 : sizeof liczba);
  if (!h) return false;
  if (SetClipboardData(format, h)) return true;
  GlobalFree(h);
  return false;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  bool ok = false;
  for (int i = 0; i < 50 && !ok; ++i) {
    if (!OpenClipboard(nullptr)) {
      Sleep(20);
      continue;
    }
    EmptyClipboard();
    // The marks go first, so that no listener sees the text without them.
    ok = true;
    for (int a = 2; a < argc; ++a) ok = DodajFormat(argv[a]) && ok;
    HGLOBAL h = Blok(argv[1], (std::wcslen(argv[1]) + 1) * sizeof(wchar_t));
    if (h && !SetClipboardData(CF_UNICODETEXT, h)) {
      GlobalFree(h);
      ok = false;
    }
    ok = ok && h;
    CloseClipboard();
  }
  LocalFree(argv);
  return ok ? 0 : 3;
}
