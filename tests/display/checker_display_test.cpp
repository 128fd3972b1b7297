// Checkers in their stacks, sliding between places, hit to the bar and borne off: every
// change leaves the window as a fresh redraw of the same position draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "board_fixture.h"
#include "display/bear_off.h"
#include "display/board_ids.h"
#include "display/checker_animation.h"
#include "display/turn_arrow.h"
#include "display/checker_stacks.h"
#include "display/drag_feedback.h"
#include "runtime/core/random.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/windows.h"
#include "support/qt_helpers.h"
#include "state/display_state.h"

namespace bg {
namespace {

class CheckerDisplay : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    displaySettings.pieceSpeed = 11;
  }
  static void move(int16_t from, int16_t to) {
    hand.selectedPoint = from;
    hand.moveToPoint = to;
    animateCheckerMove(0, 0);
  }
  static QRgb pieceCentre(int16_t side) {
    const Rect& r = boardImages.pieceRects[display.playerColors[side]];
    return boardImages.pieceImageWorlds[display.playerColors[side]]->image.pixel(r.width() / 2, r.height() / 2);
  }
};

TEST_F(CheckerDisplay, CheckersStandInTheirSlots) {
  struct Row {
    int16_t point, n, x, y;
  };
  for (const Row& row : {Row{1, 1, 58, 40}, {1, 6, 58, 36}, {1, 11, 58, 32}, {13, 1, 583, 436}, {24, 1, 58, 436},
                         {0, 1, 322, 37}, {25, 1, 322, 433}}) {
    layout.stackPoint = row.point;
    const Rect slot = pieceSlot(row.n);
    EXPECT_EQ(slot.left, row.x) << row.point << "/" << row.n;
    EXPECT_EQ(slot.top, row.y) << row.point << "/" << row.n;
  }
  redrawBoardWindow();
  EXPECT_EQ(position.piecesOnBoard[0], 15);
  EXPECT_EQ(position.piecesOnBoard[1], 15);
  // The starting stacks: point 1 upper left, 12 upper right, 13 lower right, 24 lower left.
  for (int16_t p : {1, 12, 13, 17, 19, 24, 6, 8}) {
    layout.stackPoint = p;
    const Rect top = pieceSlot(static_cast<int16_t>(std::abs(position.board[p])));
    const int16_t side = position.board[p] > 0 ? 0 : 1;
    EXPECT_EQ(testing::pixelAt(top.left + top.width() / 2, top.top + top.height() / 2), pieceCentre(side)) << p;
  }
}

TEST_F(CheckerDisplay, RandomLiftsAndLandingsLeaveNoTrail) {
  // Stacks of up to fifteen on every point and both bar ends, in both stacking orders.
  seedRandom(3);
  testing::setPosition("1:7 6:4 13:4 20:-7 24:-8");
  redrawBoardWindow();
  for (int k = 0; k < 120; ++k) {
    int16_t from = 0;
    do from = static_cast<int16_t>(rnd(26) - 1); while (position.board[from] == 0);
    position.currentPlayer = position.board[from] > 0 ? 0 : 1;
    drawTurnArrow();  // as every hand-over of the game does
    int16_t to = static_cast<int16_t>(rnd(26) - 1);
    if (to == from || (position.board[to] != 0 && (position.board[to] > 0) != (position.currentPlayer == 0)) ||
        std::abs(position.board[to]) >= 15)
      continue;
    move(from, to);
    expectLikeAFreshRedraw("move " + std::to_string(from) + " to " + std::to_string(to));
    if (::testing::Test::HasFailure()) break;
  }
}

TEST_F(CheckerDisplay, AHitCheckerGoesToTheBarAfterTheMoverLands) {
  testing::setPosition("1:2 6:-1 13:1 24:-1 | side 0");
  redrawBoardWindow();
  for (auto [from, to, bar] : {std::tuple{1, 6, 0}, {13, 24, 0}}) {
    position.board[to] = 0;  // the rules lift the hit checker off the count first
    move(static_cast<int16_t>(from), static_cast<int16_t>(to));
    drawHitToBar();
    EXPECT_EQ(position.board[to], 1);
    EXPECT_EQ(hand.moveToPoint, to);
    expectLikeAFreshRedraw("hit on " + std::to_string(to));
    EXPECT_LT(position.board[bar], 0);
  }
  EXPECT_EQ(position.board[0], -2);
}

