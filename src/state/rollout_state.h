#pragma once
// Values of the rollouts that the rules read and write.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct RolloutState {
  uint8_t rolloutRunning = 0;    // 255 while a rollout plays games
  int16_t rolloutShowBoard = 0;  // not 0: the board is shown during a rollout
  int16_t noPause = 0;           // -1 while pauses are skipped
  int16_t dropAtTurnEnd = 0;     // -1: the rollout was ended during a play; its game goes at the turn's end
  int16_t keepRollsOnReset = 0;  // -1: the next record reset keeps each entry's side and dice
  int16_t swapSidesOnReset = 0;  // -1 with the above: the kept entries change sides
  CheckedArray<int16_t, 3> recordDice;
  CheckedArray<double, 1> rollsMade;  // rolls made by each side, counted by the roll stage
};

extern RolloutState rollout;

// A rollout playing its games on its own (running, not paused): no messages, prompts or
// waits for the user. A paused rollout gives the user's sides their ordinary turns.
inline bool rolloutPlaysUnattended() { return rollout.rolloutRunning != 0 && rollout.noPause != 0; }

// A rollout that does not show the board: nothing is drawn. A paused rollout shows it,
// so that the user's sides see what they play.
inline bool rolloutHidesBoard() {
  return rollout.rolloutRunning != 0 && rollout.rolloutShowBoard == 0 && rollout.noPause != 0;
}

}  // namespace bg
