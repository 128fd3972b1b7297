// Ranking plays into the best-plays lists and reading rows back.
#include <gtest/gtest.h>

#include "rules/best_plays.h"
#include "rules/dice.h"
#include "state/flow_state.h"
#include "rules/play_search.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "rules_fixture.h"

namespace bg {
namespace {

class BestPlaysTest : public testing::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    flow.turnNumber = 5;
    flow.movesAllowed = 2;
    clearBestPlays();
  }

  // Offers a play of (from, die) part-moves with a score to the true list.
  static void offer(std::initializer_list<std::pair<int, int>> parts, float score,
                    BestPlaysList& list = bestPlays.bestPlaysTrue) {
    auto& s = playSearch;
    int k = 0;
    int pips = 0;
    for (const auto& [from, die] : parts) {
      ++k;
      s.playFrom[k] = static_cast<int16_t>(from);
      s.playDice[k] = static_cast<int16_t>(die);
      pips += die;
    }
    s.playLength = static_cast<int16_t>(k);
    s.genPipsUsed = static_cast<int16_t>(pips);
    insertCandidatePlay(list, s.playFrom, s.playDice, score, PartialScores{1, 2, 3, 4, 5, 6});
  }
  static float score(int row) { return bestPlays.bestPlaysTrue[row][kScoreColumn]; }
  static float from1(int row) { return bestPlays.bestPlaysTrue[row][2]; }
};

TEST_F(BestPlaysTest, RanksByScoreAndKeepsTheEarlierPlayOnATie) {
  offer({{13, 6}, {8, 5}}, 3.0f);
  offer({{24, 6}, {18, 5}}, 5.0f);
  offer({{24, 6}, {13, 5}}, 3.0f);  // ties row 2: goes below it
  offer({{8, 6}, {6, 5}}, 1.0f);    // below all three: not listed
  EXPECT_EQ(score(1), 5.0f);
  EXPECT_EQ(from1(1), 24);
  EXPECT_EQ(score(2), 3.0f);
  EXPECT_EQ(from1(2), 13);
  EXPECT_EQ(score(3), 3.0f);
  EXPECT_EQ(from1(3), 24);
  // Row 4 holds the last candidate offered, listed or not, with its partial scores.
  EXPECT_EQ(bestPlays.bestPlaysTrue[4][kScoreColumn], 1.0f);
  EXPECT_EQ(bestPlays.bestPlaysTrue[4][2], 8);
  EXPECT_EQ(bestPlays.bestPlaysTrue[4][12], 1.0f);
  EXPECT_EQ(bestPlays.bestPlaysTrue[4][17], 6.0f);
}

TEST_F(BestPlaysTest, MorePipsOrPartMovesWinWhateverTheScore) {
  offer({{8, 1}}, 10.0f);          // a one-die play of the 1
  offer({{8, 6}}, -5.0f);          // the 6 uses more pips
  EXPECT_EQ(score(1), -5.0f);
  EXPECT_EQ(score(2), 10.0f);
  offer({{8, 3}, {6, 3}, {5, 3}}, -20.0f);  // more part-moves
  EXPECT_EQ(score(1), -20.0f);
  finalizeBestLists();
  EXPECT_EQ(score(2), kEmptyRow);
  EXPECT_EQ(score(3), kEmptyRow);
}

TEST_F(BestPlaysTest, OneManMovedByBothDiceIsListedOnce) {
  offer({{13, 5}, {8, 6}}, 2.5f);  // 13-8-2
  offer({{13, 6}, {7, 5}}, 2.5f);  // 13-7-2, same score: a duplicate
  EXPECT_EQ(score(2), kEmptyRow);
  offer({{13, 6}, {7, 5}}, 2.6f);  // a different score lists it
  EXPECT_EQ(score(1), 2.6f);
  // Three part-moves are never taken for duplicates.
  clearBestPlays();
  flow.movesAllowed = 4;
  offer({{13, 2}, {11, 2}, {9, 2}}, 1.0f);
  offer({{13, 2}, {11, 2}, {9, 2}}, 1.0f);
  EXPECT_EQ(score(2), 1.0f);
}

