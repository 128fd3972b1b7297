// The possible-move markers on the reference board (W700): the worked examples as pixels,
// played by the side moving down and again by side 0 on the mirrored board, and every
// erase leaving the board as a fresh redraw draws it.
#include "board_fixture.h"
#include "display/board_ids.h"
#include "display/move_markers.h"
#include "state/board_input.h"
#include "state/dice_state.h"
#include "state/display_settings.h"
#include "state/flow_state.h"
#include "support/qt_helpers.h"

namespace bg {
namespace {

using Board = CheckedArray<int16_t, 25>;

constexpr int16_t kTray = -1;  // the mover's tray in the rows

struct MarkerRow {
  const char* board;   // the side moving down (side 1) to move
  int16_t from;        // the picked point
  int16_t movesLeft;
  std::vector<int16_t> landings;  // kTray for the mover's tray
};

class MoveMarkers : public testing::BoardWindowTest, public ::testing::WithParamInterface<std::tuple<MarkerRow, int>> {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    displaySettings.showPossibleMoves = -1;
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
  }
};

// Side 0's view of side 1's board: point p becomes 25 - p with the other colour.
Board mirrored(const Board& b) {
  Board m{};
  for (int p = 0; p <= 25; ++p) m[p] = static_cast<int16_t>(-b[25 - p]);
  return m;
}

Rect markerAt(int16_t left, int16_t top) {
  return makeRect(left, top, left + layout.markerRect.width(), top + layout.markerRect.height());
}

// Whether the window shows marker picture `world` in r.
bool shows(GrafPtr world, const Rect& r) {
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      if (testing::pixelAt(r.left + x, r.top + y) != world->image.pixel(x - world->origin.x(), y - world->origin.y()))
        return false;
  return true;
}

TEST_P(MoveMarkers, MarkTheFromPointAndEveryLandingAndEraseWithoutATrace) {
  const auto& [row, sideParam] = GetParam();
  const auto side = static_cast<int16_t>(sideParam);
  testing::setPosition(row.board);
  auto mirror = [&](int16_t p) { return side == 1 || p == kTray ? p : static_cast<int16_t>(25 - p); };
  if (side == 0) position.board = mirrored(position.board);
  testing::setSideOnRoll(side);
  flow.movesLeft = row.movesLeft;
  diceState.diceShowing = -1;
  redrawBoardWindow();
  hand.piecePicked = -1;
  hand.selectedPoint = mirror(row.from);
  showPossibleMoveMarkers();
  hand.piecePicked = 0;
  const BoardLayout& L = layout;
  ASSERT_EQ((std::vector<int>{L.markerRect.width(), L.markerRect.height(), L.fieldTop - L.markerRect.height() - 1, L.fieldBottom}),
            (std::vector<int>{39, 6, 29, 471}));
  auto top = [&](int16_t p) { return p <= 12 ? 29 : 471; };
  const int16_t f = mirror(row.from);
  const int16_t fromTop = static_cast<int16_t>(top(f) + (f == 0 ? -3 : f == 25 ? 4 : 0));
  EXPECT_TRUE(shows(boardImages.blueMarkerWorld, markerAt(L.markerX[f], fromTop))) << "from " << f;
  int shown = 1;
  for (int16_t landing : row.landings) {
    const int16_t p = mirror(landing);
    Rect r;
    if (p == kTray) {
      const int16_t trayTop = side == 0 ? L.fieldBottom : static_cast<int16_t>(L.fieldTop - L.markerRect.height() - 1);
      r = markerAt(static_cast<int16_t>(L.trayLeft[displaySettings.playDirection] + (L.trayWidth - 39) / 2), trayTop);
    } else {
      r = markerAt(L.markerX[p], top(p));
    }
    EXPECT_TRUE(shows(boardImages.greenMarkerWorld, r)) << "landing " << p;
    ++shown;
  }
  int entries = 0;
  for (const MoveMarker& m : moveMarkerState.moveMarkers) entries += m.left != 0 ? 1 : 0;
  EXPECT_EQ(entries, shown);
  erasePossibleMoveMarkers();
  EXPECT_FALSE(markersShown());
  expectLikeAFreshRedraw("erased");
}

INSTANTIATE_TEST_SUITE_P(Rows, MoveMarkers, ::testing::Combine(::testing::Values(
  MarkerRow{"8:-2 6:-13 24:15 | dice 3 1", 8, 2, {5, 7, 4}},
  MarkerRow{"13:-2 6:-13 9:2 24:13 | dice 2 2", 13, 4, {11}},
  MarkerRow{"0:-1 6:-14 24:15 | dice 6 5", 0, 2, {19, 20, 14}},
  MarkerRow{"3:-1 4:-1 1:-13 24:15 | dice 5 1", 3, 2, {2}},        // the rearmost stands on 4: no tray
  MarkerRow{"3:-1 2:-1 1:-13 24:15 | dice 5 1", 3, 2, {2, kTray}}),
  ::testing::Values(0, 1)));

// A marker stays until its erase, even when the board is drawn again over it; a new
// layout forgets the markers without drawing anything.
class MarkerLifetime : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    displaySettings.showPossibleMoves = -1;
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
    testing::setPosition("8:-2 6:-13 24:15 | dice 3 1");
    testing::setSideOnRoll(1);
    flow.movesLeft = 2;
    diceState.diceShowing = -1;
    redrawBoardWindow();
  }
  static void selectPointEight() {
    hand.piecePicked = -1;
    hand.selectedPoint = 8;
    showPossibleMoveMarkers();
    hand.piecePicked = 0;
  }
};

TEST_F(MarkerLifetime, SurviveARedrawAndAreForgottenByANewLayout) {
  selectPointEight();
  redrawBoardWindow();
  EXPECT_TRUE(shows(boardImages.greenMarkerWorld, markerAt(layout.markerX[5], 29)));
  erasePossibleMoveMarkers();
  expectLikeAFreshRedraw("erased after a redraw");
  selectPointEight();
  computeBoardLayout();
  EXPECT_FALSE(markersShown());
}

// The idle mouse off the board erases at every poll: with nothing up, the board is not
// repainted, while erasing markers that are up still reaches the screen.
TEST_F(MarkerLifetime, AnEraseWithNoneUpLeavesTheWindowUnpainted) {
  constexpr int kIdlePolls = 50;
  EXPECT_EQ(testing::paintsDuring(kBoardWindow, [] {
              for (int i = 0; i < kIdlePolls; ++i) erasePossibleMoveMarkers();
            }), 0);
  selectPointEight();
  EXPECT_GT(testing::paintsDuring(kBoardWindow, [] { erasePossibleMoveMarkers(); }), 0);
}

}  // namespace
}  // namespace bg
