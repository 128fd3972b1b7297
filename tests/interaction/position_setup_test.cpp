// The position-setup editor played with real mouse clicks on the reference board: checkers
// taken out of the trays and laid out, the refusals that change nothing, the cube and roll
// choosers, and what the game goes on from.
#include "interaction/position_setup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../display/board_fixture.h"
#include "display/checker_stacks.h"
#include "display/dice_display.h"
#include "display/message_line.h"
#include "display/turn_arrow.h"
#include "display/world_housekeeping.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/choose_dice.h"
#include "interaction/interaction_install.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "support/paced_person.h"

namespace bg {
namespace {

std::vector<std::string>* shownTexts = nullptr;

using testing::middleOf;

// The bottom checker of point p's stack (p 0..25).
Point onStack(int16_t p) {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2),
          static_cast<int16_t>(L.pointGeometry[p][0] + L.pieceHeight / 2)};
}

// The free place above the n checkers of point p (a stack wraps after five).
Point aboveStack(int16_t p, int16_t n) {
  const BoardLayout& L = layout;
  n = static_cast<int16_t>(n % kStackWrap);
  const int step = std::abs(L.stackStep);
  const int16_t x = static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2);
  if (p >= 13) return {x, static_cast<int16_t>(L.fieldBottom - n * step - step / 5)};
  return {x, static_cast<int16_t>(L.fieldTop + L.pointMargin / 2 + n * step + step)};
}

// The first checker laid in side's tray.
Point inTray(int16_t side) {
  const Point p = trayPiecePosition(side, 1);
  return {static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + layout.trayPieceThickness / 2)};
}

// The empty end of side's tray, past its stack.
Point trayEnd(int16_t side) {
  const Point p = trayPiecePosition(side, 15);
  return {static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + layout.trayPieceThickness / 2)};
}

class PositionSetup : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    shownTexts = &texts_;
    script_.budget = 20000;
    // The editor's own steps; the roll it ends with is chosen in tests of the dice chooser.
    turnServices.chooseDiceWindow = flowLeast::nothing;
    interactionServices.displayMessage = [] {
      if (!interaction.messageText.view().empty()) shownTexts->push_back(interaction.messageText.str());
    };
    cube.cubeUsed = -1;
  }
  void TearDown() override {
    shownTexts = nullptr;
    ScriptedBoardTest::TearDown();
  }
  // A click whose place is found when its turn comes.
  void click(std::function<Point()> where) { script_.clickWhere(std::move(where)); }
  void click(Point p) { script_.click(p); }
  void clickDone() {
    click([] { return middleOf(interactionDisplay.doneButtonRect); });
  }
  // n checkers of side out of its tray onto point p, which holds `already` of them.
  void lay(int16_t side, int16_t p, int16_t n, int16_t already = 0) {
    for (int16_t k = 0; k < n; ++k) {
      click(inTray(side));
      click([p, k, already] { return aboveStack(p, static_cast<int16_t>(already + k)); });
    }
  }
  // Both sides' fifteen checkers where a game starts.
  void layTheStandardStart() {
    for (int16_t side = 0; side <= 1; ++side) {
      const auto mine = [side](int16_t p) { return side == 0 ? p : static_cast<int16_t>(25 - p); };
      lay(side, mine(1), 2);
      lay(side, mine(12), 5);
      lay(side, mine(17), 3);
      lay(side, mine(19), 5);
    }
  }
  void answerChoosers(int cubeClicks, bool cubeToSide1, bool side1Rolls) {
    for (int k = 0; k < cubeClicks; ++k) click([] { return middleOf(interactionDisplay.middleButtonRect); });
    click([cubeToSide1] {
      return middleOf(cubeToSide1 ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect);
    });
    click([side1Rolls] {
      return middleOf(side1Rolls ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect);
    });
  }
  std::vector<std::string> texts_;
};

using Board = CheckedArray<int16_t, 25>;

