#pragma once
// "Opcje zaawansowane": the monitoring and saving frequencies, the rollover hour and the longest
// gap of the limits record, and the idle time that starts a break. They store at once, through
// the options dialog.
#include <windows.h>

#include <functional>

#include "common/win32/Form.h"
#include "options/OpcjeZaawansowane.h"

class TfrmOpcjeZaawansowane : public win::Form {
 public:
  // Stores the fields the user changed, from where the controls started to where they are; false
  // (the reason told) keeps the form open.
  using Zapis = std::function<bool(const PolozeniaZaawansowane& poczatkowe, const PolozeniaZaawansowane& teraz)>;

  // The form over the draft's fields, owned by `wlasciciel` (the options dialog).
  TfrmOpcjeZaawansowane(HWND wlasciciel, const UstawieniaKalmo& szkic, Zapis zapisz);

  // Modal, above the owner; IDOK when the fields were stored.
  int Pokaz();
  void cmdOkClick();
  void cmdAnulujClick();

 protected:
  bool OnScroll(HWND bar, int code, bool vertical) override;
  bool OnClose() override;

 private:
  PolozeniaZaawansowane Polozenia() const;

  HWND wlasciciel_;
  LimitsRecord limity_;
  Zapis zapisz_;
  PolozeniaZaawansowane poczatkowe_;
  win::Control labCzestotliwosc_;
  win::Slider suwMonitorowanie_, suwZapisywanie_;
  win::SpinBox spnGodzina_, spnPrzerwa_;
  win::ComboBox cmbBezczynnosc_;
};
