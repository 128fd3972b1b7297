// The click map of the reference board (W700, play direction 0): the frame, the bar and the
// dice zones as a table, and every point found again under its own drawn checkers.
#include <gtest/gtest.h>

#include "../display/board_fixture.h"
#include "display/board_layout.h"
#include "flow/turn_state.h"
#include "interaction/board_hit_test.h"
#include "state/board_input.h"
#include "state/board_requests.h"
#include "state/interaction_state.h"

namespace bg {
namespace {

constexpr int16_t kUntouched = 99;  // a zone code no hit sets

struct ZoneRow {
  int16_t x, y;
  int16_t zone;  // kUntouched: no coded zone
  char letter;   // the bottom-frame letter, or 0
};

// From the board's own measures at W700; (413, 257) is where postClickAtDice posts.
constexpr ZoneRow kZones[] = {
    {650, 480, kUntouched, 'I'}, {600, 480, kUntouched, 'P'}, {626, 480, kUntouched, 'R'},
    {530, 480, kUntouched, 'R'}, {450, 480, kUntouched, 'W'}, {400, 480, kUntouched, 'S'},
    {330, 480, kUntouched, 'M'}, {260, 480, kUntouched, 'D'}, {200, 480, kUntouched, 'B'},
    {130, 480, kUntouched, 'C'}, {70, 480, kUntouched, 'N'},  {50, 480, kUntouched, 0},
    {20, 100, kUpperTrayZone, 0}, {20, 300, kLowerTrayZone, 0}, {20, 250, kPipCountZone, 0},
    {660, 60, kLeftDiceZone, 0}, {660, 430, kRightDiceZone, 0}, {660, 150, kCubeTopZone, 0},
    {660, 250, kCubeMiddleZone, 0}, {340, 250, kDiceActionZone, 0}, {340, 200, 0, 0},
    {340, 300, 25, 0},           {200, 257, kLeftDiceZone, 0},  {413, 257, kRightDiceZone, 0},
};

class ClickZones : public testing::BoardWindowTest {
 protected:
  static void hit(int16_t x, int16_t y) {
    boardInput.clickH = x;
    boardInput.clickV = y;
    boardHit.clickZoneCode = kUntouched;
    hitTestBoard();
  }
};

TEST_F(ClickZones, FrameBarAndDiceZonesFollowTheMap) {
  for (const ZoneRow& row : kZones) {
    hit(row.x, row.y);
    EXPECT_EQ(boardHit.clickZoneCode, row.zone) << row.x << "," << row.y;
    EXPECT_EQ(firstRequest() == '#' ? 0 : firstRequest(), row.letter) << row.x << "," << row.y;
  }
}

// Each point is found under its checkers, across the whole checker width, and in both
// the first and the last stack slot.
TEST_F(ClickZones, EveryPointIsFoundUnderItsDrawnCheckers) {
  const BoardLayout& L = layout;
  for (int16_t p = 1; p <= 24; ++p) {
    const int16_t left = L.pointGeometry[p][5];
    for (int16_t dx : {int16_t{1}, static_cast<int16_t>(L.pieceWidth / 2), static_cast<int16_t>(L.pieceWidth - 2)}) {
      for (int slot : {0, 4}) {
        const auto y = static_cast<int16_t>(L.pointGeometry[p][slot] + L.pieceHeight / 2);
        hit(static_cast<int16_t>(left + dx), y);
        ASSERT_TRUE(boardHit.hitUpperPoints != 0 || boardHit.hitLowerPoints != 0) << "point " << p;
        pointFromClick();
        EXPECT_EQ(interaction.clickedPoint, p) << "dx " << dx << " slot " << slot;
      }
    }
  }
}

}  // namespace
}  // namespace bg
