#include "interaction/board_hit_test.h"

#include <algorithm>
#include <cmath>

#include "display/board_layout.h"
#include "state/display_settings.h"
#include "flow/turn_state.h"
#include "rules/whole_roll_check.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/interaction_state.h"
#include "state/program_state.h"

namespace bg {

BoardHit boardHit;
BG_RESETS_WITH_PROGRAM(boardHit);

namespace {

constexpr int16_t kPlayableBand = 15;       // the dice band's allowance while a die can be played
constexpr double kHeldBandShare = 0.48;     // of middleStrip, while a checker is held
constexpr int16_t kMarkerHalfWidth = 6;     // the roll-over marker around the centre
constexpr int16_t kLetterColumns = 9;
constexpr int16_t kBarDiceTop = 15;         // the dice action starts this far below the upper points
constexpr int16_t kBarDiceBottom = 5;
constexpr int16_t kCentredCube = 2;
constexpr char kLetters[kLetterColumns + 1] = "PRWSMDBCN";

bool diceShow() { return diceState.diceShowing == -1; }
bool held() { return hand.pieceInHand != 0; }

void setZone(int16_t code) { boardHit.clickZoneCode = code; }

void setDiceZone(bool right) {
  boardInput.hitDice = -1;
  (right ? boardHit.hitRightDice : boardHit.hitLeftDice) = -1;
  setZone(right ? kRightDiceZone : kLeftDiceZone);
}

void topStrip(int16_t x, int16_t y) {
  const BoardLayout& L = layout;
  BoardHit& h = boardHit;
  h.hitTopStrip = -1;
  if (x <= L.fieldLeft || x >= L.fieldRight) {
    h.requestHelp = -1;
    return;
  }
  if (display.boardColor != kPictureBoard || ptInRect(h.clickPoint, L.textStripRect)) {
    h.hitMessageArea = -1;
  } else if (ptInRect(h.clickPoint, L.diceRects[0]) || ptInRect(h.clickPoint, L.diceRects[1])) {
    boardRequests.requestPipToggle = -1;
    setZone(kPipCountZone);
  }
  (void)y;
  const int16_t centre = static_cast<int16_t>(display.boardWidth / 2);
  if (x > centre - kMarkerHalfWidth && x < centre + kMarkerHalfWidth) h.hitRollOverMarker = -1;
}

void sideFrame(int16_t x, int16_t y) {
  const BoardLayout& L = layout;
  BoardHit& h = boardHit;
  const bool right = x >= L.fieldLeft;
  (right ? h.hitRightFrame : h.hitLeftFrame) = -1;
  if (right == (displaySettings.playDirection == 1)) {
    h.hitTraySide = -1;
    if (y < L.fieldTop + L.trayHeight) {
      h.hitUpperTray = -1;
      setZone(-2);
    } else if (y >= L.fieldBottom - L.trayHeight) {
      boardInput.requestAutoMove = -1;
      setZone(-1);
    } else if (display.boardColor != kPictureBoard) {
      boardRequests.requestPipToggle = -1;
      setZone(kPipCountZone);
    }
    return;
  }
  const int16_t third = static_cast<int16_t>((L.fieldBottom - L.fieldTop) / 3);
  if (y < L.fieldTop + 2 * L.dieHeight + 4) {
    setDiceZone(false);
  } else if (y > L.fieldBottom - 2 * L.dieHeight - 4) {
    setDiceZone(true);
  } else if (y < L.fieldTop + third) {
    h.hitCubeTop = -1;
    setZone(kCubeTopZone);
  } else if (y < L.fieldTop + 2 * third) {
    h.hitCubeMiddle = -1;
    setZone(kCubeMiddleZone);
  } else {
    const int c = displaySettings.playDirection;
    const int16_t top = L.cubeY[std::clamp<int16_t>(cube.cubeOwner, 0, 2)];
    Rect grown = makeRect(L.cubeX[c], top, L.cubeX[c] + L.cubeWidth[c], top + L.cubeHeight[c]);
    const int16_t q = static_cast<int16_t>(L.cubeWidth[c] / 4);
    grown = makeRect(grown.left - q, grown.top - q, grown.right + q, grown.bottom + q);
    if (y < L.fieldTop + 3 * third && ptInRect(h.clickPoint, grown)) {
      h.hitCubeBottom = -1;
      setZone(kCubeBottomZone);
    }
  }
  if ((h.hitCubeTop != 0 && cube.cubeOwner == 1) || (h.hitCubeMiddle != 0 && cube.cubeOwner == kCentredCube) ||
      (h.hitCubeBottom != 0 && cube.cubeOwner == 0))
    boardInput.hitCube = -1;
}

void bottomFrame(int16_t x) {
  const BoardLayout& L = layout;
  BoardHit& h = boardHit;
  h.hitBottomFrame = -1;
  if (x < L.fieldRight + L.frameWidth) h.requestFrameCommand = -1;
  const int16_t w = static_cast<int16_t>((L.fieldRight - L.fieldLeft) / kLetterColumns);
  char letter = 0;
  if (x > L.fieldRight) {
    letter = 'I';
  } else if (x > L.fieldRight - w && x < L.fieldRight) {
    letter = 'P';
  } else {
    for (int k = 2; k <= kLetterColumns; ++k) {
      if (x > L.fieldRight - k * w) {
        letter = kLetters[k - 1];
        break;
      }
    }
  }
  if (int16_t* request = letterRequest(letter)) *request = -1;
}

void field(int16_t x, int16_t y) {
  const BoardLayout& L = layout;
  BoardHit& h = boardHit;
  h.hitField = -1;
  int16_t a = 0;
  if (h.hitTestIdle != 0)
    a = 0;
  else if (held())
    a = static_cast<int16_t>(std::trunc(L.middleStrip * kHeldBandShare));
  else if (diceShow())
    a = someDieLeftPlayable() ? kPlayableBand : int16_t{0};
  const int16_t barLeft = static_cast<int16_t>(L.fieldLeft + 6 * L.boardUnit);
  const int16_t drop = held() ? L.heldPieceDrop : int16_t{0};
  if (x > barLeft && x <= barLeft + L.barWidth) {
    h.hitBar = -1;
    const int16_t top = static_cast<int16_t>(L.fieldTop - 1 + L.pointHeight);
    if (y <= top + L.middleStrip - kBarDiceBottom + L.heldPieceDrop) {
      if (y >= top + kBarDiceTop) {
        boardInput.diceAreaClicked = -1;
        setZone(kDiceActionZone);
        return;
      }
      h.hitUpperPoints = -1;
      setZone(0);
    } else {
      h.hitLowerPoints = -1;
      setZone(25);
    }
    if (!diceShow()) boardInput.hitDice = -1;
    return;
  }
  const bool right = x > barLeft;
  const int16_t bandTop = static_cast<int16_t>(L.fieldTop + L.pointMargin + L.pointHeight + a + drop);
  const int16_t bandBottom = static_cast<int16_t>(L.fieldBottom - L.pointHeight - a + drop);
  if (y >= bandTop && y <= bandBottom)
    setDiceZone(right);
  else
    (y > bandBottom ? h.hitLowerPoints : h.hitUpperPoints) = -1;
  if (!diceShow()) setDiceZone(right);
}

}  // namespace

void hitTestBoard() {
  BoardHit& h = boardHit;
  const BoardLayout& L = layout;
  h = BoardHit{h.clickZoneCode, {}, h.clickVSaved, h.hitTestIdle};
  boardInput.hitDice = 0;
  boardInput.hitCube = 0;
  boardInput.requestAutoMove = 0;
  boardInput.diceAreaClicked = 0;
  boardRequests = BoardRequests{};
  const int16_t x = boardInput.clickH;
  const int16_t y = boardInput.clickV;
  h.clickPoint = {x, y};
  if (y < 0 || y > L.boardHeight + L.fieldGap || x > display.boardWidth + L.pointMargin || x < 0) h.pointerOutside = 255;
  const int16_t pw = L.pieceWidth;
  if (held() && (y < pw || y > L.boardHeight - pw || x > display.boardWidth - pw / 2 || x < pw / 2)) h.pointerOutside = 255;
  if (y < 0 || y > L.boardHeight || x > display.boardWidth || x < 0) {
    h.clickOutsideBoard = -1;
    return;
  }
  const bool besideField = x < L.fieldLeft || x > L.fieldRight;
  if (y < L.fieldTop) {
    topStrip(x, y);
  } else if (y < L.fieldBottom && besideField) {
    sideFrame(x, y);
  } else if (y >= L.fieldBottom + L.fieldGap) {
    bottomFrame(x);
  } else if (!besideField) {
    field(x, y);
  }
}

void pointFromClick() {
  const BoardLayout& L = layout;
  const int16_t x = boardInput.clickH;
  const int16_t barRight = static_cast<int16_t>(L.fieldLeft + 6 * L.boardUnit + L.barWidth);
  const bool right = x > barRight;
  // Each half has six columns of boardUnit; the right half starts one pixel after the bar.
  const int16_t start = right ? static_cast<int16_t>(barRight + 1) : L.fieldLeft;
  int16_t column = static_cast<int16_t>(std::clamp((x - start) / std::max<int16_t>(L.boardUnit, 1), 0, 5));
  if (right) column = static_cast<int16_t>(column + 6);
  const bool upper = boardInput.clickV <= L.pointMargin + L.fieldTop + L.pointHeight + L.middleStrip / 2 + L.pieceHeight / 2;
  const int16_t index = upper ? static_cast<int16_t>(column + 1) : static_cast<int16_t>(24 - column);
  interaction.clickedPoint = L.clickColumnToPoint[index];
}

}  // namespace bg
