#include "display/row_numbers.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "display/board_buttons.h"
#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "display/text_contrast.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/display_settings.h"
#include "state/display_state.h"

namespace bg {

namespace {

constexpr int16_t kOrMode = 1;
constexpr int16_t kPointsPerRow = 12;
constexpr double kNumberScale = 0.9;

// The number in the role's colour, or one that reads where the role's does not.
void drawNumberAt(int16_t point, int y, int16_t role, int size) {
  const std::string text = std::to_string(25 - point);
  const int x = layout.pointCentreX[point] - stringWidth(text) / 2;
  rgbForeColor(readableOnBoard(paletteColour(role), makeRect(x, y - size, x + stringWidth(text), y)));
  moveTo(x, y);
  drawString(text);
}

}  // namespace

void drawRowNumbers() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  const BoardLayout& L = layout;
  const bool pictures = display.boardColor == kPictureBoard;
  const int size = static_cast<int>(std::trunc(L.textSize * kNumberScale));
  textSize(static_cast<int16_t>(size));
  textMode(kOrMode);
  textFace(kBoldFace);
  const int upperY = L.fieldTop + L.fieldGap + L.pointHeight + size + 4;
  const int lowerY = pictures ? L.fieldBottom - L.pointHeight + 3 : L.fieldBottom - L.pointHeight - 2;
  for (int16_t n = 1; n <= kPointsPerRow; ++n) {
    // By display column: odd columns from the left in the label colour, even ones in the
    // frame colour (the picture board has no frame colour for text).
    const int16_t role = n % 2 == 1 || pictures ? roles.labelTextColor : roles.frameColorIndex;
    setDrawColor(role);
    drawNumberAt(L.clickColumnToPoint[n], upperY, role, size);
    drawNumberAt(L.clickColumnToPoint[25 - n], lowerY, role, size);
  }
  textFont(shellWindow.textFont);
  textSize(L.textSize);
  textFace(shellWindow.textFace);
  penNormal();
  flushWindow(kBoardWindow);
  setPort(saved);
}

void updateRowNumbers() {
  if (display.overlayActive != 0) return;
  DisplaySettings& S = displaySettings;
  if (S.rowNumbersShown == 0) {
    S.rowNumbersShown = -1;
    drawRowNumbers();
    return;
  }
  S.rowNumbersShown = 0;
  if (display.firstBoardBuild != 0) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  eraseRowNumberStrips();
  flushWindow(kBoardWindow);
  setPort(saved);
}

}  // namespace bg
