// Rollout games as the rollout plays them, set up as the program is: cubeless, both sides
// the computer, backgammons counted, the board hidden, one thread, with the real
// statistics, the fields of the results window (offscreen), the event pump after every
// game and the report file every 100 games. Reports games per CPU second and per
// wall-clock second. A second run rolls out a position that the side on roll wins with any
// roll, side 0 to roll, and restarts it every few hundred games: a rollout that starts the
// wrong side, or restarts from anything but the position set up, shows as an error.
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
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"

namespace bg {
namespace {

long gamesWonBySide[2] = {0, 0};
constexpr int16_t kGamesPerCheckedRollout = 500;

bool gameCounted = true;
bool gameLeftUncounted = false;

void leaveTheLoop() {
  shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

// One game per main-loop run: the game's statistics leave the loop.
void countThenLeave() {
  updateRolloutStatistics();
  ++gamesWonBySide[flow.gamePointsBySide[0] > 0 ? 0 : 1];
  gameCounted = true;
  leaveTheLoop();
}

// A game that ends with nothing to count (a side had no checker at its start) would keep
// the loop going for ever: the next game leaves it, marked.
void nextGameUnlessOneWentUncounted() {
  if (!gameCounted) {
    gameLeftUncounted = true;
    leaveTheLoop();
  }
  gameCounted = false;
  nextRolloutGame();
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
  rolloutServices.nextRolloutGame = nextGameUnlessOneWentUncounted;
  gameCounted = true;
  gameLeftUncounted = false;
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
using PositionSetUp = void (*)();

// The board as a person leaves it to start a rollout: no roll in hand, no game ending.
void clearTheBoard() {
  setStartingPosition();
  for (long p = 0; p <= 25; ++p) position.board[p] = 0;
  for (long d = 0; d <= 3; ++d) diceState.dice[d].value = 0;
  diceState.diceShowing = 0;
  flow.newGameRequested = 0;
  flow.abortTurn = 0;
}

// The position set up, then the rollout started on it, as a person starts one.
void startRolloutOn(PositionSetUp setUp) {
  setUp();
  startRollout();
}

// Plays rollout games until the benchmark has enough; returns the wall-clock seconds.
double playRolloutGames(benchmark::State& state, long& games, PositionSetUp setUp) {
  openRolloutResultsWindow();
  startRolloutOn(setUp);
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    runMainLoop();
    if (gameLeftUncounted) {
      state.SkipWithError("a rollout game ended with no result to count");
      break;
    }
    ++games;
    // A rollout ends at its wanted count: the user's settings come back and another
    // starts on the same position, set up again. The board the last game left has a side
    // borne off and its last roll: a rollout of it would count no game.
    if (rolloutStats.gamesDone + 1 >= rolloutSettings.gamesWanted) {
      restoreSettingsAfterRollout();
      startRolloutOn(setUp);
    }
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(benchmark::State& state, long games, double wall) {
  state.counters["games_per_cpu_s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["games_per_wall_s"] = wall > 0 ? static_cast<double>(games) / wall : 0;
  state.counters["games"] = static_cast<double>(games);
}

void openingPosition() {
  clearTheBoard();
  setStartingPosition();
  position.openingPhase = -1;
}

// From the opening position, as Rollout from the Game menu at the start of a game.
void BM_RolloutGames(benchmark::State& state) {
  setUpProgram();
  long games = 0;
  const double wall = playRolloutGames(state, games, openingPosition);
  report(state, games, wall);
}
BENCHMARK(BM_RolloutGames)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// Each side has one checker left, on the last point of its home board: the side on roll
// wins with any roll. Side 0 is to roll.
void oneCheckerEach() {
  clearTheBoard();
  position.board[24] = 1;
  position.board[1] = -1;
  position.piecesOnBoard[0] = 1;
  position.piecesOnBoard[1] = 1;
  position.openingPhase = 0;
  position.currentPlayer = 0;
  position.otherPlayer = 1;
  position.turnPlayer = 0;
}

// Side 0 wins every game of a rollout that starts it; short rollouts put the restart in
// every run.
void BM_RolloutOneCheckerEach(benchmark::State& state) {
  setUpProgram();
  rolloutSettings.gamesWanted = kGamesPerCheckedRollout;
  long games = 0;
  const double wall = playRolloutGames(state, games, oneCheckerEach);
  report(state, games, wall);
  state.counters["side0_wins"] = static_cast<double>(gamesWonBySide[0]);
  if (gamesWonBySide[1] != 0) state.SkipWithError("side 1 won a game that side 0 starts and cannot lose");
}
BENCHMARK(BM_RolloutOneCheckerEach)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace bg
