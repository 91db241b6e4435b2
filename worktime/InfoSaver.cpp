#include "worktime/InfoSaver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "settings/uDebugger.h"
#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "documents/Archiwum.h"
#include "platform/Platform.h"

namespace {

// Counters add in 64 bits and keep the low 32, so that a damaged record cannot overflow.
void Dodaj(int32_t& licznik, int64_t ile) {
  licznik = static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(licznik) + ile));
}

}  // namespace

double CzasDniaPracy(double now, int godzinaPrzelaczenia) {
  return datetime::Decode(now).hour < godzinaPrzelaczenia ? now - 1.0 : now;
}

int NumerSlotu(double dateTime) {
  const datetime::Parts p = datetime::Decode(dateTime);
  return std::clamp((p.hour * 60 + p.minute) / 5 + 1, 1, TodayRecord::kSloty);
}

TInfoSaver::TInfoSaver(const PlikiDanych& pliki, TDebugger* log)
    : pliki_(pliki), log_(log), dokumenty_(pliki.dokumenty, pliki.zastrzezone) {
  dokumenty_.WczytajOdrzucone();

  if (!ZmiennaRejestrowaIstnieje(kKluczKalmo, wartosc::TodayInfo)) {
    // First run: the values must exist before anything saves them.
    if (!platform::Reg().KeyExists(platform::Root::CurrentUser, kKluczKalmo)) {
      PokazBlad("TInfoSaver.UtworzZmienneRejestrowe", "Nie mogę otworzyć klucza.");
    } else {
      const auto dzis = dzis_.ToBytes();
      const auto limity = limity_.ToBytes();
      CreateRegistryBinary(kKluczKalmo, wartosc::TodayInfo, dzis.data(), static_cast<int>(dzis.size()));
      CreateRegistryBinary(kKluczKalmo, wartosc::Ustawienia, limity.data(), static_cast<int>(limity.size()));
    }
    // The defaults come before the reset so that the first stamp already follows the rollover
    // hour (a first start at 02:00 belongs to the previous working day).
    limity_ = LimitsRecord::Domyslne();
    ZerujDzien(platform::Time().Now());
    UstawLimity(limity_);
  } else {
    auto limity = limity_.ToBytes();
    // Zero limits would mean a zero tick and warnings on every tick: an unreadable record runs on
    // the defaults (the stored value is left for the user's next change of the settings).
    limity_ = GetRegistryBinary(kKluczKalmo, wartosc::Ustawienia, limity.data(), static_cast<int>(limity.size()))
                  ? LimitsRecord::FromBytes(limity)
                  : LimitsRecord::Domyslne();
    auto dzis = dzis_.ToBytes();
    if (GetRegistryBinary(kKluczKalmo, wartosc::TodayInfo, dzis.data(), static_cast<int>(dzis.size())))
      dzis_ = TodayRecord::FromBytes(dzis);
    monitorowanieZapisu_ = dzis_.caMonitorowania;
    if (!SprawdzNowyDzien(platform::Time().Now()) && MinutesBetween(TerazDniaPracy(), dzis_.dtZapisu) > limity_.PrzerwaAwaryjna / 60) {
      dzis_.caNieprzerwanejPracy = 0;
      dzis_.caPrzerwy = 0;
    }
  }
  // Loaded on a first run too: the first periodic save would otherwise overwrite the documents
  // of a user whose settings were removed with an empty list.
  dokumenty_.WczytajDokumenty();
  wPrzerwie_ = false;
  ostatniTik_ = platform::Time().Now();
}

TInfoSaver::~TInfoSaver() {
  try {
    ZapiszDzis();
    dokumenty_.ZapiszDokumenty();
    DopiszZalegle();
  } catch (...) {
    // Already reported by the guard that met it; the program is ending.
  }
}

double TInfoSaver::TerazDniaPracy() const {
  return CzasDniaPracy(platform::Time().Now(), limity_.GodzinaPrzelaczenia);
}

StanDnia TInfoSaver::Stan() const {
  StanDnia s;
  s.praca = dzis_.caPraca;
  s.nieprzerwanaPraca = dzis_.caNieprzerwanejPracy;
  s.przerwa = dzis_.caPrzerwy;
  s.przerwyDzis = dzis_.caPrzerwDzis;
  s.wPrzerwie = wPrzerwie_;
  s.aktywnosc = dzis_.Aktywnosc;
  s.limity = limity_;
  s.terazDniaPracy = TerazDniaPracy();
  return s;
}

void TInfoSaver::Log(const std::string& kategoria, const std::string& komunikat) {
  if (log_) log_->Log(kategoria, komunikat);
}

void TInfoSaver::ZaznaczSlot(int numer, uint8_t wartosc) {
  if (numer < 1 || numer > TodayRecord::kSloty) return;
  dzis_.Aktywnosc[numer - 1] = wartosc;
}

