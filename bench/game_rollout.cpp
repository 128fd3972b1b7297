// The game's own rollout as a person starts it: the whole program started as it starts
// itself (its menus, its event pump, its cursors and its board window), the starting
// position on the board, Game > Roll Out Position chosen, the number of games typed and
// OK pressed. Timed from OK to the result of the rollout's last game, in games per
// wall-clock second; the end's notice after it (its message spoken, the pause and the wait
// for the speech) is timed apart.
// Set beside bench_rollout (the same games with no window system), the ratio shows what
// the window system costs; bench/run_rollouts runs both under a virtual X display.
// With the board shown the rollout, the same games in every build, is watched instead up
// to the first result after BENCH_SHOWN_SECONDS (60 by default): its games, their wall
// time and the program's processor time against it, which tells whether the checkers'
// flights wait idly.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QLineEdit>
#include <QtGlobal>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "display/board_picture.h"
#include "display/piece_images.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "rules/dice.h"
#include "rules/new_game.h"
#include "runtime/core/files.h"
#include "runtime/core/random.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/startup.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_services.h"
#include "state/shell_flags.h"
#include "state/storage_state.h"

namespace bg {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int16_t kBoardWindow = 1;
constexpr int16_t kOkButton = 1;
constexpr const char* kGamesTyped = "1296";
constexpr int kMostPumpsForAWindow = 1000;
constexpr double kShownSecondsByDefault = 60;
constexpr uint32_t kSameGamesSeed = 20240611;

Clock::time_point okPressed;
Clock::time_point lastResult;
Clock::time_point noticeDone;
void (*countResult)() = nullptr;
// The watch of a rollout with the board shown: 0 s while the rollout runs to its end.
double watchSeconds = 0;
std::clock_t processorAtOk = 0;
long gamesWatched = 0;
double processorWatched = 0;
double wallWatched = 0;

// The program's start as runApplication makes it, short of the user's folders (a data
// folder of its own) and the main loop.
void startTheProgram() {
  static int argc = 1;
  static char name[] = "bench_game_rollout";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  resetProgramState();
  rtInit(argc, argv);
  installProgramServices();
  initProgram();
  installBoardServices();
  setDataFolder(std::filesystem::temp_directory_path() / "bench-game-rollout");
  // A person who has played before (no welcome), a game on the board at its start.
  storage.firstRun = 0;
  setStartingPosition();
  position.openingPhase = -1;
  display.firstBoardBuild = 0;
  flow.newGameRequested = 0;
  windowSelect(kBoardWindow);
  // What the board's first drawing builds, short of the welcome: the board's picture and
  // the checkers' pictures, which the flights of a rollout with the board shown draw.
  buildBoardPicture();
  buildPieceImages();
}

template <typename Condition>
bool pumpUntil(Condition done) {
  for (int n = 0; n < kMostPumpsForAWindow && !done(); ++n) FBHandleEvents();
  return done();
}

// After the rollout the person's own game waits for them: the run ends there.
void leaveAtThePersonsWait() { flow.abortTurn = kLeaveTurn; }

void countThenTime() {
  countResult();
  lastResult = Clock::now();
  const double wall = std::chrono::duration<double>(lastResult - okPressed).count();
  if (watchSeconds <= 0 || wall < watchSeconds || rolloutSettings.rolloutStopFlag != 0) return;
  gamesWatched = rolloutStats.wins[0] + rolloutStats.wins[1];
  processorWatched = static_cast<double>(std::clock() - processorAtOk) / CLOCKS_PER_SEC;
  wallWatched = wall;
  stopRollout();
}

void nextGameUntilTheEnd() {
  nextRolloutGame();
  if (rolloutInProgress()) return;
  noticeDone = Clock::now();
  shellFlags.quitRequested = -1;
  turnServices.waitForPointClick = leaveAtThePersonsWait;
  interactionServices.waitForBoardClick = leaveAtThePersonsWait;
}

// Game > Roll Out Position, the games typed, Show Board as asked, OK: true once the rollout runs.
bool startTheRolloutAsAPerson(bool showBoard) {
  chooseMenuItem(kGameMenu, kRolloutItem);
  if (!pumpUntil([] { return windowExists(kRolloutSetupWindow); })) return false;
  auto* games = qobject_cast<QLineEdit*>(controlWidget(kRolloutSetupWindow, kSetupGamesField));
  if (games == nullptr) return false;
  games->setText(kGamesTyped);
  setControlValue(kRolloutSetupWindow, kSetupShowBoardBox, showBoard ? 1 : 0);
  okPressed = Clock::now();
  processorAtOk = std::clock();
  pressButton(kRolloutSetupWindow, kOkButton);
  return pumpUntil([] { return windowExists(kRolloutResultsWindow) && rolloutInProgress(); });
}

// The game's rollout from the person's OK to its end, in the program's own main loop:
// false when its window did not start it.
bool runTheRolloutAsAPerson(bool showBoard, bool sameGames) {
  startTheProgram();
  // The same games in every build, so that their times compare.
  if (sameGames) {
    seedRandom(kSameGamesSeed);
    fillDicePool();
  }
  rolloutServices.nextRolloutGame = nextGameUntilTheEnd;
  countResult = turnServices.updateRolloutStatistics;
  turnServices.updateRolloutStatistics = countThenTime;
  if (!startTheRolloutAsAPerson(showBoard)) return false;
  shellFlags.quitRequested = 0;
  runMainLoop();
  return true;
}

void closeTheProgramsWindows() {
  windowClose(kRolloutResultsWindow);
  windowClose(kBoardWindow);
  shellFlags.quitRequested = 0;
}

void BM_GameRolloutAsAPersonStartsIt(benchmark::State& state) {
  long games = 0;
  double seconds = 0;
  double noticeSeconds = 0;
  for (auto _ : state) {
    if (!runTheRolloutAsAPerson(false, false)) {
      state.SkipWithError("the rollout did not start from its window");
      break;
    }
    seconds += std::chrono::duration<double>(lastResult - okPressed).count();
    noticeSeconds += std::chrono::duration<double>(noticeDone - lastResult).count();
    games += rolloutStats.wins[0] + rolloutStats.wins[1];
    state.PauseTiming();
    closeTheProgramsWindows();
    state.ResumeTiming();
  }
  state.counters["games"] = static_cast<double>(games);
  state.counters["games_per_wall_s"] = seconds > 0 ? static_cast<double>(games) / seconds : 0;
  state.counters["notice_s"] = state.iterations() > 0 ? noticeSeconds / static_cast<double>(state.iterations()) : 0;
}
BENCHMARK(BM_GameRolloutAsAPersonStartsIt)->Unit(benchmark::kSecond)->Iterations(3);

void BM_GameRolloutShowingTheBoard(benchmark::State& state) {
  const QByteArray asked = qgetenv("BENCH_SHOWN_SECONDS");
  watchSeconds = asked.isEmpty() ? kShownSecondsByDefault : asked.toDouble();
  for (auto _ : state) {
    if (!runTheRolloutAsAPerson(true, true)) {
      state.SkipWithError("the rollout did not start from its window");
      break;
    }
    state.PauseTiming();
    closeTheProgramsWindows();
    state.ResumeTiming();
  }
  watchSeconds = 0;
  state.counters["shown_games"] = static_cast<double>(gamesWatched);
  state.counters["shown_wall_s"] = wallWatched;
  state.counters["shown_cpu_share"] = wallWatched > 0 ? processorWatched / wallWatched : 0;
}
BENCHMARK(BM_GameRolloutShowingTheBoard)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace bg
