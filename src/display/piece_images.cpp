#include "display/piece_images.h"

#include <algorithm>
#include <vector>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "display/display_platform.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "state/position.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr RGBColor kGreenMarkerFill{0, 55535, 15000};
constexpr RGBColor kGreenMarkerFrame{0, 25000, 0};
constexpr RGBColor kBlueMarkerFill{2000, 1000, 55535};
constexpr RGBColor kBlueMarkerFrame{2000, 1000, 25000};

bool pictureBoard() { return display.boardColor == kPictureBoard; }

void resetRegion(RgnHandle& rgn) {
  if (rgn == nullptr) rgn = newRgn();
  setEmptyRgn(rgn);
}

// The checker's rounded rectangle at the origin; shape 0 is a full ellipse.
QRegion roundedPiece() {
  const BoardLayout& L = layout;
  const int base = displaySettings.pieceShapeBase;
  return roundRectRegion(makeRect(0, 0, L.pieceWidth, L.pieceHeight), std::max(0, L.pieceWidth - base),
                         std::max(0, L.pieceHeight - base));
}

GWorldPtr markerWorld(const RGBColor& fill, const RGBColor& frame) {
  GWorldPtr world = newOffscreenWorld(layout.markerRect);
  const GrafPtr saved = getPort();
  setPort(world);
  penNormal();
  rgbForeColor(fill);
  paintRect(layout.markerRect);
  rgbForeColor(frame);
  frameRect(layout.markerRect);
  setPort(saved);
  return world;
}

}  // namespace

void buildMarkerImages() {
  BoardLayout& L = layout;
  disposeOffscreenWorld(boardImages.greenMarkerWorld);
  disposeOffscreenWorld(boardImages.blueMarkerWorld);
  L.markerInset = std::clamp<int16_t>(static_cast<int16_t>(L.boardUnit / 20), 1, 4);
  L.markerRect = makeRect(0, 0, L.boardUnit - 2 * L.markerInset, L.boardUnit / 7);
  boardImages.greenMarkerWorld = markerWorld(kGreenMarkerFill, kGreenMarkerFrame);
  boardImages.blueMarkerWorld = markerWorld(kBlueMarkerFill, kBlueMarkerFrame);
}

void buildPieceImages() {
  BoardLayout& L = layout;
  BoardImages& I = boardImages;
  buildMarkerImages();
  const Rect checker = makeRect(0, 0, L.pieceWidth, L.pieceHeight);
  const Rect withRoom = makeRect(0, 0, L.pieceWidth + 8, L.pieceHeight + 8);
  I.cubeSlideRect = makeRect(0, 0, L.pieceWidth + 15, L.pieceHeight + 15);
  disposeOffscreenWorld(I.cubeSlideWorld);
  I.cubeSlideWorld = newOffscreenWorld(I.cubeSlideRect);
  disposeOffscreenWorld(I.dragScratchWorld);
  I.dragScratchWorld = newOffscreenWorld(withRoom);
  I.dragGrabH = L.pieceHalfWidthLeft;
  I.dragGrabV = L.pieceHalfHeightTop;
  I.movingUnderRect = checker;
  disposeOffscreenWorld(I.offscreenWorld);
  I.offscreenWorld = newOffscreenWorld(withRoom);
  I.heldGrabH = L.pieceHalfWidthLeft;
  I.heldGrabV = L.pieceHalfHeightTop;
  I.heldUnderRect = checker;
  disposeOffscreenWorld(I.heldUnderWorld);
  I.heldUnderWorld = newOffscreenWorld(withRoom);
  for (int s = 0; s <= 1; ++s) {
    I.pieceRects[s] = checker;
    disposeOffscreenWorld(I.pieceImageWorlds[s]);
    I.pieceImageWorlds[s] = newOffscreenWorld(checker);
  }
  if (pictureBoard()) {
    const int c = displaySettings.playDirection;
    L.cubeWidth[c] = L.cubeRects[c].width();
    L.cubeHeight[c] = L.cubeRects[c].height();
  }
  displaySettings.pieceShapeBase = static_cast<int16_t>(2 * displaySettings.pieceShapeApplied);
  resetRegion(I.movingUnderRgn);
  I.movingUnderRgn->rgn = roundedPiece();
  resetRegion(I.heldUnderRgn);
  rectRgn(I.heldUnderRgn, I.heldUnderRect);
  drawPieceFaces();
}

