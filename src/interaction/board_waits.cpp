#include "interaction/board_waits.h"

#include "computer/cube_actions.h"
#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_overlay.h"
#include "display/board_redraw.h"
#include "display/dice_display.h"
#include "state/board_state.h"
#include "display/drag_feedback.h"
#include "display/message_line.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_question.h"
#include "interaction/idle_tracker.h"
#include "interaction/typed_moves.h"
#include "rules/take_back.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/storage_state.h"

namespace bg {

PanelWait panelWait;
BG_RESETS_WITH_PROGRAM(panelWait);

namespace {

constexpr int16_t kPumpEvery = 31;  // polling passes between two pumps
constexpr uint8_t kEventArrived = 255;
constexpr int16_t kBeaverOpen = 1;
constexpr int16_t kBeaverChosen = -1;
constexpr Rect kNoButton{1, 1, 1, 1};

bool posted() { return flow.keyCommandBusy == -1; }

// The click that ended a wait into clickH/clickV (a posted click is there already).
void takeClick() {
  InteractionDisplayState& ui = interactionDisplay;
  boardInput.holdMessageLine = 0;
  ui.boardInputEvent = 0;
  boardInput.waitHelpContext = 0;
  boardInput.clickWasPosted = posted() ? int16_t{-1} : int16_t{0};
  if (posted()) {
    ui.mousePoint = {boardInput.clickH, boardInput.clickV};
  } else {
    // The oldest click kept, where it was pressed; the mouse only when none is kept.
    PanelWait& w = panelWait;
    ui.mousePoint = w.queuedClickCount > 0 ? w.queuedClicks[0] : boardMouse();
    for (int16_t k = 1; k < w.queuedClickCount; ++k) w.queuedClicks[k - 1] = w.queuedClicks[k];
    if (w.queuedClickCount > 0) --w.queuedClickCount;
    boardInput.clickH = ui.mousePoint.h;
    boardInput.clickV = ui.mousePoint.v;
  }
  flow.keyCommandBusy = 0;
}

bool arrived() {
  return interactionDisplay.boardInputEvent == kEventArrived || posted() || panelWait.queuedClickCount > 0;
}

// The panel button under the mouse, in the order Done, Yes, No, the middle area.
const Rect* buttonUnder(Point at, const char** label) {
  const InteractionDisplayState& ui = interactionDisplay;
  if (ui.doneButtonShown != 0 && ptInRect(at, ui.doneButtonRect)) {
    *label = "Done";
    return &ui.doneButtonRect;
  }
  if (ptInRect(at, ui.yesButtonRect)) {
    *label = "Yes";
    return &ui.yesButtonRect;
  }
  if (ptInRect(at, ui.noButtonRect)) {
    *label = "No";
    return &ui.noButtonRect;
  }
  *label = nullptr;
  if (ui.middleButtonActive != 0 && ptInRect(at, ui.middleButtonRect)) return &ui.middleButtonRect;
  return nullptr;
}

void trackPressedButton() {
  PanelWait& w = panelWait;
  const char* label = nullptr;
  const Rect* r = buttonUnder(interactionDisplay.mousePoint, &label);
  w.panelButtonLit = r != nullptr && label != nullptr ? 255 : 0;
  w.panelButtonRect = r != nullptr ? *r : kNoButton;
  if (w.panelButtonLit != 0) {
    drawRoundButton(*r, -1);
    drawButtonLabel(*r, label, -1);
    if (r == &interactionDisplay.doneButtonRect) w.panelDone = 255;
  }
  w.panelButtonHit = trackButton(w.panelButtonRect, label != nullptr ? label : "", w.panelButtonLit != 0 ? -1 : 0)
                         ? 255
                         : 0;
  boardInput.clickH = interactionDisplay.mousePoint.h;
  boardInput.clickV = interactionDisplay.mousePoint.v;
}

void answerFromButton() {
  PanelWait& w = panelWait;
  const InteractionDisplayState& ui = interactionDisplay;
  const Point at = ui.mousePoint;
  if (ui.doneButtonShown != 0 && ptInRect(at, ui.doneButtonRect)) {
    w.panelDone = 255;
    w.doneAnswered = 255;
  } else if (ptInRect(at, ui.yesButtonRect)) {
    w.panelDone = 255;
    interaction.panelAnswer = -1;
    cube.doubleTaken = -1;
  } else if (ptInRect(at, ui.noButtonRect)) {
    w.panelDone = 255;
    interaction.panelAnswer = 0;
  } else if (ui.middleButtonActive != 0 && ptInRect(at, ui.middleButtonRect)) {
    w.panelDone = 255;
    interaction.panelAnswer = 1;
  }
}

}  // namespace

void queueBoardClick(Point at, int16_t clickCount) {
  interactionDisplay.boardInputEvent = kEventArrived;
  // Only the editor keeps clicks: a person lays out checkers quicker than they land. The
  // second press of a double click came with a press of its own; a person's clicks never
  // pile up past the queue.
  PanelWait& w = panelWait;
  if (boardState.setupInProgress == 0 || clickCount != 1 || w.queuedClickCount > kHighestQueuedClick) return;
  w.queuedClicks[w.queuedClickCount++] = at;
}

void dropQueuedClicks() { panelWait.queuedClickCount = 0; }

void dropClicksNotTaken() {
  interactionDisplay.boardInputEvent = 0;
  dropQueuedClicks();
}

Point boardMouse() {
  const GrafPtr saved = getPort();
  if (GrafPtr window = windowPort(kBoardWindow)) setPort(window);
  const Point mouse = getMouse();
  setPort(saved);
  return mouse;
}

void handleBoardClick() {
  // Keys held for a typed "+" are not the modifiers of a click.
  if (boardInput.clickWasPosted == 0 && readAutoMoveModifiers() != 0) return;
  BoardHit& h = boardHit;
  h.clickVSaved = boardInput.clickV;
  h.clickZoneCode = interaction.clickedPoint;
  hitTestBoard();
  interaction.clickedPoint = h.clickZoneCode;
  if (h.hitUpperPoints == 0 && h.hitLowerPoints == 0) {
    if (boardRequests.requestPipToggle != 0 && boardInput.pickedCount == 0) {
      hook::runBoardCommand();
    } else if (h.hitTopStrip != 0) {
      handleMessageAreaClick();
    } else if (h.requestFrameCommand != 0) {
      hook::runBoardCommand();
    } else if (boardInput.diceAreaClicked != 0) {
      if (display.overlayActive != -1 && hand.pieceInHand == 0) hook::diceClickTakeBack();
    } else if (boardInput.hitCube != 0) {
      handleCubeClick();
    }
    return;
  }
  if (h.hitBar != 0) return;
  pointFromClick();
}

void waitForPointClick() {
  interaction.clickedPoint = kNoClickYet;
  while (interaction.clickedPoint == kNoClickYet) {
    // With the beaver window open the last click is dispatched again; the pump keeps
    // that from spinning.
    if (cube.beaverClick != kBeaverOpen)
      waitForClickOrKey();
    else
      hook::pumpEvents();
    if (flow.abortTurn != 0) return;
    interaction.clickedPoint = kNoClickYet;
    handleBoardClick();
  }
}

namespace {
// The saved game the program was opened with is read at the first wait with no question
// and no checker in the hand.
bool documentWaiting() {
  return storage.openDocumentPending != 0 && boardState.welcomePending == 0 && panelWait.questionPanelUp == 0 &&
         hand.pieceInHand == 0;
}

// Until a click, a key or the turn's end; the click kept longest is taken first.
void waitForInput() {
  InteractionDisplayState& ui = interactionDisplay;
  // A posted click is taken at once: a pump now could bring a real click it would hide.
  // A second one in a row waits for one pump, so a click posted again and again (a held
  // modifier) cannot shut the events out for good.
  if (posted() && panelWait.postedTaken == 0) {
    panelWait.postedTaken = -1;
    takeClick();
    return;
  }
  panelWait.postedTaken = 0;
  if (posted()) {
    hook::pumpEvents();
    takeClick();
    return;
  }
  ui.boardInputEvent = 0;
  panelWait.clickWaitRunning = -1;
  // Drawing goes to the window's image only: what was drawn before the wait (the dice
  // just rolled, a put-down) must be on the screen while the person decides.
  flushWindow(kBoardWindow);
  hook::pumpEvents();
  int16_t passes = 0;
  while (!arrived()) {
    if (++passes >= kPumpEvery || button()) {
      passes = 0;
      hook::pumpEvents();
    }
    if (documentWaiting()) {
      FBRaiseDialogEvent(kDialogPrivate, kLoadGameEvent);
      hook::pumpEvents();
    }
    if (!arrived() && flow.abortTurn == 0)
      trackIdleMouse();
    else
      ui.boardInputEvent = kEventArrived;
  }
  panelWait.clickWaitRunning = 0;
  takeClick();
}
}  // namespace

void waitForClickOrKey() {
  // Clicks kept while an editor's checker landed are for the editor's own wait: a question,
  // a move or a box is answered only by a click given for it.
  dropQueuedClicks();
  waitForInput();
}

void waitForSetupClick() { waitForInput(); }

void waitForPanelClose() {
  const int16_t outer = panelWait.panelCloseWait;
  panelWait.panelCloseWait = -1;
  waitForClickOrKey();
  panelWait.panelCloseWait = outer;
}

bool endPanelCloseWait() {
  if (panelWait.panelCloseWait == 0) return false;
  interactionDisplay.boardInputEvent = kEventArrived;
  return true;
}

bool takeDownWaitingPanel() {
  if (panelWait.panelCloseWait == 0) return false;
  // Its saved background is of the board as it is now.
  closeBoardOverlay();
  // What runs until the wait ends waits as usual: its keys are not the panel's.
  panelWait.panelCloseWait = 0;
  return true;
}

// Set after the drawing: a wait that ran inside it would have taken the mark.
void endTakenPanelWait() { interactionDisplay.boardInputEvent = kEventArrived; }

void keepQuestionThroughResize() {
  if (panelWait.questionPanelUp == 0) return;
  panelWait.questionRedrawDue = -1;
  if (messageLine.messageLineShown == -1) panelWait.questionLineText = messageLine.lineText;
  interactionDisplay.boardInputEvent = kEventArrived;
}

namespace {

// Put up again as it was, not spoken a second time.
void showQuestionLineAgain() {
  if (display.overlayActive == 0 && panelWait.questionDrawn != 0) drawBoardQuestion();
  interaction.messageNumber = kNoMessage;
  interaction.messageText = Str255(kFreeTextMarker) + panelWait.questionLineText;
  panelWait.questionLineText.clear();
  messageSpeech.skipNextSpeech = -1;
  displayMessage();
}

}  // namespace

namespace {

// A question waiting when another is asked inside its wait (the quit's save question while
// "Keep this move?" waits) is put back once the inner one is answered, so the person can
// still answer it: its wait wakes and draws its box and buttons again, from the lines the
// inner question's caller put back.
struct OuterQuestion {
  uint8_t panelDone;
  uint8_t doneAnswered;
  int16_t firstPanelRound;
};

OuterQuestion outerQuestion() {
  return {panelWait.panelDone, panelWait.doneAnswered, interactionDisplay.firstPanelRound};
}

void putBackOuterQuestion(const OuterQuestion& q) {
  PanelWait& w = panelWait;
  w.questionPanelUp = -1;
  w.questionDrawn = -1;
  w.panelDone = q.panelDone;
  w.doneAnswered = q.doneAnswered;
  interactionDisplay.firstPanelRound = q.firstPanelRound;
  w.questionRedrawDue = -1;
  interactionDisplay.boardInputEvent = kEventArrived;
}

}  // namespace

void waitForBoardClick() {
  PanelWait& w = panelWait;
  InteractionDisplayState& ui = interactionDisplay;
  hand.boardWaitActive = -1;
  const bool insideQuestion = w.questionPanelUp != 0;
  const OuterQuestion outer = outerQuestion();
  // A question asked inside a panel's wait (the quit's) takes its own keys; the panel's
  // wait goes on once it is answered.
  const int16_t panelWaitOutside = w.panelCloseWait;
  w.panelCloseWait = 0;
  w.questionPanelUp = -1;
  w.panelDone = 0;
  w.doneAnswered = 0;
  ui.firstPanelRound = 255;
  // An aborted wait answers No, whatever an earlier question left.
  interaction.panelAnswer = 0;
  setCursor(kArrowCursor);
  while (flow.abortTurn == 0 && w.panelDone == 0) {
    // A redraw that took the box down (a new board size) must not leave the question unseen.
    if (w.questionDrawn != 0 && display.overlayActive == 0) drawBoardQuestion();
    if (ui.firstPanelRound == 255 && ui.doneButtonShown != 0)
      ui.mousePoint = {boardInput.clickH, boardInput.clickV};
    else
      waitForClickOrKey();
    if (w.questionRedrawDue != 0) {
      // Woken by a resize, not by an answer: the box and its line come back at the new size.
      w.questionRedrawDue = 0;
      if (!w.questionLineText.empty()) showQuestionLineAgain();
      continue;
    }
    w.panelButtonHit = 255;
    ui.firstPanelRound = 0;
    if (button()) trackPressedButton();
    if (w.panelButtonHit != 0) answerFromButton();
    if (w.panelDone != 0 || flow.abortTurn != 0) break;
    hitTestBoard();
    if (boardHit.hitMessageArea != 0 || boardHit.requestHelp != 0)
      handleMessageAreaClick();
    else if (boardHit.requestFrameCommand != 0 || boardRequests.requestPipToggle != 0)
      hook::runBoardCommand();
  }
  w.questionPanelUp = 0;
  w.questionDrawn = 0;
  w.questionRedrawDue = 0;
  w.panelCloseWait = panelWaitOutside;
  // The buttons were the question's: where nothing asks, nothing is a button.
  ui.yesButtonRect = Rect{};
  ui.noButtonRect = Rect{};
  ui.boardInputEvent = 0;
  if (insideQuestion) {
    putBackOuterQuestion(outer);
    return;
  }
  hand.boardWaitActive = 0;
}

void pollBoardClick() {
  dropQueuedClicks();
  hook::pumpEvents();
  if (!arrived()) return;
  takeClick();
  handleBoardClick();
}

void handleCubeClick() {
  // The editor's cube is set by its own chooser; no double is offered while it runs.
  if (boardState.setupInProgress != 0) return;
  if (cube.beaverClick == kBeaverOpen) {
    cube.beaverClick = kBeaverChosen;
    return;
  }
  offerDouble();
}

void triggerDiceAction() {
  // A click on the dice, taken by the running wait as a person's: outside a wait it would
  // be the next wait's stale click, and under a board panel the dice take none.
  if (display.overlayActive != 0 || hand.pieceInHand != 0 || panelWait.questionPanelUp != 0) return;
  if (panelWait.clickWaitRunning == 0) return;
  postDiceClick();
}

void undoLastPartMove() {
  // Only a step of the roll in hand goes back: none while its dice are still chosen by
  // hand, when the moves left are the last turn's, and never the other side's move.
  if (record.gameRecordCount < 1 || diceChooser.chooseDiceOpen != 0) return;
  const GameRecordEntry& last = record.gameRecord[record.gameRecordCount];
  // An entry that is no step of a roll leaves the steps count as it is.
  if (last.side != position.currentPlayer || last.moveNumber < 1) return;
  flow.moveNumber = last.moveNumber;
  interaction.replayingMove = -1;
  flow.movesLeft = static_cast<int16_t>(flow.movesAllowed - flow.moveNumber);
  // The step goes back only with its die: the moves left are the dice left to play.
  if (restoreDie()) {
    undoMoveEntry();
    record.gameRecordCount -= 1;
    flow.moveNumber -= 1;
  }
  interaction.replayingMove = 0;
}

}  // namespace bg
