#include "computer/doubling_position.h"

#include <cfloat>

#include "computer/backgame_flags.h"
#include "computer/blot_risk_score.h"
#include "computer/factors.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "runtime/core/format.h"
#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {

DoublingPositionState doublingPosition;
BG_RESETS_WITH_PROGRAM(doublingPosition);

namespace {

auto& dp = doublingPosition;

int16_t at(int p) { return analysis.evalBoardB[p]; }
bool sideHolds(int p) { return at(p) <= -2; }
bool opponentHolds(int p) { return at(p) >= 2; }
int16_t sideBarMen() { return static_cast<int16_t>(-at(0)); }
int16_t opponentBarMen() { return at(25); }

void storeInverse(double inverse) {
  dp.cubePipMultiplierInverse = static_cast<float>(inverse);
  dp.cubePipMultiplier =
      dp.cubePipMultiplierInverse != 0 ? 1.0f / dp.cubePipMultiplierInverse : FLT_MAX;
}

// M = M x factor.
void multiply(double factor) { storeInverse(dp.cubePipMultiplierInverse / factor); }

// The divide form M = M / (1 - d / F), kept as 1 / M = (1 / M) x (1 - d / F): finite
// for every d, and the same as the divide wherever d / F stays below 1.
void divideForm(double d, double f) { storeInverse(dp.cubePipMultiplierInverse * (1.0 - d / f)); }

void trace(std::string_view label) {
  dp.cubeTraceText = label;
  traceCubeAdjustment();
}

// The blot-risk score read with the mover's view in place of the game board: side 1 keeps
// the view, so its blots are the mover's; side 0 turns it round to the opponent's.
double sideBlotRiskScore(int16_t side) {
  CheckedArray<int16_t, 25> board;
  for (int i = 0; i <= 25; ++i) board[i] = analysis.evalBoard[i];
  return blotRiskScore(board, side);
}

void scoreFromMultiplier() {
  dp.doublingScore = static_cast<float>(analysis.opponentPipCount -
                                        analysis.moverPipCount * static_cast<double>(dp.cubePipMultiplierInverse));
}

// Step 8 for one side: home points with three or more men, the bar point, the outfield.
float builderCount(bool forSide) {
  double b = 0;
  for (int q = 3; q <= 6; ++q) {
    const int p = forSide ? q : 25 - q;
    const int men = forSide ? -at(p) : at(p);
    if (men >= 3) b += 1;
  }
  {
    const int p = forSide ? 7 : 18;
    const int men = forSide ? -at(p) : at(p);
    const bool otherOnTheirOne = forSide ? at(1) > 0 : at(24) < 0;
    if (men >= 1 && (!otherOnTheirOne || men >= 3)) b += 1;
  }
  for (int q = 8; q <= 12; ++q) {
    const int p = forSide ? q : 25 - q;
    const int men = forSide ? -at(p) : at(p);
    if (men >= 1) b += men == 2 ? 0.5 : 1.0;
  }
  return static_cast<float>(b);
}

}  // namespace

void traceCubeAdjustment() {
  if (dp.cubeTraceOn != -1 || dp.cubeTracePrinter == nullptr) return;
  Str255 line = dp.cubeTraceText;
  line += strS(dp.cubePipMultiplier);
  dp.cubeTracePrinter(line);
}

int16_t sidePrimeLength() {
  int16_t best = 0;
  for (int start = 1; start <= 6; ++start) {
    int16_t run = 0;
    for (int p = start; p <= start + 6 && sideHolds(p); ++p) run += 1;
    if (run > best) best = run;
  }
  return best;
}

int16_t opponentPrimeLength() {
  int16_t best = 0;
  for (int start = 24; start >= 19; --start) {
    int16_t run = 0;
    for (int p = start; p >= start - 6 && opponentHolds(p); --p) run += 1;
    if (run > best) best = run;
  }
  return best;
}

float sideBuilders() { return builderCount(true); }
float opponentBuilders() { return builderCount(false); }

