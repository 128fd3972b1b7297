#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_fixture.h"
#include "display/name_labels.h"
#include "state/shell_state.h"
#include "state/speech_state.h"

namespace bg {
namespace {

std::vector<std::string> spoken;
void recordSpeech(std::string_view text) { spoken.emplace_back(text); }

// The reference board in window 1, drawn, with a virtual clock at 10:00:00.
class MessageLine : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    redrawBoardWindow();
    clock.clock.setLocalTime(2026, 1, 5, 10, 0, 0);
    loadMessageTable("17\tClick the dice to roll\n48\tYou still have moves to play\n65\tcongratulations!\n");
    speech.speechOn = -1;
    speech.voiceName = "Alex";
    upperServices.speakText = recordSpeech;
    spoken.clear();
  }
  void TearDown() override {
    boardInput.holdMessageLine = 0;
    clearMessageLine(0);
    BoardWindowTest::TearDown();
  }
  static void show(std::string_view text, int16_t number = kNoMessage) {
    interaction.messageText = text;
    interaction.messageNumber = number;
    displayMessage();
  }
};

TEST_F(MessageLine, AFreeTextIsShownWithoutItsMarkerAndSpokenInLowerCase) {
  show("MMWrong Color");
  EXPECT_EQ(messageLine.messageLineShown, -1);
  EXPECT_EQ(messageLine.messageLength, 11);
  ASSERT_EQ(spoken.size(), 1u);
  EXPECT_EQ(spoken[0], "wrong color");
  EXPECT_TRUE(interaction.messageText.empty());
  EXPECT_EQ(interaction.messageNumber, kNoMessage);
  // The box sits centred in the strip above the field.
  const Rect box = messageLine.messageLineRect;
  EXPECT_EQ(box.top, 6);
  EXPECT_EQ(box.bottom, 26);
  EXPECT_NEAR((box.left + box.right) / 2.0, 683 / 2.0, 12);
}

TEST_F(MessageLine, TheBoxIsFramedInTheCheckerColoursAndClearingRestoresTheBoard) {
  const QImage before = window();
  show("MMWrong Color");
  const QImage shown = window();
  EXPECT_NE(before, shown);
  const Rect box = messageLine.messageLineRect;
  const auto& scheme = colours.colourSchemes[1];
  // Window pixels are board pixels moved by the 16-pixel margin.
  auto at = [&shown](int x, int y) { return QColor(shown.pixel(x + 16, y + 16)); };
  EXPECT_TRUE(testing::near(at(box.left, box.top + 8), testing::shown(scheme[kDarkPieceColour])));   // border
  EXPECT_TRUE(testing::near(at(box.left + 3, box.bottom - 4), testing::shown(scheme[kLightPieceColour])));  // face
  EXPECT_TRUE(saveWindowSnapshot(1, testing::snapshotPath(QStringLiteral("message_line"))));
  EXPECT_TRUE(testing::near(at(box.right - 1, box.bottom - 1), QColor(0, 0, 0)));  // shadow, entry 1
  clearMessageLine(0);
  EXPECT_EQ(messageLine.messageLineShown, 0);
  EXPECT_EQ(before, window());
}

TEST_F(MessageLine, DuringARolloutNothingIsDrawnOrSpoken) {
  const QImage before = window();
  rollout.rolloutRunning = 255;
  rollout.noPause = -1;
  show("MMHidden", 17);
  EXPECT_EQ(before, window());
  EXPECT_TRUE(spoken.empty());
  EXPECT_EQ(messageLine.messageLineShown, 0);
  EXPECT_TRUE(interaction.messageText.empty());
  EXPECT_EQ(interaction.messageNumber, kNoMessage);
}

TEST_F(MessageLine, APausedRolloutShowsTheUsersPrompts) {
  const QImage before = window();
  rollout.rolloutRunning = 255;
  rollout.noPause = 0;
  show("", 17);
  EXPECT_NE(before, window());
  EXPECT_EQ(messageLine.messageLineShown, -1);
  EXPECT_EQ(messageLine.lastMessageRecord.currentNumber, 17);
}

