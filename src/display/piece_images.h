#pragma once
// Checker images: one face per colour set, prepared off screen at checker size and copied
// wherever a checker is shown, with their shape regions and the save-under buffers of the
// moving and held checker; the move-marker images and the turn-arrow shapes.
#include <cstdint>

#include "runtime/qt/regions.h"

namespace bg {

void buildPieceImages();
void buildMarkerImages();
void drawPieceFaces();
void buildArrowRegions();
// The current player's checker image into the held checker's save-under, onto the
// current port at occluderRect, or onto it at landingRect (the last two flush the window).
void blitPieceImage();
void blitPieceToPort();
void copyPieceToLanding();
// Paints the checker of currentPlayer's colour into the current port at landingRect.
void paintPieceFace(const Region* shapeRgn, int16_t depth, int16_t height);

}  // namespace bg
