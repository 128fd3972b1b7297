#include <gtest/gtest.h>

#include "board_fixture.h"

#include <set>

namespace bg {
namespace {

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
