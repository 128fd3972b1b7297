#pragma once
// Least forms of routines whose owners land later: each makes only its state change.
#include <cstdint>

namespace bg {

[[noreturn]] void quitGame();  // ends the process
void installSubmenus();
// Runs the one-letter command in the key buffer; until the keyboard commands land only
// the letters whose commands exist act (M, S, C).
void doKeyDown();
// Fast Play keeps the user's options and sets the fast ones; until the dialogs land the
// options stay as they are (the pauses already follow the Fast Play flag).
void enterFastPlay();
void leaveFastPlay();
void showGameWindows();

}  // namespace bg
