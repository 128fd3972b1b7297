#include <gtest/gtest.h>

#include "board_fixture.h"
#include "state/display_state.h"

#include <initializer_list>

namespace bg {
namespace {

using BoardLayoutTest = testing::DisplayTest;
using BoardWindowFit = testing::DisplayTest;

// A 1024 x 768 screen with a 22-pixel menu bar, first build over, no rebuild running.
void setScreen(int16_t width = 1024, int16_t height = 768) {
  ShellWindowState& s = shellWindow;
  s.screenWidth = width;
  s.screenHeight = height;
  s.menuBarHeight = 22;
  s.availableWidth = width;
  s.availableHeight = static_cast<int16_t>(height - 22);
  display.firstBoardBuild = 0;
  s.boardRebuilding = 0;
  s.boardSizeIndex = 6;
}

void layOut(int16_t requested, int16_t pieceSize = 3, int16_t playDirection = 0) {
  layout = BoardLayout{};
  windowPlacement = BoardWindowPlacement{};
  display.boardColor = 1;
  displaySettings.pieceSize = pieceSize;
  displaySettings.playDirection = playDirection;
  setScreen();
  display.boardWidth = requested;
  computeBoardLayout();
}

// Named measures against their figures, several to a line.
struct Want {
  const char* name;
  int got, want;
};
void expectAll(std::initializer_list<Want> wants) {
  for (const Want& w : wants) EXPECT_EQ(w.got, w.want) << w.name;
}

TEST_F(BoardLayoutTest, RequestedWidthsGiveTheTabulatedMeasures) {
  struct Row {
    int16_t requested, unit, pieceWidth, pieceHeight, stackStep, pointHeight, barWidth, width, height, textSize;
  };
  for (const Row& r : {Row{424, 27, 26, 23, 20, 105, 32, 426, 314, 9}, {700, 43, 43, 39, 34, 177, 51, 683, 516, 13},
                       {1900, 119, 118, 107, 95, 495, 134, 1882, 1412, 38}}) {
    SCOPED_TRACE(r.requested);
    layOut(r.requested);
    const BoardLayout& L = layout;
    expectAll({{"unit", L.boardUnit, r.unit}, {"pieceWidth", L.pieceWidth, r.pieceWidth},
               {"pieceHeight", L.pieceHeight, r.pieceHeight}, {"stackStep", L.stackStep, r.stackStep},
               {"pointHeight", L.pointHeight, r.pointHeight}, {"barWidth", L.barWidth, r.barWidth},
               {"width", display.boardWidth, r.width}, {"height", L.boardHeight, r.height}, {"textSize", L.textSize, r.textSize}});
  }
  // An even unit is made odd once the checker width is taken from it.
  for (int16_t requested = 300; requested <= 1900; requested += 7) {
    layOut(requested);
    EXPECT_EQ(layout.boardUnit % 2, 1) << requested;
  }
}

TEST_F(BoardLayoutTest, MirroringSwapsTheHalvesAndTwiceRestoresThem) {
  layOut(700);
  const BoardLayout before = layout;
  mirrorPointTables();
  // Point 1 is now the upper-right column.
  expectAll({
      {"pointCentreX[1]", layout.pointCentreX[1], 604}, {"pointCentreX[12]", layout.pointCentreX[12], 79},
      {"pointCentreX[24]", layout.pointCentreX[24], 604},
      {"clickColumnToPoint[1]", layout.clickColumnToPoint[1], 12}
  });
  EXPECT_EQ(layout.pointGeometry[1], before.pointGeometry[12]);
  EXPECT_EQ(layout.pointCentreX[0], 343);  // the bar stays
  mirrorPointTables();
  EXPECT_EQ(layout.pointCentreX, before.pointCentreX);
  EXPECT_EQ(layout.pointGeometry, before.pointGeometry);
  EXPECT_EQ(layout.clickColumnToPoint, before.clickColumnToPoint);

  layOut(700, 3, 1);  // the other home side lays out mirrored
  EXPECT_EQ(layout.pointCentreX[1], 604);
  EXPECT_EQ(layout.trayRects[0].left, layout.trayLeft[1]);
}

TEST_F(BoardWindowFit, AShortScreenCutsTheWindowAndShiftsTheBoardUp) {
  layOut(700);
  setScreen(1024, 500);
  fitWindowToBoard();
  const BoardWindowPlacement& W = windowPlacement;
  EXPECT_EQ(W.windowY1, 44);
  EXPECT_EQ(W.windowY2, 500);
  EXPECT_EQ(W.boardHeightOffset, (516 - 456) / 2);
}

TEST_F(BoardWindowFit, TheLargestSizeSpansTheScreen) {
  layOut(700);
  shellWindow.boardSizeIndex = 7;
  fitWindowToBoard();
  const BoardWindowPlacement& W = windowPlacement;
  EXPECT_EQ(W.windowX1, 0);
  EXPECT_EQ(W.windowX2, 1022);
  EXPECT_EQ(W.windowY1, 44);
  EXPECT_EQ(W.windowY2, 746 + 20);
  EXPECT_EQ(W.boardHeightOffset, -8);
  display.firstBoardBuild = -1;
  windowPlacement.windowX2 = 0;
  fitWindowToBoard();
  EXPECT_EQ(W.windowY2, 746 - 30 + 20);  // the first build leaves room for the dock
}

TEST_F(BoardWindowFit, ASavedRectangleStaysUnlessItIsTooLargeOrTooFarOut) {
  layOut(700);
  display.firstBoardBuild = -1;
  struct Case {
    int16_t x1, x2;
    bool kept;
  } cases[] = {{0, 1044, true}, {0, 1054, false}, {400, 1074, true}, {400, 1084, false}};
  for (const Case& c : cases) {
    windowPlacement.windowX1 = c.x1;
    windowPlacement.windowX2 = c.x2;
    windowPlacement.windowY1 = 50;
    windowPlacement.windowY2 = 600;
    windowPlacement.boardWidthOffset = -3;
    fitWindowToBoard();
    if (c.kept) {
      EXPECT_EQ(windowPlacement.windowX2, c.x2);
      EXPECT_EQ(windowPlacement.boardWidthOffset, -3);  // the saved offsets stay
    } else {
      EXPECT_EQ(windowPlacement.windowX2 - windowPlacement.windowX1, 683 + 32) << c.x2;  // centred afresh
    }
  }
}

}  // namespace
}  // namespace bg
