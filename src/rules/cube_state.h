#pragma once
// The doubling cube, owned by the computer's cube code; a new game resets it.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kCubeCentred = 2;

struct CubeState {
  int16_t cubeValue = 1;
  int16_t cubeOwner = kCubeCentred;
  CheckedArray<int16_t, 1> playerDeclined;  // -1: the side dropped a double
  int16_t doublePending = 0;  // -1 while the side on roll doubles or a double awaits its answer
};

extern CubeState cube;

}  // namespace bg
