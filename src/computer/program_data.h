#pragma once
// The program's fixed data list and the tables it fills at start-up: the opening book,
// the point-weight tables, the opening dice pairs, the shot weights and the point zones.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr std::size_t kProgramDataItemCount = 280;

// The data items in the order they are read; see readProgramData.
extern const std::array<int16_t, kProgramDataItemCount> kProgramDataList;

inline constexpr int16_t kOpeningBookVariants = 2;  // variant 1 is the alternative reply
inline constexpr int16_t kOpeningRollCount = 36;

// Index of a roll in the opening book; both orders of a roll have their own entry.
constexpr int16_t openingRollIndex(int16_t firstDie, int16_t secondDie) {
  return static_cast<int16_t>(firstDie * 6 + secondDie - 7);
}

struct ProgramTables {
  // [variant][half][roll index]: the from-point, in the mover's view, of the checker moved
  // with the first die (half 0) or the second die (half 1). On doubles each half's checker
  // moves twice.
  CheckedArray<CheckedArray<CheckedArray<int16_t, kOpeningRollCount - 1>, 1>, 1> openingBook;
  CheckedArray<int16_t, 24> madePointWeights;  // by point in the holder's own numbering
  CheckedArray<int16_t, 24> homePointWeights;  // the backgame's weights
  // Opening pairs indexed by a die value 1..6: the rolls that start a game against the
  // computer when it opens with a fixed pair.
  CheckedArray<int16_t, 6> openingDiceA;
  CheckedArray<int16_t, 6> openingDiceB;
  // [1 when the shooter's point holds exactly two checkers, else 0][distance]
  CheckedArray<CheckedArray<int16_t, 24>, 1> shotWeights;
  CheckedArray<int16_t, 25> pointZones;  // zone 0..4 by point, for outfield moves
};

extern ProgramTables programTables;

// Reads the items, in order, into the tables above. Running out of items stops the
// program with "Out of data"; items left over are not read.
void readProgramData(std::span<const int16_t> items);
void readProgramData();  // from kProgramDataList

// The computer's start-up data, in order: the factor registry, the skill factor and
// error odds, the data list, then the personalities. Call after the preferences have set
// skillLevel and personality.
void initComputerData();

}  // namespace bg
