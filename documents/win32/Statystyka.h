#pragma once
// The statistics window TfrmStatystyka ("Statystyka"): a notebook of four pages -- work time per
// day, the month grid, work time per month and the monitored documents (documents/win32/
// StronyStatystyki.h) -- over the archive read once, at creation. The window runs the order: the
// notebook and the page shown (also Ctrl+Tab and Ctrl+Shift+Tab), "Eksport..." (the data of
// every page as CSV files into the folder chosen with the save dialog), "Pomoc" and "Zamknij",
// its position, and OpcjeStatystyki, which it reads when it is shown and stores when it goes,
// each page loading and storing its own part. Modal and resizable.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "documents/Statystyka.h"
#include "documents/win32/StronyStatystyki.h"

class TfrmStatystyka : public win::Form {
 public:
  // Reads the archive (the modem log's connections first) and builds the window and its pages.
  explicit TfrmStatystyka(ZrodloStatystyki zrodlo);
  ~TfrmStatystyka() override;

  // Reads and applies OpcjeStatystyki, then shows the window modally until it closes.
  int Pokaz(HWND wlasciciel);
  // Reads OpcjeStatystyki (writing the defaults when missing) and applies it; Pokaz calls it.
  void FormShow();

  void cmdPomocClick();
  void cmdZamknijClick();
  // Asks for the folder with the save dialog (a file name in it; "dni.csv" proposed), asks before
  // replacing files of the three names there, writes them and says where, or what failed.
  void cmdEksportClick();
  // The files into a folder, with the question and the reports of cmdEksportClick; false when
  // nothing or not all was written.
  bool Eksportuj(const std::string& folder);
  void UstawStrone(int strona);
  // The next or the previous page, the focus on its first control (Ctrl+Tab, Ctrl+Shift+Tab).
  void NastepnaStrona(bool wstecz);
  int Strona() const { return strona_; }
  int OstatniKontekstPomocy() const { return kontekstPomocy_; }

  TStronaDzienna& Dziennie() { return *dziennie_; }
  TStronaGrafiku& Grafik() { return *grafik_; }
  TStronaMiesieczna& Miesiecznie() { return *miesiecznie_; }
  TStronaDokumentow& Dokumenty() { return *dokumenty_; }
  const std::vector<ArchiveRecord>& DayEntries() const { return dane_.dni; }
  const std::vector<MonthTotal>& MonthTotals() const { return dane_.miesiace; }

 protected:
  // The smallest size, the options stored as the window goes, and a changed theme.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnNotify(NMHDR* n, LRESULT& result) override;
  void OnSize(int width, int height) override;
  bool OnHelp(const HELPINFO& info) override;
  bool OnClose() override;
  bool PreTranslate(const MSG& msg) override;

 private:
  void FormCreate();
  void DodajZakladki();
  void FormDestroy();
  void UstawPozycje(const std::string& zapisana);
  std::string Pozycja() const;
  void PokazStrone();

  DaneStatystyki dane_;
  TloStron tlo_;  // before the pages, which paint with it
  win::Control zakladki_;
  win::Button cmdEksport_, cmdPomoc_, cmdZamknij_;
  std::unique_ptr<TStronaDzienna> dziennie_;
  std::unique_ptr<TStronaGrafiku> grafik_;
  std::unique_ptr<TStronaMiesieczna> miesiecznie_;
  std::unique_ptr<TStronaDokumentow> dokumenty_;
  std::array<TStronaStatystyki*, statystyka::kStron> strony_{};
  int strona_ = 0;
  int kontekstPomocy_ = 0;
  bool opcjeWczytane_ = false;
};

// The tray command's whole window life: builds the window, shows it modally, frees it.
void PokazStatystyke(HWND wlasciciel, ZrodloStatystyki zrodlo);
