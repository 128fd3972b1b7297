#include "shell/option_toggles.h"

#include <cstdint>

#include "dialogs/message_boxes.h"
#include "display/cube_display.h"
#include "state/display_settings.h"
#include "display/upper_services.h"
#include "interaction/position_setup.h"
#include "shell/radio_groups.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/fast_play.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/settings.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "state/shell_flags.h"
#include "rules/numbered_message.h"

namespace bg {

namespace {

constexpr int16_t kFastPlayBoxWidth = 435;
constexpr int16_t kFastPlayBoxHeight = 400;
constexpr int16_t kLeftJustified = 0;
constexpr std::string_view kFastPlayTitle = "Fast Play";
constexpr std::string_view kFastPlayText =
    "Fast Play sets all options and features so that play is very fast.\r\r"
    "The piece speed is set at the highest setting.\r\r"
    "The following are turned off:\r\r"
    "sound\rspeech\rclick after move settings\rany pauses added for timing purposes\r\r"
    "The following are turned on:\r\r"
    "auto pass\rauto moves settings\rauto rolls (if the cube is not being used)\r\r"
    "You can change any of these after Fast Play is selected.\r\r"
    "If you de-select (turn off) Fast Play before you quit the game, your settings will be restored to what they "
    "were before it was selected.\r\r"
    "If you quit the game with Fast Play selected, the game will start up with Fast Play selected, and turning "
    "it off then restores your settings as well.";

int16_t flipped(int16_t flag) { return flag == 0 ? int16_t{-1} : int16_t{0}; }
uint8_t flipped(uint8_t flag) { return flag == 0 ? uint8_t{255} : uint8_t{0}; }
int16_t checkFor(bool on) { return on ? kItemChecked : kItemEnabled; }
void mark(int16_t menu, int16_t item, int16_t state) { setMenuItemState(menu, item, state, ""); }

// The byte flags' state as the item shows it: backgammons are checked while NOT allowed.
int16_t backgammonState() { return static_cast<int16_t>(static_cast<int8_t>(settings.backgammonAllowed) + 2); }
int16_t acceptDoublesState() {
  return flow.opponentMode == kComputerOpponent ? checkFor(cube.acceptDoubles != 0) : kItemDisabled;
}

template <typename T>
void flipAndMark(int16_t menu, int16_t item, T& flag) {
  flag = flipped(flag);
  mark(menu, item, checkFor(flag != 0));
}

void automaticRollsOff() {
  settings.automaticRolls = 0;
  mark(kSettingsMenu, kAutomaticRollsItem, kItemEnabled);
}

}  // namespace

void toggleSaveGameOnExit() { flipAndMark(kGameMenu, kSaveOnExitItem, shell.saveGameOnExit); }
void toggleLoadGameOnStartup() { flipAndMark(kGameMenu, kLoadAtStartItem, storage.loadGameOnStartup); }
void toggleRerollFirstRoll() { flipAndMark(kOptionsMenu, kRerollItem, settings.rerollFirstRoll); }
void toggleAutoConcessions() { flipAndMark(kOptionsMenu, kAutoConcessionsItem, options.autoConcessions); }
void toggleShowPossibleMoves() {
  flipAndMark(kSettingsMenu, kShowPossibleMovesItem, displaySettings.showPossibleMoves);
}
void toggleAutoPass() { flipAndMark(kSettingsMenu, kAutoPassItem, options.autoPass); }
void toggleEasyMoves() { flipAndMark(kSettingsMenu, kEasyMovesItem, options.easyMoves); }

// The item reads "Pick Up Several Checkers": its mark shows while one checker at a time is
// off, and the preference keeps its own meaning.
void toggleSelectOneOnly() {
  options.selectOneOnly = flipped(options.selectOneOnly);
  mark(kSettingsMenu, kSelectOneOnlyItem, checkFor(options.selectOneOnly == 0));
}

void toggleJacobyRule() {
  cube.jacobyRule = flipped(cube.jacobyRule);
  menuMarks.jacobyRuleMark = static_cast<int16_t>(1 - cube.jacobyRule);
  mark(kOptionsMenu, kJacobyItem, menuMarks.jacobyRuleMark);
}

void toggleBackgammonAllowed() {
  settings.backgammonAllowed = flipped(settings.backgammonAllowed);
  mark(kOptionsMenu, kBackgammonItem, backgammonState());
}

void toggleBeaverAllowed() {
  if (cube.cubeUsed != -1) {
    showMessageText(kCubeNotUsedText);
    return;
  }
  cube.beaverAllowed = flipped(cube.beaverAllowed);
  menuMarks.beaverAllowedMark = checkFor(cube.beaverAllowed != 0);
  mark(kOptionsMenu, kBeaverItem, menuMarks.beaverAllowedMark);
}

void toggleAcceptDoubles() {
  cube.acceptDoubles = flipped(cube.acceptDoubles);
  // The computer answers doubles only when it is the opponent.
  if (flow.opponentMode != kComputerOpponent) cube.acceptDoubles = 0;
  menuMarks.acceptDoublesMark = acceptDoublesState();
  mark(kOptionsMenu, kComputerOnlyOptionItem, menuMarks.acceptDoublesMark);
}

void toggleCubeUsed() {
  if (cube.cubeUsed != 0) {
    // Beavers need the cube; the toggle still sees it on, so it turns them off.
    if (cube.beaverAllowed != 0) toggleBeaverAllowed();
    menuMarks.cubeUsedMark = kMarkOff;
    cube.cubeUsed = 0;
    if (display.firstBoardBuild != -1) {
      cube.cubeOwnerBeforeDouble = cube.cubeOwner;
      eraseCubeAtOldPlace();
    }
  } else {
    if (settings.automaticRolls != 0) {
      hook::showBoardNotice(kAutoRollsTurnedOffText);
      // Taken off for the cube, the roll waiting for the person does not go ahead by itself:
      // the person may double first.
      automaticRollsOff();
    }
    cube.cubeUsed = -1;
    menuMarks.cubeUsedMark = kMarkOn;
    drawCube();
  }
  mark(kOptionsMenu, kCubeUsedItem, menuMarks.cubeUsedMark);
}

void toggleInputDice() {
  if (flow.opponentMode == kComputersOnly) return;
  settings.inputDice = flipped(settings.inputDice);
  menuMarks.inputDiceMark = checkFor(settings.inputDice != 0);
  mark(kSettingsMenu, kComputerOnlySettingItem, menuMarks.inputDiceMark);
}

void toggleAutomaticRolls() {
  if (settings.automaticRolls != 0) {
    automaticRollsOff();
    // A roll the game waits for goes ahead.
    hook::postClickAtBoardCorner();
    return;
  }
  // The preferences may hold both; only a running game refuses.
  if (cube.cubeUsed != 0 && display.firstBoardBuild == 0) {
    hook::showBoardNotice(kAutoRollsRefusedText);
    return;
  }
  settings.automaticRolls = -1;
  // The editor's roll is chosen on its dice panel: neither is ended for one.
  if (diceState.diceShowing == 0 && !setupEditorRunning()) {
    // The next turn start flips the side back, and the waiting side rolls by itself.
    flow.abortTurn = kLeaveTurn;
    position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  }
  mark(kSettingsMenu, kAutomaticRollsItem, kItemChecked);
}

void toggleFastPlay() {
  if (shellFlags.fastPlay == 0)
    showLargeMessageContinue(kFastPlayBoxWidth, kFastPlayBoxHeight, kFastPlayTitle, kFastPlayText, kLeftJustified);
  if (shellFlags.fastPlay != 0) {
    menuMarks.fastPlayMark = kMarkOff;
    shellFlags.fastPlay = 0;
    leaveFastPlay();
  } else {
    menuMarks.fastPlayMark = kMarkOn;
    shellFlags.fastPlay = kFastPlayOn;
    enterFastPlay();
  }
  mark(kSettingsMenu, kFastPlayItem, menuMarks.fastPlayMark);
}

void markOptionItems() {
  menuMarks.cubeUsedMark = checkFor(cube.cubeUsed != 0);
  menuMarks.beaverAllowedMark = checkFor(cube.beaverAllowed != 0);
  menuMarks.jacobyRuleMark = checkFor(cube.jacobyRule != 0);
  menuMarks.acceptDoublesMark = acceptDoublesState();
  menuMarks.inputDiceMark = checkFor(settings.inputDice != 0);
  menuMarks.fastPlayMark = checkFor(shellFlags.fastPlay != 0);
  mark(kOptionsMenu, kCubeUsedItem, menuMarks.cubeUsedMark);
  mark(kOptionsMenu, kBeaverItem, menuMarks.beaverAllowedMark);
  mark(kOptionsMenu, kJacobyItem, menuMarks.jacobyRuleMark);
  mark(kOptionsMenu, kComputerOnlyOptionItem, menuMarks.acceptDoublesMark);
  mark(kOptionsMenu, kRollOverItem, options.rollOverItemState);
  mark(kOptionsMenu, kBackgammonItem, backgammonState());
  mark(kOptionsMenu, kRerollItem, checkFor(settings.rerollFirstRoll != 0));
  mark(kOptionsMenu, kAutoConcessionsItem, checkFor(options.autoConcessions != 0));
  mark(kGameMenu, kSaveOnExitItem, checkFor(shell.saveGameOnExit != 0));
  mark(kGameMenu, kLoadAtStartItem, checkFor(storage.loadGameOnStartup != 0));
  mark(kSettingsMenu, kSelectOneOnlyItem, checkFor(options.selectOneOnly == 0));
  mark(kSettingsMenu, kShowPossibleMovesItem, checkFor(displaySettings.showPossibleMoves != 0));
  mark(kSettingsMenu, kComputerOnlySettingItem, menuMarks.inputDiceMark);
  mark(kSettingsMenu, kAutomaticRollsItem, checkFor(settings.automaticRolls != 0));
  mark(kSettingsMenu, kAutoPassItem, checkFor(options.autoPass != 0));
  mark(kSettingsMenu, kEasyMovesItem, checkFor(options.easyMoves != 0));
  mark(kSettingsMenu, kFastPlayItem, menuMarks.fastPlayMark);
  markRadioGroups();
}

}  // namespace bg
