#pragma once
// The program's spine: the main loop alternates between the event pump and the game
// loop, which starts games and plays them turn after turn.
#include <cstdint>

namespace bg {

// Clears modalBusy, then { one slice of the event pump; unless a modal dialog runs, the
// game loop } until quitRequested is set.
void runMainLoop();

// Plays turn after turn, starting a new game when one was requested and applying a changed
// opponent mode; returns when a new game is requested while a modal dialog runs, and before
// any turn once a quit has been requested.
void gameLoopStep();

// Reads the modifier keys for the click being handled: Command makes it an automatic
// move with both dice, Shift (or a right click) one in the other die order, or a take-back.
// Returns -1 when the running wait is to end now, else 0.
int16_t readAutoMoveModifiers();

// Posts a click 70 pixels right of the board centre (the dice) for the next board wait;
// installed as postClickAtBoardCorner.
void postClickAtDice();

// Puts the game flow's routines into the rules' service tables and the flow's own
// command entries of turnServices.
void installFlowServices();

}  // namespace bg
