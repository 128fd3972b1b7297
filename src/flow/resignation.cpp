#include "flow/resignation.h"

#include <cstdint>
#include <string_view>

#include "computer/analyse_position.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "flow/turn_services.h"
#include "rules/numbered_message.h"
#include "rules/side_to_move.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "runtime/core/format.h"
#include "runtime/core/messages.h"
#include "runtime/core/pstring.h"

namespace bg {

namespace {

constexpr float kRollPips = 8.17f;
constexpr int16_t kTwoPeopleCancel = 2;
constexpr std::string_view kOpeningRefusalText = "MMConcede is not available until the opening move is played";
constexpr std::string_view kComputersTurnRefusalText = "MMConcede is not available during the computer's turn";

// Rolls to bring men home: pips over `weight` (19 for the outer points, 7 for the home
// board) plus half a roll a man and half a roll.
float rollsToCarry(int16_t pips, int16_t men, int16_t extraPips) {
  return static_cast<float>(pips + extraPips) / kRollPips + static_cast<float>(men) / 2.0f + 0.5f;
}

// The level from the winner's side: analysed with the sides swapped, then analysed again.
void levelFromRace() {
  exchangeSideToMove();
  analysePosition();
  decideConcessionLevel();
  exchangeSideToMove();
  analysePosition();
}

void suggestLevel() {
  flow.concessionLevel = 0;
  if (position.piecesOnBoard[position.currentPlayer] == kCheckersPerSide) {
    levelFromRace();
  } else {
    flow.concessionLevel = 1;
  }
}

int16_t raceLevel(int16_t start) {
  const auto& b = analysis.evalBoard;
  int16_t n = 0;
  int16_t w = 0;
  for (int16_t p = 1; p <= 6; ++p) {
    if (b[p] <= 0) continue;
    n = static_cast<int16_t>(n + b[p]);
    w = static_cast<int16_t>(w + (7 - p) * b[p]);
  }
  const int16_t winnerLeft = analysis.menLeft[1];
  int16_t level = start;
  if (n < 2 || (n < 3 && winnerLeft > 4) || (n < 3 && w < 4)) level = 2;
  if (n >= 1 && winnerLeft < 5) return level;
  if (race.raceRolls[0] - race.raceRolls[1] < 1.0f) return 1;
  int16_t pips = 0;
  int16_t men = 0;
  for (int16_t p = 1; p <= 18; ++p) {
    if (b[p] <= 0) continue;
    pips = static_cast<int16_t>(pips + (19 - p) * b[p]);
    men = static_cast<int16_t>(men + b[p]);
  }
  return rollsToCarry(pips, men, 6) > race.raceRolls[1] ? 2 : 1;
}

int16_t contactLevel(int16_t start) {
  const auto& b = analysis.evalBoard;
  const int16_t bar = b[kOpponentBarIndex] > 0 ? b[kOpponentBarIndex] : 0;
  int16_t pips = static_cast<int16_t>(19 * bar);
  int16_t men = bar;
  int16_t homeMen = bar;
  int16_t pips7 = static_cast<int16_t>(7 * bar);
  for (int16_t p = 1; p <= 18; ++p) {
    if (b[p] <= 0) continue;
    pips = static_cast<int16_t>(pips + (19 - p) * b[p]);
    men = static_cast<int16_t>(men + b[p]);
    if (p <= 6) {
      homeMen = static_cast<int16_t>(homeMen + b[p]);
      pips7 = static_cast<int16_t>(pips7 + (7 - p) * b[p]);
    }
  }
  const float winnerRolls = race.raceRolls[1];
  if (winnerRolls > rollsToCarry(pips, men, 6) && homeMen < 2) return 1;
  const bool manyBack = features.opponentBackMen > 3 && features.opponentHasBackMen != 0;
  if (analysis.opponentPipCount - analysis.moverPipCount < 40 && analysis.moverPipCount > 75 && !manyBack) return 1;
  if (rollsToCarry(pips7, homeMen, 0) > winnerRolls) return start;
  if (homeMen > 3 && features.opponentHasBackMen != 0) return start;
  return 2;
}

}  // namespace

void concedeGame() {
  if (hand.pieceInHand != 0) {
    hook::playAlertSound();
    showNumberedMessage(kPutCheckerDownMessage);
    return;
  }
  const bool computerOnRoll = position.playerType[position.currentPlayer] == kComputerPlayer;
  if (flow.opponentMode == kComputerOpponent && computerOnRoll) {
    showMessageText(kComputersTurnRefusalText);
    return;
  }
  if (position.openingPhase != 0) {
    showMessageText(kOpeningRefusalText);
    return;
  }
  if (flow.opponentMode == kTwoPeople) {
    concedePointsPrompt();
  } else {
    concedeWithLevel();
  }
}

void concedePointsPrompt() {
  suggestLevel();
  showMessageText(Str255("MM") + shell.playerNames[position.currentPlayer] + ", enter points conceding");
  hook::showConcedePointsDialog();
}

void concedeOrCancel(int16_t answer) {
  if (answer == kTwoPeopleCancel) {
    hook::clearMessageLine(0);
    return;
  }
  concedeWithLevel();
}

void concedeWithLevel() {
  computeConcessionLevel();
  if (flow.autoConcession[position.currentPlayer] != 0) {
    flow.abortTurn = kLeaveTurn;
    flow.newGameRequested = -1;
  }
}

void computeConcessionLevel() {
  if (flow.opponentMode != kTwoPeople) suggestLevel();
  announceConcession();
}

void decideConcessionLevel() {
  int16_t& level = flow.concessionLevel;
  if (cube.jacobyRule != 0 && cube.cubeValue == 1) {
    level = 1;
    return;
  }
  const int16_t start = settings.backgammonAllowed != 0 ? 3 : 2;
  level = analysis.raceFlag != 0 ? raceLevel(start) : contactLevel(start);
}

void announceConcession() {
  const int32_t points = static_cast<int32_t>(flow.concessionLevel) * cube.cubeValue;
  interaction.messageLines[1] =
      messageWordsOf(kAcceptMessage) + intText(points) + " pt " + messageWordsOf(kResignationMessage);
  interaction.messageLines[2].clear();
  interaction.messageLines[3].clear();
  interaction.messageLineCount = 3;
  hook::drawBoardQuestion();
  if (flow.opponentMode != kComputerOpponent) {
    showMessageText(Str255("MM") +
                    messageAfterText(shell.playerNames[position.otherPlayer].str() + ",", kOffersToResignMessage));
  }
  const bool computersOnly = flow.opponentMode == kComputersOnly && position.playerType[0] == kComputerPlayer;
  if (rollout.noPause == 0 && !computersOnly) {
    hook::waitForBoardClick();
  } else {
    interaction.panelAnswer = -1;
  }
  hook::closeBoardOverlay();
  if (interaction.panelAnswer != 0) flow.autoConcession[position.currentPlayer] = -1;
  hook::clearMessageLine(0);
}

}  // namespace bg
