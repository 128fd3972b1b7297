#include "display/colour_roles.h"

#include <algorithm>
#include <iterator>

#include "state/program_state.h"

#include "display/colour_schemes.h"
#include "state/display_settings.h"

namespace bg {

ColourRoles roles;
BG_RESETS_WITH_PROGRAM(roles);

void setDefaultColours() {
  ColourRoles& r = roles;
  r.pieceColors[0] = 11;
  r.pieceColors[1] = 8;
  r.pieceSecondColors[0] = 12;
  r.pieceSecondColors[1] = 9;
  r.pieceFrameColors[0] = 13;
  r.pieceFrameColors[1] = 10;  // every display here has more than 4 bits per pixel
  r.windowBackColor = 2;
  r.boardFrameColor = 3;
  r.frameShadeColor = 4;
  r.fieldColor = 5;
  r.darkPointColor = 6;
  r.lightPointColor = 7;
  r.labelTextColor = 8;
  r.frameColorIndex = 11;
  r.panelTextColor = display.boardColor == kPlainKeysBoard ? 15 : 3;
  r.panelFrameColor = 8;
  r.messageFrameColor = 8;
  r.panelShadowColor = 1;
  r.boardBackColor = 0;
  r.boardForeColor = 1;
  r.arrowColor = 15;
  r.panelBackColor = 14;
  r.labelShadeColor = 4;
}

int16_t pixPatBaseFor(int16_t boardColor) {
  switch (boardColor) {
    case 1:
    case 2: return 0;
    case 3:
    case 15: return 200;
    case 4: return 600;
    case 5: return 100;
    case 6: return 400;
    case 7: return 500;
    case 12: return 300;
    default: return 100;
  }
}

int16_t rolePatternId(int16_t slot, int16_t boardColor, int16_t pixPatBase) {
  auto base = [pixPatBase](int offset) { return static_cast<int16_t>(pixPatBase + offset); };
  switch (slot) {
    case 2: return kWindowBackPattern;
    case 3: return base(38);
    case 4: return base(37);
    case 5: return base(29);
    case 6: return base(35);
    case 7: return base(34);
    case 19: return base(40);
    default: break;
  }
  static constexpr int16_t kPieceSlots[4] = {8, 9, 11, 12};
  static constexpr int16_t kColour10[4] = {141, 142, 133, 143};
  static constexpr int16_t kColour2[4] = {131, 100, 14, 17};
  static constexpr int16_t kOthers[4] = {141, 142, 144, 143};
  // These schemes paint their checkers with patterns made from their own checker colours,
  // so that checkers agree with the dice pips and tray keys painted in those colours:
  // 1000 + 10 x colour + 1 dark, 2 its shade, 4 light, 3 its shade.
  static constexpr int16_t kOwnCheckerBoards[3] = {3, 9, 12};
  static constexpr int16_t kOwnCheckersBase = 1000;
  static constexpr int16_t kOwnCheckers[4] = {1, 2, 4, 3};
  const bool ownCheckers = std::find(std::begin(kOwnCheckerBoards), std::end(kOwnCheckerBoards), boardColor) !=
                           std::end(kOwnCheckerBoards);
  for (int k = 0; k < 4; ++k) {
    if (kPieceSlots[k] != slot) continue;
    if (ownCheckers) return static_cast<int16_t>(kOwnCheckersBase + 10 * boardColor + kOwnCheckers[k]);
    if (boardColor == kPiecePatternBoard) return kColour10[k];
    if (boardColor == kPatternedBoard) return kColour2[k];
    return kOthers[k];
  }
  return kNoPattern;
}

}  // namespace bg
