// Whole games of the computer against itself through the main loop, headless: no window,
// no pauses, no event pump during the search (as the program sets it). Reports games per
// CPU second and per wall-clock second, the computer's decisions per game, and the share
// of the time spent in those decisions (the search between the busy cursor and the game
// cursor), the rest being the roll, the cube decisions, the moves and the game ends.
#include <benchmark/benchmark.h>

#include <chrono>

#include "computer/computer_services.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "flow/game_loop.h"
#include "state/shell_flags.h"
#include "flow/turn_services.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "runtime/core/random.h"

namespace bg {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point searchStart;
bool searchTimed = false;
double searchSeconds = 0;
long decisions = 0;

// The computer's search is the one stretch under the busy cursor: it starts the timer and
// the game cursor that follows stops it, once per decision.
void cursorSet(int16_t cursor) {
  if (cursor == kBusyCursor) {
    searchStart = Clock::now();
    searchTimed = true;
  } else if (cursor == kGameCursor && searchTimed) {
    searchSeconds += std::chrono::duration<double>(Clock::now() - searchStart).count();
    searchTimed = false;
    ++decisions;
  }
}

// One game per main-loop run: the game's end leaves the loop.
void leaveAfterTheGame() {
  shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

void setUpHeadlessGames(bool cubeUsed) {
  seedRandom(20240611);
  fillDicePool();
  initComputerData();
  installComputerSearchServices();
  installFlowServices();
  turnServices.setCursor = cursorSet;
  turnServices.endGameHook = leaveAfterTheGame;
  flow.opponentMode = 2;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  cube.cubeUsed = cubeUsed ? -1 : 0;
  skill.skillLevel = kHighestSkillLevel;
  settings.noPumpDuringSearch = -1;  // as the program runs its searches
  searchSeconds = 0;
  decisions = 0;
}

void playGames(benchmark::State& state, bool cubeUsed) {
  setUpHeadlessGames(cubeUsed);
  long games = 0;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    shellFlags.quitRequested = 0;
    flow.newGameRequested = -1;
    runMainLoop();
    ++games;
  }
  const double total = std::chrono::duration<double>(Clock::now() - start).count();
  state.counters["games_per_cpu_s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["games_per_wall_s"] = total > 0 ? static_cast<double>(games) / total : 0;
  state.counters["decisions_per_game"] = static_cast<double>(decisions) / static_cast<double>(games);
  state.counters["search_share"] = total > 0 ? searchSeconds / total : 0;
  state.counters["ms_per_decision"] = decisions > 0 ? (searchSeconds / static_cast<double>(decisions)) * 1e3 : 0;
}

// Cubeless, as rollouts play: every game is played to its end.
void BM_WholeGamesCubeless(benchmark::State& state) { playGames(state, false); }
BENCHMARK(BM_WholeGamesCubeless)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// With the cube: the computer doubles and takes or drops.
void BM_WholeGamesWithCube(benchmark::State& state) { playGames(state, true); }
BENCHMARK(BM_WholeGamesWithCube)->Unit(benchmark::kMillisecond)->MinTime(5.0);

}  // namespace
}  // namespace bg
