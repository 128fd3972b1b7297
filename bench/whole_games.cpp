// Whole games of the computer against itself through the main loop, headless: no window,
// no pauses, no event pump. Reports games per second and the share of the time spent
// between the dice being shown and the computer's play (its analysis and search), the
// rest being the roll, the cube decisions, the moves and the game ends.
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
#include "state/display_services.h"
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
long turnsPlayed = 0;

// The dice are shown just before the computer's analysis and search; the search ends by
// setting the game cursor again (under Fast Play there is no pause before the play).
void diceShown() {
  searchStart = Clock::now();
  searchTimed = true;
}

void searchEnded(int16_t cursor) {
  if (!searchTimed || cursor != kGameCursor) return;
  searchSeconds += std::chrono::duration<double>(Clock::now() - searchStart).count();
  searchTimed = false;
  ++turnsPlayed;
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
  displayServices.frameAllDice = diceShown;
  turnServices.setCursor = searchEnded;
  turnServices.endGameHook = leaveAfterTheGame;
  flow.opponentMode = 2;
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  settings.soundOptions.soundOn = 0;
  cube.cubeUsed = cubeUsed ? -1 : 0;
  skill.skillLevel = kHighestSkillLevel;
  searchSeconds = 0;
  turnsPlayed = 0;
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
  state.counters["games_per_s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["turns_per_game"] = static_cast<double>(turnsPlayed) / static_cast<double>(games);
  state.counters["search_share"] = total > 0 ? searchSeconds / total : 0;
  state.counters["ms_per_turn"] = turnsPlayed > 0 ? (total / static_cast<double>(turnsPlayed)) * 1e3 : 0;
}

// Cubeless, as rollouts play: every game is played to its end.
void BM_WholeGamesCubeless(benchmark::State& state) { playGames(state, false); }
BENCHMARK(BM_WholeGamesCubeless)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// With the cube: the computer doubles and takes or drops.
void BM_WholeGamesWithCube(benchmark::State& state) { playGames(state, true); }
BENCHMARK(BM_WholeGamesWithCube)->Unit(benchmark::kMillisecond)->MinTime(5.0);

}  // namespace
}  // namespace bg
