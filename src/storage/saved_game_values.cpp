#include "storage/saved_game_values.h"

#include "runtime/core/format.h"

namespace bg {

namespace {

constexpr int16_t kBoardLineStart = 6;  // the blank after "Board"
constexpr int16_t kValueStart = 1;      // a value's leading blank

bool blankAt(std::string_view text, int16_t position) {
  return position >= 1 && position <= static_cast<int16_t>(text.size()) && text[position - 1] == ' ';
}

bool within(std::string_view text, int16_t position) {
  return position >= 1 && position <= static_cast<int16_t>(text.size());
}

}  // namespace

int32_t nextNumberField(std::string_view text, int16_t& position) {
  // A value line is at most 255 bytes, so the position never nears its limit.
  ++position;
  while (blankAt(text, position)) ++position;
  const int16_t start = position;
  ++position;
  while (within(text, position) && !blankAt(text, position)) ++position;
  if (!within(text, start)) return 0;
  const std::size_t from = static_cast<std::size_t>(start - 1);
  return int32Of(val(text.substr(from, static_cast<std::size_t>(position - start))));
}

void parseBoardLine(std::string_view text, SavedGame& g) {
  int16_t at = kBoardLineStart;
  for (long p = 0; p <= 25; ++p) g.board[p] = static_cast<int16_t>(nextNumberField(text, at));
}

void parseScoresValue(std::string_view text, SavedGame& g) {
  int16_t at = kValueStart;
  g.scores[0] = nextNumberField(text, at);
  g.scores[1] = nextNumberField(text, at);
}

void parseDiceValue(std::string_view text, SavedGame& g) {
  int16_t at = kValueStart;
  g.dice[0] = static_cast<int16_t>(nextNumberField(text, at));
  g.dice[1] = static_cast<int16_t>(nextNumberField(text, at));
}

void parseRolledOverValue(std::string_view text, SavedGame& g) {
  int16_t at = kValueStart;
  g.playerRolledOver[0] = static_cast<uint8_t>(nextNumberField(text, at));
  g.playerRolledOver[1] = static_cast<uint8_t>(nextNumberField(text, at));
}

void parseCrawfordValue(std::string_view text, SavedGame& g) {
  int16_t at = kValueStart;
  g.crawfordRestrictions[0] = static_cast<int16_t>(nextNumberField(text, at));
  g.crawfordRestrictions[1] = static_cast<int16_t>(nextNumberField(text, at));
}

}  // namespace bg
