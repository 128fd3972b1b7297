#include "display/board_buttons.h"

#include <gtest/gtest.h>

#include "board_fixture.h"

namespace bg {
namespace {

using testing::near;
using testing::shown;

class BoardButtonsTest : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    position.board.fill(0);
    redrawBoardWindow();
    setPort(windowPort(1));
  }
  static QColor at(int x, int y) { return QColor(windowPort(1)->image.pixel(x + 16, y + 16)); }
};

TEST_F(BoardButtonsTest, AFramedButtonForNoTextSpansTwiceHalfTheTextSize) {
  drawFramedText("", 100, 200, 400);
  const Rect& r = boardButtons.framedTextRect;  // grown by the outer frame
  EXPECT_EQ(r.width() - 2, 2 * (13 / 2));
  // A bevel: white along the top and left, black along the bottom and right.
  EXPECT_EQ(at(r.left + 3, r.top), QColor(255, 255, 255));
  EXPECT_EQ(at(r.left, r.top + 3), QColor(255, 255, 255));
  EXPECT_EQ(at(r.left + 3, r.bottom - 1), QColor(0, 0, 0));
  EXPECT_EQ(at(r.right - 1, r.top + 3), QColor(0, 0, 0));
}

TEST_F(BoardButtonsTest, ARoundButtonShowsItsStateOnItsUpperLeftEdge) {
  const Rect button = makeRect(300, 300, 380, 324);
  const auto& p = colours.boardPalette;
  drawRoundButton(button, 0);
  EXPECT_TRUE(near(at(340, 312), shown(p[roles.pieceColors[0]])));          // body
  EXPECT_TRUE(near(at(340, 300), shown(p[roles.pieceColors[1]])));          // light upper edge
  EXPECT_TRUE(near(at(340, 323), shown(p[roles.pieceSecondColors[1]])));    // shaded lower edge
  drawRoundButton(button, -1);
  EXPECT_TRUE(near(at(340, 300), shown(p[roles.pieceSecondColors[1]])));    // pressed: shaded all round
  // Nothing is drawn while a set-up chooser waits.
  interactionDisplay.whoseRollWaiting = -1;
  const QImage before = windowPort(1)->image.copy();
  drawRoundButton(makeRect(100, 100, 180, 124), 0);
  drawButtonLabel(makeRect(100, 100, 180, 124), "Done", 0);
  EXPECT_EQ(before, windowPort(1)->image);
}

TEST_F(BoardButtonsTest, TheEmblemSitsOnTheBoardCentreAndTheStripsComeBackFromTheBoard) {
  drawCentreEmblem();
  const QColor light = shown(colours.colourSchemes[1][kLightPieceColour]);
  EXPECT_TRUE(near(at(343, 257), light));
  EXPECT_EQ(at(333, 226).rgb(), boardImages.boardWorld->image.pixel(333, 226));  // the mask's corner
  EXPECT_FALSE(near(at(343, 225), light));
  // Point numbers drawn into the strips go again.
  const QImage before = windowPort(1)->image.copy();
  rgbForeColor(RGBColor{65535, 0, 0});
  paintRect(makeRect(100, 36 + 177 + 4 + 3, 200, 36 + 177 + 4 + 8));
  paintRect(makeRect(400, 471 - 177 - 6, 500, 471 - 177 - 2));
  EXPECT_NE(before, windowPort(1)->image);
  eraseRowNumberStrips();
  EXPECT_EQ(before, windowPort(1)->image);
}

}  // namespace
}  // namespace bg
