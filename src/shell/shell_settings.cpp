#include "shell/shell_settings.h"

#include "state/program_state.h"

namespace bg {

AppConstants appConstants;
BG_RESETS_WITH_PROGRAM(appConstants);
MenuMarks menuMarks;
BG_RESETS_WITH_PROGRAM(menuMarks);
ShellSettings shellSettings;
BG_RESETS_WITH_PROGRAM(shellSettings);
RolloutSettings rolloutSettings;
BG_RESETS_WITH_PROGRAM(rolloutSettings);

}  // namespace bg
