#pragma once
// One turn of the side to move: the hand-over, the computer's decisions before its roll,
// the roll, the closed-out case, the human's automatic aids, the move loop, the optional
// click after the move, and the hand-over to the end of the game.
#include <cstdint>

namespace bg {

void playTurn();

// The click-after-move wait: the dice stay on the board until the user clicks. A
// take-back inside it sets abortTurn back to 0 and the move loop runs again.
void waitForRollOrDouble();

// -1 when the side to move waits for a click after its move (never in a rollout).
int16_t isClickAfterMoveDue();

// A game put in place while a turn runs (the position editor's, one opened from a file or
// resumed) comes with its own dice: what the turn it ends asked for its dice (a refused
// Easy Move asks to take them off) is not done to them.
void keepDiceOfGamePutInPlace();

// True when the side cannot enter from the bar: the opponent holds all six home points.
bool isClosedOut(int16_t side);

}  // namespace bg
