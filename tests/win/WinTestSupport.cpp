#include "tests/win/WinTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace wintest {
namespace {

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

std::string TestName() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside";
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?') c = '_';
  return name + "-" + std::to_string(GetCurrentProcessId());
}

}  // namespace

namespace {

std::string Env(const wchar_t* name) {
  wchar_t buffer[2048];
  DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return n && n < 2048 ? Narrow(buffer, n) : std::string();
}

// The Unix path of a path on C: (the prefix's drive_c).
std::string Unix(const std::string& windowsPath) {
  std::string p = Env(L"WINEPREFIX") + "/drive_c/" + windowsPath.substr(3);
  for (char& c : p)
    if (c == '\\') c = '/';
  return "\"" + p + "\"";
}

bool UruchomUnix(const std::string& polecenie) {
  std::wstring cmd = Widen(polecenie);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

bool Jest(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool LinkHosta(const std::string& cel, const std::string& link) {
  if (Env(L"WINEPREFIX").empty() || cel.size() < 3 || link.size() < 3) return false;
  if (!UruchomUnix("/bin/ln -s " + Unix(cel) + " " + Unix(link))) return false;
  // Wine may report a Unix child's end before the child has run: wait for the link itself.
  for (int waited = 0; waited < 30000; waited += 20) {
    if (Jest(link)) return true;
    Sleep(20);
  }
  return false;
}

void UsunLinkHosta(const std::string& link) {
  if (Env(L"WINEPREFIX").empty() || link.size() < 3) return;
  UruchomUnix("/bin/rm -f " + Unix(link));
  for (int waited = 0; waited < 30000 && Jest(link); waited += 20) Sleep(20);
}

std::string SelfPath() {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return Narrow(buffer, n);
}

Scratch::Scratch() {
  std::string name = TestName();
  CreateDirectoryW(L"C:\\KalmoTests", nullptr);
  dir_ = "C:\\KalmoTests\\" + name;
  RemoveTree(Widen(dir_));  // a leftover of an earlier run
  if (!CreateDirectoryW(Widen(dir_).c_str(), nullptr))
    ADD_FAILURE() << "cannot create the scratch folder " << dir_;
  key_ = "Software\\KalmoTests\\" + name;
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key_).c_str());
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(h);
  else
    ADD_FAILURE() << "cannot create the scratch key " << key_;
}

Scratch::~Scratch() {
  RemoveTree(Widen(dir_));
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key_).c_str());
}

std::string Scratch::Path(const std::string& name) const { return dir_ + "\\" + name; }

std::string Scratch::Put(const std::string& name, const std::string& bytes) const {
  std::string path = Path(name);
  for (size_t k = dir_.size() + 1; (k = path.find('\\', k)) != std::string::npos; ++k)
    CreateDirectoryW(Widen(path.substr(0, k)).c_str(), nullptr);
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot write " << path;
    return path;
  }
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return path;
}

std::string Scratch::Get(const std::string& path) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(h);
  return bytes;
}

OknoCtrlV::OknoCtrlV() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &OknoCtrlV::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OknoCtrlV";
  RegisterClassW(&wc);
  okno_ = CreateWindowExW(0, L"OknoCtrlV", L"Przeglądarka", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 120,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

OknoCtrlV::~OknoCtrlV() { DestroyWindow(okno_); }

LRESULT CALLBACK OknoCtrlV::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(h, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<OknoCtrlV*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  if (self && msg == WM_PASTE) {
    ++self->wmPaste_;
    return 0;
  }
  if (self && msg == WM_KEYDOWN && wp == 'V' && (GetKeyState(VK_CONTROL) & 0x8000) && OpenClipboard(h)) {
    if (HANDLE d = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* t = static_cast<const wchar_t*>(GlobalLock(d))) {
        self->wklejone_ = t;
        GlobalUnlock(d);
      }
    }
    CloseClipboard();
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace wintest
