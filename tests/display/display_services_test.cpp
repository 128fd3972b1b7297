// The display's routines as the rules reach them through their service tables.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "display/board_rebuild.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "runtime/qt/windows.h"

namespace bg {
namespace {

class DisplayServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::composeBoard(700, 1);
    windowPlacement.boardWidthOffset = -16;
    windowPlacement.boardHeightOffset = -16;
    windowOpen(1, "board", makeRect(100, 100, 100 + 683 + 32, 100 + 516 + 32), kDocumentWindow, false);
    installDisplayServices();
    hook::redrawBoardWindow();
  }
  void TearDown() override {
    displayServices = DisplayServices{};
    windowClose(1);
  }
  static QImage window() { return windowPort(1)->image.copy(); }
};

TEST_F(DisplayServicesTest, TheRulesSeeTheLayoutsDicePlacesAndSizes) {
  EXPECT_EQ(display.diceTop, 245);
  EXPECT_EQ(display.dieWidth, 29);
  EXPECT_EQ(display.dieHeight, 24);
  EXPECT_EQ(display.boardWidth, 683);
  EXPECT_EQ(display.dicePosition[0][0][1], 502);
  EXPECT_EQ(display.boardColor, 1);
}

TEST_F(DisplayServicesTest, TheRedrawShowsTheComposedBoardInsideTheMargin) {
  const QImage shown = window();
  const QImage& board = boardImages.boardWorld->image;
  for (auto [x, y] : {std::pair{0, 0}, {343, 257}, {682, 515}, {79, 100}})
    EXPECT_EQ(shown.pixel(x + 16, y + 16), board.pixel(x, y)) << x << "," << y;
}

TEST_F(DisplayServicesTest, ADieIsDrawnAndTheBoardRestoredUnderIt) {
  const QImage before = window();
  hook::drawDieImage(1, 0, 150, 245);
  const QImage withDie = window();
  EXPECT_EQ(withDie.pixel(16 + 150 + 14, 16 + 245 + 12), boardImages.dieFaceWorlds[1]->image.pixel(14, 12));
  hook::restoreBoardBackground(BoardRect{150, 245, 150 + 29, 245 + 24});
  EXPECT_EQ(before, window());
}

}  // namespace
}  // namespace bg
