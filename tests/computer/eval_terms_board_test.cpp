#include "computer/eval_terms_board.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"

namespace bg {
namespace {

using namespace bg::testing;

class EvalTermsBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
    playSearch = PlaySearchState{};
  }
  void TearDown() override {
    position.openingPhase = -1;
    playSearch = PlaySearchState{};
  }
  void play(const ViewBoard& before, const ViewBoard& after) {
    analyseView(before);
    backgame = BackgameFlags{};  // each test sets the flags it needs
    race.raceBehindFlag = 0;
    applyCandidate(after);
  }
  void play(const ViewBoard& v) { play(v, v); }
  const EvalScores& s = evalScores;
  const TermFeatures& t = termFeatures;
};

// Single-precision steps, as the terms keep them.
float f32(double x) { return static_cast<float>(x); }

TEST_F(EvalTermsBoardTest, RunningGameWhenNearlyDisengaged) {
  play(startingView());
  analysis.highestOccupiedPoint = 10;
  candidate.opponentRearPoint = 7;
  analysis.ownMenBehindRear = 3;
  features.startHomePoints = 3;
  candidate.ownHomePoints = 2;
  candidate.raceRollLeadAfterRoll = 0.5F;
  checkRunningGame();
  EXPECT_EQ(t.runningGameFlag, -1);
  EXPECT_FLOAT_EQ(s.mainScore, -factors.RunFact1);
  // Not ahead: no penalty for the lost point.
  evalScores.mainScore = 0;
  candidate.raceRollLeadAfterRoll = 0;
  checkRunningGame();
  EXPECT_EQ(t.runningGameFlag, -1);
  EXPECT_EQ(s.mainScore, 0);
  // Four points apart, or four men behind: still engaged.
  analysis.highestOccupiedPoint = 11;
  checkRunningGame();
  EXPECT_EQ(t.runningGameFlag, 0);
  analysis.highestOccupiedPoint = 10;
  analysis.ownMenBehindRear = 4;
  checkRunningGame();
  EXPECT_EQ(t.runningGameFlag, 0);
}

TEST_F(EvalTermsBoardTest, BestBlockWithoutOwnPoints) {
  play(viewWith({{13, -13}, {24, -2}, {2, 2}, {20, 13}}));
  features.opponentHasBackMen = -1;
  evalBestBlock();
  EXPECT_EQ(t.ownBlockAfterPlay, 0);
  EXPECT_EQ(s.blockScore, 0);
  EXPECT_EQ(features.opponentHasBackMen, 0);
}

TEST_F(EvalTermsBoardTest, BestBlockTiesGoToTheLowerWindow) {
  play(viewWith({{2, -2}, {3, -2}, {4, -2}, {8, -2}, {9, -2}, {13, -5}, {20, 15}}));
  evalBestBlock();
  EXPECT_EQ(t.ownBlockAfterPlay, 3);
  EXPECT_EQ(t.ownBlockStart, 1);
  EXPECT_EQ(t.ownBlockEnd, 7);
}

TEST_F(EvalTermsBoardTest, FullPrimeInFrontOfBackMen) {
  const ViewBoard v = viewWith({{4, -2}, {5, -2}, {6, -2}, {7, -2}, {8, -2}, {9, -2}, {11, -3}, {1, 2}, {20, 13}});
  play(v);
  ASSERT_LT(analysis.moverPipCount, 156);
  evalBestBlock();
  EXPECT_EQ(t.ownBlockAfterPlay, 6);
  EXPECT_EQ(t.ownBlockStart, 4);
  EXPECT_EQ(t.ownBlockEnd, 10);
  EXPECT_EQ(features.opponentHasBackMen, -1);
  // 36 x BlFact1, behind it by more than six (x blFact6), the trapped men on 1 against
  // 7 and 6 (2 x 2 + 2), and the ace-point men against the 7 point.
  float expected = f32(36 * static_cast<double>(factors.BlFact1));
  expected = f32(expected * static_cast<double>(factors.blFact6));
  expected = f32(expected + 6 * static_cast<double>(factors.blFact8));
  expected = f32(expected + static_cast<double>(factors.blFact9));
  EXPECT_FLOAT_EQ(s.blockScore, expected);
  EXPECT_EQ(s.mainScore, 0);
}

