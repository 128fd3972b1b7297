// Rollout games as the rollout plays them: the opening position, cubeless, both sides the
// computer, the board hidden, one thread, with the real statistics, the fields of the
// results window (offscreen), the event pump after every game and the report file every
// 100 games. Reports games per second.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>
#include <string>

#include "computer/computer_services.h"
#include "computer/personalities.h"
#include "computer/program_data.h"
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
#include "runtime/qt/events.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"

namespace bg {
namespace {

// One game per main-loop run: the game's statistics leave the loop.
void countThenLeave() {
  updateRolloutStatistics();
  shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

void setUpRollout() {
  static int argc = 1;
  static char name[] = "bench_rollout";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  rtInit(argc, argv);
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
  cube.cubeUsed = 0;
  setStartingPosition();
  position.openingPhase = -1;
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
  rollout.rolloutShowBoard = 0;
  rolloutSettings.gamesWanted = kMostRolloutGames;
  rolloutSettings.minMaxStart = 200;
  openRolloutResultsWindow();
  startRollout();
}

void BM_RolloutGames(benchmark::State& state) {
  setUpRollout();
  long games = 0;
  for (auto _ : state) {
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    runMainLoop();
    ++games;
    // A rollout ends at its wanted count: start another on the same position.
    if (rolloutStats.gamesDone + 1 >= rolloutSettings.gamesWanted) startRollout();
  }
  state.counters["games_per_s"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["games"] = static_cast<double>(games);
}
BENCHMARK(BM_RolloutGames)->Unit(benchmark::kMillisecond)->MinTime(5.0);

}  // namespace
}  // namespace bg
