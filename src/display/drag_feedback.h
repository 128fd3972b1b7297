#pragma once
// The checker held in the hand follows the mouse over the board, keeping the board
// pixels under it in a checker-sized save-under buffer.
#include <cstdint>

#include "runtime/qt/qd_types.h"
#include "runtime/qt/regions.h"

namespace bg {

struct DragFeedback {
  Point dragPos;                   // the mouse where the image was last drawn
  int16_t dragFirstStep = 0;       // -1 until the first step after a pick-up
  RgnHandle dragPreviousRgn = nullptr;
};
extern DragFeedback drag;

// Microseconds of rest after which the tracker returns.
inline constexpr uint32_t kDragRestUs = 100000;

void trackDraggedPiece();
void drawDraggedPiece();
void redrawHeldPiece();
void eraseDraggedPiece();
void offsetDragRegion();
void updateDragClip();
void rebuildDragRegions();

}  // namespace bg
