#include "display/checker_animation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "state/board_state.h"
#include "display/checker_stacks.h"
#include "state/display_settings.h"
#include "display/drag_feedback.h"
#include "display/move_markers.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "display/world_housekeeping.h"
#include "rules/side_to_move.h"
#include "runtime/core/clock.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/input.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/sound_services.h"
#include "state/storage_state.h"

namespace bg {

PieceAnimation animation;
BG_RESETS_WITH_PROGRAM(animation);

namespace {

constexpr uint32_t kFrameIntervalUs = 8000;
constexpr int16_t kLastFrontStackingPoint = 12;
constexpr int16_t kLowerBarEnd = 25;
constexpr int16_t kEmptyPick = 99;
constexpr int16_t kHighestPick = 9;
constexpr float kShallowSlope = 0.15f;
constexpr int16_t kBandReach = 60;  // how far the band occluder reaches beside the slot
constexpr int16_t kSteepSlope = 6;

uint32_t nowUs() { return static_cast<uint32_t>(microseconds()); }

bool fastSystem() { return shellWindow.osVersionValue > 9; }

Rect checkerAt(int16_t x, int16_t y) {
  return makeRect(x, y, x + layout.pieceWidth, y + layout.pieceHeight);
}

void outlineAt(RgnHandle rgn, const Rect& r) {
  copyRgn(boardImages.pieceShapeRgn, rgn);
  offsetRgn(rgn, r.left, r.top);
}

GrafPtr currentPieceImage() { return boardImages.pieceImageWorlds[display.playerColors[position.currentPlayer]]; }

// The window's pixels at r into the moving checker's save-under buffer.
void saveUnder(GrafPtr window, const Rect& r) {
  BoardImages& I = boardImages;
  if (I.offscreenWorld == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(I.offscreenWorld);
  setClip(I.movingUnderRgn);
  copyOffscreenToWindow(window, I.offscreenWorld, r, I.movingUnderRect);
  setPort(saved);
}

// The save-under buffer back onto the window at r.
void restoreUnder(GrafPtr window, const Rect& r) {
  RgnHandle shape = newRgn();
  outlineAt(shape, r);
  setPort(window);
  setClip(shape);
  copyOffscreenToWindow(boardImages.offscreenWorld, window, boardImages.movingUnderRect, r);
  disposeRgn(shape);
}

int16_t clampToward(int16_t value, int16_t target, int16_t step) {
  return step > 0 ? std::min(value, target) : std::max(value, target);
}

}  // namespace

PiecePace piecePace(int16_t n, float distance) {
  PiecePace pace;
  const int16_t speed = std::clamp<int16_t>(displaySettings.pieceSpeed, 1, 11);
  const float width = display.boardWidth;
  float time = static_cast<float>(3.0 * (n + 0.5 * width) / (1.5 * width));
  time = time / static_cast<float>(speed);
  auto delay = static_cast<int32_t>(std::trunc(1000000.0f * time / static_cast<float>(n)));
  delay = static_cast<int32_t>(std::trunc(delay * (fastSystem() ? 0.5 : 1.3)));
  if (speed == 10) delay = static_cast<int32_t>(std::trunc(delay * 0.6));
  if (speed == 11) delay = static_cast<int32_t>(std::trunc(delay * 0.3));
  pace.delay = delay;
  const auto rampCap = static_cast<int32_t>(std::trunc(layout.pieceWidth * 4.0));
  pace.ramp = std::max<int32_t>(1, std::min<int32_t>(static_cast<int32_t>(std::trunc(n / 4.0)), rampCap));
  pace.current = 5 * delay;
  pace.decrement = (pace.current - delay) / pace.ramp;
  if (n < 2 * layout.pieceWidth) pace.decrement = static_cast<int32_t>(std::trunc(pace.decrement / 2.0));

  auto fixed = [&](int32_t slow, int32_t fast) {
    pace.current = fastSystem() ? fast : slow;
    pace.decrement = 0;
  };
  if (animation.droppingHeldChecker != 0 || interactionDisplay.pickingUpChecker != 0) fixed(800, 400);
  int kind = 1;
  if (animation.movingHitChecker != 0 && position.playerType[position.currentPlayer] == kComputerPlayer)
    kind = 3;
  else if (animation.movingHitChecker != 0)
    kind = 2;
  else if (interaction.replayingMove != 0)
    kind = 3;
  else if (display.bearingOffPiece == -1 && distance > width / 6)
    kind = 2;
  else if (flow.bestMoveForHuman != 0)
    kind = 1;
  else if (stacks.placingAllCheckers != 0)
    kind = 3;
  if (kind == 3) fixed(400, 200);
  if (kind == 2) fixed(600, 300);
  return pace;
}

int32_t nextStepWait(PiecePace& pace, int32_t step, int32_t n) {
  if (step < pace.ramp) {
    pace.current -= pace.decrement;
    if (pace.decrement > 0 && pace.current < pace.delay) pace.current = pace.delay;
  }
  if (step > n - pace.ramp) pace.current += pace.decrement;
  return pace.current;
}

namespace {

void eraseMarkersAfterMove(bool redrawing) {
  if (displaySettings.showPossibleMoves != 0 && !redrawing && interactionDisplay.pickingUpChecker == 0)
    erasePossibleMoveMarkers();
}

}  // namespace

void animateCheckerMove(int16_t targetX, int16_t targetY) {
  PieceAnimation& A = animation;
  ++A.movesUnderWay;
  const int16_t from = hand.selectedPoint;
  layout.stackPoint = from;
  Point start;
  if (from >= 0 || interactionDisplay.checkerPickedUp == -1) {
    if (display.moveFromHand == 0 && from >= 0) {
      stacks.stackIndex = static_cast<int16_t>(std::abs(position.board[from]));
      const Rect slot = pieceSlot(stacks.stackIndex);
      start = {slot.left, slot.top};
    } else {
      start = {static_cast<int16_t>(drag.dragPos.h - layout.pieceHalfWidthLeft),
               static_cast<int16_t>(drag.dragPos.v - layout.heldPieceDrop - layout.pieceHalfHeightTop)};
      A.droppingHeldChecker = -1;
    }
  } else {
    start = trayCheckerPosition();
  }

  if (display.liftFromPoint == -1 && from >= 0) {
    layout.stackPoint = from;
    stacks.stackIndex = static_cast<int16_t>(std::abs(position.board[from]));
    liftTopChecker();
  } else if (A.droppingHeldChecker == -1) {
    boardInput.pickedCount = static_cast<int16_t>(boardInput.pickedCount - 1);
    if (boardInput.pickedCount > 0) {
      // The board under the hand waits in the held buffer while the moving buffer
      // serves the slide.
      redrawHeldPiece();
      blitWithClip();
      compactPickedList();
    } else {
      // The hand is empty again: the pointer is the mover's hand, ready for the next pick.
      setCCursor(boardImages.handCursors[display.playerColors[position.currentPlayer]]);
    }
  }

  if (hand.piecePicked != -1) {
    Point target{targetX, targetY};
    if (hand.moveToPoint >= 0) {
      layout.stackPoint = hand.moveToPoint;
      if (stacks.placingAllCheckers != -1)
        stacks.stackIndex = static_cast<int16_t>(std::abs(position.board[hand.moveToPoint]) + 1);
      const Rect slot = pieceSlot(stacks.stackIndex);
      target = {slot.left, slot.top};
    }
    if (redrawState.boardRedrawing != -1 && storage.loadingGame != -1) {
      if (boardImages.occluderRgn == nullptr) boardImages.occluderRgn = newRgn();
      setEmptyRgn(boardImages.occluderRgn);
      if (hand.moveToPoint > kLastFrontStackingPoint) computeDragRegion(start.h, target.h, start.v, target.v);
      animatePieceMove(start.h, target.h, start.v, target.v);
    }
    const bool quiet = redrawState.boardRedrawing == -1;
    if (display.bearingOffPiece != -1) {
      if (hand.moveToPoint >= 0) {
        layout.stackPoint = hand.moveToPoint;
        addPieceToPoint();
        if (!quiet) hook::playPieceSound();
      }
    } else {
      const int16_t side = display.movingPieceSide;
      // Before the tray checker is drawn: a tray marker's saved pixels are the tray without it.
      eraseMarkersAfterMove(quiet);
      drawTrayPiece(side, static_cast<int16_t>(kCheckersPerSide - position.piecesOnBoard[side]));
      if (boardInput.pickedCount > 0) {
        blitCheckerRect();
        redrawHeldPiece();
      }
      flushWindow(kBoardWindow);
      if (!quiet) hook::playPieceSound();
    }
    if (A.droppingHeldChecker == -1 && boardInput.pickedCount > 0) blitWithClipC();
    A.droppingHeldChecker = 0;
    if (display.bearingOffPiece != -1) eraseMarkersAfterMove(quiet);
    if (GrafPtr window = windowPort(kBoardWindow)) {
      const GrafPtr saved = getPort();
      setPort(window);
      clipRect(layout.boardRect);
      setPort(saved);
    }
  }
  display.moveFromHand = 0;
  display.liftFromPoint = -1;
  --A.movesUnderWay;
}

void animatePieceMove(int16_t x1, int16_t x2, int16_t y1, int16_t y2) {
  if (rolloutHidesBoard()) return;
  GrafPtr window = windowPort(kBoardWindow);
  BoardImages& I = boardImages;
  if (window == nullptr || I.offscreenWorld == nullptr || I.pieceShapeRgn == nullptr) return;
  const int dx = x1 - x2;
  int dy = y1 - y2;
  if (dx == 0 && dy == 0) dy = 1;
  double slope = 0.0;
  double intercept = 0.0;
  if (dx != 0) {
    slope = static_cast<double>(dy) / dx;
    intercept = y1 - slope * x1;
  }
  float distance = std::sqrt(static_cast<float>(dx * dx + (y1 - y2) * (y1 - y2)));
  if (distance == 0.0f) distance = 1.0f;
  const int16_t stepX = dx < 0 ? 1 : -1;
  const int16_t stepY = dy < 0 ? 1 : -1;
  const int n = std::max({std::abs(dx), std::abs(dy), 1});
  PiecePace pace = piecePace(static_cast<int16_t>(n), distance);

  boardState.animationClock = nowUs();
  uint32_t lastDraw = boardState.animationClock;
  // Whatever lies under the checker's first place is in the buffer: put there by the
  // lift, or by the hand; otherwise it is read from the window now.
  Rect R = display.moveFromHand != 0 ? I.dragImageRect : checkerAt(x1, y1);
  const GrafPtr saved = getPort();
  // With checkers still held the window under the start is read too: the held image
  // there stays drawn when the checker leaves it.
  if (boardInput.pickedCount > 0 || (display.liftFromPoint == 0 && display.moveFromHand == 0)) saveUnder(window, R);

  RgnHandle shape = newRgn();
  int16_t x = x1;
  int16_t y = y1;
  bool firstFrame = true;
  for (int32_t step = 1;; ++step) {
    if (std::abs(dx) > std::abs(dy)) {
      if (x == x2) break;
      x = static_cast<int16_t>(x + stepX);
      y = x == x2 ? y2 : static_cast<int16_t>(std::trunc(slope * x + intercept + 0.5));
    } else {
      if (y == y2) break;
      y = static_cast<int16_t>(y + stepY);
      x = dx == 0 || y == y2 ? (dx == 0 ? x1 : x2) : static_cast<int16_t>(std::trunc((y - intercept) / slope + 0.5));
    }
    x = clampToward(x, x2, stepX);
    y = clampToward(y, y2, stepY);
    const int32_t wait = nextStepWait(pace, step, n);
    // A step between frames is only counted; the next frame sleeps out the waits of all
    // its steps at once, so the processor idles and the pace stays the steps' own.
    const uint32_t due = stepDueUs(boardState.animationClock, static_cast<uint32_t>(std::max(wait, 0)));
    boardState.animationClock = due;
    if (due - lastDraw <= kFrameIntervalUs && !(x == x2 && y == y2)) continue;
    sleepUntilUs(due);

    interactionDisplay.firstPanelRound = 0;
    animation.stepDeltaH = static_cast<int16_t>(x - R.left);
    animation.stepDeltaV = static_cast<int16_t>(y - R.top);
    const Rect old = R;
    R = checkerAt(x, y);
    restoreUnder(window, old);
    saveUnder(window, R);
    outlineAt(shape, R);
    if (I.occluderRgn != nullptr) diffRgn(shape, I.occluderRgn, shape);
    if (boardInput.pickedCount > 0 && I.dragClipRegion != nullptr) diffRgn(shape, I.dragClipRegion, shape);
    setPort(window);
    setClip(shape);
    rgbBackColor(kWhiteRGB);
    copyOffscreenTransparent(currentPieceImage(), window,
                             I.pieceRects[display.playerColors[position.currentPlayer]], R);
    lastDraw = due;
    // A frame shows only its own places: the whole window copied to the screen at every
    // frame kept a processor busy. The first shows what was drawn before the flight too.
    if (firstFrame)
      flushWindow(kBoardWindow);
    else
      flushWindowRect(kBoardWindow, unionRect(old, R));
    firstFrame = false;
  }
  // The checker leaves its last place: the landing or the tray draws it with its overlaps.
  restoreUnder(window, R);
  clipRect(layout.boardRect);
  disposeRgn(shape);
  setPort(saved);
}

void drawHitToBar() {
  const bool held = boardInput.pickedCount > 0;
  if (held) redrawHeldPiece();
  blitWithClipB();
  const int16_t landing = hand.moveToPoint;
  exchangeSideToMove();
  stacks.stackIndex = 1;
  hand.selectedPoint = landing;
  position.board[landing] = 1;
  hand.moveToPoint = position.barPoint[position.currentPlayer];
  display.liftFromPoint = 0;
  animation.movingHitChecker = -1;
  animateCheckerMove(0, 0);
  animation.movingHitChecker = 0;
  // The flight used the moving buffer; it is the hand's save-under again.
  if (held) blitWithClipC();
  exchangeSideToMove();
  position.board[landing] = position.playerDirection[position.currentPlayer];
  hand.moveToPoint = landing;
}

Point trayCheckerPosition() {
  const int16_t side = position.currentPlayer;
  const auto k = static_cast<int16_t>(kCheckersPerSide - position.piecesOnBoard[side]);
  eraseTrayPiece(side, k);
  const Point slot = trayPiecePosition(side, k);
  position.piecesOnBoard[side] = static_cast<int16_t>(position.piecesOnBoard[side] + 1);
  display.liftFromPoint = 0;
  return {static_cast<int16_t>(slot.h + 4),
          static_cast<int16_t>(slot.v - layout.pieceWidth / 2 + layout.trayPieceThickness / 2)};
}

void computeDragRegion(int16_t x1, int16_t x2, int16_t y1, int16_t y2) {
  BoardImages& I = boardImages;
  const int16_t n = stacks.stackIndex;
  const float slope = x2 - x1 >= 1 ? std::fabs(static_cast<float>(y2 - y1) / static_cast<float>(x2 - x1))
                                   : static_cast<float>(kSteepSlope);
  const bool dropping = animation.droppingHeldChecker == -1;
  const bool needed = (y2 - y1 > -layout.pieceHalfHeightTop && !(y2 == y1 && n == 1) && !dropping) ||
                      (dropping && y2 - y1 > 5);
  if (!needed) {
    stacks.neighbourRedrawRequest = 255;
    return;
  }
  I.occluderRect = Rect{};
  if (hand.moveToPoint == kLowerBarEnd && n == 1) {
    stacks.neighbourRedrawRequest = 255;
    return;
  }
  if (n % kStackWrap == 1) {
    if (slope <= kShallowSlope) {
      stacks.neighbourRedrawRequest = 255;
      return;
    }
    const BoardLayout& L = layout;
    I.occluderRect = makeRect(L.stackPieceX - kBandReach, L.fieldBottom - 1, L.stackPieceX + L.pieceWidth + kBandReach,
                              L.stackPieceY + L.pieceHeight);
    RgnHandle band = newRgn();
    rectRgn(band, I.occluderRect);
    outlineAt(I.occluderRgn, I.occluderRect);
    unionRgn(I.occluderRgn, band, I.occluderRgn);
    disposeRgn(band);
  } else {
    I.occluderRect = pieceSlot(static_cast<int16_t>(n - 1));
    outlineAt(I.occluderRgn, I.occluderRect);
    pieceStackOffset(n);
  }
}

void compactPickedList() {
  if (position.playerType[position.currentPlayer] == kComputerPlayer || boardInput.pickedCount <= 0) return;
  auto& picked = interactionDisplay.pickedCheckers;
  for (int16_t i = 1; i <= boardInput.pickedCount; ++i) {
    if (picked[i] != kEmptyPick) continue;
    for (int16_t j = i; j <= boardInput.pickedCount && j < kHighestPick; ++j) picked[j] = picked[j + 1];
    return;
  }
}

void startCheckerDrag() {
  GrafPtr window = windowPort(kBoardWindow);
  const GrafPtr saved = getPort();
  if (window != nullptr) setPort(window);
  const Point mouse = getMouse();
  setPort(saved);
  boardInput.clickH = mouse.h;
  boardInput.clickV = mouse.v;
  drag.dragPos = mouse;
  const BoardLayout& L = layout;
  const int16_t left = static_cast<int16_t>(mouse.h - L.pieceHalfWidthLeft);
  const int16_t top = static_cast<int16_t>(mouse.v - L.pieceHalfHeightTop - L.heldPieceDrop);
  boardImages.dragImageRect = checkerAt(left, top);
  if (boardInput.pickedCount == 1) rebuildDragRegions();
  boardState.animationClock = nowUs();
}

void clipToBoard() {
  drag.dragFirstStep = -1;
  updateDragClip();
  drag.dragFirstStep = 0;
}

}  // namespace bg
