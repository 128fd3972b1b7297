#include "display/drag_feedback.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "display/checker_animation.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "display/world_housekeeping.h"
#include "runtime/core/clock.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/input.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

DragFeedback drag;
BG_RESETS_WITH_PROGRAM(drag);

namespace {

constexpr int16_t kHeldTextSize = 12;
constexpr int16_t kOrMode = 1;
// How often a resting hand looks at the mouse: well within a frame of the flights.
constexpr uint32_t kMouseLookUs = 4000;

uint32_t nowUs() { return static_cast<uint32_t>(microseconds()); }

void heldTextStyle() {
  textFont(shellWindow.textFont);
  textSize(kHeldTextSize);
  textFace(shellWindow.textFace);
  textMode(kOrMode);
}

Point mouseOnBoard() {
  GrafPtr window = windowPort(kBoardWindow);
  const GrafPtr saved = getPort();
  if (window != nullptr) setPort(window);
  const Point mouse = getMouse();
  setPort(saved);
  return mouse;
}

// What a window rectangle or region becomes in a buffer under the hand: the grab offset
// less the held image's place.
Point handOffset(int16_t grabH, int16_t grabV) {
  return {static_cast<int16_t>(grabH - drag.dragPos.h),
          static_cast<int16_t>(grabV - drag.dragPos.v + layout.heldPieceDrop)};
}

Rect movedBy(Rect r, Point by) {
  offsetRect(r, by.h, by.v);
  return r;
}

// A copy between two ports through a clip given in the destination's coordinates.
void copyThrough(GrafPtr from, GrafPtr to, const Rect& fromRect, const Rect& toRect, const Region* clip) {
  if (from == nullptr || to == nullptr || clip == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(to);
  setClip(clip);
  copyOffscreenToWindow(from, to, fromRect, toRect);
  setPort(saved);
}

// The landing's outline (less what it may not cover) where it meets the hand, in the
// held buffer's coordinates; a new region the caller disposes.
RgnHandle landingUnderHand(bool lessOccluder) {
  BoardImages& I = boardImages;
  RgnHandle clip = newRgn();
  if (I.landingRgn != nullptr) copyRgn(I.landingRgn, clip);
  if (lessOccluder && I.occluderRgn != nullptr) diffRgn(clip, I.occluderRgn, clip);
  if (I.dragClipRegion != nullptr)
    sectRgn(clip, I.dragClipRegion, clip);
  else
    setEmptyRgn(clip);
  const Point by = handOffset(I.heldGrabH, I.heldGrabV);
  offsetRgn(clip, by.h, by.v);
  return clip;
}

void clipToBoardRegion() {
  if (boardImages.boardClipRgn != nullptr)
    setClip(boardImages.boardClipRgn);
  else
    clipRect(layout.boardRect);
}

}  // namespace

void trackDraggedPiece() {
  GrafPtr window = windowPort(kBoardWindow);
  // Under a box the mouse is the box's: following it here would keep the wait from serving
  // the box for as long as the mouse moves.
  if (boardInput.pickedCount <= 0 || window == nullptr || modalWindowUp()) return;
  const GrafPtr saved = getPort();
  setPort(window);
  heldTextStyle();
  Point mouse = mouseOnBoard();
  boardInput.clickH = mouse.h;
  boardInput.clickV = mouse.v;
  // The mouse off the left or top of the board, or the button up with nothing delivered,
  // ends the tracking: the mouse is not followed there, and waiting for it to come back
  // would never end where the mouse follows only delivered events.
  while (!(mouse == drag.dragPos) && mouse.h > 0 && mouse.v > 0) {
    offsetDragRegion();
    updateDragClip();
    setPort(window);
    if (boardImages.dragClipRegion != nullptr) setClip(boardImages.dragClipRegion);
    drawDraggedPiece();
    if (drag.dragPreviousRgn != nullptr) offsetRgn(drag.dragPreviousRgn, animation.stepDeltaH, animation.stepDeltaV);
    drag.dragPos = mouse;
    uint32_t clock = nowUs();
    for (;;) {
      if (button()) break;
      mouse = mouseOnBoard();
      clock = nowUs();
      const uint32_t rested = clock - boardState.animationClock;
      if (rested >= kDragRestUs || !(mouse == drag.dragPos)) break;
      sleepUntilUs(clock + std::min(kMouseLookUs, kDragRestUs - rested));
    }
    boardState.animationClock = clock;
    boardInput.clickH = mouse.h;
    boardInput.clickV = mouse.v;
    if (button()) break;
  }
  clipToBoardRegion();
  setPort(saved);
}

void drawDraggedPiece() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const int16_t colour = display.playerColors[position.currentPlayer];
  copyOffscreenToWindow(boardImages.pieceImageWorlds[colour], window, boardImages.pieceRects[colour],
                        boardImages.dragImageRect);
  const BoardLayout& L = layout;
  if (boardInput.pickedCount > 1 && boardInput.clickV < L.boardHeight - L.pieceHeight / 3) {
    textMode(kOrMode);
    textSize(static_cast<int16_t>(L.textSize - (display.boardColor == kPictureBoard ? 3 : 1)));
    setDrawColor(roles.pieceColors[display.playerColors[1 - position.currentPlayer]]);
    moveTo(boardImages.dragImageRect.left + boardImages.dragCountOffsetH,
           boardImages.dragImageRect.top + boardImages.dragCountOffsetV);
    const std::string count = std::to_string(boardInput.pickedCount);
    drawChar(count.back());
    penNormal();
  }
  flushWindow(kBoardWindow);
}

