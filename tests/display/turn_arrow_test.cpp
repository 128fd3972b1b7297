// The turn arrow and the roll-over "R" on the reference board (W700) and the picture
// board: the arrow in the mover's colour for both home sides, each drawing leaving no
// trace of the last, and the "R" only for a human side that may still roll over.
#include "board_fixture.h"
#include "computer/personalities.h"
#include "display/turn_arrow.h"
#include "state/display_settings.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/shell_services.h"

namespace bg {
namespace {

// How many pixels of r the window shows otherwise than the empty board.
int changedPixels(const Rect& r) {
  const GrafPort* board = boardImages.boardWorld;
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (testing::pixelAt(x, y) != board->image.pixel(x - board->origin.x(), y - board->origin.y())) ++n;
  return n;
}

Rect rollOverRect() {
  const BoardLayout& L = layout;
  return makeRect(L.rollOverMarkerX - 1, L.rollOverMarkerY - 2 - L.textSize, L.rollOverMarkerX + L.textSize,
                  L.rollOverMarkerY + 2);
}

QImage areaOf(const Rect& r) {
  const GrafPort* w = windowPort(1);
  return w->image.copy(r.left - w->origin.x(), r.top - w->origin.y(), r.width(), r.height());
}

class TurnArrow : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    position.playerType = {{{kHumanPlayer, kComputerPlayer}}};
    redrawBoardWindow();
  }
};

TEST_F(TurnArrow, ShowsTheMoverInItsColourWithNoTraceOfTheLastOne) {
  for (int16_t direction : {0, 1}) {
    displaySettings.playDirection = direction;
    for (int16_t side : {0, 1}) {
      redrawBoardWindow();
      testing::setSideOnRoll(static_cast<int16_t>(1 - side));
      drawTurnArrow();
      testing::setSideOnRoll(side);
      drawTurnArrow();
      const Rect area = turnArrow.turnArrowRect;
      const QImage after = areaOf(area);
      EXPECT_EQ(area.left, layout.turnArrowPos[direction]);
      EXPECT_EQ(area.right, direction == 1 ? layout.fieldLeft - 1 : display.boardWidth - 1);
      // The fill: a point deep inside the arrow has the mover's checker colour.
      const RgnHandle arrow = boardImages.arrowRegions[direction][side];
      const Rect b = rgnBounds(arrow);
      int filled = 0;
      for (int y = b.top + 2; y < b.bottom - 2; ++y)
        for (int x = b.left + 2; x < b.right - 2; ++x) {
          const Point p{static_cast<int16_t>(x), static_cast<int16_t>(y)};
          bool deep = true;
          for (int dy : {-2, 0, 2})
            for (int dx : {-2, 0, 2})
              deep = deep && ptInRgn({static_cast<int16_t>(x + dx), static_cast<int16_t>(y + dy)}, arrow);
          if (deep && ptInRgn(p, arrow))
            filled += testing::near(QColor(testing::pixelAt(x, y)),
                                    testing::shown(colours.boardPalette[roles.pieceColors[display.playerColors[side]]]));
        }
      EXPECT_GT(filled, 0) << direction << "/" << side;
      // Drawn straight onto a fresh board, the area looks the same.
      redrawBoardWindow();
      drawTurnArrow();
      EXPECT_EQ(areaOf(area), after) << direction << "/" << side;
      ASSERT_TRUE(saveWindowSnapshot(1, testing::snapshotPath(QStringLiteral("turn_arrow_%1_%2").arg(direction).arg(side))));
    }
  }
}

TEST_F(TurnArrow, TheRollOverMarkShowsOnlyForAHumanThatMayStillRollOver) {
  options.rollOverOnce = -1;
  testing::setSideOnRoll(0);
  drawTurnArrow();
  EXPECT_GT(changedPixels(rollOverRect()), 0);
  clearRollOverMark();
  EXPECT_EQ(changedPixels(rollOverRect()), 0);
  testing::setSideOnRoll(1);  // the computer
  drawTurnArrow();
  EXPECT_EQ(changedPixels(rollOverRect()), 0);
  testing::setSideOnRoll(0);
  interaction.playerRolledOver[0] = 255;
  drawTurnArrow();
  EXPECT_EQ(changedPixels(rollOverRect()), 0);
}

