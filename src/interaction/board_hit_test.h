#pragma once
// Every click on the board, and every idle look at the mouse, classified into zone flags
// and a zone code: points, bar, trays, dice, cube places, the frame letters and the strip
// above the field. The click is boardInput.clickH/clickV in board coordinates. A frame
// letter or the pip-count zone sets its request in boardRequests (every hit test clears
// them first).
#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

// Zone codes of interaction.clickedPoint besides the points 1..24, the bar halves 0 and
// 25, the dice zones and the pip toggle (flow/turn_state.h).
inline constexpr int16_t kLowerTrayZone = -1;
inline constexpr int16_t kUpperTrayZone = -2;
inline constexpr int16_t kCubeTopZone = 29;
inline constexpr int16_t kCubeMiddleZone = 30;
inline constexpr int16_t kCubeBottomZone = 31;
inline constexpr int16_t kDiceActionZone = 32;  // the middle of the bar

// The zone flags of the last hit test; all cleared at the start of each. The flags the
// flow reads (hitDice, hitCube, requestAutoMove, diceAreaClicked) are in boardInput.
struct BoardHit {
  int16_t clickZoneCode = 0;  // starts as the caller's clickedPoint: a click on no coded zone keeps it
  Point clickPoint;
  int16_t clickVSaved = 0;    // clickV of the click being dispatched
  uint8_t hitTestIdle = 0;    // 255 while the idle tracker hit-tests: the dice band keeps its size
  uint8_t pointerOutside = 0;
  int16_t clickOutsideBoard = 0;
  int16_t hitTopStrip = 0;
  int16_t hitMessageArea = 0;
  int16_t requestHelp = 0;
  int16_t hitRollOverMarker = 0;
  int16_t hitLeftFrame = 0;
  int16_t hitRightFrame = 0;
  int16_t hitTraySide = 0;
  int16_t hitUpperTray = 0;
  int16_t hitCubeTop = 0;
  int16_t hitCubeMiddle = 0;
  int16_t hitCubeBottom = 0;
  int16_t hitLeftDice = 0;
  int16_t hitRightDice = 0;
  int16_t hitBottomFrame = 0;
  int16_t requestFrameCommand = 0;
  int16_t hitField = 0;
  int16_t hitBar = 0;
  int16_t hitUpperPoints = 0;
  int16_t hitLowerPoints = 0;
};
extern BoardHit boardHit;

void hitTestBoard();
// The point 1..24 drawn under a click in the field's point area, into clickedPoint.
void pointFromClick();

}  // namespace bg
