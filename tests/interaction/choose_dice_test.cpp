// The dice chosen by hand on the board's panel, through real clicks on the drawn faces and
// button: the roll each pair of faces makes, the random button that never gives a fresh
// opening double, an abort or a window resize that leaves no dice, the sound as it was, and
// the board afterwards as a fresh redraw draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "../display/board_fixture.h"
#include "display/dice_display.h"
#include "flow/roll_stage.h"
#include "flow/turn_services.h"
#include "flow/turn_state.h"
#include "interaction/board_waits.h"
#include "interaction/choose_dice.h"
#include "interaction/interaction_install.h"
#include "interaction/key_commands.h"
#include "runtime/core/random.h"
#include "runtime/qt/events.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_state.h"
#include "state/position.h"
#include "state/settings.h"
#include "support/dice_chooser_spot.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

bool heardWhileOpen = false;  // a sound would have played at some scripted step

void noteSound() { heardWhileOpen = heardWhileOpen || soundHeard(); }

using testing::middleOf;

// The middle half of a die-sized area at (left, top) as the window shows it.
QImage dieMiddle(int16_t left, int16_t top) {
  const GrafPort* w = windowPort(1);
  const int qw = layout.dieWidth / 4;
  const int qh = layout.dieHeight / 4;
  return w->image.copy(left + qw - w->origin.x(), top + qh - w->origin.y(), 2 * qw, 2 * qh);
}

class ChooseDice : public testing::ScriptedBoardTest {
 protected:
  void SetUp() override {
    ScriptedBoardTest::SetUp();
    testing::loadShippedMessages();
    seedRandom(20261207);
    fillDicePool();
    script_.budget = 4000;
    testing::setPosition("start | side 0");
    position.openingPhase = 0;
    flow.turnNumber = 5;
    settings.inputDice = -1;
    record.gameRecordCount = 6;
    redrawBoardWindow();
  }
  // A click whose place is found when its turn comes (the panel is drawn by then).
  void click(std::function<Point()> where) {
    script_.then([where] {
      noteSound();
      const Point p = where();
      testing::simulateMouse(testing::MouseScript::globalOf(p), true);
      testing::pressAt(1, p);
      testing::simulateMouse(testing::MouseScript::globalOf(p), false);
      testing::releaseAt(1, p);
    });
  }
  void clickFace(int16_t f) {
    click([f] { return testing::chooserFaceSpot(f); });
  }
  void clickRollForMe() {
    click([] { return middleOf(interactionDisplay.noButtonRect); });
  }
  // Runs the panel and checks what every way out leaves.
  void choose() {
    heardWhileOpen = false;
    chooseDiceWindow();
    EXPECT_FALSE(script_.spent) << "the panel did not end";
    EXPECT_TRUE(script_.idle()) << "clicks were left over";
    EXPECT_FALSE(heardWhileOpen) << "the panel runs without sound";
    EXPECT_EQ(diceChooser.chooseDiceOpen, 0);
    EXPECT_EQ(panelWait.questionPanelUp, 0);
    EXPECT_EQ(display.overlayActive, 0);
    EXPECT_EQ(interactionDisplay.noButtonRect, Rect{});
  }
  GameRecordEntry& rollEntry() { return record.gameRecord[record.gameRecordCount + 1]; }
};

