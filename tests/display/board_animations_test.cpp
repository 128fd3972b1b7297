#include "display/board_animations.h"

#include <gtest/gtest.h>

#include "board_fixture.h"

namespace bg {
namespace {

using BoardAnimations = testing::BoardWindowTest;

TEST_F(BoardAnimations, TheWelcomeRevealEndsWithTheWholeBoardShown) {
  animateWelcome(layout.boardRect, boardImages.boardWorld, windowPort(1));
  EXPECT_EQ(testing::boardArea(), boardImages.boardWorld->image);
  // Each of the random blocks waited its 1.2 milliseconds, most of it asleep.
  EXPECT_GT(clock.clock.now(), 399u * 1200u);
  EXPECT_GT(clock.clock.slept(), clock.clock.now() / 2);
}

TEST_F(BoardAnimations, TheCubeSlidePacesItsStepsWithTheSpeedKeptInRange) {
  displaySettings.pieceSpeed = 7;
  EXPECT_EQ(cubeSlideStepDelay(100), 1846u * 3);
  shellWindow.osVersionValue = 9;
  EXPECT_EQ(cubeSlideStepDelay(100), 1846u * 5);
  displaySettings.pieceSpeed = 1;
  const uint32_t slowest = cubeSlideStepDelay(100);
  displaySettings.pieceSpeed = 0;  // kept to the settings' range rather than divided by
  EXPECT_EQ(cubeSlideStepDelay(100), slowest);
}

TEST_F(BoardAnimations, TheSlidingCubeEndsAtItsNewPlaceWithTheOldOneClean) {
  redrawBoardWindow();
  const int x = layout.cubeX[0];
  const int from = layout.cubeY[2];
  const int to = layout.cubeY[0];
  const uint64_t start = clock.clock.now();
  const uint64_t sleptBefore = clock.clock.slept();
  animateCubeSlide(static_cast<int16_t>(from), static_cast<int16_t>(to));
  EXPECT_GT(clock.clock.now() - start, static_cast<uint64_t>(to - from) * cubeSlideStepDelay(to - from));
  EXPECT_GT(clock.clock.slept() - sleptBefore, (clock.clock.now() - start) / 2) << "spun on the clock";
  const QImage& window = windowPort(1)->image;
  const QImage& face = boardImages.cubeFaceWorlds[0][0]->image;
  EXPECT_EQ(window.pixel(16 + x + 15, 16 + to + 15), face.pixel(15, 15));
  EXPECT_EQ(window.pixel(16 + x + 15, 16 + from + 5), boardImages.boardWorld->image.pixel(x + 15, from + 5));
  const QImage before = window.copy();
  animateCubeSlide(static_cast<int16_t>(to), static_cast<int16_t>(to));  // no move, nothing drawn
  EXPECT_EQ(before, windowPort(1)->image);
}

TEST_F(BoardAnimations, TrayCheckersAreDrawnAndTakenOffOnlyWhileATrayIsEmptied) {
  position.board.fill(0);
  redrawBoardWindow();
  const QImage clean = windowPort(1)->image.copy();
  drawTrayPiece(0, 1);
  drawTrayPiece(1, 1);
  const QImage withCheckers = windowPort(1)->image.copy();
  EXPECT_NE(clean, withCheckers);
  const QImage& tray = boardImages.trayPieceImages[0]->image;
  EXPECT_EQ(withCheckers.pixel(16 + 9 + 20, 16 + 458 + 6), tray.pixel(20, 6));
  eraseTrayPiece(0, 1);  // nobody is taking checkers out
  EXPECT_EQ(withCheckers, windowPort(1)->image);
  interactionDisplay.trayPickUp = -1;
  position.currentPlayer = 0;
  eraseTrayPiece(0, 1);
  position.currentPlayer = 1;
  eraseTrayPiece(1, 1);
  interactionDisplay.trayPickUp = 0;
  EXPECT_EQ(clean, windowPort(1)->image);
  // Before the welcome nothing is taken off.
  drawTrayPiece(0, 1);
  boardState.welcomePending = -1;
  display.boardClearing = -1;
  eraseTrayPiece(0, 1);
  EXPECT_NE(clean, windowPort(1)->image);
  boardState.welcomePending = 0;
  display.boardClearing = 0;
}

}  // namespace
}  // namespace bg