TEST_F(BestPlaysTest, OpeningMoveRuleKeepsTheBookPlayAlone) {
  flow.turnNumber = 1;
  offer({{13, 2}, {6, 1}}, kBookPlayScore);
  playSearch.bookPlayListed = -1;
  offer({{6, 1}, {24, 2}}, 200.0f);  // starts with the book's second part-move
  offer({{13, 2}, {8, 1}}, 200.0f);  // starts with its first
  EXPECT_EQ(score(1), kBookPlayScore);
  EXPECT_EQ(score(2), kEmptyRow);
  offer({{24, 2}, {6, 1}}, 1.0f);
  EXPECT_EQ(score(2), 1.0f);
  // Without a book play in the lists nothing is held back.
  clearBestPlays();
  playSearch.bookPlayListed = 0;
  offer({{13, 2}, {6, 1}}, 5.0f);
  offer({{13, 2}, {8, 1}}, 4.0f);
  EXPECT_EQ(score(2), 4.0f);
}

TEST_F(BestPlaysTest, BarEntryIsStoredFrom25AndReadBackFromTheBar) {
  offer({{kFromBar, 3}, {22, 5}}, 1.0f);
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][2], 25);
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][3], 22);
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][5], 17);
  CheckedArray<int16_t, 4> from, dice;
  diceState.dice[0].value = 3;
  diceState.dice[1].value = 5;
  EXPECT_EQ(loadChosenPlay(bestPlays.bestPlaysTrue, 1, from, dice), 2);
  EXPECT_EQ(from[1], kFromBar);
  EXPECT_EQ(dice[1], 3);
  EXPECT_EQ(from[2], 22);
  EXPECT_EQ(dice[2], 5);
  EXPECT_EQ(flow.movesLeft, 2);
  EXPECT_EQ(flow.movesAllowed, 2);
  // A bear-off with a larger die reads back its die.
  clearBestPlays();
  offer({{2, 5}}, 1.0f);
  EXPECT_EQ(bestPlays.bestPlaysTrue[1][3], -3);
  loadChosenPlay(bestPlays.bestPlaysTrue, 1, from, dice);
  EXPECT_EQ(dice[1], 5);
}

TEST_F(BestPlaysTest, LoadedMovesAllowedFallsBackTo2OrTo4OnDoubles) {
  offer({{8, 4}}, 1.0f);
  bestPlays.bestPlaysTrue[1][kMovesAllowedColumn] = 0;
  CheckedArray<int16_t, 4> from, dice;
  diceState.dice[0].value = 4;
  diceState.dice[1].value = 2;
  loadChosenPlay(bestPlays.bestPlaysTrue, 1, from, dice);
  EXPECT_EQ(flow.movesAllowed, 2);
  diceState.dice[1].value = 4;
  loadChosenPlay(bestPlays.bestPlaysTrue, 1, from, dice);
  EXPECT_EQ(flow.movesAllowed, 4);
}

TEST_F(BestPlaysTest, MoveListPointsUseTheBoardsNumbering) {
  offer({{kFromBar, 3}, {2, 5}}, 1.0f);
  CheckedArray<float, 9> points;
  position.currentPlayer = 1;  // moves down: the view is the board
  readCandidatePlay(bestPlays.bestPlaysTrue, 1, points);
  EXPECT_EQ(points[2], 25);
  EXPECT_EQ(points[3], 22);
  EXPECT_EQ(points[5], -3);
  position.currentPlayer = 0;  // moves up: the bar shows as 0, a bear-off as 25 or more
  readCandidatePlay(bestPlays.bestPlaysTrue, 1, points);
  EXPECT_EQ(points[2], 0);
  EXPECT_EQ(points[3], 3);
  EXPECT_EQ(points[4], 23);
  EXPECT_EQ(points[5], 28);
}

}  // namespace
}  // namespace bg
