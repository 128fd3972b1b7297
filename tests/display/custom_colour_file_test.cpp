// The user's colour file read from real files in a temporary data folder, with each kind
// of line end: what lands in scheme row 11, which boxes the user sees, and what start-up
// does when the file cannot serve.
#include "display/custom_colour_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "flow/turn_services.h"
#include "runtime/core/files.h"
#include "runtime/qt/file_chooser.h"
#include "state/menu_numbers.h"
#include "state/shell_services.h"

namespace bg {
namespace {

std::vector<std::string> boxes;
std::vector<std::string> menuCalls;
std::filesystem::path chooserAnswer;
int chooserAsked = 0;

std::filesystem::path answerChooser(std::string_view, const std::filesystem::path&) {
  ++chooserAsked;
  return chooserAnswer;
}

constexpr RGBColor kUntouched{1, 2, 3};
constexpr RGBColor kWhite{65535, 65535, 65535};

class CustomColourFile : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    previousData = dataFolder();
    ASSERT_TRUE(setDataFolder(std::filesystem::path(dir.path().toStdString())));
    boxes.clear();
    menuCalls.clear();
    chooserAnswer.clear();
    chooserAsked = 0;
    previousPresenter = setOpenFilePresenter(answerChooser);
    upperServices.showInformation = [](std::string_view text) { boxes.emplace_back(text); };
    shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t state, std::string_view) {
      menuCalls.push_back(std::to_string(menu) + ":" + std::to_string(item) + "=" + std::to_string(state));
    };
    for (int c = 0; c <= 6; ++c) colours.colourSchemes[kCustomColours][c] = kUntouched;
    display.firstBoardBuild = 0;  // a chosen file unless a test says start-up
  }
  void TearDown() override {
    setOpenFilePresenter(previousPresenter);
    if (!previousData.empty()) setDataFolder(previousData);
    DisplayTest::TearDown();
  }
  std::filesystem::path write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path p = dataFilePath(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  static RGBColor row(SchemeColour c) { return colours.colourSchemes[kCustomColours][c]; }

  QTemporaryDir dir;
  std::filesystem::path previousData;
  OpenFilePresenter previousPresenter = nullptr;
};

std::string withEnds(const std::vector<std::string>& lines, const std::string& end, bool lastEnded) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) s += lines[i] + (i + 1 < lines.size() || lastEnded ? end : "");
  return s;
}

TEST_F(CustomColourFile, EdgeCasesOfTheFormatReadTheSameWithEveryLineEnd) {
  struct Row {
    std::vector<std::string> lines;
    bool lastEnded;
    uint8_t result;
    RGBColor border;
    std::vector<std::string> boxes;
  };
  const std::string greater = "BORDERCOLOR RGB value is greater than 255! - 255 is being used";
  const std::string less = "BORDERCOLOR RGB value is less than 0! - 255 is being used";
  const std::vector<Row> rows = {
      {{"BORDERCOLOR 255 0 0", "END"}, false, 255, {65535, 255, 255}, {}},
      {{"END"}, false, 0, kUntouched, {}},                              // nothing came before END
      {{"BORDERCOLOR 255 0 0", "END", ""}, true, 255, {65535, 255, 255}, {"Bad line - 'END'"}},
      {{"END", ""}, true, 0, kUntouched, {"Bad line - 'END'"}},
      {{"BORDERCOLOR 255 0 0", "END"}, true, 255, {65535, 255, 255}, {}},  // a last line end is no line
      {{"BORDERCOLOR 255"}, false, 255, kWhite, {}},                    // missing components are 255
      {{"BORDERCOLOR 256 0 0"}, false, 255, {65535, 255, 255}, {greater}},
      {{"BORDERCOLOR -1 0 0"}, false, 255, {0, 255, 255}, {}},         // -1 is black, silently
      {{"BORDERCOLOR -2 0 0"}, false, 255, {65535, 255, 255}, {less}},
      {{"BORDERCOLOR 12.9 0 0"}, false, 255, {3327, 255, 255}, {}},
      {{"BORDERCOLOR &HFF 0 0"}, false, 255, {65535, 255, 255}, {}},
      {{"BORDERCOLOR 8388607 0 0"}, false, 255, {65535, 255, 255}, {greater}},  // past 32 bits scaled
      {{"BORDERCOLOR 99999999999 -7 0"}, false, 255, {65535, 65535, 255}, {greater, less}},
      {{"   BORDERCOLOR    7   8   9"}, false, 255, {2047, 2303, 2559}, {}},
      {{"bordercolor 1 2 3", "BORDERCOLOR 0 0 0"}, false, 255, {255, 255, 255}, {"Bad line - bordercolor"}},
      {{"BORDERCOLOR 1,2,3", "DARKROWCOLOR 1 1 1"}, false, 255, {511, 65535, 65535}, {"Bad line - '2'"}},
      {{"BORDERCOLOR 1,2,3"}, false, 255, {511, 65535, 65535}, {}},    // "3" is the last record
      {{"SOMETHING ELSE"}, false, 255, kUntouched, {"Bad line - SOMETHING"}},  // no END: true anyway
      {{"END        ", "BORDERCOLOR 0 0 0"}, false, 255, kUntouched, {}},     // a padded END ends it
      {{"\"BORDERCOLOR 5, 6 7\""}, false, 255, {1535, 1791, 2047}, {}},  // quotes keep the comma
      {{"BORDERCOLOR\t4 4 4", "END"}, false, 255, kWhite, {"Bad line - '4 4 4'"}},  // a tab splits a record
  };
  for (const std::string end : {"\n", "\r", "\r\n"}) {
    for (const Row& r : rows) {
      SetUp();
      chooserAnswer = write("colours.txt", withEnds(r.lines, end, r.lastEnded));
      const std::string what = r.lines.front() + " end " + std::to_string(end.size()) + std::to_string(end[0]);
      EXPECT_EQ(readCustomColors(), r.result) << what;
      EXPECT_EQ(row(kBorderColour), r.border) << what;
      EXPECT_EQ(boxes, r.boxes) << what;
      TearDown();
    }
  }
}

