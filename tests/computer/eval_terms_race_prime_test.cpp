// The running race, blot risk, hitting, gaps and spread, prime, builders, trapped back men
// and blockade terms, each on a hand-built candidate.
#include "computer/eval_terms_race_prime.h"

#include <gtest/gtest.h>

#include "computer/backgame_flags.h"
#include "computer/blot_risk_score.h"
#include "computer/factors.h"
#include "computer/shot_probabilities.h"
#include "term_fixture.h"

namespace bg {
namespace {

using namespace bg::testing;

class RacePrimeTermsTest : public TermTest {
 protected:
  void SetUp() override {
    TermTest::SetUp();
    shotRisk = ShotRisk{};
    backgame = BackgameFlags{};
  }
  const EvalFactors& f = factors;
};

// A quiet contact position that the race term and the blot term can be fed by hand.
const ViewBoard kQuiet = viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {1, 2}, {12, 5}, {17, 3}, {19, 5}});

TEST_F(RacePrimeTermsTest, RunningRaceLeadLimitSteps) {
  layOut(kQuiet, kQuiet);
  analysis.raceFlag = 0;
  analysis.ownMenBehindRear = 3;
  auto& c = candidate;
  c.raceRollLeadAfterRoll = 0.5f;
  auto run = [&](int ownPips, int deficit) {
    evalScores.mainScore = 0;
    c.candidateOwnPips = static_cast<int16_t>(ownPips);
    c.candidatePipDeficit = static_cast<int16_t>(deficit);
    evalRunningRace();
    return static_cast<double>(main());
  };
  EXPECT_EQ(run(74, 0), 0);  // below 75 pips the limit is 0
  EXPECT_NEAR(run(74, -1), f.RgFact, 1e-6);
  EXPECT_EQ(run(75, -16), 0);  // exactly at the limit: nothing
  EXPECT_NEAR(run(75, -17), 17.0 * f.RgFact, 1e-5);
  EXPECT_EQ(run(229, -16), 0);
  EXPECT_EQ(run(230, -32), 0);
  EXPECT_NEAR(run(230, -33), 33.0 * f.RgFact, 1e-5);
}

TEST_F(RacePrimeTermsTest, RunningRaceBehindAndInTheRace) {
  layOut(kQuiet, kQuiet);
  auto& c = candidate;
  c.candidateOwnPips = 100;
  c.candidateOpponentPips = 120;
  c.candidatePipDeficit = -20;
  c.candidateMenOutside = 3;
  c.raceRollLeadAfterRoll = -0.5f;
  analysis.raceFlag = -1;
  analysis.menLeft[1] = static_cast<int16_t>(analysis.menLeftSaved[1] - 2);
  evalRunningRace();
  // Behind: (2 x 100 + 30) / (30 + 120), a real quotient; men still outside; two men off.
  EXPECT_NEAR(main(), -f.RunFact * 230.0 / 150.0 - 3.0 * f.OutFact + 2.0 * f.BOFact3, 1e-4);
  // Not yet a race, the last man behind the opponent's rear and ahead: 24 more.
  evalScores.mainScore = 0;
  analysis.raceFlag = 0;
  analysis.ownMenBehindRear = 1;
  c.raceRollLeadAfterRoll = 0;
  evalRunningRace();
  EXPECT_NEAR(main(), 24 + 20.0 * f.RgFact + 2.0 * f.BOFact3, 1e-4);
}

