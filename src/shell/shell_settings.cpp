#include "shell/shell_settings.h"

#include "state/program_state.h"

namespace bg {

MenuMarks menuMarks;
BG_RESETS_WITH_PROGRAM(menuMarks);
ShellSettings shellSettings;
BG_RESETS_WITH_PROGRAM(shellSettings);

}  // namespace bg
