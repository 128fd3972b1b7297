// Bear-off roll counts of both sides and the late-race cube decisions built on them.
#include "computer/late_race.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "rules/analysis_state.h"
#include "rules/cube_state.h"
#include "rules/position.h"

namespace bg {
namespace {

using Men = std::initializer_list<std::pair<int, int>>;

// Lays out a late race in the mover's view: the mover's men on its own points, the
// opponent's men on the opponent's own points (view point 25 - p); sets the counts the
// decisions read as the analysis would.
void layOut(Men mover, Men opponent) {
  analysis.evalBoard.fill(0);
  int moverMen = 0;
  int opponentMen = 0;
  int moverPips = 0;
  int opponentPips = 0;
  int highest = 1;
  int opponentLast = 24;
  for (auto [p, n] : mover) {
    analysis.evalBoard[p] = static_cast<int16_t>(analysis.evalBoard[p] - n);
    moverMen += n;
    moverPips += n * p;
    if (p > highest) highest = p;
  }
  for (auto [p, n] : opponent) {
    analysis.evalBoard[25 - p] = static_cast<int16_t>(analysis.evalBoard[25 - p] + n);
    opponentMen += n;
    opponentPips += n * p;
    if (25 - p < opponentLast) opponentLast = 25 - p;
  }
  for (int i = 0; i <= 25; ++i) analysis.evalBoardB[i] = analysis.evalBoard[i];
  analysis.menLeft[1] = static_cast<int16_t>(moverMen);
  analysis.menLeft[0] = static_cast<int16_t>(opponentMen);
  analysis.moverPipCount = static_cast<int16_t>(moverPips);
  analysis.opponentPipCount = static_cast<int16_t>(opponentPips);
  analysis.highestOccupiedPoint = static_cast<int16_t>(highest);
  analysis.opponentLastPoint = static_cast<int16_t>(opponentLast);
  features.opponentLastDistance = static_cast<int16_t>(25 - opponentLast);
}

class LateRaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedCube_ = cube;
    savedRace_ = race;
    position.currentPlayer = 1;
    position.otherPlayer = 0;
    cube.cubeOwner = kCubeCentred;
  }
  void TearDown() override {
    cube = savedCube_;
    race = savedRace_;
  }
  CubeState savedCube_;
  RaceEstimates savedRace_;
};

TEST_F(LateRaceTest, CountsBothSidesFromTheirOwnViews) {
  layOut({{1, 2}}, {{6, 1}, {5, 1}});
  int16_t side = 0;
  int16_t opponent = 0;
  countBearOffRollsBothSides(side, opponent);
  EXPECT_EQ(side, 36);
  EXPECT_EQ(opponent, 6);
  layOut({{6, 2}}, {{1, 3}});
  countBearOffRollsBothSides(side, opponent);
  EXPECT_EQ(side, 4);
  EXPECT_EQ(opponent, 6);
}

TEST_F(LateRaceTest, FiveMenOrMoreAreNotCounted) {
  layOut({{1, 5}}, {{1, 4}});
  int16_t side = 0;
  int16_t opponent = 0;
  countBearOffRollsBothSides(side, opponent);
  EXPECT_EQ(side, kNotCounted);
  EXPECT_EQ(opponent, 6);  // four men on the 1 point: doubles only
  layOut({{1, 4}}, {{1, 5}});
  countBearOffRollsBothSides(side, opponent);
  EXPECT_EQ(side, 6);
  EXPECT_EQ(opponent, kNotCounted);
}

TEST_F(LateRaceTest, TakeByTheProductOfTheCounts) {
  // The doubler's men on its 3 and 2 points miss with the ten ordered rolls holding a 1
  // that is not 1-1: 25 rolls. The taker bears off with all 36.
  layOut({{1, 2}}, {{3, 1}, {2, 1}});
  int16_t side = 0;
  int16_t opponent = 0;
  countBearOffRollsBothSides(side, opponent);
  ASSERT_EQ(side, 36);
  ASSERT_EQ(opponent, 25);
  // (11 / 36) x (36 / 36) = 0.31 > 0.25: take; the match flag asks for 0.5: drop.
  EXPECT_EQ(endgameTakeDecision(0), -1);
  EXPECT_EQ(endgameTakeDecision(-1), 0);
}