TEST_F(RacePrimeTermsTest, BlotRiskChain) {
  layOut(kQuiet, kQuiet);
  // Without blots, or without any shot at them, the score stays.
  shotRisk.multiShotScore = 5;
  features.ownBlotCount = 0;
  evalBlotRisk();
  EXPECT_EQ(evalScores.blotScore, 0);
  features.ownBlotCount = 1;
  shotRisk.multiShotScore = 0;
  evalBlotRisk();
  EXPECT_EQ(evalScores.blotScore, 0);

  auto& a = features;
  shotRisk.multiShotScore = 2;
  blotRisk.blotRiskSum = 1;
  a.ownBlotCount = 2;
  a.opponentHomePoints = 2;
  a.opponentHomePointsSquared = 4;
  a.opponentBlockCount = 3;
  candidate.raceRollLeadAfterRoll = 0;
  evalBlotRisk();
  double b = 3.0 * (4 + 3) * f.BtFact1;
  b = static_cast<float>(b);
  b = static_cast<float>(b * (1 + 9.0 * f.BtFact8));
  b = static_cast<float>(b + 4.0 * (2 + 1.5 + 5) * f.BtFact11);  // 3 / 2 is 1.5, not 1
  EXPECT_NEAR(evalScores.blotScore, b, 1e-4);

  // Far ahead in the race, and opponent blots in its home before the play.
  candidate.raceRollLeadAfterRoll = 3;
  candidate.opponentBlotsBeforePlay = 2;
  evalBlotRisk();
  b = static_cast<float>(b * (1 + 3.0 * f.Btfact3));
  b = static_cast<float>(b + 3 - f.Btfact6);
  b = static_cast<float>(b - b * (9.0 / 5.0) * f.BtFact4);
  EXPECT_NEAR(evalScores.blotScore, b < 0 ? 0 : b, 1e-4);
}

TEST_F(RacePrimeTermsTest, BlotRiskInABackgame) {
  layOut(kQuiet, kQuiet);
  shotRisk.multiShotScore = 2;
  features.ownBlotCount = 1;
  termFeatures.exposedOuterBlots = 3;
  backgame.backgameFlag = -1;
  evalBlotRisk();
  EXPECT_NEAR(evalScores.blotScore, -3.0 * f.BGFact6, 1e-5);
  backgame.backgameEarlyFlag = -1;
  evalBlotRisk();
  EXPECT_NEAR(evalScores.blotScore, -3.0 * f.BGFact6 * f.BgFact11, 1e-5);
}

TEST_F(RacePrimeTermsTest, BlotRiskBehindASixPrime) {
  // A six-point prime with the opponent's men behind it: nothing to fear but home blots.
  const ViewBoard v = viewWith({{7, -2}, {6, -2}, {5, -2}, {4, -2}, {3, -2}, {2, -2}, {9, -1}, {10, -2},
                                {1, 2}, {19, 13}});
  layOut(v, v);
  shotRisk.multiShotScore = 4;
  features.ownBlotCount = 1;
  termFeatures.ownBlockAfterPlay = 6;
  features.opponentHasBackMen = -1;
  evalBlotRisk();
  EXPECT_EQ(evalScores.blotScore, 0);
  // Two home blots above the opponent's rear man come back in squared.
  const ViewBoard w = viewWith({{7, -2}, {6, -2}, {5, -1}, {4, -1}, {3, -2}, {2, -2}, {9, -1}, {10, -2}, {8, -2},
                                {1, 2}, {19, 13}});
  layOut(w, w);
  shotRisk.multiShotScore = 4;
  features.ownBlotCount = 3;
  termFeatures.ownBlockAfterPlay = 6;
  termFeatures.homeBlotCount = 1;
  features.opponentHasBackMen = -1;
  evalBlotRisk();
  EXPECT_NEAR(evalScores.blotScore, 4.0 * f.BtFact12, 1e-5);
}

