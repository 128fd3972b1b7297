// Checker moves: the record entry each part-move writes, the die it uses up, the board
// change through the display services, and the end of the move phase and the game.
#include "rules/checker_move.h"
#include "rules/new_game.h"
#include "rules_fixture.h"

#include <tuple>

namespace bg::testing {
namespace {

class CheckerMoveTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    setStartingPosition();
    position.openingPhase = 0;
    // The computer moves unless a test says otherwise: its moves land step by step.
    position.playerType[0] = kComputerPlayer;
    position.playerType[1] = kComputerPlayer;
    hand.typedMoveStep = 1;
    hand.moveStepCount = 1;
  }

  static void roll(int16_t side, int16_t a, int16_t b, int16_t rollFlags = 0) { rollFor(side, a, b, rollFlags); }
  static void move(int16_t from, int16_t distance) { moveChecker(from, distance); }

  static const GameRecordEntry& lastEntry() { return record.gameRecord[record.gameRecordCount]; }
};

TEST_F(CheckerMoveTest, NonDoubleUsesTheMatchingDieFirst) {
  recordDiceUsed();
  roll(0, 6, 3);
  move(1, 3);
  move(12, 6);
  EXPECT_EQ(serviceLog.diceUsed, (std::vector<int>{1, 0}));
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.turnNumber, 2);
}

