#include "shell/radio_groups.h"

#include <cmath>

#include "computer/personalities.h"
#include "display/board_images.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "state/display_settings.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "runtime/qt/menus.h"
#include "shell/refusals.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"

namespace bg {

namespace {

constexpr int16_t kPersonalityCount = 3;
constexpr uint8_t kEnterFromBarBit = 1;
constexpr uint8_t kBearOffBit = 2;
constexpr uint8_t kPlayForHumanBit = 4;
constexpr uint8_t kPlayForcedBit = 8;

// The checker images change: refused while a checker is held or a question waits.
bool pieceChangeRefused() {
  if (hand.pieceInHand != 0) {
    refuseWithCheckerInHand();
    return true;
  }
  if (panelWait.questionPanelUp != 0) {
    refuseWhileQuestionWaits();
    return true;
  }
  return false;
}

void redrawPieces() {
  if (display.firstBoardBuild == -1) return;
  rebuildPieceImages();
  redrawBoardWindow();
}

int16_t cubeMaximumItem() {
  return static_cast<int16_t>(std::lround(std::log2(cube.cubeMaximum > 0 ? cube.cubeMaximum : 1)));
}

}  // namespace

void selectAutoDoubleMax() {
  setMenuItemState(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1), kItemEnabled, "");
  cube.autoDoubleMax = shellSettings.autoDoubleMaxChoice;
  setMenuItemState(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1), kItemChecked, "");
}

void selectCubeMaximum() {
  checkMenuItemOnly(kCubeMaximumMenu, shellSettings.cubeMaximumChoice);
  cube.cubeMaximum = static_cast<int16_t>(std::lround(std::pow(2.0, shellSettings.cubeMaximumChoice)));
}

void selectPieceSpeed() {
  displaySettings.pieceSpeed = shellSettings.pieceSpeedChoice;
  checkMenuItemOnly(kPieceSpeedMenu, displaySettings.pieceSpeed);
  setMenuItemState(kPieceSpeedMenu, displaySettings.pieceSpeed, kItemChecked, "");
}

void applyPieceShape() {
  if (pieceChangeRefused()) return;
  displaySettings.pieceShapeApplied = shellSettings.pieceShape;
  checkMenuItemOnly(kPieceShapeMenu, displaySettings.pieceShapeApplied);
  displaySettings.pieceShapeBase = static_cast<int16_t>(2 * displaySettings.pieceShapeApplied);
  redrawPieces();
}

void applySolidPieceColors() {
  if (pieceChangeRefused()) return;
  displaySettings.solidPieceColors = static_cast<int8_t>(shellSettings.pendingSolidColors);
  redrawPieces();
}

void unpackAutoMoveOptions() {
  const uint8_t bits = options.autoMoves;
  if ((bits & kEnterFromBarBit) != 0) options.autoEnterFromBarOn = -1;
  if ((bits & kBearOffBit) != 0) options.autoBearOffOn = -1;
  if ((bits & kPlayForHumanBit) != 0) options.autoPlayForHumanOn = -1;
  if ((bits & kPlayForcedBit) != 0) options.autoPlayForcedOn = -1;
}

void markSkillLevelMenus() {
  checkMenuItemOnly(kSkillMenu, skill.skillLevel);
  if (flow.opponentMode == kComputerOpponent && skill.skillLevel == kHighestSkillLevel) {
    options.rollOverOnce = 0;
    options.rollOverItemState = kItemDisabled;
  } else if (options.rollOverItemState == kItemDisabled) {
    options.rollOverItemState = kItemEnabled;
  }
  setMenuItemState(kOptionsMenu, kRollOverItem, options.rollOverItemState, "");
  setMenuItemState(kPersonalityMenu, kInsertAsSubmenu, kItemEnabled, "");
  checkMenuItemOnly(kPersonalityMenu, skill.personality);
}

void skillLevelMenuCommand(int16_t item) {
  if (item < kLowestSkillLevel || item > kHighestSkillLevel) return;
  skill.skillLevel = item;
  skill.skillFactor = skillFactorFor(item);
  if (item == kHighestSkillLevel && flow.opponentMode == kComputerOpponent && options.rollOverOnce != 0)
    hook::updateRollOverDisplay();
  markSkillLevelMenus();
}

void personalityMenuCommand(int16_t item) {
  if (item < 1 || item > kPersonalityCount) return;
  skill.personality = item;
  checkMenuItemOnly(kPersonalityMenu, item);
}

void markRadioGroups() {
  checkMenuItemOnly(kAutoDoubleMenu, static_cast<int16_t>(cube.autoDoubleMax + 1));
  checkMenuItemOnly(kCubeMaximumMenu, cubeMaximumItem());
  checkMenuItemOnly(kPieceSpeedMenu, displaySettings.pieceSpeed);
  checkMenuItemOnly(kPieceShapeMenu, displaySettings.pieceShapeApplied);
  markSkillLevelMenus();
}

}  // namespace bg
