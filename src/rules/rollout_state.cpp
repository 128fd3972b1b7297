#include "rules/rollout_state.h"

namespace bg {

RolloutState rollout;

}  // namespace bg
