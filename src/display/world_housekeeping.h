#pragma once
// Owning the board display's worlds: disposing them before a rebuild, the cube images,
// and the checkers borne off into the trays.
#include <cstdint>

#include "runtime/qt/qd_types.h"

namespace bg {

void disposePieceWorlds();
void disposeAllOffscreenWorlds();
void buildCubeImages();
void buildCubeImagesPictured();
void paintTrayPieceImages();
void loadTrayPieceImages();
// One borne-off checker of the side's colour into rect of the current port.
void drawTrayPieceImage(const Rect& rect, int16_t side);
// Top-left corner of slot n (1..15) of the side's tray: side 0 fills from the bottom,
// side 1 from the top.
Point trayPiecePosition(int16_t side, int16_t n);
// Draws the n-th borne-off checker of the side on the board window.
void drawTrayPiece(int16_t side, int16_t n);

}  // namespace bg
