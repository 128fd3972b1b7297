// The play search over a fixed corpus of positions and rolls (made from a fixed seed,
// with the spread-out 1-1 worst case added): (a) enumerating every legal play of the
// roll, (b) the whole normal search with evaluation and ranking as the computer runs it
// for its move. Each corpus benchmark reports the median and the worst single position.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <vector>

#include "computer/analyse_position.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "rules/analysis_state.h"
#include "rules/dice.h"
#include "rules/flow_state.h"
#include "rules/legal_plays.h"
#include "rules/play_search.h"
#include "rules/play_search_state.h"
#include "rules/position.h"
#include "rules/settings.h"

namespace bg {
namespace {

struct Case {
  std::array<int16_t, 26> board{};  // player 1 to move: the board is the mover's view
  int16_t die0 = 1;
  int16_t die1 = 1;
};

constexpr int kCorpusSize = 1200;

// Mover (negative) spread over many single points against a few opposing points: the
// most 1-1 plays found in a random search of such positions (1,789 plays, 4,210 steps).
Case worstCase() {
  Case c;
  c.board = {0, 0, -1, 0, -1, -1, 0, -1, 2, 5, 0, -1, -1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1, -1, 6, 0};
  return c;
}

std::vector<Case> makeCorpus() {
  std::mt19937 rng(424242u);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<Case> corpus;
  corpus.push_back(worstCase());
  while (static_cast<int>(corpus.size()) < kCorpusSize) {
    Case c;
    const int kind = pick(0, 3);  // 0 spread, 1 stacked contact, 2 bearing off, 3 on the bar
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
        auto& cell = c.board[static_cast<std::size_t>(p)];
        if (cell * side < 0) continue;
        if (kind == 0 && side < 0 && cell != 0 && pick(0, 3) != 0) continue;
        cell = static_cast<int16_t>(cell + side);
        --men;
      }
    }
    c.die0 = static_cast<int16_t>(pick(1, 6));
    c.die1 = static_cast<int16_t>(pick(0, 3) == 0 ? c.die0 : pick(1, 6));
    corpus.push_back(c);
  }
  return corpus;
}

const std::vector<Case>& corpus() {
  static const std::vector<Case> cases = makeCorpus();
  return cases;
}

void setUpComputer() {
  static bool done = false;
  if (done) return;
  done = true;
  initComputerData();
  installComputerSearchServices();
  settings.noPumpDuringSearch = -1;
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
}

void load(const Case& c) {
  for (int i = 0; i <= 25; ++i) position.board[i] = c.board[static_cast<std::size_t>(i)];
  position.currentPlayer = 1;
  position.otherPlayer = 0;
  const bool doubles = c.die0 == c.die1;
  diceState.dice[0].value = c.die0;
  diceState.dice[1].value = c.die1;
  diceState.dice[2].value = doubles ? c.die0 : int16_t{0};
  diceState.dice[3].value = doubles ? c.die0 : int16_t{0};
  diceState.rolledDoubles = doubles ? -1 : 0;
  flow.movesAllowed = doubles ? 4 : 2;
  flow.movesLeft = flow.movesAllowed;
  flow.turnNumber = 5;
}

// Every legal play of the roll in hand; returns the plays found.
int enumerateAll() {
  startLegalPlayEnumeration(flow.movesAllowed);
  int plays = 0;
  while (playSearch.stopEnumeration == 0) {
    if (stepLegalPlayEnumeration()) ++plays;
  }
  return plays;
}

void searchAndRank() {
  analysePosition();
  searchBestPlays();
}

template <typename Work>
void runCorpus(benchmark::State& state, Work work) {
  setUpComputer();
  const auto& cases = corpus();
  std::vector<double> micros(cases.size());
  for (auto _ : state) {
    for (std::size_t n = 0; n < cases.size(); ++n) {
      load(cases[n]);
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
  runCorpus(state, [] {
    analysePosition();
    benchmark::DoNotOptimize(enumerateAll());
  });
}
BENCHMARK(BM_EnumerateCorpus)->Unit(benchmark::kMillisecond);

void BM_EnumerateWorstCase(benchmark::State& state) {
  setUpComputer();
  load(worstCase());
  analysePosition();
  int plays = 0;
  for (auto _ : state) benchmark::DoNotOptimize(plays = enumerateAll());
  state.counters["plays"] = plays;
}
BENCHMARK(BM_EnumerateWorstCase)->Unit(benchmark::kMicrosecond);

void BM_SearchCorpus(benchmark::State& state) { runCorpus(state, searchAndRank); }
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
