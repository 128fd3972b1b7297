#include "computer/position_analysis.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/blot_risk.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/shot_probabilities.h"

namespace bg {
namespace {

using namespace bg::testing;

class PositionAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
  }
  void TearDown() override { position.openingPhase = -1; }
  const PositionFeatures& f = features;
};

TEST_F(PositionAnalysisTest, StartingPositionFromEitherSide) {
  for (int player : {0, 1}) {
    SCOPED_TRACE(player);
    analyseView(startingView(), player);
    EXPECT_EQ(f.startHomePoints, 1);
    EXPECT_EQ(f.opponentHomePoints, 1);
    EXPECT_EQ(f.ownAnchors, 1);
    EXPECT_EQ(f.opponentAnchors, 1);
    EXPECT_EQ(f.ownBlotCount, 0);
    EXPECT_EQ(f.pipDifference, 0);
    EXPECT_FLOAT_EQ(f.doublingThresholdBase, 52.9891F);
    EXPECT_FLOAT_EQ(f.takeThresholdBase, 55.778F);
    EXPECT_FLOAT_EQ(f.takeThresholdBase2, 55.778F * 1.333F);
    EXPECT_EQ(f.pointWeightSum, 13);
    EXPECT_EQ(f.opponentPointWeightSum, 13);
    EXPECT_EQ(f.ownMenOutside, 10);
    EXPECT_EQ(f.opponentMenOutside, 10);
    EXPECT_EQ(f.ownMenInHome, 5);
    EXPECT_EQ(f.ownBearInPips, 77);
    EXPECT_EQ(f.ownOpenKeyPoints, 5);
    EXPECT_EQ(f.opponentOpenKeyPoints, 5);
    EXPECT_EQ(f.ownBackMen, 2);
    EXPECT_EQ(f.sideHasBackMen, -1);
    EXPECT_EQ(f.opponentBlockCount, 2);
    EXPECT_EQ(f.opponentBlockLowPoint, 17);
    EXPECT_EQ(f.ownBlockCount, 2);
    EXPECT_EQ(f.ownBlockHighPoint, 8);
    EXPECT_EQ(f.ownHomeGaps, 5);
    EXPECT_EQ(f.ownFirstGap, 5);
    EXPECT_EQ(f.opponentPointCount, 4);
    EXPECT_EQ(f.opponentContactMen, 15);
    EXPECT_EQ(f.bearInFlag, 0);
    EXPECT_EQ(f.shotValue, 0);
    EXPECT_FLOAT_EQ(race.raceRollLead, 0);
  }
}

TEST_F(PositionAnalysisTest, ThresholdBasesUseTheLeadersCount) {
  // Both sides at 100 pips.
  analyseView(viewWith({{10, -10}, {15, 10}}));
  EXPECT_FLOAT_EQ(f.takeThresholdBase, 20);
  EXPECT_FLOAT_EQ(f.doublingThresholdBase, 19);
  // The mover leads (90 against 100): its own count.
  analyseView(viewWith({{9, -10}, {15, 10}}));
  EXPECT_EQ(f.pipLead, 10);
  EXPECT_FLOAT_EQ(f.takeThresholdBase, 0.002F * 90 * 90);
}

TEST_F(PositionAnalysisTest, FeaturesAreTheSameForEitherPlayerToMove) {
  std::mt19937 rng(77);
  for (int trial = 0; trial < 2000; ++trial) {
    const ViewBoard v = randomView(rng);
    blotRisk = BlotRiskState{};
    analyseView(v, 1);
    const PositionFeatures f1 = features;
    const RaceEstimates r1 = race;
    const ShotRisk s1 = shotRisk;
    const BlotRiskState b1 = blotRisk;
    blotRisk = BlotRiskState{};
    analyseView(v, 0);
    ASSERT_TRUE(features == f1) << "trial " << trial;
    ASSERT_TRUE(race == r1) << "trial " << trial;
    ASSERT_TRUE(shotRisk == s1) << "trial " << trial;
    ASSERT_EQ(blotRisk.blotsHitCounts, b1.blotsHitCounts) << "trial " << trial;
    ASSERT_EQ(blotRisk.pointHitRolls, b1.pointHitRolls) << "trial " << trial;
  }
}

