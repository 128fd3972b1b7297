#include "shell/shell_stand_ins.h"

#include "computer/personalities.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/menus.h"
#include "shell/menu_marks.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "state/flow_state.h"

namespace bg {

namespace {
constexpr int16_t kBoardWindowNumber = 1;
constexpr int16_t kSkillMenu = 6;
constexpr int16_t kOptionsMenu = 5;
constexpr int16_t kRollOverItem = 7;
constexpr int16_t kPersonalityMenu = 25;
}  // namespace

void loadPreferences() {}

void quitGame() { FBShutdown(0); }

void loadGame(int16_t /*askFile*/) {}

void installSubmenus() {
  setMenuBar(kBoardWindowNumber, menuBars.submenuBar.empty() ? menuBars.mainMenuBar : menuBars.submenuBar);
}

void handleDialogEvent(int16_t /*kind*/, int16_t /*id*/) {}

void doKeyDown() {}

void markSkillLevelMenus() {
  checkMenuItemOnly(kSkillMenu, skill.skillLevel);
  if (flow.opponentMode == 1 && skill.skillLevel == 5) {
    shellSettings.rollOverOnce = 0;
    menuMarks.rollOverMark = 0;
  } else if (menuMarks.rollOverMark == 0) {
    menuMarks.rollOverMark = kMarkOff;
  }
  setMenuItemState(kOptionsMenu, kRollOverItem, menuMarks.rollOverMark, "");
  setMenuItemState(kPersonalityMenu, -2, kItemEnabled, "");
  checkMenuItemOnly(kPersonalityMenu, skill.personality);
}

void enterPlayerName() {}

void showGameWindows() {}

}  // namespace bg
