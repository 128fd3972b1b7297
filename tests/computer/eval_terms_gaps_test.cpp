#include "computer/eval_terms_gaps.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"
#include "computer/shot_probabilities.h"

namespace bg {
namespace {

using namespace bg::testing;

class EvalTermsGapsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
    backgame = BackgameFlags{};
    playSearch.rollPipTotal = 0;
  }
  void TearDown() override { position.openingPhase = -1; }
  // Analyses `before` and puts `after` in its place as the candidate.
  void play(const ViewBoard& before, const ViewBoard& after) {
    analyseView(before);
    backgame = BackgameFlags{};  // each test sets the flags it needs
    applyCandidate(after);
  }
  const EvalScores& s = evalScores;
  const TermFeatures& t = termFeatures;
};

// Opponent men that stay out of the way: its 8, 6 and 5 points.
constexpr std::initializer_list<std::pair<int, int>> kFar = {{17, 5}, {19, 5}, {20, 5}};

ViewBoard with(ViewBoard v, std::initializer_list<std::pair<int, int>> men) {
  for (auto [p, n] : men) v[static_cast<size_t>(p)] = n;
  return v;
}

TEST_F(EvalTermsGapsTest, BuriedMenOnAnEmptyAcePoint) {
  const ViewBoard before = with(viewWith(kFar), {{2, -2}, {3, -2}, {7, -1}, {8, -1}, {13, -7}, {24, -2}});
  const ViewBoard after = with(viewWith(kFar), {{1, -2}, {2, -2}, {3, -2}, {13, -7}, {24, -2}});
  play(before, after);
  evalBuriedMen();
  // S = 10 x 3 x (3 x 4) x 1.5 = 540, N = 0.
  EXPECT_NEAR(s.mainScore, -180 * 0.06071, 1e-4);
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(-540.0 / 3 * factors.OPFact6));
}

TEST_F(EvalTermsGapsTest, BuriedMenEntryConditionsOneAtATime) {
  const ViewBoard before = with(viewWith(kFar), {{2, -2}, {3, -2}, {7, -1}, {8, -1}, {13, -7}, {24, -2}});
  const ViewBoard after = with(viewWith(kFar), {{1, -2}, {2, -2}, {3, -2}, {13, -7}, {24, -2}});
  auto penaltyWith = [&](auto change) {
    play(before, after);
    change();
    evalBuriedMen();
    return evalScores.mainScore;
  };
  EXPECT_LT(penaltyWith([] {}), 0);
  EXPECT_EQ(penaltyWith([] { features.bearInFlag = -1; }), 0);
  EXPECT_EQ(penaltyWith([] { backgame.backgameFlag = -1; }), 0);
  EXPECT_EQ(penaltyWith([] { analysis.highestOccupiedPoint = 7; }), 0);
  EXPECT_EQ(penaltyWith([] { features.ownMenOutside = 2; }), 0);
  EXPECT_EQ(penaltyWith([] { candidate.lowestOwnPoint = 4; }), 0);
}

TEST_F(EvalTermsGapsTest, BuriedMenCoverAndHit) {
  // Covering a blot on 2 costs nothing.
  play(with(viewWith(kFar), {{2, -1}, {7, -1}, {13, -9}, {24, -4}}),
       with(viewWith(kFar), {{2, -2}, {13, -9}, {24, -4}}));
  evalBuriedMen();
  EXPECT_EQ(s.mainScore, 0);
  // Hitting a blot on 1 with one man: A = 1, M = 1.5 - 0.25, G = 5 (2..6 open).
  play(with(viewWith(kFar), {{1, 1}, {7, -1}, {13, -10}, {24, -4}}),
       with(viewWith(kFar), {{1, -1}, {25, 1}, {13, -10}, {24, -4}}));
  evalBuriedMen();
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(-(10.0 * 2 * 30 * 1.25) / 3 * factors.OPFact6));
  // Two men onto 3 with an own point on 5: (11 - 9) x 3 x (2 x 3) x 1 / (1 + 3).
  play(with(viewWith(kFar), {{5, -2}, {7, -1}, {8, -1}, {13, -9}, {24, -2}}),
       with(viewWith(kFar), {{3, -2}, {5, -2}, {13, -9}, {24, -2}}));
  evalBuriedMen();
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(-(2.0 * 3 * 6) / 4 * factors.OPFact6));
}

