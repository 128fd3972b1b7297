// A new game: the starting position, the per-game resets, the sides and the order of
// the new-game steps.
#include <algorithm>

#include "rules/new_game.h"
#include "rules/starting_position.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

class NewGameTest : public RulesTest {};

TEST_F(NewGameTest, StartingPositionHasFifteenCheckersPerSideOnTheirPoints) {
  position.board[25] = 3;  // leftovers of an earlier game
  position.board[3] = -4;
  position.piecesOnBoard[0] = 2;
  setStartingPosition();
  const std::vector<int16_t> expected = {0, 2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0, 5,
                                         -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0};
  EXPECT_EQ(std::vector<int16_t>(position.board.begin(), position.board.end()), expected);
  EXPECT_EQ(position.piecesOnBoard[0], 15);
  EXPECT_EQ(position.piecesOnBoard[1], 15);
}

TEST_F(NewGameTest, StartingPositionResetsThePerGameValues) {
  cube.cubeValue = 8;
  cube.cubeOwner = 1;
  cube.playerDeclined[1] = -1;
  record.gameRecordCount = 57;
  flow.turnNumber = 40;
  flow.movesLeft = 3;
  flow.moveNumber = 2;
  flow.newGameRequested = -1;
  flow.abortTurn = kLeaveTurn;
  flow.rollClickWaitActive = -1;
  flow.turnTakeBacks[0] = 4;
  flow.pipsRolled[1] = 300;
  flow.doublesRolled[0] = 2;
  flow.gamePointsBySide[1] = 4;
  flow.autoConcession[0] = -1;
  flow.whoIsWinningUses[1] = 3;
  hand.boardWaitActive = -1;
  hand.pieceInHand = -1;
  hand.piecePicked = -1;
  hand.diceClicked = -1;
  shell.gameMenuLock = -1;
  shell.gameMenuLock2 = -1;
  interaction.panelClickWaitActive = -1;
  interaction.playerRolledOver[0] = 255;
  playSearch.searchedPlayer = 0;
  diceState.handChosenOpeningDouble = -1;
  concession.concessionCheckTurn = 12;
  analysis.contactBroken = -1;
  for (int16_t n = 0; n <= 3; ++n) {
    diceState.dice[n].value = 5;
    diceState.rolledDice[n] = 5;
  }
  diceState.diceShowing = -1;
  for (long row = 0; row <= 4; ++row) {
    bestPlays.bestPlaysTrue[row][0] = 3.5f;
    bestPlays.bestPlaysSkill[row][0] = 2.5f;
  }

  setStartingPosition();

  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  EXPECT_EQ(cube.playerDeclined[1], 0);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(flow.turnNumber, 1);
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.moveNumber, 0);
  EXPECT_EQ(flow.newGameRequested, 0);
  EXPECT_EQ(flow.abortTurn, 0);
  EXPECT_EQ(flow.rollClickWaitActive, 0);
  EXPECT_EQ(flow.turnTakeBacks[0], 0);
  EXPECT_EQ(flow.pipsRolled[1], 0);
  EXPECT_EQ(flow.doublesRolled[0], 0);
  EXPECT_EQ(flow.gamePointsBySide[1], 0);
  EXPECT_EQ(flow.autoConcession[0], 0);
  EXPECT_EQ(flow.whoIsWinningUses[1], 0);
  EXPECT_EQ(hand.boardWaitActive, 0);
  EXPECT_EQ(hand.pieceInHand, 0);
  EXPECT_EQ(hand.piecePicked, 0);
  EXPECT_EQ(hand.diceClicked, 0);
  EXPECT_EQ(shell.gameMenuLock, 0);
  EXPECT_EQ(shell.gameMenuLock2, 0);
  EXPECT_EQ(interaction.panelClickWaitActive, 0);
  EXPECT_EQ(interaction.playerRolledOver[0], 0);
  EXPECT_EQ(playSearch.searchedPlayer, -1);
  EXPECT_EQ(diceState.handChosenOpeningDouble, 0);
  EXPECT_EQ(concession.concessionCheckTurn, 0);
  EXPECT_EQ(analysis.contactBroken, 0);
  for (int16_t n = 0; n <= 3; ++n) {
    EXPECT_EQ(diceState.dice[n].value, 0);
    EXPECT_EQ(diceState.rolledDice[n], 0);
  }
  EXPECT_EQ(diceState.diceShowing, 0);
  for (long row = 1; row <= 4; ++row) {
    EXPECT_EQ(bestPlays.bestPlaysTrue[row][0], kEmptyRow);
    EXPECT_EQ(bestPlays.bestPlaysSkill[row][0], kEmptyRow);
  }
  EXPECT_EQ(bestPlays.bestPlaysTrue[0][0], 3.5f) << "row 0 is not a candidate row";
}

