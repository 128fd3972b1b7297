// The end of a turn with dice left over and the end of a game: the winner, gammons and
// backgammons under the cube, the Jacoby rule and resignations, the match and money
// totals, the game-end entry, the result texts, and playing on after the dialog.
#include "flow/flow_fixture.h"
#include "flow/game_end.h"
#include "state/cube_state.h"
#include "rules/game_record.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using testing::clearBoard;
using testing::FlowTest;
using testing::flowLog;
using testing::place;

class GameEndTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    shell.playerNames[0] = "Alice";
    shell.playerNames[1] = "Computer";
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    record.gameRecordCount = 5;  // some play before the end
    for (int16_t n = 1; n <= 5; ++n) record.gameRecord[n].side = static_cast<int16_t>(n % 2);
  }

  // Player 0 has borne off every checker; player 1 has `off` borne off, the rest on point
  // 12 (outside player 0's home) unless placed otherwise.
  static void player0BoreOff(int16_t off = 0, int16_t inWinnerHome = 0, int16_t onBar = 0) {
    clearBoard();
    place(1, 22, inWinnerHome);
    place(1, 0, onBar);
    place(1, 12, static_cast<int16_t>(kCheckersPerSide - off - inWinnerHome - onBar));
  }

  static const GameRecordEntry& lastEntry() { return record.gameRecord[record.gameRecordCount]; }
  static std::string dialogText() { return flowLog.dialogs.empty() ? "" : flowLog.dialogs.back(); }
};

TEST_F(GameEndTest, JacobyRuleCountsGammonsOnlyOnceTheCubeWasTurned) {
  cube.jacobyRule = -1;
  player0BoreOff();
  announceGameResult();
  EXPECT_EQ(flow.scores[0], 1);
  EXPECT_EQ(turnState.gameValueMultiplier[0], 1);

  record.gameRecordCount = 5;
  cube.cubeValue = 2;
  cube.cubeOwner = 1;
  announceGameResult();
  EXPECT_EQ(flow.gamePointsBySide[0], 4);
  EXPECT_EQ(flow.scores[0], 5);
}

TEST_F(GameEndTest, LoserWithNothingBorneOffLosesAGammonOrABackgammon) {
  cube.cubeValue = 2;
  cube.cubeOwner = 0;
  struct Case {
    int16_t off, home, bar;
    uint8_t backgammons;
    int16_t points;
  };
  const Case cases[] = {
      {0, 1, 0, 255, 6},  // a checker in the winner's home board
      {0, 0, 1, 255, 6},  // a checker on the bar
      {0, 1, 0, 0, 4},    // backgammons not allowed: a gammon
      {0, 0, 0, 255, 4},  // nothing back: a gammon
      {1, 3, 0, 255, 2},  // one checker borne off: a single game
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("off " + std::to_string(c.off) + " home " + std::to_string(c.home) + " bar " +
                 std::to_string(c.bar) + " allowed " + std::to_string(c.backgammons));
    record.gameRecordCount = 5;
    flow.scores[0] = 0;
    settings.backgammonAllowed = c.backgammons;
    player0BoreOff(c.off, c.home, c.bar);
    announceGameResult();
    EXPECT_EQ(flow.scores[0], c.points);
    EXPECT_EQ(lastEntry().toPoint, c.points);
    EXPECT_EQ(lastEntry().die1, c.points / 2);
  }
}

TEST_F(GameEndTest, PlayerOneWinsWithThePlayerZeroCheckersInItsHomeBoard) {
  clearBoard();
  place(0, 3, 2);  // player 1's home board is 1..6
  place(0, 14, 13);
  announceGameResult();
  EXPECT_EQ(flow.winnerSide, 1);
  EXPECT_EQ(flow.scores[1], 3);
  EXPECT_EQ(statistics.gamesWonBySide[1], 1);
  EXPECT_EQ(playerCounter(kBackgammonsWonWord, 1), 1);
  EXPECT_EQ(playerCounter(kPointsWonWord, 1), 3);
  EXPECT_EQ(dialogText(), "Computer won a triple game worth 3 points!!!");
}

