#pragma once
// Board geometry: every position on the board derives from one board width. The layout
// replaces a requested width by the width it actually lays out and publishes the field,
// checker, point, tray, dice, cube, arrow and label measures below. Arithmetic is 16-bit
// with division truncated toward zero; proportional constants are applied in double
// precision and truncated.
#include <cstdint>

#include "runtime/qt/qd_types.h"
#include "runtime/core/checked_array.h"
#include "state/display_settings.h"

namespace bg {

struct BoardLayout {
  // Requested and laid-out sizes.
  int16_t boardHeight = 0;
  int16_t computedBoardWidth = 0;
  int16_t pictureBoardWidth = 0;
  Rect boardRect;

  // Field and checker measures.
  int16_t boardUnit = 0;
  int16_t pieceWidth = 0;
  int16_t pieceHeight = 0;
  int16_t pieceHalfWidthLeft = 0;
  int16_t pieceHalfWidthRight = 0;
  int16_t pieceHalfHeightTop = 0;
  int16_t pieceHalfHeightBottom = 0;
  int16_t pieceDepth = 0;
  int16_t stackStep = 0;
  int16_t stackLayerRise = 0;
  int16_t pointHeight = 0;
  int16_t frameWidth = 0;
  int16_t fieldGap = 0;
  int16_t fieldLeft = 0;
  int16_t fieldRight = 0;
  int16_t barWidth = 0;
  int16_t pointMargin = 0;
  int16_t middleStrip = 0;
  int16_t fieldTop = 0;
  int16_t fieldBottom = 0;
  int16_t boardCentreX = 0;
  int16_t boardCentreY = 0;
  int16_t textSize = 0;
  int16_t panelMargin = 2;
  int16_t panelShadowX = 0;
  int16_t panelShadowY = 0;
  int16_t messageMaxLength = 0;

  // Size class and picture sizes.
  int16_t diceSizeClass = 0;
  int16_t BoardLargeness = 0;
  int16_t dieWidth = 0;
  int16_t dieHeight = 0;
  Rect dieRect;
  CheckedArray<Rect, 1> cubeRects;
  CheckedArray<int16_t, 1> cubeWidth;
  CheckedArray<int16_t, 1> cubeHeight;

  // Point tables; 0 and 25 are the two ends of the bar column. Words 0..4 of a
  // pointGeometry row are the y of the five stack slots, word 5 the checker x.
  CheckedArray<CheckedArray<int16_t, 5>, 25> pointGeometry;
  CheckedArray<int16_t, 25> pointCentreX;
  CheckedArray<int16_t, 25> markerX;
  CheckedArray<int16_t, 25> pieceImageX;
  int16_t markerInset = 0;
  Rect markerRect;
  CheckedArray<int16_t, 33> clickColumnToPoint;
  int16_t topRowY = 0;
  int16_t bottomRowY = 0;

  // Trays: trayLeft [0] left frame, [1] right frame; trayRects [0] lower, [1] upper.
  int16_t trayPieceThickness = 0;
  int16_t trayWidth = 0;
  int16_t trayHeight = 0;
  CheckedArray<int16_t, 1> trayLeft;
  CheckedArray<Rect, 1> trayRects;
  int16_t trayPieceInset = 0;
  CheckedArray<int16_t, 1> trayPictureY;
  Rect trayPictureRect;

  // Dice: dicePosition[player][die][arrangement], arrangement 0 opening, 1 normal, 2 four.
  int16_t diceTop = 0;
  CheckedArray<CheckedArray<CheckedArray<int16_t, 2>, 3>, 1> dicePosition;
  // dieSlotPositions[frame 0 right, 1 left][end 0 bottom, 1 top][slot 0 outer, 1 inner].
  CheckedArray<CheckedArray<CheckedArray<Point, 1>, 1>, 1> dieSlotPositions;
  CheckedArray<int16_t, 1> cubeX;
  CheckedArray<int16_t, 2> cubeY;
  int16_t moveListDiceWidth = 0;
  CheckedArray<int16_t, 1> moveListDiceX;
  CheckedArray<int16_t, 1> pipCountX;
  CheckedArray<int16_t, 1> pipCountY;
  CheckedArray<int16_t, 1> turnArrowPos;
  int16_t turnArrowY = 0;
  int16_t turnArrowBottom = 0;
  int16_t rollOverMarkerX = 0;
  int16_t rollOverMarkerY = 0;
  int16_t emblemWidth = 0;
  int16_t emblemHeight = 0;
  CheckedArray<int16_t, 1> setupButtonX;
  int16_t heldPieceDrop = 0;
  CheckedArray<int16_t, 1> labelX;

  // Picture board only.
  CheckedArray<Rect, 1> diceRects;
  Rect textStripRect;
  Rect stripPictureRect;
  int16_t framePictureWidth = 0;
  int16_t framePictureHeight = 0;

  // Stack position result of pieceStackOffset; the point is stackPoint.
  int16_t stackPoint = 0;
  int16_t stackPieceX = 0;
  int16_t stackPieceY = 0;

  Rect boardWindowRect;  // port bounds of the board window

  // Shared scratch coordinates (the trays leave the upper tray's top in tempY).
  int16_t tempX = 0;
  int16_t tempY = 0;
};
extern BoardLayout layout;


// The size classes' cube picture sizes, used when the cube pictures are not at hand.
inline constexpr int16_t kCubeSideByClass[5] = {22, 30, 40, 50, 60};

void computeBoardLayout();
// The x of each side's name label, from the names and the field.
void computeLabelX();
void computePieceSize();
void computeBoardMargins();
void selectDiceAndCubeSizes();
void layoutPointRects();
void mirrorPointTables();
void layoutTrayRects();
void pieceStackOffset(int16_t n);
// The top edge of checker n of point p's stack as it is drawn, n past the top included.
int16_t stackSlotTop(int16_t p, int16_t n);

// Copies the measures the rules read (dice places and sizes, board width, colours) into
// the rules' view of the display.
void publishDisplayValues();

// Window fit (the board window's size and place for the current layout).
void fitWindowToBoard();

// The start-up window geometry: screen metrics and the table of offered board widths.
void computeWindowGeometry(int16_t screenWidth, int16_t screenHeight, int16_t menuBarHeight);
// The default board size for the screen: 7, or 6 on a screen wider than 900.
int16_t defaultBoardSizeIndex(int16_t screenWidth);

}  // namespace bg
