// Take-back: every unit it undoes, the dice and cube it gives back, the part-move
// take-back during move entry for both directions, and, in two-human play, any sequence
// of turns and doubles undone by as many take-backs.
#include "rules/take_back.h"

#include <random>
#include <vector>

#include "rules/checker_move.h"
#include "rules/cube_record.h"
#include "rules/new_game.h"
#include "rules_fixture.h"
#include "runtime/core/clock.h"

namespace bg::testing {
namespace {

class TakeBackTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    setStartingPosition();
    position.openingPhase = 0;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kHumanPlayer;
    flow.opponentMode = 3;
    // Moves are played as typed moves: each checker is lifted from its point.
    hand.typedMovePending = -1;
  }

  // The roll with its dice shown.
  static void roll(int16_t side, int16_t a, int16_t b) {
    rollFor(side, a, b);
    hook::setDiceDisplayFlags(-1);
  }

  static void move(int16_t from, int16_t distance) { moveChecker(from, distance); }

  // The end of a turn: the unplayed dice recorded, the dice taken off.
  static void endTurn() {
    hook::recordTurnEnd();
    removeDice();
  }

  // A whole turn of two part-moves.
  static void turn(int16_t side, int16_t a, int16_t b, int16_t fromA, int16_t fromB) {
    roll(side, a, b);
    move(fromA, a);
    move(fromB, b);
    endTurn();
  }

  // A double by `doubler` before its roll, taken.
  static void double_(int16_t doubler) {
    position.currentPlayer = doubler;
    position.otherPlayer = static_cast<int16_t>(1 - doubler);
    cube.cubeValue = static_cast<int16_t>(cube.cubeValue * 2);
    recordCubeChange();
  }

  // The user lifts the checker on `held` and puts it on `target`.
  static void holdAndPut(int16_t held, int16_t target) {
    if (held >= 0) position.board[held] -= position.playerDirection[position.currentPlayer];
    hand.selectedPoint = held;
    hand.moveToPoint = target;
  }

  static std::vector<int16_t> boardNow() { return {position.board.begin(), position.board.end()}; }

  static void logCheckerMoves() {
    displayServices.animateCheckerMove = [](int16_t x, int16_t y) {
      serviceLog.calls.push_back("move:" + std::to_string(position.currentPlayer) + ":" +
                                 std::to_string(hand.selectedPoint) + ">" + std::to_string(hand.moveToPoint));
      least::animateCheckerMove(x, y);
    };
  }
};

TEST_F(TakeBackTest, NothingRecordedChangesNothing) {
  logCheckerMoves();
  interaction.takeBackPending = 1;
  record.gameRecord[0].moveNumber = 3;  // a header counter is no part-move
  const std::vector<int16_t> before = boardNow();
  for (int16_t wait : {0, -1}) {
    flow.rollWaitActive = wait;
    takeBack();
    EXPECT_EQ(record.gameRecordCount, 0);
    EXPECT_EQ(position.currentPlayer, 0);
    EXPECT_EQ(boardNow(), before);
    EXPECT_EQ(record.gameRecord[0].cubeValue, 0) << "no take-back counted";
    EXPECT_EQ(interaction.takeBackPending, 1) << "nothing was undone";
  }
  EXPECT_TRUE(serviceLog.calls.empty());

  // A game-end entry has nothing to undo either.
  record.gameRecordCount = 1;
  record.gameRecord[1] = blankRecordEntry;
  record.gameRecord[1].side = kGameEndEntrySide;
  record.gameRecord[1].flags = kFlagGameEnd;
  record.gameRecord[1].moveNumber = -1;
  takeBack();
  EXPECT_EQ(record.gameRecordCount, 1);
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(interaction.takeBackPending, 1);
}

TEST_F(TakeBackTest, RollShownBeforeAnyMoveGoesBackToTheOtherSide) {
  turn(0, 6, 1, 1, 17);
  roll(1, 5, 3);
  interaction.takeBackPending = 1;
  settings.automaticRolls = -1;
  takeBack();
  EXPECT_EQ(position.currentPlayer, 0) << "the sides swap";
  EXPECT_EQ(position.otherPlayer, 1);
  EXPECT_EQ(diceState.diceShowing, 0);
  for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.rolledDice[n], 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.firstRollNeedsClick, -1) << "with automatic rolls the next roll waits for a click";
  EXPECT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(interaction.takeBackPending, 0);
  // The roll stays in the record for the replay.
  EXPECT_EQ(record.gameRecord[3].side, 1);
  EXPECT_EQ(record.gameRecord[3].die1, 5);
  EXPECT_EQ(record.gameRecord[3].die2, 3);
}

