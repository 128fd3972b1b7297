// The play search over a fixed corpus of positions and rolls (made from a fixed seed,
// with the spread-out 1-1 worst case added): (a) enumerating every legal play of the
// roll, (b) the whole normal search with evaluation and ranking as the computer runs it
// for its move. Each corpus benchmark reports the median and the worst single position.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "bench_corpus.h"
#include "computer/analyse_position.h"
#include "rules/play_search.h"

namespace bg {
namespace {

using bench::corpus;
using bench::enumerateAll;
using bench::load;
using bench::worstCase;

void setUpComputer() {
  static bool done = false;
  if (done) return;
  done = true;
  bench::setUpComputerPlayers();
}

void searchAndRank() {
  analysePosition();
  searchBestPlays();
}

// Times work() on every case of the corpus, after the untimed prepare().
template <typename Prepare, typename Work>
void runCorpus(benchmark::State& state, Prepare prepare, Work work) {
  setUpComputer();
  const auto& cases = corpus();
  std::vector<double> micros(cases.size());
  for (auto _ : state) {
    for (std::size_t n = 0; n < cases.size(); ++n) {
      load(cases[n]);
      prepare();
      const auto start = std::chrono::steady_clock::now();
      work();
      micros[n] = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
  }
  std::vector<double> sorted = micros;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2), sorted.end());
  state.counters["median_us"] = sorted[sorted.size() / 2];
  state.counters["worst_us"] = *std::max_element(micros.begin(), micros.end());
  state.counters["positions"] = static_cast<double>(cases.size());
}

void BM_EnumerateCorpus(benchmark::State& state) {
  runCorpus(state, analysePosition, [] { benchmark::DoNotOptimize(enumerateAll()); });
}
BENCHMARK(BM_EnumerateCorpus)->Unit(benchmark::kMillisecond);

void BM_EnumerateWorstCase(benchmark::State& state) {
  setUpComputer();
  load(worstCase());
  analysePosition();
  int plays = 0;
  int steps = 0;
  for (auto _ : state) benchmark::DoNotOptimize(plays = enumerateAll(&steps));
  state.counters["plays"] = plays;
  state.counters["steps"] = steps;
}
BENCHMARK(BM_EnumerateWorstCase)->Unit(benchmark::kMicrosecond);

void BM_SearchCorpus(benchmark::State& state) {
  runCorpus(state, [] {}, searchAndRank);
}
BENCHMARK(BM_SearchCorpus)->Unit(benchmark::kMillisecond);

void BM_SearchWorstCase(benchmark::State& state) {
  setUpComputer();
  for (auto _ : state) {
    load(worstCase());
    searchAndRank();
  }
}
BENCHMARK(BM_SearchWorstCase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bg
