#include "state/display_state.h"

#include "state/program_state.h"

namespace bg {

DisplayState display;
BG_RESETS_WITH_PROGRAM(display);

}  // namespace bg
