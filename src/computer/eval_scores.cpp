#include "computer/candidate_features.h"
#include "computer/eval_scores.h"

namespace bg {

EvalScores evalScores;
CandidateFeatures candidate;

void traceMainScore() {
  EvalScores& s = evalScores;
  if (s.evalTraceIndex >= kEvalTraceHighest) return;
  ++s.evalTraceIndex;
  s.evalTrace[s.evalTraceIndex] = s.mainScore;
}

}  // namespace bg
