// Boxes over the board: at most two, each taken down with the board restored under it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_fixture.h"

namespace bg {
namespace {

std::vector<std::string> lineTexts;

class BoardOverlayTest : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    testing::loadShippedMessages();
    redrawBoardWindow();
    lineTexts.clear();
    interactionServices.displayMessage = [] { lineTexts.push_back(interaction.messageText.str()); };
  }
  static void showBox(const std::string& first, const std::string& second = "") {
    interaction.messageLines[1].assign(first);
    interaction.messageLines[2].assign(second);
    interaction.messageLineCount = second.empty() ? 1 : 2;
    drawOverlayMessage();
    closePicture();
    drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
  }
};

TEST_F(BoardOverlayTest, TheBoxIsSizedFromTheBoardWidthAndItsFirstLine) {
  showBox("Double?");
  EXPECT_EQ(offscreen.messageBoxRect, makeRect(270, 221, 418, 296));
  EXPECT_EQ(display.overlayActive, -1);
  closeBoardOverlay();
  interaction.messageLines[1] = messageWordsOf(132);
  EXPECT_EQ(overlayBoxSize(), (Point{127, 54}));
  interaction.messageLines[1].assign(std::string(60, 'W'));
  EXPECT_GT(overlayBoxSize().h, 148);
  EXPECT_EQ(overlayBoxSize().v, 75);
}

TEST_F(BoardOverlayTest, TwoBoxesComeDownOneAtATimeAndAThirdIsRefused) {
  const QImage board = window();
  showBox("First box", "with two lines");
  const QImage firstUp = window();
  EXPECT_NE(board, firstUp);
  offscreen.messageBoxOffsetY = 30;
  showBox("Second box");
  EXPECT_EQ(overlay.overlayShown, -1);
  const QImage bothUp = window();
  drawOverlayMessage();  // a third is not drawn
  openBoardOverlay();
  EXPECT_EQ(lineTexts, (std::vector<std::string>{"MMCan't do that right now"}));
  EXPECT_EQ(bothUp, window());
  closeBoardOverlay();
  EXPECT_EQ(overlay.overlayShown, 0);
  EXPECT_EQ(display.overlayActive, -1);
  EXPECT_EQ(firstUp, window());
  closeBoardOverlay();
  EXPECT_EQ(display.overlayActive, 0);
  EXPECT_EQ(board, window());
  closeBoardOverlay();  // nothing up: nothing drawn
  EXPECT_EQ(board, window());
}

TEST_F(BoardOverlayTest, ARedrawBringsTheBoxBackAtItsOwnPlaceAfterAMessage) {
  showBox("Resign?");
  const QImage boxUp = window();
  const Rect box = offscreen.messageBoxRect;
  interactionServices = InteractionServices{};
  installDisplayServices();
  interaction.messageText = "MMA message on the line";
  hook::displayMessage();
  EXPECT_EQ(offscreen.messageBoxRect, box);
  redrawBoardWindow();
  EXPECT_EQ(testing::pixelAt(box.left + 20, box.top + 20), boxUp.pixel(box.left + 36, box.top + 36));
}

TEST_F(BoardOverlayTest, ATimedBoxClosesItselfAndAnUntimedOneStaysRecording) {
  const QImage board = window();
  overlay.messageBoxSeconds = 0.5f;
  interaction.messageLines[1] = "Gone soon";
  interaction.messageLineCount = 1;
  drawOverlayMessage();
  EXPECT_EQ(display.overlayActive, 0);
  EXPECT_EQ(board, window());
  overlay.messageBoxSeconds = 0;
  drawOverlayMessage();
  EXPECT_EQ(display.overlayActive, -1);
  EXPECT_FALSE(windowPort(1)->recordings.empty());
  closePicture();
  closeBoardOverlay();
}

}  // namespace
}  // namespace bg