void drawPieceFaces() {
  BoardLayout& L = layout;
  BoardImages& I = boardImages;
  const GrafPtr saved = getPort();
  const Rect checker = makeRect(0, 0, L.pieceWidth, L.pieceHeight);
  I.landingRect = checker;
  resetRegion(I.pieceOutlineRgn);
  resetRegion(I.pieceShapeRgn);
  resetRegion(I.landingRgn);
  rectRgn(I.landingRgn, I.landingRect);
  if (pictureBoard()) {
    rectRgn(I.pieceOutlineRgn, checker);
    PicHandle shape = getPicture(kPictureBoardCheckerShape);
    const Rect bounds = pictureBounds(shape);
    if (bounds.width() > 0 && bounds.height() > 0) {
      GWorldPtr mask = newMaskWorld(bounds);
      setPort(mask);
      drawPicture(shape, bounds);
      bitMapToRegion(I.pieceShapeRgn, mask);
      disposeGWorld(mask);
    }
    killPicture(shape);
  } else {
    displaySettings.pieceShapeBase = static_cast<int16_t>(2 * displaySettings.pieceShapeApplied);
    I.pieceOutlineRgn->rgn = roundedPiece();
    I.pieceShapeRgn->rgn = roundedPiece();
  }
  copyRgn(I.pieceShapeRgn, I.movingUnderRgn);

  const int16_t savedPlayer = position.currentPlayer;
  position.currentPlayer = roles.pieceColors[display.playerColors[0]] == roles.pieceColors[0] ? 0 : 1;
  for (int i = 0; i <= 1; ++i) {
    if (I.pieceImageWorlds[i] == nullptr) continue;
    setPort(I.pieceImageWorlds[i]);
    if (pictureBoard()) {
      setClip(I.pieceShapeRgn);
      PicHandle face = getPicture(i == 0 ? 146 : 148);
      const Rect bounds = pictureBounds(face);
      if (face != nullptr) drawPicture(face, makeRect(0, 0, bounds.width(), bounds.height()));
      killPicture(face);
    } else {
      clipRect(checker);
      eraseRect(checker);
      setClip(I.landingRgn);
      paintPieceFace(I.pieceOutlineRgn, L.pieceDepth, L.pieceHeight);
    }
    // Where the count of held checkers goes on the held checker.
    const int digit = boardTextWidth("2", L.textSize);
    I.dragCountOffsetH = static_cast<int16_t>((L.pieceHeight - digit) / 2 + 2 + (pictureBoard() ? 2 : 0));
    I.dragCountOffsetV = static_cast<int16_t>(L.textSize + L.textSize / 4 - 1 + (pictureBoard() ? 2 : 0));
    position.currentPlayer = static_cast<int16_t>(1 - position.currentPlayer);
  }
  position.currentPlayer = savedPlayer;
  setPort(saved);
}

