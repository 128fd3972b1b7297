#include "state/display_services.h"

#include "rules/dice.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"

namespace bg {

DisplayServices displayServices;
BG_RESETS_WITH_PROGRAM(displayServices);

namespace {

bool allDiceUsed() {
  int sum = 0;
  for (const DiceEntry& die : diceState.dice) sum += die.value;
  return sum == 0;
}

}  // namespace

namespace least {

void setDiceDisplayFlags(int16_t show) {
  if (show != 0) {
    diceState.diceShowing = -1;
    // The pair of the side not on turn is hidden.
    const int16_t hiddenEnd = position.turnPlayer == 1 ? 1 : 0;
    for (int end = 0; end <= 1; ++end) {
      for (int place = 0; place <= 1; ++place) {
        display.dieSlots[end][place].hidden = end == hiddenEnd ? 255 : 0;
      }
    }
    if (position.openingPhase != 0) {
      // One die per end in the opening roll: the inner place.
      for (int end = 0; end <= 1; ++end) {
        display.dieSlots[end][0].hidden = 255;
        display.dieSlots[end][1].hidden = 0;
      }
    }
  } else {
    diceState.diceShowing = 0;
    for (auto& end : display.dieSlots) {
      for (DiceEntry& slot : end) slot.hidden = 0;
    }
  }
}

void frameAllDice() {}

void showDieUsed(int16_t /*die*/) {
  if (!allDiceUsed()) return;
  display.redrawPending = 0;
  hook::setDiceDisplayFlags(0);
  if (!rolloutHidesBoard() && flow.bestMoveForHuman == 0) removeDice();
}

void animateCheckerMove(int16_t /*targetX*/, int16_t /*targetY*/) {
  const int16_t side = position.currentPlayer;
  const int16_t direction = position.playerDirection[side];
  if (hand.selectedPoint < 0) {
    position.piecesOnBoard[side] += 1;  // taken from the tray
  } else if (display.liftFromPoint != 0) {
    position.board[hand.selectedPoint] -= direction;
  }
  if (hand.moveToPoint >= 0) position.board[hand.moveToPoint] += direction;
  display.moveFromHand = 0;
  display.liftFromPoint = -1;
}

void drawHitToBar() {
  const int16_t hitSide = 1 - position.currentPlayer;
  position.board[position.barPoint[hitSide]] += position.playerDirection[hitSide];
}

void bearOffToTray() {
  const int16_t side = display.movingPieceSide;
  position.piecesOnBoard[side] -= 1;
  display.bearingOffPiece = -1;
  // A human's checker dropped on the tray is already in the hand, off its point.
  if (position.playerType[side] == kHumanPlayer && flow.bestMoveForHuman == 0 && hand.typedMovePending == 0) {
    display.moveFromHand = -1;
    display.liftFromPoint = 0;
  }
  hook::animateCheckerMove(0, 0);
  display.bearingOffPiece = 0;
}

void redrawBoardWindow() {}

void redrawBoardPicture() {
  // At most two boxes are up.
  for (int boxes = 0; boxes < 2 && display.overlayActive != 0; ++boxes) hook::closeBoardOverlay();
  hook::redrawBoardWindow();
}

void closeBoardOverlay() { display.overlayActive = 0; }

void drawDieImage(int16_t /*faceIndex*/, int16_t /*mask*/, int16_t /*left*/, int16_t /*top*/) {}

void restoreBoardBackground(BoardRect /*area*/) {}

void refreshDragSaveUnder(BoardRect /*area*/) {}

void flushBoardWindow() {}

void drawCube() {}

void drawTurnArrow() {}

void drawNameLabels() {}

}  // namespace least
}  // namespace bg
