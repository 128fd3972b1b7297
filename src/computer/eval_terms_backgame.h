#pragma once
// Evaluation terms of the backgame and of bearing off: the backgame term of a candidate
// play, the penalty for running back men when the race is lost anyway, and the two
// bear-off terms with the home-board counts they share.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct BackgameTermState {
  // Per candidate.
  float backAnchorPairs = 0;
  int16_t bigRaceLeadFlag = 0;  // -1: far ahead with the opponent still coming round
  // The home-board counts of countHomeBoardPoints.
  int16_t homeCountsDone = 0;
  int16_t ownHomeOccupied = 0;      // points 1..6 holding own men
  int16_t ownTopHomePoint = 0;      // highest of them
  int16_t ownTopHomeMadePoint = 0;  // highest own point (two or more) of 1..6
  int16_t ownHomeGapsBelowTop = 0;  // empty points below the top one
  int16_t exposedHomeBlots = 0;     // own home blots above the opponent's rearmost man

  // Per turn, by player number: home-board points each side holds on the game board.
  CheckedArray<int16_t, 1> homePointsMade;
};

extern BackgameTermState backgameTerms;

// Clears the per-candidate values; the evaluation driver runs it with the other resets.
void resetBackgameTermState();

void evalBackgame();
void countHomeBoardPoints();
void evalBearOff();
void evalBearOffDistribution();
// -1 when the mover's outside men cannot come home before the opponent is off.
int16_t tooLateToComeHome();
void evalBackGamePenalty();
// On the game board, once per turn: homePointsMade of both players.
void countHomePointsBoth();

}  // namespace bg
