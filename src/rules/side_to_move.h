#pragma once
// The side to move and its opponent change places.

namespace bg {

// currentPlayer and otherPlayer exchanged: to hand a turn over, or to look at the game
// from the other side for a moment.
void exchangeSideToMove();

}  // namespace bg
