#include "rules/cube_state.h"

namespace bg {

CubeState cube;

}  // namespace bg
