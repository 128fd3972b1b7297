#include "flow/board_input.h"
#include "flow/play_options.h"
#include "flow/session_statistics.h"
#include "flow/shell_flags.h"
#include "flow/turn_state.h"

namespace bg {

TurnState turnState;
ShellFlags shellFlags;
PlayOptions options;
BoardInput boardInput;
SessionStatistics statistics;

}  // namespace bg
