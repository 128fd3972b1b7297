#pragma once
// The move list: a framed panel beside the dice of the side to move that lists up to
// three of the best plays of the roll, up until the user clicks or types. The panel's
// lines are kept in interaction.messageLines while it is up, as for every board panel.
#include <cstdint>
#include <string>

#include "state/best_plays_state.h"

namespace bg {

// One play of the list written part-move by part-move in player 0's numbering, each
// number right-aligned in two characters: " 8- 5  6- 5 ", " B-19 19-15 ", " 5-BO ".
std::string playNotation(const BestPlaysList& list, int16_t row);

// Draws the panel with the plays of bestPlaysTrue for the side to move, waits for a click
// or a key, then redraws the board, which takes the panel away.
void showMoveList();

}  // namespace bg
