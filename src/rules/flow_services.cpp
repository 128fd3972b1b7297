#include "rules/flow_services.h"

#include "rules/dice.h"
#include "rules/flow_state.h"
#include "rules/game_record.h"
#include "rules/position.h"

namespace bg {

FlowServices flowServices;

namespace least {

void postClickAtBoardCorner() { flow.keyCommandBusy = -1; }

void recordTurnEnd() {
  if (flow.turnEndPending != 0) {
    flow.movePhaseOver = -1;
    return;
  }
  for (int16_t n = 0; n < flow.movesAllowed; ++n) {
    const int16_t value = diceState.dice[n].value;
    if (value <= 0) continue;
    flow.moveNumber += 1;
    if (!advanceGameRecord()) continue;
    GameRecordEntry& entry = record.gameRecord[record.gameRecordCount];
    entry = blankRecordEntry;
    entry.side = position.currentPlayer;
    entry.distance = value;
    entry.die1 = diceState.rolledDice[0];
    entry.die2 = diceState.rolledDice[1];
    entry.moveNumber = flow.moveNumber;
  }
  flow.movesLeft = 0;
  if (flow.bestMoveForHuman == 0) flow.abortTurn = kLeaveTurn;
}

void announceConcession() {}

}  // namespace least
}  // namespace bg
