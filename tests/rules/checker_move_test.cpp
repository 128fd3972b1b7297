// Checker moves: which die each part-move uses, where the mover and a hit checker land for
// both directions, the record entry, the end of the move phase and of the game, and a
// record too full to take more.
#include "rules/checker_move.h"

#include <tuple>

#include "rules/new_game.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

class CheckerMoveTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    setStartingPosition();
    position.openingPhase = 0;
    // The computer moves unless a test says otherwise: its moves land step by step.
    position.playerType = {{{kComputerPlayer, kComputerPlayer}}};
    hand.typedMoveStep = 1;
    hand.moveStepCount = 1;
  }
  static const GameRecordEntry& lastEntry() { return record.gameRecord[record.gameRecordCount]; }
};

struct DiceRow {
  int16_t a, b;
  std::vector<std::pair<int16_t, int16_t>> moves;  // from, distance
  std::vector<int> diceUsed;
};

class DiceUseTest : public CheckerMoveTest, public ::testing::WithParamInterface<DiceRow> {};

TEST_P(DiceUseTest, MatchingDieFirstThenDieZeroWhileFreeAndDoublesFromTheLast) {
  displayServices.showDieUsed = [](int16_t die) { serviceLog.diceUsed.push_back(die), least::showDieUsed(die); };
  rollFor(0, GetParam().a, GetParam().b);
  for (const auto& [from, distance] : GetParam().moves) {
    EXPECT_EQ(flow.abortTurn, 0);
    moveChecker(from, distance);
  }
  EXPECT_EQ(serviceLog.diceUsed, GetParam().diceUsed);
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  for (const DiceEntry& die : diceState.dice) EXPECT_EQ(die.value, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, DiceUseTest,
                         ::testing::Values(DiceRow{6, 3, {{1, 3}, {12, 6}}, {1, 0}},
                                           DiceRow{6, 3, {{12, 5}, {12, 5}}, {0, 1}},  // neither die matches
                                           DiceRow{6, 3, {{12, 6}, {12, 5}}, {0, 1}},
                                           DiceRow{3, 3, {{17, 3}, {17, 3}, {19, 3}, {19, 3}}, {3, 2, 1, 0}}));

// One part-move: where the mover and any hit checker land, for both directions.
struct MoveRow {
  const char* position;
  int16_t side, from, distance, to;
  bool hit;
};

class MoveTest : public CheckerMoveTest, public ::testing::WithParamInterface<MoveRow> {};

TEST_P(MoveTest, LandsAndHitsWhereTheRulesSay) {
  const MoveRow& c = GetParam();
  setPosition(c.position);
  const int16_t dir = position.playerDirection[c.side];
  const int16_t enemyBar = position.barPoint[1 - c.side];
  const auto before = position.board;
  rollFor(c.side, c.distance, c.distance == 6 ? 5 : 6);
  moveChecker(c.from, c.distance);
  EXPECT_EQ(lastEntry().toPoint, c.to);
  EXPECT_EQ(lastEntry().flags & kFlagHit, c.hit ? kFlagHit : 0);
  EXPECT_EQ(position.board[c.from], before[c.from] - dir);
  EXPECT_EQ(position.board[c.to], c.hit ? dir : before[c.to] + dir);
  EXPECT_EQ(position.board[enemyBar], before[enemyBar] - (c.hit ? dir : 0));
  EXPECT_EQ(checkersOf(0), 15);
  EXPECT_EQ(checkersOf(1), 15);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MoveTest,
    ::testing::Values(MoveRow{"start", 1, 13, 5, 8, false}, MoveRow{"start", 0, 12, 5, 17, false},
                      MoveRow{"start 1:1 25:1", 0, 25, 4, 4, false}, MoveRow{"start 24:-1 0:-1", 1, 0, 4, 21, false},
                      MoveRow{"start 24:-1 23:-1", 0, 19, 4, 23, true}, MoveRow{"start 1:1 2:1", 1, 6, 4, 2, true},
                      MoveRow{"start 24:-1 23:-1 17:2 18:1", 0, 18, 6, 24, true},
                      MoveRow{"start 1:1 2:1 8:-2 7:-1", 1, 7, 6, 1, true},
                      MoveRow{"start 25:1 19:4 3:-1 6:-4", 0, 25, 3, 3, true},
                      MoveRow{"start 0:-1 6:-4 22:1 19:4", 1, 0, 3, 22, true}));

TEST_F(CheckerMoveTest, FifteenthBearOffEndsTheGameUnlessTheBestMoveCommandPlaysIt) {
  // The best-move command ends the game itself; a forced move played for it does not.
  for (const auto& [bestMove, forced, ends] : {std::tuple{-1, 0, false}, {-1, -1, true}, {0, 0, true}}) {
    setPosition("24:1 6:-15");
    flow.bestMoveForHuman = static_cast<int16_t>(bestMove);
    flow.forcedMovePlayed = static_cast<int16_t>(forced);
    flow.newGameRequested = 0;
    rollFor(0, 3, 1);
    moveChecker(24, 1);
    EXPECT_EQ(lastEntry().toPoint, -1);
    EXPECT_EQ(position.piecesOnBoard[0], 0);
    EXPECT_EQ(flow.newGameRequested, ends ? -1 : 0);
    EXPECT_EQ(flow.abortTurn, ends ? kLeaveTurn : 0);
    EXPECT_EQ(flow.movePhaseOver, 0) << "a computer side does not end the move phase here";
  }
}

TEST_F(CheckerMoveTest, AFullRecordStopsRecordingButNotTheGameAndTellsOnce) {
  setPosition("start 24:-1 23:-1");  // a blot on 23
  recordMessages();
  record.gameRecordCount = kLastPlayEntry - 1;
  rollFor(0, 6, 4);
  moveChecker(1, 6);  // fills the last play entry
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(serviceLog.messages.size(), 0u);
  moveChecker(19, 4);  // not recorded: the hit is made from the move in hand
  EXPECT_EQ(position.board[23], 1);
  EXPECT_EQ(position.board[0], -1);
  EXPECT_EQ(position.board[7], 1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].side, kEmptyEntrySide) << "kept for the game-end entry";
  rollFor(1, 1, 2);  // a full record takes no roll entry
  moveChecker(8, 1);
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
