#include "shell/submenus.h"

#include <cmath>

#include "audio/sound_effects.h"
#include "audio/speech.h"
#include "computer/personalities.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "flow/sessions.h"
#include "interaction/position_setup.h"
#include "runtime/qt/menus.h"
#include "shell/menu_marks.h"
#include "shell/shell_settings.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/storage_state.h"

namespace bg {

namespace {

constexpr int16_t kBoardWindow = 1;
constexpr int16_t kBoardSizeMenu = 14;
constexpr int16_t kFrameMenu = 22;
constexpr int16_t kSoundOffItem = 1;
constexpr uint8_t kBackgammonsCount = 255;

// Hangs the menu in its host item (pop-ups only when they have one) and checks one item;
// 0 leaves every item clear, -1 leaves the marks as they are.
void hangAndMark(int16_t menu, int16_t item) {
  insertSubmenu(menu);
  setMenuItemEnabled(menu, 0, true);
  if (item >= 0) checkMenuItemOnly(menu, item);
}

int16_t cubeMaximumItem() {
  return static_cast<int16_t>(std::trunc(std::log2(cube.cubeMaximum > 0 ? cube.cubeMaximum : 1)));
}

int16_t soundLevelItem() {
  const SoundOptions& s = settings.soundOptions;
  return s.soundOn != 0 ? static_cast<int16_t>(s.soundLevel + 1) : kSoundOffItem;
}

struct CheckOnly {
  int16_t menu, item;
  bool (*checked)();
};

// The marks no toggle sets at start-up.
constexpr CheckOnly kCheckOnly[] = {
    {kGameMenu, kLoadAtStartItem, [] { return storage.loadGameOnStartup != 0; }},
    {kGameMenu, kSaveOnExitItem, [] { return shell.saveGameOnExit != 0; }},
    {kSettingsMenu, kEasyMovesItem, [] { return options.easyMoves != 0; }},
    {kSettingsMenu, kAutoPassItem, [] { return options.autoPass != 0; }},
    {kSettingsMenu, kSelectOneOnlyItem, [] { return options.selectOneOnly != -1; }},
    {kSettingsMenu, kComputerOnlySettingItem, [] { return settings.inputDice != 0; }},
    {kSettingsMenu, kAutomaticRollsItem, [] { return settings.automaticRolls != 0; }},
    {kSettingsMenu, kFastPlayItem, [] { return shellFlags.fastPlay != 0; }},
    // No command of its own: the item shows the preference Display Settings sets.
    {kSettingsMenu, kShowPossibleMovesItem, [] { return displaySettings.showPossibleMoves != 0; }},
    {kOptionsMenu, kCubeUsedItem, [] { return cube.cubeUsed != 0; }},
    {kOptionsMenu, kBeaverItem, [] { return cube.beaverAllowed != 0; }},
    {kOptionsMenu, kJacobyItem, [] { return cube.jacobyRule != 0; }},
    {kOptionsMenu, kComputerOnlyOptionItem, [] { return cube.acceptDoubles != 0; }},
    {kOptionsMenu, kRollOverItem, [] { return options.rollOverOnce != 0; }},
    {kOptionsMenu, kBackgammonItem, [] { return settings.backgammonAllowed != kBackgammonsCount; }},
    {kOptionsMenu, kRerollItem, [] { return settings.rerollFirstRoll != 0; }},
    {kOptionsMenu, kAutoConcessionsItem, [] { return options.autoConcessions != 0; }},
};

}  // namespace

void installDisplayPopUps() {
  hangAndMark(kPieceShapeMenu, displaySettings.pieceShapeApplied);
  hangAndMark(kBoardColourMenu, display.boardColor);
  hangAndMark(kFrameMenu, static_cast<int16_t>(boardState.boardFrameDesign + 1));
  hangAndMark(kBoardSizeMenu, shellWindow.boardSizeIndex);
}

void installSubmenus() {
  // While the game is hidden its own bar stays; the marks are still brought in line.
  const bool hidden = shellSettings.gameShown == 0 && display.firstBoardBuild != -1;
  if (!hidden) setMenuBar(kBoardWindow, menuBars.submenuBar.empty() ? menuBars.mainMenuBar : menuBars.submenuBar);

  hangAndMark(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1));
  hangAndMark(kCubeMaximumMenu, cubeMaximumItem());
  // At start-up the speech set-up that follows appends the voices and marks the stored one.
  const bool starting = display.firstBoardBuild == -1;
  if (!starting) buildVoiceMenu();
  hangAndMark(kVoiceMenu, starting ? int16_t{-1} : speechChannel.voiceIndex);
  hangAndMark(kSoundMenu, soundLevelItem());
  hangAndMark(kPersonalityMenu, skill.personality);
  hangAndMark(kPieceSpeedMenu, displaySettings.pieceSpeed);

  installDisplayPopUps();

  for (const CheckOnly& c : kCheckOnly) setMenuItemChecked(c.menu, c.item, c.checked());

  markOpponentModeItems();
  checkMenuItemOnly(kSkillMenu, skill.skillLevel);
  if (flow.tournamentGoing != 0) {
    setMenuItemEnabled(kGameMenu, kTournamentItem, true);
    setMenuItemText(kGameMenu, kTournamentItem, kEndTournamentText);
  }
  keepSetupMenusOff();
}

}  // namespace bg
