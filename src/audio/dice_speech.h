#pragma once
// The announcement of each roll, shown on the message line and spoken.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

// The roll's text for the human (human true) or the computer, "MM" marker first.
Str255 diceRollText(bool human);
// After every roll: the human's part, then the computer's, each when its speak flag is
// set and the side on roll is of that kind; not shown when two people play.
void speakDiceRoll();

}  // namespace bg
