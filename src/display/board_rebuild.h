#pragma once
// Bringing the board image and everything made from it up to date after a change of the
// board size, colour scheme, frame design or checker look; opening the board window.
#include <cstdint>

namespace bg {

// Refused while the position editor runs: a change from the settings waits for its end.
void rebuildBoardWindow();
// The same rebuild for the window's own new size, which the editor goes on at.
void rebuildBoardForWindowSize();
void invalidateBoard();
void rebuildPieceImages();

// Lays the board out, puts the drawing origin at the board and clips to it.
void relayoutBoard();
// Gives the board window the fitted size, centres it on the screen and paints it.
void setBoardWindowSize();
// The frame picture of the picture board measured into the layout.
void measureFramePicture();

// Start-up: the colour tables, the window geometry for the screen and the first layout.
void initBoardDisplay();
// Colours, layout and graphics for the board width in force (the last part of the above).
void buildBoardDisplay();
// Creates the board window; its first full redraw composes the board and shows it.
void openBoardWindow();
// Puts the display's routines into the service tables of the areas below.
void installDisplayServices();

}  // namespace bg
