// The game record: its reset (with the kept rolls of a replayed game) and what happens
// when a long game fills it.
#include "rules/new_game.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

class GameRecordTest : public RulesTest {
 protected:
  static void fillRecord() {
    for (long n = 0; n <= kGameRecordHighest; ++n) {
      record.gameRecord[n] = GameRecordEntry{static_cast<int16_t>(n % 2), 8, 5, 3, 3, 6, 2, 1, 2, 0x0F0F};
    }
  }
};

TEST_F(GameRecordTest, ResetFreesEveryEntryAndBlanksTheHeader) {
  fillRecord();
  rollout.swapSidesOnReset = -1;  // without the keep request nothing is swapped
  resetGameRecord();
  EXPECT_EQ(record.gameRecord[0], blankRecordEntry);
  GameRecordEntry freeEntry = blankRecordEntry;
  freeEntry.side = kEmptyEntrySide;
  for (long n = 1; n <= kGameRecordHighest; ++n) ASSERT_EQ(record.gameRecord[n], freeEntry) << "entry " << n;
  EXPECT_EQ(rollout.swapSidesOnReset, 0);
}

TEST_F(GameRecordTest, ResetCanKeepTheRollsWithTheSameOrExchangedSides) {
  fillRecord();
  record.gameRecord[7].side = kGameEndEntrySide;
  record.gameRecordCount = 37;
  rollout.keepRollsOnReset = -1;
  resetGameRecord();
  EXPECT_EQ(record.gameRecord[2], (GameRecordEntry{0, 0, 0, 0, 3, 6, 0, 0, 0, 0}));
  EXPECT_EQ(record.gameRecord[3], (GameRecordEntry{1, 0, 0, 0, 3, 6, 0, 0, 0, 0}));
  EXPECT_EQ(record.gameRecord[7].side, kGameEndEntrySide);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].die2, 6) << "the whole record is reset";
  GameRecordEntry freeEntry = blankRecordEntry;
  freeEntry.side = kEmptyEntrySide;
  EXPECT_EQ(record.gameRecord[37], freeEntry) << "the replay ends where the last game ended";
  EXPECT_EQ(record.gameRecord[0], blankRecordEntry);
  EXPECT_EQ(rollout.keepRollsOnReset, 0);

  fillRecord();
  record.gameRecord[7].side = kGameEndEntrySide;
  record.gameRecord[9].side = kEmptyEntrySide;
  rollout.keepRollsOnReset = -1;
  rollout.swapSidesOnReset = -1;
  resetGameRecord();
  EXPECT_EQ(record.gameRecord[2].side, 1);
  EXPECT_EQ(record.gameRecord[3].side, 0);
  EXPECT_EQ(record.gameRecord[3].die1, 3);
  EXPECT_EQ(record.gameRecord[7].side, kGameEndEntrySide);
  EXPECT_EQ(record.gameRecord[9].side, kEmptyEntrySide);
  EXPECT_EQ(rollout.keepRollsOnReset, 0);
  EXPECT_EQ(rollout.swapSidesOnReset, 0);
}

class FullRecordTest : public GameRecordTest {
 protected:
  void SetUp() override {
    GameRecordTest::SetUp();
    setStartingPosition();
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
    hand.typedMoveStep = 1;
    hand.moveStepCount = 1;
    recordMessages();
  }
  static void move(int16_t from, int16_t distance) { moveChecker(from, distance); }
};

