#pragma once
// Work-time accounting: today's counters, the working/break state, the limits that decide the
// warnings, the day's map of five-minute slots, and the document lists. State lives in the
// registry values TodayInfo and Ustawienia so that a restart during the day continues the day.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/Globalne.h"
#include "common/Tekstowe.h"
#include "documents/Archiwum.h"
#include "documents/MonitorowanieDokumentow.h"

class TDebugger;

// Warning codes of the advance.
enum WarningCode : int {
  wcBrak = 0, wcPrzerwaNalezna = 1, wcPrzerwaWystarczajaca = 2, wcKoniecPracy = 3, wcWygaszaczWylaczony = 4
};

// What a monitoring tick asks the windows to show: a warning code and the documents whose
// question is due.
struct WynikTiku {
  WarningCode kod = wcBrak;
  std::vector<std::string> pytania;
};

// The day as the work-time windows show it: a copy of the accounting's counters at one moment.
struct StanDnia {
  int32_t praca = 0;
  int32_t nieprzerwanaPraca = 0;
  int32_t przerwa = 0;
  int32_t przerwyDzis = 0;
  bool wPrzerwie = false;
  std::array<uint8_t, TodayRecord::kSloty> aktywnosc{};
  LimitsRecord limity;
  double terazDniaPracy = 0;  // work-day time now
  bool PrzerwaWystarczajaca() const { return przerwa > limity.caDlugoscPrzerwy; }
};

// The work-day time: moved back one day while the hour is below the rollover hour.
double CzasDniaPracy(double now, int godzinaPrzelaczenia);
// Slot number 1..288 of a date-time's time of day.
int NumerSlotu(double dateTime);

class TInfoSaver {
 public:
  // Reads or creates its registry values and loads the document lists (file names from pliki).
  // The log may be null.
  TInfoSaver(const PlikiDanych& pliki, TDebugger* log);
  ~TInfoSaver();  // saves today's record and the monitored documents
  TInfoSaver(const TInfoSaver&) = delete;
  TInfoSaver& operator=(const TInfoSaver&) = delete;

  // One monitoring tick at the time `teraz`, with the program's filter characters of window titles.
  WynikTiku ZwiekszWskazniki(double teraz, const std::string& znakiFiltrujace);

  int32_t CzasNieprzerwanejPracy() const { return dzis_.caNieprzerwanejPracy; }
  int32_t CzasPrzerwy() const { return dzis_.caPrzerwy; }
  int32_t CzasPracy() const { return dzis_.caPraca; }
  int32_t CzasPrzerwDzis() const { return dzis_.caPrzerwDzis; }
  int32_t CzasMonitorowania() const { return dzis_.caMonitorowania; }
  bool WPrzerwie() const { return wPrzerwie_; }
  bool PrzerwaWystarczajaca() const { return dzis_.caPrzerwy > limity_.caDlugoscPrzerwy; }

  // What started the running break; it decides what ends it.
  enum class Powod { Brak, Uzytkownik, Wygaszacz, Bezczynnosc, Blokada, Uspienie };
  Powod PowodPrzerwy() const { return powod_; }

  // The screen saver started after delay seconds without input.
  void WygaszaczWlaczony(int32_t opoznienie);
  // The screen saver stopped: the break ends unless the session is locked or asleep.
  void WygaszaczWylaczony();
  // The user ended the break window.
  void ZakonczPrzerwe();
  // User-started break.
  void RozpocznijPrzerwe();
  // Seconds without keyboard or mouse input that start a natural break (the tick reads the last
  // input); 0 switches idle breaks off.
  void UstawProgBezczynnosci(int32_t sekundy) { progBezczynnosci_ = sekundy < 0 ? 0 : sekundy; }
  int32_t ProgBezczynnosci() const { return progBezczynnosci_; }
  // The session was locked (a break begins) or unlocked (a locked break ends).
  void SesjaZablokowana(bool zablokowana);
  // The computer goes to sleep (a break begins) or woke up (a break of sleep ends; one of a
  // session still locked waits for the unlock).
  void Uspienie(bool usypia);

