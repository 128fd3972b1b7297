#pragma once
// The move entry's own values between clicks: what the last pick-up and put-down found.
// The held checkers themselves are interactionDisplay.pickedCheckers with
// boardInput.pickedCount, the move in hand is `hand`.
#include <cstdint>

namespace bg {

inline constexpr int16_t kEmptyPickSlot = 99;
inline constexpr int16_t kMostHeldCheckers = 9;
inline constexpr int16_t kNoPointSelected = 99;

struct MoveEntryState {
  int16_t pickUpAccepted = 0;   // -1: the last pick-up click was accepted
  uint8_t barRefused = 0;       // 255: refused because checkers wait on the bar
  int16_t emptyPointClicks = 0; // clicks on empty points in a row
  int32_t lastMessage48Time = -1000;  // seconds of the day message 48 was last shown
  int16_t moveTakenBack = 0;    // -1: the put-down took back an earlier step
  int16_t trayClickTarget = 0;  // -1: the destination was a tray
  int16_t clickOnOwnStack = 0;
  int16_t clickOnTopSlot = 0;
  int16_t bearOffFromPoint = 0;
  int16_t triedSlot = 0;        // the slot of the held checker being checked
  int16_t typedMoveChecked = 0; // -1: the pending typed move passed the put-down checks
  uint8_t easyMoveReady = 0;    // 255: an Easy Move click found its checker (hand.selectedPoint)
  uint8_t easyMoveOnce = 0;     // 255: that click came from the tray zone, Easy Moves off
  int16_t waitingForMove = 0;   // -1 while move entry waits for a click: typed moves go in
};
extern MoveEntryState moveEntry;

}  // namespace bg
