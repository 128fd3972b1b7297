#include "state/interaction_state.h"

#include "state/program_state.h"

namespace bg {

HandState hand;
BG_RESETS_WITH_PROGRAM(hand);
InteractionState interaction;
BG_RESETS_WITH_PROGRAM(interaction);

}  // namespace bg
