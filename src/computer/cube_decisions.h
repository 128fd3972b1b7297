#pragma once
// The computer's cube decisions: whether the side on roll doubles and whether the doubled
// side takes, from the position analysis, the doubling position scores and the late-race
// counts, weighed against thresholds that grow with the square of the pip count and are
// scaled by the doubling factors, the cube, the match score and the personality.
namespace bg {

// Sets cube.doublePending (-1: double) for currentPlayer; the caller has run the position
// analysis from its view. With cube.beaverMode set it judges a beaver for the side that
// has just taken. Leaves doublingPosition.cubeThreshold1/2 for the readers after it.
void decideDouble();

// Withdraws a double when the doubler does better to play on for a gammon: only while
// the opponent has borne off no man.
void playOnForGammonCheck();

// Sets cube.doubleTaken (-1: take) for otherPlayer, doubled by currentPlayer; cubeValue
// is already the doubled value. Runs the analysis from the doubled side's view and
// leaves it so.
void computerTakeDecision();

}  // namespace bg
