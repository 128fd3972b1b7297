// The submenu installation after a real start-up: each submenu hangs in its host with the
// mark of its setting, the check-only marks follow their options, and installing again
// changes nothing.
#include <gtest/gtest.h>

#include <functional>

#include "audio/speech.h"
#include "computer/personalities.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "shell/menu_marks.h"
#include "shell/shell_settings.h"
#include "shell/submenus.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "shell/started_program.h"

namespace bg {
namespace {

class Submenus : public testing::StartedProgram {};

// The checked items of a menu, in order.
std::vector<int16_t> checkedItems(int16_t menu) {
  std::vector<int16_t> items;
  for (int16_t i = 1; i <= menuItemCount(menu); ++i)
    if (menuItemChecked(menu, i)) items.push_back(i);
  return items;
}

TEST_F(Submenus, EachSubmenuHangsInItsHostWithTheMarkOfItsSetting) {
  const struct {
    std::function<void()> set;
    int16_t menu;
    std::vector<int16_t> checked;
  } rows[] = {
      {[] { cube.cubeMaximum = 2; }, 21, {1}},
      {[] { cube.cubeMaximum = 64; }, 21, {6}},
      {[] { cube.cubeMaximum = 48; }, 21, {5}},  // truncated, never rounded up
      {[] { cube.autoDoubleMax = 0; }, 11, {1}},
      {[] { cube.autoDoubleMax = 4; }, 11, {5}},
      {[] { settings.soundOptions = {255, 3, 0}; }, 24, {4}},
      {[] { settings.soundOptions = {0, 3, 0}; }, 24, {1}},
      {[] { skill.personality = 3; }, 25, {3}},
      {[] { displaySettings.pieceSpeed = 9; }, 12, {9}},
      {[] { displaySettings.pieceShapeApplied = 4; }, 20, {4}},
      {[] { display.boardColor = 15; }, 15, {15}},
      {[] { boardState.boardFrameDesign = 0; }, 22, {1}},
      {[] { boardState.boardFrameDesign = 8; }, 22, {9}},
      {[] { shellWindow.boardSizeIndex = 0; }, 14, {}},
      {[] { shellWindow.boardSizeIndex = 6; }, 14, {6}},
      {[] { skill.skillLevel = 2; }, 6, {2}},
      {[] { speechChannel.voiceIndex = 2; }, 13, {2}},
  };
  for (const auto& r : rows) {
    r.set();
    installSubmenus();
    EXPECT_EQ(checkedItems(r.menu), r.checked) << "menu " << r.menu;
  }
  for (int16_t m : {11, 21, 13, 24, 25, 12, 20})
    EXPECT_TRUE(submenuInserted(m)) << m;
  EXPECT_EQ(menuBarMenus(), menuBars.submenuBar);
}

TEST_F(Submenus, TheCheckOnlyMarksFollowTheirOptionsBothWays) {
  const struct {
    int16_t menu, item;
    std::function<void(bool)> set;
  } rows[] = {
      {3, 8, [](bool on) { storage.loadGameOnStartup = on ? -1 : 0; }},
      {3, 7, [](bool on) { shell.saveGameOnExit = on ? -1 : 0; }},
      {8, 12, [](bool on) { options.easyMoves = on ? -1 : 0; }},
      {8, 10, [](bool on) { options.autoPass = on ? 255 : 0; }},
      {8, 2, [](bool on) { options.selectOneOnly = on ? 0 : -1; }},
      {8, 8, [](bool on) { settings.inputDice = on ? -1 : 0; }},
      {8, 9, [](bool on) { settings.automaticRolls = on ? -1 : 0; }},
      {8, 20, [](bool on) { shellFlags.fastPlay = on ? 255 : 0; }},
      {5, 1, [](bool on) { cube.cubeUsed = on ? -1 : 0; }},
      {5, 4, [](bool on) { cube.beaverAllowed = on ? -1 : 0; }},
      {5, 5, [](bool on) { cube.jacobyRule = on ? -1 : 0; }},
      {5, 6, [](bool on) { cube.acceptDoubles = on ? -1 : 0; }},
      {5, 7, [](bool on) { options.rollOverOnce = on ? -1 : 0; }},
      {5, 8, [](bool on) { settings.backgammonAllowed = on ? 0 : 255; }},
      {5, 9, [](bool on) { settings.rerollFirstRoll = on ? 255 : 0; }},
      {5, 11, [](bool on) { options.autoConcessions = on ? -1 : 0; }},
  };
  for (bool on : {true, false, true}) {
    for (const auto& r : rows) r.set(on);
    installSubmenus();
    for (const auto& r : rows) EXPECT_EQ(menuItemChecked(r.menu, r.item), on) << r.menu << "/" << r.item;
  }
}

TEST_F(Submenus, OpponentModeAndTournamentTextAreMarked) {
  for (int16_t mode : {kComputerOpponent, kComputersOnly, kTwoPeople}) {
    flow.opponentMode = mode;
    installSubmenus();
    EXPECT_EQ(menuItemChecked(3, 12), mode == kComputerOpponent);
    EXPECT_EQ(menuItemChecked(3, 13), mode != kComputerOpponent);
    EXPECT_TRUE(menuItemEnabled(3, 12) && menuItemEnabled(3, 13));
  }
  flow.tournamentGoing = 255;
  installSubmenus();
  EXPECT_EQ(menuItemText(3, 3), "End Tournament");
  EXPECT_TRUE(menuItemEnabled(3, 3));
}

TEST_F(Submenus, InstallingTwiceGivesIdenticalMenus) {
  cube.cubeMaximum = 16;
  settings.soundOptions = {255, 7, 255};
  speechChannel.pendingVoiceIndex = 2;
  applyVoiceChoice();  // the channel is open, so the voices are appended again
  shellWindow.boardSizeIndex = 3;
  options.easyMoves = -1;
  flow.tournamentGoing = 255;
  installSubmenus();
  const std::string once = testing::menuSnapshot();
  const int16_t voices = menuItemCount(13);
  installSubmenus();
  EXPECT_EQ(testing::menuSnapshot(), once);
  EXPECT_EQ(menuItemCount(13), voices);
  EXPECT_EQ(menuItemText(13, 2), "Alex");
}

TEST_F(Submenus, WhileTheGameIsHiddenItsOwnBarStays) {
  setMenuBar(1, menuBars.hiddenMenuBar);
  shellSettings.gameShown = 0;
  cube.cubeMaximum = 4;
  installSubmenus();
  EXPECT_EQ(menuBarMenus(), menuBars.hiddenMenuBar);
  EXPECT_EQ(checkedItems(21), std::vector<int16_t>{2});
  shellSettings.gameShown = -1;  // shown again
  installSubmenus();
  EXPECT_EQ(menuBarMenus(), menuBars.submenuBar);
}

}  // namespace
}  // namespace bg
