// The board window's own events: the right button stands for the control-click only on the
// mover's turn with the dice showing, the middle button is left alone, and a resize draws a
// waiting question again at the new size and puts held checkers back; the position editor
// stays open.
#include "shell/board_window_events.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "../display/board_fixture.h"
#include "display/message_line.h"
#include "display/world_housekeeping.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/position_setup.h"
#include "rules/checker_move.h"
#include "runtime/qt/menus.h"
#include "shell/board_window.h"
#include "shell/shared_services.h"
#include "state/sound_services.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/message_numbers.h"
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
    options.easyMoves = -1;  // the right button never tries the dice the other way round
    turnState.autoMoveReverse = 0;
    boardInput.clickH = 0;
    WindowEvent e = press(2);
    EXPECT_TRUE(boardWindowEventHandler(e)) << "a right click is always taken";
    EXPECT_EQ(turnState.autoMoveReverse, 0);
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

// The entry on top is the mover's but no step of this roll (a saved file can hold -1
// there), or a step with no die of its roll to give back: the right button undoes nothing,
// and the roll's steps go on from where they were.
TEST_F(BoardWindowEvents, ARightButtonTakeBackRefusedLeavesTheRollsStepsWhereTheyWere) {
  const struct Row {
    const char* what;
    const char* board;
    GameRecordEntry top;
  } rows[] = {
      {"no step", "start | dice 2 2 | side 0", {0, 0, 0, 0, 0, 0, -1, 0, 0, 0}},
      {"a step of a 5 with 2s rolled", "start 1:3 3:1 12:3 | dice 2 2 | side 0", {0, 1, 3, 5, 2, 2, 1, 0, 0, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    testing::setPosition(r.board);
    position.turnPlayer = 0;
    diceState.diceShowing = -1;
    options.rightMouseActionNP = kRightClickTakesBack;
    flow.movesAllowed = 4;
    flow.movesLeft = 3;
    flow.moveNumber = 1;
    flow.abortTurn = 0;  // the row before played its roll out
    boardInput.pickedCount = 0;
    diceState.dice[3].value = 0;  // the first step is played
    record.gameRecordCount = 1;
    record.gameRecord[1] = r.top;
    const auto board = position.board;
    WindowEvent e = press(2);
    EXPECT_TRUE(boardWindowEventHandler(e));
    EXPECT_EQ(position.board, board);
    EXPECT_EQ(record.gameRecordCount, 1);
    const int16_t from = position.playerDirection[0] > 0 ? 1 : 24;
    for (int16_t step = 2; step <= 4; ++step) {
      hand.selectedPoint = from;
      hand.moveDistance = 2;
      moveOneChecker();
    }
    EXPECT_EQ(flow.movesLeft, 0);
    for (long n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 0) << "die " << n;
  }
}

// The question's message line, as the double offer puts it up.
void showQuestionLine() {
  interaction.messageNumber = kNoMessage;
  interaction.messageText = "MMAnn, do you accept the double?";
  displayMessage();
}

// A resize is no answer: the question and its message line come back on the board at its
// new size, as they are drawn there afresh, and wait for the person's click, larger or smaller.
TEST_F(BoardWindowEvents, AResizeDrawsAWaitingQuestionAgainAtTheNewSizeAndItWaitsForItsAnswer) {
  testing::loadShippedMessages();
  installBoardWindowHandler();
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    redrawBoardWindow();
    interaction.messageLines[1] = "Take the double?";
    interaction.messageLineCount = 1;
    cube.doubleTaken = 0;
    drawBoardQuestion();
    showQuestionLine();
    const Rect content = windowContentRect(1);
    const int16_t widthBefore = display.boardWidth;
    const int grow = yes ? 120 : -80;
    script_.then([content, grow] { testing::userResize(1, content.width() + grow, content.height() + grow * 3 / 4); });
    QImage shown;
    bool clicked = false;
    script_.planner = [&] {
      if (clicked || display.boardWidth == widthBefore || display.overlayActive == 0) return;
      clicked = true;
      EXPECT_EQ(panelWait.questionPanelUp, -1);
      shown = testing::boardArea();
      script_.click(testing::middleOf(yes ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect));
    };
    waitForBoardClick();
    script_.planner = nullptr;
    closeBoardOverlay();
    EXPECT_FALSE(script_.spent);
    EXPECT_TRUE(clicked) << "the question did not wait at the new size";
    EXPECT_EQ(interaction.panelAnswer, yes ? -1 : 0);
    EXPECT_EQ(cube.doubleTaken, yes ? -1 : 0);
    EXPECT_NE(display.boardWidth, widthBefore) << "the board follows the window";
    clearMessageLine(0);
    redrawBoardWindow();
    drawBoardQuestion();
    showQuestionLine();
    EXPECT_TRUE(shown == testing::boardArea()) << "the box at the new size is not the one drawn there afresh";
    clearMessageLine(0);
    closeBoardOverlay();
    expectLikeAFreshRedraw("the box taken down");
  }
}

// The first checker in side's tray, and the place of the first checker on empty point p.
Point inTray(int16_t side) {
  const Point p = trayPiecePosition(side, 1);
  return {static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + layout.trayPieceThickness / 2)};
}
Point onEmptyPoint(int16_t p) {
  const BoardLayout& L = layout;
  const int step = std::abs(L.stackStep);
  const int16_t x = static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2);
  if (p >= 13) return {x, static_cast<int16_t>(L.fieldBottom - step / 5)};
  return {x, static_cast<int16_t>(L.fieldTop + L.pointMargin / 2 + step)};
}

