#include "rollout/rollout_settings.h"

#include "state/program_state.h"

namespace bg {

RolloutSettings rolloutSettings;
BG_RESETS_WITH_PROGRAM(rolloutSettings);

}  // namespace bg
