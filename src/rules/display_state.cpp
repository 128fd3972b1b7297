#include "rules/display_state.h"

namespace bg {

DisplayState display;

}  // namespace bg
