#pragma once
// Evaluation terms of the candidate play: the running race, the shot risk of the blots,
// hitting while attacking, giving up or making key points, the spread of the men, the
// prime, the builders, back men trapped behind a block and the blockade, and the
// backgame switch.
namespace bg {

struct RacePrimeTermState {
  float ownTimingRatioAfterPlay = 7;  // outer pips per point of the opponent's block, at most 7
};

extern RacePrimeTermState racePrimeTerms;

void evalRunningRace();
void evalBlotRisk();
void evalHitBonus();
void evalGapsAndSpread();
void applyDistributionFactor();
void evalPrime();
void evalBuilders();
void evalTrappedBackMen();
void evalBlockade();
void evalBackgameIfFlag();

}  // namespace bg