TEST_F(GameEndTest, ResignationLevelReplacesTheMultiplier) {
  clearBoard();
  place(0, 20, 15);
  place(1, 12, 15);  // nobody has borne off
  cube.cubeValue = 4;
  cube.cubeOwner = 1;
  flow.autoConcession[1] = -1;
  flow.concessionLevel = 2;
  announceGameResult();
  EXPECT_EQ(flow.winnerSide, 0);
  EXPECT_EQ(flow.scores[0], 8);
  EXPECT_EQ(statistics.concessionsBySide[1], 1);
  EXPECT_EQ(statistics.gamesPlayedOut, 0);
  EXPECT_EQ(flow.concessionLevel, 0);
  EXPECT_EQ((std::vector<int>{lastEntry().side, lastEntry().die1, lastEntry().die2, lastEntry().flags}),
            (std::vector<int>{kGameEndEntrySide, 2, -1, kFlagGameEnd | kFlagConceded}));
}

TEST_F(GameEndTest, DroppedDoubleIsRecordedInTheGameEndEntry) {
  clearBoard();
  place(0, 20, 15);
  place(1, 12, 15);
  cube.cubeValue = 2;
  cube.playerDeclined[0] = -1;  // player 0 dropped: player 1 wins at the cube value
  flow.whoIsAheadUses[0] = 2;
  flow.whoIsAheadUses[1] = 3;
  announceGameResult();
  const GameRecordEntry& end = lastEntry();
  EXPECT_EQ(record.gameRecordCount, 6);
  EXPECT_EQ((std::vector<int>{end.fromPoint, end.toPoint, end.moveNumber, end.die2, end.cubeValue, end.flags}),
            (std::vector<int>{1, 2, -1, 0, 5, kFlagGameEnd}));
  EXPECT_EQ(statistics.droppedDoubles[0], 1);
  EXPECT_EQ(playerCounter(kDoublesDroppedWord, 0), 1);
  EXPECT_EQ(playerCounter(kDoublesDroppedWord, 1), 0);
  EXPECT_TRUE(testing::sawMessage("The computer wins the game"));
}

TEST_F(GameEndTest, CrawfordGameFollowsTheWinnerReachingOneAwayAndClearsAfterIt) {
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 5;
  flow.scores[0] = 3;
  player0BoreOff(2);
  announceGameResult();
  EXPECT_EQ(flow.scores[0], 4);
  EXPECT_EQ(flow.crawfordRestrictions[1], -1);
  EXPECT_EQ(flow.crawfordRestrictions[0], 0);

  record.gameRecordCount = 5;
  clearBoard();
  place(0, 14, 3);
  announceGameResult();
  EXPECT_EQ(flow.scores[1], 1);
  EXPECT_EQ(flow.crawfordRestrictions[0], 0);
  EXPECT_EQ(flow.crawfordRestrictions[1], 0);
}

TEST_F(GameEndTest, MatchWonIsAnnouncedAndEndedWhenTheDialogCloses) {
  static int tournamentEnds = 0;
  tournamentEnds = 0;
  turnServices.tournamentCommand = [] { ++tournamentEnds; };
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 5;
  flow.scores[0] = 4;
  player0BoreOff(1);
  announceGameResult();
  EXPECT_EQ(statistics.tournamentsWonBySide[0], 1);
  EXPECT_EQ(playerCounter(kTournamentsWonWord, 0), 1);
  EXPECT_TRUE(testing::sawMessage("#210"));
  EXPECT_EQ(flowLog.pauses.back(), 3.0f);
  EXPECT_EQ(dialogText(), "Alice won 1 point and won the tournament!");

  finishGameAndContinue();
  EXPECT_EQ(tournamentEnds, 1);
  EXPECT_EQ(flow.tournamentGoing, 0);
  EXPECT_EQ(flow.scores[0], 0);
  EXPECT_EQ(flow.newGameRequested, -1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);

  // A match that ends while quitting quits.
  static int quits = 0;
  quits = 0;
  turnServices.quitGame = [] { ++quits; };
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 1;
  shellFlags.quitRequested = -1;
  record.gameRecordCount = 5;
  player0BoreOff(1);
  announceGameResult();
  finishGameAndContinue();
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(flow.tournamentGoing, 0);
}

TEST_F(GameEndTest, MoneySessionShowsTheAmountWithTheCurrency) {
  flow.moneySessionActive = 255;
  options.wagerAmount = 2;
  options.wagerCurrency = "Euros";
  cube.cubeValue = 2;
  cube.cubeOwner = 0;
  player0BoreOff();
  announceGameResult();
  EXPECT_EQ(flow.scores[0], 8);
  EXPECT_EQ(boardInput.messageTitle, kMoneyResultsTitle);
  EXPECT_EQ(dialogText(), "Congratulations, you have won 8 Euros.");

  record.gameRecordCount = 5;
  clearBoard();
  place(0, 14, 3);
  announceGameResult();
  EXPECT_EQ(flow.scores[1], 4);
  EXPECT_EQ(dialogText(), "You lost 4 Euros.  Better luck next time.");
}