Board boardOf(std::initializer_list<std::pair<int16_t, int16_t>> counts) {
  Board b{};
  for (auto [p, n] : counts) b[p] = n;
  return b;
}

int sideTotal(const Board& b, int sign) {
  int t = 0;
  for (int p = 0; p <= 25; ++p)
    if (b[p] * sign > 0) t += std::abs(b[p]);
  return t;
}

TEST_F(PositionSetup, PositionsLaidOutByClicksAreWhatPlayGoesOnFrom) {
  struct Row {
    const char* name;
    std::vector<std::tuple<int16_t, int16_t, int16_t>> lays;  // side, point, count
    Board want;
    int cubeClicks;
    bool cubeToSide1;
    bool side1Rolls;
    int16_t cubeValue;
    int16_t cubeOwner;
  };
  const std::vector<Row> rows = {
      {"bear-off", {{0, 24, 2}, {0, 22, 1}, {1, 1, 3}}, boardOf({{24, 2}, {22, 1}, {1, -3}}), 1, true, false, 2, 1},
      {"backgame",
       {{0, 1, 2}, {0, 3, 2}, {0, 20, 3}, {1, 24, 2}, {1, 22, 2}, {1, 6, 3}},
       boardOf({{1, 2}, {3, 2}, {20, 3}, {24, -2}, {22, -2}, {6, -3}}),
       8,  // round the values once and on to 2
       false, true, 2, 0},
      {"both bars", {{0, 25, 1}, {0, 10, 1}, {1, 0, 2}, {1, 15, 1}}, boardOf({{25, 1}, {10, 1}, {0, -2}, {15, -1}}), 7,
       true, false, 1, kCubeCentred},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    for (auto [side, p, n] : r.lays) lay(side, p, n);
    clickDone();
    answerChoosers(r.cubeClicks, r.cubeToSide1, r.side1Rolls);
    flow.abortTurn = 0;
    startPositionSetup();
    EXPECT_FALSE(script_.spent) << "the editor did not finish";
    EXPECT_EQ(position.board, r.want);
    EXPECT_EQ(position.piecesOnBoard[0], sideTotal(r.want, 1));
    EXPECT_EQ(position.piecesOnBoard[1], sideTotal(r.want, -1));
    EXPECT_EQ(cube.cubeValue, r.cubeValue);
    EXPECT_EQ(cube.cubeOwner, r.cubeOwner);
    // The turn is left; the hand-over gives the roll to the chosen side.
    EXPECT_EQ(flow.abortTurn, kLeaveTurn);
    EXPECT_EQ(position.otherPlayer, r.side1Rolls ? 1 : 0);
    // No dice were chosen: the first entry says so.
    EXPECT_EQ(record.gameRecord[1].side, -1);
    EXPECT_EQ(record.gameRecord[1].die1, 0);
    EXPECT_EQ(boardState.setupInProgress, 0);
    EXPECT_EQ(interactionDisplay.doneButtonShown, 0);
    EXPECT_EQ(display.overlayActive, 0);
    EXPECT_TRUE(texts_.empty()) << texts_.front();
    // The arrow follows the hand-over's side swap only with the redraw the set-up asks for.
    EXPECT_EQ(display.redrawPending, -1);
    drawTurnArrow();
    expectLikeAFreshRedraw(r.name);
    texts_.clear();
  }
}

