#include "state/board_input.h"
#include "state/fast_play_saved.h"
#include "state/play_options.h"
#include "state/program_state.h"
#include "state/session_statistics.h"
#include "state/shell_flags.h"

namespace bg {

ShellFlags shellFlags;
BG_RESETS_WITH_PROGRAM(shellFlags);
FastPlaySaved fastPlaySaved;
BG_RESETS_WITH_PROGRAM(fastPlaySaved);
PlayOptions options;
BG_RESETS_WITH_PROGRAM(options);
BoardInput boardInput;
BG_RESETS_WITH_PROGRAM(boardInput);
SessionStatistics statistics;
BG_RESETS_WITH_PROGRAM(statistics);

}  // namespace bg
