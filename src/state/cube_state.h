#pragma once
// The doubling cube, owned by the computer's cube code; a new game resets it.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

inline constexpr int16_t kCubeCentred = 2;
inline constexpr int16_t kHighestCube = 64;
inline constexpr int16_t kBeaverMode = 9;

// The cube's faces: 1, 2, 4 ... 64.
inline constexpr bool isCubeValue(int32_t v) {
  for (int32_t c = 1; c <= kHighestCube; c *= 2)
    if (v == c) return true;
  return false;
}

struct CubeState {
  int16_t cubeValue = 1;
  int16_t cubeOwner = kCubeCentred;
  CheckedArray<int16_t, 1> playerDeclined;  // -1: the side dropped a double
  int16_t doublePending = 0;  // -1 while the side on roll doubles or a double awaits its answer
  int16_t cubeOwnerBeforeDouble = kCubeCentred;
  int16_t doubleTaken = 0;      // -1: the doubled side takes
  int16_t doubleAllowed = 0;    // -1: the side on roll may double
  int16_t beaverMode = 0;       // kBeaverMode while a beaver is judged for the doubled side
  int16_t beaverClick = 0;      // 1: a beaver is judged or awaited, -1: beaver chosen
  int16_t cubeJustDoubled = 0;  // -1: the next drawing of the cube slides it

  // The cube rules in force, each stored by its option and by the preferences.
  int16_t cubeUsed = -1;        // CUBEUSED
  int16_t cubeMaximum = 64;     // CUBEMAXIMUM
  int16_t autoDoubleMax = 0;    // AUTODOUBLEMAX
  int16_t beaverAllowed = 0;    // BEAVERALLOWED
  int16_t acceptDoubles = 0;    // ACCEPTDOUBLES: the computer takes every double
  int16_t jacobyRule = 0;       // JACOBYRULE
  uint8_t crawfordRule = 255;
};

extern CubeState cube;

}  // namespace bg
