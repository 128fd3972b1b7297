#include "state/cube_state.h"

#include "state/program_state.h"

namespace bg {

CubeState cube;
BG_RESETS_WITH_PROGRAM(cube);

}  // namespace bg
