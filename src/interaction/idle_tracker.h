#pragma once
// One look at the idle mouse between the polls of a board wait: the cursor of the zone
// under it, the held checker following it, and the possible moves of the point under it.
#include <cstdint>

namespace bg {

inline constexpr int16_t kNoHoverPoint = 99;

struct IdleTrackerState {
  int16_t lastHoverPoint = kNoHoverPoint;  // the point marked last
};
extern IdleTrackerState idleTracker;

void trackIdleMouse();

}  // namespace bg
