#pragma once
// The rollout's settings: what the set-up window chooses and how the games are played.
#include <cstdint>

namespace bg {

struct RolloutSettings {
  int16_t rolloutStopFlag = 0;          // -1 from Return until the next game ends the rollout
  int16_t rolloutAutoConcessions = 0;
  int16_t gamesWanted = 0;
  int16_t minMaxStart = 0;
  int16_t rolloutCubeUsed = 0;
  int16_t rolloutJacobyRule = 0;
  int16_t rolloutBackgammonsAllowed = 0;
};
extern RolloutSettings rolloutSettings;

}  // namespace bg
