// The doubling position evaluator: its board measures, its adjustments in both views, the
// backgame branch and the race scores.
#include "computer/doubling_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/blot_risk_score.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"

namespace bg {
namespace {

using namespace bg::testing;

std::vector<std::string> traced;

void keepLine(const Str255& line) { traced.push_back(line.str()); }

class DoublingPositionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
    savedSkill_ = skill;
    skill.skillLevel = 5;
    doublingPosition = DoublingPositionState{};
    traced.clear();
  }
  void TearDown() override {
    skill = savedSkill_;
    doublingPosition = DoublingPositionState{};
    initEvaluationFactors();
    position.openingPhase = -1;
  }
  static float M() { return doublingPosition.cubePipMultiplier; }
  static float score() { return doublingPosition.doublingScore; }

  // Runs the contact evaluation in one view and keeps the labels it traced.
  static void evaluate(bool doublingView) {
    doublingPosition.doublingView = doublingView ? -1 : 0;
    doublingPosition.cubeTraceRequest = -1;
    doublingPosition.cubeTracePrinter = keepLine;
    evaluateDoublingPosition();
  }
  static bool tracedLabel(const std::string& label) {
    for (const auto& line : traced) {
      if (line.rfind(label, 0) == 0) return true;
    }
    return false;
  }
  // The multiplier the trace printed after the step with this label.
  static double tracedMultiplier(const std::string& label) {
    for (const auto& line : traced) {
      if (line.rfind(label, 0) == 0) return std::stod(line.substr(label.size()));
    }
    ADD_FAILURE() << "no trace line " << label;
    return 0;
  }
  static double blotRiskOf(int16_t side) {
    CheckedArray<int16_t, 25> board;
    for (int i = 0; i <= 25; ++i) board[i] = analysis.evalBoard[i];
    return -blotRiskScore(board, side);
  }
  SkillSettings savedSkill_;
};

TEST_F(DoublingPositionTest, StartingPositionIsNeutralForTheDoublerAtTheBestLevel) {
  analyseView(startingView());
  doublerPositionScore();
  EXPECT_FLOAT_EQ(M(), 1.0f);
  EXPECT_NEAR(score(), 0.0f, 1e-4);
  EXPECT_EQ(doublingPosition.doublingView, -1);
  skill.skillLevel = 1;
  doublerPositionScore();
  EXPECT_NEAR(M(), 20.0 / 24.0, 1e-6);
  EXPECT_NEAR(score(), 167 - 200.4, 1e-3);
  // An analysis aid judges at the best level whatever the setting.
  doublingPosition.analysisAidActive = -1;
  doublerPositionScore();
  EXPECT_NEAR(M(), 1.0, 1e-6);
}

TEST_F(DoublingPositionTest, StartingPositionInTheAcceptingView) {
  analyseView(startingView());
  takerPositionScore();
  EXPECT_EQ(doublingPosition.doublingView, 0);
  // Builders 2 against 2, the side's cut to 0.92; anchor on 24 (value 4) with the
  // accepting factor; its 1, 2 and 3 points all open (6); the opponent's thin home board
  // (1 point, block 2: x = 2 < 4).
  double m = 1.0 / (1.0 - (2 * 0.92 - 2) * 0.09);
  m *= (1 + 4 / 100.0) * static_cast<double>(factors.Dblfact36);
  m *= 1 + 1.48 * 6 / 100.0;
  m /= 1 - static_cast<double>(factors.Dblfact3) / (1 + 2 + 2);
  EXPECT_NEAR(M(), m, 1e-5);
  EXPECT_NEAR(score(), 167 - 167 / m, 1e-3);
}

TEST_F(DoublingPositionTest, MenOutOfPlayInTheAcceptingViewOnly) {
  // The side holds none of its 1, 2, 3 points: value 6, +8.88 percent.
  ViewBoard v = viewWith({{6, -5}, {8, -5}, {13, -5}, {19, 5}, {17, 5}, {12, 5}});
  analyseView(v);
  EXPECT_EQ(sideMenOutOfPlay(), 6);
  evaluate(false);
  EXPECT_TRUE(tracedLabel("Accepting - Men out of play Adj "));
  traced.clear();
  evaluate(true);
  EXPECT_FALSE(tracedLabel("Accepting - Men out of play Adj "));
  // Holding the 2 point leaves 3 + 1.
  v[2] = -2;
  v[13] = -3;
  analyseView(v);
  EXPECT_EQ(sideMenOutOfPlay(), 4);
}

