#include "computer/backgame_flags.h"

namespace bg {

BackgameFlags backgame;

// Least form until the backgame terms are written: no backgame is ever chosen and no
// home board is judged weak.
void evalBackgameTiming() {}
void checkWeakHomeBoard() {}

}  // namespace bg
