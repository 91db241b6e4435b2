// Building everything the statistics window shows: 5,000 archive days (the modem update with no
// modem, the file read and filtered, grouped into months, turned into both charts' series, one
// month grid read from the file) and
// 1,000 monitored documents (check list and chart, all checked), with the three charts laid out.
// Then the export of the same 5,000 days and 1,000 documents against building the statistics
// data for them (WczytajDaneStatystyki): the three CSV files from the data the window holds, and
// the whole road of `Kalmo.exe /eksport` (files and settings read, the data built, the files
// written); the first must take at most twice the building.
#include <benchmark/benchmark.h>

#include "base/DateTime.h"
#include "documents/Eksport.h"
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

// The program folder of an export: the archive, the document file and today's record.
struct Folder {
  platform::memory::TestPlatform tp;
  ZrodloStatystyki zrodlo;
  Folder() {
    tp.processes.userName = "Bench";
    tp.files.AddDirectory("C:\\Kalmo");
    tp.files.AddDirectory("D:\\");
    tp.registry.CreateKey(platform::Root::CurrentUser, kKluczKalmo);
    tp.files.AddFile("C:\\Kalmo\\Bench_arch.dat", Archiwum());
    std::string dok;
    zrodlo.dokumenty = Dokumenty();
    for (const DocumentRecord& r : zrodlo.dokumenty) {
      const auto b = r.ToBytes();
      dok.append(b.begin(), b.end());
    }
    tp.files.AddFile("C:\\Kalmo\\Bench_dok.dat", dok);
    TodayRecord dzis;
    dzis.caPraca = 3600;
    dzis.dtZapisu = datetime::EncodeDate(2023, 9, 10) + 0.5;
    tp.registry.WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::TodayInfo, dzis.ToBytes());
    zrodlo.plikArchiwum = "C:\\Kalmo\\Bench_arch.dat";
    zrodlo.dzis = dzis.dtZapisu;
    zrodlo.dzisSekundy = dzis.caPraca;
  }
};

void BudowanieDanych(benchmark::State& state) {
  Folder f;
  for (auto _ : state) benchmark::DoNotOptimize(WczytajDaneStatystyki(f.zrodlo));
}
BENCHMARK(BudowanieDanych)->Unit(benchmark::kMillisecond);

void EksportPlikow(benchmark::State& state) {
  Folder f;
  const DaneStatystyki dane = WczytajDaneStatystyki(f.zrodlo);
  for (auto _ : state) {
    const eksport::PlikiCsv p = eksport::UtworzPliki(dane);
    benchmark::DoNotOptimize(eksport::ZapiszPliki(p, "D:\\"));
  }
}
BENCHMARK(EksportPlikow)->Unit(benchmark::kMillisecond);

void EksportZLiniiPolecen(benchmark::State& state) {
  Folder f;
  for (auto _ : state) benchmark::DoNotOptimize(eksport::EksportujDoFolderu("C:\\Kalmo", "D:\\E"));
}
BENCHMARK(EksportZLiniiPolecen)->Unit(benchmark::kMillisecond);

}  // namespace
