// One tick of the document monitoring on a busy desktop: 300 top-level windows, 1,000 monitored
// documents, 20 programs, 101 declined titles and 20 waiting candidates. The budget is three
// times the copying of the 300 titles (what reading the window list costs at the least).
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALMO_BENCH=ON
//   cmake --build build/bench --target kalmo_bench && build/bench/kalmo_bench
#include <benchmark/benchmark.h>

#include <string>

#include "common/WinTools.h"
#include "documents/MonitorowanieDokumentow.h"
#include "platform/memory/Memory.h"

namespace {

std::string Program(int p) { return "Program" + std::to_string(p); }

struct Pulpit {
  platform::memory::TestPlatform tp;
  TDokumenty dokumenty{"C:\\Kalmo\\B_dok.dat", "C:\\Kalmo\\B_zast.dat"};
  std::string programy;
  std::vector<std::string> pytania;  // the questions a tick asks (kept, as the main window would show them)

  Pulpit() {
    tp.files.AddDirectory("C:\\Kalmo");
    for (int p = 0; p < 20; ++p) programy += (p ? "#" : "") + Program(p);
    // In z-order: a new document of each program (the candidates), 240 monitored documents,
    // 40 other windows.
    for (int i = 0; i < 20; ++i)
      tp.desktop.windows.push_back({Program(i) + " - Nowy dokument " + std::to_string(i) + ".doc", false, true});
    for (int i = 0; i < 240; ++i)
      tp.desktop.windows.push_back(
          {Program(i % 20) + " - Dokument numer " + std::to_string(i) + ".doc (Tylko do odczytu)", false, true});
    for (int i = 0; i < 40; ++i) tp.desktop.windows.push_back({"Okno narzędzia " + std::to_string(i), i % 2 == 0, true});
    for (int i = 0; i < 1000; ++i) {
      DocumentRecord r;
      r.Name = Program(i % 20) + " - Dokument numer " + std::to_string(i) + ".doc";
      dokumenty.Organizator().Add(r);
    }
    for (int i = 0; i < 101; ++i) dokumenty.AddDeclinedDocument("Odrzucony - " + std::to_string(i));
    dokumenty.AdvanceDocuments(10, programy, 100000, 46000.5, "-[", pytania);  // the candidates appear
  }
};

void BM_KopiaTytulow(benchmark::State& state) {
  Pulpit p;
  for (auto _ : state) {
    auto okna = platform::Desk().TopLevelWindows();
    benchmark::DoNotOptimize(okna);
  }
}
BENCHMARK(BM_KopiaTytulow);

void BM_ListFilteredWindowTitles(benchmark::State& state) {
  Pulpit p;
  for (auto _ : state) {
    TStringList t;
    ListFilteredWindowTitles(t, "-[");
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_ListFilteredWindowTitles);

void BM_AdvanceDocuments(benchmark::State& state) {
  Pulpit p;
  for (auto _ : state) {
    p.pytania.clear();
    p.dokumenty.AdvanceDocuments(10, p.programy, 100000, 46000.5, "-[", p.pytania);
  }
  state.counters["kandydaci"] = static_cast<double>(p.dokumenty.ListaTymczasowa().size());
}
BENCHMARK(BM_AdvanceDocuments);

}  // namespace
