// The board follows a user resize of its window: a free size, never below the smallest
// board, and the same whichever side the search starts from.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "display/board_layout.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window.h"
#include "shell/board_window_events.h"
#include "shell/startup.h"
#include "state/board_state.h"
#include "state/cube_state.h"
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
    settle();
  }
  static void settle() {
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

// A new size by a drag, or by the window manager's maximise and restore (the state
// changes, then the size comes): the board fits the window as a drag to that size fits it,
// and back at the first size it is drawn as a fresh redraw draws it.
TEST_F(BoardResize, BackToTheFirstSizeTheBoardIsDrawnAsAFreshRedraw) {
  const Rect first = windowContentRect(1);
  const auto zoom = [](Qt::WindowState state) {
    detail::setResizeQuietMs(0);
    contentWidget(1)->setWindowState(state);
    settle();
  };
  struct Row {
    const char* name;
    std::function<void()> change, back;
  };
  const Row rows[] = {
      {"grown", [&] { resizeTo(first.width() + 300, first.height() + 225); }, [&] { resizeTo(first.width(), first.height()); }},
      {"shrunk", [&] { resizeTo(first.width() - 250, first.height() - 187); }, [&] { resizeTo(first.width(), first.height()); }},
      {"maximised", [&] { zoom(Qt::WindowMaximized); }, [&] { zoom(Qt::WindowNoState); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const int16_t firstWidth = display.boardWidth;
    r.change();
    const Rect changed = windowContentRect(1);
    const int16_t changedUnit = display.boardSizeUnit;
    const int16_t changedWidth = display.boardWidth;
    EXPECT_NE(changedWidth, firstWidth);
    r.back();
    EXPECT_EQ(windowContentRect(1).width(), first.width());
    EXPECT_NE(display.boardWidth, changedWidth);
    const QImage resized = windowPort(1)->image.copy();
    redrawBoardWindow();
    EXPECT_EQ(resized, windowPort(1)->image);
    resizeTo(changed.width(), changed.height());
    EXPECT_EQ(display.boardSizeUnit, changedUnit) << "a drag to the same size";
    resizeTo(first.width(), first.height());
  }
}

// The window after a user resize against the same board drawn anew at that size: the cube
// in each of its places and values, over sizes around the common screen sizes.
TEST_F(BoardResize, AtEachSizeTheCubeAndTheBoardAreWhatAFreshRedrawDraws) {
  struct CubeRow {
    int16_t value, owner;
  };
  const CubeRow cubes[] = {{1, kCubeCentred}, {2, 0}, {8, 1}, {64, 0}, {16, kCubeCentred}};
  const std::pair<int, int> sizes[] = {{800, 600}, {640, 480}, {720, 560}, {900, 700}, {1000, 740}, {850, 620}};
  for (const int16_t colour : {int16_t{0}, int16_t{1}, int16_t{12}}) {
    if (colour != 0) {
      // Another scheme than the first start's, chosen as Display Settings chooses it.
      display.overlayActive = 0;
      boardState.pendingBoardColor = colour;
      boardState.boardColorChangePending = -1;
      rebuildBoardWindow();
    }
    for (const auto& [w, h] : sizes) {
      for (const CubeRow& c : cubes) {
        SCOPED_TRACE("colour " + std::to_string(display.boardColor) + ", " + std::to_string(w) + "x" +
                     std::to_string(h) + ", cube " + std::to_string(c.value) + " owner " + std::to_string(c.owner));
        cube.cubeValue = c.value;
        cube.cubeOwner = c.owner;
        cube.cubeOwnerBeforeDouble = c.owner;
        redrawBoardWindow();
        // From a size of its own, so that every row is a real change of size.
        resizeTo(w - 37, h - 29);
        resizeTo(w, h);
        const QImage resized = windowPort(1)->image.copy();
        redrawBoardWindow();
        const QImage fresh = windowPort(1)->image.copy();
        int differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
          for (int x = 0; x < fresh.width(); ++x) differing += resized.pixel(x, y) != fresh.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0);
      }
    }
  }
}

}  // namespace
}  // namespace bg