// Started from a cleared board, the editor runs the script's clicks, then side 1's checker
// on the 19 point, Done, the cube to nobody and side 0 to roll.
void runEditorToItsEnd(testing::MouseScript& script) {
  script.clickWhere([] { return inTray(1); });
  script.clickWhere([] { return onEmptyPoint(19); });
  script.clickWhere([] { return testing::middleOf(interactionDisplay.doneButtonRect); });
  script.clickWhere([] { return testing::middleOf(interactionDisplay.noButtonRect); });
  script.clickWhere([] { return testing::middleOf(interactionDisplay.noButtonRect); });
  turnServices.chooseDiceWindow = flowLeast::nothing;
  startPositionSetup();
}

TEST_F(BoardWindowEvents, AResizeDuringTheEditorKeepsItOpenWithTheCheckersAsLaidAndTheHandEmptied) {
  testing::loadShippedMessages();
  installBoardWindowHandler();
  // Whatever state the item had before the editor comes back after it.
  const bool newGameEnabled = menuItemEnabled(kGameMenu, kNewGameItem);
  const int16_t widthBefore = display.boardWidth;
  const Rect content = windowContentRect(1);
  // One checker of side 0 laid on point 6, a second held when the window is resized.
  script_.clickWhere([] { return inTray(0); });
  script_.clickWhere([] { return onEmptyPoint(6); });
  script_.clickWhere([] { return inTray(0); });
  int16_t heldAtResize = 0;
  script_.then([&heldAtResize, content] {
    heldAtResize = boardInput.pickedCount;
    testing::userResize(1, content.width() + 140, content.height() + 100);
  });
  // Still the editor, at the new size: the hand empty, the laid checker where it was, the
  // Done box drawn as a fresh redraw draws it.
  int16_t setupAfter = 0, heldAfter = -1, onSix = 0, outOfTray = 0;
  bool boxShown = false;
  script_.then([&] {
    setupAfter = boardState.setupInProgress;
    heldAfter = boardInput.pickedCount;
    onSix = position.board[6];
    outOfTray = position.piecesOnBoard[0];
    boxShown = display.overlayActive != 0 && interactionDisplay.doneButtonShown != 0;
    expectLikeAFreshRedraw("the editor at the new size");
  });
  // The editor goes on.
  runEditorToItsEnd(script_);
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(heldAtResize, 1);
  EXPECT_EQ(setupAfter, -1) << "the resize ended the editor";
  EXPECT_EQ(heldAfter, 0);
  EXPECT_EQ(onSix, 1);
  EXPECT_EQ(outOfTray, 1);
  EXPECT_TRUE(boxShown);
  EXPECT_NE(display.boardWidth, widthBefore) << "the board follows the window";
  // Play goes on from the position laid out, never from a half-laid board.
  EXPECT_EQ(position.board[6], 1);
  EXPECT_EQ(position.board[19], -1);
  EXPECT_EQ(position.piecesOnBoard[0], 1);
  EXPECT_EQ(position.piecesOnBoard[1], 1);
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(hand.pieceInHand, 0);
  EXPECT_EQ(boardState.setupInProgress, 0);
  EXPECT_EQ(interactionDisplay.doneButtonShown, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(menuItemEnabled(kGameMenu, kNewGameItem), newGameEnabled);
}

}  // namespace
}  // namespace bg

namespace bg {
namespace {

bool resizeInSound = false;

// A checker's landing sound waits, and the window's events come in while it does: a
// resize made then is handled in the middle of the put-down. A click on the tray just
// before it was given on the old board and is taken nowhere.
void landingSoundWithAResize() {
  if (!resizeInSound) return;
  resizeInSound = false;
  const Rect content = windowContentRect(1);
  testing::clickAt(1, inTray(0));
  testing::userResize(1, content.width() + 120, content.height() + 90);
  for (int i = 0; i < 5; ++i) pollEvents();
}

TEST_F(BoardWindowEvents, AResizeDuringALandingInTheEditorPutsBackWhatTheHandHolds) {
  testing::loadShippedMessages();
  installBoardWindowHandler();
  soundServices.playPieceSound = landingSoundWithAResize;
  // Three out of side 0's tray into the hand, one put down on point 6 with the resize
  // during its sound.
  for (int k = 0; k < 3; ++k) script_.clickWhere([] { return inTray(0); });
  script_.then([] { resizeInSound = true; });
  script_.clickWhere([] { return onEmptyPoint(6); });
  int16_t heldAfter = -1, outOfTray = -1, onSix = -1;
  script_.then([&] {
    heldAfter = boardInput.pickedCount;
    outOfTray = position.piecesOnBoard[0];
    onSix = position.board[6];
  });
  runEditorToItsEnd(script_);
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(heldAfter, 0);
  EXPECT_EQ(onSix, 1);
  EXPECT_EQ(outOfTray, 1);
  EXPECT_EQ(position.board[6], 1);
  EXPECT_EQ(position.board[19], -1);
  EXPECT_EQ(position.piecesOnBoard[0], 1);
  EXPECT_EQ(position.piecesOnBoard[1], 1);
}

}  // namespace
}  // namespace bg