TEST_F(PositionAnalysisTest, ExposedBlotsLieAboveTheOpponentsRearmostMan) {
  analyseView(viewWith({{3, -1}, {9, -1}, {6, -13}, {5, 2}, {20, 13}}));
  EXPECT_EQ(f.ownBlotCount, 2);
  EXPECT_EQ(f.ownExposedBlots, 1);
  EXPECT_EQ(f.lowestOwnBlot, 3);
  EXPECT_EQ(f.highestOwnBlot, 9);
  EXPECT_EQ(f.ownBlotPoints[1], 3);
  EXPECT_EQ(f.ownBlotPoints[2], 9);
}

TEST_F(PositionAnalysisTest, BarMenCountTwentyFivePips) {
  analyseView(viewWith({{0, -1}, {6, -14}, {20, 15}}));
  EXPECT_EQ(analysis.moverPipCount, 25 + 84);
  EXPECT_EQ(f.ownMenOutside, 1);
  EXPECT_EQ(f.ownPipsOutside, 25);
  EXPECT_EQ(f.ownBearInPips, 19);
  EXPECT_EQ(f.ownMenBack, 1);
  EXPECT_EQ(f.ownMenInHome, 14);
  EXPECT_EQ(f.ownPointsMirrored[f.ownPointCount], 0);  // the bar entry last
}

TEST_F(PositionAnalysisTest, BlotRiskRunsCanBeSkippedForOneCall) {
  const ViewBoard v = viewWith({{10, 1}, {13, -5}, {6, -10}, {1, 14}});
  analysis.analyseBlotRiskFlag = 0;
  blotRisk.blotsHitCounts[1] = 77;
  analyseView(v);
  EXPECT_EQ(f.shotValue, 0);
  EXPECT_EQ(blotRisk.blotsHitCounts[1], 77);
  EXPECT_EQ(analysis.analyseBlotRiskFlag, -1);
  // Now with the runs: the mover hits the blot on 10 from 13 with 14 rolls (any 3, 1-2,
  // 1-1), weighted by its one home point.
  analyseView(v);
  EXPECT_FLOAT_EQ(shotRisk.multiShotCount, 14);
  EXPECT_FLOAT_EQ(f.shotValue, 14 * (1 + 1 / 9.0F));
}

TEST_F(PositionAnalysisTest, ZonesWidenAboveOneHundredFiftyFivePips) {
  // The mover holds 1-4 with point 5 open; 155 pips, then 156.
  ViewBoard v = viewWith({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {24, -5}, {8, -1}, {7, -1}, {20, 15}});
  analyseView(v);
  ASSERT_EQ(analysis.moverPipCount, 155);
  EXPECT_EQ(f.ownZoneOpenPoint, 0);
  v[7] = 0;
  v[8] = -2;
  analyseView(v);
  ASSERT_EQ(analysis.moverPipCount, 156);
  EXPECT_EQ(f.ownZoneOpenPoint, 5);
  // The opponent holds 21-24 with 20 open.
  ViewBoard w = viewWith({{21, 2}, {22, 2}, {23, 2}, {24, 2}, {1, 5}, {17, 1}, {18, 1}, {6, -15}});
  analyseView(w);
  ASSERT_EQ(analysis.opponentPipCount, 155);
  EXPECT_EQ(f.opponentZoneOpenPoint, 0);
  w[18] = 0;
  w[17] = 2;
  analyseView(w);
  ASSERT_EQ(analysis.opponentPipCount, 156);
  EXPECT_EQ(f.opponentZoneOpenPoint, 20);
}

