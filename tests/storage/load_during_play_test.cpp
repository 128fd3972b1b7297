// A game loaded while the running turn still pumps events: the loaded board stays as it
// was loaded, its roll is played from the first step, and while the double's question
// waits the load is refused.
#include "computer/cube_actions.h"
#include "flow/best_move_commands.h"
#include "flow/computer_move.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "rules/checker_move.h"
#include "state/interaction_state.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

// Both sides bearing off: nothing of a game in the starting position fits on it.
SavedGame bearOffGame() {
  SavedGame g;
  for (long p = 1; p <= 5; ++p) g.board[p] = -3;
  for (long p = 20; p <= 24; ++p) g.board[p] = 3;
  g.cubeValue = 1;
  g.cubeOwner = kCubeCentred;
  g.lastPlayerToMove = 0;
  g.rows.assign(1, blankRecordEntry);
  return g;
}

using LoadDuringPlay = StorageTest;

// What the computer's pause before its play lets in replaces or drops the game: the play
// is not made on it. Made on a dropped game, its bear-offs took the emptied counts below
// nothing and the game was scored.
TEST_F(LoadDuringPlay, AGameLoadedOrDroppedDuringTheComputersPauseGetsNoPlay) {
  const SavedGame loaded = bearOffGame();
  writeBytes(savedFile(), savedGameText(loaded));
  for (const bool load : {true, false}) {
    SCOPED_TRACE(load ? "loaded" : "New Game");
    setPosition("1:-3 2:-3 3:-3 4:-3 5:-3 20:3 21:3 22:3 23:3 24:3 | dice 6 5 | side 1");
    const auto board = position.board;
    diceState.diceShowing = -1;
    flow.abortTurn = 0;
    flow.newGameRequested = 0;
    flow.movesAllowed = flow.movesLeft = 2;
    position.playerType[1] = kComputerPlayer;
    static int pauses = 0;
    static bool loading = false;
    pauses = 0;
    loading = load;
    shellServices.pauseSeconds = [](double) {
      ++pauses;
      if (loading) {
        loadGame(0);
      } else {
        requestNewGame();
      }
    };
    computerPlaysMove();
    ASSERT_EQ(pauses, 1);
    EXPECT_TRUE(infoBoxes.empty());
    EXPECT_EQ(position.board, load ? loaded.board : board);
    EXPECT_EQ(position.piecesOnBoard[0], load ? 15 : 0);
    EXPECT_EQ(position.piecesOnBoard[1], load ? 15 : 0);
    EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  }
}

// Two steps of a 2-2 are played when a game with 3-3 in hand is opened: the loaded roll
// is played from its first step, every die used once.
TEST_F(LoadDuringPlay, AGameOpenedHalfwayThroughADoublePlaysItsOwnRollFromTheFirstStep) {
  setPosition("start | dice 3 3 | side 0");
  diceState.diceShowing = -1;
  writeBytes(savedFile(), savedGameText(savedGameOfState()));
  setPosition("start | dice 2 2 | side 0");
  diceState.diceShowing = -1;
  flow.movesAllowed = 4;
  flow.movesLeft = 2;
  flow.moveNumber = 2;
  loadGame(0);
  ASSERT_EQ(flow.movesLeft, 4);
  const int16_t side = position.currentPlayer;
  const int16_t direction = position.playerDirection[side];
  const int16_t from = direction > 0 ? 1 : 24;  // the back checkers: 3 ahead is open
  for (int16_t step = 1; step <= 4; ++step) {
    hand.selectedPoint = from;
    hand.moveDistance = 3;
    moveOneChecker();
    EXPECT_EQ(record.gameRecord[record.gameRecordCount].moveNumber, step);
  }
  EXPECT_EQ(flow.movesLeft, 0);
  for (long n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 0) << "die " << n;
}

// Make Best Move reaching the program in the pump that draws the loaded game plays
// nothing on it: the game in hand is being replaced, its sides swapped for the drawing.
TEST_F(LoadDuringPlay, MakeBestMoveTakenWhileALoadedGameIsDrawnPlaysNothing) {
  setPosition("start | dice 6 5 | side 0");
  diceState.diceShowing = -1;
  const SavedGame loaded = savedGameOfState();
  writeBytes(savedFile(), savedGameText(loaded));
  setPosition("start | dice 2 2 | side 1");
  diceState.diceShowing = -1;
  position.playerType[0] = position.playerType[1] = kHumanPlayer;
  static int pumps = 0;
  pumps = 0;
  turnServices.pumpEvents = [] {
    if (pumps++ == 0) playBestMoveForHuman();
  };
  interactionServices.waitForBoardClick = [] { interaction.panelAnswer = -1; };  // keep the play
  loadGame(0);
  ASSERT_GE(pumps, 1);
  EXPECT_EQ(position.board, loaded.board);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(LoadDuringPlay, WhileTheDoublesQuestionWaitsALoadIsRefused) {
  writeBytes(savedFile(), savedGameText(bearOffGame()));
  setPosition("start | dice 3 1 | cube 1 2 | side 1");
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  const auto board = position.board;
  interactionServices.waitForBoardClick = [] {
    hand.boardWaitActive = -1;
    loadGame(0);
    hand.boardWaitActive = 0;
    interaction.panelAnswer = -1;  // then the person takes
  };
  executeDouble();
  EXPECT_TRUE(sawMessage("#4"));
  EXPECT_EQ(position.board, board);
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 0);
  EXPECT_EQ(cube.playerDeclined[0], 0);
  EXPECT_EQ(cube.playerDeclined[1], 0);
  EXPECT_EQ(flow.newGameRequested, 0);
  EXPECT_EQ(storage.gameModified, -1) << "a double is a change to save";
}

}  // namespace
}  // namespace bg::testing
