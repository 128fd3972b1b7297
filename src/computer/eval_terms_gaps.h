#pragma once
// Evaluation terms of the candidate play: men buried on the lowest points, the home-board
// gaps, slots and builders with the distribution score, and the shot risk of the blots.
namespace bg {

// Penalises men newly piled on points 1..3 while the points above them are open.
void evalBuriedMen();

// One scan over the board after the play: gap, slot and builder terms, distributions, the
// counts of term_features.h; then, with contact, the blot-risk analysis of the mover's
// blots and the shot probabilities.
void evalGapsAndBackMen();

// Scales blotScore down by the largest number of direct shots with one die.
void evalMaxBlotExposure();

}  // namespace bg
