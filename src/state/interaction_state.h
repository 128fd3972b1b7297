#pragma once
// Values of the board interaction that the rules read and write: the move in hand,
// and the message line and panel flags.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/core/messages.h"
#include "runtime/core/pstring.h"

namespace bg {

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
  int16_t moveEntryActive = 0;   // the move entry loop runs while it is set
  CheckedArray<int16_t, 3> stepDistances{};  // the dice steps of the validated move
};

struct InteractionState {
  int16_t panelClickWaitActive = 0;
  int16_t replayingMove = 0;     // -1 while a move is replayed or the pieces redrawn
  uint8_t rollOverActive = 0;    // 255 while the roll-over runs
  CheckedArray<uint8_t, 1> playerRolledOver;
  int16_t messageNumber = kNoMessage;
  Str255 messageText;            // free text, "MM" prefix not shown
  int16_t clickedPoint = kNoClickYet;  // the hit-tested place of the last click

  // The in-board question panel.
  CheckedArray<Str255, 4> messageLines;  // lines 1..messageLineCount
  int16_t messageLineCount = 0;
  int16_t messageBoxLeft = 107;
  int16_t messageBoxTop = 68;
  int16_t panelAnswer = 0;       // answer of the last panel: 0 no, -1 yes

  // Take-back results the roll-over and the move entry read.
  uint8_t takeBackPending = 0;   // stays set when a take-back found nothing to undo
  int16_t takeBackFailed = 0;    // -1 when the last part-move take-back did not apply
  int16_t putBackDone = 0;       // -1 when the put-back rewrote the last part-move
};

extern HandState hand;
extern InteractionState interaction;

}  // namespace bg
