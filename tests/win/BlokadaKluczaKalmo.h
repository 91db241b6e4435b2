#pragma once
// Kalmo's settings key is one fixed key under HKEY_CURRENT_USER, and ctest runs the Windows tests
// two at a time: every test that deletes, creates or reads that key, starts Kalmo.exe (which also
// holds the single-instance section and hooks the keyboard), presses keys for the keyboard hook or
// uninstalls Kalmo holds this named mutex for its whole run.
#include <windows.h>

#include <gtest/gtest.h>

namespace wintest {

class BlokadaKluczaKalmo {
 public:
  BlokadaKluczaKalmo() {
    mutex_ = CreateMutexW(nullptr, FALSE, L"KalmoWinTest.KluczKalmo");
    if (!mutex_) {
      ADD_FAILURE() << "cannot create the lock of the Kalmo settings key";
      return;
    }
    DWORD w = WaitForSingleObject(mutex_, 100000);
    owned_ = w == WAIT_OBJECT_0 || w == WAIT_ABANDONED;
    if (!owned_) ADD_FAILURE() << "another test held the Kalmo settings key too long";
  }
  ~BlokadaKluczaKalmo() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  BlokadaKluczaKalmo(const BlokadaKluczaKalmo&) = delete;
  BlokadaKluczaKalmo& operator=(const BlokadaKluczaKalmo&) = delete;
  bool owned() const { return owned_; }

 private:
  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};

}  // namespace wintest
