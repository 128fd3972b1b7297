#pragma once
// Every checker move of either side: recorded in the game record, the die used up, the
// checker moved through the board display, the end of the move phase and of the game
// detected.
namespace bg {

// One part-move of currentPlayer from hand.selectedPoint over hand.moveDistance pips
// (already checked to be legal).
void moveOneChecker();
// Moves the checker of the move just made (the last record entry, or the move in hand
// when the record had no room) through the board display.
void animateMove();
// Ends the move phase of the turn; unless its end is handled elsewhere, records the
// unplayed dice and ends the turn.
void endMovePhase();

}  // namespace bg
