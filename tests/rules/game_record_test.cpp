// The game record: its reset with the kept rolls of a replayed game, and a long game that
// fills it.
#include "rules/new_game.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

using GameRecordTest = RulesTest;

TEST_F(GameRecordTest, ResetKeepsTheRollsWithTheSameOrExchangedSidesUpToTheGameEnd) {
  for (const int16_t swap : {0, -1}) {
    for (long n = 0; n <= kGameRecordHighest; ++n) {
      record.gameRecord[n] = GameRecordEntry{static_cast<int16_t>(n % 2), 8, 5, 3, 3, 6, 2, 1, 2, 0x0F0F};
    }
    record.gameRecord[7].side = kGameEndEntrySide;
    record.gameRecordCount = 37;
    rollout.keepRollsOnReset = -1;
    rollout.swapSidesOnReset = swap;
    resetGameRecord();
    EXPECT_EQ(record.gameRecord[0], blankRecordEntry);
    EXPECT_EQ(record.gameRecord[2], (GameRecordEntry{static_cast<int16_t>(swap ? 1 : 0), 0, 0, 0, 3, 6, 0, 0, 0, 0}));
    EXPECT_EQ(record.gameRecord[7].side, kGameEndEntrySide);
    EXPECT_EQ(record.gameRecord[37].side, kEmptyEntrySide) << "the replay ends where the last game ended";
    EXPECT_EQ(rollout.keepRollsOnReset + rollout.swapSidesOnReset, 0);
  }
  resetGameRecord();  // without the keep request every entry is free
  for (long n = 1; n <= kGameRecordHighest; ++n) ASSERT_EQ(record.gameRecord[n].side, kEmptyEntrySide) << n;
}

TEST_F(GameRecordTest, AFullRecordStopsRecordingButNotTheGameAndTellsOnce) {
  setStartingPosition();
  position.playerType = {{{kComputerPlayer, kComputerPlayer}}};
  hand.typedMoveStep = hand.moveStepCount = 1;
  recordMessages();
  // Each turn a checker of each side moves 3 pips, then goes back, so the game goes on.
  int turns = 0;
  for (; record.recordFullTold == 0 && turns < 1000; ++turns) {
    rollFor(0, 1, 2);
    moveChecker(17, 1);
    moveChecker(18, 2);
    setPosition("start");
    rollFor(1, 1, 2);
    moveChecker(8, 1);
    moveChecker(7, 2);
    setPosition("start 24:-1 23:-1");  // a blot on 23
  }
  EXPECT_EQ(turns, kLastPlayEntry / 4 + 1);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].side, kEmptyEntrySide) << "kept for the game-end entry";

  rollFor(0, 6, 4);
  moveChecker(19, 4);  // the hit is made from the move in hand
  moveChecker(1, 6);
  EXPECT_EQ(position.board[23], 1);
  EXPECT_EQ(position.board[0], -1);
  EXPECT_EQ(position.board[7], 1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].side, kEmptyEntrySide);
  EXPECT_EQ(serviceLog.messages.size(), 1u) << "the user is told once";
  advanceGameRecordForGameEnd();
  advanceGameRecordForGameEnd();
  EXPECT_EQ(record.gameRecordCount, kGameRecordHighest);

  setStartingPosition();  // a new game records again and tells again
  rollFor(0, 6, 4);
  moveChecker(12, 4);
  EXPECT_EQ(record.gameRecordCount, 1);
  record.gameRecordCount = kLastPlayEntry;
  moveChecker(12, 6);
  EXPECT_EQ(serviceLog.messages.size(), 2u);
}

}  // namespace
}  // namespace bg::testing
