// The images the board is drawn with (die faces, checkers, the emblem) and the colours
// the schemes give the roles.
#include <gtest/gtest.h>

#include "board_fixture.h"

namespace bg {
namespace {

using BoardImagesTest = testing::DisplayTest;

using testing::composeBoard;
using testing::near;

QColor worldPixel(const GrafPort* world, int x, int y) { return QColor(world->image.pixel(x, y)); }

TEST_F(BoardImagesTest, PipsTakeTheCheckerColourWithItsLightnessCapped) {
  composeBoard(700, 1);
  const Rect& die = layout.dieRect;
  EXPECT_EQ(die, makeRect(0, 0, 21 + 8, 24));  // size class 1
  const int cx = die.width() / 2;
  const int cy = die.height() / 2;
  // Face 1 has one pip in the middle. The light set's pips are darkened to lightness
  // 19660; the dark set's are its own colour.
  EXPECT_TRUE(near(worldPixel(boardImages.dieFaceWorlds[1], cx, cy), QColor(19, 134, 83)))
      << worldPixel(boardImages.dieFaceWorlds[1], cx, cy).name().toStdString();
  EXPECT_TRUE(near(worldPixel(boardImages.dieFaceWorlds[8], cx, cy), QColor(1966 >> 8, 28835 >> 8, 24903 >> 8)));
  // Face 0 has no pips; the plain die is the mask of every die.
  EXPECT_FALSE(near(worldPixel(boardImages.dieFaceWorlds[0], cx, cy), QColor(19, 134, 83)));
  EXPECT_EQ(worldPixel(boardImages.plainDieWorlds[0], cx, cy), QColor(0, 0, 0));
  EXPECT_EQ(worldPixel(boardImages.plainDieWorlds[0], 0, 0), QColor(255, 255, 255));  // rounded corner
}

TEST_F(BoardImagesTest, CheckerFacesAreRoundedWithADarkerRim) {
  composeBoard(700, 1);
  const GrafPort* light = boardImages.pieceImageWorlds[0];
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(light->bounds(), makeRect(0, 0, 43, 39));
  const auto& scheme = colours.colourSchemes[1];
  EXPECT_TRUE(near(worldPixel(light, 21, 15), testing::shown(scheme[kLightPieceColour])));
  EXPECT_EQ(worldPixel(light, 0, 0), QColor(255, 255, 255));  // outside the ellipse
  // The edge band below the face shows the second colour, darker than the face.
  const QColor rim = worldPixel(light, 21, 37);
  EXPECT_LT(rim.lightness(), worldPixel(light, 21, 15).lightness());
  const GrafPort* dark = boardImages.pieceImageWorlds[1];
  EXPECT_TRUE(near(worldPixel(dark, 21, 15), testing::shown(scheme[kDarkPieceColour])));
  EXPECT_EQ(boardImages.dragCountOffsetV, 13 + 3 - 1);
}

TEST_F(BoardImagesTest, TheEmblemIsTheLightCheckerColourInATallShape) {
  composeBoard(700, 1);
  EXPECT_EQ(boardImages.emblemRect, makeRect(0, 0, 20, 62));
  const GrafPort* mask = boardImages.centreEmblemMasks[1];
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(worldPixel(mask, 10, 31), QColor(0, 0, 0));
  EXPECT_EQ(worldPixel(mask, 0, 0), QColor(255, 255, 255));
  EXPECT_TRUE(near(worldPixel(boardImages.centreEmblemWorlds[1], 10, 31),
                   testing::shown(colours.colourSchemes[1][kLightPieceColour])));
}

class ColourSchemes : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (colours.paletteHandle != nullptr) disposePalette(colours.paletteHandle);
    colours = ColourState{};
    initColourAndStyleTables();
    displaySettings.solidPieceColors = 0;
    display.firstBoardBuild = -1;
  }
  void useColour(int16_t colour) {
    display.boardColor = colour;
    setBoardPaletteEntries();
  }
};

TEST_F(ColourSchemes, CustomColoursAreBlackUntilAFileIsRead) {
  useColour(11);
  for (int entry : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) EXPECT_EQ(colours.boardPalette[entry], RGBColor{}) << entry;
}

TEST_F(ColourSchemes, SolidPieceColoursKeepTheBorderPattern) {
  display.boardColor = 3;
  displaySettings.solidPieceColors = -1;
  for (int16_t role : {8, 9, 11, 12}) EXPECT_FALSE(roleDrawnWithPattern(role)) << role;
  EXPECT_TRUE(roleDrawnWithPattern(2));
  displaySettings.solidPieceColors = 0;
  EXPECT_TRUE(roleDrawnWithPattern(8));
  display.boardColor = 0;
  EXPECT_FALSE(roleDrawnWithPattern(2));
}

}  // namespace
}  // namespace bg
