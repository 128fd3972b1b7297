// The preferences file: the writer's bytes against the reference file, the reader and its
// appliers, and a write that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "runtime/core/files.h"
#include "state/app_constants.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/fast_play_saved.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/file_services.h"
#include "storage/preference_appliers.h"
#include "storage/preference_services.h"
#include "storage/preferences_file.h"
#include "storage/preferences_reader.h"
#include "storage/preferences_writer.h"
#include "storage/startup_notices.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

// The lines whose values depend on the screen or the installed voices.
const std::vector<std::string> kScreenKeys = {"PIECESPEED", "BOARDWIDTH", "VOICENAME", "WINDOWX1", "WINDOWY1",
                                              "WINDOWX2", "WINDOWY2", "BOARDWIDTHOFFSET", "BOARDHEIGTHOFFSET"};

std::string masked(const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\r', pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    for (const std::string& key : kScreenKeys)
      if (line.rfind(key + " ", 0) == 0) line = key + " <screen>";
    out += line + "\r";
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

// The reference file after a first start and an immediate quit; "|" stands for the CR.
constexpr const char* kFirstStartFile =
    "LANGUAGE  English|VERSION 6.4|CURRENTVERSION 6.4|SHOWROWNUMBERS  -1|SELECTONEONLY  -1|INPUTDICE   0|"
    "DICESOUND  -1|LONGDICESOUND  -1|SOUND  -1|SOUNDLEVEL   8|PIECESIZE   3|SKILLLEVEL   5|PERSONALITY   2|"
    "CUBEUSED  -1|AUTODOUBLEMAX   0|BEAVERALLOWED   0|ACCEPTDOUBLES   0|ROLLOVERONCE   0|JACOBYRULE   0|"
    "CRAWFORDRULE  -1|BACKGAMMONALLOWED  -1|REROLLFIRSTROLL   0|WHOROLLSFIRST   1|AUTOCONCESSIONS   0|"
    "PIECESPEED <screen>|CLICKAFTERHUMANMOVE   0|CLICKAFTERCOMPUTERMOVE   0|AUTOMATICROLLS   0|AUTOPASS  -1|"
    "EASYMOVES   0|AUTOMOVES   0|PIECESHAPE   3|PLAYDIRECTION   0|PLAYERCOLOR0   1|CUSTOMCOLORFILE  None|"
    "BOARDCOLOR   10|BOARDFRAMEDESIGN   7|BOARDWIDTH <screen>|VOICENAME <screen>|SPEAKHUMANDICE   0|"
    "SPEAKCOMPUTERDICE   0|SHORTDICEMESSAGE   0|DISPLAY4ONDOUBLES  -1|SOLIDPIECECOLORS   0|RIGHTMOUSEACTIONP   1|"
    "RIGHTMOUSEACTIONNP   4|SAVEGAMEONEXIT   0|LOADGAMEONSTARTUP   0|GAMEWASSAVED  |FASTPLAY   0|"
    "WINDOWX1 <screen>|WINDOWY1 <screen>|WINDOWX2 <screen>|WINDOWY2 <screen>|BOARDWIDTHOFFSET <screen>|"
    "BOARDHEIGTHOFFSET <screen>|SHOWPOSSIBLEMOVES  -1|CUBEMAXIMUM   64|"
    "PLAYERSCORE 1L 0 0 0 0 0 0 0 0 0 0 0 0 Computer|PLAYERSCORE 1R 0 0 0 0 0 0 0 0 0 0 0 0 No Name|"
    "ACTIVEPLAYERS   1|PLAYERNAME  No Name|SHOWPIPCOUNT   0|MODEMSPEED   2400|PHONENUMBER  No Phone #|"
    "ORIGINATECALL   0|MODEMATTENTION  |MODEMSETUP  |MODEMCONFIG  |MODEMRESET  |HARDWAREHS   0|CALLWAITING  |"
    "HARDWAREHSON  |HARDWAREHSOFF  |WAGERAMOUNT   1|WAGERCURRENCY  Dollars|WAGERSYMBOL  $|WAGERSYMBOLLOCATION   12|"
    "SCORES 0 0|ENDOFPREFERENCES|";

std::string withCarriageReturns(std::string s) {
  for (char& c : s)
    if (c == '|') c = '\r';
  return s;
}

// The one line of a text that starts with the key and a blank.
std::string lineOf(const std::string& text, const std::string& key) {
  // The last line may have no CR after it: it ends with the text.
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = std::min(text.find('\r', pos), text.size());
    const std::string line = text.substr(pos, end - pos);
    if (line.rfind(key + " ", 0) == 0 || line == key) return line;
    pos = end + 1;
  }
  return "<none>";
}

class PreferencesTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
    firstStart();
  }
  void TearDown() override {
    clearFileFaults();
    setPreferencesFolder({});
    StorageTest::TearDown();
  }
  // The settings of a first start on a 1280 x 1024 screen, as the shell sets them.
  static void firstStart() {
    appConstants.programName = "Tavrik's Backgammon";
    appConstants.versionText = "6.4";
    storage.prefsVersion = "6.4";
    shell.languageName = "English";
    shell.modemSpeed = 2400;
    shell.phoneNumber = "No Phone #";
    shell.moneySessionGoing = 999;
    shell.playerNames[0] = "No Name";
    shell.playerNames[1] = "Computer";
    players.playerRecords[1].firstName = "Computer";
    players.playerRecords[1].secondName = "No Name";
    displaySettings.rowNumbersShown = -1;
    displaySettings.pieceSize = 3;
    displaySettings.pieceShapeApplied = 3;
    displaySettings.pieceSpeed = 9;
    displaySettings.showPossibleMoves = -1;
    displaySettings.customColorsFileName = "None";
    options.selectOneOnly = -1;
    options.autoPass = 255;
    options.rightMouseActionP = kRightClickCentre;
    options.rightMouseActionNP = kRightClickTakesBack;
    skill.skillLevel = 5;
    skill.personality = 2;
    display.playerColors[0] = 1;
    display.playerColors[1] = 0;
    boardState.boardFrameDesign = boardState.frameDesignChoice = 7;
    ShellWindowState& S = shellWindow;
    S.screenWidth = 1280;
    S.screenHeight = 1024;
    S.menuBarHeight = 22;
    S.titleBarHeight = 20;
    S.boardWidthMin = 424;
    S.boardWidthFallback = 1180;
    for (long k = 1; k <= kBoardSizeHighest; ++k) S.boardSizeTable[k] = static_cast<int16_t>(424 + (k - 1) * 126);
    S.boardSizeIndex = 6;
    display.boardWidth = display.boardSizeUnit = S.boardSizeTable[6];
  }
  std::string written() const { return fileBytes(preferencesPath()); }
};

TEST_F(PreferencesTest, AFirstStartWritesTheReferenceFileByteForByte) {
  ASSERT_EQ(writePreferences(), "");
  const std::string text = written();
  EXPECT_EQ(masked(text), withCarriageReturns(kFirstStartFile));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 80);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(preferencesPath().filename(), "Tavrik's Backgammon Preferences");
  // The screen lines hold the screen's values.
  EXPECT_EQ(lineOf(text, "PIECESPEED"), "PIECESPEED   9");
  EXPECT_EQ(lineOf(text, "BOARDWIDTH"), "BOARDWIDTH   1054");
  EXPECT_EQ(lineOf(text, "VOICENAME"), "VOICENAME  Bruce");
}

