#pragma once
// The saved-game code's position test, kept with the rules because it is plain state.
namespace bg {

// openingPhase becomes -1 (and turnNumber 1) exactly when the board holds the starting
// position, else 0; dice that show are drawn again.
void checkStartingPosition();

}  // namespace bg
