#pragma once
// Setting up positions for the analysis and evaluation tests.
#include <array>
#include <initializer_list>
#include <random>
#include <utility>

#include "computer/blot_risk.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/factors.h"
#include "computer/position_analysis.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "computer/program_data.h"
#include "rules/analysis_state.h"
#include "rules/mover_view.h"
#include "rules/play_search_state.h"
#include "rules/position.h"

namespace bg::testing {

// A position as the side to move sees it: its men negative on view points (moving from 24
// toward 1), the opponent's positive; [0] the mover's bar (negative), [25] the opponent's
// bar (positive).
using ViewBoard = std::array<int, 26>;

inline ViewBoard viewWith(std::initializer_list<std::pair<int, int>> men) {
  ViewBoard v{};
  for (auto [p, n] : men) v[static_cast<size_t>(p)] = n;
  return v;
}

// The starting position from the mover's side.
inline ViewBoard startingView() {
  return viewWith({{24, -2}, {13, -5}, {8, -3}, {6, -5}, {1, 2}, {12, 5}, {17, 3}, {19, 5}});
}

// Puts the view on the game board for the given player to move.
inline void placeForPlayer(const ViewBoard& v, int player) {
  position.currentPlayer = static_cast<int16_t>(player);
  position.otherPlayer = static_cast<int16_t>(1 - player);
  for (int i = 0; i <= 25; ++i) {
    // Player 1's view is the board itself; player 0's is the board turned round.
    position.board[i] = static_cast<int16_t>(player == 1 ? v[static_cast<size_t>(i)] : -v[static_cast<size_t>(25 - i)]);
  }
}

// The whole analysis of the view for the given player.
inline void analyseView(const ViewBoard& v, int player = 1) {
  placeForPlayer(v, player);
  buildMoverView();
  analysePositionFeatures();
}

inline void loadComputerTables() {
  initEvaluationFactors();
  readProgramData();
  position.openingPhase = 0;
}

// A random position: up to 15 men a side, some on the bar, never two sides on a point.
inline ViewBoard randomView(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  ViewBoard v{};
  // Now and then the sides have passed each other: a race.
  const bool apart = pick(0, 4) == 0;
  for (int side : {-1, 1}) {
    const int lo = apart && side > 0 ? 13 : 1;
    const int hi = apart && side < 0 ? 12 : 24;
    int men = 15 - (pick(0, 3) == 0 ? pick(1, 12) : 0);
    if (!apart && pick(0, 5) == 0) {
      const int bar = pick(1, 3);
      v[side < 0 ? 0 : 25] = side * bar;
      men -= bar;
    }
    while (men > 0) {
      const int p = pick(lo, hi);
      if (v[static_cast<size_t>(p)] * side < 0) continue;
      v[static_cast<size_t>(p)] += side;
      --men;
    }
  }
  return v;
}


// Puts the position after a play on evalBoard (evalBoardB keeps the analysed one) and
// fills the per-candidate features the terms read, as the evaluation does before its
// terms run.
inline void applyCandidate(const ViewBoard& after) {
  AnalysisState& a = analysis;
  for (int i = 0; i <= 25; ++i) a.evalBoard[i] = static_cast<int16_t>(after[static_cast<size_t>(i)]);
  evalScores = EvalScores{};
  evalScores.pointFactor = factors.PFactStart;
  termFeatures = TermFeatures{};
  candidate = CandidateFeatures{};
  PositionFeatures& f = features;
  CandidateFeatures& c = candidate;
  f.ownBlotCount = 0;
  f.opponentBlotCount = 0;
  f.opponentPointCount = 0;
  f.ownPointCount = 0;
  f.ownPointsMade = 0;
  f.pointWeightSum = 0;
  f.highestOwnBlot = 0;
  f.lowestOwnBlot = 0;
  const int ownBar = -after[0];
  const int opponentBar = after[25];
  c.opponentRearPoint = static_cast<int16_t>(opponentBar > 0 ? 0 : 24);
  c.candidateOwnPips = static_cast<int16_t>(25 * ownBar);
  c.candidateOpponentPips = static_cast<int16_t>(25 * opponentBar);
  termFeatures.opponentMenInContact = static_cast<int16_t>(opponentBar);
  if (opponentBar > 0) f.opponentPoints[++f.opponentPointCount] = 0;
  for (int p = 1; p <= 24; ++p) {
    const int m = after[static_cast<size_t>(p)];
    if (m > 0) {
      f.opponentPoints[++f.opponentPointCount] = static_cast<int16_t>(p);
      if (p < c.opponentRearPoint) c.opponentRearPoint = static_cast<int16_t>(p);
      c.candidateOpponentPips = static_cast<int16_t>(c.candidateOpponentPips + m * (25 - p));
      if (m == 1) c.opponentBlotPoints[++f.opponentBlotCount] = static_cast<int16_t>(p);
    } else if (m < 0) {
      if (m == -1) {
        f.ownBlotPoints[++f.ownBlotCount] = static_cast<int16_t>(p);
        blotRisk.pointHitRolls[p] = 0;
        blotRisk.pointHitMarkA[p] = 0;
        blotRisk.pointHitMarkB[p] = 0;
      }
      ++f.ownPointCount;
      if (c.lowestOwnPoint == 0) c.lowestOwnPoint = static_cast<int16_t>(p);
      c.ownRearPoint = static_cast<int16_t>(p);
      c.candidateOwnPips = static_cast<int16_t>(c.candidateOwnPips - m * p);
      if (m <= -2) {
        ++f.ownPointsMade;
        if (p <= 6) ++c.ownHomePoints;
      }
    }
  }
  c.ownHomePointsSquared = static_cast<int16_t>(c.ownHomePoints * c.ownHomePoints);
  if (ownBar > 0) c.ownRearPoint = 25;
  c.candidatePipDeficit = static_cast<int16_t>(c.candidateOwnPips - c.candidateOpponentPips);
  c.candidatePipLead = static_cast<int16_t>(-c.candidatePipDeficit);
  c.raceRollLeadAfterRoll = static_cast<float>(race.raceRollLead + playSearch.rollPipTotal / 8.17);
  a.raceFlag = a.analysisRaceFlag;
  a.contactBroken = (a.raceFlag != 0 || c.opponentRearPoint >= c.ownRearPoint) ? int16_t{-1} : int16_t{0};
}

}  // namespace bg::testing
