#include "flow/turn.h"

#include <utility>

#include "computer/eval_terms_backgame.h"
#include "computer/analyse_position.h"
#include "computer/concession.h"
#include "computer/cube_actions.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "flow/computer_move.h"
#include "flow/game_end.h"
#include "flow/game_loop.h"
#include "state/play_options.h"
#include "flow/roll_stage.h"
#include "state/shell_flags.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "state/analysis_state.h"
#include "rules/best_plays.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "rules/play_search.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/speech_state.h"
#include "state/turn_flags.h"
#include "rules/whole_roll_check.h"
#include "rules/numbered_message.h"

namespace bg {

namespace {

constexpr std::string_view kNoMovesText = "MMYou can't make any moves";
constexpr float kNoticeSeconds = 2.0f;

bool isComputer(int16_t side) { return position.playerType[side] == kComputerPlayer; }
bool isHuman(int16_t side) { return position.playerType[side] == kHumanPlayer; }

void showNoMovesNotice() {
  speech.waitForSpeechEnd = -1;
  showMessageText(kNoMovesText);
}

int diceLeftToPlay() {
  int sum = 0;
  for (const DiceEntry& die : diceState.dice) sum += die.value;
  return sum;
}

int diceEntriesLeft() {
  int count = 0;
  for (const DiceEntry& die : diceState.dice) count += die.value > 0 ? 1 : 0;
  return count;
}

// The turn ends and its dice go with it.
void leaveTurn() {
  turnFlags.removeDiceAtTurnEnd = -1;
  flow.abortTurn = kLeaveTurn;
}

// The computer's resignation and double come before its roll.
void handOver() {
  position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  position.turnPlayer = position.currentPlayer;
  position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  if (!isComputer(position.currentPlayer)) return;
  // The computer may concede or double before its roll: the arrow already shows it acting,
  // as a redraw while the person answers would.
  hook::drawTurnArrow();
  analysePosition();
  if (options.autoConcessions != 0) considerConcession();
  if (cube.cubeUsed != 0 && diceState.diceShowing == 0) {
    redrawDice();
    offerDouble();
    if (rollout.noPause != 0) analysePosition();
  }
}

// The side cannot enter: the dice are shown quietly, the unplayed dice recorded and the
// turn passes.
void passClosedOutTurn() {
  const int16_t side = position.currentPlayer;
  if (isHuman(side) && turnState.humanClosedOutTold == 0) {
    showNoMovesNotice();
    turnState.humanClosedOutTold = -1;
    hook::pauseAfterMove(kNoticeSeconds);
  }
  if (!rolloutPlaysUnattended()) hook::pumpEvents();
  const uint8_t diceSound = settings.soundOptions.diceSoundOn;
  settings.soundOptions.diceSoundOn = 0;
  showRolledDice();
  settings.soundOptions.diceSoundOn = diceSound;
  wholeRoll.noMovesLeft = 0;
  hook::recordTurnEnd();
  leaveTurn();
}

void rollAndCheckClosedOut() {
  countHomePointsBoth();
  rollDiceStage();
  if (flow.abortTurn == kLeaveTurn) return;
  const int16_t side = position.currentPlayer;
  if (!isClosedOut(side)) {
    if (isHuman(side)) turnState.humanClosedOutTold = 0;
    if (isComputer(side)) turnState.computerClosedOutTold = 0;
    return;
  }
  passClosedOutTurn();
}

void autoPassWhenNoPlay() {
  if (someDieLeftPlayable()) return;
  showNoMovesNotice();
  hook::pauseAfterMove(kNoticeSeconds);
  wholeRoll.noMovesLeft = 0;
  anyDieStillPlayable();  // for real: ends the move phase and records the dice
  turnFlags.removeDiceAtTurnEnd = -1;
}

void automaticMoves() {
  if (options.autoPlayForHumanOn != 0) {
    const int16_t keptLength = playSearch.playLength;
    computerPlaysMoveFlagged();
    if (bestPlays.bestPlaysTrue[2][kScoreColumn] == kEmptyRow) {
      // Only one distinct play: it is made at once and kept without a question.
      turnState.autoPlayingForcedMove = -1;
      flow.forcedMovePlayed = -1;
      hook::makeBestMoveCommand();
      turnState.autoPlayingForcedMove = 0;
      flow.forcedMovePlayed = 0;
    } else {
      playSearch.playLength = keptLength;
    }
  }
  const int16_t side = position.currentPlayer;
  if (position.piecesOnBoard[side] > 0 && diceLeftToPlay() >= 1) {
    flow.abortTurn = 0;
    hook::setDiceDisplayFlags(-1);
    turnFlags.removeDiceAtTurnEnd = 0;
    turnState.turnEndedByBestMove = 0;
  }
  if (flow.movesLeft == flow.movesAllowed) {
    if (position.board[position.barPoint[side]] != 0) {
      if (options.autoEnterFromBarOn != 0) hook::autoEnterFromBar();
    } else if (options.autoBearOffOn != 0 && (analysis.highestOccupiedPoint <= diceState.dice[0].value ||
                                               analysis.highestOccupiedPoint <= diceState.dice[1].value)) {
      hook::autoBearOffMoves();
    }
  }
  const int left = diceEntriesLeft();
  if (flow.abortTurn != kLeaveTurn && left >= 1 && left < flow.movesAllowed) {
    if (options.autoPlayForcedOn != 0) autoPlayForcedMove();
    if (options.autoPass != 0) hook::reportNoMoreMoves();
  }
}

void humanAids() {
  computeMaxPipsUsable();
  if (options.autoPass != 0) autoPassWhenNoPlay();
  if (options.autoMoves != 0 && flow.abortTurn != kLeaveTurn) automaticMoves();
}

void moveLoop() {
  const int16_t side = position.currentPlayer;
  while (flow.abortTurn != kLeaveTurn) {
    while (flow.abortTurn != kLeaveTurn) {
      if (!isComputer(side)) {
        hook::humanTurn();
        if (flow.abortTurn != kLeaveTurn) {
          if (options.autoPass != 0) hook::reportNoMoreMoves();
          if (options.autoMoves != 0 && options.autoPlayForcedOn != 0) autoPlayForcedMove();
        }
      } else {
        computerPlaysMove();
      }
    }
    if (flow.newGameRequested == 0 && isClickAfterMoveDue() != 0 && display.redrawPending == 0 &&
        flow.movesAllowed == playSearch.playLength && turnState.turnEndedByBestMove == 0) {
      waitForRollOrDouble();
    }
  }
}

void endTurn() {
  hook::clearMessageLine(0);
  // Without pauses nothing else gives the window its events between turns that need
  // nobody: they could follow each other for minutes. A rollout on the board shown plays
  // a game for many seconds: its Start/Stop is taken here. A hidden one takes it after
  // every game, which comes soon, and skips the pump's cost at every turn.
  if ((rollout.noPause != 0 || shellFlags.fastPlay != 0) && !rolloutHidesBoard()) hook::pumpEvents();
  // A rollout ended while its computer played: the game goes now that the play is whole.
  // Dropped inside the play, the rest of it would bear off checkers already counted gone.
  if (std::exchange(rollout.dropAtTurnEnd, int16_t{0}) != 0 && flow.newGameRequested == 0) dropGameInProgress();
  turnState.turnEndedByBestMove = 0;
  // A turn left to be taken up again with the same roll keeps its dice for it.
  if (turnFlags.removeDiceAtTurnEnd != 0 && turnState.resumeWithDiceShown == 0) {
    removeDice();
    turnFlags.removeDiceAtTurnEnd = 0;
  }
  // A position put in place during the turn (the setup editor, a loaded game) comes with
  // the roll it is played on with: that roll is the next turn's.
  if (display.redrawPending == 0) hand.diceClicked = 0;
  if (options.showPipCounts != 0) hook::drawPipCounts();
  if (flow.newGameRequested != 0) announceGameResult();
}

}  // namespace

bool isClosedOut(int16_t side) {
  return backgameTerms.homePointsMade[1 - side] >= 6 && position.board[position.barPoint[side]] != 0;
}

void playTurn() {
  hook::setCursor(kGameCursor);
  // A human's turn end handled elsewhere concerns that turn only.
  flow.turnEndPending = 0;
  if (position.openingPhase == 0 && turnState.resumeWithDiceShown == 0) handOver();
  if (flow.abortTurn != kLeaveTurn) {
    if (turnState.resumeWithDiceShown == 0) rollAndCheckClosedOut();
    if (flow.abortTurn != kLeaveTurn) {
      const int16_t side = position.currentPlayer;
      if (diceState.diceShowing == 0 && turnState.resumeWithDiceShown == 0) {
        showRolledDice();
        if (position.openingPhase != 0) hook::drawTurnArrow();
        if (options.speakHumanDice != 0 || options.speakComputerDice != 0) hook::speakDiceRoll();
      }
      boardInput.pickedCount = 0;
      if (!isComputer(side) && turnState.resumeWithDiceShown == 0) humanAids();
      turnState.resumeWithDiceShown = 0;
      moveLoop();
      if (!isComputer(side)) playSearch.searchedPlayer = -1;
    }
  }
  endTurn();
}

void keepDiceOfGamePutInPlace() { turnFlags.removeDiceAtTurnEnd = 0; }

int16_t isClickAfterMoveDue() {
  if (rollout.rolloutRunning != 0) return 0;
  const int16_t side = position.currentPlayer;
  if (isHuman(side) && options.clickAfterHumanMove != 0) return -1;
  if (isComputer(side) && options.clickAfterComputerMove != 0) return -1;
  return 0;
}

void waitForRollOrDouble() {
  if (flow.rollWaitActive != 0) return;
  boardInput.waitHelpContext = -1;
  flow.abortTurn = 0;
  flow.rollWaitActive = -1;
  hook::disableGameMenusDuringWait();
  hook::setDiceDisplayFlags(-1);
  bool takeBackByDice = false;
  for (;;) {
    hook::waitForClickOrKey();
    if (flow.rollWaitActive == 0) {
      // A take-back during the wait ended it; the move loop runs again.
      hook::enableAllMenus();
      return;
    }
    // A click posted by a key or command has no modifiers: the keys held to type it are not
    // a Command- or Shift-click.
    const bool posted = boardInput.clickWasPosted != 0;
    if (!posted && hook::isModifierDown(kCommandModifier)) continue;
    // A Shift- or right click has done its part (a step taken back, which ends the wait
    // by its flag); otherwise it ends the turn as any click.
    if (!posted && readAutoMoveModifiers() != 0) break;
    hook::hitTestBoard();
    if (boardRequests.requestCommandW != 0 || interaction.clickedPoint == kPipCountZone) {
      hook::runBoardCommand();
      continue;
    }
    takeBackByDice = boardInput.diceAreaClicked != 0 && isHuman(position.currentPlayer);
    break;
  }
  hook::enableAllMenus();
  if (takeBackByDice) {
    hook::diceClickTakeBack();
  } else if (flow.rollWaitActive != 0) {
    leaveTurn();
  }
  // The flag must not outlive the wait, or every later wait would return at once.
  flow.rollWaitActive = 0;
}

}  // namespace bg
