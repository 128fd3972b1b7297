#include "flow/turn_services.h"

#include "computer/computer_play.h"
#include "flow/computer_move.h"
#include "flow/sessions.h"
#include "flow/turn_state.h"
#include "rules/best_plays.h"
#include "rules/checker_move.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/turn_flags.h"

namespace bg {

TurnServices turnServices;
BG_RESETS_WITH_PROGRAM(turnServices);

namespace flowLeast {

void nothing() {}

void setCursor(int16_t /*cursor*/) {}

void waitForPointClick() {
  // Nobody at the board: take the posted click, or click the dice.
  flow.keyCommandBusy = 0;
  boardInput.holdMessageLine = 0;
  const int16_t side = turnState.openingDieAwaited;
  interaction.clickedPoint = side == kNoOpeningDieAwaited ? kRightDiceZone : diceZoneOf(side);
  boardInput.hitDice = -1;
}

void waitForClickOrKey() {
  flow.keyCommandBusy = 0;
  boardInput.holdMessageLine = 0;  // the wait ends a held message
}

void waitForPanelClose() { hook::waitForClickOrKey(); }

void humanTurn() {
  // The best play for the human, entered as a typed move so no checker is in the hand.
  computerPlaysMoveFlagged();
  const int16_t length =
      loadChosenPlay(bestPlays.bestPlaysTrue, 1, playSearch.playFrom, playSearch.playDice);
  flow.movePhaseOver = 0;
  hand.typedMovePending = -1;
  for (int16_t k = 1; k <= length && flow.newGameRequested == 0; ++k) executePlayDie(k);
  hand.typedMovePending = 0;
  // Part of the roll cannot be played: the unplayed dice are recorded, once.
  if (length < flow.movesAllowed && flow.movePhaseOver == 0) {
    endMovePhase();
    turnFlags.removeDiceAtTurnEnd = -1;
  }
  flow.abortTurn = kLeaveTurn;
}

bool isModifierDown(int16_t /*code*/) { return false; }

bool isNever() { return false; }

BoardPoint boardCentre() { return {}; }

void showEndGameDialog(std::string_view /*text*/) {}

void quitGame() { shellFlags.quitRequested = -1; }

void applyOpponentMode() {
  switch (flow.opponentMode) {
    case 2:
      position.playerType[0] = kComputerPlayer;
      position.playerType[1] = kComputerPlayer;
      break;
    case 3:
      position.playerType[0] = kHumanPlayer;
      position.playerType[1] = kHumanPlayer;
      break;
    default:
      position.playerType[0] = kHumanPlayer;
      position.playerType[1] = kComputerPlayer;
      break;
  }
  turnState.previousOpponentMode = flow.opponentMode;
}

void showText(std::string_view /*text*/) {}

void showTitledText(std::string_view /*title*/, std::string_view /*text*/) {}

void tournamentSetupDialog() {
  flow.savedAutoDoubleMax = cube.autoDoubleMax;
  flow.savedBeaverAllowed = cube.beaverAllowed;
  flow.savedJacobyRule = cube.jacobyRule;
  flow.savedWhoRollsFirst = settings.whoRollsFirst;
  flow.savedRollOverOnce = options.rollOverOnce;
  flow.savedRerollFirstRoll = settings.rerollFirstRoll;
  flow.savedAcceptDoubles = cube.acceptDoubles;
  if (flow.tournamentPoints < 1) flow.tournamentPoints = kDefaultTournamentPoints;
  flow.tournamentGoing = 255;
  flow.tournamentItemText = kEndTournamentText;
}

void switchRollOver() { options.rollOverOnce = options.rollOverOnce != 0 ? 0 : -1; }

}  // namespace flowLeast
}  // namespace bg
