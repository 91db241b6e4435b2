#include "tests/win/Driver.h"

#include <set>

#include "common/win32/Window.h"

namespace driver {

namespace {

constexpr DWORD kPollMs = 20;

// Dialogs some Answerer has pressed a button of, while they are still shown: a dialog stays
// visible for a moment after the press, and an Answerer made right after the one that pressed it
// must not take it for the next dialog. A window hidden and shown again is a new dialog.
std::mutex gAnsweredMutex;
std::set<HWND> gAnswered;

bool AlreadyAnswered(HWND dialog) {
  std::lock_guard<std::mutex> lock(gAnsweredMutex);
  for (auto it = gAnswered.begin(); it != gAnswered.end();)
    it = IsWindow(*it) && IsWindowVisible(*it) ? std::next(it) : gAnswered.erase(it);
  return dialog && gAnswered.count(dialog) != 0;
}

void MarkAnswered(HWND dialog) {
  std::lock_guard<std::mutex> lock(gAnsweredMutex);
  gAnswered.insert(dialog);
}
constexpr UINT kSendTimeoutMs = 5000;

struct TopSearch {
  std::wstring className;
  std::string caption;
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK TopSearchProc(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopSearch*>(lp);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (s->processId != kAnyProcess) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->processId) return TRUE;
  }
  if (!s->className.empty() && ClassOf(hwnd) != s->className) return TRUE;
  if (!s->caption.empty() && ReadText(hwnd) != s->caption) return TRUE;
  s->found = hwnd;
  return FALSE;
}

struct ChildSearch {
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

BOOL CALLBACK ChildSearchProc(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (s->match(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindChildWhere(HWND parent, std::function<bool(HWND)> match) {
  ChildSearch s{std::move(match)};
  EnumChildWindows(parent, ChildSearchProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK CollectNamed(HWND hwnd, LPARAM lp) {
  auto* out = reinterpret_cast<std::map<std::string, std::string>*>(lp);
  std::string name = NameOf(hwnd);
  if (!name.empty()) (*out)[name] = ReadText(hwnd);
  return TRUE;
}

template <class Done>
bool WaitFor(DWORD timeoutMs, Done done) {
  DWORD limit = timeoutMs ? timeoutMs : Timeout();
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > limit) return false;
    Sleep(kPollMs);
  }
}

}  // namespace

DWORD Timeout() { return 15000; }

HWND FindWindowOf(const std::wstring& className, const std::string& caption, DWORD processId) {
  TopSearch s{className, caption, processId};
  EnumWindows(TopSearchProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForWindow(const std::wstring& className, const std::string& caption, DWORD processId, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(timeoutMs, [&] { return (found = FindWindowOf(className, caption, processId)) != nullptr; });
  return found;
}

bool WaitUntilGone(HWND hwnd, DWORD timeoutMs) {
  return WaitFor(timeoutMs, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

std::string ReadText(HWND hwnd) {
  // No SMTO_ABORTIFHUNG: a dialog shown after more than five seconds of work on its thread counts
  // as hung until its loop runs, and on a loaded machine it was read as empty in that moment.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) return {};
  std::wstring buf(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_NORMAL,
                           kSendTimeoutMs, &got))
    return {};
  return win::Narrow(buf.data(), static_cast<int>(got));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256];
  int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

HWND FindChild(HWND parent, const std::string& caption) {
  return FindChildWhere(parent, [&](HWND h) { return ReadText(h) == caption; });
}

HWND FindChildById(HWND parent, int id) {
  return FindChildWhere(parent, [&](HWND h) { return GetDlgCtrlID(h) == id; });
}

HWND FindChildByName(HWND parent, const std::string& name) {
  return FindChildWhere(parent, [&](HWND h) { return NameOf(h) == name; });
}

std::string NameOf(HWND control) { return win::ControlName(control); }

std::map<std::string, std::string> NamedTexts(HWND parent) {
  std::map<std::string, std::string> out;
  EnumChildWindows(parent, CollectNamed, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool Click(HWND button) { return button && PostMessageW(button, BM_CLICK, 0, 0); }

namespace {
HWND FindButton(HWND window, const std::string& caption) {
  return FindChildWhere(window, [&](HWND h) { return ClassOf(h) == L"Button" && ReadText(h) == caption; });
}
}  // namespace

bool ClickButton(HWND window, const std::string& caption) { return Click(FindButton(window, caption)); }

// ---------------------------------------------------------------------------------------------

Answerer::Answerer(std::wstring className, std::string button, int times, DWORD processId)
    : Answerer(std::move(className), std::move(button), nullptr, times, processId) {}

Answerer::Answerer(std::wstring className, std::string button, std::function<void(HWND)> inspect, int times,
                   DWORD processId)
    : className_(std::move(className)),
      button_(std::move(button)),
      inspect_(std::move(inspect)),
      times_(times),
      processId_(processId) {
  thread_ = std::thread([this] { Run(); });
}

Answerer::~Answerer() {
  stop_ = true;
  thread_.join();
}

std::vector<Answerer::Dialog> Answerer::Seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

int Answerer::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(seen_.size());
}

bool Answerer::WaitForCount(int n, DWORD timeoutMs) const {
  return WaitFor(timeoutMs, [&] { return Count() >= n; });
}

void Answerer::Run() {
  while (!stop_) {
    if (times_ > 0 && Count() >= times_) return;
    HWND dialog = FindWindowOf(className_, {}, processId_);
    // The same window stays visible for a moment after the press; answer it once.
    if (!AlreadyAnswered(dialog) && dialog) {
      Dialog seen;
      seen.caption = ReadText(dialog);
      seen.controls = NamedTexts(dialog);
      GetWindowRect(dialog, &seen.rect);
      if (inspect_) inspect_(dialog);
      // Recorded before the press: the press ends the dialog's modal loop, and the code under
      // test may count the answered dialogs before this thread returns from the click.
      HWND button = FindButton(dialog, button_);
      seen.pressed = button != nullptr;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(std::move(seen));
      }
      MarkAnswered(dialog);
      Click(button);
    }
    Sleep(kPollMs);
  }
}

// ---------------------------------------------------------------------------------------------

Process::~Process() {
  if (handle) {
    if (WaitForSingleObject(handle, 0) == WAIT_TIMEOUT) TerminateProcess(handle, 1);
    CloseHandle(handle);
  }
}

long Process::WaitForExit(DWORD timeoutMs) {
  if (!handle) return -1;
  if (WaitForSingleObject(handle, timeoutMs ? timeoutMs : Timeout()) != WAIT_OBJECT_0) {
    TerminateProcess(handle, 1);
    WaitForSingleObject(handle, Timeout());
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(handle, &code);
  return static_cast<long>(code);
}

bool Start(const std::string& commandLine, Process& process) {
  std::wstring cmd = win::Widen(commandLine);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  process.handle = pi.hProcess;
  process.id = pi.dwProcessId;
  return true;
}

std::string BesideTests(const std::string& fileName) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  auto slash = dir.find_last_of(L"\\/");
  dir = slash == std::wstring::npos ? L"" : dir.substr(0, slash + 1);
  return win::Narrow(dir) + fileName;
}

}  // namespace driver
