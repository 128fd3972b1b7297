#include "rules/search_pump.h"

#include "state/rollout_state.h"
#include "state/search_services.h"
#include "state/settings.h"
#include "runtime/core/clock.h"

namespace bg {

namespace {
uint64_t lastPumpMicros = 0;
bool pumpedBefore = false;
}  // namespace

void pumpDuringSearch() {
  if (settings.noPumpDuringSearch == -1 || rollout.rolloutRunning == 255) return;
  // A search asks for the pump after every step and every evaluation, thousands of
  // times; only one call in each interval reaches the real pump.
  const uint64_t now = microseconds();
  if (pumpedBefore && now - lastPumpMicros < kSearchPumpIntervalMicros) return;
  pumpedBefore = true;
  lastPumpMicros = now;
  searchServices.handleEvents();
}

void restartSearchPumpInterval() { pumpedBefore = false; }

}  // namespace bg
