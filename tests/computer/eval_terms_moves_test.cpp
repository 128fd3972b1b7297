// The per-part-move terms: journeys of the men moved, zones, escapes, race moves, and the
// stacking and gammon terms.
#include "computer/eval_terms_moves.h"

#include <gtest/gtest.h>

#include "computer/backgame_flags.h"
#include "computer/factors.h"
#include "computer/personalities.h"
#include "computer/race_estimates.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "term_fixture.h"

namespace bg {
namespace {

using namespace bg::testing;

class MoveTermsTest : public TermTest {
 protected:
  void SetUp() override {
    TermTest::SetUp();
    savedSkill_ = skill;
    savedFlow_ = flow;
    savedCube_ = cube;
  }
  void TearDown() override {
    skill = savedSkill_;
    flow = savedFlow_;
    cube = savedCube_;
    playSearch.firstHitPoint = 0;
    TermTest::TearDown();
  }
  static void play(std::initializer_list<Part> parts) {
    auto& ps = playSearch;
    ps.playLength = static_cast<int16_t>(parts.size());
    int k = 1;
    for (const Part& p : parts) {
      ps.playFrom[k] = static_cast<int16_t>(p.from);
      ps.playDice[k] = static_cast<int16_t>(p.die);
      ++k;
    }
    copyPlayedMoves();
  }
  static int16_t from(int i) { return playedMoves.moveFrom[i]; }
  static int16_t to(int i) { return playedMoves.moveTo[i]; }
  const EvalFactors& f = factors;
  SkillSettings savedSkill_;
  FlowState savedFlow_;
  CubeState savedCube_;
};

TEST_F(MoveTermsTest, JourneysOfOneManMerge) {
  play({{24, 6}, {18, 6}, {12, 6}, {6, 6}});
  EXPECT_EQ(from(1), 24);
  EXPECT_EQ(to(1), 12);
  EXPECT_EQ(from(2), kMergedPartMove);
  EXPECT_EQ(from(3), 12);
  EXPECT_EQ(to(3), 0);
  EXPECT_EQ(from(4), kMergedPartMove);
  EXPECT_EQ(playedMoves.moveFromCopy[2], 18);
  EXPECT_EQ(playedMoves.moveFromCopy[4], 6);
  // One man moved four times with 2s: two journeys, not one.
  play({{13, 2}, {11, 2}, {9, 2}, {7, 2}});
  EXPECT_EQ(to(1), 9);
  EXPECT_EQ(from(3), 9);
  EXPECT_EQ(to(3), 5);
  // Two men: nothing merges.
  play({{13, 6}, {8, 5}});
  EXPECT_EQ(to(1), 7);
  EXPECT_EQ(from(2), 8);
  EXPECT_EQ(to(2), 3);
  // Bar entries and bear-offs.
  play({{kFromBar, 3}});
  EXPECT_EQ(from(1), kBarFromPoint);
  EXPECT_EQ(to(1), 22);
  play({{3, 5}, {2, 1}});
  EXPECT_EQ(to(1), 0);
  EXPECT_EQ(from(2), 2);
  EXPECT_EQ(to(2), 1);
}

TEST_F(MoveTermsTest, OutfieldZones) {
  layOut(startingView(), startingView());
  factors.OutFact3 = 1;
  play({{24, 6}, {18, 6}, {12, 6}, {6, 6}});
  evalPlayOutfield();
  EXPECT_FLOAT_EQ(main(), (4 - 2) + (2 - 0));
  evalScores.mainScore = 0;
  backgame.backgameFlag = -1;
  evalPlayOutfield();
  EXPECT_EQ(main(), 0);
}

TEST_F(MoveTermsTest, EscapeBonusOncePerPlay) {
  const ViewBoard before = viewWith({{24, -2}, {23, -1}, {13, -12}, {19, 2}, {18, 2}, {17, 2}, {16, 2}, {1, 7}});
  const ViewBoard after =
      viewWith({{24, -1}, {21, -1}, {20, -1}, {13, -12}, {19, 2}, {18, 2}, {17, 2}, {16, 2}, {1, 7}});
  layOut(before, after);
  play({{24, 4}, {23, 2}});
  features.opponentBlockCount = 3;
  candidate.raceRollLeadAfterRoll = 0.5f;
  evalBlockadeSpread();
  EXPECT_NEAR(main(), 3.0 * f.BlkFact3, 1e-5);
  // Behind in the race: no escape bonus.
  evalScores.mainScore = 0;
  candidate.raceRollLeadAfterRoll = 0;
  evalBlockadeSpread();
  EXPECT_EQ(main(), 0);
}

TEST_F(MoveTermsTest, SplittingTheBackMen) {
  const ViewBoard before = viewWith({{24, -2}, {13, -13}, {1, 2}, {12, 13}});
  layOut(before, viewWith({{24, -1}, {23, -1}, {13, -13}, {1, 2}, {12, 13}}));
  play({{24, 1}});
  evalBlockadeSpread();
  EXPECT_NEAR(main(), f.SpFact2, 1e-6);
  layOut(before, viewWith({{24, -1}, {22, -1}, {13, -13}, {1, 2}, {12, 13}}));
  play({{24, 2}});
  evalBlockadeSpread();
  EXPECT_NEAR(main(), f.SpFact3, 1e-6);
  // Opponent blots in the outfield: 1 for 14..16, 2 for 17..22, times the mover's back
  // points.
  layOut(before, viewWith({{24, -2}, {13, -13}, {1, 2}, {12, 11}, {15, 1}, {20, 1}}));
  play({{13, 1}});
  evalBlockadeSpread();
  EXPECT_NEAR(main(), 1 * 3 * f.SpFact4, 1e-6);
}

TEST_F(MoveTermsTest, PlayMovesBehindAPrime) {
  const ViewBoard before = viewWith({{13, -4}, {8, -2}, {7, -2}, {6, -2}, {5, -2}, {4, -2}, {3, -1},
                                     {2, 1}, {1, 2}, {19, 12}});
  const ViewBoard after = viewWith({{13, -3}, {8, -2}, {7, -2}, {6, -2}, {5, -2}, {4, -2}, {3, -1}, {2, -1},
                                    {1, 2}, {19, 12}, {25, 1}});
  layOut(before, after);
  play({{13, 11 - 0}});  // 13 to 2 in one journey
  playedMoves.moveTo[1] = 2;
  playSearch.firstHitPoint = 20;
  termFeatures.ownBlockAfterPlay = 6;
  features.opponentHasBackMen = -1;
  features.opponentContactMen = 16;
  features.opponentBackMen = 3;
  features.ownBlockHighPoint = 8;
  features.bearInFlag = -1;
  evalPlayMoves();
  // Hitting a blot behind the prime costs; leaving a point above the prime earns.
  EXPECT_NEAR(main(), -f.PrmFact6 + (25 - 13) * static_cast<double>(f.PrmFact8), 1e-5);
}

TEST_F(MoveTermsTest, PassingTheOpponentsBlot) {
  const ViewBoard before = viewWith({{15, -1}, {13, -14}, {10, 1}, {19, 14}});
  const ViewBoard after = viewWith({{9, -1}, {13, -14}, {10, 1}, {19, 14}});
  layOut(before, after);
  play({{15, 6}});
  playSearch.firstHitPoint = 20;
  features.highestOpponentBlot = 10;
  features.bearInFlag = 0;
  termFeatures.homeRunStart = 7;
  evalPlayMoves();
  EXPECT_NEAR(main(), -f.MvFact13, 1e-6);
}

TEST_F(MoveTermsTest, SlottingBelowTheHomeRun) {
  // The run from 6 down holds 6 and 5: a single man dropped on 4 slots the next point.
  const ViewBoard before = viewWith({{6, -2}, {5, -2}, {13, -11}, {19, 15}});
  const ViewBoard after = viewWith({{6, -2}, {5, -2}, {4, -1}, {13, -10}, {19, 15}});
  layOut(before, after);
  play({{13, 9}});
  playedMoves.moveTo[1] = 4;
  playSearch.firstHitPoint = 20;
  features.highestOpponentBlot = 0;
  termFeatures.homeRunStart = 5;
  evalPlayMoves();
  EXPECT_NEAR(main(), f.PtFact2, 1e-6);
  // Not when the man came from a home point of two.
  const ViewBoard fromPair = viewWith({{6, -2}, {5, -2}, {13, -11}, {19, 15}});
  layOut(fromPair, viewWith({{6, -1}, {5, -2}, {4, -1}, {13, -11}, {19, 15}}));
  play({{6, 2}});
  playSearch.firstHitPoint = 20;
  termFeatures.homeRunStart = 5;
  evalPlayMoves();
  EXPECT_EQ(main(), 0);
}

class RaceMovesTest : public MoveTermsTest {
 protected:
  void SetUp() override {
    MoveTermsTest::SetUp();
    const ViewBoard v = viewWith({{14, -1}, {13, -2}, {8, -1}, {3, -1}, {6, -10}, {19, 15}});
    layOut(v, v);
    analysis.raceFlag = -1;
    features.bearInFlag = 0;
    features.pipDifference = 0;
    analysis.menLeft[1] = 15;
    auto& c = candidate;
    c.candidatePipDeficit = 0;
    c.ownRearPoint = 6;
    c.raceRollLeadAfterRoll = 0;
    c.candidateMenOutside = 0;
    c.candidateOpponentPips = 90;
  }
  double score(std::initializer_list<Part> parts) {
    evalScores.mainScore = 0;
    play(parts);
    evalMoveTerms();
    return main();
  }
};

TEST_F(RaceMovesTest, QuartersCrossed) {
  EXPECT_NEAR(score({{13, 6}}), f.MvFact5 + f.MvFact4, 1e-5);  // 13 to 7: one quarter
  // Into the first point of a quarter: the bonus by distance.
  EXPECT_NEAR(score({{14, 2}}), f.MvFact5 + f.MvFact4 + f.MvFact2 / 2.0, 1e-5);
  EXPECT_NEAR(score({{14, 3}}), f.MvFact5 + f.MvFact4 + f.MvFact2 / 4.0, 1e-5);
  EXPECT_NEAR(score({{14, 4}}), f.MvFact5 + f.MvFact4, 1e-5);
}

TEST_F(RaceMovesTest, BarEntryAndBearOffSkipTheQuarters) {
  // From the bar: no quarter difference, and no distance bonus (the bar's quarter is 0).
  EXPECT_NEAR(score({{kFromBar, 2}}), f.MvFact5, 1e-5);
  // A bear-off from 3 with a 5: no quarters, no bonus; home-to-home moves add nothing here.
  EXPECT_NEAR(score({{3, 5}}), 0, 1e-5);
  analysis.menLeft[1] = 14;
  candidate.candidateOpponentPips = 11;
  EXPECT_NEAR(score({{3, 5}}), f.BoFact17, 1e-5);
}

TEST_F(RaceMovesTest, ComingHome) {
  candidate.ownRearPoint = 13;
  features.pipDifference = 30;
  playSearch.rollPipTotal = 4;
  // 8 to 4: into the home board while the rear man is far: MvFact11; home: MvFact3 and
  // 4 / MvFact10 (well behind); an empty landing point: t = 2, DFact1.
  EXPECT_NEAR(score({{8, 4}}),
              f.MvFact5 + f.MvFact4 - f.MvFact11 + f.MvFact3 + 4 / static_cast<double>(f.MvFact10) +
                  2 * static_cast<double>(f.DFact1),
              1e-4);
}

TEST_F(RaceMovesTest, RaceMovesInTheRaceOnly) {
  layOut(viewWith({{20, -1}, {13, -2}, {8, -2}, {6, -10}, {19, 15}}),
         viewWith({{20, -1}, {13, -1}, {8, -3}, {6, -10}, {19, 15}}));
  analysis.raceFlag = -1;
  candidate.ownRearPoint = 20;
  // 13 to 8 onto a point held after the play, with the rear man still back.
  EXPECT_NEAR(score({{13, 5}}), f.MvFact5 - 5 - f.MvFact12 + f.MvFact4, 1e-5);
  analysis.raceFlag = 0;
  EXPECT_NEAR(score({{13, 5}}), f.MvFact5 + f.MvFact4, 1e-5);
}

class StackingTest : public MoveTermsTest {
 protected:
  void SetUp() override {
    MoveTermsTest::SetUp();
    flow.tournamentGoing = 0;
  }
  // A position where every stacking step but the one under test stays quiet.
  void quiet(const ViewBoard& after = viewWith({{24, -1}, {13, -14}, {22, 15}})) {
    layOut(viewWith({{24, -1}, {13, -14}, {22, 15}}), after);
    analysis.contactBroken = -1;
    analysis.raceFlag = -1;
    analysis.highestOccupiedPoint = 24;
    features.ownMenBack = 0;
    auto& c = candidate;
    c.ownRearPoint = 24;
    c.ownMenInOpponentHome = 0;
    c.candidateOwnPips = 200;
    c.candidateOpponentPips = 20;
    c.candidatePipDeficit = 180;
    c.raceRollLeadAfterRoll = 0;
  }
};

TEST_F(StackingTest, MenOnTwentyFour) {
  // Two there while behind.
  quiet(viewWith({{24, -2}, {13, -13}, {22, 15}}));
  evalStackingTerms();
  EXPECT_NEAR(main(), f.StFact2, 1e-6);
  quiet(viewWith({{24, -2}, {13, -13}, {22, 15}}));
  candidate.candidatePipDeficit = 0;
  evalStackingTerms();
  EXPECT_EQ(main(), 0);
  // A stack of four.
  quiet(viewWith({{24, -4}, {13, -11}, {22, 15}}));
  evalStackingTerms();
  EXPECT_NEAR(main(), -2.0 * f.GoFact1, 1e-6);
}

TEST_F(StackingTest, GammonDangerTruncatesToWholePoints) {
  auto run = [&](float opponentRolls, int opponentMen) {
    factors.LFact2 = 0.3f;
    quiet(viewWith({{24, -1}, {13, -14}, {22, opponentMen}}));
    analysis.menLeftSaved[0] = static_cast<int16_t>(opponentMen);
    candidate.ownMenInOpponentHome = 1;
    candidate.ownBackMenDepth = 6;
    race.raceRolls[0] = opponentRolls;
    evalStackingTerms();
    return static_cast<double>(main());
  };
  // R = 7 / 8.17 = 0.857; D = R + 1.3 - rolls. With 1.5 rolls: 0.3 x 2.657 = 0.8: nothing.
  EXPECT_NEAR(run(1.5f, 15), 0, 1e-5);
  // With 0.1 rolls: 0.3 x 4.057 = 1.2: one point.
  EXPECT_NEAR(run(0.1f, 15), -1, 1e-5);
  // Against an opponent with fewer than five men left, 5 more per man back.
  EXPECT_NEAR(run(1.5f, 4), -5, 1e-5);
}

TEST_F(StackingTest, ThinLeadPenalty) {
  struct Case {
    const char* name;
    int16_t playerType;
    int16_t matchLength;  // 0: no tournament
    double expected;
  };
  // trunc(0.11874 x (114 / 14 + 1)) = 1; the computer's personality column makes it
  // trunc(2.5) = 2; none when the opponent wins the match with this game.
  const Case cases[] = {{"human", kHumanPlayer, 0, -1},
                        {"computer", kComputerPlayer, 0, -2},
                        {"match at stake", kHumanPlayer, 3, 0},
                        {"match not at stake", kHumanPlayer, 5, -1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    quiet();
    candidate.ownRearPoint = 13;  // the play left the rearmost point
    candidate.candidatePipDeficit = 100;
    doublingPosition.doublingScore = -1;
    position.playerType[position.currentPlayer] = k.playerType;
    skill.personalityFactors[skill.personality][kStackingColumn] = 2.5f;
    flow.tournamentGoing = k.matchLength ? 255 : 0;
    flow.tournamentPoints = k.matchLength;
    flow.scores[0] = 2;
    cube.cubeValue = 1;
    evalStackingTerms();
    EXPECT_NEAR(main(), k.expected, 1e-6);
  }
}

TEST_F(StackingTest, BehindInTheRaceWithMenOutside) {
  auto run = [&](int menOutside, int opponentRear) {
    quiet();
    analysis.contactBroken = 0;
    race.raceBehindFlag = -1;
    features.ownMenOutside = static_cast<int16_t>(menOutside);
    candidate.opponentRearPoint = static_cast<int16_t>(opponentRear);
    evalStackingTerms();
    return static_cast<double>(main());
  };
  EXPECT_NEAR(run(3, 22), 24.0 * f.LFact, 1e-5);
  // A single man outside counts only when far from the opponent's rear man.
  EXPECT_EQ(run(1, 12), 0);
}

TEST_F(StackingTest, RunningBackMenWhileAhead) {
  quiet();
  auto& c = candidate;
  c.candidateOwnPips = 100;
  c.candidateOpponentPips = 120;
  c.candidatePipDeficit = -20;
  c.ownMenInOpponentHome = 1;
  features.ownMenBack = 3;
  features.ownBlotsBack = 2;
  termFeatures.opponentOuterMen = 4;
  evalStackingTerms();
  // w = (16 + 40) / 40 - 1 = 0.4, a real quotient.
  EXPECT_NEAR(main(), 0.4 * f.BFact5 * 2 + 0.4 * f.BFact6 * 2, 1e-5);
}

TEST_F(StackingTest, MenBackAgainstTheOpponentsOuterPoints) {
  quiet(viewWith({{24, -2}, {13, -13}, {20, 2}, {22, 13}}));
  candidate.ownMenInOpponentHome = 2;
  candidate.candidatePipDeficit = 0;  // keep the two-men-on-24 step out
  analysis.menLeftSaved[1] = 14;      // and the gammon danger
  evalStackingTerms();
  EXPECT_NEAR(main(), -2.0 * f.GpFact4, 1e-5);
}

TEST_F(StackingTest, RearManLeavingWithABigLead) {
  quiet(viewWith({{13, -15}, {22, 15}}));
  analysis.raceFlag = 0;
  candidate.raceRollLeadAfterRoll = 2;
  candidate.opponentRearPoint = 10;
  features.opponentMenOutside = 5;
  doublingPosition.doublingScore = 1;
  race.raceRolls[0] = 50;  // in time: no back-game penalty
  evalStackingTerms();
  EXPECT_EQ(backgameTerms.bigRaceLeadFlag, -1);
  EXPECT_NEAR(main(), f.MBfact1, 1e-6);
}

}  // namespace
}  // namespace bg
