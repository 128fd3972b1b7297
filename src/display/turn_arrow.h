#pragma once
// The arrow in the frame that shows whose turn it is, in the mover's colour, and the "R"
// at the top that tells a human side it may still roll over; with the routine that
// switches the roll-over option, its menu mark and its marker.
#include <cstdint>

#include "runtime/qt/qd_types.h"
#include "runtime/qt/regions.h"

namespace bg {

struct TurnArrowState {
  int16_t turnArrowRight = 0;  // right edge of the arrow area at the last drawing
  Rect turnArrowRect;          // the area last restored
  RgnHandle turnArrowClipRgn = nullptr;
};
extern TurnArrowState turnArrow;

void drawTurnArrow();
void drawTurnArrowPictured();
void clearTurnArrowArea();
void drawRollOverMarker();
void clearRollOverMark();
// Switches the roll-over option over, with its menu mark and the marker; at the top skill
// against the computer it can only be switched off.
void updateRollOverDisplay();

}  // namespace bg
