#include "flow/sessions.h"

#include <cstdlib>

#include "flow/game_end.h"
#include "flow/money_text.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/numbered_message.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/message_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/session_statistics.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/sound_services.h"
#include "state/storage_state.h"
#include "runtime/core/format.h"
#include "runtime/core/pstring.h"

namespace bg {

namespace {

constexpr std::string_view kMoneyNotFinishedTitle = "Money Session Not Finished";
constexpr std::string_view kMoneyNotFinishedText = "End the Money Session first. You can end it using the Game menu.";
constexpr std::string_view kTournamentNotFinishedTitle = "Tournament Not Finished";
constexpr std::string_view kTournamentNotFinishedText =
    "End the tournament first. You can end it using the Game menu.";
constexpr std::string_view kNeedsComputerText = "MMOnly Available With Computer Opponent";
constexpr std::string_view kNoTournamentText = "MMNo tournament has been started";

void refuseWithCheckerHeld() {
  hook::playAlertSound();
  showNumberedMessage(kPutCheckerDownMessage);
}

void setSessionItems(int16_t state) {
  hook::setMenuItemState(kGameMenu, kCloseSessionItem, state, "");
  hook::setMenuItemState(kGameMenu, kNewGameItem, state, "");
  hook::setMenuItemState(kGameMenu, kTournamentItem, state, "");
}

}  // namespace

void requestNewGame() {
  if (hand.pieceInHand != 0) {
    refuseWithCheckerHeld();
    return;
  }
  dropGameInProgress();
  interaction.clickedPoint = kNoZone;
}

void tournamentCommand() {
  if (flow.moneySessionActive != 0) {
    hook::showTitledText(kMoneyNotFinishedTitle, kMoneyNotFinishedText);
    hook::pumpEvents();
    return;
  }
  if (flow.tournamentGoing == 0) {
    if (flow.opponentMode != kComputerOpponent) {
      showMessageText(kNeedsComputerText);
      return;
    }
    if (storage.loadingGame != -1) hook::tournamentSetupDialog();
  } else {
    // Refused before anything changes: the tournament must not be half ended.
    if (hand.pieceInHand != 0) {
      refuseWithCheckerHeld();
      return;
    }
    endTournament();
  }
  if (flow.tournamentItemText.empty()) flow.tournamentItemText = kStartTournamentText;
  hook::setMenuItemState(kGameMenu, kTournamentItem, kItemEnabled, flow.tournamentItemText.view());
}

void endTournament() {
  // Each option goes back through its menu routine, so its choice and its mark agree.
  if (cube.autoDoubleMax != flow.savedAutoDoubleMax) hook::chooseAutoDoubleMax(flow.savedAutoDoubleMax);
  if ((cube.beaverAllowed != 0) != (flow.savedBeaverAllowed != 0)) hook::toggleBeaverOption();
  if ((cube.jacobyRule != 0) != (flow.savedJacobyRule != 0)) hook::toggleJacobyOption();
  if ((options.rollOverOnce != 0) != (flow.savedRollOverOnce != 0)) hook::updateRollOverDisplay();
  if ((settings.rerollFirstRoll != 0) != (flow.savedRerollFirstRoll != 0)) hook::toggleRerollOption();
  if ((cube.acceptDoubles != 0) != (flow.savedAcceptDoubles != 0)) hook::toggleAcceptDoublesOption();
  settings.whoRollsFirst = flow.savedWhoRollsFirst;
  hook::markOptionItems();
  flow.tournamentGoing = 0;
  flow.crawfordRestrictions[0] = 0;
  flow.crawfordRestrictions[1] = 0;
  flow.tournamentItemText = kStartTournamentText;
  if (storage.loadingGame == 0) {
    closeSessionTotals();
    hook::drawPipCounts();
  }
  hook::restoreSavedScreenRect();
}

void tournamentStatsCommand() {
  if (flow.tournamentGoing == 0) {
    showMessageText(kNoTournamentText);
    return;
  }
  hook::tournamentStatsDialog();
}

void moneySessionCommand() {
  if (flow.tournamentGoing != 0) {
    hook::showTitledText(kTournamentNotFinishedTitle, kTournamentNotFinishedText);
    return;
  }
  std::string_view itemText;
  if (flow.moneySessionActive == 0) {
    flow.moneySessionActive = 255;
    flow.scoreDisplayMode = 1;
    itemText = kEndMoneySessionText;
    setSessionItems(kItemDisabled);
    hook::setMenuItemState(kGameMenu, kMoneyGameItem, kItemEnabled, "");
    if (storage.prefsLoading == 0) {
      hook::moneyGameDialog();
      closeSessionTotals();
    }
  } else {
    // Refused before anything changes: the session must not be half closed.
    if (hand.pieceInHand != 0) {
      refuseWithCheckerHeld();
      return;
    }
    flow.moneySessionActive = 0;
    flow.scoreDisplayMode = 0;
    const int32_t balance = flow.scores[0] - flow.scores[1];
    const Str255 text(moneySessionResultText(balance));
    hook::showTitledText(kMoneySessionResultsTitle, text.view());
    hook::pumpEvents();
    closeSessionTotals();
    setSessionItems(kItemEnabled);
    hook::setMenuItemState(kGameMenu, kMoneyGameItem, kItemDisabled, "");
    itemText = kStartMoneySessionText;
    options.wagerAmount = 1;
  }
  hook::setMenuItemState(kGameMenu, kMoneySessionItem, kItemEnabled, itemText);
}

void closeSessionTotals() {
  // Refused before anything changes: the session must not be half closed.
  if (hand.pieceInHand != 0) {
    refuseWithCheckerHeld();
    return;
  }
  if (flow.scores[0] + flow.scores[1] > 0) {
    addToPlayerCounter(kSessionsWonWord, flow.scores[0] > flow.scores[1] ? 0 : 1);
  }
  for (int16_t side = 0; side <= 1; ++side) {
    flow.scores[side] = 0;
    flow.crawfordRestrictions[side] = 0;
    flow.doublesBySide[side] = 0;
    flow.takesBySide[side] = 0;
    flow.cubeHintCount[side] = 0;
    flow.doubleTakeBacks[side] = 0;
    flow.whoIsAheadUses[side] = 0;
    flow.turnTakeBacks[side] = 0;
  }
  statistics = SessionStatistics{};
  flow.sessionEndState = 0;
  flow.highestCube = 2;
  hook::drawPipCounts();
  requestNewGame();
}

}  // namespace bg