TEST_F(CheckerDisplay, BorneOffCheckersFillTheirTraySlots) {
  struct Row {
    const char* position;
    int16_t side, from, slot, x, y;
  };
  for (const Row& row : {Row{"start", 0, 19, 1, 9, 458}, {"19:1", 0, 19, 15, 9, 290}, {"start", 1, 6, 1, 9, 35},
                         {"6:-1", 1, 6, 15, 9, 203}}) {
    testing::setPosition(row.position);
    position.currentPlayer = row.side;
    position.otherPlayer = static_cast<int16_t>(1 - row.side);
    redrawBoardWindow();
    display.movingPieceSide = row.side;
    hand.selectedPoint = row.from;
    hand.moveToPoint = -1;
    position.playerType[row.side] = kComputerPlayer;
    bearOffToTray();
    EXPECT_EQ(position.piecesOnBoard[row.side], 15 - row.slot);
    const Point slot = trayPiecePosition(row.side, row.slot);
    EXPECT_EQ(slot.h, row.x);
    EXPECT_EQ(slot.v, row.y);
    const QImage& tray = boardImages.trayPieceImages[display.playerColors[row.side]]->image;
    EXPECT_EQ(testing::pixelAt(row.x + 20, row.y + 2), tray.pixel(20, 2)) << row.position;
    expectLikeAFreshRedraw(row.position);
  }
}

TEST_F(CheckerDisplay, AHiddenRolloutMovesTheCountsAndDrawsNothing) {
  redrawBoardWindow();
  const QImage before = window();
  rollout.rolloutRunning = -1;
  rollout.noPause = -1;
  move(1, 5);
  position.board[24] = 0;  // the last checker of point 24 goes to the tray
  position.board[19] = 6;
  display.bearingOffPiece = 0;
  EXPECT_EQ(position.board[1], 1);
  EXPECT_EQ(position.board[5], 1);
  EXPECT_EQ(before, window());
  rollout.rolloutRunning = 0;
  rollout.noPause = 0;
}

TEST_F(CheckerDisplay, TheSlidePaceFollowsSpeedBoardWidthAndSystemAndHitsSlideAtAFixedPace) {
  struct Row {
    int16_t width, speed, os, hitType;
    int32_t perPixel, first, middle, last, total;  // total 0: only the delay is checked; middle 0: not checked
  };
  for (const Row& r : {Row{700, 5, 10, 0, 619, 3062, 0, 3128, 379083}, {683, 5, 10, 0, 626, 3097, 688, 3163, 389583},
                       {700, 5, 9, 0, 1609, 0, 0, 0, 0}, {700, 11, 10, 0, 84, 0, 0, 0, 0},
                       {700, 5, 10, kComputerPlayer, 0, 200, 200, 200, 60000}, {700, 5, 9, kComputerPlayer, 0, 400, 400, 400, 120000},
                       {700, 5, 10, kHumanPlayer, 0, 300, 300, 300, 90000}, {700, 5, 9, kHumanPlayer, 0, 600, 600, 600, 180000}}) {
    display.boardWidth = r.width;
    displaySettings.pieceSpeed = r.speed;
    shellWindow.osVersionValue = r.os;
    animation.movingHitChecker = r.hitType != 0 ? -1 : 0;
    position.playerType[position.currentPlayer] = r.hitType;
    PiecePace pace = piecePace(300, 300.0f);
    SCOPED_TRACE(::testing::Message() << r.width << " " << r.speed << " " << r.os << " " << r.hitType);
    EXPECT_TRUE(r.perPixel == 0 || pace.delay == r.perPixel) << pace.delay;
    if (r.total == 0) continue;
    std::vector<int32_t> waits;
    for (int32_t step = 1; step <= 300; ++step) waits.push_back(nextStepWait(pace, step, 300));
    EXPECT_EQ(waits.front(), r.first);
    EXPECT_TRUE(r.middle == 0 || waits[150] == r.middle) << waits[150];
    EXPECT_EQ(waits.back(), r.last);
    EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), 0), r.total);
  }
}

TEST_F(CheckerDisplay, ASlideWaitsOnTheClockAndAStillMoveDrawsNoStep) {
  testing::setPosition("12:3 13:1");
  redrawBoardWindow();
  displaySettings.pieceSpeed = 5;
  const uint64_t start = clock.clock.now();
  move(12, 13);  // the same column: straight down
  EXPECT_GT(clock.clock.now() - start, 100000u);
  expectLikeAFreshRedraw("12 to 13");
  const QImage before = window();
  move(13, 13);
  EXPECT_EQ(before, window());
}

// 300 pixels at the second pace row's settings: the flight takes its steps' waits, and
// sleeps them out between frames rather than reading the clock until they pass. Each frame
// after the first sends the screen only the checker's last and new places, not the window.
TEST_F(CheckerDisplay, AFlightSleepsOutItsStepsWaitsAtTheSamePace) {
  redrawBoardWindow();
  display.boardWidth = 683;
  displaySettings.pieceSpeed = 5;
  shellWindow.osVersionValue = 10;
  constexpr uint64_t kStepsWaits = 389583;
  constexpr uint64_t kSteps = 300;
  clock.clock.setQuantum(1);
  const uint64_t start = clock.clock.now();
  const uint64_t sleptBefore = clock.clock.slept();
  const std::vector<QRect> frames = testing::paintedDuring(kBoardWindow, [] { animatePieceMove(100, 400, 200, 200); });
  const uint64_t took = clock.clock.now() - start;
  ASSERT_GT(frames.size(), 2u);
  const auto wide = std::count_if(frames.begin() + 1, frames.end(), [](const QRect& r) {
    return r.width() > 2 * layout.pieceWidth || r.height() > 2 * layout.pieceHeight;
  });
  EXPECT_EQ(wide, 0) << "of " << frames.size() - 1 << " frames after the first";
  EXPECT_GE(took, kStepsWaits);
  EXPECT_LE(took, kStepsWaits + 2 * kSteps);
  EXPECT_GE(clock.clock.slept() - sleptBefore, kStepsWaits - 2 * kSteps) << "spun on the clock";
}

