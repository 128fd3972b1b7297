#include "computer/shot_probabilities.h"

#include "computer/blot_risk.h"
#include "computer/factors.h"
#include "computer/position_features.h"
#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {

ShotRisk shotRisk;
BG_RESETS_WITH_PROGRAM(shotRisk);

void computeShotProbabilities() {
  ShotRisk& s = shotRisk;
  BlotRiskState& r = blotRisk;
  s = ShotRisk{};
  if (r.noOwnBlots != 0) return;

  double count = 0;
  double score = 0;
  for (int k = 1; k <= kMaxHitLevel; ++k) {
    count += r.blotsHitCounts[k] * k * k;
    score += r.blotsHitRolls[k] / 36.0 * k * k;
  }
  double distance = 0;
  double hit = 0;
  for (int16_t b = 1; b <= r.blotRiskBlotCount; ++b) {
    const int p = features.ownBlotPoints[b];
    if (p > r.blotRiskRearPoint && r.pointHitMarkA[p] == 0 && r.pointHitMarkB[p] == 0)
      distance += 40 - p;
  }
  for (int16_t b = 1; b <= r.blotRiskBlotCount; ++b) {
    const int p = features.ownBlotPoints[b];
    hit += r.pointHitRolls[p] / 36.0 * (40 - p);
    if (p <= 6) hit += r.pointHitRolls[p] / 36.0 * 20;
  }
  const int onBar = analysis.evalBoard[kOpponentBarIndex];
  s.multiShotCount = static_cast<float>(count);
  s.blotDistanceRisk = static_cast<float>(distance / (1 + onBar) * factors.Brfact12);
  s.multiShotScore = static_cast<float>(score * factors.Brfact10);
  r.blotRiskSum = static_cast<float>(r.blotRiskSum * static_cast<double>(factors.Brfact11));
  s.blotHitRisk = static_cast<float>(hit * factors.Brfact13);
}

}  // namespace bg
