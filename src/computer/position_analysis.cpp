#include "computer/position_analysis.h"

#include <algorithm>
#include <cmath>

#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/position_features.h"
#include "computer/program_data.h"
#include "computer/race_estimates.h"
#include "computer/shot_probabilities.h"
#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {

PositionFeatures features;
BG_RESETS_WITH_PROGRAM(features);

namespace {

constexpr int16_t kZoneWidePips = 155;  // above this the back or front zone is one wider

bool opponentHolds(int p) { return analysis.evalBoard[p] >= 2; }
bool moverHolds(int p) { return analysis.evalBoard[p] <= -2; }

// Running values of the two scans that are no feature of their own.
struct ScanState {
  int run = 0;  // consecutive open points
  float opponentMeanStack = 0;
  float moverMeanStack = 0;
  float opponentDeviation = 0;
  float moverDeviation = 0;
  int opponentOuterPips = 0;
};

void scanOpponentHomeBoard(ScanState& st) {
  PositionFeatures& f = features;
  const auto& v = analysis.evalBoard;
  const int zoneLow = analysis.opponentPipCount > kZoneWidePips ? 20 : 21;
  for (int i = 24; i >= 19; --i) {
    const int c = v[i];
    if ((i == 19 || i == 20) && c < 2) f.opponentOpenKeyPoints = static_cast<int16_t>(f.opponentOpenKeyPoints + 25 - i);
    if (i >= zoneLow) {
      if (c < 2) f.opponentZoneOpenPoint = static_cast<int16_t>(i);
      if (c < 0) {
        f.ownBackMen = static_cast<int16_t>(f.ownBackMen - c);
        f.sideHasBackMen = -1;
        if (i >= 23) blockadeTermSide0(static_cast<int16_t>(i));
      }
      int held = 0;
      int lowest = 0;
      for (int j = i; j >= i - 5; --j) {
        if (opponentHolds(j)) {
          ++held;
          lowest = j;
        }
      }
      if (held > f.opponentBlockCount) {
        f.opponentBlockCount = static_cast<int16_t>(held);
        f.opponentBlockLowPoint = static_cast<int16_t>(lowest);
      }
    }
    if (c >= 2 && i > f.opponentTopHomePoint) f.opponentTopHomePoint = static_cast<int16_t>(i);
    if (c < 1) {
      ++st.run;
      if (f.opponentTopHomePoint > 0) ++f.opponentHomeGapsBelowTop;
    }
    if (c >= 1 && i < 24) {
      f.opponentHomeGaps = static_cast<int16_t>(f.opponentHomeGaps + st.run);
      if (st.run >= 1 && f.opponentFirstGap == 0) f.opponentFirstGap = static_cast<int16_t>(24 - i);
      if (f.opponentFirstGap > 0) f.opponentMenPastGap = static_cast<int16_t>(f.opponentMenPastGap + c);
      st.run = 0;
    }
  }
  st.run = 0;
  f.highestOwnBlot = 0;
  f.lowestOwnBlot = 0;
  f.highestOpponentBlot = 0;
  f.opponentViewBoard[0] = static_cast<int16_t>(-v[kOpponentBarIndex]);
  f.opponentViewBoard[25] = static_cast<int16_t>(-v[kOwnBarIndex]);
}

void scanWholeBoard(ScanState& st) {
  PositionFeatures& f = features;
  BlotRiskState& r = blotRisk;
  const auto& v = analysis.evalBoard;
  const int zoneHigh = analysis.moverPipCount > kZoneWidePips ? 5 : 4;
  for (int i = 1; i <= 24; ++i) {
    const int c = v[i];
    f.opponentViewBoard[i] = static_cast<int16_t>(-v[25 - i]);
    if (c < -1) {
      if (i < 3) f.ownDeepMen = static_cast<int16_t>(f.ownDeepMen - c);
      if (f.lowestOwnMadePoint == 0) f.lowestOwnMadePoint = static_cast<int16_t>(i);
    }
    if (i <= zoneHigh) {
      if (c > -2) f.ownZoneOpenPoint = static_cast<int16_t>(i);
      if (c > 0) {
        f.opponentHasBackMen = -1;
        if (i <= 2) blockadeTermSide1(static_cast<int16_t>(i));
      }
      int held = 0;
      int highest = 0;
      for (int j = i; j <= i + 5; ++j) {
        if (moverHolds(j)) {
          ++held;
          highest = j;
        }
      }
      if (held > f.ownBlockCount) {
        f.ownBlockCount = static_cast<int16_t>(held);
        f.ownBlockHighPoint = static_cast<int16_t>(highest);
      }
    }
    if (i <= 6) {
      if ((i == 5 || i == 6) && c >= -1) f.ownOpenKeyPoints = static_cast<int16_t>(f.ownOpenKeyPoints + i);
      if (c >= 0) {
        ++st.run;
        if (f.lowestOwnMadePoint > 0) ++f.ownHomeGapsAboveLowest;
      }
      if (c < 0 && i >= 2) {
        f.ownHomeGaps = static_cast<int16_t>(f.ownHomeGaps + st.run);
        if (st.run >= 1 && f.ownFirstGap == 0) f.ownFirstGap = static_cast<int16_t>(i - 1);
        if (f.ownFirstGap > 0) f.ownMenPastGap = static_cast<int16_t>(f.ownMenPastGap - c);
        st.run = 0;
      }
    }
    if (c == -1) {
      if (f.lowestOwnBlot == 0) f.lowestOwnBlot = static_cast<int16_t>(i);
      if (i > analysis.opponentLastPoint) ++f.ownExposedBlots;
      f.highestOwnBlot = static_cast<int16_t>(i);
      ++f.ownBlotCount;
      f.ownBlotPoints[f.ownBlotCount] = static_cast<int16_t>(i);
      r.pointHitRolls[i] = 0;
      r.pointHitMarkA[i] = 0;
      r.pointHitMarkB[i] = 0;
    } else if (c == 1) {
      ++f.opponentBlotCount;
      f.opponentBlotsMirrored[f.opponentBlotCount] = static_cast<int16_t>(25 - i);
      f.highestOpponentBlot = static_cast<int16_t>(i);
    }
    if (c < 0) {
      const int m = -c;
      if (i > 6) {
        f.ownMenOutside = static_cast<int16_t>(f.ownMenOutside + m);
        f.ownPipsOutside = static_cast<int16_t>(f.ownPipsOutside + m * i);
        f.ownBearInPips = static_cast<int16_t>(f.ownBearInPips + m * (i - 6));
      }
      if (i >= 7 && i <= 18) f.ownOuterPips = static_cast<int16_t>(f.ownOuterPips + m * i);
      st.moverDeviation += std::fabs(static_cast<float>(c) - st.moverMeanStack);
      if (i >= 19) {
        f.ownMenBack = static_cast<int16_t>(f.ownMenBack + m);
        if (c == -1) ++f.ownBlotsBack;
      }
      if (c <= -2) {
        ++f.ownPointsMade;
        f.pointWeightSum = static_cast<int16_t>(f.pointWeightSum + programTables.madePointWeights[i]);
        if (i <= 6) {
          ++f.startHomePoints;
          f.homePointsSum = static_cast<int16_t>(f.homePointsSum + i);
        }
        if (i >= 19) ++f.ownAnchors;
      }
    } else if (c > 0) {
      if (i <= 18) {
        f.opponentMenOutside = static_cast<int16_t>(f.opponentMenOutside + c);
        f.opponentPipsOutside = static_cast<int16_t>(f.opponentPipsOutside + c * (25 - i));
        if (i >= 7) st.opponentOuterPips += c * (25 - i);
      }
      st.opponentDeviation += std::fabs(static_cast<float>(c) - st.opponentMeanStack);
      if (i <= 6) f.opponentBackMen = static_cast<int16_t>(f.opponentBackMen + c);
      if (c >= 2) {
        ++f.opponentPointsMade;
        f.opponentPointWeightSum =
            static_cast<int16_t>(f.opponentPointWeightSum + programTables.madePointWeights[25 - i]);
        if (i >= 19) {
          ++f.opponentHomePoints;
          f.opponentHomePointsSum = static_cast<int16_t>(f.opponentHomePointsSum + 25 - i);
          if (i >= 23) f.opponentDeepMen = static_cast<int16_t>(f.opponentDeepMen + c);
        }
        if (i <= 6) ++f.opponentAnchors;
      }
    }
  }
}

void addBarsAndDerivedCounts(const ScanState& st) {
  PositionFeatures& f = features;
  const AnalysisState& a = analysis;
  const auto& v = a.evalBoard;
  const int opponentBar = v[kOpponentBarIndex];
  const int moverBar = -v[kOwnBarIndex];
  if (opponentBar > 0 && (f.ownZoneOpenPoint != 0 || f.startHomePoints == 6)) {
    f.opponentHasBackMen = -1;
    blockadeTermSide1(0);
  }
  if (moverBar > 0) {
    blockadeTermSide0(25);
    if (f.opponentZoneOpenPoint != 0 || f.opponentHomePoints == 6) {
      f.ownBackMen = static_cast<int16_t>(f.ownBackMen + moverBar);
      f.sideHasBackMen = -1;
    }
  }
  f.opponentHomeGapsNet = static_cast<int16_t>(f.opponentHomeGaps - (v[24] <= 0 ? 1 : 0));
  f.ownHomeGapsNet = static_cast<int16_t>(f.ownHomeGaps - (v[1] >= 0 ? 1 : 0));
  f.opponentStackSpread =
      st.opponentMeanStack + st.opponentDeviation / static_cast<float>(a.opponentOccupiedPoints);
  f.ownStackSpread = -st.moverMeanStack + st.moverDeviation / static_cast<float>(a.moverOccupiedPoints);
  f.opponentHomePointsSquared = static_cast<int16_t>(f.opponentHomePoints * f.opponentHomePoints);
  f.homePointsSquared = static_cast<int16_t>(f.startHomePoints * f.startHomePoints);
  f.ownMenBack = static_cast<int16_t>(f.ownMenBack + moverBar);
  f.opponentBackMen = static_cast<int16_t>(f.opponentBackMen + opponentBar);
  f.opponentMenInHome = static_cast<int16_t>(a.menLeft[0] - f.opponentMenOutside);
  f.ownMenInHome = static_cast<int16_t>(a.menLeft[1] - f.ownMenOutside);
  f.opponentPipsOutside = static_cast<int16_t>(f.opponentPipsOutside + 25 * opponentBar);
  f.ownPipsOutside = static_cast<int16_t>(f.ownPipsOutside + 25 * moverBar);
  f.ownBearInPips = static_cast<int16_t>(f.ownBearInPips + 19 * moverBar);
  f.pipDifference = static_cast<int16_t>(a.moverPipCount - a.opponentPipCount);
  f.pipLead = static_cast<int16_t>(-f.pipDifference);
}

void setThresholdBases() {
  PositionFeatures& f = features;
  const double p = f.pipLead < 1 ? analysis.opponentPipCount : analysis.moverPipCount;
  f.takeThresholdBase = static_cast<float>(0.002 * p * p);
  f.doublingThresholdBase = static_cast<float>(0.0019 * p * p);
  f.takeThresholdBase2 = static_cast<float>(f.takeThresholdBase * 1.333);
  f.doublingThresholdBase2 = static_cast<float>(f.doublingThresholdBase * 1.333);
}

void listOccupiedPoints() {
  PositionFeatures& f = features;
  const AnalysisState& a = analysis;
  const auto& v = a.evalBoard;
  f.opponentLastDistance = static_cast<int16_t>(25 - a.opponentLastPoint);
  f.shotValue = 0;
  f.opponentPointCount = 0;
  f.ownPointCount = 0;
  if (v[kOpponentBarIndex] > 0) f.opponentPoints[++f.opponentPointCount] = 0;
  if (v[kOwnBarIndex] < 0) f.ownPointsMirrored[++f.ownPointCount] = 0;
  f.opponentContactMen = v[kOpponentBarIndex];
  for (int i = 1; i <= 24; ++i) {
    if (v[i] > 0) {
      f.opponentPoints[++f.opponentPointCount] = static_cast<int16_t>(i);
      if (i < a.highestOccupiedPoint) f.opponentContactMen = static_cast<int16_t>(f.opponentContactMen + v[i]);
    } else if (v[i] < 0) {
      f.ownPointsMirrored[++f.ownPointCount] = static_cast<int16_t>(25 - i);
    }
  }
}

template <long Hi>
void reverseEntries(CheckedArray<int16_t, Hi>& list, int n) {
  for (int k = 1; k <= n / 2; ++k) std::swap(list[k], list[n + 1 - k]);
}

void runBlotRiskForBothSides() {
  PositionFeatures& f = features;
  AnalysisState& a = analysis;
  BlotRiskState& r = blotRisk;
  determineCubeBlotRisk(a.evalBoard, a.opponentLastPoint, f.ownBlotCount, f.ownBlotPoints,
                        f.opponentPointCount, f.opponentPoints, f.opponentHomePoints);
  computeShotProbabilities();

  // The mover's shots at the opponent's blots, from the opponent's side of the board.
  for (int16_t k = 1; k <= f.opponentBlotCount; ++k) {
    const int p = f.opponentBlotsMirrored[k];
    r.pointHitRolls[p] = 0;
    r.pointHitMarkA[p] = 0;
    r.pointHitMarkB[p] = 0;
  }
  reverseEntries(f.opponentBlotsMirrored, f.opponentBlotCount);
  reverseEntries(f.ownPointsMirrored, f.ownPointCount);
  determineCubeBlotRisk(f.opponentViewBoard, static_cast<int16_t>(25 - a.highestOccupiedPoint),
                        f.opponentBlotCount, f.opponentBlotsMirrored, f.ownPointCount,
                        f.ownPointsMirrored, f.startHomePoints);
  r.blotRiskBlotCount = 0;
  computeShotProbabilities();
  f.shotValue = static_cast<float>(shotRisk.multiShotCount * (1 + f.homePointsSquared / 9.0));
}

void setTimingRatios(const ScanState& st) {
  PositionFeatures& f = features;
  const auto& v = analysis.evalBoard;
  f.ownTimingRatio = 7;
  if (f.sideHasBackMen == -1 && f.opponentBlockCount > 3 && f.opponentHomePoints < 6 && v[kOwnBarIndex] == 0)
    f.ownTimingRatio = std::min(7.0F, static_cast<float>(static_cast<double>(f.ownOuterPips) / f.opponentBlockCount));
  f.opponentTimingRatio = 7;
  if (f.opponentHasBackMen == -1 && f.ownBlockCount > 3 && f.startHomePoints < 6 && v[kOpponentBarIndex] == 0)
    f.opponentTimingRatio =
        std::min(7.0F, static_cast<float>(static_cast<double>(st.opponentOuterPips) / f.ownBlockCount));
}

void decideBackgame() {
  backgame = BackgameFlags{};
  if (analysis.contactBroken != 0) return;
  if (features.pipDifference > 0) evalBackgameTiming();
  if (features.pipDifference < 0) checkWeakHomeBoard();
}

}  // namespace