TEST_F(EvalTermsGapsTest, HomeRunStartCountsDownFromSix) {
  const ViewBoard v = with(viewWith(kFar), {{6, -2}, {5, -2}, {4, -2}, {2, -2}, {13, -5}, {24, -2}});
  play(v, v);
  evalGapsAndBackMen();
  EXPECT_EQ(t.homeRunStart, 4);
  const ViewBoard all = with(viewWith({{17, 5}, {18, 5}, {22, 5}}),
                             {{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {24, -3}});
  play(all, all);
  evalGapsAndBackMen();
  EXPECT_EQ(t.homeRunStart, 1);
  const ViewBoard none = with(viewWith(kFar), {{5, -2}, {4, -2}, {13, -9}, {24, -2}});
  play(none, none);
  evalGapsAndBackMen();
  EXPECT_EQ(t.homeRunStart, 7);
}

TEST_F(EvalTermsGapsTest, RaceSkipsThePerPointFeaturesAndTheRiskRun) {
  const ViewBoard v = viewWith({{6, -3}, {5, -1}, {8, -1}, {9, -10}, {15, 1}, {20, 14}});
  play(v, v);
  ASSERT_EQ(analysis.contactBroken, -1);
  evalScores.distribScore = 5;
  blotRisk.blotsHitCounts[1] = 99;
  evalGapsAndBackMen();
  EXPECT_EQ(s.distribScore, 0);
  EXPECT_EQ(blotRisk.blotsHitCounts[1], 99);
  EXPECT_EQ(t.homeRunStart, 0);
  EXPECT_EQ(t.outerOddStacks, 0);
  EXPECT_EQ(features.pointWeightSum, 0);
  // The blot features are still written.
  EXPECT_EQ(features.lowestOwnBlot, 5);
  EXPECT_EQ(features.highestOwnBlot, 8);
  EXPECT_EQ(t.homeBlotCount, 1);
}

TEST_F(EvalTermsGapsTest, GapsAboveHomePointsAndAdjacentPoints) {
  factors.GapFact1 = 0.7F;  // its default weight is 0; any value shows the term
  const ViewBoard v = with(viewWith(kFar), {{6, -2}, {3, -2}, {7, -2}, {13, -7}, {24, -2}});
  play(v, v);
  evalGapsAndBackMen();
  // Point 3: 4 and 5 open, 6 held. Point 6: 7 held.
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(factors.IFact5 - 0.7F - 1.5 * factors.GapFact2));
  // Distribution: five points from 3 up, seven men on 13.
  EXPECT_FLOAT_EQ(s.distribScore, 5 - 0.25F * 4);
  EXPECT_EQ(features.pointWeightSum, 3 + 8 + 5 + 2 + 0);
  // Three open points above point 1.
  const ViewBoard low = with(viewWith(kFar), {{1, -2}, {5, -2}, {13, -9}, {24, -2}});
  play(low, low);
  evalGapsAndBackMen();
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(-0.7F - 1.5 * factors.GapFact2 - 2.0 * factors.GapFact3 - 0.7F));
}

TEST_F(EvalTermsGapsTest, BackgameWeightsAndTrailingBackMen) {
  const ViewBoard v = with(viewWith(kFar), {{6, -2}, {3, -2}, {7, -2}, {13, -7}, {24, -2}});
  play(v, v);
  backgame.backgameFlag = -1;
  evalGapsAndBackMen();
  EXPECT_EQ(features.pointWeightSum, 1 + 8 + 5 + 0 + 9);
  EXPECT_EQ(s.distribScore, 0);
  // Far behind without a backgame: each point above 9 costs (13 and 24).
  play(v, v);
  backgame.noBackgameFlag = -1;
  candidate.candidatePipDeficit = 17;
  evalGapsAndBackMen();
  const float base = static_cast<float>(factors.IFact5 - 1.5 * factors.GapFact2);
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(base - factors.BkFact1 - factors.BkFact1));
  play(v, v);
  backgame.noBackgameFlag = -1;
  candidate.candidatePipDeficit = 16;
  evalGapsAndBackMen();
  EXPECT_FLOAT_EQ(s.mainScore, base);
}

