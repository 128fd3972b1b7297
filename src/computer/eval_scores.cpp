#include "computer/candidate_features.h"
#include "computer/eval_scores.h"
#include "state/program_state.h"

namespace bg {

EvalScores evalScores;
BG_RESETS_WITH_PROGRAM(evalScores);
CandidateFeatures candidate;
BG_RESETS_WITH_PROGRAM(candidate);

void traceMainScore() {
  EvalScores& s = evalScores;
  if (s.evalTraceIndex >= kEvalTraceHighest) return;
  ++s.evalTraceIndex;
  s.evalTrace[s.evalTraceIndex] = s.mainScore;
}

}  // namespace bg
