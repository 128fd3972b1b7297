// Rollout games as the rollout plays them, set up as the program is: cubeless, both sides
// the computer, backgammons counted, the board hidden, one thread, with the real
// statistics, the fields of the results window (offscreen), the event pump after every
// game and the report file every 100 games. Reports games per CPU second and per
// wall-clock second. A second run rolls out a position that side 0 wins with any roll, so
// a rollout that starts the wrong side or plays a side badly shows as an error.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <filesystem>
#include <string>

#include "computer/computer_services.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "rules/dice.h"
#include "rules/new_game.h"
#include "runtime/core/files.h"
#include "runtime/core/random.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"

namespace bg {
namespace {

long gamesWonBySide[2] = {0, 0};

// One game per main-loop run: the game's statistics leave the loop.
void countThenLeave() {
  updateRolloutStatistics();
  ++gamesWonBySide[flow.gamePointsBySide[0] > 0 ? 0 : 1];
  shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

// The program's own start: the rollout window's options as at start-up, the opponent
// mode applied (no mode change pending at the first game).
void setUpProgram() {
  static int argc = 1;
  static char name[] = "bench_rollout";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static const bool started = (rtInit(argc, argv), true);
  (void)started;
  gamesWonBySide[0] = gamesWonBySide[1] = 0;
  setEventSlice(0);
  seedRandom(20240611);
  fillDicePool();
  initComputerData();
  installComputerSearchServices();
  installFlowServices();
  installRolloutServices();
  turnServices.updateRolloutStatistics = countThenLeave;
  setDataFolder(std::filesystem::temp_directory_path() / "bench-rollout");
  skill.skillLevel = kHighestSkillLevel;
  settings.soundOptions.soundOn = 0;
  settings.noPumpDuringSearch = -1;
  cube.cubeUsed = 0;
  flow.opponentMode = 1;
  turnState.previousOpponentMode = flow.opponentMode;
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  rollout.rolloutShowBoard = 0;
  rolloutSettings.rolloutBackgammonsAllowed = -1;
  rolloutSettings.gamesWanted = kMostRolloutGames;
  rolloutSettings.minMaxStart = 200;
}

using Clock = std::chrono::steady_clock;

// Plays rollout games until the benchmark has enough; returns the wall-clock seconds.
double playRolloutGames(benchmark::State& state, long& games) {
  openRolloutResultsWindow();
  startRollout();
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    runMainLoop();
    ++games;
    // A rollout ends at its wanted count: start another on the same position.
    if (rolloutStats.gamesDone + 1 >= rolloutSettings.gamesWanted) startRollout();
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(benchmark::State& state, long games, double wall) {
  state.counters["games_per_cpu_s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["games_per_wall_s"] = wall > 0 ? static_cast<double>(games) / wall : 0;
  state.counters["games"] = static_cast<double>(games);
}

// From the opening position, as Rollout from the Game menu at the start of a game.
void BM_RolloutGames(benchmark::State& state) {
  setUpProgram();
  setStartingPosition();
  position.openingPhase = -1;
  long games = 0;
  const double wall = playRolloutGames(state, games);
  report(state, games, wall);
}
BENCHMARK(BM_RolloutGames)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// Side 0 has one checker left, on the last point of its home board, and is to roll: it
// wins every game.
void BM_RolloutOneCheckerLeft(benchmark::State& state) {
  setUpProgram();
  setStartingPosition();
  for (long p = 0; p <= 25; ++p) position.board[p] = 0;
  position.board[24] = 1;
  position.board[13] = -15;
  position.piecesOnBoard[0] = 1;
  position.piecesOnBoard[1] = 15;
  position.openingPhase = 0;
  position.currentPlayer = 0;
  position.otherPlayer = 1;
  position.turnPlayer = 0;
  long games = 0;
  const double wall = playRolloutGames(state, games);
  report(state, games, wall);
  state.counters["side0_wins"] = static_cast<double>(gamesWonBySide[0]);
  if (gamesWonBySide[1] != 0) state.SkipWithError("side 0 lost a game it cannot lose");
}
BENCHMARK(BM_RolloutOneCheckerLeft)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace bg
