#pragma once
// A candidate play laid out for one evaluation term: the position before the play analysed
// as the analysis does it, the position after it on evalBoard, and the few candidate
// features the terms read worked out here from the boards.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "analysis_fixture.h"
#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/candidate_features.h"
#include "computer/doubling_position.h"
#include "computer/eval_scores.h"
#include "computer/eval_terms_backgame.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "state/play_search_state.h"

namespace bg::testing {

struct Part {
  int from;  // 26: from the bar
  int die;
};

class TermTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    blotRisk = BlotRiskState{};
    doublingPosition = DoublingPositionState{};
  }
  void TearDown() override {
    initEvaluationFactors();
    position.openingPhase = -1;
  }

  // Analyses `before`, then puts `after` on evalBoard as the play left it. The backgame
  // flags of the turn are left clear.
  static void layOut(const ViewBoard& before, const ViewBoard& after,
                     std::initializer_list<Part> parts = {}) {
    analyseView(before);
    backgame = BackgameFlags{};  // the tests set the turn's flags themselves
    int ownAfter = 0;
    for (int i = 0; i <= 25; ++i) {
      analysis.evalBoard[i] = static_cast<int16_t>(after[static_cast<size_t>(i)]);
      if (i <= 24 && after[static_cast<size_t>(i)] < 0) ownAfter -= after[static_cast<size_t>(i)];
    }
    analysis.menLeft[1] = static_cast<int16_t>(ownAfter);
    auto& ps = playSearch;
    ps.playLength = static_cast<int16_t>(parts.size());
    int k = 1;
    for (const Part& p : parts) {
      ps.playFrom[k] = static_cast<int16_t>(p.from);
      ps.playDice[k] = static_cast<int16_t>(p.die);
      ++k;
    }
    evalScores = EvalScores{};
    candidate = CandidateFeatures{};
    termFeatures = TermFeatures{};
    resetBackgameTermState();
    auto& c = candidate;
    const auto& v = analysis.evalBoard;
    c.ownRearPoint = 0;
    c.opponentRearPoint = v[25] > 0 ? 0 : 24;
    int ownPips = 25 * -v[0];
    int opponentPips = 25 * v[25];
    int outside = -v[0];
    bool rearFound = v[25] > 0;
    for (int p = 1; p <= 24; ++p) {
      if (v[p] < 0) {
        c.ownRearPoint = static_cast<int16_t>(p);
        ownPips += -v[p] * p;
        if (p >= 7) outside += -v[p];
      }
      if (v[p] > 0) {
        if (!rearFound) c.opponentRearPoint = static_cast<int16_t>(p);
        rearFound = true;
        opponentPips += v[p] * (25 - p);
      }
    }
    if (v[0] < 0) c.ownRearPoint = 25;
    c.candidateOwnPips = static_cast<int16_t>(ownPips);
    c.candidateOpponentPips = static_cast<int16_t>(opponentPips);
    c.candidatePipDeficit = static_cast<int16_t>(ownPips - opponentPips);
    c.candidatePipLead = static_cast<int16_t>(-c.candidatePipDeficit);
    c.candidateMenOutside = static_cast<int16_t>(outside);
  }

  static float main() { return evalScores.mainScore; }
};

}  // namespace bg::testing