TEST_F(LateRaceTest, TakeByTheCountAloneWhenTheDoublerHasMoreMen) {
  layOut({{1, 2}}, {{1, 3}});  // doubler with 3 men: the product rule does not apply
  EXPECT_EQ(endgameTakeDecision(-1), -1);  // the taker's 36 rolls are more than 9
  layOut({{6, 2}}, {{1, 3}});  // the taker's 4 rolls: the race decides
  race.raceRolls[0] = 1.0f;
  race.raceRolls[1] = 2.0f;
  EXPECT_EQ(endgameTakeDecision(0), 0);
  race.raceRolls[0] = 2.0f;
  EXPECT_EQ(endgameTakeDecision(0), -1);
}

TEST_F(LateRaceTest, DoubleWhenBearingOffWithMostRolls) {
  layOut({{1, 2}}, {{6, 2}});
  EXPECT_EQ(endgameDoubleDecision(), -1);
}

TEST_F(LateRaceTest, CubeOwnerDoublesWhenTheGainOutweighsTheReturn) {
  // Side 26 rolls (two men on the 2 point), opponent 36: p = 26/36, 2p - 1 = 0.44, below
  // 2 (52 - 36) / 36 = 0.89.
  layOut({{2, 2}}, {{1, 2}});
  cube.cubeOwner = 1;
  EXPECT_EQ(endgameDoubleDecision(), -1);
}

TEST_F(LateRaceTest, CubeOwnerHoldsWhenTheReturnIsWorthMore) {
  // Side 19 rolls (men on 5 and 2), opponent 25: p = 19/36 + (17/36)(11/36) = 0.67,
  // 2p - 1 = 0.34 above 2 (38 - 36) / 36 = 0.11.
  layOut({{5, 1}, {2, 1}}, {{3, 1}, {2, 1}});
  int16_t side = 0;
  int16_t opponent = 0;
  countBearOffRollsBothSides(side, opponent);
  ASSERT_EQ(side, 19);
  ASSERT_EQ(opponent, 25);
  cube.cubeOwner = 1;
  EXPECT_EQ(endgameDoubleDecision(), 0);
  cube.cubeOwner = 0;  // the opponent's cube: no such caution
  EXPECT_EQ(endgameDoubleDecision(), -1);
}

TEST_F(LateRaceTest, NoDoubleWhenTheOpponentIsLikelyOff) {
  layOut({{6, 2}}, {{1, 2}});
  EXPECT_EQ(endgameDoubleDecision(), 0);
}

TEST_F(LateRaceTest, NoDoubleAgainstALastManNearlyOff) {
  // The opponent's last man on its 8 point comes off with 17 rolls.
  layOut({{6, 1}, {5, 1}, {4, 1}}, {{8, 1}});
  race.raceRolls[0] = 5.0f;
  race.raceRolls[1] = 1.0f;
  EXPECT_EQ(endgameDoubleDecision(), 0);
}

TEST_F(LateRaceTest, ThreeAgainstTwoDoubles) {
  layOut({{5, 1}, {4, 1}, {3, 1}}, {{6, 1}, {5, 1}});
  race.raceRolls[0] = 0.0f;
  race.raceRolls[1] = 9.0f;  // the race estimate alone would not double
  EXPECT_EQ(endgameDoubleDecision(), -1);
}

TEST_F(LateRaceTest, OtherwiseTheRaceDecidesWithASlack) {
  layOut({{6, 3}, {5, 1}}, {{6, 3}, {5, 1}});
  race.raceRolls[1] = 4.0f;  // a slack of 0.12 rolls above 3
  race.raceRolls[0] = 3.95f;
  EXPECT_EQ(endgameDoubleDecision(), -1);
  race.raceRolls[0] = 3.9f;
  EXPECT_EQ(endgameDoubleDecision(), 0);
  race.raceRolls[1] = 3.0f;  // none at 3
  race.raceRolls[0] = 2.85f;
  EXPECT_EQ(endgameDoubleDecision(), -1);
  race.raceRolls[0] = 2.75f;
  EXPECT_EQ(endgameDoubleDecision(), 0);
}

}  // namespace
}  // namespace bg
