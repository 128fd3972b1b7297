#pragma once
// The board as the side to move sees it: its own points 1..24 counted from its entry
// side, 25 its bar; every aid works in these and hands program points to the move checks.
#include <cstdint>

#include "state/position.h"

namespace bg {

inline int16_t moverDirection() { return position.playerDirection[position.currentPlayer]; }

// The program's point of the mover's point v (0..25).
inline int16_t programPoint(int16_t v) { return moverDirection() > 0 ? v : static_cast<int16_t>(25 - v); }

// The mover's point of a program point (0..25).
inline int16_t moverPoint(int16_t p) { return programPoint(p); }

// Checkers of the mover on its point v (negative: the opponent's); 0 off the board.
inline int16_t moverCount(int16_t v) {
  if (v < 0 || v > 25) return 0;
  return static_cast<int16_t>(position.board[programPoint(v)] * moverDirection());
}

inline bool moverOwns(int16_t v) { return moverCount(v) > 0; }
// Two or more of the opponent's checkers.
inline bool moverBlocked(int16_t v) { return moverCount(v) <= -2; }

// The mover's tray zone: the lower one for side 0, the upper one for side 1.
inline int16_t moverTray() { return position.currentPlayer == kPlayer0 ? int16_t{-1} : int16_t{-2}; }

}  // namespace bg