TEST_F(NewGameTest, StartingPositionEmptiesTheWholeRecord) {
  for (long n = 0; n <= kGameRecordHighest; ++n) {
    record.gameRecord[n] = GameRecordEntry{1, 13, 10, 3, 3, 5, 1, 0, 0, kFlagRollCounted};
  }
  setStartingPosition();
  EXPECT_EQ(record.gameRecord[0], blankRecordEntry);
  for (long n = 1; n <= kGameRecordHighest; ++n) {
    ASSERT_EQ(record.gameRecord[n].side, kEmptyEntrySide) << "entry " << n;
    ASSERT_EQ(record.gameRecord[n].die1, 0) << "entry " << n;
  }
}

TEST_F(NewGameTest, SideToMoveFollowsWhetherPlayerZeroIsHuman) {
  position.playerType[0] = kHumanPlayer;
  position.currentPlayer = 1;
  setStartingPosition();
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(position.turnPlayer, 0);
  EXPECT_EQ(position.otherPlayer, 1);

  position.playerType[0] = kComputerPlayer;
  setStartingPosition();
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(position.turnPlayer, 1);
  EXPECT_EQ(position.otherPlayer, 0);
}

TEST_F(NewGameTest, ResetGameStateClosesAnOpenOverlayAndClearsTheMessageLine) {
  interactionServices.clearMessageLine = [](int16_t flag) {
    serviceLog.calls.push_back("clearMessageLine:" + std::to_string(flag));
  };
  display.overlayActive = -1;
  flow.opponentModeTemporary = -1;
  record.gameRecordCount = 9;
  resetGameState();
  EXPECT_EQ(display.overlayActive, 0);
  EXPECT_EQ(flow.opponentModeTemporary, 0);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(serviceLog.calls, std::vector<std::string>{"clearMessageLine:0"});
}

TEST_F(NewGameTest, CheckStartingPositionRecognisesOnlyTheExactStart) {
  setStartingPosition();
  position.openingPhase = 0;
  flow.turnNumber = 7;
  checkStartingPosition();
  EXPECT_EQ(position.openingPhase, -1);
  EXPECT_EQ(flow.turnNumber, 1);

  // A ninth occupied index (a checker moved to the bar) is not the start.
  position.board[24] = -1;
  position.board[0] = -1;
  flow.turnNumber = 7;
  checkStartingPosition();
  EXPECT_EQ(position.openingPhase, 0);
  EXPECT_EQ(flow.turnNumber, 7);

  // Eight occupied points with one count moved is not the start either.
  setStartingPosition();
  position.board[12] = 4;
  position.board[1] = 3;
  checkStartingPosition();
  EXPECT_EQ(position.openingPhase, 0);
}

TEST_F(NewGameTest, CheckStartingPositionRedrawsDiceThatShow) {
  recordDrawing();
  setStartingPosition();
  diceState.diceShowing = -1;
  checkStartingPosition();
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_EQ(std::count(serviceLog.calls.begin(), serviceLog.calls.end(), "frameAllDice"), 1);
}

