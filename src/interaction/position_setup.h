#pragma once
// The position-setup editor: the board is emptied and the person lays out any position by
// picking checkers up and putting them down as in play, presses Done, says who owns the
// cube (and its value) and whose roll it is, chooses the dice, and play goes on from there.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct PositionSetupState {
  int16_t askingWhoseCube = 0;  // -1 while the "Whose Cube?" chooser waits
  int16_t askingWhoseRoll = 0;  // -1 while the "Whose Roll?" chooser waits
  // The editor's menu items as they were before it disabled them.
  CheckedArray<uint8_t, 11> itemsEnabledBefore{};
};
extern PositionSetupState positionSetup;

// The menu command: all checkers into the trays, then the editor.
void startPositionSetup();
void clearBoardForSetup();
// The editor on the board as it stands.
void setUpPosition();
// One held checker back where it came from; nothing when none is held.
void putBackOneHeldChecker();
// Both sides have a checker on the board or the bar.
bool bothSidesPlaced();

}  // namespace bg
