#include "shell/shell_stand_ins.h"

#include "display/message_line.h"
#include "runtime/qt/app_init.h"

namespace bg {

void quitGame() { FBShutdown(0); }

void showGameWindows() {}

}  // namespace bg
