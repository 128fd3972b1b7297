#pragma once
// The running score of the candidate play being evaluated: six partial scores that the
// evaluation terms add to, the two totals, and the per-candidate values the terms share.
// All are reset at the start of every candidate.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kEvalTraceHighest = 20;

struct EvalScores {
  float mainScore = 0;     // the running positional score
  float blotScore = 0;     // shot risk, subtracted in the total
  float barScore = 0;      // bar and hitting
  float blockScore = 0;    // blots and blocking
  float distribScore = 0;  // distribution
  float pointsScore = 0;   // points made
  float candidateScoreTrue = 0;
  float candidateScoreSkill = 0;
  float pointFactor = 0;          // the points factor in force for the candidate
  int16_t menBorneOffInPlay = 0;  // men the play bears off
  CheckedArray<float, kEvalTraceHighest> evalTrace;  // mainScore after each group of terms
  int16_t evalTraceIndex = 0;
};

extern EvalScores evalScores;

// Stores mainScore in the next trace entry, at most kEvalTraceHighest per candidate.
void traceMainScore();

}  // namespace bg
