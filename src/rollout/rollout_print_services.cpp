#include "rollout/rollout_print_services.h"

#include "state/program_state.h"

namespace bg {

RolloutPrintServices rolloutPrintServices;
BG_RESETS_WITH_PROGRAM(rolloutPrintServices);

namespace least {
void printRolloutResults() {}
}  // namespace least

}  // namespace bg