TEST_F(GameEndTest, ResultTextsNameTheWinnerAndTheGame) {
  struct Case {
    int16_t cubeValue, off, home;
    std::string text;
  };
  const Case cases[] = {
      {1, 1, 0, "Alice won 1 point"},
      {2, 1, 0, "Alice won 2 points!"},
      {2, 0, 0, "Alice won a double game worth 4 points!!"},
      {1, 0, 1, "Alice won a triple game worth 3 points!!!"},
  };
  for (const Case& c : cases) {
    record.gameRecordCount = 5;
    cube.cubeValue = c.cubeValue;
    cube.cubeOwner = c.cubeValue > 1 ? 1 : kCubeCentred;
    player0BoreOff(c.off, c.home);
    announceGameResult();
    EXPECT_EQ(dialogText(), c.text);
  }
  EXPECT_TRUE(testing::sawMessage("You win the game with a backgammon!"));
  EXPECT_TRUE(testing::sawMessage("Alice,  congratulations!"));

  // Between two computers the message line names the winner.
  flowLog.clear();
  position.playerType[0] = kComputerPlayer;
  record.gameRecordCount = 5;
  cube.cubeValue = 1;
  player0BoreOff(0);
  announceGameResult();
  EXPECT_TRUE(testing::sawMessage("Alice  wins the game with a gammon!"));
  EXPECT_FALSE(testing::sawMessage("Alice,  congratulations!"));
}

TEST_F(GameEndTest, AbandonedGameAndASecondAnnouncementAreNotScored) {
  clearBoard();
  announceGameResult();
  EXPECT_EQ(record.gameRecordCount, 5);
  EXPECT_EQ(flow.scores[0] + flow.scores[1], 0);
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_TRUE(flowLog.dialogs.empty());

  player0BoreOff(1);
  announceGameResult();
  announceGameResult();
  EXPECT_EQ(flow.scores[0], 1);
  EXPECT_EQ(statistics.gamesWonBySide[0], 1);
  EXPECT_EQ(record.gameRecordCount, 6);
  EXPECT_EQ(flowLog.dialogs.size(), 2u);
}

TEST_F(GameEndTest, NoPauseOpensNoDialogAndTheRolloutResetRequestsGo) {
  rollout.noPause = -1;
  rollout.keepRollsOnReset = -1;
  rollout.swapSidesOnReset = -1;
  player0BoreOff(1);
  announceGameResult();
  EXPECT_TRUE(flowLog.dialogs.empty());
  EXPECT_EQ(interaction.panelAnswer, -1);
  EXPECT_EQ(flow.scores[0], 1);
  EXPECT_EQ(rollout.keepRollsOnReset, 0);
  EXPECT_EQ(rollout.swapSidesOnReset, 0);
}

TEST_F(GameEndTest, PlayOnAfterADroppedDoubleDoublesTheCubeForTheDropper) {
  clearBoard();
  place(0, 20, 15);
  place(1, 12, 15);
  position.currentPlayer = 0;  // player 0 doubled, player 1 dropped
  position.otherPlayer = 1;
  cube.cubeValue = 2;
  cube.playerDeclined[1] = -1;
  flow.newGameRequested = -1;
  shellFlags.modalBusy = 1;
  announceGameResult();
  EXPECT_EQ(flow.scores[0], 2);
  ASSERT_EQ(record.gameRecordCount, 6);

  flow.continueGame = -1;
  finishGameAndContinue();
  EXPECT_EQ(cube.cubeValue, 4);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(position.currentPlayer, 1);  // the turn's hand-over gives the doubler the roll
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.newGameRequested, 0);
  EXPECT_EQ(cube.playerDeclined[1], 0);
  EXPECT_EQ(position.gameContinued, -1);
  EXPECT_EQ(shellFlags.modalBusy, 0);
  EXPECT_EQ(record.gameRecordCount, 5);
  EXPECT_EQ(record.gameRecord[6].side, kEmptyEntrySide);

  // The continued game's end is announced, not scored.
  clearBoard();
  place(0, 14, 3);
  announceGameResult();
  EXPECT_EQ(flow.scores[1], 0);
  EXPECT_EQ(flow.scores[0], 2);
  EXPECT_EQ(dialogText(), "Computer won 4 points! in the continued game");
}

