#pragma once
// The options dialog "Opcje": eight pages in a notebook over a draft of the settings, "OK" /
// "Anuluj" / "Pomoc". "OK" checks every page and hands the draft to the core in one call.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/win32/Form.h"
#include "options/win32/StronaOpcji.h"
#include "settings/UstawieniaKalmo.h"

// What the dialog is given besides its draft.
struct OtwarcieOpcji {
  std::string strona;          // caption of the page shown first; empty: the first page
  std::string folderProgramu;  // where the help pages lie
  std::string plikKroniki;     // the chronicle of deleted files
  // The one call into the core: stores the parts of a draft, applies what was stored and says
  // what was not (TGlownaRdzen::ZastosujUstawienia).
  std::function<WynikZapisuUstawien(const UstawieniaKalmo&, uint32_t czesci)> zastosuj;
};

class TfrmOpcje : public win::Form, public DialogOpcji {
 public:
  TfrmOpcje(UstawieniaKalmo szkic, OtwarcieOpcji otwarcie, HWND wlasciciel = nullptr);
  ~TfrmOpcje() override;

  // Modal, above the owner; says once which lists cannot be read. IDOK when "OK" stored the
  // draft, IDCANCEL otherwise.
  int Pokaz();

  // true when every page agreed, everything was stored and the dialog closes.
  bool cmdOkClick();
  void cmdAnulujClick();
  void cmdPomocClick();
  int WybranaStrona() const;
  void WybierzStrone(int indeks);

  // DialogOpcji
  UstawieniaKalmo& Szkic() override { return szkic_; }
  void OpcjeZaawansowane() override;
  const std::string& PlikKroniki() const override { return otwarcie_.plikKroniki; }

 protected:
  bool OnClose() override;
  bool OnHelp(const HELPINFO& info) override;
  bool OnTimer(UINT_PTR id) override;
  void OnDpiApplied(int oldDpi) override;  // the pages fill the notebook's page area again

 private:
  void FormCreate();
  RECT ObszarStron() const;
  // The call into the core; the message of what was not stored. true when everything was.
  bool Zastosuj(const UstawieniaKalmo& u, uint32_t czesci);

  UstawieniaKalmo szkic_;
  UstawieniaKalmo zapisane_;  // as stored: what the advanced options store their fields over
  OtwarcieOpcji otwarcie_;
  HWND wlasciciel_;
  win::Control notes_;
  // After the draft: the pages, which point into it, go first.
  std::array<std::unique_ptr<TStronaOpcji>, kLiczbaStron> strony_;
};

// Opens the options dialog over a draft and returns when it has closed; true when "OK" stored
// it. The caller rebuilds its tray-menu captions.
bool PokazOknoOpcji(HWND wlasciciel, UstawieniaKalmo szkic, OtwarcieOpcji otwarcie);
