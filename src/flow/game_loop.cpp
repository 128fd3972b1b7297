#include "flow/game_loop.h"

#include "state/board_input.h"
#include "flow/best_move_commands.h"
#include "flow/computer_move.h"
#include "flow/opponent_modes.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/game_end.h"
#include "state/play_options.h"
#include "state/shell_flags.h"
#include "flow/turn.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "state/interaction_state.h"
#include "rules/new_game.h"
#include "state/play_search_state.h"
#include "state/position.h"

namespace bg {

namespace {

constexpr int16_t kPostedClickOffset = 70;

}  // namespace

void runMainLoop() {
  shellFlags.modalBusy = 0;
  do {
    hook::pumpEvents();
    if (shellFlags.modalBusy == 0) gameLoopStep();
  } while (shellFlags.quitRequested == 0);
}

void gameLoopStep() {
  for (;;) {
    // A quit on its way ends the loop: the game it was asked in is over or is being left,
    // and a turn played on its board would never be announced.
    if (shellFlags.quitRequested != 0) return;
    if (flow.newGameRequested != 0) {
      startNewGame();
      // A replay asked for in the game left is no play of this one.
      turnState.replayRecordedPlay = 0;
      flow.concessionLevel = 0;
      if (flow.opponentMode != turnState.previousOpponentMode) hook::applyOpponentMode();
    }
    flow.abortTurn = 0;
    playTurn();
    if (flow.newGameRequested != 0 && shellFlags.modalBusy != 0) return;
    if (shellFlags.switchSidesPending != 0) hook::switchHumanComputerSide();
    // The opening is over once a checker has landed on a point.
    if (record.gameRecordCount >= 2 && record.gameRecord[record.gameRecordCount].toPoint > 0) {
      position.openingPhase = 0;
    }
  }
}

int16_t readAutoMoveModifiers() {
  turnState.autoMoveCombined = 0;
  turnState.autoMoveReverse = 0;
  const bool nothingMoved = flow.movesLeft == flow.movesAllowed;
  const bool easyReady = nothingMoved && diceState.diceShowing != 0 && options.easyMoves != 0;
  if (hook::isModifierDown(kCommandModifier)) {
    if (easyReady) turnState.autoMoveCombined = 255;
    return 0;
  }
  if (!hook::isModifierDown(kShiftModifier) && boardInput.rightClickEmulation == 0) return 0;

  const bool human = position.playerType[position.currentPlayer] == kHumanPlayer;
  if (boardInput.pickedCount == 0 && human) {
    // Shift tries the dice the other way round; the right button takes back, as it does
    // without Easy Moves, and before any step it has nothing to take.
    if (easyReady && boardInput.rightClickEmulation == 0) {
      turnState.autoMoveReverse = 255;
      return 0;
    }
    if (options.rightMouseActionNP == kRightClickTakesBack) {
      const bool somethingMoved = flow.movesLeft < flow.movesAllowed && diceState.diceShowing != 0;
      const bool waitingAfterPlay = flow.movesLeft < playSearch.playLength && flow.rollWaitActive != 0;
      // A turn being left keeps its leave, as with the dice action: the side on roll then
      // is the one the hand-over flips away from, and its step is not the person's to undo.
      if ((somethingMoved || waitingAfterPlay) && !turnBeingLeft()) {
        flow.rollWaitActive = 0;
        hook::setDiceDisplayFlags(-1);
        hook::undoLastPartMove();
        flow.abortTurn = 0;
      }
    }
    return -1;
  }
  if (boardInput.pickedCount >= 1 && options.rightMouseActionP == kRightClickCentre) {
    const BoardPoint centre = turnServices.boardCentre();
    boardInput.clickH = centre.h;
    boardInput.clickV = centre.v;
    flow.keyCommandBusy = -1;
    return 0;
  }
  return -1;
}

void postClickAtDice() {
  const BoardPoint centre = turnServices.boardCentre();
  boardInput.clickH = static_cast<int16_t>(centre.h + kPostedClickOffset);
  boardInput.clickV = centre.v;
  flow.keyCommandBusy = -1;
}

void installFlowServices() {
  flowServices.postClickAtBoardCorner = postClickAtDice;
  flowServices.recordTurnEnd = recordUnplayedDice;
  flowServices.announceConcession = announceConcession;
  turnServices.applyOpponentMode = applyOpponentMode;
  turnServices.tournamentCommand = tournamentCommand;
  turnServices.diceClickTakeBack = diceClickTakeBack;
  turnServices.makeBestMoveCommand = makeBestMoveCommand;
  installFlowSearchServices();
}

}  // namespace bg