TEST_F(GameEndTest, PlayOnAfterAResignationKeepsTheSideAndItsDice) {
  clearBoard();
  place(0, 20, 15);
  place(1, 12, 15);
  position.currentPlayer = 1;
  flow.autoConcession[1] = -1;
  flow.concessionLevel = 1;
  diceState.diceShowing = -1;
  announceGameResult();
  flow.continueGame = -1;
  finishGameAndContinue();
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(turnState.resumeWithDiceShown, -1);
  EXPECT_EQ(flow.abortTurn, 1);
  EXPECT_EQ(flow.autoConcession[1], 0);

  // Without dice on the board the side flips instead.
  turnState.resumeWithDiceShown = 0;
  diceState.diceShowing = 0;
  flow.autoConcession[1] = -1;
  announceGameResult();
  flow.continueGame = -1;
  finishGameAndContinue();
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(turnState.resumeWithDiceShown, 0);
}

// ---- End of turn with dice left over ----

class TurnEndTest : public GameEndTest {
 protected:
  void SetUp() override {
    GameEndTest::SetUp();
    clearBoard();
    place(0, 20, 15);
    place(1, 12, 15);
    position.currentPlayer = 1;
    position.otherPlayer = 0;
  }
  static void rolled(int16_t d0, int16_t d1, std::initializer_list<int16_t> left, int16_t played) {
    diceState.rolledDice[0] = d0;
    diceState.rolledDice[1] = d1;
    diceState.rolledDoubles = d0 == d1 ? -1 : 0;
    flow.movesAllowed = d0 == d1 ? 4 : 2;
    int16_t n = 0;
    for (const int16_t v : left) diceState.dice[n++].value = v;
    playSearch.playLength = played;
    flow.moveNumber = played;
  }
};

TEST_F(TurnEndTest, UnplayedDieIsRecordedAndTheComputerNamesIt) {
  rolled(6, 5, {0, 5, 0, 0}, 1);
  hook::recordTurnEnd();
  ASSERT_EQ(record.gameRecordCount, 6);
  const GameRecordEntry& e = lastEntry();
  EXPECT_EQ((std::vector<int>{e.side, e.fromPoint, e.toPoint, e.distance, e.die1, e.die2, e.moveNumber}),
            (std::vector<int>{1, 0, 0, 5, 6, 5, 2}));
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"The computer can't use its five"});
  EXPECT_EQ(flowLog.pauses, std::vector<float>{2.0f});
  EXPECT_EQ(boardInput.holdMessageLine, -1);
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(TurnEndTest, DoublesLeftOverAreCounted) {
  rolled(3, 3, {3, 3, 0, 0}, 2);
  hook::recordTurnEnd();
  EXPECT_EQ(record.gameRecordCount, 7);
  EXPECT_EQ(record.gameRecord[6].moveNumber, 3);
  EXPECT_EQ(record.gameRecord[7].moveNumber, 4);
  EXPECT_EQ(flowLog.messages.back(), "The computer can't use its last 2 threes");

  rolled(3, 3, {3, 0, 0, 0}, 3);
  hook::recordTurnEnd();
  EXPECT_EQ(flowLog.messages.back(), "The computer can't use its last three");
}

TEST_F(TurnEndTest, ComputerClosedOutIsToldOnlyOnce) {
  backgameTerms.homePointsMade[0] = 6;
  rolled(4, 2, {4, 2, 0, 0}, 0);
  hook::recordTurnEnd();
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"#58"});
  EXPECT_EQ(speech.waitForSpeechEnd, 0);  // the closed-out notice does not wait for speech
  flowLog.clear();
  rolled(4, 2, {4, 2, 0, 0}, 0);
  hook::recordTurnEnd();
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(record.gameRecordCount, 9);
}

TEST_F(TurnEndTest, QuietCheckOnlyNotesThatNoDieIsPlayable) {
  wholeRoll.endCheckOnly = -1;
  rolled(6, 5, {6, 5, 0, 0}, 0);
  hook::recordTurnEnd();
  EXPECT_EQ(wholeRoll.noMovesLeft, -1);
  EXPECT_EQ(record.gameRecordCount, 5);
  EXPECT_EQ(flow.abortTurn, 0);
  EXPECT_TRUE(flowLog.messages.empty());
}

TEST_F(TurnEndTest, HumanGetsNoNoticeAndTheBestMoveKeepsItsTurn) {
  position.currentPlayer = 0;
  flow.bestMoveForHuman = -1;
  rolled(6, 5, {0, 5, 0, 0}, 1);
  hook::recordTurnEnd();
  EXPECT_EQ(record.gameRecordCount, 6);
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(flow.abortTurn, 0);
}

}  // namespace
}  // namespace bg
