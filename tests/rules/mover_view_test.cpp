// The mover's view of the board and its basic counts.
#include <gtest/gtest.h>

#include "state/analysis_state.h"
#include "rules/mover_view.h"
#include "state/position.h"
#include "rules_fixture.h"

namespace bg {
namespace {

class MoverViewTest : public testing::RulesTest {
 protected:
  // Real board counts.
  static void setBoard(std::initializer_list<std::pair<int, int>> counts, int player) {
    position.board.fill(0);
    for (const auto& [i, n] : counts) position.board[i] = static_cast<int16_t>(n);
    position.currentPlayer = static_cast<int16_t>(player);
    position.otherPlayer = static_cast<int16_t>(1 - player);
  }
  static void setStart(int player) {
    setBoard({{1, 2}, {6, -5}, {8, -3}, {12, 5}, {13, -5}, {17, 3}, {19, 5}, {24, -2}}, player);
  }
};

TEST_F(MoverViewTest, StartingPositionFromEitherSide) {
  setStart(1);
  buildMoverView();
  for (int i = 0; i <= 25; ++i) {
    EXPECT_EQ(analysis.evalBoard[i], position.board[i]) << i;
    EXPECT_EQ(analysis.evalBoardB[i], position.board[i]) << i;
  }
  const auto expectCounts = [] {
    const AnalysisState& a = analysis;
    EXPECT_EQ(a.moverPipCount, 167);
    EXPECT_EQ(a.opponentPipCount, 167);
    EXPECT_EQ(a.analysisPips[0], 167);
    EXPECT_EQ(a.analysisPips[1], 167);
    EXPECT_EQ(a.menLeft[0], 15);
    EXPECT_EQ(a.menLeft[1], 15);
    EXPECT_EQ(a.menLeftSaved[1], 15);
    EXPECT_EQ(a.moverOccupiedPoints, 4);
    EXPECT_EQ(a.opponentOccupiedPoints, 4);
    EXPECT_EQ(a.opponentLastPoint, 1);
    EXPECT_EQ(a.highestOccupiedPoint, 24);
    EXPECT_EQ(a.ownMenBehindRear, 15);
    EXPECT_EQ(a.pipsToBreakContact, 167);
    EXPECT_EQ(a.raceFlag, 0);
  };
  expectCounts();

  setStart(0);
  buildMoverView();
  EXPECT_EQ(analysis.evalBoard[24], -2);
  EXPECT_EQ(analysis.evalBoard[13], -5);
  EXPECT_EQ(analysis.evalBoard[8], -3);
  EXPECT_EQ(analysis.evalBoard[6], -5);
  EXPECT_EQ(analysis.evalBoard[1], 2);
  EXPECT_EQ(analysis.evalBoard[19], 5);
  expectCounts();
}

TEST_F(MoverViewTest, BarMenCountTwentyFivePipsAndNoPoint) {
  // Player 0 with two men on its bar (board[25]) instead of on point 1.
  setBoard({{25, 2}, {6, -5}, {8, -3}, {12, 5}, {13, -5}, {17, 3}, {19, 5}, {24, -2}}, 0);
  buildMoverView();
  EXPECT_EQ(analysis.evalBoard[0], -2);
  EXPECT_EQ(analysis.moverPipCount, 167 - 2 * 24 + 50);
  EXPECT_EQ(analysis.menLeft[1], 15);
  EXPECT_EQ(analysis.moverOccupiedPoints, 3);
  EXPECT_EQ(analysis.highestOccupiedPoint, 25);
  // Each bar man needs 26 - opponentLastPoint pips to pass the opponent's rearmost man.
  EXPECT_EQ(analysis.opponentLastPoint, 1);
  EXPECT_EQ(analysis.pipsToBreakContact, 2 * 25 + 5 * 13 + 3 * 8 + 5 * 6);
}

TEST_F(MoverViewTest, BorneOffMenAndEmptySides) {
  // Player 1: three men left on 2; the opponent has all its men on the bar.
  setBoard({{2, -3}, {25, 4}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.menLeft[1], 3);
  EXPECT_EQ(analysis.menLeft[0], 4);
  EXPECT_EQ(analysis.opponentOccupiedPoints, 1);  // none on the points: taken as 1
  EXPECT_EQ(analysis.opponentLastPoint, 0);
  EXPECT_EQ(analysis.opponentPipCount, 100);

  // No opponent man anywhere: its rearmost point is 24, as with a man on 24.
  setBoard({{2, -3}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.opponentLastPoint, 24);
  EXPECT_EQ(analysis.raceFlag, -1);
  setBoard({{2, -3}, {24, 1}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.opponentLastPoint, 24);
}

TEST_F(MoverViewTest, RaceTest) {
  // Mover all on 1..6, the opponent all on 7..24.
  setBoard({{3, -10}, {6, -5}, {7, 5}, {20, 10}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, -1);
  EXPECT_EQ(analysis.contactBroken, -1);
  EXPECT_EQ(analysis.analysisRaceFlag, -1);

  // A mover man on the bar against men on 20..24 with 22 a single man: contact.
  setBoard({{0, -1}, {3, -14}, {20, 3}, {21, 3}, {22, 1}, {23, 4}, {24, 4}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, 0);
  // Every point from 20 up held: an entering man lands below them all.
  setBoard({{0, -1}, {3, -14}, {20, 3}, {21, 3}, {22, 2}, {23, 3}, {24, 4}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, -1);
  // Point 19 is too far back for the rule.
  setBoard({{0, -1}, {3, -14}, {19, 3}, {20, 2}, {21, 2}, {22, 2}, {23, 3}, {24, 3}}, 1);
  buildMoverView();
  EXPECT_EQ(analysis.raceFlag, 0);
}

TEST_F(MoverViewTest, MirroredPositionsGiveTheSameView) {
  // The same position with the sides' roles exchanged gives identical views.
  setBoard({{0, -1}, {4, -3}, {9, 2}, {11, -1}, {16, 4}, {20, -2}, {23, 1}}, 1);
  buildMoverView();
  const AnalysisState forPlayer1 = analysis;
  setBoard({{25, 1}, {21, 3}, {16, -2}, {14, 1}, {9, -4}, {5, 2}, {2, -1}}, 0);
  buildMoverView();
  EXPECT_EQ(analysis.evalBoard, forPlayer1.evalBoard);
  EXPECT_EQ(analysis.moverPipCount, forPlayer1.moverPipCount);
  EXPECT_EQ(analysis.opponentPipCount, forPlayer1.opponentPipCount);
  EXPECT_EQ(analysis.pipsToBreakContact, forPlayer1.pipsToBreakContact);
  EXPECT_EQ(analysis.ownMenBehindRear, forPlayer1.ownMenBehindRear);
}

}  // namespace
}  // namespace bg
