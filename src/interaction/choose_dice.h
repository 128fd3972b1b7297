#pragma once
// Choosing the dice by hand: a panel over the board with the six die faces in two rows
// and a button that rolls at random instead. The first face clicked is die 1, the second
// die 2; a roll chosen this way is marked in the game record and counted among the aids.
#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

// Runs the panel; the roll is left in the dice, rolledDice, movesAllowed, movesLeft and
// rolledDoubles, or no dice when the turn was aborted meanwhile.
void chooseDiceWindow();
// Draws the panel: its box, title, instruction, button and the six faces.
void drawChooseDice();
// The click loop: until two faces are chosen, the button is pressed or the turn aborted.
void chooseDiceByClick();
// The face 1..6 drawn under a board point, 0 when none.
int16_t chooserFaceAt(Point at);

}  // namespace bg
