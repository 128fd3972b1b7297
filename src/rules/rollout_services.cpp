#include "rules/rollout_services.h"

#include "rules/game_record.h"
#include "rules/position.h"
#include "rules/rollout_state.h"

namespace bg {

RolloutServices rolloutServices;

namespace least {

void nextRolloutGame() {}

}  // namespace least

void resetGameRecord() {
  // Every entry, not only the first 899: a later long game must not replay stale rolls.
  const bool keepRolls = rollout.keepRollsOnReset != 0;
  const bool swapSides = rollout.swapSidesOnReset != 0;
  for (long n = 1; n <= kGameRecordHighest; ++n) {
    GameRecordEntry& entry = record.gameRecord[n];
    if (keepRolls) {
      rollout.recordDice[0] = entry.die1;
      rollout.recordDice[1] = entry.die2;
      int16_t side = entry.side;
      if (swapSides && (side == kPlayer0 || side == kPlayer1)) side = 1 - side;
      entry = blankRecordEntry;
      entry.die1 = rollout.recordDice[0];
      entry.die2 = rollout.recordDice[1];
      entry.side = side;
    } else {
      entry = blankRecordEntry;
      entry.side = kEmptyEntrySide;
    }
  }
  if (keepRolls) {
    // The replay ends where the last game ended: its result entry is not replayed.
    GameRecordEntry& last = record.gameRecord[record.gameRecordCount];
    last = blankRecordEntry;
    last.side = kEmptyEntrySide;
  }
  rollout.keepRollsOnReset = 0;
  rollout.swapSidesOnReset = 0;
  record.gameRecord[0] = blankRecordEntry;
  record.recordFullTold = 0;
  record.moveUnrecorded = 0;
}

}  // namespace bg
