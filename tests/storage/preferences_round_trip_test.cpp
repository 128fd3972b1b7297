// Settings drawn at random within what the program can hold, written by the real writer
// and read by the real reader into a fresh program: every setting comes back as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <tuple>

#include "computer/personalities.h"
#include "runtime/core/files.h"
#include "state/app_constants.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/fast_play_saved.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/preferences_file.h"
#include "storage_fixture.h"

namespace bg::testing {
namespace {

class Draw {
 public:
  explicit Draw(unsigned seed) : gen_(seed) {}
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(gen_); }
  int16_t flag() { return pick(0, 1) != 0 ? int16_t{-1} : int16_t{0}; }
  uint8_t byteFlag() { return pick(0, 1) != 0 ? uint8_t{255} : uint8_t{0}; }
  // Text as a person types it: letters, digits, blanks inside, commas, tabs, accents; never
  // a line end, never a blank first (the reader takes the blanks after a key as its end).
  std::string text(std::size_t longest) {
    static const std::string kPieces[] = {"a", "Z", "7", " ", ",", "\t", "\xC3\xA9", "\xE2\x82\xAC", "/", "."};
    std::string s;
    const std::size_t wanted = static_cast<std::size_t>(pick(0, static_cast<int>(longest)));
    while (true) {
      const std::string& piece = kPieces[pick(0, 9)];
      if (s.size() + piece.size() > wanted) break;
      if (s.empty() && piece == " ") continue;
      s += piece;
    }
    return s;
  }

