#pragma once
// Evaluation terms that look at the candidate play part-move by part-move: the journeys of
// the men moved, their zones, escapes from a block, the moves of a race, and the closing
// stacking and gammon terms.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kMergedPartMove = 50;  // moveFrom of a part-move merged into an earlier one
inline constexpr int16_t kBarFromPoint = 25;    // moveFrom of a man entering from the bar

struct PlayedMoves {
  // Part-moves 1..4 of the play (entry 0 unused).
  CheckedArray<int16_t, 4> moveFrom;      // 25 from the bar; 50 once merged
  CheckedArray<int16_t, 4> moveTo;        // 0 borne off; after merging, the journey's end
  CheckedArray<int16_t, 4> moveFromCopy;  // moveFrom before merging
};

extern PlayedMoves playedMoves;

// Turns the play into journeys: each part-move takes over at most one later part-move
// of the same man.
void copyPlayedMoves();
void evalPlayOutfield();
void evalBlockadeSpread();
void evalPlayMoves();
void evalMoveTerms();
void evalStackingTerms();

}  // namespace bg
