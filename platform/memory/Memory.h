#pragma once
// In-memory platform for native tests: a registry, files, a desktop, a settable clock, recorded
// process starts and recorded dialogs with scripted answers.
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform::memory {

// Letter case folded the way Windows compares names (ASCII and the Polish letters).
std::string FoldCase(const std::string& s);

class MemoryRegistry : public Registry {
 public:
  struct Value {
    std::string name;  // as first written
    ValueKind kind = ValueKind::String;
    std::vector<uint8_t> data;  // strings: UTF-8 bytes; dwords: 4 bytes little-endian
  };
  struct Key {
    std::string name;  // last component as first created
    std::map<std::string, Value> values;  // by folded name
    std::string link;  // a registry link: folded "root\\key" every path through it continues at
  };

  bool KeyExists(Root root, const std::string& key) override;
  bool CreateKey(Root root, const std::string& key) override;
  bool DeleteKey(Root root, const std::string& key) override;
  std::optional<std::vector<std::string>> ValueNames(Root root, const std::string& key) override;
  std::optional<std::vector<std::string>> SubkeyNames(Root root, const std::string& key) override;
  std::optional<std::string> ReadString(Root root, const std::string& key, const std::string& name) override;
  std::optional<uint32_t> ReadDword(Root root, const std::string& key, const std::string& name) override;
  std::optional<std::vector<uint8_t>> ReadBinary(Root root, const std::string& key, const std::string& name) override;
  bool WriteString(Root root, const std::string& key, const std::string& name, const std::string& value) override;
  bool WriteDword(Root root, const std::string& key, const std::string& name, uint32_t value) override;
  bool WriteBinary(Root root, const std::string& key, const std::string& name, const std::vector<uint8_t>& data) override;
  bool DeleteValue(Root root, const std::string& key, const std::string& name) override;
  bool CopyValue(Root root, const std::string& key, const std::string& from, const std::string& to) override;
  std::optional<uint64_t> ReadQword(Root root, const std::string& key, const std::string& name) override;
  bool WriteQword(Root root, const std::string& key, const std::string& name, uint64_t value) override;

  // Tests: keys that refuse to open even though they exist (access denied).
  std::vector<std::string> lockedKeys;
  // Tests: keys that open but cannot be deleted.
  std::vector<std::string> undeletableKeys;
  // Tests: the raw value, or nullptr.
  const Value* Find(Root root, const std::string& key, const std::string& name);
  // Tests: a registry link at key leading to another key (created when missing); reads through it
  // continue at the target, as on Windows.
  void AddLink(Root root, const std::string& key, Root targetRoot, const std::string& targetKey);

 private:
  std::string Path(Root root, const std::string& key) const;  // folded "root\a\b"
  // The folded path with every link on the way (the last name too, unless ownName) replaced.
  std::string Resolve(const std::string& path, bool ownName) const;
  Key* Open(Root root, const std::string& key);
  bool Write(Root root, const std::string& key, const std::string& name, ValueKind kind, std::vector<uint8_t> data);
  std::map<std::string, Key> keys_;  // by folded full path
};

class MemoryFiles : public Files {
 public:
  struct Node {
    bool directory = false;
    std::string name;
    std::string bytes;
    uint32_t attributes = 0;
    double writeTime = 0;
    double createTime = 0;
    std::string linkTarget;  // a link: every path through it continues at the target
    std::string owner;       // user name, "Administrators" or "SYSTEM"; empty: none kept
    int hardLinks = 0;       // names of one file share this number (0: a file of one name)
    bool openElsewhere = false;  // another program holds it open, sharing deletion
    bool opensAsTarget = false;  // a link that opening always follows
  };

  MemoryFiles();
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::optional<std::vector<DirEntry>> List(const std::string& dir, const std::string& mask) override;
  std::optional<DirEntry> Stat(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool DeleteFile(const std::string& path) override;
  std::optional<std::string> FinalPath(const std::string& path) override;
  bool DeleteFileInside(const std::string& path, const std::string& folderFinalPath) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  std::optional<std::string> TempDirectory() override { return tempDir; }
  std::optional<std::string> WindowsDirectory() override { return windowsDir; }
  std::optional<std::string> SystemDirectory() override { return systemDir; }
  std::string ExecutablePath() override { return exePath; }
  DriveKind DriveType(char letter) override;
  std::optional<uint64_t> FreeBytes(char letter) override;
  std::optional<std::string> ShortPath(const std::string& path) override;
  uint32_t LastError() override { return lastError; }
  std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) override;
  DeleteOutcome DeleteEntry(const std::string& folderFinal, const std::string& name, uint32_t kinds,
                            const std::function<bool(const DirEntry&)>& decide) override;
  std::optional<std::string> LongPath(const std::string& path) override;
  std::optional<std::string> KnownFolderPath(KnownFolder folder) override;
  FileOwner OwnerOf(const std::string& path) override;
  bool SetAccessList(const std::string& path, const AccessList& list) override;
  std::optional<std::string> CreatePrivateDirectory(const std::string& parent, const std::string& prefix) override;

  // Test set-up. Parent directories are created as needed.
  void AddFile(const std::string& path, const std::string& bytes, double writeTime = 0, double createTime = 0);
  void AddDirectory(const std::string& path);
  // A link at path leading to target (a folder or a file). With reparse false it lists as a plain
  // folder or file, as a file link of the host file system does under Wine. With opensAsTarget, a
  // link reported as a reparse point still opens as its target even when asked not to follow it,
  // as a folder link of the host file system does under Wine.
  void AddLink(const std::string& path, const std::string& target, bool reparse = true, bool opensAsTarget = false);
  // A second name of an existing file: writes in place (appends, attributes) reach both names, a
  // replacing write gives the name a file of its own.
  void AddHardLink(const std::string& path, const std::string& existing);
  // What another user does meanwhile: the folder is renamed aside (to path + "~") and a link to
  // target takes its name. False (nothing changed) while the folder, or anything in it, is held.
  bool SwapForLink(const std::string& path, const std::string& target, bool reparse = true, bool opensAsTarget = false);
  void SetOwner(const std::string& path, const std::string& owner);
  // Another program holds the file open, sharing deletion: a deletion only marks it.
  void SetOpenElsewhere(const std::string& path, bool open = true);
  // Tests: the access list last set on a path, or nullptr.
  const AccessList* AccessListOf(const std::string& path) const;
  // Tests: folders held at the moment.
  size_t HeldCount() const { return held_.size(); }

  std::optional<std::string> tempDir = std::string("C:\\TEMP\\");
  std::optional<std::string> windowsDir = std::string("C:\\WINDOWS");
  std::optional<std::string> systemDir = std::string("C:\\WINDOWS\\system32");
  std::string exePath = "C:\\Kalmo\\Kalmo.exe";
  std::map<char, DriveKind> drives{{'C', DriveKind::Fixed}};
  std::map<char, uint64_t> freeBytes{{'C', 1024ull * 1024 * 1024}};
  uint32_t lastError = 0;
  // Tests: files whose writes fail (disk full, in use).
  std::vector<std::string> failingWrites;
  // Tests: files that exist but cannot be read (locked by another program).
  std::vector<std::string> failingReads;
  // Tests: clock used for write times of new files.
  double now = 0;
  // The user this program runs for: owner of the files it creates.
  std::string currentUser = "Jan";
  std::map<KnownFolder, std::string> knownFolders;
  // Called as a checked deletion is about to open folderFinal\name (tests change the disk here,
  // as another user could between a listing and a deletion).
  std::function<void(const std::string& folderFinal, const std::string& name)> beforeDelete;

 private:
  friend class MemoryHeldFolder;
  Node* Find(const std::string& path);
  // Normal path with every link on the way (the last name included) replaced by its target.
  std::string Resolve(const std::string& path);
  bool ParentExists(const std::string& path);
  bool WriteFails(const std::string& path);
  bool Held(const std::string& normalPath) const;
  // Applies an in-place change to every name of the node's file.
  void ForEachName(Node& node, const std::function<void(Node&)>& change);
  std::map<std::string, Node> nodes_;  // by folded full path without trailing backslash
  std::map<std::string, AccessList> accessLists_;
  std::multiset<std::string> held_;
  std::mt19937_64 random_{20260302};
  int nextHardLinkGroup_ = 1;
};

class MemoryDesktop : public Desktop {
 public:
  std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
  std::optional<bool> ScreenSaverActive() override { return screenSaverActive; }
  bool SetScreenSaverActive(bool active) override { screenSaverActive = active; ++screenSaverChanges; return true; }
  std::optional<int> ScreenSaverTimeout() override { return screenSaverTimeout; }
  int ShowCursor(bool show) override { cursorCount += show ? 1 : -1; return cursorCount; }
  std::optional<LastInput> LastInputTime() override {
    ++lastInputReads;
    return lastInput;
  }
  bool DisplayRequired() override {
    ++displayRequiredReads;
    return displayRequired;
  }
  NotificationState UserNotificationState() override {
    ++notificationReads;
    return notificationState;
  }
  std::vector<MonitorInfo> Monitors() override { return monitors; }
  std::optional<ForegroundWindow> Foreground() override {
    ++foregroundReads;
    return foreground;
  }

  std::vector<TopLevelWindow> windows;
  std::optional<LastInput> lastInput = LastInput{};  // tests: idle = now - input
  bool displayRequired = false;
  int lastInputReads = 0;
  int displayRequiredReads = 0;
  std::optional<bool> screenSaverActive = true;
  std::optional<int> screenSaverTimeout = 300;
  int screenSaverChanges = 0;
  int cursorCount = 0;
  // Tests: what the shell says, the monitors and the window in front; how often they were read.
  NotificationState notificationState = NotificationState::AcceptsNotifications;
  std::vector<MonitorInfo> monitors{{{0, 0, 1024, 768}, {0, 0, 1024, 738}, 96, true}};
  std::optional<ForegroundWindow> foreground;
  int notificationReads = 0;
  int foregroundReads = 0;
};

class FakeClock : public Clock {
 public:
  double Now() override { return now; }
  void Sleep(int milliseconds) override { slept += milliseconds; }
  void Advance(int seconds) { now += seconds / 86400.0; }
  double now = 0;
  long long slept = 0;
};

class RecordingProcesses : public Processes {
 public:
  uint32_t Run(const std::string& commandLine, int showState) override { return RunIn(commandLine, showState, {}); }
  uint32_t RunIn(const std::string& commandLine, int showState, const std::string& folder) override {
    started.push_back({commandLine, showState, folder});
    return result;
  }
  std::string UserName() override { return userName; }
  struct Start { std::string commandLine; int showState; std::string folder; };
  std::vector<Start> started;
  uint32_t result = 0;
  std::string userName;
};

class RecordingDialogs : public Dialogs {
 public:
  struct Shown {
    enum Kind { Error, Message, Plain } kind;
    std::string place;  // error dialog only
    std::string text;
    RodzajKomunikatu picture = rkInformacja;
    ButtonPage page = ButtonPage::Stop;
  };
  void ErrorDialog(const std::string& place, const std::string& text) override;
  OdpowiedzKomunikatu MessageDialog(const std::string& text, RodzajKomunikatu kind, ButtonPage page) override;
  void PlainMessage(const std::string& text) override;

  std::vector<Shown> shown;
  // Answers for message dialogs, taken in order; when empty the first button's answer is used.
  std::deque<OdpowiedzKomunikatu> answers;
  // Texts only, in order (for compact assertions).
  std::vector<std::string> Texts() const;
};

// Installs a fresh in-memory platform for the lifetime of the object (one per test).
class TestPlatform {
 public:
  TestPlatform();
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  MemoryRegistry registry;
  FakeClock clock;
  MemoryDesktop desktop;
  MemoryFiles files;
  RecordingProcesses processes;
  RecordingDialogs dialogs;

 private:
  Services previous_;
};

// Date-time double of a local calendar time (for tests and the fake clock).
double MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

}  // namespace platform::memory
