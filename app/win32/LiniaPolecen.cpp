#include "app/win32/LiniaPolecen.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "common/win32/Window.h"
#include "documents/Eksport.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Globalne.h"

namespace kalmo {

namespace {

// The units' reports during an export: gathered, never a window that would wait for an answer.
class ZebraneZgloszenia : public platform::Dialogs {
 public:
  void ErrorDialog(const std::string& place, const std::string& text) override { teksty.push_back(place + ": " + text); }
  platform::OdpowiedzKomunikatu MessageDialog(const std::string& text, platform::RodzajKomunikatu,
                                              platform::ButtonPage) override {
    teksty.push_back(text);
    return platform::okNie;  // nothing is asked on this road; no would be the safe answer
  }
  void PlainMessage(const std::string& text) override { teksty.push_back(text); }
  std::vector<std::string> teksty;
};

// The standard error stream, when the process has one.
HANDLE StrumienBledow() {
  HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN ? h : nullptr;
}

void Napisz(HANDLE h, const std::string& tekst) {
  DWORD zapisane = 0, tryb = 0;
  if (GetConsoleMode(h, &tryb)) {
    const std::wstring w = win::Widen(tekst + "\r\n");
    WriteConsoleW(h, w.c_str(), static_cast<DWORD>(w.size()), &zapisane, nullptr);
  } else {
    const std::string linia = tekst + "\r\n";  // UTF-8
    WriteFile(h, linia.data(), static_cast<DWORD>(linia.size()), &zapisane, nullptr);
  }
}

void ZglosBlad(const std::string& tekst) {
  if (HANDLE h = StrumienBledow()) {
    Napisz(h, "Kalmo /eksport: " + tekst);
    return;
  }
  MessageBoxW(nullptr, win::Widen("Eksport danych nie powiódł się.\n\n" + tekst).c_str(), L"Kalmo",
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
}

std::string PelnaSciezka(const std::wstring& sciezka) {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = GetFullPathNameW(sciezka.c_str(), MAX_PATH * 4, buf, nullptr);
  return n > 0 && n < MAX_PATH * 4 ? win::Narrow(buf, static_cast<int>(n)) : win::Narrow(sciezka);
}

int Eksportuj(const std::vector<std::wstring>& argumenty) {
  ZebraneZgloszenia zgloszenia;
  platform::Install(platform::win32::RealServices(&zgloszenia));
  eksport::Wynik w;
  if (argumenty.size() > 3)
    w = {1, "Podaj jeden folder; folder ze spacjami w cudzysłowie: Kalmo.exe /eksport \"C:\\Moje dane\""};
  else
    w = eksport::EksportujDoFolderu(FolderZeSciezki(platform::Fs().ExecutablePath()),
                                    argumenty.size() == 3 ? PelnaSciezka(argumenty[2]) : "");
  if (HANDLE h = StrumienBledow())
    for (const std::string& t : zgloszenia.teksty) Napisz(h, "Kalmo /eksport: uwaga: " + t);
  if (w.kod != 0) ZglosBlad(w.komunikat);
  return w.kod;
}

}  // namespace

std::optional<int> WykonajLiniePolecen(const wchar_t* liniaPolecen) {
  int n = 0;
  LPWSTR* argv = liniaPolecen && *liniaPolecen ? CommandLineToArgvW(liniaPolecen, &n) : nullptr;
  if (!argv) return std::nullopt;
  const std::vector<std::wstring> argumenty(argv, argv + n);
  LocalFree(argv);
  if (argumenty.size() < 2 || CompareStringOrdinal(argumenty[1].c_str(), -1, L"/eksport", -1, TRUE) != CSTR_EQUAL)
    return std::nullopt;
  return Eksportuj(argumenty);
}

}  // namespace kalmo
