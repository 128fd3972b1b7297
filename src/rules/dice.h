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

// Slots 0..30 of the pool get RND(6); slot 31 stays 0. Run once, right after seeding.
void fillDicePool();
// One die from the pool: the value a random slot 1..30 held; the slot is refilled.
int16_t rollDie();

// Shows the dice of the roll in hand and plays the dice sound. Rolls nothing.
void showRolledDice();
// Draws the dice of the roll in hand at their places; used dice in their used form.
void drawDice();
// Draws face display.dieFaceIndex at (display.dieLeft, display.dieTop).
void drawDieFace();
// Clears the dice flags and draws the four die places of the frame again.
void redrawDice();
// Restores the board under dice 0 and 1 of both sides.
void eraseDice();
// Restores the board under dice 0 and 1 where they were last drawn.
void drawDiceBackground();
// Takes die n (0..3) off the board: its value and rolled value become 0.
void removeDie(int16_t n);
// Takes every die that is still part of the roll off the board.
void removeDice();

}  // namespace bg
