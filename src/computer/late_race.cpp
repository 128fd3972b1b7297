#include "computer/late_race.h"

#include "computer/bear_off_all.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "rules/analysis_state.h"
#include "rules/cube_state.h"
#include "rules/position.h"

namespace bg {

int16_t countBearOffRolls() {
  auto& t = bearOffTrial;
  int16_t count = 0;
  for (int16_t a = 1; a <= 6; ++a) {
    for (int16_t b = 1; b <= 6; ++b) {
      t.trialDice[0] = a;
      t.trialDice[1] = b;
      t.trialDice[2] = a == b ? a : 0;
      t.trialDice[3] = a == b ? a : 0;
      t.trialSuccessFlag = 0;
      canBearOffAllWithRoll();
      if (t.trialSuccessFlag == -1) count += 1;
    }
  }
  return count;
}

void countBearOffRollsBothSides(int16_t& sideCount, int16_t& opponentCount) {
  auto& t = bearOffTrial;
  opponentCount = kNotCounted;
  if (analysis.menLeft[0] < kCountedMenLimit) {
    t.trialHighestPoint = features.opponentLastDistance;
    t.trialMenCount = analysis.menLeft[0];
    t.trialUseOpponentView = -1;
    opponentCount = countBearOffRolls();
    t.trialUseOpponentView = 0;
  }
  sideCount = kNotCounted;
  if (analysis.menLeft[1] < kCountedMenLimit) {
    t.trialHighestPoint = analysis.highestOccupiedPoint;
    t.trialMenCount = analysis.menLeft[1];
    sideCount = countBearOffRolls();
  }
}

int16_t endgameDoubleDecision() {
  int16_t s = 0;
  int16_t o = 0;
  countBearOffRollsBothSides(s, o);
  const int sideMen = analysis.menLeft[1];
  const int opponentMen = analysis.menLeft[0];

  if (s > 18 && s < kNotCounted) {
    // Owning the cube in a two-man ending, keep it when the opponent's return shot is
    // worth more than the gain from doubling.
    if (cube.cubeOwner == position.currentPlayer && sideMen < 3 && opponentMen < 3 && o > 18) {
      const double p = s / 36.0 + ((36 - s) / 36.0) * ((36 - o) / 36.0);
      if (2 * p - 1 > 2.0 * (2 * s - 36) / 36.0) return 0;
    }
    return -1;
  }
  if (o > 18 && o < kNotCounted) return 0;
  if (opponentMen == 1 && analysis.opponentPipCount < 9 && sideMen > 2) return 0;
  if (sideMen == 3 && opponentMen == 2 && analysis.highestOccupiedPoint < 7 &&
      features.opponentLastDistance < 7 && analysis.moverPipCount < 16 && s < 18) {
    return -1;
  }
  const double own = race.raceRolls[1];
  const double r = own > 3 ? 0.03 * own : 0.0;
  return race.raceRolls[0] - (own + r) >= -0.2 ? -1 : 0;
}

int16_t endgameTakeDecision(int16_t matchFlag) {
  int16_t t = 0;
  int16_t d = 0;
  countBearOffRollsBothSides(t, d);
  if (analysis.menLeft[0] < 3 && t + d < kNotCounted) {
    const double limit = matchFlag != 0 ? 0.5 : 0.25;
    return ((36 - d) / 36.0) * (t / 36.0) > limit ? -1 : 0;
  }
  if (t > 9 && t < kNotCounted) return -1;
  return race.raceRolls[0] - race.raceRolls[1] >= 0 ? -1 : 0;
}

}  // namespace bg
