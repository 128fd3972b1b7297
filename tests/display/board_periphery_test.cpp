// What is drawn around the play on the reference board (W700): the point numbers in both
// play directions and on the picture board, the pip and race panels with their icons, and
// the players' name labels. Each is checked on the window's pixels against the board
// drawn without it.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "board_fixture.h"
#include "display/text_contrast.h"
#include "display/name_labels.h"
#include "display/row_numbers.h"
#include "display/score_display.h"
#include "display/statistics_panels.h"
#include "flow/turn_services.h"
#include "runtime/qt/text.h"
#include "state/shell_state.h"

namespace bg {
namespace {

// The area where two window images differ, in board coordinates.
QRect changedArea(const QImage& before, const QImage& after, const QRect& within) {
  const GrafPort* w = windowPort(1);
  QRect area;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x) {
      const int ix = x - w->origin.x();
      const int iy = y - w->origin.y();
      if (before.pixel(ix, iy) != after.pixel(ix, iy)) area |= QRect(x, y, 1, 1);
    }
  return area;
}

QColor roleColour(int16_t role) { return testing::shown(colours.boardPalette[role]); }

std::vector<int16_t>* numbersShown = nullptr;

class BoardPeriphery : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    testing::loadShippedMessages();
    installScoreDisplay();
    numbersShown = &numbers_;
    interactionServices.displayMessage = [] { numbersShown->push_back(interaction.messageNumber); };
  }
  void TearDown() override {
    numbersShown = nullptr;
    BoardWindowTest::TearDown();
  }
  std::vector<int16_t> numbers_;
};

TEST_F(BoardPeriphery, PointNumbersSitAtTheTipsReadTwentyFiveLessThePointAndAlternateColours) {
  struct Row {
    int16_t colour;
    int16_t direction;
  };
  for (const Row& r : {Row{1, 0}, Row{1, 1}, Row{kPictureBoard, 0}}) {
    SCOPED_TRACE(std::to_string(r.colour) + " direction " + std::to_string(r.direction));
    windowClose(1);
    testing::openBoard(700, r.colour);
    if (r.direction == 1) {
      displaySettings.playDirection = 1;
      mirrorPointTables();
    }
    displaySettings.rowNumbersShown = 0;
    redrawBoardWindow();
    const QImage without = window();
    displaySettings.rowNumbersShown = -1;
    redrawBoardWindow();
    const QImage with = window();
    with.save(testing::snapshotPath(QStringLiteral("row_numbers_%1_%2").arg(r.colour).arg(r.direction)));
    const BoardLayout& L = layout;
    const bool pictures = r.colour == kPictureBoard;
    const int size = L.textSize * 9 / 10;
    const int upperY = L.fieldTop + L.fieldGap + L.pointHeight + size + 4;
    const int lowerY = pictures ? L.fieldBottom - L.pointHeight + 3 : L.fieldBottom - L.pointHeight - 2;
    if (!pictures) {
      EXPECT_EQ(upperY, 232);
      EXPECT_EQ(lowerY, 292);
    }
    textSize(static_cast<int16_t>(size));
    textFace(kBoldFace);
    for (int16_t column = 1; column <= 12; ++column) {
      for (const bool upper : {true, false}) {
        // Column n from the left shows 25 - p for the point p drawn there.
        const int16_t p = L.clickColumnToPoint[upper ? column : 25 - column];
        const std::string text = std::to_string(25 - p);
        const int baseline = upper ? upperY : lowerY;
        const int x = L.pointCentreX[p];
        const QRect box(x - L.boardUnit / 2, baseline - size - 2, L.boardUnit, size + 5);
        const QRect drawn = changedArea(without, with, box);
        ASSERT_FALSE(drawn.isEmpty()) << "column " << column << (upper ? " upper" : " lower");
        EXPECT_NEAR(drawn.width(), stringWidth(text), 3) << text;
        EXPECT_LE(drawn.bottom(), baseline) << text;
        EXPECT_GE(drawn.bottom(), baseline - 2) << text;
        EXPECT_NEAR(drawn.center().x(), x, 2) << text;
        const int16_t role = column % 2 == 1 || pictures ? roles.labelTextColor : roles.frameColorIndex;
        // The role's colour, or the one that reads where it does not.
        const int left = x - stringWidth(text) / 2;
        const QColor ink = testing::shown(
            readableOnBoard(colours.boardPalette[role], makeRect(left, baseline - size, left + stringWidth(text), baseline)));
        int matching = 0;
        for (int yy = drawn.top(); yy <= drawn.bottom(); ++yy)
          for (int xx = drawn.left(); xx <= drawn.right(); ++xx)
            if (testing::near(QColor(testing::pixelAt(xx, yy)), ink)) ++matching;
        EXPECT_GT(matching, 3) << text;
      }
    }
    // The upper-left point and its neighbours, as the player at the bottom counts them.
    EXPECT_EQ(25 - L.clickColumnToPoint[1], r.direction == 0 ? 24 : 13);
    EXPECT_EQ(25 - L.clickColumnToPoint[24], r.direction == 0 ? 1 : 12);
    textSize(L.textSize);
    textFace(0);
    // Taking them away gives the board without them.
    updateRowNumbers();
    EXPECT_EQ(displaySettings.rowNumbersShown, 0);
    if (!pictures) {
      EXPECT_TRUE(changedArea(without, window(), QRect(0, 0, display.boardWidth, L.boardHeight)).isEmpty());
    }
    // With a box up the toggle does nothing.
    display.overlayActive = -1;
    updateRowNumbers();
    EXPECT_EQ(displaySettings.rowNumbersShown, 0);
    display.overlayActive = 0;
  }
}

