#include "display/move_markers.h"

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"
#include "runtime/qt/windows.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/program_state.h"

namespace bg {

MoveMarkerState moveMarkerState;
BG_RESETS_WITH_PROGRAM(moveMarkerState);
[[maybe_unused]] static const bool markerWorldsReleased = registerStateRelease(forgetPossibleMoveMarkers);

namespace {

constexpr int16_t kBarMarkerRaise = 3;      // the from-marker of the upper bar stands higher
constexpr int16_t kBarMarkerDrop = 4;       // and that of the lower bar lower
constexpr int16_t kWideBarMarkerDrop = 6;
constexpr int16_t kWideBoard = 1000;
constexpr int16_t kUpperBar = 0;
constexpr int16_t kLowerBar = 25;
constexpr int16_t kHomeSpan = 7;            // the mover's home points and one beyond

MoveMarkerState& M() { return moveMarkerState; }

int16_t markerWidth() { return layout.markerRect.width(); }
int16_t markerHeight() { return layout.markerRect.height(); }

int16_t topBeside(int16_t p) {
  return p <= 12 ? static_cast<int16_t>(layout.fieldTop - markerHeight() - 1) : layout.fieldBottom;
}

bool oneHeldInHand() { return hand.pieceInHand != 0 && hand.piecePicked == 0 && boardInput.pickedCount > 0; }

// Rect r of the window as a place in the held checker's save-under.
Rect inSaveUnder(const Rect& r) {
  const Rect& at = boardImages.dragImageRect;
  const Rect& under = boardImages.movingUnderRect;
  Rect moved = r;
  offsetRect(moved, under.left - at.left, under.top - at.top);
  return moved;
}

void clipToBoard() {
  if (boardImages.boardClipRgn != nullptr)
    setClip(boardImages.boardClipRgn);
  else
    clipRect(layout.boardRect);
}

// Copies `from` into the held checker's save-under at the window rectangle r, clipped
// to the held image's rectangle.
void intoSaveUnder(GrafPtr from, const Rect& fromRect, const Rect& r) {
  GrafPtr under = boardImages.offscreenWorld;
  if (under == nullptr || from == nullptr) return;
  Rect common;
  if (!sectRect(r, boardImages.dragImageRect, common)) return;
  Rect source = fromRect;
  source.left = static_cast<int16_t>(fromRect.left + common.left - r.left);
  source.top = static_cast<int16_t>(fromRect.top + common.top - r.top);
  source.right = static_cast<int16_t>(source.left + common.width());
  source.bottom = static_cast<int16_t>(source.top + common.height());
  const GrafPtr saved = getPort();
  setPort(under);
  clipRect(inSaveUnder(common));
  copyOffscreenToWindow(from, under, source, inSaveUnder(common));
  clipRect(under->bounds());
  setPort(saved);
}

void releaseEntry(int16_t k) {
  disposeOffscreenWorld(M().markerSaveWorlds[k]);
  M().moveMarkers[k].left = 0;
  M().moveMarkers[k].top = 0;
}

GrafPtr pictureOf(int16_t k) {
  const auto& label = M().moveMarkers[k].label;
  return label == "X" || label == "==" ? boardImages.greenMarkerWorld : boardImages.blueMarkerWorld;
}

bool setAside() {
  return display.overlayActive == -1 || hook::notePadShowing() || hook::helpTextShowing();
}

// 25 for the side moving up, 0 for the side moving down: where its checkers go off.
int16_t homeBase(int16_t d) { return d > 0 ? int16_t{25} : int16_t{0}; }

// The mover may bear off: none of its checkers stands outside its home.
bool mayBearOff(int16_t d) {
  const int16_t h = homeBase(d);
  for (int16_t p = static_cast<int16_t>(h - kHomeSpan * d); p * d >= (25 - h) * d; p = static_cast<int16_t>(p - d)) {
    if (position.board[p] * d > 0) return false;
  }
  return true;
}

// The mover's rearmost checker at or behind `from` within its home, as pips to go.
int16_t rearmostPips(int16_t d, int16_t from) {
  const int16_t h = homeBase(d);
  int16_t r = from;
  for (int16_t q = static_cast<int16_t>(from - d); q * d >= (h - kHomeSpan * d) * d; q = static_cast<int16_t>(q - d)) {
    if (q >= 0 && q <= 25 && position.board[q] * d > 0) r = q;
  }
  return d > 0 ? static_cast<int16_t>(25 - r) : r;
}

void addCandidate(int16_t& k, int16_t to, int16_t from, int16_t die) {
  if (k >= kMarkerEntries) return;
  ++k;
  M().possibleMoves[k] = PossibleMove{to, from, die, static_cast<int16_t>(to < 1 || to > 24 ? -1 : 0)};
}

bool openFor(int16_t p, int16_t d) { return p >= 1 && p <= 24 && position.board[p] * d > -2; }

}  // namespace

bool markersShown() {
  for (int16_t k = 0; k <= kMarkerEntries; ++k)
    if (M().moveMarkers[k].left != 0) return true;
  return false;
}

void showPossibleMoveMarkers() {
  const int16_t s = position.currentPlayer;
  const int16_t d = position.playerDirection[s];
  if (displaySettings.showPossibleMoves == 0 || boardState.setupInProgress != 0 ||
      position.playerType[s] != kHumanPlayer || hook::notePadShowing() || hook::helpTextShowing())
    return;
  if (markersShown()) erasePossibleMoveMarkers();
  M().trayMarkerShown = 0;
  const int16_t count = boardInput.pickedCount;
  int16_t f = hand.piecePicked == -1 ? hand.selectedPoint
              : count == 1           ? interactionDisplay.pickedCheckers[1]
                                     : M().hoverPoint;
  const int16_t bar = position.barPoint[s];
  const int16_t onBar = static_cast<int16_t>(position.board[bar] * d);
  if (onBar >= 1 && f != bar) return;
  if (f < 0 || f > 25) return;
  if ((hand.piecePicked == -1 && count == 0) || (count == 1 && hand.piecePicked == 0)) {
    int16_t top = topBeside(f);
    if (f == kUpperBar) top = static_cast<int16_t>(top - kBarMarkerRaise);
    if (f == kLowerBar) top = static_cast<int16_t>(top + (display.boardWidth > kWideBoard ? kWideBarMarkerDrop : kBarMarkerDrop));
    M().moveMarkers[0].label = "O";
    drawMoveMarker(layout.markerX[f], top, 0);
  }
  if (f == bar) f = static_cast<int16_t>(25 - f);
  const auto& dice = diceState.dice;
  int16_t k = 0;
  for (int i = 0; i <= 1; ++i) {
    if (dice[i].value <= 0) continue;
    addCandidate(k, static_cast<int16_t>(f + d * dice[i].value), f, dice[i].value);
    if (diceState.rolledDoubles != 0) break;
  }
  auto& moves = M().possibleMoves;
  if (dice[1].value > 0 && dice[0].value == dice[1].value && onBar < 2) {
    const int16_t b = moves[1].to;
    bool blocked = false;
    for (int16_t j = 0; j <= flow.movesLeft - 2; ++j) {
      const auto p = static_cast<int16_t>(b + d * dice[0].value * j);
      if (!openFor(p, d)) blocked = true;
      if (!blocked) addCandidate(k, static_cast<int16_t>(p + d * dice[0].value), p, dice[0].value);
    }
  } else if (onBar < 2 && k == 2 &&
             ((moves[1].offBoard == 0 && openFor(moves[1].to, d)) || (moves[2].offBoard == 0 && openFor(moves[2].to, d)))) {
    const bool firstOpen = moves[1].offBoard == 0 && openFor(moves[1].to, d);
    const auto to = static_cast<int16_t>(f + d * dice[0].value + d * dice[1].value);
    if (firstOpen)
      addCandidate(k, to, moves[1].to, moves[2].die);
    else
      addCandidate(k, to, moves[2].to, moves[1].die);
  }
  for (int16_t j = 1; j <= k; ++j) {
    const PossibleMove& m = moves[j];
    M().moveMarkers[j].label = "X";
    if (m.to >= 1 && m.to <= 24) {
      if (openFor(m.to, d)) drawMoveMarker(layout.markerX[m.to], topBeside(m.to), j);
      continue;
    }
    if (!mayBearOff(d) || M().trayMarkerShown != 0) continue;
    const int16_t pips = static_cast<int16_t>(homeBase(d) - m.from * d);
    if (pips != m.die && pips != rearmostPips(d, m.from)) continue;
    // Beside the mover's tray: below the field for side 0's, above it for side 1's.
    const int16_t top = s == kPlayer0 ? layout.fieldBottom : static_cast<int16_t>(layout.fieldTop - markerHeight() - 1);
    const auto left = static_cast<int16_t>(layout.trayLeft[displaySettings.playDirection] + (layout.trayWidth - markerWidth()) / 2);
    drawMoveMarker(left, top, j);
    M().trayMarkerShown = -1;
  }
}

void drawMoveMarker(int16_t left, int16_t top, int16_t k) {
  if (boardInput.pickedCount > 0 && hand.piecePicked == -1) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || k < 0 || k > kMarkerEntries) return;
  // An entry still up is put back first: its saved pixels would be lost.
  if (M().moveMarkers[k].left != 0) {
    const GrafPtr saved = getPort();
    setPort(window);
    clipToBoard();
    copyOffscreenToWindow(M().markerSaveWorlds[k], window, layout.markerRect, M().moveMarkers[k].rect);
    setPort(saved);
    releaseEntry(k);
  }
  MoveMarker& e = M().moveMarkers[k];
  e.left = left;
  e.top = top;
  e.rect = makeRect(left, top, left + markerWidth(), top + markerHeight());
  GrafPtr& world = M().markerSaveWorlds[k];
  world = newOffscreenWorld(layout.markerRect);
  if (world == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(world);
  clipRect(layout.markerRect);
  copyOffscreenToWindow(window, world, e.rect, layout.markerRect);
  // Under the hand the window shows the held checker: the board there is in its save-under.
  if (oneHeldInHand() && boardImages.offscreenWorld != nullptr) {
    Rect common;
    if (sectRect(e.rect, boardImages.dragImageRect, common)) {
      Rect into = common;
      offsetRect(into, -left, -top);
      if (boardImages.dragClipRegion != nullptr) {
        RgnHandle clip = newRgn();
        copyRgn(boardImages.dragClipRegion, clip);
        offsetRgn(clip, -left, -top);
        setClip(clip);
        disposeRgn(clip);
      }
      copyOffscreenToWindow(boardImages.offscreenWorld, world, inSaveUnder(common), into);
    }
  }
  setPort(saved);
  drawMarkerPicture(k);
}

void drawMarkerPicture(int16_t k) {
  GrafPtr window = windowPort(kBoardWindow);
  const MoveMarker& e = M().moveMarkers[k];
  if (window == nullptr || e.left == 0) return;
  const GrafPtr saved = getPort();
  setPort(window);
  RgnHandle clip = newRgn();
  rectRgn(clip, e.rect);
  if (boardInput.pickedCount > 0 && hand.piecePicked != -1 && boardImages.dragClipRegion != nullptr)
    diffRgn(clip, boardImages.dragClipRegion, clip);
  setClip(clip);
  disposeRgn(clip);
  copyOffscreenToWindow(pictureOf(k), window, layout.markerRect, e.rect);
  flushWindow(kBoardWindow);
  clipToBoard();
  setPort(saved);
  if (oneHeldInHand()) intoSaveUnder(pictureOf(k), layout.markerRect, e.rect);
}

void erasePossibleMoveMarkers() {
  if (setAside() || (boardInput.pickedCount == 1 && hand.piecePicked == 0 && hand.pieceInHand != 0)) return;
  GrafPtr window = windowPort(kBoardWindow);
  const GrafPtr saved = getPort();
  bool erased = false;
  for (int16_t k = 0; k <= kMarkerEntries; ++k) {
    MoveMarker& e = M().moveMarkers[k];
    if (e.left == 0) continue;
    erased = true;
    GrafPtr world = M().markerSaveWorlds[k];
    if (window != nullptr && world != nullptr) {
      setPort(window);
      RgnHandle clip = newRgn();
      rectRgn(clip, e.rect);
      if (boardInput.pickedCount > 0 && boardImages.dragClipRegion != nullptr)
        diffRgn(clip, boardImages.dragClipRegion, clip);
      setClip(clip);
      disposeRgn(clip);
      copyOffscreenToWindow(world, window, layout.markerRect, e.rect);
      if (boardInput.pickedCount > 0) intoSaveUnder(world, layout.markerRect, e.rect);
    }
    releaseEntry(k);
  }
  if (window != nullptr) {
    setPort(window);
    // The idle mouse comes here at every poll: a flush is a whole repaint of the board.
    if (erased) flushWindow(kBoardWindow);
    clipToBoard();
  }
  setPort(saved);
}

void redrawMarkedAreas() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  for (int16_t k = 0; k <= kMarkerEntries; ++k) {
    const MoveMarker& e = M().moveMarkers[k];
    GrafPtr world = M().markerSaveWorlds[k];
    if (e.left == 0 || world == nullptr) continue;
    // The redraw painted the board afresh: that is what the marker now covers.
    const GrafPtr saved = getPort();
    setPort(world);
    clipRect(layout.markerRect);
    copyOffscreenToWindow(window, world, e.rect, layout.markerRect);
    setPort(saved);
    drawMarkerPicture(k);
  }
}

void forgetPossibleMoveMarkers() {
  for (int16_t k = 0; k <= kMarkerEntries; ++k) releaseEntry(k);
}

}  // namespace bg