void blockadeTermSide0(int16_t q) {
  const auto& v = analysis.evalBoard;
  if (!opponentHolds(q - 6)) return;
  int n = 0;
  for (int k = 1; k <= 5; ++k)
    if (!opponentHolds(q - k) && !opponentHolds(q - k - 6)) ++n;
  const int men = q == 25 ? -v[kOwnBarIndex] : -v[q];
  features.ownBlockadeTerm = static_cast<int16_t>(features.ownBlockadeTerm + (30 - n * n) * men);
}

void blockadeTermSide1(int16_t q) {
  const auto& v = analysis.evalBoard;
  if (!moverHolds(q + 6)) return;
  int n = 0;
  for (int k = 1; k <= 5; ++k)
    if (!moverHolds(q + k) && !moverHolds(q + k + 6)) ++n;
  const int men = q == 0 ? v[kOpponentBarIndex] : v[q];
  features.opponentBlockadeTerm = static_cast<int16_t>(features.opponentBlockadeTerm + (30 - n * n) * men);
}

void analysePositionFeatures() {
  AnalysisState& a = analysis;
  PositionFeatures& f = features;
  f = PositionFeatures{};
  f.ownMenOutside = static_cast<int16_t>(-a.evalBoard[kOwnBarIndex]);
  f.opponentMenOutside = a.evalBoard[kOpponentBarIndex];

  ScanState st;
  int opponentMen = 0;
  int moverMen = 0;
  for (int i = 1; i <= 24; ++i) {
    if (a.evalBoard[i] > 0) opponentMen += a.evalBoard[i];
    if (a.evalBoard[i] < 0) moverMen += a.evalBoard[i];
  }
  st.opponentMeanStack = static_cast<float>(opponentMen) / static_cast<float>(a.opponentOccupiedPoints);
  st.moverMeanStack = static_cast<float>(moverMen) / static_cast<float>(a.moverOccupiedPoints);

  scanOpponentHomeBoard(st);
  scanWholeBoard(st);
  addBarsAndDerivedCounts(st);
  setThresholdBases();
  listOccupiedPoints();
  if (a.analyseBlotRiskFlag != 0) runBlotRiskForBothSides();
  a.analyseBlotRiskFlag = -1;
  setTimingRatios(st);
  decideBackgame();

  f.bearInFlag = (a.highestOccupiedPoint < 7 || (a.highestOccupiedPoint < 13 && f.ownMenOutside == 1)) ? -1 : 0;
  estimateRaceChances();
  race.raceRollLead = race.raceRolls[0] - race.raceRolls[1];
}

}  // namespace bg
