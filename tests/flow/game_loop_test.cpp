// The main loop and the game loop: no turn while a dialog is open, a new game after the
// end-of-game dialog closes, no new game while quitting, an opponent-mode change at the
// next game, the end of the opening phase, the side switch after a turn.
#include <functional>

#include "flow/flow_fixture.h"
#include "flow/game_end.h"
#include "rules/game_record.h"
#include "rules/new_game.h"
#include "state/rollout_state.h"

namespace bg {
namespace {

using testing::FlowTest;
using testing::flowLog;

// Scripted steps of the human's turns: the n-th call runs turns[n] (or only ends the turn).
std::vector<std::function<void()>> turns;
size_t turnsPlayed = 0;

void scriptedHumanTurn() {
  const size_t n = turnsPlayed++;
  if (n < turns.size()) turns[n]();
  flow.abortTurn = kLeaveTurn;
}

// Leaves the game loop after the turn being played, as a test exit; the game is
// abandoned, so nothing is announced.
void stopAfterThisTurn() {
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
  shellFlags.quitRequested = -1;
  shellFlags.modalBusy = 1;
  flow.newGameRequested = -1;
}

class GameLoopTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    turns.clear();
    turnsPlayed = 0;
    flow.opponentMode = 3;
    turnState.previousOpponentMode = 3;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kHumanPlayer;
    rollout.noPause = -1;
    turnServices.humanTurn = scriptedHumanTurn;
    flow.newGameRequested = -1;
  }
};

TEST_F(GameLoopTest, NoTurnStartsWhileADialogIsOpen) {
  turnServices.pumpEvents = [] {
    ++flowLog.pumps;
    if (flowLog.pumps == 1) shellFlags.modalBusy = 1;  // a dialog opens
    if (flowLog.pumps == 5) shellFlags.quitRequested = -1;
  };
  runMainLoop();
  EXPECT_EQ(flowLog.pumps, 5);
  EXPECT_EQ(flow.gamesThisRun, 0);
  EXPECT_EQ(turnsPlayed, 0u);
}

TEST_F(GameLoopTest, NewGameStartsOnlyAfterTheEndOfGameDialogCloses) {
  rollout.noPause = 0;  // the end-of-game dialog opens
  static int gamesAtDialogClose = 0;
  turns = {[] {
             position.piecesOnBoard[position.currentPlayer] = 0;  // the side bore off
             flow.newGameRequested = -1;
           },
           stopAfterThisTurn};
  turnServices.showEndGameDialog = [](std::string_view text) {
    flowLog.dialogs.emplace_back(text);
    shellFlags.modalBusy = 1;
  };
  turnServices.pumpEvents = [] {
    ++flowLog.pumps;
    if (shellFlags.modalBusy == 0 || shellFlags.quitRequested != 0) return;
    // The dialog stays open for two slices, then the user closes it.
    if (flowLog.pumps == 3) {
      gamesAtDialogClose = flow.gamesThisRun;
      finishGameAndContinue();
    }
  };
  runMainLoop();
  EXPECT_EQ(flowLog.dialogs.size(), 1u);
  EXPECT_EQ(gamesAtDialogClose, 1);
  EXPECT_EQ(flow.gamesThisRun, 2);
  EXPECT_EQ(turnsPlayed, 2u);
}

TEST_F(GameLoopTest, QuittingStartsNoNewGame) {
  setStartingPosition();
  shellFlags.quitRequested = -1;
  flow.newGameRequested = -1;
  position.piecesOnBoard[0] = 0;  // New Game abandoned the game in progress
  position.piecesOnBoard[1] = 0;
  turns = {[] { shellFlags.modalBusy = 1; }};
  gameLoopStep();
  EXPECT_EQ(flow.gamesThisRun, 0);
  EXPECT_EQ(turnsPlayed, 1u);
}

TEST_F(GameLoopTest, OpponentModeChangeTakesEffectAtTheNextGame) {
  static CheckedArray<int16_t, 1> typesAfterChange;
  turns = {[] {
             flow.opponentMode = 1;  // chosen from the menu during the game
             position.piecesOnBoard[0] = 0;
             position.piecesOnBoard[1] = 0;
             flow.newGameRequested = -1;
           },
           [] {}};
  turnServices.applyOpponentMode = [] {
    flowLeast::applyOpponentMode();
    typesAfterChange = position.playerType;
    stopAfterThisTurn();
  };
  turnServices.setCursor = [](int16_t) {
    // Before the change is applied every turn is a human's.
    if (flow.gamesThisRun == 1) {
      EXPECT_EQ(position.playerType[1], kHumanPlayer);
    }
  };
  gameLoopStep();
  EXPECT_EQ(flow.gamesThisRun, 2);
  EXPECT_EQ(typesAfterChange[0], kHumanPlayer);
  EXPECT_EQ(typesAfterChange[1], kComputerPlayer);
  EXPECT_EQ(turnState.previousOpponentMode, 1);
}

// The first turn writes `toPoint` into its last entry; the second reports the opening.
void openingAfterFirstTurn(int16_t toPoint, int16_t* openingSeen) {
  static int16_t* seen = nullptr;
  static int16_t landing = 0;
  seen = openingSeen;
  landing = toPoint;
  turns = {[] {
             record.gameRecordCount = 2;
             record.gameRecord[1] = GameRecordEntry{0, 1, 7, 6, 6, 5, 1, 0, 0, 0};
             record.gameRecord[2] = GameRecordEntry{0, 1, landing, 5, 6, 5, 2, 0, 0, 0};
           },
           [] {
             *seen = position.openingPhase;
             stopAfterThisTurn();
           }};
}

TEST_F(GameLoopTest, OpeningEndsOnceACheckerHasLanded) {
  int16_t opening = 99;
  openingAfterFirstTurn(6, &opening);
  gameLoopStep();
  EXPECT_EQ(opening, 0);
}

TEST_F(GameLoopTest, OpeningGoesOnWhenTheLastEntryLandedNoChecker) {
  int16_t opening = 99;
  openingAfterFirstTurn(0, &opening);
  gameLoopStep();
  EXPECT_EQ(opening, -1);
}

TEST_F(GameLoopTest, PendingSideSwitchIsMadeAfterTheTurn) {
  static int switches = 0;
  static int switchesSeen = -1;
  switches = 0;
  turnServices.switchHumanComputerSide = [] { ++switches; };
  turns = {[] { shellFlags.switchSidesPending = -1; },
           [] {
             switchesSeen = switches;
             stopAfterThisTurn();
           }};
  gameLoopStep();
  EXPECT_EQ(switchesSeen, 1);
}

TEST_F(GameLoopTest, EveryTurnStartsRunning) {
  static std::vector<int> abortSeen;
  abortSeen.clear();
  turns = {[] { abortSeen.push_back(flow.abortTurn); },
           [] {
             abortSeen.push_back(flow.abortTurn);
             stopAfterThisTurn();
           }};
  gameLoopStep();
  EXPECT_EQ(abortSeen, (std::vector<int>{0, 0}));
}

}  // namespace
}  // namespace bg
