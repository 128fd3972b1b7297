#pragma once
// Text over the board that stays readable: a text keeps its scheme's colour while that
// stands out from what lies under it, and otherwise takes the palette entry that stands
// out most.
#include "runtime/qt/qd_types.h"

namespace bg {

// The least contrast a text keeps against what it is drawn on.
inline constexpr double kLeastTextContrast = 3.0;

// Relative luminance (sRGB, 0..1) of a 16-bit colour.
double luminanceOf(const RGBColor& c);
// The contrast ratio of two luminances, 1 to 21.
double contrastRatio(double luminanceA, double luminanceB);
// The mean luminance of the composed empty board over `area` (board coordinates) and the
// standard deviation about it, which a patterned frame makes large.
struct LuminanceSpread {
  double mean = 0;
  double spread = 0;
};
LuminanceSpread boardLuminanceSpread(const Rect& area);
// `wanted` when it reads over a background of that luminance, else the board palette's
// entry of the highest contrast against it.
RGBColor readableOver(const RGBColor& wanted, double backgroundLuminance);
// The same over the board's own pixels under `area`, allowing for their spread.
RGBColor readableOnBoard(const RGBColor& wanted, const Rect& area);

}  // namespace bg
