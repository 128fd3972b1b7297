#include "shell/shell_stand_ins.h"

#include "display/message_line.h"
#include "flow/best_move_commands.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/menus.h"
#include "shell/menu_marks.h"

namespace bg {

namespace {
constexpr int16_t kBoardWindowNumber = 1;
}  // namespace

void quitGame() { FBShutdown(0); }

void installSubmenus() {
  setMenuBar(kBoardWindowNumber, menuBars.submenuBar.empty() ? menuBars.mainMenuBar : menuBars.submenuBar);
}

void doKeyDown() {
  const std::string_view key = interactionDisplay.keyBuffer.view();
  if (key == "M") makeBestMoveCommand();
  if (key == "S") displayBestMovesCommand();
  if (key == "C") showLastMoveAnalysis();
}

void enterFastPlay() {}

void leaveFastPlay() {}

void showGameWindows() {}

}  // namespace bg