TEST_F(PreferencesTest, SessionsNamesAndNegativeNumbersAreWrittenWithABlankBeforeEachNumber) {
  struct Row {
    const char* what;
    void (*set)();
    const char* key;
    const char* line;
  };
  const Row rows[] = {
      {"match to 7", [] { flow.tournamentGoing = 255, flow.tournamentPoints = 7; }, "TOURNAMENTGOING",
       "TOURNAMENTGOING 7 0 0"},
      {"restriction -1 has no sign",
       [] { flow.tournamentGoing = 255, flow.tournamentPoints = 5, flow.crawfordRestrictions[1] = -1; },
       "TOURNAMENTGOING", "TOURNAMENTGOING 5 0 1"},
      {"no match", [] {}, "TOURNAMENTGOING", "<none>"},
      {"money session", [] { flow.moneySessionActive = 255; }, "MONEYSESSIONGOING", "MONEYSESSIONGOING 999"},
      {"no money session", [] {}, "MONEYSESSIONGOING", "<none>"},
      {"negative first score", [] { flow.scores[0] = -5, flow.scores[1] = 5; }, "SCORES", "SCORES -5 5"},
      {"negative second score", [] { flow.scores[0] = 5, flow.scores[1] = -3; }, "SCORES", "SCORES 5 -3"},
      {"byte flag 255", [] { settings.soundOptions.soundOn = 255; }, "SOUND", "SOUND  -1"},
      {"skill 3", [] { skill.skillLevel = 3; }, "SKILLLEVEL", "SKILLLEVEL   3"},
      {"empty text", [] { options.wagerCurrency = ""; }, "WAGERCURRENCY", "WAGERCURRENCY  "},
      {"a name with a comma and a tab", [] { shell.playerNames[0] = "Ann, the\tfirst"; }, "PLAYERNAME",
       "PLAYERNAME  Ann, the\tfirst"},
      // No value is split into lines, whatever reaches the writer.
      {"a name with line ends", [] { shell.playerNames[0].assign("Ann\r\nLOADGAMEONSTARTUP   0\n"); }, "PLAYERNAME",
       "PLAYERNAME  Ann LOADGAMEONSTARTUP   0 "},
      {"a record's name with a line end", [] { players.playerRecords[1].secondName.assign("Ann\rSOUND   0"); },
       "PLAYERSCORE 1R", "PLAYERSCORE 1R 0 0 0 0 0 0 0 0 0 0 0 0 Ann SOUND   0"},
      {"a saved game's path with a line end is not remembered",
       [] { storage.loadGameOnStartup = -1, shell.savedGameName.assign("/home/ann/Ann\nLOADGAMEONSTARTUP   0"); },
       "GAMEWASSAVED", "GAMEWASSAVED  "},
      {"names of record 1", [] { players.playerRecords[1].firstName = "Ann", players.playerRecords[1].secondName = "Bob"; },
       "PLAYERSCORE 1R", "PLAYERSCORE 1R 0 0 0 0 0 0 0 0 0 0 0 0 Bob"},
      {"an older version writes ten numbers", [] { storage.prefsVersion = "2.5"; }, "PLAYERSCORE 1L",
       "PLAYERSCORE 1L 0 0 0 0 0 0 0 0 0 0 Computer"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    freshProgram();
    firstStart();
    r.set();
    EXPECT_EQ(lineOf(preferencesText(), r.key), r.line);
  }
}

TEST_F(PreferencesTest, ATooLongTextIsCutToALineOf255Bytes) {
  options.wagerCurrency.assign(std::string(40, 'x'));
  shell.playerNames[0].assign(std::string(100, 'n'));
  speech.voiceName.assign(std::string(255, 'v'));
  const std::string line = lineOf(preferencesText(), "VOICENAME");
  EXPECT_EQ(line.size(), 255u);
}

TEST_F(PreferencesTest, PathsOfAnyDepthComeBackWhole) {
  // From the longest that fitted a line before to a deep folder.
  for (const std::size_t length : {241u, 242u, 255u, 256u, 1000u, 4095u}) {
    SCOPED_TRACE(length);
    freshProgram();
    firstStart();
    std::string saved = "/home/ann/" + std::string(length - 14, 'g') + "/g\xC3\xA9";
    std::string colours = "/home/ann/" + std::string(length - 14, 'c') + "/c\xC3\xA9";
    storage.loadGameOnStartup = -1;
    shell.savedGameName.assign(saved);
    displaySettings.customColorsFileName.assign(colours);
    ASSERT_EQ(shell.savedGameName.view().size(), length);
    ASSERT_EQ(writePreferences(), "");
    freshProgram();
    firstStart();
    loadPreferences();
    EXPECT_EQ(shell.savedGameName.view(), saved);
    EXPECT_EQ(storage.gameWasSaved, -1);
    EXPECT_EQ(displaySettings.customColorsFileName.view(), colours);
    EXPECT_EQ(skill.skillLevel, 5);
  }
}

TEST_F(PreferencesTest, EverySettingComesBackFromItsFile) {
  // Settings unlike the defaults in every written value, the counters all distinct.
  skill.skillLevel = 2;
  skill.personality = 3;
  cube.cubeUsed = 0;
  cube.cubeMaximum = 16;
  cube.autoDoubleMax = 4;
  cube.beaverAllowed = cube.acceptDoubles = cube.jacobyRule = -1;
  cube.crawfordRule = 0;
  settings.soundOptions = {0, 3, 0};
  settings.longDiceSound = 0;
  settings.backgammonAllowed = 0;
  settings.rerollFirstRoll = 255;
  settings.whoRollsFirst = 4;
  settings.inputDice = -1;
  settings.display4OnDoubles = 0;
  options.selectOneOnly = 0;
  options.autoConcessions = -1;
  options.clickAfterHumanMove = 255;
  options.autoPass = 0;
  options.easyMoves = -1;
  options.speakHumanDice = -1;
  options.shortDiceMessage = -1;
  options.rightMouseActionP = 2;
  options.rightMouseActionNP = 3;
  options.showPipCounts = -1;
  options.wagerAmount = 25;
  options.wagerCurrency = "Euro, cent";
  options.wagerSymbol = "EUR";
  options.wagerSymbolLocation = 13;
  displaySettings.rowNumbersShown = 0;
  displaySettings.pieceShapeApplied = 5;
  displaySettings.pieceSpeed = 4;
  displaySettings.solidPieceColors = -1;
  displaySettings.showPossibleMoves = 0;
  displaySettings.customColorsFileName = "My colours";
  display.playerColors[0] = 0;
  display.playerColors[1] = 1;
  display.boardColor = 4;
  boardState.boardFrameDesign = boardState.frameDesignChoice = 2;
  speech.voiceName = "Alex";
  shell.saveGameOnExit = -1;
  storage.loadGameOnStartup = -1;
  shell.savedGameName = "SavedGame";
  shell.languageName = "Deutsch";
  flow.tournamentGoing = 255;
  flow.tournamentPoints = 9;
  flow.crawfordRestrictions[0] = -1;
  flow.scores[0] = -4;
  flow.scores[1] = 7;
  for (long r = 1; r <= 2; ++r) {
    PlayerRecord& rec = players.playerRecords[r];
    rec.firstName = r == 1 ? "Ann, Lee" : "Cid";
    rec.secondName = r == 1 ? "Bob\tJr" : "Dee";
    for (long c = 0; c < 22; ++c) rec.counters[c] = static_cast<int16_t>(r * 100 + c - 5);
    rec.pipsRolled[0] = static_cast<int32_t>(r * 70000);
    rec.pipsRolled[1] = -static_cast<int32_t>(r);
  }
  players.activePlayers = 2;
  shell.playerNames[0] = "Dee";
  shell.playerNames[1] = "Cid";
  const PlayerRecords recordsBefore = players;
  ASSERT_EQ(writePreferences(), "");
  const std::string first = written();

  freshProgram();
  firstStart();
  storage.prefsVersion = "";
  loadPreferences();
  EXPECT_EQ(storage.firstRun, 0);
  for (long r = 0; r <= 4; ++r) {
    if (r == 1 || r == 2) {
      EXPECT_EQ(players.playerRecords[r], recordsBefore.playerRecords[r]) << r;
    }
  }
  EXPECT_EQ(options.wagerCurrency, "Euro, cent");
  EXPECT_EQ(shell.playerNames[0], "Dee");
  EXPECT_EQ(flow.scores[0], -4);
  EXPECT_EQ(storage.gameWasSaved, -1);
  // Written again, the file is the same byte for byte: every value came back.
  ASSERT_EQ(writePreferences(), "");
  EXPECT_EQ(masked(written()), masked(first));
  EXPECT_EQ(lineOf(first, "TOURNAMENTGOING"), "TOURNAMENTGOING 9 1 0");
}

TEST_F(PreferencesTest, NoFileIsTheFirstRun) {
  windowPlacement.windowX2 = 0;
  loadPreferences();
  EXPECT_EQ(storage.firstRun, 255);
  EXPECT_EQ(storage.prefsVersion, "6.4");
  EXPECT_EQ(windowPlacement.windowX2, 0);
  EXPECT_EQ(skill.skillLevel, 5);
}

TEST_F(PreferencesTest, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  ASSERT_EQ(writePreferences(), "");
  const std::string old = written();
  skill.skillLevel = 1;
  for (int nth = 0; nth <= 1; ++nth) {
    SCOPED_TRACE(nth);
    if (nth == 0) failNthFileWrite(1);
    else failNextFileRename();
    const std::string failure = writePreferences();
    EXPECT_NE(failure.find("The preferences could not be saved."), std::string::npos) << failure;
    EXPECT_EQ(written(), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "config"), {}), 1);
  }
  EXPECT_EQ(writePreferences(), "");
  EXPECT_NE(written(), old);
  // The cause in the program's words; "kept" only where a file is kept; a game to resume
  // that only the new file would have named is said not to come back by itself.
  const std::string noGame = "The preferences could not be saved. The disk is full.";
  const std::string game =
      "\rThe game saved now will not come back by itself at the next start: File > Open Saved Game brings it.";
  std::filesystem::remove(preferencesPath());
  failNthFileWrite(1);
  EXPECT_EQ(writePreferences(), noGame);
  writeBytes(folder_ / "plain", "x");
  setPreferencesFolder(folder_ / "plain" / "sub");
  EXPECT_EQ(writePreferences(), "The preferences could not be saved. A file stands in the way of the folder " +
                                    (folder_ / "plain" / "sub").string() + ".");
  ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
  storage.gameWasSaved = storage.loadGameOnStartup = -1;
  shell.savedGameName = "Friday";
  failNthFileWrite(1);
  EXPECT_EQ(writePreferences(), noGame + game);
  // The file kept names that game already: it comes back.
  ASSERT_EQ(writePreferences(), "");
  failNthFileWrite(1);
  EXPECT_EQ(writePreferences(), noGame + " The previous settings file is kept.");
  // With resuming off no game comes back by itself: none is said not to.
  std::filesystem::remove(preferencesPath());
  storage.loadGameOnStartup = 0;
  failNthFileWrite(1);
  EXPECT_EQ(writePreferences(), noGame);
}

