// The backgame term, the bear-off terms with their home-board counts, the penalty for
// running back men too late, and the home-board points of both players.
#include "computer/eval_terms_backgame.h"

#include <gtest/gtest.h>

#include "computer/backgame_flags.h"
#include "computer/factors.h"
#include "state/settings.h"
#include "term_fixture.h"

namespace bg {
namespace {

using namespace bg::testing;

class BackgameTermsTest : public TermTest {
 protected:
  void TearDown() override {
    settings.backgammonAllowed = 255;
    position.playerDirection[0] = 1;
    position.playerDirection[1] = -1;
    TermTest::TearDown();
  }
  const EvalFactors& f = factors;
};

TEST_F(BackgameTermsTest, HomeBoardCounts) {
  const ViewBoard before = viewWith({{6, -2}, {5, -2}, {4, -1}, {2, -1}, {3, 2}, {20, 13}});
  const ViewBoard after = viewWith({{6, -2}, {4, -1}, {2, -1}, {3, 2}, {20, 13}});
  layOut(before, after);
  countHomeBoardPoints();
  const auto& b = backgameTerms;
  EXPECT_EQ(b.homeCountsDone, -1);
  EXPECT_EQ(b.ownHomeOccupied, 3);
  EXPECT_EQ(b.ownTopHomePoint, 6);
  EXPECT_EQ(b.ownTopHomeMadePoint, 6);
  EXPECT_EQ(b.ownHomeGapsBelowTop, 3);  // 5, 3 and 1
  EXPECT_EQ(b.exposedHomeBlots, 1);     // the blot on 4 is above the opponent's man on 3
  EXPECT_EQ(evalScores.menBorneOffInPlay, 2);
}

TEST_F(BackgameTermsTest, BearOffWithFewMenCountsTheRollsThatFinish) {
  // Both sides under five men; the play leaves men on 1 and 2: every roll bears them off.
  const ViewBoard before = viewWith({{6, -1}, {2, -1}, {1, -1}, {24, 2}, {23, 1}});
  const ViewBoard after = viewWith({{2, -1}, {1, -1}, {24, 2}, {23, 1}});
  layOut(before, after);
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_FLOAT_EQ(main(), 36 + 0.1f);
  // Men on 6 and 1 come off with 15 rolls.
  layOut(before, viewWith({{6, -1}, {1, -1}, {24, 2}, {23, 1}}));
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_FLOAT_EQ(main(), 15 + 0.1f);
}

TEST_F(BackgameTermsTest, BearingOffTheLastManAddsFifty) {
  const ViewBoard before = viewWith({{1, -1}, {24, 2}, {23, 1}});
  const ViewBoard after = viewWith({{24, 2}, {23, 1}});
  layOut(before, after);
  race.raceRolls[0] = 1;
  race.raceRolls[1] = 1;
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_FLOAT_EQ(main(), f.BOFact4 + 50);
  layOut(before, after);
  countHomeBoardPoints();
  evalBearOffDistribution();
  EXPECT_FLOAT_EQ(main(), f.BOFact24 + 50);
}

TEST_F(BackgameTermsTest, BearOffWeighsTheRaceLead) {
  // Five men before, so the exact count does not apply; the opponent still has 15.
  const ViewBoard before = viewWith({{5, -1}, {4, -2}, {2, -2}, {24, 5}, {23, 5}, {22, 5}});
  const ViewBoard after = viewWith({{4, -1}, {2, -2}, {24, 5}, {23, 5}, {22, 5}});
  // Two men borne off; 2 and 4 occupied, 3 and 1 empty below the top; 3 men left against
  // 15: minus 3 / 2, and the men-off bonus.
  const double common = -2 * static_cast<double>(f.BOFact6) - 1.5 + f.MOFact;
  layOut(before, after);
  race.raceRolls[0] = 5;
  race.raceRolls[1] = 2;  // 3 rolls ahead: half the men-off weight, twice the points
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_NEAR(main(), f.BOFact4 + 2.0 * 2 / f.BOFact2 + common, 1e-4);
  layOut(before, after);
  race.raceRolls[0] = 3;
  race.raceRolls[1] = 2;
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_NEAR(main(), 2.0 * f.BOFact4 + 2.0 / f.BOFact2 + common, 1e-4);
}

TEST_F(BackgameTermsTest, BearOffWithTwoMenLeft) {
  const ViewBoard before = viewWith({{8, -1}, {6, -1}, {5, -1}, {4, -1}, {3, -1}, {24, 5}, {23, 5}, {22, 5}});
  // The rear man still outside on 8; 6 empty: the lowest man, on 3, costs 3 x BOFact21.
  layOut(before, viewWith({{8, -1}, {3, -1}, {24, 5}, {23, 5}, {22, 5}}));
  race.raceRolls[0] = 0;
  race.raceRolls[1] = 0;
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_NEAR(main(),
              -8.0 * f.BOFact1 + 3.0 * f.BOFact4 + 1.0 / f.BOFact2 - 3.0 * f.BOFact21 - 2.0 * f.BOFact6 - 1 +
                  f.MOFact,
              1e-4);
  // With a man on 6 it is BOFact20 instead, and five gaps below the top.
  layOut(before, viewWith({{8, -1}, {6, -1}, {24, 5}, {23, 5}, {22, 5}}));
  race.raceRolls[0] = 0;
  race.raceRolls[1] = 0;
  countHomeBoardPoints();
  evalBearOff();
  EXPECT_NEAR(main(),
              -8.0 * f.BOFact1 - f.BOFact20 + 3.0 * f.BOFact4 + 1.0 / f.BOFact2 - 5.0 * f.BOFact6 - 1 +
                  f.MOFact,
              1e-4);
}

TEST_F(BackgameTermsTest, BearOffDistribution) {
  auto score = [](const ViewBoard& v, int16_t homeBlots = 0) {
    layOut(v, v);
    termFeatures.homeBlotCount = homeBlots;
    countHomeBoardPoints();
    evalBearOffDistribution();
    return static_cast<double>(main());
  };
  EXPECT_NEAR(score(viewWith({{6, -3}, {5, -3}, {4, -3}, {3, -2}, {2, -2}, {1, -2}, {19, 3}, {20, 3}, {13, 9}})),
              f.BOFact18, 1e-5);
  EXPECT_NEAR(score(viewWith({{5, -3}, {4, -3}, {3, -3}, {2, -3}, {1, -3}, {19, 3}, {20, 3}, {13, 9}})),
              -4.0 * f.BOFact23 - f.BOFact10, 1e-5);
  EXPECT_NEAR(score(viewWith({{6, -5}, {5, -2}, {4, -2}, {3, -2}, {2, -2}, {1, -2}, {19, 3}, {20, 3}, {13, 9}})),
              5.0 * f.BOFact22, 1e-5);
  // An even top point over a stack of four; the opponent's point 1 is a gap below the top.
  EXPECT_NEAR(score(viewWith({{6, -2}, {5, -4}, {4, -3}, {3, -3}, {2, -3}, {1, 2}, {13, 13}})), f.BOFact16 - f.BOFact8,
              1e-5);
  // Gap on 4; the blot on 5 above the opponent's man on 4; the top point 6 holds 4 men.
  EXPECT_NEAR(score(viewWith({{6, -4}, {5, -1}, {3, -3}, {2, -3}, {1, -4}, {4, 1}, {13, 14}}), 1),
              -f.BOFact8 - f.BOFact13 - f.BOFact14 + 4.0 * f.BOFact22, 1e-5);
}

TEST_F(BackgameTermsTest, TooLateRoundsToTheNearest) {
  // One man on 16: 10 / 8.33333 = 1.2, plus 1.4 is 2.6: rounds to 3.
  const ViewBoard v = viewWith({{16, -1}, {6, -14}, {10, 2}, {19, 13}});
  layOut(v, v);
  race.raceRolls[0] = 4.3f;  // 4.2 rounds to 4: not too late
  EXPECT_EQ(tooLateToComeHome(), 0);
  race.raceRolls[0] = 3.3f;  // 3.2 rounds to 3: too late (truncation would say 2 < 3)
  EXPECT_EQ(tooLateToComeHome(), -1);
  race.raceRolls[0] = 3.7f;  // 3.6 rounds to 4
  EXPECT_EQ(tooLateToComeHome(), 0);
  // Men on 7 to 9 count half a roll each.
  const ViewBoard w = viewWith({{16, -1}, {8, -2}, {6, -12}, {10, 2}, {19, 13}});
  layOut(w, w);
  race.raceRolls[0] = 3.7f;  // 2.2 + 1.4 = 3.6: 4
  EXPECT_EQ(tooLateToComeHome(), -1);
}

TEST_F(BackgameTermsTest, RunningBackMenTooLateIsPenalisedUnlessBackgammonsCount) {
  const ViewBoard before = viewWith({{24, -2}, {6, -13}, {10, 2}, {19, 13}});
  const ViewBoard after = viewWith({{24, -1}, {18, -1}, {6, -13}, {10, 2}, {19, 13}});
  layOut(before, after, {{24, 6}});
  race.raceRolls[0] = 1;  // the opponent is nearly off
  settings.backgammonAllowed = 255;
  evalBackGamePenalty();
  EXPECT_FLOAT_EQ(main(), 0);
  settings.backgammonAllowed = 0;
  evalBackGamePenalty();
  EXPECT_FLOAT_EQ(main(), -50);
  // In time to come home: no penalty.
  evalScores.mainScore = 0;
  race.raceRolls[0] = 10;
  evalBackGamePenalty();
  EXPECT_FLOAT_EQ(main(), 0);
}

TEST_F(BackgameTermsTest, BigRaceLeadFlag) {
  const ViewBoard v = viewWith({{13, -5}, {6, -10}, {10, 2}, {12, 2}, {19, 11}});
  layOut(v, v);
  features.opponentMenOutside = 4;
  candidate.raceRollLeadAfterRoll = 1.9f;
  doublingPosition.doublingScore = 1;
  evalBackGamePenalty();
  EXPECT_EQ(backgameTerms.bigRaceLeadFlag, -1);
  candidate.raceRollLeadAfterRoll = 1.8f;
  evalBackGamePenalty();
  EXPECT_EQ(backgameTerms.bigRaceLeadFlag, 0);
  candidate.raceRollLeadAfterRoll = 1.9f;
  doublingPosition.doublingScore = 0;
  evalBackGamePenalty();
  EXPECT_EQ(backgameTerms.bigRaceLeadFlag, 0);
}

// The opponent's men, then the side's before and after the play.
ViewBoard withMen(ViewBoard v, std::initializer_list<std::pair<int, int>> men) {
  for (auto [p, n] : men) v[static_cast<size_t>(p)] = n;
  return v;
}

TEST_F(BackgameTermsTest, BackgameKeepingTheAnchors) {
  const ViewBoard opponent = viewWith({{2, 2}, {3, 2}, {4, 2}, {5, 2}, {7, 2}, {9, 3}, {10, 2}});
  layOut(withMen(opponent, {{24, -2}, {22, -2}, {13, -5}, {8, -3}, {6, -3}}),
         withMen(opponent, {{24, -2}, {22, -2}, {13, -4}, {11, -1}, {8, -3}, {6, -2}, {1, -1}}), {{13, 2}, {6, 5}});
  features.ownPointCount = 7;
  evalBackgame();
  // A man buried on the 1 point; the anchors 24 and 22 (pair weight 1 x 4 men); both
  // points above the opponent's rear count for BGFact12.
  EXPECT_FLOAT_EQ(backgameTerms.backAnchorPairs, 4);
  EXPECT_NEAR(main(), -1 - f.TempFact + 7.0 * f.BGFact3 + 4.0 * f.BkFact3 + 2.0 * f.BGFact12, 1e-4);
}

TEST_F(BackgameTermsTest, BackgameMakingTheTwentyTwoTwentyThreePair) {
  const ViewBoard opponent = viewWith({{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {7, 3}, {10, 2}});
  layOut(withMen(opponent, {{24, -3}, {23, -2}, {21, -2}, {13, -5}, {8, -1}, {6, -2}}),
         withMen(opponent, {{24, -1}, {23, -2}, {22, -2}, {21, -1}, {19, -1}, {13, -5}, {6, -3}}),
         {{24, 2}, {24, 2}, {21, 2}, {8, 2}});
  features.ownPointCount = 7;
  features.opponentBlockCount = 3;  // a real division: 3 / 6
  evalBackgame();
  // Pairs: (23,24) .75 x 3, (22,24) 1 x 3, (21,24) .25 x 2, (22,23) 1 x 4, (21,23) .5 x 3.
  EXPECT_FLOAT_EQ(backgameTerms.backAnchorPairs, 11.25f);
  EXPECT_NEAR(main(),
              -f.BkFact4 + 7.0 * f.BGFact3 - f.BGFact4 + 11.25 * f.BkFact3 + 2.0 * f.BGFact12 + f.BGFact14 +
                  f.BGFact13 * 0.5,
              1e-4);
}

TEST_F(BackgameTermsTest, HittingWhileAttackingCosts) {
  const ViewBoard before = viewWith({{24, -2}, {22, -2}, {13, -11}, {10, 1}, {2, 14}});
  const ViewBoard after = viewWith({{24, -2}, {22, -2}, {13, -10}, {10, -1}, {2, 14}, {25, 1}});
  layOut(before, after, {{13, 3}});
  features.ownPointCount = 4;
  backgame.attackFlag = -1;
  evalBackgame();
  const float withAttack = main();
  layOut(before, after, {{13, 3}});  // clears the attack flag
  features.ownPointCount = 4;
  evalBackgame();
  EXPECT_NEAR(withAttack - main(), -f.BGFact7, 1e-4);
}

TEST_F(BackgameTermsTest, HomePointsOfBothPlayers) {
  position.board.fill(0);
  position.board[19] = 2;
  position.board[20] = 3;
  position.board[24] = 2;
  position.board[22] = 1;
  position.board[1] = -2;
  position.board[3] = -2;
  position.board[5] = -1;
  countHomePointsBoth();
  EXPECT_EQ(backgameTerms.homePointsMade[0], 3);
  EXPECT_EQ(backgameTerms.homePointsMade[1], 2);
  EXPECT_EQ(candidate.ownHomePoints, 2);
  EXPECT_EQ(features.opponentHomePoints, 3);
  // With the directions turned round, each entry still belongs to its player.
  position.playerDirection[0] = -1;
  position.playerDirection[1] = 1;
  countHomePointsBoth();
  EXPECT_EQ(backgameTerms.homePointsMade[0], 2);
  EXPECT_EQ(backgameTerms.homePointsMade[1], 3);
}

}  // namespace
}  // namespace bg
