#pragma once
// The Blot Risk report: of the 36 rolls the other side may throw next, how many let it
// hit one, two, three or four of the blots of the side to move, and how many blots can be
// hit at all. The game is left as it was.
#include <cstdint>
#include <string>

#include "runtime/core/checked_array.h"

namespace bg {

struct BlotRiskCounts {
  CheckedArray<int16_t, 4> rollsHitting;  // [k]: rolls (of 36) that hit at least k blots
  int16_t blotsHittable = 0;              // points where some roll hits
};

// Plays every roll of the other side through the max-pips and hit-tracking searches.
// In the opening the blots are side 0's.
BlotRiskCounts countBlotRisk();
std::string blotRiskText(const BlotRiskCounts& counts);

}  // namespace bg
