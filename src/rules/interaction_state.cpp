#include "rules/interaction_state.h"

namespace bg {

HandState hand;
InteractionState interaction;

}  // namespace bg
