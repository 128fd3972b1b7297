#pragma once
// A board rectangle in 16-bit pixels. Like every rectangle of the board it excludes its
// right and bottom edges: (0, 0, 10, 5) covers x 0..9 and y 0..4.
#include <cstdint>

namespace bg {

struct Rect16 {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = 0;
  int16_t bottom = 0;

  constexpr int16_t width() const { return static_cast<int16_t>(right - left); }
  constexpr int16_t height() const { return static_cast<int16_t>(bottom - top); }
  constexpr bool isEmpty() const { return right <= left || bottom <= top; }
  constexpr Rect16 moved(int dx, int dy) const {
    return {static_cast<int16_t>(left + dx), static_cast<int16_t>(top + dy),
            static_cast<int16_t>(right + dx), static_cast<int16_t>(bottom + dy)};
  }
  constexpr bool operator==(const Rect16&) const = default;
};

// A colour, each component 0..65535.
struct Rgb16 {
  uint16_t red = 0;
  uint16_t green = 0;
  uint16_t blue = 0;
  constexpr bool operator==(const Rgb16&) const = default;
};

// A pixel position: h across, v down.
struct Point16 {
  int16_t h = 0;
  int16_t v = 0;
  constexpr bool operator==(const Point16&) const = default;
};

constexpr Rect16 makeRect16(int left, int top, int right, int bottom) {
  return {static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(right),
          static_cast<int16_t>(bottom)};
}

}  // namespace bg
