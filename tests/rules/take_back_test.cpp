// Take-back: any sequence of turns and doubles undone by as many take-backs, and the
// part-move take-back during move entry for both directions.
#include "rules/take_back.h"

#include <random>

#include "random_positions.h"
#include "rules/cube_record.h"
#include "state/flow_services.h"
#include "rules/new_game.h"
#include "rules_fixture.h"

namespace bg::testing {
namespace {

class TakeBackTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    setStartingPosition();
    position.openingPhase = 0;
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
    flow.opponentMode = kTwoPeople;
    hand.typedMovePending = -1;  // each checker is lifted from its point
  }
  static void roll(int16_t side, int16_t a, int16_t b) {
    rollFor(side, a, b);
    hook::setDiceDisplayFlags(-1);
  }
  static void endTurn() {
    hook::recordTurnEnd();
    removeDice();
  }
  static void double_(int16_t doubler) {  // before the doubler's roll, taken
    setSideOnRoll(doubler);
    cube.cubeValue = static_cast<int16_t>(cube.cubeValue * 2);
    recordCubeChange();
  }
};

// The from-points of the legal single moves of `side` with `die`, by the reference generator.
std::vector<int16_t> legalFroms(int16_t side, int16_t die) {
  const RefPosition now = boardNow();
  const int dir = position.playerDirection[side];
  std::vector<int16_t> froms;
  for (const RefPosition& after : referencePlays(now, side, {die}).finals) {
    for (int i = 0; i <= 25; ++i) {
      if (now.board[i] * dir > 0 && after.board[i] * dir < now.board[i] * dir) froms.push_back(static_cast<int16_t>(i));
    }
  }
  return froms;
}

// What a take-back must restore: the board, the men, the cube and the record.
auto snapshot() {
  std::vector<GameRecordEntry> entries;
  for (int16_t n = 1; n <= record.gameRecordCount; ++n) entries.push_back(record.gameRecord[n]);
  return std::tuple{position.board, position.piecesOnBoard, cube.cubeValue, cube.cubeOwner, entries};
}

TEST_F(TakeBackTest, AnyTurnsAndDoublesAreUndoneByAsManyTakeBacks) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int game = 0; game < 40; ++game) {
    SCOPED_TRACE(game);
    setStartingPosition();
    position.openingPhase = 0;
    auto side = static_cast<int16_t>(pick(0, 1));
    bool lastWasDouble = true;
    std::vector<decltype(snapshot())> before;
    for (int u = pick(1, 60); u > 0 && position.piecesOnBoard[0] > 0 && position.piecesOnBoard[1] > 0; --u) {
      before.push_back(snapshot());
      if (!lastWasDouble && record.gameRecordCount >= 1 && cube.cubeValue < 64 && cube.cubeOwner != 1 - side &&
          pick(0, 5) == 0) {
        double_(side);
        lastWasDouble = true;
        continue;
      }
      lastWasDouble = false;
      roll(side, static_cast<int16_t>(pick(1, 6)), static_cast<int16_t>(pick(1, 6)));
      while (flow.movesLeft > 0 && position.piecesOnBoard[side] > 0) {
        std::vector<std::pair<int16_t, int16_t>> options;
        for (const DiceEntry& die : diceState.dice) {
          if (die.value != 0) {
            for (int16_t from : legalFroms(side, die.value)) options.emplace_back(from, die.value);
          }
        }
        if (options.empty()) break;
        const auto [from, die] = options[static_cast<size_t>(pick(0, static_cast<int>(options.size()) - 1))];
        moveChecker(from, die);
      }
      endTurn();
      ASSERT_EQ(checkersOf(0) + checkersOf(1), position.piecesOnBoard[0] + position.piecesOnBoard[1]);
      side = static_cast<int16_t>(1 - side);
    }
    for (size_t n = before.size(); n-- > 0;) {
      interaction.takeBackPending = 1;
      takeBack();
      ASSERT_EQ(interaction.takeBackPending, 0) << n;
      ASSERT_TRUE(snapshot() == before[n]) << n;
    }
  }
}

// Once a side has conceded the record ends with the result (its second die -1): a
// take-back, with the resigner's roll in hand or before it, undoes nothing of the game.
TEST_F(TakeBackTest, NothingIsTakenBackAfterAConcession) {
  for (const bool rollInHand : {false, true}) {
    SCOPED_TRACE(rollInHand ? "the roll in hand" : "before the roll");
    setStartingPosition();
    position.openingPhase = 0;
    roll(0, 3, 1);
    moveChecker(8, 3);
    moveChecker(6, 1);
    endTurn();
    if (rollInHand) roll(1, 6, 5);
    advanceGameRecordForGameEnd();
    record.gameRecord[record.gameRecordCount] = {kGameEndEntrySide, 0, 1, 0, 1, -1, 0, 0, 0, kFlagGameEnd | kFlagConceded};
    const auto now = [] { return std::tuple{snapshot(), position.currentPlayer, diceState.diceShowing, flow.movesLeft}; };
    const auto before = now();
    interaction.takeBackPending = 1;
    takeBack();
    EXPECT_TRUE(now() == before);
  }
}

