#include "state/position.h"

#include "state/program_state.h"

namespace bg {

Position position;
BG_RESETS_WITH_PROGRAM(position);

}  // namespace bg
