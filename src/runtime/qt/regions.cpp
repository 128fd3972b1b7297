#include "runtime/qt/regions.h"

#include <QPolygon>

#include <cmath>

#include <vector>

#include "runtime/qt/region_recording.h"

namespace bg {

RgnHandle newRgn() { return new Region; }

void disposeRgn(RgnHandle& rgn) {
  if (rgn == nullptr) return;
  detail::forgetPortReferences(rgn);
  delete rgn;
  rgn = nullptr;
}

void setEmptyRgn(RgnHandle rgn) {
  if (rgn != nullptr) rgn->rgn = QRegion();
}

void rectRgn(RgnHandle rgn, const Rect& r) {
  if (rgn == nullptr) return;
  rgn->rgn = emptyRect(r) ? QRegion() : QRegion(r.left, r.top, r.width(), r.height());
}

void setRectRgn(RgnHandle rgn, int left, int top, int right, int bottom) {
  rectRgn(rgn, makeRect(left, top, right, bottom));
}

void copyRgn(const Region* src, RgnHandle dst) {
  if (src != nullptr && dst != nullptr) dst->rgn = src->rgn;
}

void unionRgn(const Region* a, const Region* b, RgnHandle dst) {
  if (a != nullptr && b != nullptr && dst != nullptr) dst->rgn = a->rgn.united(b->rgn);
}

void sectRgn(const Region* a, const Region* b, RgnHandle dst) {
  if (a != nullptr && b != nullptr && dst != nullptr) dst->rgn = a->rgn.intersected(b->rgn);
}

void diffRgn(const Region* a, const Region* b, RgnHandle dst) {
  if (a != nullptr && b != nullptr && dst != nullptr) dst->rgn = a->rgn.subtracted(b->rgn);
}

void offsetRgn(RgnHandle rgn, int dh, int dv) {
  if (rgn != nullptr) rgn->rgn.translate(dh, dv);
}

bool emptyRgn(const Region* rgn) { return rgn == nullptr || rgn->rgn.isEmpty(); }

bool ptInRgn(Point p, const Region* rgn) { return rgn != nullptr && rgn->rgn.contains(QPoint(p.h, p.v)); }

bool equalRgn(const Region* a, const Region* b) { return a != nullptr && b != nullptr && a->rgn == b->rgn; }

Rect rgnBounds(const Region* rgn) {
  if (rgn == nullptr || rgn->rgn.isEmpty()) return Rect{};
  const QRect r = rgn->rgn.boundingRect();
  return makeRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void bitMapToRegion(RgnHandle rgn, const GrafPort* world) {
  if (rgn == nullptr) return;
  rgn->rgn = QRegion();
  if (world == nullptr) return;
  rgn->rgn = detail::regionOfSetPixels(world->image, world->origin);
}

namespace {

// The pixels whose centres lie inside the ellipse inscribed in (x, y, w, h): the same
// from the left and from the right, from the top and from the bottom.
QRegion ellipseRegion(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return QRegion();
  const double a = w / 2.0, b = h / 2.0;
  std::vector<QRect> rects;
  int prevL = 0, prevR = -1;
  for (int row = 0; row < h; ++row) {
    const double dy = (row + 0.5 - b) / b;
    int left = 0, right = -1;
    if (dy * dy <= 1.0) {
      const double half = a * std::sqrt(1.0 - dy * dy);
      left = static_cast<int>(std::ceil(a - half - 0.5));
      right = static_cast<int>(std::floor(a + half - 0.5));
    }
    if (right < left) {
      prevL = 0;
      prevR = -1;
      continue;
    }
    if (!rects.empty() && left == prevL && right == prevR && rects.back().bottom() == y + row - 1) {
      rects.back().setHeight(rects.back().height() + 1);
    } else {
      rects.emplace_back(x + left, y + row, right - left + 1, 1);
    }
    prevL = left;
    prevR = right;
  }
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

}  // namespace

QRegion ovalRegion(const Rect& r) {
  if (emptyRect(r)) return QRegion();
  return ellipseRegion(r.left, r.top, r.width(), r.height());
}

QRegion roundRectRegion(const Rect& r, int ovalWidth, int ovalHeight) {
  if (emptyRect(r)) return QRegion();
  const int w = r.width(), h = r.height();
  const int cw = std::min(std::max(ovalWidth, 0), w);
  const int ch = std::min(std::max(ovalHeight, 0), h);
  if (cw < 2 || ch < 2) return QRegion(r.left, r.top, w, h);
  if (cw >= w && ch >= h) return ovalRegion(r);
  QRegion result(r.left, r.top, w, h);
  const int bw = cw / 2, bh = ch / 2;
  struct Corner {
    QRect box;
    QRect oval;
  };
  const Corner corners[] = {
      {QRect(r.left, r.top, bw, bh), QRect(r.left, r.top, cw, ch)},
      {QRect(r.right - bw, r.top, bw, bh), QRect(r.right - cw, r.top, cw, ch)},
      {QRect(r.left, r.bottom - bh, bw, bh), QRect(r.left, r.bottom - ch, cw, ch)},
      {QRect(r.right - bw, r.bottom - bh, bw, bh), QRect(r.right - cw, r.bottom - ch, cw, ch)},
  };
  for (const Corner& c : corners) {
    result -= QRegion(c.box);
    result += ellipseRegion(c.oval.x(), c.oval.y(), c.oval.width(), c.oval.height()).intersected(QRegion(c.box));
  }
  return result;
}

void openRgn() { detail::beginRegionRecording(getPort()); }

void closeRgn(RgnHandle dst) {
  QRegion r = detail::endRegionRecording(getPort());
  if (dst != nullptr) dst->rgn = r;
}

namespace detail {

QRegion regionOfSetPixels(const QImage& image, const QPoint& origin) {
  // Rows of runs, with equal neighbouring rows merged into one band, in the y-x banded
  // order that QRegion::setRects expects.
  const QImage img = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                         ? image
                         : image.convertToFormat(QImage::Format_RGB32);
  std::vector<QRect> rects;
  std::vector<std::pair<int, int>> prevRuns;
  std::size_t prevStart = 0;
  for (int y = 0; y < img.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    std::vector<std::pair<int, int>> runs;
    int x = 0;
    while (x < img.width()) {
      while (x < img.width() && (row[x] & 0xFFFFFF) == 0xFFFFFF) ++x;
      if (x >= img.width()) break;
      const int start = x;
      while (x < img.width() && (row[x] & 0xFFFFFF) != 0xFFFFFF) ++x;
      runs.emplace_back(start, x - start);
    }
    if (!runs.empty() && runs == prevRuns && !rects.empty()) {
      for (std::size_t i = prevStart; i < rects.size(); ++i) rects[i].setHeight(rects[i].height() + 1);
    } else {
      prevStart = rects.size();
      for (auto [start, len] : runs) rects.emplace_back(origin.x() + start, origin.y() + y, len, 1);
    }
    prevRuns = std::move(runs);
  }
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

}  // namespace detail

}  // namespace bg
