// The computer's whole move decision: the analysis, the doubling evaluation, the hitting
// and contact-breaking searches, the analysis again and the evaluating search over every
// legal play. Reports the median and the 99th percentile per decision and the cost per
// candidate play, over a fixed corpus of positions and rolls, and the worst case alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_corpus.h"
#include "computer/evaluate_position.h"
#include "flow/computer_move.h"
#include "rules/mover_view.h"
#include "state/position.h"
#include "state/search_services.h"

namespace bg {
namespace {

using bench::Case;

long candidates = 0;

void countingEvaluate() {
  candidates += 1;
  evaluatePosition();
}

void setUpComputer() {
  static bool done = false;
  if (done) return;
  done = true;
  bench::setUpComputerPlayers();
  searchServices.evaluatePosition = countingEvaluate;
}

int legalPlayCount(const Case& c) {
  bench::load(c);
  buildMoverView();
  return bench::enumerateAll();
}

// One whole decision on the case: its time, and the candidate plays it evaluated.
void timeDecision(const Case& c, std::vector<double>& perDecision, long& plays) {
  bench::load(c);
  const long before = candidates;
  const auto start = std::chrono::steady_clock::now();
  decideComputerMove();
  const auto end = std::chrono::steady_clock::now();
  perDecision.push_back(std::chrono::duration<double>(end - start).count());
  plays += candidates - before;
}

void report(benchmark::State& state, std::vector<double>& perDecision, long plays) {
  std::sort(perDecision.begin(), perDecision.end());
  const size_t n = perDecision.size();
  state.counters["median_ms"] = perDecision[n / 2] * 1e3;
  state.counters["p99_ms"] = perDecision[std::min(n - 1, n * 99 / 100)] * 1e3;
  state.counters["worst_ms"] = perDecision[n - 1] * 1e3;
  double total = 0;
  for (double t : perDecision) total += t;
  state.counters["us_per_candidate"] = plays > 0 ? total / static_cast<double>(plays) * 1e6 : 0;
  state.counters["candidates_per_decision"] = static_cast<double>(plays) / static_cast<double>(n);
}

void BM_MoveDecisionCorpus(benchmark::State& state) {
  setUpComputer();
  const std::vector<Case>& cases = bench::corpus();
  std::vector<double> perDecision;
  long plays = 0;
  for (auto _ : state) {
    for (const Case& c : cases) timeDecision(c, perDecision, plays);
  }
  report(state, perDecision, plays);
}
BENCHMARK(BM_MoveDecisionCorpus)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MoveDecisionWorstCase(benchmark::State& state) {
  setUpComputer();
  const Case c = bench::worstCase();
  state.counters["legal_plays"] = legalPlayCount(c);
  std::vector<double> perDecision;
  long plays = 0;
  for (auto _ : state) timeDecision(c, perDecision, plays);
  report(state, perDecision, plays);
}
BENCHMARK(BM_MoveDecisionWorstCase)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace bg
