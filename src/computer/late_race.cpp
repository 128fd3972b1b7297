#include "computer/late_race.h"

#include "computer/backgame_flags.h"
#include "computer/bear_off_all.h"
#include "computer/candidate_features.h"
#include "computer/doubling_position.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "state/board_requests.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "rules/play_search.h"
#include "rules/numbered_message.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/search_services.h"
#include "state/shell_state.h"

namespace bg {

int16_t countBearOffRolls() {
  auto& t = bearOffTrial;
  int16_t count = 0;
  for (int16_t a = 1; a <= 6; ++a) {
    for (int16_t b = 1; b <= 6; ++b) {
      t.trialDice[0] = a;
      t.trialDice[1] = b;
      t.trialDice[2] = a == b ? a : 0;
      t.trialDice[3] = a == b ? a : 0;
      t.trialSuccessFlag = 0;
      canBearOffAllWithRoll();
      if (t.trialSuccessFlag == -1) count += 1;
    }
  }
  return count;
}

void countBearOffRollsBothSides(int16_t& sideCount, int16_t& opponentCount) {
  auto& t = bearOffTrial;
  opponentCount = kNotCounted;
  if (analysis.menLeft[0] < kCountedMenLimit) {
    t.trialHighestPoint = features.opponentLastDistance;
    t.trialMenCount = analysis.menLeft[0];
    t.trialUseOpponentView = -1;
    opponentCount = countBearOffRolls();
    t.trialUseOpponentView = 0;
  }
  sideCount = kNotCounted;
  if (analysis.menLeft[1] < kCountedMenLimit) {
    t.trialHighestPoint = analysis.highestOccupiedPoint;
    t.trialMenCount = analysis.menLeft[1];
    sideCount = countBearOffRolls();
  }
}

int16_t endgameDoubleDecision() {
  int16_t s = 0;
  int16_t o = 0;
  countBearOffRollsBothSides(s, o);
  const int sideMen = analysis.menLeft[1];
  const int opponentMen = analysis.menLeft[0];

  if (s > 18 && s < kNotCounted) {
    // Owning the cube in a two-man ending, keep it when the opponent's return shot is
    // worth more than the gain from doubling.
    if (cube.cubeOwner == position.currentPlayer && sideMen < 3 && opponentMen < 3 && o > 18) {
      const double p = s / 36.0 + ((36 - s) / 36.0) * ((36 - o) / 36.0);
      if (2 * p - 1 > 2.0 * (2 * s - 36) / 36.0) return 0;
    }
    return -1;
  }
  if (o > 18 && o < kNotCounted) return 0;
  if (opponentMen == 1 && analysis.opponentPipCount < 9 && sideMen > 2) return 0;
  if (sideMen == 3 && opponentMen == 2 && analysis.highestOccupiedPoint < 7 &&
      features.opponentLastDistance < 7 && analysis.moverPipCount < 16 && s < 18) {
    return -1;
  }
  const double own = race.raceRolls[1];
  const double r = own > 3 ? 0.03 * own : 0.0;
  return race.raceRolls[0] - (own + r) >= -0.2 ? -1 : 0;
}

namespace {

// The analysis through the table the computer fills at start-up.
void analyseFor(int16_t player) {
  position.currentPlayer = player;
  position.otherPlayer = static_cast<int16_t>(1 - player);
  searchServices.analysePosition();
}

int16_t raceJudgement(int16_t side, int16_t opponent) {
  int16_t result = kTooCloseToCall;
  const bool pending = cube.doublePending == -1;
  const bool diceShow = diceState.diceShowing == -1;
  if (analysis.moverPipCount < 60) {
    int16_t s = 0;
    int16_t o = 0;
    countBearOffRollsBothSides(s, o);
    if (s == kNotCounted) s = 0;
    if (o == kNotCounted) o = 0;
    if (s + o > 0) {
      if (s >= 18) {
        result = side;
      } else if (o >= 18) {
        result = opponent;
      } else if (s == 0) {
        result = opponent;
      }
    }
  }
  int16_t roll = 0;
  if (diceShow) {
    for (int k = 0; k <= 3; ++k) roll += diceState.dice[k].value;
  }
  playSearch.rollPipTotal = roll;
  if (result == kTooCloseToCall) {
    double lead = race.raceRollLead;
    if (!pending) {
      lead += diceShow ? roll / 8.1667 : 1.0;
    } else {
      lead -= 1.0;
    }
    candidate.raceRollLeadAfterRoll = static_cast<float>(lead);
    if (race.raceRolls[1] < 1.7) {
      result = side;
    } else if (race.raceRolls[0] < 1.7) {
      result = opponent;
    } else if (lead > 0.5) {
      result = side;
    } else if (1 - lead > 0.5) {
      result = opponent;
    }
  }
  // With the dice in hand, a roll that takes every man off settles it.
  if (analysis.menLeft[1] < kCountedMenLimit && diceShow) {
    auto& t = bearOffTrial;
    for (int k = 0; k <= 3; ++k) t.trialDice[k] = diceState.dice[k].value;
    t.trialHighestPoint = analysis.highestOccupiedPoint;
    t.trialMenCount = analysis.menLeft[1];
    t.trialUseOpponentView = 0;
    t.trialSuccessFlag = 0;
    canBearOffAllWithRoll();
    if (t.trialSuccessFlag == -1) result = side;
  }
  return result;
}

int16_t contactJudgement(int16_t side, int16_t opponent) {
  doublerPositionScore();
  const double score = doublingPosition.doublingScore;
  const double base = features.doublingThresholdBase;
  if (score > base) return side;
  if (cube.doublePending != -1) {
    if (score < -base - 8.1667) return opponent;
  } else if (score < -base) {
    return opponent;
  }
  return kTooCloseToCall;
}

void tellWhoIsAhead(int16_t result, int16_t side) {
  Str255 message;
  const bool againstComputer = flow.opponentMode == kComputerOpponent;
  if (result == kTooCloseToCall) {
    message = "MMIt is too close for me to call";
  } else if (againstComputer) {
    message = result == side ? "MMYou appear to have the advantage" : "MMI appear to have the advantage";
  } else {
    message = Str255("MM") + shell.playerNames[result] + " appears to have the advantage";
  }
  showMessageText(message);
}

}  // namespace

int16_t evaluateWhoIsAhead() {
  // Asked from inside a search's event pump: the analysis it needs is the search's.
  if (refuseWhileSearching()) return kTooCloseToCall;
  auto& dp = doublingPosition;
  dp.analysisAidActive = -1;
  const int16_t savedPlayer = position.currentPlayer;
  const int16_t savedPending = cube.doublePending;
  int16_t side = position.currentPlayer;
  // While a double waits for its answer, or the computer waits to roll, the question is
  // about the other side.
  if (cube.doublePending == -1 ||
      (position.playerType[position.currentPlayer] == kComputerPlayer && flow.rollWaitActive == -1)) {
    side = position.otherPlayer;
  }
  const int16_t opponent = static_cast<int16_t>(1 - side);
  analyseFor(side);

  int16_t result = analysis.raceFlag == -1 ? raceJudgement(side, opponent) : contactJudgement(side, opponent);
  if (backgame.backgameFlag != 0) result = opponent;
  if (features.opponentBlockCount == 6 && features.sideHasBackMen == -1 && result == side) result = kTooCloseToCall;

  tellWhoIsAhead(result, side);

  // The verdict answers the request. Left set (the menu item and the key come by no board
  // command run to clear it), the next stray key would end a click wait like a click.
  boardRequests.requestCommandW = 0;
  cube.doublePending = savedPending;
  analyseFor(savedPlayer);
  interaction.clickedPoint = kNoClickYet;
  dp.analysisAidActive = 0;
  flow.whoIsAheadUses[side] += 1;
  flow.whoIsWinningUses[side] += 1;
  return result;
}

int16_t endgameTakeDecision(int16_t matchFlag) {
  int16_t t = 0;
  int16_t d = 0;
  countBearOffRollsBothSides(t, d);
  if (analysis.menLeft[0] < 3 && t + d < kNotCounted) {
    const double limit = matchFlag != 0 ? 0.5 : 0.25;
    return ((36 - d) / 36.0) * (t / 36.0) > limit ? -1 : 0;
  }
  if (t > 9 && t < kNotCounted) return -1;
  return race.raceRolls[0] - race.raceRolls[1] >= 0 ? -1 : 0;
}

}  // namespace bg
