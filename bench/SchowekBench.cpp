// The clipboard history at its fullest: 16 MB of whole texts (five of 3 MB and a hundred short
// ones). What a keystroke of the search costs (every text read, no match), and what a new copy
// costs (the equality look over every item, the counting and the eviction).
//
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALMO_BENCH=ON
//   cmake --build build/bench --target kalmo_bench && build/bench/kalmo_bench --benchmark_filter=Schowek
#include <benchmark/benchmark.h>

#include <string>

#include "clipboard/Schowek.h"

namespace {

THistoriaSchowka PelnaHistoria() {
  THistoriaSchowka h;
  h.UstawBuforKB(1000);
  std::string akapit;
  while (akapit.size() < 3 * 1024 * 1024) akapit += "Zażółć gęślą jaźń, pchnąć w tę łódź jeża lub ośm skrzyń fig. ";
  for (int i = 0; i < 5; ++i) h.Dodaj(std::to_string(i) + akapit);
  for (int i = 0; i < 100; ++i) h.Dodaj("krótki tekst numer " + std::to_string(i));
  return h;
}

void BM_SchowekSzukanie(benchmark::State& state) {
  const THistoriaSchowka h = PelnaHistoria();
  for (auto _ : state) benchmark::DoNotOptimize(h.Pasujace("ząbek"));
  state.counters["MB"] = static_cast<double>(h.PamiecTekstow()) / (1024 * 1024);
}
BENCHMARK(BM_SchowekSzukanie)->Unit(benchmark::kMillisecond);

void BM_SchowekNowyTekst(benchmark::State& state) {
  THistoriaSchowka h = PelnaHistoria();
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(h.Dodaj("nowy tekst " + std::to_string(i++)));
  state.counters["pozycje"] = static_cast<double>(h.Pozycje().size());
}
BENCHMARK(BM_SchowekNowyTekst)->Unit(benchmark::kMicrosecond);

}  // namespace
