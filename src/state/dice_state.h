#pragma once
// The dice of the game: the pool every die is drawn from and the dice of the roll in hand.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct DiceEntry {
  int16_t value = 0;   // 1..6 still to play, 0 used or absent
  uint8_t hidden = 0;  // 255: the display clears this slot instead of drawing it
  bool operator==(const DiceEntry&) const = default;
};

inline constexpr long kDicePoolHighest = 31;

// The part-moves of one roll at most (a double's four): a turn's room in the record.
inline constexpr int16_t kPartMovesOfTurn = 4;
inline constexpr int16_t kPartMovesOfPlainRoll = 2;
constexpr int16_t partMovesOfRoll(bool doubles) { return doubles ? kPartMovesOfTurn : kPartMovesOfPlainRoll; }

struct DiceState {
  CheckedArray<int16_t, kDicePoolHighest> dicePool;
  CheckedArray<DiceEntry, 3> dice;
  CheckedArray<int16_t, 3> rolledDice;
  CheckedArray<int16_t, 3> drawnDieLeft;
  int16_t rolledDoubles = 0;  // -1 when the roll is a double
  int16_t diceShowing = 0;    // -1 while dice are on the board
  int16_t handChosenOpeningDouble = 0;  // -1: hand-set opening doubles are played, not re-rolled
};

extern DiceState diceState;

}  // namespace bg