TEST_F(PreferencesTest, AnUnreadableOrDamagedFileIsToldOnceAndNothingItHeldIsLost) {
  ASSERT_EQ(writePreferences(), "");
  const std::string whole = written();
  std::filesystem::path kept = preferencesPath();
  kept += " damaged";
  std::filesystem::path second = kept;
  second += " 2";
  const std::string cut = whole.substr(0, whole.size() * 7 / 10);
  struct Row {
    const char* what;
    std::string bytes;
    bool folder;       // a folder where the file should be
    const char* told;  // nullptr: nothing to tell
    bool keptBefore = false;  // a copy of an earlier damaged file is there
    bool noCopy = false;      // the copy cannot be written
  };
  const Row rows[] = {
      {"whole", whole, false, nullptr},
      {"a folder in its place", "", true, "will not be saved"},
      {"cut before its end", cut, false, "damaged"},
      {"empty", "", false, "damaged"},
      {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20), false, "damaged"},
      {"damaged again", cut, false, "damaged", true},
      {"cut, its copy not written", cut, false, "up to the damage are used. No copy of it could be made", false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    freshProgram();
    firstStart();
    std::filesystem::remove_all(preferencesPath());
    std::filesystem::remove(kept);
    std::filesystem::remove(second);
    if (r.keptBefore) writeBytes(kept, "the first damaged file");
    if (r.folder) std::filesystem::create_directories(preferencesPath());
    else writeBytes(preferencesPath(), r.bytes);
    if (r.noCopy) failNthFileWrite(1);
    loadPreferences();
    // Read before the board can show anything: told once it can.
    EXPECT_TRUE(infoBoxes.empty());
    tellPreferencesNotReadWhole();
    EXPECT_EQ(storage.prefsLoading, 0);
    if (r.told == nullptr) {
      EXPECT_TRUE(infoBoxes.empty());
      EXPECT_FALSE(std::filesystem::exists(kept));
      continue;
    }
    ASSERT_EQ(infoBoxes.size(), 1u);
    EXPECT_NE(infoBoxes[0].find(r.told), std::string::npos) << infoBoxes[0];
    EXPECT_NE(infoBoxes[0].find(preferencesPath().string()), std::string::npos) << infoBoxes[0];
    if (r.folder) {
      EXPECT_EQ(writePreferences(), "") << "nothing to tell: the file is not to be written";
      EXPECT_TRUE(std::filesystem::is_directory(preferencesPath()));
      continue;
    }
    if (r.noCopy) {
      EXPECT_EQ(writePreferences(), "") << "nothing to tell: the file is not to be written";
      EXPECT_EQ(written(), r.bytes) << "the damaged file was written over";
      continue;
    }
    // Kept beside the new file under its own name, which the box gives; an earlier copy
    // stays as it was.
    const std::filesystem::path copy = r.keptBefore ? second : kept;
    EXPECT_NE(infoBoxes[0].find(copy.string() + "."), std::string::npos) << infoBoxes[0];
    EXPECT_EQ(writePreferences(), "");
    EXPECT_EQ(lineOf(written(), "ENDOFPREFERENCES"), "ENDOFPREFERENCES");
    EXPECT_EQ(fileBytes(copy), r.bytes);
    if (r.keptBefore) {
      EXPECT_EQ(fileBytes(kept), "the first damaged file");
    }
  }
}

