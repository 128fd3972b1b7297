#include "state/rollout_state.h"

#include "state/program_state.h"

namespace bg {

RolloutState rollout;
BG_RESETS_WITH_PROGRAM(rollout);

}  // namespace bg
