#pragma once
// Race numbers from the position analysis: the rolls each side needs to bear off, the
// rolls the opponent needs to save the gammon, whether the mover is far enough ahead to
// break contact or far enough behind to need it, and the strength of the points the
// mover holds in the opponent's home board. A roll averages 8.17 pips.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr double kAverageRollPips = 8.17;

struct RaceEstimates {
  CheckedArray<float, 1> raceRolls;  // [1] the mover, [0] the opponent
  float lastRaceRollEstimate = 0;
  float gammonSaveRolls = 0;
  float raceRollLead = 0;  // raceRolls[0] - raceRolls[1]: positive when the mover leads
  int16_t raceLeadFlag = 0;    // -1: far enough ahead to break contact
  int16_t raceBehindFlag = 0;  // -1: far enough behind to need contact
  int16_t opponentHomeStrength = 0;

  bool operator==(const RaceEstimates&) const = default;
};

extern RaceEstimates race;

// Rolls one side needs to bear off. isMover 1: the side's men are negative on viewBoard
// and its points are the view points; 0: its men are positive and its point p is view
// point 25 - p. menPastGap is not used.
float estimateSideRaceRolls(int16_t menInHome, int16_t pipsOutside, int16_t homeGaps,
                            int16_t menPastGap, int16_t menOutside, int16_t pips,
                            const CheckedArray<int16_t, 26>& viewBoard, int16_t isMover);

// Fills raceRolls and gammonSaveRolls from the analysis.
void estimateRaceChances();

// Before the play search: raceLeadFlag and raceBehindFlag for the roll in hand.
void setRaceLeadFlags();

// opponentHomeStrength from the points 20..24 the mover holds before the play.
void homeBoardStrength();

}  // namespace bg
