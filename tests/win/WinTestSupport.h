#pragma once
// Shared by the Windows tests: the recording dialogs installed with the real platform, and a
// scratch area (a folder under C:\ and an HKCU key) that is fresh for each test.
#include <windows.h>

#include <string>

#include "platform/memory/Memory.h"

namespace wintest {

// The dialogs of the real platform during the tests; cleared before each test.
platform::memory::RecordingDialogs& Dialogs();

// The full path of win_tests.exe (tests start it again as a child program).
std::string SelfPath();

// A folder "C:\KalmoTests\<test>-<process id>" and a key "Software\KalmoTests\<test>-<process id>"
// under HKEY_CURRENT_USER, both created empty and removed with everything in them afterwards.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& dir() const { return dir_; }   // no trailing backslash
  const std::string& key() const { return key_; }   // under HKCU, no leading backslash
  std::string Path(const std::string& name) const;  // dir\name

  // Writes raw bytes to dir\name (subfolders are created), returns the full path.
  std::string Put(const std::string& name, const std::string& bytes) const;
  // Raw bytes of a file; empty when it cannot be read.
  static std::string Get(const std::string& path);

 private:
  std::string dir_;
  std::string key_;
};

// A symbolic link of the host file system at link (a path on C:, the prefix's drive_c) leading to
// cel (also on C:), made by the host's own ln: Wine runs Unix programs, and reports such a link as
// the host has it. False when it could not be made. Remove it with UsunLinkHosta before anything
// removes the folder that holds it, which would follow it.
bool LinkHosta(const std::string& cel, const std::string& link);
void UsunLinkHosta(const std::string& link);

// A top-level window of this thread that pastes on Ctrl+V and ignores WM_PASTE, as browsers,
// office programs and rich editors do; what it pasted and how many WM_PASTE it was sent.
class OknoCtrlV {
 public:
  OknoCtrlV();
  ~OknoCtrlV();
  OknoCtrlV(const OknoCtrlV&) = delete;
  OknoCtrlV& operator=(const OknoCtrlV&) = delete;

  HWND okno() const { return okno_; }
  const std::wstring& wklejone() const { return wklejone_; }
  int wmPaste() const { return wmPaste_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  HWND okno_ = nullptr;
  std::wstring wklejone_;
  int wmPaste_ = 0;
};

}  // namespace wintest
