// A change of opponent mode while a checker is held puts the checker back on its point
// first: the turn is left with an empty hand and all fifteen on the board.
#include <gtest/gtest.h>

#include "../display/board_fixture.h"
#include "flow/opponent_modes.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
#include "interaction/move_entry.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "support/mouse_script.h"

namespace bg {
namespace {

class ModeChange : public testing::BoardWindowTest {};

int checkersOf(int16_t side) {
  int count = 0;
  for (int p = 0; p <= 25; ++p) {
    const int n = position.board[p];
    if ((side == 0 && n > 0) || (side == 1 && n < 0)) count += n > 0 ? n : -n;
  }
  return count;
}

TEST_F(ModeChange, HeldCheckersGoBackBeforeTheTurnIsLeft) {
  for (const int16_t mode : {kTwoPeople, kComputersOnly}) {
    testing::setPosition("start | dice 3 1 | side 0");
    static testing::MouseScript mouse;
    mouse = testing::MouseScript{};
    installInteractionServices();
    turnServices.pumpEvents = [] { mouse.pump(); };
    setMouseVector([] { interactionDisplay.boardInputEvent = 255; });
    flow.opponentMode = kComputerOpponent;
    flow.movesAllowed = flow.movesLeft = 2;
    diceState.diceShowing = -1;
    options.selectOneOnly = 0;
    UseVirtualClock clock;
    const int16_t slice = eventSlice();
    setEventSlice(0);
    redrawBoardWindow();
    const auto before = position.board;
    const Point twelve{static_cast<int16_t>(layout.pointGeometry[12][5] + layout.pieceWidth / 2),
                      static_cast<int16_t>(layout.pointGeometry[12][0] + layout.pieceHeight / 2)};
    const Point seventeen{static_cast<int16_t>(layout.pointGeometry[17][5] + layout.pieceWidth / 2),
                     static_cast<int16_t>(layout.pointGeometry[17][0] + layout.pieceHeight / 2)};
    mouse.click(twelve);
    mouse.click(seventeen);
    mouse.then([mode] {
      EXPECT_EQ(boardInput.pickedCount, 2);
      selectOpponentMode(mode);
    });
    mouse.budget = 2000;
    while (!mouse.idle() && !mouse.spent && flow.abortTurn == 0) humanMoveInput();
    setEventSlice(slice);
    setMouseVector(nullptr);
    EXPECT_EQ(boardInput.pickedCount, 0) << mode;
    EXPECT_EQ(hand.pieceInHand, 0) << mode;
    EXPECT_EQ(position.board, before) << mode;
    EXPECT_EQ(checkersOf(0), 15) << mode;
    EXPECT_EQ(checkersOf(1), 15) << mode;
    // The two points the checkers came from look as a fresh redraw draws them.
    const QImage kept = testing::boardArea();
    redrawBoardWindow();
    const QImage fresh = testing::boardArea();
    for (const int16_t p : {int16_t{12}, int16_t{17}}) {
      const QRect column(layout.pointGeometry[p][5] - layout.boardRect.left, 0, layout.pieceWidth, kept.height());
      EXPECT_EQ(kept.copy(column), fresh.copy(column)) << mode << " point " << p;
    }
  }
}

}  // namespace
}  // namespace bg
