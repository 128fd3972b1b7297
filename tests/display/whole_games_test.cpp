// Whole games on the animated board: at every turn end the board shows exactly what a
// fresh full redraw shows, so no lift, slide, landing, hit or bear-off leaves a trail.
#include <gtest/gtest.h>

#include <string>

#include "board_fixture.h"
#include "computer/computer_services.h"
#include "computer/program_data.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "runtime/core/random.h"
#include "state/play_options.h"
#include "state/shell_flags.h"

namespace bg {
namespace {

struct GameRun {
  int games = 0;
  int turns = 0;
  int hits = 0;
  int drops = 0;
  int bearOffTurns = 0;
  int doubledTurns = 0;
  int mismatches = 0;
  int wantedGames = 0;
  int16_t lastBar0 = 0;
  int16_t lastBar1 = 0;
};
GameRun run;

// Called by the turn's end: the board as the game left it against a fresh redraw.
void compareWithFreshRedraw() {
  if (redrawState.boardRedrawing != 0) return;
  ++run.turns;
  if (position.board[25] > run.lastBar0 || position.board[0] < run.lastBar1) ++run.hits;
  if (position.piecesOnBoard[0] < kCheckersPerSide || position.piecesOnBoard[1] < kCheckersPerSide)
    ++run.bearOffTurns;
  if (cube.cubeValue > 1) ++run.doubledTurns;
  run.lastBar0 = position.board[25];
  run.lastBar1 = position.board[0];
  if (cube.playerDeclined[0] != 0 || cube.playerDeclined[1] != 0) ++run.drops;
  const QRect area = testing::differenceFromAFreshRedraw();
  if (!area.isEmpty() && run.mismatches++ == 0)
    ADD_FAILURE() << "the board differs from a fresh redraw after turn " << run.turns << " of game " << run.games
                  << " in (" << area.left() << ", " << area.top() << ")-(" << area.right() << ", " << area.bottom()
                  << ")";
}

// The game's end stands in for the end-of-game box: the loop returns to the pump.
void countGame() {
  ++run.games;
  if (run.games >= run.wantedGames || ::testing::Test::HasFailure()) shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
}

void pump() { shellFlags.modalBusy = 0; }

class WholeGames : public ::testing::TestWithParam<int16_t> {
 protected:
  void SetUp() override {
    resetProgramState();
    testing::loadShippedMessages();
    initComputerData();
    installComputerSearchServices();
    installFlowServices();
    testing::openBoard(700, GetParam());
    run = GameRun{};
  }
  void TearDown() override {
    setPort(nullptr);
    windowClose(1);
    resetProgramState();
  }
  UseVirtualClock clock_;
};

TEST_P(WholeGames, EveryTurnEndsWithTheBoardAFreshRedrawWouldShow) {
  seedRandom(5);
  fillDicePool();
  redrawBoardWindow();
  flow.opponentMode = kComputerOpponent;
  rollout.noPause = -1;
  settings.soundOptions.soundOn = 0;
  displaySettings.pieceSpeed = 11;
  cube.cubeUsed = -1;
  options.showPipCounts = -1;
  turnServices.drawPipCounts = compareWithFreshRedraw;
  turnServices.pumpEvents = pump;
  turnServices.endGameHook = countGame;
  run.wantedGames = 4;
  flow.newGameRequested = -1;
  runMainLoop();
  EXPECT_EQ(run.games, run.wantedGames);
  EXPECT_GT(run.turns, 40);
  EXPECT_GT(run.hits, 0);
  EXPECT_GT(run.bearOffTurns, 0);
  EXPECT_GT(run.doubledTurns, 0);
  EXPECT_GT(run.drops, 0);
  EXPECT_EQ(run.mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Schemes, WholeGames, ::testing::Values<int16_t>(1, 10));

}  // namespace
}  // namespace bg
