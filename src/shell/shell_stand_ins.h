#pragma once
// Least forms of routines whose owners land later: each makes only its state change.
#include <cstdint>

namespace bg {

[[noreturn]] void quitGame();  // ends the process
// Runs the one-letter command in the key buffer; until the keyboard commands land only
// the letters whose commands exist act (M, S, C).
void doKeyDown();
void showGameWindows();

}  // namespace bg