// The "R" is written in the mover's checker colour on every board, those whose checker
// roles are drawn with a pattern included (the text takes the colour, not the pattern).
TEST_F(TurnArrow, TheRollOverMarkIsInTheMoversColourOnEveryBoard) {
  for (int16_t colour = 1; colour <= 12; ++colour) {
    if (colour == kCustomColours) continue;
    windowClose(1);
    testing::openBoard(700, colour);
    options.rollOverOnce = -1;
    for (int16_t side : {int16_t{0}, int16_t{1}}) {
      position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
      redrawBoardWindow();
      testing::setSideOnRoll(side);
      drawTurnArrow();
      const QColor mover = testing::shown(colours.boardPalette[roles.pieceColors[display.playerColors[side]]]);
      const Rect r = rollOverRect();
      // The letters are hollow and smoothed: some of the outline's pixels carry the colour
      // itself, the rest blend it into the board.
      int inMoverColour = 0, changed = 0;
      const GrafPort* board = boardImages.boardWorld;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          if (testing::pixelAt(x, y) == board->image.pixel(x - board->origin.x(), y - board->origin.y())) continue;
          ++changed;
          const QColor c(testing::pixelAt(x, y));
          inMoverColour += std::abs(c.red() - mover.red()) + std::abs(c.green() - mover.green()) +
                               std::abs(c.blue() - mover.blue()) <= 36;
        }
      EXPECT_GT(changed, 0) << "colour " << colour << " side " << side;
      EXPECT_GT(inMoverColour, 0) << "colour " << colour << " side " << side;
    }
  }
}

TEST_F(TurnArrow, TheOptionCannotBeSwitchedOnAtTheTopSkillAgainstTheComputer) {
  static std::vector<int> states;
  states.clear();
  shellServices.setMenuItemState = [](int16_t menu, int16_t item, int16_t state, std::string_view) {
    if (menu == kOptionsMenu && item == kRollOverItem) states.push_back(state);
  };
  testing::setSideOnRoll(0);
  display.firstBoardBuild = 0;
  flow.opponentMode = kComputerOpponent;
  skill.skillLevel = kHighestSkillLevel;
  options.rollOverOnce = 0;
  updateRollOverDisplay();
  EXPECT_EQ(options.rollOverOnce, 0);
  skill.skillLevel = 3;
  updateRollOverDisplay();
  EXPECT_EQ(options.rollOverOnce, -1);
  EXPECT_GT(changedPixels(rollOverRect()), 0);
  skill.skillLevel = kHighestSkillLevel;
  updateRollOverDisplay();  // off is allowed
  EXPECT_EQ(options.rollOverOnce, 0);
  EXPECT_EQ(changedPixels(rollOverRect()), 0);
  skill.skillLevel = 3;
  interaction.playerRolledOver[0] = 255;
  updateRollOverDisplay();  // checked, but no "R" for a side that has rolled over
  EXPECT_EQ(changedPixels(rollOverRect()), 0);
  EXPECT_EQ(states, (std::vector<int>{2, 1, 2}));
}

class PictureBoardArrow : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    testing::setPosition("start");
    testing::openBoard(700, kPictureBoard);
  }
  void TearDown() override {
    setPort(nullptr);
    windowClose(1);
    DisplayTest::TearDown();
  }
  UseVirtualClock clock;
};

TEST_F(PictureBoardArrow, TheRollOverMarkShowsBesideThePictureArrow) {
  position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
  redrawBoardWindow();
  options.rollOverOnce = -1;
  for (int16_t side : {0, 1}) {
    testing::setSideOnRoll(side);
    drawTurnArrow();
    EXPECT_GT(changedPixels(rollOverRect()), 0) << side;
    ASSERT_TRUE(saveWindowSnapshot(1, testing::snapshotPath(QStringLiteral("picture_turn_arrow_%1").arg(side))));
  }
}

}  // namespace
}  // namespace bg
