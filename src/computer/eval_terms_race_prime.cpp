#include "computer/eval_terms_race_prime.h"

#include "computer/backgame_flags.h"
#include "computer/blot_risk.h"
#include "computer/blot_risk_score.h"
#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "computer/eval_term_steps.h"
#include "computer/eval_terms_backgame.h"
#include "computer/eval_terms_gaps.h"
#include "computer/factors.h"
#include "computer/position_features.h"
#include "computer/shot_probabilities.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "state/play_search_state.h"
#include "state/program_state.h"

namespace bg {

RacePrimeTermState racePrimeTerms;
BG_RESETS_WITH_PROGRAM(racePrimeTerms);

namespace {

using namespace evalterm;

bool moverHeld(int p) { return before(p) <= -2; }

}  // namespace

void evalRunningRace() {
  const auto& f = factors;
  const auto& c = candidate;
  if (c.raceRollLeadAfterRoll < 0) {
    addMain(-f.RunFact * (2.0 * c.candidateOwnPips + 30) / (30.0 + c.candidateOpponentPips));
  }
  if (analysis.raceFlag != 0 && c.candidateMenOutside >= 1) addMain(-f.OutFact * static_cast<double>(c.candidateMenOutside));
  if (analysis.raceFlag != -1) {
    if (c.candidatePipDeficit < 0 && analysis.ownMenBehindRear == 1) addMain(24);
    // Integer division: the limit grows in steps of 155 pips.
    const int limit = (c.candidateOwnPips + 80) / 155 * evalParams.raceLeadLimit;
    if (c.candidatePipDeficit < limit) addMain(-c.candidatePipDeficit * static_cast<double>(f.RgFact));
  }
  addMain((analysis.menLeftSaved[1] - analysis.menLeft[1]) * static_cast<double>(f.BOFact3));
}

void evalBlotRisk() {
  const auto& f = factors;
  const auto& a = features;
  const auto& c = candidate;
  const auto& t = termFeatures;
  auto& s = evalScores;
  if (a.ownBlotCount == 0) return;
  float b = static_cast<float>(static_cast<double>(shotRisk.multiShotScore) + shotRisk.blotDistanceRisk +
                               blotRisk.blotRiskSum + shotRisk.blotHitRisk);
  if (b == 0) return;
  auto set = [&b](double value) { b = static_cast<float>(value); };
  set(b * (a.opponentHomePointsSquared + 3.0) * f.BtFact1);
  set(b * (1.0 + a.opponentBlockCount * a.opponentBlockCount * static_cast<double>(f.BtFact8)));
  if (backgame.backgameFlag != -1) {
    set(b + a.ownBlotCount * a.ownBlotCount * (a.opponentHomePoints + a.opponentBlockCount / 2.0 + 5) *
                static_cast<double>(f.BtFact11));
  }
  const double lead = c.raceRollLeadAfterRoll;
  if (lead > 2) {
    set(b * (1 + lead * f.Btfact3));
    set(b + lead - f.Btfact6);
  }
  const int n = c.opponentBlotsBeforePlay;
  if (n > 0) set(b - b * ((5.0 + n * n) / 5.0) * f.BtFact4);
  const int k = after(kOpponentBarIndex);
  if (after(7) == -1 && k < 2 && c.opponentPointsInOwnHome + k > 0 && f.GpFact10 > a.pipDifference) {
    set(b + ((c.opponentPointsInOwnHome + k / 3.0 + 3) / 3.0) * f.GpFact7);
  }
  if (k >= 1 && t.homeBlotCount == 0 && after(kOwnBarIndex) == 0 && a.opponentHomePoints < 5 &&
      a.opponentBlockCount < 6) {
    set(b - b * (1 - (80.0 - c.ownHomePointsSquared * k) / 80.0) * f.Btfact5);
  }
  if (a.opponentBlockCount > 5) set(b * static_cast<double>(f.PrmFact3));
  if (t.ownBlockAfterPlay > 5 && a.opponentHasBackMen == -1) b = 0;
  const int rear = k > 0 ? 0 : c.opponentRearPoint;
  int homeBlots = 0;
  for (int p = 1; p <= 6; ++p) homeBlots += (p > rear && after(p) == -1) ? 1 : 0;
  set(b + homeBlots * homeBlots * static_cast<double>(f.BtFact12));
  if (b < 0) b = 0;

  s.blotScore = b;
  evalMaxBlotExposure();
  if (backgame.backgameFlag != 0) s.blotScore = static_cast<float>(-t.exposedOuterBlots * static_cast<double>(f.BGFact6));
  if (backgame.backgameEarlyFlag == -1) s.blotScore = static_cast<float>(s.blotScore * static_cast<double>(f.BgFact11));
  if (t.homeBlotCount > 1 && backgame.backgameFlag != -1) {
    addTo(s.blotScore, c.opponentRearPoint < a.lowestOwnBlot ? f.Btfact7 : f.Btfact7 / 2.0);
  }
}

void evalHitBonus() {
  if (backgame.attackFlag == -1 && backgame.backgameFlag != -1 &&
      after(kOpponentBarIndex) - before(kOpponentBarIndex) >= 1) {
    addTo(evalScores.barScore, factors.Hitfact5);
  }
}

void evalGapsAndSpread() {
  const auto& f = factors;
  const auto& c = candidate;
  auto& s = evalScores;
  if (moverHeld(13) && !moverHolds(13)) addMain(-f.GpFact11 * (analysis.moverPipCount / 200.0));

  if (analysis.moverPipCount > 100 && backgame.backgameFlag == 0) {
    auto isNew = [](int p) { return moverHolds(p) && !moverHeld(p); };
    if (isNew(20) && !moverHolds(21) && !moverHolds(18)) {
      addMain(f.GpFact8);
    } else if (isNew(18) && !moverHolds(20) && !moverHolds(21)) {
      addMain(f.GpFact13);
    } else if (isNew(21) && !moverHolds(18) && !moverHolds(20)) {
      addMain(f.GpFact14);
    }
  }

  if (features.opponentPointCount == 1 && analysis.menLeftSaved[0] > 1 && c.ownRearPoint <= 24 &&
      moverHolds(c.ownRearPoint)) {
    addMain(-f.SpFact);
  }

  if (c.candidateMenOutside > 0 && features.bearInFlag != -1) {
    for (int p = 6; p >= 1 && moverHolds(p); --p) addTo(s.blockScore, p * 0.05);
    for (int p = 4; p <= 6; ++p) {
      if (moverHeld(p) && !moverHolds(p)) addTo(s.blockScore, -1);
    }
  }

  if (after(5) < 0) {
    if (moverHolds(5) && !moverHeld(5)) addMain(f.BlFact5);
    if (after(5) == -1 && before(5) >= 0) addMain(f.BlFact2);
  }

  if (features.pipDifference - playSearch.rollPipTotal < 10 && c.largestOwnGap >= 7) {
    addMain(-c.largestOwnGap * static_cast<double>(f.GFact));
  }
  addMain(-c.largestHomeGap * static_cast<double>(f.GFact2));
}

void applyDistributionFactor() {
  auto& s = evalScores;
  const float factor = features.bearInFlag != 0 ? factors.DistribFactor3 : factors.DistribFactor;
  s.distribScore = static_cast<float>(static_cast<double>(s.distribScore) * factor);
}

void evalPrime() {
  const auto& f = factors;
  const auto& c = candidate;
  if (termFeatures.ownBlockAfterPlay > 5) {
    if (features.opponentHasBackMen == -1) {
      addMain(f.PrmFact1);
      // Holds for the rest of the search: the later candidates run without the backgame.
      backgame.backgameFlag = 0;
    }
    if (moverHolds(1) || moverHolds(2)) {
      // A run of exactly six on 2..9 before the play; a run that reaches six keeps counting.
      int run = 0;
      for (int p = 2; p <= 9; ++p) {
        if (moverHeld(p)) {
          run += 1;
        } else if (run < 6) {
          run = 0;
        }
      }
      if (run == 6) addMain(-f.PrmFact2);
    }
    if (termFeatures.runningGameFlag != -1) addMain(c.largestOwnGap * static_cast<double>(f.GFact));
    if (features.opponentBlockCount < 6 && c.ownRearPoint > features.ownBlockHighPoint && c.ownRearPoint <= 24 &&
        moverHolds(c.ownRearPoint)) {
      addMain(-f.PrmFact7);
    }
  }
  if (features.startHomePoints == 6 && c.ownHomePoints < 6 && after(kOpponentBarIndex) > 0) addMain(-f.GpFact12);
}

void evalBuilders() {
  const auto& f = factors;
  const auto& t = termFeatures;
  addMain(candidate.blotHitterCount * static_cast<double>(f.Hitfact7));
  addMain(t.outerOddStacks * static_cast<double>(f.BldFact));
  addMain(t.homeThreeStacks * static_cast<double>(f.BldFact4));
  pointStructure = PointStructure{};
  addMain(analysePointStructure(analysis.evalBoard) * static_cast<double>(f.BldFact6));
  if (pointStructure.slotAtRiskFlag == -1) {
    int cover = 0;
    for (int p = pointStructure.slotRow + 1; p <= pointStructure.slotRow + 6; ++p) {
      if (p >= 7 ? after(p) <= -2 : after(p) <= -3) cover += 1;
    }
    if (cover < 3) addMain(-(3 - cover) * static_cast<double>(f.BldFact5));
  }
}

void evalTrappedBackMen() {
  auto& a = features;
  const int block = a.opponentBlockCount;
  if (block < 4) return;
  a.sideHasBackMen = 0;
  a.ownBackMen = 0;
  for (int p = 24; p >= 20; --p) {
    if (after(p) >= 0) continue;
    if (p > 21) {
      a.ownBackMen = static_cast<int16_t>(a.ownBackMen - after(p));
      a.sideHasBackMen = -1;
    }
    if (backgame.backgameFlag != -1 && (!opponentHolds(p - 1) || (p >= 23 && !opponentHolds(p - 2)))) {
      addMain(-static_cast<double>(factors.PrmFact4) * block * block * (p - 19));
    }
  }
}

void evalBlockade() {
  const auto& a = features;
  const auto& c = candidate;
  auto& r = racePrimeTerms;
  const int block = a.opponentBlockCount;
  if (block < 4) return;
  r.ownTimingRatioAfterPlay = 7;
  if (a.sideHasBackMen == 0) return;
  if (a.opponentHomePoints < 6 && after(kOwnBarIndex) == 0) {
    const double ratio = static_cast<double>(c.candidateOuterPips) / block;
    r.ownTimingRatioAfterPlay = static_cast<float>(ratio > 7 ? 7 : ratio);
  }
  if (backgame.backgameFlag == -1) return;
  const int e = (after(24) < 0 && !opponentHolds(18)) ? 5 : 0;
  addMain(-factors.BlkFact2 * (block * block - static_cast<double>(r.ownTimingRatioAfterPlay) - e +
                               c.opponentBlockerMen / 3.0 + c.opponentBlockerPoints));
}

void evalBackgameIfFlag() {
  if (backgame.backgameFlag != 0) evalBackgame();
}

}  // namespace bg
