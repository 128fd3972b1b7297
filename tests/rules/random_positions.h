#pragma once
// Seeded random positions that reach the hard cases (men on the bar, bearing off, blocks,
// hits), and their loading onto the real board.
#include <random>
#include <utility>

#include "reference_moves.h"
#include "support/position_text.h"

namespace bg::testing {

struct RandomPositions {
  explicit RandomPositions(unsigned seed) : rng(seed) {}
  std::mt19937 rng;
  int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  // 15 - off men of `player`: `bar` on its bar, the rest one at a time on random points
  // lo..hi pips from home that the other side does not hold, at most `stack` high.
  void place(RefPosition& pos, int player, int off, int bar, int lo, int hi, int stack) {
    const int dir = player == 0 ? 1 : -1;
    pos.off[player] = off;
    pos.board[player == 0 ? 25 : 0] = bar * dir;
    for (int left = 15 - off - bar, tries = 0; left > 0; ++tries) {
      if (tries == 300) lo = 1, hi = 24, stack = 15;  // the range is full: anywhere free
      const int pt = player == 0 ? 25 - (lo + below(hi - lo + 1)) : lo + below(hi - lo + 1);
      if (pos.board[pt] * dir < 0 || pos.board[pt] * dir >= stack) continue;
      pos.board[pt] += dir;
      --left;
    }
  }
  // One of six layouts for the mover; the other side is home or in contact.
  void layout(RefPosition& pos, int player, int kind) {
    const int lo = 1 + below(18);
    switch (kind) {
      case 0: case 1: return place(pos, player, below(14), 0, 1, 6, 15);  // bearing off
      case 2: return place(pos, player, below(8), 0, 1, 8, 15);           // stragglers outside
      case 3: return place(pos, player, 0, 1 + below(3), 1, 24, 2);       // on the bar
      case 4: return place(pos, player, 0, 0, 1, 24, 2);                  // spread out
      default: return place(pos, player, 0, below(4) == 0, lo, lo + 2 + below(5), 15);  // stacked
    }
  }
  RefPosition make(int mover) {
    RefPosition pos;
    layout(pos, mover, below(6));
    layout(pos, 1 - mover, below(3) == 0 ? 5 : below(2));
    return pos;
  }
  std::pair<int, int> roll() {
    const int d = 1 + below(6);
    return below(4) == 0 ? std::pair{d, d} : std::pair{d, 1 + below(6)};
  }
};

// The real board as the generator takes it.
inline RefPosition boardNow() {
  RefPosition pos;
  for (int i = 0; i <= 25; ++i) pos.board[i] = position.board[i];
  for (int side = 0; side <= 1; ++side) pos.off[side] = kCheckersPerSide - position.piecesOnBoard[side];
  return pos;
}

// The position on the real board with `player` on roll and the dice a-b in hand.
inline void loadPosition(const RefPosition& pos, int player, int a, int b) {
  position.board = {};
  for (int i = 0; i <= 25; ++i) position.board[i] = static_cast<int16_t>(pos.board[i]);
  for (int p = 0; p <= 1; ++p) position.piecesOnBoard[p] = static_cast<int16_t>(15 - pos.off[p]);
  setSideOnRoll(static_cast<int16_t>(player));
  setRoll(static_cast<int16_t>(a), static_cast<int16_t>(b));
}

}  // namespace bg::testing
