#pragma once
// Values of the application shell that the rules read and write.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

struct ShellState {
  int16_t gameMenuLock = 0;   // the Game menu refuses its commands while either lock is set
  int16_t gameMenuLock2 = 0;
  CheckedArray<Str100, 1> playerNames;  // each side's name, on the board and in the messages
};

extern ShellState shell;

}  // namespace bg
