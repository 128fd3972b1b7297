#include "runtime/qt/copy_bits.h"

#include <QPainter>

#include "runtime/qt/draw_target.h"

namespace bg {

namespace {

// The source pixels of r (local to the port) at the size wanted.
QImage sourcePixels(const GrafPort* port, const Rect& r, QSize wanted) {
  const QRect dev(r.left - port->origin.x(), r.top - port->origin.y(), r.width(), r.height());
  QImage sub = port->image.copy(dev).convertToFormat(QImage::Format_RGB32);
  if (sub.size() != wanted) sub = sub.scaled(wanted, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return sub;
}

void colourise(QImage& img) {
  const GrafPort* cur = getPort();
  const QColor f = detail::toQColor(cur->fore), b = detail::toQColor(cur->back);
  if (f == QColor(0, 0, 0) && b == QColor(255, 255, 255)) return;
  auto mix = [](int fore, int back, int s) { return (fore * (255 - s) + back * s + 127) / 255; };
  for (int y = 0; y < img.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb s = row[x];
      row[x] = qRgb(mix(f.red(), b.red(), qRed(s)), mix(f.green(), b.green(), qGreen(s)),
                    mix(f.blue(), b.blue(), qBlue(s)));
    }
  }
}

QRegion rectArea(const Rect& r) { return emptyRect(r) ? QRegion() : QRegion(r.left, r.top, r.width(), r.height()); }

}  // namespace

void copyBits(const GrafPort* src, GrafPort* dst, const Rect& srcRect, const Rect& dstRect, int16_t mode,
              const Region* maskRgn) {
  if (src == nullptr || dst == nullptr || emptyRect(srcRect) || emptyRect(dstRect)) return;
  auto t = detail::drawTarget(dst);
  if (t.image == nullptr) return;
  QRegion area = rectArea(dstRect);
  if (maskRgn != nullptr) area = area.intersected(maskRgn->rgn);
  const QRegion device = detail::deviceArea(dst, t, area);
  if (device.isEmpty()) return;
  QImage pixels = sourcePixels(src, srcRect, QSize(dstRect.width(), dstRect.height()));
  QPainter painter(t.image);
  painter.setClipRegion(device);
  if (mode == transparentMode) {
    // The pixels of the background colour stay out; the rest is copied as it is.
    const QRgb key = detail::toQColor(getPort()->back).rgb() & 0xFFFFFF;
    QImage keyed = pixels.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
      for (int x = 0; x < keyed.width(); ++x)
        if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
    }
    painter.drawImage(QPoint(dstRect.left - t.offset.x(), dstRect.top - t.offset.y()), keyed);
  } else {
    colourise(pixels);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(dstRect.left - t.offset.x(), dstRect.top - t.offset.y()), pixels);
  }
  painter.end();
  detail::keepOneBit(t, device.boundingRect());
}

void copyMask(const GrafPort* src, const GrafPort* mask, GrafPort* dst, const Rect& srcRect, const Rect& maskRect,
              const Rect& dstRect) {
  if (src == nullptr || mask == nullptr || dst == nullptr || emptyRect(dstRect) || emptyRect(srcRect) ||
      emptyRect(maskRect))
    return;
  auto t = detail::drawTarget(dst);
  if (t.image == nullptr) return;
  const QRegion device = detail::deviceArea(dst, t, rectArea(dstRect));
  if (device.isEmpty()) return;
  const QSize size(dstRect.width(), dstRect.height());
  QImage pixels = sourcePixels(src, srcRect, size);
  colourise(pixels);
  const QImage weights = sourcePixels(mask, maskRect, size);
  const QPoint at(dstRect.left - t.offset.x(), dstRect.top - t.offset.y());
  auto blend = [](int s, int d, int m) { return (s * (255 - m) + d * m + 127) / 255; };
  for (const QRect& r : device) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* out = reinterpret_cast<QRgb*>(t.image->scanLine(y));
      const auto* sp = reinterpret_cast<const QRgb*>(pixels.constScanLine(y - at.y()));
      const auto* mp = reinterpret_cast<const QRgb*>(weights.constScanLine(y - at.y()));
      for (int x = r.left(); x <= r.right(); ++x) {
        const QRgb s = sp[x - at.x()], m = mp[x - at.x()], d = out[x];
        // Alpha follows the weight of the grey, so picture layers blend the same way.
        const int ma = (qRed(m) + qGreen(m) + qBlue(m)) / 3;
        out[x] = qRgba(blend(qRed(s), qRed(d), qRed(m)), blend(qGreen(s), qGreen(d), qGreen(m)),
                       blend(qBlue(s), qBlue(d), qBlue(m)), blend(255, qAlpha(d), ma));
      }
    }
  }
  detail::keepOneBit(t, device.boundingRect());
}

}  // namespace bg
