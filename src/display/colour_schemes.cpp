#include "display/colour_schemes.h"

#include <cmath>

#include "state/display_settings.h"
#include "state/program_state.h"

namespace bg {

ColourState colours;
BG_RESETS_WITH_PROGRAM(colours);

namespace {

constexpr RGBColor kGrey52000{52000, 52000, 52000};

struct SchemeRow {
  int16_t row;
  RGBColor c[7];
};

// Border, frame, field, dark row, light row, dark piece, light piece.
constexpr SchemeRow kBuiltInSchemes[] = {
    {15, {kGrey52000, {16383, 9830, 4587}, {58326, 53083, 39976}, {0, 6554, 22937}, {0, 20971, 47185},
          {0, 20971, 31456}, {57670, 47840, 33422}}},
    {2, {kGrey52000, {1311, 19661, 16384}, {635, 26869, 23593}, {1270, 45219, 28180}, {45219, 43908, 47841},
         {24000, 1800, 1800}, {51772, 63568, 58326}}},
    {6, {kGrey52000, {0, 12850, 25700}, {28270, 56540, 48830}, {0, 12850, 25700}, {0, 48830, 20560},
         {0, 28270, 15420}, {56540, 64250, 0}}},
    {4, {kGrey52000, {0, 10280, 15677}, {10280, 43690, 28270}, {0, 12850, 17990}, {53970, 57825, 56540},
         {0, 30840, 23130}, {61680, 61680, 0}}},
    {5, {kGrey52000, {1966, 9830, 3932}, {15073, 26214, 17694}, {1311, 11796, 2621}, {51800, 58300, 51800},
         {39976, 3276, 3276}, {26214, 45874, 32767}}},
    {3, {kGrey52000, {0, 3932, 28835}, {2621, 34733, 7864}, {0, 6554, 22937}, {0, 20971, 47185},
         {43253, 4587, 5898}, {65535, 65535, 6553}}},
    {1, {kGrey52000, {1966, 20315, 20315}, {6553, 43253, 32767}, {3932, 27524, 28835}, {62000, 62000, 62000},
         {1966, 28835, 24903}, {51772, 63568, 58326}}},
    {7, {kGrey52000, {0, 21626, 5242}, {39976, 47185, 39976}, {0, 30801, 10485}, {10485, 51117, 20971},
         {0, 34733, 3276}, {65535, 65535, 0}}},
    {8, {kGrey52000, {0, 21626, 5242}, {39976, 47185, 39976}, {0, 30801, 10485}, {10485, 51117, 20971},
         {0, 34733, 3276}, {65535, 65535, 0}}},
    {9, {kGrey52000, {39321, 27524, 18349}, {56360, 51117, 43253}, {16383, 13762, 11140}, {45219, 5898, 7864},
         {51117, 5242, 7864}, {65535, 59636, 27524}}},
    {10, {kGrey52000, {0, 21845, 8995}, {12850, 32125, 18761}, {10280, 12850, 10280}, {58000, 58000, 58000},
          {42405, 0, 6425}, {53970, 53970, 0}}},
    {12, {kGrey52000, {0, 21626, 0}, {24247, 64224, 34078}, {0, 38010, 0}, {59636, 65535, 7208},
          {26214, 26214, 26214}, {52000, 52000, 52000}}},
};

}  // namespace

void initColourAndStyleTables() {
  for (const SchemeRow& s : kBuiltInSchemes)
    for (int k = 0; k <= 6; ++k) colours.colourSchemes[s.row][k] = s.c[k];

  auto& flags = colours.rolePatternFlags;
  for (int colour = 0; colour <= 11; ++colour) flags[colour].fill(0);
  for (int colour : {2, 12})
    for (int role = 2; role <= 13; ++role) flags[colour][role] = -1;
  for (int colour : {10, 9, 3})
    for (int role : {8, 11, 9, 12}) flags[colour][role] = -1;
  flags[7][6] = flags[7][7] = -1;
  for (int colour = 1; colour <= 11; ++colour) {
    flags[colour][2] = -1;
    flags[colour][10] = flags[colour][13] = 0;
  }
  // The picture board paints almost nothing itself; only the window around the board
  // takes its pattern, as on the plainer schemes. Rows 13 and 14 hold no board colour.
  flags[13].fill(0);
  flags[14].fill(0);
  flags[15].fill(0);
  flags[15][2] = -1;
}

int16_t paletteResourceFor(int16_t boardColor) {
  if (boardColor == 2 || boardColor == 5) return 128;
  if (boardColor == 3) return 129;
  return 130;
}

void activateBoardPalette() {
  if (display.firstBoardBuild == 0) return;
  colours.paletteResource = paletteResourceFor(display.boardColor);
  if (colours.paletteHandle != nullptr) disposePalette(colours.paletteHandle);
  colours.paletteHandle = getNewPalette(colours.paletteResource);
  // Only entries 1, 17, 19, 20 and 21 keep the resource's colours; the rest are set next.
  for (int entry = 0; entry <= kHighestColourRole; ++entry)
    getEntryColor(colours.paletteHandle, static_cast<int16_t>(entry), colours.boardPalette[entry]);
  setPalette(1, colours.paletteHandle, true);
  setBoardPaletteEntries();
  activatePalette(1);
}

RGBColor shadeOf(const RGBColor& colour, double factor) {
  auto scale = [factor](uint16_t c) { return static_cast<uint16_t>(std::trunc(c * factor)); };
  return {scale(colour.red), scale(colour.green), scale(colour.blue)};
}

void setBoardPaletteEntries() {
  auto& p = colours.boardPalette;
  const ColourScheme& scheme = colours.colourSchemes[display.boardColor];
  p[14] = kGrey52000;
  p[15] = {26214, 26214, 26214};
  p[16] = {18349, 3276, 0};
  p[0] = {12451, 4587, 0};
  p[18] = {7702, 2837, 0};
  p[2] = scheme[kBorderColour];
  p[3] = scheme[kFrameColour];
  p[5] = scheme[kFieldColour];
  p[6] = scheme[kDarkRowColour];
  p[7] = scheme[kLightRowColour];
  p[8] = scheme[kDarkPieceColour];
  p[11] = scheme[kLightPieceColour];
  p[4] = shadeOf(scheme[kFrameColour], 0.6);
  p[9] = shadeOf(scheme[kDarkPieceColour], 0.6);
  p[10] = shadeOf(scheme[kDarkPieceColour], 0.3);
  p[12] = shadeOf(scheme[kLightPieceColour], 0.6);
  p[13] = shadeOf(scheme[kLightPieceColour], 0.25);
  if (colours.paletteHandle != nullptr)
    for (int entry = 0; entry <= kHighestColourRole; ++entry)
      setEntryColor(colours.paletteHandle, static_cast<int16_t>(entry), p[entry]);
}

bool roleDrawnWithPattern(int16_t role) {
  const bool solid = displaySettings.solidPieceColors == -1 &&
                     (role == 8 || role == 9 || role == 11 || role == 12);
  return colours.rolePatternFlags[display.boardColor][role] == -1 && !solid;
}

}  // namespace bg
