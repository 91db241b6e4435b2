#pragma once
// Background tasks of the main window: the deletion of temporary files during a user break, and
// the messages the program posts to its own main window so that work is done a moment later on
// the main thread.
#include <cstdint>
#include <functional>
#include <memory>

// Posts a message to the main window (the Win32 side calls PostMessage).
class PoczmistrzGlownej {
 public:
  virtual ~PoczmistrzGlownej() = default;
  virtual void Wyslij(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
};

class TOrganizatorWatkow;

// A running deletion of temporary files.
class ZadanieUsuwania {
 public:
  // The object is kept until the next deletion starts or the organizer ends; by then the work
  // has ended or was asked to end, and the destructor waits for it or lets it finish alone.
  virtual ~ZadanieUsuwania() = default;
  // Asks the work to stop at its next check; returns at once.
  virtual void Przerwij() = 0;
};

// Starts the deletion at once. When it ends by itself it calls
// TOrganizatorWatkow::UsuwanieZakonczone on the main thread; after Przerwij from the organizer's
// destructor it must not call back.
class StarterUsuwania {
 public:
  virtual ~StarterUsuwania() = default;
  virtual std::unique_ptr<ZadanieUsuwania> Uruchom(TOrganizatorWatkow& organizator) = 0;
};

class TOrganizatorWatkow {
 public:
  enum : uint8_t { ZadanieUsuwaniaPlikow = 1 };  // flag 1: temporary-file deletion running

  TOrganizatorWatkow(PoczmistrzGlownej& poczta, StarterUsuwania& starter);
  ~TOrganizatorWatkow();  // a running deletion is asked to stop
  TOrganizatorWatkow(const TOrganizatorWatkow&) = delete;
  TOrganizatorWatkow& operator=(const TOrganizatorWatkow&) = delete;

  void WyslijZwolnienieFormularza(uint8_t kodOkna);  // WM_FREE_FORM, lParam = code
  void WyslijStart();  // WM_BACKGROUND_TASK, wParam 0
  void WyslijStop();   // WM_BACKGROUND_TASK, wParam 1

  // Starts the deletion when nothing runs, deletion is switched on in OpcjePlikowTymczasowych
  // and the last cleanup is at least two days old (or never happened).
  void RozpocznijUsuwanie();
  void ZatrzymajUsuwanie();
  // End notification of the deletion.
  void UsuwanieZakonczone();

  uint8_t Zadania() const { return zadania_; }
  bool UsuwanieTrwa() const { return (zadania_ & ZadanieUsuwaniaPlikow) != 0; }

  // Run by the end notification (the main window hides the break window's deletion label).
  std::function<void()> poZakonczeniuUsuwania;

 private:
  PoczmistrzGlownej& poczta_;
  StarterUsuwania& starter_;
  uint8_t zadania_ = 0;
  std::unique_ptr<ZadanieUsuwania> watek_;
};