  StanDnia Stan() const;
  LimitsRecord DajLimity() const { return limity_; }
  void UstawLimity(const LimitsRecord& limity);  // and writes Ustawienia
  std::array<uint8_t, TodayRecord::kSloty> DajAktywnosc() const { return dzis_.Aktywnosc; }
  const TodayRecord& Dzis() const { return dzis_; }
  // The archive entry of the running day: stamp and work seconds.
  double DataZapisu() const { return dzis_.dtZapisu; }

  // Documents (documents/MonitorowanieDokumentow).
  void DodajMonitorwanyDokument(const std::string& nazwa) { dokumenty_.DodajMonitorwanyDokument(nazwa); }
  void UsunMonitorowanyDokument(const std::string& nazwa) { dokumenty_.UsunMonitorowanyDokument(nazwa); }
  bool IsMonitoredDocument(const std::string& nazwa) const { return dokumenty_.IsMonitoredDocument(nazwa); }
  void UsunzListyTymczasowychDokumentow(const std::string& nazwa) { dokumenty_.UsunzListyTymczasowychDokumentow(nazwa); }
  void AddDeclinedDocument(const std::string& nazwa) { dokumenty_.AddDeclinedDocument(nazwa); }
  bool IsDeclinedDocument(const std::string& nazwa) const { return dokumenty_.IsDeclinedDocument(nazwa); }
  void NazwyMonitorowanychDokumentow(TStringList& lista) const { dokumenty_.NazwyMonitorowanychDokumentow(lista); }
  TOrganizatorDokumentow& Organizator() { return dokumenty_.Organizator(); }
  const TOrganizatorDokumentow& Organizator() const { return dokumenty_.Organizator(); }
  TStringList& ListaTymczasowa() { return dokumenty_.ListaTymczasowa(); }
  const TStringList& ListaOdrzuconych() const { return dokumenty_.ListaOdrzuconych(); }
  TDokumenty& Dokumenty() { return dokumenty_; }

  // Finished days whose archive record could not be written yet (appended at the next tick).
  const std::vector<ArchiveRecord>& ZaleglyArchiwum() const { return zalegle_; }

  // Work-day time now under the current rollover hour.
  double TerazDniaPracy() const;

 private:
  bool SprawdzNowyDzien(double teraz);  // true when a new working day began
  // A natural break of a reason, the `opoznienie` seconds before now counted as break.
  void PrzerwaNaturalna(Powod powod, int32_t opoznienie, double teraz);
  void KoniecPrzerwy(double teraz);
  int32_t OdPoczatkuDnia(double teraz) const;  // seconds since today's work day began
  // An idle break is due (the tick's one read of the last input); true when it began.
  bool SprawdzBezczynnosc(double teraz);
  bool BylaNowaAktywnosc();  // input since the idle break began
  // Wall-clock seconds since the last tick when they are more than the timer explains (an
  // unannounced sleep), this tick's own time included; 0 otherwise.
  int32_t Luka(double teraz) const;
  void PoliczLuke(int32_t luka, double teraz);
  void ZaznaczPrzerwe(int32_t sekundy, double teraz);
  WarningCode KodOstrzezenia();
  bool CzasNaZapis() const;
  void ZerujDzien(double teraz);
  void ZapiszDzis(double teraz);
  void ZapiszDzis();
  void DopiszZalegle();
  void ZaznaczSlot(int numer, uint8_t wartosc);
  void Log(const std::string& kategoria, const std::string& komunikat);

  PlikiDanych pliki_;
  TDebugger* log_;
  TDokumenty dokumenty_;
  std::vector<ArchiveRecord> zalegle_;
  bool zgloszonoArchiwum_ = false;
  bool wPrzerwie_ = false;
  TodayRecord dzis_;
  LimitsRecord limity_;
  int32_t monitorowanieZapisu_ = 0;  // caMonitorowania at the last save of today's record
  Powod powod_ = Powod::Brak;
  int32_t progBezczynnosci_ = 300;
  uint32_t wejscieWPrzerwie_ = 0;  // the last input's tick count when the idle break began
  bool zablokowana_ = false;
  double ostatniTik_ = 0;  // wall clock of the last tick
};