TEST_F(DoublingPositionTest, PrimeRunsCountAtMostSevenPoints) {
  ViewBoard v{};
  for (int p = 1; p <= 7; ++p) v[static_cast<size_t>(p)] = -2;
  v[24] = 1;
  v[23] = 1;
  v[22] = 13;
  analyseView(v);
  EXPECT_EQ(sidePrimeLength(), 7);
  v[8] = -1;  // a blot does not extend it
  analyseView(v);
  EXPECT_EQ(sidePrimeLength(), 7);
  // A run must start on one of the side's home points.
  ViewBoard w{};
  for (int p = 7; p <= 12; ++p) w[static_cast<size_t>(p)] = -2;
  w[13] = -3;
  w[24] = 15;
  analyseView(w);
  EXPECT_EQ(sidePrimeLength(), 0);
  // The opponent's runs start on 24..19 and run down.
  ViewBoard o = viewWith({{20, 3}, {19, 3}, {18, 3}, {17, 3}, {15, 3}, {1, -15}});
  analyseView(o);
  EXPECT_EQ(opponentPrimeLength(), 4);
  EXPECT_EQ(sidePrimeLength(), 1);  // its fifteen men on the 1 point
}

struct BlotRiskCase {
  const char* what;
  ViewBoard view;
  int16_t blotSide;  // whose blot is at risk: 0 the opponent's, 1 the side's
  const char* label;
  double doublingWeight;
  double acceptingWeight;
};

TEST_F(DoublingPositionTest, BlotsAtRiskFavourTheOtherSide) {
  const BlotRiskCase cases[] = {
      {"an opponent blot on 10 in front of the side's men on 13",
       viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {1, 2}, {12, 4}, {17, 3}, {19, 5}, {10, 1}}), 0,
       "HBlotRisk Adj ", 0.4, 0.22},
      {"the side's blot on 15 in front of the opponent's men on 12",
       viewWith({{24, -2}, {13, -4}, {8, -3}, {6, -5}, {15, -1}, {1, 2}, {12, 5}, {17, 3}, {19, 5}}), 1,
       "CBlotRisk Adj ", -0.3, -0.2},
  };
  for (const BlotRiskCase& c : cases) {
    SCOPED_TRACE(c.what);
    analyseView(c.view);
    const double risk = blotRiskOf(c.blotSide);
    ASSERT_GT(risk, 0);
    ASSERT_EQ(blotRiskOf(1 - c.blotSide), 0);
    // The blot-risk call leaves the block the steps after it read.
    const double sum = c.blotSide == 0
                           ? risk + 2.0 * features.homePointsSquared + features.ownBlockCount
                           : risk + 2.0 * features.opponentHomePointsSquared + features.opponentBlockCount;
    traced.clear();
    evaluate(true);
    EXPECT_NEAR(tracedMultiplier(std::string("Doubling - ") + c.label) / tracedMultiplier("InnerPointsH adj "),
                1 + c.doublingWeight * sum / 100, 1e-5);
    traced.clear();
    evaluate(false);
    EXPECT_NEAR(tracedMultiplier(std::string("Accepting - ") + c.label) / tracedMultiplier("InnerPointsH adj "),
                1 + c.acceptingWeight * sum / 100, 1e-5);
  }
  // Only the blot that is at risk is scored.
  EXPECT_FALSE(tracedLabel("Accepting - HBlotRisk Adj "));
}

TEST_F(DoublingPositionTest, EscapedBackMenCountForTheDoublerOnly) {
  // Both sides' rear men past each other's home boards, still in contact.
  const ViewBoard v = viewWith({{15, -3}, {8, -5}, {6, -7}, {10, 3}, {17, 5}, {19, 7}});
  analyseView(v);
  ASSERT_LT(analysis.highestOccupiedPoint, 19);
  evaluate(true);
  EXPECT_NEAR(tracedMultiplier("Backmen Escaped Adj ") / tracedMultiplier("PointsX Adj "), 1.1, 1e-5);
  traced.clear();
  evaluate(false);
  EXPECT_FALSE(tracedLabel("Backmen Escaped Adj "));
}

