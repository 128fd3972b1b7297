#include "computer/eval_terms_gaps.h"

#include <algorithm>

#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/eval_term_steps.h"
#include "computer/factors.h"
#include "computer/position_features.h"
#include "computer/program_data.h"
#include "computer/shot_probabilities.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "state/program_state.h"

namespace bg {

TermFeatures termFeatures;
BG_RESETS_WITH_PROGRAM(termFeatures);

namespace {

using evalterm::addTo;

int men(int p) { return analysis.evalBoard[p]; }
bool ownPoint(int p) { return men(p) <= -2; }

}  // namespace

void evalBuriedMen() {
  const CandidateFeatures& c = candidate;
  const PositionFeatures& f = features;
  if (c.lowestOwnPoint >= 4 || f.bearInFlag != 0 || backgame.backgameFlag != 0 ||
      analysis.highestOccupiedPoint < 8 || f.ownMenOutside < 3)
    return;
  int n = 0;
  for (int p = 4; p <= 9; ++p) n += ownPoint(p) ? 1 : 0;
  double sum = 0;
  for (int p = std::max<int>(c.lowestOwnPoint, 1); p <= 3; ++p) {
    const int after = men(p);
    const int before = analysis.evalBoardB[p];
    // Covering a blot buries nothing new.
    if (after >= 0 || after >= before || before == -1) continue;
    int open = 0;
    for (int q = p + 1; q <= 6; ++q) open += (men(q) >= -1 && men(q) <= 1) ? 1 : 0;
    const int added = std::min(before, 0) - after;
    double weight = p == 1 ? 1.5 : 1;
    if (before == 1) weight -= 0.25;  // the men came with a hit
    sum += (11 - p * p) * (added + 1) * open * (open + 1) * weight;
  }
  addTo(evalScores.mainScore, -(sum / (n + 3) * factors.OPFact6));
}

void evalGapsAndBackMen() {
  EvalScores& s = evalScores;
  TermFeatures& t = termFeatures;
  PositionFeatures& f = features;
  const CandidateFeatures& c = candidate;
  const int16_t contactBroken = analysis.contactBroken;
  const bool inBackgame = backgame.backgameFlag != 0;
  const auto& weights = inBackgame ? programTables.homePointWeights : programTables.madePointWeights;

  if (contactBroken != -1) {
    t.homeRunStart = 7;
    for (int p = 6; p >= 1 && ownPoint(p); --p) t.homeRunStart = static_cast<int16_t>(p);
  }
  t.opponentOuterMen = 0;
  s.distribScore = 0;

  for (int p = 1; p <= 24; ++p) {
    const int m = men(p);
    if (contactBroken == 0) {
      if (m < 0) {
        if (p > 6 && p < 13 && (m == -1 || m == -3))
          t.outerOddStacks = static_cast<float>(t.outerOddStacks + (p < t.homeRunStart + 6 ? 1.0 : 0.5));
        if (p >= 4 && p <= 6 && m == -3) ++t.homeThreeStacks;
      } else if (m > 0) {
        if (p >= 13 && p <= 18 && (m == 1 || m == 3)) ++t.opponentOddOuterPoints;
        if (p < c.ownRearPoint) t.opponentMenInContact = static_cast<int16_t>(t.opponentMenInContact + m);
        if (p > 14) t.opponentOuterMen = static_cast<int16_t>(t.opponentOuterMen + (m >= 2 ? 2 : 1));
      }
    }
    if (m <= -2) {
      if (!inBackgame && contactBroken == 0 && f.bearInFlag == 0 && p >= 3) {
        addTo(s.distribScore, 1);
        if (p < 14 && m == -3) addTo(s.distribScore, 0.5);
        if (-m > 3) addTo(s.distribScore, -0.25 * (-m - 3));
      }
      if (contactBroken != 0) continue;
      if (backgame.noBackgameFlag != 0 && c.candidatePipDeficit > evalParams.backMenLeadLimit && p > 9)
        addTo(s.mainScore, -static_cast<double>(factors.BkFact1));
      f.pointWeightSum = static_cast<int16_t>(f.pointWeightSum + weights[p]);
      if (p <= 6) {
        if (ownPoint(p + 1)) addTo(s.mainScore, factors.IFact5);
        // Open points just above a home point: each further gap only counts after the one
        // below it.
        if (f.bearInFlag == 0 && p < 6 && men(p + 1) == 0) {
          addTo(s.mainScore, -static_cast<double>(factors.GapFact1));
          if (p < 5 && men(p + 2) == 0) {
            addTo(s.mainScore, -1.5 * factors.GapFact2);
            if (p < 4 && men(p + 3) == 0) addTo(s.mainScore, -2.0 * factors.GapFact3);
          }
        }
      }
    } else if (m == -1) {
      if (f.lowestOwnBlot == 0) f.lowestOwnBlot = static_cast<int16_t>(p);
      f.highestOwnBlot = static_cast<int16_t>(p);
      if (p >= 2 && p <= 6) {
        // Spares that can cover the slot.
        for (int q = 7; q <= p + 6; ++q)
          if (men(q) == -1 || men(q) == -3) addTo(s.mainScore, factors.ABFact1);
      }
      if (p >= 3 && p <= 12 && p > c.opponentRearPoint) ++t.exposedOuterBlots;
      if (p <= 6) {
        ++t.homeBlotCount;
        if (ownPoint(p + 1)) addTo(s.mainScore, c.opponentRearPoint < p ? factors.IFact1 : factors.IFact2);
      }
    }
  }

  if (contactBroken == -1) return;
  determineCubeBlotRisk(analysis.evalBoard, c.opponentRearPoint, f.ownBlotCount, f.ownBlotPoints,
                        f.opponentPointCount, f.opponentPoints, f.opponentHomePoints);
  computeShotProbabilities();
}

void evalMaxBlotExposure() {
  int most = 1;
  for (int d = 1; d <= 6; ++d) most = std::max<int>(most, blotRisk.dieExposureCounts[d]);
  if (backgame.backgameFlag != 0) return;
  EvalScores& s = evalScores;
  s.blotScore = static_cast<float>(s.blotScore - s.blotScore * 0.1 * (most - 1) * factors.BtFact10);
}

}  // namespace bg
