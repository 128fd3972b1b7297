#pragma once
// Owning the board display's worlds: disposing them before a rebuild, the cube images,
// and the checkers borne off into the trays.
#include <cstdint>

#include "runtime/qt/ports.h"
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
// Takes the n-th borne-off checker off again, restoring the board under it; only while
// checkers are being taken out of a tray and never before the welcome.
void eraseTrayPiece(int16_t side, int16_t n);
// occluderRgn: the shape of slot n - 1 (empty for the first slot to be filled).
void trayNeighbourRegion(int16_t side, int16_t n);
// The strip above the field copied from world into the current port.
void copyStripAboveBoard(GrafPtr world);
// Copies the clean board under rect into the moving checker's save-under.
void refreshDragSaveUnder(const Rect& rect);

}  // namespace bg
