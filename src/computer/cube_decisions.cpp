#include "computer/cube_decisions.h"

#include <cmath>

#include "computer/analyse_position.h"
#include "computer/backgame_flags.h"
#include "computer/doubling_position.h"
#include "computer/factors.h"
#include "computer/late_race.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "computer/term_features.h"
#include "rules/side_to_move.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "runtime/core/format.h"

namespace bg {

namespace {

auto& dp = doublingPosition;

constexpr int16_t kTournamentRow = 1;
constexpr int16_t kMatchPressureRow = 3;  // the bolder row when the score calls for it

bool tournament() { return flow.tournamentGoing != 0; }
int32_t scoreOf(int16_t side) { return flow.scores[side]; }
int32_t matchLength() { return flow.tournamentPoints; }

void doubles() { cube.doublePending = -1; }

// Under the Jacoby rule with the cube in the middle a gammon cannot be won undoubled, so
// a double stands.
bool gammonHoldBackApplies() { return !(cube.jacobyRule != 0 && cube.cubeValue == 1); }

void scaleThresholds(double factor) {
  dp.cubeThreshold1 = static_cast<float>(dp.cubeThreshold1 * factor);
  dp.cubeThreshold2 = static_cast<float>(dp.cubeThreshold2 * factor);
}

void trace(std::string_view label) {
  dp.cubeTraceText = label;
  traceCubeAdjustment();
}

// The vetoes that stop a double in contact before any threshold.
bool contactVeto() {
  const AnalysisState& a = analysis;
  const PositionFeatures& f = features;
  if (f.startHomePoints < 2 && a.moverPipCount > 90 && a.opponentPipCount - a.moverPipCount < 35) return true;
  if (a.evalBoard[kOwnBarIndex] < 0) return true;
  if (f.opponentBlockCount == 6 && f.sideHasBackMen != 0 && a.menLeft[1] >= 8 &&
      (f.ownBlockCount < 6 || f.opponentHasBackMen == 0)) {
    return true;
  }
  const bool ownBlockHolds = termFeatures.ownBlockAfterPlay >= 5 && f.opponentHasBackMen != 0;
  return !ownBlockHolds && f.pipLead < 0 && f.shotValue == 0;
}

void setDoublingThresholds(int16_t doubler, int16_t taker) {
  dp.cubeThreshold1 = static_cast<float>(features.doublingThresholdBase * static_cast<double>(factors.Dblfact27));
  dp.cubeThreshold2 = static_cast<float>(features.doublingThresholdBase2 * static_cast<double>(factors.Dblfact28));
  if (cube.cubeValue > 1) {
    dp.cubeThreshold1 = static_cast<float>(dp.cubeThreshold1 * static_cast<double>(factors.Dblfact29));
    dp.cubeThreshold2 = static_cast<float>(dp.cubeThreshold2 * static_cast<double>(factors.Dblfact30));
  }
  if (cube.cubeValue > 2) scaleThresholds(1.0 + cube.cubeValue / 100.0);

  int16_t row = skill.personality;
  if (tournament()) {
    const int32_t twice = 2 * cube.cubeValue;
    row = scoreOf(doubler) + twice >= matchLength() && scoreOf(taker) + twice < matchLength() ? kMatchPressureRow
                                                                                            : kTournamentRow;
  }
  if (position.playerType[doubler] == kComputerPlayer) {
    scaleThresholds(skill.personalityFactors[row][kDoublingThresholdColumn]);
  }
}

void decideInContact() {
  const int16_t men = analysis.menLeft[1];
  // Many more men left than the opponent (integer division, as the rule was tuned).
  if (men > 0 && (15 / men) * (men - analysis.menLeft[0]) > 7) return;
  doublerPositionScore();
  const float t1 = dp.cubeThreshold1;
  const float t2 = dp.cubeThreshold2;
  const int16_t beaver = cube.beaverMode;
  if (dp.doublingScore >= t1 && features.pipLead - beaver >= t1) {
    doubles();
    if (gammonHoldBackApplies()) {
      playOnForGammonCheck();
      return;
    }
  }
  if (dp.doublingScore - beaver > (t1 + t2) / 2) {
    doubles();
    if (gammonHoldBackApplies()) playOnForGammonCheck();
  }
}

void decideInRace() {
  const int16_t lead = static_cast<int16_t>(features.pipLead - cube.beaverMode);
  if (lead > factors.Dblfact31) {
    doubles();
    if (gammonHoldBackApplies()) {
      playOnForGammonCheck();
      return;
    }
  }
  if (analysis.moverPipCount < 60) {
    if (cube.beaverClick != 1) cube.doublePending = endgameDoubleDecision();
    return;
  }
  if (lead >= dp.cubeThreshold2) {
    doubles();
    return;
  }
  if (lead >= dp.cubeThreshold1) {
    dp.raceScoreClears = 0;
    doublerPositionScore();
    if (dp.raceScoreClears != 0) doubles();
  }
}

}  // namespace

void decideDouble() {
  cube.doublePending = 0;
  // The match scores are read for the sides actually doubling and doubled.
  const int16_t doubler = position.currentPlayer;
  const int16_t taker = position.otherPlayer;
  if (tournament()) {
    if (flow.crawfordRestrictions[doubler] != 0) return;
    if (scoreOf(doubler) + cube.cubeValue >= matchLength()) return;  // the doubler wins the match anyway
    if (scoreOf(taker) + cube.cubeValue >= matchLength()) {
      // The opponent wins the match with this cube: nothing to lose by doubling.
      if (cube.beaverMode == 0) {
        doubles();
        return;
      }
      if (scoreOf(doubler) + 2 * cube.cubeValue < matchLength() && cube.cubeValue < kHighestCube) doubles();
    }
  }
  if (backgame.backgameFlag != 0) return;
  const bool contact = analysis.contactBroken == 0;
  if (contact && contactVeto()) return;
  setDoublingThresholds(doubler, taker);
  if (contact) {
    decideInContact();
  } else {
    decideInRace();
  }
}

void playOnForGammonCheck() {
  if (analysis.menLeft[0] < 15) return;
  const int32_t saveRolls = static_cast<int32_t>(std::trunc(race.gammonSaveRolls + 0.99));
  const int32_t ownRolls = static_cast<int32_t>(std::trunc(race.raceRolls[1] + 0.99 - 2));
  if (saveRolls - ownRolls >= 0) cube.doublePending = 0;
}

void computerTakeDecision() {
  exchangeSideToMove();
  analysePosition();
  exchangeSideToMove();
  cube.doubleTaken = 0;
  const int16_t doubler = position.currentPlayer;
  const int16_t taker = position.otherPlayer;
  // Set when the doubled game decides the match for the doubler.
  int16_t matchFlag = 0;
  if (tournament()) {
    if (scoreOf(doubler) + cube.cubeValue / 2 >= matchLength()) {
      cube.doubleTaken = -1;  // a drop loses the match anyway
      return;
    }
    if (scoreOf(doubler) + cube.cubeValue >= matchLength()) matchFlag = -1;
  }

  // The analysis is the doubled side's: menLeft[1] is the taker's, [0] the doubler's.
  const int16_t takerMen = analysis.menLeft[1];
  const int16_t doublerMen = analysis.menLeft[0];
  const bool inRace = analysis.contactBroken == -1;
  if (doublerMen - takerMen > 7) {
    trace("Pieces Remaining > 7 more than opponent");
    cube.doubleTaken = -1;
    return;
  }
  if (inRace && takerMen - doublerMen > 12) return;
  if (doublerMen == 1 && takerMen >= 9) return;

  dp.raceScoreClears = 0;
  int16_t row = skill.personality;
  if (tournament()) row = scoreOf(doubler) > scoreOf(taker) ? kMatchPressureRow : kTournamentRow;
  if (matchFlag != 0) row = kTournamentRow;
  dp.cubeThreshold1 = static_cast<float>(features.takeThresholdBase * static_cast<double>(factors.Dblfact34));
  dp.cubeThreshold2 = static_cast<float>(features.takeThresholdBase2 * static_cast<double>(factors.Dblfact35));
  if (position.playerType[taker] == kComputerPlayer) {
    scaleThresholds(skill.personalityFactors[row][kTakeThresholdColumn]);
  }
  takerPositionScore();

  if (inRace) {
    if (analysis.moverPipCount < 40 || analysis.opponentPipCount < 40) {
      cube.doubleTaken = endgameTakeDecision(matchFlag);
      return;
    }
    if (features.pipLead - 5 >= -dp.cubeThreshold1 || dp.raceScoreClears != 0) cube.doubleTaken = -1;
    return;
  }
  const PositionFeatures& f = features;
  if (f.opponentBlockCount >= 6 && f.sideHasBackMen != 0 && (f.ownBlockCount < 6 || f.opponentHasBackMen == 0)) {
    trace("Opponent has block advantage");
    return;
  }
  trace("PipDeltaAdj!= " + strS(dp.doublingScore) + " PipDeltaMaxAdj!= " + strS(dp.cubeThreshold2));
  if (dp.doublingScore >= -dp.cubeThreshold2) cube.doubleTaken = -1;
}

}  // namespace bg
