#pragma once
// The board display's off-screen worlds, shape regions and patterns. All worlds are made
// through newOffscreenWorld and disposed together before every rebuild.
#include <cstdint>

#include "runtime/core/checked_array.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/patterns.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"

namespace bg {

// The board commands' cursors (I, P, R, S, M, help, D, N, B, C, W); 13 more on the picture
// board. The idle tracker's direction hints are plain cursors 516 to 519.
inline constexpr int16_t kCommandCursorIds[11] = {150, 138, 139, 140, 141, 142, 143, 144, 145, 146, 148};
inline constexpr int16_t kPictureBoardCursorOffset = 13;
inline constexpr int16_t kSelectionCursorId = 132;
inline constexpr int16_t kHandCursorId = 133;
inline constexpr int16_t kFirstDirectionCursorId = 516;

struct BoardImages {
  GWorldPtr boardWorld = nullptr;  // the composed empty board

  // Centre emblem: [1] and [2] are used.
  CheckedArray<GWorldPtr, 2> centreEmblemWorlds{};
  CheckedArray<GWorldPtr, 2> centreEmblemMasks{};
  Rect emblemRect;

  // Dice: face f of colour set s at f + 7s; the plain dice are also the copy masks.
  CheckedArray<GWorldPtr, 13> dieFaceWorlds{};
  CheckedArray<GWorldPtr, 1> plainDieWorlds{};

  // Cube images per cube entry (home side): faces and masks.
  CheckedArray<CheckedArray<GWorldPtr, 7>, 1> cubeFaceWorlds{};
  CheckedArray<CheckedArray<GWorldPtr, 1>, 1> cubeMaskWorlds{};

  // Borne-off checkers seen edge-on, per colour set.
  CheckedArray<GWorldPtr, 1> trayPieceImages{};
  Rect trayPieceRect;
  RgnHandle trayPieceRgn = nullptr;

  // Frame-design tiles of the design in force.
  GWorldPtr designFrameTileWorld = nullptr;
  GWorldPtr designShadeTileWorld = nullptr;
  Rect frameTileRect;
  Rect shadeTileRect;

  // Checker images and the save-under buffers of the moving and held checker.
  CheckedArray<GWorldPtr, 1> pieceImageWorlds{};
  CheckedArray<Rect, 1> pieceRects;
  GWorldPtr offscreenWorld = nullptr;
  GWorldPtr heldUnderWorld = nullptr;
  GWorldPtr dragScratchWorld = nullptr;
  GWorldPtr cubeSlideWorld = nullptr;
  Rect heldUnderRect;
  Rect movingUnderRect;
  Rect cubeSlideRect;
  Rect landingRect;
  RgnHandle heldUnderRgn = nullptr;
  RgnHandle movingUnderRgn = nullptr;
  RgnHandle pieceShapeRgn = nullptr;
  RgnHandle pieceOutlineRgn = nullptr;
  RgnHandle landingRgn = nullptr;
  int16_t dragGrabH = 0;
  int16_t dragGrabV = 0;
  int16_t heldGrabH = 0;
  int16_t heldGrabV = 0;
  int16_t dragCountOffsetH = 0;
  int16_t dragCountOffsetV = 0;

  // The held checker's place and clip (drag feedback) and the shape that hides a checker.
  Rect dragImageRect;
  RgnHandle dragClipRegion = nullptr;
  Rect occluderRect;
  RgnHandle occluderRgn = nullptr;

  // Move markers and the turn-arrow shapes [home side][0 down, 1 sideways].
  GWorldPtr greenMarkerWorld = nullptr;
  GWorldPtr blueMarkerWorld = nullptr;
  CheckedArray<CheckedArray<RgnHandle, 1>, 1> arrowRegions{};

  // The backdrop of the set-up's cube chooser, of the overlay box's size.
  GWorldPtr messageBoxWorld = nullptr;

  // Picture board extras, built once at the first build.
  CheckedArray<GWorldPtr, 1> trayPictureWorlds{};
  GWorldPtr trayMaskWorld = nullptr;
  GWorldPtr arrowBackdropWorld = nullptr;
  RgnHandle arrowBackdropRgn = nullptr;
  CheckedArray<CheckedArray<CheckedArray<GWorldPtr, 1>, 1>, 1> turnArrowWorlds{};
  RgnHandle turnArrowRgn = nullptr;

  // Clip regions made once and reused; the board's outline on the picture board.
  RgnHandle boardClipRgn = nullptr;
  RgnHandle frameShapeRgn = nullptr;

  // Colour cursors of the board commands, in the order of kCommandCursorIds; the
  // checker-selection cursor and the two hand cursors.
  CheckedArray<CCrsrHandle, 10> colourCursors{};
  CCrsrHandle selectionCursor = nullptr;
  CheckedArray<CCrsrHandle, 1> handCursors{};

  // Pixel patterns by colour role, the frame pen, the panel fill and colour 12's extra.
  CheckedArray<PixPatHandle, 21> rolePixPats{};
  PixPatHandle framePenPattern = nullptr;
  PixPatHandle panelFramePenPattern = nullptr;
  PixPatHandle pixPatterns = nullptr;
  PixPatHandle extraPattern = nullptr;
  int16_t pixPatBase = 100;
};
extern BoardImages boardImages;

}  // namespace bg
