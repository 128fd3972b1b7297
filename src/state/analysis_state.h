#pragma once
// The position as the computer's analysis sees it from the side being analysed (the
// mover): the mover's view of the board and the counts the play search reads. The
// analysis owns these values; they live here because the legal-play enumeration reads
// and changes them.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kOwnBarIndex = 0;        // mover's bar in the view
inline constexpr int16_t kOpponentBarIndex = 25;  // opponent's bar in the view

struct AnalysisState {
  // Mover's men negative, the opponent's positive; the mover moves from 24 toward 1.
  // [0] the mover's bar, [25] the opponent's bar. [26] is never written by the view.
  CheckedArray<int16_t, 26> evalBoard;
  CheckedArray<int16_t, 25> evalBoardB;  // the view before any play, restored per attempt

  int16_t moverPipCount = 0;
  int16_t opponentPipCount = 0;
  // Per-side arrays: [1] the mover, [0] the opponent.
  CheckedArray<int16_t, 1> analysisPips;
  CheckedArray<int16_t, 1> menLeft;       // men on the board, bar included
  CheckedArray<int16_t, 1> menLeftSaved;  // restored into menLeft before each attempt
  int16_t opponentOccupiedPoints = 1;     // points 1..24 holding the side's men, at least 1
  int16_t moverOccupiedPoints = 1;

  int16_t highestOccupiedPoint = 1;  // mover's rearmost point, 25 with men on the bar
  int16_t opponentLastPoint = 24;    // opponent's rearmost point, 0 with men on its bar
  int16_t ownMenBehindRear = 0;
  int16_t pipsToBreakContact = 0;
  int16_t raceFlag = 0;  // -1: pure race
  int16_t contactBroken = 0;
  int16_t analysisRaceFlag = 0;
  int16_t analyseBlotRiskFlag = -1;  // 0: the next analysis skips its blot-risk runs
};

extern AnalysisState analysis;

}  // namespace bg
