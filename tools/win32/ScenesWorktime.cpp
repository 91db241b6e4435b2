// Scenes of the work-time windows: the reminders, the break screen and the today-info window,
// over an in-memory day of work.
#include <windows.h>

#include <memory>

#include "settings/Globalne.h"
#include "settings/Rejestr.h"
#include "common/WinTools.h"
#include "platform/memory/Memory.h"
#include "platform/Platform.h"
#include "tools/win32/Scenes.h"
#include "worktime/InfoSaver.h"
#include "worktime/win32/Przypomnienie.h"
#include "worktime/win32/TodayInfo.h"
#include "worktime/win32/Wygaszacz.h"

namespace {

platform::memory::FakeClock& Zegar() {
  static platform::memory::FakeClock zegar;
  return zegar;
}

// A working day up to 14:20: work from 07:40 with breaks at 09:15, 11:30 (lunch) and 13:05, the
// stretch before lunch longer than the limit.
std::unique_ptr<TInfoSaver> Dzien(bool wPrzerwie) {
  platform::Current().clock = &Zegar();
  Zegar().now = platform::memory::MakeDateTime(2024, 3, 5, 14, 20, 0);
  platform::Reg().CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  platform::Fs().CreateDirectory("C:\\Kalmo");
  TodayRecord d;
  d.Aktywnosc.fill(TodayRecord::SlotBrakDanych);
  auto okres = [&](int od, int doGodz, uint8_t v) {  // minutes after midnight, [od, doGodz)
    for (int m = od; m < doGodz; m += 5) d.Aktywnosc[m / 5] = v;
  };
  okres(7 * 60 + 40, 9 * 60 + 15, TodayRecord::SlotPraca);
  okres(9 * 60 + 15, 9 * 60 + 30, TodayRecord::SlotPrzerwa);
  okres(9 * 60 + 30, 11 * 60 + 30, TodayRecord::SlotPraca);
  okres(11 * 60 + 30, 12 * 60 + 5, TodayRecord::SlotPrzerwa);
  okres(12 * 60 + 5, 13 * 60 + 5, TodayRecord::SlotPraca);
  okres(13 * 60 + 5, 13 * 60 + 20, TodayRecord::SlotPrzerwa);
  okres(13 * 60 + 20, 14 * 60 + 20, TodayRecord::SlotPraca);
  d.caPraca = 5 * 3600 + 35 * 60;
  d.caNieprzerwanejPracy = wPrzerwie ? 0 : 60 * 60;
  d.caPrzerwy = wPrzerwie ? 7 * 60 + 20 : 15 * 60;
  d.caPrzerwDzis = 65 * 60;
  d.caMonitorowania = d.caPraca + d.caPrzerwDzis;
  d.dtZapisu = Zegar().now;
  const auto bajty = d.ToBytes();
  CreateRegistryBinary(kKluczKalmo, wartosc::TodayInfo, bajty.data(), static_cast<int>(bajty.size()));
  const auto limity = LimitsRecord::Domyslne().ToBytes();
  CreateRegistryBinary(kKluczKalmo, wartosc::Ustawienia, limity.data(), static_cast<int>(limity.size()));
  auto konto = std::make_unique<TInfoSaver>(UtworzNazwyPlikow("C:\\Kalmo", "Scena"), nullptr);
  if (wPrzerwie) {
    konto->RozpocznijPrzerwe();
    for (int i = 0; i < 44; ++i) {
      Zegar().Advance(10);
      konto->ZwiekszWskazniki(platform::Time().Now(), "-[");
    }
  }
  return konto;
}

// The scene's window runs until it is hidden (the tool ends the process after the shot).
void Petla(HWND h) {
  MSG m;
  while (IsWindow(h) && IsWindowVisible(h) && GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

void Przypomnienie(TrybPrzypomnienia tryb, int godzina, int minuta, int32_t sekundy, int los) {
  platform::Current().clock = &Zegar();
  Zegar().now = platform::memory::MakeDateTime(2024, 3, 5, godzina, minuta, 0);
  std::unique_ptr<TfrmPrzypomnienie> okno;
  PokazPrzypomnienie(okno, tryb, sekundy, {}, [los](int) { return los; });
  Petla(okno->Hwnd());
}

const scenes::Registrar kPrzerwa("PrzypomnieniePrzerwa", [] {
  Przypomnienie(TrybPrzypomnienia::PrzerwaNalezna, 10, 40, 2760, 1);
});
const scenes::Registrar kObiad("PrzypomnienieObiad", [] {
  Przypomnienie(TrybPrzypomnienia::PrzerwaNalezna, 13, 30, 2700, 0);
});
const scenes::Registrar kKoniec("PrzypomnienieKoniecPracy", [] {
  Przypomnienie(TrybPrzypomnienia::KoniecPracy, 16, 30, 21660, 0);
});
const scenes::Registrar kKoniecLos("PrzypomnienieKoniecPracyZaglowka", [] {
  Przypomnienie(TrybPrzypomnienia::KoniecPracy, 19, 10, 23400, 1);
});
const scenes::Registrar kWygaszacz("PrzypomnienieWygaszacz", [] {
  Przypomnienie(TrybPrzypomnienia::WygaszaczWylaczony, 10, 0, 0, 0);
});

const scenes::Registrar kEkranPrzerwy("EkranPrzerwy", [] {
  auto konto = Dzien(false);
  WarningOptions opcje = WarningOptions::PierwszeUruchomienie();
  std::unique_ptr<TfrmWygaszacz> okno;
  KontekstPrzerwy k;
  k.dzien = [&] { return konto->Stan(); };
  k.rozpocznij = [&] { konto->RozpocznijPrzerwe(); };
  k.zakoncz = [&] { konto->ZakonczPrzerwe(); };
  k.opcje = &opcje;
  RozpocznijPrzerwe(okno, k);
  // Seven and a half minutes into the break, with the deletion running.
  for (int i = 0; i < 45; ++i) {
    Zegar().Advance(10);
    konto->ZwiekszWskazniki(platform::Time().Now(), "-[");
  }
  okno->tmrWskaznikPrzerwyTimer();
  okno->PokazUsuwaniePlikow(true);
  Petla(okno->Hwnd());
});

void Informacja(bool trzyD, bool wPrzerwie) {
  auto konto = Dzien(wPrzerwie);
  RejWriteString(wartosc::Aktywnosc3D, trzyD ? kTak : kNie);
  std::unique_ptr<TfrmTodayInfo> okno;
  PokazTodayInfo(okno, [&] { return konto->Stan(); }, nullptr);
  Petla(okno->Hwnd());
}

const scenes::Registrar kInformacja("InformacjaDnia", [] { Informacja(false, false); });
const scenes::Registrar kInformacja3D("InformacjaDnia3D", [] { Informacja(true, true); });

}  // namespace
