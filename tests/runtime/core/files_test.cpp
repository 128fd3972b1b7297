#include "runtime/core/files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/core/format.h"

namespace bg {
namespace {

namespace fs = std::filesystem;

std::vector<std::int32_t> gReported;
void recordError(std::int32_t error) { gReported.push_back(error); }

std::vector<std::string> gAlerts;
void recordAlert(std::string_view text, std::int32_t error) {
  gAlerts.push_back(std::string(text) + "|" + std::to_string(error));
}

class Files : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("bg_files_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    gReported.clear();
    gAlerts.clear();
    setFileErrorVector(recordError);
    setLastFileError(0);
  }
  void TearDown() override {
    closeAllFiles();
    setFileErrorVector(FBFileErrorAlert);
    setFileErrorAlertPresenter(nullptr);
    setLastFileError(0);
    fs::remove_all(dir_);
  }
  fs::path path(const std::string& name) const { return dir_ / name; }
  void writeRaw(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string readRaw(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> allLines(const std::string& name) {
    std::vector<std::string> lines;
    EXPECT_TRUE(openInput(2, path(name)));
    while (!fileEof(2)) lines.push_back(lineInput(2).str());
    closeFile(2);
    return lines;
  }
  std::vector<std::string> allFields(const std::string& name) {
    std::vector<std::string> fields;
    EXPECT_TRUE(openInput(3, path(name)));
    // Stops once the last line is taken: the files below end with a one-field line.
    while (!fileEof(3)) fields.push_back(inputField(3).str());
    closeFile(3);
    return fields;
  }

  fs::path dir_;
};

TEST_F(Files, PrintEndsLinesWithACarriageReturn) {
  ASSERT_TRUE(openOutput(3, path("prefs")));
  EXPECT_TRUE(printToFile(3, "SOUND  -1"));
  EXPECT_TRUE(writeToFile(3, "Scores"));
  EXPECT_TRUE(writeToFile(3, strS(3)));
  EXPECT_TRUE(printToFile(3, ""));
  EXPECT_TRUE(printToFile(3, ""));
  EXPECT_TRUE(printToFile(3, "ENDOFPREFERENCES"));
  EXPECT_TRUE(closeFile(3));
  EXPECT_EQ(readRaw("prefs"), "SOUND  -1\rScores 3\r\rENDOFPREFERENCES\r");
  EXPECT_TRUE(gReported.empty());
}

TEST_F(Files, OutputEmptiesAnOldFileAndAppendAddsToIt) {
  writeRaw("notes", "old text that is long\r");
  ASSERT_TRUE(openOutput(255, path("notes")));
  EXPECT_TRUE(closeFile(255));
  EXPECT_EQ(readRaw("notes"), "");
  ASSERT_TRUE(openAppend(4, path("notes")));
  printToFile(4, "one");
  closeFile(4);
  ASSERT_TRUE(openAppend(4, path("notes")));
  printToFile(4, "two");
  closeFile(4);
  EXPECT_EQ(readRaw("notes"), "one\rtwo\r");
  ASSERT_TRUE(openAppend(5, path("fresh")));  // created when missing
  closeFile(5);
  EXPECT_TRUE(fileExists(path("fresh")));
}

TEST_F(Files, CrLfAndCrLfLineEndsReadBackTheSameLines) {
  const std::vector<std::string> want = {"Board 0 2", "", "Scores 1 0", "MoveTable"};
  writeRaw("cr", "Board 0 2\r\rScores 1 0\rMoveTable\r");
  writeRaw("lf", "Board 0 2\n\nScores 1 0\nMoveTable\n");
  writeRaw("crlf", "Board 0 2\r\n\r\nScores 1 0\r\nMoveTable\r\n");
  writeRaw("mixed", "Board 0 2\r\n\nScores 1 0\rMoveTable");
  EXPECT_EQ(allLines("cr"), want);
  EXPECT_EQ(allLines("lf"), want);
  EXPECT_EQ(allLines("crlf"), want);
  EXPECT_EQ(allLines("mixed"), want);
}

TEST_F(Files, WrittenLinesReadBack) {
  ASSERT_TRUE(openOutput(2, path("game")));
  printToFile(2, "");
  printToFile(2, "Board  0 2 0");
  printToFile(2, "Joueur: Zoë “quoted”");
  closeFile(2);
  EXPECT_EQ(allLines("game"), (std::vector<std::string>{"", "Board  0 2 0", "Joueur: Zoë “quoted”"}));
}

TEST_F(Files, EofTurnsTrueAsTheLastLineIsTaken) {
  writeRaw("two", "first\rsecond\r");
  ASSERT_TRUE(openInput(2, path("two")));
  EXPECT_FALSE(fileEof(2));
  EXPECT_EQ(lineInput(2), "first");
  EXPECT_FALSE(fileEof(2));
  EXPECT_EQ(lineInput(2), "second");
  EXPECT_TRUE(fileEof(2));
  closeFile(2);

  // The same without a final line end, and with a final CR LF.
  writeRaw("bare", "only");
  ASSERT_TRUE(openInput(2, path("bare")));
  EXPECT_EQ(lineInput(2), "only");
  EXPECT_TRUE(fileEof(2));
  closeFile(2);
  writeRaw("crlf", "only\r\n");
  ASSERT_TRUE(openInput(2, path("crlf")));
  EXPECT_EQ(lineInput(2), "only");
  EXPECT_TRUE(fileEof(2));
}

TEST_F(Files, EofIsTrueWhileFieldsOfTheLastLineRemain) {
  writeRaw("rows", " 1, 2, 3\r 4, 5, 6\r");
  ASSERT_TRUE(openInput(2, path("rows")));
  EXPECT_EQ(inputInt16(2), 1);
  EXPECT_FALSE(fileEof(2));
  EXPECT_EQ(inputInt16(2), 2);
  EXPECT_EQ(inputInt16(2), 3);
  EXPECT_FALSE(fileEof(2));
  EXPECT_EQ(inputInt16(2), 4);
  EXPECT_TRUE(fileEof(2));  // the last line is in the buffer
  EXPECT_EQ(inputInt16(2), 5);
  EXPECT_EQ(inputInt16(2), 6);
  EXPECT_TRUE(gReported.empty());
}

TEST_F(Files, AnEmptyFileIsAtItsEndAtOnce) {
  writeRaw("empty", "");
  ASSERT_TRUE(openInput(2, path("empty")));
  EXPECT_TRUE(fileEof(2));
}

TEST_F(Files, ReadingPastTheEndIsAFileErrorWithLowByteTen) {
  writeRaw("one", "x\r");
  ASSERT_TRUE(openInput(7, path("one")));
  EXPECT_EQ(lineInput(7), "x");
  EXPECT_EQ(lineInput(7), "");
  ASSERT_EQ(gReported.size(), 1u);
  EXPECT_EQ(gReported[0], 7 * 256 + kFileErrorPastEnd);
  EXPECT_EQ(lastFileError() & 0xFF, 10);
  EXPECT_EQ(inputField(7), "");
  EXPECT_EQ(gReported.size(), 2u);
}

TEST_F(Files, PreferencesStyleReadingNeverHandlesTheLastLine) {
  // Read a field, test EOF, stop at the end: the closing line is dropped.
  writeRaw("prefs", "SOUND  -1\rLANGUAGE  English\rENDOFPREFERENCES\r");
  ASSERT_TRUE(openInput(3, path("prefs")));
  std::vector<std::string> handled;
  for (;;) {
    const Str255 field = inputField(3);
    if (fileEof(3)) break;
    handled.push_back(field.str());
  }
  EXPECT_EQ(handled, (std::vector<std::string>{"SOUND  -1", "LANGUAGE  English"}));
}

TEST_F(Files, FieldsEndAtACommaOrATab) {
  writeRaw("colours", "BORDERCOLOR 1, 2,3\r"
                      "a\tb \t c\r"
                      "x,,y\r"
                      "trailing,\r"
                      "\r"
                      "   lead and trail   \r"
                      "END\r");
  EXPECT_EQ(allFields("colours"),
            (std::vector<std::string>{"BORDERCOLOR 1", "2", "3", "a", "b ", "c", "x", "", "y", "trailing",
                                      "", "lead and trail   ", "END"}));
}

TEST_F(Files, AQuotedFieldRunsToTheClosingQuote) {
  writeRaw("quoted", "\"Smith, John\", 5\r  \"tab\there\"\r\"open to the end\r");
  EXPECT_EQ(allFields("quoted"),
            (std::vector<std::string>{"Smith, John", "5", "tab\there", "open to the end"}));
}

TEST_F(Files, NumberFieldsReadAsValReadsThem) {
  writeRaw("nums", " 0, 5,-1, 65535, 12.9, 300, &H10, x\r");
  ASSERT_TRUE(openInput(2, path("nums")));
  EXPECT_EQ(inputInt16(2), 0);
  EXPECT_EQ(inputInt16(2), 5);
  EXPECT_EQ(inputInt16(2), -1);
  EXPECT_EQ(inputInt16(2), -1);  // low 16 bits
  EXPECT_EQ(inputInt32(2), 12);
  EXPECT_EQ(inputByte(2), 44);   // 300 keeps its low byte
  EXPECT_EQ(inputInt16(2), 16);
  EXPECT_EQ(inputInt16(2), 0);
  EXPECT_TRUE(gReported.empty());
}

TEST_F(Files, LineInputAfterFieldsTakesTheRestOfTheLine) {
  writeRaw("mixed", "Board 1, rest of it\rnext\r");
  ASSERT_TRUE(openInput(2, path("mixed")));
  EXPECT_EQ(inputField(2), "Board 1");
  EXPECT_EQ(lineInput(2), " rest of it");  // exactly what follows the comma
  EXPECT_EQ(lineInput(2), "next");
}

TEST_F(Files, ALongLineComesInPiecesCutBetweenCharacters) {
  const std::string longLine = std::string(254, 'a') + "é" + std::string(10, 'b');  // é is 2 bytes
  writeRaw("long", longLine + "\rshort\r");
  ASSERT_TRUE(openInput(2, path("long")));
  EXPECT_EQ(lineInput(2), std::string(254, 'a'));
  EXPECT_EQ(lineInput(2), "é" + std::string(10, 'b'));
  EXPECT_EQ(lineInput(2), "short");
  EXPECT_TRUE(fileEof(2));
}

TEST_F(Files, OpeningAMissingFileReportsAndLeavesTheNumberClosed) {
  EXPECT_FALSE(openInput(4, path("no such file")));
  ASSERT_EQ(gReported.size(), 1u);
  EXPECT_EQ(gReported[0], 4 * 256 + kFileErrorOpenFailed);
  EXPECT_FALSE(fileIsOpen(4));
  EXPECT_TRUE(fileEof(4));
  EXPECT_TRUE(closeFile(4));  // closing it anyway is harmless
  EXPECT_EQ(gReported.size(), 1u);
  // The first read on it is a file error, as the preferences reader relies on.
  EXPECT_EQ(inputField(4), "");
  EXPECT_EQ(gReported.back(), 4 * 256 + kFileErrorNotOpen);
  EXPECT_FALSE(openInput(4, dir_));  // a folder is no file
  EXPECT_EQ(gReported.back(), 4 * 256 + kFileErrorOpenFailed);
  EXPECT_FALSE(openOutput(4, path("missing folder") / "x"));
  EXPECT_EQ(gReported.back(), 4 * 256 + kFileErrorOpenFailed);
}

TEST_F(Files, MisusedNumbersAreReported) {
  EXPECT_FALSE(openOutput(0, path("a")));
  EXPECT_EQ(gReported.back(), kFileErrorBadNumber);
  EXPECT_FALSE(openOutput(256, path("a")));
  EXPECT_EQ(gReported.back(), kFileErrorBadNumber);
  EXPECT_FALSE(printToFile(-1, "x"));
  EXPECT_EQ(gReported.back(), kFileErrorBadNumber);

  ASSERT_TRUE(openOutput(9, path("a")));
  EXPECT_FALSE(openOutput(9, path("b")));
  EXPECT_EQ(gReported.back(), 9 * 256 + kFileErrorAlreadyOpen);
  EXPECT_EQ(lineInput(9), "");
  EXPECT_EQ(gReported.back(), 9 * 256 + kFileErrorWrongMode);
  EXPECT_TRUE(printToFile(9, "still writes to a"));
  closeFile(9);
  EXPECT_EQ(readRaw("a"), "still writes to a\r");
  EXPECT_FALSE(fs::exists(path("b")));

  writeRaw("in", "x\r");
  ASSERT_TRUE(openInput(9, path("in")));
  EXPECT_FALSE(printToFile(9, "y"));
  EXPECT_EQ(gReported.back(), 9 * 256 + kFileErrorWrongMode);
  EXPECT_FALSE(printToFile(10, "y"));
  EXPECT_EQ(gReported.back(), 10 * 256 + kFileErrorNotOpen);
}

TEST_F(Files, AFailedWriteIsReportedNotTakenForSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_TRUE(openOutput(2, "/dev/full"));
  EXPECT_FALSE(printToFile(2, "Board 0 2 0 0"));
  ASSERT_FALSE(gReported.empty());
  EXPECT_EQ(gReported.back(), 2 * 256 + kFileErrorWriteFailed);
  EXPECT_FALSE(writeToFile(2, "more"));
  closeFile(2);
  EXPECT_FALSE(fileIsOpen(2));
}

TEST_F(Files, TheDefaultVectorShowsTheAlertText) {
  setFileErrorVector(FBFileErrorAlert);
  setFileErrorAlertPresenter(recordAlert);
  EXPECT_FALSE(openInput(3, path("nothing")));
  ASSERT_EQ(gAlerts.size(), 1u);
  EXPECT_EQ(gAlerts[0], "The program has returned a file error.|" + std::to_string(3 * 256 + 4));
}

TEST_F(Files, AClearedVectorOnlyRecordsTheError) {
  setFileErrorVector(nullptr);
  setFileErrorAlertPresenter(recordAlert);
  EXPECT_FALSE(openInput(3, path("nothing")));
  EXPECT_TRUE(gAlerts.empty());
  EXPECT_TRUE(gReported.empty());
  EXPECT_EQ(lastFileError(), 3 * 256 + kFileErrorOpenFailed);
  setLastFileError(0);
  EXPECT_EQ(lastFileError(), 0);
}

TEST_F(Files, CloseAllClosesEveryNumber) {
  ASSERT_TRUE(openOutput(1, path("a")));
  ASSERT_TRUE(openOutput(255, path("b")));
  closeAllFiles();
  EXPECT_FALSE(fileIsOpen(1));
  EXPECT_FALSE(fileIsOpen(255));
  EXPECT_TRUE(openOutput(1, path("a")));  // free again
}

TEST_F(Files, PerUserFoldersAreCreatedWhenMissing) {
  const fs::path data = dir_ / "share" / "Tavrik";
  const fs::path prefs = dir_ / "config" / "Tavrik";
  EXPECT_TRUE(setDataFolder(data));
  EXPECT_TRUE(setPreferencesFolder(prefs));
  EXPECT_TRUE(fs::is_directory(data));
  EXPECT_TRUE(fs::is_directory(prefs));
  EXPECT_EQ(dataFolder(), data);
  EXPECT_EQ(dataFilePath("Rollout Result.txt"), data / "Rollout Result.txt");
  EXPECT_EQ(preferencesFilePath("Tavrik's Backgammon Preferences"), prefs / "Tavrik's Backgammon Preferences");
  fs::remove_all(data);
  const fs::path saved = dataFilePath("SavedGame");
  EXPECT_TRUE(fs::is_directory(data));
  ASSERT_TRUE(openOutput(2, saved));
  closeFile(2);
  EXPECT_TRUE(fileExists(saved));
  EXPECT_FALSE(fileExists(data));
  setDataFolder({});
  setPreferencesFolder({});
}

TEST_F(Files, AFolderThatCannotBeMadeIsReported) {
  writeRaw("plain", "x");
  EXPECT_FALSE(setDataFolder(path("plain") / "sub"));
  setDataFolder({});
}

}  // namespace
}  // namespace bg
