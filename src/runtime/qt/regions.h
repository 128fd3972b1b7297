#pragma once
// Regions: sets of pixels in local coordinates, made from rectangles, ovals, round
// rectangles, polygons, 1-bit worlds or recorded frames, combined by union, intersection
// and difference.
#include <QRegion>

#include "runtime/qt/ports.h"
#include "runtime/qt/qd_types.h"

namespace bg {

struct Region {
  QRegion rgn;
};
using RgnHandle = Region*;

RgnHandle newRgn();
void disposeRgn(RgnHandle& rgn);
void setEmptyRgn(RgnHandle rgn);
void rectRgn(RgnHandle rgn, const Rect& r);
void setRectRgn(RgnHandle rgn, int left, int top, int right, int bottom);
void copyRgn(const Region* src, RgnHandle dst);
void unionRgn(const Region* a, const Region* b, RgnHandle dst);
void sectRgn(const Region* a, const Region* b, RgnHandle dst);
void diffRgn(const Region* a, const Region* b, RgnHandle dst);
void offsetRgn(RgnHandle rgn, int dh, int dv);
bool emptyRgn(const Region* rgn);
bool ptInRgn(Point p, const Region* rgn);
bool equalRgn(const Region* a, const Region* b);
Rect rgnBounds(const Region* rgn);
// The black pixels of a 1-bit (or any) world, in the world's local coordinates.
void bitMapToRegion(RgnHandle rgn, const GrafPort* world);

// While a region records, framed shapes add their area to it and nothing is drawn.
void openRgn();
void closeRgn(RgnHandle dst);

// Shape regions with the drawing rules: right and bottom edges excluded.
QRegion ovalRegion(const Rect& r);
QRegion roundRectRegion(const Rect& r, int ovalWidth, int ovalHeight);

}  // namespace bg
