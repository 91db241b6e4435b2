#pragma once
// TDeleteTempFileThread: the temporary-file cleanup on a thread of its own. It waits 50 seconds
// (a short break deletes nothing), then runs one pass of the cleanup rules.
//
// It never touches a window: the main window learns everything from posted messages (the label
// may show, a report for the user, the end), so the main thread never waits for it and it never
// waits for the main thread. A stop request is noticed at once during the delay and after every
// file, pair and rule; after it, only the end notice is posted.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "cleanup/UsuwaniePlikow.h"

class TDeleteTempFileThread {
 public:
  static constexpr DWORD kOpoznienieMs = 50000;

  // Messages posted to the main window, without parameters (any program may post a message, so
  // none carries anything to act on). The reports wait in this process's own mailbox (Odbierz).
  struct Powiadomienia {
    HWND okno = nullptr;
    UINT etykieta = 0;    // the delay has passed: show "Trwa usuwanie plików tymczasowych w tle...."
    UINT zgloszenie = 0;  // a report for the user
    UINT koniec = 0;      // the end notification, posted last
  };
  struct Zgloszenie {
    std::string miejsce, tekst;
  };

  TDeleteTempFileThread(std::string plikRegul, std::string plikKroniki, Powiadomienia powiadomienia,
                        DWORD opoznienieMs = kOpoznienieMs);
  // A thread still running is asked to stop without an end notice (its receiver is going away)
  // and waited for: it stops after at most one more file.
  ~TDeleteTempFileThread();
  TDeleteTempFileThread(const TDeleteTempFileThread&) = delete;
  TDeleteTempFileThread& operator=(const TDeleteTempFileThread&) = delete;

  bool Uruchom();
  // The stop request; returns at once.
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  // Waits until the thread has ended (true) or the time is up.
  bool WaitFor(DWORD ms = INFINITE);
  // Read after the end.
  const WynikCzyszczenia& Wynik() const { return wynik_; }
  // Whether deleted files went to the chronicle (the options' chronicle byte); read after the end.
  bool TworzKronike() const { return wynik_.tworzKronike; }

  // Tests: called on the worker thread after each deleted file.
  std::function<void(const std::string&)> poUsunieciuPliku;

  // Main thread: the reports waiting since the last call, oldest first.
  static std::vector<Zgloszenie> Odbierz();

 private:
  static DWORD WINAPI Execute(void* self);
  void Wykonaj();
  void Wyslij(UINT message, LPARAM lParam = 0);

  std::string plikRegul_, plikKroniki_;
  Powiadomienia powiadomienia_;
  DWORD opoznienieMs_;
  HANDLE watek_ = nullptr;
  HANDLE stop_ = nullptr;  // manual-reset event: the delay ends at once on a stop request
  std::atomic<bool> terminated_{false};
  std::atomic<bool> bezKonca_{false};  // no end notice: the receiver is going away
  WynikCzyszczenia wynik_;
};
