#include "computer/eval_terms_moves.h"

#include <algorithm>

#include "computer/backgame_flags.h"
#include "computer/candidate_features.h"
#include "computer/doubling_position.h"
#include "computer/eval_scores.h"
#include "computer/eval_term_steps.h"
#include "computer/eval_terms_backgame.h"
#include "computer/factors.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/program_data.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

PlayedMoves playedMoves;
BG_RESETS_WITH_PROGRAM(playedMoves);

namespace {

using namespace evalterm;

auto& pm = playedMoves;

bool opponentHeld(int p) { return before(p) >= 2; }

// The quarter of the board a point lies in: 0 for 19..24 up to 3 for 1..6.
int quarter(int p) { return (24 - p) / 6; }

}  // namespace

void copyPlayedMoves() {
  const auto& ps = playSearch;
  const int n = ps.playLength;
  for (int i = 1; i <= n; ++i) {
    pm.moveFrom[i] = ps.playFrom[i] == kFromBar ? kBarFromPoint : ps.playFrom[i];
    pm.moveTo[i] = static_cast<int16_t>(std::max(pm.moveFrom[i] - ps.playDice[i], 0));
    pm.moveFromCopy[i] = pm.moveFrom[i];
  }
  if (n < 2) return;
  for (int i = 1; i <= n - 1; ++i) {
    if (pm.moveFrom[i] == kMergedPartMove) continue;
    for (int j = i + 1; j <= n; ++j) {
      if (pm.moveFrom[j] == pm.moveTo[i]) {
        pm.moveTo[i] = pm.moveTo[j];
        pm.moveFrom[j] = kMergedPartMove;
        break;
      }
    }
  }
}

void evalPlayOutfield() {
  if (backgame.backgameFlag != 0) return;
  const auto& zones = programTables.pointZones;
  for (int i = 1; i <= playSearch.playLength; ++i) {
    if (pm.moveFrom[i] == kMergedPartMove) continue;
    addMain((zones[pm.moveFrom[i]] - zones[pm.moveTo[i]]) * static_cast<double>(factors.OutFact3));
  }
}

void evalBlockadeSpread() {
  const auto& f = factors;
  if (backgame.backgameFlag != 0) return;
  int n = 0;
  for (int p = 14; p <= 16; ++p) n += after(p) == 1 ? 1 : 0;
  for (int p = 17; p <= 22; ++p) n += after(p) == 1 ? 2 : 0;
  if (n > 0) {
    int c = 0;
    for (int p = 22; p <= 24; ++p) c += after(p) < 0 ? 1 : 0;
    addMain(c * n * static_cast<double>(f.SpFact4));
  }
  bool escapeOpen = true;  // the escape bonus comes once per play
  for (int i = 1; i <= playSearch.playLength; ++i) {
    const int from = pm.moveFrom[i];
    const int to = pm.moveTo[i];
    if (from == kMergedPartMove) continue;
    if (from == 24 && after(24) < 0) {
      if (to == 23) addMain(f.SpFact2);
      if (to == 22) addMain(f.SpFact3);
    }
    if (features.opponentBlockCount > 2 && candidate.raceRollLeadAfterRoll > 0 && from > 21 &&
        opponentHeld(from - 6) && opponentHeld(from - 5) && to > 18 &&
        (!opponentHolds(to - 6) || !opponentHolds(to - 5)) && escapeOpen) {
      addMain(features.opponentBlockCount * static_cast<double>(f.BlkFact3));
      escapeOpen = false;
    }
  }
}

void evalPlayMoves() {
  const auto& f = factors;
  const auto& a = features;
  if (playSearch.firstHitPoint < 13) evalBlockadeSpread();
  for (int i = 1; i <= playSearch.playLength; ++i) {
    const int from = pm.moveFrom[i];
    const int to = pm.moveTo[i];
    if (from == kMergedPartMove) continue;
    if (termFeatures.ownBlockAfterPlay > 5) {
      if (a.opponentHasBackMen == -1 && a.opponentContactMen > a.opponentBackMen && to < 3 && before(to) == 1) {
        addMain(-f.PrmFact6);
      }
      if (from > a.ownBlockHighPoint) addMain((25 - from) * static_cast<double>(f.PrmFact8));
    }
    if (a.bearInFlag != -1) {
      const int blot = a.highestOpponentBlot;
      // The view keeps the mover's bar at index 0.
      const int fromIndex = from == kBarFromPoint ? kOwnBarIndex : from;
      if (from > blot && blot > to && after(blot) == 1 && after(fromIndex) == 0) addMain(-f.MvFact13);
      const bool fromHomePair = from >= 1 && from <= 6 && before(from) == -2;
      if (to == termFeatures.homeRunStart - 1 && after(to) == -1 && !fromHomePair) addMain(f.PtFact2);
    }
  }
}

