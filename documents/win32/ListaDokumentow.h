#pragma once
// The monitored-document list TfrmListaDokumentow ("Lista monitorowanych dokumentów"): the open
// document windows or every monitored document, with the open and monitored markers, and the
// switching of a document's monitoring. Non-modal, on top, single instance; the main window
// frees it on the release message (window code 2).
#include <windows.h>

#include <string>

#include "common/Tekstowe.h"
#include "common/win32/Window.h"

class TDokumenty;

class TfrmListaDokumentow : public win::Window {
 public:
  TfrmListaDokumentow(TDokumenty& dokumenty, std::string znakiFiltrujace, HWND glowne);
  ~TfrmListaDokumentow() override;

  void Pokaz();

  void cmdWyswietlTylkoUruchomioneClick();
  void cmdMonitorujDokumentClick();
  // The items as the list holds them now.
  TStringList Pozycje() const;

  HWND lstDokumenty() const { return lstDokumenty_; }
  HWND cmdMonitorujDokument() const { return cmdMonitorujDokument_; }
  HWND cmdWyswietlTylkoUruchomione() const { return cmdWyswietlTylkoUruchomione_; }

  static constexpr int kSzerokosc = 560, kWysokosc = 300;  // client area at the start

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void Wypelnij(bool pelny);
  void Uloz(int szerokosc, int wysokosc);
  void RysujPozycje(const DRAWITEMSTRUCT& di);
  void Zamknij();
  static LRESULT CALLBACK ListaProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

  TDokumenty& dokumenty_;
  std::string znaki_;
  HWND glowne_;
  HWND lstDokumenty_ = nullptr, panPrzyciski_ = nullptr, imgOtwarty_ = nullptr, imgMonitorowany_ = nullptr;
  HWND cmdMonitorujDokument_ = nullptr, cmdWyswietlTylkoUruchomione_ = nullptr, podpowiedzi_ = nullptr;
  HFONT font_ = nullptr;
  HBITMAP glifMonitoruj_ = nullptr, glifWidok_ = nullptr;
  int wysokoscPozycji_ = 16;
  bool zamkniete_ = false;
};
