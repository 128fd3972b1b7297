#pragma once
// The position score in pips that the cube decisions weigh: in a race from the pip counts
// and the spread of the checkers; in contact from a multiplier built up from about thirty
// feature differences between the side and its opponent. The side's pip count is divided
// by the multiplier, so a larger multiplier favours the side.
#include <cstdint>

#include "runtime/core/pstring.h"

namespace bg {

struct DoublingPositionState {
  float cubePipMultiplier = 1;  // the running multiplier M
  // 1 / M, the form the score uses: it stays finite where an adjustment's divisor
  // 1 - d / F reaches 0 or goes below it.
  float cubePipMultiplierInverse = 1;
  float doublingScore = 0;   // pips; positive favours the side
  int16_t doublingView = 0;  // -1: for the doubler, 0: for the doubled side
  uint8_t raceScoreClears = 0;  // 255: the race score clears the threshold
  float cubeThreshold1 = 0;
  float cubeThreshold2 = 0;
  int16_t analysisAidActive = 0;  // -1 while an analysis aid runs: skill level 5 is used

  // The developer's printed trace of the adjustments.
  int16_t cubeTraceRequest = 0;
  int16_t cubeTraceOn = 0;
  Str255 cubeTraceText;
  // Receives each trace line while the trace is on; none installed in normal use.
  void (*cubeTracePrinter)(const Str255& line) = nullptr;
};

extern DoublingPositionState doublingPosition;

// The doubler's score: race from the spread of the checkers, contact in the doubling view.
void doublerPositionScore();
// The doubled side's score: race by the lead in rolls, contact in the accepting view.
void takerPositionScore();
// The contact score in the view doublingView names.
void evaluateDoublingPosition();
// Prints cubeTraceText and the multiplier while the trace is on.
void traceCubeAdjustment();

// Board measures of the evaluator, on a view board (the side's men negative). Exposed for
// the tests.
int16_t sidePrimeLength();
int16_t opponentPrimeLength();
float sideBuilders();
float opponentBuilders();
int16_t sideAnchorValue();
int16_t opponentAnchorValue();
int16_t sideMenOutOfPlay();
int16_t sideBlockedMenValue();
int16_t opponentBlockedMenValue();
int16_t sideHomeGaps();
int16_t opponentHomeGaps();

}  // namespace bg
