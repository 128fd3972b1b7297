#pragma once
// The set-up window's fields: filled from the rollout's settings, checked and read back.
#include <string>

namespace bg {

void fillRolloutSetupDialog();
// Empty when the typed numbers can be used, else the message that says what is wrong.
std::string rolloutSetupProblem();
// Reads the fields into the settings; call only when rolloutSetupProblem() is empty.
void readRolloutSetupDialog();

}  // namespace bg
