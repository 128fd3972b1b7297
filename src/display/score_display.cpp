#include "display/score_display.h"

#include <cstdlib>

#include "computer/analyse_position.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/offscreen.h"
#include "display/upper_services.h"
#include "display/world_housekeeping.h"
#include "display/text_contrast.h"
#include "flow/turn_services.h"
#include "runtime/core/format.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/analysis_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/storage_state.h"

namespace bg {

namespace {

constexpr int16_t kMoneyMode = 1;
constexpr int32_t kLargeBalance = 99;
constexpr double kLargeBalanceScale = 0.8;
constexpr int16_t kSymbolBefore = 12;
constexpr int16_t kShadedColourSet = 1;
constexpr RGBColor kShadedSetText{6000, 4000, 59000};  // colour set 1 on the lighter boards
constexpr int16_t kPenNudgeDivisor = 6;

bool shadedBoard(int16_t colour) { return colour == 3 || colour == 5 || colour == 9 || colour == 10; }

void scoreStyle(int16_t size) {
  textFont(shellWindow.textFont);
  textSize(size);
  textFace(kBoldFace);
  textMode(srcOr);
}

// The decimal form without its leading blank or sign.
std::string digitsOf(int32_t value) { return std::to_string(std::abs(value)); }

// Both sides' pip counts from an analysis made for player 1.
void countPips(CheckedArray<int16_t, 1>& pips) {
  const int16_t current = position.currentPlayer;
  position.currentPlayer = 1;
  position.otherPlayer = 0;
  analysePosition();
  pips[1] = analysis.moverPipCount;
  pips[0] = analysis.opponentPipCount;
  position.currentPlayer = current;
  position.otherPlayer = static_cast<int16_t>(1 - current);
}

void drawPlace(int16_t side, const ScoreText& shown, GrafPtr window) {
  const BoardLayout& L = layout;
  const bool pictureBoard = display.boardColor == kPictureBoard;
  const int16_t available =
      pictureBoard ? static_cast<int16_t>(L.diceRects[side].right - L.diceRects[side].left) : L.frameWidth;
  const int16_t placeX = pictureBoard ? L.pipCountX[side] : L.pipCountX[displaySettings.playDirection];
  const Rect place = pictureBoard ? L.diceRects[side]
                                  : makeRect(placeX + 1, L.pipCountY[side] - L.textSize,
                                             placeX + L.frameWidth - 2, L.pipCountY[side] + 1);
  copyOffscreenToWindow(boardImages.boardWorld, window, place, place);
  if (shown.text.empty()) return;

  int16_t size = shown.size;
  scoreStyle(size);
  int16_t x = 0;
  if (shown.sign == 0) {
    x = static_cast<int16_t>(placeX + (available - stringWidth(shown.text)) / 2);
  } else {
    // Shrinks until it fits; size 1 is the floor, so a text never narrower still ends.
    int16_t width = static_cast<int16_t>(stringWidth(shown.text) + stringWidth("-"));
    while (width >= available && size > 1) {
      --size;
      scoreStyle(size);
      width = static_cast<int16_t>(stringWidth(shown.text) + stringWidth("-"));
    }
    x = static_cast<int16_t>(placeX + (available - width) / 2);
    if (shown.sign > 0) x = static_cast<int16_t>(x + stringWidth("-"));
    x = static_cast<int16_t>(x - L.textSize / kPenNudgeDivisor);
  }
  const int16_t colourSet = display.playerColors[side];
  const RGBColor wanted = shadedBoard(display.boardColor) && colourSet == kShadedColourSet
                              ? kShadedSetText
                              : paletteColour(roles.pieceColors[colourSet]);
  const int16_t baseline = pictureBoard ? L.pipCountY[displaySettings.playDirection] : L.pipCountY[side];
  const int16_t inkWidth = static_cast<int16_t>(stringWidth(shown.text) + (shown.sign < 0 ? stringWidth("-") : 0));
  rgbForeColor(readableOnBoard(wanted, makeRect(x, baseline - size, x + inkWidth, baseline)));
  moveTo(x, baseline);
  if (shown.sign < 0) drawString("-");
  drawString(shown.text);
}

}  // namespace

ScoreText scoreTextFor(int16_t side, int16_t pips) {
  ScoreText shown;
  shown.size = layout.textSize;
  const int32_t own = flow.scores[side];
  const int32_t other = flow.scores[1 - side];
  const bool money = flow.scoreDisplayMode == kMoneyMode;
  if (options.showPipCounts != 0 && storage.gameModified != 0) {
    shown.text = std::to_string(pips);
    return shown;
  }
  if (!(own != 0 && !money) && !(own + other > 0 && money)) return shown;
  const int32_t value = money ? own - other : own;
  if (value == 0) return shown;
  if (!money) {
    shown.text = digitsOf(value);
    return shown;
  }
  if (std::abs(value) > kLargeBalance) shown.size = static_cast<int16_t>(shown.size * kLargeBalanceScale);
  const std::string symbol = options.wagerSymbol.str();
  shown.text = options.wagerSymbolLocation == kSymbolBefore ? symbol + digitsOf(value) : digitsOf(value) + symbol;
  shown.sign = value < 0 ? -1 : 1;
  return shown;
}

void drawPipCounts() {
  if (rolloutHidesBoard()) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  CheckedArray<int16_t, 1> pips;
  if (options.showPipCounts != 0 && storage.gameModified != 0) countPips(pips);
  const GrafPtr saved = getPort();
  setPort(window);
  for (int16_t side = 0; side <= 1; ++side) drawPlace(side, scoreTextFor(side, pips[side]), window);
  scoreStyle(layout.textSize);
  textFace(shellWindow.textFace);
  flushWindow(kBoardWindow);
  setPort(saved);
}

void installScoreDisplay() {
  turnServices.drawPipCounts = drawPipCounts;
  turnServices.showInformation = [](std::string_view text) { upperServices.showInformation(text); };
  turnServices.boardReversed = [] { return displaySettings.playDirection == 1; };
  turnServices.copyStripAboveBoard = [] {
    GrafPtr window = windowPort(kBoardWindow);
    if (window == nullptr || boardImages.boardWorld == nullptr) return;
    const GrafPtr saved = getPort();
    setPort(window);
    copyStripAboveBoard(boardImages.boardWorld);
    setPort(saved);
  };
}

}  // namespace bg
