// The message line's text: a free text or a numbered entry made into the line, a repeat
// across midnight, the picture board's strip, and the shipped entries joined into sentences.
#include "display/message_text.h"

#include <gtest/gtest.h>

#include <string>

#include "board_fixture.h"

namespace bg {
namespace {

using MessageText = testing::DisplayTest;

TEST_F(MessageText, TheLineTakesAFreeTextOrAnEntryWithoutItsPrefixCutWhole) {
  struct Row {
    const char* free;
    int16_t number;
    const char* entry;
    int16_t limit;
    const char* want;
  };
  for (const Row& r : {Row{"MMWrong Color", kNoMessage, "", 80, "Wrong Color"},
                       {"MMWrong Color", kNoMessage, "", 5, "Wrong"},
                       {"MM", kNoMessage, "", 80, ""},
                       {"M", kNoMessage, "", 80, ""},  // only part of a prefix
                       {"", 17, "  Click on the dice to roll", 80, "Click on the dice to roll"},
                       {"", 17, "  Click on the dice to roll", 5, "Click"},
                       {"", kNoMessage, "  ignored", 80, ""},
                       {"MMabc\xC3\xA9", kNoMessage, "", 4, "abc"}})  // never half a character
    EXPECT_EQ(composeMessageText(r.free, r.number, r.entry, r.limit), r.want) << r.free << " " << r.number;
}

TEST_F(MessageText, AcrossMidnightTheDifferenceIsNegativeAndCountsAsARepeat) {
  MessageRepeatRecord r;
  noteNumberedMessage(r, 44, 3, 86399);
  r.speakFlag = 255;
  noteNumberedMessage(r, 44, 3, 5);
  EXPECT_EQ(r.speakFlag, 0);
}

TEST_F(MessageText, ThePictureBoardPlacesTheTextInItsStrip) {
  const MessageBoxMeasures m{683, 36, 12, 2, reducedShadow(5), reducedShadow(5), true, 6, 17};
  const Rect box = messageLineBox(80, m);
  EXPECT_EQ(box.top, (6 + 17 - 12) / 2 + 4);
  EXPECT_EQ(box.bottom, box.top + 16);
  EXPECT_EQ(messageTextPen(box, m), (Point{box.left, static_cast<int16_t>(box.top + 12)}));
}

TEST_F(MessageText, TheShippedEntriesJoinIntoSentencesWithOneBlankBetweenANameAndTheWords) {
  testing::loadShippedMessages();
  auto words = [](int16_t n) { return messageWordsOf(n).str(); };
  auto entry = [](int16_t n) { return messageTextOf(n).str(); };
  const std::pair<std::string, std::string> rows[] = {
      {words(57) + " last" + " 2" + " " + "sixes", "The computer can't use its last 2 sixes"},
      {words(59) + " " + words(62) + " " + words(63), "The computer wins the game with a backgammon!"},
      {words(60) + " " + words(62) + " " + words(64), "You win the game with a gammon!"},
      {words(131) + " - Roll Again", "Doubles on the opening roll - Roll Again"},
      {words(143) + " " + words(144), "Accept the double?"},
      {words(143) + " 2" + " pt " + words(174), "Accept 2 pt resignation?"},
      {words(208) + "Fred", "Welcome, Fred"},
      {messageAfterText("Fred", 61).str(), "Fred wins the game"},
      {words(80) + " " + words(77), "The computer accepts"},
      {words(80) + " " + words(78), "The computer declines"},
      {"Fred " + words(77) + " " + words(79), "Fred accepts the double"},
      {"Fred, " + words(75), "Fred, do you accept the double?"},
      {messageAfterText("Fred,", 173).str(), "Fred, your opponent offers to resign"},
      {messageAfterText("Fred", 6).str(), "Fred asks for the best plays"},
      {composeMessageText("", 17, entry(17), 80).str(), words(17)}};  // alone, the entry loses its blanks
  for (const auto& [got, want] : rows) EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace bg
