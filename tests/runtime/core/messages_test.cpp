#include "runtime/core/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace bg {
namespace {

std::string shippedFile(const char* name) {
  const auto root = std::filesystem::path(BG_SOURCE_ROOT);
  std::ifstream in(root / "resources" / "text" / name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Messages : public testing::Test {
 protected:
  void TearDown() override {
    messageTables.messageTable.fill(Str255());
    messageTables.messageTable2.fill(Str255());
  }
};

TEST_F(Messages, LinesSetNumberedEntriesWithTheirPrefix) {
  EXPECT_EQ(loadMessageTable("# comment\n0\tFirst\n2\tRoll the dice first\n\n239\tLast one\n"), 3);
  EXPECT_EQ(messageTables.messageTable[0], "  First");
  EXPECT_EQ(messageTables.messageTable[1], "");
  EXPECT_EQ(messageTables.messageTable[2], "  Roll the dice first");
  EXPECT_EQ(messageTables.messageTable[239], "  Last one");
  EXPECT_EQ(messageTables.messageTable[240], "");
  EXPECT_EQ(messageTextOf(2), "  Roll the dice first");
  EXPECT_EQ(messageWordsOf(2), "Roll the dice first");
}

TEST_F(Messages, AnyLineEndWorksAndWordsKeepTheirBlanks) {
  EXPECT_EQ(loadMessageTable("5\tWelcome back, \r\n6\t\tindented\r7\tlast"), 3);
  EXPECT_EQ(messageWordsOf(5), "Welcome back, ");
  EXPECT_EQ(messageWordsOf(6), "\tindented");
  EXPECT_EQ(messageWordsOf(7), "last");
}

TEST_F(Messages, LinesOutOfFormAreSkipped) {
  const std::int16_t n = loadMessageTable(
      "240\tentry 240 stays empty\n"
      "241\ttoo high\n"
      "-1\tnegative\n"
      "x3\tnot a number\n"
      "3 no tab\n"
      "\tno number\n"
      "1000\ttoo long\n"
      "4\t\n"
      "9\tfirst\n"
      "9\tsecond\n");
  EXPECT_EQ(n, 1);
  EXPECT_EQ(messageTables.messageTable[240], "");
  EXPECT_EQ(messageTables.messageTable[3], "");
  EXPECT_EQ(messageTables.messageTable[4], "");  // no words: no prefix either
  EXPECT_EQ(messageWordsOf(9), "second");
}

TEST_F(Messages, LoadingAgainReplacesTheWholeTable) {
  loadMessageTable("1\tone\n2\ttwo\n");
  loadMessageTable("2\tnew two\n");
  EXPECT_EQ(messageTables.messageTable[1], "");
  EXPECT_EQ(messageWordsOf(2), "new two");
}

TEST_F(Messages, TheSecondTableIsSeparate) {
  loadMessageTable("3\tshown\n");
  EXPECT_EQ(loadSecondMessageTable("3\tspoken instead\n"), 1);
  EXPECT_EQ(messageTables.messageTable[3], "  shown");
  EXPECT_EQ(messageTables.messageTable2[3], "  spoken instead");
}

TEST_F(Messages, LongWordsAreCutAt255BytesBetweenCharacters) {
  const std::string words = std::string(252, 'a') + "é";  // 254 bytes of words
  loadMessageTable("8\t" + words + "\n");
  EXPECT_EQ(messageTables.messageTable[8].len(), 254u);  // the é does not fit whole
  EXPECT_EQ(messageWordsOf(8), std::string(252, 'a'));
}

TEST_F(Messages, NumberNineHundredNinetyNineIsNoMessage) {
  loadMessageTable("0\tzero\n");
  EXPECT_EQ(messageTextOf(999), "");
  EXPECT_EQ(messageWordsOf(999), "");
}

TEST(MessagesDeathTest, AnyOtherNumberOutsideTheTableStopsTheProgram) {
  EXPECT_DEATH(messageTextOf(241), "Array bounds error: index 241 is outside 0 to 240 at line [0-9]+ of messages_test.cpp");
  EXPECT_DEATH(messageTextOf(-1), "Array bounds error");
}

TEST_F(Messages, TheShippedTablesLoad) {
  const std::string text = shippedFile("messages.txt");
  ASSERT_FALSE(text.empty());
  EXPECT_GE(loadMessageTable(text), 70);
  // Every number the game shows has words.
  for (int n : {2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  15,  17,  44,  45,  46,  48,
                50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,  64,  65,  66,  67,
                70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  82,  126, 127, 129, 131, 132, 137,
                138, 139, 142, 143, 144, 149, 150, 154, 160, 161, 173, 174, 180, 183, 187, 207, 208, 210,
                211, 215, 216, 217, 225}) {
    EXPECT_GT(messageWordsOf(static_cast<std::int16_t>(n)).len(), 0u) << "message " << n;
  }
  // The greeting is followed directly by the player's name.
  EXPECT_EQ(messageWordsOf(208), "Welcome, ");
  // The question for closing a session is cut to 63 characters where it is asked.
  EXPECT_LE(messageWordsOf(225).len(), 63u);
  EXPECT_EQ(messageTables.messageTable[240], "");

  const std::string speech = shippedFile("speech_messages.txt");
  ASSERT_FALSE(speech.empty());
  EXPECT_EQ(loadSecondMessageTable(speech), 0);  // every numbered message is spoken
}

}  // namespace
}  // namespace bg
