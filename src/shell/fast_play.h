#pragma once
// Fast Play: the user's own options kept in one record while the fastest ones are in
// force, and given back when Fast Play is turned off.
#include <cstdint>

#include "state/fast_play_saved.h"

namespace bg {

inline constexpr int16_t kFastPieceSpeed = 11;

// Keeps the user's options, then sets the fast ones and moves their menu marks.
void enterFastPlay();
// Gives the kept options back (automatic rolls only while the cube is off) with their
// marks; when nothing was kept (Fast Play came from preferences that did not keep them)
// only clears the flag.
void leaveFastPlay();

}  // namespace bg
