#include "shell/shell_stand_ins.h"

#include "display/message_line.h"

namespace bg {

void showGameWindows() {}

}  // namespace bg
