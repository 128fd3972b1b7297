#include "display/name_labels.h"

#include <cmath>
#include <cstdint>

#include "display/board_ids.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "flow/turn_services.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/dice_state.h"
#include "state/display_settings.h"
#include "state/flow_state.h"
#include "state/position.h"
#include "state/rollout_state.h"
#include "state/shell_state.h"

namespace bg {

namespace {

constexpr int16_t kTwoHumans = 3;
constexpr int16_t kOrMode = 1;
constexpr int16_t kLabelPadding = 7;

bool inOpeningRoll() { return position.openingPhase != 0 && diceState.diceShowing == 0; }

}  // namespace

void drawNameLabel(int side) {
  const BoardLayout& L = layout;
  const int16_t x = L.labelX[side];
  const std::string name = shell.playerNames[side].str();
  const int w = stringWidth(name);
  const int h = L.textSize + 2 * L.panelMargin + static_cast<int>(std::trunc(L.textSize / 4 + 0.5)) + L.panelShadowY;
  const int top = (L.fieldTop - h) / 2;
  // The frame routine draws the box of the overlay's rectangle; the overlay's own box must
  // keep its place for the redraw.
  const Rect overlayBox = offscreen.messageBoxRect;
  offscreen.messageBoxRect = makeRect(x - kLabelPadding, top, L.panelShadowX + x + w + kLabelPadding, top + h);
  roles.panelFrameColor = roles.labelShadeColor;  // it stays so for later shadowed frames
  drawShadowFrame();
  offscreen.messageBoxRect = overlayBox;
  setDrawColor(roles.labelTextColor);
  moveTo(x, top + L.textSize + L.panelMargin + 1);
  drawString(name);
  penNormal();
}

void drawNameLabels() {
  if (rolloutHidesBoard() || flow.opponentMode != kTwoHumans) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  const bool opening = inOpeningRoll();
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  textMode(kOrMode);
  if (opening) {
    drawNameLabel(1);
    drawNameLabel(0);
  } else {
    // The roll-over marker shares the strip, but only against the computer.
    hook::copyStripAboveBoard();
    drawNameLabel(position.currentPlayer);
  }
  flushWindow(kBoardWindow);
  setPort(saved);
}

void layoutNameLabels() {
  computeLabelX();
  clearMessageLine(0);
  hook::copyStripAboveBoard();
  drawNameLabels();
}

}  // namespace bg