void TInfoSaver::ZapiszDzis() { ZapiszDzis(platform::Time().Now()); }

void TInfoSaver::ZapiszDzis(double now) {
  // A clock set back (the autumn change, a later rollover hour) never moves the working day
  // back: that day would otherwise be archived a second time when the clock catches up. A clock
  // put right by more than a day is followed, or a date set wrongly ahead would hold the day
  // (and its counters) until the calendar reached it.
  const double teraz = CzasDniaPracy(now, limity_.GodzinaPrzelaczenia);
  if (dzis_.dtZapisu == 0 || DaysBetween(teraz, dzis_.dtZapisu) >= 0 || DaysBetween(teraz, dzis_.dtZapisu) < -1)
    dzis_.dtZapisu = teraz;
  monitorowanieZapisu_ = dzis_.caMonitorowania;
  const auto b = dzis_.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::TodayInfo, b.data(), static_cast<int>(b.size()));
}

void TInfoSaver::ZerujDzien(double teraz) {
  dzis_.caMonitorowania = 0;
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  dzis_.caPraca = 0;
  dzis_.caPrzerwDzis = 0;
  dzis_.Aktywnosc.fill(TodayRecord::SlotBrakDanych);
  ZapiszDzis(teraz);
}

bool TInfoSaver::SprawdzNowyDzien(double teraz) {
  if (DaysBetween(CzasDniaPracy(teraz, limity_.GodzinaPrzelaczenia), dzis_.dtZapisu) < 1) return false;
  // A record that was never stamped holds no day worth archiving.
  if (dzis_.dtZapisu != 0) {
    ArchiveRecord r;
    r.Date = dzis_.dtZapisu;
    r.WorkSeconds = dzis_.caPraca;
    zalegle_.push_back(r);
    DopiszZalegle();
  }
  ZerujDzien(teraz);
  return true;
}

void TInfoSaver::DopiszZalegle() {
  // A day that cannot be appended (read-only file, full disk) waits here and goes to the
  // archive at the next tick that can write it; the failure is reported once.
  while (!zalegle_.empty()) {
    const ArchiveRecord& r = zalegle_.front();
    if (!AppendDayToArchive(pliki_.archiwum, r.Date, r.WorkSeconds)) {
      if (!zgloszonoArchiwum_) {
        zgloszonoArchiwum_ = true;
        PokazBlad("TInfoSaver.AppendDayToArchive", "Nie można dopisać dnia do archiwum: " + pliki_.archiwum +
                                                       ". Dzień zostanie dopisany przy następnej próbie.");
      }
      return;
    }
    zalegle_.erase(zalegle_.begin());
  }
  zgloszonoArchiwum_ = false;
}

bool TInfoSaver::CzasNaZapis() const {
  const int64_t krok = limity_.CzestotliwoscMonitorowania;
  const int64_t co = limity_.CzestotliwoscZapisywania;
  const int64_t mon = dzis_.caMonitorowania;
  if (co <= 0) return true;
  // With the defaults the remainder rule saves after the first tick of the day and then every
  // 120 s. It holds seldom or never for other steps, and a change of the step during the day can
  // leave it behind for good, so a full period since the last save saves too.
  if (mon % co == krok) return true;
  return mon - monitorowanieZapisu_ >= co || mon < monitorowanieZapisu_;
}

int32_t TInfoSaver::OdPoczatkuDnia(double teraz) const {
  // The work day began at the rollover hour of its date, on the wall clock.
  const double dzienPracy = CzasDniaPracy(teraz, limity_.GodzinaPrzelaczenia);
  const double sekundy = (teraz - (std::floor(dzienPracy) + limity_.GodzinaPrzelaczenia / 24.0)) * 86400.0;
  return static_cast<int32_t>(std::llround(std::clamp(sekundy, 0.0, 2147483647.0)));
}

int32_t TInfoSaver::Luka(double teraz) const {
  const double sekundy = (teraz - ostatniTik_) * 86400.0;
  const int32_t step = limity_.CzestotliwoscMonitorowania;
  // More than two periods, and at least a minute: a main thread held up for a few seconds (a
  // program starting from a hotkey) is no sleep. A clock set back is no gap at all.
  const double prog = std::max<double>(2.0 * step, 60.0);
  if (!(sekundy > prog)) return 0;
  return static_cast<int32_t>(std::llround(std::min<double>(sekundy, 2147483647.0)));
}

void TInfoSaver::ZaznaczPrzerwe(int32_t sekundy, double teraz) {
  const int n = sekundy / 300;
  if (n <= 0) return;
  const int c = NumerSlotu(CzasDniaPracy(teraz, limity_.GodzinaPrzelaczenia));
  for (int k = 0; k <= n && c - k >= 1; ++k) ZaznaczSlot(c - k, TodayRecord::SlotPrzerwa);
}

