#include <vector>

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

namespace platform::win32 {
namespace {

// A program that never settles must not hang the caller's window thread for good.
constexpr DWORD kInputIdleWaitMs = 30000;

class Win32Processes : public Processes {
 public:
  uint32_t Run(const std::string& commandLine, int showState) override { return RunIn(commandLine, showState, {}); }

  uint32_t RunIn(const std::string& commandLine, int showState, const std::string& folder) override {
    const std::wstring directory = Widen(folder);
    std::wstring wide = Widen(commandLine);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());  // CreateProcessW may write into it
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION pi{};
    // The busy cursor while the program starts; the previous one comes back however it ends.
    struct Kursor {
      HCURSOR poprzedni = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      ~Kursor() { SetCursor(poprzedni); }
    } kursor;
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &si, &pi)) {
      DWORD error = GetLastError();
      return error ? error : ERROR_GEN_FAILURE;
    }
    // Returns at once for a console program; the result does not decide success.
    WaitForInputIdle(pi.hProcess, kInputIdleWaitMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
  }

  std::string UserName() override {
    wchar_t name[257];  // UNLEN + 1
    DWORD size = 257;
    if (!GetUserNameW(name, &size) || size == 0) return {};
    return Narrow(std::wstring(name, size - 1));
  }
};

}  // namespace

Processes& RealProcesses() {
  static Win32Processes processes;
  return processes;
}

}  // namespace platform::win32
