#pragma once
// What the rules ask of the game flow, through a table the flow fills at start-up.
// The defaults make the state change each service makes.
namespace bg {

namespace least {
void postClickAtBoardCorner();
void recordTurnEnd();
}  // namespace least

struct FlowServices {
  // Posts a click on the dice: the next board wait takes it as the click that rolls.
  void (*postClickAtBoardCorner)() = least::postClickAtBoardCorner;
  // Records every unplayed die of the roll and ends the turn (only ends the move phase
  // when flow.turnEndPending is set).
  void (*recordTurnEnd)() = least::recordTurnEnd;
};

extern FlowServices flowServices;

inline void postClickAtBoardCorner() { flowServices.postClickAtBoardCorner(); }
inline void recordTurnEnd() { flowServices.recordTurnEnd(); }

}  // namespace bg