TEST_F(DoublingPositionTest, BuildersCountHalfForAPointOfTwo) {
  ViewBoard v = viewWith({{3, -3}, {5, -2}, {6, -4}, {7, -1}, {8, -2}, {9, -3}, {24, 15}});
  analyseView(v);
  // 3 and 6 (three or more), 7 (a man, no opponent on its 1), 8 (half), 9.
  EXPECT_FLOAT_EQ(sideBuilders(), 1 + 1 + 1 + 0.5f + 1);
  // An opponent man on the side's 1 point makes the lone man on 7 no builder.
  v[1] = 1;
  v[24] = 14;
  analyseView(v);
  EXPECT_FLOAT_EQ(sideBuilders(), 3.5f);
  // The opponent's builders mirror: its 3..6 are view 22..19, its 7 is view 18.
  ViewBoard o = viewWith({{22, 3}, {18, 1}, {17, 2}, {13, 1}, {1, -15}});
  analyseView(o);
  EXPECT_FLOAT_EQ(opponentBuilders(), 1 + 1 + 0.5f + 1);
  o[24] = -1;  // a side man on 24 faces the lone man on 18
  o[1] = -14;
  analyseView(o);
  EXPECT_FLOAT_EQ(opponentBuilders(), 2.5f);
}

TEST_F(DoublingPositionTest, AnchorValues) {
  ViewBoard v = viewWith({{20, -2}, {24, -2}, {5, 2}, {6, -11}, {13, 13}});
  analyseView(v);
  EXPECT_EQ(sideAnchorValue(), 3 + 5);       // the lowest held point of 18..24: 20
  EXPECT_EQ(opponentAnchorValue(), 3 + 5);   // the highest of 7..1: 5
  ViewBoard w = viewWith({{24, -2}, {18, 2}, {2, 2}, {8, -13}, {13, 11}});
  analyseView(w);
  EXPECT_EQ(sideAnchorValue(), 4 - 2);   // the opponent holds 18 in front of it
  EXPECT_EQ(opponentAnchorValue(), 5 - 2);  // the side holds 8 in front of its 2
  ViewBoard none = viewWith({{6, -15}, {19, 15}});
  analyseView(none);
  EXPECT_EQ(sideAnchorValue(), 0);
  EXPECT_EQ(opponentAnchorValue(), 0);
}

TEST_F(DoublingPositionTest, BlockedMenDivideByTheRunningCount) {
  // Side blots on 24 and 23 each face three held points (22, 21, 20): 9, then 9 div 2.
  ViewBoard v = viewWith({{24, -1}, {23, -1}, {22, 2}, {21, 2}, {20, 2}, {6, -13}, {12, 9}});
  analyseView(v);
  EXPECT_EQ(sideBlockedMenValue(), 9 + 4);
  // Two men on one point count twice as much, not divided further.
  v[24] = -2;
  v[6] = -12;
  analyseView(v);
  EXPECT_EQ(sideBlockedMenValue(), 18 + 4);
  // The opponent's men on the side's 1..6 against the side's points up to 9.
  ViewBoard o = viewWith({{1, 2}, {2, 1}, {3, -2}, {4, -2}, {5, -2}, {13, -9}, {19, 12}});
  analyseView(o);
  // On 1: k = 3 (3, 4, 5), 9 x 2 / 1 = 18; on 2: 9 x 1 / 2 = 4.
  EXPECT_EQ(opponentBlockedMenValue(), 18 + 4);
  // Men on the bar add the block squared.
  analyseView(viewWith({{0, -2}, {22, 2}, {21, 2}, {20, 2}, {6, -13}, {12, 9}}));
  ASSERT_EQ(features.opponentBlockCount, 3);
  EXPECT_EQ(sideBlockedMenValue(), 2 * 9);
}

TEST_F(DoublingPositionTest, HomeGapsFromTheFrontPoint) {
  ViewBoard v = viewWith({{5, -2}, {3, -2}, {19, 2}, {22, 2}, {13, -11}, {12, 11}});
  analyseView(v);
  EXPECT_EQ(sideHomeGaps(), 3);      // 4, 2 and 1 below the front 5
  EXPECT_EQ(opponentHomeGaps(), 4);  // 20, 21, 23 and 24 above the front 19
  ViewBoard w = viewWith({{1, -15}, {24, 15}});
  analyseView(w);
  EXPECT_EQ(sideHomeGaps(), 0);      // nothing on 6..2
  EXPECT_EQ(opponentHomeGaps(), 0);  // nothing on 19..23
}