TEST_F(PreferencesTest, LinesAreReadInFileOrderWholeAndUpToTheEndLine) {
  static const std::string kOverlongLine = std::string(300, 'A') + "SKILLLEVEL   1\r";
  struct Row {
    const char* file;
    bool (*holds)();
  };
  const Row rows[] = {
      {"SOUND  -1\rSKILLLEVEL   3\r", [] { return skill.skillLevel == 3 && settings.soundOptions.soundOn == 255; }},
      {"skilllevel   3\r", [] { return skill.skillLevel == 5; }},
      {"SKILLLEVEL\t3\r", [] { return skill.skillLevel == 5; }},
      {"WAGERCURRENCY  Euro, cent\r", [] { return options.wagerCurrency == "Euro, cent"; }},
      {"PLAYERNAME  x,SKILLLEVEL 1\r", [] { return skill.skillLevel == 5 && shell.playerNames[0] == "x,SKILLLEVEL 1"; }},
      {"SKILLLEVEL   2", [] { return skill.skillLevel == 2; }},  // the last line without its end
      {"SKILLLEVEL   2\r\nPERSONALITY   3\n", [] { return skill.skillLevel == 2 && skill.personality == 3; }},
      {"ENDOFPREFERENCES\rSKILLLEVEL   2\r", [] { return skill.skillLevel == 5; }},
      {"SKILLLEVEL   2\rSKILLLEVEL   4\r", [] { return skill.skillLevel == 4; }},
      {"GAMEWASSAVED  SavedGame\rLOADGAMEONSTARTUP  -1\r", [] { return storage.gameWasSaved == 0; }},
      {"LOADGAMEONSTARTUP  -1\rGAMEWASSAVED  SavedGame\r",
       [] { return storage.gameWasSaved == -1 && shell.savedGameName == "SavedGame"; }},
      {"LOADGAMEONSTARTUP  -1\rGAMEWASSAVED  \r", [] { return storage.gameWasSaved == 0; }},
      {"LOADGAMEONSTARTUP  -1\rGAMEWASSAVED  SavedGame\rLOADGAMEONSTARTUP  0\r",
       [] { return storage.gameWasSaved == 0 && shell.savedGameName.empty(); }},
      {"WINDOWX2  -5\r", [] { return windowPlacement.windowX2 == 0; }},
      {"PLAYERSCORE 1L 1 2 3 4 5 6 7 8 9 10 11 12 Ann\r",  // no VERSION line: the short form
       [] {
         const PlayerRecord& r = players.playerRecords[1];
         return r.counters[0] == 1 && r.counters[18] == 8 && r.counters[20] == 0 && r.pipsRolled[0] == 0 &&
                r.firstName == "11 12 Ann";
       }},
      {"VERSION 6.4\rPLAYERSCORE 1R -1 2 3 4 5 6 7 8 9 10 11 -12 \r",
       [] {
         const PlayerRecord& r = players.playerRecords[1];
         return r.counters[1] == -1 && r.counters[15] == 9 && r.counters[21] == 11 && r.pipsRolled[1] == -12 &&
                r.secondName.empty();
       }},
      // A count too wide for its field is not taken; the others are.
      {"VERSION 6.4\rPLAYERSCORE 1L 32767 32768 -32769 4 5 6 7 8 9 10 11 2147483648 Ann\r",
       [] {
         const PlayerRecord& r = players.playerRecords[1];
         return r.counters[0] == 32767 && r.counters[2] == 0 && r.counters[4] == 0 && r.counters[6] == 4 &&
                r.pipsRolled[0] == 0 && r.firstName == "Ann";
       }},
      {"VERSION 6.4\rPLAYERSCORE 2L 1 2 3 4 5 6 7 8 9 10 11 12  3 \r",  // a name typed with a blank before it
       [] { return players.playerRecords[2].firstName == " 3 "; }},
      {"VERSION 6.4\rPLAYERSCORE 7L 1 2 3 4 5 6 7 8 9 10 11 12 Ann\r",
       [] { return players.playerRecords[1].firstName == "Computer"; }},
      {kOverlongLine.c_str(), [] { return skill.skillLevel == 5; }},
      // A score past its limit is not taken: sums and balances of two scores stay Int32s.
      {"SCORES 1000000000 -5\r", [] { return flow.scores[0] == 0 && flow.scores[1] == 0; }},
      {"SCORES 4294967299 0\r", [] { return flow.scores[0] == 0; }},
      {"SCORES 2000000000 2000000000\rMONEYSESSIONGOING -1\r", [] { return flow.moneySessionActive != 0; }},
      {"SCORES 999999999 -999999999\r", [] { return flow.scores[0] == 999999999 && flow.scores[1] == -999999999; }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.file);
    freshProgram();
    firstStart();
    parsePreferences(r.file);
    EXPECT_TRUE(r.holds());
  }
}