TEST_F(PositionAnalysisTest, BlockadeTermsCountMenBehindABlock) {
  // One mover man on the bar against opponent points 19, 20, 21: three gaps.
  analyseView(viewWith({{0, -1}, {6, -14}, {19, 3}, {20, 3}, {21, 3}, {12, 6}}));
  EXPECT_EQ(f.ownBlockadeTerm, 30 - 9);
  // Two on 24 behind a block on 18 with 17..22 held except 20: k = 3 is a gap only when
  // 21 and 15 are both open; they are not.
  analyseView(viewWith({{24, -2}, {6, -13}, {18, 2}, {17, 2}, {19, 2}, {21, 2}, {22, 2}, {12, 5}}));
  // k=1: 23, 17 held -> no; k=2: 22 held; k=3: 21 held; k=4: 20 and 14 open; k=5: 19 held.
  EXPECT_EQ(f.ownBlockadeTerm, (30 - 1) * 2);
  // The opponent's men on point 1 against the mover's 7: the mirror rule.
  analyseView(viewWith({{1, 2}, {7, -2}, {6, -13}, {20, 13}}));
  EXPECT_EQ(f.opponentBlockadeTerm, (30 - 16) * 2);
}

TEST_F(PositionAnalysisTest, OpponentBlotsAscendInItsOwnNumbering) {
  analyseView(viewWith({{3, 1}, {10, 1}, {0, -1}, {6, -7}, {13, -7}, {20, 13}}));
  ASSERT_EQ(f.opponentBlotCount, 2);
  EXPECT_EQ(f.opponentBlotsMirrored[1], 15);
  EXPECT_EQ(f.opponentBlotsMirrored[2], 22);
  ASSERT_EQ(f.ownPointCount, 3);
  EXPECT_EQ(f.ownPointsMirrored[1], 12);
  EXPECT_EQ(f.ownPointsMirrored[2], 19);
  EXPECT_EQ(f.ownPointsMirrored[3], 0);
  // Skipping the blot-risk runs leaves them as the scan wrote them.
  analysis.analyseBlotRiskFlag = 0;
  analyseView(viewWith({{3, 1}, {10, 1}, {0, -1}, {6, -7}, {13, -7}, {20, 13}}));
  EXPECT_EQ(f.opponentBlotsMirrored[1], 22);
  EXPECT_EQ(f.ownPointsMirrored[1], 0);
}

TEST_F(PositionAnalysisTest, HomeGapsAndBearIn) {
  // Mover on 6, 4 and 1 with one man outside on 10: bear-in by the single man rule.
  analyseView(viewWith({{6, -5}, {4, -5}, {1, -4}, {10, -1}, {20, 15}}));
  EXPECT_EQ(f.ownHomeGaps, 3);  // 2, 3 and 5
  EXPECT_EQ(f.ownFirstGap, 3);
  EXPECT_EQ(f.ownHomeGapsNet, 3);
  EXPECT_EQ(f.ownMenPastGap, 10);
  EXPECT_EQ(f.ownHomeGapsAboveLowest, 3);
  EXPECT_EQ(f.bearInFlag, -1);
  EXPECT_EQ(analysis.raceFlag, -1);
  // Two men outside below 13: no bear-in.
  analyseView(viewWith({{6, -5}, {4, -5}, {1, -3}, {10, -1}, {11, -1}, {20, 15}}));
  EXPECT_EQ(f.bearInFlag, 0);
}

TEST_F(PositionAnalysisTest, TimingAgainstABlockIsCappedAtSeven) {
  // Opponent block of four on 17..20 in front of the mover's men on 22; outer pips 10.
  analyseView(viewWith({{22, -2}, {10, -1}, {6, -12}, {17, 2}, {18, 2}, {19, 2}, {20, 2}, {3, 7}}));
  ASSERT_EQ(f.opponentBlockCount, 4);
  EXPECT_FLOAT_EQ(f.ownTimingRatio, 10 / 4.0F);
  // Plenty of outer pips: 7.
  analyseView(viewWith({{22, -2}, {16, -3}, {6, -10}, {17, 2}, {18, 2}, {19, 2}, {20, 2}, {3, 7}}));
  EXPECT_FLOAT_EQ(f.ownTimingRatio, 7);
}

}  // namespace
}  // namespace bg