TEST_F(TakeBackTest, MovesOfTheRollInHandComeBackWithTheirDie) {
  const std::vector<int16_t> before = boardNow();
  roll(0, 6, 3);
  move(12, 3);
  ASSERT_EQ(diceState.dice[1].value, 0);
  takeBack();
  EXPECT_EQ(boardNow(), before);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(diceState.dice[0].value, 6);
  EXPECT_EQ(diceState.dice[1].value, 3);
  EXPECT_EQ(diceState.diceShowing, -1);
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(position.currentPlayer, 1) << "the next turn flips back to player 0 and replays its roll";
  EXPECT_EQ(record.gameRecord[1].side, 0);
  EXPECT_EQ(record.gameRecord[1].die1, 6);
  EXPECT_EQ(record.gameRecord[1].die2, 3);
  EXPECT_EQ(flow.turnTakeBacks[0], 1);
}

TEST_F(TakeBackTest, DoublesComeBackToEntriesZeroToThreeInOrder) {
  std::vector<std::vector<int16_t>> seen;
  static std::vector<std::vector<int16_t>>* log = &seen;
  log = &seen;
  roll(0, 4, 4);
  move(1, 4);
  move(1, 4);
  move(12, 4);
  move(12, 4);
  displayServices.frameAllDice = [] {
    std::vector<int16_t> values;
    for (const DiceEntry& die : diceState.dice) values.push_back(die.value);
    log->push_back(values);
  };
  flow.rollWaitActive = -1;  // the moves of the roll, not whole turns
  takeBack();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], (std::vector<int16_t>{4, 0, 0, 0}));
  EXPECT_EQ(seen[1], (std::vector<int16_t>{4, 4, 0, 0}));
  EXPECT_EQ(seen[2], (std::vector<int16_t>{4, 4, 4, 0}));
  EXPECT_EQ(seen[3], (std::vector<int16_t>{4, 4, 4, 4}));
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(flow.movesAllowed, 4);
  EXPECT_EQ(diceState.rolledDoubles, -1);
  EXPECT_EQ(flow.turnTakeBacks[0], 4);
}

TEST_F(TakeBackTest, WholeTurnsAreTwoAgainstTheComputerAndOneBetweenPeople) {
  const std::vector<int16_t> start = boardNow();
  turn(0, 6, 1, 12, 17);
  const std::vector<int16_t> afterFirst = boardNow();
  const int16_t countAfterFirst = record.gameRecordCount;
  turn(1, 5, 2, 13, 13);

  flow.opponentMode = 3;
  takeBack();
  EXPECT_EQ(boardNow(), afterFirst);
  EXPECT_EQ(record.gameRecordCount, countAfterFirst);
  EXPECT_EQ(record.gameRecord[0].cubeValue, 1) << "header: took back moves used";
  EXPECT_EQ(flow.movesLeft, 0);
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_EQ(position.currentPlayer, 1);

  turn(1, 5, 2, 13, 13);  // the replayed roll
  flow.opponentMode = 1;
  position.playerType[1] = kComputerPlayer;
  flow.abortTurn = 0;
  takeBack();
  EXPECT_EQ(boardNow(), start);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(position.openingPhase, -1) << "back at the starting position";
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(flow.abortTurn, 0) << "player 0's roll follows: no replay by the computer";

  // When the computer's recorded roll follows, it replays it.
  turn(0, 6, 1, 12, 17);
  turn(1, 5, 2, 13, 13);
  turn(0, 3, 2, 12, 12);
  flow.abortTurn = 0;
  takeBack();  // two turns: player 0's last and the computer's before it
  EXPECT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(record.gameRecord[3].side, 1);
  EXPECT_EQ(position.currentPlayer, 0) << "the turn flips to the computer, which replays 5-2";
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(TakeBackTest, HitThroughTheRecordReturnsTheHitCheckerFirst) {
  logCheckerMoves();
  position.board[24] = -1;
  position.board[23] = -1;  // a player-1 blot on 23
  const std::vector<int16_t> before = boardNow();
  turn(0, 4, 2, 19, 17);
  serviceLog.calls.clear();
  takeBack();
  EXPECT_EQ(boardNow(), before);
  EXPECT_EQ(position.board[0], 0);
  EXPECT_EQ(serviceLog.calls, (std::vector<std::string>{"move:0:19>17", "move:1:0>23", "move:0:23>19"}));
  EXPECT_EQ(record.gameRecord[1].flags & kFlagHit, 0);
}

TEST_F(TakeBackTest, DoubleTakeBackRestoresTheCubeItReplaced) {
  turn(0, 6, 1, 12, 17);
  double_(1);  // centred cube
  ASSERT_EQ(record.gameRecord[2].flags & (kFlagDoubleRecorded | kFlagCubeWasCentred),
            kFlagDoubleRecorded | kFlagCubeWasCentred);
  takeBack();
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred) << "a first double gives a centred cube back";
  EXPECT_EQ(record.gameRecord[2].flags & (kFlagDoubleRecorded | kFlagCubeWasCentred), 0);
  EXPECT_EQ(record.gameRecord[2].cubeValue, 0);
  EXPECT_EQ(flow.doubleTakeBacks[1], 1);
  EXPECT_EQ(record.gameRecord[0].fromPoint, 1) << "header: doubles taken back";
  EXPECT_EQ(record.gameRecordCount, 2);

  // Player 0 owns a cube of 2 and redoubles; the taker beavers it.
  cube.cubeValue = 2;
  cube.cubeOwner = 0;
  double_(0);
  cube.cubeValue = static_cast<int16_t>(cube.cubeValue * 2);
  recordCubeInMoveTable();
  record.gameRecord[2].flags |= kFlagBeavered;
  ASSERT_EQ(record.gameRecord[2].cubeValue, 8);
  takeBack();
  EXPECT_EQ(cube.cubeValue, 2) << "a beavered double comes back to a quarter";
  EXPECT_EQ(cube.cubeOwner, 0) << "the doubler held it before";
  EXPECT_EQ(record.gameRecord[2].flags & kFlagBeavered, 0);
}

