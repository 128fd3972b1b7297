#include "display/text_contrast.h"

#include <algorithm>
#include <cmath>

#include <QColor>

#include "display/board_images.h"
#include "display/colour_schemes.h"
#include "runtime/qt/ports.h"

namespace bg {

namespace {

constexpr double kComponentMax = 65535.0;
constexpr double kByteMax = 255.0;
constexpr double kLuminanceOffset = 0.05;

double linear(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double luminanceOfComponents(double r, double g, double b) {
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

}  // namespace

double luminanceOf(const RGBColor& c) {
  return luminanceOfComponents(c.red / kComponentMax, c.green / kComponentMax, c.blue / kComponentMax);
}

double contrastRatio(double luminanceA, double luminanceB) {
  return (std::max(luminanceA, luminanceB) + kLuminanceOffset) / (std::min(luminanceA, luminanceB) + kLuminanceOffset);
}

LuminanceSpread boardLuminanceSpread(const Rect& area) {
  const GrafPort* world = boardImages.boardWorld;
  if (world == nullptr) return {};
  const QRect pixels =
      QRect(area.left - world->origin.x(), area.top - world->origin.y(), area.width(), area.height())
          .intersected(world->image.rect());
  if (pixels.isEmpty()) return {};
  double sum = 0;
  double squares = 0;
  for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
      const QColor c(world->image.pixel(x, y));
      const double l = luminanceOfComponents(c.red() / kByteMax, c.green() / kByteMax, c.blue() / kByteMax);
      sum += l;
      squares += l * l;
    }
  }
  const double count = static_cast<double>(pixels.width()) * pixels.height();
  const double mean = sum / count;
  return {mean, std::sqrt(std::max(0.0, squares / count - mean * mean))};
}

RGBColor readableOver(const RGBColor& wanted, double backgroundLuminance) {
  if (contrastRatio(luminanceOf(wanted), backgroundLuminance) >= kLeastTextContrast) return wanted;
  RGBColor best = wanted;
  double bestContrast = 0;
  for (const RGBColor& entry : colours.boardPalette) {
    const double c = contrastRatio(luminanceOf(entry), backgroundLuminance);
    if (c > bestContrast) best = entry, bestContrast = c;
  }
  return best;
}

RGBColor readableOnBoard(const RGBColor& wanted, const Rect& area) {
  // A patterned frame is judged one spread nearer the text: the few pixels a short text
  // covers can lie on the pattern's side nearer the text than the mean.
  const LuminanceSpread under = boardLuminanceSpread(area);
  const double text = luminanceOf(wanted);
  const double judged = text < under.mean ? std::max(text, under.mean - under.spread)
                                          : std::min(text, under.mean + under.spread);
  return readableOver(wanted, judged);
}

}  // namespace bg