TEST_F(PositionSetup, RefusalsChangeNothing) {
  lay(1, 6, 2);
  lay(0, 19, 1);
  // Done with a checker held.
  click(inTray(0));
  clickDone();
  // Wrong Color: side 0's checker onto side 1's point and into side 1's tray.
  click(aboveStack(6, 2));
  click(inTray(1));
  // Wrong Side: onto side 1's bar.
  click(onStack(0));
  // Back into its own tray; a click on the tray's stack would take one more.
  click(trayEnd(0));
  // Ten picks: the tenth is refused.
  for (int k = 0; k < 10; ++k) click(inTray(0));
  for (int k = 0; k < 9; ++k) click(aboveStack(13, static_cast<int16_t>(k)));
  // Wrong Color once more, the checker put back, and Done: the refusal does not stay on the
  // line through the questions.
  click(inTray(0));
  click(aboveStack(6, 2));
  click(trayEnd(0));
  clickDone();
  interactionServices.displayMessage = [] {
    if (!interaction.messageText.view().empty()) shownTexts->push_back(interaction.messageText.str());
    displayMessage();
  };
  std::vector<std::string> lineAtQuestions;
  for (int chooser = 0; chooser < 2; ++chooser) {
    click([&lineAtQuestions] {
      lineAtQuestions.push_back(messageLine.lineText.str());
      return middleOf(interactionDisplay.noButtonRect);
    });
  }
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  const std::vector<std::string> want = {"MMDe-select the piece first", "MMWrong Color", "MMWrong Color", "MMWrong Side",
                                         "MMCan't select more than 9 pieces", "MMWrong Color"};
  EXPECT_EQ(texts_, want);
  EXPECT_EQ(lineAtQuestions, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(position.board, boardOf({{6, -2}, {19, 1}, {13, 9}}));
  EXPECT_EQ(position.piecesOnBoard[0], 10);
  EXPECT_EQ(position.piecesOnBoard[1], 2);
}

TEST_F(PositionSetup, DoneIsRefusedWhileASideHasNoChecker) {
  lay(0, 19, 2);
  clickDone();
  lay(1, 6, 1);
  clickDone();
  answerChoosers(0, false, false);
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(texts_, std::vector<std::string>{"MMPut checkers of both sides on the board first"});
  EXPECT_EQ(position.board, boardOf({{19, 2}, {6, -1}}));
}

TEST_F(PositionSetup, TheStandardStartIsAnOpeningRollWithTheChosenSideHigher) {
  turnServices.chooseDiceWindow = [] {
    diceState.dice[0].value = 5;
    diceState.dice[1].value = 2;
    diceState.diceShowing = -1;
  };
  layTheStandardStart();
  clickDone();
  answerChoosers(0, false, true);
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_NE(position.openingPhase, 0);
  // Side 1 rolls: its die (entry 1) is the higher.
  EXPECT_EQ(diceState.dice[1].value, 5);
  EXPECT_EQ(diceState.dice[0].value, 2);
  EXPECT_EQ(record.gameRecord[1].side, 1);
}

// The opening position laid out by a person's clicks, from the emptied board and from a
// game's position, with the slips a person makes: a second checker picked up by a second
// click on a stack and put back, a checker put down on the wrong point and moved on.
TEST_F(PositionSetup, TheOpeningPositionLaidOutByClicksIsFinishedWithDone) {
  testing::loadShippedMessages();
  turnServices.chooseDiceWindow = chooseDiceWindow;
  auto face = [](int16_t f) {
    return [f] {
      return Point{static_cast<int16_t>(diceChooser.chooserLeft + 2 + ((f - 1) % 3) * layout.dieWidth + 4),
                   static_cast<int16_t>(diceChooser.chooserTop + 2 + ((f - 1) / 3) * layout.dieHeight + 4)};
    };
  };
  Board start{};
  for (const StartingPoint& s : kStartingPosition) start[s.point] = s.count;
  for (const bool cleared : {true, false}) {
    SCOPED_TRACE(cleared ? "from the emptied board" : "from a game's position");
    if (cleared) {
      // Two out of side 0's tray at once, one onto the wrong point, then moved on.
      click(inTray(0));
      click(inTray(0));
      click(aboveStack(1, 0));
      click(aboveStack(2, 0));
      click(onStack(2));
      click(aboveStack(1, 1));
      lay(0, 12, 5);
      lay(0, 17, 3);
      lay(0, 19, 5);
      lay(1, 24, 2);
      lay(1, 13, 5);
      lay(1, 8, 3);
      lay(1, 6, 5);
    } else {
      testing::setPosition("1:2 12:4 17:3 19:5 20:1 6:-5 8:-2 13:-5 24:-2 5:-1 | side 0");
      redrawBoardWindow();
      click(onStack(20));
      click(aboveStack(12, 4));
      // Two off 19 by a second click on its stack, both put back.
      click(onStack(19));
      click(onStack(19));
      click(aboveStack(19, 3));
      click(aboveStack(19, 4));
      click(onStack(5));
      click(aboveStack(8, 2));
    }
    clickDone();
    answerChoosers(0, false, false);
    click(face(3));
    click(face(1));
    flow.abortTurn = 0;
    if (cleared)
      startPositionSetup();
    else
      setUpPosition();
    EXPECT_FALSE(script_.spent) << "the editor did not finish";
    EXPECT_TRUE(script_.idle()) << "clicks were left over";
    EXPECT_EQ(position.board, start);
    EXPECT_EQ(position.piecesOnBoard[0], 15);
    EXPECT_EQ(position.piecesOnBoard[1], 15);
    EXPECT_NE(position.openingPhase, 0);
    EXPECT_EQ(diceState.dice[0].value, 3);
    EXPECT_EQ(boardState.setupInProgress, 0);
    EXPECT_EQ(boardInput.pickedCount, 0);
    EXPECT_TRUE(texts_.empty()) << texts_.front();
    drawTurnArrow();
    expectLikeAFreshRedraw(cleared ? "laid from the trays" : "laid from the game");
    texts_.clear();
    resetGameRecord();
  }
}

// The editor's roll chosen on the real dice panel: by two faces, or at random.
TEST_F(PositionSetup, TheRollChosenOnThePanelIsShownAndRecordedForTheChosenSide) {
  testing::loadShippedMessages();
  seedRandom(7);
  fillDicePool();
  turnServices.chooseDiceWindow = chooseDiceWindow;
  auto faceAt = [](int16_t f) {
    return [f] {
      return Point{static_cast<int16_t>(diceChooser.chooserLeft + 2 + ((f - 1) % 3) * layout.dieWidth + 4),
                   static_cast<int16_t>(diceChooser.chooserTop + 2 + ((f - 1) / 3) * layout.dieHeight + 4)};
    };
  };
  for (const bool byFaces : {true, false}) {
    SCOPED_TRACE(byFaces ? "two faces" : "Roll for me");
    lay(0, 19, 1);
    lay(1, 6, 1);
    clickDone();
    answerChoosers(0, false, true);
    if (byFaces) {
      click(faceAt(5));
      click(faceAt(2));
    } else {
      click([] { return middleOf(interactionDisplay.noButtonRect); });
    }
    flow.abortTurn = 0;
    startPositionSetup();
    EXPECT_FALSE(script_.spent) << "the editor did not finish";
    const GameRecordEntry& first = record.gameRecord[1];
    EXPECT_EQ(first.side, 1);
    EXPECT_EQ(diceState.diceShowing, -1);
    EXPECT_EQ(first.die1, diceState.dice[0].value);
    EXPECT_EQ(first.die2, diceState.dice[1].value);
    EXPECT_TRUE(first.die1 >= 1 && first.die1 <= 6 && first.die2 >= 1 && first.die2 <= 6);
    if (byFaces) {
      EXPECT_EQ(first.die1, 5);
      EXPECT_EQ(first.die2, 2);
    }
    EXPECT_EQ((first.flags & kFlagDiceByHand) != 0, byFaces);
    EXPECT_EQ(hand.diceClicked, -1) << "the flow plays this roll, it rolls no other";
    texts_.clear();
    resetGameRecord();
  }
}

TEST_F(PositionSetup, AtTheStandardStartTheChosenDiceAreShownAsTheyAreSwapped) {
  testing::loadShippedMessages();
  turnServices.chooseDiceWindow = chooseDiceWindow;
  layTheStandardStart();
  clickDone();
  answerChoosers(0, false, false);
  // Side 0 rolls and chooses its own die lower: the dice change places.
  for (const int16_t f : {2, 5}) {
    click([f] {
      return Point{static_cast<int16_t>(diceChooser.chooserLeft + 2 + ((f - 1) % 3) * layout.dieWidth + 4),
                   static_cast<int16_t>(diceChooser.chooserTop + 2 + ((f - 1) / 3) * layout.dieHeight + 4)};
    });
  }
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_NE(position.openingPhase, 0);
  EXPECT_EQ(diceState.dice[0].value, 5);
  EXPECT_EQ(diceState.dice[1].value, 2);
  EXPECT_EQ(diceState.rolledDice[0], 5);
  EXPECT_EQ(diceState.rolledDice[1], 2);
  EXPECT_EQ(record.gameRecord[1].die1, 5);
  drawTurnArrow();  // the arrow follows the hand-over with the redraw the editor asks for
  expectLikeAFreshRedraw("the swapped opening dice");
}

TEST_F(PositionSetup, ACubeClickOffersNoDoubleAndAnAbortLeavesNoEditorBehind) {
  lay(0, 19, 1);
  click([] { return Point{static_cast<int16_t>(layout.cubeX[0] + 4), layout.boardCentreY}; });
  bool cubeHit = false;
  script_.then([&cubeHit] { cubeHit = boardInput.hitCube != 0; });
  click(inTray(1));  // a checker in the hand when the abort comes
  script_.then([] { flow.abortTurn = kLeaveTurn; });
  const int16_t cubeBefore = cube.cubeValue;
  const Board before = position.board;
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_TRUE(cubeHit);
  EXPECT_EQ(cube.cubeValue, cubeBefore);
  EXPECT_EQ(boardState.setupInProgress, 0);
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_EQ(hand.pieceInHand, 0);
  EXPECT_EQ(interactionDisplay.doneButtonShown, 0);
  EXPECT_EQ(display.overlayActive, 0);
  // Side 1 had no checker out: Done would have refused the board, so the game from before
  // the editor comes back rather than play from the half-laid board.
  EXPECT_EQ(position.board, before);
  EXPECT_EQ(position.piecesOnBoard[0], 15);
  EXPECT_EQ(position.piecesOnBoard[1], 15);
  expectLikeAFreshRedraw("the game from before the editor");
}

// The middle of the place where checker k of point p's stack is drawn.
Point slotMiddle(int16_t p, int16_t k) {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2),
          static_cast<int16_t>(stackSlotTop(p, k) + L.pieceHeight / 2)};
}