TEST_F(MessageLine, ANumberedMessageRepeatedAtTheSamePointWithinTwoSecondsIsNotSpokenAgain) {
  interaction.clickedPoint = 26;
  show("", 48);
  show("", 48);
  ASSERT_EQ(spoken.size(), 1u);
  EXPECT_EQ(spoken[0], "you still have moves to play");
  EXPECT_EQ(messageLine.messageLineShown, -1);  // drawn all the same
  clock.clock.advance(2'000'000);
  show("", 48);
  EXPECT_EQ(spoken.size(), 2u);
  interaction.clickedPoint = 27;
  show("", 48);
  EXPECT_EQ(spoken.size(), 3u);
  // A free text is spoken every time.
  show("MMAgain");
  show("MMAgain");
  EXPECT_EQ(spoken.size(), 5u);
}

TEST_F(MessageLine, AHeldLineStaysUntilTheNextMessage) {
  const QImage before = window();
  show("MMUnplayable die");
  boardInput.holdMessageLine = -1;
  interactionDisplay.keyBuffer = "D";
  clearMessageLine(255);
  EXPECT_EQ(messageLine.messageLineShown, -1);
  EXPECT_EQ(interactionDisplay.keyBuffer, "D");
  show("MMNext");  // a new message replaces a held one
  EXPECT_EQ(boardInput.holdMessageLine, 0);
  clearMessageLine(0);
  EXPECT_EQ(before, window());
  EXPECT_TRUE(interactionDisplay.keyBuffer.empty());
}

TEST_F(MessageLine, AnEmptyMessageDrawsAnEmptyBoxAndALongOneIsCut) {
  const QImage before = window();
  show("");
  EXPECT_EQ(messageLine.messageLineShown, -1);
  EXPECT_NE(before, window());
  const std::string longText = "MM" + std::string(200, 't');  // the narrow letter the limit is made for
  show(longText);
  EXPECT_EQ(messageLine.messageLength, layout.messageMaxLength);
  // A free text with an entry appended: the entry keeps its blanks and is not cut.
  show("MMFred,", 65);
  EXPECT_EQ(messageLine.messageLength, 7 - 2 + 2 + 16);
}

TEST_F(MessageLine, AWideTextIsCutToStayInsideTheField) {
  show("MM" + std::string(120, 'W') + "\xC3\xA9");
  EXPECT_GE(messageLine.messageLineRect.left, layout.fieldLeft);
  EXPECT_LE(messageLine.messageLineRect.right, layout.fieldRight);
  EXPECT_LT(messageLine.messageLength, 120);
}

TEST_F(MessageLine, TheRedrawDrawsAShownMessageAgain) {
  show("MMStill here");
  const QImage shown = window();
  redrawBoardWindow();
  EXPECT_EQ(shown, window());
}

// The picture board's line has no box of its own: between two people the name labels in the
// strip do not show through its text, shown or drawn again.
TEST_F(MessageLine, OnThePictureBoardTheNameLabelsDoNotShowThroughTheText) {
  windowClose(1);
  testing::openBoard(700, kPictureBoard);
  shell.playerNames[0] = "Carol";
  shell.playerNames[1] = "Bartholomew";
  position.openingPhase = -1;  // both labels
  diceState.diceShowing = 0;
  redrawBoardWindow();
  const std::string text = "MMConcede is not available until the opening move is played";
  show(text);
  const Rect& b = messageLine.messageLineRect;
  const QRect box = QRect(b.left, b.top, b.width(), b.height()).translated(-windowPort(1)->origin);
  const QImage alone = window().copy(box);
  clearMessageLine(0);
  flow.opponentMode = kTwoPeople;
  layoutNameLabels();
  show(text);
  EXPECT_TRUE(window().copy(box) == alone) << "shown over the labels";
  redrawBoardWindow();
  EXPECT_TRUE(window().copy(box) == alone) << "drawn again";
}

}  // namespace
}  // namespace bg
