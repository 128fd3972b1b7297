#include "rules/flow_services.h"

#include "rules/flow_state.h"
#include "rules/game_record.h"

namespace bg {

FlowServices flowServices;

namespace least {

void postClickAtBoardCorner() { flow.keyCommandBusy = -1; }

void recordTurnEnd() {
  if (flow.turnEndPending != 0) {
    flow.movePhaseOver = -1;
    return;
  }
  recordUnplayedDiceEntries();
  if (flow.bestMoveForHuman == 0) flow.abortTurn = kLeaveTurn;
}

void announceConcession() {}

}  // namespace least
}  // namespace bg
