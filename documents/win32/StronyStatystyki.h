#pragma once
// The pages of the statistics window, one class each: work time per day (TStronaDzienna), the
// month grid (TStronaGrafiku), work time per month (TStronaMiesieczna) and the monitored
// documents (TStronaDokumentow). A page is a child window over the notebook's page area
// (win::Form::CreatePage) that holds its controls and their handlers, lays them out when it is
// sized and loads and stores its part of OpcjeStatystyki; the window only runs the order. Every
// page shows the data the window read once, at creation (DaneStatystyki).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "documents/Statystyka.h"
#include "documents/win32/Wykres.h"

// The system's short date of a date-time.
std::string DataSystemowa(double data);

// The notebook's page colour (white under a theme), which the pages paint under their controls.
class TloStron {
 public:
  TloStron() = default;
  ~TloStron();
  TloStron(const TloStron&) = delete;
  TloStron& operator=(const TloStron&) = delete;

  void UstawZakladki(HWND zakladki) { zakladki_ = zakladki; }
  // The page brush, with the DC's background colour set to it.
  HBRUSH Pedzel(HDC dc);
  // The theme or the system colours changed: the colour is taken again when next needed.
  void Zapomnij();

 private:
  HWND zakladki_ = nullptr;
  HBRUSH pedzel_ = nullptr;
  COLORREF kolor_ = 0;
};

class TStronaStatystyki : public win::Form {
 public:
  // Its part of the stored options.
  virtual void WczytajOpcje(const StatisticsOptions&) {}
  virtual void ZapiszOpcje(StatisticsOptions&) const {}
  // The page's help context for the page and every control on it (once the controls exist).
  void UstawKontekstPomocy();

 protected:
  // A hidden page of the window `form`, the notebook's page number `numer`.
  TStronaStatystyki(HWND form, int numer, const DaneStatystyki& dane, TloStron& tlo);

  // Places the controls within the page's client area less its margin (pixels).
  virtual void Uloz(const RECT& obszar) = 0;
  RECT Obszar() const;
  // Lays the controls out again and repaints the whole page, so that a moved control leaves
  // nothing of itself behind (the group box paints no inside).
  void Rozmiesc();
  // Hover texts change on every move of the mouse: only a text that differs is set.
  static void UstawTekst(const win::Control& etykieta, const std::string& tekst);

  // The page colour under the controls, and behind the statics and buttons on it.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;
  void OnSize(int, int) override { Rozmiesc(); }

  const DaneStatystyki& dane_;

 private:
  void WymazTlo(HDC dc);

  TloStron& tlo_;
  int numer_;
};

// A page around one chart with its two scroll buttons: a press scrolls at once and every
// kOkresPrzewijania ms until the button is released; a click from the keyboard scrolls one step.
// The mouse wheel anywhere on the page scrolls the chart.
class TStronaWykresu : public TStronaStatystyki {
 public:
  TWykres& Wykres() { return *wykres_; }
  const TWykres& Wykres() const { return *wykres_; }
  // What the chart reports under the pointer: the bar (seria, punkt), or (-1, -1) for none.
  virtual void WykresMouseMove(int seria, int punkt) = 0;

  static constexpr UINT_PTR kTimerPrzewijania = 1;
  static constexpr UINT kOkresPrzewijania = 50;

 protected:
  TStronaWykresu(HWND form, int numer, const DaneStatystyki& dane, TloStron& tlo, const std::string& nazwaWykresu);

  // The buttons przedrostek + "DoTylu" and przedrostek + "DoPrzodu".
  void DodajPrzewijanie(const std::string& przedrostek, const std::string& podpisTylu);
  void UlozWykres(int x, int y, int szerokosc, int wysokosc);
  // The scroll buttons side by side, ending at the right and bottom edges given.
  void UlozPrzewijanie(int prawa, int dol);
  bool OnTimer(UINT_PTR id) override;
  bool OnMouse(UINT msg, POINT at, WPARAM keys) override;

 private:
  static LRESULT CALLBACK PrzyciskProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void Wcisniety(HWND przycisk);
  // Released, or the capture lost.
  void Zwolniony();
  void Krok(int kierunek);
  void KlikniecieZKlawiatury(int kierunek);

  std::unique_ptr<TWykres> wykres_;
  win::Button doTylu_, doPrzodu_;
  int przytrzymany_ = 0;     // the button held down: -1 back, 1 forward
  // A button's release is being handled: the click it reports comes from a mouse press, which has
  // scrolled already. Only while the release runs, so an interrupted press leaves nothing behind.
  bool puszczanie_ = false;
};

// What sets the two work-time pages apart, besides their data.
struct OpisStronyCzasu {
  int numer;  // in the notebook
  // The controls' names.
  const char* wykres;
  const char* opis;
  const char* polaczenia;
  const char* kopiuj;
  const char* przewijanie;  // prefix of the scroll buttons
  const char* podpisTylu;
  // Their part of the stored options.
  bool StatisticsOptions::*gradient;
  bool StatisticsOptions::*pokazPolaczenia;
  // The hover text of a work bar, from its label and hours.
  std::string (*tekstPracy)(const std::string& etykieta, double godziny);
};