TEST_F(EvalTermsBoardTest, FifthWindowFromOneHundredFiftySixPips) {
  ViewBoard v = viewWith({{5, -2}, {6, -2}, {7, -2}, {8, -2}, {9, -2}, {10, -2}, {22, -3}, {15, 2}, {20, 13}});
  play(v);
  ASSERT_EQ(analysis.moverPipCount, 156);
  evalBestBlock();
  EXPECT_EQ(t.ownBlockAfterPlay, 6);
  EXPECT_EQ(t.ownBlockStart, 5);
  EXPECT_EQ(features.opponentHasBackMen, 0);
  EXPECT_FLOAT_EQ(s.blockScore, f32(f32(36 * static_cast<double>(factors.BlFact1)) * static_cast<double>(factors.BlFact4)));
  v[22] = -2;
  v[21] = -1;
  play(v);
  ASSERT_EQ(analysis.moverPipCount, 155);
  evalBestBlock();
  EXPECT_EQ(t.ownBlockAfterPlay, 5);
  EXPECT_EQ(t.ownBlockStart, 4);
}

TEST_F(EvalTermsBoardTest, HomePointsGainedAndMenOnTheBar) {
  // Hitting on 5 with the two men from 8.
  play(viewWith({{6, -2}, {8, -2}, {13, -11}, {5, 1}, {20, 14}}),
       viewWith({{6, -2}, {5, -2}, {13, -11}, {25, 1}, {20, 14}}));
  evalBestBlock();
  EXPECT_EQ(features.opponentHasBackMen, 0);  // a block of two does not hold it
  EXPECT_FLOAT_EQ(s.mainScore, f32(f32(static_cast<double>(factors.GpFact9)) + factors.IFact6 * 2.0));
  // A running game devalues a block that holds nobody.
  play(viewWith({{6, -2}, {5, -2}, {4, -2}, {13, -9}, {20, 15}}));
  termFeatures.runningGameFlag = -1;
  evalBestBlock();
  float expected = f32(9 * static_cast<double>(factors.BlFact1));
  expected = f32(expected * static_cast<double>(factors.BlFact4));
  expected = f32(expected * static_cast<double>(factors.blFact7));
  EXPECT_FLOAT_EQ(s.blockScore, expected);
  // A man on the bar in front of a block of three reaching 6: held back.
  play(viewWith({{6, -2}, {5, -2}, {4, -2}, {13, -9}, {25, 1}, {20, 14}}));
  evalBestBlock();
  EXPECT_EQ(features.opponentHasBackMen, -1);
}

TEST_F(EvalTermsBoardTest, AnchorLadder) {
  struct Case {
    const char* name;
    ViewBoard v;
    float lead;
    double expected;
  };
  const float a = factors.AnFact1;
  const Case cases[] = {
      {"20 with the opponent holding 5: 5 + 2", viewWith({{20, -2}, {13, -5}, {8, -3}, {6, -5}, {5, 2}, {10, 13}}),
       -0.5F, 3.43},
      {"24 alone: 1", viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {10, 13}, {15, 2}}), -0.5F, 0.49},
      {"24 far behind in the race: 4", viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {10, 13}, {15, 2}}), -3.5F,
       1.96},
      {"20 comes before 18", viewWith({{20, -2}, {18, -2}, {13, -5}, {6, -6}, {10, 15}}), -0.5F, 5 * a},
      {"18 with the opponent on view 7: 3 + 2", viewWith({{18, -2}, {13, -5}, {6, -8}, {7, 2}, {10, 13}}), -0.5F,
       5 * a},
      {"21 gets one for the opponent's block", viewWith({{21, -2}, {13, -5}, {6, -8}, {4, 2}, {10, 13}}), -0.5F,
       4 * a},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    play(c.v);
    candidate.raceRollLeadAfterRoll = c.lead;
    evalAnchor();
    EXPECT_NEAR(s.mainScore, c.expected, 1e-5);
  }
}

