#pragma once
// Moves typed as "from.distance" and Return in the person's own numbering, and the single
// keys that answer a question on the board, roll or take the cube by a posted click.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kTypedMoveLength = 41;

struct TypedMoveState {
  PString<kTypedMoveLength> typedMoveText;      // the keys so far, Return included
  PString<kTypedMoveLength> lastTypedMoveText;  // repeated by Return alone on a double
  int16_t typedPickUpOnly = 0;  // -1: "from" alone, only its possible moves are shown
};
extern TypedMoveState typedMove;

// Takes the key in interaction's keyBuffer: digits, "." and Return build and play a
// typed move while move entry waits; Y, N, "+", "-" and "*" post their clicks. Sets
// flow.keyCommandBusy to -1 when it posted a click, else to 0.
void typedMoveEntry();
// The click "+" posts on the dice, where a person clicks to roll.
void postDiceClick();
// Plays the mover's checker from hand.selectedPoint to interaction.clickedPoint (program
// points, -1 off) after the put-down checks, one die at a time.
void applyTypedMove();

}  // namespace bg
