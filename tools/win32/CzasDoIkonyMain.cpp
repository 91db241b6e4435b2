// CzasDoIkony.exe: starts a tray program and prints the milliseconds from its start to the moment
// its tray icon exists, for tools/measure-idle.sh; the program goes on running. The icon exists
// when the tray accepts a change to it: NIM_MODIFY (changing nothing) succeeds only for an icon
// that was added, whatever tray draws it, so the signal is the tray's own record, not a picture.
//
//   CzasDoIkony <program> [icon id, default 1]
// Exit code 0 with the figure on stdout; 1 when the program did not start or showed no icon
// within 60 s.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Szukanie {
  DWORD proces;
  std::vector<HWND> okna;
};

BOOL CALLBACK ZbierzOkno(HWND okno, LPARAM lp) {
  auto* s = reinterpret_cast<Szukanie*>(lp);
  DWORD proces = 0;
  GetWindowThreadProcessId(okno, &proces);
  if (proces == s->proces) s->okna.push_back(okno);
  return TRUE;
}

// Whether one of the process's top-level windows owns the icon.
bool IkonaIstnieje(DWORD proces, UINT id) {
  Szukanie s{proces, {}};
  EnumWindows(ZbierzOkno, reinterpret_cast<LPARAM>(&s));
  for (HWND okno : s.okna) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = okno;
    d.uID = id;
    if (Shell_NotifyIconW(NIM_MODIFY, &d)) return true;
  }
  return false;
}

double Milisekundy(LARGE_INTEGER od, LARGE_INTEGER czestotliwosc) {
  LARGE_INTEGER teraz;
  QueryPerformanceCounter(&teraz);
  return static_cast<double>(teraz.QuadPart - od.QuadPart) * 1000.0 / static_cast<double>(czestotliwosc.QuadPart);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    std::fprintf(stderr, "CzasDoIkony <program> [icon id]\n");
    return 1;
  }
  const UINT id = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 1;
  std::wstring linia = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER czestotliwosc, start;
  QueryPerformanceFrequency(&czestotliwosc);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, linia.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fprintf(stderr, "CzasDoIkony: cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  CloseHandle(pi.hThread);
  int wynik = 1;
  while (Milisekundy(start, czestotliwosc) < 60000.0) {
    if (IkonaIstnieje(pi.dwProcessId, id)) {
      std::printf("%.0f\n", Milisekundy(start, czestotliwosc));
      wynik = 0;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0) break;  // ended without an icon
  }
  if (wynik) std::fprintf(stderr, "CzasDoIkony: no tray icon appeared\n");
  CloseHandle(pi.hProcess);
  return wynik;
}
