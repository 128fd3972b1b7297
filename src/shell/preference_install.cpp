#include "shell/preference_install.h"

#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/board_rebuild.h"
#include "display/custom_colour_file.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/option_toggles.h"
#include "shell/radio_groups.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "state/board_state.h"
#include "state/menu_numbers.h"
#include "state/shell_services.h"
#include "storage/preference_services.h"

namespace bg {

namespace {

void toggleOption(PrefToggle t) {
  switch (t) {
    case PrefToggle::kSelectOneOnly: toggleSelectOneOnly(); break;
    case PrefToggle::kInputDice: toggleInputDice(); break;
    case PrefToggle::kCubeUsed: toggleCubeUsed(); break;
    case PrefToggle::kBeaverAllowed: toggleBeaverAllowed(); break;
    case PrefToggle::kAcceptDoubles: toggleAcceptDoubles(); break;
    case PrefToggle::kJacobyRule: toggleJacobyRule(); break;
    case PrefToggle::kBackgammonAllowed: toggleBackgammonAllowed(); break;
    case PrefToggle::kRerollFirstRoll: toggleRerollFirstRoll(); break;
    case PrefToggle::kAutoConcessions: toggleAutoConcessions(); break;
    case PrefToggle::kAutomaticRolls: toggleAutomaticRolls(); break;
    case PrefToggle::kAutoPass: toggleAutoPass(); break;
    case PrefToggle::kEasyMoves: toggleEasyMoves(); break;
    case PrefToggle::kSaveGameOnExit: toggleSaveGameOnExit(); break;
    case PrefToggle::kLoadGameOnStartup: toggleLoadGameOnStartup(); break;
    case PrefToggle::kShowPossibleMoves: toggleShowPossibleMoves(); break;
  }
}

bool boardWindowContent(WindowContent& content) {
  if (!windowExists(kBoardWindow)) return false;
  const Rect r = windowContentRect(kBoardWindow);
  content = {r.left, r.top, r.width(), r.height()};
  return true;
}

}  // namespace

void installPreferenceServices() {
  PreferenceServices& p = preferenceServices;
  p.toggleOption = toggleOption;
  p.checkMenuItemOnly = checkMenuItemOnly;
  p.markSkillLevelMenus = markSkillLevelMenus;
  p.selectPieceSpeed = [](int16_t speed) {
    shellSettings.pieceSpeedChoice = speed;
    selectPieceSpeed();
  };
  p.applyPieceShape = [](int16_t shape) {
    shellSettings.pieceShape = shape;
    applyPieceShape();
  };
  p.selectAutoDoubleMax = [](int16_t choice) {
    shellSettings.autoDoubleMaxChoice = choice;
    selectAutoDoubleMax();
  };
  p.markFastPlay = [] {
    menuMarks.fastPlayMark = kMarkOn;
    setMenuItemState(kSettingsMenu, kFastPlayItem, kItemChecked, "");
  };
  p.mirrorPointTables = mirrorPointTables;
  p.invalidateBoard = invalidateBoard;
  p.readCustomColors = [] { boardState.customColoursRead = readCustomColors(); };
  p.boardWindowContent = boardWindowContent;
}

}  // namespace bg
