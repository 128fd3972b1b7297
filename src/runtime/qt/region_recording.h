#pragma once
// What the drawing code feeds into an open region recording.
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRegion>

#include "runtime/qt/ports.h"

namespace bg::detail {

void beginRegionRecording(GrafPort* port);
QRegion endRegionRecording(GrafPort* port);
bool recordingRegion(const GrafPort* port);
// A framed shape adds its whole area.
void recordRegionArea(GrafPort* port, const QRegion& area);
// Pen moves and lines trace outlines; each closed outline adds its inside.
void recordRegionMove(GrafPort* port, QPoint to);
void recordRegionLine(GrafPort* port, QPoint from, QPoint to);

// The pixels of image that are not white, as a region placed at origin.
QRegion regionOfSetPixels(const QImage& image, const QPoint& origin);

}  // namespace bg::detail
