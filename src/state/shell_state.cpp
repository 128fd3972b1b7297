#include "state/shell_state.h"

#include "state/program_state.h"

namespace bg {

ShellState shell;
BG_RESETS_WITH_PROGRAM(shell);

}  // namespace bg
