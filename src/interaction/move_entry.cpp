#include "interaction/move_entry.h"

#include <algorithm>
#include <cstdlib>

#include "display/board_layout.h"
#include "display/checker_animation.h"
#include "display/bear_off.h"
#include "display/checker_stacks.h"
#include "display/drag_feedback.h"
#include "display/message_line.h"
#include "display/move_markers.h"
#include "flow/turn_state.h"
#include "interaction/board_hit_test.h"
#include "interaction/board_waits.h"
#include "interaction/easy_moves.h"
#include "interaction/typed_moves.h"
#include "interaction/move_entry_state.h"
#include "interaction/put_down_check.h"
#include "rules/checker_move.h"
#include "rules/take_back.h"
#include "rules/whole_roll_check.h"
#include "runtime/core/clock.h"
#include "runtime/core/messages.h"
#include "state/board_input.h"
#include "state/display_services.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/shell_services.h"
#include "state/sound_services.h"
#include "state/speech_state.h"
#include "state/turn_flags.h"

namespace bg {

MoveEntryState moveEntry;
BG_RESETS_WITH_PROGRAM(moveEntry);

namespace {

constexpr int32_t kMessage48Gap = 2;  // seconds between two showings of message 48
constexpr double kTooManyHeldSeconds = 2.0;
constexpr char kTooManyHeldText[] = "MMYou had too many pieces selected";
constexpr char kNineHeldText[] = "MMCan't select more than 9 pieces";

auto& picked() { return interactionDisplay.pickedCheckers; }
int16_t side() { return position.currentPlayer; }
int16_t dir() { return position.playerDirection[side()]; }
int16_t ownCount(int16_t p) { return static_cast<int16_t>(position.board[p] * dir()); }
bool isBar(int16_t p) { return p == 0 || p == 25; }

void alert() {
  if (speech.speechOn == 0) hook::playAlertSound();
}

void show(int16_t message) {
  interaction.messageNumber = message;
  hook::displayMessage();
}

void clearLineUnlessKept() {
  if (boardInput.keepRollMessage != -1) hook::clearMessageLine(0);
}

// The dice clicked while holding none: the roll is checked for a play left.
void diceZonePickUp() {
  anyDieStillPlayable();
  if (wholeRoll.noMovesLeft == 0 && wholeRoll.wholeRollRefused == 0) {
    const int32_t now = secondsToday();
    if (now - moveEntry.lastMessage48Time > kMessage48Gap || now < moveEntry.lastMessage48Time) {
      interaction.messageNumber = kMovesToPlayMessage;
      moveEntry.lastMessage48Time = now;
    }
  } else {
    turnFlags.removeDiceAtTurnEnd = -1;
  }
}

void playValidatedSteps() {
  for (int16_t step = 1; step <= hand.moveStepCount; ++step) {
    hand.typedMoveStep = step;
    hand.moveDistance = hand.stepDistances[step - 1];
    if (step > 1) hand.selectedPoint = hand.moveToPoint;
    moveOneChecker();
    if (step < hand.moveStepCount && hand.moveToPoint < 0) break;
  }
  hand.selectedPoint = kNoPointSelected;
  if (boardInput.pickedCount > 0) {
    hand.selectedPoint = picked()[boardInput.pickedCount];
    hand.pieceInHand = -1;
    if (flow.abortTurn != 0) returnAllHeldCheckers();
  }
  if (displaySettings.showPossibleMoves != 0 && boardInput.pickedCount == 1 &&
      position.playerType[side()] == kHumanPlayer)
    showPossibleMoveMarkers();
}

}  // namespace

void beepSetMessage44() {
  alert();
  interaction.messageNumber = kNoCheckerThereMessage;
}
void beepShowMessage207() {
  alert();
  show(kPutCheckerDownMessage);
}
void beepShowMessage46() {
  alert();
  show(kPickOwnCheckerMessage);
}
void showMessage4() { show(kNotNowMessage); }

void humanTurn() {
  if (position.playerType[side()] != kNoInputPlayer) humanMoveInput();
  if (flow.abortTurn != 0) return;
  if ((options.easyMoves != 0 || moveEntry.easyMoveOnce != 0) && moveEntry.easyMoveReady != 0) {
    hand.typedMovePending = -1;
    applyTypedMove();
    hand.typedMovePending = 0;
    boardInput.requestAutoMove = 0;
    hand.pieceInHand = 0;
    boardInput.pickedCount = 0;
  }
  moveEntry.easyMoveOnce = 0;
  moveEntry.easyMoveReady = 0;
}

void humanMoveInput() {
  wholeRoll.wholeRollRefused = 0;
  wholeRoll.noMovesLeft = 0;
  hand.moveEntryActive = -1;
  int16_t k = 0;
  while (hand.moveEntryActive != 0) {
    if (hand.typedMovePending == 0) {
      moveEntry.waitingForMove = -1;
      waitForPointClick();
      moveEntry.waitingForMove = 0;
    }
    wholeRoll.wholeRollRefused = 0;
    wholeRoll.noMovesLeft = 0;
    if (flow.abortTurn != 0) return;
    if (boardInput.pickedCount == 0) {
      handleMoveEntryClick();
      if (hand.typedMovePending != 0 || options.easyMoves != 0) return;
      if (flow.abortTurn != 0 || wholeRoll.noMovesLeft != 0 || boardInput.pickedCount == 0 || moveEntry.barRefused != 0)
        return;
      continue;
    }
    pieceFromClick();
    if (moveEntry.clickOnOwnStack != 0 && moveEntry.clickOnTopSlot == 0 && options.selectOneOnly == 0) {
      hand.moveStepCount = 1;
      moveEntry.triedSlot = boardInput.pickedCount;
      hand.selectedPoint = picked()[boardInput.pickedCount];
      validateCheckerMove();
      interaction.messageNumber = kNoMessage;
      wholeRoll.wholeRollRefused = 0;
      wholeRoll.noMovesLeft = 0;
      hand.moveEntryActive = -1;
      if (moveEntry.moveTakenBack != 0) {
        moveEntry.moveTakenBack = 0;
        if (boardInput.pickedCount == 0) hand.pieceInHand = 0;
        return;
      }
      if (flow.movesLeft > boardInput.pickedCount - 1 + hand.moveStepCount) {
        handleMoveEntryClick();
        if (flow.abortTurn != 0 || wholeRoll.noMovesLeft != 0 || moveEntry.barRefused != 0 ||
            moveEntry.pickUpAccepted != 0)
          return;
      }
    }
    for (int16_t j = boardInput.pickedCount; j >= 1; --j) {
      if (interaction.clickedPoint != picked()[j]) continue;
      hand.selectedPoint = picked()[j];
      picked()[j] = kEmptyPickSlot;
      returnHeldChecker();
      return;
    }
    moveEntry.emptyPointClicks = 0;
    sortPickedCheckers();
    for (k = boardInput.pickedCount; k >= 1; --k) {
      hand.selectedPoint = picked()[k];
      moveEntry.triedSlot = k;
      validateCheckerMove();
      moveEntry.trayClickTarget = 0;
      if (hand.moveEntryActive == 0 || interaction.clickedPoint == kDiceActionZone) break;
    }
    if (moveEntry.moveTakenBack != 0) {
      moveEntry.moveTakenBack = 0;
      if (boardInput.pickedCount == 0) hand.pieceInHand = 0;
      return;
    }
    if (interaction.messageNumber != kNoMessage) hook::displayMessage();
    if (flow.abortTurn != 0) return;
    if (hand.moveEntryActive != 0) {
      if (isBar(hand.selectedPoint)) hand.selectedPoint = static_cast<int16_t>(25 - hand.selectedPoint);
      if (hand.typedMovePending != 0 || boardInput.pickedCount == 0) return;
      continue;
    }
    picked()[k] = kEmptyPickSlot;
  }
  clearLineUnlessKept();
  interactionDisplay.checkerPickedUp = 0;
  if (isBar(hand.selectedPoint)) hand.selectedPoint = static_cast<int16_t>(25 - hand.selectedPoint);
  if (hand.typedMovePending == 0)
    playValidatedSteps();
  else
    moveEntry.typedMoveChecked = -1;
}

void handleMoveEntryClick() {
  if (options.selectOneOnly != 0 && boardInput.pickedCount > 0) return;
  // A typed move names its from-point: Easy Moves would read it as a destination. With
  // checkers in the hand a click picks up one more: an easy move would drop the hand.
  const bool typed = hand.typedMovePending != 0;
  if (!typed && boardInput.pickedCount == 0 && (options.easyMoves != 0 || boardInput.requestAutoMove != 0)) {
    moveEntry.easyMoveReady = 0;
    if (checkClickedPoint() == 0) {
      turnFlags.removeDiceAtTurnEnd = -1;
    } else if (findAutoMove() != 0) {
      moveEntry.easyMoveReady = 255;
      hand.pieceInHand = -1;
      hand.typedMovePending = -1;
      if (boardInput.requestAutoMove != 0) moveEntry.easyMoveOnce = 255;
    }
  } else {
    checkPickUpClick();
  }
  if (flow.abortTurn != 0) return;
  if (wholeRoll.noMovesLeft != 0) {
    wholeRoll.noMovesLeft = 0;
  } else if (hand.typedMovePending == 0 && !rolloutPlaysUnattended() && moveEntry.easyMoveReady == 0 &&
             hand.pieceInHand != 0 && moveEntry.pickUpAccepted != 0) {
    selectPiece();
    interactionDisplay.trayPickUp = 0;
  }
}

void checkPickUpClick() {
  moveEntry.pickUpAccepted = 0;
  moveEntry.barRefused = 0;
  if (hand.typedMovePending != 0) {
    boardHit.hitLeftDice = 0;
    boardHit.hitRightDice = 0;
  }
  const int16_t p = interaction.clickedPoint;
  if (boardHit.hitLeftDice != 0 || boardHit.hitRightDice != 0) {
    diceZonePickUp();
  } else if (p >= -2 && p <= 25) {
    const int16_t bar = position.barPoint[side()];
    bool heldFromBar = false;
    for (int16_t j = 1; j <= boardInput.pickedCount; ++j) heldFromBar = heldFromBar || picked()[j] == bar;
    if (ownCount(bar) > 0 && p != bar) {
      interaction.messageNumber = kEnterFromBarMessage;
    } else if (heldFromBar && p != bar) {
      interaction.messageNumber = kEnterFromBarMessage;
      moveEntry.barRefused = 255;
    } else if (p >= 0 && ownCount(p) <= 0) {
      if (position.board[p] != 0) {
        interaction.messageNumber = kOpponentCheckersMessage;
      } else if (moveEntry.emptyPointClicks != 0) {
        alert();
        interaction.messageNumber = kPickOwnCheckerMessage;
        moveEntry.emptyPointClicks = 0;
      } else {
        beepSetMessage44();
        moveEntry.emptyPointClicks += 1;
      }
    } else if (p < 0 && !(record.gameRecordCount >= 1 && record.gameRecord[record.gameRecordCount].toPoint == -1 &&
                           record.gameRecord[record.gameRecordCount].side == side() &&
                           p == (side() == kPlayer0 ? kLowerTrayZone : kUpperTrayZone))) {
      interaction.messageNumber = kCantBearOffMessage;
    } else {
      if (p < 0) interactionDisplay.trayPickUp = -1;
      hand.selectedPoint = p;
      hand.pieceInHand = -1;
      moveEntry.pickUpAccepted = -1;
    }
  } else if (boardInput.diceAreaClicked == 0 && boardInput.hitCube == 0) {
    // A click on the cube has had the cube's answer.
    alert();
    interaction.messageNumber = kPickOwnCheckerMessage;
  }
  if (interaction.messageNumber != kNoMessage) hook::displayMessage();
}

void selectPiece() {
  if (boardInput.pickedCount >= kMostHeldCheckers) {
    interaction.messageText = kNineHeldText;
    hook::displayMessage();
    return;
  }
  hand.piecePicked = -1;
  if (displaySettings.showPossibleMoves != 0 && boardInput.pickedCount == 0 && hand.selectedPoint >= 0)
    showPossibleMoveMarkers();
  clearLineUnlessKept();
  if (boardInput.pickedCount == 1) erasePossibleMoveMarkers();
  if (boardInput.pickedCount == 0) {
    boardInput.pickedCount = 1;
    startCheckerDrag();
    clipToBoard();
    boardInput.pickedCount = 0;
  }
  interactionDisplay.pickingUpChecker = -1;
  hand.moveToPoint = hand.selectedPoint;
  hook::animateCheckerMove(0, 0);
  interactionDisplay.pickingUpChecker = 0;
  hand.piecePicked = 0;
  boardInput.pickedCount += 1;
  hand.pieceInHand = -1;
  redrawHeldPiece();
  picked()[boardInput.pickedCount] = hand.selectedPoint;
  interactionDisplay.checkerPickedUp = -1;
}

void pieceFromClick() {
  const int16_t p = interaction.clickedPoint;
  if (p < 0 || p > 25 || boardInput.diceAreaClicked != 0) return;
  const int16_t n = ownCount(p);
  if (n <= 0 || hand.typedMovePending != 0) {
    moveEntry.clickOnOwnStack = 0;
    return;
  }
  // The places are where the checkers are drawn: the click goes to the nearest of the
  // five places a stack shows, its top checkers and the free one where the next is drawn.
  const int16_t v = boardHit.clickVSaved;
  const int16_t half = static_cast<int16_t>(layout.pieceHeight / 2);
  auto distance = [&](int16_t k) { return std::abs(stackSlotTop(p, k) + half - v); };
  const auto free = static_cast<int16_t>(n + 1);
  int16_t nearest = free;
  for (int16_t k = static_cast<int16_t>(std::max(1, free - (kStackWrap - 1))); k < free; ++k)
    if (distance(k) < distance(nearest)) nearest = k;
  int16_t lo = stackSlotTop(p, 1);
  int16_t hi = lo;
  for (int16_t k = 2; k <= n; ++k) {
    lo = std::min(lo, stackSlotTop(p, k));
    hi = std::max(hi, stackSlotTop(p, k));
  }
  const bool onCheckers = v >= lo && v <= hi + layout.pieceHeight;
  const bool onFree = nearest == free && distance(free) <= half;
  // Past a full layer the free place lies over the checkers below it.
  moveEntry.clickOnOwnStack = onCheckers && (nearest != free || n >= kStackWrap) ? int16_t{-1} : int16_t{0};
  moveEntry.clickOnTopSlot = onFree ? int16_t{-1} : int16_t{0};
}

void returnHeldChecker() {
  if (boardInput.pickedCount <= 0) return;
  if (hand.typedMovePending != 0) {
    // A typed or easy move holds its checker in the list only: it never left its point.
    boardInput.pickedCount = static_cast<int16_t>(boardInput.pickedCount - 1);
    if (boardInput.pickedCount <= 0) hand.pieceInHand = 0;
    return;
  }
  hand.moveToPoint = hand.selectedPoint;
  display.moveFromHand = -1;
  display.liftFromPoint = 0;
  interactionDisplay.pickingUpChecker = -1;
  if (hand.selectedPoint < 0) {
    // Out of the tray and back in: the tray of the side that bore it off.
    display.movingPieceSide = record.gameRecord[record.gameRecordCount].side;
    interactionDisplay.checkerPickedUp = -1;
    hook::bearOffToTray();
  } else {
    hook::animateCheckerMove(0, 0);
  }
  interactionDisplay.pickingUpChecker = 0;
  clearLineUnlessKept();
  if (boardInput.pickedCount <= 0) hand.pieceInHand = 0;
  hand.selectedPoint = kNoPointSelected;
  interactionDisplay.checkerPickedUp = 0;
  if (boardInput.pickedCount < 2) showPossibleMoveMarkers();
}

void returnAllHeldCheckers() {
  const int16_t count = boardInput.pickedCount;
  for (int16_t j = count; j >= 1; --j) {
    hand.selectedPoint = picked()[j];
    picked()[j] = kEmptyPickSlot;
    returnHeldChecker();
  }
  interaction.messageText = kTooManyHeldText;
  hook::displayMessage();
  hook::pauseAfterMove(kTooManyHeldSeconds);
}

void putBackLastHeld() {
  const int16_t k = boardInput.pickedCount;
  if (k < 1) return;
  hand.selectedPoint = picked()[k];
  picked()[k] = kEmptyPickSlot;
  returnHeldChecker();
}

void putBackHeldCheckers() {
  for (int16_t held = boardInput.pickedCount; held > 0; --held) {
    putBackLastHeld();
    if (boardInput.pickedCount >= held) break;  // nothing went back: never loop for ever
  }
  hand.pieceInHand = 0;
}

void takeBackByPutDown(int16_t to, int16_t bar) {
  // The slot is emptied first: the landing compacts the hand around it.
  const int16_t slot = moveEntry.triedSlot;
  const int16_t kept = picked()[slot];
  picked()[slot] = kEmptyPickSlot;
  bool done = false;
  if (interactionDisplay.checkerPickedUp != -1) {
    putPieceBack();
    done = interaction.putBackDone == -1;
  } else {
    if (to == 25 - bar) hand.moveToPoint = static_cast<int16_t>(25 - to);
    takeBackLastMove();
    done = interaction.takeBackFailed == 0;
    if (done) {
      moveEntry.moveTakenBack = -1;
      interactionDisplay.checkerPickedUp = 0;
    }
  }
  if (!done) picked()[slot] = kept;
}

}  // namespace bg
