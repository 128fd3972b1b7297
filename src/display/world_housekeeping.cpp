#include "display/world_housekeeping.h"

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "display/message_line.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "state/display_state.h"
#include "state/board_input.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr int16_t kCubeMaskBase = 156;
constexpr int16_t kPictureCubeMask = 574;
constexpr int16_t kTrayUnderlayBase = 204;
constexpr int16_t kPictureTrayPieceBase = 591;
constexpr int16_t kPictureTrayPieceMask = 593;

void drawPictureInWorld(GWorldPtr world, int16_t id, const Rect& rect, bool erase) {
  if (world == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(world);
  if (erase) eraseRect(rect);
  PicHandle picture = getPicture(id);
  if (picture != nullptr) drawPicture(picture, rect);
  killPicture(picture);
  setPort(saved);
}

Rect boundsOfPicture(int16_t id) {
  PicHandle picture = getPicture(id);
  const Rect r = pictureBounds(picture);
  killPicture(picture);
  return r;
}

}  // namespace

void disposePieceWorlds() {
  disposeOffscreenWorld(boardImages.cubeSlideWorld);
  disposeOffscreenWorld(boardImages.dragScratchWorld);
  disposeOffscreenWorld(boardImages.offscreenWorld);
  disposeOffscreenWorld(boardImages.heldUnderWorld);
  for (auto& world : boardImages.pieceImageWorlds) disposeOffscreenWorld(world);
}

void disposeAllOffscreenWorlds() {
  disposePieceWorlds();
  disposeOffscreenWorld(boardImages.messageBoxWorld);
  disposeOffscreenWorld(boardImages.boardWorld);
  for (int k = 1; k <= 2; ++k) {
    disposeOffscreenWorld(boardImages.centreEmblemWorlds[k]);
    disposeOffscreenWorld(boardImages.centreEmblemMasks[k]);
  }
  for (auto& world : boardImages.dieFaceWorlds) disposeOffscreenWorld(world);
  for (int s = 0; s <= 1; ++s) {
    disposeOffscreenWorld(boardImages.trayPieceImages[s]);
    disposeOffscreenWorld(boardImages.plainDieWorlds[s]);
  }
  for (int e = 0; e <= 1; ++e) {
    disposeOffscreenWorld(boardImages.cubeMaskWorlds[e][0]);
    for (auto& face : boardImages.cubeFaceWorlds[e]) disposeOffscreenWorld(face);
  }
}

void buildCubeImages() {
  const int16_t sizeClass = layout.diceSizeClass;
  for (int e = 0; e <= 1; ++e) {
    Rect bounds = boundsOfPicture(static_cast<int16_t>(kCubePictureBase + sizeClass));
    if (bounds.width() <= 0) bounds = layout.cubeRects[e];
    layout.cubeRects[e] = bounds;
    disposeOffscreenWorld(boardImages.cubeFaceWorlds[e][0]);
    boardImages.cubeFaceWorlds[e][0] = newOffscreenWorld(bounds);
    drawPictureInWorld(boardImages.cubeFaceWorlds[e][0], static_cast<int16_t>(kCubePictureBase + sizeClass), bounds,
                       false);
    disposeOffscreenWorld(boardImages.cubeMaskWorlds[e][0]);
    boardImages.cubeMaskWorlds[e][0] = newMaskWorld(bounds);
    drawPictureInWorld(boardImages.cubeMaskWorlds[e][0], static_cast<int16_t>(kCubeMaskBase + sizeClass), bounds,
                       false);
    // The painted cube writes its value over face 0.
    for (int f = 1; f <= 6; ++f) disposeOffscreenWorld(boardImages.cubeFaceWorlds[e][f]);
  }
}

void buildCubeImagesPictured() {
  for (int e = 0; e <= 1; ++e) {
    const Rect bounds = layout.cubeRects[e];
    if (bounds.width() <= 0 || bounds.height() <= 0) continue;
    for (int f = 0; f <= 6; ++f) {
      disposeOffscreenWorld(boardImages.cubeFaceWorlds[e][f]);
      boardImages.cubeFaceWorlds[e][f] = newOffscreenWorld(bounds);
      drawPictureInWorld(boardImages.cubeFaceWorlds[e][f], static_cast<int16_t>(kPictureCubeBase + f), bounds, true);
    }
    disposeOffscreenWorld(boardImages.cubeMaskWorlds[e][0]);
    boardImages.cubeMaskWorlds[e][0] = newMaskWorld(bounds);
    drawPictureInWorld(boardImages.cubeMaskWorlds[e][0], kPictureCubeMask, bounds, false);
  }
}

