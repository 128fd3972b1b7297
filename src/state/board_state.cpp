#include "state/board_state.h"

#include "state/program_state.h"

namespace bg {

BoardState boardState;
BG_RESETS_WITH_PROGRAM(boardState);

}  // namespace bg