TEST_F(CheckerMoveTest, DistanceMatchingNeitherDieUsesDieZeroWhileItIsFree) {
  recordDiceUsed();
  roll(0, 6, 3);
  move(12, 5);  // matches neither die: die 0 is free
  move(12, 5);  // die 0 is used: the other one
  EXPECT_EQ(serviceLog.diceUsed, (std::vector<int>{0, 1}));

  roll(0, 6, 3);
  move(12, 6);
  move(12, 5);
  EXPECT_EQ(serviceLog.diceUsed, (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(CheckerMoveTest, DoublesUseTheEntriesFromTheLastOneDown) {
  recordDiceUsed();
  roll(0, 3, 3);
  move(17, 3);
  move(17, 3);
  move(19, 3);
  EXPECT_EQ(flow.abortTurn, 0);
  move(19, 3);
  EXPECT_EQ(serviceLog.diceUsed, (std::vector<int>{3, 2, 1, 0}));
  EXPECT_EQ(flow.moveNumber, 4);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(position.board[20], 2);
  EXPECT_EQ(position.board[22], 2);
  for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 0);
}

TEST_F(CheckerMoveTest, EntryRecordsTheMoveAndKeepsTheRollFlags) {
  record.gameRecordCount = 4;
  roll(0, 6, 3, kFlagReRolledOpening | kFlagRolledOver | kFlagDiceByHand | kFlagRollCounted);
  // Stale bits of an earlier use of the entry go.
  record.gameRecord[5].flags |= static_cast<int16_t>(kFlagHit | 4096 | 8192);
  move(12, 3);
  EXPECT_EQ(record.gameRecordCount, 5);
  const GameRecordEntry& entry = lastEntry();
  EXPECT_EQ(entry.side, 0);
  EXPECT_EQ(entry.fromPoint, 12);
  EXPECT_EQ(entry.toPoint, 15);
  EXPECT_EQ(entry.distance, 3);
  EXPECT_EQ(entry.die1, 6);
  EXPECT_EQ(entry.die2, 3);
  EXPECT_EQ(entry.moveNumber, 1);
  EXPECT_EQ(entry.flags, kFlagReRolledOpening | kFlagRolledOver | kFlagDiceByHand | kFlagRollCounted);
  EXPECT_EQ(position.board[12], 4);
  EXPECT_EQ(position.board[15], 1);
  EXPECT_EQ(storage.gameModified, -1);

  move(15, 6);
  EXPECT_EQ(lastEntry().flags, 0) << "the second part-move's entry is fresh";
  EXPECT_EQ(lastEntry().moveNumber, 2);
}

// One part-move on the starting position with a few checkers put aside: where the
// mover and any hit checker land, for both directions, from the bar and to the edge points.
struct MoveCase {
  const char* name;
  std::vector<std::pair<int16_t, int16_t>> changes;  // (point, count) set before the move
  int16_t side, from, distance, to;
  bool hit;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class CheckerMoveCases : public CheckerMoveTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CheckerMoveCases, LandsAndHitsWhereTheRulesSay) {
  const MoveCase& c = GetParam();
  for (const auto& [point, count] : c.changes) position.board[point] = count;
  const int16_t dir = position.playerDirection[c.side];
  const int16_t fromBefore = position.board[c.from];
  const int16_t toBefore = position.board[c.to];
  const int16_t enemyBar = position.barPoint[1 - c.side];
  const int16_t enemyBarBefore = position.board[enemyBar];
  roll(c.side, c.distance, c.distance == 6 ? 5 : 6);
  move(c.from, c.distance);
  EXPECT_EQ(lastEntry().fromPoint, c.from);
  EXPECT_EQ(lastEntry().toPoint, c.to);
  EXPECT_EQ(lastEntry().flags & kFlagHit, c.hit ? kFlagHit : 0);
  EXPECT_EQ(hand.moveToPoint, c.to);
  EXPECT_EQ(position.board[c.from], fromBefore - dir);
  EXPECT_EQ(position.board[c.to], c.hit ? dir : toBefore + dir);
  EXPECT_EQ(position.board[enemyBar], enemyBarBefore - (c.hit ? dir : 0));
  EXPECT_EQ(checkersOf(0), 15);
  EXPECT_EQ(checkersOf(1), 15);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CheckerMoveCases,
    ::testing::Values(MoveCase{"DownTheBoard", {}, 1, 13, 5, 8, false},
                      MoveCase{"OntoEmpty", {}, 0, 1, 6, 7, false},
                      MoveCase{"OntoOwnPoint", {}, 0, 12, 5, 17, false},
                      MoveCase{"BarEntryUp", {{1, 1}, {25, 1}}, 0, 25, 4, 4, false},
                      MoveCase{"BarEntryDown", {{24, -1}, {0, -1}}, 1, 0, 3, 22, false},
                      MoveCase{"HitsABlot", {{24, -1}, {23, -1}}, 0, 19, 4, 23, true},
                      MoveCase{"HitsOnPointTwentyFour", {{24, -1}, {23, -1}, {17, 2}, {18, 1}}, 0, 18, 6, 24, true},
                      MoveCase{"HitsOnPointOne", {{1, 1}, {2, 1}}, 1, 6, 5, 1, true},
                      MoveCase{"HitsFromTheBar", {{25, 1}, {19, 4}, {3, -1}, {6, -4}}, 0, 25, 3, 3, true}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(CheckerMoveTest, BearOffRecordsMinusOneAndLowersTheCount) {
  position.board.fill(0);
  position.board[22] = 2;
  position.board[6] = -15;
  position.piecesOnBoard[0] = 2;
  roll(0, 6, 1);
  move(22, 6);  // a larger die than the pips needed
  EXPECT_EQ(lastEntry().toPoint, -1);
  EXPECT_EQ(lastEntry().distance, 6);
  EXPECT_EQ(position.piecesOnBoard[0], 1);
  EXPECT_EQ(position.board[22], 1);
  EXPECT_EQ(diceState.dice[0].value, 0);
  EXPECT_EQ(flow.newGameRequested, 0);
}

TEST_F(CheckerMoveTest, FifteenthBearOffEndsTheGameUnlessTheBestMoveCommandPlaysIt) {
  position.board.fill(0);
  position.board[6] = -15;
  // The best-move command ends the game itself; a forced move played for it does not.
  for (const auto& [bestMove, forced, ends] : {std::tuple{-1, 0, false}, {-1, -1, true}, {0, 0, true}}) {
    position.board[24] = 1;
    position.piecesOnBoard[0] = 1;
    flow.bestMoveForHuman = static_cast<int16_t>(bestMove);
    flow.forcedMovePlayed = static_cast<int16_t>(forced);
    flow.newGameRequested = 0;
    roll(0, 3, 1);
    move(24, 1);
    EXPECT_EQ(position.piecesOnBoard[0], 0);
    EXPECT_EQ(flow.newGameRequested, ends ? -1 : 0);
    EXPECT_EQ(flow.abortTurn, ends ? kLeaveTurn : 0);
    EXPECT_EQ(flow.movePhaseOver, 0) << "a computer side does not end the move phase here";
  }
}

TEST_F(CheckerMoveTest, HumanWhoWinsWithDiceLeftEndsTheMovePhase) {
  position.playerType[0] = kHumanPlayer;
  hand.typedMovePending = -1;
  position.board.fill(0);
  position.board[24] = 1;
  position.board[6] = -15;
  position.piecesOnBoard[0] = 1;
  roll(0, 3, 1);
  playSearch.playLength = 1;  // only one part-move was playable
  move(24, 1);
  EXPECT_EQ(flow.movePhaseOver, -1);
  EXPECT_EQ(flow.newGameRequested, -1);
  // The unplayed 3 got its own entry.
  EXPECT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(lastEntry().fromPoint, 0);
  EXPECT_EQ(lastEntry().toPoint, 0);
  EXPECT_EQ(lastEntry().distance, 3);
  EXPECT_EQ(lastEntry().moveNumber, 2);
}

TEST_F(CheckerMoveTest, EndMovePhaseRecordsNothingWhenTheTurnEndIsHandledElsewhere) {
  flowServices.recordTurnEnd = [] { serviceLog.calls.push_back("recordTurnEnd"); };
  endMovePhase();
  EXPECT_EQ(flow.movePhaseOver, -1);
  EXPECT_EQ(serviceLog.calls.size(), 1u);
  flow.movePhaseOver = 0;
  flow.turnEndPending = -1;
  endMovePhase();
  EXPECT_EQ(flow.movePhaseOver, -1);
  EXPECT_EQ(serviceLog.calls.size(), 1u);
}

TEST_F(CheckerMoveTest, MovePlayedAgainAfterATakeBackKeepsTheRollAndRecomputesTheHit) {
  position.board[24] = -1;
  position.board[5] = -1;  // a blot on 5
  roll(0, 4, 2, kFlagRollCounted);
  move(1, 4);
  EXPECT_EQ(record.gameRecord[1].flags, kFlagRollCounted | kFlagHit);
  // The take-back of that move: the checkers go back and the count falls; the
  // entry stays for the replay of its roll.
  position.board[5] = -1;
  position.board[0] = 0;
  position.board[1] = 2;
  record.gameRecordCount = 0;
  flow.moveNumber = 0;
  flow.movesLeft = 2;
  diceState.dice[0].value = 4;
  EXPECT_EQ(record.gameRecord[1].side, 0);
  EXPECT_EQ(record.gameRecord[1].die1, 4);
  EXPECT_EQ(record.gameRecord[1].die2, 2);

  move(12, 4);
  EXPECT_EQ(record.gameRecord[1].flags, kFlagRollCounted) << "the hit is recomputed, the roll flag stays";
  EXPECT_EQ(record.gameRecord[1].fromPoint, 12);
  EXPECT_EQ(record.gameRecord[2].side, kEmptyEntrySide);
}

TEST_F(CheckerMoveTest, HandMoveInSeveralStepsLandsOnceAtTheLastStep) {
  position.playerType[0] = kHumanPlayer;
  roll(0, 4, 2);
  // The user has lifted the checker off point 1 into the hand.
  position.board[1] -= 1;
  hand.moveStepCount = 2;
  hand.typedMoveStep = 1;
  move(1, 4);
  EXPECT_EQ(position.board[5], 0) << "the first step of a combined move does not land";
  hand.typedMoveStep = 2;
  move(5, 2);
  EXPECT_EQ(position.board[7], 1);
  EXPECT_EQ(position.board[1], 1);
  EXPECT_EQ(position.board[5], 0);
  EXPECT_EQ(checkersOf(0), 15);
  EXPECT_EQ(display.moveFromHand, 0) << "the landing consumes the hand-move flag";
}

TEST_F(CheckerMoveTest, HandMoveHitsOnTheWayAndAtTheEnd) {
  position.playerType[0] = kHumanPlayer;
  position.board[24] = 0;
  position.board[5] = -1;  // blots on 5 and 7
  position.board[7] = -1;
  roll(0, 4, 2);
  position.board[1] -= 1;
  hand.moveStepCount = 2;
  hand.typedMoveStep = 1;
  move(1, 4);
  EXPECT_EQ(position.board[5], 0);
  EXPECT_EQ(position.board[0], -1);
  hand.typedMoveStep = 2;
  move(5, 2);
  EXPECT_EQ(position.board[7], 1);
  EXPECT_EQ(position.board[0], -2);
  EXPECT_EQ(checkersOf(0), 15);
  EXPECT_EQ(checkersOf(1), 15);
}

TEST_F(CheckerMoveTest, HandMoveFlagIsSetOnlyForAHumanMovingByHand) {
  position.playerType[0] = kHumanPlayer;
  roll(0, 4, 2);
  displayServices.animateCheckerMove = [](int16_t, int16_t) { serviceLog.seen.push_back(display.moveFromHand); };
  move(12, 4);

  for (int variant = 0; variant < 3; ++variant) {
    roll(0, 4, 2);
    display.moveFromHand = 0;
    hand.typedMovePending = variant == 0 ? -1 : 0;
    rollout.rolloutRunning = variant == 1 ? 255 : 0;
    flow.bestMoveForHuman = variant == 2 ? -1 : 0;
    move(12, 4);
  }
  EXPECT_EQ(serviceLog.seen, (std::vector<int>{-1, 0, 0, 0}));
}

TEST_F(CheckerMoveTest, HumanBearOffFromTheHand) {
  position.playerType[0] = kHumanPlayer;
  position.board.fill(0);
  position.board[23] = 3;
  position.board[6] = -15;
  position.piecesOnBoard[0] = 3;
  roll(0, 2, 1);
  position.board[23] -= 1;  // lifted into the hand
  move(23, 2);
  EXPECT_EQ(position.board[23], 2);
  EXPECT_EQ(position.piecesOnBoard[0], 2);
  EXPECT_EQ(display.bearingOffPiece, 0);
}

}  // namespace
}  // namespace bg::testing
