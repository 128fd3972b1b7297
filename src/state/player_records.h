#pragma once
// The player profiles: five records, the one in use chosen by activePlayers. Each holds
// two names and eleven counter pairs, side 1's count first, then the pips each side
// rolled. The counters are named by their word index from the start of the saved record.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kFirstCounterWord = 42;
inline constexpr int16_t kLastCounterWord = 63;

// Word index of side 1's count of each pair; side 0's is the next word.
enum PlayerRecordWord : int16_t {
  kPointsWonWord = 42,
  kGamesWonWord = 44,
  kSessionsWonWord = 46,
  kTournamentsWonWord = 48,
  kDoublesOfferedWord = 50,
  kDoublesTakenWord = 52,
  kDoublesDroppedWord = 54,
  kGammonsWonWord = 56,
  kBackgammonsWonWord = 58,
  kDoublesRolledWord = 60,
  kOpeningRollsWonWord = 62,
};

struct PlayerRecord {
  // Only record 1 is named at a first start; a record without names is not kept.
  Str40 firstName;   // the name of side 1
  Str40 secondName;  // the name of side 0
  CheckedArray<int16_t, kLastCounterWord - kFirstCounterWord> counters;
  CheckedArray<int32_t, 1> pipsRolled;  // [0] side 1, [1] side 0, as saved
  uint8_t clearedMark = 0;
  bool operator==(const PlayerRecord&) const = default;
};

struct PlayerRecords {
  CheckedArray<PlayerRecord, 4> playerRecords;
  int16_t activePlayers = 1;
  int16_t savedActivePlayers = 1;  // the record in use before two people shared the board
};

extern PlayerRecords players;

// The active record's counter of `side` in the pair starting at `pairWord`.
int16_t& playerCounter(PlayerRecordWord pairWord, int16_t side);
// The active record's pips rolled by `side`.
int32_t& playerPipsRolled(int16_t side);

// A profile count lasts for years: it stops at its field's limit instead of wrapping.
template <typename Count>
void addUpToLimit(Count& count, int64_t amount) {
  count = static_cast<Count>(std::clamp<int64_t>(int64_t{count} + amount, std::numeric_limits<Count>::min(),
                                                 std::numeric_limits<Count>::max()));
}
// Whether a number read for a count, truncated, fits the count's field.
template <typename Count>
bool fitsCountField(double value) {
  const double whole = std::trunc(value);
  return whole >= std::numeric_limits<Count>::min() && whole <= std::numeric_limits<Count>::max();
}
// Adds to the active record's counter of `side`, up to its limit.
void addToPlayerCounter(PlayerRecordWord pairWord, int16_t side, int32_t amount = 1);

}  // namespace bg
