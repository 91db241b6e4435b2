// PustyZasobnik.exe: the least a tray program can be (a hidden window, a tray icon with a hint, a
// message loop), as the baseline against which tools/measure-idle.sh compares Kalmo's idle cost in
// the same Wine session. It ends when its window is closed or after the given number of seconds.
//
//   PustyZasobnik [seconds]
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

constexpr UINT kWmIkona = WM_APP + 1;

LRESULT CALLBACK Procedura(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER || msg == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const unsigned seconds = argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedura;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PustyZasobnik";
  RegisterClassW(&wc);
  HWND okno = CreateWindowExW(0, wc.lpszClassName, L"PustyZasobnik", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!okno) return 1;
  NOTIFYICONDATAW ikona{};
  ikona.cbSize = sizeof ikona;
  ikona.hWnd = okno;
  ikona.uID = 1;
  ikona.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  ikona.uCallbackMessage = kWmIkona;
  ikona.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  std::wcsncpy(ikona.szTip, L"Pusty zasobnik", ARRAYSIZE(ikona.szTip) - 1);
  Shell_NotifyIconW(NIM_ADD, &ikona);
  if (seconds) SetTimer(okno, 1, seconds * 1000, nullptr);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  Shell_NotifyIconW(NIM_DELETE, &ikona);
  return 0;
}
