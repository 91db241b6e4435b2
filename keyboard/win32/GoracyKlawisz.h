#pragma once
// The hotkey dialog TfrmGoracyKlawisz: one binding, a key and a task (with a program for the
// run-a-program task). The options dialog opens it through NowyGoracyKlawisz and
// EdytujGoracyKlawisz.
#include <windows.h>

#include <string>

#include "common/Tekstowe.h"
#include "common/win32/Form.h"

class TfrmGoracyKlawisz : public win::Form {
 public:
  bool Edycja = false;  // true: edit Linia; false: add a new binding
  std::string Linia;    // the hotkey line: input when editing, the result in both modes

  // Shows the dialog modally; Linia holds the result (empty when cancelled).
  int Pokaz(HWND owner);

  void cmdOkClick();
  void cmdAnulujClick();
  void cmdSzukajProgramuClick();
  void cmbRozkazyChange();

 protected:
  bool OnClose() override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;

 private:
  void FormCreate();
  void FormShow();
  void UstawTekstPozycji(int i, const std::string& tekst);
  // Asks for a program; on confirmation it goes into the run-a-program item, which is selected.
  void WybierzProgram(const std::string& folder, const std::string& plik);

  win::Control hkHotKey_;
  win::ComboBox cmbRozkazy_;
  win::Button cmdSzukajProgramu_;
  int ostatnia_ = -1;  // the item whose choice was last acted on
};

// Adds a binding: the new hotkey line, empty when cancelled.
std::string NowyGoracyKlawisz(HWND owner = nullptr);
// Edits the binding of a line: the changed line, empty when cancelled.
std::string EdytujGoracyKlawisz(const std::string& linia, HWND owner = nullptr);
