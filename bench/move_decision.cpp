// The computer's whole move decision: the analysis, the doubling evaluation, the hitting
// and contact-breaking searches, the analysis again and the evaluating search over every
// legal play. Reports the median and the 99th percentile per decision and the cost per
// candidate play, over a fixed corpus of positions and rolls, and the worst case alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <vector>

#include "computer/analyse_position.h"
#include "computer/computer_services.h"
#include "computer/doubling_position.h"
#include "computer/evaluate_position.h"
#include "computer/factors.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "rules/analysis_state.h"
#include "rules/dice.h"
#include "rules/flow_state.h"
#include "rules/legal_plays.h"
#include "rules/mover_view.h"
#include "rules/play_search.h"
#include "rules/play_search_state.h"
#include "rules/position.h"
#include "rules/search_services.h"
#include "rules/settings.h"

namespace bg {
namespace {

struct Case {
  std::array<int16_t, 26> board{};  // player 1 to move: the board is the mover's view
  int16_t die0 = 1;
  int16_t die1 = 1;
};

long candidates = 0;

void countingEvaluate() {
  candidates += 1;
  evaluatePosition();
}

void setUpComputer() {
  static bool done = false;
  if (done) return;
  done = true;
  initComputerData();
  installComputerSearchServices();
  searchServices.evaluatePosition = countingEvaluate;
  settings.noPumpDuringSearch = -1;
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
  position.openingPhase = 0;
}

void load(const Case& c) {
  for (int i = 0; i <= 25; ++i) position.board[i] = c.board[static_cast<size_t>(i)];
  position.currentPlayer = 1;
  position.otherPlayer = 0;
  const bool doubles = c.die0 == c.die1;
  auto& d = diceState.dice;
  d[0].value = c.die0;
  d[1].value = c.die1;
  d[2].value = doubles ? c.die0 : int16_t{0};
  d[3].value = doubles ? c.die0 : int16_t{0};
  diceState.rolledDoubles = doubles ? -1 : 0;
  flow.movesAllowed = doubles ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  flow.turnNumber = 5;
}

void decide() {
  analysePosition();
  evaluateDoublingPosition();
  searchHittingPlays();
  searchContactBreakingPlay();
  analysePosition();
  searchBestPlays();
}

// The spread-out 1-1 of the enumeration benchmark (bench/play_search.cpp): 1,789 plays.
Case worstCase() {
  Case c;
  c.board = {0, 0, -1, 0, -1, -1, 0, -1, 2, 5, 0, -1, -1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1, -1, 6, 0};
  return c;
}

// The enumeration benchmark's corpus, made the same way from the same seed: its worst
// case first, then 1,199 positions of four kinds (spread, stacked contact, bearing off,
// men on the bar).
std::vector<Case> corpus() {
  constexpr int kCorpusSize = 1200;
  std::mt19937 rng(424242u);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<Case> cases;
  cases.push_back(worstCase());
  while (static_cast<int>(cases.size()) < kCorpusSize) {
    Case c;
    const int kind = pick(0, 3);
    for (int side : {-1, 1}) {
      int men = 15;
      if (kind == 3 && side < 0) {
        const int bar = pick(1, 2);
        c.board[0] = static_cast<int16_t>(-bar);
        men -= bar;
      }
      int tries = 0;
      while (men > 0 && tries++ < 2000) {
        int p = pick(1, 24);
        if (kind == 2 && side < 0) p = pick(1, 6);
        if (kind == 2 && side > 0) p = pick(7, 24);
        auto& cell = c.board[static_cast<size_t>(p)];
        if (cell * side < 0) continue;
        if (kind == 0 && side < 0 && cell != 0 && pick(0, 3) != 0) continue;
        cell = static_cast<int16_t>(cell + side);
        --men;
      }
    }
    c.die0 = static_cast<int16_t>(pick(1, 6));
    c.die1 = static_cast<int16_t>(pick(0, 3) == 0 ? c.die0 : pick(1, 6));
    cases.push_back(c);
  }
  return cases;
}

int legalPlayCount(const Case& c) {
  load(c);
  buildMoverView();
  startLegalPlayEnumeration(flow.movesAllowed);
  int n = 0;
  while (playSearch.stopEnumeration != -1) n += stepLegalPlayEnumeration() ? 1 : 0;
  return n;
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
  static const std::vector<Case> cases = corpus();
  std::vector<double> perDecision;
  long plays = 0;
  for (auto _ : state) {
    for (const Case& c : cases) {
      load(c);
      const long before = candidates;
      const auto start = std::chrono::steady_clock::now();
      decide();
      const auto end = std::chrono::steady_clock::now();
      perDecision.push_back(std::chrono::duration<double>(end - start).count());
      plays += candidates - before;
    }
  }
  report(state, perDecision, plays);
}
BENCHMARK(BM_MoveDecisionCorpus)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MoveDecisionWorstCase(benchmark::State& state) {
  setUpComputer();
  const Case c = worstCase();
  state.counters["legal_plays"] = legalPlayCount(c);
  std::vector<double> perDecision;
  long plays = 0;
  for (auto _ : state) {
    load(c);
    const long before = candidates;
    const auto start = std::chrono::steady_clock::now();
    decide();
    const auto end = std::chrono::steady_clock::now();
    perDecision.push_back(std::chrono::duration<double>(end - start).count());
    plays += candidates - before;
  }
  report(state, perDecision, plays);
}
BENCHMARK(BM_MoveDecisionWorstCase)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace bg