void paintTrayPieceImages() {
  const BoardLayout& L = layout;
  boardImages.trayPieceRect = makeRect(0, 0, L.pieceWidth - 1, L.trayPieceThickness + 1);
  const Rect& r = boardImages.trayPieceRect;
  const GrafPtr saved = getPort();
  const ColourScheme& scheme = colours.colourSchemes[display.boardColor];
  for (int s = 0; s <= 1; ++s) {
    disposeOffscreenWorld(boardImages.trayPieceImages[s]);
    boardImages.trayPieceImages[s] = newOffscreenWorld(r);
    setPort(boardImages.trayPieceImages[s]);
    penMode(patCopy);
    PicHandle underlay = getPicture(static_cast<int16_t>(kTrayUnderlayBase + s));
    clipRect(r);
    if (underlay != nullptr) drawPicture(underlay, r);
    killPicture(underlay);
    const int16_t role = roles.pieceColors[s];
    setDrawColor(role);
    rgbForeColor(role != roles.frameColorIndex ? scheme[kDarkPieceColour] : scheme[kLightPieceColour]);
    paintRect(makeRect(r.left, r.top + 1, r.right, r.bottom - 1));
    penNormal();
  }
  setPort(saved);
}

void loadTrayPieceImages() {
  for (int s = 0; s <= 1; ++s) {
    const int16_t id = static_cast<int16_t>(kPictureTrayPieceBase + s);
    boardImages.trayPieceRect = boundsOfPicture(id);
    disposeOffscreenWorld(boardImages.trayPieceImages[s]);
    if (boardImages.trayPieceRect.width() <= 0) continue;
    boardImages.trayPieceImages[s] = newOffscreenWorld(boardImages.trayPieceRect);
    drawPictureInWorld(boardImages.trayPieceImages[s], id, boardImages.trayPieceRect, false);
  }
  if (boardImages.trayPieceRgn == nullptr) boardImages.trayPieceRgn = newRgn();
  setEmptyRgn(boardImages.trayPieceRgn);
  if (boardImages.trayPieceRect.width() > 0) {
    GWorldPtr mask = newMaskWorld(boardImages.trayPieceRect);
    drawPictureInWorld(mask, kPictureTrayPieceMask, boardImages.trayPieceRect, false);
    bitMapToRegion(boardImages.trayPieceRgn, mask);
    disposeGWorld(mask);
  }
}

void drawTrayPieceImage(const Rect& rect, int16_t side) {
  const int16_t colourSet = display.playerColors[side];
  if (display.boardColor == 12) {
    roleForeColor(roles.boardForeColor);
    paintRect(rect);
    setDrawColor(roles.pieceColors[colourSet]);
    paintRect(makeRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1));
    penNormal();
    return;
  }
  copyOffscreenToWindow(boardImages.trayPieceImages[colourSet], getPort(), boardImages.trayPieceRect, rect);
}

Point trayPiecePosition(int16_t side, int16_t n) {
  const BoardLayout& L = layout;
  const int k = side == 1 ? n - 1 : 15 - n;
  return {L.trayRects[side].left,
          static_cast<int16_t>(L.trayRects[side].top + k * L.trayPieceThickness - L.trayPieceInset)};
}

void drawTrayPiece(int16_t side, int16_t n) {
  if (rolloutHidesBoard()) return;
  const BoardLayout& L = layout;
  const Point p = trayPiecePosition(side, n);
  GrafPtr window = windowPort(1);
  if (window == nullptr) return;
  BoardImages& I = boardImages;
  if (I.landingRgn == nullptr) I.landingRgn = newRgn();
  RgnHandle clip = newRgn();
  if (display.boardColor == kPictureBoard && I.trayPieceRgn != nullptr) {
    // The checker's shape, which starts the tray inset below the slot's place; cut at the
    // tray's bottom, and on side 0 kept off the checker below, which lies in front.
    I.landingRect = I.trayPieceRect;
    offsetRect(I.landingRect, p.h - I.landingRect.left, p.v - I.landingRect.top);
    copyRgn(I.trayPieceRgn, I.landingRgn);
    offsetRgn(I.landingRgn, p.h, p.v);
    const Rect& tray = L.trayRects[side];
    RgnHandle aboveBottom = newRgn();
    rectRgn(aboveBottom, makeRect(tray.left, I.landingRect.top, tray.right, tray.bottom));
    sectRgn(I.landingRgn, aboveBottom, clip);
    disposeRgn(aboveBottom);
    if (side == 0) {
      trayNeighbourRegion(side, n);
      diffRgn(clip, I.occluderRgn, clip);
    }
  } else {
    I.landingRect = makeRect(p.h, p.v, p.h + L.pieceWidth - 1, p.v + L.trayPieceThickness + 1);
    rectRgn(I.landingRgn, I.landingRect);
    copyRgn(I.landingRgn, clip);
  }
  const GrafPtr saved = getPort();
  setPort(window);
  setClip(clip);
  drawTrayPieceImage(I.landingRect, side);
  disposeRgn(clip);
  clipRect(layout.boardRect);
  setPort(saved);
}

