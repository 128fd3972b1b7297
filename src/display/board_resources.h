#pragma once
// What the board takes from the application's pictures and patterns for its colour and
// size: the role patterns, the centre emblem, the die faces, the cube and tray images,
// and the sequencers that build the board worlds.
#include <cstdint>

namespace bg {

void initBoardGraphics();
void loadColourCursors();
void loadHandCursors();
void disposeHandCursors();
// The command cursors again, for the pending board colour (on a change to or from 15).
void reloadColourCursors();
void loadBoardPatterns();
void loadPixPatterns();
void disposePixPatterns();
void buildBoardOffscreens();
void renderBoardOffscreen();
void buildCubeImagesByStyle();
// A world of the overlay box's size for the cube chooser's backdrop.
void makeBoardSizedOffscreen();
void makeCentreEmblemWorlds();
void loadCentreEmblemMasks();
void paintCentreEmblemWorlds();
void buildDiceFaceImages();
void loadDiceFaceImagesPictured();
void loadArrowBackdrop();
void loadTurnArrowImages();
void loadPictureSet541();

// The die base picture of a size class, or 0 when the class is out of range.
int16_t dieBasePicture(int16_t sizeClass);
// The emblem mask picture of a size class.
int16_t emblemMaskPicture(int16_t sizeClass);

}  // namespace bg
