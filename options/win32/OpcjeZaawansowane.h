#pragma once
// "Opcje zaawansowane": the monitoring and saving frequencies, the rollover hour and the longest
// gap of the limits record.
#include <windows.h>

#include <functional>

#include "common/win32/Window.h"
#include "options/OpcjeZaawansowane.h"

class TInfoSaver;

class TfrmOpcjeZaawansowane : public win::Window {
 public:
  // poZapisie runs after "OK" stored the record (the main window re-times its monitoring).
  TfrmOpcjeZaawansowane(TInfoSaver& infoSaver, std::function<void()> poZapisie);
  ~TfrmOpcjeZaawansowane() override;

  // Modal; IDOK when the record was stored.
  int Pokaz(HWND wlasciciel);
  void cmdOkClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  PolozeniaZaawansowane Polozenia();
  void PokazCzestotliwosc();

  TInfoSaver& infoSaver_;
  std::function<void()> poZapisie_;
  LimitsRecord kopia_;
  PolozeniaZaawansowane poczatkowe_;
};
