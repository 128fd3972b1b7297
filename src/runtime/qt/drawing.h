#pragma once
// QuickDraw-style drawing into the current port. Rectangles exclude their right and bottom
// edges; frames lie inside their rectangle; the pen hangs right of and below the point
// it is drawn at. Colours are 16-bit RGB; the palette calls live in palettes.h.
#include <cstdint>
#include <vector>

#include "runtime/qt/patterns.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/qd_types.h"
#include "runtime/qt/regions.h"

namespace bg {

// Pen.
void penNormal();  // size 1 x 1, mode patCopy, solid
void penSize(int width, int height);
void penMode(int16_t mode);
void penPixPat(PixPatHandle pat);
void penPatSolid();
void hidePen();
void showPen();
void moveTo(int h, int v);
void move(int dh, int dv);
void lineTo(int h, int v);
void line(int dh, int dv);
Point penLocation();

// Colours of the current port.
void rgbForeColor(const RGBColor& c);
void rgbBackColor(const RGBColor& c);
void getForeColor(RGBColor& c);
void getBackColor(RGBColor& c);
// The classic eight colours by their old constants (33 black, 30 white, 205 red, ...).
void foreColor(int32_t classic);
void backColor(int32_t classic);
inline constexpr int32_t kBlackColor = 33;
inline constexpr int32_t kWhiteColor = 30;

// Shapes: paint with the pen, frame with the pen inside the shape, erase with the
// background colour, fill with a given pattern.
void paintRect(const Rect& r);
void frameRect(const Rect& r);
void eraseRect(const Rect& r);
void fillRect(const Rect& r, PixPatHandle pat);
void paintOval(const Rect& r);
void frameOval(const Rect& r);
void eraseOval(const Rect& r);
void fillOval(const Rect& r, PixPatHandle pat);
void paintRoundRect(const Rect& r, int ovalWidth, int ovalHeight);
void frameRoundRect(const Rect& r, int ovalWidth, int ovalHeight);
void eraseRoundRect(const Rect& r, int ovalWidth, int ovalHeight);
void fillRoundRect(const Rect& r, int ovalWidth, int ovalHeight, PixPatHandle pat);
void paintRgn(const Region* rgn);
void frameRgn(const Region* rgn);
void eraseRgn(const Region* rgn);
void fillRgn(const Region* rgn, PixPatHandle pat);

// Polygons: between openPoly and closePoly the pen's moves and lines trace the outline
// (nothing is drawn).
struct Polygon {
  std::vector<Point> points;
};
using PolyHandle = Polygon*;
PolyHandle openPoly();
void closePoly();
void killPoly(PolyHandle& poly);
void offsetPoly(PolyHandle poly, int dh, int dv);
Rect polyBounds(const Polygon* poly);
void paintPoly(const Polygon* poly);
void framePoly(const Polygon* poly);
void erasePoly(const Polygon* poly);
void fillPoly(const Polygon* poly, PixPatHandle pat);
// The pixels a polygon paints, in local coordinates.
QRegion polygonRegion(const Polygon* poly);

// An antialiased fill of a polygon with real coordinates, in one RGB colour, through the
// clip (the smooth drawing the board points use).
struct PointF {
  double h = 0.0;
  double v = 0.0;
};
void fillPolygonSmooth(const std::vector<PointF>& points, const RGBColor& colour);

}  // namespace bg
