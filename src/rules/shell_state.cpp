#include "rules/shell_state.h"

namespace bg {

ShellState shell;

}  // namespace bg
