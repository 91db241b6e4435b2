#pragma once
// The monitored-document list TfrmListaDokumentow ("Lista monitorowanych dokumentów"): the open
// document windows or every monitored document, with the open and monitored markers, and the
// switching of a document's monitoring. Non-modal, on top, single instance; the main window
// frees it on the release message (window code 2).
#include <windows.h>

#include <string>

#include "common/Tekstowe.h"
#include "common/win32/Form.h"
#include "documents/ListaDokumentow.h"

class TfrmListaDokumentow : public win::Form {
 public:
  TfrmListaDokumentow(ZrodloDokumentow dokumenty, HWND glowne);
  ~TfrmListaDokumentow() override;

  void Pokaz();

  void cmdWyswietlTylkoUruchomioneClick();
  void cmdMonitorujDokumentClick();
  // The items as the list holds them now.
  TStringList Pozycje() const;

  HWND lstDokumenty() const { return lstDokumenty_.Hwnd(); }
  HWND cmdMonitorujDokument() const { return cmdMonitorujDokument_.Hwnd(); }
  HWND cmdWyswietlTylkoUruchomione() const { return cmdWyswietlTylkoUruchomione_.Hwnd(); }

  static constexpr int kSzerokosc = 560, kWysokosc = 300;  // client area at the start

 protected:
  // The smallest size; the rest goes to the typed handlers.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnSize(int width, int height) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  bool OnClose() override;

 private:
  void FormCreate();
  void DodajPrzyciski();
  void Wypelnij(bool pelny);
  void RysujPozycje(const DRAWITEMSTRUCT& d) const;
  void Zamknij();

  ZrodloDokumentow dokumenty_;
  HWND glowne_;
  win::ListBox lstDokumenty_;
  win::Control panPrzyciski_, imgOtwarty_, imgMonitorowany_;
  win::Button cmdMonitorujDokument_;
  win::CheckBox cmdWyswietlTylkoUruchomione_;  // a push-like toggle: down shows every document
  HBITMAP glifMonitoruj_ = nullptr, glifWidok_ = nullptr;
  bool zamkniete_ = false;
};
