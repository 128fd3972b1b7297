#include "runtime/qt/qd_types.h"

#include <algorithm>
#include <cmath>

namespace bg {

namespace {
int16_t clamp16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }
}  // namespace

Rect makeRect(int left, int top, int right, int bottom) {
  return Rect{clamp16(left), clamp16(top), clamp16(right), clamp16(bottom)};
}

void setRect(Rect& r, int left, int top, int right, int bottom) { r = makeRect(left, top, right, bottom); }

void offsetRect(Rect& r, int dh, int dv) {
  r = makeRect(r.left + dh, r.top + dv, r.right + dh, r.bottom + dv);
}

void insetRect(Rect& r, int dh, int dv) {
  r = makeRect(r.left + dh, r.top + dv, r.right - dh, r.bottom - dv);
  if (emptyRect(r)) r = Rect{};
}

bool emptyRect(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool ptInRect(Point p, const Rect& r) {
  return p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom;
}

bool sectRect(const Rect& a, const Rect& b, Rect& out) {
  Rect r = makeRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom));
  if (emptyRect(r)) {
    out = Rect{};
    return false;
  }
  out = r;
  return true;
}

Rect unionRect(const Rect& a, const Rect& b) {
  if (emptyRect(a)) return b;
  if (emptyRect(b)) return a;
  return makeRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom));
}

HSLColor rgbToHsl(const RGBColor& rgb) {
  const double r = rgb.red / 65535.0, g = rgb.green / 65535.0, b = rgb.blue / 65535.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const double l = (mx + mn) / 2.0;
  double h = 0.0, s = 0.0;
  const double d = mx - mn;
  if (d > 0.0) {
    s = l > 0.5 ? d / (2.0 - mx - mn) : d / (mx + mn);
    if (mx == r)
      h = (g - b) / d + (g < b ? 6.0 : 0.0);
    else if (mx == g)
      h = (b - r) / d + 2.0;
    else
      h = (r - g) / d + 4.0;
    h /= 6.0;
  }
  auto to16 = [](double x) { return static_cast<uint16_t>(std::lround(std::clamp(x, 0.0, 1.0) * 65535.0)); };
  return HSLColor{to16(h), to16(s), to16(l)};
}

RGBColor hslToRgb(const HSLColor& hsl) {
  const double h = hsl.hue / 65535.0, s = hsl.saturation / 65535.0, l = hsl.lightness / 65535.0;
  auto to16 = [](double x) { return static_cast<uint16_t>(std::lround(std::clamp(x, 0.0, 1.0) * 65535.0)); };
  if (s <= 0.0) return RGBColor{to16(l), to16(l), to16(l)};
  const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  auto channel = [&](double t) {
    if (t < 0.0) t += 1.0;
    if (t > 1.0) t -= 1.0;
    if (t < 1.0 / 6.0) return p + (q - p) * 6.0 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    return p;
  };
  return RGBColor{to16(channel(h + 1.0 / 3.0)), to16(channel(h)), to16(channel(h - 1.0 / 3.0))};
}

}  // namespace bg
