// The evaluation driver: features of the position after the play, the combination of
// the partial scores into the true and skill-adjusted scores, and the offer to the lists.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "computer/analyse_position.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/evaluate_position.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/program_data.h"
#include "computer/race_estimates.h"
#include "rules/best_plays.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "rules/rules_fixture.h"

namespace bg {
namespace {

class EvaluateTest : public testing::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    initComputerData();
    flow.turnNumber = 5;
    flow.movesAllowed = 2;
    clearBestPlays();
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
    position.currentPlayer = 1;
    // A two-part play for the lists.
    playSearch.playLength = 2;
    playSearch.playFrom[1] = 13;
    playSearch.playDice[1] = 6;
    playSearch.playFrom[2] = 8;
    playSearch.playDice[2] = 5;
    playSearch.genPipsUsed = 11;
  }

  static void setLevel(int level, int personality) {
    skill.skillLevel = static_cast<int16_t>(level);
    skill.skillFactor = skillFactorFor(skill.skillLevel);
    skill.personality = static_cast<int16_t>(personality);
  }

  static void setPartials(float main, float blot, float bar, float block, float distrib, float points) {
    evalScores = EvalScores{};
    evalScores.mainScore = main;
    evalScores.blotScore = blot;
    evalScores.barScore = bar;
    evalScores.blockScore = block;
    evalScores.distribScore = distrib;
    evalScores.pointsScore = points;
  }

  // A view (player 1 to move, so the board is the view) analysed, then `after` applied.
  static void analyseThenPlay(std::initializer_list<std::pair<int, int>> before,
                              std::initializer_list<std::pair<int, int>> after) {
    position.board.fill(0);
    for (const auto& [i, n] : before) position.board[i] = static_cast<int16_t>(n);
    analysePosition();
    analysis.evalBoard.fill(0);
    for (const auto& [i, n] : after) analysis.evalBoard[i] = static_cast<int16_t>(n);
  }
};

TEST_F(EvaluateTest, SkillScoreUsesRealDivisionByTheSkillFactor) {
  // Weighted partials: block x 0.78923, bar x 1.51672, the rest x 1.01.
  constexpr double block = 3 * 0.78923, main = 2 * 1.01, blot = 1.01, bar = 0.5 * 1.51672, distrib = 0.25 * 1.01;
  for (int level = 1; level <= 5; ++level) {
    SCOPED_TRACE(level);
    setLevel(level, 2);
    setPartials(2.0f, 1.0f, 0.5f, 3.0f, 0.25f, 0.75f);
    evalScores.menBorneOffInPlay = 2;
    features.ownBlotCount = 3;
    scoreAndRankCandidate();
    const double f = 1.0 + (5 - level) / 10.0;
    EXPECT_NEAR(skill.skillFactor, f, 1e-6);
    // Below level 3 the points score gives way to the men borne off less the blots.
    const double rest = level >= 3 ? 0.75 / f : -3 + blot / f + 2;
    EXPECT_NEAR(evalScores.candidateScoreSkill, block / f + main / (f * (6 - level)) - blot / f + bar * f + distrib / f + rest,
                1e-5);
    EXPECT_NEAR(evalScores.candidateScoreTrue, block + main - blot + bar + distrib + 0.75, 1e-5);
  }
}

TEST_F(EvaluateTest, AtLevel5WithTheNeutralPersonalityBothScoresAgree) {
  setLevel(5, 2);
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> value(-40.0f, 40.0f);
  for (int n = 0; n < 2000; ++n) {
    setPartials(value(rng), value(rng), value(rng), value(rng), value(rng), value(rng));
    scoreAndRankCandidate();
    const EvalScores& e = evalScores;
    const float t = e.candidateScoreTrue;
    const float s = e.candidateScoreSkill;
    // The true score is summed in single precision, rounding at each of its five steps,
    // the skill score in double and rounded once: they differ only by those roundings.
    const double magnitude = std::fabs(e.blockScore) + std::fabs(e.mainScore) + std::fabs(e.blotScore) +
                             std::fabs(e.barScore) + std::fabs(e.distribScore) + std::fabs(e.pointsScore);
    EXPECT_LE(std::fabs(static_cast<double>(t) - s), 5 * magnitude * 0x1p-24) << n;
  }
}

