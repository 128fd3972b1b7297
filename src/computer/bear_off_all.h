#pragma once
// Can a side bear off every man it has left with one given roll? A second copy of the
// legal-play enumeration with its own board and state: no bar moves, no evaluation, no
// event pump; it stops at the first play that leaves no man on the board.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct BearOffTrialState {
  // Inputs, set by the caller.
  CheckedArray<int16_t, 4> trialDice;  // entries 0..3; 2 and 3 repeat a double, else 0
  int16_t trialMenCount = 0;           // men the side has left
  int16_t trialHighestPoint = 0;       // the side's highest point holding a man
  int16_t trialUseOpponentView = 0;    // -1: the opponent's view of the position
  int16_t trialSuccessFlag = 0;        // cleared by the caller; -1: the roll bears off all

  // The enumeration's own state.
  CheckedArray<int16_t, 25> trialBoard;
  CheckedArray<int16_t, 4> trialFrom;      // from-point of part-moves 1..4
  CheckedArray<int16_t, 4> trialPlayDice;  // die of part-moves 1..4
  int16_t trialPlayLength = 0;
  int16_t trialSwappedPass = 0;
  int16_t trialPipsUsed = 0;
  int16_t trialBestPips = 0;
  int16_t trialStop = 0;
  int16_t trialMenLeft = 0;
  int16_t trialPlayFound = 0;
  uint8_t trialOdometerStepped = 0;
  CheckedArray<int16_t, 4> trialPartDone;
  CheckedArray<int16_t, 4> trialPartBlocked;
};

extern BearOffTrialState bearOffTrial;

// Runs the test for the roll in trialDice; the answer is left in trialSuccessFlag.
void canBearOffAllWithRoll();

// The steps of the test (k = part-move number).
void bearOffSearchStep();
void backtrackDie(int k);
void tryTrialPartMove(int k);
void tryTrialBearOff(int k, int landing);
void swapDiceOrder();

}  // namespace bg
