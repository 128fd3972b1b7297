// A game's mechanics: the starting position and its recognition with the per-game resets;
// the dice pool and which dice show; checker moves: which die each part-move uses, where
// the mover and a hit checker land for both directions, the record entry, the end of the
// move phase, and a record too full to take more.
#include "rules/new_game.h"

#include <map>

#include "rules/checker_move.h"
#include "rules/record_walk.h"
#include "rules/starting_position.h"
#include "rules_fixture.h"
#include "state/concession_state.h"
#include "state/cube_state.h"
#include "state/display_state.h"

namespace bg::testing {
namespace {

using NewGameTest = RulesTest;

TEST_F(NewGameTest, StartingPositionHasFifteenMenAndOneHundredSixtySevenPipsASide) {
  setPosition("25:3 3:-4 | cube 8 1 | dice 5 5");
  record.gameRecordCount = 57;
  record.gameRecord[9].side = 1;
  setStartingPosition();
  int pips[2] = {0, 0};
  for (int i = 1; i <= 24; ++i) {
    pips[0] += std::max<int>(position.board[i], 0) * (25 - i);
    pips[1] += std::max<int>(-position.board[i], 0) * i;
  }
  EXPECT_EQ((std::vector<int>{pips[0], pips[1], checkersOf(0), checkersOf(1), position.piecesOnBoard[0] + position.piecesOnBoard[1]}),
            (std::vector<int>{167, 167, 15, 15, 30}));
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(record.gameRecord[9].side, kEmptyEntrySide);
  for (const DiceEntry& die : diceState.dice) EXPECT_EQ(die.value, 0);
  // Only the exact start is recognised, and it starts the turn count again.
  for (const char* text : {"start", "start 24:-1 0:-1", "start 12:4 1:3", "start 1:1 25:1", "start 6:-4 5:-1"}) {
    setPosition(text);
    flow.turnNumber = 7;
    position.openingPhase = 0;
    checkStartingPosition();
    const bool start = std::string_view(text) == "start";
    EXPECT_EQ(position.openingPhase, start ? -1 : 0) << text;
    EXPECT_EQ(flow.turnNumber, start ? 1 : 7) << text;
  }
}

TEST_F(NewGameTest, RollsAreFairAndNeverReadSlotZeroOrThirtyOne) {
  fillDicePool();
  diceState.dicePool[0] = 9;  // the two slots that are never drawn
  diceState.dicePool[31] = 9;
  std::map<int, int> faces;
  for (int n = 0; n < 6000; ++n) ++faces[rollDie()];
  ASSERT_EQ(faces.size(), 6u);
  for (const auto& [face, count] : faces) {
    EXPECT_TRUE(face >= 1 && face <= 6) << face;
    EXPECT_NEAR(count, 1000, 150) << face;
  }
  EXPECT_EQ(diceState.dicePool[0], 9);
  EXPECT_EQ(diceState.dicePool[31], 9);
}

TEST_F(NewGameTest, DisplayFlagsHideTheSideNotOnTurn) {
  // Turn player, opening phase, dice showing; hidden flags [end][place] of both dice places.
  for (const auto& [turnPlayer, openingPhase, show, hidden] :
       {std::tuple{1, 0, -1, std::vector<int>{0, 0, 255, 255}}, {0, 0, -1, {255, 255, 0, 0}},
        {0, -1, -1, {255, 0, 255, 0}},  // the opening roll: one each
        {0, 0, 0, {0, 0, 0, 0}}}) {
    position.turnPlayer = static_cast<int16_t>(turnPlayer);
    position.openingPhase = static_cast<int16_t>(openingPhase);
    hook::setDiceDisplayFlags(static_cast<int16_t>(show));
    std::vector<int> seen;
    for (const auto& end : display.dieSlots) {
      for (const auto& place : end) seen.push_back(place.hidden);
    }
    EXPECT_EQ(seen, hidden);
    EXPECT_EQ(diceState.diceShowing, show);
  }
}

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

// Play never waits on room in the record: a full record drops its oldest whole turn for
// each move it records, for either side, and what is kept leads back from the board.
TEST_F(CheckerMoveTest, AFullRecordDropsItsOldestTurnsAndRecordsEveryMove) {
  setPosition("start 24:-1 23:-1");  // a blot on 23
  recordMessages();
  // Side 1's two-step turn first, then single unplayed dice of alternate sides.
  record.gameRecord[1] = {1, 0, 0, 3, 3, 1, 1, 0, 0, 0};
  record.gameRecord[2] = {1, 0, 0, 1, 3, 1, 2, 0, 0, 0};
  for (int16_t n = 3; n < kLastPlayEntry; ++n) record.gameRecord[n] = {static_cast<int16_t>(n % 2), 0, 0, 3, 3, 1, 1, 0, 0, 0};
  const GameRecordEntry third = record.gameRecord[3];
  record.gameRecordCount = kLastPlayEntry - 1;
  concession.concessionCheckTurn = kLastPlayEntry - 10;
  rollFor(0, 6, 4);
  moveChecker(1, 6);  // fills the last play entry
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  moveChecker(19, 4);  // the hit: side 1's two steps go
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry - 1);
  EXPECT_EQ(record.gameRecord[1], third);
  EXPECT_EQ(concession.concessionCheckTurn, kLastPlayEntry - 12) << "the mark moves with its entry";
  const GameRecordEntry hit{0, 19, 23, 4, 6, 4, 2, 0, 0, kFlagHit};
  EXPECT_EQ(record.gameRecord[record.gameRecordCount], hit);
  rollFor(1, 1, 2);
  moveChecker(0, 1);  // side 1 enters
  moveChecker(24, 2);
  const GameRecordEntry entered{1, 0, 24, 1, 1, 2, 1, 0, 0, 0};
  const GameRecordEntry onward{1, 24, 22, 2, 1, 2, 2, 0, 0, 0};
  EXPECT_EQ(record.gameRecord[record.gameRecordCount - 1], entered);
  EXPECT_EQ(record.gameRecord[record.gameRecordCount], onward);
  EXPECT_EQ(record.gameRecordCount, kLastPlayEntry);
  EXPECT_EQ(record.gameRecord[kGameRecordHighest].side, kEmptyEntrySide) << "kept for the game-end entry";
  EXPECT_TRUE(serviceLog.messages.empty());
  // Undone entry by entry from the board, every kept entry stands where it says.
  BoardCounts b = boardCountsOf(position.board);
  for (int16_t n = record.gameRecordCount; n >= 1; --n)
    ASSERT_EQ(undoEntryOnBoard(record.gameRecord[n], b), UndoFault::kNone) << n;
  advanceGameRecordForGameEnd();
  advanceGameRecordForGameEnd();
  EXPECT_EQ(record.gameRecordCount, kGameRecordHighest);
}

}  // namespace
}  // namespace bg::testing
