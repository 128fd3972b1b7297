#include "rules/player_records.h"

namespace bg {

PlayerRecords players;

int16_t& playerCounter(PlayerRecordWord pairWord, int16_t side) {
  // Side 1's count comes first in each pair.
  const long word = pairWord + (side == 0 ? 1 : 0);
  return players.playerRecords[players.activePlayers].counters[word - kFirstCounterWord];
}

int32_t& playerPipsRolled(int16_t side) {
  return players.playerRecords[players.activePlayers].pipsRolled[side == 0 ? 1 : 0];
}

}  // namespace bg
