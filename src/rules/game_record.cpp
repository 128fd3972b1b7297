#include "rules/game_record.h"

#include "rules/dice.h"
#include "rules/flow_state.h"
#include "rules/interaction_services.h"
#include "rules/interaction_state.h"
#include "rules/position.h"

namespace bg {

GameRecord record;

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
    displayMessage();
  }
  return false;
}

void advanceGameRecordForGameEnd() {
  if (record.gameRecordCount < kGameRecordHighest) record.gameRecordCount += 1;
}

bool recordHasRoomForRoll() { return record.gameRecordCount < kLastPlayEntry; }

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

}  // namespace bg
