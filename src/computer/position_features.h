#pragma once
// What the position analysis finds, from the side of the mover (see rules/analysis_state.h
// for the view itself): blots, made points, blocks, gaps, men outside, pips, the cube's
// threshold bases and the timing against a block. The analysis rebuilds every field on each
// run; the candidate evaluation rewrites the blot lists and counts, the opponent's point
// list and the point counts for the position after each play.
//
// Points are view points unless a name says otherwise ("Mirrored": in the opponent's own
// numbering, 25 minus the view point). Lists run from index 1; their counts are separate.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct PositionFeatures {
  // The opponent's home board (view points 19..24).
  int16_t opponentOpenKeyPoints = 0;  // 6 for an open 19, 5 for an open 20
  int16_t opponentZoneOpenPoint = 0;  // lowest back-zone point the opponent does not hold
  int16_t opponentBlockCount = 0;     // most opponent points in a six-point window
  int16_t opponentBlockLowPoint = 0;  // lowest held point of that window
  int16_t opponentTopHomePoint = 0;
  int16_t opponentHomeGapsBelowTop = 0;
  int16_t opponentHomeGaps = 0;
  int16_t opponentHomeGapsNet = 0;
  int16_t opponentFirstGap = 0;
  int16_t opponentMenPastGap = 0;
  int16_t opponentHomePoints = 0;
  int16_t opponentHomePointsSum = 0;  // sum of the held points in the opponent's numbering
  int16_t opponentHomePointsSquared = 0;
  int16_t opponentDeepMen = 0;  // opponent men on its own points 1 and 2 when held
  int16_t ownBackMen = 0;       // mover men in the back zone (and on the bar)
  int16_t sideHasBackMen = 0;   // -1: the mover has men back
  int16_t ownMenBack = 0;       // mover men on 19..24 and the bar
  int16_t ownBlotsBack = 0;
  int16_t ownAnchors = 0;       // mover points among 19..24

  // The mover's home board and front zone.
  int16_t ownOpenKeyPoints = 0;  // 5 for an open 5, 6 for an open 6
  int16_t ownZoneOpenPoint = 0;  // highest front-zone point the mover does not hold
  int16_t ownBlockCount = 0;     // most mover points in a six-point window
  int16_t ownBlockHighPoint = 0; // highest held point of that window
  int16_t lowestOwnMadePoint = 0;
  int16_t ownHomeGaps = 0;
  int16_t ownHomeGapsNet = 0;
  int16_t ownHomeGapsAboveLowest = 0;
  int16_t ownFirstGap = 0;
  int16_t ownMenPastGap = 0;
  int16_t ownDeepMen = 0;       // mover men on held points 1 and 2
  int16_t startHomePoints = 0;  // mover points among 1..6
  int16_t homePointsSum = 0;
  int16_t homePointsSquared = 0;
  int16_t opponentHasBackMen = 0;  // -1: the opponent has men back to be blocked
  int16_t opponentBackMen = 0;     // opponent men on 1..6 and its bar
  int16_t opponentAnchors = 0;     // opponent points among 1..6

  // Blots.
  int16_t ownBlotCount = 0;
  CheckedArray<int16_t, 15> ownBlotPoints;
  int16_t lowestOwnBlot = 0;
  int16_t highestOwnBlot = 0;
  int16_t ownExposedBlots = 0;  // mover blots above the opponent's rearmost man
  int16_t opponentBlotCount = 0;
  CheckedArray<int16_t, 24> opponentBlotsMirrored;
  int16_t highestOpponentBlot = 0;

  // Men, pips and points.
  int16_t ownMenOutside = 0;       // mover men on 7..24 and the bar
  int16_t ownMenInHome = 0;
  int16_t ownPipsOutside = 0;
  int16_t ownBearInPips = 0;       // pips to bring every man into the home board
  int16_t ownOuterPips = 0;        // pips of the mover's men on 7..18
  int16_t ownPointsMade = 0;
  int16_t pointWeightSum = 0;
  int16_t opponentMenOutside = 0;  // opponent men on 7..24 of its numbering and its bar
  int16_t opponentMenInHome = 0;
  int16_t opponentPipsOutside = 0;
  int16_t opponentPointsMade = 0;
  int16_t opponentPointWeightSum = 0;
  float ownStackSpread = 0;
  float opponentStackSpread = 0;
  int16_t pipDifference = 0;  // mover's pips minus the opponent's
  int16_t pipLead = 0;

  // Cube threshold bases.
  float takeThresholdBase = 0;
  float doublingThresholdBase = 0;
  float takeThresholdBase2 = 0;
  float doublingThresholdBase2 = 0;

  // Contact and the point lists.
  int16_t opponentLastDistance = 0;
  float shotValue = 0;  // the mover's shots at the opponent's blots, by its home board
  int16_t opponentPointCount = 0;
  CheckedArray<int16_t, 15> opponentPoints;  // the opponent's bar first as 0
  int16_t ownPointCount = 0;
  CheckedArray<int16_t, 15> ownPointsMirrored;  // the mover's bar as 0
  int16_t opponentContactMen = 0;  // opponent men below the mover's rearmost man
  CheckedArray<int16_t, 25> opponentViewBoard;  // the position from the opponent's side

  // Timing against a block, at most 7.
  float ownTimingRatio = 7;
  float opponentTimingRatio = 7;

  int16_t bearInFlag = 0;  // -1: the mover's rearmost man is home or nearly
  int16_t ownBlockadeTerm = 0;       // mover men behind an opponent block
  int16_t opponentBlockadeTerm = 0;  // opponent men behind a mover block

  bool operator==(const PositionFeatures&) const = default;
};

extern PositionFeatures features;

}  // namespace bg
