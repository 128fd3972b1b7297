#include "shell/menu_marks.h"

#include <cmath>

#include "computer/personalities.h"
#include "display/board_state.h"
#include "display/display_settings.h"
#include "runtime/qt/menus.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/shell_stand_ins.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/program_state.h"
#include "state/settings.h"

namespace bg {

MenuBars menuBars;
BG_RESETS_WITH_PROGRAM(menuBars);

namespace {

constexpr int16_t kMainBar = 129;
constexpr int16_t kHiddenBar = 130;
constexpr int16_t kSubmenuBar = 227;
constexpr int16_t kGameMenu = 3;
constexpr int16_t kInfoMenu = 4;
constexpr int16_t kOptionsMenu = 5;
constexpr int16_t kSettingsMenu = 8;
constexpr int16_t kHelpMenu = 10;
constexpr int16_t kAutoDoubleMenu = 11;
constexpr int16_t kPieceSpeedMenu = 12;
constexpr int16_t kVoiceMenu = 13;
constexpr int16_t kBoardColourMenu = 15;
constexpr int16_t kPieceShapeMenu = 20;
constexpr int16_t kCubeMaximumMenu = 21;
constexpr int16_t kFrameMenu = 22;
constexpr int16_t kSoundLevelMenu = 24;
constexpr int16_t kInsertAsSubmenu = -2;
constexpr int16_t kAgainstComputerItem = 12;
constexpr int16_t kTwoPlayersItem = 13;
constexpr int16_t kHumanAgainstComputer = 1;

// Every menu the program numbers; the bars choose which of them show.
constexpr int16_t kMenuNumbers[] = {127, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14,
                                    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};

// The Help items copied into the Info menu, in order, each after the Info item before it.
constexpr int16_t kMergedHelpItems[] = {1, 2, 9, 3, 4, 5, 6, 7};
constexpr int16_t kFirstMergedAfter = 16;
constexpr const char* kMergeSeparator = "(-------------";

void insertAndMark(int16_t menu, int16_t checkedItem) {
  setMenuItemState(menu, kInsertAsSubmenu, kItemEnabled, "");
  if (checkedItem > 0) checkMenuItemOnly(menu, checkedItem);
}

}  // namespace

void loadMenuBars() {
  for (int16_t m : kMenuNumbers) loadMenu(m);
  menuBars.mainMenuBar = loadMenuBarList(kMainBar);
  menuBars.hiddenMenuBar = loadMenuBarList(kHiddenBar);
  menuBars.submenuBar = loadMenuBarList(kSubmenuBar);
  markSettingsMenus();
  markOptionsMenus();
  markSkillLevelMenus();
  markOpponentModeItems();
}

void markSettingsMenus() {
  setMenuItemState(kSettingsMenu, 8, menuMarks.inputDiceMark, "");
  setMenuItemState(kSettingsMenu, 20, menuMarks.fastPlayMark, "");
  insertAndMark(kPieceShapeMenu, displaySettings.pieceShapeApplied);
  insertAndMark(kPieceSpeedMenu, displaySettings.pieceSpeed);
  insertAndMark(kVoiceMenu, 0);
  // The first start names the second voice item.
  setMenuItemState(kVoiceMenu, shellSettings.voiceIndex + 1, kItemChecked, "MacinTalk1");
  insertAndMark(14, 0);
  insertAndMark(kBoardColourMenu, display.boardColor);
  insertAndMark(23, 0);
  insertAndMark(kFrameMenu, static_cast<int16_t>(boardState.boardFrameDesign + 1));
  insertAndMark(25, 0);
  insertAndMark(kSoundLevelMenu, 0);
  setMenuItemState(kSoundLevelMenu, static_cast<int16_t>(settings.soundOptions.soundLevel + 1), kItemEnabled, "");
}

void markOptionsMenus() {
  setMenuItemState(kOptionsMenu, 1, menuMarks.cubeUsedMark, "");
  setMenuItemState(kOptionsMenu, 5, menuMarks.jacobyRuleMark, "");
  setMenuItemState(kOptionsMenu, 4, menuMarks.beaverAllowedMark, "");
  setMenuItemState(kOptionsMenu, 6, menuMarks.acceptDoublesMark, "");
  setMenuItemState(kOptionsMenu, 7, menuMarks.rollOverMark, "");
  insertAndMark(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1));
  insertAndMark(kCubeMaximumMenu, static_cast<int16_t>(std::log2(cube.cubeMaximum > 0 ? cube.cubeMaximum : 1)));
}

// One rule for every mode: against the computer checks item 12, any other mode item 13
// (the submenu installation uses the same rule, so a mode of 2 never leaves both clear).
void markOpponentModeItems() {
  const bool againstComputer = flow.opponentMode == kHumanAgainstComputer;
  setMenuItemState(kGameMenu, kAgainstComputerItem, againstComputer ? kItemChecked : kItemEnabled, "");
  setMenuItemState(kGameMenu, kTwoPlayersItem, againstComputer ? kItemEnabled : kItemChecked, "");
}

void mergeHelpMenuIntoInfoMenu() {
  loadMenu(kHelpMenu);
  appendMenuItem(kInfoMenu, kMergeSeparator);
  int16_t after = kFirstMergedAfter;
  for (int16_t helpItem : kMergedHelpItems) {
    insertMenuItem(kInfoMenu, after, menuItemText(kHelpMenu, helpItem));
    ++after;
  }
  removeMenuFromBar(kHelpMenu);
  auto& bar = menuBars.mainMenuBar;
  std::erase(bar, kHelpMenu);
}

}  // namespace bg
