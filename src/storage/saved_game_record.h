#pragma once
// The move table of a saved game checked against the game: every row one the take-back
// and the replay can read, and the record undone row by row from the Board line.
#include <string>

#include "storage/saved_game.h"

namespace bg {

// Empty when the rows may be put into the game, else what is wrong, naming the row.
std::string moveTableFault(const SavedGame& g);

}  // namespace bg
