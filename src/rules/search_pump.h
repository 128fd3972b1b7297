#pragma once
// The event pump as the play search runs it: often enough to keep the window alive,
// rarely enough that it never dominates a search.
#include <cstdint>

namespace bg {

// Least time between two real pumps during a search.
inline constexpr uint64_t kSearchPumpIntervalMicros = 10000;

// Runs the event pump unless pumping during searches is off, a rollout runs, or less
// than kSearchPumpIntervalMicros have passed since the last real pump.
void pumpDuringSearch();

// Forgets the last real pump, so that the next request pumps (a new clock source).
void restartSearchPumpInterval();

}  // namespace bg
