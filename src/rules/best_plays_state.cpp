#include "rules/best_plays_state.h"

namespace bg {

BestPlaysState bestPlays;

}  // namespace bg
