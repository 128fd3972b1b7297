#include "display/board_overlay.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/colour_roles.h"
#include "display/display_platform.h"
#include "state/display_settings.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/offscreen.h"
#include "runtime/core/messages.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/board_input.h"
#include "state/display_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/program_state.h"
#include "state/shell_services.h"

namespace bg {

BoardOverlay overlay;
BG_RESETS_WITH_PROGRAM(overlay);

namespace {

constexpr int16_t kSmallBoxMessage = 132;
constexpr int16_t kOrMode = 1;

Rect sizedFromZero(const Rect& r) { return makeRect(0, 0, r.width(), r.height()); }

void releaseOverlayPicture() {
  if (overlay.overlayPicture != nullptr) killPicture(overlay.overlayPicture);
  overlay.overlayPicture = nullptr;
}

int16_t half(double value) { return static_cast<int16_t>(std::trunc(value + 0.5)); }

}  // namespace

void setOverlaySaveA() {
  disposeOffscreenWorld(overlay.overlaySaveA);
  overlay.overlaySaveA = newOffscreenWorld(sizedFromZero(overlay.overlayBoxRect));
  ++overlay.overlaySaveACount;
}

void setOverlaySaveB() {
  disposeOffscreenWorld(overlay.overlaySaveB);
  overlay.overlaySaveB = newOffscreenWorld(sizedFromZero(overlay.overlayUnionRect));
  ++overlay.overlaySaveBCount;
}

GWorldPtr makeBoardOffscreen() { return newOffscreenWorld(layout.boardRect); }

void openBoardOverlay() {
  if (overlay.overlayShown != 0) {
    interaction.messageText = "MMCan't do that right now";
    hook::displayMessage();
    return;
  }
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  const Rect& box = offscreen.messageBoxRect;
  if (display.overlayActive == 0) {
    overlay.overlayBoxRect = box;
    setOverlaySaveA();
    setPort(overlay.overlaySaveA);
    clipRect(sizedFromZero(box));
    copyOffscreenToWindow(window, overlay.overlaySaveA, box, sizedFromZero(box));
    display.overlayActive = -1;
  } else {
    overlay.overlayUnionRect = unionRect(overlay.overlayBoxRect, box);
    setOverlaySaveB();
    setPort(overlay.overlaySaveB);
    const Rect local = sizedFromZero(overlay.overlayUnionRect);
    clipRect(local);
    copyOffscreenToWindow(window, overlay.overlaySaveB, overlay.overlayUnionRect, local);
    overlay.overlayShown = -1;
  }
  setPort(window);
  releaseOverlayPicture();
  overlay.overlayPicture = openPicture(box);
  setPort(saved);
}

Point overlayBoxSize() {
  const double w = display.boardWidth;
  const std::string first = interaction.messageLines[1].str();
  Point size{offscreen.messageBoxWidth, offscreen.messageBoxHeight};
  if (first == messageWordsOf(kSmallBoxMessage).str()) {
    size = {half(w / 5.86 + 10), half(w / 13.95 + 5)};
  } else if (offscreen.messageBoxFixedSize != -1) {
    size = {half(w / 4.966 + 10), half(w / 9.76 + 5)};
  }
  const int wanted = boardTextWidth(first, layout.textSize) + 4 * layout.textSize + layout.panelShadowY;
  if (size.h < wanted) size.h = static_cast<int16_t>(wanted);
  return size;
}

int16_t overlayLineBaseline(int16_t line) {
  const int lines = interaction.messageLineCount;
  const int height = offscreen.messageBoxHeight;
  const int first = offscreen.messageBoxRect.top - 3 + height / (lines + 1);
  const int step = height / (lines + 1) + 1;
  return static_cast<int16_t>(first + (line - 1) * step + 5);
}

void drawOverlayMessage() {
  if (overlay.overlayShown != 0) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  textFont(shellWindow.textFont);
  textSize(layout.textSize);
  textFace(shellWindow.textFace);
  textMode(kOrMode);
  const Point size = overlayBoxSize();
  offscreen.messageBoxWidth = size.h;
  offscreen.messageBoxHeight = size.v;
  const int16_t shift = offscreen.messageBoxTextShift;
  layoutMessageBox();
  const int lines = interaction.messageLineCount;
  setDrawColor(roles.panelTextColor);
  textMode(kOrMode);
  for (int i = 1; i <= lines; ++i) {
    const std::string line = interaction.messageLines[i].str();
    const int halfWidth = stringWidth(line) / 2;
    moveTo(layout.boardCentreX - halfWidth + shift, overlayLineBaseline(static_cast<int16_t>(i)));
    drawString(line);
  }
  penNormal();
  if (overlay.messageBoxSeconds > 0) {
    closePicture();
    if (overlay.overlayPicture != nullptr) drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
    flushWindow(kBoardWindow);
    hook::pauseSeconds(overlay.messageBoxSeconds);
    closeBoardOverlay();
  }
  setPort(saved);
}

void closeBoardOverlay() {
  if (display.overlayActive != -1) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  releaseOverlayPicture();
  clipRect(layout.boardRect);
  if (overlay.overlayShown == 0) {
    copyOffscreenToWindow(overlay.overlaySaveA, window, sizedFromZero(overlay.overlayBoxRect), overlay.overlayBoxRect);
    disposeOffscreenWorld(overlay.overlaySaveA);
    --overlay.overlaySaveACount;
    display.overlayActive = 0;
  } else {
    offscreen.messageBoxRect = overlay.overlayUnionRect;
    overlay.overlayPicture = openPicture(offscreen.messageBoxRect);
    copyOffscreenToWindow(overlay.overlaySaveB, window, sizedFromZero(overlay.overlayUnionRect),
                          offscreen.messageBoxRect);
    disposeOffscreenWorld(overlay.overlaySaveB);
    --overlay.overlaySaveBCount;
    closePicture();
    drawPicture(overlay.overlayPicture, offscreen.messageBoxRect);
    overlay.overlayShown = 0;
  }
  flushWindow(kBoardWindow);
  setPort(saved);
}

}  // namespace bg
