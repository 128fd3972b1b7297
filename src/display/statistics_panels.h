#pragma once
// The pip-count and race-estimate panels: a box over the board centre with a title and
// one value per side beside a small checker in that side's colours, up until the user
// clicks or types.
#include <cstdint>
#include <string>

#include "runtime/qt/qd_types.h"

namespace bg {

struct StatisticsPanelState {
  int16_t statisticsPanelKind = 0;  // 1 pip counts, 2 race estimate
  int16_t pipPanelBusy = 0;         // -1 while that panel is up
  int16_t racePanelBusy = 0;
};
extern StatisticsPanelState statisticsPanels;

void drawStatsLeft();
void drawStatsRight();
void drawStatistics();
// The number text cut to 5 characters, ".0" added to a short one of at least 1, two blanks
// in front: 12.3456 gives "   12.3", 5 gives "   5.0".
std::string formatStatNumber(float value);
// A small checker of side's colours centred on (x, y), r its half height.
void drawPieceIcon(int16_t x, int16_t y, int16_t r, int16_t side);
// The icon's rectangle.
Rect pieceIconRect(int16_t x, int16_t y, int16_t r);

}  // namespace bg
