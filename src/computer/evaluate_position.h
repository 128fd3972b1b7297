#pragma once
// Scoring one candidate play: the features of the position after the play, the terms in
// their fixed order into the six partial scores, the true and skill-adjusted totals, and
// the offer to both best-plays lists.
namespace bg {

// Called by the play search for each legal play, with the play applied on
// analysis.evalBoard and described by playSearch.playFrom/playDice.
void evaluatePosition();

// Its steps.
void resetEvalAccumulators();
void computePipAndRaceStats();
void setRaceFlags();
void evalContactTerms();
void scoreAndRankCandidate();

// Runs the event pump from inside the evaluation (throttled, and never when pumping
// during searches is off or a rollout runs).
void pumpDuringEvaluation();

}  // namespace bg
