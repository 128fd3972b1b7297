// The benchmarks' worst case: a 1-1 in a spread-out contact position. It must stay the
// heavy case they claim, and every play the enumeration produces for it must be legal.
#include <gtest/gtest.h>

#include <set>

#include "reference_moves.h"
#include "state/analysis_state.h"
#include "rules/legal_plays.h"
#include "rules/mover_view.h"
#include "rules_fixture.h"

namespace bg {
namespace {

// Player 1 to move (the board is the mover's view): single men in pairs with a gap
// between pairs from 23 down to 3, so every man moves and every gap can be filled and
// left again. The opponent has blots in the low gaps and the rest on 24.
constexpr int kWorstCaseBoard[26] = {0, 1, 1, -1, -1, 1, -1, -1, 1, -1, -1, 1, -1,
                                     -1, 1, -1, -1, -1, 0, -1, -1, 0, -1, -1, 9, 0};

using WorstCasePlays = testing::RulesTest;

TEST_F(WorstCasePlays, OneOneGivesOverTwoThousandDistinctLegalPlays) {
  testing::RefPosition start;
  int mover = 0;
  int opponent = 0;
  for (int i = 0; i <= 25; ++i) {
    start.board[static_cast<std::size_t>(i)] = kWorstCaseBoard[i];
    position.board[i] = static_cast<int16_t>(kWorstCaseBoard[i]);
    if (kWorstCaseBoard[i] < 0) mover -= kWorstCaseBoard[i];
    else opponent += kWorstCaseBoard[i];
  }
  ASSERT_EQ(mover, 15);
  ASSERT_EQ(opponent, 15);
  position.currentPlayer = 1;
  position.otherPlayer = 0;
  for (int k = 0; k <= 3; ++k) diceState.dice[k].value = 1;

  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, 0) << "the opponent must still be in contact";
  startLegalPlayEnumeration(4);
  int steps = 0;
  int plays = 0;
  std::set<testing::RefPosition> finals;
  while (playSearch.stopEnumeration == 0 && steps < 100000) {
    ++steps;
    if (!stepLegalPlayEnumeration()) continue;
    ++plays;
    EXPECT_EQ(playSearch.genPipsUsed, 4);
    testing::RefPosition after = start;
    for (int i = 0; i <= 25; ++i) after.board[static_cast<std::size_t>(i)] = analysis.evalBoard[i];
    finals.insert(after);
  }

  EXPECT_EQ(plays, 2140);
  EXPECT_EQ(static_cast<int>(finals.size()), plays) << "no play may come out twice";
  EXPECT_GT(steps, 4500);
  EXPECT_LT(steps, 5500);
  const testing::RefResult reference = testing::referencePlays(start, 1, {1, 1, 1, 1});
  EXPECT_EQ(reference.maxPips, 4);
  EXPECT_TRUE(finals == reference.finals);
}

}  // namespace
}  // namespace bg