TEST_F(EvaluateTest, BoldPersonalityMarksBlotsDownInTheSkillListOnly) {
  auto score = [] {
    setPartials(5.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    scoreAndRankCandidate();
  };
  setLevel(5, 1);
  score();
  EXPECT_LT(evalScores.candidateScoreSkill, evalScores.candidateScoreTrue);
  EXPECT_NEAR(evalScores.candidateScoreTrue, 3 * 1.01, 1e-5);
  // A human side's plays feel no personality, nor do the lower levels.
  position.playerType[1] = kHumanPlayer;
  score();
  EXPECT_NEAR(evalScores.candidateScoreSkill, evalScores.candidateScoreTrue, 1e-5);
  position.playerType[1] = kComputerPlayer;
  setLevel(3, 1);
  score();
  EXPECT_FLOAT_EQ(evalScores.blotScore, 2.0f * 1.01f);
}

TEST_F(EvaluateTest, CandidatesBelowRow3LeaveTheListsAlone) {
  setLevel(5, 2);
  for (int r = 1; r <= 3; ++r) {
    for (BestPlaysList* list : {&bestPlays.bestPlaysTrue, &bestPlays.bestPlaysSkill}) {
      (*list)[r][kScoreColumn] = static_cast<float>(20 - r);
      (*list)[r][kPipsColumn] = 11;
      (*list)[r][kPartMovesColumn] = 2;
    }
  }
  const BestPlaysList before = bestPlays.bestPlaysTrue;
  setPartials(1.0f, 0, 0, 0, 0, 0);
  scoreAndRankCandidate();
  EXPECT_EQ(bestPlays.bestPlaysTrue, before);  // row 4 too: the play was never offered
  EXPECT_EQ(bestPlays.bestPlaysSkill[4][kScoreColumn], kEmptyRow);
  setPartials(30.0f, 0, 0, 0, 0, 0);
  scoreAndRankCandidate();
  EXPECT_FLOAT_EQ(bestPlays.bestPlaysTrue[1][kScoreColumn], 30.0f * 1.01f);
  EXPECT_FLOAT_EQ(bestPlays.bestPlaysSkill[1][kScoreColumn], 30.0f * 1.01f);
}

TEST_F(EvaluateTest, FeaturesOfThePositionAfterThePlay) {
  // After the play: own men on 2 (blot), 5 (two), 9 (blot), 20 (three) and the bar;
  // opponent blots on 4 and 14, a point on 22, a man on its bar.
  analyseThenPlay({{20, -3}, {9, -3}, {5, -6}, {4, 1}, {14, 1}, {22, 12}, {2, 1}},
                  {{0, -1}, {2, -1}, {5, -2}, {9, -1}, {20, -3}, {4, 1}, {14, 1}, {22, 2}, {25, 1}});
  resetEvalAccumulators();
  computePipAndRaceStats();
  const CandidateFeatures& c = candidate;
  EXPECT_EQ(c.candidateOwnPips, 25 + 2 + 10 + 9 + 60);
  EXPECT_EQ(c.candidateOpponentPips, 25 + 21 + 11 + 2 * 3);
  EXPECT_EQ(c.opponentRearPoint, 0);  // a man on its bar
  EXPECT_EQ(c.ownRearPoint, 25);      // a man on the own bar
  EXPECT_EQ(c.lowestOwnPoint, 2);
  EXPECT_EQ(c.largestOwnGap, 11);     // 9 to 20
  EXPECT_EQ(c.largestHomeGap, 3);     // 2 to 5
  EXPECT_EQ(c.ownHomePoints, 1);
  EXPECT_EQ(c.ownMenInOpponentHome, 1 + 3);
  EXPECT_EQ(c.candidateMenOutside, 1 + 1 + 3);
  EXPECT_EQ(c.candidateOuterPips, 9);
  EXPECT_EQ(c.ownBackMenDepth, 3 * 2);
  EXPECT_EQ(c.opponentPointsInOwnHome, 1);
  EXPECT_EQ(features.ownBlotCount, 2);
  EXPECT_EQ(features.ownBlotPoints[1], 2);
  EXPECT_EQ(features.ownBlotPoints[2], 9);
  EXPECT_EQ(features.opponentBlotCount, 2);
  EXPECT_EQ(c.opponentBlotPoints[1], 4);
  EXPECT_EQ(c.opponentBlotPoints[2], 14);
  EXPECT_EQ(features.opponentPointCount, 4);  // the bar as 0, then 4, 14, 22
  EXPECT_EQ(features.opponentPoints[1], 0);
  EXPECT_EQ(features.ownPointCount, 4);
  EXPECT_EQ(features.ownPointsMade, 2);
  // With the opponent on the bar: a hitter is a 3-stack, or a blot above 6, within six.
  // Blot on 4: the blot on 9 (q > 6) hits; blot on 14: the 3-stack on 20 hits.
  EXPECT_EQ(c.blotHitterCount, 2);
}

TEST_F(EvaluateTest, OpponentRearPointStays24WithNoOpponentMan) {
  analyseThenPlay({{3, -5}}, {{2, -5}});
  resetEvalAccumulators();
  computePipAndRaceStats();
  setRaceFlags();
  EXPECT_EQ(candidate.opponentRearPoint, 24);
  EXPECT_EQ(analysis.contactBroken, -1);
}

TEST_F(EvaluateTest, BreakingContactWhileFarAheadEarnsTheRaceBonus) {
  setLevel(5, 2);
  // Before the play one own man is behind the opponent's man on 5.
  const auto before = {std::pair{8, -1}, std::pair{3, -14}, std::pair{5, 1}, std::pair{22, 14}};
  const auto after = {std::pair{2, -1}, std::pair{3, -14}, std::pair{5, 1}, std::pair{22, 14}};
  analyseThenPlay(before, after);
  ASSERT_EQ(analysis.analysisRaceFlag, 0);
  race.raceLeadFlag = -1;
  evaluatePosition();
  EXPECT_EQ(analysis.raceFlag, -1);
  const float withBonus = evalScores.candidateScoreTrue;

  analyseThenPlay(before, after);
  race.raceLeadFlag = 0;
  clearBestPlays();
  evaluatePosition();
  EXPECT_EQ(analysis.raceFlag, 0);
  EXPECT_GT(withBonus, evalScores.candidateScoreTrue);
}

TEST_F(EvaluateTest, EveryCandidateStartsFromCleanState) {
  setLevel(5, 2);
  analyseThenPlay({{13, -15}, {1, 15}}, {{13, -13}, {7, -1}, {8, -1}, {1, 15}});
  evaluatePosition();
  const float first = evalScores.candidateScoreTrue;
  evaluatePosition();
  EXPECT_EQ(evalScores.candidateScoreTrue, first);
  EXPECT_LE(evalScores.evalTraceIndex, kEvalTraceHighest);
}

}  // namespace
}  // namespace bg
