#pragma once
// The position analysis of the side to move: the mover's view, then every feature.
namespace bg {

// Builds analysis (rules/analysis_state.h) and features for currentPlayer. Refused with
// the busy message while a play search runs.
void analysePosition();

}  // namespace bg
