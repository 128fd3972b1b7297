#pragma once
// The rollout's windows over the board: the set-up opens from the Game menu, its OK
// starts the rollout and opens the results window, whose buttons pause, stop and print.
#include <cstdint>

namespace bg {

void openRolloutSetupDialog();
// The dispatcher's rows of the set-up window (340) and the results window (348).
void rolloutSetupEvent(int16_t kind, int16_t id);
void rolloutResultsEvent(int16_t kind, int16_t id);

}  // namespace bg