QRgb pieceMiddle(int16_t side) {
  const Rect& r = boardImages.pieceRects[display.playerColors[side]];
  return boardImages.pieceImageWorlds[display.playerColors[side]]->image.pixel(r.width() / 2, r.height() / 2);
}

// The free place above a stack is where the next checker is drawn: a click on its middle
// puts the held checker down there and the window shows it there, on both rows and halves
// of the board, past a full layer, on a small, the reference and a large board.
TEST_F(PositionSetup, AClickWhereTheNextCheckerIsDrawnPutsItDownThere) {
  struct Row {
    int16_t side, point, height;
  };
  const Row rows[] = {{0, 3, 8}, {0, 16, 7}, {1, 9, 8}, {1, 22, 7}};
  for (const int16_t width : {424, 700, 1096}) {
    testing::openBoard(width, 1);
    testing::takeBoardClicks();
    std::vector<std::string> faults;
    for (const Row& r : rows) {
      for (int16_t n = 1; n <= r.height; ++n) {
        click(inTray(r.side));
        click([r, n] { return slotMiddle(r.point, n); });
        script_.then([&faults, r, n, width] {
          const std::string what = std::to_string(width) + ": point " + std::to_string(r.point) + " checker " +
                                   std::to_string(n);
          const Point at = slotMiddle(r.point, n);
          if (std::abs(position.board[r.point]) != n || boardInput.pickedCount != 0)
            faults.push_back(what + " not put down, " + std::to_string(boardInput.pickedCount) + " held");
          else if (testing::pixelAt(at.h, at.v) != pieceMiddle(r.side))
            faults.push_back(what + " not drawn there");
        });
      }
    }
    clickDone();
    answerChoosers(0, false, false);
    flow.abortTurn = 0;
    startPositionSetup();
    EXPECT_FALSE(script_.spent) << "the editor did not finish at " << width;
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_TRUE(texts_.empty()) << texts_.front();
    texts_.clear();
    resetGameRecord();
  }
}