TEST_F(FullRecordTest, AGameRunningBackAndForthFillsTheRecordWithoutStopping) {
  // Each turn a checker of each side moves 3 pips in two part-moves; the test puts it
  // back afterwards so that the game can go on for ever.
  int turns = 0;
  while (record.recordFullTold == 0 && turns < 1000) {
    rollFor(0, 1, 2);
    move(17, 1);
    move(18, 2);
    position.board[20] -= 1;
    position.board[17] += 1;
    rollFor(1, 1, 2);
    move(8, 1);
    move(7, 2);
    position.board[5] += 1;
    position.board[8] -= 1;
    ++turns;
  }
  EXPECT_EQ(turns, kLastPlayEntry / 4 + 1);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(serviceLog.messages.size(), 1u);
  EXPECT_EQ(checkersOf(0), 15);
  EXPECT_EQ(checkersOf(1), 15);
  GameRecordEntry freeEntry = blankRecordEntry;
  freeEntry.side = kEmptyEntrySide;
  EXPECT_EQ(record.gameRecord[kGameRecordHighest], freeEntry) << "the game-end entry's place stays free";

  advanceGameRecordForGameEnd();
  EXPECT_EQ(record.gameRecordCount, kGameRecordHighest);
  advanceGameRecordForGameEnd();
  EXPECT_EQ(record.gameRecordCount, kGameRecordHighest);
}

TEST_F(FullRecordTest, UnrecordedMoveStillMovesTheCheckersAndUsesTheDie) {
  record.gameRecordCount = kLastPlayEntry;
  EXPECT_FALSE(recordHasRoomForRoll());
  position.board[24] = -1;
  position.board[23] = -1;  // a blot on 23
  rollFor(0, 6, 4);
  const GameRecordEntry lastBefore = record.gameRecord[kGameRecordHighest];
  move(19, 4);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest], lastBefore);
  EXPECT_EQ(position.board[19], 4);
  EXPECT_EQ(position.board[23], 1);
  EXPECT_EQ(position.board[0], -1) << "the hit is made from the move in hand";
  EXPECT_EQ(diceState.dice[1].value, 0);
  EXPECT_EQ(flow.moveNumber, 1);
  ASSERT_EQ(serviceLog.messages.size(), 1u);
  EXPECT_EQ(serviceLog.messages[0].substr(0, 2), "MM");

  move(1, 6);
  EXPECT_EQ(position.board[7], 1);
  EXPECT_EQ(serviceLog.messages.size(), 1u) << "the user is told once";
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(FullRecordTest, UnrecordedBarEntryAndBearOff) {
  record.gameRecordCount = kLastPlayEntry;
  position.board.fill(0);
  position.board[0] = -1;
  position.board[3] = -14;
  position.board[24] = 15;
  position.piecesOnBoard[1] = 15;
  rollFor(1, 5, 2);
  move(0, 5);
  EXPECT_EQ(position.board[0], 0);
  EXPECT_EQ(position.board[20], -1);
  move(3, 2);
  EXPECT_EQ(position.board[1], -1);

  rollFor(0, 6, 1);
  move(24, 1);
  EXPECT_EQ(position.piecesOnBoard[0], 14);
  EXPECT_EQ(position.board[24], 14);
}

TEST_F(FullRecordTest, UnplayedDiceOfAFullRecordAreNotWritten) {
  record.gameRecordCount = kLastPlayEntry - 1;
  rollFor(0, 6, 5);
  flowServices.recordTurnEnd();
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kLastPlayEntry].distance, 6);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].side, kEmptyEntrySide);
  EXPECT_EQ(flow.moveNumber, 2);
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(FullRecordTest, ANewGameRecordsAgainAndTellsAgain) {
  record.gameRecordCount = kLastPlayEntry;
  rollFor(0, 6, 4);
  move(12, 4);
  EXPECT_EQ(record.moveUnrecorded, -1);
  setStartingPosition();
  EXPECT_EQ(record.moveUnrecorded, 0);
  rollFor(0, 6, 4);
  move(12, 4);
  EXPECT_EQ(record.gameRecordCount, 1);
  EXPECT_EQ(record.gameRecord[1].toPoint, 16);
  record.gameRecordCount = kLastPlayEntry;
  move(12, 6);
  EXPECT_EQ(serviceLog.messages.size(), 2u);
}

}  // namespace
}  // namespace bg::testing
