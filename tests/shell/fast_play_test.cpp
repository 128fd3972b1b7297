// Fast Play through its menu item: the fast options come in with their marks, and going
// out gives back the user's own options and the menus exactly as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_services.h"
#include "audio/speech.h"
#include "state/display_settings.h"
#include "runtime/core/files.h"
#include "display/board_rebuild.h"
#include "flow/game_loop.h"
#include "flow/turn.h"
#include "interaction/interaction_install.h"
#include "shell/fast_play.h"
#include "shell/option_toggles.h"
#include "shell/quit_game.h"
#include "shell/submenus.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "state/play_options.h"
#include "state/quit_services.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"
#include "storage/preference_appliers.h"
#include "shell/started_program.h"
#include "support/position_text.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

// The fourteen options Fast Play keeps, as the game reads them.
std::vector<long> keptOptions() {
  return {displaySettings.pieceSpeed,       options.clickAfterHumanMove, options.clickAfterComputerMove,
          options.autoPass,                 options.autoEnterFromBarOn,  options.autoBearOffOn,
          options.autoPlayForHumanOn,       options.autoPlayForcedOn,    options.autoMoves,
          settings.soundOptions.soundOn,    settings.automaticRolls,     speech.speechOn,
          speechChannel.voiceIndex,         settings.soundOptions.soundLevel};
}

struct UserOptions {
  int16_t speed;
  uint8_t human, computer, pass;
  int16_t bar, bearOff, forHuman, forced;
  uint8_t mask, sound;
  int16_t rolls, cubeUsed, voice;
};

void setUserOptions(const UserOptions& u) {
  displaySettings.pieceSpeed = u.speed;
  options.clickAfterHumanMove = u.human;
  options.clickAfterComputerMove = u.computer;
  options.autoPass = u.pass;
  options.autoEnterFromBarOn = u.bar;
  options.autoBearOffOn = u.bearOff;
  options.autoPlayForHumanOn = u.forHuman;
  options.autoPlayForcedOn = u.forced;
  options.autoMoves = u.mask;
  settings.soundOptions.soundOn = u.sound;
  settings.automaticRolls = u.rolls;
  cube.cubeUsed = u.cubeUsed;
  speechChannel.pendingVoiceIndex = u.voice;
  applyVoiceChoice();
}

class FastPlay : public testing::StartedProgram {};

TEST_F(FastPlay, OnThenOffGivesBackEveryKeptOptionAndTheMenusAsTheyWere) {
  answerLargeBoxes();
  const UserOptions rows[] = {
      {6, 255, 0, 0, 0, -1, 0, -1, 10, 255, 0, -1, 2},    // cube on: the rolls stay as they are
      {9, 0, 255, 255, -1, 0, -1, 0, 5, 0, -1, 0, 1},     // cube off, rolls on, sound and speech off
      {1, 255, 255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 2},      // cube off, rolls off
      {11, 0, 0, 255, -1, -1, -1, -1, 15, 0, 0, -1, 1},   // already the fast values but the rolls
  };
  for (const UserOptions& u : rows) {
    setUserOptions(u);
    installSubmenus();
    const std::vector<long> before = keptOptions();
    const std::string menusBefore = testing::menuSnapshot();

    choose(8, 20);
    ASSERT_EQ(shellFlags.fastPlay, kFastPlayOn);
    EXPECT_EQ(displaySettings.pieceSpeed, kFastPieceSpeed);
    EXPECT_EQ(options.clickAfterHumanMove + options.clickAfterComputerMove, 0);
    EXPECT_EQ(options.autoPass, 255);
    EXPECT_EQ(options.autoMoves, 15);
    EXPECT_EQ(options.autoEnterFromBarOn + options.autoBearOffOn + options.autoPlayForHumanOn +
                  options.autoPlayForcedOn, -4);
    EXPECT_EQ(settings.automaticRolls, u.cubeUsed == 0 ? -1 : u.rolls);
    EXPECT_EQ(settings.soundOptions.soundOn + speech.speechOn, 0);
    EXPECT_EQ(speechChannel.voiceIndex, kSpeechOffItem);
    // Every option Fast Play changed shows its new state in its menu.
    EXPECT_TRUE(menuItemChecked(12, kFastPieceSpeed));
    EXPECT_TRUE(menuItemChecked(8, 10));
    EXPECT_EQ(menuItemChecked(8, 9), settings.automaticRolls != 0);
    EXPECT_TRUE(menuItemChecked(24, 1));
    EXPECT_TRUE(menuItemChecked(13, 1));
    EXPECT_TRUE(menuItemChecked(8, 20));
    installSubmenus();
    const std::string fastMenus = testing::menuSnapshot();

    choose(8, 20);
    EXPECT_EQ(shellFlags.fastPlay, 0);
    EXPECT_EQ(keptOptions(), before);
    EXPECT_EQ(testing::menuSnapshot(), menusBefore);
    installSubmenus();  // the marks were already in line
    EXPECT_EQ(testing::menuSnapshot(), menusBefore);
    EXPECT_NE(fastMenus, menusBefore);
  }
  EXPECT_EQ(boxesAnswered, 4);
}

TEST_F(FastPlay, AutomaticRollsAreNotGivenBackOnceTheCubeCameOn) {
  answerLargeBoxes();
  setUserOptions({7, 0, 0, 0, 0, 0, 0, 0, 0, 255, -1, 0, 1});
  choose(8, 20);
  choose(5, 1);  // the cube comes on and takes the automatic rolls with it
  ASSERT_EQ(cube.cubeUsed, -1);
  ASSERT_EQ(settings.automaticRolls, 0);
  choose(8, 20);
  EXPECT_EQ(settings.automaticRolls, 0);
  EXPECT_FALSE(menuItemChecked(8, 9));
  EXPECT_EQ(displaySettings.pieceSpeed, 7);
  EXPECT_TRUE(menuItemChecked(12, 7));
}

