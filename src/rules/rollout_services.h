#pragma once
// What the rules ask of the rollouts. nextRolloutGame goes through a table the rollout
// engine fills; the record reset is plain state and lives here with the rules.
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

inline void nextRolloutGame() { rolloutServices.nextRolloutGame(); }

// Empties the game record (entry 0 the blank header, every other entry free), or, on
// request (rollout.keepRollsOnReset), keeps each entry's side and dice so the next game
// replays the same rolls, with sides exchanged when rollout.swapSidesOnReset is set.
// Clears both requests.
void resetGameRecord();

}  // namespace bg
