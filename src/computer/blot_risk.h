#pragma once
// How exposed one side's blots are to the other side's checkers for the coming roll:
// over the 36 rolls, the rolls that hit one, two or three blots, weighted by where the
// hitter starts, the ways to point on each blot, and which blots can be hit at all.
//
// The board is in the view of the side whose blots are examined (its checkers negative,
// moving from 24 toward 1); the shooting side's checkers are positive, move from 1 toward
// 24 and enter from their bar at index 25 onto the die's point.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kShotListCapacity = 60;
inline constexpr int16_t kMaxHitLevel = 3;

struct BlotRiskState {
  float blotRiskSum = 0;          // sum of (40 - P) over the blots below the shooter's rear
  int16_t noOwnBlots = 0;         // -1: the last call had no blot to examine
  int16_t blotRiskRearPoint = 0;  // the shooter's rear point of the last call
  int16_t blotRiskBlotCount = 0;  // the blot count of the last call
  // [k], k = 1..3: rolls out of 36 that hit k blots, and their summed roll weights.
  CheckedArray<int16_t, 24> blotsHitCounts;
  CheckedArray<int16_t, 24> blotsHitRolls;
  int16_t hittableBlotCount = 0;  // blots with a recorded shot
  // Per blot point. Only raised here; whoever builds a blot list clears its points.
  CheckedArray<int16_t, 24> pointHitMarkA;  // 1: a recorded shot reaches the blot
  CheckedArray<int16_t, 24> pointHitMarkB;  // 1: one checker can hit it with both dice
  CheckedArray<int16_t, 24> pointHitRolls;  // ways to point on the blot
  CheckedArray<int16_t, 6> dieExposureCounts;  // [d]: direct shots at distance d

  // Working tables.
  CheckedArray<CheckedArray<CheckedArray<int16_t, 6>, 6>, kMaxHitLevel> hitRollTable;
  int16_t shotCount = 0;
  CheckedArray<int16_t, kShotListCapacity> shotDie;    // entries 1..shotCount
  CheckedArray<int16_t, kShotListCapacity> shotFrom;   // shooter point, 0 = the bar
  CheckedArray<int16_t, kShotListCapacity> shotSteps;  // times the die is used
  CheckedArray<int16_t, 6> tripleBlotsPerDie;
  CheckedArray<int16_t, 6> tripleStepsPerDie;
  CheckedArray<CheckedArray<int16_t, 3>, 6> triplePointsPerDie;
};

extern BlotRiskState blotRisk;

// A blot or shooter list: entries 1..count, in ascending point order.
using PointList = CheckedArray<int16_t, 15>;

// The routine proper, on its own copies of the board (indices 0..25) and the lists.
int16_t determineCubeBlotRiskOnCopies(CheckedArray<int16_t, 25> board, int16_t shooterRearPoint,
                                      int16_t blotCount, const PointList& blots,
                                      int16_t shooterCount, const PointList& shooters,
                                      int16_t shooterHomePoints);

// Fills blotRisk for the blots in blotPoints[1..blotCount] against the shooters in
// shooterPoints[1..shooterCount] (the shooter's bar listed as 0). Does nothing while the
// opening roll is being decided. The arguments are only read. Always returns 0.
template <long BoardHi, long BlotHi, long ShooterHi>
int16_t determineCubeBlotRisk(const CheckedArray<int16_t, BoardHi>& viewBoard,
                              int16_t shooterRearPoint, int16_t blotCount,
                              const CheckedArray<int16_t, BlotHi>& blotPoints,
                              int16_t shooterCount,
                              const CheckedArray<int16_t, ShooterHi>& shooterPoints,
                              int16_t shooterHomePoints) {
  CheckedArray<int16_t, 25> board;
  for (int16_t i = 0; i <= 25; ++i) board[i] = viewBoard[i];
  PointList blots;
  PointList shooters;
  for (int16_t k = 1; k <= blotCount; ++k) blots[k] = blotPoints[k];
  for (int16_t k = 1; k <= shooterCount; ++k) shooters[k] = shooterPoints[k];
  return determineCubeBlotRiskOnCopies(board, shooterRearPoint, blotCount, blots, shooterCount,
                                       shooters, shooterHomePoints);
}

}  // namespace bg
