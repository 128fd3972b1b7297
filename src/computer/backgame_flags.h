#pragma once
// The backgame decision of the turn: set once by the position analysis (its timing test
// and weak-board check), read by the evaluation terms of every candidate play.
#include <cstdint>

namespace bg {

struct BackgameFlags {
  int16_t backgameFlag = 0;         // -1: the mover plays a backgame
  int16_t noBackgameFlag = 0;       // -1: a backgame is not possible
  int16_t backgameEarlyFlag = 0;    // -1: possible, but too early
  int16_t attackFlag = 0;           // -1: the position favours hitting
  int16_t backgameTooLateFlag = 0;  // -1: too few outer pips left to wait
  int16_t weakHomeBoardFlag = 0;    // -1: the leading mover's home board is weak

  bool operator==(const BackgameFlags&) const = default;
};

extern BackgameFlags backgame;

// The analysis runs the first when the mover trails in pips and the second when it leads,
// both only while there is contact.
void evalBackgameTiming();
void checkWeakHomeBoard();

}  // namespace bg