TEST_F(EvalTermsBoardTest, AnchorOnlyWhenBehindOrLong) {
  const ViewBoard v = viewWith({{20, -2}, {13, -2}, {5, -11}, {10, 15}});
  play(v);
  ASSERT_LE(candidate.candidateOwnPips, 130);
  candidate.raceRollLeadAfterRoll = 0.5F;
  evalAnchor();
  EXPECT_EQ(s.mainScore, 0);
  // Long enough: counts even when ahead.
  play(viewWith({{20, -2}, {13, -8}, {6, -5}, {10, 15}}));
  ASSERT_GT(candidate.candidateOwnPips, 130);
  candidate.raceRollLeadAfterRoll = 0.5F;
  evalAnchor();
  EXPECT_FLOAT_EQ(s.mainScore, 5 * factors.AnFact1);
}

TEST_F(EvalTermsBoardTest, MidpointGivenUpWithMenStillBack) {
  // No own point on 13 while the rearmost man stands on 16 or higher: -1 on top.
  play(viewWith({{20, -2}, {8, -8}, {6, -5}, {5, 2}, {10, 13}}));
  candidate.raceRollLeadAfterRoll = -0.5F;
  evalAnchor();
  EXPECT_FLOAT_EQ(s.mainScore, f32(7 * static_cast<double>(factors.AnFact1) - 1));
  // The same when the anchor term itself does not apply.
  play(viewWith({{20, -2}, {8, -8}, {6, -5}, {5, 2}, {10, 13}}));
  backgame.backgameFlag = -1;
  evalAnchor();
  EXPECT_EQ(s.mainScore, -1);
}

// Before: the opponent's blot on 5 and two men of the mover on 8.
const ViewBoard kBeforeHitOn5 = viewWith({{8, -2}, {6, -2}, {13, -9}, {24, -2}, {5, 1}, {20, 14}});
const ViewBoard kAfterHitOn5 = viewWith({{8, -1}, {6, -2}, {5, -1}, {13, -9}, {24, -2}, {25, 1}, {20, 14}});

TEST_F(EvalTermsBoardTest, NoBarTermWithoutAManOnTheBar) {
  play(kBeforeHitOn5, kBeforeHitOn5);
  evalScores.barScore = 1.25F;
  evalBarAndHitting();
  EXPECT_EQ(s.barScore, 1.25F);
  EXPECT_EQ(s.mainScore, 0);
}

TEST_F(EvalTermsBoardTest, HitOnTheFivePoint) {
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 2;
  evalBarAndHitting();
  EXPECT_EQ(t.hitsThisPlay, 1);
  // The opponent lost 5 pips; one own home point.
  float expected = f32(5 * static_cast<double>(factors.HFact3));
  expected = f32(expected + 1 * static_cast<double>(factors.HFact) * 1);
  EXPECT_FLOAT_EQ(s.barScore, expected);
  EXPECT_FLOAT_EQ(s.mainScore, factors.Hitfact6);
}

TEST_F(EvalTermsBoardTest, LastManInContactSentBack) {
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 1.2F;
  ASSERT_EQ(t.opponentMenInContact, 1);
  evalBarAndHitting();
  // Span 24 - 5 = 19; own points between before the play: 6, 8 and 13.
  const double m = 10.0 / 19 * 5 / 4;
  float expected = f32(5 * static_cast<double>(factors.HFact3));
  expected = f32(expected + static_cast<double>(factors.HFact));
  expected = f32(expected + m * factors.BarFact4);
  EXPECT_FLOAT_EQ(s.barScore, expected);
  // Not ahead by a roll: 2.3 per man on the bar.
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 0.5F;
  evalBarAndHitting();
  EXPECT_FLOAT_EQ(s.barScore, f32(expected + 2.3));
}