TEST_F(TakeBackTest, DoubleIsNotTakenBackWhileDiceShow) {
  turn(0, 6, 1, 12, 17);
  double_(1);
  roll(1, 3, 2);
  takeBack();  // the roll goes back; the double stays
  EXPECT_EQ(cube.cubeValue, 2);
  takeBack();
  EXPECT_EQ(cube.cubeValue, 1);
}

TEST_F(TakeBackTest, AutomaticDoubleTakeBackReopensTheOpening) {
  UseVirtualClock virtualClock;
  position.openingPhase = 0;
  position.currentPlayer = 1;
  record.gameRecordCount = 1;
  GameRecordEntry& e = record.gameRecord[1];
  e = blankRecordEntry;
  e.side = kAutoDoubleEntrySide;
  e.die1 = 3;
  e.die2 = 3;
  cube.cubeValue = 2;
  cube.cubeOwnerBeforeDouble = kCubeCentred;
  recordCubeInMoveTable();
  e.flags |= kFlagAutoDoubled;
  takeBack();
  EXPECT_EQ(position.openingPhase, -1);
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.rolledDice[n], 3);
  EXPECT_EQ(diceState.rolledDoubles, -1);
  EXPECT_EQ(diceState.diceShowing, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_GE(virtualClock.clock.slept(), 600000u);

  // Opening doubles that left the cube alone.
  record.gameRecordCount = 1;
  e.flags = kFlagAutoDoubleNotDoubled;
  cube.cubeValue = 4;
  takeBack();
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(cube.cubeValue, 4);
}

// Part-move take-back while the move is being entered.

TEST_F(TakeBackTest, LastPartMoveGoesBackWhenItsCheckerIsPutBack) {
  for (int16_t side : {0, 1}) {
    SCOPED_TRACE(side);
    setStartingPosition();
    position.openingPhase = 0;
    const std::vector<int16_t> before = boardNow();
    const int16_t from = side == 0 ? 12 : 13;
    const int16_t to = side == 0 ? 15 : 10;
    roll(side, 6, 3);
    move(from, 3);
    holdAndPut(to, from);
    hand.moveEntryActive = -1;
    takeBackLastMove();
    EXPECT_EQ(interaction.takeBackFailed, 0);
    EXPECT_EQ(boardNow(), before);
    EXPECT_EQ(record.gameRecordCount, 0);
    EXPECT_EQ(flow.moveNumber, 0);
    EXPECT_EQ(flow.movesLeft, 2);
    EXPECT_EQ(diceState.dice[1].value, 3) << "the die it used is free again";
    EXPECT_EQ(hand.moveEntryActive, 0);
  }
}

