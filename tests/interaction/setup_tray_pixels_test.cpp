// The position editor's trays under the hand: a checker taken out of a tray with the mouse
// over the tray, and put back or laid elsewhere, leaves the window as a fresh redraw of
// the same position draws it, on the drawn boards and the picture board.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../display/board_fixture.h"
#include "display/checker_stacks.h"
#include "display/world_housekeeping.h"
#include "flow/turn_services.h"
#include "interaction/position_setup.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/interaction_state.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

using testing::middleOf;

int16_t h16(int v) { return static_cast<int16_t>(v); }

Point trayPlace(int16_t side, int n) {
  const Point p = trayPiecePosition(side, static_cast<int16_t>(std::clamp(n, 1, 15)));
  return {h16(p.h + layout.pieceWidth / 2), h16(p.v + layout.trayPieceThickness / 2)};
}
// The top checker of side's tray: a click there takes it out.
Point trayTop(int16_t side) { return trayPlace(side, kCheckersPerSide - position.piecesOnBoard[side]); }
// The place past it: a click there puts the held checker back.
Point trayFree(int16_t side) { return trayPlace(side, kCheckersPerSide - position.piecesOnBoard[side] + 1); }

Point pointSpot(int16_t p) { return testing::pointSpot(p); }

// The free place above point p's stack, where a click puts the held checker down.
Point aboveStack(int16_t p) {
  const BoardLayout& L = layout;
  const int n = std::abs(position.board[p]) % kStackWrap;
  const int step = std::abs(L.stackStep);
  const int16_t x = h16(L.pointGeometry[p][5] + L.pieceWidth / 2);
  if (p >= 13) return {x, h16(L.fieldBottom - n * step - step / 5)};
  return {x, h16(L.fieldTop + L.pointMargin / 2 + n * step + step)};
}

// A few pixels off a place: the hand still over the tray, not exactly where it was.
Point nudged(Point p, int dh, int dv) { return {h16(p.h + dh), h16(p.v + dv)}; }

struct Row {
  const char* name;
  int16_t colour;
  // The person's steps; each gets the script and the side whose tray is played.
  std::function<void(testing::MouseScript&, int16_t)> play;
};

class SetupTrayPixels : public testing::ScriptedBoardTest, public ::testing::WithParamInterface<Row> {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    turnServices.chooseDiceWindow = flowLeast::nothing;
    interactionServices.displayMessage = [] {};
    cube.cubeUsed = 0;
    script_.budget = 20000;
  }
};

// Out of the tray and straight back, the mouse not moved.
void backInPlace(testing::MouseScript& s, int16_t side) {
  s.clickWhere([side] { return trayTop(side); });
  s.clickWhere([side] { return trayFree(side); });
}

// Out of the tray, the mouse moved a little over the tray, away from its stack, then back in.
void backAfterANudge(testing::MouseScript& s, int16_t side) {
  const int dv = side == 0 ? -3 : 3;
  s.clickWhere([side] { return trayTop(side); });
  s.then([side, dv] { testing::simulateMouse(testing::MouseScript::globalOf(nudged(trayFree(side), 3, dv)), false); });
  s.clickWhere([side, dv] { return nudged(trayFree(side), 3, dv); });
}

// Out of the tray and laid on an empty point of the field.
void ontoAPoint(testing::MouseScript& s, int16_t side) {
  s.clickWhere([side] { return trayTop(side); });
  s.drag(trayTop(side), pointSpot(side == 0 ? 9 : 16), 4);
  s.clickWhere([side] { return aboveStack(side == 0 ? 9 : 16); });
}

// Two out of the tray, then both laid on a point.
void twoOntoAPoint(testing::MouseScript& s, int16_t side) {
  s.clickWhere([side] { return trayTop(side); });
  s.clickWhere([side] { return trayTop(side); });
  s.drag(trayTop(side), pointSpot(side == 0 ? 9 : 16), 4);
  s.clickWhere([side] { return aboveStack(side == 0 ? 9 : 16); });
  s.clickWhere([side] { return aboveStack(side == 0 ? 9 : 16); });
}