TEST_F(EvalTermsBoardTest, HitInTheOpponentsHomeBoard) {
  play(viewWith({{24, -2}, {13, -6}, {8, -2}, {6, -5}, {20, 1}, {10, 14}}),
       viewWith({{24, -1}, {20, -1}, {13, -6}, {8, -2}, {6, -5}, {25, 1}, {10, 14}}));
  candidate.raceRollLeadAfterRoll = 2;
  evalBarAndHitting();
  float expected = f32(20 * static_cast<double>(factors.HFact3));
  expected = f32(expected + static_cast<double>(factors.HFact));
  expected = f32(expected + static_cast<double>(factors.BarFact8));
  EXPECT_FLOAT_EQ(s.barScore, expected);
}

TEST_F(EvalTermsBoardTest, BehindInTheRaceAndAgainstAFullPrime) {
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 2;
  race.raceBehindFlag = -1;
  backgame.noBackgameFlag = -1;
  evalBarAndHitting();
  EXPECT_FLOAT_EQ(s.mainScore, f32(f32(f32(static_cast<double>(factors.BarFact1)) + factors.BarFact2) + factors.Hitfact6));
  // Playing a backgame without attacking: no BarFact1.
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 2;
  race.raceBehindFlag = -1;
  backgame.backgameFlag = -1;
  evalBarAndHitting();
  EXPECT_FLOAT_EQ(s.mainScore, factors.Hitfact6);
  // Caught behind a six-point prime: hitting only costs.
  play(kBeforeHitOn5, kAfterHitOn5);
  candidate.raceRollLeadAfterRoll = 2;
  features.opponentBlockCount = 6;
  features.sideHasBackMen = -1;
  evalBarAndHitting();
  EXPECT_EQ(s.barScore, 0);
  EXPECT_FLOAT_EQ(s.mainScore, f32(-static_cast<double>(factors.PrmFact5) + factors.Hitfact6));
}

TEST_F(EvalTermsBoardTest, TwoMenOnTheBar) {
  play(viewWith({{8, -2}, {7, -1}, {6, -2}, {13, -8}, {24, -2}, {5, 1}, {4, 1}, {20, 13}}),
       viewWith({{8, -1}, {5, -1}, {4, -1}, {6, -2}, {13, -8}, {24, -2}, {25, 2}, {20, 13}}));
  candidate.raceRollLeadAfterRoll = 2;
  termFeatures.homeBlotCount = 0;
  evalBarAndHitting();
  EXPECT_EQ(t.hitsThisPlay, 2);
  // Each man lost the pips it had come: 5 and 4.
  float expected = f32(9 * static_cast<double>(factors.HFact3));
  expected = f32(expected + static_cast<double>(factors.HFact) * 2);
  expected = f32(expected + static_cast<double>(factors.HBFact) * 2);
  EXPECT_FLOAT_EQ(s.barScore, expected);
}

TEST_F(EvalTermsBoardTest, SixFiveRunFromTheBack) {
  const ViewBoard v = viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {18, 2}, {12, 13}});
  auto bonusFor = [&](int d1, int d2, int from1, int from2, int pipLead = 0) {
    play(v);
    playSearch.playDice[1] = static_cast<int16_t>(d1);
    playSearch.playDice[2] = static_cast<int16_t>(d2);
    playSearch.playFrom[1] = static_cast<int16_t>(from1);
    playSearch.playFrom[2] = static_cast<int16_t>(from2);
    features.pipLead = static_cast<int16_t>(pipLead);
    features.opponentBlockCount = 2;
    termFeatures.opponentOddOuterPoints = 3;
    evalHomeBoardGame();
    return evalScores.mainScore;
  };
  const float full = f32((2 + 2 + 1.0 + 1) * factors.GpFact5);  // holds 18: H = 1
  EXPECT_FLOAT_EQ(bonusFor(6, 5, 24, 18), full);
  EXPECT_EQ(bonusFor(5, 6, 24, 19), 0);
  EXPECT_EQ(bonusFor(6, 5, 13, 13), 0);
  EXPECT_FLOAT_EQ(bonusFor(6, 5, 23, 19), full);
  EXPECT_EQ(bonusFor(6, 5, 24, 18, -12), 0);  // well behind
}

