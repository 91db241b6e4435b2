// Building everything the statistics window shows: 5,000 archive days (the modem update with no
// modem, the file read and filtered, grouped into months, turned into both charts' series, one
// month grid read from the file) and
// 1,000 monitored documents (check list and chart, all checked), with the three charts laid out.
#include <benchmark/benchmark.h>

#include "base/DateTime.h"
#include "documents/Statystyka.h"
#include "documents/Archiwum.h"
#include "documents/Wykres.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"

namespace {

std::string Archiwum() {
  std::string out;
  const double od = datetime::EncodeDate(2010, 1, 1);
  for (int i = 0; i < 5000; ++i) {
    ArchiveRecord r;
    r.Date = od + i + 0.7;
    r.WorkSeconds = 3600 * 3 + (i * 7919) % (3600 * 7);
    if (i % 4 == 0) {
      r.ConnectionSeconds = 60 + i % 3000;
      r.ConnectionCount = 1;
      r.ChargeUnits = r.ConnectionSeconds / 180 + 1;
    }
    const auto b = r.ToBytes();
    out.append(b.begin(), b.end());
  }
  return out;
}

std::vector<DocumentRecord> Dokumenty() {
  std::vector<DocumentRecord> out;
  for (int i = 0; i < 1000; ++i) {
    DocumentRecord r;
    r.Name = "Word - dokument numer " + std::to_string(i) + ".doc";
    r.Seconds = 600 + i * 37;
    out.push_back(r);
  }
  return out;
}

void DaneOkna(benchmark::State& state) {
  platform::memory::TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  tp.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  const std::string plik = "C:\\Kalmo\\Bench_arch.dat";
  tp.files.AddFile(plik, Archiwum());
  const std::vector<DocumentRecord> dokumenty = Dokumenty();
  wykres::Miara miara;
  miara.szerokosc = [](const std::string& t, bool) { return static_cast<int>(t.size()) * 6; };
  const double teraz = datetime::EncodeDate(2023, 9, 10) + 0.5;
  ZrodloStatystyki zrodlo;
  zrodlo.plikArchiwum = plik;
  zrodlo.dzis = teraz;
  zrodlo.dzisSekundy = 3600;
  for (auto _ : state) {
    const DaneStatystyki dane = WczytajDaneStatystyki(zrodlo);
    const auto sd = statystyka::SeriaDzienna(dane.dni, 6 * 3600, true, statystyka::DataKrotka);
    const auto sm = statystyka::SeriaMiesieczna(dane.miesiace, true);
    const auto komorki = WczytajCzasyPracyDlaMiesiaca(plik, teraz, teraz, 3600);
    auto lista = statystyka::ListaDokumentow(dokumenty);
    statystyka::ZaznaczWszystkie(lista);
    wykres::Dane dd = statystyka::WykresDzienny(), dm = statystyka::WykresMiesieczny(),
                 dk = statystyka::WykresDokumentow();
    dd.serie = {sd.praca, sd.polaczenia};
    dm.serie = {sm.praca, sm.polaczenia};
    statystyka::UstawWykresDokumentow(dk, lista, dokumenty);
    for (const wykres::Dane* d : {&dd, &dm, &dk})
      benchmark::DoNotOptimize(wykres::Uloz(*d, wykres::WidokPoczatkowy(*d), 720, 400, miara));
    benchmark::DoNotOptimize(komorki);
  }
}
BENCHMARK(DaneOkna)->Unit(benchmark::kMillisecond);

}  // namespace
