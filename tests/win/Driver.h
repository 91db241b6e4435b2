#pragma once
// Test driver for Windows tests: finds windows (of this process or of any other), reads their
// texts, presses their buttons, and answers modal dialogs from a background thread.
//
// A modal dialog runs its own message loop on the calling thread, so a test cannot press its
// buttons itself. Instead it creates an Answerer before the call:
//
//   driver::Answerer answer(L"TfrmKomunikat", "Nie");
//   EXPECT_EQ(KomunikatPytanie("Usunąć?", rkPytanie), okNie);
//   ASSERT_EQ(answer.Seen().size(), 1u);
//
// The answerer polls for a visible top-level window of the class, records the texts of its
// controls, then clicks the named button. Every wait is bounded (Timeout()), so a dialog that never
// appears fails the test instead of hanging it.
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace driver {

// The bound of every wait (a safety net, not a measured time).
DWORD Timeout();

// Any process id (for the process filters below).
constexpr DWORD kAnyProcess = 0;

// A visible top-level window with the class and/or caption (empty = any), of a process
// (kAnyProcess = any; GetCurrentProcessId() = this one). nullptr when none.
HWND FindWindowOf(const std::wstring& className, const std::string& caption = {}, DWORD processId = kAnyProcess);
// Waits until such a window exists; nullptr after Timeout().
HWND WaitForWindow(const std::wstring& className, const std::string& caption = {}, DWORD processId = kAnyProcess,
                   DWORD timeoutMs = 0);
// Waits until the window no longer exists (or is hidden); false after Timeout().
bool WaitUntilGone(HWND hwnd, DWORD timeoutMs = 0);

// Text of any window, also of another process: WM_GETTEXT sent to it, so custom-drawn controls
// answer with the text they show. UTF-8.
std::string ReadText(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// Children (any depth) by caption (exact, as ReadText gives it), control id, or component name
// ("cmdOk"; names kept by win::SetControlName, readable across processes). nullptr when none.
HWND FindChild(HWND parent, const std::string& caption);
HWND FindChildById(HWND parent, int id);
HWND FindChildByName(HWND parent, const std::string& name);
std::string NameOf(HWND control);

// Every named child of a window with its text, by name.
std::map<std::string, std::string> NamedTexts(HWND parent);

// Presses a button: BM_CLICK posted to it (returns at once; the owner's thread handles it).
bool Click(HWND button);
// The button with a caption inside the window, pressed; false when there is none.
bool ClickButton(HWND window, const std::string& caption);

// Answers dialogs of one window class shown by this process (or any) from a background thread.
class Answerer {
 public:
  struct Dialog {
    std::string caption;
    std::map<std::string, std::string> controls;  // component name -> text, before the press
    RECT rect{};                                  // window rectangle
    bool pressed = false;                         // the button was found and clicked
  };

  // Presses `button` (a caption) in each dialog of `className` that appears, at most `times`
  // times (0 = every one). `processId` as in FindWindowOf; this process by default.
  Answerer(std::wstring className, std::string button, int times = 0, DWORD processId = GetCurrentProcessId());
  // Runs `inspect` on the dialog before the press (same thread as the press).
  Answerer(std::wstring className, std::string button, std::function<void(HWND)> inspect, int times = 0,
           DWORD processId = GetCurrentProcessId());
  ~Answerer();
  Answerer(const Answerer&) = delete;
  Answerer& operator=(const Answerer&) = delete;

  // The dialogs answered so far.
  std::vector<Dialog> Seen() const;
  int Count() const;
  // Waits until `n` dialogs were answered; false after Timeout().
  bool WaitForCount(int n, DWORD timeoutMs = 0) const;

 private:
  void Run();
  std::wstring className_;
  std::string button_;
  std::function<void(HWND)> inspect_;
  int times_;
  DWORD processId_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Dialog> seen_;
  std::thread thread_;
};

// Starts a program (command line, UTF-8) and returns its process; nullptr on failure.
struct Process {
  HANDLE handle = nullptr;
  DWORD id = 0;
  ~Process();
  // Waits for the end and returns the exit code; -1 on timeout (the process is then killed).
  long WaitForExit(DWORD timeoutMs = 0);
};
bool Start(const std::string& commandLine, Process& process);

// Full path of a file beside the test program.
std::string BesideTests(const std::string& fileName);

}  // namespace driver
