// The board window around the board: opened at start-up, refitted by a rebuild.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "state/display_state.h"

namespace bg {
namespace {

int waitLoopsEnded = 0;

class BoardWindow : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    windowClose(1);
    windowPlacement = BoardWindowPlacement{};
    windowPlacement.windowMargin = 16;
    fitWindowToBoard();
    windowOpen(1, "board", makeRect(windowPlacement.windowX1, windowPlacement.windowY1, windowPlacement.windowX2,
                                    windowPlacement.windowY2),
               kDocumentWindow, false);
    relayoutBoard();
    position.board.fill(0);
    redrawBoardWindow();
    upperServices.endWaitLoop = [] { ++waitLoopsEnded; };
    waitLoopsEnded = 0;
  }
};

TEST_F(BoardWindow, TheBoardIsDrawnInsideTheMarginOnTheBorderColour) {
  const QImage& window = windowPort(1)->image;
  EXPECT_EQ(window.width(), 683 + 32);
  EXPECT_EQ(window.height(), 516 + 32);
  EXPECT_EQ(window.pixel(16 + 343, 16 + 3), boardImages.boardWorld->image.pixel(343, 3));
  // Outside the board: the window background's role, here its pattern.
  const QImage& tile = boardImages.rolePixPats[2]->tile;
  EXPECT_EQ(window.pixel(5, 5), tile.pixel((5 - 16 + 64 * tile.width()) % tile.width(), (5 - 16 + 64 * tile.height()) % tile.height()));
}

// The rules keep their own copy of the layout's measures; it agrees after every redraw
// and every rebuild.
void expectRulesSeeTheLayout() {
  EXPECT_EQ(display.dicePosition, layout.dicePosition);
  EXPECT_EQ(display.diceTop, layout.diceTop);
  EXPECT_EQ(display.dieWidth, layout.dieWidth);
  EXPECT_EQ(display.dieHeight, layout.dieHeight);
  EXPECT_EQ(display.boardWidth, display.boardWidth);
}

TEST_F(BoardWindow, ASizeChangeRefitsAndRepaintsTheWindowAndEndsTheWait) {
  expectRulesSeeTheLayout();
  boardState.pendingBoardSize = 7;  // 927
  boardState.boardSizeChangePending = 255;
  rebuildBoardWindow();
  expectRulesSeeTheLayout();
  hook::redrawBoardWindow();
  expectRulesSeeTheLayout();
  EXPECT_EQ(waitLoopsEnded, 1);
  EXPECT_GT(display.boardWidth, 683);
  const Rect content = windowContentRect(1);
  EXPECT_EQ(content.width(), windowPlacement.windowX2 - windowPlacement.windowX1);
  const QImage& window = windowPort(1)->image;
  const int x = -windowPlacement.boardWidthOffset;
  const int y = -windowPlacement.boardHeightOffset;
  EXPECT_EQ(window.pixel(x + layout.boardCentreX, y + 3),
            boardImages.boardWorld->image.pixel(layout.boardCentreX, 3));
  EXPECT_EQ(boardState.boardSizeChangePending, 0);
}

}  // namespace
}  // namespace bg
