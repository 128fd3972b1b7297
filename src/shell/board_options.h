#pragma once
// The Settings menu's board commands without a check mark: the play direction, the two
// sides' colours, and turning the board round with the game and its record.
namespace bg {

void togglePlayDirection();
void swapPlayerColours();
// Refused in the opening before the dice show and once a part of the roll is played.
void flipBoard();

}  // namespace bg
