#include "shell/menu_marks.h"

#include <cmath>

#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "computer/personalities.h"
#include "flow/sessions.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "runtime/qt/menus.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/radio_groups.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/program_state.h"
#include "state/settings.h"

namespace bg {

MenuBars menuBars;
BG_RESETS_WITH_PROGRAM(menuBars);

namespace {

constexpr int16_t kMainBar = 129;
constexpr int16_t kHiddenBar = 130;
constexpr int16_t kSubmenuBar = 227;
constexpr int16_t kFrameMenu = 22;
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
  // The tournament item's text has one home, beside the command that changes it.
  setMenuItemText(kGameMenu, kTournamentItem, kStartTournamentText);
  menuBars.mainMenuBar = loadMenuBarList(kMainBar);
  menuBars.hiddenMenuBar = loadMenuBarList(kHiddenBar);
  menuBars.submenuBar = loadMenuBarList(kSubmenuBar);
  // No help text shows yet: nothing to print.
  setMenuItemEnabled(kPrintMenu, kPrintHelpTextItem, false);
  markSettingsMenus();
  markOptionsMenus();
  markSkillLevelMenus();
  markOpponentModeItems();
}

void markSettingsMenus() {
  setMenuItemState(kSettingsMenu, kComputerOnlySettingItem, menuMarks.inputDiceMark, "");
  setMenuItemState(kSettingsMenu, kFastPlayItem, menuMarks.fastPlayMark, "");
  insertAndMark(kPieceShapeMenu, displaySettings.pieceShapeApplied);
  insertAndMark(kPieceSpeedMenu, displaySettings.pieceSpeed);
  insertAndMark(kVoiceMenu, 0);
  // The first start names the second voice item.
  setMenuItemState(kVoiceMenu, speechChannel.voiceIndex + 1, kItemChecked, "MacinTalk1");
  insertAndMark(14, 0);
  insertAndMark(kBoardColourMenu, display.boardColor);
  insertAndMark(23, 0);
  insertAndMark(kFrameMenu, static_cast<int16_t>(boardState.boardFrameDesign + 1));
  insertAndMark(25, 0);
  insertAndMark(kSoundMenu, 0);
  setMenuItemState(kSoundMenu, static_cast<int16_t>(settings.soundOptions.soundLevel + 1), kItemEnabled, "");
}

void markOptionsMenus() {
  setMenuItemState(kOptionsMenu, kCubeUsedItem, menuMarks.cubeUsedMark, "");
  setMenuItemState(kOptionsMenu, kJacobyItem, menuMarks.jacobyRuleMark, "");
  setMenuItemState(kOptionsMenu, kBeaverItem, menuMarks.beaverAllowedMark, "");
  setMenuItemState(kOptionsMenu, kComputerOnlyOptionItem, menuMarks.acceptDoublesMark, "");
  setMenuItemState(kOptionsMenu, kRollOverItem, options.rollOverItemState, "");
  insertAndMark(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1));
  insertAndMark(kCubeMaximumMenu, static_cast<int16_t>(std::log2(cube.cubeMaximum > 0 ? cube.cubeMaximum : 1)));
}

// One rule for every mode: against the computer checks item 12, any other mode item 13
// (the submenu installation uses the same rule, so a mode of 2 never leaves both clear).
void markOpponentModeItems() {
  const bool againstComputer = flow.opponentMode == kHumanAgainstComputer;
  setMenuItemState(kGameMenu, kComputerOpponentItem, againstComputer ? kItemChecked : kItemEnabled, "");
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
