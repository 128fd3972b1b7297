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

// The buffer copies that keep the picture under the hand right while one of several held
// checkers leaves it. The held buffer (heldUnderWorld) keeps the board under the hand;
// the moving buffer (offscreenWorld) serves the sliding checker meanwhile. Each leaves
// the current port as it found it.
void blitWithClip();         // moving buffer into the held buffer, whole
void blitWithClipB();        // the window's landingRect into the moving buffer
void blitIntersectRegion();  // moving buffer into the held buffer where the landing meets the hand
void blitWithClipC();        // held buffer into the moving buffer, whole
void blitDiffRegion();       // held buffer into the moving buffer outside the landing
void blitCheckerRect();      // the tray checker of movingPieceSide into the held buffer at landingRect
void blitCheckerRectB();     // the current player's checker into the held buffer at landingRect

}  // namespace bg