void redrawHeldPiece() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  heldTextStyle();
  if (boardImages.dragClipRegion != nullptr) setClip(boardImages.dragClipRegion);
  drawDraggedPiece();
  clipToBoardRegion();
  setPort(saved);
}

void eraseDraggedPiece() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || (hand.pieceInHand == 0 && hand.piecePicked == 0)) return;
  const GrafPtr saved = getPort();
  setPort(window);
  if (boardImages.dragClipRegion != nullptr) setClip(boardImages.dragClipRegion);
  copyOffscreenToWindow(boardImages.offscreenWorld, window, boardImages.movingUnderRect, boardImages.dragImageRect);
  flushWindow(kBoardWindow);
  clipToBoardRegion();
  setPort(saved);
}

void offsetDragRegion() {
  BoardImages& I = boardImages;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || I.dragClipRegion == nullptr || drag.dragPreviousRgn == nullptr) return;
  const GrafPtr saved = getPort();
  const auto dh = static_cast<int16_t>(boardInput.clickH - drag.dragPos.h);
  const auto dv = static_cast<int16_t>(boardInput.clickV - drag.dragPos.v);
  animation.stepDeltaH = dh;
  animation.stepDeltaV = dv;
  offsetRgn(I.dragClipRegion, dh, dv);
  RgnHandle uncovered = newRgn();
  diffRgn(drag.dragPreviousRgn, I.dragClipRegion, uncovered);
  setPort(window);
  setClip(uncovered);
  copyOffscreenToWindow(I.offscreenWorld, window, I.movingUnderRect, I.dragImageRect);
  disposeRgn(uncovered);
  offsetRect(I.dragImageRect, dh, dv);
  setPort(saved);
}

void updateDragClip() {
  BoardImages& I = boardImages;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || I.offscreenWorld == nullptr) return;
  const GrafPtr saved = getPort();
  const BoardLayout& L = layout;
  RgnHandle newlyCovered = newRgn();
  if (drag.dragFirstStep != -1 && I.dragClipRegion != nullptr && drag.dragPreviousRgn != nullptr) {
    diffRgn(I.dragClipRegion, drag.dragPreviousRgn, newlyCovered);
    const int dh = boardInput.clickH - drag.dragPos.h;
    const int dv = boardInput.clickV - drag.dragPos.v;
    const int ow = std::max(0, L.pieceWidth - std::abs(dh));
    const int oh = std::max(0, L.pieceHeight - std::abs(dv));
    const int sx = dh > 0 ? dh : 0;
    const int tx = dh > 0 ? 0 : -dh;
    const int sy = dv > 0 ? dv : 0;
    const int ty = dv > 0 ? 0 : -dv;
    if (ow > 0 && oh > 0 && I.dragScratchWorld != nullptr) {
      setPort(I.dragScratchWorld);
      clipRect(I.dragScratchWorld->bounds());
      copyOffscreenToWindow(I.offscreenWorld, I.dragScratchWorld, makeRect(sx, sy, sx + ow, sy + oh),
                            makeRect(tx, ty, tx + ow, ty + oh));
      setPort(I.offscreenWorld);
      setClip(I.movingUnderRgn);
      copyOffscreenToWindow(I.dragScratchWorld, I.offscreenWorld, I.movingUnderRect, I.movingUnderRect);
    }
    offsetRgn(newlyCovered, -I.dragImageRect.left, -I.dragImageRect.top);
    setPort(I.offscreenWorld);
    sectRgn(newlyCovered, I.movingUnderRgn, newlyCovered);
    setClip(newlyCovered);
  } else {
    setPort(I.offscreenWorld);
    setClip(I.movingUnderRgn);
  }
  copyOffscreenToWindow(window, I.offscreenWorld, I.dragImageRect, I.movingUnderRect);
  disposeRgn(newlyCovered);
  setPort(saved);
  drag.dragFirstStep = 0;
}