TEST_F(EvalTermsBoardTest, PointsScoreAndTheTrace) {
  auto points = [&](int16_t runningGame, int16_t bearIn) {
    play(startingView());
    features.pointWeightSum = 20;
    termFeatures.runningGameFlag = runningGame;
    features.bearInFlag = bearIn;
    evalScores.pointsScore = 3;
    evalHomeBoardGame();
    return s.pointsScore;
  };
  const float base = f32(20 * static_cast<double>(factors.PFactStart));
  EXPECT_FLOAT_EQ(points(0, 0), base);
  EXPECT_EQ(s.evalTraceIndex, 4);
  EXPECT_FLOAT_EQ(points(-1, 0), f32(base * factors.PtFact1));
  EXPECT_EQ(points(0, -1), 0);
}

TEST_F(EvalTermsBoardTest, BreakingContactWhenAnotherPlayCould) {
  auto penalty = [&](int highestOwnBlot, int opponentHomePoints, float lead) {
    play(startingView());
    playSearch.contactBreakResult = -1;
    features.highestOwnBlot = static_cast<int16_t>(highestOwnBlot);
    candidate.opponentRearPoint = 5;
    features.opponentHomePoints = static_cast<int16_t>(opponentHomePoints);
    candidate.raceRollLeadAfterRoll = lead;
    evalHomeBoardGame();
    return s.mainScore;
  };
  EXPECT_EQ(penalty(10, 3, 0), -21);
  EXPECT_EQ(penalty(10, 2, 0), 0);  // two home points: no penalty for the blot
  // No blot past the opponent's rear: the lead itself is at stake.
  EXPECT_FLOAT_EQ(penalty(0, 3, 0.5F), -3.5F);
}

TEST_F(EvalTermsBoardTest, WeakHomeBoardAndOpeningStylePoints) {
  // Hitting on 5 with a weak board behind, the opponent holding 1 and 3.
  play(viewWith({{8, -2}, {6, -2}, {13, -9}, {24, -2}, {5, 1}, {1, 2}, {3, 2}, {20, 10}}),
       viewWith({{8, -1}, {6, -2}, {5, -1}, {13, -9}, {24, -2}, {25, 1}, {1, 2}, {3, 2}, {20, 10}}));
  backgame.weakHomeBoardFlag = -1;
  evalHomeBoardGame();
  // The new blot on 5 takes away the point-5 term.
  EXPECT_FLOAT_EQ(s.mainScore, f32(-static_cast<double>(factors.HBGFact3)));
  // Making the 5 point instead.
  play(viewWith({{8, -2}, {6, -2}, {13, -9}, {24, -2}, {5, 1}, {1, 2}, {3, 2}, {20, 10}}),
       viewWith({{6, -2}, {5, -2}, {13, -9}, {24, -2}, {25, 1}, {1, 2}, {3, 2}, {20, 10}}));
  backgame.weakHomeBoardFlag = -1;
  evalHomeBoardGame();
  float expected = f32(-static_cast<double>(factors.HBGFact3));
  expected = f32(expected + static_cast<double>(factors.HBGFact2));
  expected = f32(expected + (-2 - 1) * static_cast<double>(factors.HBGFact4));
  EXPECT_FLOAT_EQ(s.mainScore, expected);
  // A man onto the empty 18 point early in the game, and a slot on 20 from the back.
  play(viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {1, 2}, {12, 5}, {17, 3}, {19, 5}}),
       viewWith({{24, -1}, {18, -1}, {20, -1}, {13, -4}, {8, -3}, {6, -5}, {1, 2}, {12, 5}, {17, 3}, {19, 5}}));
  evalHomeBoardGame();
  EXPECT_FLOAT_EQ(s.mainScore, f32(f32(static_cast<double>(factors.GpFact)) + factors.GpFact2));
}

}  // namespace
}  // namespace bg
