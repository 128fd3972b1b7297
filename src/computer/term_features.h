#pragma once
// Counts and flags that the gap, block and bar terms leave for the terms after them in the
// same candidate's evaluation. Reset with the partial scores for every candidate.
#include <cstdint>

namespace bg {

struct TermFeatures {
  int16_t homeRunStart = 0;      // lowest point of the unbroken run of own points down from 6
  int16_t opponentOuterMen = 0;  // over 15..24: 1 per opponent point, 2 when made
  float outerOddStacks = 0;      // own 1- or 3-stacks on 7..12
  int16_t homeThreeStacks = 0;   // own 3-stacks on 4, 5 and 6
  int16_t opponentOddOuterPoints = 0;
  int16_t opponentMenInContact = 0;  // opponent men below the mover's rearmost man
  int16_t exposedOuterBlots = 0;     // own blots on 3..12 above the opponent's rear
  int16_t homeBlotCount = 0;         // own blots on 1..6
  int16_t runningGameFlag = 0;       // -1: the armies are nearly disengaged
  int16_t ownBlockAfterPlay = 0;     // most own points in a six-point window
  int16_t ownBlockStart = 0;
  int16_t ownBlockEnd = 0;           // the point just past that window
  int16_t hitsThisPlay = 0;          // opponent men the play sent to the bar
};

extern TermFeatures termFeatures;

}  // namespace bg
