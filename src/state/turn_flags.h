#pragma once
// Flags of the game flow and the board display that the computer's play and the play
// search set or read.
#include <cstdint>

namespace bg {

struct TurnFlags {
  int16_t computerMovesForHuman = 0;  // -1: the search only fills the lists; nothing is played
  int16_t removeDiceAtTurnEnd = 0;    // -1: the turn takes the dice off the board at its end
  int16_t pickedUpPoint = 0;          // the point the display lifts the moving checker from
};

extern TurnFlags turnFlags;

}  // namespace bg
