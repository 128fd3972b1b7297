#include "runtime/core/files.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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
           ("bg_files_" + std::to_string(::getpid()) + "_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
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
  void openRaw(int16_t n, const std::string& name, const std::string& bytes) {
    writeRaw(name, bytes);
    ASSERT_TRUE(openInput(n, path(name)));
  }
  std::vector<std::string> allLines(const std::string& name) {
    std::vector<std::string> lines;
    EXPECT_TRUE(openInput(2, path(name)));
    while (!fileEof(2)) lines.push_back(lineInput(2).str());
    closeFile(2);
    return lines;
  }
  std::vector<std::string> allFields(const std::string& bytes) {
    std::vector<std::string> fields;
    openRaw(3, "fields", bytes);
    // Stops once the last line is taken: the files below end with a one-field line.
    while (!fileEof(3)) fields.push_back(inputField(3).str());
    closeFile(3);
    return fields;
  }

  // The call failed and reported exactly this error last.
  static testing::AssertionResult failsWith(bool ok, std::int32_t error) {
    if (ok) return testing::AssertionFailure() << "succeeded";
    if (gReported.empty() || gReported.back() != error)
      return testing::AssertionFailure() << "last error " << (gReported.empty() ? 0 : gReported.back());
    return testing::AssertionSuccess();
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
  for (const char* line : {"one", "two"}) {
    ASSERT_TRUE(openAppend(4, path("notes")));
    printToFile(4, line);
    closeFile(4);
  }
  EXPECT_EQ(readRaw("notes"), "one\rtwo\r");
  ASSERT_TRUE(openAppend(5, path("fresh")));  // created when missing
  closeFile(5);
  EXPECT_TRUE(fileExists(path("fresh")));
}

TEST_F(Files, CrLfCrLfAndOurOwnLineEndsReadBackTheSameLines) {
  const std::vector<std::string> want = {"Board 0 2", "", "Scores 1 0", "Joueur: Zoë “q”"};
  for (const char* bytes : {"Board 0 2\r\rScores 1 0\rJoueur: Zoë “q”\r", "Board 0 2\n\nScores 1 0\nJoueur: Zoë “q”\n",
                            "Board 0 2\r\n\r\nScores 1 0\r\nJoueur: Zoë “q”\r\n",
                            "Board 0 2\r\n\nScores 1 0\rJoueur: Zoë “q”"}) {
    writeRaw("in", bytes);
    EXPECT_EQ(allLines("in"), want) << bytes;
  }
  ASSERT_TRUE(openOutput(2, path("out")));
  for (const std::string& line : want) printToFile(2, line);
  closeFile(2);
  EXPECT_EQ(allLines("out"), want);
}

TEST_F(Files, EofTurnsTrueAsTheLastLineIsTaken) {
  // Whatever the final line end, EOF is false before each line but the last is taken.
  const std::vector<std::string> two = {"first", "second"};
  for (const char* bytes : {"first\rsecond\r", "first\rsecond", "first\r\nsecond\r\n", ""}) {
    writeRaw("f", bytes);
    const std::vector<std::string> want = *bytes == '\0' ? std::vector<std::string>{} : two;
    EXPECT_EQ(allLines("f"), want) << bytes;
  }
}

TEST_F(Files, EofIsTrueWhileFieldsOfTheLastLineRemain) {
  openRaw(2, "rows", " 1, 2, 3\r 4, 5, 6\r");
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

TEST_F(Files, ReadingPastTheEndIsAFileErrorWithLowByteTen) {
  openRaw(7, "one", "x\r");
  EXPECT_EQ(lineInput(7), "x");
  EXPECT_EQ(lineInput(7), "");
  ASSERT_EQ(gReported.size(), 1u);
  EXPECT_EQ(gReported[0], 7 * 256 + kFileErrorPastEnd);
  EXPECT_EQ(lastFileError() & 0xFF, 10);
  EXPECT_EQ(inputField(7), "");
  EXPECT_EQ(gReported.size(), 2u);
}

TEST_F(Files, FieldsEndAtACommaOrATab) {
  EXPECT_EQ(allFields("BORDERCOLOR 1, 2,3\ra\tb \t c\rx,,y\rtrailing,\r\r   lead and trail   \rEND\r"),
            (std::vector<std::string>{"BORDERCOLOR 1", "2", "3", "a", "b ", "c", "x", "", "y", "trailing",
                                      "", "lead and trail   ", "END"}));
  // A quoted field runs to the closing quote.
  EXPECT_EQ(allFields("\"Smith, John\", 5\r  \"tab\there\"\r\"open to the end\r"),
            (std::vector<std::string>{"Smith, John", "5", "tab\there", "open to the end"}));
}

TEST_F(Files, NumberFieldsReadAsValReadsThem) {
  openRaw(2, "nums", " 0, 5,-1, 65535, 12.9, 300, &H10, x\r");
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
  openRaw(2, "mixed", "Board 1, rest of it\rnext\r");
  EXPECT_EQ(inputField(2), "Board 1");
  EXPECT_EQ(lineInput(2), " rest of it");  // exactly what follows the comma
  EXPECT_EQ(lineInput(2), "next");
}

TEST_F(Files, ALongLineComesInPiecesCutBetweenCharacters) {
  const std::string longLine = std::string(254, 'a') + "é" + std::string(10, 'b');  // é is 2 bytes
  openRaw(2, "long", longLine + "\rshort\r");
  EXPECT_EQ(lineInput(2), std::string(254, 'a'));
  EXPECT_EQ(lineInput(2), "é" + std::string(10, 'b'));
  EXPECT_EQ(lineInput(2), "short");
  EXPECT_TRUE(fileEof(2));
}

TEST_F(Files, StrayContinuationBytesComeInPiecesKeptAsTheyAre) {
  // A long line of invalid UTF-8 is cut at 255 bytes: no read is empty, none loops.
  const std::string line = "A" + std::string(255, '\x80');
  for (Str255 (*read)(std::int16_t) : {lineInput, inputField}) {
    openRaw(2, "latin1", line + "\r");
    std::string joined;
    for (int reads = 0; !fileEof(2) && reads <= 2; ++reads) joined += read(2).view();
    EXPECT_TRUE(fileEof(2));
    EXPECT_EQ(joined, line);
    closeFile(2);
  }
}

TEST_F(Files, OpeningAMissingFileReportsAndLeavesTheNumberClosed) {
  EXPECT_TRUE(failsWith(openInput(4, path("no such file")), 4 * 256 + kFileErrorOpenFailed));
  EXPECT_FALSE(fileIsOpen(4));
  EXPECT_TRUE(fileEof(4));
  EXPECT_TRUE(closeFile(4));  // closing it anyway is harmless
  EXPECT_EQ(gReported.size(), 1u);
  // The first read on it is a file error, as the preferences reader relies on.
  EXPECT_EQ(inputField(4), "");
  EXPECT_EQ(gReported.back(), 4 * 256 + kFileErrorNotOpen);
  EXPECT_TRUE(failsWith(openInput(4, dir_), 4 * 256 + kFileErrorOpenFailed));  // a folder is no file
  EXPECT_TRUE(failsWith(openOutput(4, path("missing folder") / "x"), 4 * 256 + kFileErrorOpenFailed));
  // The cause in the program's words, naming what is missing.
  EXPECT_EQ(lastFileErrorCause(), "The folder " + path("missing folder").string() + " does not exist.");
  EXPECT_TRUE(failsWith(openInput(4, path("no such file")), 4 * 256 + kFileErrorOpenFailed));
  EXPECT_EQ(lastFileErrorCause(), "no such file does not exist.");
}

TEST_F(Files, MisusedNumbersAreReported) {
  EXPECT_TRUE(failsWith(openOutput(0, path("a")), kFileErrorBadNumber));
  EXPECT_TRUE(failsWith(openOutput(256, path("a")), kFileErrorBadNumber));
  EXPECT_TRUE(failsWith(printToFile(-1, "x"), kFileErrorBadNumber));

  ASSERT_TRUE(openOutput(9, path("a")));
  EXPECT_TRUE(failsWith(openOutput(9, path("b")), 9 * 256 + kFileErrorAlreadyOpen));
  EXPECT_EQ(lineInput(9), "");
  EXPECT_EQ(gReported.back(), 9 * 256 + kFileErrorWrongMode);
  EXPECT_TRUE(printToFile(9, "still writes to a"));
  closeFile(9);
  EXPECT_EQ(readRaw("a"), "still writes to a\r");
  EXPECT_FALSE(fs::exists(path("b")));

  openRaw(9, "in", "x\r");
  EXPECT_TRUE(failsWith(printToFile(9, "y"), 9 * 256 + kFileErrorWrongMode));
  EXPECT_TRUE(failsWith(printToFile(10, "y"), 10 * 256 + kFileErrorNotOpen));
}

TEST_F(Files, AFailedWriteIsReportedNotTakenForSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_TRUE(openOutput(2, "/dev/full"));
  EXPECT_TRUE(failsWith(printToFile(2, "Board 0 2 0 0"), 2 * 256 + kFileErrorWriteFailed));
  EXPECT_FALSE(writeToFile(2, "more"));
  closeFile(2);
  EXPECT_FALSE(fileIsOpen(2));
}

TEST_F(Files, TheDefaultVectorShowsTheAlertTextAndAClearedOneStaysQuiet) {
  setFileErrorVector(FBFileErrorAlert);
  setFileErrorAlertPresenter(recordAlert);
  EXPECT_FALSE(openInput(3, path("nothing")));
  ASSERT_EQ(gAlerts.size(), 1u);
  EXPECT_EQ(gAlerts[0], "The program has returned a file error.|" + std::to_string(3 * 256 + 4));
  // A cleared vector only records the error.
  setFileErrorVector(nullptr);
  gAlerts.clear();
  setLastFileError(0);
  EXPECT_FALSE(openInput(3, path("nothing")));
  EXPECT_TRUE(gAlerts.empty());
  EXPECT_TRUE(gReported.empty());
  EXPECT_EQ(lastFileError(), 3 * 256 + kFileErrorOpenFailed);
  setLastFileError(0);
  EXPECT_EQ(lastFileError(), 0);
}

TEST_F(Files, CloseAllClosesEveryNumber) {
  ASSERT_TRUE(openOutput(1, path("a")) && openOutput(255, path("b")));
  closeAllFiles();
  EXPECT_FALSE(fileIsOpen(1) || fileIsOpen(255));
  EXPECT_TRUE(openOutput(1, path("a")));  // free again
}

TEST_F(Files, PerUserFoldersAreCreatedWhenMissing) {
  const fs::path data = dir_ / "share" / "Tavrik";
  const fs::path prefs = dir_ / "config" / "Tavrik";
  EXPECT_TRUE(setDataFolder(data) && setPreferencesFolder(prefs));
  EXPECT_TRUE(fs::is_directory(data) && fs::is_directory(prefs));
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
  writeRaw("plain", "x");
  EXPECT_FALSE(setDataFolder(path("plain") / "sub"));  // a folder that cannot be made
  setDataFolder({});
  setPreferencesFolder({});
}

// The atomic replacement: whatever fails, the old file stays as it was and no temporary
// is left beside it.
class AtomicOutput : public Files {
 protected:
  void TearDown() override {
    clearFileFaults();
    Files::TearDown();
  }
  std::vector<std::string> folderNames() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Writes three lines to "prefs", the close included; false when any step failed.
  bool writeThreeLines() {
    if (!openOutput(3, path("prefs"))) return false;
    bool ok = true;
    for (const char* line : {"LANGUAGE  English", "SOUND  -1", "ENDOFPREFERENCES"}) ok = printToFile(3, line) && ok;
    return closeFile(3) && ok;
  }
  static constexpr const char* kOld = "the old file\r";
};

TEST_F(AtomicOutput, TheNewFileAppearsOnlyAtTheClose) {
  writeRaw("prefs", kOld);
  ASSERT_TRUE(openOutput(3, path("prefs")));
  EXPECT_TRUE(printToFile(3, "SOUND  -1"));
  EXPECT_EQ(readRaw("prefs"), kOld);  // a reader meanwhile still sees the whole old file
  EXPECT_EQ(folderNames().size(), 2u);
  EXPECT_TRUE(closeFile(3));
  EXPECT_EQ(readRaw("prefs"), "SOUND  -1\r");
  EXPECT_EQ(folderNames(), std::vector<std::string>{"prefs"});
}

TEST_F(AtomicOutput, AFailureAtAnyWriteOrTheRenameKeepsTheOldFileAndDropsTheTemporary) {
  // Every write position fails once (1 to 3), then the rename; each is reported once.
  for (int nth = 1; nth <= 4; ++nth) {
    SCOPED_TRACE(nth);
    writeRaw("prefs", kOld);
    gReported.clear();
    if (nth <= 3) failNthFileWrite(nth);
    else failNextFileRename();
    EXPECT_FALSE(writeThreeLines());
    EXPECT_EQ(readRaw("prefs"), kOld);
    EXPECT_EQ(folderNames(), std::vector<std::string>{"prefs"});
    EXPECT_EQ(gReported, std::vector<std::int32_t>{3 * 256 + kFileErrorWriteFailed});
    EXPECT_FALSE(fileIsOpen(3));
  }
  // Faults are used up: the next write goes through.
  gReported.clear();
  EXPECT_TRUE(writeThreeLines());
  EXPECT_EQ(readRaw("prefs"), "LANGUAGE  English\rSOUND  -1\rENDOFPREFERENCES\r");
  EXPECT_TRUE(gReported.empty());
}

TEST_F(AtomicOutput, AFailureWithoutAnOldFileLeavesNoFile) {
  failNthFileWrite(2);
  EXPECT_FALSE(writeThreeLines());
  EXPECT_TRUE(folderNames().empty());
}

TEST_F(AtomicOutput, AFailureIsShownThroughThePresenter) {
  setFileErrorVector(FBFileErrorAlert);
  setFileErrorAlertPresenter(recordAlert);
  writeRaw("prefs", kOld);
  failNextFileRename();
  EXPECT_FALSE(writeThreeLines());
  EXPECT_EQ(gAlerts, std::vector<std::string>{"The program has returned a file error.|" +
                                              std::to_string(3 * 256 + kFileErrorWriteFailed)});
}

TEST_F(AtomicOutput, AnUnwritableFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  writeRaw("prefs", kOld);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(openOutput(3, path("prefs")));
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(readRaw("prefs"), kOld);
  EXPECT_EQ(folderNames(), std::vector<std::string>{"prefs"});
}

TEST_F(AtomicOutput, TheReplacementKeepsTheFilesPermissionsAndALinkStaysALink) {
  writeRaw("real", kOld);
  fs::permissions(path("real"), fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(path("real"), path("prefs"));
  EXPECT_TRUE(writeThreeLines());
  EXPECT_TRUE(fs::is_symlink(path("prefs")));
  EXPECT_EQ(readRaw("real"), "LANGUAGE  English\rSOUND  -1\rENDOFPREFERENCES\r");
  EXPECT_EQ(fs::status(path("real")).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(folderNames(), (std::vector<std::string>{"prefs", "real"}));
}

// The temporary beside a file with a long name gives up the end of that name, so every
// name the file system takes is written; a longer one fails with its cause in words.
TEST_F(AtomicOutput, AnyNameTheFolderTakesIsWrittenAndALongerOneSaysWhy) {
  struct Row {
    std::string name;
    bool written;
  };
  std::string twoByteLetters;
  while (twoByteLetters.size() < 254) twoByteLetters += "\xC3\xA9";
  const Row rows[] = {{std::string(236, 'g'), true},
                      {std::string(250, 'g'), true},
                      {std::string(255, 'g'), true},
                      {twoByteLetters, true},
                      {std::string(256, 'g'), false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name.size());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    setLastFileError(0);
    bool ok = openOutput(3, path(r.name));
    ok = ok && printToFile(3, "SOUND  -1");
    ok = closeFile(3) && ok;
    EXPECT_EQ(ok, r.written);
    EXPECT_EQ(folderNames(), r.written ? std::vector<std::string>{r.name} : std::vector<std::string>{});
    if (!r.written) {
      EXPECT_EQ(lastFileErrorCause(), "The name is longer than the system allows.");
    }
  }
}

// A run killed between its write and its rename leaves its temporary behind; once it is
// long untouched the next write of the same file, or the start's sweep beside the program's
// own files, clears it whatever process number it carries, and only it: a fresh one may be
// a live run's that this process cannot see, and a person's file that only looks like a
// temporary stays.
TEST_F(AtomicOutput, TemporariesOfAKilledRunGoAtTheNextWriteAndNothingElseDoes) {
  writeRaw("prefs", kOld);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Killed after its write: no close, no rename.
    if (openOutput(3, path("prefs")) && printToFile(3, "half")) ::_exit(0);
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string dead = std::to_string(child);
  const std::string alive = std::to_string(::getppid());
  const std::string first = "1";  // alive in every process namespace
  // A name with no room for the mark: its temporary gives up the end of the name.
  const std::string longName(250, 'L');
  const std::string longMark = ".tmp-" + dead + "-3";
  const std::string longCut = longName.substr(0, 255 - longMark.size()) + longMark;
  for (const std::string& name : {"prefs.tmp-" + alive + "-2", "other.tmp-" + dead + "-1", "prefs.tmp-" + dead + "-",
                                  "prefs.tmp-x" + dead + "-1", "prefs.tmp-" + dead + "-7.bak", "prefsx.tmp-" + dead + "-1",
                                  "notes.tmp-" + first + "-4", "Club final.tmp-" + dead + "-11", longCut,
                                  longName.substr(0, 10) + ".tmp-" + dead + "-3"})
    writeRaw(name, "keep");
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const auto& e : fs::directory_iterator(dir_)) fs::last_write_time(e.path(), longAgo);
  // Numbered 0, which the killed run's own count never reaches, whatever ran before it.
  for (const char* fresh : {"prefs.tmp-", "other.tmp-"}) writeRaw(fresh + dead + "-0", "keep");
  ASSERT_EQ(folderNames().size(), 14u);  // the killed run's temporary is among them
  EXPECT_TRUE(writeThreeLines());
  std::vector<std::string> kept = {"Club final.tmp-" + dead + "-11",
                                   longCut,
                                   longName.substr(0, 10) + ".tmp-" + dead + "-3",
                                   "notes.tmp-1-4",
                                   "other.tmp-" + dead + "-1",
                                   "other.tmp-" + dead + "-0",
                                   "prefs",
                                   "prefs.tmp-" + dead + "-",
                                   "prefs.tmp-" + dead + "-0",
                                   "prefs.tmp-" + dead + "-7.bak",
                                   "prefs.tmp-x" + dead + "-1",
                                   "prefsx.tmp-" + dead + "-1"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(folderNames(), kept);
  EXPECT_EQ(readRaw("prefs"), "LANGUAGE  English\rSOUND  -1\rENDOFPREFERENCES\r");
  removeStaleTemporariesIn(dir_, {"prefs", "notes", longName});
  kept.erase(std::find(kept.begin(), kept.end(), "notes.tmp-1-4"));
  kept.erase(std::find(kept.begin(), kept.end(), longCut));
  EXPECT_EQ(folderNames(), kept);
}

}  // namespace
}  // namespace bg
