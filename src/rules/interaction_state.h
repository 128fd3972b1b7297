#pragma once
// Values of the board interaction that the rules read and write: the move in hand,
// and the message line and panel flags.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kNoMessage = 999;
inline constexpr int16_t kNoClickYet = 40;  // clickedPoint before any click

// The move in hand: set by move entry (or the computer's play) before a checker moves.
struct HandState {
  int16_t selectedPoint = 0;    // from-point; the side's bar index for a checker on the bar
  int16_t moveToPoint = 0;      // landing point
  int16_t moveDistance = 0;     // pips
  int16_t dieIndex = 0;
  int16_t typedMovePending = 0;  // -1 while a typed or automatic move is pending
  int16_t typedMoveStep = 0;     // step of the validated move being entered
  int16_t moveStepCount = 0;     // steps of the validated move
  int16_t pieceInHand = 0;       // -1 while the user moves a checker
  int16_t piecePicked = 0;
  int16_t diceClicked = 0;
  int16_t boardWaitActive = 0;   // -1 while the board wait runs
};

struct InteractionState {
  int16_t panelClickWaitActive = 0;
  int16_t replayingMove = 0;     // -1 while a move is replayed or the pieces redrawn
  uint8_t rollOverActive = 0;    // 255 while the roll-over runs
  CheckedArray<uint8_t, 1> playerRolledOver;
  int16_t messageNumber = kNoMessage;
  Str255 messageText;            // free text, "MM" prefix not shown
  int16_t requestWhoIsAhead = 0;  // -1 when a board click asked who is ahead
  int16_t clickedPoint = kNoClickYet;  // the hit-tested place of the last click
};

extern HandState hand;
extern InteractionState interaction;

}  // namespace bg
