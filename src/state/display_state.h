#pragma once
// Values of the board display that the rules read and write: the dice places, the
// board layout they depend on, and the flags of the move animation.
#include <cstdint>

#include "state/dice_state.h"
#include "runtime/core/checked_array.h"

namespace bg {

// Dice layouts: the opening roll, a normal roll, four dice on doubles.
inline constexpr int16_t kOpeningDiceLayout = 0;
inline constexpr int16_t kNormalDiceLayout = 1;
inline constexpr int16_t kFourDiceLayout = 2;

inline constexpr int16_t kDieFacesPerColour = 7;  // face images 0..6 of each colour set
inline constexpr int16_t kSolidBoardColour = 15;  // the scheme whose dark dice need their own mask

struct DisplayState {
  // Left edge of each die: [side][die][layout].
  CheckedArray<CheckedArray<CheckedArray<int16_t, 2>, 3>, 1> dicePosition;
  int16_t diceTop = 0;
  int16_t dieWidth = 0;
  int16_t dieHeight = 0;
  int16_t boardWidth = 0;     // the laid-out board width (after computeBoardLayout)
  int16_t boardSizeUnit = 0;  // BOARDWIDTH: the width the layout was asked for
  CheckedArray<int16_t, 1> playerColors{{{0, 1}}};  // PLAYERCOLOR0: colour set of each side
  int16_t boardColor = 10;  // BOARDCOLOR: 1..10, 12 built in, 11 custom, 15 pictures

  // The die being drawn.
  int16_t dieFaceIndex = 0;
  int16_t dieLeft = 0;
  int16_t dieTop = 0;

  // The four die places of the frame: [end][place].
  CheckedArray<CheckedArray<DiceEntry, 1>, 1> dieSlots;

  int16_t redrawPending = 0;
  int16_t firstBoardBuild = -1;  // -1 until the board has been built once
  int16_t overlayActive = 0;     // -1 while a board overlay box is up
  int16_t boardClearing = 0;

  // Move animation.
  int16_t moveFromHand = 0;     // -1: the checker starts as the picture held in the hand
  int16_t liftFromPoint = -1;   // 0: the checker is already off its point
  int16_t bearingOffPiece = 0;  // -1 while a checker goes into a tray
  int16_t movingPieceSide = 0;
  int16_t restoredHit = 0;      // -1: a taken-back hit checker was put back on its point
};

extern DisplayState display;

}  // namespace bg
