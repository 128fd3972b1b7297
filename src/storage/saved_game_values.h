#pragma once
// The value parsers of the keyed saved-game lines. Numbers inside a value are separated
// by blanks only; a missing number reads as 0.
#include <cstdint>
#include <limits>
#include <string_view>

#include "storage/saved_game.h"
#include "storage/saved_game_keys.h"

namespace bg {

// The next blank-separated number of text. position (1-based) points at the last
// character taken; it is left on the blank after the number, or past the end.
int32_t nextNumberField(std::string_view text, int16_t& position);

// The key "Board" and 26 counts, each word read once for both the board and its check;
// counts the line lacks are 0. False unless the key stands alone and the rest is exactly 26
// whole numbers of checkers (-15 to 15) and blanks: a count damaged or missing would
// otherwise be read as a point left empty, its checkers taken for borne off.
bool parseBoardLine(std::string_view text, SavedGame& g);
void parseScoresValue(std::string_view text, SavedGame& g);

// The numbers a value is stored in can hold. A byte flag is written signed (-1) and may be
// read either way.
struct NumberField {
  double low;
  double high;
};
inline constexpr NumberField kInt16Field{std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
inline constexpr NumberField kByteField{std::numeric_limits<int8_t>::min(), std::numeric_limits<uint8_t>::max()};
inline constexpr NumberField kInt32Field{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};

// True when every number of a value fits the field it is stored in: a larger one would be
// read as its low bits, 65537 as 1.
bool numbersFit(std::string_view text, NumberField field);
inline bool numbersFitInt16(std::string_view text) { return numbersFit(text, kInt16Field); }
void parseDiceValue(std::string_view text, SavedGame& g);
void parseRolledOverValue(std::string_view text, SavedGame& g);
void parseCrawfordValue(std::string_view text, SavedGame& g);

}  // namespace bg
