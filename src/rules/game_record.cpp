#include "rules/game_record.h"

#include <algorithm>

#include "state/concession_state.h"
#include "state/rollout_state.h"

#include "rules/dice.h"
#include "state/flow_state.h"
#include "state/position.h"

namespace bg {


namespace {

// The entries of the oldest unit of play: a roll's part-moves in step order, else the
// first entry alone (an automatic double).
int16_t oldestTurnLength() {
  const int16_t count = record.gameRecordCount;
  const GameRecordEntry& first = record.gameRecord[1];
  int16_t length = 1;
  if (!isPlayerSide(first.side)) return length;
  while (length < count) {
    const GameRecordEntry& before = record.gameRecord[length];
    const GameRecordEntry& e = record.gameRecord[length + 1];
    if (e.side != first.side || e.moveNumber != before.moveNumber + 1) break;
    length += 1;
  }
  return length;
}

// Every entry after the oldest unit moves down over it, the rolls kept for replay too.
void dropOldestTurn() {
  const int16_t length = oldestTurnLength();
  for (long n = 1; n + length <= kGameRecordHighest; ++n) record.gameRecord[n] = record.gameRecord[n + length];
  for (long n = kGameRecordHighest - length + 1; n <= kGameRecordHighest; ++n) {
    record.gameRecord[n] = blankRecordEntry;
    record.gameRecord[n].side = kEmptyEntrySide;
  }
  record.gameRecordCount = static_cast<int16_t>(record.gameRecordCount - length);
  // The concession's mark is an entry of the record: it moves with it.
  concession.concessionCheckTurn = static_cast<int16_t>(std::max(0, concession.concessionCheckTurn - length));
}

}  // namespace

void makeRoomInRecord(int16_t entries) {
  while (record.gameRecordCount >= 1 && record.gameRecordCount + entries > kLastPlayEntry) dropOldestTurn();
}

void advanceGameRecord() {
  makeRoomInRecord(1);
  record.gameRecordCount += 1;
}

void advanceGameRecordForGameEnd() {
  if (record.gameRecordCount < kGameRecordHighest) record.gameRecordCount += 1;
}

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
    advanceGameRecord();
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
}

}  // namespace bg