// A person laying out checkers with a pointer that jumps to each place, quicker than a
// checker lands across a large board (drawing costs no time here, so the pace is quicker
// than on a screen): clicks given while a checker lands wait for the editor's next turns,
// each taken at the place it was given.
TEST_F(PositionSetup, ClicksGivenWhileACheckerLandsAreEachTakenWhereTheyWereGiven) {
  // A large board and points across it from the trays: each checker has far to land.
  testing::openBoard(1096, 1);
  testing::takeBoardClicks();
  testing::PacedPerson person(clock.clock, 0.15);
  const int16_t points[] = {12, 13, 11, 14, 10, 15, 9, 16};
  for (int k = 0; k < 8; ++k) {
    const auto side = static_cast<int16_t>(k % 2);
    const int16_t p = points[k];
    person.click([side] { return inTray(side); });
    person.click([p] { return slotMiddle(p, 1); });
  }
  person.quickClick([] { return middleOf(interactionDisplay.doneButtonRect); });
  person.quickClick([] { return middleOf(interactionDisplay.noButtonRect); });
  person.quickClick([] { return middleOf(interactionDisplay.noButtonRect); });
  turnServices.pumpEvents = testing::PacedPerson::pumpEvents;
  startPositionSetup();
  EXPECT_FALSE(script_.spent) << "the editor did not finish";
  EXPECT_TRUE(person.done());
  EXPECT_EQ(position.board, boardOf({{12, 1}, {13, -1}, {11, 1}, {14, -1}, {10, 1}, {15, -1}, {9, 1}, {16, -1}}));
  EXPECT_EQ(boardInput.pickedCount, 0);
  EXPECT_TRUE(texts_.empty()) << texts_.front();
}

