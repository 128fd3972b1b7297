#pragma once
// The two ranked lists of the best plays of a roll: rows 1..3 the ranked plays, row 4
// the last candidate offered. Column 0 is the score; kEmptyRow marks an empty row.
#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr float kEmptyRow = -999.0f;

using CandidatePlayRow = CheckedArray<float, 17>;
using BestPlaysList = CheckedArray<CandidatePlayRow, 4>;

struct BestPlaysState {
  BestPlaysList bestPlaysTrue;   // ranked by true score
  BestPlaysList bestPlaysSkill;  // ranked by skill-adjusted score
};

extern BestPlaysState bestPlays;

}  // namespace bg
