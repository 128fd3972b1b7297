#include "display/cube_display.h"

#include <cmath>

#include "display/board_animations.h"
#include "display/board_ids.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "display/board_redraw.h"
#include "state/display_settings.h"
#include "display/offscreen.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/cube_state.h"
#include "state/display_state.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/sound_services.h"
#include "state/storage_state.h"

namespace bg {

CubeDisplay cubeDisplay;
BG_RESETS_WITH_PROGRAM(cubeDisplay);

namespace {

constexpr RGBColor kCubeTextColour{60000, 65535, 65535};
constexpr int16_t kCubeSound = 1;
constexpr int16_t kOrMode = 1;

Rect cubeRectAt(int16_t owner) {
  const int c = displaySettings.playDirection;
  const BoardLayout& L = layout;
  return makeRect(L.cubeX[c], L.cubeY[owner], L.cubeX[c] + L.cubeWidth[c], L.cubeY[owner] + L.cubeHeight[c]);
}

// The value written on the cube world at its baseline.
void writeCubeValue(const Rect& local) {
  const BoardLayout& L = layout;
  const int16_t height = L.cubeHeight[displaySettings.playDirection];
  textFont(shellWindow.textFont);
  textSize(L.textSize);
  textFace(shellWindow.textFace);
  textMode(kOrMode);
  const std::string text = cubeValueText(cube.cubeValue);
  int y = height - (height - L.textSize) / 2 - L.textSize / 6;
  if (L.diceSizeClass == 1) y += 2;
  if (L.diceSizeClass == 3 || L.diceSizeClass == 4) y += 1;
  if (L.diceSizeClass > 0) y -= height / 25;
  rgbForeColor(kCubeTextColour);
  moveTo(local.left + (local.width() - stringWidth(text)) / 2, local.top + y);
  drawString(text);
  penNormal();
}

// Where the cube stood before the last double. A full redraw has put the whole board back,
// so it takes the centre and slides nothing from an old place; the game's owner before the
// double stays as it is, for the save and the take-back that read it.
int16_t cubeOldPlace() {
  return redrawState.boardRedrawing == -1 ? static_cast<int16_t>(kCubeCentred) : cube.cubeOwnerBeforeDouble;
}

}  // namespace

std::string cubeValueText(int16_t value) {
  if (value == 1) return "64";
  const std::string digits = std::to_string(value);
  return value < 9 ? digits.substr(digits.size() - 1) : digits.substr(digits.size() - 2);
}

int16_t cubeFaceOf(int16_t value) {
  const float face = static_cast<float>(std::log2(static_cast<double>(value)) + 1.0) - 1.0f;
  return static_cast<int16_t>(std::trunc(face));
}

void drawCube() {
  if (rolloutHidesBoard() || display.firstBoardBuild != 0) return;
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr) return;
  if (cube.beaverClick != -1) eraseCubeAtOldPlace();
  const bool slide = cube.cubeJustDoubled != 0;
  const int16_t owner = cube.cubeOwner;
  if (slide) cube.cubeOwner = cubeOldPlace();
  const int c = displaySettings.playDirection;
  const Rect cubeRect = cubeRectAt(cube.cubeOwner);
  const Rect local = makeRect(0, 0, cubeRect.width(), cubeRect.height());
  const bool pictures = display.boardColor == kPictureBoard;
  const int16_t face = pictures ? cubeFaceOf(cube.cubeValue) : 0;
  const GrafPtr saved = getPort();
  disposeOffscreenWorld(cubeDisplay.cubeWorld);
  cubeDisplay.cubeWorld = newOffscreenWorld(local);
  if (cubeDisplay.cubeWorld == nullptr) return;
  setPort(cubeDisplay.cubeWorld);
  clipRect(local);
  eraseRect(local);
  copyOffscreenTransparent(boardImages.cubeFaceWorlds[c][face], cubeDisplay.cubeWorld, layout.cubeRects[c], local);
  if (!pictures) writeCubeValue(local);
  auto show = [&](const Rect& at) {
    setPort(window);
    clipRect(at);
    copyOffscreenMasked(cubeDisplay.cubeWorld, boardImages.cubeMaskWorlds[c][0], window, local, layout.cubeRects[c],
                        at);
    flushWindow(kBoardWindow);
    clipRect(layout.boardRect);
  };
  show(cubeRect);
  if (slide) {
    cube.cubeOwner = owner;
    animateCubeSlide(layout.cubeY[cubeOldPlace()], layout.cubeY[owner]);
    // The slide shows the bare face; the cube comes to rest with its value.
    show(cubeRectAt(owner));
    cube.cubeJustDoubled = 0;
  }
  setPort(saved);
  if (redrawState.boardRedrawing == 0 && storage.loadingGame == 0 && soundHeard())
    hook::playSound(kCubeSound, 0);
}

void eraseCubeAtOldPlace() {
  GrafPtr window = windowPort(kBoardWindow);
  if (window == nullptr || boardImages.boardWorld == nullptr) return;
  const GrafPtr saved = getPort();
  setPort(window);
  const Rect r = cubeRectAt(cubeOldPlace());
  clipRect(layout.boardRect);
  copyOffscreenToWindow(boardImages.boardWorld, window, r, r);
  flushWindow(kBoardWindow);
  setPort(saved);
}

}  // namespace bg