struct ApplierRow {
  const char* what;
  void (*apply)(std::string_view);
  const char* value;
  int (*setting)();
  int expected;
};

int gToggles = 0;
std::vector<std::pair<int16_t, int16_t>> gChecks;

TEST_F(PreferencesTest, EachShapeTakesOnlyLegalValues) {
  const ApplierRow rows[] = {
      // S: stored when changed; out of range keeps the setting.
      {"skill 3", applyPrefSkillLevel, "3", [] { return int{skill.skillLevel}; }, 3},
      {"skill 9 kept", applyPrefSkillLevel, "9", [] { return int{skill.skillLevel}; }, 5},
      {"skill 0 kept", applyPrefSkillLevel, "0", [] { return int{skill.skillLevel}; }, 5},
      {"piece size 99 kept", applyPrefPieceSize, "99", [] { return int{displaySettings.pieceSize}; }, 3},
      {"piece speed 12 kept", applyPrefPieceSpeed, "12", [] { return int{displaySettings.pieceSpeed}; }, 9},
      {"piece speed 7", applyPrefPieceSpeed, "7", [] { return int{displaySettings.pieceSpeed}; }, 7},
      {"auto doubles 9 kept", applyPrefAutoDoubleMax, "9", [] { return int{cube.autoDoubleMax}; }, 0},
      {"auto doubles 3", applyPrefAutoDoubleMax, "3", [] { return int{cube.autoDoubleMax}; }, 3},
      // R: ranges and substitutes.
      {"personality 7", applyPrefPersonality, "7", [] { return int{skill.personality}; }, 2},
      {"who rolls first 6", applyPrefWhoRollsFirst, "6", [] { return int{settings.whoRollsFirst}; }, 1},
      {"piece shape 9", applyPrefPieceShape, "9", [] { return int{displaySettings.pieceShapeApplied}; }, 3},
      {"piece shape 5", applyPrefPieceShape, "5", [] { return int{displaySettings.pieceShapeApplied}; }, 5},
      {"sound level 11", applyPrefSoundLevel, "11", [] { return int{settings.soundOptions.soundLevel}; }, 8},
      {"dice sound 5", applyPrefDiceSound, "5", [] { return int{settings.soundOptions.diceSoundOn}; }, 255},
      {"long dice sound 5", applyPrefLongDiceSound, "5", [] { return int{settings.longDiceSound}; }, -1},
      {"symbol place 14", applyPrefWagerSymbolLocation, "14", [] { return int{options.wagerSymbolLocation}; }, 12},
      {"symbol place 13", applyPrefWagerSymbolLocation, "13", [] { return int{options.wagerSymbolLocation}; }, 13},
      {"cube maximum 1", applyPrefCubeMaximum, "1", [] { return int{cube.cubeMaximum}; }, 64},
      {"cube maximum 128", applyPrefCubeMaximum, "128", [] { return int{cube.cubeMaximum}; }, 64},
      {"cube maximum 16", applyPrefCubeMaximum, "16", [] { return int{cube.cubeMaximum}; }, 16},
      {"board colour 17", applyPrefBoardColor, "17", [] { return int{display.boardColor}; }, 10},
      {"board colour 4", applyPrefBoardColor, "4", [] { return int{display.boardColor}; }, 4},
      {"player colour 3", applyPrefPlayerColor, "3", [] { return int{display.playerColors[0]}; }, 1},
      {"player colour 0", applyPrefPlayerColor, "0", [] { return display.playerColors[1] * 10 + display.playerColors[0]; }, 10},
      {"frame design 9", applyPrefBoardFrameDesign, "9", [] { return int{boardState.frameDesignChoice}; }, 7},
      {"auto moves 16", applyPrefAutoMoves, "16", [] { return int{options.autoMoves}; }, 0},
      {"auto moves 5", applyPrefAutoMoves, "5",
       [] { return options.autoMoves + 100 * (options.autoEnterFromBarOn + options.autoPlayForHumanOn) - options.autoBearOffOn; }, -195},
      {"active players 0", applyPrefActivePlayers, "0", [] { return int{players.activePlayers}; }, 1},
      {"fast play 0", applyPrefFastPlay, "0", [] { return int{shellFlags.fastPlay}; }, 0},
      {"fast play -1", applyPrefFastPlay, "-1", [] { return int{shellFlags.fastPlay}; }, 255},
      // The options kept under Fast Play: taken whole or not at all.
      {"fast play kept", applyPrefFastPlaySaved, "6 -1 0 0 0 -1 0 -1 10 -1 0 -1 2",
       [] { return fastPlaySaved.savedMarker * 1000 + fastPlaySaved.pieceSpeed * 100 + fastPlaySaved.autoMoves; }, 255610},
      {"fast play kept, cut short", applyPrefFastPlaySaved, "6 -1 0 0 0 -1 0 -1 10 -1 0 -1",
       [] { return int{fastPlaySaved.savedMarker}; }, 0},
      {"fast play kept, speed 12", applyPrefFastPlaySaved, "12 -1 0 0 0 -1 0 -1 10 -1 0 -1 2",
       [] { return int{fastPlaySaved.savedMarker}; }, 0},
      {"fast play kept, flag 5", applyPrefFastPlaySaved, "6 5 0 0 0 -1 0 -1 10 -1 0 -1 2",
       [] { return int{fastPlaySaved.savedMarker}; }, 0},
      // T: a flag value other than the setting goes through the toggle; 5 changes nothing.
      {"cube used 0", applyPrefCubeUsed, "0", [] { return cube.cubeUsed * 10 + gToggles; }, 1},
      {"cube used -1 unchanged", applyPrefCubeUsed, "-1", [] { return cube.cubeUsed * 10 + gToggles; }, -10},
      {"cube used 5", applyPrefCubeUsed, "5", [] { return cube.cubeUsed * 10 + gToggles; }, -10},
      {"input dice -1", applyPrefInputDice, "-1", [] { return settings.inputDice * 10 + gToggles; }, -9},
      {"backgammons -1 unchanged", applyPrefBackgammonAllowed, "-1", [] { return gToggles; }, 0},
      // F: 0, -1 or 1 through the toggle.
      {"auto pass 0", applyPrefAutoPass, "0", [] { return options.autoPass * 10 + gToggles; }, 1},
      {"auto pass 1 unchanged", applyPrefAutoPass, "1", [] { return options.autoPass * 10 + gToggles; }, 2550},
      {"auto pass 7", applyPrefAutoPass, "7", [] { return options.autoPass * 10 + gToggles; }, 2550},
      {"easy moves 1", applyPrefEasyMoves, "1", [] { return options.easyMoves * 10 + gToggles; }, -9},
  };
  for (const ApplierRow& r : rows) {
    SCOPED_TRACE(r.what);
    freshProgram();
    firstStart();
    gToggles = 0;
    preferenceServices.toggleOption = [](PrefToggle t) {
      ++gToggles;
      prefsLeast::flipOption(t);
    };
    r.apply(r.value);
    EXPECT_EQ(r.setting(), r.expected);
  }
}