TEST_F(BoardPeriphery, StatNumbersAreCutToFiveCharactersBehindTwoBlanks) {
  struct Row {
    float value;
    const char* text;
  };
  for (const Row& r : {Row{12.3456f, "   12.3"}, Row{5, "   5.0"}, Row{0.5f, "   0.5"}, Row{0, "   0"},
                       Row{167, "   167"}, Row{10, "   10.0"}, Row{1, "   1.0"}, Row{123.456f, "   123."}})
    EXPECT_EQ(formatStatNumber(r.value), r.text) << r.value;
}

TEST_F(BoardPeriphery, ThePipPanelShowsBothCountsWithIconsAndLeavesTheMoverAsItWas) {
  for (const int16_t mover : {0, 1}) {
    SCOPED_TRACE(mover);
    position.currentPlayer = mover;
    position.otherPlayer = static_cast<int16_t>(1 - mover);
    redrawBoardWindow();
    const QImage before = window();
    std::string lines[4];
    QImage shownPanel;
    turnServices.waitForClickOrKey = [] {};
    static std::function<void()> atWait;
    atWait = [&] {
      for (int i = 1; i <= 3; ++i) lines[i] = interaction.messageLines[i].str();
      shownPanel = window();
    };
    turnServices.waitForClickOrKey = [] { atWait(); };
    drawStatsLeft();
    EXPECT_EQ(lines[2], "   167");
    EXPECT_EQ(lines[3], "   167");
    EXPECT_EQ(lines[1], "Pip count ");
    EXPECT_EQ(position.currentPlayer, mover);
    EXPECT_EQ(display.overlayActive, 0);
    EXPECT_TRUE(changedArea(before, window(), QRect(0, 0, display.boardWidth, layout.boardHeight)).isEmpty());
    if (mover == 0) shownPanel.save(testing::snapshotPath(QStringLiteral("pip_panel")));
    // Each icon is filled with its side's checker colour.
    const Rect box = offscreen.messageBoxRect;
    for (int16_t line = 2; line <= 3; ++line) {
      const int16_t side = static_cast<int16_t>(3 - line);
      const int x = static_cast<int>(box.left + (box.right - box.left - layout.panelShadowX - 2 * layout.panelMargin) * 0.36);
      interaction.messageLineCount = 3;
      const int y = overlayLineBaseline(line) - (layout.textSize - layout.textSize / 3) / 2 - 1;
      const GrafPort* w = windowPort(1);
      const QColor c(shownPanel.pixel(x - w->origin.x(), y - w->origin.y()));
      EXPECT_TRUE(testing::near(c, roleColour(roles.pieceColors[display.playerColors[side]])))
          << "side " << side << " " << c.name().toStdString();
    }
  }
}

TEST_F(BoardPeriphery, TheRacePanelAndTheRefusals) {
  std::string second;
  static std::string* out = nullptr;
  out = &second;
  turnServices.waitForClickOrKey = [] { *out = interaction.messageLines[2].str(); };
  drawStatsRight();
  EXPECT_EQ(second.rfind("   ", 0), 0u);
  EXPECT_EQ(second.size(), 7u);  // "   " and four or five characters of rolls
  // A held checker: message 2 and no panel.
  second.clear();
  hand.pieceInHand = -1;
  drawStatsLeft();
  EXPECT_TRUE(second.empty());
  EXPECT_EQ(numbers_, std::vector<int16_t>{2});
  hand.pieceInHand = 0;
  // Another box up: nothing.
  display.overlayActive = -1;
  drawStatsRight();
  EXPECT_TRUE(second.empty());
  display.overlayActive = 0;
}

TEST_F(BoardPeriphery, NameLabelsOnlyForTwoPeopleBothInTheOpeningThenTheMoversOnly) {
  shell.playerNames[0] = "Alice";
  shell.playerNames[1] = "Bartholomew";
  const QRect strip(0, 0, display.boardWidth, layout.fieldTop);
  redrawBoardWindow();
  const QImage plain = window();
  layoutNameLabels();
  EXPECT_TRUE(changedArea(plain, window(), strip).isEmpty()) << "no labels against the computer";

  flow.opponentMode = kTwoPeople;
  position.openingPhase = -1;
  diceState.diceShowing = 0;
  layoutNameLabels();
  const QImage opening = window();
  opening.save(testing::snapshotPath(QStringLiteral("name_labels_opening")));
  const QRect left(0, 0, layout.boardCentreX, layout.fieldTop);
  const QRect right(layout.boardCentreX, 0, display.boardWidth - layout.boardCentreX, layout.fieldTop);
  const QRect side1 = changedArea(plain, opening, left);
  const QRect side0 = changedArea(plain, opening, right);
  ASSERT_FALSE(side1.isEmpty());
  ASSERT_FALSE(side0.isEmpty());
  // Each box is centred on its own name.
  textSize(layout.textSize);
  EXPECT_NEAR(side1.width(), stringWidth("Bartholomew") + 14 + layout.panelShadowX, 3);
  EXPECT_NEAR(side0.width(), stringWidth("Alice") + 14 + layout.panelShadowX, 3);
  const int h = layout.textSize + 2 * layout.panelMargin + layout.textSize / 4 + layout.panelShadowY;
  EXPECT_EQ(side1.top(), (layout.fieldTop - h) / 2);
  EXPECT_NEAR(side1.height(), h, 1);

  position.openingPhase = 0;
  position.currentPlayer = 0;
  position.otherPlayer = 1;
  drawNameLabels();
  EXPECT_TRUE(changedArea(plain, window(), left).isEmpty()) << "side 1's label is taken away";
  EXPECT_FALSE(changedArea(plain, window(), right).isEmpty());
  window().save(testing::snapshotPath(QStringLiteral("name_labels_mover")));
}

}  // namespace
}  // namespace bg
