#pragma once
// Rollouts on the real game loop over the reference board, on a virtual clock: the
// rollout starts from the board's position and the loop runs until it has ended.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "display/board_fixture.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_settings.h"
#include "rollout/rollout_stats.h"
#include "runtime/core/files.h"
#include "runtime/core/random.h"
#include "state/rollout_services.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"

namespace bg::testing {

// Called after every game's statistics; the real update runs first.
inline void (*afterEachGame)() = nullptr;

inline void updateThenWatch() {
  updateRolloutStatistics();
  if (afterEachGame != nullptr) afterEachGame();
}

// What the rollout left when it had ended.
struct AfterRollout {
  CheckedArray<int16_t, 25> board;
  int16_t currentPlayer = 0;
  int16_t die0 = 0;
  int16_t die1 = 0;
};
inline AfterRollout afterRollout;
inline double secondsPaused = 0;

// The real next game; once the rollout has ended the loop stops.
inline void nextGameThenStop() {
  nextRolloutGame();
  if (rolloutInProgress()) return;
  afterRollout = {position.board, position.currentPlayer, diceState.dice[0].value, diceState.dice[1].value};
  shellFlags.quitRequested = -1;
}

// The user's first wait after the rollout leaves the game as New Game does: both sides
// emptied, so nothing is announced, and the loop returns to the pump.
inline void leaveTheLoop() {
  if (rolloutInProgress() || shellFlags.quitRequested == 0) return;
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
  flow.newGameRequested = -1;
  flow.abortTurn = kLeaveTurn;
  shellFlags.modalBusy = 1;
}

class RolloutTest : public BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    loadShippedMessages();
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    installRolloutServices();
    rolloutServices.nextRolloutGame = nextGameThenStop;
    turnServices.updateRolloutStatistics = updateThenWatch;
    turnServices.pumpEvents = [] {};
    turnState.previousOpponentMode = flow.opponentMode;
    secondsPaused = 0;
    shellServices.pauseSeconds = [](double s) { secondsPaused += s; };
    turnServices.waitForPointClick = leaveTheLoop;
    interactionServices.waitForBoardClick = leaveTheLoop;
    afterEachGame = nullptr;
    seedRandom(11);
    fillDicePool();
    folder_ = std::filesystem::temp_directory_path() / ("bg-rollout-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    setDataFolder(folder_);
    rolloutSettings.gamesWanted = 20;
    rolloutSettings.minMaxStart = 5;
    rolloutSettings.rolloutBackgammonsAllowed = -1;
    settings.soundOptions.soundOn = 0;
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    afterEachGame = nullptr;
    BoardWindowTest::TearDown();
  }
  // Starts the rollout from the state the test has set and plays it to its end; atStart
  // runs once it has started.
  void rollOut(void (*atStart)() = nullptr) {
    shellFlags.quitRequested = 0;
    startRollout();
    if (atStart != nullptr) atStart();
    runMainLoop();
    shellFlags.quitRequested = 0;
    shellFlags.modalBusy = 0;
    // The way out of the loop asked for a new game: the next rollout must not start
    // by throwing its first game away.
    flow.newGameRequested = 0;
    flow.abortTurn = 0;
  }
  std::filesystem::path folder_;
};

}  // namespace bg::testing
