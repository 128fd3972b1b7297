#include "display/checker_stacks.h"

#include <cstdlib>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/checker_animation.h"
#include "display/drag_feedback.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"

namespace bg {

CheckerStacks stacks;
BG_RESETS_WITH_PROGRAM(stacks);

namespace {

// Points 0 to 12 stack each checker in front of the one before; above 12, behind it.
constexpr int16_t kLastFrontStackingPoint = 12;
constexpr int16_t kLowerBarEnd = 25;

RgnHandle& ensure(RgnHandle& rgn) {
  if (rgn == nullptr) rgn = newRgn();
  return rgn;
}

// The checker outline placed at a slot.
void outlineAt(RgnHandle rgn, const Rect& slot) {
  copyRgn(boardImages.pieceShapeRgn, rgn);
  offsetRgn(rgn, slot.left, slot.top);
}

// The band of the field's lower edge in front of a layer's first checker on 13 to 24.
Rect bandOf(const Rect& slot) {
  if (layout.stackPoint == kLowerBarEnd) return Rect{};
  return makeRect(slot.left, layout.fieldBottom - 1, slot.left + layout.pieceWidth, slot.bottom);
}

// What a checker landing as n may not cover: nothing on 0 to 12; above 12 the checker
// before it, or the band for the first of a layer.
void occluderFor(int16_t n, const Rect& slot) {
  BoardImages& I = boardImages;
  ensure(I.occluderRgn);
  setEmptyRgn(I.occluderRgn);
  I.occluderRect = Rect{};
  if (layout.stackPoint <= kLastFrontStackingPoint) return;
  if (n % kStackWrap == 1) {
    I.occluderRect = bandOf(slot);
    if (!emptyRect(I.occluderRect)) rectRgn(I.occluderRgn, I.occluderRect);
  } else {
    I.occluderRect = pieceSlot(static_cast<int16_t>(n - 1));
    outlineAt(I.occluderRgn, I.occluderRect);
  }
}

// Checker n of the stack in the window, clipped to its landing shape less what may not
// be covered and to the limit area.
void drawStackChecker(GrafPtr window, int16_t n, const Region* limit) {
  BoardImages& I = boardImages;
  const Rect slot = pieceSlot(n);
  occluderFor(n, slot);
  RgnHandle clip = newRgn();
  outlineAt(clip, slot);
  diffRgn(clip, I.occluderRgn, clip);
  if (limit != nullptr) sectRgn(clip, limit, clip);
  I.landingRect = slot;
  setPort(window);
  setClip(clip);
  copyPieceToLanding();
  disposeRgn(clip);
}

// A checker going into the hand: the hand's save-under was taken before the lift, so
// where the emptied slot lies under the hand it takes the repaired window instead.
void repairUnderHand(const Region* slotArea) {
  BoardImages& I = boardImages;
  GrafPtr window = windowPort(kBoardWindow);
  if (I.offscreenWorld == nullptr || I.dragClipRegion == nullptr) return;
  RgnHandle under = newRgn();
  sectRgn(slotArea, I.dragClipRegion, under);
  offsetRgn(under, static_cast<int16_t>(I.movingUnderRect.left - I.dragImageRect.left),
            static_cast<int16_t>(I.movingUnderRect.top - I.dragImageRect.top));
  setPort(I.offscreenWorld);
  setClip(under);
  copyOffscreenToWindow(window, I.offscreenWorld, I.dragImageRect, I.movingUnderRect);
  setPort(window);
  disposeRgn(under);
  stacks.liftRect = I.dragImageRect;
}

}  // namespace

Rect pieceSlot(int16_t n) {
  pieceStackOffset(n);
  const BoardLayout& L = layout;
  return makeRect(L.stackPieceX, L.stackPieceY, L.stackPieceX + L.pieceWidth, L.stackPieceY + L.pieceHeight);
}

void liftTopChecker() {
  const int16_t p = layout.stackPoint;
  const int16_t n = stacks.stackIndex;
  position.board[p] = static_cast<int16_t>(position.board[p] - position.playerDirection[position.currentPlayer]);
  if (rolloutHidesBoard()) return;
  stacks.liftRect = pieceSlot(n);
  stacks.stackIndex = static_cast<int16_t>(n - 1);
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  const GrafPtr saved = getPort();
  // The slot shows the board again with the rest of the stack over it, drawn in the
  // order and with the overlaps of a fresh redraw, so nothing the checker covered is lost.
  RgnHandle area = newRgn();
  outlineAt(area, stacks.liftRect);
  setPort(window);
  setClip(area);
  copyOffscreenToWindow(boardImages.boardWorld, window, stacks.liftRect, stacks.liftRect);
  for (int16_t k = 1; k < n; ++k) drawStackChecker(window, k, area);
  pieceStackOffset(n);
  if (hand.piecePicked == -1)
    repairUnderHand(area);
  else
    drawMovingPiece(stacks.liftRect.left, stacks.liftRect.top);
  disposeRgn(area);
  clipRect(layout.boardRect);
  flushWindow(kBoardWindow);
  setPort(saved);
}

void drawMovingPiece(int16_t left, int16_t top) {
  BoardImages& I = boardImages;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || I.offscreenWorld == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(I.offscreenWorld);
  clipRect(I.movingUnderRect);
  const Rect from = makeRect(left, top, left + layout.pieceWidth, top + layout.pieceHeight);
  copyOffscreenToWindow(window, I.offscreenWorld, from, I.movingUnderRect);
  setPort(saved);
}

void addPieceToPoint() {
  const int16_t p = layout.stackPoint;
  if (stacks.keepBoardCounts != 255) {
    position.board[p] = static_cast<int16_t>(position.board[p] + position.playerDirection[position.currentPlayer]);
  }
  if (!rolloutHidesBoard()) drawPieceAtPoint();
}

void drawPieceAtPoint() {
  GrafPtr window = windowPort(kBoardWindow);
  stacks.neighbourRedrawRequest = 0;  // the slide put back what it drew over
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  BoardImages& I = boardImages;
  // With checkers held, the part under the hand goes into the picture kept under it.
  const bool underHand = boardInput.pickedCount > 0 && stacks.placingAllCheckers == 0 && I.dragClipRegion != nullptr;
  RgnHandle outsideHand = nullptr;
  if (underHand) {
    outsideHand = newRgn();
    rectRgn(outsideHand, layout.boardRect);
    diffRgn(outsideHand, I.dragClipRegion, outsideHand);
  }
  drawStackChecker(window, stacks.stackIndex, outsideHand);
  if (underHand) {
    outlineAt(ensure(I.landingRgn), I.landingRect);
    blitCheckerRectB();
    disposeRgn(outsideHand);
  }
  pieceSlot(stacks.stackIndex);
  clipRect(layout.boardRect);
  setPort(saved);
}

void pieceSlotRect() {
  const int16_t n = stacks.stackIndex;
  const Rect slot = pieceSlot(n);
  occluderFor(n, slot);
  pieceStackOffset(n);
}

void drawAllPieces() {
  // A redraw in the middle of a drop from the hand (a landing's sound lets a resize in):
  // the drop is the move's, and a checker placed here must not take one out of the hand.
  const int16_t dropping = animation.droppingHeldChecker;
  animation.droppingHeldChecker = 0;
  stacks.keepBoardCounts = 255;
  stacks.placingAllCheckers = -1;
  position.piecesOnBoard[0] = 0;
  position.piecesOnBoard[1] = 0;
  hand.selectedPoint = -1;
  for (int16_t p = 0; p <= 25; ++p) {
    const int16_t count = position.board[p];
    if (count == 0) continue;
    const bool sideZero = (count > 0) == (position.playerDirection[0] > 0);
    position.currentPlayer = sideZero ? 0 : 1;
    position.otherPlayer = static_cast<int16_t>(1 - position.currentPlayer);
    for (int16_t n = 1; n <= std::abs(count); ++n) {
      hand.selectedPoint = -1;
      layout.stackPoint = p;
      stacks.stackIndex = n;
      setEmptyRgn(ensure(boardImages.occluderRgn));
      hand.moveToPoint = p;
      animateCheckerMove(0, 0);
    }
  }
  stacks.placingAllCheckers = 0;
  stacks.keepBoardCounts = 0;
  animation.droppingHeldChecker = dropping;
}

}  // namespace bg