TEST_F(DoublingPositionTest, BarTermVanishesAgainstAClosedPrime) {
  // The opponent's six-point prime 16..21 in front of the side's back men, an opponent
  // man on the bar: the bar-piece term's t is multiplied by 1 - 6 div 6 = 0.
  ViewBoard v = viewWith({{24, -2}, {21, 2}, {20, 2}, {19, 2}, {18, 2}, {17, 2}, {16, 2},
                          {25, 1}, {6, -3}, {5, -2}, {4, -2}, {8, -6}, {1, 2}});
  analyseView(v);
  ASSERT_EQ(features.sideHasBackMen, -1);
  ASSERT_EQ(features.opponentBlockCount, 6);
  evaluate(true);
  const float withPrime = M();
  // The same with the factor of that step made tiny would change M unless t is 0.
  factors.Dblfact9 = 1.0f;
  evaluate(true);
  EXPECT_FLOAT_EQ(M(), withPrime);
}

TEST_F(DoublingPositionTest, DivideFormStaysFiniteWhereTheDivisorReachesZero) {
  analyseView(startingView());
  factors.Dblfact12 = 0.001f;  // pieces remaining: 15 - 15 = 0, nothing to divide
  doublerPositionScore();
  EXPECT_FLOAT_EQ(M(), 1.0f);
  // The opponent has borne off 5 men: d = 10 - 15 = -5 for the pieces remaining.
  ViewBoard v = viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {12, 5}, {19, 5}});
  analyseView(v);
  backgame.backgameFlag = 0;  // far behind: keep the full chain
  ASSERT_EQ(analysis.menLeft[0] - analysis.menLeft[1], -5);
  factors.Dblfact12 = -5.0f;  // d / F = 1: the divide form has no finite multiplier
  doublerPositionScore();
  EXPECT_TRUE(std::isfinite(score()));
  EXPECT_FLOAT_EQ(score(), analysis.opponentPipCount);  // 1 / M = 0: the side's pips count for nothing
  // d / F = 2: the Part's own formula gives a negative M; the score follows it.
  factors.Dblfact12 = 42.84f;
  doublerPositionScore();
  const double before = 1.0 / M();
  factors.Dblfact12 = -2.5f;
  doublerPositionScore();
  const double inverse = before * (1.0 - (-5.0) / (-2.5)) / (1.0 - (-5.0) / 42.84);
  EXPECT_NEAR(score(), analysis.opponentPipCount - analysis.moverPipCount * inverse, 1e-2);
  EXPECT_LT(M(), 0.0f);
}

TEST_F(DoublingPositionTest, BackgameRunsOnlyTheOuterSteps) {
  ViewBoard v = viewWith({{24, -2}, {23, -2}, {22, -2}, {6, -3}, {5, -3}, {4, -3},
                          {1, 3}, {2, 3}, {3, 3}, {7, 2}, {9, 2}, {10, 2}});
  analyseView(v);
  backgame.backgameFlag = -1;
  evaluate(true);
  EXPECT_TRUE(tracedLabel("DistrX! Adj "));
  EXPECT_TRUE(tracedLabel("PointsX Adj "));
  EXPECT_TRUE(tracedLabel("Backgame "));
  EXPECT_FALSE(tracedLabel("Prime Size Adj "));
  EXPECT_FALSE(tracedLabel("Pieces Remaining Adj "));
  EXPECT_TRUE(tracedLabel("Skill Level Adj "));
  EXPECT_TRUE(tracedLabel("PipDeltaAdj!= "));
  // The backgame thresholds follow the opponent's pips.
  const double pips = analysis.opponentPipCount;
  EXPECT_FLOAT_EQ(doublingPosition.cubeThreshold1, static_cast<float>(0.0019 * pips * pips));
  EXPECT_FLOAT_EQ(doublingPosition.cubeThreshold2,
                  static_cast<float>(doublingPosition.cubeThreshold1 * 1.333));
  EXPECT_EQ(doublingPosition.cubeTraceOn, 0);  // the trace ends with the evaluation
  // Without the flag the full chain runs and the thresholds stay.
  backgame.backgameFlag = 0;
  doublingPosition.cubeThreshold1 = 1;
  traced.clear();
  evaluate(true);
  EXPECT_TRUE(tracedLabel("Prime Size Adj "));
  EXPECT_FALSE(tracedLabel("Backgame "));
  EXPECT_EQ(doublingPosition.cubeThreshold1, 1);
}

