#include "state/settings.h"

#include "state/program_state.h"

namespace bg {

Settings settings;
BG_RESETS_WITH_PROGRAM(settings);

}  // namespace bg