 private:
  std::mt19937 gen_;
};

// Every value the file carries, read from where the program keeps it.
auto settingsNow() {
  const PlayerRecords& P = players;
  return std::make_tuple(
      std::make_tuple(displaySettings.rowNumbersShown, options.selectOneOnly, settings.inputDice,
                      settings.soundOptions.diceSoundOn, settings.longDiceSound, settings.soundOptions.soundOn,
                      settings.soundOptions.soundLevel, displaySettings.pieceSize, skill.skillLevel, skill.personality,
                      cube.cubeUsed, cube.autoDoubleMax, cube.beaverAllowed, cube.acceptDoubles),
      std::make_tuple(options.rollOverOnce, cube.jacobyRule, cube.crawfordRule, settings.backgammonAllowed,
                      settings.rerollFirstRoll, settings.whoRollsFirst, options.autoConcessions,
                      displaySettings.pieceSpeed, options.clickAfterHumanMove, options.clickAfterComputerMove,
                      settings.automaticRolls, options.autoPass, options.easyMoves, options.autoMoves),
      std::make_tuple(displaySettings.pieceShapeApplied, displaySettings.playDirection, display.playerColors[0],
                      display.playerColors[1], displaySettings.customColorsFileName.str(), display.boardColor,
                      boardState.boardFrameDesign, speech.voiceName.str(), options.speakHumanDice,
                      options.speakComputerDice, options.shortDiceMessage, settings.display4OnDoubles,
                      displaySettings.solidPieceColors, options.rightMouseActionP),
      std::make_tuple(options.rightMouseActionNP, shell.saveGameOnExit, storage.loadGameOnStartup,
                      shell.savedGameName.str(), storage.gameWasSaved, shellFlags.fastPlay,
                      displaySettings.showPossibleMoves, cube.cubeMaximum, P.playerRecords[1], P.playerRecords[2],
                      P.playerRecords[3], P.playerRecords[4], P.activePlayers, shell.playerNames[0].str()),
      std::make_tuple(shell.playerNames[1].str(), options.showPipCounts, shell.languageName.str(),
                      flow.tournamentGoing, flow.tournamentPoints, flow.crawfordRestrictions[0] != 0,
                      flow.crawfordRestrictions[1] != 0, flow.moneySessionActive, shell.moneySessionGoing,
                      options.wagerAmount, options.wagerCurrency.str(), options.wagerSymbol.str(),
                      options.wagerSymbolLocation, flow.scores[0]),
      flow.scores[1]);
}

// The person's own options kept while Fast Play is on.
auto fastPlayKeptNow() {
  const FastPlaySaved& s = fastPlaySaved;
  return std::make_tuple(s.pieceSpeed, s.clickAfterHumanMove, s.clickAfterComputerMove, s.autoPass,
                         s.autoEnterFromBarOn, s.autoBearOffOn, s.autoPlayForHumanOn, s.autoPlayForcedOn, s.autoMoves,
                         s.soundOn, s.automaticRolls, s.speechOn, s.voiceIndex, s.savedMarker);
}

void drawSettings(Draw& d) {
  displaySettings.rowNumbersShown = d.flag();
  options.selectOneOnly = d.flag();
  settings.inputDice = d.flag();
  settings.soundOptions.diceSoundOn = d.byteFlag();
  settings.longDiceSound = d.flag();
  settings.soundOptions.soundOn = d.byteFlag();
  settings.soundOptions.soundLevel = static_cast<int16_t>(d.pick(1, 10));
  displaySettings.pieceSize = static_cast<int16_t>(d.pick(0, 6));
  skill.skillLevel = static_cast<int16_t>(d.pick(1, kHighestSkillLevel));
  skill.personality = static_cast<int16_t>(d.pick(1, 3));
  cube.cubeUsed = d.flag();
  cube.autoDoubleMax = static_cast<int16_t>(d.pick(0, 8));
  cube.beaverAllowed = d.flag();
  cube.acceptDoubles = d.flag();
  options.rollOverOnce = d.flag();
  cube.jacobyRule = d.flag();
  cube.crawfordRule = d.byteFlag();
  settings.backgammonAllowed = d.byteFlag();
  settings.rerollFirstRoll = d.byteFlag();
  settings.whoRollsFirst = static_cast<int16_t>(d.pick(1, 5));
  options.autoConcessions = d.flag();
  displaySettings.pieceSpeed = static_cast<int16_t>(d.pick(1, 11));
  options.clickAfterHumanMove = d.byteFlag();
  options.clickAfterComputerMove = d.byteFlag();
  settings.automaticRolls = d.flag();
  options.autoPass = d.byteFlag();
  options.easyMoves = d.flag();
  options.autoMoves = static_cast<uint8_t>(d.pick(0, 15));
  displaySettings.pieceShapeApplied = static_cast<int16_t>(d.pick(1, 8));
  displaySettings.playDirection = static_cast<int16_t>(d.pick(0, 1));
  display.playerColors[0] = static_cast<int16_t>(d.pick(0, 1));
  display.playerColors[1] = static_cast<int16_t>(1 - display.playerColors[0]);
  // A path chosen in a deep folder is longer than any line of settings.
  displaySettings.customColorsFileName.assign(d.pick(0, 1) != 0 ? "/home/ann/" + d.text(600) : d.text(40));
  display.boardColor = static_cast<int16_t>(d.pick(1, 16));
  boardState.boardFrameDesign = boardState.frameDesignChoice = static_cast<int16_t>(d.pick(0, 8));
  speech.voiceName.assign(d.text(60));
  options.speakHumanDice = d.flag();
  options.speakComputerDice = d.flag();
  options.shortDiceMessage = d.flag();
  settings.display4OnDoubles = d.flag();
  displaySettings.solidPieceColors = d.flag();
  options.rightMouseActionP = static_cast<int16_t>(kRightClickCentre + d.pick(0, 1));
  options.rightMouseActionNP = static_cast<int16_t>(kRightClickTakesBack - d.pick(0, 1));
  shell.saveGameOnExit = d.flag();
  storage.loadGameOnStartup = d.flag();
  // The saved game's name is remembered for the next start only while it is to be resumed.
  shell.savedGameName.assign(storage.loadGameOnStartup != 0 ? "/home/ann/" + d.text(600) : "");
  storage.gameWasSaved = shell.savedGameName.empty() ? int16_t{0} : int16_t{-1};
  shellFlags.fastPlay = d.pick(0, 1) != 0 ? kFastPlayOn : uint8_t{0};
  if (shellFlags.fastPlay != 0) {
    FastPlaySaved& s = fastPlaySaved;
    s.pieceSpeed = static_cast<int16_t>(d.pick(1, 11));
    for (uint8_t* flag : {&s.clickAfterHumanMove, &s.clickAfterComputerMove, &s.autoPass, &s.autoEnterFromBarOn,
                          &s.autoBearOffOn, &s.autoPlayForHumanOn, &s.autoPlayForcedOn, &s.soundOn,
                          &s.automaticRolls, &s.speechOn})
      *flag = d.byteFlag();
    s.autoMoves = static_cast<int16_t>(d.pick(0, 15));
    s.voiceIndex = static_cast<int16_t>(d.pick(1, 30));
    s.savedMarker = 255;
  }
  displaySettings.showPossibleMoves = d.flag();
  cube.cubeMaximum = static_cast<int16_t>(2 << d.pick(0, 5));
  for (long r = 1; r <= 4; ++r) {
    PlayerRecord& rec = players.playerRecords[r];
    rec.firstName.assign(d.text(40));
    rec.secondName.assign(d.text(40));
    // A record without names is not kept, nor are its counts.
    const bool kept = !rec.firstName.empty() || !rec.secondName.empty();
    for (long c = 0; c < 22; ++c) rec.counters[c] = kept ? static_cast<int16_t>(d.pick(-32768, 32767)) : int16_t{0};
    for (long s = 0; s <= 1; ++s) rec.pipsRolled[s] = kept ? d.pick(-2000000000, 2000000000) : 0;
  }
  // Record 1 comes back named at every start.
  if (players.playerRecords[1].firstName.empty() && players.playerRecords[1].secondName.empty())
    players.playerRecords[1].secondName = "No Name";
  players.activePlayers = static_cast<int16_t>(d.pick(1, 4));
  const PlayerRecord& active = players.playerRecords[players.activePlayers];
  shell.playerNames[0] = active.secondName.view();
  shell.playerNames[1] = active.firstName.view();
  options.showPipCounts = d.flag();
  shell.languageName.assign(d.text(40));
  const int session = d.pick(0, 2);  // none, a match, a money session
  flow.tournamentGoing = session == 1 ? 255 : 0;
  flow.tournamentPoints = session == 1 ? static_cast<int16_t>(d.pick(1, 25)) : int16_t{0};
  for (long s = 0; s <= 1; ++s) flow.crawfordRestrictions[s] = session == 1 ? d.flag() : int16_t{0};
  flow.moneySessionActive = session == 2 ? 255 : 0;
  shell.moneySessionGoing = static_cast<int16_t>(d.pick(0, 999));
  if (session != 2) shell.moneySessionGoing = 999;  // what a fresh program holds
  options.wagerAmount = static_cast<int16_t>(d.pick(0, 32767));
  options.wagerCurrency.assign(d.text(40));
  options.wagerSymbol.assign(d.text(40));
  options.wagerSymbolLocation = static_cast<int16_t>(d.pick(12, 13));
  for (long s = 0; s <= 1; ++s) flow.scores[s] = d.pick(-100000, 100000);
}

class PreferencesRoundTrip : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    ASSERT_TRUE(setPreferencesFolder(folder_ / "config"));
  }
  void TearDown() override {
    setPreferencesFolder({});
    StorageTest::TearDown();
  }
  // What the program holds at a start before its preferences are read.
  static void programStart() {
    appConstants.programName = "Tavrik's Backgammon";
    appConstants.versionText = "6.4";
    storage.prefsVersion = "6.4";
    shell.moneySessionGoing = 999;
    players.playerRecords[1].firstName = "Computer";
    players.playerRecords[1].secondName = "No Name";
  }
};

TEST_F(PreferencesRoundTrip, RandomSettingsComeBackAsTheyWereWritten) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    freshProgram();
    programStart();
    Draw d(seed);
    drawSettings(d);
    const auto written = settingsNow();
    const auto keptWritten = fastPlayKeptNow();
    ASSERT_EQ(writePreferences(), "");
    const std::string first = fileBytes(preferencesPath());

    freshProgram();
    programStart();
    loadPreferences();
    EXPECT_EQ(storage.prefsUnreadable, 0);
    const auto read = settingsNow();
    EXPECT_TRUE(std::get<0>(read) == std::get<0>(written));
    EXPECT_TRUE(std::get<1>(read) == std::get<1>(written));
    EXPECT_TRUE(std::get<2>(read) == std::get<2>(written));
    EXPECT_TRUE(std::get<3>(read) == std::get<3>(written));
    EXPECT_TRUE(std::get<4>(read) == std::get<4>(written));
    EXPECT_EQ(std::get<5>(read), std::get<5>(written));
    EXPECT_TRUE(fastPlayKeptNow() == keptWritten);
    // Written again, nothing changes.
    ASSERT_EQ(writePreferences(), "");
    EXPECT_EQ(fileBytes(preferencesPath()), first);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace bg::testing