TEST_F(CustomColourFile, EveryKeyFillsItsOwnColourAndTheRestKeepTheirs) {
  chooserAnswer = write("all.txt",
                        "BOARDFIELDCOLOR 0 0 1\nBOARDFRAMECOLOR 0 0 2\nDARKPIECECOLOR 0 0 3\nLITEPIECECOLOR 0 0 4\n"
                        "DARKROWCOLOR 0 0 5\nLITEROWCOLOR 0 0 6\nEND\n");
  EXPECT_EQ(readCustomColors(), 255);
  EXPECT_EQ(row(kFieldColour).blue, 2 * 256 - 1);
  EXPECT_EQ(row(kFrameColour).blue, 3 * 256 - 1);
  EXPECT_EQ(row(kDarkPieceColour).blue, 4 * 256 - 1);
  EXPECT_EQ(row(kLightPieceColour).blue, 5 * 256 - 1);
  EXPECT_EQ(row(kDarkRowColour).blue, 6 * 256 - 1);
  EXPECT_EQ(row(kLightRowColour).blue, 7 * 256 - 1);
  EXPECT_EQ(row(kBorderColour), kUntouched);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(displaySettings.customColorsFileName.view(), chooserAnswer.string());  // the whole path
}

TEST_F(CustomColourFile, ACancelledChooserChangesNothing) {
  displaySettings.customColorsFileName = "mine.txt";
  chooserAnswer.clear();
  EXPECT_EQ(readCustomColors(), 0);
  EXPECT_EQ(chooserAsked, 1);
  EXPECT_EQ(displaySettings.customColorsFileName.view(), "mine.txt");
  EXPECT_EQ(row(kBorderColour), kUntouched);
  EXPECT_TRUE(menuCalls.empty());
}

TEST_F(CustomColourFile, APictureChosenByMistakeEndsAfterAFewBoxes) {
  std::string picture = "\x89PNG\x1a\x01IHDR\x02\x7f\xC3";
  for (int i = 0; i < 500; ++i) picture += "\x01\x02\x7f garbage\x05bytes\x06of\x07an\x08image " + std::to_string(i) + "\n";
  chooserAnswer = write("board.png", picture);
  EXPECT_EQ(readCustomColors(), 0);
  // One message, naming the file, in place of a box per line.
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("\"board.png\""), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("read no further"), std::string::npos) << boxes[0];
}

TEST_F(CustomColourFile, GoodColoursAfterTwoUnknownKeysAreReadAndTheKeysTold) {
  chooserAnswer = write("mine.txt", "GRASSCOLOR 1 1 1\nSKYCOLOR 2 2 2\nBORDERCOLOR 0 0 0\nEND\n");
  EXPECT_EQ(readCustomColors(), 255);
  EXPECT_EQ(row(kBorderColour), (RGBColor{255, 255, 255}));
  EXPECT_EQ(boxes, (std::vector<std::string>{"Bad line - GRASSCOLOR", "Bad line - SKYCOLOR"}));
}

