#pragma once
// The board's own animations, paced on the microsecond clock inside the one thread and
// without pumping events: the block-by-block welcome reveal and the sliding cube.
#include <cstdint>

#include "runtime/qt/ports.h"

namespace bg {

// Reveals rect of source on destination in random blocks, then the rest at once.
void animateWelcome(const Rect& rect, GrafPtr source, GrafPtr destination);
// Slides the cube image of the current play direction's entry between two heights.
void animateCubeSlide(int16_t fromY, int16_t toY);
// Microseconds to wait per pixel of a cube slide over n pixels.
uint32_t cubeSlideStepDelay(int16_t n);

}  // namespace bg
