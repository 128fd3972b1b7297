#include "state/dice_state.h"

#include "state/program_state.h"

namespace bg {

DiceState diceState;
BG_RESETS_WITH_PROGRAM(diceState);

}  // namespace bg