void TInfoSaver::PoliczLuke(int32_t luka, double teraz) {
  // The computer slept without a word: the gap was a break, within today's work day.
  const int32_t przerwa = std::min(luka, OdPoczatkuDnia(teraz));
  Log("Luka", "Przerwa w pracy komputera: " + std::to_string(luka) + " s");
  Dodaj(dzis_.caPrzerwDzis, przerwa);
  ZaznaczPrzerwe(przerwa, teraz);
  if (wPrzerwie_) {
    Dodaj(dzis_.caPrzerwy, przerwa);
  } else {
    dzis_.caPrzerwy = przerwa;
    dzis_.caNieprzerwanejPracy = 0;
  }
}

bool TInfoSaver::SprawdzBezczynnosc(double teraz) {
  if (progBezczynnosci_ <= 0) return false;
  const std::optional<platform::LastInput> w = platform::Desk().LastInputTime();
  if (!w) return false;
  // Unsigned: right across the wrap of the 32-bit tick count.
  const uint32_t bezczynnoscMs = w->now - w->input;
  const int64_t sekundy = bezczynnoscMs / 1000;
  if (sekundy < progBezczynnosci_) return false;
  // A video or a presentation keeps the display on: watching is work.
  if (platform::Desk().DisplayRequired()) return false;
  PrzerwaNaturalna(Powod::Bezczynnosc, static_cast<int32_t>(std::min<int64_t>(sekundy, 2147483647)), teraz);
  wejscieWPrzerwie_ = w->input;
  return true;
}

bool TInfoSaver::BylaNowaAktywnosc() {
  const std::optional<platform::LastInput> w = platform::Desk().LastInputTime();
  return w && w->input != wejscieWPrzerwie_;
}

WarningCode TInfoSaver::KodOstrzezenia() {
  if (wPrzerwie_) return dzis_.caPrzerwy >= limity_.caDlugoscPrzerwy ? wcPrzerwaWystarczajaca : wcBrak;
  // Without a screen saver Kalmo still sees breaks by the idle time; only with both off it asks
  // for the screen saver.
  if (progBezczynnosci_ <= 0 && !ScreenSaverActive()) return IsWindowTitleOpen("Setup") ? wcBrak : wcWygaszaczWylaczony;
  WarningCode code = wcBrak;
  if (dzis_.caNieprzerwanejPracy >= limity_.caPracyDoPrzerwy) code = wcPrzerwaNalezna;
  if (dzis_.caPraca >= limity_.caDziennyLimit) code = wcKoniecPracy;
  return code;
}

WynikTiku TInfoSaver::ZwiekszWskazniki(double teraz, const std::string& znakiFiltrujace) {
  const int32_t step = limity_.CzestotliwoscMonitorowania;
  WynikTiku wynik;

  if (!SprawdzNowyDzien(teraz) && !zalegle_.empty()) DopiszZalegle();
  const int32_t luka = Luka(teraz);
  ostatniTik_ = teraz;
  Dodaj(dzis_.caMonitorowania, step);
  // This tick's time is counted once: as the gap, by the idle break's delay, or as the step.
  bool policzone = false;
  if (luka > 0) {
    PoliczLuke(luka, teraz);
    policzone = true;
  }
  if (!wPrzerwie_) {
    policzone |= SprawdzBezczynnosc(teraz);
  } else if (powod_ == Powod::Bezczynnosc && BylaNowaAktywnosc()) {
    KoniecPrzerwy(teraz);  // the first input ends it; this tick is work again
  }
  const double terazDniaPracy = CzasDniaPracy(teraz, limity_.GodzinaPrzelaczenia);
  ZaznaczSlot(NumerSlotu(terazDniaPracy), wPrzerwie_ ? TodayRecord::SlotPrzerwa : TodayRecord::SlotPraca);
  if (CzasNaZapis()) {
    ZapiszDzis(teraz);
    dokumenty_.ZapiszDokumenty();
  }
  if (!policzone && !wPrzerwie_) {
    Dodaj(dzis_.caNieprzerwanejPracy, step);
    Dodaj(dzis_.caPraca, step);
    dokumenty_.AdvanceDocuments(step, limity_.Programy, limity_.CzasPytania, terazDniaPracy, znakiFiltrujace,
                                wynik.pytania);
  } else if (!policzone) {
    Dodaj(dzis_.caPrzerwy, step);
    Dodaj(dzis_.caPrzerwDzis, step);
  }
  wynik.kod = KodOstrzezenia();
  if (log_ && log_->Wlaczony())
    Log("ZwiekszWskazniki", std::string(wPrzerwie_ ? "Zwiększenie czasu przerwy" : "Zwiększenie czasu pracy") +
                                ", caPraca = " + FormatDuration(dzis_.caPraca, 0));
  return wynik;
}

