#include "state/player_records.h"

#include "state/program_state.h"

namespace bg {

PlayerRecords players;
BG_RESETS_WITH_PROGRAM(players);

int16_t& playerCounter(PlayerRecordWord pairWord, int16_t side) {
  // Side 1's count comes first in each pair.
  const long word = pairWord + (side == 0 ? 1 : 0);
  return players.playerRecords[players.activePlayers].counters[word - kFirstCounterWord];
}

void addToPlayerCounter(PlayerRecordWord pairWord, int16_t side, int32_t amount) {
  addUpToLimit(playerCounter(pairWord, side), amount);
}

int32_t& playerPipsRolled(int16_t side) {
  return players.playerRecords[players.activePlayers].pipsRolled[side == 0 ? 1 : 0];
}

}  // namespace bg
