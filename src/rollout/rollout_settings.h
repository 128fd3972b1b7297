#pragma once
// The rollout's settings: what the set-up window chooses and how the games are played.
// They last from one rollout to the next within a run.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kMostRolloutGames = 32767;

struct RolloutSettings {
  int16_t rolloutStopFlag = 0;          // -1 from Return until the next game ends the rollout
  int16_t rolloutAutoConcessions = 0;
  int16_t gamesWanted = 0;              // 1..kMostRolloutGames
  int16_t minMaxStart = 0;              // games counted before maxima and minima are tracked
  int16_t rolloutCubeUsed = 0;
  int16_t rolloutJacobyRule = 0;
  int16_t rolloutBackgammonsAllowed = 0;
  Str255 description;                   // the user's words for the rollout
};
extern RolloutSettings rolloutSettings;

}  // namespace bg
