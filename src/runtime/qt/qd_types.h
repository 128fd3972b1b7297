#pragma once
// The small value types of the drawing layer: points, rectangles and 16-bit RGB colours,
// with the rectangle utilities the board code uses. Rectangles exclude their right and
// bottom edges, so (0, 0, 10, 5) covers 10 x 5 pixels.
#include <cstdint>

namespace bg {

struct Point {
  int16_t h = 0;
  int16_t v = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = 0;
  int16_t bottom = 0;
  bool operator==(const Rect&) const = default;
  int16_t width() const { return static_cast<int16_t>(right - left); }
  int16_t height() const { return static_cast<int16_t>(bottom - top); }
};

// Components run from 0 to 65535.
struct RGBColor {
  uint16_t red = 0;
  uint16_t green = 0;
  uint16_t blue = 0;
  bool operator==(const RGBColor&) const = default;
};

inline constexpr RGBColor kBlackRGB{0, 0, 0};
inline constexpr RGBColor kWhiteRGB{65535, 65535, 65535};

Rect makeRect(int left, int top, int right, int bottom);
void setRect(Rect& r, int left, int top, int right, int bottom);
void offsetRect(Rect& r, int dh, int dv);
void insetRect(Rect& r, int dh, int dv);
bool emptyRect(const Rect& r);
bool ptInRect(Point p, const Rect& r);
// The common part of a and b; false (and an empty result) when they do not meet.
bool sectRect(const Rect& a, const Rect& b, Rect& out);
// The smallest rectangle holding both.
Rect unionRect(const Rect& a, const Rect& b);

// Hue, saturation and lightness on the same 0..65535 scale as the RGB components.
struct HSLColor {
  uint16_t hue = 0;
  uint16_t saturation = 0;
  uint16_t lightness = 0;
};
HSLColor rgbToHsl(const RGBColor& rgb);
RGBColor hslToRgb(const HSLColor& hsl);

}  // namespace bg
