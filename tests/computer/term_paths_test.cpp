// Which evaluation terms run for a candidate play on each path: a race, a race bearing
// in, contact, and contact bearing in. Each row names its terms in order; evaluating the
// candidate must come to exactly what those terms alone give, and not to what another
// path's terms give.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "computer/analyse_position.h"
#include "computer/eval_terms_backgame.h"
#include "computer/eval_terms_board.h"
#include "computer/eval_terms_gaps.h"
#include "computer/eval_terms_moves.h"
#include "computer/eval_terms_race_prime.h"
#include "computer/eval_scores.h"
#include "computer/evaluate_position.h"
#include "rules/best_plays.h"
#include "computer/personalities.h"
#include "computer/race_estimates.h"
#include "rules/legal_plays.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "support/position_text.h"

namespace bg::testing {
namespace {

using Term = void (*)();

// The terms every contact candidate runs before and after its path's own; bearing in
// with the opponent's bar empty there is no block to score.
#define BOARD_START evalBuriedMen, evalGapsAndBackMen, checkRunningGame
#define CONTACT_START evalAnchor, evalBarAndHitting, copyPlayedMoves, evalPlayOutfield, evalBlotRisk, evalPlayMoves
#define CONTACT_END applyDistributionFactor, evalStackingTerms, evalHomeBoardGame

struct PathRow {
  const char* path;
  const char* position;  // side 1 on roll, the first legal play is the candidate
  std::vector<Term> terms;
};

const PathRow kRows[] = {
    {"race", "9:-3 6:-3 5:-3 4:-3 3:-3 10:3 19:6 20:6 | dice 6 2 | side 1",
     {copyPlayedMoves, evalPlayOutfield, evalMoveTerms, evalRunningRace, evalStackingTerms}},
    {"race bearing in", "6:-5 5:-5 4:-5 19:5 20:5 21:5 | dice 3 1 | side 1",
     {countHomeBoardPoints, evalGapsAndBackMen, evalBearOff}},
    {"contact", "start | dice 3 1 | side 1",
     {BOARD_START, evalBestBlock, CONTACT_START, evalHitBonus, evalGapsAndSpread, evalPrime, evalBuilders, evalTrappedBackMen,
      evalBlockade, evalBackgameIfFlag, CONTACT_END}},
    {"contact bearing in", "6:-4 5:-4 4:-4 3:-3 1:2 13:13 | dice 5 2 | side 1",
     {countHomeBoardPoints, BOARD_START, CONTACT_START, evalBearOffDistribution, CONTACT_END}},
};

class TermPathsTest : public ComputerTest {
 protected:
  void SetUp() override {
    ComputerTest::SetUp();
    initPersonalityData();
    position.playerType[1] = kComputerPlayer;
    flow.turnNumber = 10;
  }
};

// The candidate's scores from the given terms alone, on the candidate's board.
EvalScores scoresFrom(const std::vector<Term>& terms) {
  clearBestPlays();
  resetEvalAccumulators();
  computePipAndRaceStats();
  setRaceFlags();
  for (Term term : terms) term();
  scoreAndRankCandidate();
  return evalScores;
}

TEST_F(TermPathsTest, EachPathRunsItsOwnTerms) {
  for (const PathRow& row : kRows) {
    SCOPED_TRACE(row.path);
    setPosition(row.position);
    flow.movesAllowed = diceState.rolledDoubles != 0 ? 4 : 2;
    analysePosition();
    startLegalPlayEnumeration(flow.movesAllowed);
    while (!stepLegalPlayEnumeration()) ASSERT_NE(playSearch.stopEnumeration, -1);
    const auto board = analysis.evalBoard;
    const PlaySearchState search = playSearch;
    auto fresh = [&] {
      analysis.evalBoard = board;
      playSearch = search;
    };
    clearBestPlays();
    evaluatePosition();
    const EvalScores full = evalScores;
    EXPECT_NE(full.candidateScoreTrue, 0) << "the terms scored something";
    fresh();
    const EvalScores alone = scoresFrom(row.terms);
    for (float EvalScores::*score : {&EvalScores::mainScore, &EvalScores::blotScore, &EvalScores::barScore,
                                     &EvalScores::blockScore, &EvalScores::distribScore, &EvalScores::pointsScore,
                                     &EvalScores::candidateScoreTrue})
      EXPECT_EQ(alone.*score, full.*score);
    for (const PathRow& other : kRows) {
      if (&other == &row) continue;
      fresh();
      EXPECT_NE(scoresFrom(other.terms).candidateScoreTrue, full.candidateScoreTrue) << other.path;
    }
    fresh();
    evaluatePosition();
    EXPECT_EQ(evalScores.candidateScoreTrue, full.candidateScoreTrue) << "each candidate starts clean";
  }
}

TEST_F(TermPathsTest, BreakingContactFarAheadTakesTheRacePathWithItsBonus) {
  float scores[2] = {};
  for (int16_t lead : {0, -1}) {
    setPosition("8:-1 3:-14 5:1 22:14 | side 1");  // one man behind the opponent's on 5
    analysePosition();
    ASSERT_EQ(analysis.analysisRaceFlag, 0);
    analysis.evalBoard[8] = 0;
    analysis.evalBoard[2] = -1;  // and the play runs it past
    race.raceLeadFlag = lead;
    clearBestPlays();
    evaluatePosition();
    EXPECT_EQ(analysis.raceFlag, lead);
    scores[-lead] = evalScores.candidateScoreTrue;
  }
  EXPECT_GT(scores[1], scores[0]);
}

TEST_F(TermPathsTest, AtTheBestLevelWithTheNeutralPersonalityBothScoresAgree) {
  skill.personality = 2;
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> value(-40.0f, 40.0f);
  for (int n = 0; n < 2000; ++n) {
    EvalScores& e = evalScores;
    e = EvalScores{};
    for (float* partial : {&e.mainScore, &e.blotScore, &e.barScore, &e.blockScore, &e.distribScore, &e.pointsScore})
      *partial = value(rng);
    scoreAndRankCandidate();
    // The true score is summed in single precision, rounding at each of its five steps,
    // the skill score in double and rounded once: they differ only by those roundings.
    const double magnitude = std::fabs(e.blockScore) + std::fabs(e.mainScore) + std::fabs(e.blotScore) +
                             std::fabs(e.barScore) + std::fabs(e.distribScore) + std::fabs(e.pointsScore);
    EXPECT_LE(std::fabs(static_cast<double>(e.candidateScoreTrue) - e.candidateScoreSkill), 5 * magnitude * 0x1p-24);
  }
}

}  // namespace
}  // namespace bg::testing
