#pragma once
// The saved-game file's text: one key line per value and the move table, every line
// ended by a carriage return.
#include <cstdint>
#include <string>

#include "storage/saved_game.h"

namespace bg {

// A number as the file writes it: a blank before a value that is not negative.
std::string numberField(int64_t value);

std::string savedGameText(const SavedGame& g);

}  // namespace bg
