// A position and its mirror: the analysis and the blot-risk score must not care which
// player is on roll.
#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/blot_risk.h"
#include "computer/blot_risk_score.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/shot_probabilities.h"

namespace bg::testing {
namespace {

using MirrorTest = ComputerTest;

TEST_F(MirrorTest, AnalysisIsTheSameForEitherPlayerToMove) {
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

TEST_F(MirrorTest, EitherSideScoresItsOwnBlotsAlike) {
  std::mt19937 rng(5);
  for (int trial = 0; trial < 2000; ++trial) {
    const ViewBoard v = randomView(rng);
    CheckedArray<int16_t, 25> board, turned;
    for (int i = 0; i <= 25; ++i) {
      board[i] = static_cast<int16_t>(v[static_cast<size_t>(i)]);
      turned[i] = static_cast<int16_t>(-v[static_cast<size_t>(25 - i)]);
    }
    const double one = blotRiskScore(board, 1);
    const int16_t block1 = features.opponentBlockCount;
    ASSERT_DOUBLE_EQ(blotRiskScore(turned, 0), one) << "trial " << trial;
    ASSERT_EQ(features.opponentBlockCount, block1);
  }
}

}  // namespace
}  // namespace bg::testing