TEST_F(PreferencesTest, TheMarksFollowTheAppliedSetting) {
  gChecks.clear();
  preferenceServices.checkMenuItemOnly = [](int16_t menu, int16_t item) { gChecks.emplace_back(menu, item); };
  applyPrefCubeMaximum("16");
  applyPrefCubeMaximum("128");
  applyPrefPersonality("3");
  EXPECT_EQ(gChecks, (std::vector<std::pair<int16_t, int16_t>>{{kCubeMaximumMenu, 4}, {kPersonalityMenu, 3}}));
}

TEST_F(PreferencesTest, ARunningMatchComesBackWithItsItemAndItsOptionsToRestore) {
  std::vector<std::string> items;
  static std::vector<std::string>* seen = &items;
  shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t, std::string_view text) {
    seen->push_back(std::to_string(menu) + "/" + std::to_string(item) + " " + std::string(text));
  };
  settings.whoRollsFirst = 3;
  applyPrefTournamentGoing("7 1 0");
  EXPECT_EQ(flow.tournamentGoing, 255);
  EXPECT_EQ(flow.tournamentPoints, 7);
  EXPECT_EQ(flow.crawfordRestrictions[0], 1);
  EXPECT_EQ(flow.savedWhoRollsFirst, 3);  // ending the match keeps who rolls first
  EXPECT_EQ(items, std::vector<std::string>{"3/3 End Tournament"});
}