// Work time per day or per month: the chart, the hover text, the connections switch, "Kopiuj"
// and the scroll buttons, laid out alike.
class TStronaCzasuPracy : public TStronaWykresu {
 public:
  void WczytajOpcje(const StatisticsOptions& o) override;
  void ZapiszOpcje(StatisticsOptions& o) const override;
  void chbPolaczeniaModemoweClick();
  // The chart to the clipboard as a bitmap and its numbers as text; a failure is told.
  bool cmdKopiujClick();
  void WykresMouseMove(int seria, int punkt) override;

 protected:
  TStronaCzasuPracy(HWND form, const DaneStatystyki& dane, TloStron& tlo, const OpisStronyCzasu& opis);

  // The chart's series, with the connection bars or without.
  virtual wykres::Dane DaneWykresu(bool polaczenia) const = 0;
  // The text of the n-th connection bar; nullopt (reported) when no entry is behind it.
  virtual std::optional<std::string> TekstPolaczen(int n) const = 0;

  void BudujWykres();
  void Uloz(const RECT& a) override;

  const std::string separator_;  // the system's decimal separator

 private:
  const OpisStronyCzasu& opis_;
  win::Control labOpis_;
  win::CheckBox chbPolaczenia_;
  win::Button cmdKopiuj_;
};

// "Czas pracy - dziennie": a bar per day entry, the connections beside them.
class TStronaDzienna : public TStronaCzasuPracy {
 public:
  TStronaDzienna(HWND form, const DaneStatystyki& dane, TloStron& tlo);

 protected:
  wykres::Dane DaneWykresu(bool polaczenia) const override;
  std::optional<std::string> TekstPolaczen(int n) const override;
};

// "Czas pracy - miesięcznie": a bar per month; a rectangle dragged over the chart zooms into it.
class TStronaMiesieczna : public TStronaCzasuPracy {
 public:
  TStronaMiesieczna(HWND form, const DaneStatystyki& dane, TloStron& tlo);

 protected:
  wykres::Dane DaneWykresu(bool polaczenia) const override;
  std::optional<std::string> TekstPolaczen(int n) const override;
};

class TSiatkaMiesiaca;

// "Czas pracy - grafik": a month of days with their hours as squares and their exact times; the
// month shown changes with the buttons, and on the grid (it takes the focus) with the arrows,
// Page Up and Page Down and the wheel; Home and End go to the first month of the archive and to
// today's; Ctrl+C copies the grid as a picture and its days as text. Each month is read from the
// archive when it is shown.
class TStronaGrafiku : public TStronaStatystyki {
 public:
  TStronaGrafiku(HWND form, const DaneStatystyki& dane, TloStron& tlo);
  ~TStronaGrafiku() override;

  void cmdPoprzedniMiesiacClick();
  void cmdNastepnyMiesiacClick();
  void PokazMiesiac(double data);  // the month holding the date
  void PierwszyMiesiac();          // of the first day entry
  void OstatniMiesiac();           // today's
  double WyswietlanyMiesiac() const { return miesiac_; }  // its first day
  const MonthGrid& MonthCells() const { return komorki_; }
  HWND Siatka() const;
  // The grid to the clipboard: its picture and its days' hours; a failure is told.
  bool KopiujSiatke();
  // Paints the grid into a DC of its size (the control and the copy).
  void RysujSiatke(HDC dc, int szerokosc, int wysokosc) const;

 protected:
  void Uloz(const RECT& a) override;
  bool OnMouse(UINT msg, POINT at, WPARAM keys) override;

 private:
  void WczytajMiesiac();

  double miesiac_ = 0;
  MonthGrid komorki_;
  std::unique_ptr<TSiatkaMiesiaca> grdMiesiac_;
  win::Button cmdPoprzedniMiesiac_, cmdNastepnyMiesiac_;
  win::Control labMiesiacRok_;
};

class TDzielnik;

// "Dokumnety": the checked documents' times as bars, a check list of the monitored documents in
// a panel on the right, and a splitter between them.
class TStronaDokumentow : public TStronaWykresu {
 public:
  TStronaDokumentow(HWND form, const DaneStatystyki& dane, TloStron& tlo);
  ~TStronaDokumentow() override;
  void WczytajOpcje(const StatisticsOptions& o) override;
  void ZapiszOpcje(StatisticsOptions& o) const override;

  const std::vector<statystyka::PozycjaDokumentu>& ListaDokumentow() const { return lista_; }
  void UstawZaznaczenie(int pozycja, bool zaznaczona);
  void PrzelaczZaznaczenie(int pozycja);
  void cmdWszystkieClick();
  void WykresMouseMove(int seria, int punkt) override;
  int SzerokoscPanelu() const { return szerokoscPanelu_; }

 protected:
  void Uloz(const RECT& a) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  void OnDpiApplied(int oldDpi) override;  // the panel keeps its width at the new scale

 private:
  static LRESULT CALLBACK ListaProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void BudujWykres();
  void RysujPozycje(const DRAWITEMSTRUCT& d) const;
  void PrzesunDzielnik(int x);

  std::vector<statystyka::PozycjaDokumentu> lista_;
  int szerokoscPanelu_ = 211;  // pixels
  win::Control podpisy_[3], opisy_[3];  // labDokument, labCzasDzialania, labOstatniZapis
  win::Control panDokumenty_;
  win::ListBox chlMonitorowaneDokumenty_;
  win::Button cmdWszystkie_;
  std::unique_ptr<TDzielnik> dzielnik_;
};
