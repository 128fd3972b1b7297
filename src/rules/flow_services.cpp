#include "state/flow_services.h"

#include "rules/game_record.h"
#include "state/flow_state.h"
#include "state/program_state.h"

namespace bg {

FlowServices flowServices;
BG_RESETS_WITH_PROGRAM(flowServices);

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
