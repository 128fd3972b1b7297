#include "rollout/rollout_stats.h"

#include "state/program_state.h"

namespace bg {

RolloutStats rolloutStats;
BG_RESETS_WITH_PROGRAM(rolloutStats);
RolloutSnapshot rolloutSnapshot;
BG_RESETS_WITH_PROGRAM(rolloutSnapshot);

}  // namespace bg
