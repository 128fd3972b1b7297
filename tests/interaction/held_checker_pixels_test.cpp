// A checker picked up by the mouse and put back, or moved, leaves the field as a fresh
// redraw of the same position draws it; while held, only the checker under the mouse differs.
#include <gtest/gtest.h>

#include <array>

#include "../display/board_fixture.h"
#include "flow/turn_services.h"
#include "interaction/interaction_install.h"
#include "interaction/move_entry.h"
#include "state/dice_state.h"
#include "state/play_options.h"
#include "support/mouse_script.h"
#include "state/display_state.h"

namespace bg {
namespace {

// From and to (equal: put back) on the 13- and 24-points, and the stack slot clicked (0
// nearest the edge): the hand covers the first checker or the top one.
using Row = std::array<int16_t, 3>;
constexpr Row kRows[] = {{12, 12, 0}, {1, 1, 0}, {12, 15, 0}, {1, 4, 0}, {12, 12, 4}, {1, 4, 1}};

Point spot(int16_t p, int16_t slot = 0) {
  return {static_cast<int16_t>(layout.pointGeometry[p][5] + layout.pieceWidth / 2),
          static_cast<int16_t>(layout.pointGeometry[p][slot] + layout.pieceHeight / 2)};
}

// Where the field differs from a fresh redraw outside `except`; the window is kept.
QRect differenceOutside(const Rect& except) {
  const QImage kept = windowPort(1)->image.copy();
  const QImage played = testing::boardArea();
  redrawBoardWindow();
  const QImage fresh = testing::boardArea();
  windowPort(1)->image = kept;
  const Rect& b = layout.boardRect;
  const QRect skip(except.left - b.left, except.top - b.top, except.width(), except.height());
  QRect area;
  for (int y = 0; y < played.height(); ++y)
    for (int x = 0; x < played.width(); ++x)
      if (!skip.contains(x, y) && played.pixel(x, y) != fresh.pixel(x, y)) area |= QRect(x, y, 1, 1);
  return area;
}

class HeldChecker : public testing::BoardWindowTest, public ::testing::WithParamInterface<Row> {};

TEST_P(HeldChecker, FieldMatchesAFreshRedrawAfterPickUpAndPutDown) {
  const int16_t from = GetParam()[0], to = GetParam()[1], slot = GetParam()[2];
  testing::setPosition("start | dice 3 1 | side 0");
  static testing::MouseScript mouse;
  mouse = testing::MouseScript{};
  installInteractionServices();
  turnServices.pumpEvents = [] { mouse.pump(); };
  setMouseVector([] { interactionDisplay.boardInputEvent = 255; });
  flow.movesAllowed = flow.movesLeft = 2;
  diceState.diceShowing = -1;
  options.selectOneOnly = -1;
  UseVirtualClock clock;
  const int16_t slice = eventSlice();
  setEventSlice(0);
  redrawBoardWindow();
  auto expected = position.board;
  expected[from] -= 1;
  expected[to] += 1;
  const Point away{static_cast<int16_t>(display.boardWidth / 3), static_cast<int16_t>(layout.boardHeight / 2)};
  mouse.click(spot(from, slot));
  mouse.drag(spot(from, slot), away, 3);
  mouse.then([] {
    EXPECT_EQ(boardInput.pickedCount, 1);
    EXPECT_EQ(differenceOutside(boardImages.dragImageRect), QRect()) << "held";
  });
  mouse.drag(away, spot(to), 3);
  mouse.click(spot(to));
  mouse.budget = 2000;
  while (!mouse.idle() && !mouse.spent) humanMoveInput();
  setEventSlice(slice);
  setMouseVector(nullptr);
  EXPECT_FALSE(mouse.spent);
  EXPECT_EQ(position.board, expected);
  EXPECT_EQ(differenceOutside(Rect{}), QRect()) << "put down";
}

INSTANTIATE_TEST_SUITE_P(Rows, HeldChecker, ::testing::ValuesIn(kRows));

}  // namespace
}  // namespace bg