TEST_F(TakeBackTest, PartMoveWithAHitPutsTheMoverBackFirst) {
  logCheckerMoves();
  position.board[24] = -1;
  position.board[23] = -1;
  const std::vector<int16_t> before = boardNow();
  roll(0, 4, 2);
  move(19, 4);
  serviceLog.calls.clear();
  holdAndPut(23, 19);
  takeBackLastMove();
  EXPECT_EQ(boardNow(), before);
  EXPECT_EQ(serviceLog.calls, (std::vector<std::string>{"move:0:23>19", "move:1:0>23"}));
  EXPECT_EQ(display.restoredHit, -1);
}

TEST_F(TakeBackTest, ChainOnDoublesGoesBackInOneStepForBothDirections) {
  for (int16_t side : {0, 1}) {
    SCOPED_TRACE(side);
    setStartingPosition();
    position.openingPhase = 0;
    const int16_t dir = position.playerDirection[side];
    const int16_t start = side == 0 ? 1 : 24;
    // A blot of the other side on the first step's landing point.
    const int16_t blot = static_cast<int16_t>(start + 2 * dir);
    position.board[blot] = static_cast<int16_t>(-dir);
    position.board[side == 0 ? 6 : 19] += dir;  // keeps the other side at 15
    const std::vector<int16_t> before = boardNow();
    roll(side, 2, 2);
    move(start, 2);  // hits
    move(static_cast<int16_t>(start + 2 * dir), 2);
    move(static_cast<int16_t>(start + 4 * dir), 2);
    ASSERT_EQ(record.gameRecordCount, 3);
    holdAndPut(static_cast<int16_t>(start + 6 * dir), start);
    takeBackLastMove();
    EXPECT_EQ(interaction.takeBackFailed, 0);
    EXPECT_EQ(boardNow(), before);
    EXPECT_EQ(record.gameRecordCount, 0);
    EXPECT_EQ(flow.moveNumber, 0);
    EXPECT_EQ(flow.movesLeft, 4);
    for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 2);
    EXPECT_EQ(flow.turnTakeBacks[side], 1) << "one per chain";
  }
}

TEST_F(TakeBackTest, ChainOrPutBackThatDoesNotFitChangesNothing) {
  roll(0, 2, 2);
  move(1, 2);
  move(12, 2);  // another checker
  const std::vector<int16_t> moved = boardNow();
  holdAndPut(14, 10);  // two steps back, but the steps are two checkers
  takeBackLastMove();
  EXPECT_EQ(interaction.takeBackFailed, -1);
  EXPECT_EQ(record.gameRecordCount, 2);
  position.board[14] += 1;  // the user puts it down again
  EXPECT_EQ(boardNow(), moved);

  holdAndPut(14, 8);  // three steps: more part-moves than were made
  takeBackLastMove();
  EXPECT_EQ(interaction.takeBackFailed, -1);
  EXPECT_EQ(record.gameRecordCount, 2);

  // A put-back on a point the free die does not reach changes nothing.
  setStartingPosition();
  position.openingPhase = 0;
  roll(0, 5, 3);
  move(12, 5);
  const GameRecordEntry entry = record.gameRecord[1];
  holdAndPut(1, 12);  // 1 + 3 is not 17
  putPieceBack();
  EXPECT_EQ(interaction.putBackDone, 0);
  EXPECT_EQ(record.gameRecord[1], entry);
}

TEST_F(TakeBackTest, PutBackRewritesTheLastPartMoveForBothDirections) {
  for (int16_t side : {0, 1}) {
    SCOPED_TRACE(side);
    setStartingPosition();
    position.openingPhase = 0;
    const int16_t dir = position.playerDirection[side];
    auto pt = [&](int p) { return static_cast<int16_t>(side == 0 ? p : 25 - p); };
    roll(side, 5, 3);
    move(pt(12), 5);  // 12 -> 17 with the 5; the 3 is free
    // The user lifts a checker from 14 - 3 = ... the point 3 pips before 17.
    position.board[pt(14)] = dir;
    position.board[pt(19)] -= dir;  // keeps fifteen checkers
    holdAndPut(pt(14), pt(12));
    putPieceBack();
    EXPECT_EQ(interaction.putBackDone, -1);
    const GameRecordEntry& e = record.gameRecord[record.gameRecordCount];
    EXPECT_EQ(e.fromPoint, pt(14));
    EXPECT_EQ(e.toPoint, pt(17));
    EXPECT_EQ(e.distance, 3);
    EXPECT_EQ(diceState.dice[0].value, 5) << "the 5 is free again";
    EXPECT_EQ(diceState.dice[1].value, 0);
    EXPECT_EQ(position.board[pt(12)], 5 * dir) << "the held checker landed where it was put";
    EXPECT_EQ(position.board[pt(14)], 0);
    EXPECT_EQ(checkersOf(side), 15);
  }
}

