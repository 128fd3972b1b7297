#include "computer/blot_risk.h"

#include <algorithm>

#include "computer/program_data.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

BlotRiskState blotRisk;
BG_RESETS_WITH_PROGRAM(blotRisk);

namespace {

constexpr int16_t kShooterBar = 0;  // the shooter's bar in the working board and lists

// One call's inputs, on the routine's own copies.
struct RiskRun {
  CheckedArray<int16_t, 25> w;  // w[0] and w[25]: the shooter's men on the bar
  int16_t rear = 0;
  int16_t last = 0;  // blots 1..last are examined, deep back blots dropped
  const PointList* blots = nullptr;
  int16_t shooterCount = 0;
  const PointList* shooters = nullptr;
  int16_t bar = 0;
};

// Fewer than two of the examined side's checkers: a shooter may land or pass there.
bool isOpen(const RiskRun& r, int point) { return r.w[point] > -2; }

void countRoll(const RiskRun& r, int a, int b, int shooter, int level) {
  BlotRiskState& s = blotRisk;
  const int16_t row = r.w[shooter] == 2 ? 1 : 0;
  const int weight = (40 - shooter) * programTables.shotWeights[row][shooter];
  for (auto [x, y] : {std::pair{b, a}, std::pair{a, b}}) {
    if (s.hitRollTable[level][x][y] != 0) continue;
    s.hitRollTable[level][x][y] = 1;
    ++s.blotsHitCounts[level];
    s.blotsHitRolls[level] = static_cast<int16_t>(s.blotsHitRolls[level] + weight);
  }
}

// The list is capped; a shot past the cap is not listed, but the blot still counts as
// hittable.
void recordShot(int die, int shooter, int steps, int blot) {
  BlotRiskState& s = blotRisk;
  if (s.shotCount < kShotListCapacity) {
    ++s.shotCount;
    s.shotDie[s.shotCount] = static_cast<int16_t>(die);
    s.shotFrom[s.shotCount] = static_cast<int16_t>(shooter);
    s.shotSteps[s.shotCount] = static_cast<int16_t>(steps);
  }
  if (s.pointHitMarkA[blot] == 0) {
    s.pointHitMarkA[blot] = 1;
    ++s.hittableBlotCount;
  }
}

void checkPointing(const RiskRun& r, int shooter, int blot) {
  if (r.w[shooter] >= 2) ++blotRisk.pointHitRolls[blot];
}

void directShotPass(const RiskRun& r) {
  for (int16_t b = 1; b <= r.last; ++b) {
    const int p = (*r.blots)[b];
    const int limit = std::min(6, p - r.rear);
    for (int d = 1; d <= limit; ++d) {
      const int q = p - d;
      if (r.w[q] <= 0) continue;
      // The shooter does not break a two-checker point in its home board.
      if (q > 18 && r.w[q] == 2) continue;
      ++blotRisk.dieExposureCounts[d];
      if (q == kShooterBar) {
        recordShot(d, q, 1, p);
        for (int j = 1; j <= 6; ++j) countRoll(r, j, d, q, 1);
      } else if (r.bar < 2) {
        recordShot(d, q, 1, p);
        for (int j = 1; j <= 6; ++j) {
          // The checker on the bar must enter with j first.
          if (r.bar == 1 && !isOpen(r, j)) continue;
          countRoll(r, j, d, q, 1);
        }
      } else if (r.bar <= 3) {
        // Only the double of the distance enters and still has a die left to hit.
        if (!isOpen(r, d)) continue;
        countRoll(r, d, d, q, 1);
        if (!(r.bar == 3 && r.w[d] >= 0)) recordShot(d, q, 1, p);
      }
    }
  }
}

void combinationPass(const RiskRun& r) {
  for (int16_t b = 1; b <= r.last; ++b) {
    const int p = (*r.blots)[b];
    const int limit = std::min(12, p - r.rear);
    for (int16_t s = 1; s <= r.shooterCount; ++s) {
      const int q = (*r.shooters)[s];
      const int dist = p - q;
      if (dist < 1 || dist > limit) continue;
      if (r.bar >= 1 && q != kShooterBar) continue;
      if (q == kShooterBar && r.bar >= 2) continue;
      if (q > 18 && r.w[q] == 2) continue;
      const int first = dist >= 7 ? dist - 6 : 1;
      const int lastDie = dist >= 7 ? 6 : dist - 1;
      for (int j = first; j <= lastDie; ++j) {
        if (!isOpen(r, q + j)) continue;
        countRoll(r, j, dist - j, q, 1);
        blotRisk.pointHitMarkB[p] = 1;
        if (r.w[q + j] == -1) countRoll(r, j, dist - j, q, 2);
      }
    }
  }
}

void doublesPass(const RiskRun& r) {
  for (int16_t b = r.last; b >= 1; --b) {
    const int p = (*r.blots)[b];
    for (int16_t s = r.shooterCount; s >= 1; --s) {
      const int q = (*r.shooters)[s];
      const int dist = p - q;
      if (dist < 1) continue;
      for (int die = 1; die <= 6; ++die) {
        if (dist == die) {
          checkPointing(r, q, p);  // the double brings two checkers from q
          continue;
        }
        if (dist < die) continue;
        int steps = q == kShooterBar ? 5 - r.bar : 4 - r.bar;
        if (r.bar >= 1 && !isOpen(r, die)) steps = 0;
        if (steps * die < dist || dist % die != 0) continue;
        const int hops = dist / die;
        bool open = true;
        int hits = 1;
        for (int h = 1; h < hops; ++h) {
          const int mid = q + h * die;
          if (!isOpen(r, mid)) {
            open = false;
            break;
          }
          if (r.w[mid] == -1) ++hits;
        }
        if (!open) continue;
        countRoll(r, die, die, q, 1);
        if (hops == 2) checkPointing(r, q, p);
        recordShot(die, q, hops, p);
        if (hits >= 2) countRoll(r, die, die, q, 2);
        if (hits >= 3) countRoll(r, die, die, q, 3);
      }
    }
  }
}

// m of a pair of shots with the same die: the checkers the double must move.
int doubleMoves(const RiskRun& r, int i, int j) {
  const BlotRiskState& s = blotRisk;
  int m = s.shotSteps[i] + s.shotSteps[j] + r.bar;
  if (s.shotFrom[i] == kShooterBar || s.shotFrom[j] == kShooterBar) --m;
  return m;
}

void twoBlotPass(const RiskRun& r) {
  BlotRiskState& s = blotRisk;
  for (int16_t i = 1; i < s.shotCount; ++i) {
    for (int16_t j = static_cast<int16_t>(i + 1); j <= s.shotCount; ++j) {
      const int di = s.shotDie[i];
      const int dj = s.shotDie[j];
      const int fi = s.shotFrom[i];
      const int fj = s.shotFrom[j];
      const int pi = di * s.shotSteps[i] + fi;
      const int pj = dj * s.shotSteps[j] + fj;
      const bool singles = s.shotSteps[i] + s.shotSteps[j] < 3;
      if (pi == pj) {
        if (singles) {
          s.pointHitRolls[pi] = static_cast<int16_t>(s.pointHitRolls[pi] + 2);
        } else if (di == dj && doubleMoves(r, i, j) < 5) {
          ++s.pointHitRolls[pi];
        }
        continue;
      }
      bool counts = false;
      if (singles && fi != fj) {
        if (r.bar == 0) {
          counts = true;
        } else if (r.bar == 1) {
          counts = fi == kShooterBar || fj == kShooterBar;
        } else {
          counts = di == dj;
        }
      } else if (singles) {
        counts = r.w[fi] >= 2 && !(r.bar >= 1 && fi != kShooterBar);
      } else {
        counts = di == dj && doubleMoves(r, i, j) < 5;
      }
      if (counts) countRoll(r, di, dj, fj, 2);
    }
  }
}

void threeBlotPass(const RiskRun& r) {
  BlotRiskState& s = blotRisk;
  for (int16_t i = 1; i <= s.shotCount; ++i) {
    const int d = s.shotDie[i];
    const int steps = s.shotSteps[i];
    const int16_t have = s.tripleBlotsPerDie[d];
    if (have >= 3) continue;
    const int landing = d * steps + s.shotFrom[i];
    bool seen = false;
    for (int16_t k = 1; k <= have; ++k) seen = seen || s.triplePointsPerDie[d][k] == landing;
    if (seen || s.tripleStepsPerDie[d] + steps >= 5) continue;
    s.tripleStepsPerDie[d] = static_cast<int16_t>(s.tripleStepsPerDie[d] + steps);
    s.tripleBlotsPerDie[d] = static_cast<int16_t>(have + 1);
    s.triplePointsPerDie[d][have + 1] = static_cast<int16_t>(landing);
  }
  for (int die = 1; die <= 6; ++die) {
    if (s.tripleBlotsPerDie[die] > 2) countRoll(r, die, die, kShooterBar, 3);
  }
}

void clearWorkingTables() {
  BlotRiskState& s = blotRisk;
  for (auto& level : s.hitRollTable)
    for (auto& row : level) row.fill(0);
  for (int16_t k = 1; k <= kMaxHitLevel; ++k) {
    s.blotsHitCounts[k] = 0;
    s.blotsHitRolls[k] = 0;
  }
  for (int16_t d = 1; d <= 6; ++d) {
    s.dieExposureCounts[d] = 0;
    s.tripleBlotsPerDie[d] = 0;
    s.tripleStepsPerDie[d] = 0;
  }
}

}  // namespace

