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
    ZerujDzien();
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
    if (!SprawdzNowyDzien() && MinutesBetween(TerazDniaPracy(), dzis_.dtZapisu) > limity_.PrzerwaAwaryjna / 60) {
      dzis_.caNieprzerwanejPracy = 0;
      dzis_.caPrzerwy = 0;
    }
  }
  // Loaded on a first run too: the first periodic save would otherwise overwrite the documents
  // of a user whose settings were removed with an empty list.
  dokumenty_.WczytajDokumenty();
  wPrzerwie_ = false;
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

void TInfoSaver::Log(const std::string& kategoria, const std::string& komunikat) {
  if (log_) log_->Log(kategoria, komunikat);
}

void TInfoSaver::ZaznaczSlot(int numer, uint8_t wartosc) {
  if (numer < 1 || numer > TodayRecord::kSloty) return;
  dzis_.Aktywnosc[numer - 1] = wartosc;
}

void TInfoSaver::ZapiszDzis() {
  // A clock set back (the autumn change, a later rollover hour) never moves the working day
  // back: that day would otherwise be archived a second time when the clock catches up. A clock
  // put right by more than a day is followed, or a date set wrongly ahead would hold the day
  // (and its counters) until the calendar reached it.
  const double teraz = TerazDniaPracy();
  if (dzis_.dtZapisu == 0 || DaysBetween(teraz, dzis_.dtZapisu) >= 0 || DaysBetween(teraz, dzis_.dtZapisu) < -1)
    dzis_.dtZapisu = teraz;
  monitorowanieZapisu_ = dzis_.caMonitorowania;
  const auto b = dzis_.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::TodayInfo, b.data(), static_cast<int>(b.size()));
}

void TInfoSaver::ZerujDzien() {
  dzis_.caMonitorowania = 0;
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  dzis_.caPraca = 0;
  dzis_.caPrzerwDzis = 0;
  dzis_.Aktywnosc.fill(TodayRecord::SlotBrakDanych);
  ZapiszDzis();
}

bool TInfoSaver::SprawdzNowyDzien() {
  if (DaysBetween(TerazDniaPracy(), dzis_.dtZapisu) < 1) return false;
  // A record that was never stamped holds no day worth archiving.
  if (dzis_.dtZapisu != 0) {
    ArchiveRecord r;
    r.Date = dzis_.dtZapisu;
    r.WorkSeconds = dzis_.caPraca;
    zalegle_.push_back(r);
    DopiszZalegle();
  }
  ZerujDzien();
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

void TInfoSaver::AdvanceDocuments(int32_t step) {
  dokumenty_.AdvanceDocuments(step, limity_.Programy, limity_.CzasPytania, TerazDniaPracy(), kontekst_);
}

WarningCode TInfoSaver::ZwiekszWskazniki() {
  const int32_t step = limity_.CzestotliwoscMonitorowania;
  WarningCode code = wcBrak;

  if (!SprawdzNowyDzien() && !zalegle_.empty()) DopiszZalegle();
  Dodaj(dzis_.caMonitorowania, step);
  ZaznaczSlot(NumerSlotu(TerazDniaPracy()), wPrzerwie_ ? TodayRecord::SlotPrzerwa : TodayRecord::SlotPraca);
  if (CzasNaZapis()) {
    ZapiszDzis();
    dokumenty_.ZapiszDokumenty();
  }
  if (!wPrzerwie_) {
    Dodaj(dzis_.caNieprzerwanejPracy, step);
    Dodaj(dzis_.caPraca, step);
    AdvanceDocuments(step);
    if (!ScreenSaverActive()) {
      if (!IsWindowTitleOpen("Setup")) code = wcWygaszaczWylaczony;
    } else {
      if (dzis_.caNieprzerwanejPracy >= limity_.caPracyDoPrzerwy) code = wcPrzerwaNalezna;
      if (dzis_.caPraca >= limity_.caDziennyLimit) code = wcKoniecPracy;
    }
    if (log_ && log_->Wlaczony())
      Log("ZwiekszWskazniki", "Zwiększenie czasu pracy, caPraca = " + FormatDuration(dzis_.caPraca, 0));
  } else {
    Dodaj(dzis_.caPrzerwy, step);
    Dodaj(dzis_.caPrzerwDzis, step);
    if (dzis_.caPrzerwy >= limity_.caDlugoscPrzerwy) code = wcPrzerwaWystarczajaca;
    if (log_ && log_->Wlaczony())
      Log("ZwiekszWskazniki", "Zwiększenie czasu przerwy, caPraca = " + FormatDuration(dzis_.caPraca, 0));
  }
  return code;
}

void TInfoSaver::WygaszaczWlaczony(int32_t opoznienie) {
  // The whole idle time before the screen saver was a break; only the work taken back is held at
  // what was counted today, so the day's work never goes below zero.
  const int32_t przerwa = std::max<int32_t>(opoznienie, 0);
  const int32_t zabrane = std::clamp<int32_t>(przerwa, 0, std::max<int32_t>(dzis_.caPraca, 0));
  if (log_ && log_->Wlaczony()) {
    const datetime::Parts t = datetime::Decode(platform::Time().Now());
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
  wPrzerwie_ = true;

  const int n = przerwa / 300;
  Log("UOTA", "opóźnienie = " + std::to_string(przerwa));
  Log("UOTA", "li_p = " + std::to_string(n));
  if (n > 0) {
    const int c = NumerSlotu(TerazDniaPracy());
    Log("UOTA", "nrj = " + std::to_string(c));
    for (int k = 0; k <= n && c - k >= 1; ++k) ZaznaczSlot(c - k, TodayRecord::SlotPrzerwa);
  }
  ZapiszDzis();
}

void TInfoSaver::WygaszaczWylaczony() {
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  wPrzerwie_ = false;
  ZapiszDzis();
}

void TInfoSaver::RozpocznijPrzerwe() {
  dzis_.caNieprzerwanejPracy = 0;
  dzis_.caPrzerwy = 0;
  wPrzerwie_ = true;
  ZapiszDzis();
}

void TInfoSaver::UstawLimity(const LimitsRecord& limity) {
  limity_ = limity;
  const auto b = limity_.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::Ustawienia, b.data(), static_cast<int>(b.size()));
}