// A record that does not lead to the board (a file cut short, a stray mark): a take-back
// moves no checker that is not on its point, none without its die to give back, and turns
// the cube only by a double it holds.
TEST_F(TakeBackTest, ARecordThatDoesNotLeadToTheBoardMovesNoStrayChecker) {
  const char* moved = "1:1 4:1 6:-5 8:-3 12:5 13:-5 17:3 19:5 24:-2 | cube 2 1";
  const struct Row {
    const char* what;
    const char* board;
    std::vector<GameRecordEntry> entries;
    int takeBacks;
    const char* after;
  } rows[] = {
      // Side 1's 3-1 13/10/9 and side 0's 5-2 12/17/19, on the board after side 1's 6-3 9/3 13/10 too.
      {"cut after four rows", "1:2 3:-1 6:-5 8:-3 10:-1 12:4 13:-3 17:3 19:6 24:-2 | cube 2 1",
       {{1, 13, 10, 3, 3, 1, 1, 0, 0, 0}, {1, 10, 9, 1, 3, 1, 2, 0, 0, 0}, {0, 12, 17, 5, 5, 2, 1, 0, 0, 0},
        {0, 17, 19, 2, 5, 2, 2, 0, 0, 0}},
       2, "1:2 3:-1 6:-5 8:-3 10:-1 12:5 13:-3 17:3 19:5 24:-2 | cube 2 1"},
      {"a hit with no checker on the bar", moved, {{0, 1, 4, 3, 3, 1, 1, 0, 0, kFlagHit}}, 1, moved},
      {"a double's mark without its cube", moved, {{0, 1, 4, 3, 3, 1, 1, 0, 0, kFlagDoubleRecorded}}, 1,
       "start | cube 2 1"},
      {"a cube without a double's mark", moved, {{0, 1, 4, 3, 3, 1, 1, 1, 64, 0}}, 1, "start | cube 2 1"},
      {"a step whose die is none of its roll's", moved, {{0, 1, 4, 3, 5, 1, 1, 0, 0, 0}}, 1, moved},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    SetUp();
    setPosition(r.after);
    const auto expected = std::tuple{position.board, cube.cubeValue, cube.cubeOwner};
    setPosition(r.board);
    for (std::size_t n = 0; n < r.entries.size(); ++n) record.gameRecord[static_cast<long>(n + 1)] = r.entries[n];
    record.gameRecordCount = static_cast<int16_t>(r.entries.size());
    for (int n = 0; n < r.takeBacks; ++n) takeBack();
    EXPECT_TRUE((std::tuple{position.board, cube.cubeValue, cube.cubeOwner}) == expected);
  }
}

// A step's die goes back to a free place with its face and counts as a move left again;
// with no such place nothing is given back and no move is counted.
TEST_F(TakeBackTest, AStepCountsAsAMoveLeftOnlyWithItsDie) {
  const struct Row {
    const char* what;
    int16_t die1, die2, distance;
    CheckedArray<int16_t, 3> dice, after;
  } rows[] = {
      {"its face free", 3, 1, 3, {0, 1, 0, 0}, {3, 1, 0, 0}},
      {"a distance of neither face", 3, 1, 5, {0, 1, 0, 0}, {0, 1, 0, 0}},
      {"a double's third place", 2, 2, 2, {2, 2, 0, 0}, {2, 2, 2, 0}},
      {"a double with every die in hand", 2, 2, 2, {2, 2, 2, 2}, {2, 2, 2, 2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    roll(0, r.die1, r.die2);
    for (long n = 0; n <= 3; ++n) diceState.dice[n].value = r.dice[n];
    flow.movesLeft = 1;
    record.gameRecord[1] = {0, 0, 0, r.distance, r.die1, r.die2, 1, 0, 0, 0};
    record.gameRecordCount = 1;
    const bool given = r.after != r.dice;
    EXPECT_EQ(restoreDie(), given);
    for (long n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, r.after[n]) << n;
    EXPECT_EQ(flow.movesLeft, given ? 2 : 1);
  }
}

TEST_F(TakeBackTest, PartMoveGoesBackWhenTheCheckerIsPutWhereItCameFrom) {
  // Part-moves made, then the checker on `held` lifted and put on `target`.
  for (const auto& [text, side, die, froms, held, target, undone] :
       {std::tuple{"start", 0, 3, std::vector<int16_t>{12}, 15, 12, true}, {"start", 1, 3, {13}, 10, 13, true},
        {"start 3:-1 6:-4", 0, 2, {1, 3, 5}, 7, 1, true},  // hits
        {"start 22:1 19:4", 1, 2, {24, 22, 20}, 18, 24, true},
        {"start", 0, 2, {1, 12}, 14, 10, false},  // two checkers
        {"start", 0, 2, {1, 12}, 14, 8, false}}) {
    SCOPED_TRACE(text);
    SetUp();
    setPosition(text);
    const auto before = position.board;
    roll(static_cast<int16_t>(side), static_cast<int16_t>(froms.size() == 1 ? 6 : die), static_cast<int16_t>(die));
    for (const int16_t from : froms) moveChecker(from, static_cast<int16_t>(die));
    const int16_t count = record.gameRecordCount;
    position.board[held] -= position.playerDirection[side];
    hand.selectedPoint = static_cast<int16_t>(held);
    hand.moveToPoint = static_cast<int16_t>(target);
    takeBackLastMove();
    EXPECT_EQ(interaction.takeBackFailed, undone ? 0 : -1);
    if (!undone) {
      EXPECT_EQ(record.gameRecordCount, count);
      continue;
    }
    EXPECT_EQ(position.board, before);
    EXPECT_EQ((std::vector<int>{record.gameRecordCount, flow.moveNumber, flow.movesLeft}), (std::vector<int>{0, 0, flow.movesAllowed}));
    EXPECT_EQ(diceState.dice[froms.size() == 1 ? 1 : 0].value, die) << "the die is free again";
    EXPECT_EQ(flow.turnTakeBacks[side], 1) << "one per chain";
  }
}

}  // namespace
}  // namespace bg::testing