int16_t determineCubeBlotRiskOnCopies(CheckedArray<int16_t, 25> board, int16_t shooterRearPoint,
                                      int16_t blotCount, const PointList& blots,
                                      int16_t shooterCount, const PointList& shooters,
                                      int16_t shooterHomePoints) {
  if (position.openingPhase != 0) return 0;
  BlotRiskState& s = blotRisk;
  s.blotRiskSum = 0;
  if (blotCount == 0) {
    s.noOwnBlots = -1;
    return 0;
  }
  s.hittableBlotCount = 0;
  s.blotRiskRearPoint = shooterRearPoint;
  s.blotRiskBlotCount = blotCount;
  s.noOwnBlots = 0;
  s.shotCount = 0;

  RiskRun r;
  r.w = board;
  r.w[kShooterBar] = board[25];
  r.bar = board[25];
  r.rear = shooterRearPoint;
  r.blots = &blots;
  r.shooterCount = shooterCount;
  r.shooters = &shooters;
  clearWorkingTables();

  // Blots behind every shooter can only be hit by men still to come round.
  for (int16_t b = 1; b <= blotCount && blots[b] < shooterRearPoint; ++b)
    s.blotRiskSum += static_cast<float>(40 - blots[b]);

  // Deep back blots are left out while the shooter's home board is weak.
  r.last = blotCount;
  while (r.last >= 1 && blots[r.last] >= 22 && shooterHomePoints + (25 - blots[r.last]) < 5)
    --r.last;

  directShotPass(r);
  if (r.bar < 2) combinationPass(r);
  doublesPass(r);

  if (s.hittableBlotCount >= 2) {
    if (s.shotCount >= 2) twoBlotPass(r);
  } else {
    s.blotsHitCounts[2] = 0;
    s.blotsHitRolls[2] = 0;
  }
  if (s.hittableBlotCount >= 3) {
    threeBlotPass(r);
  } else {
    s.blotsHitCounts[3] = 0;
    s.blotsHitRolls[3] = 0;
  }
  return 0;
}

}  // namespace bg
