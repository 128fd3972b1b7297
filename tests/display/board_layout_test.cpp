#include "display/board_layout.h"

#include <gtest/gtest.h>

#include "board_fixture.h"

#include <initializer_list>

#include "display/display_settings.h"

namespace bg {
namespace {

using BoardLayoutTest = testing::DisplayTest;
using BoardWindowFit = testing::DisplayTest;
using WindowGeometry = testing::DisplayTest;

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
  layout.boardWidth = requested;
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

struct SizeRow {
  int16_t requested, unit, pieceWidth, pieceHeight, stackStep, pointHeight, barWidth, width, height, textSize;
};

TEST_F(BoardLayoutTest, RequestedWidthsGiveTheTabulatedMeasures) {
  const SizeRow rows[] = {
      {424, 27, 26, 23, 20, 105, 32, 426, 314, 9},
      {700, 43, 43, 39, 34, 177, 51, 683, 516, 13},
      {1900, 119, 118, 107, 95, 495, 134, 1882, 1412, 38},
  };
  for (const SizeRow& r : rows) {
    SCOPED_TRACE(r.requested);
    layOut(r.requested);
    EXPECT_EQ(layout.boardSizeUnit, r.requested);
    EXPECT_EQ(layout.boardUnit, r.unit);
    EXPECT_EQ(layout.pieceWidth, r.pieceWidth);
    EXPECT_EQ(layout.pieceHeight, r.pieceHeight);
    EXPECT_EQ(layout.stackStep, r.stackStep);
    EXPECT_EQ(layout.pointHeight, r.pointHeight);
    EXPECT_EQ(layout.barWidth, r.barWidth);
    EXPECT_EQ(layout.boardWidth, r.width);
    EXPECT_EQ(layout.boardHeight, r.height);
    EXPECT_EQ(layout.textSize, r.textSize);
  }
}

TEST_F(BoardLayoutTest, AnEvenUnitIsMadeOddAfterTheCheckerWidthIsTaken) {
  layOut(900);
  EXPECT_EQ(layout.pieceWidth, 56);
  EXPECT_EQ(layout.boardUnit, 57);
}

TEST_F(BoardLayoutTest, ReferenceBoardFieldAndCheckerMeasures) {
  layOut(700);
  const BoardLayout& L = layout;
  expectAll({
      {"pieceDepth", L.pieceDepth, 17}, {"frameWidth", L.frameWidth, 53}, {"pointMargin", L.pointMargin, 9},
      {"fieldGap", L.fieldGap, 4}, {"fieldLeft", L.fieldLeft, 57}, {"fieldRight", L.fieldRight, 626},
      {"middleStrip", L.middleStrip, 71}, {"fieldTop", L.fieldTop, 36}, {"fieldBottom", L.fieldBottom, 471},
      {"panelShadowX", L.panelShadowX, 5}, {"panelShadowY", L.panelShadowY, 5},
      {"boardCentreX", L.boardCentreX, 343}, {"boardCentreY", L.boardCentreY, 257},
      {"diceSizeClass", L.diceSizeClass, 1}, {"dieWidth", L.dieWidth, 29}, {"dieHeight", L.dieHeight, 24},
      {"diceTop", L.diceTop, 245}, {"heldPieceDrop", L.heldPieceDrop, 13}, {"emblemWidth", L.emblemWidth, 20},
      {"emblemHeight", L.emblemHeight, 62}, {"markerInset", L.markerInset, 2}
  });
  EXPECT_EQ(L.markerRect, makeRect(0, 0, 39, 6));
  EXPECT_EQ(L.stackLayerRise, 7);
  EXPECT_GT(L.messageMaxLength, 40);
}

TEST_F(BoardLayoutTest, ReferenceBoardTrays) {
  layOut(700);
  const BoardLayout& L = layout;
  EXPECT_EQ(L.trayPieceThickness, 12);
  EXPECT_EQ(L.trayHeight, 181);
  EXPECT_EQ(L.trayWidth, 42);
  EXPECT_EQ(L.trayRects[0], makeRect(9, 290, 51, 471));
  EXPECT_EQ(L.trayRects[1], makeRect(9, 35, 51, 216));
  // tempY keeps the upper tray's top.
  expectAll({
      {"tempY", L.tempY, 35}, {"trayPictureY[0]", L.trayPictureY[0], 481},
      {"trayPictureY[1]", L.trayPictureY[1], 11}, {"pipCountY[0]", L.pipCountY[0], 287},
      {"pipCountY[1]", L.pipCountY[1], 229}
  });
}

TEST_F(BoardLayoutTest, ReferenceBoardDicePlaces) {
  layOut(700);
  const auto& d = layout.dicePosition;
  EXPECT_EQ(d[1][0][1], 150);
  EXPECT_EQ(d[1][1][1], 193);
  EXPECT_EQ(d[0][0][1], 502);
  EXPECT_EQ(d[0][1][1], 459);
  // The opening roll puts one die in each half.
  EXPECT_EQ(d[1][0][0], 459);
  EXPECT_EQ(d[0][1][0], 193);
  for (int k = 0; k <= 3; ++k) {
    EXPECT_EQ(d[0][k][2], 430 + 33 * k);
    EXPECT_EQ(d[1][k][2], 120 + 33 * k);
  }
  const auto& slot = layout.dieSlotPositions;
  EXPECT_EQ(slot[0][0][0], (Point{642, 447}));
  EXPECT_EQ(slot[0][0][1], (Point{642, 422}));
  EXPECT_EQ(slot[1][1][0], (Point{16, 36}));
  EXPECT_EQ(slot[1][1][1], (Point{16, 61}));
}

TEST_F(BoardLayoutTest, ReferenceBoardPointsAndStacks) {
  layOut(700);
  const BoardLayout& L = layout;
  // The lower row shares the columns; the bar takes the middle.
  expectAll({
      {"pointCentreX[1]", L.pointCentreX[1], 79}, {"pointCentreX[6]", L.pointCentreX[6], 294},
      {"pointCentreX[7]", L.pointCentreX[7], 389}, {"pointCentreX[12]", L.pointCentreX[12], 604},
      {"pointCentreX[24]", L.pointCentreX[24], 79}, {"pointCentreX[0]", L.pointCentreX[0], 343},
      {"pointCentreX[25]", L.pointCentreX[25], 343}, {"pieceImageX[1]", L.pieceImageX[1], 58},
      {"pointGeometry[1][5]", L.pointGeometry[1][5], 58}
  });
  const int16_t upper[5] = {41, 76, 111, 146, 181};
  const int16_t lower[5] = {437, 404, 371, 338, 305};
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(L.pointGeometry[1][j], upper[j]);
    EXPECT_EQ(L.pointGeometry[24][j], lower[j]);
    EXPECT_EQ(L.pointGeometry[0][j], upper[j] - 3);  // the bar sits 3 higher
    EXPECT_EQ(L.pointGeometry[25][j], lower[j] - 3);
  }
  for (int i = 26; i <= 33; ++i) EXPECT_EQ(L.clickColumnToPoint[i], 0);

