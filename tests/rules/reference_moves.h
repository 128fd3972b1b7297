#pragma once
// An independent legal-move generator for tests, written from the ordinary rules of
// backgammon on the real board (not from the enumeration): it tries every die in every
// order one checker at a time and keeps the final positions of the plays that use as
// many pips as possible.
#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace bg::testing {

// A real board (indices 0..25 as `board`) plus the men each side has borne off.
struct RefPosition {
  std::array<int, 26> board{};
  std::array<int, 2> off{};
  auto operator<=>(const RefPosition&) const = default;
};

struct RefResult {
  std::set<RefPosition> finals;  // distinct final positions of the legal plays
  int maxPips = 0;               // pips the legal plays use (0: nothing can be played)
};

// Every legal play for `player` (0 moves up from 1 to 24, 1 moves down) with the dice.
RefResult referencePlays(const RefPosition& start, int player, std::vector<int> dice);

}  // namespace bg::testing
