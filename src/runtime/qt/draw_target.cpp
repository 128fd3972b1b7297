#include "runtime/qt/draw_target.h"

#include "runtime/qt/patterns.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/region_recording.h"

namespace bg::detail {

DrawTarget drawTarget(GrafPort* port) {
  DrawTarget t;
  if (port == nullptr || port->penHidden > 0 || port->regionRecording != nullptr) return t;
  if (!port->recordings.empty()) {
    Picture* pic = port->recordings.back();
    t.image = &pic->image;
    t.offset = QPoint(pic->frame.left, pic->frame.top);
    return t;
  }
  t.image = &port->image;
  t.offset = port->origin;
  t.oneBit = port->oneBit;
  return t;
}

QRegion deviceArea(const GrafPort* port, const DrawTarget& t, const QRegion& localArea) {
  QRegion r = localArea.intersected(port->clip);
  r.translate(-t.offset);
  return r.intersected(QRect(QPoint(0, 0), t.image->size()));
}

QColor toQColor(const RGBColor& c) { return QColor(c.red >> 8, c.green >> 8, c.blue >> 8); }

RGBColor fromQColor(const QColor& c) {
  auto up = [](int v) { return static_cast<uint16_t>(v * 257); };
  return RGBColor{up(c.red()), up(c.green()), up(c.blue())};
}

void fillWithColour(const DrawTarget& t, const QRegion& device, const RGBColor& colour) {
  if (device.isEmpty()) return;
  QPainter p(t.image);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  const QColor c = toQColor(colour);
  for (const QRect& r : device) p.fillRect(r, c);
  p.end();
  keepOneBit(t, device.boundingRect());
}

void fillWithTile(const DrawTarget& t, const QRegion& device, const QImage& tile) {
  if (device.isEmpty()) return;
  QPainter p(t.image);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  // Tile (0, 0) sits at local (0, 0), wherever the origin is.
  p.setBrushOrigin(-t.offset);
  p.setClipRegion(device);
  p.fillRect(device.boundingRect(), QBrush(tile));
  p.end();
  keepOneBit(t, device.boundingRect());
}

void fillWithPen(GrafPort* port, const DrawTarget& t, const QRegion& device, const RGBColor& colour) {
  if (port->penPat != nullptr && !port->penPat->tile.isNull())
    fillWithTile(t, device, port->penPat->tile);
  else
    fillWithColour(t, device, colour);
}

void keepOneBit(const DrawTarget& t, const QRect& device) {
  if (!t.oneBit || t.image == nullptr) return;
  const QRect r = device.intersected(QRect(QPoint(0, 0), t.image->size()));
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(t.image->scanLine(y));
    for (int x = r.left(); x <= r.right(); ++x) row[x] = (row[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000;
  }
}

}  // namespace bg::detail