TEST_F(CheckerDisplay, TheHeldCheckerFloatsAboveTheMouseAndTrackingEndsOffTheBoard) {
  redrawBoardWindow();
  boardInput.pickedCount = 1;
  mouseAt(200, 250);
  startCheckerDrag();
  EXPECT_EQ(layout.heldPieceDrop, 13);
  EXPECT_EQ(boardImages.dragImageRect.top, 250 - layout.pieceHalfHeightTop - 13);
  EXPECT_EQ(boardImages.dragImageRect.left, 200 - layout.pieceHalfWidthLeft);
  clipToBoard();
  redrawHeldPiece();
  mouseAt(230, 260);
  const uint64_t sleptBefore = clock.clock.slept();
  trackDraggedPiece();  // follows, then returns after the rest
  EXPECT_EQ(drag.dragPos, (Point{230, 260}));
  EXPECT_GT(clock.clock.slept() - sleptBefore, kDragRestUs / 2) << "the rest is slept between looks at the mouse";
  mouseAt(-30, 100);  // off the left edge with the button up: returns at once
  trackDraggedPiece();
  EXPECT_EQ(drag.dragPos, (Point{230, 260}));
}

// With a box up the mouse is over the box, not the board: the checker in hand stays where
// it is, and the wait gets back to serving the box at once.
TEST_F(CheckerDisplay, TheHeldCheckerDoesNotFollowTheMouseUnderABox) {
  redrawBoardWindow();
  boardInput.pickedCount = 1;
  mouseAt(200, 250);
  startCheckerDrag();
  clipToBoard();
  redrawHeldPiece();
  const QImage before = window();
  constexpr int16_t kBox = 300;
  windowOpen(kBox, "box", makeRect(0, 0, 200, 100), kFixedWindow, false);
  showModalWindow(kBox);
  mouseAt(230, 260);
  trackDraggedPiece();
  EXPECT_EQ(drag.dragPos, (Point{200, 250}));
  EXPECT_EQ(before, window());
  windowClose(kBox);
  trackDraggedPiece();
  EXPECT_EQ(drag.dragPos, (Point{230, 260}));
}

TEST_F(CheckerDisplay, DropsFromAHandOfSeveralLeaveTheWindowAsAFreshRedraw) {
  testing::setPosition("6:5 8:1 3:-1 20:-3 | side 0");
  redrawBoardWindow();
  position.playerType[0] = kHumanPlayer;
  hand.piecePicked = -1;  // four checkers off point 6 into the hand
  for (int k = 0; k < 4; ++k) move(6, -1);
  hand.piecePicked = 0;
  layout.stackPoint = 6;
  const Rect slot2 = pieceSlot(2);  // the hand half over where the first drop lands
  mouseAt(slot2.left + layout.pieceHalfWidthLeft + 9, slot2.top + layout.pieceHalfHeightTop + layout.heldPieceDrop + 7);
  boardInput.pickedCount = 1;
  startCheckerDrag();
  clipToBoard();
  boardInput.pickedCount = 4;
  hand.pieceInHand = -1;
  redrawHeldPiece();
  expectLikeAFreshRedraw("four held");
  // Under the hand; into the tray under the hand; onto the blot (a hit); the last one away.
  const Point tray = trayPiecePosition(0, 10);
  for (auto [to, x, y] : {std::tuple{6, tray.h + 24, tray.v + 30}, {-1, 150, 300}, {3, 400, 200}, {8, 0, 0}}) {
    hand.selectedPoint = 6;
    hand.moveToPoint = static_cast<int16_t>(to);
    if (to == 3) position.board[to] = 0;  // the rules lift the hit checker off the count first
    if (to < 0) {
      display.movingPieceSide = 0;
      bearOffToTray();
    } else {
      display.moveFromHand = -1;
      display.liftFromPoint = 0;
      animateCheckerMove(0, 0);
    }
    if (to == 3) drawHitToBar();
    expectLikeAFreshRedraw("dropped on " + std::to_string(to));
    if (boardInput.pickedCount == 0) break;
    mouseAt(x, y);
    trackDraggedPiece();
    expectLikeAFreshRedraw("hand moved after the drop on " + std::to_string(to));
  }
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(position.piecesOnBoard[0], 5);
}

}  // namespace
}  // namespace bg
