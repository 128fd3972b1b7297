#include "state/rollout_services.h"

#include "state/program_state.h"


namespace bg {

RolloutServices rolloutServices;
BG_RESETS_WITH_PROGRAM(rolloutServices);

namespace least {

void nextRolloutGame() {}

}  // namespace least


}  // namespace bg
