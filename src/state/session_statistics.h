#pragma once
// Session statistics that the statistics dialogs show and clear; the game flow counts
// them as games end and dice are rolled.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct SessionStatistics {
  CheckedArray<int16_t, 1> gamesWonBySide;
  int16_t gamesPlayedOut = 0;  // games ended by bearing off
  CheckedArray<int16_t, 1> droppedDoubles;
  CheckedArray<int16_t, 1> concessionsBySide;
  CheckedArray<int16_t, 1> tournamentsWonBySide;
  CheckedArray<int32_t, 1> sessionPipsRolled;
  CheckedArray<int16_t, 1> sessionDoublesRolled;
  CheckedArray<int16_t, 1> sessionOpeningRolls;
};

extern SessionStatistics statistics;

}  // namespace bg