// Off a point of the field and into the tray, the mouse left over the tray.
void fromAPointIntoTheTray(testing::MouseScript& s, int16_t side) {
  s.clickWhere([side] { return pointSpot(side == 0 ? 12 : 13); });
  s.drag(pointSpot(side == 0 ? 12 : 13), trayFree(side), 4);
  s.clickWhere([side] { return trayFree(side); });
}

// Every checker of the tray out, each laid on a point of its own: the tray is left empty.
void emptyTheTray(testing::MouseScript& s, int16_t side) {
  for (const int16_t p : {2, 3, 4, 5, 7, 9, 10}) {
    const auto to = static_cast<int16_t>(side == 0 ? p : 25 - p);
    s.clickWhere([side] { return trayTop(side); });
    s.clickWhere([to] { return aboveStack(to); });
  }
}

// Three out of the tray into the hand, then back one by one.
void threeHeldBackIntoTheTray(testing::MouseScript& s, int16_t side) {
  for (int k = 0; k < 3; ++k) s.clickWhere([side] { return trayTop(side); });
  for (int k = 0; k < 3; ++k) s.clickWhere([side] { return trayFree(side); });
}

TEST_P(SetupTrayPixels, TheWindowIsAFreshRedrawAfterEachPutDown) {
  const Row& row = GetParam();
  if (row.colour != 1) {
    testing::openBoard(700, row.colour);
    testing::takeBoardClicks();
  }
  for (const int16_t side : {int16_t{0}, int16_t{1}}) {
    SCOPED_TRACE(std::string(row.name) + ", side " + std::to_string(side));
    // Each side has some checkers in its tray and a stack on its 12- or 13-point.
    testing::setPosition("12:5 19:3 13:-5 6:-3 | side 0");
    redrawBoardWindow();
    std::vector<std::string> faults;
    // The editor's board as a redraw draws it: only what the person does below may differ.
    script_.then([] { redrawBoardWindow(); });
    row.play(script_, side);
    script_.then([&faults] {
      if (boardInput.pickedCount != 0) faults.push_back("a checker still held");
      // The turn arrow follows the side last edited; the redraw is made for the side the
      // board started with, as the window shows it.
      const int16_t edited = position.currentPlayer;
      position.currentPlayer = 0;
      position.otherPlayer = 1;
      const QRect area = testing::differenceFromAFreshRedraw();
      position.currentPlayer = edited;
      position.otherPlayer = static_cast<int16_t>(1 - edited);
      if (!area.isEmpty())
        faults.push_back("differs in " + std::to_string(area.x()) + "," + std::to_string(area.y()) + " " +
                         std::to_string(area.width()) + "x" + std::to_string(area.height()));
    });
    script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
    script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });
    flow.abortTurn = 0;
    setUpPosition();
    ASSERT_FALSE(script_.spent);
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_EQ(boardState.setupInProgress, 0);
  }
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Rows, SetupTrayPixels,
    ::testing::Values(Row{"BackInPlace", 1, backInPlace}, Row{"BackAfterANudge", 1, backAfterANudge},
                      Row{"OntoAPoint", 1, ontoAPoint}, Row{"TwoOntoAPoint", 1, twoOntoAPoint},
                      Row{"FromAPointIntoTheTray", 1, fromAPointIntoTheTray},
                      Row{"PictureBackInPlace", kPictureBoard, backInPlace},
                      Row{"PictureOntoAPoint", kPictureBoard, ontoAPoint},
                      Row{"PictureTwoOntoAPoint", kPictureBoard, twoOntoAPoint},
                      Row{"ColourTenOntoAPoint", 10, ontoAPoint}, Row{"EmptyTheTray", 1, emptyTheTray},
                      Row{"PictureEmptyTheTray", kPictureBoard, emptyTheTray},
                      Row{"ThreeHeldBackIntoTheTray", 1, threeHeldBackIntoTheTray},
                      Row{"PictureThreeHeldBackIntoTheTray", kPictureBoard, threeHeldBackIntoTheTray}),
    rowName);

}  // namespace
}  // namespace bg
