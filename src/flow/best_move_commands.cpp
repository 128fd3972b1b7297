#include "flow/best_move_commands.h"

#include "computer/computer_play.h"
#include "flow/computer_move.h"
#include "flow/opponent_modes.h"
#include "rules/side_to_move.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "rules/dice.h"
#include "rules/numbered_message.h"
#include "rules/take_back.h"
#include "rules/whole_roll_check.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/message_numbers.h"
#include "state/play_search_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/turn_flags.h"
#include "runtime/core/messages.h"

namespace bg {

namespace {

constexpr int16_t kThirdSideType = 3;  // a side of neither kind: its moves come from outside

bool partOfRollMade() { return flow.movesLeft == 0 || partOfRollPlayed(); }

bool humanOnRoll() { return position.playerType[position.currentPlayer] == kHumanPlayer; }

// Asks whether the play stands; the answer in interaction.panelAnswer.
void askKeepPlay() {
  interaction.messageLines[1] = messageWordsOf(kKeepMoveMessage);
  interaction.messageLines[2].clear();
  interaction.messageLines[3].clear();
  interaction.messageLineCount = 3;
  hook::drawBoardQuestion();
  diceState.diceShowing = -1;
  hook::waitForBoardClick();
  hook::closeBoardOverlay();
}

bool unplayedDieRecordedSince(int16_t count) {
  for (int16_t n = static_cast<int16_t>(count + 1); n <= record.gameRecordCount; ++n) {
    const GameRecordEntry& e = record.gameRecord[n];
    if ((e.side == 0 || e.side == 1) && e.fromPoint == 0 && e.toPoint == 0) return true;
  }
  return false;
}

void keepPlay(int16_t countBefore) {
  flow.bestMoveForHuman = 0;
  if (flow.opponentMode == kComputersOnly && unplayedDieRecordedSince(countBefore)) {
    hand.selectedPoint = kFinishSelection;
  }
  diceState.diceShowing = 0;
  turnFlags.removeDiceAtTurnEnd = -1;
  turnState.turnEndedByBestMove = -1;
  if (position.piecesOnBoard[position.currentPlayer] == 0) flow.newGameRequested = -1;
  flow.abortTurn = kLeaveTurn;
}

}  // namespace

void makeBestMoveCommand() {
  if (partOfRollMade()) {
    showNumberedMessage(kNotNowMessage);
  } else if (hand.pieceInHand != 0) {
    refuseCommandBusy();
  } else {
    playBestMoveForHuman();
  }
}

void playBestMoveForHuman() {
  if (hand.pieceInHand != 0) return;
  if (diceState.diceShowing == 0) {
    if (humanOnRoll()) refuseCommandNotRolled();
    return;
  }
  if (display.overlayActive != 0) {
    showNumberedMessage(kCloseBoxFirstMessage);
    return;
  }
  flow.bestMoveForHuman = -1;
  // After part of the roll the forced-play aid has searched the dice that are left: that
  // search's row 1 is played, never a search of the whole roll again.
  displayBestMovesCommand();
  // Left while the search gave the window its events (or before the forced-play aid came
  // here): the plays listed are of another board or of the other side.
  if (turnBeingLeft()) {
    flow.bestMoveForHuman = 0;
    return;
  }
  const int16_t countBefore = record.gameRecordCount;
  playComputerMove();
  flow.abortTurn = 0;

  if (turnState.autoPlayingForcedMove != 0 || playSearch.quietBestMove != 0) {
    interaction.panelAnswer = -1;
  } else if (playSearch.playLength == 0 && wholeRoll.noMovesLeft != 0) {
    hook::showInformation(kNoValidMovesText);
    interaction.panelAnswer = -1;
  } else {
    askKeepPlay();
  }
  if (interaction.panelAnswer != 0) {
    keepPlay(countBefore);
  } else {
    diceState.diceShowing = -1;
    takeBackQuietly();
  }
  turnState.autoPlayingForcedMove = 0;
  flow.bestMoveForHuman = 0;
}

void displayBestMovesCommand() {
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return;
  }
  if (diceState.diceShowing != 0) {
    if (partOfRollMade()) {
      if (flow.forcedMovePlayed != -1) showNumberedMessage(kNotNowMessage);
      return;
    }
    buildOpponentMessage();
    computerPlaysMoveFlagged();
    record.gameRecord[0].die1 = static_cast<int16_t>(record.gameRecord[0].die1 + 1);
    if (flow.bestMoveForHuman == 0) hook::showAnalysisWindow();
    return;
  }
  if (humanOnRoll()) refuseCommandNotRolled();
}

void showLastMoveAnalysis() {
  if (hand.pieceInHand != 0) {
    refuseCommandBusy();
    return;
  }
  if (playSearch.searchedPlayer == position.otherPlayer && record.gameRecordCount > 0) {
    exchangeSideToMove();
    hook::showAnalysisWindow();
    exchangeSideToMove();
    // The list's closing redraw drew the board for the opponent (its dice place and the
    // turn arrow): draw it again for the side to move.
    hook::redrawBoardPicture();
  } else {
    showNumberedMessage(kNotNowMessage);
  }
}

void buildOpponentMessage() {
  if (position.playerType[1] != kThirdSideType) return;
  flow.opponentMessage =
      Str255("MM") + messageAfterText(players.playerRecords[players.activePlayers].secondName.view(), kAsksBestPlaysMessage);
}

void diceClickTakeBack() {
  // The dice action's one way in, from the dice, the menu and the waits. A turn being left
  // has nothing of its roll to give back: the hand-over comes first, and clearing its
  // request below would keep the turn going with the other side's checkers under the
  // person's clicks.
  if (turnBeingLeft()) return;
  if (flow.opponentMode == kComputersOnly && (flow.movesLeft == flow.movesAllowed || diceState.diceShowing == 0)) {
    return;
  }
  if (record.gameRecordCount == 0) {
    if (diceState.diceShowing != 0) {
      // The roll is passed to the other side.
      exchangeSideToMove();
      diceState.diceShowing = 0;
      flow.abortTurn = kLeaveTurn;
      removeDice();
      for (int16_t n = 0; n <= 3; ++n) {
        diceState.dice[n].value = 0;
        diceState.rolledDice[n] = 0;
      }
      display.redrawPending = -1;
      return;
    }
    if (record.gameRecord[0].flags == 0) return;
  }
  // Once a step of the roll is made only that step goes back and the roll stays in hand,
  // also where the rest of the roll cannot be played.
  if (diceState.diceShowing == 0 || flow.movesLeft == flow.movesAllowed) {
    takeBackQuietly();
  } else {
    hook::undoLastPartMove();
    flow.abortTurn = 0;
  }
}

void takeBackQuietly() {
  flow.firstRollNeedsClick = 0;
  // The play a replay was to make again is taken back with the rest.
  turnState.replayRecordedPlay = 0;
  interaction.replayingMove = -1;
  takeBack();
  interaction.replayingMove = 0;
  display.redrawPending = -1;
}

}  // namespace bg
