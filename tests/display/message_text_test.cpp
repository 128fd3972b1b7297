#include "display/message_text.h"

#include <gtest/gtest.h>

#include "board_fixture.h"

#include <string>

namespace bg {
namespace {

using MessageBox = testing::DisplayTest;
using MessageRepeat = testing::DisplayTest;
using MessageText = testing::DisplayTest;

TEST_F(MessageText, AFreeTextLosesItsPrefixAndIsCutToTheLine) {
  EXPECT_EQ(composeMessageText("MMWrong Color", kNoMessage, "", 80), "Wrong Color");
  EXPECT_EQ(composeMessageText("MMWrong Color", kNoMessage, "", 5), "Wrong");
  EXPECT_EQ(composeMessageText("MM", kNoMessage, "", 80), "");
  EXPECT_EQ(composeMessageText("M", kNoMessage, "", 80), "");  // only part of a prefix
}

TEST_F(MessageText, ANumberAloneLosesItsPrefixAndIsCutToo) {
  EXPECT_EQ(composeMessageText("", 17, "  Click on the dice to roll", 80), "Click on the dice to roll");
  EXPECT_EQ(composeMessageText("", 17, "  Click on the dice to roll", 5), "Click");
  EXPECT_EQ(composeMessageText("", kNoMessage, "  ignored", 80), "");
}

TEST_F(MessageText, CuttingNeverSplitsACharacter) {
  // "é" takes two bytes; a cut at 4 bytes after "abc" keeps "abc" whole and drops the "é".
  EXPECT_EQ(composeMessageText("MMabc\xC3\xA9", kNoMessage, "", 4), "abc");
}

TEST_F(MessageRepeat, TheSameNumberAtTheSamePointWithinTwoSecondsIsNotSpoken) {
  MessageRepeatRecord r;
  noteNumberedMessage(r, 48, 26, 1000);
  EXPECT_EQ(r.speakFlag, 255);
  r.speakFlag = 255;
  noteNumberedMessage(r, 48, 26, 1001);
  EXPECT_EQ(r.speakFlag, 0);
  r.speakFlag = 255;
  noteNumberedMessage(r, 48, 26, 1003);  // two seconds later it is spoken again
  EXPECT_EQ(r.speakFlag, 255);
  r.speakFlag = 255;
  noteNumberedMessage(r, 48, 27, 1003);  // another point
  EXPECT_EQ(r.speakFlag, 255);
  r.speakFlag = 255;
  noteNumberedMessage(r, 50, 27, 1003);  // another number
  EXPECT_EQ(r.speakFlag, 255);
  EXPECT_EQ(r.previousNumber, 48);
  EXPECT_EQ(r.previousPoint, 27);
}

TEST_F(MessageRepeat, AcrossMidnightTheDifferenceIsNegativeAndCountsAsARepeat) {
  MessageRepeatRecord r;
  noteNumberedMessage(r, 44, 3, 86399);
  r.speakFlag = 255;
  noteNumberedMessage(r, 44, 3, 5);
  EXPECT_EQ(r.speakFlag, 0);
}

MessageBoxMeasures referenceBoard() {
  return {683, 36, 13, 2, reducedShadow(5), reducedShadow(5), false, 0, 0};
}

TEST_F(MessageBox, ReferenceBoardBoxAndTextPlace) {
  const MessageBoxMeasures m = referenceBoard();
  const Rect box = messageLineBox(100, m);
  EXPECT_EQ(box.left, (683 - 100) / 2 - 6);
  EXPECT_EQ(box.right, box.left + 100 + 4 + 13 + 1);
  EXPECT_EQ(box.top, 6);
  EXPECT_EQ(box.bottom, 26);
  const Point pen = messageTextPen(box, m);
  EXPECT_EQ(pen.h, box.left + 2 + 6);
  EXPECT_EQ(pen.v, 20);
}

TEST_F(MessageBox, ThePictureBoardPlacesTheTextInItsStrip) {
  MessageBoxMeasures m = referenceBoard();
  m.pictureBoard = true;
  m.textSize = 12;
  m.textStripTop = 6;
  m.textStripHeight = 17;
  const Rect box = messageLineBox(80, m);
  EXPECT_EQ(box.top, (6 + 17 - 12) / 2 + 4);
  EXPECT_EQ(box.bottom, box.top + 16);
  EXPECT_EQ(messageTextPen(box, m), (Point{box.left, static_cast<int16_t>(box.top + 12)}));
}

}  // namespace
}  // namespace bg
