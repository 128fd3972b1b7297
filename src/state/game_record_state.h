#pragma once
// The game record: every roll, checker move, unplayed die, double and result of a game.
#include <cstdint>
#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr long kGameRecordHighest = 1100;

// Entry sides other than 0 and 1.
inline constexpr int16_t kEmptyEntrySide = -1;
inline constexpr int16_t kAutoDoubleEntrySide = 2;
inline constexpr int16_t kGameEndEntrySide = 99;

// Flag bits of an entry's flags field.
enum RecordFlag : int16_t {
  kFlagReRolledOpening = 1,
  kFlagBeavered = 2,
  kFlagCubeWasCentred = 4,
  kFlagDoubleRecorded = 8,
  kFlagAutoDoubleNotDoubled = 16,
  kFlagAutoDoubled = 32,
  kFlagHit = 64,
  kFlagGameEnd = 128,
  kFlagConceded = 256,
  kFlagRolledOver = 512,
  kFlagDiceByHand = 1024,
  kFlagRollCounted = 2048,
};

struct GameRecordEntry {
  int16_t side = 0;
  int16_t fromPoint = 0;
  int16_t toPoint = 0;
  int16_t distance = 0;
  int16_t die1 = 0;
  int16_t die2 = 0;
  int16_t moveNumber = 0;
  int16_t cubeOwner = 0;
  int16_t cubeValue = 0;
  int16_t flags = 0;
  bool operator==(const GameRecordEntry&) const = default;
};

inline constexpr GameRecordEntry blankRecordEntry{};

// The last entry is kept for the game-end entry, so a game that fills the record can
// still record its result.
inline constexpr int16_t kLastPlayEntry = kGameRecordHighest - 1;

struct GameRecord {
  CheckedArray<GameRecordEntry, kGameRecordHighest> gameRecord;  // entry 0: header counters
  int16_t gameRecordCount = 0;  // index of the last used entry
};

extern GameRecord record;

}  // namespace bg
