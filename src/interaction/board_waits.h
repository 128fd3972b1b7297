#pragma once
// The board's waits and the dispatch of a click: the wait for a click on a point, the
// wait for any click or key (pumping events, the held checker following the mouse), and
// the wait of the in-board Yes / No / Done panels.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"
#include "runtime/qt/qd_types.h"

namespace bg {

inline constexpr int16_t kHighestQueuedClick = 7;  // clicks kept for the editor: 0..7

// The state of the waits: the click-or-key wait, and the panel wait of one question.
struct PanelWait {
  int16_t clickWaitRunning = 0;  // -1 while waitForClickOrKey waits
  int16_t panelCloseWait = 0;    // -1 while a board panel waits for the click or key that takes it down
  int16_t questionPanelUp = 0;  // -1 while a panel waits for its answer
  uint8_t panelDone = 0;        // 255 once an answer button was pressed
  uint8_t panelButtonHit = 0;
  uint8_t panelButtonLit = 0;
  Rect panelButtonRect;
  uint8_t doneAnswered = 0;     // 255 when Done ended the wait
  int16_t questionDrawn = 0;    // -1 while the wait's Yes/No box is one drawBoardQuestion drew
  int16_t postedTaken = 0;      // -1 when the last click taken was a posted one, with no pump since
  int16_t questionRedrawDue = 0;  // -1: the board was built anew under the question box
  Str255 questionLineText;         // the message line a resize took from the waiting question
  // Editor clicks no wait has taken yet, oldest first, each where it was pressed.
  CheckedArray<Point, kHighestQueuedClick> queuedClicks{};
  int16_t queuedClickCount = 0;
};
extern PanelWait panelWait;

// Classifies the last click and acts on it; a click on the points leaves its point in
// interaction.clickedPoint.
void handleBoardClick();
void waitForPointClick();
void waitForClickOrKey();
// The editor's wait: it also takes, one by one, the clicks given while a checker landed.
void waitForSetupClick();
// The wait of a board panel that any click or key takes down (the move list, the statistics
// panels): keys and the Commands items that act on the board only end it.
void waitForPanelClose();
// Ends the wait of such a panel; false when none waits.
bool endPanelCloseWait();
// Takes such a panel down before something draws the board anew under it; false when none
// waits. Its wait ends at endTakenPanelWait, once that drawing is done.
bool takeDownWaitingPanel();
void endTakenPanelWait();
// A resize under a waiting question: no answer; its wait wakes and draws the box again on
// the new board.
void keepQuestionThroughResize();
// The answer in interaction.panelAnswer: -1 Yes, 0 No (also when the wait was aborted),
// 1 the middle area.
void waitForBoardClick();
// A click on the board: in the editor it is also kept, at the place it was pressed, so
// clicks given while a checker lands are neither merged nor moved.
void queueBoardClick(Point at, int16_t clickCount);
void dropQueuedClicks();
// The click that came and was not taken yet, and the editor's kept ones, go unanswered.
void dropClicksNotTaken();
// One look at the events; a click that arrived is dispatched as a board click.
void pollBoardClick();
void handleCubeClick();
void triggerDiceAction();
void undoLastPartMove();
// The mouse in board coordinates.
Point boardMouse();

}  // namespace bg
