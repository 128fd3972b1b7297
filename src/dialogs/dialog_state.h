#pragma once
// Which dialog window is in front and where to go back to when it closes, and which push
// buttons the front box has (for the button flash of Return and Escape).
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kBoardWindowNumber = 1;
inline constexpr uint8_t kButtonPresent = 255;

struct DialogWindows {
  int16_t modalDialogWnd = kBoardWindowNumber;  // the dialog window in front, 1 = the board
  int16_t savedOutputWnd = kBoardWindowNumber;  // the window to go back to, 0 treated as the board
  CheckedArray<uint8_t, 2> dialogFlags;         // [n] 255 when push button n exists
};
extern DialogWindows dialogWindows;

// The board's dialog callback, put back whenever a dialog returns to the board (the
// shell installs it at start-up).
struct DialogReturn {
  void (*boardDialogEvent)() = nullptr;
};
extern DialogReturn dialogReturn;

// Every dialog takes the menus away while it is open and gives them back when it closes,
// unless a rollout still holds the board (its window open, or its game not yet given back).
void disableAllMenus();
void enableAllMenus();
// Closes the dialog in front and goes back to the window it was opened over: a dialog
// underneath keeps the dispatcher and the disabled menus; the board, or the note pad or
// help window beside it, gets the board's callback and the menus back.
void returnToBoardWindow();
// The same way back, for a dialog that has closed its own window.
void returnFromClosedDialog();
// The windows under which the menus stay on: the board and the text windows beside it.
bool windowKeepsMenus(int16_t n);
// The board's callback back, or the dispatcher while a rollout holds the board.
void installBoardDialogCallback();
// The board's callback and the menus back, unless a box is still up: it keeps them until
// it closes.
void backToBoardServices();

}  // namespace bg
