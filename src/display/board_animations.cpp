#include "display/board_animations.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/board_state.h"
#include "state/display_settings.h"
#include "display/offscreen.h"
#include "runtime/core/checked_array.h"
#include "runtime/core/clock.h"
#include "runtime/core/random.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/windows.h"
#include "state/display_state.h"

namespace bg {

namespace {

constexpr uint32_t kWelcomeStepUs = 1200;
constexpr uint32_t kFrameIntervalUs = 8000;
constexpr int kWelcomeTries = 6000;

uint32_t nowUs() { return static_cast<uint32_t>(microseconds()); }

// The moment more than delay microseconds have passed since the last step.
uint32_t dueAfter(uint32_t delay) {
  boardState.animationClock = stepDueUs(boardState.animationClock, delay + 1);
  return boardState.animationClock;
}

}  // namespace

void animateWelcome(const Rect& rect, GrafPtr source, GrafPtr destination) {
  if (source == nullptr || destination == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(destination);
  const int n = shellWindow.slowMachine != 0 ? 13 : 20;
  const int blockW = rect.width() / n + 1;
  const int blockH = rect.height() / n + 1;
  clipRect(rect);
  CheckedArray<CheckedArray<uint8_t, 25>, 25> done{};
  boardState.animationClock = nowUs();
  auto copyBlock = [&](int r, int c) {
    const Rect block = makeRect(rect.left + (c - 1) * blockW, rect.top + (r - 1) * blockH, rect.left + c * blockW,
                                rect.top + r * blockH);
    copyOffscreenToWindow(source, destination, block, block);
  };
  for (int k = 0; k < kWelcomeTries; ++k) {
    const int r = rnd(n);
    const int c = rnd(n);
    if (done[r][c] != 0) continue;
    done[r][c] = 1;
    copyBlock(r, c);
    sleepUntilUs(dueAfter(kWelcomeStepUs));
    flushWindow(destination->windowNumber);
  }
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      if (done[r][c] != 0) continue;
      copyBlock(r, c);
      flushWindow(destination->windowNumber);
    }
  }
  setPort(saved);
}

uint32_t cubeSlideStepDelay(int16_t n) {
  // The speed divides the time, so it is kept to the settings' range.
  const float speed = static_cast<float>(std::clamp<int16_t>(displaySettings.pieceSpeed, 1, 11));
  const float width = display.boardWidth;
  const float t = 3.0f * (n + 0.5f * width) / (1.5f * width) / speed;
  const auto perPixel = static_cast<uint32_t>(std::trunc(1000000.0f * t / n));
  return shellWindow.osVersionValue > 9 ? perPixel * 3 : perPixel * 5;
}

void animateCubeSlide(int16_t fromY, int16_t toY) {
  if (fromY == toY) return;
  GrafPtr window = windowPort(kBoardWindow);
  const int c = displaySettings.playDirection;
  GrafPtr face = boardImages.cubeFaceWorlds[c][0];
  GrafPtr mask = boardImages.cubeMaskWorlds[c][0];
  if (window == nullptr || face == nullptr || boardImages.boardWorld == nullptr || boardImages.cubeSlideWorld == nullptr)
    return;
  const int n = std::abs(fromY - toY);
  const int direction = toY > fromY ? 1 : -1;
  const uint32_t delay = cubeSlideStepDelay(static_cast<int16_t>(n));
  const Rect cube = layout.cubeRects[c];
  const int x = layout.cubeX[c];
  const GrafPtr saved = getPort();
  setPort(window);
  clipRect(layout.boardRect);
  boardState.animationClock = nowUs();
  uint32_t lastFrame = boardState.animationClock;
  int shownY = fromY;
  int y = fromY;
  for (int step = 1; step <= n; ++step) {
    y = step == n ? toY : y + direction;
    // Steps between frames are counted; the frame sleeps out their waits together.
    const uint32_t due = dueAfter(delay);
    if (due - lastFrame <= kFrameIntervalUs && step != n) continue;
    sleepUntilUs(due);
    // Old and new places together, composed off screen and shown in one piece.
    const Rect was = makeRect(x, shownY, x + cube.width(), shownY + cube.height());
    const Rect now = makeRect(x, y, x + cube.width(), y + cube.height());
    Rect both = unionRect(was, now);
    const Rect room = boardImages.cubeSlideWorld->bounds();
    both.bottom = static_cast<int16_t>(std::min<int>(both.bottom, both.top + room.height()));
    both.right = static_cast<int16_t>(std::min<int>(both.right, both.left + room.width()));
    const Rect local = makeRect(0, 0, both.width(), both.height());
    setPort(boardImages.cubeSlideWorld);
    copyOffscreenToWindow(boardImages.boardWorld, boardImages.cubeSlideWorld, both, local);
    const Rect cubeLocal = makeRect(0, y - both.top, cube.width(), y - both.top + cube.height());
    copyOffscreenMasked(face, mask, boardImages.cubeSlideWorld, cube, cube, cubeLocal);
    setPort(window);
    copyOffscreenToWindow(boardImages.cubeSlideWorld, window, local, both);
    lastFrame = nowUs();
    shownY = y;
    flushWindow(kBoardWindow);
  }
  clipRect(layout.boardRect);
  setPort(saved);
}

}  // namespace bg