TEST_F(PreferencesTest, TheBoardWidthFindsItsSize) {
  struct Row {
    const char* value;
    int width;
    int index;
  };
  // Sizes 424, 550, ..., 1180; the fallback 1180.
  const Row rows[] = {{"0", 1180, 7},   {"422", 424, 1},  {"421", 1180, 7}, {"2000", 1180, 7},
                      {"683", 683, 3},  {"669", 669, 3},  {"668", 668, 0},  {"613", 613, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.value);
    firstStart();
    applyPrefBoardWidth(r.value);
    EXPECT_EQ(display.boardWidth, r.width);
    EXPECT_EQ(shellWindow.boardSizeIndex, r.index);
  }
  firstStart();
  display.boardColor = kPictureBoard;
  applyPrefBoardWidth("683");
  EXPECT_EQ(shellWindow.boardSizeIndex, 6);  // the picture board keeps its size
}

TEST_F(PreferencesTest, TheWindowRectangleIsUsedOnlyWhenItFitsTheScreen) {
  struct Row {
    const char* what;
    int x1, y1, x2, y2;
    bool kept;
  };
  // Screen 1280 x 1024, menu bar 22 and title bar 20, board 1054 wide.
  const Row rows[] = {
      {"fits", 10, 60, 1100, 900, true},
      {"right edge at the limit", 10, 60, 1330, 900, true},
      {"right edge past it", 10, 60, 1331, 900, false},
      {"left edge at the limit", -10, 60, 1100, 900, true},
      {"left edge past it", -11, 60, 1100, 900, false},
      {"bottom at the limit", 10, 60, 1100, 1028, true},
      {"bottom past it", 10, 60, 1100, 1029, false},
      {"top at the limit", 10, 44, 1100, 900, true},
      {"top under the menu bar", 10, 43, 1100, 900, false},
      {"as wide as the board", 10, 60, 1064, 900, true},
      {"40 narrower than the board", 10, 60, 1024, 900, false},
      {"as tall as the screen", 10, 0 + 44, 1100, 1028 + 0, true},
      {"taller than the screen", 10, 44, 1100, 1069, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    firstStart();
    windowPlacement.windowX1 = static_cast<int16_t>(r.x1);
    windowPlacement.windowY1 = static_cast<int16_t>(r.y1);
    windowPlacement.windowX2 = static_cast<int16_t>(r.x2);
    windowPlacement.windowY2 = static_cast<int16_t>(r.y2);
    validateWindowRect();
    EXPECT_EQ(windowPlacement.windowX2, r.kept ? r.x2 : 0);
    EXPECT_EQ(windowPlacement.windowY2, r.y2);  // only the right edge is cleared
  }
  firstStart();
  display.boardWidth = 400;
  validateWindowRect();
  EXPECT_EQ(display.boardWidth, 1180);
  EXPECT_EQ(shellWindow.boardSizeIndex, kBoardSizeHighest);
}

TEST(FieldList, NumbersAreTakenOneBlankSeparatedFieldAtATime) {
  struct Row {
    const char* text;
    int16_t start;
    std::vector<int32_t> values;
    std::vector<int16_t> positions;
  };
  const Row rows[] = {
      {"12 34", 1, {12, 34, 0}, {4, 6, 6}},
      {"  7", 1, {0, 7}, {3, 4}},
      {"-5 9", 1, {-5, 9}, {4, 5}},
      {"000000000000012xxxx 1", 1, {12, 1}, {21, 22}},
      {"SCORES 12", 8, {12, 0, 0}, {10, 10, 10}},
      {"7", 1, {7, 7 - 7, 0}, {2, 2, 2}},
      {"&H1F 0x10", 1, {31, 16}, {6, 10}},
      {"", 1, {0}, {1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    int16_t at = r.start;
    for (std::size_t i = 0; i < r.values.size(); ++i) {
      EXPECT_EQ(parseFieldList(at, r.text), r.values[i]) << i;
      EXPECT_EQ(at, r.positions[i]) << i;
    }
  }
}

TEST(FileServices, ExistenceAndTheDiskErrorAlert) {
  resetProgramState();
  EXPECT_EQ(makeFSSpec(std::filesystem::temp_directory_path() / "no such preferences file"), 0);
  const auto self = std::filesystem::temp_directory_path() / ("bg-fsspec-" + std::to_string(::getpid()));
  writeBytes(self, "x");
  EXPECT_EQ(makeFSSpec(self), -1);
  std::filesystem::remove(self);
  static int shown = 0;
  shown = 0;
  turnServices.showInformation = [](std::string_view text) {
    ++shown;
    EXPECT_EQ(text, "disk error");
  };
  diskErrorAlert(3 * 256 + kFileErrorPastEnd);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(storage.fileError, 0);
  diskErrorAlert(3 * 256 + kFileErrorReadFailed);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(storage.fileError, -1);
  resetProgramState();
}

}  // namespace
}  // namespace bg::testing
