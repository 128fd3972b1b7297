#pragma once
// Where a port's drawing lands: its own image, or the layer of the picture it records.
// Internal to the drawing layer.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include "runtime/qt/ports.h"

namespace bg::detail {

struct DrawTarget {
  QImage* image = nullptr;
  QPoint offset;        // device = local - offset
  bool oneBit = false;
};

// The target of the port's drawing; image is nullptr when nothing may be drawn (the pen
// is hidden or a region records).
DrawTarget drawTarget(GrafPort* port);

// The part of area (local coordinates) that the port's clip lets through, in device
// coordinates of the target.
QRegion deviceArea(const GrafPort* port, const DrawTarget& t, const QRegion& localArea);

QColor toQColor(const RGBColor& c);
RGBColor fromQColor(const QColor& c);

// Fills device area of the target with the port's pen (its pattern, else the colour).
void fillWithPen(GrafPort* port, const DrawTarget& t, const QRegion& device, const RGBColor& colour);
// Fills with a given pattern tile aligned to the port's origin.
void fillWithTile(const DrawTarget& t, const QRegion& device, const QImage& tile);
void fillWithColour(const DrawTarget& t, const QRegion& device, const RGBColor& colour);

// 1-bit targets keep only black and white: any other colour becomes black.
void keepOneBit(const DrawTarget& t, const QRect& device);

}  // namespace bg::detail
