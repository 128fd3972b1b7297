#include "storage/saved_game_values.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "runtime/core/format.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kValueStart = 1;  // a value's leading blank
constexpr long kBoardCounts = 26;   // points 0 to 25

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

bool parseBoardLine(std::string_view text, SavedGame& g) {
  std::string_view rest = text;
  const std::size_t keyEnd = std::min(rest.find(kKeyBlank), rest.size());
  bool whole = rest.substr(0, keyEnd) == kBoardKey;
  rest.remove_prefix(keyEnd);
  long p = 0;
  for (;; ++p) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    const std::string_view word = rest.substr(0, std::min(rest.find(' '), rest.size()));
    rest.remove_prefix(word.size());
    // A whole number of checkers one point can hold, as the writer puts it: digits, a minus
    // sign in front for side 1.
    int count = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), count);
    const bool number = error == std::errc() && end == word.data() + word.size();
    whole = whole && number && std::abs(count) <= kCheckersPerSide && p < kBoardCounts;
    const bool fits = number && inRange(count, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
    if (p < kBoardCounts) g.board[p] = fits ? static_cast<int16_t>(count) : int16_t{0};
  }
  for (long q = p; q < kBoardCounts; ++q) g.board[q] = 0;
  return whole && p == kBoardCounts;
}

void parseScoresValue(std::string_view text, SavedGame& g) {
  int16_t at = kValueStart;
  g.scores[0] = nextNumberField(text, at);
  g.scores[1] = nextNumberField(text, at);
}

bool numbersFit(std::string_view text, NumberField field) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const double v = val(text.substr(start, end - start));
    if (v < field.low || v > field.high) return false;
    at = end;
  }
  return true;
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