TEST_F(ChooseDice, TwoFacesMakeTheRollMarkedAsChosenByHand) {
  const struct {
    int16_t first, second;
    bool pair;
  } rows[] = {{3, 3, true}, {6, 1, false}, {1, 6, false}, {5, 4, false}, {2, 2, true}, {6, 6, true}, {4, 5, false}};
  int16_t counted = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.first << "-" << r.second);
    for (DiceEntry& d : diceState.dice) d.value = 0;
    diceState.rolledDoubles = -1;  // a double before must not stay
    rollEntry() = blankRecordEntry;
    settings.soundOptions.soundOn = r.pair ? 255 : 0;
    const uint8_t sound = settings.soundOptions.soundOn;
    clickFace(r.first);
    clickFace(r.second);
    choose();
    ++counted;
    const int16_t extra = r.pair ? r.second : 0;
    const int16_t moves = r.pair ? 4 : 2;
    EXPECT_EQ(diceState.dice[0].value, r.first);
    EXPECT_EQ(diceState.dice[1].value, r.second);
    EXPECT_EQ(diceState.dice[2].value, extra);
    EXPECT_EQ(diceState.dice[3].value, extra);
    for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.rolledDice[n], diceState.dice[n].value);
    EXPECT_EQ(diceState.rolledDoubles, r.pair ? -1 : 0);
    EXPECT_EQ(flow.movesAllowed, moves);
    EXPECT_EQ(flow.movesLeft, moves);
    EXPECT_EQ(diceState.diceShowing, -1);
    EXPECT_EQ(hand.diceClicked, -1);
    EXPECT_EQ(rollEntry().flags, kFlagDiceByHand);
    EXPECT_EQ(record.gameRecord[0].toPoint, counted) << "the header counts each roll chosen by hand";
    EXPECT_EQ(settings.soundOptions.soundOn, sound);
    expectLikeAFreshRedraw("after the panel");
  }
}

TEST_F(ChooseDice, EachFaceIsDrawnWhereItsClickChoosesIt) {
  // The first die lands in player 0's half, drawn in the colour the faces have for player 0.
  auto cellOf = [](int16_t f) {
    return dieMiddle(static_cast<int16_t>(testing::chooserFaceSpot(f).h - layout.dieWidth / 2),
                     static_cast<int16_t>(testing::chooserFaceSpot(f).v - layout.dieHeight / 2));
  };
  for (int16_t f = 1; f <= 6; ++f) {
    SCOPED_TRACE(f);
    for (DiceEntry& d : diceState.dice) d.value = 0;
    auto cells = std::make_shared<std::vector<QImage>>();
    script_.then([cells, cellOf] {
      for (int16_t g = 1; g <= 6; ++g) cells->push_back(cellOf(g));
      // The panel stands in the board with its faces and button in it, as a redraw draws it.
      const Rect box = offscreen.messageBoxRect;
      const Rect faces = makeRect(diceChooser.chooserLeft, diceChooser.chooserTop,
                                  diceChooser.chooserLeft + 3 * layout.dieWidth + 4,
                                  diceChooser.chooserTop + 2 * layout.dieHeight + 4);
      EXPECT_EQ(unionRect(box, layout.boardRect), layout.boardRect);
      EXPECT_EQ(unionRect(box, faces), box);
      EXPECT_EQ(unionRect(box, interactionDisplay.noButtonRect), box);
      EXPECT_LE(faces.bottom, interactionDisplay.noButtonRect.top);
      const QImage shown = testing::boardArea();
      redrawBoardWindow();
      EXPECT_EQ(testing::boardArea(), shown);
    });
    clickFace(f);
    auto shownDie = std::make_shared<QImage>();
    script_.then([shownDie] { *shownDie = dieMiddle(diceState.drawnDieLeft[0], display.diceTop); });
    clickFace(f);
    choose();
    ASSERT_EQ(cells->size(), 6u);
    for (int16_t g = 1; g <= 6; ++g)
      for (int16_t h = static_cast<int16_t>(g + 1); h <= 6; ++h) EXPECT_NE((*cells)[g - 1], (*cells)[h - 1]) << g << h;
    EXPECT_EQ(*shownDie, (*cells)[f - 1]) << "the die shown is the face clicked";
  }
}