void rebuildDragRegions() {
  BoardImages& I = boardImages;
  for (RgnHandle* rgn : {&I.dragClipRegion, &drag.dragPreviousRgn}) {
    if (*rgn != nullptr) disposeRgn(*rgn);
    *rgn = newRgn();
    if (I.pieceShapeRgn != nullptr) copyRgn(I.pieceShapeRgn, *rgn);
    offsetRgn(*rgn, I.dragImageRect.left, I.dragImageRect.top);
  }
}

void blitWithClip() {
  BoardImages& I = boardImages;
  copyThrough(I.offscreenWorld, I.heldUnderWorld, I.movingUnderRect, I.heldUnderRect, I.heldUnderRgn);
}

void blitWithClipB() {
  BoardImages& I = boardImages;
  copyThrough(windowPort(kBoardWindow), I.offscreenWorld, I.landingRect, I.movingUnderRect, I.movingUnderRgn);
}

void blitIntersectRegion() {
  BoardImages& I = boardImages;
  RgnHandle clip = landingUnderHand(false);
  const Rect at = movedBy(I.landingRect, handOffset(I.heldGrabH, I.heldGrabV));
  copyThrough(I.offscreenWorld, I.heldUnderWorld, I.movingUnderRect, at, clip);
  disposeRgn(clip);
}

void blitWithClipC() {
  BoardImages& I = boardImages;
  copyThrough(I.heldUnderWorld, I.offscreenWorld, I.heldUnderRect, I.movingUnderRect, I.movingUnderRgn);
}

void blitDiffRegion() {
  BoardImages& I = boardImages;
  if (I.dragClipRegion == nullptr) return;
  RgnHandle clip = newRgn();
  copyRgn(I.dragClipRegion, clip);
  if (I.landingRgn != nullptr) diffRgn(clip, I.landingRgn, clip);
  const Point by = handOffset(I.dragGrabH, I.dragGrabV);
  offsetRgn(clip, by.h, by.v);
  copyThrough(I.heldUnderWorld, I.offscreenWorld, I.heldUnderRect, I.movingUnderRect, clip);
  disposeRgn(clip);
}

void blitCheckerRect() {
  BoardImages& I = boardImages;
  if (I.heldUnderWorld == nullptr) return;
  RgnHandle clip = landingUnderHand(false);
  const GrafPtr saved = getPort();
  setPort(I.heldUnderWorld);
  setClip(clip);
  drawTrayPieceImage(movedBy(I.landingRect, handOffset(I.heldGrabH, I.heldGrabV)), display.movingPieceSide);
  setPort(saved);
  disposeRgn(clip);
}

void blitCheckerRectB() {
  BoardImages& I = boardImages;
  if (I.heldUnderWorld == nullptr) return;
  RgnHandle clip = landingUnderHand(true);
  const GrafPtr saved = getPort();
  setPort(I.heldUnderWorld);
  setClip(clip);
  // The checker image goes where the caller puts heldUnderRect; the whole-buffer copies
  // keep using the buffer's own rectangle.
  const Rect whole = I.heldUnderRect;
  I.heldUnderRect = movedBy(I.landingRect, handOffset(I.heldGrabH, I.heldGrabV));
  blitPieceImage();
  I.heldUnderRect = whole;
  setPort(saved);
  disposeRgn(clip);
}

}  // namespace bg
