#include "display/draw_color.h"

#include "display/board_images.h"
#include "display/colour_schemes.h"
#include "runtime/qt/drawing.h"

namespace bg {

void setDrawColor(int16_t role) {
  const bool wanted = roleDrawnWithPattern(role);
  PixPatHandle pattern = boardImages.rolePixPats[role];
  if (wanted && pattern != nullptr) {
    penPixPat(pattern);
    return;
  }
  penPatSolid();
  rgbForeColor(colours.boardPalette[role]);
}

void setPenPixPat(PixPatHandle pattern) {
  if (pattern != nullptr)
    penPixPat(pattern);
  else
    penPatSolid();
}

void roleForeColor(int16_t entry) { rgbForeColor(colours.boardPalette[entry]); }

const RGBColor& paletteColour(int16_t entry) { return colours.boardPalette[entry]; }

}  // namespace bg