TEST_F(CustomColourFile, AChosenFileThatCannotBeReadIsADiskErrorAndTheErrorRoutineIsGivenBack) {
  static std::vector<std::string> flowBoxes;
  flowBoxes.clear();
  turnServices.showInformation = [](std::string_view text) { flowBoxes.emplace_back(text); };
  std::filesystem::create_directory(dataFilePath("folder.txt"));
  chooserAnswer = dataFilePath("folder.txt");
  const FileErrorVector before = setFileErrorVector(FBFileErrorAlert);
  EXPECT_EQ(readCustomColors(), 0);
  EXPECT_EQ(flowBoxes, std::vector<std::string>{"disk error"});
  EXPECT_EQ(row(kBorderColour), kUntouched);
  EXPECT_EQ(setFileErrorVector(before), FBFileErrorAlert);
}

TEST_F(CustomColourFile, AtStartUpTheRememberedFileIsReadFromTheDataFolder) {
  display.firstBoardBuild = -1;
  display.boardColor = kCustomColours;
  write("mine.txt", "DARKPIECECOLOR 9 9 9\r\nEND");
  displaySettings.customColorsFileName = "mine.txt";
  EXPECT_EQ(readCustomColors(), 255);
  EXPECT_EQ(chooserAsked, 0);
  EXPECT_EQ(row(kDarkPieceColour), (RGBColor{2559, 2559, 2559}));
  EXPECT_EQ(display.boardColor, kCustomColours);
  EXPECT_TRUE(menuCalls.empty());
}

TEST_F(CustomColourFile, AtStartUpAFileThatCannotServeGivesColour3AndKeepsTheName) {
  struct Row {
    const char* name;
    const char* bytes;  // nullptr: no such file
  };
  for (const Row& r : {Row{"missing.txt", nullptr}, Row{"empty.txt", ""}, Row{"short.txt", "RED\nEND\n"},
                       Row{"None", nullptr}, Row{"", nullptr}}) {
    SetUp();
    display.firstBoardBuild = -1;
    display.boardColor = kCustomColours;
    if (r.bytes != nullptr) write(r.name, r.bytes);
    displaySettings.customColorsFileName = r.name;
    EXPECT_EQ(readCustomColors(), 0) << r.name;
    EXPECT_EQ(display.boardColor, 3) << r.name;
    EXPECT_EQ(menuCalls, (std::vector<std::string>{"15:11=1", "15:3=2"})) << r.name;
    EXPECT_EQ(displaySettings.customColorsFileName.view(), r.name);
    EXPECT_EQ(chooserAsked, 0);
    TearDown();
  }
}

TEST_F(CustomColourFile, AFolderInPlaceOfTheFileAtStartUpGivesColour3) {
  display.firstBoardBuild = -1;
  display.boardColor = kCustomColours;
  std::filesystem::create_directory(dataFilePath("folder.txt"));
  displaySettings.customColorsFileName = "folder.txt";
  EXPECT_EQ(readCustomColors(), 0);
  EXPECT_EQ(display.boardColor, 3);
  EXPECT_EQ(row(kBorderColour), kUntouched);
}

TEST_F(CustomColourFile, TheRecordIsSplitIntoAKeyAndUpToThreeComponents) {
  struct Row {
    const char* line;
    const char* key;
    int64_t r, g, b;
  };
  for (const Row& r : {Row{"", "", 255, 255, 255}, Row{"KEY", "KEY", 255, 255, 255}, Row{"KEY ", "KEY", 255, 255, 255},
                       Row{"KEY 1 2 3 4", "KEY", 1, 2, 3}, Row{"KEY x 2", "KEY", 0, 2, 255},
                       Row{"  KEY  -3.7  ", "KEY", -3, 255, 255}}) {
    const ColourRecord c = parseColorLine(r.line);
    EXPECT_EQ(c.key.view(), r.key) << r.line;
    EXPECT_EQ(c.red, r.r) << r.line;
    EXPECT_EQ(c.green, r.g) << r.line;
    EXPECT_EQ(c.blue, r.b) << r.line;
  }
  for (int64_t v = -1; v <= 255; ++v) {
    const int64_t s = scaleColourComponent(v);
    EXPECT_GE(s, 0);
    EXPECT_LE(s, 65535);
    EXPECT_EQ(s >> 8, v < 0 ? 0 : v);  // the high byte is the written value
  }
}

}  // namespace
}  // namespace bg