void TInfoSaver::PrzerwaNaturalna(Powod powod, int32_t opoznienie, double teraz) {
  // The whole idle time before the break was a break, its slots too. What was counted of it as
  // work moves to today's breaks: no more than this stretch of continuous work (a gap before it
  // was counted as break already) and the day's work, which never goes below zero.
  const int32_t przerwa = std::max<int32_t>(opoznienie, 0);
  const int32_t zabrane =
      std::min({przerwa, std::max<int32_t>(dzis_.caNieprzerwanejPracy, 0), std::max<int32_t>(dzis_.caPraca, 0)});
  if (log_ && log_->Wlaczony()) {
    const datetime::Parts t = datetime::Decode(teraz);
    char godzina[16];
    std::snprintf(godzina, sizeof godzina, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    Log("ZPPCH", "\"Zaczęła się przerwa przed chwilą\"");
    Log("ZPPCH", std::string("Rozpoczęcie przerwy miało miejsce o godzinie: ") + godzina);
    Log("ZPPCH", "W tym czasie Nieprzerwany czas pracy wynosił: " + FormatDuration(dzis_.caPraca, 0));
    Log("ZPPCH", Format("Natomiast opóźnienie wynosiło %d minut", static_cast<int>(std::lround(opoznienie / 60.0))));
    Log("ZPPCH", Format("Tak więc po odjęciu opóźnienia od czas pracy równy był: %s",
                        FormatDuration(dzis_.caPraca - zabrane, 0).c_str()));
  }
  dzis_.caPraca -= zabrane;
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = przerwa;
  Dodaj(dzis_.caPrzerwDzis, zabrane);
  wPrzerwie_ = true;
  powod_ = powod;
  Log("UOTA", "opóźnienie = " + std::to_string(przerwa));
  Log("UOTA", "li_p = " + std::to_string(przerwa / 300));
  if (przerwa / 300 > 0) Log("UOTA", "nrj = " + std::to_string(NumerSlotu(CzasDniaPracy(teraz, limity_.GodzinaPrzelaczenia))));
  ZaznaczPrzerwe(przerwa, teraz);
  ZapiszDzis(teraz);
}

void TInfoSaver::KoniecPrzerwy(double teraz) {
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  wPrzerwie_ = false;
  powod_ = Powod::Brak;
  ZapiszDzis(teraz);
}

void TInfoSaver::WygaszaczWlaczony(int32_t opoznienie) {
  PrzerwaNaturalna(Powod::Wygaszacz, opoznienie, platform::Time().Now());
}

void TInfoSaver::WygaszaczWylaczony() {
  // A locked or sleeping computer ends its break itself (unlock, wake-up).
  if (powod_ == Powod::Blokada || powod_ == Powod::Uspienie) return;
  KoniecPrzerwy(platform::Time().Now());
}

void TInfoSaver::ZakonczPrzerwe() { KoniecPrzerwy(platform::Time().Now()); }

void TInfoSaver::RozpocznijPrzerwe() {
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  wPrzerwie_ = true;
  powod_ = Powod::Uzytkownik;
  ZapiszDzis();
}

void TInfoSaver::SesjaZablokowana(bool zablokowana) {
  zablokowana_ = zablokowana;
  const double teraz = platform::Time().Now();
  if (zablokowana) {
    // One break for idle time, a lock and a sleep that follow each other; the strongest reason
    // decides its end. A break the user started stays the user's.
    if (!wPrzerwie_) PrzerwaNaturalna(Powod::Blokada, 0, teraz);
    else if (powod_ != Powod::Uzytkownik) powod_ = Powod::Blokada;
  } else if (wPrzerwie_ && powod_ == Powod::Blokada) {
    KoniecPrzerwy(teraz);
  }
}

void TInfoSaver::Uspienie(bool usypia) {
  const double teraz = platform::Time().Now();
  if (usypia) {
    if (!wPrzerwie_) PrzerwaNaturalna(Powod::Uspienie, 0, teraz);
    else if (powod_ == Powod::Bezczynnosc || powod_ == Powod::Wygaszacz) powod_ = Powod::Uspienie;
    return;
  }
  if (!wPrzerwie_ || powod_ != Powod::Uspienie) return;
  if (zablokowana_) {
    powod_ = Powod::Blokada;  // the unlock ends it
    return;
  }
  // The time asleep up to now is break, as a gap the next tick would find; a night asleep first
  // closes the day it began in.
  SprawdzNowyDzien(teraz);
  const int32_t luka = Luka(teraz);
  if (luka > 0) PoliczLuke(luka, teraz);
  ostatniTik_ = teraz;
  KoniecPrzerwy(teraz);
}

void TInfoSaver::UstawLimity(const LimitsRecord& limity) {
  limity_ = limity;
  const auto b = limity_.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::Ustawienia, b.data(), static_cast<int>(b.size()));
}
