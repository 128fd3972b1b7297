#pragma once
// The position-setup editor: the board is emptied and the person lays out any position by
// picking checkers up and putting them down as in play, presses Done, says who owns the
// cube (and its value) and whose roll it is, chooses the dice, and play goes on from there.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/game_record_state.h"
#include "state/position.h"

namespace bg {

// The game as it stood when the editor began, given back when the editor ends on a board
// Done would refuse.
struct GameBeforeEditor {
  Position position;
  CheckedArray<DiceEntry, 3> dice;
  CheckedArray<int16_t, 3> rolledDice;
  int16_t rolledDoubles = 0;
  int16_t diceShowing = 0;
  int16_t cubeValue = 1;
  int16_t cubeOwner = kCubeCentred;
  GameRecord record;
  int16_t turnNumber = 1;
  int16_t movesAllowed = 0;
  int16_t movesLeft = 0;
  int16_t moveNumber = 0;
};

struct PositionSetupState {
  int16_t askingWhoseCube = 0;  // -1 while the "Whose Cube?" chooser waits
  int16_t askingWhoseRoll = 0;  // -1 while the "Whose Roll?" chooser waits
  // The editor's menu items as they were before it disabled them.
  CheckedArray<uint8_t, 11> itemsEnabledBefore{};
  GameBeforeEditor before;
  int16_t gameKept = 0;  // -1 once `before` holds the game of the editor now running
};
extern PositionSetupState positionSetup;

// The menu command: all checkers into the trays, then the editor.
void startPositionSetup();
void clearBoardForSetup();
// The editor on the board as it stands.
void setUpPosition();
// One held checker back where it came from; nothing when none is held.
void putBackOneHeldChecker();
// Every held checker back where it came from, in the editor or in play.
void putBackEveryHeldChecker();
// While the editor runs, its menu items off again after the menus were marked anew (a
// window closed); the editor gives them back their state when it ends.
void keepSetupMenusOff();
// The editor's box (the Done prompt or a chooser) drawn again at the board's present size,
// after a resize took it down.
void showSetupBoxAgain();
// Both sides have a checker on the board or the bar.
bool bothSidesPlaced();
// From the editor's start to its end, its dice panel included.
bool setupEditorRunning();

}  // namespace bg
