#pragma once
// Board colour schemes and the board palette. Drawing code names a colour role, an index
// 0..21 of the board palette; the palette's scheme entries come from the scheme row of the
// board colour in force, with darker shades derived from it. A role can instead be drawn
// with a pixel pattern when the board colour asks for one.
#include <cstdint>

#include "runtime/qt/qd_types.h"
#include "runtime/core/checked_array.h"
#include "runtime/qt/palettes.h"

namespace bg {

inline constexpr long kHighestColourRole = 21;
inline constexpr long kHighestBoardColour = 15;

// Board colours that the drawing treats apart (kPictureBoard and kCustomColours are with
// the display settings).
inline constexpr int16_t kPatternedBoard = 2;        // every board role drawn with its pattern
inline constexpr int16_t kPatternedPointsBoard = 7;  // the points drawn with their patterns
inline constexpr int16_t kPiecePatternBoard = 10;    // its own patterns for the pieces
inline constexpr int16_t kPlainKeysBoard = 12;       // plain tray keys and light panel text

// The seven colours of a scheme, in their order in a row.
enum SchemeColour : int16_t {
  kBorderColour = 0,
  kFrameColour = 1,
  kFieldColour = 2,
  kDarkRowColour = 3,
  kLightRowColour = 4,
  kDarkPieceColour = 5,
  kLightPieceColour = 6,
};

using ColourScheme = CheckedArray<RGBColor, 6>;

struct ColourState {
  CheckedArray<ColourScheme, kHighestBoardColour> colourSchemes;
  // -1 where the board colour draws the role with its pixel pattern.
  CheckedArray<CheckedArray<int16_t, kHighestColourRole>, kHighestBoardColour> rolePatternFlags;
  CheckedArray<RGBColor, kHighestColourRole> boardPalette;  // the board palette's entries
  int16_t paletteResource = 0;  // 'pltt' chosen at the first build: 128, 129 or 130
  Palette* paletteHandle = nullptr;  // the same entries, attached to the board window
};
extern ColourState colours;

void initColourAndStyleTables();
// The palette resource for a board colour: 2 and 5 take 128, 3 takes 129, others 130.
int16_t paletteResourceFor(int16_t boardColor);
// Chooses the palette resource (first build only) and fills its entries.
void activateBoardPalette();
// Writes the fixed entries, the scheme's seven colours and the derived shades.
void setBoardPaletteEntries();
// A component scaled by a shade factor, truncated.
RGBColor shadeOf(const RGBColor& colour, double factor);
// True when setDrawColor paints the role with its pattern rather than its plain colour
// (given that a pattern is loaded for it).
bool roleDrawnWithPattern(int16_t role);

}  // namespace bg