TEST_F(ChooseDice, RollForMeNeverGivesAFreshOpeningDouble) {
  // Opening doubles would turn the cube, so the plain roll may give them.
  cube.autoDoubleMax = 3;
  position.openingPhase = -1;
  rollEntry() = blankRecordEntry;
  rollEntry().side = kEmptyEntrySide;
  std::set<int> seen;
  for (int k = 0; k < 60; ++k) {
    clickRollForMe();
    choose();
    const int16_t d0 = diceState.dice[0].value;
    const int16_t d1 = diceState.dice[1].value;
    ASSERT_NE(d0, d1) << "roll " << k;
    ASSERT_TRUE(d0 >= 1 && d0 <= 6 && d1 >= 1 && d1 <= 6) << d0 << "-" << d1;
    seen.insert(d0 * 10 + d1);
    EXPECT_EQ(flow.movesAllowed, 2);
    EXPECT_EQ(hand.diceClicked, -1);
    EXPECT_EQ(rollEntry().flags, 0) << "a random roll is no roll chosen by hand";
    EXPECT_EQ(record.gameRecord[0].toPoint, 0);
  }
  EXPECT_GT(seen.size(), 10u);
  expectLikeAFreshRedraw("after the random roll");
}

TEST_F(ChooseDice, RollForMeGivesDoublesAfterTheOpeningAndTakesAReplayedRollUnchanged) {
  cube.autoDoubleMax = 3;
  rollEntry().side = kEmptyEntrySide;
  bool aDouble = false;
  for (int k = 0; k < 60 && !aDouble; ++k) {
    clickRollForMe();
    choose();
    aDouble = diceState.dice[0].value == diceState.dice[1].value;
    if (aDouble) {
      EXPECT_EQ(flow.movesAllowed, 4);
    }
  }
  EXPECT_TRUE(aDouble) << "doubles come after the opening";

  // A roll taken back is played again as it was, a double in the opening too.
  position.openingPhase = -1;
  rollEntry() = GameRecordEntry{.side = 1, .die1 = 4, .die2 = 4};
  clickRollForMe();
  choose();
  EXPECT_EQ(diceState.dice[0].value, 4);
  EXPECT_EQ(diceState.dice[1].value, 4);
  EXPECT_EQ(position.currentPlayer, 1);
}

TEST_F(ChooseDice, AnAbortLeavesNoDiceAndTheSoundAsItWas) {
  for (const int chosenFirst : {0, 1}) {
    for (const uint8_t sound : {uint8_t{255}, uint8_t{0}}) {
      SCOPED_TRACE(::testing::Message() << chosenFirst << " faces, sound " << int(sound));
      settings.soundOptions.soundOn = sound;
      rollEntry() = blankRecordEntry;
      if (chosenFirst != 0) clickFace(5);
      script_.then([] {
        noteSound();
        flow.abortTurn = kLeaveTurn;
      });  // a new game from the menu, say
      choose();
      for (int16_t n = 0; n <= 3; ++n) {
        EXPECT_EQ(diceState.dice[n].value, 0);
        EXPECT_EQ(diceState.rolledDice[n], 0);
      }
      EXPECT_EQ(diceState.diceShowing, 0);
      EXPECT_EQ(rollEntry().flags, 0);
      EXPECT_EQ(record.gameRecord[0].toPoint, 0);
      EXPECT_EQ(settings.soundOptions.soundOn, sound);
      expectLikeAFreshRedraw("after the abort");
      flow.abortTurn = 0;
    }
  }
}

// A key as the board window hands it on.
void typeOnBoard(const char* key) {
  testing::pumpingScript()->then([key] {
    noteSound();
    interactionDisplay.keyBuffer = key;
    doKeyDown();
  });
}

int helpAskedWithPanelUp = 0;

