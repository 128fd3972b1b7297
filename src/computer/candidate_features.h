#pragma once
// Features of the position after the candidate play, computed once per candidate before
// the terms run. The blot lists and counts, the opponent's point list and the own point
// counts of the same pass are the analysis's fields in `features` (position_features.h),
// rewritten for the candidate.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct CandidateFeatures {
  float raceRollLeadAfterRoll = 0;  // the race lead in rolls counting this roll
  int16_t opponentRearPoint = 24;   // lowest opponent point; 0 with men on its bar
  int16_t opponentBlockerPoints = 0;
  int16_t opponentBlockerMen = 0;
  int16_t opponentPointsInOwnHome = 0;
  CheckedArray<int16_t, 15> opponentBlotPoints;  // ascending, count in features.opponentBlotCount
  int16_t blotHitterCount = 0;
  int16_t candidateOwnPips = 0;
  int16_t candidateOpponentPips = 0;
  int16_t candidatePipDeficit = 0;  // own pips minus the opponent's
  int16_t candidatePipLead = 0;
  int16_t ownHomePoints = 0;        // own points among 1..6 after the play
  int16_t ownHomePointsSquared = 0;
  int16_t lowestOwnPoint = 0;
  int16_t ownRearPoint = 0;         // highest own point; 25 with men on the bar
  int16_t largestOwnGap = 0;
  int16_t largestHomeGap = 0;
  int16_t ownMenInOpponentHome = 0;
  int16_t ownBlotsInOpponentHome = 0;
  int16_t ownBackMenDepth = 0;
  int16_t candidateOuterPips = 0;
  int16_t candidateMenOutside = 0;
  int16_t opponentBlotsBeforePlay = 0;
};

extern CandidateFeatures candidate;

}  // namespace bg
