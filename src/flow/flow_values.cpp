#include "flow/turn_state.h"

#include "state/program_state.h"

namespace bg {

TurnState turnState;
BG_RESETS_WITH_PROGRAM(turnState);

}  // namespace bg
