#pragma once
// Least forms of routines whose owners land later: each makes only its state change.
#include <cstdint>

namespace bg {

void showGameWindows();

}  // namespace bg