void paintPieceFace(const Region* shapeRgn, int16_t depth, int16_t height) {
  BoardLayout& L = layout;
  BoardImages& I = boardImages;
  const int16_t c = display.playerColors[position.currentPlayer];
  const Rect& r = I.landingRect;
  penMode(patCopy);
  setDrawColor(roles.pieceColors[c]);
  clipRect(makeRect(r.left, r.top, r.right, r.bottom - depth));
  paintRgn(shapeRgn);
  setDrawColor(roles.pieceSecondColors[c]);
  clipRect(makeRect(r.left, r.bottom - depth, r.right, r.bottom));
  paintRgn(shapeRgn);

  // The face sits a little above the band, so the band shows as the checker's rim.
  penMode(patCopy);
  setDrawColor(roles.pieceColors[c]);
  const int rim = depth / 4;
  Rect face = makeRect(r.left + 1, r.top, r.right + 1, r.bottom - rim);
  L.stackStep = static_cast<int16_t>(L.pieceHalfHeightTop + L.pieceHalfHeightBottom - rim - 1);
  RgnHandle faceRgn = newRgn();
  faceRgn->rgn = roundRectRegion(face, std::max(0, L.pieceWidth - displaySettings.pieceShapeBase),
                                 std::max(0, height - displaySettings.pieceShapeBase));
  paintRgn(faceRgn);

  roleForeColor(roles.pieceFrameColors[c]);
  setDrawColor(roles.pieceFrameColors[c]);
  setClip(I.landingRgn);
  frameRgn(shapeRgn);
  setClip(faceRgn);
  frameRgn(faceRgn);
  disposeRgn(faceRgn);
  penNormal();
}

void buildArrowRegions() {
  struct Shape {
    std::vector<Point> outline;
    bool sideways;
  };
  const Shape shapes[2][2] = {
      {{{{0, 0}, {14, 0}, {14, 8}, {18, 8}, {10, 16}, {2, 8}, {7, 8}, {7, 5}, {0, 5}}, false},
       {{{8, 0}, {8, 5}, {18, 5}, {18, 17}, {12, 17}, {12, 10}, {8, 10}, {8, 15}, {0, 7}}, true}},
      {{{{18, 0}, {5, 0}, {5, 8}, {0, 8}, {8, 17}, {16, 8}, {12, 8}, {12, 5}, {18, 5}}, false},
       {{{10, 0}, {10, 5}, {0, 5}, {0, 17}, {6, 17}, {6, 10}, {10, 10}, {10, 14}, {18, 7}}, true}},
  };
  const GrafPtr saved = getPort();
  for (int h = 0; h <= 1; ++h) {
    for (int s = 0; s <= 1; ++s) {
      RgnHandle& rgn = boardImages.arrowRegions[h][s];
      if (rgn != nullptr) disposeRgn(rgn);
      rgn = newRgn();
      const std::vector<Point>& outline = shapes[h][s].outline;
      PolyHandle poly = openPoly();
      moveTo(outline.front().h, outline.front().v);
      for (std::size_t k = 1; k < outline.size(); ++k) lineTo(outline[k].h, outline[k].v);
      lineTo(outline.front().h, outline.front().v);
      closePoly();
      rgn->rgn = polygonRegion(poly);
      killPoly(poly);
      // Home side 0's arrow stands in the right frame, side 1's in the left.
      const int x = layout.turnArrowPos[h];
      const int y = layout.turnArrowY - (shapes[h][s].sideways ? 2 : 0);
      offsetRgn(rgn, x, y);
    }
  }
  setPort(saved);
}

namespace {

GrafPtr currentPieceImage() {
  return boardImages.pieceImageWorlds[display.playerColors[position.currentPlayer]];
}

const Rect& currentPieceRect() {
  return boardImages.pieceRects[display.playerColors[position.currentPlayer]];
}

}  // namespace

void blitPieceImage() {
  copyOffscreenToWindow(currentPieceImage(), boardImages.heldUnderWorld, currentPieceRect(), boardImages.heldUnderRect);
}

void blitPieceToPort() {
  copyOffscreenToWindow(currentPieceImage(), getPort(), currentPieceRect(), boardImages.occluderRect);
  flushWindow(1);
}

void copyPieceToLanding() {
  copyOffscreenToWindow(currentPieceImage(), getPort(), currentPieceRect(), boardImages.landingRect);
  flushWindow(1);
}

}  // namespace bg