TEST_F(RacePrimeTermsTest, BlotRiskWithTheOpponentOnTheBar) {
  // One opponent man on the bar, no home blots, a weak opponent board: the risk shrinks
  // by the mover's home points.
  const ViewBoard v = viewWith({{6, -3}, {5, -2}, {4, -2}, {9, -1}, {13, -7}, {25, 1}, {19, 14}});
  layOut(v, v);
  shotRisk.multiShotScore = 2;
  features.ownBlotCount = 1;
  features.opponentHomePoints = 1;
  features.opponentHomePointsSquared = 1;
  features.opponentBlockCount = 1;
  candidate.ownHomePointsSquared = 9;
  candidate.raceRollLeadAfterRoll = 0;
  evalBlotRisk();
  double b = 2.0 * (1 + 3) * f.BtFact1;
  b = static_cast<float>(b);
  b = static_cast<float>(b * (1 + 1.0 * f.BtFact8));
  b = static_cast<float>(b + 1.0 * (1 + 0.5 + 5) * f.BtFact11);
  b = static_cast<float>(b - b * (1 - (80.0 - 9) / 80.0) * f.Btfact5);
  EXPECT_NEAR(evalScores.blotScore, b, 1e-4);
}

TEST_F(RacePrimeTermsTest, BackgameTermOnlyInABackgame) {
  const ViewBoard v = viewWith({{24, -2}, {22, -2}, {13, -11}, {1, 2}, {12, 13}});
  layOut(v, v);
  features.ownPointCount = 3;
  evalBackgameIfFlag();
  EXPECT_EQ(main(), 0);
  backgame.backgameFlag = -1;
  evalBackgameIfFlag();
  EXPECT_NE(main(), 0);
}

TEST_F(RacePrimeTermsTest, HitBonusWhileAttacking) {
  const ViewBoard before = viewWith({{13, -15}, {10, 1}, {19, 14}});
  const ViewBoard after = viewWith({{13, -14}, {10, -1}, {19, 14}, {25, 1}});
  layOut(before, after, {{13, 3}});
  backgame.attackFlag = -1;
  evalHitBonus();
  EXPECT_FLOAT_EQ(evalScores.barScore, f.Hitfact5);
  evalScores.barScore = 0;
  backgame.backgameFlag = -1;
  evalHitBonus();
  EXPECT_EQ(evalScores.barScore, 0);
  backgame.backgameFlag = 0;
  layOut(before, viewWith({{13, -14}, {11, -1}, {10, 1}, {19, 14}}), {{13, 2}});
  evalHitBonus();
  EXPECT_EQ(evalScores.barScore, 0);
}

TEST_F(RacePrimeTermsTest, GivingUpTheMidpoint) {
  const ViewBoard before = viewWith({{13, -2}, {6, -13}, {1, 2}, {19, 13}});
  const ViewBoard after = viewWith({{13, -1}, {9, -1}, {6, -13}, {1, 2}, {19, 13}});
  layOut(before, after, {{13, 4}});
  candidate.candidateMenOutside = 0;
  evalGapsAndSpread();
  EXPECT_NEAR(main(), -f.GpFact11 * (analysis.moverPipCount / 200.0), 1e-5);
}

TEST_F(RacePrimeTermsTest, NewAdvancedAnchor) {
  const ViewBoard opponent = viewWith({{1, 2}, {12, 4}, {17, 3}, {19, 3}, {16, 3}});
  auto anchorScore = [&](std::initializer_list<std::pair<int, int>> before,
                         std::initializer_list<std::pair<int, int>> after) {
    ViewBoard b = opponent;
    ViewBoard a = opponent;
    for (auto [p, n] : before) b[static_cast<size_t>(p)] = n;
    for (auto [p, n] : after) a[static_cast<size_t>(p)] = n;
    layOut(b, a);
    backgame = BackgameFlags{};  // far behind: the analysis may have chosen a backgame
    candidate.candidateMenOutside = 0;
    evalGapsAndSpread();
    return static_cast<double>(main());
  };
  EXPECT_NEAR(anchorScore({{24, -2}, {22, -2}, {13, -11}}, {{20, -2}, {22, -2}, {13, -11}}), f.GpFact8, 1e-5);
  EXPECT_NEAR(anchorScore({{24, -2}, {22, -2}, {13, -11}}, {{24, -2}, {18, -2}, {13, -11}}), f.GpFact13, 1e-5);
  EXPECT_NEAR(anchorScore({{24, -2}, {23, -2}, {13, -11}}, {{24, -2}, {21, -2}, {13, -11}}), f.GpFact14, 1e-5);
  // A new 20 point next to a held 21 earns nothing.
  EXPECT_NEAR(anchorScore({{24, -2}, {21, -2}, {13, -11}}, {{20, -2}, {21, -2}, {13, -11}}), 0, 1e-5);
}