TEST_F(NewGameTest, NewGameHasAnOpeningRollAndPostsTheFirstClick) {
  display.overlayActive = -1;
  display.boardClearing = -1;
  flow.newGameRequested = -1;
  position.openingPhase = 0;
  storage.gameModified = -1;
  flow.continueGame = -1;
  position.gameContinued = -1;
  flow.opponentCommand = "xx";
  startNewGame();
  EXPECT_EQ(position.openingPhase, -1);
  EXPECT_EQ(flow.newGameRequested, 0);
  EXPECT_EQ(storage.gameModified, 0);
  EXPECT_EQ(flow.continueGame, 0);
  EXPECT_EQ(position.gameContinued, 0);
  EXPECT_EQ(position.newBoardRedraw, 0);
  EXPECT_TRUE(flow.opponentCommand.empty());
  EXPECT_EQ(flow.keyCommandBusy, -1) << "the posted click starts the first roll";
  EXPECT_EQ(flow.gamesThisRun, 1);
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(display.overlayActive, 0);
  EXPECT_EQ(display.boardClearing, 0);

  // Automatic rolls: the first game's first roll waits for a real click, later ones do not.
  settings.automaticRolls = -1;
  flow.keyCommandBusy = 0;
  flow.firstRollNeedsClick = 0;
  flow.gamesThisRun = 0;
  startNewGame();
  EXPECT_EQ(flow.firstRollNeedsClick, -1);
  EXPECT_EQ(flow.keyCommandBusy, 0) << "no click is posted: the first roll waits for the user";
  flow.firstRollNeedsClick = 0;
  startNewGame();
  EXPECT_EQ(flow.firstRollNeedsClick, 0);
  EXPECT_EQ(flow.keyCommandBusy, -1);
}

TEST_F(NewGameTest, WinnerRollsFirstSkipsTheOpeningRollOnlyOncePointsAreScored) {
  recordDrawing();
  settings.whoRollsFirst = kWinnerRollsFirst;
  flow.winnerSide = 1;
  startNewGame();
  EXPECT_EQ(position.openingPhase, -1) << "0-0: there is still an opening roll";
  EXPECT_EQ(position.currentPlayer, 0);

  flow.scores[0] = 0;
  flow.scores[1] = 2;
  flow.winnerSide = 1;
  serviceLog.clear();
  startNewGame();
  EXPECT_EQ(position.openingPhase, 0);
  EXPECT_EQ(position.currentPlayer, 0) << "the turn's flip makes the winner, player 1, roll first";
  EXPECT_EQ(position.otherPlayer, 1);
  // The board is drawn showing the side that will move first.
  ASSERT_EQ(serviceLog.calls.size(), 1u);
  EXPECT_EQ(serviceLog.calls[0], "redrawBoardWindow:1");
}

TEST_F(NewGameTest, RolloutStartPositionReplacesTheStandardOneBeforeTheFirstRoll) {
  rollout.rolloutRunning = 255;
  rolloutServices.nextRolloutGame = [] {
    position.board.fill(0);
    position.board[24] = 15;
    position.board[1] = -15;
  };
  startNewGame();
  EXPECT_EQ(position.board[24], 15);
  EXPECT_EQ(position.board[1], -15);
  EXPECT_EQ(position.board[6], 0);
  EXPECT_EQ(flow.gamesThisRun, 0) << "rollout games are not counted";
}

TEST_F(NewGameTest, FirstBoardBuildDecidesWhetherTheDiceAreTakenOff) {
  diceState.rolledDice[0] = 4;
  diceState.rolledDice[1] = 2;
  diceState.dice[0].value = 4;
  recordDrawing();
  startNewGame();  // the board has never been built
  EXPECT_TRUE(serviceLog.restored.empty());

  display.firstBoardBuild = 0;
  diceState.rolledDice[0] = 4;
  diceState.rolledDice[1] = 2;
  diceState.drawnDieLeft[0] = 300;
  diceState.drawnDieLeft[1] = 340;
  startNewGame();
  ASSERT_EQ(serviceLog.restored.size(), 2u);
  EXPECT_EQ(serviceLog.restored[0].left, 300);
  EXPECT_EQ(serviceLog.restored[1].left, 340);
}

TEST_F(NewGameTest, MoneySessionKeepsItsGameMenuItems) {
  shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t state, std::string_view text) {
    serviceLog.menuTexts.push_back(std::to_string(menu) + "/" + std::to_string(item) + "/" +
                                   std::to_string(state) + "/" + std::string(text));
  };
  startNewGame();
  EXPECT_TRUE(serviceLog.menuTexts.empty());
  flow.moneySessionActive = 255;
  startNewGame();
  EXPECT_EQ(serviceLog.menuTexts, (std::vector<std::string>{"3/5/1/", "3/4/1/End Money Session"}));
}

}  // namespace
}  // namespace bg::testing
