#pragma once
// One record entry undone on a plain board, as the take-back undoes it, each step checked
// first: the loader proves with it that a saved record leads to its board, the take-back
// that the entries it is about to undo stand where they say.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "state/game_record_state.h"

namespace bg {

struct BoardCounts {
  CheckedArray<int16_t, 25> board;
  CheckedArray<int16_t, 1> piecesOnBoard;
};

enum class UndoFault : int16_t {
  kNone,
  kNoCheckerToTakeBack,  // the mover has no checker on the landing point (or in its tray)
  kNoHitCheckerOnBar,    // a hit whose checker is not on the opponent's bar, or no blot hit
  kNoPlaceToGoBack,      // the from-point is no point the mover can have come from
};

// The counts of a board, each side's checkers on it.
BoardCounts boardCountsOf(const CheckedArray<int16_t, 25>& board);

// Undoes a checker entry of side 0 or 1 on b, unless it cannot be: then b is unchanged.
// An entry whose checker stays where it was (an unplayed die) changes nothing.
UndoFault undoEntryOnBoard(const GameRecordEntry& e, BoardCounts& b);

// The entry's hit flag counts: the take-back returns a hit checker only to a point.
bool entryHits(const GameRecordEntry& e);

// The entry holds a double the take-back can undo: its mark and a doubled cube value.
bool entryHoldsDouble(const GameRecordEntry& e);

}  // namespace bg
