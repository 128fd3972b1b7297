#include "computer/race_estimates.h"

#include <algorithm>

#include "computer/position_features.h"
#include "computer/program_data.h"
#include "state/analysis_state.h"
#include "state/play_search_state.h"
#include "state/program_state.h"

namespace bg {

RaceEstimates race;
BG_RESETS_WITH_PROGRAM(race);

float estimateSideRaceRolls(int16_t menInHome, int16_t pipsOutside, int16_t homeGaps,
                            int16_t /*menPastGap*/, int16_t menOutside, int16_t pips,
                            const CheckedArray<int16_t, 26>& viewBoard, int16_t isMover) {
  CheckedArray<int16_t, 25> v;
  for (int16_t i = 0; i <= 25; ++i) v[i] = viewBoard[i];
  // The side's men on its own point p, counted positive.
  auto men = [&](int p) -> int { return isMover != 0 ? -v[p] : v[25 - p]; };

  double r1 = menInHome % 2 != 0 ? (menInHome + 0.9) / 2.2222 : menInHome / 2.2222;
  // Men piled high in the home board waste pips when they bear off.
  double w = 0;
  double s = 0;
  for (int p = 3; p <= 6; ++p) {
    w += men(p) * (p + 0.5);
    s += men(p);
  }
  if (s > 0) r1 += 0.046 * w * w / (6 * s);

  const double r2 = pipsOutside / kAverageRollPips + (pipsOutside > 0 ? 0.3 : 0);

  double r3 = 0;
  if (homeGaps > 0) {
    double term = 0.37;
    for (int g = 0; g < homeGaps; ++g, term /= 2) r3 += term;
    r3 = std::min(r3, 1.0) / (menOutside + 1);
  }

  // A blot under a tall stack tends to cost a roll.
  double r4 = 0;
  for (int p = 1; p <= 5; ++p) {
    if (men(p) != 1) continue;
    int tallest = 0;
    for (int q = p + 1; q <= 6; ++q) tallest = std::max(tallest, men(q));
    if (tallest > 2) r4 = std::min(0.13 + tallest / 30.0, 0.5);
    break;
  }

  double r = r1 + r2 + r3 + r4;
  r = std::max(r, menInHome / 2.25);
  r = std::max(r, pips / kAverageRollPips);
  if (menInHome + menOutside == 1) r = pips / kAverageRollPips;
  race.lastRaceRollEstimate = static_cast<float>(r);
  return race.lastRaceRollEstimate;
}

void estimateRaceChances() {
  const PositionFeatures& f = features;
  const AnalysisState& a = analysis;
  race.raceRolls[1] = estimateSideRaceRolls(f.ownMenInHome, f.ownPipsOutside, f.ownHomeGaps,
                                            f.ownMenPastGap, f.ownMenOutside, a.moverPipCount,
                                            a.evalBoard, 1);
  race.raceRolls[0] = estimateSideRaceRolls(f.opponentMenInHome, f.opponentPipsOutside,
                                            f.opponentHomeGaps, f.opponentMenPastGap,
                                            f.opponentMenOutside, a.opponentPipCount,
                                            a.evalBoard, 0);
  const int onBar = a.evalBoard[kOpponentBarIndex];
  const int block = f.opponentHasBackMen == -1 ? f.ownBlockCount : 0;
  race.gammonSaveRolls = static_cast<float>(
      (f.opponentPipsOutside - 5 * f.opponentMenOutside) / kAverageRollPips +
      onBar * (f.homePointsSquared / 14.0 + (6 - f.ownFirstGap + block) / 7.0) + 0.5);
}

void setRaceLeadFlags() {
  const AnalysisState& a = analysis;
  const int roll = playSearch.rollPipTotal;
  race.raceLeadFlag = 0;
  race.raceBehindFlag = 0;
  const int deficit = features.pipDifference - roll;
  const int limit = 10 * ((a.moverPipCount + 200) / 200) - 11;
  const double leadWithRoll = race.raceRollLead + roll / kAverageRollPips;
  if (deficit > limit || 0.5 - (a.moverPipCount + 170) / 170.0 > leadWithRoll)
    race.raceBehindFlag = -1;
  if (a.raceFlag != 0) return;
  if (leadWithRoll > std::max(1.5, a.moverPipCount / 50.0)) race.raceLeadFlag = -1;
}

void homeBoardStrength() {
  const auto& b = analysis.evalBoardB;
  auto held = [&](int p) { return b[p] <= -2; };
  int score = 0;
  for (int p = 20; p <= 24; ++p)
    if (held(p)) score += programTables.homePointWeights[p];
  score /= 2;
  if (held(24) && held(22)) {
    score += 5;
  } else if (held(23) && held(22)) {
    score += 4;
  } else if (held(23) && held(21) && !held(22)) {
    score += 3;
  }
  race.opponentHomeStrength = static_cast<int16_t>(score);
}

}  // namespace bg