TEST_F(EvalTermsGapsTest, SlotsWithCoverAndBlotCounts) {
  // Blot on 4 under an own point on 5, spares on 8 (three) and 9 (one); opponent rear on 2.
  const ViewBoard v = viewWith({{4, -1}, {5, -2}, {8, -3}, {9, -1}, {13, -8}, {2, 2}, {19, 6}, {20, 7}});
  play(v, v);
  evalGapsAndBackMen();
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(2.0 * factors.ABFact1 + factors.IFact1));
  EXPECT_EQ(t.homeBlotCount, 1);
  EXPECT_EQ(t.exposedOuterBlots, 2);
  EXPECT_EQ(features.lowestOwnBlot, 4);
  EXPECT_EQ(features.highestOwnBlot, 9);
  EXPECT_FLOAT_EQ(t.outerOddStacks, 2);  // 8 and 9, below homeRunStart + 6
  EXPECT_EQ(t.opponentMenInContact, 2);  // the men on 2; 19 and 20 lie above 13
  EXPECT_EQ(t.opponentOuterMen, 4);
  // The blot-risk run saw the blots: the men on 2 hit 4 directly.
  EXPECT_EQ(blotRisk.noOwnBlots, 0);
  EXPECT_GT(shotRisk.multiShotCount, 0);
  // With the opponent's rear at or above the blot the cover bonus is the other one.
  const ViewBoard w = viewWith({{4, -1}, {5, -2}, {8, -3}, {9, -1}, {13, -8}, {10, 2}, {19, 6}, {20, 7}});
  play(w, w);
  evalGapsAndBackMen();
  EXPECT_FLOAT_EQ(s.mainScore, static_cast<float>(2.0 * factors.ABFact1 + factors.IFact2));
  EXPECT_EQ(t.exposedOuterBlots, 0);
}

TEST_F(EvalTermsGapsTest, OddStacksOnBothSides) {
  const ViewBoard v = viewWith({{6, -3}, {5, -3}, {4, -2}, {11, -3}, {12, -1}, {24, -3},
                                {13, 1}, {14, 3}, {15, 2}, {16, 9}});
  play(v, v);
  evalGapsAndBackMen();
  EXPECT_EQ(t.homeThreeStacks, 2);
  EXPECT_EQ(t.homeRunStart, 4);
  // 11 and 12 lie above homeRunStart + 6 = 10: half each.
  EXPECT_FLOAT_EQ(t.outerOddStacks, 1);
  EXPECT_EQ(t.opponentOddOuterPoints, 2);
  EXPECT_EQ(t.opponentOuterMen, 2 + 2);  // 15 and 16 made
  EXPECT_EQ(t.opponentMenInContact, 15);
}

TEST_F(EvalTermsGapsTest, ShotProbabilitiesFromTheRiskRun) {
  // A blot on 10 in front of three men on 4, and one on 23 that nothing reaches.
  const ViewBoard v = viewWith({{10, -1}, {23, -1}, {5, -13}, {4, 3}, {15, 12}});
  play(v, v);
  evalGapsAndBackMen();
  const ShotRisk& r = shotRisk;
  EXPECT_FLOAT_EQ(r.multiShotCount, 17);
  EXPECT_FLOAT_EQ(r.multiShotScore, static_cast<float>(17 * 216 / 36.0 * factors.Brfact10));
  EXPECT_FLOAT_EQ(r.blotDistanceRisk, static_cast<float>(17 * static_cast<double>(factors.Brfact12)));
  // Pointing on 10: 6-6 and 3-3 from the three men on 4.
  EXPECT_FLOAT_EQ(r.blotHitRisk, static_cast<float>(2 / 36.0 * 30 * factors.Brfact13));
  EXPECT_FLOAT_EQ(blotRisk.blotRiskSum, 0);
}

TEST_F(EvalTermsGapsTest, NoBlotsLeavesTheAccumulatorsAtZero) {
  const ViewBoard v = with(viewWith(kFar), {{6, -2}, {13, -11}, {24, -2}});
  play(v, v);
  shotRisk.multiShotCount = 3;
  evalGapsAndBackMen();
  EXPECT_EQ(shotRisk, ShotRisk{});
}

TEST_F(EvalTermsGapsTest, MaxBlotExposureScalesTheBlotScore) {
  blotRisk.dieExposureCounts.fill(0);
  blotRisk.dieExposureCounts[2] = 1;
  evalScores.blotScore = 10;
  evalMaxBlotExposure();
  EXPECT_EQ(evalScores.blotScore, 10);
  blotRisk.dieExposureCounts[5] = 3;
  evalMaxBlotExposure();
  EXPECT_FLOAT_EQ(evalScores.blotScore, static_cast<float>(10 - 10 * 0.1 * 2 * factors.BtFact10));
  evalScores.blotScore = 10;
  backgame.backgameFlag = -1;
  evalMaxBlotExposure();
  EXPECT_EQ(evalScores.blotScore, 10);
}

}  // namespace
}  // namespace bg
