// The game record: its reset with the kept rolls of a replayed game, and a long game that
// fills it.
#include "rules/new_game.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

using GameRecordTest = RulesTest;

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