TEST_F(DoublingPositionTest, BackgameMultipliers) {
  ViewBoard v = viewWith({{24, -2}, {22, -2}, {20, -2}, {6, -3}, {5, -3}, {4, -3},
                          {1, 3}, {2, 3}, {3, 3}, {7, 2}, {9, 2}, {10, 2}});
  analyseView(v);
  backgame.backgameFlag = 0;
  doublerPositionScore();
  backgame.backgameFlag = -1;
  doublerPositionScore();
  const float withBackgame = M();
  // Home strength: points 24, 22, 20 held: (9 + 8 + 3) div 2 = 10, +5 for 24 and 22.
  EXPECT_EQ(race.opponentHomeStrength, 15);
  // Recompute the chain by hand from the steps that run in a backgame.
  const auto& f = factors;
  const auto& a = features;
  double inv = 1.0 - (a.opponentStackSpread - a.ownStackSpread) / static_cast<double>(f.Dblfact1);
  inv *= 1.0 - (a.pointWeightSum - a.opponentPointWeightSum) / static_cast<double>(f.Dblfact2);
  inv *= 1.0 - (-sideHomeGaps() + opponentHomeGaps()) / static_cast<double>(f.Dblfact15) *
                   (analysis.moverPipCount < f.Dblfact14 ? 1 : 0);
  inv *= 1.0 - (static_cast<double>(a.ownTimingRatio) - a.opponentTimingRatio) / f.Dblfact17;
  inv *= 1.0 - (a.opponentDeepMen * a.opponentMenOutside * a.opponentHomeGapsNet / 10.0 -
                a.ownDeepMen * a.ownMenOutside * a.ownHomeGapsNet / 10.0) /
                   f.Dblfact18;
  double m = 1.0 / inv;
  m *= (analysis.menLeft[0] + static_cast<double>(f.Dblfact21)) / (analysis.menLeft[1] + f.Dblfact21);
  m *= (15 + 60.0) / f.Dblfact22;
  m *= (a.startHomePoints + 30.0) / f.Dblfact23;
  m *= 11.0 / f.Dblfact24;  // the side does not hold its 1 point
  m *= (a.ownTimingRatio + 40.0) / f.Dblfact25;
  m *= f.Dblfact26;
  EXPECT_NEAR(withBackgame, m, 1e-4 * m);
}

TEST_F(DoublingPositionTest, RaceScoresFromTheSpreadAndTheRollsAhead) {
  // All men home on both sides, the side stacked deeper.
  analyseView(viewWith({{1, -5}, {2, -5}, {6, -5}, {24, 3}, {23, 3}, {22, 3}, {21, 3}, {20, 3}}));
  ASSERT_EQ(analysis.contactBroken, -1);
  doublingPosition.cubeThreshold1 = 1000;
  doublerPositionScore();
  const double inv = 1.0 - (features.opponentStackSpread - features.ownStackSpread) /
                               static_cast<double>(factors.Dblfact32);
  EXPECT_NEAR(score(), analysis.opponentPipCount - analysis.moverPipCount * inv, 1e-3);
  EXPECT_EQ(doublingPosition.raceScoreClears, 0);
  doublingPosition.cubeThreshold1 = score();
  doublerPositionScore();
  EXPECT_EQ(doublingPosition.raceScoreClears, 255);

  // The taker's race score is its rolls ahead.
  race.raceRollLead = -1.2f;
  doublingPosition.raceScoreClears = 0;
  doublingPosition.cubeThreshold1 = 10.0f;  // -1.2 x 8.3333 = -10.0: just inside
  takerPositionScore();
  EXPECT_EQ(doublingPosition.raceScoreClears, 255);
  doublingPosition.raceScoreClears = 0;
  doublingPosition.cubeThreshold1 = 9.9f;
  takerPositionScore();
  EXPECT_EQ(doublingPosition.raceScoreClears, 0);
}

}  // namespace
}  // namespace bg
