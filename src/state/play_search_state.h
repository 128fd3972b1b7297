#pragma once
// State of the play search: the legal-play enumeration, its search modes and their
// results. Points are in the mover's view (see analysis_state.h).
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kFromBar = 26;  // from-point of a part-move entering from the bar

struct PlaySearchState {
  // The play being tried: part-moves 1..4 (entry 0 unused).
  CheckedArray<int16_t, 4> playFrom;
  CheckedArray<int16_t, 4> playDice;
  int16_t playLength = 0;  // part-moves a play must have in the current stage
  int16_t diceSwappedPass = 0;
  int16_t genPipsUsed = 0;
  int16_t bestPipsSoFar = 0;
  int16_t stopEnumeration = 0;
  int16_t playFound = 0;
  uint8_t genOdometerStepped = 0;
  int16_t genOpponentBar = 0;
  int16_t genMenLeft = 0;
  int16_t homeBoardHit = 0;

  // Per attempt.
  int16_t playHitCount = 0;
  int16_t playLastHitPoint = 0;
  CheckedArray<int16_t, 4> partMoveDone;
  CheckedArray<int16_t, 4> partMoveBlocked;

  // Search modes: at most one is set; none is the normal (evaluating) search.
  int16_t searchModeMaxPips = 0;
  int16_t searchModeBreakContact = 0;
  int16_t searchModeHitTracking = 0;
  uint8_t searchModeForced = 0;

  // Hit tracking.
  int16_t firstHitPoint = 0;
  int16_t genMaxHits = 0;
  CheckedArray<int16_t, 25> hittableBlot;
  int16_t hitTrackPips = 0;

  // Results and inputs of the driver.
  int16_t rollPipTotal = 0;
  int16_t maxPipsUsable = 0;
  int16_t contactBreakResult = 0;
  int16_t searchedPlayer = -1;
  int16_t quietBestMove = 0;
  int16_t diceRedrawRequested = 0;  // -1: the board was redrawn during the search, the dice not
  int16_t bookPlayListed = 0;  // -1 once the opening book's play is in the lists

  // Searches running now; above 0 while the event pump runs inside a search.
  int16_t searchDepth = 0;
};

extern PlaySearchState playSearch;

}  // namespace bg