TEST_F(FastPlay, FastPlayFromThePreferencesOnlyClearsItsFlagWhenTurnedOff) {
  setUserOptions({11, 0, 0, 255, -1, -1, -1, -1, 15, 0, -1, 0, 1});
  shellFlags.fastPlay = kFastPlayOn;
  installSubmenus();
  const std::vector<long> before = keptOptions();
  choose(8, 20);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(keptOptions(), before);
  EXPECT_FALSE(menuItemChecked(8, 20));
  // A second leave restores nothing either.
  leaveFastPlay();
  EXPECT_EQ(keptOptions(), before);
}

TEST_F(FastPlay, TheLastKeptOptionsComeBackEachTimeFastPlayIsLeft) {
  answerLargeBoxes();
  setUserOptions({8, 255, 0, 0, 0, 0, 0, -1, 8, 255, 0, -1, 2});
  choose(8, 20);
  choose(8, 20);
  const std::vector<long> mine = keptOptions();
  setUserOptions({3, 0, 255, 255, -1, 0, 0, 0, 1, 0, 0, -1, 1});
  shellFlags.fastPlay = 0;
  leaveFastPlay();  // the record keeps its marker: the first user's options again
  EXPECT_EQ(keptOptions(), mine);
}

// Fast Play chosen while the person's roll waits, the cube off (automatic rolls come on) and
// then turned on through its menu (they go off): the roll still waits for a click on the
// dice, so that the person may double first.
TEST_F(FastPlay, TheCubeTurnedOnUnderFastPlayLeavesThePersonsRollToAClick) {
  installFlowServices();
  installDisplayServices();
  installInteractionServices();
  setMouseVector(mouseEventHook);
  testing::MouseScript script;
  testing::pumpWithScript(script, 3000);
  answerLargeBoxes();
  setUserOptions({7, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 1});
  testing::personToPlay("start | side 1");  // the computer moved last: the turn is the person's
  position.playerType = {{{kHumanPlayer, kComputerPlayer}}};
  diceState.diceShowing = 0;
  for (DiceEntry& d : diceState.dice) d.value = 0;
  redrawBoardWindow();
  int step = 0;
  script.planner = [&script, &step] {
    if (flow.rollClickWaitActive != -1) {
      if (diceState.diceShowing != 0) flow.abortTurn = kLeaveTurn;  // thrown without a click
      return;
    }
    if (step == 0) script.then([] { chooseMenuItem(kSettingsMenu, kFastPlayItem), FBHandleEvents(); });
    if (step == 1) script.then([] { chooseMenuItem(kOptionsMenu, kCubeUsedItem), FBHandleEvents(); });
    if (++step > 4) flow.abortTurn = kLeaveTurn;
  };
  flow.abortTurn = 0;
  playTurn();
  testing::pumpingScript() = nullptr;
  setMouseVector(nullptr);
  ASSERT_EQ(shellFlags.fastPlay, kFastPlayOn);
  ASSERT_EQ(cube.cubeUsed, -1);
  EXPECT_EQ(settings.automaticRolls, 0);
  EXPECT_EQ(notices, std::vector<std::string>{std::string(kAutoRollsTurnedOffText)});
  EXPECT_EQ(diceState.diceShowing, 0) << "the dice were thrown without a click";
  EXPECT_GT(step, 4);
}

// The options kept by an earlier run may name a voice item this run's menu lacks: leaving
// Fast Play then turns speech off rather than ask for a voice that is not there.
TEST_F(FastPlay, AKeptVoiceThisRunDoesNotListLeavesSpeechOff) {
  audioServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  applyPrefFastPlay("-1");
  applyPrefFastPlaySaved("6 -1 0 0 0 -1 0 -1 10 -1 0 -1 9");
  choose(8, 20);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(displaySettings.pieceSpeed, 6);
  EXPECT_EQ(speechChannel.voiceIndex, kSpeechOffItem);
  EXPECT_TRUE(notices.empty());
}

// Quit with Fast Play on: the next start has it on, and turning it off then gives back the
// person's own options from before it was turned on, not Fast Play's.
TEST_F(FastPlay, TheOptionsKeptAtAQuitComeBackWhenItIsTurnedOffAfterTheNextStart) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bg-fast-play-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  const auto ownFolders = [&folder] {
    ASSERT_TRUE(setDataFolder(folder / "data"));
    ASSERT_TRUE(setPreferencesFolder(folder / "config"));
  };
  ownFolders();
  answerLargeBoxes();
  setUserOptions({6, 255, 0, 0, 0, -1, 0, -1, 10, 255, 0, -1, 2});
  installSubmenus();
  const std::vector<long> mine = keptOptions();
  choose(8, 20);
  quitServices.endProcess = [](int) {};
  quitGame();

  releaseEveryWindow();
  testing::startRuntime();
  ownFolders();
  testing::startShell();
  ASSERT_EQ(shellFlags.fastPlay, kFastPlayOn);
  EXPECT_EQ(displaySettings.pieceSpeed, kFastPieceSpeed);
  EXPECT_EQ(settings.soundOptions.soundOn, 0);
  choose(8, 20);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(keptOptions(), mine);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace bg