int16_t sideAnchorValue() {
  for (int p = 18; p <= 24; ++p) {
    if (!sideHolds(p)) continue;
    int16_t value = static_cast<int16_t>(3 + (25 - p));
    if (p >= 23 && opponentHolds(p - 6)) value -= 2;
    return value;
  }
  return 0;
}

int16_t opponentAnchorValue() {
  for (int p = 7; p >= 1; --p) {
    if (!opponentHolds(p)) continue;
    int16_t value = static_cast<int16_t>(3 + p);
    if (p <= 2 && sideHolds(p + 6)) value -= 2;
    return value;
  }
  return 0;
}

int16_t sideMenOutOfPlay() {
  int16_t v = 0;
  for (int p = 1; p <= 3; ++p) {
    if (!sideHolds(p)) v = static_cast<int16_t>(v + 4 - p);
  }
  return v;
}

// Integer arithmetic throughout: each back point's share is divided by the count of
// back points seen so far.
int16_t sideBlockedMenValue() {
  int n = 0;
  int hv = 0;
  for (int p = 24; p >= 19; --p) {
    if (at(p) >= 0) continue;
    n += 1;
    int k = 0;
    for (int q = p - 1; q >= 16; --q) k += opponentHolds(q) ? 1 : 0;
    hv -= (k * k * at(p)) / n;
  }
  if (n == 0) n = 1;
  hv -= (at(0) * features.opponentBlockCount * features.opponentBlockCount) / n;
  return static_cast<int16_t>(hv);
}

int16_t opponentBlockedMenValue() {
  int n = 0;
  int cv = 0;
  for (int p = 1; p <= 6; ++p) {
    if (at(p) <= 0) continue;
    n += 1;
    int k = 0;
    for (int q = p + 1; q <= 9; ++q) k += sideHolds(q) ? 1 : 0;
    cv += (k * k * at(p)) / n;
  }
  if (n == 0) n = 1;
  cv += (at(25) * features.ownBlockCount * features.ownBlockCount) / n;
  return static_cast<int16_t>(cv);
}

// Step 22 reads the board in hand, not the saved copy.
int16_t opponentHomeGaps() {
  const auto& v = analysis.evalBoard;
  int front = 0;
  for (int p = 19; p <= 23; ++p) {
    if (v[p] > 0) {
      front = p;
      break;
    }
  }
  if (front == 0) return 0;
  int16_t gaps = 0;
  for (int p = front; p <= 24; ++p) gaps += v[p] > 0 ? 0 : 1;
  return gaps;
}

int16_t sideHomeGaps() {
  const auto& v = analysis.evalBoard;
  int front = 0;
  for (int p = 6; p >= 2; --p) {
    if (v[p] < 0) {
      front = p;
      break;
    }
  }
  if (front == 0) return 0;
  int16_t gaps = 0;
  for (int p = front; p >= 1; --p) gaps += v[p] < 0 ? 0 : 1;
  return gaps;
}