TEST_F(PositionSetup, WithABoxUpTheEditorLeavesTheBoardAlone) {
  const Board before = position.board;
  display.overlayActive = -1;
  startPositionSetup();
  display.overlayActive = 0;
  EXPECT_EQ(position.board, before);
  EXPECT_EQ(boardState.setupInProgress, 0);
}

}  // namespace
}  // namespace bg
namespace bg {
namespace {

TEST_F(PositionSetup, TheDoneBoxAndTheChoosersAreOnTheWindowAsARedrawShowsThem) {
  // The boxes are recorded; what the window shows must be what a full redraw draws from
  // the recording.
  std::vector<int> differing;
  auto compare = [&differing] {
    const QImage shown = window();
    redrawBoardWindow();
    const QImage fresh = window();
    const Rect r = offscreen.messageBoxRect;
    const GrafPort* w = windowPort(1);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (shown.pixel(x - w->origin.x(), y - w->origin.y()) != fresh.pixel(x - w->origin.x(), y - w->origin.y())) ++n;
    differing.push_back(n);
  };
  script_.then(compare);
  lay(0, 19, 1);
  lay(1, 6, 1);
  clickDone();
  script_.then(compare);
  click([] { return middleOf(interactionDisplay.middleButtonRect); });
  script_.then(compare);
  click([] { return middleOf(interactionDisplay.noButtonRect); });
  script_.then(compare);
  click([] { return middleOf(interactionDisplay.noButtonRect); });
  startPositionSetup();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(differing, (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace bg
