#pragma once
// The value parsers of the keyed saved-game lines. Numbers inside a value are separated
// by blanks only; a missing number reads as 0.
#include <cstdint>
#include <string_view>

#include "storage/saved_game.h"

namespace bg {

// The next blank-separated number of text. position (1-based) points at the last
// character taken; it is left on the blank after the number, or past the end.
int32_t nextNumberField(std::string_view text, int16_t& position);

// "Board " and 26 counts; counts the line lacks are 0. False unless the line is exactly 26
// whole numbers of checkers (-15 to 15) and blanks: a count damaged or missing would
// otherwise be read as a point left empty, its checkers taken for borne off.
bool parseBoardLine(std::string_view text, SavedGame& g);
void parseScoresValue(std::string_view text, SavedGame& g);
// True when every number of a value fits the Int16 it is stored in: a larger one would be
// read as its low bits, 65537 as 1.
bool numbersFitInt16(std::string_view text);
void parseDiceValue(std::string_view text, SavedGame& g);
void parseRolledOverValue(std::string_view text, SavedGame& g);
void parseCrawfordValue(std::string_view text, SavedGame& g);

}  // namespace bg
