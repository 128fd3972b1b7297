// Bear-off roll counts of both sides and the late-race cube decisions built on them.
#include "computer/late_race.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "state/position.h"

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
  const struct {
    Men mover, opponent;
    int16_t side, other;
  } cases[] = {
      {{{1, 2}}, {{6, 1}, {5, 1}}, 36, 6},
      {{{6, 2}}, {{1, 3}}, 4, 6},
      {{{5, 1}, {2, 1}}, {{3, 1}, {2, 1}}, 19, 25},  // the doubler misses with a 1 (not 1-1)
      {{{1, 5}}, {{1, 4}}, kNotCounted, 6},          // five men or more are not counted
      {{{1, 4}}, {{1, 5}}, 6, kNotCounted},
  };
  for (const auto& c : cases) {
    layOut(c.mover, c.opponent);
    int16_t side = 0;
    int16_t opponent = 0;
    countBearOffRollsBothSides(side, opponent);
    EXPECT_EQ(side, c.side);
    EXPECT_EQ(opponent, c.other);
  }
}

TEST_F(LateRaceTest, TakeByTheProductOfTheCounts) {
  // The doubler's men on its 3 and 2 points miss with the ten ordered rolls holding a 1
  // that is not 1-1: 25 rolls. The taker bears off with all 36.
  layOut({{1, 2}}, {{3, 1}, {2, 1}});
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

TEST_F(LateRaceTest, DoubleDecisions) {
  const struct {
    const char* why;
    Men mover, opponent;
    int16_t owner;
    float ownRolls, opponentRolls;
    int16_t doubles;
  } cases[] = {
      {"bears off with most rolls", {{1, 2}}, {{6, 2}}, kCubeCentred, 0, 0, -1},
      {"the opponent is likely off", {{6, 2}}, {{1, 2}}, kCubeCentred, 0, 0, 0},
      // 26 against 36 rolls: 2p - 1 = 0.44 below 2 (52 - 36) / 36.
      {"owner gains more than the return", {{2, 2}}, {{1, 2}}, 1, 0, 0, -1},
      // 19 against 25: p = 19/36 + (17/36)(11/36), 2p - 1 = 0.34 above 2 (38 - 36) / 36.
      {"owner holds for the return", {{5, 1}, {2, 1}}, {{3, 1}, {2, 1}}, 1, 0, 0, 0},
      {"no such caution on the opponent's cube", {{5, 1}, {2, 1}}, {{3, 1}, {2, 1}}, 0, 0, 0, -1},
      {"the last man on the 8 comes off with 17", {{6, 1}, {5, 1}, {4, 1}}, {{8, 1}}, kCubeCentred, 1, 5, 0},
      {"three against two", {{5, 1}, {4, 1}, {3, 1}}, {{6, 1}, {5, 1}}, kCubeCentred, 9, 0, -1},
      // Otherwise the race with a slack of 0.12 rolls above 3, none at 3.
      {"slack kept", {{6, 3}, {5, 1}}, {{6, 3}, {5, 1}}, kCubeCentred, 4, 3.95f, -1},
      {"slack passed", {{6, 3}, {5, 1}}, {{6, 3}, {5, 1}}, kCubeCentred, 4, 3.9f, 0},
      {"no slack at 3", {{6, 3}, {5, 1}}, {{6, 3}, {5, 1}}, kCubeCentred, 3, 2.85f, -1},
      {"behind at 3", {{6, 3}, {5, 1}}, {{6, 3}, {5, 1}}, kCubeCentred, 3, 2.75f, 0},
  };
  for (const auto& c : cases) {
    layOut(c.mover, c.opponent);
    cube.cubeOwner = c.owner;
    race.raceRolls[1] = c.ownRolls;
    race.raceRolls[0] = c.opponentRolls;
    EXPECT_EQ(endgameDoubleDecision(), c.doubles) << c.why;
  }
}

}  // namespace
}  // namespace bg
