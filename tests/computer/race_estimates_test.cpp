#include "computer/race_estimates.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/position_features.h"
#include "state/play_search_state.h"

namespace bg {
namespace {

using namespace bg::testing;

class RaceEstimatesTest : public ::testing::Test {
 protected:
  void SetUp() override { loadComputerTables(); }
  void TearDown() override { position.openingPhase = -1; }

  static CheckedArray<int16_t, 26> board(const ViewBoard& v) {
    CheckedArray<int16_t, 26> b;
    for (int i = 0; i <= 25; ++i) b[i] = static_cast<int16_t>(v[static_cast<size_t>(i)]);
    return b;
  }
};

TEST_F(RaceEstimatesTest, SingleManLeftIsPipsOverAverageRoll) {
  const auto b = board(viewWith({{4, -1}}));
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(1, 0, 0, 0, 0, 4, b, 1), static_cast<float>(4 / 8.17));
  EXPECT_FLOAT_EQ(race.lastRaceRollEstimate, static_cast<float>(4 / 8.17));
  // The same man for the opponent stands on view point 21.
  const auto o = board(viewWith({{21, 1}}));
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(1, 0, 0, 0, 0, 4, o, 0), static_cast<float>(4 / 8.17));
}

TEST_F(RaceEstimatesTest, GapSeriesHalvesEachTerm) {
  const auto empty = board(ViewBoard{});
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(0, 0, 3, 0, 0, 0, empty, 1), 0.6475F);
  // Divided by the men outside plus one; never above 1 before that.
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(0, 0, 3, 0, 2, 0, empty, 1), 0.6475F / 3);
  EXPECT_LE(estimateSideRaceRolls(0, 0, 20, 0, 0, 0, empty, 1), 1.0F);
}

TEST_F(RaceEstimatesTest, HomeBoardTermsWastageOddMenAndBlotUnderStack) {
  // 15 men home on 1..6, evenly: at least 15 / 2.25.
  const auto full = board(viewWith({{1, -3}, {2, -3}, {3, -3}, {4, -2}, {5, -2}, {6, -2}}));
  const float all = estimateSideRaceRolls(15, 0, 0, 0, 0, 47, full, 1);
  EXPECT_GE(all, 15 / 2.25F);
  // Three men on point 1: odd count, no wastage (nothing on 3..6), no gaps.
  const auto low = board(viewWith({{1, -3}}));
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(3, 0, 0, 0, 0, 3, low, 1), static_cast<float>(3.9 / 2.2222));
  // A blot on 1 under five men on 6: wastage W = 5 x 6.5, S = 5, plus 0.13 + 5/30.
  const auto stack = board(viewWith({{1, -1}, {6, -5}}));
  const double expected = 6 / 2.2222 + 0.046 * 32.5 * 32.5 / 30 + 0.13 + 5 / 30.0;
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(6, 0, 0, 0, 0, 31, stack, 1), static_cast<float>(expected));
  // The opponent's mirror image gives the same, and menPastGap plays no part.
  const auto mirror = board(viewWith({{24, 1}, {19, 5}}));
  EXPECT_FLOAT_EQ(estimateSideRaceRolls(6, 0, 0, 9, 0, 31, mirror, 0), static_cast<float>(expected));
}

TEST_F(RaceEstimatesTest, GammonSaveRollsCountBarMenAgainstTheHomeBoard) {
  // The opponent has one man on the bar and 14 on its 13..18 (view 7..12); the mover
  // holds 6, 5 and 4, so its first gap is counted from point 3.
  analyseView(viewWith({{25, 1}, {8, 14}, {6, -5}, {5, -5}, {4, -5}}));
  const PositionFeatures& f = features;
  ASSERT_EQ(f.opponentMenOutside, 15);
  ASSERT_EQ(f.opponentPipsOutside, 14 * 17 + 25);
  ASSERT_EQ(f.ownFirstGap, 3);
  ASSERT_EQ(f.homePointsSquared, 9);
  const double g = f.opponentHasBackMen == -1 ? f.ownBlockCount : 0;
  const double expected = (f.opponentPipsOutside - 75) / 8.17 + (9 / 14.0 + (6 - 3 + g) / 7.0) + 0.5;
  EXPECT_FLOAT_EQ(race.gammonSaveRolls, static_cast<float>(expected));
}

TEST_F(RaceEstimatesTest, RaceLeadFlags) {
  // Mover at 210 pips, 15 behind after a roll of 8: the limit is 9.
  analyseView(viewWith({{21, -10}, {20, -1}, {12, 15}}));
  ASSERT_EQ(analysis.moverPipCount, 230);
  analyseView(viewWith({{20, -10}, {10, -1}, {12, 15}}));
  ASSERT_EQ(analysis.moverPipCount, 210);
  ASSERT_EQ(features.pipDifference, 210 - 195);
  playSearch.rollPipTotal = 0;
  race.raceRollLead = 5;  // far ahead by the estimate, still behind by the limit
  setRaceLeadFlags();
  EXPECT_EQ(race.raceBehindFlag, -1);
  // Below 200 pips the limit is -1: any deficit after the roll counts.
  analyseView(viewWith({{19, -9}, {12, 15}}));
  ASSERT_EQ(analysis.moverPipCount, 171);
  ASSERT_EQ(features.pipDifference, -24);
  playSearch.rollPipTotal = 0;
  race.raceRollLead = 5;
  setRaceLeadFlags();
  EXPECT_EQ(race.raceBehindFlag, 0);
  features.pipDifference = 0;
  setRaceLeadFlags();
  EXPECT_EQ(race.raceBehindFlag, -1);
  playSearch.rollPipTotal = 0;
}

TEST_F(RaceEstimatesTest, RaceLeadFlagOnlyWithContact) {
  // A pure race with a huge lead.
  analyseView(viewWith({{1, -2}, {24, 15}}));
  ASSERT_EQ(analysis.raceFlag, -1);
  race.raceRollLead = 20;
  setRaceLeadFlags();
  EXPECT_EQ(race.raceLeadFlag, 0);
  // The same lead with contact.
  analyseView(viewWith({{1, -2}, {24, -1}, {12, 15}}));
  ASSERT_EQ(analysis.raceFlag, 0);
  race.raceRollLead = 20;
  setRaceLeadFlags();
  EXPECT_EQ(race.raceLeadFlag, -1);
  // Needs more than max(1.5, pips / 50).
  race.raceRollLead = 1.5F;
  setRaceLeadFlags();
  EXPECT_EQ(race.raceLeadFlag, 0);
}

TEST_F(RaceEstimatesTest, HomeBoardStrengthOfThePointsHeldUpThere) {
  analyseView(viewWith({{20, -2}, {21, -2}, {22, -2}, {23, -2}, {24, -2}, {6, -5}, {10, 15}}));
  homeBoardStrength();
  EXPECT_EQ(race.opponentHomeStrength, (3 + 7 + 8 + 7 + 9) / 2 + 5);
  analyseView(viewWith({{23, -2}, {21, -2}, {6, -11}, {10, 15}}));
  homeBoardStrength();
  EXPECT_EQ(race.opponentHomeStrength, (7 + 7) / 2 + 3);
  analyseView(viewWith({{23, -2}, {22, -2}, {6, -11}, {10, 15}}));
  homeBoardStrength();
  EXPECT_EQ(race.opponentHomeStrength, (8 + 7) / 2 + 4);
  analyseView(viewWith({{20, -3}, {6, -12}, {10, 15}}));
  homeBoardStrength();
  EXPECT_EQ(race.opponentHomeStrength, 1);
}

}  // namespace
}  // namespace bg
