#pragma once
// The moves that need no choice at the start of a human turn, played through the typed-move
// player, and the automatic pass when nothing of the roll is left to play. Each reads the
// board in the mover's direction.
namespace bg {

// Enters from the bar what needs no choice: one entry point blocked, two or more on the
// bar, or a double.
void autoEnterFromBar();
// Bears off with each die while no hit is possible with the other one.
void autoBearOffMoves();
// When no die of the roll can be played any more: says so, waits, and ends the move phase.
void reportNoMoreMoves();

}  // namespace bg
