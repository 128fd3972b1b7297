#include "rules/checker_move.h"

#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/storage_state.h"

namespace bg {

namespace {

// The roll flags stay on the first part-move's entry; the hit flag and the high bits
// are the move's own.
constexpr int16_t kKeptRollFlags = 0x0FFF & ~kFlagHit;

bool isBarIndex(int16_t point) { return point == 0 || point == 25; }

}  // namespace

void moveOneChecker() {
  storage.gameModified = -1;

  const int16_t distance = hand.moveDistance;
  int16_t die = diceState.dice[1].value == distance ? 1 : 0;
  if (diceState.dice[die].value == 0) die = 1 - die;

  hand.pieceInHand = 0;
  flow.movesLeft -= 1;
  advanceGameRecord();
  flow.moveNumber += 1;

  GameRecordEntry move = record.gameRecord[record.gameRecordCount];
  move.flags = static_cast<int16_t>(move.flags & kKeptRollFlags);
  move.distance = distance;
  move.die1 = diceState.rolledDice[0];
  move.die2 = diceState.rolledDice[1];
  move.moveNumber = flow.moveNumber;
  move.side = position.currentPlayer;
  move.fromPoint = hand.selectedPoint;

  const int16_t direction = position.playerDirection[position.currentPlayer];
  hand.moveDistance = static_cast<int16_t>(hand.moveDistance * direction);
  // A checker on the bar moves as if it stood just off the board.
  if (isBarIndex(hand.selectedPoint)) hand.selectedPoint = 25 - hand.selectedPoint;
  hand.moveToPoint = hand.selectedPoint + hand.moveDistance;
  if (hand.moveToPoint >= 1 && hand.moveToPoint <= 24) {
    if (position.board[hand.moveToPoint] == -direction) move.flags |= kFlagHit;
    move.toPoint = hand.moveToPoint;
  } else {
    move.toPoint = -1;
  }

  record.gameRecord[record.gameRecordCount] = move;

  animateMove();

  // Doubles use the entries from the last one down, so entries 0 and 1 go last.
  const int16_t used = diceState.rolledDoubles != 0 ? static_cast<int16_t>(4 - flow.moveNumber) : die;
  diceState.dice[used].value = 0;
  hook::showDieUsed(used);

  const bool sideBorneOff = position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0;
  if (sideBorneOff && (flow.bestMoveForHuman == 0 || flow.forcedMovePlayed != 0)) {
    flow.abortTurn = kLeaveTurn;
    flow.newGameRequested = -1;
    if (position.playerType[position.currentPlayer] == kHumanPlayer &&
        playSearch.playLength < flow.movesAllowed) {
      endMovePhase();
    }
  }

  if (flow.movesLeft == 0) {
    flow.turnNumber += 1;
    flow.abortTurn = kLeaveTurn;
  }
}

void animateMove() {
  display.bearingOffPiece = 0;
  const GameRecordEntry move = record.gameRecord[record.gameRecordCount];
  hand.selectedPoint = move.fromPoint;
  hand.moveToPoint = move.toPoint;
  hand.moveDistance = static_cast<int16_t>(move.toPoint - move.fromPoint);

  const bool bestMove = flow.bestMoveForHuman != 0;
  if (position.playerType[position.currentPlayer] == kHumanPlayer && hand.typedMovePending == 0 &&
      !rolloutPlaysUnattended() && !bestMove) {
    // The user moved this checker by hand: it lands from the hand.
    display.moveFromHand = -1;
    display.liftFromPoint = 0;
  }

  const bool hit = (move.flags & kFlagHit) != 0;
  if (hand.moveToPoint > 0) {
    if (hit) position.board[hand.moveToPoint] = 0;  // the hit checker is lifted off
    // A move entered in several steps lands once, at its last step.
    if (hand.typedMovePending != 0 || hand.typedMoveStep == hand.moveStepCount) hook::animateCheckerMove(0, 0);
    if (hit) hook::drawHitToBar();
  }
  if (hand.moveToPoint == -1) {
    display.movingPieceSide = move.side;
    hook::bearOffToTray();
  }
}

void endMovePhase() {
  flow.movePhaseOver = -1;
  if (flow.turnEndPending == 0) hook::recordTurnEnd();
}

}  // namespace bg
