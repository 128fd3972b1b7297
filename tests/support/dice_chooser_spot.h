#pragma once
// Where the hand chooser draws each face, worked out from the layout it is drawn with.
#include <cstdint>

#include "display/board_layout.h"
#include "display/dice_display.h"

namespace bg::testing {

// The middle of face f's cell: faces 1-3 above, 4-6 below.
inline Point chooserFaceSpot(int16_t f) {
  const int16_t column = static_cast<int16_t>((f - 1) % 3);
  const int16_t row = static_cast<int16_t>((f - 1) / 3);
  return {static_cast<int16_t>(diceChooser.chooserLeft + 2 + column * layout.dieWidth + layout.dieWidth / 2),
          static_cast<int16_t>(diceChooser.chooserTop + 2 + row * layout.dieHeight + layout.dieHeight / 2)};
}

}  // namespace bg::testing
