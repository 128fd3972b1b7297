#pragma once
// Two compact measures for the cube and the builders term: a penalty for one side's blots
// (direct shots and the dice combinations that reach them, scaled by the opponent's home
// board, the race and its best block), and the mover's home-board structure with the
// rolls that bring a builder to the point it wants to make.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct PointStructure {
  int16_t slotRow = 0;         // highest home point with exactly one own checker
  int16_t slotAtRiskFlag = 0;  // -1: that slot can be hit
  int16_t firstEmptyRow = 0;   // without a slot: the highest empty home point

  bool operator==(const PointStructure&) const = default;
};

extern PointStructure pointStructure;

// The penalty (0 or below) for the blots of `side` on a game-board position (player 0's
// checkers positive). Sets features.opponentBlockCount to that side's opponent's best
// block on 16..24 of the side's view.
double blotRiskScore(const CheckedArray<int16_t, 25>& positionBoard, int16_t side);

// The builders count on a mover's view (own checkers negative, the opponent's bar at 25);
// sets pointStructure.
int16_t analysePointStructureOnCopy(CheckedArray<int16_t, 25> v);

template <long Hi>
int16_t analysePointStructure(const CheckedArray<int16_t, Hi>& viewBoard) {
  CheckedArray<int16_t, 25> v;
  for (int16_t i = 0; i <= 25; ++i) v[i] = viewBoard[i];
  return analysePointStructureOnCopy(v);
}

}  // namespace bg
