#include "computer/concession.h"

#include <cmath>

#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "state/analysis_state.h"
#include "state/concession_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "rules/numbered_message.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/rollout_state.h"

namespace bg {

namespace {

constexpr int16_t kSingleGame = 1;
constexpr int16_t kGammon = 2;
constexpr int16_t kEntriesBetweenOffers = 5;
constexpr int16_t kMenForFastBearOff = 5;

}  // namespace

void considerConcession() {
  if (analysis.raceFlag == 0) return;
  int16_t& level = flow.concessionLevel;
  level = 0;
  const double ownRolls = race.raceRolls[1];
  const double opponentRolls = race.raceRolls[0];
  const int16_t ownMen = analysis.menLeft[1];
  const int16_t opponentMen = analysis.menLeft[0];

  // Gammon: the rolls to bring every man home and bear one off, against the opponent's.
  double gammonLag = 0;
  if (ownMen == kCheckersPerSide) {
    const double homeRolls = features.ownBearInPips / kAverageRollPips + features.ownMenOutside / 15.0 + 2;
    gammonLag = homeRolls - opponentRolls;
    if (gammonLag > 3 + opponentRolls / 10) level = kGammon;
  }
  // The fewest rolls to bear off at four men a roll, against the opponent's at two.
  const double fewestOwnRolls = std::ceil(ownMen / 4.0);
  const double opponentRollsAtTwo = std::ceil(opponentMen / 2.0);
  const bool bearsOffTooSlowly = fewestOwnRolls > opponentRollsAtTwo && ownMen >= kMenForFastBearOff;
  if ((ownMen < kCheckersPerSide || gammonLag < 0) && level == 0) {
    if (ownRolls - opponentRolls > 3 + opponentRolls / 5 || bearsOffTooSlowly) level = kSingleGame;
  }
  if (level == kSingleGame) {
    // Double sixes every roll could still cover the pips in time.
    if (ownRolls - opponentRolls < 6 && (opponentRolls + 1) * 24 > analysis.moverPipCount) level = 0;
    if (bearsOffTooSlowly) level = kSingleGame;
  }
  if (level == 0) return;
  if (record.gameRecordCount - concession.concessionCheckTurn < kEntriesBetweenOffers) return;
  concession.concessionCheckTurn = record.gameRecordCount;

  if (rolloutHidesBoard()) {
    interaction.panelAnswer = -1;
    flow.autoConcession[position.currentPlayer] = -1;
  } else {
    showMessageText("MMI Concede");
    interaction.panelAnswer = 0;
    hook::announceConcession();
  }
  if (interaction.panelAnswer != 0) {
    flow.abortTurn = kLeaveTurn;
    flow.newGameRequested = -1;
  }
}

}  // namespace bg
