#include "display/colour_schemes.h"

#include <gtest/gtest.h>

#include "board_fixture.h"

#include <set>

#include "display/display_settings.h"

namespace bg {
namespace {

using ColourSchemesDeathTest = testing::DisplayTest;

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
  static std::set<int> flaggedRoles(int colour) {
    std::set<int> out;
    for (int role = 0; role <= kHighestColourRole; ++role)
      if (colours.rolePatternFlags[colour][role] == -1) out.insert(role);
    return out;
  }
};

TEST_F(ColourSchemes, SchemeOneFillsThePaletteWithItsColoursAndShades) {
  useColour(1);
  const auto& p = colours.boardPalette;
  EXPECT_EQ(p[2], (RGBColor{52000, 52000, 52000}));
  EXPECT_EQ(p[3], (RGBColor{1966, 20315, 20315}));
  EXPECT_EQ(p[5], (RGBColor{6553, 43253, 32767}));
  EXPECT_EQ(p[6], (RGBColor{3932, 27524, 28835}));
  EXPECT_EQ(p[7], (RGBColor{62000, 62000, 62000}));
  EXPECT_EQ(p[8], (RGBColor{1966, 28835, 24903}));
  EXPECT_EQ(p[11], (RGBColor{51772, 63568, 58326}));
  EXPECT_EQ(p[4], (RGBColor{1179, 12189, 12189}));
  EXPECT_EQ(p[9], (RGBColor{1179, 17301, 14941}));
  EXPECT_EQ(p[10], (RGBColor{589, 8650, 7470}));
  EXPECT_EQ(p[12], (RGBColor{31063, 38140, 34995}));
  EXPECT_EQ(p[13], (RGBColor{12943, 15892, 14581}));
}

TEST_F(ColourSchemes, FixedEntriesDoNotDependOnTheScheme) {
  for (int16_t colour : {1, 7, 12}) {
    useColour(colour);
    const auto& p = colours.boardPalette;
    EXPECT_EQ(p[0], (RGBColor{12451, 4587, 0}));
    EXPECT_EQ(p[14], (RGBColor{52000, 52000, 52000}));
    EXPECT_EQ(p[15], (RGBColor{26214, 26214, 26214}));  // mid grey, not white
    EXPECT_EQ(p[16], (RGBColor{18349, 3276, 0}));
    EXPECT_EQ(p[18], (RGBColor{7702, 2837, 0}));
  }
  EXPECT_EQ(colours.colourSchemes[7], colours.colourSchemes[8]);
}

TEST_F(ColourSchemes, CustomColoursAreBlackUntilAFileIsRead) {
  useColour(11);
  for (int entry : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) EXPECT_EQ(colours.boardPalette[entry], RGBColor{}) << entry;
}

TEST_F(ColourSchemes, PatternFlagsPerBoardColour) {
  EXPECT_EQ(flaggedRoles(0), std::set<int>{});
  for (int colour : {1, 4, 5, 6, 8, 11}) EXPECT_EQ(flaggedRoles(colour), std::set<int>{2}) << colour;
  EXPECT_EQ(flaggedRoles(2), (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 11, 12}));
  for (int colour : {3, 9, 10}) EXPECT_EQ(flaggedRoles(colour), (std::set<int>{2, 8, 9, 11, 12})) << colour;
  EXPECT_EQ(flaggedRoles(7), (std::set<int>{2, 6, 7}));
  EXPECT_EQ(flaggedRoles(12), (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
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

TEST_F(ColourSchemes, ThePictureBoardHasARowOfItsOwn) {
  display.boardColor = 15;
  EXPECT_TRUE(roleDrawnWithPattern(2));
  for (int16_t role = 3; role <= kHighestColourRole; ++role) EXPECT_FALSE(roleDrawnWithPattern(role));
}

TEST_F(ColourSchemes, ThePaletteResourceIsChosenOnceAtTheFirstBuild) {
  display.boardColor = 2;
  activateBoardPalette();
  EXPECT_EQ(colours.paletteResource, 128);
  const RGBColor keep1 = colours.boardPalette[1];
  const RGBColor keep20 = colours.boardPalette[20];
  display.firstBoardBuild = 0;
  display.boardColor = 4;
  activateBoardPalette();  // after start-up it does nothing
  setBoardPaletteEntries();
  EXPECT_EQ(colours.paletteResource, 128);
  EXPECT_EQ(colours.boardPalette[1], keep1);
  EXPECT_EQ(colours.boardPalette[20], keep20);
  EXPECT_EQ(colours.boardPalette[3], (RGBColor{0, 10280, 15677}));
  EXPECT_EQ(paletteResourceFor(3), 129);
  EXPECT_EQ(paletteResourceFor(5), 128);
  EXPECT_EQ(paletteResourceFor(15), 130);
}

TEST_F(ColourSchemesDeathTest, ARoleOutsideThePaletteStops) {
  initColourAndStyleTables();
  display.boardColor = 1;
  EXPECT_DEATH(roleDrawnWithPattern(22), "Array bounds error: index 22 is outside 0 to 21");
}

}  // namespace
}  // namespace bg
