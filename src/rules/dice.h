#pragma once
// The dice of the game: the pool every die is drawn from and the dice of the roll in hand.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "state/dice_state.h"

namespace bg {

inline constexpr int16_t kDieFaces = 6;

// A value a thrown die shows.
inline bool isDie(int16_t value) { return value >= 1 && value <= kDieFaces; }
// Both dice of the roll in hand are thrown: half a roll (one opening die) is no roll.
inline bool bothDiceThrown() { return isDie(diceState.dice[0].value) && isDie(diceState.dice[1].value); }

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
