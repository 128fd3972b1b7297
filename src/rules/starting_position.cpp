#include "rules/starting_position.h"

#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/position.h"

namespace bg {

void checkStartingPosition() {
  position.openingPhase = 0;
  int occupied = 0;
  for (const int16_t count : position.board) {
    if (count != 0) ++occupied;
  }
  if (occupied != 8) return;
  for (const StartingPoint& start : kStartingPosition) {
    if (position.board[start.point] != start.count) return;
  }
  position.openingPhase = -1;
  flow.turnNumber = 1;
  if (diceState.diceShowing != 0) redrawDice();
}

}  // namespace bg
