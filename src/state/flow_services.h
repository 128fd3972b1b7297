#pragma once
// What the rules ask of the game flow, through a table the flow fills at start-up.
// The defaults make the state change each service makes.
namespace bg {

namespace least {
void postClickAtBoardCorner();
void recordTurnEnd();
void announceConcession();
}  // namespace least

struct FlowServices {
  // Posts a click on the dice: the next board wait takes it as the click that rolls.
  void (*postClickAtBoardCorner)() = least::postClickAtBoardCorner;
  // Records every unplayed die of the roll and ends the turn (only ends the move phase
  // when flow.turnEndPending is set).
  void (*recordTurnEnd)() = least::recordTurnEnd;
  // Shows the winner and the points of a resignation with the accept question; the
  // answer is left in interaction.panelAnswer (not 0: accepted). Its least form asks
  // nobody and leaves the answer as it was.
  void (*announceConcession)() = least::announceConcession;
};

extern FlowServices flowServices;

namespace hook {
inline void postClickAtBoardCorner() { flowServices.postClickAtBoardCorner(); }
inline void recordTurnEnd() { flowServices.recordTurnEnd(); }
inline void announceConcession() { flowServices.announceConcession(); }
}  // namespace hook

}  // namespace bg
