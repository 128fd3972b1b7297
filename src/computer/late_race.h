#pragma once
// Late races: how many of the 36 rolls take all of a side's men off at once, the double
// and take decisions built on those counts, and the who-is-ahead judgement.
#include <cstdint>

namespace bg {

// A side with this many men or more is not counted.
inline constexpr int16_t kCountedMenLimit = 5;
inline constexpr int16_t kNotCounted = 100;
inline constexpr int16_t kTooCloseToCall = 99;

// Rolls out of 36 (ordered) that bear off every man; the caller has set the trial's
// highest point, men count and view.
int16_t countBearOffRolls();

// Both sides' counts from the analysis: 100 for a side with 5 or more men left.
void countBearOffRollsBothSides(int16_t& sideCount, int16_t& opponentCount);

// -1: the side on roll doubles. The analysis is from the side on roll.
int16_t endgameDoubleDecision();

// The judgement the user asks for: the player ahead, or 99 when it is too close to call.
// Tells the answer on the message line and leaves the analysis as it found it. Refused
// with the busy message while a play search runs.
int16_t evaluateWhoIsAhead();

// -1: the doubled side takes. The analysis is from the doubled side; matchFlag is set when
// the doubled game decides the match for the doubler.
int16_t endgameTakeDecision(int16_t matchFlag);

}  // namespace bg
