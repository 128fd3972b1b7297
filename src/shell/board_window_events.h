#pragma once
// The board window's own events: the end of a resize and a zoom refit the board; the right
// button stands for the control-click of the move entry.
#include "runtime/qt/windows.h"

namespace bg {

void installBoardWindowHandler();
// True when the event was handled (the runtime then does nothing more with it).
bool boardWindowEventHandler(WindowEvent& e);
// A right click: on the mover's own turn with the dice showing, the click is taken as a
// control-click at the board centre.
void emulateControlClick();

}  // namespace bg
