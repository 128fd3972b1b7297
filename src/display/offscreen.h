#pragma once
// Off-screen worlds and the copies between worlds and the window, the orderly stop when
// memory for a world runs short, and the frames of the panels that float over the board.
#include <cstdint>
#include <string>

#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"

namespace bg {

struct OffscreenState {
  int16_t quietWorldCreation = 0;   // -1: a failed creation is recorded, not fatal
  int16_t worldCreationFailed = 0;  // -1 once a quiet creation failed; never cleared
  Rect messageBoxRect;
  int16_t messageBoxWidth = 0;
  int16_t messageBoxHeight = 0;
  int16_t messageBoxTextShift = 0;  // one-shot offsets of the box, cleared by its layout
  int16_t messageBoxOffsetY = 0;
  int16_t messageBoxFixedSize = 0;
};
extern OffscreenState offscreen;

// A world for rect; nullptr after a quiet failure, else a failure stops the program.
GWorldPtr newOffscreenWorld(const Rect& rect);
void disposeOffscreenWorld(GWorldPtr& world);
// The kilobytes a world of rect needs at the given depth, as the stop alert counts them.
int32_t worldKilobytesNeeded(const Rect& rect, int16_t depth);
// The first line of the low-memory alert.
std::string lowMemoryText(int32_t neededK, int32_t freeK);
[[noreturn]] void lowMemoryAlert(int32_t neededK);

// Plain copy, the universal erase of the display.
void copyOffscreenToWindow(GrafPtr source, GrafPtr destination, const Rect& sourceRect, const Rect& destinationRect);
// Source pixels of the background colour are left out.
void copyOffscreenTransparent(GrafPtr source, GrafPtr destination, const Rect& sourceRect,
                              const Rect& destinationRect);
// Through a mask world: black mask pixels let the source through.
void copyOffscreenMasked(GrafPtr source, GrafPtr mask, GrafPtr destination, const Rect& sourceRect,
                         const Rect& maskRect, const Rect& destinationRect);
// The same with black foreground and mid-grey background (the used die's dimmed look).
void copyOffscreenMaskedLocked(GrafPtr source, GrafPtr mask, GrafPtr destination, const Rect& sourceRect,
                               const Rect& maskRect, const Rect& destinationRect);

// The overlay box centred on the board, opened, and its shadowed frame drawn.
void layoutMessageBox();
void drawShadowFrame();
void drawMessageFrame();

}  // namespace bg
