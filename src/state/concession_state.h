#pragma once
// Values of the computer's concession that a new game resets.
#include <cstdint>

namespace bg {

struct ConcessionState {
  int16_t concessionCheckTurn = 0;  // gameRecordCount when a concession was last offered
};

extern ConcessionState concession;

}  // namespace bg