void evalMoveTerms() {
  const auto& f = factors;
  const auto& c = candidate;
  const bool bearingIn = features.bearInFlag == -1;
  for (int i = 1; i <= playSearch.playLength; ++i) {
    if (!bearingIn && pm.moveFromCopy[i] > 6 && c.candidatePipDeficit > -10) addMain(f.MvFact5);
    const int from = pm.moveFrom[i];
    const int to = pm.moveTo[i];
    if (from == kMergedPartMove) continue;
    if (analysis.raceFlag != 0) {
      if (from < 19 && c.ownRearPoint > 18) addMain(-5);
      if (to < 1 && analysis.menLeft[1] == 14 && c.candidateOpponentPips < 12) addMain(f.BoFact17);
      if (to > 6 && to != 12 && to != 18 && moverHolds(to)) addMain(-f.MvFact12);
    }
    if (to > 0 && from < kBarFromPoint) addMain((quarter(to) - quarter(from)) * static_cast<double>(f.MvFact4));
    if (bearingIn) continue;
    if (to > 4 && from > 6) {
      const int d = 25 - to - 6 * quarter(to);
      if (quarter(from) < quarter(to) && d < 3) addMain(f.MvFact2 / (2.0 * d));
    }
    if (to < 7) {
      if (to < 5 && c.ownRearPoint > 10) addMain(-f.MvFact11);
      if (from < 7) {
        if (c.candidateMenOutside > 0 && c.candidatePipDeficit > -25) {
          addMain(-f.MvFact7 * (c.candidatePipDeficit + 25) / 10.0);
        }
      } else if (!(to < 5 && c.raceRollLeadAfterRoll < -1.8)) {
        addMain(f.MvFact3);
        if (features.pipDifference - playSearch.rollPipTotal > 15) addMain(to / static_cast<double>(f.MvFact10));
      }
      if ((c.raceRollLeadAfterRoll > -1.0 || to > 4) && analysis.menLeft[1] > 12) {
        const int t = before(to) + 2;
        if (t > 0) {
          if (from >= 7) {
            addMain(f.DFact1 * static_cast<double>(t));
          } else if (from - to < 3) {
            addMain(f.DFact2 * static_cast<double>(t));
          }
        }
      }
    }
  }
}

void evalStackingTerms() {
  const auto& f = factors;
  const auto& a = features;
  const auto& c = candidate;
  const int opponentMenBefore = analysis.menLeftSaved[0];
  const int highest = analysis.highestOccupiedPoint;
  const int roll = playSearch.rollPipTotal;

  if (analysis.contactBroken != -1 && race.raceBehindFlag == -1 &&
      (opponentMenBefore > 2 || (opponentMenBefore == 2 && c.opponentRearPoint < 19)) &&
      (a.ownMenOutside > 1 || (a.ownMenOutside == 1 && c.ownRearPoint - c.opponentRearPoint > 12))) {
    addMain(c.ownRearPoint * static_cast<double>(f.LFact));
  }
  if (after(24) <= -3) addMain(-(-after(24) - 2) * static_cast<double>(f.GoFact1));
  if (backgame.backgameFlag != 0 || a.bearInFlag != 0) return;

  const int backMen = c.ownMenInOpponentHome;
  if (backMen > 0 && analysis.menLeftSaved[1] == 15) {
    // Gammon danger: men still in the opponent's home board while it bears off.
    if (c.candidateOpponentPips < 30) {
      const double r = std::max((c.ownBackMenDepth + backMen) / 8.17, backMen / 2.0);
      const double d = r + 1.3 - race.raceRolls[0];
      const int penalty = d <= 0 ? 0 : static_cast<int>(f.LFact2 * (d + 1 + backMen));
      addMain(-penalty);
      if (opponentMenBefore < 3 && highest - roll < 19 && c.candidateOpponentPips < 6) addMain(-(r + 1) * 30);
      if (analysis.raceFlag != -1 && backMen == 1 && highest - roll > 18) addMain(penalty);
    }
    if (analysis.raceFlag != 0 && opponentMenBefore < 5) addMain(-backMen * 5.0);
    if (opponentMenBefore < backMen + 3 && backMen > 1) {
      addMain(-(backMen + 3 - opponentMenBefore) * static_cast<double>(f.GpFact6));
    }
  }

  // Running the back men while ahead, the more so against many opponent men outside.
  if (c.candidateOpponentPips - c.candidateOwnPips > 8.16667 && a.ownMenBack > 0) {
    const int outer = termFeatures.opponentOuterMen;
    const double divisor = evalParams.stackingDivisor;
    const double w = (outer * outer + divisor) / divisor - 1;
    addMain(w * f.BFact5 * (a.ownMenBack - backMen));
    const int blots = a.ownBlotsBack - c.ownBlotsInOpponentHome;
    if (blots > 0) addMain(w * f.BFact6 * blots);
  }

  if (backgame.backgameFlag != -1 && (opponentHolds(18) || opponentHolds(20))) {
    addMain(-backMen * static_cast<double>(f.GpFact4));
  }
  if (after(24) == -2 && c.candidatePipDeficit > 0) addMain(f.StFact2);

  traceMainScore();
  evalBackGamePenalty();
  // The view keeps the mover's bar at index 0.
  const int rearIndex = highest == 25 ? kOwnBarIndex : highest;
  if (backgameTerms.bigRaceLeadFlag == -1 && after(rearIndex) > before(rearIndex)) addMain(f.MBfact1);
  traceMainScore();

  // Breaking contact with a thin lead.
  const bool matchAtStake =
      flow.tournamentGoing != 0 && flow.tournamentPoints <= flow.scores[0] + cube.cubeValue;
  if (c.ownRearPoint < highest && (opponentMenBefore > 2 || c.candidateOpponentPips > 5) && !matchAtStake) {
    estimateRaceChances();
    if (race.raceRolls[0] - race.raceRolls[1] < 1.0 || doublingPosition.doublingScore < 0) {
      int penalty = static_cast<int>(f.StFact1 * ((c.candidatePipDeficit + 14) / 14.0 + 1));
      if (position.playerType[position.currentPlayer] == kComputerPlayer) {
        penalty = static_cast<int>(penalty * static_cast<double>(
                                                 skill.personalityFactors[skill.personality][kStackingColumn]));
      }
      addMain(-penalty);
    }
  }
}

}  // namespace bg
