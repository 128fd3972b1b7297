#pragma once
// Setting the pen from a colour role: the role's pixel pattern where the board colour asks
// for one and a pattern is loaded, otherwise the role's plain palette colour.
#include <cstdint>

#include "runtime/qt/patterns.h"
#include "runtime/qt/qd_types.h"

namespace bg {

void setDrawColor(int16_t role);
// A pattern becomes the pen's pattern; none makes the pen solid again.
void setPenPixPat(PixPatHandle pattern);
// The foreground becomes the board palette entry's colour; the pen pattern stays.
void roleForeColor(int16_t entry);
const RGBColor& paletteColour(int16_t entry);

}  // namespace bg
