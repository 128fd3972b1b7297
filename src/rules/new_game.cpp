#include "rules/new_game.h"

#include "state/analysis_state.h"
#include "state/best_plays_state.h"
#include "state/concession_state.h"
#include "state/cube_state.h"
#include "rules/dice.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "rules/game_record.h"
#include "rules/side_to_move.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "state/menu_numbers.h"

namespace bg {

void startNewGame() {
  // The game resumed at the start is gone from the board: a quit keeps only what is saved
  // of the new one. A resume still to come keeps its name.
  if (rollout.rolloutRunning == 0 && storage.gameWasSaved == 0) shell.savedGameName.clear();
  storage.gameModified = 0;
  flow.gameResultFlag = 0;
  if (flow.moneySessionActive != 0) {
    hook::setMenuItemState(kGameMenu, kMoneyGameItem, kItemEnabled, "");
    hook::setMenuItemState(kGameMenu, kMoneySessionItem, kItemEnabled, "End Money Session");
  }
  // Nothing has been drawn before the first board build.
  if (display.firstBoardBuild != -1) removeDice();
  setStartingPosition();
  position.openingPhase = -1;
  if (rollout.rolloutRunning == 0) flow.gamesThisRun += 1;

  const bool winnerRollsFirst = settings.whoRollsFirst == kWinnerRollsFirst;
  if (winnerRollsFirst && flow.scores[0] + flow.scores[1] > 0) {
    // No opening roll: the turn's side flip makes the last winner roll first.
    position.openingPhase = 0;
    position.currentPlayer = 1 - flow.winnerSide;
    position.otherPlayer = 1 - position.currentPlayer;
  }
  const bool rolledOut = rollout.rolloutRunning != 0;
  if (rolledOut) hook::nextRolloutGame();
  // The last one gives the user's game back as it stood: nothing is rolled for it.
  const bool rolloutJustEnded = rolledOut && rollout.rolloutRunning == 0;
  flow.continueGame = 0;
  position.gameContinued = 0;

  // The very first start's welcome, shown by the redraw below, tells the person to click
  // the dice to start.
  const bool welcomeAsksForClick = storage.firstRun != 0;
  // Two people throw their opening dice each by a click of its own on its own dice.
  const bool peopleThrowTheOpening = !rolledOut && flow.opponentMode == kTwoPeople && position.openingPhase != 0;
  hook::closeBoardOverlay();
  display.boardClearing = 0;
  // The dice of a game opened before, still to be drawn, are no roll of this one.
  if (!rolledOut) display.redrawPending = 0;
  position.newBoardRedraw = -1;
  if ((rolledOut || winnerRollsFirst) && position.openingPhase == 0) {
    // Show the side that will actually move first, after the side flip that begins the
    // next turn (an opening has none); a rolled-out position's roll in hand is that side's,
    // the other side's last roll stays in its frames.
    exchangeSideToMove();
    const int16_t turnPlayer = position.turnPlayer;
    if (rolledOut) position.turnPlayer = position.currentPlayer;
    const uint16_t loadedBefore = storage.gamesLoaded;
    hook::redrawBoardWindow();
    position.turnPlayer = turnPlayer;
    // A game the start's greeting put in place has its own side to move.
    if (storage.gamesLoaded == loadedBefore) exchangeSideToMove();
  } else {
    hook::redrawBoardWindow();
  }
  position.newBoardRedraw = 0;
  flow.opponentCommand.clear();

  // With automatic rolls the first game of a run still waits for a real click;
  // otherwise a posted click starts the first roll.
  if (rolloutJustEnded) {
    // Nor is the click a rolled-out game posted and its computers never took.
    flow.firstRollNeedsClick = 0;
    flow.keyCommandBusy = 0;
    flow.newGameClickPosted = 0;
  } else if (storage.resumeOffered != 0) {
    // The game resumed or opened at the start replaces this one: nothing is rolled for it
    // before a click, automatic rolls or not.
    storage.resumeOffered = 0;
    flow.firstRollNeedsClick = -1;
  } else if (welcomeAsksForClick ||
             (rollout.rolloutRunning == 0 && settings.automaticRolls != 0 && flow.gamesThisRun == 1)) {
    flow.firstRollNeedsClick = -1;
  } else if (!(rolledOut && diceState.diceShowing != 0) && !peopleThrowTheOpening) {
    // A rolled-out game with the dice in hand has its roll: a click would only reach them.
    hook::postClickAtBoardCorner();
    // Marked for the roll stage, which drops it when the first roll is the computer's; a
    // rolled-out game's click is left, its person playing side 0 whoever starts.
    if (!rolledOut) flow.newGameClickPosted = -1;
  }
}

void setStartingPosition() {
  position.board.fill(0);
  resetGameRecord();
  for (long row = 1; row <= 4; ++row) {
    bestPlays.bestPlaysSkill[row][0] = kEmptyRow;
    bestPlays.bestPlaysTrue[row][0] = kEmptyRow;
  }
  for (const StartingPoint& start : kStartingPosition) position.board[start.point] = start.count;
  position.piecesOnBoard[0] = kCheckersPerSide;
  position.piecesOnBoard[1] = kCheckersPerSide;

  flow.rollClickWaitActive = 0;
  hand.boardWaitActive = 0;
  shell.gameMenuLock = 0;
  shell.gameMenuLock2 = 0;
  flow.movesLeft = 0;
  cube.cubeOwner = kCubeCentred;
  hand.pieceInHand = 0;
  hand.piecePicked = 0;
  hand.diceClicked = 0;
  flow.moveNumber = 0;
  flow.turnTakeBacks[0] = 0;
  flow.turnTakeBacks[1] = 0;

  position.currentPlayer = position.playerType[0] == kHumanPlayer ? kPlayer0 : kPlayer1;
  position.turnPlayer = position.currentPlayer;
  position.otherPlayer = 1 - position.currentPlayer;

  interaction.panelClickWaitActive = 0;
  record.gameRecordCount = 0;
  flow.turnNumber = 1;
  playSearch.searchedPlayer = -1;
  cube.cubeValue = 1;

  for (int16_t side = 0; side <= 1; ++side) {
    interaction.playerRolledOver[side] = 0;
    flow.autoConcession[side] = 0;
    flow.whoIsWinningUses[side] = 0;
    diceState.dice[side].value = 0;
    diceState.dice[side + 2].value = 0;
    diceState.rolledDice[side] = 0;
    diceState.rolledDice[side + 2] = 0;
    position.piecesOnBoard[side] = kCheckersPerSide;
    flow.pipsRolled[side] = 0;
    flow.doublesRolled[side] = 0;
    flow.gamePointsBySide[side] = 0;
  }
  hook::setDiceDisplayFlags(0);
  flow.newGameRequested = 0;
  flow.abortTurn = 0;
  diceState.handChosenOpeningDouble = 0;
  concession.concessionCheckTurn = 0;
  resetGameState();
}

void resetGameState() {
  cube.playerDeclined[0] = 0;
  cube.playerDeclined[1] = 0;
  flow.opponentModeTemporary = 0;
  if (display.overlayActive != 0) hook::redrawBoardPicture();
  analysis.contactBroken = 0;
  record.gameRecordCount = 0;
  hook::clearMessageLine(0);
}

}  // namespace bg
