#pragma once
// The question window TfrmCzyMonitorowac: "Czy monitorować poniższy dokument?" with the title,
// "Tak" and "Nie". Non-modal, single instance; the main window frees it on the release message
// (window code 3).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win32/Form.h"
#include "documents/ListaDokumentow.h"

using OdpowiedzNaPytanieFn = std::function<void(const std::string& tytul, bool monitorowac)>;

class TfrmCzyMonitorowac : public win::Form {
 public:
  TfrmCzyMonitorowac(OdpowiedzNaPytanieFn odpowiedz, HWND glowne);
  ~TfrmCzyMonitorowac() override;

  // Puts the title in and shows the window in front without taking the keyboard from the
  // program the user types in (a key pressed there must not answer the question).
  void Pokaz(const std::string& tytul);

  void cmdTakClick();
  void cmdNieClick();

  HWND labDokument() const { return labDokument_.Hwnd(); }
  HWND cmdTak() const { return cmdTak_.Hwnd(); }
  HWND cmdNie() const { return cmdNie_.Hwnd(); }

  static constexpr int kSzerokosc = 420, kWysokosc = 160;  // client area

 protected:
  // WM_ACTIVATE: "Tak" takes the focus when the user turns to the window.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  // The close box answers nothing: the candidate stays and is asked about again.
  bool OnClose() override;

 private:
  void FormCreate();
  void Zamknij();

  OdpowiedzNaPytanieFn odpowiedz_;
  HWND glowne_;
  std::string tytul_;
  win::Control imgObrazek_, labDokument_;
  win::Button cmdTak_, cmdNie_;
  bool zamkniete_ = false;
};

// Asks about a title: creates the window when `okno` is empty, then labels and shows it.
void AskWhetherToMonitor(std::unique_ptr<TfrmCzyMonitorowac>& okno, const OdpowiedzNaPytanieFn& odpowiedz,
                         HWND glowne, const std::string& tytul);
