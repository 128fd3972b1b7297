#include <gtest/gtest.h>

#include "board_fixture.h"

namespace bg {
namespace {

using Offscreen = testing::DisplayTest;

TEST_F(Offscreen, TheLowMemoryStopCountsTheWorldsNeedAsTheAlertShowsIt) {
  EXPECT_EQ(worldKilobytesNeeded(makeRect(0, 0, 100, 50), 32), 22);
  EXPECT_EQ(lowMemoryText(22, 0), "At least 32k is needed");
  EXPECT_EQ(lowMemoryText(124 + 10, 10), "At least 134k is needed");
  EXPECT_EQ(lowMemoryText(22, 100), "At least-68k is needed");  // more free than needed
}

TEST_F(Offscreen, AQuietFailureIsRecordedAndStaysRecorded) {
  offscreen.quietWorldCreation = -1;
  bg::testing::failNextWorldCreations(1);
  EXPECT_EQ(newOffscreenWorld(makeRect(0, 0, 10, 10)), nullptr);
  EXPECT_EQ(offscreen.worldCreationFailed, -1);
  GWorldPtr world = newOffscreenWorld(makeRect(0, 0, 10, 10));
  EXPECT_NE(world, nullptr);
  EXPECT_EQ(offscreen.worldCreationFailed, -1);
  disposeOffscreenWorld(world);
  EXPECT_EQ(world, nullptr);
  offscreen.quietWorldCreation = 0;
  offscreen.worldCreationFailed = 0;
}

TEST_F(Offscreen, CopiesArePlainTransparentOrThroughAMask) {
  GWorldPtr source = newOffscreenWorld(makeRect(0, 0, 4, 1));
  GWorldPtr mask = newMaskWorld(makeRect(0, 0, 4, 1));
  GWorldPtr target = newOffscreenWorld(makeRect(0, 0, 4, 1));
  source->image.setPixel(0, 0, qRgb(10, 20, 30));
  source->image.setPixel(1, 0, qRgb(255, 255, 255));
  source->image.setPixel(2, 0, qRgb(0, 0, 0));
  mask->image.setPixel(0, 0, qRgb(0, 0, 0));
  target->image.fill(qRgb(1, 2, 3));
  setPort(target);
  const Rect r = makeRect(0, 0, 4, 1);
  copyOffscreenTransparent(source, target, r, r);
  EXPECT_EQ(QColor(target->image.pixel(0, 0)), QColor(10, 20, 30));
  EXPECT_EQ(QColor(target->image.pixel(1, 0)), QColor(1, 2, 3));  // white is left out
  target->image.fill(qRgb(1, 2, 3));
  copyOffscreenMasked(source, mask, target, r, r, r);
  EXPECT_EQ(QColor(target->image.pixel(0, 0)), QColor(10, 20, 30));
  EXPECT_EQ(QColor(target->image.pixel(2, 0)), QColor(1, 2, 3));  // the mask is white there
  copyOffscreenToWindow(source, target, r, r);
  EXPECT_EQ(QColor(target->image.pixel(1, 0)), QColor(255, 255, 255));
  // The used die: black stays black, white becomes the mid grey.
  mask->image.fill(qRgb(0, 0, 0));
  copyOffscreenMaskedLocked(source, mask, target, r, r, r);
  EXPECT_EQ(QColor(target->image.pixel(2, 0)), QColor(0, 0, 0));
  EXPECT_TRUE(bg::testing::near(QColor(target->image.pixel(1, 0)), QColor(32000 >> 8, 32000 >> 8, 32000 >> 8)));
  setPort(nullptr);
  disposeOffscreenWorld(source);
  disposeOffscreenWorld(mask);
  disposeOffscreenWorld(target);
}

}  // namespace
}  // namespace bg