  layout.stackPoint = 1;
  pieceStackOffset(1);
  EXPECT_EQ(layout.stackPieceX, 58);
  EXPECT_EQ(layout.stackPieceY, 40);
  pieceStackOffset(6);
  EXPECT_EQ(layout.stackPieceY, 36);
  pieceStackOffset(11);
  EXPECT_EQ(layout.stackPieceY, 32);
  pieceStackOffset(5);  // the fifth checker takes the fifth slot
  EXPECT_EQ(layout.stackPieceY, 181 - 4);
}

TEST_F(BoardLayoutTest, ReferenceBoardFramePlaces) {
  layOut(700);
  const BoardLayout& L = layout;
  expectAll({
      {"turnArrowPos[0]", L.turnArrowPos[0], 648}, {"turnArrowPos[1]", L.turnArrowPos[1], 22},
      {"turnArrowY", L.turnArrowY, 13}, {"turnArrowBottom", L.turnArrowBottom, 31},
      {"rollOverMarkerX", L.rollOverMarkerX, 336}, {"rollOverMarkerY", L.rollOverMarkerY, 25},
      {"setupButtonX[0]", L.setupButtonX[0], 309}, {"setupButtonX[1]", L.setupButtonX[1], 377}
  });
  EXPECT_EQ(L.cubeY[2], L.diceTop);
  EXPECT_EQ(L.cubeY[1], 36 + 2 * 43);
  EXPECT_EQ(L.cubeX[0], 626 + 4 + (53 - L.cubeWidth[0]) / 2);
}

TEST_F(BoardLayoutTest, SizeClassesFollowTheLaidOutWidth) {
  layOut(700);
  const std::pair<int16_t, int16_t> cases[] = {{499, 0}, {500, 1}, {699, 1}, {700, 2},
                                               {919, 2}, {920, 3}, {1259, 3}, {1260, 4}};
  for (auto [width, cls] : cases) {
    layout.boardWidth = width;
    selectDiceAndCubeSizes();
    EXPECT_EQ(layout.diceSizeClass, cls) << width;
    EXPECT_EQ(layout.BoardLargeness, cls) << width;
  }
  layout.boardWidth = 1260;
  selectDiceAndCubeSizes();
  EXPECT_EQ(layout.dieWidth, 58);
  EXPECT_EQ(layout.dieHeight, 48);
}

TEST_F(BoardLayoutTest, MarkerInsetStaysWithinOneToFour) {
  layOut(300);  // unit 19
  EXPECT_EQ(layout.boardUnit, 19);
  EXPECT_EQ(layout.markerInset, 1);
  layOut(1700);  // unit 107
  EXPECT_EQ(layout.markerInset, 4);
  EXPECT_EQ(layout.markerRect.right, layout.boardUnit - 8);
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

TEST_F(BoardWindowFit, ACentredWindowGetsTheMarginAsOffsets) {
  layOut(700);
  const BoardWindowPlacement& W = windowPlacement;
  EXPECT_EQ(W.windowMargin, 16);
  EXPECT_EQ(W.boardWidthOffset, -16);
  EXPECT_EQ(W.boardHeightOffset, -16);
  EXPECT_EQ(W.windowX2 - W.windowX1, 683 + 32);
  EXPECT_EQ(W.windowX1, (1024 - 683 - 32) / 2);
  EXPECT_EQ(W.windowY1, 22 + 2 + (768 - 30 - 22 - 20 - 516 - 32) / 2);
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

TEST_F(WindowGeometry, AnXgaScreenOffersSevenSizesAndOpensAtSizeSix) {
  layout = BoardLayout{};
  display.boardColor = 10;
  computeWindowGeometry(1024, 768, 22);
  const int16_t expected[8] = {0, 424, 512, 595, 678, 761, 844, 927};
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(shellWindow.boardSizeTable[k], expected[k]) << k;
  EXPECT_EQ(windowPlacement.windowMargin, 20);
  EXPECT_EQ(displaySettings.pieceSize, 0);
  EXPECT_EQ(defaultBoardSizeIndex(1024), 6);
  EXPECT_EQ(defaultBoardSizeIndex(900), 7);

  displaySettings.pieceSize = 3;
  setScreen();
  layout.boardWidth = shellWindow.boardSizeTable[6];
  computeBoardLayout();
  EXPECT_EQ(layout.boardWidth, 839);
  EXPECT_EQ(layout.boardHeight, 623);
}

}  // namespace
}  // namespace bg
