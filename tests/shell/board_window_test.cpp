// The board follows a user resize of its window: a free size, never below the smallest
// board, and the same whichever side the search starts from.
#include <gtest/gtest.h>

#include "display/board_layout.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window.h"
#include "shell/board_window_events.h"
#include "shell/startup.h"
#include "state/display_settings.h"
#include "state/interaction_state.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"
#include "state/display_state.h"

namespace bg {
namespace {

class BoardResize : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    initProgram();
    installDisplayServices();
    installBoardWindowHandler();
    redrawBoardWindow();
  }
  void TearDown() override { windowClose(1); }
  static void resizeTo(int width, int height) {
    testing::userResize(1, width, height);
    testing::pumpUntil([] { return shellWindow.boardSizeIndex == 0 && shellWindow.boardRebuilding == 0; });
    testing::pumpUntil([] { return false; }, 3);
  }
};

TEST_F(BoardResize, AUserResizeGivesAFreeSizeThatFitsTheWindow) {
  resizeTo(800, 600);
  EXPECT_EQ(shellWindow.boardSizeIndex, 0);
  EXPECT_FALSE(menuItemChecked(14, 6));
  EXPECT_LE(display.boardWidth, 800 - 2 * windowPlacement.windowMargin);
  EXPECT_LT(layout.boardHeight, 600 - 2 * windowPlacement.windowMargin);
  EXPECT_GE(display.boardWidth, 700);
  EXPECT_EQ(appEvents.waitEnded, -1);
}

TEST_F(BoardResize, TheBoardNeverEndsBelowTheSmallestWidth) {
  resizeTo(200, 150);
  EXPECT_EQ(display.boardSizeUnit, 424);
}

TEST_F(BoardResize, GrowingFromNothingEndsWhereShrinkingFromAboveEnds) {
  resizeTo(420 + 2 * windowPlacement.windowMargin + 100, 560);  // below half: the search grows from 0
  const int16_t grown = display.boardSizeUnit;
  display.boardSizeUnit = shellWindow.boardWidthFallback;
  layout.boardWindowRect = makeRect(0, 0, windowContentRect(1).width(), 10);
  fitBoardToWindow();
  EXPECT_EQ(display.boardSizeUnit, grown);
}

TEST_F(BoardResize, NothingChangesWhileACheckerIsInHand) {
  hand.pieceInHand = -1;
  const int16_t before = display.boardWidth;
  resizeTo(700, 500);
  EXPECT_EQ(display.boardWidth, before);
  EXPECT_EQ(shellWindow.boardSizeIndex, 6);
}

TEST_F(BoardResize, BackToTheFirstSizeTheBoardIsDrawnAsAFreshRedraw) {
  const Rect first = windowContentRect(1);
  for (const int step : {+300, -250}) {
    resizeTo(first.width() + step, first.height() + step * 3 / 4);
    const int16_t changedWidth = display.boardWidth;
    resizeTo(first.width(), first.height());
    EXPECT_NE(display.boardWidth, changedWidth) << step;
    const QImage resized = windowPort(1)->image.copy();
    redrawBoardWindow();
    EXPECT_EQ(resized, windowPort(1)->image) << step;
  }
}

}  // namespace
}  // namespace bg
