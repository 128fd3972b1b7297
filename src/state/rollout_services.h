#pragma once
// What the rules ask of the rollouts: nextRolloutGame goes through a table the rollout
// engine fills.
namespace bg {

namespace least {
void nextRolloutGame();
}  // namespace least

struct RolloutServices {
  // At each new game of a rollout: counts the game, may end the rollout, and sets up
  // the rollout's start position, dice, cube and side to move.
  void (*nextRolloutGame)() = least::nextRolloutGame;
};

extern RolloutServices rolloutServices;

namespace hook {
inline void nextRolloutGame() { rolloutServices.nextRolloutGame(); }
}  // namespace hook


}  // namespace bg
