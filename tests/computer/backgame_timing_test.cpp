// The backgame decision of the turn and the weak-home-board check, through the analysis.
#include <gtest/gtest.h>

#include <random>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/factors.h"
#include "computer/position_features.h"

namespace bg {
namespace {

using namespace bg::testing;

class BackgameTimingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
    // With these two at 0 the timing value is the mover's pip deficit when neither side
    // has a home point or an opponent blot.
    factors.BGFact8 = 0;
    factors.BGFact9 = 0;
  }
  void TearDown() override {
    initEvaluationFactors();
    position.openingPhase = -1;
  }
};

// The mover (218 pips) with four men back on 24 and 23, trailing by the given deficit.
ViewBoard trailingBy(int deficit) {
  ViewBoard v = viewWith({{24, -2}, {23, -2}, {13, -4}, {12, -4}, {8, -3}});
  switch (deficit) {
    case 23:
      for (auto [p, n] : {std::pair{2, 2}, {6, 2}, {11, 2}, {14, 2}, {15, 2}, {16, 3}, {18, 2}})
        v[static_cast<size_t>(p)] = n;
      break;
    case 24:
      for (auto [p, n] : {std::pair{3, 2}, {7, 2}, {9, 3}, {16, 2}, {17, 6}}) v[static_cast<size_t>(p)] = n;
      break;
    case 28:
      for (auto [p, n] : {std::pair{4, 2}, {7, 2}, {11, 2}, {14, 3}, {15, 3}, {18, 3}})
        v[static_cast<size_t>(p)] = n;
      break;
    default:
      ADD_FAILURE() << "no layout for " << deficit;
  }
  return v;
}

TEST_F(BackgameTimingTest, TimingThresholds) {
  analyseView(trailingBy(23));
  ASSERT_EQ(features.pipDifference, 23);
  EXPECT_EQ(backgame.backgameFlag, 0);
  EXPECT_EQ(backgame.backgameEarlyFlag, 0);

  analyseView(trailingBy(24));  // exactly the minimum passes, but is early
  ASSERT_EQ(features.pipDifference, 24);
  EXPECT_EQ(backgame.backgameFlag, 0);
  EXPECT_EQ(backgame.backgameEarlyFlag, -1);

  analyseView(trailingBy(28));
  ASSERT_EQ(features.pipDifference, 28);
  EXPECT_EQ(backgame.backgameFlag, -1);
  EXPECT_EQ(backgame.backgameEarlyFlag, 0);
  EXPECT_EQ(backgame.noBackgameFlag, 0);
}

TEST_F(BackgameTimingTest, TimingWeighsPointsAndBlots) {
  // Points made by the opponent raise the timing value, the mover's lower it.
  factors.BGFact8 = 1;
  analyseView(trailingBy(23));  // 7 opponent points: 23 x 8
  EXPECT_EQ(backgame.backgameFlag, -1);
  factors.BGFact8 = 0;
  factors.BGFact9 = 0.25f;  // 5 mover points: 28 / 2.25
  analyseView(trailingBy(28));
  EXPECT_EQ(backgame.backgameFlag, 0);
  EXPECT_EQ(backgame.backgameEarlyFlag, 0);
}

TEST_F(BackgameTimingTest, FewMenBackMakeItEarly) {
  // Far behind, but only the two men on 24 have not passed the opponent's rear man on 10.
  factors.BGFact8 = 1;
  analyseView(viewWith({{24, -2}, {9, -5}, {8, -4}, {7, -4}, {19, 4}, {18, 4}, {17, 4}, {10, 3}}));
  ASSERT_GT(features.pipDifference, 0);
  ASSERT_EQ(analysis.ownMenBehindRear, 2);
  EXPECT_EQ(backgame.backgameFlag, 0);
  EXPECT_EQ(backgame.backgameEarlyFlag, -1);
}

TEST_F(BackgameTimingTest, OpponentHoldingTheDeepPointsRulesItOut) {
  factors.BGFact8 = 1;
  const ViewBoard v = viewWith({{20, -4}, {13, -4}, {12, -4}, {8, -3},
                                {24, 2}, {23, 3}, {22, 2}, {16, 2}, {14, 2}, {10, 2}, {5, 2}});
  analyseView(v);
  ASSERT_GT(features.pipDifference, 0);
  EXPECT_EQ(backgame.noBackgameFlag, -1);
  EXPECT_EQ(backgame.backgameFlag, 0);
  EXPECT_EQ(backgame.backgameEarlyFlag, 0);
}

TEST_F(BackgameTimingTest, TooFewOuterPipsIsTooLate) {
  // Back men on 24 and 23, the rest already home: no outer pips to wait with.
  factors.BGFact8 = 1;
  analyseView(viewWith({{24, -2}, {23, -1}, {6, -4}, {5, -4}, {4, -4},
                        {17, 3}, {18, 3}, {19, 3}, {20, 3}, {21, 3}}));
  ASSERT_GT(features.pipDifference, 0);
  EXPECT_EQ(backgame.backgameTooLateFlag, -1);
  EXPECT_EQ(backgame.noBackgameFlag, -1);
  EXPECT_EQ(backgame.backgameFlag, 0);
}

TEST_F(BackgameTimingTest, AttackWhenTheOpponentIsNearlyPast) {
  factors.BGFact8 = 1;
  // The opponent's rearmost man on 17 or higher.
  analyseView(viewWith({{24, -2}, {23, -2}, {13, -6}, {12, -5}, {17, 3}, {18, 3}, {19, 3}, {20, 3}, {21, 3}}));
  ASSERT_GT(features.pipDifference, 0);
  EXPECT_EQ(backgame.attackFlag, -1);
  analyseView(trailingBy(28));
  EXPECT_EQ(backgame.attackFlag, 0);
}

TEST_F(BackgameTimingTest, WeakHomeBoardOfALeadingMover) {
  const ViewBoard v = viewWith({{6, -3}, {5, -3}, {4, -2}, {8, -4}, {13, -3},
                                {1, 2}, {2, 1}, {12, 4}, {17, 4}, {19, 4}});
  analyseView(v);
  ASSERT_LT(features.pipDifference, -17);
  ASSERT_GE(features.opponentBackMen, 3);
  EXPECT_EQ(backgame.weakHomeBoardFlag, -1);
  // Holding 2, 3 and 4 leaves one open point: not weak.
  analyseView(viewWith({{6, -3}, {5, -1}, {4, -2}, {3, -2}, {2, -2}, {8, -4}, {13, -1},
                        {1, 3}, {12, 4}, {17, 4}, {19, 4}}));
  ASSERT_LT(features.pipDifference, -17);
  EXPECT_EQ(backgame.weakHomeBoardFlag, 0);
}

TEST_F(BackgameTimingTest, TheFlagsFollowWhoLeads) {
  initEvaluationFactors();
  std::mt19937 rng(7);
  int trailing = 0;
  int leading = 0;
  for (int i = 0; i < 1500; ++i) {
    const ViewBoard v = randomView(rng);
    analyseView(v, i % 2);
    if (features.pipDifference < 0) {
      leading += 1;
      EXPECT_EQ(backgame.backgameFlag, 0);
      EXPECT_EQ(backgame.backgameEarlyFlag, 0);
    } else if (features.pipDifference > 0) {
      trailing += 1;
      EXPECT_EQ(backgame.weakHomeBoardFlag, 0);
    }
  }
  EXPECT_GT(trailing, 100);
  EXPECT_GT(leading, 100);
}

}  // namespace
}  // namespace bg
