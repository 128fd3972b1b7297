#pragma once
// The display's own settings, kept with the preferences, the board window's place, and the
// values the shell sets up at start-up for the display to read (window geometry, text style,
// machine flags). They live below the display so the preferences code can read and write
// them without a window. The board colour and the sides' colour sets are the rules' display
// values, which the dice read too.
#include <cstdint>

#include "state/display_state.h"
#include "runtime/core/checked_array.h"
#include "runtime/core/pstring.h"

namespace bg {

inline constexpr int16_t kPictureBoard = 15;   // board colour drawn from stored pictures
inline constexpr int16_t kCustomColours = 11;  // board colour read from the custom colour file

struct DisplaySettings {
  int16_t pieceSize = 0;         // PIECESIZE, default 3
  int16_t playDirection = 0;     // PLAYDIRECTION: the home side, 0 or 1
  int16_t solidPieceColors = 0;  // SOLIDPIECECOLORS: -1 draws checkers in plain colours
  int16_t pieceShapeApplied = 0; // checker corner setting; 0 is a full ellipse
  int16_t pieceShapeBase = 0;    // base index of the piece images of the shape in use
  StrPath customColorsFileName;  // CUSTOMCOLORFILE: a name in the data folder or a whole path
  int16_t pieceSpeed = 6;        // PIECESPEED: larger is faster
  int16_t showPossibleMoves = 0; // the possible-move markers are shown
  int16_t rowNumbersShown = 0;   // the point numbers are shown
};
extern DisplaySettings displaySettings;

// The window around the board: its content rectangle on the screen (saved with the
// preferences; windowX2 = 0 means none) and the drawing origin of the board inside it.
struct BoardWindowPlacement {
  int16_t windowX1 = 0;
  int16_t windowY1 = 0;
  int16_t windowX2 = 0;
  int16_t windowY2 = 0;
  int16_t boardWidthOffset = 0;
  int16_t boardHeightOffset = 0;
  int16_t windowMargin = 0;
  CheckedArray<int16_t, 1> windowCentre;  // [0] y, [1] x
};
extern BoardWindowPlacement windowPlacement;

inline constexpr long kBoardSizeHighest = 7;

struct ShellWindowState {
  // Window geometry set up at start-up (computeWindowGeometry).
  int16_t screenWidth = 0;
  int16_t screenHeight = 0;
  int16_t menuBarHeight = 0;
  int16_t titleBarHeight = 20;
  int16_t dockAllowance = 30;
  int16_t availableWidth = 0;
  int16_t availableHeight = 0;
  int16_t boardWidthFallback = 1900;
  int16_t boardWidthMin = 424;
  CheckedArray<int16_t, kBoardSizeHighest> boardSizeTable;
  int16_t boardSizeIndex = 0;
  // The board window's resize limits.
  int16_t windowMinWidth = 0;
  int16_t windowMinHeight = 0;
  int16_t windowMaxWidth = 0;
  int16_t windowMaxHeight = 0;
  // Board text style; the size comes from the layout.
  int16_t textFont = 3;
  int16_t textFace = 0;
  int16_t boardRebuilding = 0;
  int16_t osVersionValue = 10;
  int16_t slowMachine = 0;
  // Frame design tiles: [design][0] the frame tile picture, [design][1] the shade tile.
  CheckedArray<CheckedArray<int16_t, 1>, 10> designTilePictures;
};
extern ShellWindowState shellWindow;

}  // namespace bg