void trayNeighbourRegion(int16_t side, int16_t n) {
  if (boardImages.occluderRgn == nullptr) boardImages.occluderRgn = newRgn();
  setEmptyRgn(boardImages.occluderRgn);
  if ((side == 0 && n == 1) || (side == 1 && n == 15) || boardImages.trayPieceRgn == nullptr) return;
  const Point p = trayPiecePosition(side, static_cast<int16_t>(n - 1));
  copyRgn(boardImages.trayPieceRgn, boardImages.occluderRgn);
  offsetRgn(boardImages.occluderRgn, p.h, p.v);
}

namespace {

// A checker taken out of a tray goes into the hand, whose save-under was read before the
// tray was repaired: where the repaired area lies under the hand, the save-under takes the
// window as it is now, or moving the hand on would put the old checker back.
void repairHandSaveUnder(GrafPtr window, const Region* repaired) {
  BoardImages& I = boardImages;
  const bool intoHand = hand.piecePicked == -1 || boardInput.pickedCount > 0;
  if (!intoHand || I.offscreenWorld == nullptr || I.dragClipRegion == nullptr) return;
  RgnHandle under = newRgn();
  sectRgn(repaired, I.dragClipRegion, under);
  offsetRgn(under, static_cast<int16_t>(I.movingUnderRect.left - I.dragImageRect.left),
            static_cast<int16_t>(I.movingUnderRect.top - I.dragImageRect.top));
  const GrafPtr saved = getPort();
  setPort(I.offscreenWorld);
  setClip(under);
  copyOffscreenToWindow(window, I.offscreenWorld, I.dragImageRect, I.movingUnderRect);
  clipRect(I.offscreenWorld->bounds());
  setPort(saved);
  disposeRgn(under);
}

}  // namespace

void eraseTrayPiece(int16_t side, int16_t n) {
  if (boardState.welcomePending == -1) return;
  const bool takingOut = interactionDisplay.trayPickUp != 0 || interaction.replayingMove != 0 ||
                         boardState.setupInProgress != 0 || display.boardClearing != 0;
  if (!takingOut) return;
  GrafPtr window = windowPort(1);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  const BoardLayout& L = layout;
  const GrafPtr saved = getPort();
  setPort(window);
  const Point p = trayPiecePosition(side, n);
  if (display.boardColor == kPictureBoard) {
    RgnHandle shape = newRgn();
    if (boardImages.trayPieceRgn != nullptr) copyRgn(boardImages.trayPieceRgn, shape);
    offsetRgn(shape, p.h, p.v);
    if (n > 1) {
      trayNeighbourRegion(side, n);
      diffRgn(shape, boardImages.occluderRgn, shape);
    }
    setClip(shape);
    const Rect area = rgnBounds(shape);
    copyOffscreenToWindow(boardImages.boardWorld, window, area, area);
    clipRect(L.boardRect);
    if (side == 1 && n >= 2) {
      drawTrayPiece(side, static_cast<int16_t>(n - 1));
      if (boardImages.landingRgn != nullptr) unionRgn(shape, boardImages.landingRgn, shape);
    }
    repairHandSaveUnder(window, shape);
    disposeRgn(shape);
  } else {
    int top = p.v + (side == 1 ? 1 : 0);
    int bottom = top + L.trayPieceThickness;
    // The first slot's rim reaches one pixel further toward the tray's end.
    if (n == 1) {
      if (position.currentPlayer == 1)
        --top;
      else
        ++bottom;
    }
    const Rect strip = makeRect(p.h, top, p.h + L.pieceWidth, bottom);
    clipRect(L.boardRect);
    copyOffscreenToWindow(boardImages.boardWorld, window, strip, strip);
    RgnHandle repaired = newRgn();
    rectRgn(repaired, strip);
    repairHandSaveUnder(window, repaired);
    disposeRgn(repaired);
  }
  setPort(saved);
}

void copyStripAboveBoard(GrafPtr world) {
  const BoardLayout& L = layout;
  const Rect strip = makeRect(L.fieldLeft - 1, 0, L.fieldRight + L.pointMargin, L.fieldTop - 1);
  copyOffscreenToWindow(world, getPort(), strip, strip);
}

void refreshDragSaveUnder(const Rect& rect) {
  BoardImages& I = boardImages;
  if (I.offscreenWorld == nullptr || I.boardWorld == nullptr) return;
  Rect destination = rect;
  offsetRect(destination, I.movingUnderRect.left - I.dragImageRect.left, I.movingUnderRect.top - I.dragImageRect.top);
  const GrafPtr saved = getPort();
  setPort(I.offscreenWorld);
  if (I.movingUnderRgn != nullptr) setClip(I.movingUnderRgn);
  copyOffscreenToWindow(I.boardWorld, I.offscreenWorld, rect, destination);
  clipRect(I.offscreenWorld->bounds());
  setPort(saved);
}

}  // namespace bg
