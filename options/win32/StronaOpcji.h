#pragma once
// One page of the options dialog: a child window over the notebook's page area, holding the
// page's controls, bound to the dialog's draft of the settings (StronaOpcji). A page reaches
// nothing but the draft and what the dialog offers (DialogOpcji).
#include <windows.h>

#include <optional>
#include <string>

#include "common/win32/Form.h"
#include "options/Opcje.h"
#include "settings/UstawieniaKalmo.h"

// What a page may ask of the dialog that holds it.
class DialogOpcji {
 public:
  virtual ~DialogOpcji() = default;
  // The draft the pages edit; it outlives every page.
  virtual UstawieniaKalmo& Szkic() = 0;
  // "Opcje zaawansowane", above the dialog: they store at once, and the draft keeps what they
  // stored.
  virtual void OpcjeZaawansowane() = 0;
  // The chronicle of deleted files, which the page "Pliki Tymczasowe" shows and deletes.
  virtual const std::string& PlikKroniki() const = 0;
};

class TStronaOpcji : public win::Form, public StronaOpcji {
 public:
  // Creates the hidden page window inside the dialog at the page rectangle.
  TStronaOpcji(HWND dialog, const RECT& obszar, const std::string& nazwa, DialogOpcji& opcje);

  std::optional<std::string> Sprawdz() override { return std::nullopt; }

 protected:
  UstawieniaKalmo& Szkic() { return opcje_.Szkic(); }
  // The dialog: the owner of every window a page opens.
  HWND Okno() const { return GetAncestor(Hwnd(), GA_ROOT); }

  DialogOpcji& opcje_;
};