TEST_F(ChooseDice, KeysAndClicksBesideTheFacesChooseNothingAndHelpLeavesThePanelUp) {
  boardCommandServices.showContextHelp = [] {
    if (diceChooser.chooseDiceOpen == -1) ++helpAskedWithPanelUp;
  };
  helpAskedWithPanelUp = 0;
  typeOnBoard("Q");
  click([] { return Point{static_cast<int16_t>(layout.pointCentreX[1]), static_cast<int16_t>(layout.fieldBottom - 5)}; });
  click([] { return Point{static_cast<int16_t>(diceChooser.chooserLeft + 1), testing::chooserFaceSpot(1).v}; });
  clickFace(2);
  typeOnBoard("H");
  typeOnBoard("Z");
  clickFace(6);
  choose();
  EXPECT_EQ(helpAskedWithPanelUp, 1);
  EXPECT_EQ(diceState.dice[0].value, 2);
  EXPECT_EQ(diceState.dice[1].value, 6);
  EXPECT_EQ(rollEntry().flags, kFlagDiceByHand);
}

TEST_F(ChooseDice, TheNoKeyPressesRollForMe) {
  for (const char* key : {"N", "-"}) {
    SCOPED_TRACE(key);
    for (DiceEntry& d : diceState.dice) d.value = 0;
    rollEntry() = blankRecordEntry;
    typeOnBoard(key);
    choose();
    EXPECT_GE(diceState.dice[0].value, 1);
    EXPECT_GE(diceState.dice[1].value, 1);
    EXPECT_EQ(hand.diceClicked, -1);
    EXPECT_EQ(rollEntry().flags, 0);
    expectLikeAFreshRedraw(key);
  }
}

// Through the roll of a turn with the manual dice option on: the person clicks the dice,
// then two faces.
class ChooseDiceInTheRoll : public ChooseDice {
 protected:
  void SetUp() override {
    ChooseDice::SetUp();
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
    flow.opponentMode = kTwoPeople;
    diceState.diceShowing = 0;
    redrawBoardWindow();
  }
  void clickDice() {
    click([] {
      const BoardPoint c = turnServices.boardCentre();
      return Point{static_cast<int16_t>(c.h + 70), c.v};
    });
  }
};

TEST_F(ChooseDiceInTheRoll, ThreeThenThreeGivesFourMovesRecordedAsChosen) {
  clickDice();
  clickFace(3);
  clickFace(3);
  rollDiceStage();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(flow.abortTurn, 0);
  EXPECT_EQ(flow.movesAllowed, 4);
  EXPECT_EQ(flow.movesLeft, 4);
  EXPECT_EQ(diceState.rolledDoubles, -1);
  for (int16_t n = 0; n <= 3; ++n) EXPECT_EQ(diceState.dice[n].value, 3);
  const GameRecordEntry& entry = record.gameRecord[record.gameRecordCount + 1];
  EXPECT_EQ(entry.die1, 3);
  EXPECT_EQ(entry.die2, 3);
  EXPECT_EQ(entry.side, 0);
  EXPECT_NE(entry.flags & kFlagDiceByHand, 0);
  EXPECT_EQ(record.gameRecord[0].toPoint, 1);
}

TEST_F(ChooseDiceInTheRoll, AChosenOpeningDoubleIsAnOpeningDoubleAndThePanelComesAgain) {
  position.openingPhase = -1;
  flow.turnNumber = 1;
  clickDice();
  clickFace(3);
  clickFace(3);
  clickDice();  // the dice are clicked again for the next roll
  clickFace(4);
  clickFace(2);
  rollDiceStage();
  EXPECT_FALSE(script_.spent);
  EXPECT_TRUE(script_.idle());
  EXPECT_EQ(diceState.dice[0].value, 4);
  EXPECT_EQ(diceState.dice[1].value, 2);
  EXPECT_EQ(position.currentPlayer, 0) << "the higher die starts";
}

TEST_F(ChooseDiceInTheRoll, TheStartersChosenDoubleAfterTheOpeningReRollIsPlayed) {
  settings.rerollFirstRoll = 255;
  flow.turnNumber = 1;
  clickDice();
  clickFace(5);
  clickFace(5);
  rollDiceStage();
  EXPECT_FALSE(script_.spent);
  EXPECT_EQ(flow.movesAllowed, 4);
  EXPECT_EQ(diceState.handChosenOpeningDouble, 0) << "the roll took the flag";
}

}  // namespace
}  // namespace bg
