#include "rules/take_back.h"

#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "rules/record_walk.h"
#include "rules/starting_position.h"
#include "runtime/core/clock.h"

namespace bg {

namespace {

constexpr int16_t kAutoDoubleFlags = kFlagAutoDoubled | kFlagAutoDoubleNotDoubled;
constexpr int64_t kAutoDoubleUndoPauseMs = 600;

GameRecordEntry& currentEntry() { return record.gameRecord[record.gameRecordCount]; }
GameRecordEntry& header() { return record.gameRecord[0]; }

void setCurrentPlayer(int16_t side) {
  position.currentPlayer = side;
  position.otherPlayer = static_cast<int16_t>(1 - side);
}

void swapSides() { setCurrentPlayer(position.otherPlayer); }

bool diceShow() { return diceState.diceShowing == -1; }

// The entry at n is a part-move (or an unplayed die) that can be undone.
bool partMoveAt(int16_t n) {
  return n >= 1 && isPlayerSide(record.gameRecord[n].side) && record.gameRecord[n].moveNumber >= 1;
}

bool partMoveAtCount() { return partMoveAt(record.gameRecordCount); }

// Points in the direction of travel: a checker on the bar stands just off the board
// behind the side's start, a checker in the tray just past its home.
int16_t pointOnTrack(int16_t point, int16_t side) {
  if (point == -1) return side == kPlayer0 ? 25 : 0;
  if (point == position.barPoint[side]) return static_cast<int16_t>(25 - position.barPoint[side]);
  return point;
}

void restoreHitOf(GameRecordEntry& e) {
  swapSides();
  hand.selectedPoint = position.barPoint[position.currentPlayer];
  hand.moveToPoint = e.toPoint;
  position.board[hand.moveToPoint] = 0;
  hook::animateCheckerMove(0, 0);
  swapSides();
  display.restoredHit = 0;
  e.flags = static_cast<int16_t>(e.flags & ~kFlagHit);
}

void takeBackDoubleOf(GameRecordEntry& e) {
  if (!entryHoldsDouble(e)) return;
  cube.cubeValue = static_cast<int16_t>(e.cubeValue / 2);
  e.flags = static_cast<int16_t>(e.flags & ~kFlagDoubleRecorded);
  if ((e.flags & kFlagBeavered) != 0) {
    cube.cubeValue = static_cast<int16_t>(cube.cubeValue / 2);
    e.flags = static_cast<int16_t>(e.flags & ~kFlagBeavered);
  }
  const bool wasCentred = (e.flags & kFlagCubeWasCentred) != 0;
  e.flags = static_cast<int16_t>(e.flags & ~kFlagCubeWasCentred);
  cube.cubeOwner = e.cubeOwner;
  cube.cubeOwnerBeforeDouble = e.cubeOwner;
  // The doubler held the cube before.
  if (e.cubeOwner != kCubeCentred) cube.cubeOwner = static_cast<int16_t>(1 - e.cubeOwner);
  if (wasCentred) cube.cubeOwner = kCubeCentred;
  hook::drawCube();
  e.cubeOwner = 0;
  e.cubeValue = 0;
}

// A used die of the roll in hand gets `distance` back: the one rolled with that value,
// else the first used one.
void giveDieBack(int16_t distance) {
  for (int16_t n = 0; n <= 3; ++n) {
    if (diceState.dice[n].value == 0 && diceState.rolledDice[n] == distance) {
      diceState.dice[n].value = distance;
      return;
    }
  }
  for (int16_t n = 0; n <= 3; ++n) {
    if (diceState.dice[n].value == 0) {
      diceState.dice[n].value = distance;
      return;
    }
  }
}

void dropRecordEntries(int16_t count) {
  record.gameRecordCount = static_cast<int16_t>(record.gameRecordCount - count);
  flow.moveNumber = static_cast<int16_t>(flow.moveNumber - count);
  flow.movesLeft = static_cast<int16_t>(flow.movesLeft + count);
}

// The held checker lands on hand.moveToPoint: it is already off its point.
void landHeldChecker() {
  display.moveFromHand = -1;
  display.liftFromPoint = 0;
  hook::animateCheckerMove(0, 0);
}

bool chainMatches(int16_t chainLength, int16_t held, int16_t die) {
  const int16_t side = position.currentPlayer;
  const int16_t direction = position.playerDirection[side];
  for (int16_t j = 0; j <= chainLength; ++j) {
    const GameRecordEntry& e = record.gameRecord[record.gameRecordCount - j];
    if (e.side != side || e.distance != die) return false;
    if (pointOnTrack(e.toPoint, side) != held - j * die * direction) return false;
    if (pointOnTrack(e.fromPoint, side) != held - (j + 1) * die * direction) return false;
  }
  return true;
}

// A step goes back with its die: one of the faces of the roll it was made with.
bool entryDieOfItsRoll(const GameRecordEntry& e) { return e.distance == e.die1 || e.distance == e.die2; }

// The part-move entries that `turns` turn take-backs undo, tried on a copy of the board
// first: a record that does not lead to the board, or a step with no die of its roll to
// give back, moves no checker at all.
bool turnsUndoable(int16_t turns) {
  BoardCounts b = boardCountsOf(position.board);
  b.piecesOnBoard = position.piecesOnBoard;
  int16_t n = record.gameRecordCount;
  for (int16_t t = 0; t < turns && partMoveAt(n); ++t) {
    const int16_t parts = record.gameRecord[n].moveNumber;
    for (int16_t k = 0; k < parts && partMoveAt(n); ++k, --n) {
      const GameRecordEntry& e = record.gameRecord[n];
      if (!entryDieOfItsRoll(e) || undoEntryOnBoard(e, b) != UndoFault::kNone) return false;
    }
  }
  return true;
}

int16_t wholeTurnsToUndo() { return flow.opponentMode == kComputerOpponent ? 2 : 1; }

void takeBackRollShown() {
  swapSides();
  hook::setDiceDisplayFlags(0);
  interaction.rollOverActive = 0;
  flow.abortTurn = kLeaveTurn;
  removeDice();
  if (settings.automaticRolls != 0) flow.firstRollNeedsClick = -1;
}

void takeBackMovesOfRoll() {
  undoTurnEntries();
  hook::setDiceDisplayFlags(-1);
  interaction.rollOverActive = 0;
  // The next turn flips the sides back to the side whose roll was undone.
  setCurrentPlayer(static_cast<int16_t>(1 - record.gameRecord[record.gameRecordCount + 1].side));
  flow.movesLeft = 0;
  flow.abortTurn = kLeaveTurn;
}

void takeBackWholeTurns() {
  const int16_t turns = wholeTurnsToUndo();
  for (int16_t n = 0; n < turns && partMoveAtCount(); ++n) {
    if (diceShow()) {
      removeDice();
    } else {
      drawDiceBackground();
    }
    undoTurnEntries();
  }
  if (turns == 1) {
    hook::drawTurnArrow();
    hook::drawNameLabels();
  }
  header().cubeValue += 1;  // w8: "Took Back Moves Used"
  flow.turnTakeBacks[position.currentPlayer] += 1;
  hook::setDiceDisplayFlags(0);
  removeDice();
  recheckStartingPosition();
  redrawDice();
  playSearch.searchedPlayer = -1;
  for (DiceEntry& die : diceState.dice) die.value = 0;
  if (position.playerType[kPlayer1] == kComputerPlayer &&
      record.gameRecord[record.gameRecordCount + 1].side == kPlayer1) {
    // The computer plays its turn again with its recorded roll.
    setCurrentPlayer(kPlayer0);
    flow.abortTurn = kLeaveTurn;
  } else {
    flow.movesLeft = 0;
  }
}

}  // namespace

void takeBack() {
  hand.diceClicked = 0;
  // The header is never undone, nor a game over: its record ends with the result, whose
  // fields are counts (a concession's second die is -1), and the dice of a resigner's roll
  // in hand are no roll to give back.
  if (record.gameRecordCount < 1 || currentEntry().side == kGameEndEntrySide) return;
  GameRecordEntry& e = currentEntry();
  if (e.side == kAutoDoubleEntrySide && (e.flags & kAutoDoubleFlags) != 0) {
    takeBackRoll();
  } else if (!diceShow() && entryHoldsDouble(e)) {
    takeBackDouble();
    e.cubeOwner = 0;
    e.cubeValue = 0;
    flow.doubleTakeBacks[position.currentPlayer] += 1;
    header().fromPoint += 1;  // w1: "Doubles Taken Back"
  } else if (flow.movesLeft == flow.movesAllowed && diceShow()) {
    takeBackRollShown();
  } else if (!partMoveAtCount()) {
    return;  // a game-end entry or the like: nothing to undo
  } else if (diceShow() || interaction.rollOverActive != 0 || flow.rollWaitActive != 0) {
    if (!turnsUndoable(1)) return;
    takeBackMovesOfRoll();
  } else {
    if (!turnsUndoable(wholeTurnsToUndo())) return;
    takeBackWholeTurns();
  }
  interaction.takeBackPending = 0;
}

void undoTurnEntries() {
  if (record.gameRecordCount < 1) return;
  const int16_t parts = currentEntry().moveNumber;
  flow.moveNumber = parts;
  for (int16_t n = 0; n < parts && partMoveAtCount(); ++n) {
    GameRecordEntry& e = currentEntry();
    setCurrentPlayer(e.side);
    const bool doubles = e.die1 == e.die2;
    flow.movesAllowed = partMovesOfRoll(doubles);
    diceState.rolledDoubles = doubles ? -1 : 0;
    flow.movesLeft = static_cast<int16_t>(flow.movesAllowed - flow.moveNumber);
    restoreDie();
    undoMoveEntry();
    takeBackDouble();
    record.gameRecordCount -= 1;
    flow.moveNumber -= 1;
  }
}

void takeBackRoll() {
  GameRecordEntry& e = currentEntry();
  removeDice();
  position.openingPhase = -1;
  const bool doubles = e.die1 == e.die2;
  diceState.dice[0].value = e.die1;
  diceState.dice[1].value = e.die2;
  diceState.dice[2].value = doubles ? e.die1 : int16_t{0};
  diceState.dice[3].value = doubles ? e.die1 : int16_t{0};
  diceState.rolledDoubles = doubles ? -1 : 0;
  for (int16_t n = 0; n <= 3; ++n) diceState.rolledDice[n] = diceState.dice[n].value;
  e.side = kAutoDoubleEntrySide;
  setCurrentPlayer(kPlayer0);
  showRolledDice();
  if ((e.flags & kFlagAutoDoubled) != 0) takeBackDouble();
  delayMs(kAutoDoubleUndoPauseMs);
  record.gameRecordCount -= 1;
  hook::setDiceDisplayFlags(0);
  flow.abortTurn = kLeaveTurn;
}

void takeBackDouble() { takeBackDoubleOf(currentEntry()); }

bool restoreDie() {
  const GameRecordEntry& e = currentEntry();
  int16_t slot = -1;
  for (int16_t n = 0; n <= 1 && slot < 0; ++n) {
    const int16_t rolled = n == 0 ? e.die1 : e.die2;
    if (diceState.dice[n].value == 0 && e.distance == rolled) slot = n;
  }
  // Doubles give entries 2 and 3 back after 0 and 1.
  for (int16_t n = 2; n <= 3 && slot < 0 && e.die1 == e.die2 && e.distance == e.die1; ++n)
    if (diceState.dice[n].value == 0) slot = n;
  if (slot < 0) return false;
  diceState.dice[slot].value = e.distance;
  diceState.rolledDice[slot] = e.distance;
  flow.movesLeft += 1;
  showRolledDice();
  return true;
}

void undoMoveEntry() {
  GameRecordEntry& e = currentEntry();
  flow.turnTakeBacks[position.currentPlayer] += 1;
  if (e.fromPoint == 0 && e.toPoint == 0) return;  // an unplayed die
  const bool hit = entryHits(e);
  // The hit checker goes home first; it takes the mover's checker off the point.
  if (hit) restoreHitOf(e);
  hand.selectedPoint = e.toPoint;
  hand.moveToPoint = e.fromPoint;
  if (hit) display.liftFromPoint = 0;
  hook::animateCheckerMove(0, 0);
}

void restoreHitPiece() { restoreHitOf(currentEntry()); }

void recheckStartingPosition() { checkStartingPosition(); }

void takeBackLastMove() {
  interaction.takeBackFailed = -1;
  if (flow.moveNumber < 1 || !partMoveAtCount()) return;
  const GameRecordEntry& last = currentEntry();
  const int16_t side = position.currentPlayer;
  if (last.side != side || hand.selectedPoint != last.toPoint) return;

  if (hand.moveToPoint == last.fromPoint) {
    display.moveFromHand = -1;
    display.restoredHit = 0;
    giveDieBack(last.distance);
    undoMovePiece();
    drawDice();
    dropRecordEntries(1);
    hand.moveEntryActive = 0;
    interaction.takeBackFailed = 0;
    return;
  }

  if (diceState.rolledDoubles == 0 || last.distance < 1) return;
  // On doubles the checker may go back several steps of the die along its own chain.
  const int16_t die = last.distance;
  const int16_t held = pointOnTrack(hand.selectedPoint, side);
  const int16_t target = pointOnTrack(hand.moveToPoint, side);
  const int16_t travelled = static_cast<int16_t>((held - target) * position.playerDirection[side]);
  if (travelled <= die || travelled % die != 0) return;
  const int16_t steps = static_cast<int16_t>(travelled / die);
  const int16_t chainLength = static_cast<int16_t>(steps - 1);
  if (steps > kPartMovesOfTurn || chainLength >= flow.moveNumber || chainLength >= record.gameRecordCount) return;
  if (!chainMatches(chainLength, held, die)) return;
  for (int16_t n = 0; n < steps; ++n) giveDieBack(die);
  undoHitPiece(chainLength);
  drawDice();
  dropRecordEntries(steps);
  hand.moveEntryActive = 0;
  interaction.takeBackFailed = 0;
}

void undoMovePiece() { undoHitPiece(0); }

void undoHitPiece(int16_t chainLength) {
  flow.turnTakeBacks[position.currentPlayer] += 1;
  const int16_t count = record.gameRecordCount;
  const GameRecordEntry& last = record.gameRecord[count];
  const GameRecordEntry& first = record.gameRecord[count - chainLength];
  if (chainLength == 0 && last.fromPoint == 0 && last.toPoint == 0) return;  // an unplayed die
  // The held checker goes back first, then every checker the chain hit.
  hand.selectedPoint = last.toPoint;
  hand.moveToPoint = first.fromPoint;
  landHeldChecker();
  const int16_t opponentSign = position.playerDirection[position.otherPlayer];
  for (int16_t j = 0; j <= chainLength; ++j) {
    GameRecordEntry& e = record.gameRecord[count - j];
    if (!entryHits(e)) continue;
    const int16_t point = e.toPoint;
    restoreHitOf(e);
    position.board[point] = opponentSign;
    display.restoredHit = -1;
  }
}

void putPieceBack() {
  interaction.putBackDone = 0;
  if (flow.moveNumber < 1 || !partMoveAtCount()) return;
  GameRecordEntry& last = currentEntry();
  const int16_t side = position.currentPlayer;
  if (last.side != side || hand.selectedPoint < 0 || hand.moveToPoint != last.fromPoint) return;
  int16_t free = -1;
  for (int16_t n = 0; n <= 3 && free < 0; ++n) {
    if (diceState.dice[n].value > 0) free = n;
  }
  if (free < 0) return;
  const int16_t die = diceState.dice[free].value;
  const int16_t held = pointOnTrack(hand.selectedPoint, side);
  if (pointOnTrack(last.toPoint, side) != held + die * position.playerDirection[side]) return;

  // The record now says the held checker made the move with the free die; the die the
  // entry used is free instead.
  const int16_t usedDistance = last.distance;
  const int16_t heldPoint = hand.selectedPoint;
  last.fromPoint = heldPoint;
  last.distance = die;
  diceState.dice[free].value = 0;
  giveDieBack(usedDistance);
  hand.selectedPoint = heldPoint;
  landHeldChecker();
  drawDice();
  interaction.putBackDone = -1;
}

}  // namespace bg
