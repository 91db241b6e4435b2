// Entry of the Windows tests: GoogleTest under Wine with the real platform installed. Dialogs are
// recorded instead of shown, so no test waits on a modal window.
//
// Started as "win_tests.exe --child <marker file> [words...]" the program is a child of a test:
// it writes how it was started (show state, current folder, arguments) into the marker file and
// ends.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Platform.h"
#include "tests/win/WinTestSupport.h"

namespace {

platform::memory::RecordingDialogs g_dialogs;

class ClearDialogs : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    g_dialogs.shown.clear();
    g_dialogs.answers.clear();
  }
};

int RunAsChild(int argc, wchar_t** argv) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring text = L"flags=" + std::to_wstring(si.dwFlags) + L"\r\nshow=" + std::to_wstring(si.wShowWindow) +
                      L"\r\nfolder=" + folder + L"\r\nargs=";
  for (int i = 3; i < argc; ++i) text += (i > 3 ? L"|" : L"") + std::wstring(argv[i]);
  text += L"\r\n";
  std::string bytes = platform::win32::Narrow(text);
  HANDLE h = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return 0;
}

}  // namespace

namespace wintest {

platform::memory::RecordingDialogs& Dialogs() { return g_dialogs; }

}  // namespace wintest

int main(int argc, char** argv) {
  int wargc = 0;
  wchar_t** wargv = CommandLineToArgvW(GetCommandLineW(), &wargc);
  if (wargv && wargc >= 3 && std::wstring(wargv[1]) == L"--child") return RunAsChild(wargc, wargv);
  LocalFree(wargv);

  testing::InitGoogleTest(&argc, argv);
  platform::Install(platform::win32::RealServices(&g_dialogs));
  testing::UnitTest::GetInstance()->listeners().Append(new ClearDialogs);
  return RUN_ALL_TESTS();
}
