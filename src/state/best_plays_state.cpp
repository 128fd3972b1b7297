#include "state/best_plays_state.h"

#include "state/program_state.h"

namespace bg {

BestPlaysState bestPlays;
BG_RESETS_WITH_PROGRAM(bestPlays);

}  // namespace bg