// Legal single-die moves of `side` on the board: the from-points.
std::vector<int16_t> legalFroms(int16_t side, int16_t die) {
  const int16_t dir = position.playerDirection[side];
  const int16_t bar = position.barPoint[side];
  auto own = [&](int i) { return position.board[i] * dir; };
  auto toOff = [&](int q) { return dir > 0 ? 25 - q : q; };
  std::vector<int16_t> froms;
  if (own(bar) > 0) {
    const int entry = dir > 0 ? die : 25 - die;
    if (own(entry) >= -1) froms.push_back(bar);
    return froms;
  }
  bool home = true;
  int rear = 0;
  for (int q = 1; q <= 24; ++q) {
    if (own(q) <= 0) continue;
    if (toOff(q) > 6) home = false;
    rear = std::max(rear, toOff(q));
  }
  for (int q = 1; q <= 24; ++q) {
    if (own(q) <= 0) continue;
    const int t = q + die * dir;
    if (t >= 1 && t <= 24) {
      if (own(t) >= -1) froms.push_back(static_cast<int16_t>(q));
    } else if (home && (toOff(q) == die || (toOff(q) < die && toOff(q) == rear))) {
      froms.push_back(static_cast<int16_t>(q));
    }
  }
  return froms;
}

struct Snapshot {
  std::vector<int16_t> board;
  int16_t pieces0, pieces1, cubeValue, cubeOwner;
  std::vector<GameRecordEntry> entries;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot() {
  Snapshot s{{position.board.begin(), position.board.end()},
             position.piecesOnBoard[0],
             position.piecesOnBoard[1],
             cube.cubeValue,
             cube.cubeOwner,
             {}};
  for (int16_t n = 1; n <= record.gameRecordCount; ++n) s.entries.push_back(record.gameRecord[n]);
  return s;
}

TEST_F(TakeBackTest, AnyTurnsAndDoublesAreUndoneByAsManyTakeBacks) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int game = 0; game < 40; ++game) {
    SCOPED_TRACE(game);
    setStartingPosition();
    position.openingPhase = 0;
    int16_t side = static_cast<int16_t>(pick(0, 1));
    bool lastWasDouble = true;
    std::vector<Snapshot> before;
    const int units = pick(1, 60);
    for (int u = 0; u < units; ++u) {
      if (position.piecesOnBoard[0] == 0 || position.piecesOnBoard[1] == 0) break;
      const bool canDouble = !lastWasDouble && record.gameRecordCount >= 1 && cube.cubeValue < 64 &&
                             cube.cubeOwner != 1 - side;
      before.push_back(snapshot());
      if (canDouble && pick(0, 5) == 0) {
        double_(side);
        lastWasDouble = true;
        continue;
      }
      lastWasDouble = false;
      roll(side, static_cast<int16_t>(pick(1, 6)), static_cast<int16_t>(pick(1, 6)));
      while (flow.movesLeft > 0 && position.piecesOnBoard[side] > 0) {
        std::vector<std::pair<int16_t, int16_t>> options;
        for (int16_t n = 0; n <= 3; ++n) {
          const int16_t die = diceState.dice[n].value;
          if (die == 0) continue;
          for (int16_t from : legalFroms(side, die)) options.emplace_back(from, die);
        }
        if (options.empty()) break;
        const auto [from, die] = options[static_cast<size_t>(pick(0, static_cast<int>(options.size()) - 1))];
        move(from, die);
      }
      endTurn();
      ASSERT_EQ(checkersOf(0) + (15 - position.piecesOnBoard[0]), 15);
      ASSERT_EQ(checkersOf(1) + (15 - position.piecesOnBoard[1]), 15);
      side = static_cast<int16_t>(1 - side);
    }
    for (size_t n = before.size(); n-- > 0;) {
      SCOPED_TRACE(n);
      interaction.takeBackPending = 1;
      takeBack();
      ASSERT_EQ(interaction.takeBackPending, 0);
      ASSERT_TRUE(snapshot() == before[n]);
    }
  }
}

}  // namespace
}  // namespace bg::testing
