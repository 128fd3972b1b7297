#pragma once
// Values of the game flow that only the flow and the areas above it read: the turn's
// own flags, the opening roll, the result of the game just ended.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kNoZone = 28;        // clickedPoint after a roll click was taken
inline constexpr int16_t kLeftDiceZone = 26;   // player 1's dice: the left half, the frame's upper end
inline constexpr int16_t kRightDiceZone = 27;  // player 0's: the right half, the frame's lower end
inline constexpr int16_t kNoOpeningDieAwaited = -1;
// Where a side's dice are thrown, and so where its opening die is clicked.
inline int16_t diceZoneOf(int16_t side) { return side == 0 ? kRightDiceZone : kLeftDiceZone; }
inline constexpr int16_t kPipCountZone = -3;  // the pip-count toggle

struct TurnState {
  int16_t previousOpponentMode = 0;  // the mode the last game ran under
  int16_t resumeWithDiceShown = 0;   // -1: the same side goes on with the dice on the board
  int16_t turnEndedByBestMove = 0;   // -1: the best move played for the human was kept
  int16_t humanClosedOutTold = 0;    // -1 once the closed-out notice was shown
  int16_t computerClosedOutTold = 0;
  int16_t autoPlayingForcedMove = 0;  // -1 while a forced play is made for the human
  uint8_t autoMoveCombined = 0;      // 255: the click is an automatic move with both dice
  uint8_t autoMoveReverse = 0;       // 255: the click is an automatic move, other die first
  int16_t awaitingDiceClick = 0;     // -1 while a roll click is awaited
  int16_t lastRollClick = 0;         // zone of the click that rolled
  // Between two people, the side whose opening die is still to be thrown by a click on its
  // own dice while the other's shows.
  int16_t openingDieAwaited = kNoOpeningDieAwaited;
  int16_t replayRecordedPlay = 0;    // -1: the computer's next play is the one in the record
  CheckedArray<float, 1> gameValueMultiplier;  // 1 single, 2 gammon, 3 backgammon, or a level
};

extern TurnState turnState;

}  // namespace bg
