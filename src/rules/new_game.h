#pragma once
// A new game: the starting position and the reset of every per-game value, in order.
namespace bg {

// Starts a new game from any state (the game loop calls it when a new game was
// requested; every game of a rollout starts here too).
void startNewGame();
// Lays out the starting position and resets every per-game value; ends with
// resetGameState.
void setStartingPosition();
// The smaller per-game reset: declined doubles, overlay, contact flag, record count,
// message line.
void resetGameState();

}  // namespace bg
