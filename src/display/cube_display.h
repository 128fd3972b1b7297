#pragma once
// The doubling cube in the side frame: at the bottom for player 0, at the top for
// player 1, centred when nobody owns it; it slides to its new place after a double.
#include <cstdint>
#include <string>

#include "runtime/qt/ports.h"

namespace bg {

struct CubeDisplay {
  GWorldPtr cubeWorld = nullptr;  // the cube with its value, made again on every draw
};
extern CubeDisplay cubeDisplay;

void drawCube();
void eraseCubeAtOldPlace();
// The value text of the painted cube: "64" for the centred cube, else the last digit
// below 9 and the last two digits from 9.
std::string cubeValueText(int16_t value);
// The picture board's face for a value: its power of two.
int16_t cubeFaceOf(int16_t value);

}  // namespace bg
