#include "rules/game_record.h"

#include "rules/interaction_services.h"
#include "rules/interaction_state.h"

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

}  // namespace bg
