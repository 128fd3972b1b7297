// The shipped message texts: every number the game shows has words, and the texts the
// game joins from several entries read as sentences.
#include <QFile>

#include <gtest/gtest.h>

#include <string>

#include "board_fixture.h"
#include "display/message_text.h"
#include "runtime/core/messages.h"

namespace bg {
namespace {

class MessageTexts : public testing::DisplayTest {
 protected:
  static void SetUpTestSuite() {
    QFile file(QStringLiteral(":/text/messages.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    loadMessageTable(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  }
  static std::string words(int16_t n) { return messageWordsOf(n).str(); }
  static std::string entry(int16_t n) { return messageTextOf(n).str(); }
};

TEST_F(MessageTexts, EveryNumberTheGameShowsHasWords) {
  const int cited[] = {2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  15,  17,  44,  45,
                       46,  48,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,
                       64,  65,  66,  67,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  82,
                       126, 127, 129, 131, 132, 137, 138, 139, 142, 143, 144, 149, 150, 154, 160, 161,
                       173, 174, 180, 183, 187, 207, 208, 210, 211, 215, 216, 217, 225, 226, 227};
  EXPECT_EQ(std::size(cited), 79u);
  for (int n : cited) {
    const std::string w = words(static_cast<int16_t>(n));
    EXPECT_FALSE(w.empty()) << "message " << n;
    EXPECT_NE(w.front(), ' ') << "message " << n << " must not begin with a blank";
    EXPECT_LE(w.size(), 60u) << "message " << n;
    EXPECT_EQ(w.find("MM"), std::string::npos) << "message " << n;
  }
}

TEST_F(MessageTexts, TextsThatBeginWithAnEntryReadAsSentences) {
  EXPECT_EQ(words(57) + " six", "The computer can't use its six");
  EXPECT_EQ(words(57) + " last six", "The computer can't use its last six");
  EXPECT_EQ(words(57) + " last" + " 2" + " " + "sixes", "The computer can't use its last 2 sixes");
  EXPECT_EQ(words(59) + " " + words(62) + " " + words(63), "The computer wins the game with a backgammon!");
  EXPECT_EQ(words(60) + " " + words(62) + " " + words(64), "You win the game with a gammon!");
  EXPECT_EQ(words(131) + " - Roll Again", "Doubles on the opening roll - Roll Again");
  EXPECT_EQ(words(143) + " " + words(144), "Accept the double?");
  EXPECT_EQ(words(143) + " 2" + " pt" + "  " + words(174), "Accept 2 pt  resignation?");
  EXPECT_EQ(words(208) + "Fred", "Welcome back, Fred");
}

TEST_F(MessageTexts, EntriesJoinedAfterOtherTextKeepTheirBlanksAsTheGap) {
  EXPECT_EQ("Fred" + entry(61), "Fred  wins the game");
  EXPECT_EQ(words(80) + entry(77), "The computer  accepts");
  EXPECT_EQ(words(80) + entry(78), "The computer  declines");
  EXPECT_EQ("Fred " + words(77) + entry(79), "Fred accepts  the double");
  EXPECT_EQ("Fred, " + words(75), "Fred, do you accept the double?");
}

TEST_F(MessageTexts, TheMessageLineAppendsAnEntryToAFreeTextWithItsBlanks) {
  EXPECT_EQ(composeMessageText("MMFred,", 65, entry(65), 80), "Fred,  congratulations!");
  EXPECT_EQ(composeMessageText("MMFred,", 173, entry(173), 80), "Fred,  your opponent offers to resign");
  EXPECT_EQ(composeMessageText("MMFred", 6, entry(6), 80), "Fred  asks for the best plays");
  // Shown alone, the entry loses its blanks.
  EXPECT_EQ(composeMessageText("", 17, entry(17), 80), words(17));
}

}  // namespace
}  // namespace bg
