#include "shell/shell_stand_ins.h"

#include "display/message_line.h"
#include "flow/best_move_commands.h"
#include "runtime/qt/app_init.h"

namespace bg {

void quitGame() { FBShutdown(0); }

void doKeyDown() {
  const std::string_view key = interactionDisplay.keyBuffer.view();
  if (key == "M") makeBestMoveCommand();
  if (key == "S") displayBestMovesCommand();
  if (key == "C") showLastMoveAnalysis();
}

void showGameWindows() {}

}  // namespace bg
