#include "display/offscreen.h"


#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_overlay.h"
#include "display/colour_roles.h"
#include "display/draw_color.h"
#include "display/message_line.h"
#include "display/release_graphics.h"
#include "display/upper_services.h"
#include "runtime/core/format.h"
#include "runtime/core/shutdown.h"
#include "runtime/qt/copy_bits.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/palettes.h"
#include "state/program_state.h"

namespace bg {

OffscreenState offscreen;
BG_RESETS_WITH_PROGRAM(offscreen);
BoardImages boardImages;
BG_RESETS_WITH_PROGRAM(boardImages);
// The handles those structs hold are given back first.
[[maybe_unused]] static const bool graphicsReleaseRegistered = registerStateRelease(releaseBoardGraphics);

namespace {

constexpr RGBColor kMidGrey{32000, 32000, 32000};

// Black and white copy without tinting; the background is also the transparent colour.
void untintedColours() {
  rgbForeColor(kBlackRGB);
  rgbBackColor(kWhiteRGB);
}

}  // namespace

GWorldPtr newOffscreenWorld(const Rect& rect) {
  GWorldPtr world = newGWorld(rect);
  if (world != nullptr) return world;
  if (offscreen.quietWorldCreation == -1) {
    offscreen.worldCreationFailed = -1;
    return nullptr;
  }
  lowMemoryAlert(worldKilobytesNeeded(rect, mainDeviceDepth()));
}

void disposeOffscreenWorld(GWorldPtr& world) {
  if (world != nullptr) disposeGWorld(world);
  world = nullptr;
}

int32_t worldKilobytesNeeded(const Rect& rect, int16_t depth) {
  const int32_t rowBytes = ((rect.right - rect.left + 15) / 8) & 0x7FFE;
  return rowBytes * (rect.bottom - rect.top + 1) * depth / 1024;
}

std::string lowMemoryText(int32_t neededK, int32_t freeK) {
  return "At least" + strS(neededK - freeK + 10) + "k" + " is needed";
}

void lowMemoryAlert(int32_t neededK) {
  const std::string first = lowMemoryText(neededK, maxMem() / 1024);
  const std::string second = mainDeviceDepth() > 8 ? "Reducing the number of colors will help." : "";
  upperServices.showStopAlert(first, second);
  terminateProcess(0);
}

void copyOffscreenToWindow(GrafPtr source, GrafPtr destination, const Rect& sourceRect, const Rect& destinationRect) {
  if (source == nullptr || destination == nullptr) return;
  untintedColours();
  copyBits(source, destination, sourceRect, destinationRect, srcCopy, nullptr);
}

void copyOffscreenTransparent(GrafPtr source, GrafPtr destination, const Rect& sourceRect,
                              const Rect& destinationRect) {
  if (source == nullptr || destination == nullptr) return;
  // New worlds are erased to white, which is the colour left out.
  untintedColours();
  copyBits(source, destination, sourceRect, destinationRect, transparentMode, nullptr);
}

void copyOffscreenMasked(GrafPtr source, GrafPtr mask, GrafPtr destination, const Rect& sourceRect,
                         const Rect& maskRect, const Rect& destinationRect) {
  if (source == nullptr || mask == nullptr || destination == nullptr) return;
  untintedColours();
  if (!lockPixels(source)) return;
  copyMask(source, mask, destination, sourceRect, maskRect, destinationRect);
  unlockPixels(source);
}

void copyOffscreenMaskedLocked(GrafPtr source, GrafPtr mask, GrafPtr destination, const Rect& sourceRect,
                               const Rect& maskRect, const Rect& destinationRect) {
  if (source == nullptr || mask == nullptr || destination == nullptr) return;
  rgbForeColor(kBlackRGB);
  rgbBackColor(kMidGrey);
  if (lockPixels(source)) {
    if (lockPixels(destination)) {
      copyMask(source, mask, destination, sourceRect, maskRect, destinationRect);
      unlockPixels(destination);
    }
  }
  unlockPixels(source);
}

void layoutMessageBox() {
  OffscreenState& o = offscreen;
  const int16_t left = static_cast<int16_t>(layout.boardCentreX - o.messageBoxWidth / 2 + o.messageBoxTextShift + 1);
  const int16_t top = static_cast<int16_t>(layout.boardCentreY - o.messageBoxHeight / 2 + o.messageBoxOffsetY + 1);
  o.messageBoxRect = makeRect(left, top, left + o.messageBoxWidth, top + o.messageBoxHeight);
  openBoardOverlay();
  o.messageBoxFixedSize = 0;
  o.messageBoxTextShift = 0;
  o.messageBoxOffsetY = 0;
  drawShadowFrame();
}

void drawShadowFrame() {
  const Rect& b = offscreen.messageBoxRect;
  const int sx = layout.panelShadowX;
  const int sy = layout.panelShadowY;
  roleForeColor(roles.panelShadowColor);
  setPenPixPat(boardImages.panelFramePenPattern);
  paintRect(makeRect(b.left + sx, b.top + sy, b.right, b.bottom));
  setPenPixPat(boardImages.pixPatterns);
  paintRect(makeRect(b.left, b.top, b.right - sx, b.bottom - sy));
  penSize(2, 2);
  penPatSolid();
  roleForeColor(roles.panelFrameColor);
  frameRect(makeRect(b.left, b.top, b.right - sx, b.bottom - sy + 1));
  penNormal();
}

void drawMessageFrame() {
  // The line's own rectangle: the overlay's box keeps its place for the next redraw.
  const Rect& b = messageLine.messageLineRect;
  const int sx = layout.panelShadowX;
  const int sy = layout.panelShadowY;
  penNormal();
  roleForeColor(roles.panelShadowColor);
  paintRect(makeRect(b.left + sx, b.top + sy, b.right, b.bottom));
  setDrawColor(roles.pieceColors[0]);
  paintRect(makeRect(b.left, b.top, b.right - sx, b.bottom - sy));
  penSize(layout.panelMargin, layout.panelMargin);
  penPatSolid();
  roleForeColor(roles.messageFrameColor);
  frameRect(makeRect(b.left, b.top, b.right - sx, b.bottom - sy));
  penNormal();
}

}  // namespace bg
