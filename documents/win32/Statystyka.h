#pragma once
// The statistics window TfrmStatystyka ("Statystyka"): four pages -- work time per day, the
// month grid, work time per month and the monitored documents -- over the archive read at
// creation (the month grid reads it again for each month shown). Modal, resizable; its page,
// position, gradients, connection boxes and the document panel's width are kept in
// OpcjeStatystyki.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/Window.h"
#include "documents/Statystyka.h"
#include "documents/Archiwum.h"
#include "documents/win32/Wykres.h"

// What the window is built from.
struct ZrodloStatystyki {
  std::string plikArchiwum;
  std::vector<DocumentRecord> dokumenty;  // the organizer's records, in its order
  int32_t dzisSekundy = 0;                // today's work counter
  int32_t limitSekund = 6 * 3600;         // the daily work limit
  double dzis = 0;                        // work-day time now: its date is today's entry
  int godzinaPrzelaczenia = 4;            // the rollover hour, for the modem log's connections
};

class TStronaStatystyki;

class TfrmStatystyka : public win::Window {
 public:
  explicit TfrmStatystyka(ZrodloStatystyki zrodlo);
  ~TfrmStatystyka() override;

  // Reads and applies OpcjeStatystyki, then shows the window modally until it closes.
  int Pokaz(HWND wlasciciel);
  // Reads OpcjeStatystyki (writing the defaults when missing) and applies it; Pokaz calls it.
  void FormShow();

  // Handlers, public for the tests.
  void chbPolaczeniaModemoweDziennieClick();
  void chbPolaczeniaModemoweMiesiecznieClick();
  void cmdPoprzedniMiesiacClick();
  void cmdNastepnyMiesiacClick();
  void cmdWszystkieClick();
  void cmdPomocClick();
  void cmdZamknijClick();
  void chtCzasPracyMouseMove(int seria, int punkt);
  void chtCzasPracyMiesiecznieMouseMove(int seria, int punkt);
  void chtDokumentyMouseMove(int seria, int punkt);
  void PrzyciskWcisniety(const std::string& nazwa);  // a scroll button pressed
  // Released (koniecKlikniecia: after the button has reported its click) or capture lost.
  void PrzyciskZwolniony(bool koniecKlikniecia = true);
  void TimerTimer();
  void mnuGradientClick(int menu);  // 0 daily, 1 monthly, 2 documents
  void UstawZaznaczenie(int pozycja, bool zaznaczona);  // a check mark of the document list
  void PrzelaczZaznaczenie(int pozycja);
  void UstawStrone(int strona);
  bool KopiujWykres(int wykres);  // 0 daily, 1 monthly

  int Strona() const { return strona_; }
  double WyswietlanyMiesiac() const { return miesiac_; }
  const std::vector<ArchiveRecord>& DayEntries() const { return dni_; }
  const std::vector<MonthTotal>& MonthTotals() const { return miesiace_; }
  const MonthGrid& MonthCells() const { return komorki_; }
  const std::vector<statystyka::PozycjaDokumentu>& ListaDokumentow() const { return lista_; }
  TWykres* chtCzasPracy() { return chtCzasPracy_.get(); }
  TWykres* chtCzasPracyMiesiecznie() { return chtMiesiecznie_.get(); }
  TWykres* chtDokumenty() { return chtDokumenty_.get(); }
  HMENU MenuGradientu(int i) const { return menu_[i]; }
  int OstatniKontekstPomocy() const { return kontekstPomocy_; }
  std::string PrzytrzymanyPrzycisk() const { return przytrzymany_; }

  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kOkresTimera = 50;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void PrzepiszPlikArchiwum();
  void WczytajCzasyPracyDlaMiesiaca();
  void BudujWykresDzienny();
  void BudujWykresMiesieczny();
  void BudujWykresDokumentow();
  void Rozmiesc();
  void PokazStrone();
  void RysujSiatke(HDC dc);
  void RysujPozycje(const DRAWITEMSTRUCT& di);
  void FormDestroy();
  HWND Przycisk(const std::string& nazwa, int id, const std::string& podpis, int strona);
  HWND Etykieta(const std::string& nazwa, int id, const std::string& tekst, int strona, DWORD styl = SS_LEFT);
  TWykres* Wykres(int i);
  HWND Strona(int strona) const;  // the page's window (the form for -1)
  COLORREF KolorStrony();

  ZrodloStatystyki zrodlo_;
  std::vector<ArchiveRecord> dni_;
  std::vector<MonthTotal> miesiace_;
  MonthGrid komorki_;
  std::vector<statystyka::PozycjaDokumentu> lista_;
  bool archiwumWczytane_ = false;  // false: the file was missing (and reported) at creation
  double miesiac_ = 0;      // first day of the displayed month
  double cenaGrosz_ = 23.18;
  int strona_ = 0;
  int szerokoscPanelu_ = 211;
  std::string przytrzymany_;  // the scroll button held down
  bool klikMysza_ = false;    // the click being reported came from a mouse press (already scrolled)
  int kontekstPomocy_ = 0;
  bool opcjeWczytane_ = false;
  bool dzieli_ = false;  // the splitter is being dragged
  std::string separator_ = ",";

  HFONT font_ = nullptr, fontNaglowka_ = nullptr;
  HWND Zkaladki_ = nullptr;
  std::unique_ptr<TWykres> chtCzasPracy_, chtMiesiecznie_, chtDokumenty_;
  HWND labCzasPracy_ = nullptr, chbDziennie_ = nullptr, cmdKopiujCzasPracy_ = nullptr;
  HWND cmdCzasPracyDoTylu_ = nullptr, cmdCzasPracyDoPrzodu_ = nullptr;
  HWND cmdPoprzedniMiesiac_ = nullptr, labMiesiacRok_ = nullptr, cmdNastepnyMiesiac_ = nullptr, grdMiesiac_ = nullptr;
  HWND labCzasPracyMiesiecznie_ = nullptr, chbMiesiecznie_ = nullptr, cmdMiesiaceCopy_ = nullptr;
  HWND cmdMiesiecznieDoTylu_ = nullptr, cmdMiesiecznieDoPrzodu_ = nullptr;
  HWND podpisy_[3] = {};
  HWND labDokument_ = nullptr, labCzasDzialania_ = nullptr, labOstatniZapis_ = nullptr;
  HWND cmdDokumentyDoTylu_ = nullptr, cmdDokumentyDoPrzodu_ = nullptr;
  HWND panDokumenty_ = nullptr, chlMonitorowaneDokumenty_ = nullptr, cmdWszystkie_ = nullptr;
  HWND cmdPomoc_ = nullptr, cmdZamknij_ = nullptr, podpowiedz_ = nullptr;
  HMENU menu_[3] = {};
  HBRUSH tloStrony_ = nullptr;
  COLORREF kolorStrony_ = 0;
  std::vector<HWND> strony_[4];
  std::unique_ptr<TStronaStatystyki> strony_okna_[4];
  RECT dzielnik_{};
};

// The tray command's whole window life: builds the window, shows it modally, frees it.
void PokazStatystyke(HWND wlasciciel, ZrodloStatystyki zrodlo);
