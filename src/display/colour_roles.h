#pragma once
// Colour roles: which board palette entry each part of the board is drawn in, and the
// resource ids of the pixel patterns that stand for the roles on the patterned schemes.
#include <cstdint>

#include "runtime/core/checked_array.h"

namespace bg {

struct ColourRoles {
  CheckedArray<int16_t, 1> pieceColors;        // checker colour of colour set 0 and 1
  CheckedArray<int16_t, 1> pieceSecondColors;  // their bottom bands
  CheckedArray<int16_t, 1> pieceFrameColors;   // their outlines
  int16_t windowBackColor = 0;
  int16_t boardFrameColor = 0;
  int16_t frameShadeColor = 0;
  int16_t fieldColor = 0;
  int16_t darkPointColor = 0;
  int16_t lightPointColor = 0;
  int16_t labelTextColor = 0;
  int16_t frameColorIndex = 0;
  int16_t panelTextColor = 0;
  int16_t panelFrameColor = 0;
  int16_t messageFrameColor = 0;
  int16_t panelShadowColor = 0;
  int16_t boardBackColor = 0;
  int16_t boardForeColor = 0;
  int16_t arrowColor = 0;
  int16_t panelBackColor = 0;
  int16_t labelShadeColor = 0;
};
extern ColourRoles roles;

void setDefaultColours();

inline constexpr int16_t kFramePenPattern = 100;
inline constexpr int16_t kPanelFillPattern = 314;
inline constexpr int16_t kWindowBackPattern = 328;
inline constexpr int16_t kNoPattern = 0;

// The pattern id base of a board colour. At start-up colour 15 falls into the last row
// (100); a rebuild gives it 200. The rebuild's value is used in both places so that the
// picture board looks the same however it was reached.
int16_t pixPatBaseFor(int16_t boardColor);
// The pattern id that loadPixPatterns puts into the slot of a role, or kNoPattern.
int16_t rolePatternId(int16_t slot, int16_t boardColor, int16_t pixPatBase);
// The extra pattern of board colour 12.
inline int16_t extraPatternId(int16_t pixPatBase) { return static_cast<int16_t>(pixPatBase + 23); }

}  // namespace bg
