#pragma once
// The options dialog "Opcje": eight pages in a notebook, "OK" / "Anuluj" / "Pomoc".
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "common/win32/Window.h"
#include "options/win32/StronaOpcji.h"

class TfrmOpcje : public win::Window {
 public:
  explicit TfrmOpcje(KontekstOpcji kontekst);
  ~TfrmOpcje() override;

  // Caption of the page shown first; empty shows the first page.
  std::string StronaStartowa;

  // Modal; IDOK when every page was stored, IDCANCEL otherwise.
  int Pokaz(HWND wlasciciel);

  // true when every page was stored and the dialog closes.
  bool cmdOkClick();
  void cmdAnulujClick();
  void cmdPomocClick();
  int WybranaStrona() const;
  void WybierzStrone(int indeks);

  static HFONT Czcionka();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();

  KontekstOpcji kontekst_;
  HWND notes_ = nullptr;
  std::array<std::unique_ptr<TStronaOpcji>, kLiczbaStron> strony_;
};

// Opens the options dialog on a page (a page caption, empty for the first) and returns when it
// has closed; true when "OK" stored the settings. The caller rebuilds its tray-menu captions.
bool PokazOknoOpcji(HWND wlasciciel, const std::string& strona, KontekstOpcji kontekst);