TEST_F(RacePrimeTermsTest, HomeBoardWalkAndBrokenKeyPoints) {
  const ViewBoard before = viewWith({{6, -2}, {5, -2}, {4, -2}, {13, -9}, {1, 2}, {19, 13}});
  const ViewBoard after = viewWith({{6, -2}, {5, -2}, {4, -1}, {3, -1}, {13, -9}, {1, 2}, {19, 13}});
  layOut(before, after, {{4, 1}});
  evalGapsAndSpread();
  // 6 and 5 held: 0.3 + 0.25; the 4 point broken.
  EXPECT_NEAR(evalScores.blockScore, 0.3 + 0.25 - 1, 1e-5);
}

TEST_F(RacePrimeTermsTest, FivePointSlottedOrMade) {
  const ViewBoard before = viewWith({{13, -9}, {8, -6}, {1, 2}, {19, 13}});
  layOut(before, viewWith({{13, -9}, {8, -4}, {5, -2}, {1, 2}, {19, 13}}), {{8, 3}, {8, 3}});
  candidate.candidateMenOutside = 0;
  evalGapsAndSpread();
  EXPECT_NEAR(main(), f.BlFact5, 1e-5);
  layOut(before, viewWith({{13, -9}, {8, -5}, {5, -1}, {1, 2}, {19, 13}}), {{8, 3}});
  candidate.candidateMenOutside = 0;
  evalGapsAndSpread();
  EXPECT_NEAR(main(), f.BlFact2, 1e-5);
}

TEST_F(RacePrimeTermsTest, GapsAreWeighed) {
  layOut(kQuiet, kQuiet);
  candidate.candidateMenOutside = 0;
  candidate.largestOwnGap = 7;
  candidate.largestHomeGap = 3;
  features.pipDifference = 0;
  playSearch.rollPipTotal = 5;
  evalGapsAndSpread();
  EXPECT_NEAR(main(), -7.0 * f.GFact - 3.0 * f.GFact2, 1e-5);
  evalScores.mainScore = 0;
  features.pipDifference = 15;  // 15 - 5 is not below 10
  evalGapsAndSpread();
  EXPECT_NEAR(main(), -3.0 * f.GFact2, 1e-5);
}

TEST_F(RacePrimeTermsTest, DistributionFactorByPhase) {
  layOut(kQuiet, kQuiet);
  evalScores.distribScore = 2;
  features.bearInFlag = 0;
  applyDistributionFactor();
  EXPECT_FLOAT_EQ(evalScores.distribScore, 2 * f.DistribFactor);
  evalScores.distribScore = 2;
  features.bearInFlag = -1;
  applyDistributionFactor();
  EXPECT_FLOAT_EQ(evalScores.distribScore, 2 * f.DistribFactor3);
}

