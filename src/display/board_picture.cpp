#include "display/board_picture.h"

#include <vector>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_resources.h"
#include "state/board_state.h"
#include "display/colour_roles.h"
#include "display/colour_schemes.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "display/piece_images.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/windows.h"
#include "state/display_state.h"

namespace bg {

namespace {

constexpr int16_t kFrameShapePicture = 550;
constexpr int16_t kTrayMaskPicture = 542;
constexpr int16_t kFirstTrayKeyPicture = 206;
constexpr RGBColor kTrayOutline{80, 80, 80};

const ColourScheme& scheme() { return colours.colourSchemes[display.boardColor]; }

// The plain colour of a side's piece role, as the tray pictures use it.
RGBColor pieceRgb(int16_t role) {
  return role != roles.frameColorIndex ? scheme()[kDarkPieceColour] : scheme()[kLightPieceColour];
}

void clipToBoard() {
  if (boardImages.boardClipRgn != nullptr)
    setClip(boardImages.boardClipRgn);
  else
    clipRect(layout.boardRect);
}

// An area painted with a design tile, or as a box in a colour role.
void paintArea(const Rect& r, int16_t role, int16_t tileMode) {
  if (boardState.designTilesOn != 0) {
    tilePictureInRect(tileMode == kFrameTileMode ? boardImages.designFrameTileWorld
                                                 : boardImages.designShadeTileWorld,
                      r, nullptr, tileMode);
    return;
  }
  setDrawColor(role);
  rgbForeColor(paletteColour(role));
  paintRect(r);
}

PolyHandle makePolygon(const std::vector<Point>& points) {
  PolyHandle poly = openPoly();
  moveTo(points.front().h, points.front().v);
  for (std::size_t k = 1; k < points.size(); ++k) lineTo(points[k].h, points[k].v);
  lineTo(points.front().h, points.front().v);
  closePoly();
  return poly;
}

// A bevel corner: tiled with the shade tile clipped to the triangle, or painted.
void paintBevel(const std::vector<Point>& corners) {
  PolyHandle poly = makePolygon(corners);
  if (boardState.designTilesOn != 0) {
    RgnHandle triangle = newRgn();
    triangle->rgn = polygonRegion(poly);
    tilePictureInRect(boardImages.designShadeTileWorld, polyBounds(poly), triangle, kShadeTileMode);
    disposeRgn(triangle);
  } else {
    paintPoly(poly);
  }
  killPoly(poly);
}

void paintPointPair(PolyHandle poly, int16_t firstRole, int16_t firstRow, int16_t secondRole, int16_t secondRow) {
  setDrawColor(firstRole);
  rgbForeColor(scheme()[firstRow]);
  paintPoly(poly);
  setPenPixPat(boardImages.framePenPattern);
  framePoly(poly);
  offsetPoly(poly, layout.boardUnit, 0);
  setDrawColor(secondRole);
  rgbForeColor(scheme()[secondRow]);
  paintPoly(poly);
  setPenPixPat(boardImages.framePenPattern);
  framePoly(poly);
}

void paintRowQuickDraw(PolyHandle poly, bool upper) {
  for (int half = 0; half < 2; ++half) {
    for (int pair = 0; pair < 3; ++pair) {
      if (upper)
        paintPointPair(poly, roles.lightPointColor, kLightRowColour, roles.darkPointColor, kDarkRowColour);
      else
        paintPointPair(poly, roles.darkPointColor, kDarkRowColour, roles.lightPointColor, kLightRowColour);
      offsetPoly(poly, layout.boardUnit, 0);
    }
    offsetPoly(poly, layout.barWidth + 1, 0);
  }
}

void paintPictureBoard() {
  BoardLayout& L = layout;
  PicHandle frame = getPicture(kFramePicture);
  L.boardRect = pictureBounds(frame);
  display.boardWidth = L.boardRect.width();
  L.boardHeight = L.boardRect.height();
  if (boardImages.boardClipRgn == nullptr) boardImages.boardClipRgn = newRgn();
  rectRgn(boardImages.boardClipRgn, L.boardRect);
  if (display.firstBoardBuild != 0) buildBoardOffscreens();
  setPort(boardImages.boardWorld);
  eraseRect(L.boardRect);
  drawPicture(frame, L.boardRect);
  killPicture(frame);

  // The board's outline from its shape picture.
  PicHandle shape = getPicture(kFrameShapePicture);
  GWorldPtr shapeWorld = newMaskWorld(L.boardRect);
  if (shapeWorld != nullptr) {
    setPort(shapeWorld);
    drawPicture(shape, L.boardRect);
    if (boardImages.frameShapeRgn != nullptr) disposeRgn(boardImages.frameShapeRgn);
    boardImages.frameShapeRgn = newRgn();
    bitMapToRegion(boardImages.frameShapeRgn, shapeWorld);
    disposeGWorld(shapeWorld);
  }
  killPicture(shape);
  setPort(boardImages.boardWorld);

  PicHandle strip = getPicture(kStripPicture);
  const Rect stripBounds = pictureBounds(strip);
  drawPicture(strip, makeRect(L.stripPictureRect.left, L.stripPictureRect.top,
                              L.stripPictureRect.left + stripBounds.width(),
                              L.stripPictureRect.top + stripBounds.height()));
  killPicture(strip);
  boardState.textStripTop = L.textStripRect.top;
  boardState.textStripHeight = L.textStripRect.height();

  for (int i = 0; i <= 1; ++i) {
    copyOffscreenMasked(boardImages.trayPictureWorlds[i], boardImages.trayMaskWorld, boardImages.boardWorld,
                        L.trayPictureRect, L.trayPictureRect, L.trayRects[i]);
  }
  if (boardImages.arrowBackdropWorld != nullptr && boardImages.arrowBackdropRgn != nullptr) {
    const Rect bounds = boardImages.arrowBackdropWorld->bounds();
    const int left = L.trayLeft[displaySettings.playDirection] + 1;
    const Rect place = makeRect(left, 5, left + bounds.width(), 5 + bounds.height());
    RgnHandle clip = newRgn();
    copyRgn(boardImages.arrowBackdropRgn, clip);
    offsetRgn(clip, place.left - bounds.left, place.top - bounds.top);
    setClip(clip);
    copyOffscreenToWindow(boardImages.arrowBackdropWorld, boardImages.boardWorld, bounds, place);
    disposeRgn(clip);
    clipToBoard();
  }
}

}  // namespace

void buildBoardPicture() {
  BoardLayout& L = layout;
  const GrafPtr saved = getPort();
  L.boardRect = makeRect(0, 0, display.boardWidth, L.boardHeight);
  if (display.boardColor == kPictureBoard) {
    paintPictureBoard();
    setPort(saved);
    return;
  }
  if (boardImages.boardClipRgn == nullptr) boardImages.boardClipRgn = newRgn();
  rectRgn(boardImages.boardClipRgn, L.boardRect);
  if (display.firstBoardBuild != 0 || boardImages.boardWorld == nullptr) buildBoardOffscreens();
  setPort(boardImages.boardWorld);
  paintBoard();
  buildArrowRegions();
  const int trayX = L.trayLeft[displaySettings.playDirection];
  paintTrayBox(trayX, L.fieldBottom - L.trayHeight);
  paintTrayBox(trayX, L.fieldTop - 1);
  drawTrayPictures();
  if (boardImages.frameShapeRgn != nullptr) disposeRgn(boardImages.frameShapeRgn);
  boardImages.frameShapeRgn = nullptr;
  setPort(saved);
}

void paintBoard() {
  const BoardLayout& L = layout;
  const int16_t gap = L.fieldGap;
  const int16_t margin = L.pointMargin;
  const int16_t width = display.boardWidth;
  const int16_t height = L.boardHeight;

  setDrawColor(roles.windowBackColor);
  clipRect(L.boardRect);
  paintRect(L.boardRect);
  // The frame and points are painted with the field one pixel higher than the layout's.
  const int top = L.fieldTop - 1;
  const int bottom = L.fieldBottom - 1;
  clipToBoard();
  rgbForeColor(kBlackRGB);

  paintArea(makeRect(0, margin, width - gap, height), roles.frameShadeColor, kShadeTileMode);
  paintArea(makeRect(gap, 0, width, height - margin), roles.boardFrameColor, kFrameTileMode);
  paintArea(makeRect(L.fieldLeft, top, L.fieldRight + gap, bottom), roles.frameShadeColor,
            kShadeTileMode);

  setDrawColor(roles.frameShadeColor);
  rgbForeColor(paletteColour(roles.frameShadeColor));
  paintBevel({{-1, static_cast<int16_t>(margin + 1)}, {gap, -1}, {gap, static_cast<int16_t>(margin + 1)}});
  paintBevel({{width, static_cast<int16_t>(height - margin)},
              {static_cast<int16_t>(width - gap), height},
              {static_cast<int16_t>(width - gap), static_cast<int16_t>(height - margin)}});

  const int barLeft = L.fieldLeft + 6 * L.boardUnit + 1;
  const int barRight = barLeft + L.barWidth;
  paintArea(makeRect(barLeft + gap, top, barRight, bottom), roles.boardFrameColor, kFrameTileMode);

  setDrawColor(roles.fieldColor);
  rgbForeColor(scheme()[kFieldColour]);
  paintRect(makeRect(L.fieldLeft, top + margin, barLeft, bottom));
  paintRect(makeRect(barRight, top + margin, L.fieldRight, bottom));

  penNormal();
  rgbForeColor(kBlackRGB);
  frameRect(makeRect(gap, 0, width, height - margin));
  frameRect(makeRect(L.fieldLeft - 1, top, barLeft + gap + 1, bottom + 1));
  frameRect(makeRect(L.fieldLeft - 1, top + margin, barLeft + 1, bottom + 1));
  frameRect(makeRect(barRight - 1, top, L.fieldRight + gap + 1, bottom + 1));
  frameRect(makeRect(barRight - 1, top + margin, L.fieldRight + 1, bottom + 1));

  moveTo(barLeft, top + margin);
  lineTo(barLeft + gap - 1, top + 1);
  moveTo(L.fieldRight, top + margin);
  lineTo(L.fieldRight + gap - 1, top + 1);
  moveTo(1, height - 1);
  lineTo(gap, height - margin - 1);

  // Patterned points are filled as polygons; the others are drawn smooth.
  const int16_t colour = display.boardColor;
  if (colour == kPatternedBoard || colour == kPatternedPointsBoard)
    paintPointsQuickDraw(top, bottom);
  else
    paintPointsQuartz(top, bottom);

  penNormal();
}

void paintPointsQuickDraw(int fieldTop, int fieldBottom) {
  const BoardLayout& L = layout;
  const int u = L.boardUnit;
  const int h = L.pointHeight;
  const int left = L.fieldLeft;
  const int top = fieldTop + L.pointMargin;
  const int bottom = fieldBottom;
  const int half = u / 2;
  penSize(1, 1);
  auto p = [](int x, int y) { return Point{static_cast<int16_t>(x), static_cast<int16_t>(y)}; };
  PolyHandle upper = makePolygon({p(left, top), p(left + half, top + h + 2), p(left + half + 1, top + h + 2),
                                  p(left + u, top)});
  paintRowQuickDraw(upper, true);
  killPoly(upper);
  PolyHandle lower = makePolygon({p(left, bottom), p(left + half, bottom - h + 2), p(left + half, bottom - h + 1),
                                  p(left + half + 1, bottom - h + 1), p(left + half + 1, bottom - h + 2),
                                  p(left + u, bottom)});
  paintRowQuickDraw(lower, false);
  killPoly(lower);
}

void paintPointsQuartz(int fieldTop, int fieldBottom) {
  const BoardLayout& L = layout;
  const double u = L.boardUnit;
  const double h = L.pointHeight;
  const double left = L.fieldLeft;
  const double top = fieldTop + L.pointMargin;
  const double bottom = fieldBottom;
  const std::vector<PointF> upper = {{left, top}, {left + u / 2, top + h + 2}, {left + u / 2 + 1, top + h + 2},
                                     {left + u, top}};
  const std::vector<PointF> lower = {{left, bottom}, {left + u / 2, bottom - h + 2},
                                     {left + u / 2 + 1, bottom - h + 2}, {left + u, bottom}};
  auto row = [&L, u](const std::vector<PointF>& shape, int16_t firstEntry, int16_t secondEntry) {
    double dx = 0;
    auto shifted = [&shape, &dx]() {
      std::vector<PointF> out = shape;
      for (PointF& q : out) q.h += dx;
      return out;
    };
    for (int half = 0; half < 2; ++half) {
      for (int pair = 0; pair < 3; ++pair) {
        fillPolygonSmooth(shifted(), paletteColour(firstEntry));
        dx += u;
        fillPolygonSmooth(shifted(), paletteColour(secondEntry));
        dx += u;
      }
      dx += L.barWidth + 1;
    }
  };
  row(upper, 7, 6);
  row(lower, 6, 7);
}

void paintTrayBox(int x, int y) {
  const BoardLayout& L = layout;
  setPort(boardImages.boardWorld);
  rgbForeColor(kBlackRGB);
  const Rect outer = makeRect(x, y, x + L.trayWidth, y + L.trayHeight);
  paintArea(outer, roles.frameShadeColor, kShadeTileMode);
  paintArea(makeRect(x, y + L.pointMargin, x + L.trayWidth - L.fieldGap, y + L.trayHeight), roles.boardFrameColor,
            kFrameTileMode);
  penNormal();
  rgbForeColor(kTrayOutline);
  frameRect(outer);
  moveTo(x + L.trayWidth - 1, y);
  lineTo(x + L.trayWidth - L.fieldGap, y + L.pointMargin - 1);
  penNormal();
}

void drawTrayPictures() {
  const BoardLayout& L = layout;
  const int t = L.trayPieceThickness;
  for (int i = 0; i <= 1; ++i) {
    const int16_t colourSet = display.playerColors[i];
    const int16_t role = roles.pieceColors[colourSet];
    roleForeColor(role);
    const int x = L.trayLeft[displaySettings.playDirection];
    const int y = L.trayPictureY[i];
    if (display.boardColor == kPlainKeysBoard) {
      penNormal();
      roleForeColor(roles.boardForeColor);
      const Rect box = makeRect(x, y, x + L.pieceWidth, y + t + 4);
      paintRect(box);
      setDrawColor(role);
      rgbForeColor(pieceRgb(role));
      const int inset = L.textSize / 4;
      paintRect(makeRect(x + 2, y + inset, x + L.pieceWidth - 2, box.bottom - inset));
    } else {
      const Rect key = makeRect(x, y, x + L.pieceWidth - 1, y + t + 2);
      PicHandle picture = getPicture(static_cast<int16_t>(kFirstTrayKeyPicture + colourSet));
      if (picture != nullptr) drawPicture(picture, key);
      killPicture(picture);
      penNormal();
      rgbForeColor(scheme()[kFrameColour]);
      paintRect(makeRect(key.left, key.top + 2, key.right, key.bottom - 2));
      setDrawColor(role);
      rgbForeColor(pieceRgb(role));
      paintRect(makeRect(x + 1, y + 2, key.right - 1, key.bottom - 2));
    }
  }
  penNormal();
}

void buildDisplayPictures(int16_t frameTilePict, int16_t shadeTilePict) {
  const GrafPtr saved = getPort();
  auto build = [](int16_t id, GWorldPtr& world, Rect& rect) {
    PicHandle picture = getPicture(id);
    rect = pictureBounds(picture);
    disposeOffscreenWorld(world);
    if (rect.width() > 0 && rect.height() > 0) {
      world = newOffscreenWorld(rect);
      setPort(world);
      drawPicture(picture, rect);
    }
    killPicture(picture);
  };
  build(frameTilePict, boardImages.designFrameTileWorld, boardImages.frameTileRect);
  build(shadeTilePict, boardImages.designShadeTileWorld, boardImages.shadeTileRect);
  setPort(saved);
}

void tilePictureInRect(GWorldPtr tileWorld, const Rect& target, const Region* clipRgn, int16_t mode) {
  const Rect tile = mode == kFrameTileMode ? boardImages.frameTileRect : boardImages.shadeTileRect;
  const int w = tile.width();
  const int h = tile.height();
  // A missing tile has no size, and tiling it would never end.
  if (tileWorld == nullptr || w <= 0 || h <= 0) return;
  setPort(boardImages.boardWorld);
  if (clipRgn != nullptr)
    setClip(clipRgn);
  else
    clipRect(target);
  Rect place = tile;
  for (int k = 0; place.top < target.bottom; ++k) {
    while (place.left < target.right) {
      copyOffscreenToWindow(tileWorld, boardImages.boardWorld, tile, place);
      offsetRect(place, w, 0);
    }
    place = makeRect(0, h - 1 + h * k, w, 2 * h - 1 + h * k);
  }
  clipToBoard();
}

}  // namespace bg
