#pragma once
// The question window TfrmCzyMonitorowac: "Czy monitorować poniższy dokument?" with the title,
// "Tak" and "Nie". Non-modal, single instance; the main window frees it on the release message
// (window code 3).
#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/Window.h"

class TDokumenty;

class TfrmCzyMonitorowac : public win::Window {
 public:
  TfrmCzyMonitorowac(TDokumenty& dokumenty, HWND glowne);
  ~TfrmCzyMonitorowac() override;

  // Puts the title in and shows the window in front without taking the keyboard from the
  // program the user types in (a key pressed there must not answer the question).
  void Pokaz(const std::string& tytul);

  void cmdTakClick();
  void cmdNieClick();

  HWND labDokument() const { return labDokument_; }
  HWND cmdTak() const { return cmdTak_; }
  HWND cmdNie() const { return cmdNie_; }

  static constexpr int kSzerokosc = 420, kWysokosc = 160;  // client area

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void Zamknij();

  TDokumenty& dokumenty_;
  HWND glowne_;
  std::string tytul_;
  HWND imgObrazek_ = nullptr, label1_ = nullptr, labDokument_ = nullptr, cmdTak_ = nullptr, cmdNie_ = nullptr;
  HFONT font_ = nullptr, fontNaglowka_ = nullptr;
  bool zamkniete_ = false;
};

// Asks about a title: creates the window when `okno` is empty, then labels and shows it.
void AskWhetherToMonitor(std::unique_ptr<TfrmCzyMonitorowac>& okno, TDokumenty& dokumenty, HWND glowne,
                         const std::string& tytul);
