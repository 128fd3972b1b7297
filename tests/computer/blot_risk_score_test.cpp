#include "computer/blot_risk_score.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/position_features.h"

namespace bg {
namespace {

using namespace bg::testing;

// The score of the view's mover, asked as player 1 (whose view is the board itself).
double scoreOf(const ViewBoard& v) {
  placeForPlayer(v, 1);
  return blotRiskScore(position.board, 1);
}

CheckedArray<int16_t, 25> toBoard(const ViewBoard& v) {
  CheckedArray<int16_t, 25> b;
  for (int i = 0; i <= 25; ++i) b[i] = static_cast<int16_t>(v[static_cast<size_t>(i)]);
  return b;
}

TEST(BlotRiskScoreTest, NoBlotsNoPenalty) { EXPECT_EQ(scoreOf(startingView()), 0); }

TEST(BlotRiskScoreTest, DirectShotLessTheBlockingPoints) {
  // Blot on 10, shooter on 4, own point on 7 between: T = 16 - 1.
  const double s = scoreOf(viewWith({{10, -1}, {7, -2}, {24, -12}, {4, 2}, {18, 13}}));
  EXPECT_DOUBLE_EQ(s, -0.2 * 15 * 4 * 0.15 - 0.8 * 1.5);
  // Shooters 6 and 3 away: T = 16 / 1 + 13 / 2.
  const double two = scoreOf(viewWith({{10, -1}, {24, -14}, {4, 2}, {7, 2}, {18, 11}}));
  EXPECT_DOUBLE_EQ(two, -0.2 * 22.5 * 0.6 - 0.8 * 1.5);
}

TEST(BlotRiskScoreTest, LeadAboveTenScalesByTheBlock) {
  // Lead exactly 10: unscaled.
  const double at10 = scoreOf(viewWith({{10, -1}, {12, -9}, {1, -5}, {4, 2}, {18, 13}}));
  EXPECT_DOUBLE_EQ(at10, -0.2 * 16 * 0.6 - 0.8 * 1.5);
  // Lead 11: x 11 / (14 - 1).
  const double at11 = scoreOf(viewWith({{10, -1}, {12, -9}, {1, -5}, {4, 2}, {18, 12}, {17, 1}}));
  EXPECT_EQ(features.opponentBlockCount, 1);
  EXPECT_DOUBLE_EQ(at11, -0.2 * 16 * 0.6 * 11 / 13 - 0.8 * 1.5);
}

TEST(BlotRiskScoreTest, DeepBlotCountsOnlyAgainstAFivePointBlock) {
  ViewBoard v = viewWith({{24, -1}, {6, -14}, {19, 2}, {20, 2}, {21, 2}, {22, 2}, {10, 7}});
  EXPECT_EQ(scoreOf(v), 0);
  EXPECT_EQ(features.opponentBlockCount, 4);
  v[10] = 5;
  v[18] = 2;
  EXPECT_LT(scoreOf(v), 0);
  EXPECT_EQ(features.opponentBlockCount, 5);
}

TEST(BlotRiskScoreTest, CombinationsWithTheOpponentOnTheBar) {
  // Blot on 12, opponent point on 4 (8 away), no direct shot.
  ViewBoard v = viewWith({{12, -1}, {24, -14}, {4, 2}, {15, 13}});
  // Without bar men: double 4, double 2, 6-2 and 5-3 rows: 1 + 1 + 2 + 2.
  EXPECT_DOUBLE_EQ(scoreOf(v), -0.2 * 6 * 0.6 - 0.8 * 1.3);
  // One opponent checker on the bar: only the double 4 from the point, and from the bar
  // (12 away) the double 3 (adds 2), double 4 and double 6 rows.
  v[15] = 12;
  v[25] = 1;
  EXPECT_DOUBLE_EQ(scoreOf(v), -0.2 * (1 + 2 + 1 + 1) * 0.6 - 0.8 * 1.3);
}

TEST(BlotRiskScoreTest, HighBlotsDivideTheirShots) {
  // Blot on 22, shooter on 16: direct T = 16 / 3.
  const double s = scoreOf(viewWith({{22, -1}, {24, -14}, {16, 2}, {3, 13}}));
  EXPECT_DOUBLE_EQ(s, -0.2 * 16 / 3 * 0.6 - 0.8 * 0.3);
  // Blot on 22, shooter 8 away on 14 with the path open: combination rows / 2.
  const double c = scoreOf(viewWith({{22, -1}, {24, -14}, {14, 2}, {3, 13}}));
  EXPECT_DOUBLE_EQ(c, -0.2 * 6 / 2 * 0.6 - 0.8 * 0.3);
}

TEST(BlotRiskScoreTest, HomePointsRaiseThePenalty) {
  const double s = scoreOf(viewWith({{10, -1}, {24, -14}, {4, 2}, {19, 2}, {20, 2}, {21, 9}}));
  EXPECT_DOUBLE_EQ(s, -0.2 * 16 * (9 + 4) * 0.15 - 0.8 * 1.5);
}

TEST(BlotRiskScoreTest, EitherSideScoresItsOwnBlotsAlike) {
  std::mt19937 rng(5);
  for (int trial = 0; trial < 2000; ++trial) {
    const ViewBoard v = randomView(rng);
    // As player 1 the view is the board; as player 0 the board is turned round.
    const double one = blotRiskScore(toBoard(v), 1);
    const int16_t block1 = features.opponentBlockCount;
    CheckedArray<int16_t, 25> turned;
    for (int i = 0; i <= 25; ++i) turned[i] = static_cast<int16_t>(-v[static_cast<size_t>(25 - i)]);
    const double zero = blotRiskScore(turned, 0);
    ASSERT_DOUBLE_EQ(zero, one) << "trial " << trial;
    ASSERT_EQ(features.opponentBlockCount, block1);
  }
}

TEST(BlotRiskScoreTest, NoOpponentCheckerLeavesNoReferencePoint) {
  // Only own checkers: no shots and no X term.
  EXPECT_EQ(scoreOf(viewWith({{10, -1}, {6, -14}})), 0);
}

TEST(PointStructureTest, SlotWithBuildersFromOutside) {
  // Slot on 5, two men on 11: every 6, the 5-1 and 4-2, 6-6, 3-3 and 2-2.
  const int16_t n = analysePointStructure(toBoard(viewWith({{5, -1}, {11, -2}, {20, 13}})));
  EXPECT_EQ(n, 10 + 4 + 3);
  EXPECT_EQ(pointStructure.slotRow, 5);
  EXPECT_EQ(pointStructure.slotAtRiskFlag, 0);
  EXPECT_EQ(pointStructure.firstEmptyRow, 0);
}

TEST(PointStructureTest, SlotAtRiskAddsSparesUpToEight) {
  // An opponent man below the slot can hit it; the spare on 8 counts again.
  const int16_t n = analysePointStructure(toBoard(viewWith({{5, -1}, {8, -3}, {2, 1}, {20, 12}})));
  EXPECT_EQ(pointStructure.slotAtRiskFlag, -1);
  // Builders on 8: any 3 (11), 2-1 (2), 1-1 (through 6 and 7).
  EXPECT_EQ(n, 11 + 2 + 1 + 1);
  // On the bar instead: at risk too.
  analysePointStructure(toBoard(viewWith({{5, -1}, {8, -3}, {25, 1}, {20, 12}})));
  EXPECT_EQ(pointStructure.slotAtRiskFlag, -1);
}

TEST(PointStructureTest, TargetWithoutASlot) {
  // No slot: the highest empty home point.
  analysePointStructure(toBoard(viewWith({{6, -3}, {5, -2}, {3, -2}, {20, 13}})));
  EXPECT_EQ(pointStructure.firstEmptyRow, 4);
  // No slot, no empty point, opponent blots on 2 and 4: the target is the lowest, 2.
  const int16_t n = analysePointStructure(
      toBoard(viewWith({{6, -3}, {5, -3}, {4, 1}, {3, -2}, {2, 1}, {1, -2}, {20, 13}})));
  EXPECT_EQ(pointStructure.firstEmptyRow, 0);
  // Any 3 or 4 finds a spare on 5 or 6 (18 rolls besides 3-3 and 4-4); doubles 3-3, 4-4
  // and 2-2 (over the blot on 4 to the spare on 6); then the spares on 5 and 6 again.
  EXPECT_EQ(n, 18 + 3 + 2);
  // Every home point held by the opponent: nothing to aim at.
  EXPECT_EQ(analysePointStructure(toBoard(viewWith(
                {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {20, -15}}))),
            0);
}

}  // namespace
}  // namespace bg
