#include "rollout/rollout_board_services.h"

#include "state/program_state.h"

namespace bg {

RolloutBoardServices rolloutBoardServices;
BG_RESETS_WITH_PROGRAM(rolloutBoardServices);

namespace least {
void giveBoardBack() {}
}  // namespace least

}  // namespace bg