TEST_F(RacePrimeTermsTest, PrimeOfExactlySixBeforeThePlay) {
  auto primeScore = [&](const ViewBoard& before, const ViewBoard& after) {
    layOut(before, after);
    termFeatures.ownBlockAfterPlay = 6;
    termFeatures.runningGameFlag = -1;
    features.opponentHasBackMen = 0;
    features.opponentBlockCount = 6;
    evalPrime();
    return static_cast<double>(main());
  };
  // Held 3..8 before (six); the play makes the 2 point.
  const ViewBoard six = viewWith({{3, -2}, {4, -2}, {5, -2}, {6, -2}, {7, -2}, {8, -2}, {13, -3}, {1, 2}, {19, 13}});
  ViewBoard sixAfter = six;
  sixAfter[2] = -2;
  sixAfter[13] = -1;
  EXPECT_NEAR(primeScore(six, sixAfter), -f.PrmFact2, 1e-5);
  // Seven held (3..9) before: the counter runs past six.
  const ViewBoard seven = viewWith({{3, -2}, {4, -2}, {5, -2}, {6, -2}, {7, -2}, {8, -2}, {9, -2}, {13, -1}, {1, 2}, {19, 13}});
  ViewBoard sevenAfter = seven;
  sevenAfter[2] = -2;
  sevenAfter[9] = -1;
  sevenAfter[13] = 0;
  EXPECT_NEAR(primeScore(seven, sevenAfter), 0, 1e-5);
  // A broken run: 2, then 4..9 (six after the gap on 3).
  ViewBoard broken = seven;
  broken[3] = 0;
  broken[2] = -2;
  EXPECT_NEAR(primeScore(broken, broken), -f.PrmFact2, 1e-5);
}

TEST_F(RacePrimeTermsTest, PrimeAgainstBackMenEndsTheBackgame) {
  const ViewBoard v = viewWith({{3, -2}, {4, -2}, {5, -2}, {6, -2}, {7, -2}, {8, -2}, {13, -3}, {1, 2}, {19, 13}});
  layOut(v, v);
  termFeatures.ownBlockAfterPlay = 6;
  termFeatures.runningGameFlag = 0;
  features.opponentHasBackMen = -1;
  features.opponentBlockCount = 2;
  features.ownBlockHighPoint = 8;
  candidate.largestOwnGap = 5;
  backgame.backgameFlag = -1;
  evalPrime();
  // PrmFact1, the gap weight outside a running game, and nothing for the rear point on
  // 13 (held, above the block's high point): that costs PrmFact7.
  EXPECT_NEAR(main(), f.PrmFact1 + 5.0 * f.GFact - f.PrmFact7, 1e-5);
  EXPECT_EQ(backgame.backgameFlag, 0);
}

TEST_F(RacePrimeTermsTest, BreakingAClosedBoardWithAManOnTheBar) {
  const ViewBoard before =
      viewWith({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -3}, {13, -2}, {25, 1}, {19, 14}});
  const ViewBoard after =
      viewWith({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -1}, {6, -3}, {13, -2}, {25, 1}, {19, 14}, {0, 0}});
  layOut(before, after);
  candidate.ownHomePoints = 5;
  evalPrime();
  EXPECT_NEAR(main(), -f.GpFact12, 1e-5);
}

TEST_F(RacePrimeTermsTest, BuildersAndTheExposedSlot) {
  // A slot on 5 with the opponent on the bar; only the stack on 8 covers it.
  const ViewBoard v = viewWith({{5, -1}, {6, -2}, {8, -2}, {13, -10}, {25, 1}, {19, 14}});
  layOut(v, v);
  candidate.blotHitterCount = 2;
  termFeatures.outerOddStacks = 1.5f;
  termFeatures.homeThreeStacks = 1;
  evalBuilders();
  const int builders = analysePointStructure(analysis.evalBoard);
  ASSERT_EQ(pointStructure.slotRow, 5);
  ASSERT_EQ(pointStructure.slotAtRiskFlag, -1);
  // Points 6..11: 8 is held (2 men, outside the home board); 6 has only 2 men: c = 1.
  EXPECT_NEAR(main(),
              2.0 * f.Hitfact7 + 1.5 * f.BldFact + f.BldFact4 + builders * static_cast<double>(f.BldFact6) -
                  2.0 * f.BldFact5,
              1e-4);
}

