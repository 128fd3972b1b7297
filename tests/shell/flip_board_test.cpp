// Settings > Flip Board while the person waits to roll, chosen at two rolls in a row: each
// time the person and the computer change seats over the same position (the board mirrored,
// the cube's owner and each side's borne-off checkers going with it), the turn is left and
// the side on roll in that position, now the computer's, rolls and plays. Nothing is rolled
// or played for the person on the way.
#include <gtest/gtest.h>

#include <string>

#include "../display/board_fixture.h"
#include "display/board_rebuild.h"
#include "flow/game_loop.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "started_program.h"
#include "state/cube_state.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "state/shell_flags.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using Board = CheckedArray<int16_t, 25>;

Board mirrored(const Board& b) {
  Board m{};
  for (int p = 0; p <= 25; ++p) m[p] = static_cast<int16_t>(-b[25 - p]);
  return m;
}

// Each side's checkers counted on the board.
bool countsMatchTheBoard() {
  int16_t on[2] = {0, 0};
  for (int p = 0; p <= 25; ++p) on[position.board[p] > 0 ? 0 : 1] += static_cast<int16_t>(std::abs(position.board[p]));
  return on[0] == position.piecesOnBoard[0] && on[1] == position.piecesOnBoard[1];
}

class FlipBoard : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    installDisplayServices();
    installInteractionServices();
    setMouseVector(mouseEventHook);
    windowSelect(1);
    testing::pumpWithScript(script_, 20000);
  }
  void TearDown() override {
    testing::pumpingScript() = nullptr;
    setMouseVector(nullptr);
    shellFlags.quitRequested = 0;
    StartedProgram::TearDown();
  }
  testing::MouseScript script_;
};

TEST_F(FlipBoard, AtEachRollThePeopleChangeSeatsAndTheComputerPlaysOnTheCheckersOnRoll) {
  // The person (side 0) has borne off two checkers, the computer none; the person owns the cube.
  testing::personToPlay("19:3 20:3 21:3 22:2 23:2 6:-5 8:-3 13:-5 24:-2 | cube 2 0 | side 0");
  testing::setSideOnRoll(1);  // the hand-over gives the roll to the person
  diceState.diceShowing = 0;
  cube.cubeUsed = -1;
  redrawBoardWindow();
  int flips = 0;
  Board beforeFlip{};
  long entriesBefore = 0;
  int16_t ownerBefore = 0;
  script_.planner = [&] {
    if (panelWait.clickWaitRunning == 0) return;
    EXPECT_TRUE(countsMatchTheBoard()) << "after " << flips << " flips";
    if (panelWait.questionPanelUp != 0) {
      script_.click(testing::middleOf(interactionDisplay.yesButtonRect));
      return;
    }
    ASSERT_EQ(position.currentPlayer, 0) << "only the person waits";
    ASSERT_NE(turnState.awaitingDiceClick, 0) << "the person waits for a roll, nothing else";
    if (flips > 0) {
      // Since the flip only the computer rolled and played.
      EXPECT_GT(record.gameRecordCount, entriesBefore);
      for (long n = entriesBefore + 1; n <= record.gameRecordCount; ++n)
        EXPECT_NE(record.gameRecord[n].side, 0) << "entry " << n << " after " << flips << " flips";
    }
    if (flips == 2) {
      shellFlags.quitRequested = -1;
      flow.abortTurn = kLeaveTurn;
      return;
    }
    ++flips;
    beforeFlip = position.board;
    ownerBefore = cube.cubeOwner;
    script_.then([&] {
      choose(kSettingsMenu, kFlipBoardItem);
      EXPECT_EQ(position.board, mirrored(beforeFlip));
      EXPECT_EQ(cube.cubeOwner, 1 - ownerBefore);
      EXPECT_TRUE(countsMatchTheBoard()) << "right after flip " << flips;
      entriesBefore = record.gameRecordCount;
    });
  };
  gameLoopStep();
  EXPECT_EQ(flips, 2);
  EXPECT_FALSE(script_.spent);
}

}  // namespace
}  // namespace bg
