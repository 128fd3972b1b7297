// The board window's own events: the right button stands for the control-click only on the
// mover's turn with the dice showing, the middle button is left alone, and a resize first
// answers a waiting question, puts held checkers back and ends the position editor.
#include "shell/board_window_events.h"

#include <gtest/gtest.h>

#include "../display/board_fixture.h"
#include "display/world_housekeeping.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/position_setup.h"
#include "runtime/qt/menus.h"
#include "shell/board_window.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "interaction/board_question.h"
#include "state/position.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

class BoardWindowEvents : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    script_.budget = 5000;
    windowSelect(1);
  }
};

WindowEvent press(int16_t button) {
  WindowEvent e;
  e.kind = WindowEvent::kMouseDown;
  e.window = 1;
  e.button = button;
  return e;
}

TEST_F(BoardWindowEvents, TheRightButtonActsOnlyOnTheMoversTurnWithTheDiceShowing) {
  struct Row {
    const char* name;
    int16_t turnPlayer;
    int16_t diceShowing;
    bool acts;
  };
  for (const Row& r : {Row{"the mover's roll", 0, -1, true}, Row{"before the roll", 0, 0, false},
                       Row{"the computer's turn", 1, -1, false}}) {
    SCOPED_TRACE(r.name);
    testing::setPosition("start | dice 3 1 | side 0");
    position.turnPlayer = r.turnPlayer;
    diceState.diceShowing = r.diceShowing;
    flow.movesAllowed = 2;
    flow.movesLeft = 2;
    options.easyMoves = -1;  // the right button then plays the reverse easy move
    turnState.autoMoveReverse = 0;
    boardInput.clickH = 0;
    WindowEvent e = press(2);
    EXPECT_TRUE(boardWindowEventHandler(e)) << "a right click is always taken";
    EXPECT_EQ(turnState.autoMoveReverse, r.acts ? 255 : 0);
    EXPECT_EQ(boardInput.clickH, r.acts ? layout.boardCentreX : 0);
    EXPECT_EQ(boardInput.rightClickEmulation, 0);
  }
  WindowEvent middle = press(3);
  EXPECT_FALSE(boardWindowEventHandler(middle));
  WindowEvent left = press(1);
  EXPECT_FALSE(boardWindowEventHandler(left));
}

TEST_F(BoardWindowEvents, ARightButtonTakeBackInTheRollWaitEndsItsWaitForAClick) {
  testing::setPosition("start | dice 3 1 | side 0");
  position.turnPlayer = 0;
  diceState.diceShowing = -1;
  options.rightMouseActionNP = kRightClickTakesBack;
  flow.movesAllowed = 2;
  flow.movesLeft = 0;
  playSearch.playLength = 2;
  flow.rollWaitActive = -1;
  interactionDisplay.boardInputEvent = 0;
  emulateControlClick();
  EXPECT_EQ(flow.rollWaitActive, 0);
  EXPECT_EQ(interactionDisplay.boardInputEvent, 255) << "the next click would only end the old wait";
}

TEST_F(BoardWindowEvents, AResizeAnswersAWaitingQuestionYes) {
  interaction.messageLines[1] = "Take the double?";
  interaction.messageLineCount = 1;
  drawBoardQuestion();
  script_.then([] { prepareBoardResize(); });
  waitForBoardClick();
  closeBoardOverlay();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(interaction.panelAnswer, -1);
  EXPECT_EQ(panelWait.questionPanelUp, 0);
}

TEST_F(BoardWindowEvents, AResizeDuringTheEditorEndsItWithTheCheckersPutBackAndTheMenusBack) {
  // Whatever state the item had before the editor comes back after it.
  const bool newGameEnabled = menuItemEnabled(kGameMenu, kNewGameItem);
  // A checker of side 0 out of its tray and held when the window is resized.
  script_.then([] {
    const Point p = trayPiecePosition(0, 1);
    const Point at{static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + 1)};
    testing::simulateMouse(testing::MouseScript::globalOf(at), true);
    testing::pressAt(1, at);
    testing::simulateMouse(testing::MouseScript::globalOf(at), false);
    testing::releaseAt(1, at);
  });
  int16_t heldAtResize = 0;
  script_.then([&heldAtResize] {
    heldAtResize = boardInput.pickedCount;
    prepareBoardResize();
  });
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(heldAtResize, 1);
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(hand.pieceInHand, 0);
  EXPECT_EQ(position.piecesOnBoard[0], 0);
  EXPECT_EQ(boardState.setupInProgress, 0);
  EXPECT_EQ(interactionDisplay.doneButtonShown, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(menuItemEnabled(kGameMenu, kNewGameItem), newGameEnabled);
}

}  // namespace
}  // namespace bg
