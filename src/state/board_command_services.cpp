#include "state/board_command_services.h"

#include "state/program_state.h"

namespace bg {

BoardCommandServices boardCommandServices;
BG_RESETS_WITH_PROGRAM(boardCommandServices);

namespace least {

bool isNever() { return false; }

}  // namespace least
}  // namespace bg
