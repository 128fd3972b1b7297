#include "computer/evaluate_position.h"

#include <algorithm>

#include "computer/blot_risk.h"
#include "computer/backgame_flags.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/eval_terms_backgame.h"
#include "computer/eval_terms_board.h"
#include "computer/eval_terms_gaps.h"
#include "computer/eval_terms_moves.h"
#include "computer/eval_terms_race_prime.h"
#include "computer/factors.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "rules/best_plays.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "rules/search_pump.h"

namespace bg {

namespace {

inline constexpr float kRaceBonus = 60.0f;

PartialScores partialScores() {
  const EvalScores& s = evalScores;
  return {s.mainScore, s.blotScore, s.barScore, s.blockScore, s.distribScore, s.pointsScore};
}

// Multiplies a partial score in double and keeps it in single precision.
void scaleBy(float& score, double factor) { score = static_cast<float>(score * factor); }

}  // namespace

void pumpDuringEvaluation() { pumpDuringSearch(); }

void resetEvalAccumulators() {
  const auto& v = analysis.evalBoard;
  evalScores = EvalScores{};
  candidate = CandidateFeatures{};
  termFeatures = TermFeatures{};
  resetBackgameTermState();
  blotRisk.blotRiskSum = 0;
  // The analysis's lists and counts that are rebuilt for the position after the play.
  PositionFeatures& f = features;
  f.ownBlotCount = 0;
  f.opponentBlotCount = 0;
  f.opponentPointCount = 0;
  f.ownPointCount = 0;
  f.ownPointsMade = 0;
  f.pointWeightSum = 0;
  f.lowestOwnBlot = 0;
  f.highestOwnBlot = 0;

  const int16_t ownBar = static_cast<int16_t>(-v[kOwnBarIndex]);
  const int16_t opponentBar = v[kOpponentBarIndex];
  CandidateFeatures& c = candidate;
  c.candidateOwnPips = static_cast<int16_t>(25 * ownBar);
  c.candidateOpponentPips = static_cast<int16_t>(25 * opponentBar);
  c.ownMenInOpponentHome = ownBar;
  c.candidateMenOutside = ownBar;
  c.opponentRearPoint = opponentBar > 0 ? int16_t{0} : int16_t{24};
  c.ownRearPoint = 0;
  termFeatures.opponentMenInContact = opponentBar;
  evalScores.pointFactor = factors.PFactStart;
  evalScores.menBorneOffInPlay = 0;
}

void computePipAndRaceStats() {
  const auto& v = analysis.evalBoard;
  const auto& before = analysis.evalBoardB;
  CandidateFeatures& c = candidate;
  PositionFeatures& f = features;
  c.raceRollLeadAfterRoll =
      static_cast<float>(race.raceRollLead + playSearch.rollPipTotal / kAverageRollPips);
  const bool opponentOnBar = v[kOpponentBarIndex] > 0;
  if (opponentOnBar) f.opponentPoints[++f.opponentPointCount] = 0;

  int previousOwnPoint = 0;
  for (int16_t p = 1; p <= 24; ++p) {
    const int m = v[p];
    if (m > 0) {
      f.opponentPoints[++f.opponentPointCount] = p;
      if (p >= 13 && p < features.opponentBlockLowPoint) {
        ++c.opponentBlockerPoints;
        c.opponentBlockerMen = static_cast<int16_t>(c.opponentBlockerMen + m);
      }
      if (p <= 6) ++c.opponentPointsInOwnHome;
      if (p < c.opponentRearPoint) c.opponentRearPoint = p;
      c.candidateOpponentPips = static_cast<int16_t>(c.candidateOpponentPips + m * (25 - p));
      if (m == 1) {
        c.opponentBlotPoints[++f.opponentBlotCount] = p;
        // Own men that can hit this blot without breaking a point.
        int hitters = 0;
        if (opponentOnBar) {
          for (int q = p + 1; q <= std::min(p + 6, 24); ++q) {
            if (v[q] == -3) ++hitters;
            if (q > 6 && v[q] == -1) ++hitters;
          }
        } else if (p >= 13 && p <= 23) {
          for (int q = std::max(p + 1, 19); q <= std::min(p + 6, 24); ++q) {
            if (v[q] == -1 || v[q] == -3) ++hitters;
          }
        }
        c.blotHitterCount = static_cast<int16_t>(c.blotHitterCount + hitters);
      }
    } else if (m < 0) {
      const int men = -m;
      if (men == 1) {
        f.ownBlotPoints[++f.ownBlotCount] = p;
        blotRisk.pointHitRolls[p] = 0;
        blotRisk.pointHitMarkA[p] = 0;
        blotRisk.pointHitMarkB[p] = 0;
      }
      ++f.ownPointCount;
      if (p >= 19) {
        c.ownMenInOpponentHome = static_cast<int16_t>(c.ownMenInOpponentHome + men);
        if (men == 1) ++c.ownBlotsInOpponentHome;
      }
      if (previousOwnPoint == 0) {
        c.lowestOwnPoint = p;
      } else {
        const int gap = p - previousOwnPoint;
        if (gap > c.largestOwnGap) c.largestOwnGap = static_cast<int16_t>(gap);
        if (p <= 6 && gap > c.largestHomeGap) c.largestHomeGap = static_cast<int16_t>(gap);
      }
      previousOwnPoint = p;
      c.ownRearPoint = p;
      c.candidateOwnPips = static_cast<int16_t>(c.candidateOwnPips + men * p);
      if (p >= 7) {
        c.candidateMenOutside = static_cast<int16_t>(c.candidateMenOutside + men);
        if (p <= 18) c.candidateOuterPips = static_cast<int16_t>(c.candidateOuterPips + men * p);
        if (p >= 19) c.ownBackMenDepth = static_cast<int16_t>(c.ownBackMenDepth + men * (p - 18));
      }
      if (men >= 2) {
        ++f.ownPointsMade;
        if (p <= 6) ++c.ownHomePoints;
      }
    }
    if (p >= 19 && before[p] == 1) ++c.opponentBlotsBeforePlay;
  }
  c.ownHomePointsSquared = static_cast<int16_t>(c.ownHomePoints * c.ownHomePoints);
  if (v[kOwnBarIndex] < 0) c.ownRearPoint = 25;
  c.candidatePipDeficit = static_cast<int16_t>(c.candidateOwnPips - c.candidateOpponentPips);
  c.candidatePipLead = static_cast<int16_t>(-c.candidatePipDeficit);
}

void setRaceFlags() {
  AnalysisState& a = analysis;
  a.raceFlag = a.analysisRaceFlag;
  a.contactBroken = (a.raceFlag != 0 || candidate.opponentRearPoint >= candidate.ownRearPoint) ? int16_t{-1}
                                                                                               : int16_t{0};
}

void evalContactTerms() {
  copyPlayedMoves();
  evalPlayOutfield();
  if (analysis.contactBroken != -1) {
    evalBlotRisk();
    evalPlayMoves();
    if (features.bearInFlag == 0) {
      evalHitBonus();
      traceMainScore();
      evalGapsAndSpread();
      evalPrime();
      evalBuilders();
      evalTrappedBackMen();
      traceMainScore();
      evalBlockade();
      evalBackgameIfFlag();
    } else {
      evalBearOffDistribution();
    }
    applyDistributionFactor();
  } else {
    evalMoveTerms();
    evalRunningRace();
  }
  traceMainScore();
  evalStackingTerms();
}

void scoreAndRankCandidate() {
  EvalScores& s = evalScores;
  const EvalParameters& w = evalParams;
  scaleBy(s.distribScore, w.distribScoreWeight);
  scaleBy(s.blockScore, w.blockScoreWeight);
  scaleBy(s.barScore, w.barScoreWeight);
  scaleBy(s.mainScore, w.mainScoreWeight);
  scaleBy(s.blotScore, w.blotScoreWeight);

  // Summed in single precision.
  s.candidateScoreTrue = s.blockScore + s.mainScore - s.blotScore + s.barScore + s.distribScore + s.pointsScore;
  if (s.candidateScoreTrue >= bestPlays.bestPlaysTrue[3][kScoreColumn]) {
    insertCandidatePlay(bestPlays.bestPlaysTrue, playSearch.playFrom, playSearch.playDice, s.candidateScoreTrue,
                        partialScores());
  }

  const int level = skill.skillLevel;
  if ((level == 4 || level == 5) && position.playerType[position.currentPlayer] == kComputerPlayer) {
    const auto& row = skill.personalityFactors[skill.personality];
    scaleBy(s.blotScore, row[kBlotScoreColumn]);
    scaleBy(s.barScore, row[kBarScoreColumn]);
  }

  // Summed in double precision, kept in single.
  const double f = skill.skillFactor;
  double score = s.blockScore / f + s.mainScore / (f * (6 - level)) - s.blotScore / f + s.barScore * f +
                 s.distribScore / f;
  if (level >= 3) {
    score += s.pointsScore / f;
  } else {
    score += -features.ownBlotCount + s.blotScore / f + s.menBorneOffInPlay;
  }
  s.candidateScoreSkill = static_cast<float>(score);
  if (s.candidateScoreSkill >= bestPlays.bestPlaysSkill[3][kScoreColumn]) {
    insertCandidatePlay(bestPlays.bestPlaysSkill, playSearch.playFrom, playSearch.playDice, s.candidateScoreSkill,
                        partialScores());
  }
}

void evaluatePosition() {
  EvalScores& s = evalScores;
  AnalysisState& a = analysis;
  resetEvalAccumulators();
  s.evalTraceIndex = 0;
  pumpDuringEvaluation();
  computePipAndRaceStats();
  pumpDuringEvaluation();
  setRaceFlags();

  if (a.raceFlag != -1 && race.raceLeadFlag != 0 && a.contactBroken != 0) {
    s.mainScore += kRaceBonus;
    a.raceFlag = -1;
  }
  if (features.bearInFlag != 0) countHomeBoardPoints();
  pumpDuringEvaluation();

  if (a.raceFlag != 0) {
    if (features.bearInFlag != 0) {
      evalGapsAndBackMen();
      evalBearOff();
    } else {
      s.distribScore = 0;
      evalContactTerms();
    }
    scoreAndRankCandidate();
    return;
  }

  pumpDuringEvaluation();
  if (backgame.backgameFlag != -1) evalBuriedMen();
  evalGapsAndBackMen();
  pumpDuringEvaluation();
  traceMainScore();
  if (a.contactBroken != -1) {
    checkRunningGame();
    if (!(features.bearInFlag != 0 && a.evalBoard[kOpponentBarIndex] == 0)) evalBestBlock();
    evalAnchor();
    evalBarAndHitting();
  }
  pumpDuringEvaluation();
  traceMainScore();
  evalContactTerms();
  traceMainScore();
  evalHomeBoardGame();
  pumpDuringEvaluation();
  traceMainScore();
  scoreAndRankCandidate();
}

}  // namespace bg
