#include "display/board_layout.h"

#include <algorithm>
#include <cmath>

#include "display/board_ids.h"
#include "display/move_markers.h"
#include "display/board_rebuild.h"
#include "display/display_platform.h"
#include "state/display_settings.h"
#include "runtime/qt/windows.h"
#include "state/display_state.h"
#include "state/program_state.h"
#include "state/shell_state.h"

namespace bg {

BoardLayout layout;
BG_RESETS_WITH_PROGRAM(layout);

namespace {

constexpr int16_t kLargestBoardSize = 7;

int16_t i16(long v) { return static_cast<int16_t>(v); }
int16_t truncTo16(double v) { return static_cast<int16_t>(std::trunc(v)); }
int16_t roundTo16(double v) { return static_cast<int16_t>(std::trunc(v + 0.5)); }

bool isPictureBoard() { return display.boardColor == kPictureBoard; }

// Checker halves and the computed height from one checker width.
void takePieceHalves(int16_t width) {
  BoardLayout& L = layout;
  L.pieceHalfWidthLeft = i16(width / 2);
  L.pieceHalfWidthRight = i16(width - L.pieceHalfWidthLeft);
  L.pieceHeight = roundTo16(width * 0.9032);
  L.pieceHalfHeightTop = i16(L.pieceHeight / 2);
  L.pieceHalfHeightBottom = i16(L.pieceHeight - L.pieceHalfHeightTop);
}

void computePieceSizeNormal() {
  BoardLayout& L = layout;
  const int16_t w = display.boardWidth;
  const int16_t p = displaySettings.pieceSize;
  L.boardUnit = i16(w / 16);
  L.pieceWidth = i16(L.boardUnit + p - 3);  // taken before the unit is made odd
  takePieceHalves(L.pieceWidth);
  L.pieceDepth = roundTo16(L.pieceHeight / 2.33);
  L.stackStep = i16((L.pieceHalfHeightTop + L.pieceHalfHeightBottom) - L.pieceDepth / 4 - 1);
  L.pointHeight = truncTo16(L.stackStep * 5.2 + 1.0);
  L.frameWidth = truncTo16(L.pieceWidth * 1.25);
  L.pointMargin = i16(w / 75);
  L.fieldGap = i16(w / 150);
  L.fieldLeft = i16(L.frameWidth + L.fieldGap);
  L.barWidth = i16(L.pieceWidth + L.fieldGap + 3);
  if (L.barWidth != L.fieldGap % 2) L.barWidth = i16(L.barWidth + 1);
  if (L.boardUnit % 2 == 0) L.boardUnit = i16(L.boardUnit + 1);
  L.fieldRight = i16(L.fieldLeft + L.barWidth + 12 * L.boardUnit + 2);
  L.computedBoardWidth = i16(L.fieldRight + L.fieldLeft);
}

void computePieceSizeStyle15() {
  BoardLayout& L = layout;
  const int16_t p = displaySettings.pieceSize;
  L.boardUnit = 36;
  L.pointHeight = 145;
  L.barWidth = 79;
  L.frameWidth = 48;
  L.pointMargin = 6;
  L.fieldGap = 0;
  takePieceHalves(i16(36 + p - 3));
  const int16_t computedHeight = L.pieceHeight;
  Rect checker;
  pictureFrame(kPictureBoardCheckerShape, &checker);
  L.pieceWidth = checker.width();
  L.pieceHeight = checker.height();
  L.pieceDepth = roundTo16(computedHeight / 2.33);
  L.stackStep = i16((L.pieceHalfHeightTop + L.pieceHalfHeightBottom) -
                    static_cast<int16_t>(std::nearbyint(L.pieceDepth / 4 + 0.5)) - 1);
  L.fieldLeft = 48;
  L.fieldRight = i16(48 + 79 + 12 * 36 + 2);
  L.pictureBoardWidth = L.framePictureWidth;
}

void measureCubePictures() {
  BoardLayout& L = layout;
  for (int k = 0; k <= 1; ++k) {
    const int16_t id = isPictureBoard() ? i16(kPictureCubeBase + 2 * k)
                                        : i16(kCubePictureBase + L.diceSizeClass);
    Rect r;
    if (!pictureFrame(id, &r)) {
      // Without the picture the cube keeps the size its class is drawn at.
      const int16_t side = kCubeSideByClass[std::clamp<int>(L.diceSizeClass, 0, 4)];
      r = makeRect(0, 0, side, side);
    }
    L.cubeRects[k] = r;
    L.cubeWidth[k] = r.width();
    L.cubeHeight[k] = r.height();
  }
}

void layoutDice() {
  BoardLayout& L = layout;
  const int16_t u = L.boardUnit;
  const double dw = L.dieWidth;
  auto& d = L.dicePosition;
  d[1][0][1] = truncTo16(L.fieldLeft + 2.5 * u - dw / 2);
  d[1][1][1] = truncTo16(L.fieldLeft + 3.5 * u - dw / 2);
  if (d[1][1][1] < d[1][0][1] + L.dieWidth + 2) d[1][1][1] = i16(d[1][0][1] + L.dieWidth + 2);
  d[0][0][1] = truncTo16(L.fieldLeft + L.barWidth + 9.5 * u - dw / 2);
  d[0][1][1] = truncTo16(L.fieldLeft + L.barWidth + 8.5 * u - dw / 2);
  if (d[0][0][1] < d[0][1][1] + L.dieWidth + 2) d[0][0][1] = i16(d[0][1][1] + L.dieWidth + 2);

  d[1][0][0] = d[0][1][1];
  d[1][1][0] = d[1][1][1];
  d[0][0][0] = d[0][1][1];
  d[0][1][0] = d[1][1][1];

  const int s = L.dieWidth + L.dieWidth / 7;
  const int right = L.fieldLeft + 6 * u + L.barWidth;
  const int x0Right = right + ((L.fieldRight - right) - 4 * s) / 2;
  const int x0Left = L.fieldLeft + (6 * u - 4 * s) / 2;
  for (int k = 0; k <= 3; ++k) {
    d[0][k][2] = i16(x0Right + k * s);
    d[1][k][2] = i16(x0Left + k * s);
  }
}

void layoutPictureBoardStrip() {
  BoardLayout& L = layout;
  const int16_t b = display.boardWidth;
  pictureFrame(kStripPicture, &L.stripPictureRect);
  L.tempX = i16((b - L.stripPictureRect.right) / 2);
  L.tempY = i16((L.fieldTop - L.stripPictureRect.bottom) / 2);
  const auto placed = [&L](int left, int top, int right, int bottom) {
    Rect r = makeRect(left, top, right, bottom);
    offsetRect(r, L.tempX, L.tempY);
    return r;
  };
  L.stripPictureRect = placed(L.stripPictureRect.left, L.stripPictureRect.top, L.stripPictureRect.right,
                              L.stripPictureRect.bottom);
  L.diceRects[0] = placed(469, 6, 508, 23);
  L.diceRects[1] = placed(15, 6, 55, 23);
  L.textStripRect = placed(60, 6, 464, 23);
  L.pipCountY[0] = L.pipCountY[1] = i16(L.textStripRect.top + 13);
  for (int i = 0; i <= 1; ++i) L.pipCountX[i] = L.diceRects[i].left;
}

}  // namespace

void computePieceSize() {
  if (isPictureBoard()) {
    computePieceSizeStyle15();
    display.boardWidth = layout.pictureBoardWidth;
  } else {
    computePieceSizeNormal();
    display.boardWidth = layout.computedBoardWidth;
  }
}

void computeBoardMargins() {
  BoardLayout& L = layout;
  const int16_t b = display.boardWidth;
  if (isPictureBoard()) {
    L.middleStrip = 48;
    L.fieldTop = 35;
  } else {
    L.middleStrip = i16(b / 10 + displaySettings.pieceSize);
    L.fieldTop = i16(b / 22 + 5);
  }
  L.fieldBottom = i16(L.fieldTop + L.pointMargin + 2 * L.pointHeight + L.middleStrip + 1);
  L.boardHeight = isPictureBoard() ? L.framePictureHeight
                                   : i16(L.fieldBottom + L.fieldTop + L.pointMargin);
}

void selectDiceAndCubeSizes() {
  BoardLayout& L = layout;
  if (isPictureBoard()) {
    pictureFrame(kPictureBoardDieBase, &L.dieRect);
    L.dieWidth = L.dieRect.width();
    L.dieHeight = L.dieRect.height();
  } else {
    static constexpr int16_t kDieWidth[5] = {21, 29, 39, 48, 58};
    static constexpr int16_t kDieHeight[5] = {17, 24, 32, 40, 48};
    const int16_t b = display.boardWidth;
    const int16_t c = b < 500 ? 0 : b < 700 ? 1 : b < 920 ? 2 : b < 1260 ? 3 : 4;
    L.diceSizeClass = c;
    L.BoardLargeness = c;
    L.dieWidth = kDieWidth[c];
    L.dieHeight = kDieHeight[c];
  }
  measureCubePictures();
}

void layoutPointRects() {
  BoardLayout& L = layout;
  const int16_t u = L.boardUnit;
  for (int i = 1; i <= 12; ++i) {
    const int k = i - 1;
    int16_t centre = truncTo16(L.fieldLeft + std::trunc(u / 2.0 + 0.5) + k * u);
    int16_t marker = truncTo16(L.fieldLeft + k * u + std::trunc((u - L.markerRect.right) / 2.0) + 1.0);
    if (k > 5) {
      centre = i16(centre + L.barWidth + 1);
      marker = i16(marker + L.barWidth + 1);
    }
    L.pointCentreX[i] = L.pointCentreX[25 - i] = centre;
    L.markerX[i] = L.markerX[25 - i] = marker;
  }
  const double barStart = L.fieldLeft + L.fieldGap + 6 * u;
  L.pointCentreX[0] = L.pointCentreX[25] = truncTo16(barStart + (L.barWidth - L.fieldGap) / 2.0 + 1.0);
  L.markerX[0] = L.markerX[25] =
      truncTo16(barStart + (L.barWidth - L.fieldGap - L.markerRect.right) / 2.0 + 0.5);

  for (int i = 0; i <= 25; ++i) {
    L.pieceImageX[i] = i16(L.pointCentreX[i] - L.pieceHalfWidthLeft);
    L.pointGeometry[i][5] = L.pieceImageX[i];
    L.clickColumnToPoint[i] = i16(i);
    const bool upper = i <= 12;
    const int base = upper ? L.topRowY : L.bottomRowY - L.stackStep;
    const int d = upper ? 1 : -1;
    for (int j = 1; j <= 5; ++j) {
      int y = base + d * (L.stackStep + d) * (j - 1);
      if (i == 0 || i == 25) y -= 3;
      L.pointGeometry[i][j - 1] = i16(y);
    }
  }
  if (displaySettings.playDirection == 1) mirrorPointTables();
}

void mirrorPointTables() {
  BoardLayout& L = layout;
  auto swapEntries = [&L](int a, int b) {
    std::swap(L.clickColumnToPoint[a], L.clickColumnToPoint[b]);
    std::swap(L.pointCentreX[a], L.pointCentreX[b]);
    std::swap(L.markerX[a], L.markerX[b]);
    std::swap(L.pieceImageX[a], L.pieceImageX[b]);
    std::swap(L.pointGeometry[a], L.pointGeometry[b]);
  };
  for (int i = 1; i <= 6; ++i) {
    swapEntries(i, 13 - i);
    swapEntries(12 + i, 25 - i);
  }
}

void layoutTrayRects() {
  BoardLayout& L = layout;
  L.trayLeft[0] = i16(L.fieldGap + (L.frameWidth - L.trayWidth) / 2);
  L.trayLeft[1] = i16(L.fieldRight + L.fieldGap + (L.frameWidth - L.trayWidth) / 2);
  const int16_t x = L.trayLeft[displaySettings.playDirection];
  L.tempY = i16(L.fieldBottom - L.trayHeight - (isPictureBoard() ? 2 : 0));
  L.trayRects[0] = makeRect(x, L.tempY, x + L.trayWidth, L.tempY + L.trayHeight);
  L.tempY = i16(isPictureBoard() ? L.fieldTop + 3 : L.fieldTop - 1);
  L.trayRects[1] = makeRect(x, L.tempY, x + L.trayWidth, L.tempY + L.trayHeight);
}

int16_t stackSlotTop(int16_t p, int16_t n) {
  const BoardLayout& L = layout;
  const int s = 5 - ((15 - n) % 5);
  const float rise = static_cast<float>((L.stackLayerRise - 3) * n) / 5.0f;
  return static_cast<int16_t>(std::trunc(static_cast<float>(L.pointGeometry[p][s - 1]) - rise));
}

void pieceStackOffset(int16_t n) {
  BoardLayout& L = layout;
  L.stackPieceX = L.pointGeometry[L.stackPoint][5];
  L.stackPieceY = stackSlotTop(L.stackPoint, n);
}

void computeLabelX() {
  BoardLayout& L = layout;
  // Each label is centred on its own name in a box of six units at its end of the field.
  const int16_t six = i16(6 * L.boardUnit);
  L.labelX[0] = i16(L.fieldRight - six + (six - boardTextWidth(shell.playerNames[0].view(), L.textSize)) / 2 - 1);
  L.labelX[1] = i16(L.fieldLeft + (six - boardTextWidth(shell.playerNames[1].view(), L.textSize)) / 2);
}

void computeBoardLayout() {
  // Markers up belong to the old layout: their places and saved pixels are void.
  forgetPossibleMoveMarkers();
  BoardLayout& L = layout;
  const bool pictures = isPictureBoard();
  display.boardSizeUnit = display.boardWidth;
  computePieceSize();
  computeBoardMargins();
  if (pictures) {
    pictureFrame(kFramePicture, &L.boardRect);
    display.boardWidth = L.boardRect.width();
    L.boardHeight = L.boardRect.height();
  }
  const int16_t u = L.boardUnit;
  L.markerInset = std::clamp<int16_t>(i16(u / 20), 1, 4);
  L.markerRect = makeRect(0, 0, u - 2 * L.markerInset, u / 7);

  int16_t b = display.boardWidth;
  L.textSize = pictures ? 12 : std::max<int16_t>(i16(b / 49), 9);
  L.panelShadowX = L.panelShadowY = i16(b / 131);
  L.boardCentreY = i16(L.fieldTop + L.pointMargin + L.pointHeight + L.middleStrip / 2);
  L.boardCentreX = i16(L.fieldLeft + 6 * u + L.fieldGap + (L.barWidth - L.fieldGap) / 2 + 1);

  int16_t t = 3;
  while (t * 30 + 13 + 2 * (L.textSize + 3) < L.fieldBottom - L.fieldTop) ++t;
  --t;
  L.trayPieceThickness = t;

  L.topRowY = i16(L.fieldTop + L.pointMargin - L.pointMargin / 2);
  L.bottomRowY = L.fieldBottom;
  selectDiceAndCubeSizes();
  L.moveListDiceWidth = i16(2 * L.dieWidth + roundTo16(b / 97.6));
  L.moveListDiceX[1] = i16(L.fieldLeft + 4);
  L.moveListDiceX[0] = i16(L.fieldRight - L.moveListDiceWidth - 3);
  layoutPointRects();

  if (pictures) {
    pictureFrame(kFirstTrayPicture, &L.trayPictureRect);
    L.trayHeight = L.trayPictureRect.height();
    L.trayWidth = L.trayPictureRect.width();
    t = L.trayPieceThickness = i16(L.trayHeight / 15);
  } else {
    L.trayHeight = i16(15 * t + 1);
    L.trayWidth = i16(L.pieceWidth - 1);
  }
  layoutTrayRects();
  L.trayPieceInset = pictures ? 5 : 0;
  L.trayPictureY[0] = i16(L.fieldBottom - 2 + t);
  L.trayPictureY[1] = i16(L.fieldTop - 1 - 2 * t);
  L.diceTop = i16(L.boardCentreY - L.dieHeight / 2 + (pictures ? 1 : 0));
  layoutDice();

  L.pipCountX[0] = L.fieldGap;
  L.pipCountX[1] = i16(L.fieldRight + L.fieldGap);
  L.pipCountY[0] = i16(L.fieldBottom - L.trayHeight - 3);
  L.pipCountY[1] = i16(L.fieldTop + L.trayHeight + L.textSize - 1);
  if (pictures) layoutPictureBoardStrip();

  const int16_t setupDivisor = L.textSize < 10 ? 18 : 20;
  L.setupButtonX[0] = i16(L.boardCentreX - b / setupDivisor);
  L.setupButtonX[1] = i16(L.boardCentreX + b / setupDivisor);

  const int a = (L.fieldLeft - L.fieldGap - 17) / 2;
  L.turnArrowPos[1] = i16(a + L.fieldGap);
  L.turnArrowPos[0] = i16(L.fieldRight + L.fieldGap + a);
  L.turnArrowY = i16((L.fieldTop - 15) / 2 + 3);
  L.turnArrowBottom = i16(L.turnArrowY + 18);

  L.heldPieceDrop = pictures ? truncTo16(t * 1.8) : roundTo16(b / 53.2);
  L.emblemWidth = roundTo16(b / 34.47);
  L.emblemHeight = i16(b / 11);
  L.rollOverMarkerX = i16(b / 2 - L.textSize / 2 + 1);
  L.rollOverMarkerY = i16(L.fieldTop - (L.fieldTop - L.textSize) / 2);

  const int c = displaySettings.playDirection;
  L.cubeX[0] = i16(L.fieldRight + L.fieldGap + (L.frameWidth - L.cubeWidth[c]) / 2);
  L.cubeX[1] = i16(L.fieldGap + (L.frameWidth - L.cubeWidth[c]) / 2);
  L.cubeY[0] = i16(L.fieldBottom - 2 * L.pieceWidth - L.cubeHeight[c]);
  L.cubeY[1] = i16(L.fieldTop + 2 * L.pieceWidth);
  L.cubeY[2] = L.diceTop;

  const int16_t dw = L.dieWidth;
  const int16_t dh = L.dieHeight;
  const int16_t frameX[2] = {i16(L.fieldRight + L.fieldGap + (L.frameWidth - dw) / 2),
                             i16(L.fieldGap + (L.frameWidth - dw) / 2)};
  const int16_t endY[2][2] = {{i16(L.fieldBottom - dh), i16(L.fieldBottom - 2 * dh - 1)},
                              {L.fieldTop, i16(L.fieldTop + dh + 1)}};
  for (int f = 0; f <= 1; ++f)
    for (int e = 0; e <= 1; ++e)
      for (int s = 0; s <= 1; ++s) L.dieSlotPositions[f][e][s] = Point{frameX[f], endY[e][s]};

  computeLabelX();

  L.panelMargin = 2;
  const int16_t tWidth = std::max<int16_t>(boardTextWidth("t", L.textSize), 1);
  L.messageMaxLength = truncTo16((L.fieldRight - L.fieldLeft - 2.0 * L.textSize) / tWidth);
  L.stackLayerRise = truncTo16((L.pieceHeight + 1) -
                               ((L.pieceHalfHeightTop + L.pieceHalfHeightBottom) - L.pieceDepth / 3 - 1.0));
  windowPlacement.windowMargin = 16;
  publishDisplayValues();
  fitWindowToBoard();
}

void publishDisplayValues() {
  display.dicePosition = layout.dicePosition;
  display.diceTop = layout.diceTop;
  display.dieWidth = layout.dieWidth;
  display.dieHeight = layout.dieHeight;
}

void fitWindowToBoard() {
  BoardWindowPlacement& W = windowPlacement;
  const ShellWindowState& S = shellWindow;
  const BoardLayout& L = layout;
  const bool largest = S.boardSizeIndex == kLargestBoardSize;
  if (display.firstBoardBuild != 0 && W.windowX2 > 0) {
    if (S.availableWidth < (W.windowX2 - W.windowX1) - 25 || S.availableHeight < (W.windowY2 - W.windowY1) - 25 ||
        W.windowX2 > S.availableWidth + 50 || W.windowY2 > S.availableHeight + 50) {
      W.windowX2 = 0;
      fitWindowToBoard();
    }
    return;
  }
  if (S.boardRebuilding == 0 && (display.firstBoardBuild == 0 || W.windowX2 == 0)) {
    W.windowX1 = i16((S.screenWidth - display.boardWidth - 2 * W.windowMargin) / 2);
    W.windowX2 = i16(W.windowX1 + display.boardWidth + 2 * W.windowMargin);
    const int h = S.screenHeight - S.dockAllowance - S.menuBarHeight - S.titleBarHeight;
    const int top = std::max(0, (h - L.boardHeight - 2 * W.windowMargin) / 2);
    W.windowY1 = i16(std::max(S.menuBarHeight + 2 + top, S.menuBarHeight + S.titleBarHeight + 2));
    W.windowY2 = i16(std::min<int>(W.windowY1 + L.boardHeight + 2 * W.windowMargin, S.screenHeight));
    if (largest && S.availableWidth == S.screenWidth) {
      W.windowX1 = 0;
      W.windowX2 = i16(S.availableWidth - 2);
      W.windowY1 = i16(S.menuBarHeight + S.titleBarHeight + 2);
      W.windowY2 = display.firstBoardBuild != 0 ? i16(S.availableHeight - S.dockAllowance + S.titleBarHeight)
                                         : i16(S.availableHeight + S.titleBarHeight);
    }
    W.boardHeightOffset = largest ? int16_t{-8} : i16((L.boardHeight - (W.windowY2 - W.windowY1)) / 2);
    W.boardWidthOffset = i16((display.boardWidth - (W.windowX2 - W.windowX1)) / 2);
    return;
  }
  if (S.boardRebuilding != 0) {
    const Rect content = boardWindowContent();
    W.windowX1 = content.left;
    W.windowY1 = content.top;
    layout.boardWindowRect = makeRect(0, 0, content.width(), content.height());
    W.windowX2 = i16(W.windowX1 + layout.boardWindowRect.right);
    W.windowY2 = i16(W.windowY1 + layout.boardWindowRect.bottom);
    W.boardWidthOffset = i16((display.boardWidth - (W.windowX2 - W.windowX1)) / 2 + 1);
    W.boardHeightOffset = largest ? int16_t{-8} : i16((L.boardHeight - (W.windowY2 - W.windowY1)) / 2);
  }
  // First build with a negative windowX2 and no rebuild: nothing changes.
}

void computeWindowGeometry(int16_t screenWidth, int16_t screenHeight, int16_t menuBarHeight) {
  ShellWindowState& S = shellWindow;
  BoardLayout& L = layout;
  S.dockAllowance = 30;
  S.titleBarHeight = 20;
  S.menuBarHeight = menuBarHeight;
  S.boardWidthFallback = 1900;
  S.boardWidthMin = 424;
  S.screenWidth = screenWidth;
  S.screenHeight = screenHeight;
  int16_t margin = std::min<int16_t>(i16(screenWidth / 50), 20);
  if (screenHeight < 400) margin = 18;
  windowPlacement.windowMargin = margin;
  // The picture board's frame sets its size.
  if (display.boardColor == kPictureBoard) measureFramePicture();
  S.availableWidth = screenWidth;
  S.availableHeight = i16(screenHeight - menuBarHeight);

  // Widest request that fits across, then narrower until the board's height fits too.
  const int across = S.availableWidth - 2 * margin;
  display.boardWidth = display.boardSizeUnit = i16(across - 2);
  displaySettings.pieceSize = 0;
  computePieceSize();
  if (display.boardWidth < across) {
    do {
      display.boardSizeUnit = i16(display.boardSizeUnit + 1);
      display.boardWidth = display.boardSizeUnit;
      computePieceSize();
    } while (display.boardSizeUnit <= across && display.boardSizeUnit <= S.boardWidthFallback);
    display.boardSizeUnit = i16(display.boardSizeUnit - 1);
  } else {
    do {
      display.boardSizeUnit = i16(display.boardSizeUnit - 1);
      display.boardWidth = display.boardSizeUnit;
      computePieceSize();
    } while (display.boardSizeUnit > across);
  }
  do {
    display.boardWidth = display.boardSizeUnit;
    computePieceSize();
    computeBoardMargins();
    display.boardSizeUnit = i16(display.boardSizeUnit - 1);
  } while (L.boardHeight >= S.availableHeight - 2 * margin - 40 && display.boardSizeUnit >= S.boardWidthMin);

  display.boardWidth = S.boardWidthFallback = i16(display.boardSizeUnit + 1);
  const int16_t step = i16((display.boardWidth - S.boardWidthMin) / 6);
  S.boardSizeTable[7] = display.boardWidth;
  for (int k = 6; k >= 1; --k) S.boardSizeTable[k] = i16(S.boardSizeTable[k + 1] - step);
  S.boardSizeTable[1] = S.boardWidthMin;

  S.windowMinWidth = i16(S.boardWidthMin + 2 * margin);
  S.windowMinHeight = std::min(i16(static_cast<int>(0.77 * S.boardWidthMin)), S.availableHeight);
  S.windowMaxWidth = S.availableWidth;
  S.windowMaxHeight = S.availableHeight;
  setResizeLimits(kBoardWindow, S.windowMinWidth, S.windowMinHeight, S.windowMaxWidth, S.windowMaxHeight);
}

int16_t defaultBoardSizeIndex(int16_t screenWidth) { return screenWidth > 900 ? 6 : 7; }

}  // namespace bg
