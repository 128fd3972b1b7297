#include "state/display_settings.h"

#include "state/program_state.h"

namespace bg {

DisplaySettings displaySettings;
BG_RESETS_WITH_PROGRAM(displaySettings);
BoardWindowPlacement windowPlacement;
BG_RESETS_WITH_PROGRAM(windowPlacement);
ShellWindowState shellWindow;
BG_RESETS_WITH_PROGRAM(shellWindow);

}  // namespace bg
