#include "computer/bear_off_all.h"

#include "state/analysis_state.h"
#include "state/dice_state.h"
#include "state/program_state.h"

namespace bg {

BearOffTrialState bearOffTrial;
BG_RESETS_WITH_PROGRAM(bearOffTrial);

namespace {

// Point i of the board the test reads. The opponent's view is the analysed position
// turned round: what the analysis keeps as the opponent's view board, taken from the
// saved view so that a play the search left on evalBoard cannot leak into it.
int16_t sourcePoint(int i) {
  if (bearOffTrial.trialUseOpponentView == -1) {
    return static_cast<int16_t>(-analysis.evalBoardB[25 - i]);
  }
  return analysis.evalBoard[i];
}

}  // namespace

void swapDiceOrder() {
  auto& t = bearOffTrial;
  if (t.trialDice[0] != t.trialDice[1]) {
    if (t.trialSwappedPass == 0) {
      t.trialSwappedPass = 1;
      t.trialPlayDice[1] = t.trialDice[1];
      t.trialPlayDice[2] = t.trialDice[0];
      return;
    }
    t.trialSwappedPass = 0;
    t.trialPlayDice[1] = t.trialDice[0];
    t.trialPlayDice[2] = t.trialDice[1];
  }
  t.trialPlayLength -= 1;
  if (t.trialPlayLength != 0 && t.trialBestPips == 0) return;  // one die fewer
  t.trialStop = -1;
}

void backtrackDie(int k) {
  auto& t = bearOffTrial;
  t.trialOdometerStepped = 0;
  int j = k;
  while (t.trialOdometerStepped == 0) {
    for (int i = j; i <= t.trialPlayLength; ++i) t.trialFrom[i] = t.trialHighestPoint;
    j -= 1;
    if (j == 0) {
      swapDiceOrder();
      t.trialOdometerStepped = 255;
    } else if (t.trialFrom[j] > 1) {
      t.trialFrom[j] -= 1;
      t.trialOdometerStepped = 255;
    }
  }
}

void tryTrialBearOff(int k, int landing) {
  auto& t = bearOffTrial;
  auto& b = t.trialBoard;
  for (int p = 7; p <= t.trialHighestPoint; ++p) {
    if (b[p] < 0) {
      t.trialPartBlocked[k] = -1;
      return;
    }
  }
  // A die larger than the distance takes only the rearmost man.
  if (landing != 0) {
    for (int p = t.trialFrom[k] + 1; p <= t.trialHighestPoint; ++p) {
      if (b[p] < 0) {
        t.trialPartBlocked[k] = -1;
        return;
      }
    }
  }
  b[t.trialFrom[k]] += 1;
  t.trialMenLeft -= 1;
  t.trialPartDone[k] = -1;
}

void tryTrialPartMove(int k) {
  auto& t = bearOffTrial;
  auto& b = t.trialBoard;
  const int from = t.trialFrom[k];
  const int landing = from - t.trialPlayDice[k];
  if (landing < 1) {
    tryTrialBearOff(k, landing);
    return;
  }
  if (b[landing] >= 2) return;
  if (b[landing] == 1) {
    b[25] += 1;
    b[landing] = 0;
  }
  b[landing] -= 1;
  b[from] += 1;
  t.trialPartDone[k] = -1;
}

void bearOffSearchStep() {
  auto& t = bearOffTrial;
  auto& b = t.trialBoard;

  if (t.trialPlayFound != 0) {
    t.trialPlayFound = 0;
    t.trialFrom[t.trialPlayLength] -= 1;
    if (t.trialFrom[t.trialPlayLength] < 1) backtrackDie(t.trialPlayLength);
    return;
  }

  for (int i = 0; i <= t.trialHighestPoint; ++i) b[i] = sourcePoint(i);
  t.trialPipsUsed = 0;

  for (int k = 1; k <= t.trialPlayLength; ++k) {
    // Everything is off already: the rest of the roll is not needed.
    if (t.trialMenLeft < 1) continue;
    t.trialPartDone[k] = 0;
    t.trialPartBlocked[k] = 0;
    while (t.trialFrom[k] > 0 && t.trialPartDone[k] == 0 && t.trialPartBlocked[k] == 0) {
      if (k > 1 && t.trialFrom[k] + t.trialSwappedPass > t.trialFrom[k - 1]) {
        t.trialFrom[k] = static_cast<int16_t>(t.trialFrom[k - 1] - t.trialSwappedPass);
      }
      if (t.trialFrom[k] > 0) {
        if (b[t.trialFrom[k]] < 0) tryTrialPartMove(k);
        if (t.trialPartDone[k] == 0 && t.trialPartBlocked[k] == 0) t.trialFrom[k] -= 1;
      }
    }
    if (t.trialPartDone[k] == 0) {
      backtrackDie(k);
      return;
    }
    t.trialPipsUsed += t.trialPlayDice[k];
  }

  if (t.trialPipsUsed < t.trialBestPips) {
    swapDiceOrder();
    return;
  }
  t.trialPlayFound = -1;
  if (t.trialMenLeft == 0) t.trialSuccessFlag = -1;
}

void canBearOffAllWithRoll() {
  auto& t = bearOffTrial;
  t.trialSwappedPass = 0;
  t.trialBestPips = 0;
  for (int k = 1; k <= 4; ++k) t.trialPlayDice[k] = t.trialDice[k - 1];
  t.trialPlayFound = 0;
  t.trialStop = 0;
  for (int k = 1; k <= 4; ++k) t.trialFrom[k] = t.trialHighestPoint;
  t.trialPlayLength = partMovesOfRoll(t.trialDice[0] == t.trialDice[1]);
  while (t.trialStop == 0 && t.trialSuccessFlag != -1) {
    t.trialMenLeft = t.trialMenCount;
    bearOffSearchStep();
    t.trialBestPips = t.trialPipsUsed;
  }
}

}  // namespace bg
