#pragma once
// Composing the empty board (frame, field, bar, points, trays and their colour keys) into
// boardWorld, from which every later erase on the board copies back.
#include <cstdint>

#include "runtime/qt/ports.h"
#include "runtime/qt/regions.h"

namespace bg {

void buildBoardPicture();
void paintBoard();
// The points between the given field top and bottom.
void paintPointsQuickDraw(int fieldTop, int fieldBottom);
void paintPointsQuartz(int fieldTop, int fieldBottom);
// A tray's box with its top-left corner at x, y.
void paintTrayBox(int x, int y);
void drawTrayPictures();

// Frame-design tiles.
inline constexpr int16_t kFrameTileMode = 1;
inline constexpr int16_t kShadeTileMode = 2;
void buildDisplayPictures(int16_t frameTilePict, int16_t shadeTilePict);
// Tiles the target rectangle of boardWorld with the frame or shade tile, laid from the
// board's origin; clipRgn (or the target when none) limits the tiling.
void tilePictureInRect(GWorldPtr tileWorld, const Rect& target, const Region* clipRgn, int16_t mode);

}  // namespace bg
