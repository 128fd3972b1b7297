#include "rules/game_record.h"

#include "state/rollout_state.h"

#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"

namespace bg {


namespace {

constexpr std::string_view kRecordFullText = "MMThe game record is full: the rest of this game is not recorded.";

}  // namespace

bool advanceGameRecord() {
  if (record.gameRecordCount < kLastPlayEntry) {
    record.gameRecordCount += 1;
    return true;
  }
  if (record.recordFullTold == 0) {
    record.recordFullTold = -1;
    interaction.messageNumber = kNoMessage;
    interaction.messageText = kRecordFullText;
    hook::displayMessage();
  }
  return false;
}

void advanceGameRecordForGameEnd() {
  if (record.gameRecordCount < kGameRecordHighest) record.gameRecordCount += 1;
}

bool recordHasRoomForRoll() { return record.gameRecordCount < kLastPlayEntry; }

const GameRecordEntry& lastPlayedRoll() {
  int16_t n = record.gameRecordCount;
  if (n >= 1 && record.gameRecord[n].side == kGameEndEntrySide) n = static_cast<int16_t>(n - 1);
  return n >= 1 ? record.gameRecord[n] : blankRecordEntry;
}

void recordUnplayedDiceEntries() {
  for (int16_t n = 0; n < flow.movesAllowed; ++n) {
    const int16_t value = diceState.dice[n].value;
    if (value <= 0) continue;
    flow.moveNumber += 1;
    if (!advanceGameRecord()) continue;
    GameRecordEntry& entry = record.gameRecord[record.gameRecordCount];
    entry = blankRecordEntry;
    entry.side = position.currentPlayer;
    entry.distance = value;
    entry.die1 = diceState.rolledDice[0];
    entry.die2 = diceState.rolledDice[1];
    entry.moveNumber = flow.moveNumber;
  }
  flow.movesLeft = 0;
}

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