TEST_F(RacePrimeTermsTest, TrappedBackMen) {
  // Opponent block of four (18, 17, 16, 15); the mover's men on 24 and 20.
  const ViewBoard v = viewWith({{24, -1}, {20, -1}, {13, -13}, {18, 2}, {17, 2}, {16, 2}, {15, 2}, {1, 7}});
  layOut(v, v);
  features.opponentBlockCount = 4;
  evalTrappedBackMen();
  EXPECT_EQ(features.ownBackMen, 1);  // only 22..24 count
  EXPECT_EQ(features.sideHasBackMen, -1);
  // Each faces an open point just below: 24 costs 5 times what 20 costs.
  EXPECT_NEAR(main(), -16.0 * f.PrmFact4 * (5 + 1), 1e-4);
  // With no block of four nothing is rewritten.
  evalScores.mainScore = 0;
  features.opponentBlockCount = 3;
  features.ownBackMen = 9;
  evalTrappedBackMen();
  EXPECT_EQ(features.ownBackMen, 9);
  EXPECT_EQ(main(), 0);
}

TEST_F(RacePrimeTermsTest, TrappedBackMenBehindHeldPoints) {
  // 23 held in front of 24, and 22 held too: no penalty for the men on 24.
  const ViewBoard v = viewWith({{24, -2}, {13, -13}, {23, 2}, {22, 2}, {21, 2}, {20, 2}, {1, 7}});
  layOut(v, v);
  features.opponentBlockCount = 4;
  evalTrappedBackMen();
  EXPECT_EQ(features.ownBackMen, 2);
  EXPECT_EQ(main(), 0);
  const ViewBoard w = viewWith({{24, -2}, {13, -13}, {22, 2}, {21, 2}, {20, 2}, {19, 2}, {1, 7}});
  layOut(w, w);
  features.opponentBlockCount = 4;
  backgame.backgameFlag = -1;  // in a backgame the men are meant to wait
  evalTrappedBackMen();
  EXPECT_EQ(main(), 0);
}

TEST_F(RacePrimeTermsTest, BlockadeTiming) {
  const ViewBoard v = viewWith({{24, -2}, {10, -5}, {8, -8}, {18, 2}, {17, 2}, {16, 2}, {15, 2}, {13, 1}, {1, 6}});
  layOut(v, v);
  features.opponentBlockCount = 4;
  features.sideHasBackMen = 0;
  evalBlockade();
  EXPECT_EQ(racePrimeTerms.ownTimingRatioAfterPlay, 7);
  EXPECT_EQ(main(), 0);
  features.sideHasBackMen = -1;
  features.opponentHomePoints = 0;
  candidate.candidateOuterPips = 14;
  candidate.opponentBlockerMen = 8;
  candidate.opponentBlockerPoints = 4;
  evalBlockade();
  EXPECT_FLOAT_EQ(racePrimeTerms.ownTimingRatioAfterPlay, 3.5f);
  // The man on 24 with 18 held by the opponent: no relief of 5.
  EXPECT_NEAR(main(), -f.BlkFact2 * (16 - 3.5 + 8.0 / 3.0 + 4), 1e-4);
  // Plenty of outer pips: the ratio stops at 7.
  evalScores.mainScore = 0;
  candidate.candidateOuterPips = 100;
  evalBlockade();
  EXPECT_EQ(racePrimeTerms.ownTimingRatioAfterPlay, 7);
  // With the 18 point open the man on 24 finds relief of 5.
  const ViewBoard open18 = viewWith({{24, -2}, {10, -5}, {8, -8}, {17, 2}, {16, 2}, {15, 2}, {14, 2}, {13, 1}, {1, 6}});
  layOut(open18, open18);
  features.opponentBlockCount = 4;
  features.sideHasBackMen = -1;
  features.opponentHomePoints = 0;
  candidate.candidateOuterPips = 28;
  evalBlockade();
  EXPECT_NEAR(main(), -f.BlkFact2 * (16 - 7 - 5), 1e-4);
}


}  // namespace
}  // namespace bg
