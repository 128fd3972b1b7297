#pragma once
// The best-plays lists: ranking a candidate play into a list, and reading a row back.
//
// Row columns: 0 score (kEmptyRow: empty), 1 part-moves, 2i and 2i + 1 from-point and
// landing of part-move i (in the mover's view; from 25 is the bar, a landing below 1 a
// bear-off), 10 movesAllowed, 11 pips used, 12..17 the partial scores below.
#include <cstdint>

#include "state/best_plays_state.h"
#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kScoreColumn = 0;
inline constexpr int16_t kPartMovesColumn = 1;
inline constexpr int16_t kMovesAllowedColumn = 10;
inline constexpr int16_t kPipsColumn = 11;
inline constexpr int16_t kRankedRows = 3;
inline constexpr int16_t kStagingRow = 4;
inline constexpr float kBookPlayScore = 99.0f;

// The evaluator's partial scores when the play is offered (columns 12..17).
struct PartialScores {
  float mainScore = 0;
  float blotScore = 0;
  float barScore = 0;
  float blockScore = 0;
  float distribScore = 0;
  float pointsScore = 0;
};

// Offers the play (from/dice part-moves 1..playSearch.playLength, genPipsUsed pips) to
// the list with the score. Row 4 always gets the candidate; rows 1..3 only when it wins.
// A play that reaches the board of a listed one is that play: listed once, at the better.
void insertCandidatePlay(BestPlaysList& list, const CheckedArray<int16_t, 4>& from,
                         const CheckedArray<int16_t, 4>& dice, float score,
                         const PartialScores& partials);

// Copies row `row` of the list into from and dice (from 26 for the bar) and sets
// playLength, movesLeft and movesAllowed; returns playLength.
int16_t loadChosenPlay(const BestPlaysList& list, int16_t row, CheckedArray<int16_t, 4>& from,
                       CheckedArray<int16_t, 4>& dice);

// The from and landing points of one row in the board's own numbering, for the move list:
// entries 2 .. 2 x part-moves + 1.
void readCandidatePlay(const BestPlaysList& list, int16_t row, CheckedArray<float, 9>& moveListPoints);

// Empties rows 1..4 of both lists for a new search.
void clearBestPlays();

}  // namespace bg
