// The display's routines as the rules reach them through their service tables.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/position.h"

namespace bg {
namespace {

using DisplayServicesTest = testing::BoardWindowTest;

// The rules keep their own copy of the layout's measures; it must agree after every
// redraw and every rebuild.
void expectRulesSeeTheLayout() {
  EXPECT_EQ(display.dicePosition, layout.dicePosition);
  EXPECT_EQ(display.diceTop, layout.diceTop);
  EXPECT_EQ(display.dieWidth, layout.dieWidth);
  EXPECT_EQ(display.dieHeight, layout.dieHeight);
  EXPECT_EQ(display.boardWidth, layout.boardWidth);
}

TEST_F(DisplayServicesTest, TheRulesSeeTheLayoutAfterEveryRedrawAndRebuild) {
  hook::redrawBoardWindow();
  EXPECT_EQ(display.diceTop, 245);
  EXPECT_EQ(display.dieWidth, 29);
  EXPECT_EQ(display.boardWidth, 683);
  EXPECT_EQ(display.dicePosition[0][0][1], 502);
  expectRulesSeeTheLayout();
  boardState.pendingBoardSize = 7;
  boardState.boardSizeChangePending = 255;
  rebuildBoardWindow();
  expectRulesSeeTheLayout();
  EXPECT_GT(display.boardWidth, 683);
  hook::redrawBoardWindow();
  expectRulesSeeTheLayout();
}

TEST_F(DisplayServicesTest, TheRedrawShowsTheComposedBoardInsideTheMargin) {
  position.board.fill(0);
  hook::redrawBoardWindow();
  const QImage& board = boardImages.boardWorld->image;
  for (auto [x, y] : {std::pair{0, 0}, {200, 257}, {682, 515}, {79, 100}})
    EXPECT_EQ(testing::pixelAt(x, y), board.pixel(x, y)) << x << "," << y;
}

TEST_F(DisplayServicesTest, ADieIsDrawnAndTheBoardRestoredUnderIt) {
  hook::redrawBoardWindow();
  const QImage before = window();
  hook::drawDieImage(1, 0, 150, 245);
  EXPECT_EQ(testing::pixelAt(150 + 14, 245 + 12), boardImages.dieFaceWorlds[1]->image.pixel(14, 12));
  hook::restoreBoardBackground(BoardRect{150, 245, 150 + 29, 245 + 24});
  EXPECT_EQ(before, window());
}

}  // namespace
}  // namespace bg
