#include "runtime/qt/drawing.h"

#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "runtime/qt/draw_target.h"
#include "runtime/qt/region_recording.h"

namespace bg {

namespace {

struct PolyRecording {
  Polygon* poly = nullptr;
  GrafPort* port = nullptr;
};
PolyRecording& polyRec() {
  static PolyRecording r;
  return r;
}

bool tracingPolygon(const GrafPort* p) { return polyRec().poly != nullptr && polyRec().port == p; }

QRegion rectRegion(const Rect& r) {
  return emptyRect(r) ? QRegion() : QRegion(r.left, r.top, r.width(), r.height());
}

Rect insetCopy(Rect r, int dh, int dv) {
  insetRect(r, dh, dv);
  return r;
}

// Pixels whose neighbours up to the pen size away on every side lie in the region.
QRegion eroded(const QRegion& rgn, int pw, int ph) {
  QRegion inner = rgn;
  for (int k = 1; k <= pw; ++k) inner = inner.intersected(rgn.translated(k, 0)).intersected(rgn.translated(-k, 0));
  for (int k = 1; k <= ph; ++k) inner = inner.intersected(rgn.translated(0, k)).intersected(rgn.translated(0, -k));
  return inner;
}

void paintArea(const QRegion& local) {
  GrafPort* p = getPort();
  auto t = detail::drawTarget(p);
  if (t.image == nullptr) return;
  detail::fillWithPen(p, t, detail::deviceArea(p, t, local), p->fore);
}

void eraseArea(const QRegion& local) {
  GrafPort* p = getPort();
  auto t = detail::drawTarget(p);
  if (t.image == nullptr) return;
  detail::fillWithColour(t, detail::deviceArea(p, t, local), p->back);
}

void fillArea(const QRegion& local, PixPatHandle pat) {
  GrafPort* p = getPort();
  auto t = detail::drawTarget(p);
  if (t.image == nullptr) return;
  const QRegion device = detail::deviceArea(p, t, local);
  if (pat != nullptr && !pat->tile.isNull())
    detail::fillWithTile(t, device, pat->tile);
  else
    detail::fillWithColour(t, device, p->fore);
}

// A frame records its whole shape while a region records.
void frameArea(const QRegion& full, const QRegion& frame) {
  GrafPort* p = getPort();
  if (p->regionRecording != nullptr) {
    detail::recordRegionArea(p, full);
    return;
  }
  paintArea(frame);
}

// The pixels the pen covers going from a to b, both ends included. Along a Bresenham
// path the points of one row are neighbours, so every row of the result is one span.
QRegion lineRegion(QPoint a, QPoint b, int pw, int ph) {
  if (pw <= 0 || ph <= 0) return QRegion();
  const int top = std::min(a.y(), b.y());
  const int rows = std::abs(a.y() - b.y()) + 1;
  std::vector<int> lo(static_cast<std::size_t>(rows), INT_MAX), hi(static_cast<std::size_t>(rows), INT_MIN);
  int x0 = a.x(), y0 = a.y();
  const int x1 = b.x(), y1 = b.y();
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    const auto i = static_cast<std::size_t>(y0 - top);
    lo[i] = std::min(lo[i], x0);
    hi[i] = std::max(hi[i], x0);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  // The pen stamps each point ph rows down: a device row takes the points of the ph rows
  // above it and itself.
  std::vector<QRect> rects;
  for (int row = 0; row < rows + ph - 1; ++row) {
    int l = INT_MAX, r = INT_MIN;
    for (int k = std::max(0, row - ph + 1); k <= std::min(rows - 1, row); ++k) {
      l = std::min(l, lo[static_cast<std::size_t>(k)]);
      r = std::max(r, hi[static_cast<std::size_t>(k)]);
    }
    const int right = r + pw - 1;
    if (!rects.empty() && rects.back().left() == l && rects.back().right() == right &&
        rects.back().bottom() == top + row - 1) {
      rects.back().setHeight(rects.back().height() + 1);
    } else {
      rects.emplace_back(l, top + row, right - l + 1, 1);
    }
  }
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

void drawLine(QPoint from, QPoint to) {
  GrafPort* p = getPort();
  if (tracingPolygon(p)) {
    Polygon* poly = polyRec().poly;
    const Point f{static_cast<int16_t>(from.x()), static_cast<int16_t>(from.y())};
    if (poly->points.empty() || !(poly->points.back() == f)) poly->points.push_back(f);
    poly->points.push_back(Point{static_cast<int16_t>(to.x()), static_cast<int16_t>(to.y())});
    return;
  }
  if (p->regionRecording != nullptr) {
    detail::recordRegionLine(p, from, to);
    return;
  }
  paintArea(lineRegion(from, to, p->penWidth, p->penHeight));
}

RGBColor classicColour(int32_t c) {
  switch (c) {
    case 33: return kBlackRGB;
    case 30: return kWhiteRGB;
    case 69: return RGBColor{64512, 62333, 1327};
    case 137: return RGBColor{62167, 2134, 34028};
    case 205: return RGBColor{56683, 2242, 1698};
    case 273: return RGBColor{577, 43860, 60159};
    case 341: return RGBColor{0, 32768, 4528};
    case 409: return RGBColor{0, 0, 54272};
    default: return (c & 1) != 0 ? kBlackRGB : kWhiteRGB;
  }
}

QPolygon toQPolygon(const Polygon* poly) {
  QPolygon q;
  for (const Point& pt : poly->points) q << QPoint(pt.h, pt.v);
  return q;
}

}  // namespace

void penNormal() {
  GrafPort* p = getPort();
  p->penWidth = 1;
  p->penHeight = 1;
  p->penMode = patCopy;
  p->penPat = nullptr;
}

void penSize(int width, int height) {
  GrafPort* p = getPort();
  p->penWidth = static_cast<int16_t>(std::max(0, width));
  p->penHeight = static_cast<int16_t>(std::max(0, height));
}

void penMode(int16_t mode) { getPort()->penMode = mode; }
void penPixPat(PixPatHandle pat) { getPort()->penPat = pat; }
void penPatSolid() { getPort()->penPat = nullptr; }
void hidePen() { ++getPort()->penHidden; }
void showPen() {
  GrafPort* p = getPort();
  if (p->penHidden > 0) --p->penHidden;
}

void moveTo(int h, int v) {
  GrafPort* p = getPort();
  p->penLoc = Point{static_cast<int16_t>(h), static_cast<int16_t>(v)};
  if (p->regionRecording != nullptr) detail::recordRegionMove(p, QPoint(h, v));
}

void move(int dh, int dv) {
  const Point at = getPort()->penLoc;
  moveTo(at.h + dh, at.v + dv);
}

void lineTo(int h, int v) {
  GrafPort* p = getPort();
  const QPoint from(p->penLoc.h, p->penLoc.v);
  p->penLoc = Point{static_cast<int16_t>(h), static_cast<int16_t>(v)};
  drawLine(from, QPoint(h, v));
}

void line(int dh, int dv) {
  const Point at = getPort()->penLoc;
  lineTo(at.h + dh, at.v + dv);
}

Point penLocation() { return getPort()->penLoc; }

void rgbForeColor(const RGBColor& c) { getPort()->fore = c; }
void rgbBackColor(const RGBColor& c) { getPort()->back = c; }
void getForeColor(RGBColor& c) { c = getPort()->fore; }
void getBackColor(RGBColor& c) { c = getPort()->back; }
void foreColor(int32_t classic) { getPort()->fore = classicColour(classic); }
void backColor(int32_t classic) { getPort()->back = classicColour(classic); }

void paintRect(const Rect& r) { paintArea(rectRegion(r)); }
void eraseRect(const Rect& r) { eraseArea(rectRegion(r)); }
void fillRect(const Rect& r, PixPatHandle pat) { fillArea(rectRegion(r), pat); }
void frameRect(const Rect& r) {
  const GrafPort* p = getPort();
  const QRegion full = rectRegion(r);
  frameArea(full, full.subtracted(rectRegion(insetCopy(r, p->penWidth, p->penHeight))));
}

void paintOval(const Rect& r) { paintArea(ovalRegion(r)); }
void eraseOval(const Rect& r) { eraseArea(ovalRegion(r)); }
void fillOval(const Rect& r, PixPatHandle pat) { fillArea(ovalRegion(r), pat); }
void frameOval(const Rect& r) {
  const GrafPort* p = getPort();
  const QRegion full = ovalRegion(r);
  frameArea(full, full.subtracted(ovalRegion(insetCopy(r, p->penWidth, p->penHeight))));
}

void paintRoundRect(const Rect& r, int ow, int oh) { paintArea(roundRectRegion(r, ow, oh)); }
void eraseRoundRect(const Rect& r, int ow, int oh) { eraseArea(roundRectRegion(r, ow, oh)); }
void fillRoundRect(const Rect& r, int ow, int oh, PixPatHandle pat) { fillArea(roundRectRegion(r, ow, oh), pat); }
void frameRoundRect(const Rect& r, int ow, int oh) {
  const GrafPort* p = getPort();
  const QRegion full = roundRectRegion(r, ow, oh);
  const QRegion inner =
      roundRectRegion(insetCopy(r, p->penWidth, p->penHeight), ow - 2 * p->penWidth, oh - 2 * p->penHeight);
  frameArea(full, full.subtracted(inner));
}

void paintRgn(const Region* rgn) {
  if (rgn != nullptr) paintArea(rgn->rgn);
}
void eraseRgn(const Region* rgn) {
  if (rgn != nullptr) eraseArea(rgn->rgn);
}
void fillRgn(const Region* rgn, PixPatHandle pat) {
  if (rgn != nullptr) fillArea(rgn->rgn, pat);
}
void frameRgn(const Region* rgn) {
  if (rgn == nullptr) return;
  const GrafPort* p = getPort();
  frameArea(rgn->rgn, rgn->rgn.subtracted(eroded(rgn->rgn, p->penWidth, p->penHeight)));
}

PolyHandle openPoly() {
  auto& r = polyRec();
  r.poly = new Polygon;
  r.port = getPort();
  return r.poly;
}

void closePoly() {
  auto& r = polyRec();
  r.poly = nullptr;
  r.port = nullptr;
}

void killPoly(PolyHandle& poly) {
  if (poly == nullptr) return;
  if (polyRec().poly == poly) closePoly();
  delete poly;
  poly = nullptr;
}

void offsetPoly(PolyHandle poly, int dh, int dv) {
  if (poly == nullptr) return;
  for (Point& pt : poly->points) pt = Point{static_cast<int16_t>(pt.h + dh), static_cast<int16_t>(pt.v + dv)};
}

Rect polyBounds(const Polygon* poly) {
  if (poly == nullptr || poly->points.empty()) return Rect{};
  int l = poly->points[0].h, t = poly->points[0].v, r = l, b = t;
  for (const Point& pt : poly->points) {
    l = std::min<int>(l, pt.h);
    t = std::min<int>(t, pt.v);
    r = std::max<int>(r, pt.h);
    b = std::max<int>(b, pt.v);
  }
  return makeRect(l, t, r, b);
}

QRegion polygonRegion(const Polygon* poly) {
  if (poly == nullptr || poly->points.size() < 3) return QRegion();
  return QRegion(toQPolygon(poly), Qt::OddEvenFill);
}

void paintPoly(const Polygon* poly) { paintArea(polygonRegion(poly)); }
void erasePoly(const Polygon* poly) { eraseArea(polygonRegion(poly)); }
void fillPoly(const Polygon* poly, PixPatHandle pat) { fillArea(polygonRegion(poly), pat); }

void framePoly(const Polygon* poly) {
  if (poly == nullptr || poly->points.empty()) return;
  GrafPort* p = getPort();
  const Point saved = p->penLoc;
  moveTo(poly->points[0].h, poly->points[0].v);
  for (std::size_t i = 1; i < poly->points.size(); ++i) lineTo(poly->points[i].h, poly->points[i].v);
  p->penLoc = saved;
}

void fillPolygonSmooth(const std::vector<PointF>& points, const RGBColor& colour) {
  GrafPort* p = getPort();
  auto t = detail::drawTarget(p);
  if (t.image == nullptr || points.size() < 3) return;
  QPainterPath path;
  path.moveTo(points[0].h - t.offset.x(), points[0].v - t.offset.y());
  for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i].h - t.offset.x(), points[i].v - t.offset.y());
  path.closeSubpath();
  const QRegion clip = detail::deviceArea(p, t, QRegion(-32768, -32768, 65535, 65535));
  QPainter painter(t.image);
  painter.setRenderHint(QPainter::Antialiasing, !t.oneBit);
  painter.setClipRegion(clip);
  painter.fillPath(path, detail::toQColor(colour));
  painter.end();
  detail::keepOneBit(t, path.boundingRect().toAlignedRect());
}

}  // namespace bg