void evaluateDoublingPosition() {
  const auto& f = factors;
  const auto& a = features;
  const bool doubling = dp.doublingView == -1;
  const bool accepting = !doubling;

  storeInverse(1.0);
  if (dp.cubeTraceRequest != 0) {
    dp.cubeTraceRequest = 0;
    dp.cubeTraceOn = -1;
    trace("PipCountCStart= " + strS(analysis.moverPipCount) + " ");
  }

  storeInverse(1.0 - (a.opponentStackSpread - a.ownStackSpread) / static_cast<double>(f.Dblfact1));
  trace("DistrX! Adj ");
  divideForm(a.pointWeightSum - a.opponentPointWeightSum, f.Dblfact2);
  trace("PointsX Adj ");

  if (backgame.backgameFlag != 0) {
    trace("Backgame ");
  } else {
    if (doubling && analysis.highestOccupiedPoint < 19) {
      multiply(1.1);
      trace("Backmen Escaped Adj ");
    }

    multiply(1.0 - (opponentPrimeLength() - sidePrimeLength()) * 0.01);
    trace("Prime Size Adj ");

    const int backA = analysis.highestOccupiedPoint >= 19 ? 1 : 0;
    const int backB = analysis.opponentLastPoint <= 6 ? 1 : 0;
    multiply(1.0 - (backA - backB) / 20.0);
    trace("Backmen Adj ");

    double b = sideBuilders();
    const double o = opponentBuilders();
    if (accepting) {
      const int bar = sideBarMen();
      if (bar > 0) {
        b = b * (1.0 - (10 + bar * a.opponentHomePoints * a.opponentHomePoints) * 0.0088);
      } else {
        b = b * 0.92;
      }
    }
    divideForm((b - o) * 0.09, 1.0);
    trace("Builders Adj");

    const int sideAnchor = sideAnchorValue();
    const int opponentAnchor = opponentAnchorValue();
    if (accepting) {
      bool anyHeld = false;
      for (int p = 18; p <= 24; ++p) anyHeld = anyHeld || sideHolds(p);
      if (anyHeld) {
        multiply((1.0 + sideAnchor / 100.0) * f.Dblfact36);
        trace("Accepting - Anchor Adj ");
      }
    }
    multiply(1.0 + (sideAnchor - opponentAnchor) / 100.0 * 0.38);
    trace("Anchor Adj ");

    if (accepting) {
      multiply(1.0 + 1.48 * sideMenOutOfPlay() / 100.0);
      trace("Accepting - Men out of play Adj ");
      const double x = a.opponentHomePoints + a.opponentBlockCount / 2.0;
      if (x < 4) {
        divideForm(f.Dblfact3,
                   a.opponentHomePoints * a.opponentHomePoints + 2.0 + a.opponentBlockCount);
      }
    }
    trace("InnerPointsH adj ");

    // Side 0's view of the mover's board is the opponent's: its blots are the ones the
    // side may hit. The second call also leaves opponentBlockCount for the steps below.
    const double riskH = -sideBlotRiskScore(0);
    const double riskC = -sideBlotRiskScore(1);
    const int sideBar = sideBarMen();
    const int opponentBar = opponentBarMen();
    const double hb = riskH + 2.0 * a.homePointsSquared + a.ownBlockCount - 2.0 * sideBar * sideBar;
    const double cb = riskC + 2.0 * a.opponentHomePointsSquared + a.opponentBlockCount -
                      2.0 * opponentBar * opponentBar;
    if (doubling) {
      if (riskH > 0) {
        multiply(1.0 + 0.4 * hb / 100.0);
        trace("Doubling - HBlotRisk Adj ");
      }
      if (riskC > 0) {
        multiply(1.0 - 0.3 * cb / 100.0);
        trace("Doubling - CBlotRisk Adj ");
      }
    } else {
      if (riskC > 0) {
        multiply(1.0 - 0.2 * cb / 100.0);
        trace("Accepting - CBlotRisk Adj ");
      }
      if (riskH > 0) {
        multiply(1.0 + 0.22 * hb / 100.0);
        trace("Accepting - HBlotRisk Adj ");
      }
    }

    divideForm((a.ownZoneOpenPoint > 0 ? a.ownBlockCount : 0) -
                   (a.opponentZoneOpenPoint > 0 ? a.opponentBlockCount : 0),
               f.Dblfact5);
    trace("XBlock Adj ");

    divideForm(a.homePointsSum - a.opponentHomePointsSum, f.Dblfact6);
    trace("InnerPointsXValue Adj ");
    divideForm(a.homePointsSquared - a.opponentHomePointsSquared, f.Dblfact7);
    trace("InnerPointsXSqr Adj ");

    divideForm(opponentBlockedMenValue() - sideBlockedMenValue(), f.Dblfact8);
    trace("XMenBlocked/XBlock Adj ");

    int t = (a.homePointsSquared + 5) * opponentBar - sideBar * (a.opponentHomePointsSquared + 5);
    if (a.sideHasBackMen == -1 && opponentBar > 0 && a.opponentBlockCount >= 5) {
      t = t * (1 - a.opponentBlockCount / 6);
    }
    divideForm(t, f.Dblfact9);
    trace("Bar piece block Adj ");

    divideForm(sideBar * a.opponentOpenKeyPoints - opponentBar * a.ownOpenKeyPoints, f.Dblfact10);
    trace("X56Open Adj ");
    divideForm(a.opponentBlockadeTerm - a.ownBlockadeTerm, f.Dblfact11);
    trace("XSixBlockValue Adj ");

    divideForm(analysis.menLeft[0] - analysis.menLeft[1], f.Dblfact12);
    trace("Pieces Remaining Adj ");
  }

  // From here on the steps run in a backgame too.
  if (accepting && a.ownBlockCount >= 6 && a.opponentHasBackMen == -1) {
    multiply(f.Dblfact13);
    trace("CBlock on Hman Adj ");
  }

  if (analysis.moverPipCount < f.Dblfact14) {
    divideForm(opponentHomeGaps() - sideHomeGaps(), f.Dblfact15);
  }
  trace("Low Pipcount/XibEmptyRows Adj ");

  divideForm(sideBarMen() * a.ownAnchors - opponentBarMen() * a.opponentAnchors, f.Dblfact16);
  trace("Bar piece place to land on Adj ");

  divideForm(static_cast<double>(a.ownTimingRatio) - a.opponentTimingRatio, f.Dblfact17);
  trace("XTimingStart! Adj ");

  const int level = dp.analysisAidActive == -1 ? kHighestSkillLevel : skill.skillLevel;
  multiply(20.0 / (25 - level));
  trace("Skill Level Adj ");

  divideForm(a.opponentDeepMen * a.opponentMenOutside * a.opponentHomeGapsNet / 10.0 -
                 a.ownDeepMen * a.ownMenOutside * a.ownHomeGapsNet / 10.0,
             f.Dblfact18);
  trace("XMenOutOfPlay on 1&2 rows Adj ");

  if (analysis.moverPipCount > f.Dblfact19) trace("Man Back Adj ");

  if (backgame.backgameFlag != 0) {
    homeBoardStrength();
    multiply((analysis.menLeft[0] + static_cast<double>(f.Dblfact21)) /
             (analysis.menLeft[1] + static_cast<double>(f.Dblfact21)));
    multiply((race.opponentHomeStrength + 60.0) / f.Dblfact22);
    multiply((a.startHomePoints + 30.0) / f.Dblfact23);
    multiply((sideHolds(1) ? 10.0 : 11.0) / f.Dblfact24);
    multiply((a.ownTimingRatio + 40.0) / f.Dblfact25);
    multiply(f.Dblfact26);
    scoreFromMultiplier();
    const double base = analysis.opponentPipCount;
    dp.cubeThreshold1 = static_cast<float>(0.0019 * base * base);
    dp.cubeThreshold2 = static_cast<float>(dp.cubeThreshold1 * 1.333);
  } else {
    scoreFromMultiplier();
  }

  trace("PipDeltaAdj!= " + strS(dp.doublingScore) + " ");
  dp.cubeTraceOn = 0;
}

void doublerPositionScore() {
  if (analysis.contactBroken == -1) {
    storeInverse(1.0 - (features.opponentStackSpread - features.ownStackSpread) /
                           static_cast<double>(factors.Dblfact32));
    scoreFromMultiplier();
    if (dp.doublingScore >= dp.cubeThreshold1) dp.raceScoreClears = 255;
    return;
  }
  dp.doublingView = -1;
  evaluateDoublingPosition();
}

void takerPositionScore() {
  if (analysis.contactBroken == -1) {
    if (race.raceRollLead * 8.3333 >= -static_cast<double>(dp.cubeThreshold1)) dp.raceScoreClears = 255;
    trace("Based on RunningGame and RollsAheadStart!");
    return;
  }
  dp.doublingView = 0;
  evaluateDoublingPosition();
}

}  // namespace bg
