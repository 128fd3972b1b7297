// The position-setup editor started from the Settings menu of the started program while
// the person has a roll to play: the turn in progress ends, and the side chosen in the
// editor plays the roll chosen there, neither asked for its dice again nor given others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "../display/board_fixture.h"
#include "display/dice_display.h"
#include "display/world_housekeeping.h"
#include "display/board_rebuild.h"
#include "flow/game_loop.h"
#include "flow/turn.h"
#include "flow/turn_state.h"
#include "interaction/choose_dice.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/move_entry_state.h"
#include "runtime/core/clock.h"
#include "runtime/core/random.h"
#include "rules/dice.h"
#include "state/board_state.h"
#include "dialogs/text_windows.h"
#include "display/message_line.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/game_record_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "shell/board_window_events.h"
#include "started_program.h"
#include "support/dice_chooser_spot.h"
#include "support/scripted_board.h"
#include "own_folders.h"
#include "runtime/core/files.h"
#include "storage/saved_game_file.h"

namespace bg {
namespace {

using testing::middleOf;
using Board = CheckedArray<int16_t, 25>;

// In the field right of the bar, where a click rolls.
Point diceSpot() {
  const BoardLayout& L = layout;
  return {static_cast<int16_t>(L.boardCentreX + 70), static_cast<int16_t>((L.fieldTop + L.fieldBottom) / 2)};
}

Point inTray(int16_t side) {
  const Point p = trayPiecePosition(side, 1);
  return {static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + layout.trayPieceThickness / 2)};
}

// The place of the first checker on empty point p.
Point onEmptyPoint(int16_t p) {
  const BoardLayout& L = layout;
  const int step = std::abs(L.stackStep);
  const int16_t x = static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2);
  if (p >= 13) return {x, static_cast<int16_t>(L.fieldBottom - step / 5)};
  return {x, static_cast<int16_t>(L.fieldTop + L.pointMargin / 2 + step)};
}

// Input Dice on or off; a refused Easy Move (the dice clicked with moves to play) before the editor.
class PositionSetupMenu : public testing::StartedProgram,
                          public ::testing::WithParamInterface<std::tuple<bool, bool>> {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    // The routines the program's start installs after the start-up.
    installFlowServices();
    installDisplayServices();
    installInteractionServices();
    testing::takeBoardClicks();
    seedRandom(20261207);
    fillDicePool();
  }
  void TearDown() override {
    setMouseVector(nullptr);
    StartedProgram::TearDown();
  }
  void clickFace(int16_t f) {
    script_.clickWhere([f] { return testing::chooserFaceSpot(f); });
  }
  // The opening position with the roll about to pass to the person, who rolls (inputDice
  // off) or sets the dice by hand, with nothing played for him.
  static void personAboutToRoll(bool inputDice) {
    testing::personToPlay("start | side 0");
    position.currentPlayer = 1;  // the turn hands the roll to the person
    position.otherPlayer = 0;
    diceState.diceShowing = 0;
    for (DiceEntry& d : diceState.dice) d.value = 0;
    record.gameRecordCount = 0;
    record.gameRecord[1] = blankRecordEntry;
    record.gameRecord[1].side = kEmptyEntrySide;
    settings.inputDice = inputDice ? -1 : 0;
    settings.automaticRolls = 0;
    settings.soundOptions.soundOn = 0;
    displaySettings.pieceSpeed = 11;
    cube.cubeUsed = 0;
    options.autoMoves = 0;  // the roll waits for the person
    options.autoPass = 0;
    redrawBoardWindow();
  }
  // One checker of each side, on the 6 and the 19 point.
  void layOutOneOfEach() {
    script_.click(inTray(0));
    script_.click(onEmptyPoint(6));
    script_.click(inTray(1));
    script_.click(onEmptyPoint(19));
  }
  // Done, the cube left in the middle, then a roll of 5-3 for player 0.
  void finishWithFiveThree() {
    script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
    script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });
    clickFace(5);
    clickFace(3);
  }
  testing::MouseScript script_;
  UseVirtualClock clock_;
};

TEST_P(PositionSetupMenu, TheRollChosenInTheEditorIsTheOnePlayedNext) {
  const bool inputDice = std::get<0>(GetParam());
  const bool slip = std::get<1>(GetParam());
  personAboutToRoll(inputDice);
  options.easyMoves = slip ? -1 : 0;

  testing::pumpWithScript(script_, 2000);
  bool editorRan = false;
  bool slipped = !slip;
  // Once the person is at the move entry: the editor from the menu, one checker of each
  // side, then player 0 to roll 5-3.
  script_.planner = [&] {
    if (flow.rollClickWaitActive == -1) {
      script_.click(diceSpot());
      if (inputDice) {
        clickFace(4);
        clickFace(2);
      }
      return;
    }
    if (editorRan || hand.moveEntryActive != -1) return;
    if (!slipped) {
      slipped = true;
      script_.click(diceSpot());  // "You still have moves to play"
      return;
    }
    editorRan = true;
    script_.then([] { chooseMenuItem(kSettingsMenu, kSetupEmptyItem); });
    layOutOneOfEach();
    finishWithFiveThree();
  };
  flow.abortTurn = 0;
  playTurn();
  ASSERT_TRUE(editorRan);
  ASSERT_FALSE(script_.spent) << "the editor did not end";
  ASSERT_TRUE(script_.idle()) << "clicks were left over";
  script_.planner = nullptr;
  const auto laid = position.board;
  EXPECT_EQ(laid[6], 1);
  EXPECT_EQ(laid[19], -1);
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_EQ(record.gameRecord[1].side, 0);
  EXPECT_EQ(record.gameRecord[1].die1, 5);
  EXPECT_EQ(record.gameRecord[1].die2, 3);

  // The next turn: the person is at the move entry with 5-3 before any further click.
  bool asked = true;
  int16_t moving = 0, side = -1, die0 = 0, die1 = 0;
  script_.then([&] {
    asked = diceChooser.chooseDiceOpen != 0;
    moving = hand.moveEntryActive;
    side = position.currentPlayer;
    die0 = diceState.dice[0].value;
    die1 = diceState.dice[1].value;
    flow.abortTurn = kLeaveTurn;
  });
  flow.abortTurn = 0;  // as the game loop starts each turn
  playTurn();
  EXPECT_FALSE(asked) << "the dice panel opened again";
  EXPECT_EQ(moving, -1);
  EXPECT_EQ(side, 0);
  EXPECT_EQ(die0, 5);
  EXPECT_EQ(die1, 3);
  EXPECT_EQ(position.board, laid);
  EXPECT_EQ(record.gameRecord[1].die1, 5);
  EXPECT_EQ(record.gameRecord[1].die2, 3);
  testing::expectLikeAFreshRedraw("the set-up position with its roll");
}

// The same refused Easy Move, then File > Open Saved Game: the opened game's roll in hand
// is played, not taken off at the end of the turn it replaced with the person asked to roll.
TEST_F(PositionSetupMenu, AGameOpenedAfterARefusedEasyMovePlaysItsOwnRoll) {
  testing::OwnFolders folders{"bg-open-after-slip-"};
  ASSERT_TRUE(setDataFolder(folders.root()));
  testing::personToPlay("start | dice 6 4 | side 0");
  ASSERT_TRUE(saveGame(0));
  personAboutToRoll(false);
  options.easyMoves = -1;
  int stage = 0;  // 1: slipped, 2: opened, 3: at the opened game's move
  bool askedToRoll = false;
  int16_t side = -1, die0 = 0, die1 = 0;
  script_.planner = [&] {
    if (flow.rollClickWaitActive == -1) {
      script_.click(diceSpot());
    } else if (hand.moveEntryActive == -1 && stage == 0) {
      stage = 1;
      script_.click(diceSpot());  // "You still have moves to play"
    } else if (hand.moveEntryActive == -1 && stage == 1) {
      stage = 2;
      script_.then([] { chooseMenuItem(kFileMenu, kOpenSavedGameItem); });
    }
  };
  testing::pumpWithScript(script_, 2000);
  flow.abortTurn = 0;
  playTurn();
  script_.planner = [&] {
    if (flow.rollClickWaitActive == -1) askedToRoll = true, script_.click(diceSpot());
    if (hand.moveEntryActive != -1 || stage != 2) return;
    stage = 3;
    side = position.currentPlayer, die0 = diceState.dice[0].value, die1 = diceState.dice[1].value;
    flow.abortTurn = kLeaveTurn;
  };
  flow.abortTurn = 0;
  playTurn();
  setDataFolder({});
  EXPECT_EQ(stage, 3);
  EXPECT_FALSE(askedToRoll);
  EXPECT_EQ((std::vector<int>{side, die0, die1}), (std::vector<int>{0, 6, 4}));
}

// Two people at a new game: one die of the opening roll shows, then Set Up Position, a
// checker moved, the cube set and the roll chosen by hand, in either order. The dice held
// are the dice shown; the 6 played (typed or clicked) and taken back with the right button
// gives the 6 back, drawn as before, and the 5 then plays.
TEST_F(PositionSetupMenu, AStepTakenBackAfterTheEditorsRollGivesBackItsOwnDie) {
  const struct {
    int16_t first, second;
    bool typed;
  } rows[] = {{6, 5, true}, {5, 6, true}, {6, 5, false}, {5, 6, false}};
  options.rightMouseActionNP = kRightClickTakesBack;
  installBoardWindowHandler();
  for (const auto& r : rows) {
    SCOPED_TRACE(std::to_string(r.first) + "-" + std::to_string(r.second) + (r.typed ? ", typed" : ", clicked"));
    personAboutToRoll(false);
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
    flow.opponentMode = kTwoPeople;
    cube.cubeUsed = -1;
    flow.newGameRequested = -1;
    testing::pumpWithScript(script_, 4000);
    // Side 0's 13 point is program point 12; its 6 and 5 land on 18 and 17.
    auto step = [this, &r](int16_t die) {
      if (r.typed) {
        script_.then([die] { testing::typeText(1, die == 6 ? "13.6\r" : "13.5\r"); });
      } else {
        script_.click(testing::pointSpot(12));
        script_.click(testing::pointSpot(static_cast<int16_t>(12 + die)));
      }
    };
    int stage = 0;
    Board laid{};
    QRect dice;
    QImage diceShown;
    script_.planner = [&] {
      if (panelWait.clickWaitRunning == 0) return;
      if (stage == 0 && turnState.awaitingDiceClick != 0) {
        if (diceState.diceShowing == 0) {
          script_.click(diceSpot());  // the opening roll: one die shows
          return;
        }
        stage = 1;
        script_.then([] { chooseMenuItem(kSettingsMenu, kSetupCurrentItem); });
        script_.click(testing::pointSpot(1));  // side 0's 24 point to its 23
        script_.click(onEmptyPoint(2));
        script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
        script_.clickWhere([] { return middleOf(interactionDisplay.middleButtonRect); });  // the cube at 2
        script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });      // side 0's
        script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });      // side 0 rolls
        clickFace(r.first);
        clickFace(r.second);
        return;
      }
      if (stage == 1 && moveEntry.waitingForMove != 0) {
        stage = 2;
        EXPECT_EQ(position.currentPlayer, 0);
        EXPECT_EQ(diceState.dice[0].value, r.first) << "the dice held are the dice chosen";
        EXPECT_EQ(diceState.dice[1].value, r.second);
        laid = position.board;
        dice = QRect(std::min(diceState.drawnDieLeft[0], diceState.drawnDieLeft[1]), display.diceTop,
                     std::abs(diceState.drawnDieLeft[1] - diceState.drawnDieLeft[0]) + layout.dieWidth, layout.dieHeight);
        diceShown = testing::boardArea().copy(dice.translated(-layout.boardRect.left, -layout.boardRect.top));
        step(6);
        script_.then([] { testing::clickAt(1, testing::pointSpot(20), Qt::RightButton); });
        return;
      }
      if (stage == 2 && moveEntry.waitingForMove != 0) {
        stage = 3;
        EXPECT_EQ(position.board, laid) << "the step went back";
        EXPECT_EQ(diceState.dice[0].value, r.first);
        EXPECT_EQ(diceState.dice[1].value, r.second);
        EXPECT_TRUE(testing::boardArea().copy(dice.translated(-layout.boardRect.left, -layout.boardRect.top)) == diceShown)
            << "the dice drawn as before the step";
        testing::expectLikeAFreshRedraw("the step taken back");
        step(5);
        return;
      }
      if (stage == 3 && moveEntry.waitingForMove != 0) {
        stage = 4;
        EXPECT_EQ(position.board[12], laid[12] - 1);
        EXPECT_EQ(position.board[17], laid[17] + 1) << "the 5 played";
      }
      shellFlags.quitRequested = -1;
      flow.abortTurn = kLeaveTurn;
    };
    gameLoopStep();
    shellFlags.quitRequested = 0;
    EXPECT_EQ(stage, 4);
    EXPECT_FALSE(script_.spent);
    script_.planner = nullptr;
    script_ = testing::MouseScript{};
  }
}

// Settings left enabled while the editor runs: none of them ends the editor half-way or
// moves the checkers laid so far, and Done still finishes it with the menus back.
class EditorSettings : public PositionSetupMenu {};

TEST_F(EditorSettings, ChosenWhileLayingOutTheyLeaveTheEditorToFinish) {
  const int16_t items[] = {kFlipBoardItem, kAutomaticRollsItem};
  for (const int16_t item : items) {
    SCOPED_TRACE(menuItemText(kSettingsMenu, item));
    personAboutToRoll(false);
    position.openingPhase = 0;  // a game under way

    bool editorRan = false;
    bool editorOnAfterChoice = false;
    std::vector<std::string> lines;  // the message line after each choice
    const auto choose = [&, item] {
      script_.then([item] { chooseMenuItem(kSettingsMenu, item); });
      script_.then([] {});  // the choice is carried out at the next pump
      script_.then([&] { lines.push_back(messageLine.lineText.str()); });
    };
    script_.planner = [&] {
      if (editorRan || flow.rollClickWaitActive != -1) return;
      editorRan = true;
      script_.then([] { chooseMenuItem(kSettingsMenu, kSetupEmptyItem); });
      layOutOneOfEach();
      choose();
      script_.then([&] { editorOnAfterChoice = boardState.setupInProgress != 0; });
      // Chosen again on the dice panel: twice before a face is chosen (Automatic Rolls goes
      // off and on there), then once a face is chosen.
      script_.clickWhere([] { return middleOf(interactionDisplay.doneButtonRect); });
      script_.clickWhere([] { return middleOf(interactionDisplay.noButtonRect); });
      choose();
      choose();
      clickFace(5);
      choose();
      clickFace(3);
    };
    testing::pumpWithScript(script_, 2000);
    flow.abortTurn = 0;
    playTurn();
    script_.planner = nullptr;
    ASSERT_TRUE(editorRan);
    EXPECT_TRUE(editorOnAfterChoice) << "the choice ended the editor";
    EXPECT_FALSE(script_.spent) << "the editor did not end";
    EXPECT_EQ(boardState.setupInProgress, 0);
    EXPECT_TRUE(menuItemEnabled(kGameMenu, kNewGameItem)) << "the menus stayed off";
    EXPECT_EQ(position.board[6], 1);
    EXPECT_EQ(position.board[19], -1);
    EXPECT_EQ(position.piecesOnBoard[0], 1);
    EXPECT_EQ(position.piecesOnBoard[1], 1);
    EXPECT_EQ((std::vector<int>{record.gameRecord[1].die1, record.gameRecord[1].die2}), (std::vector<int>{5, 3}));
    const std::string why = item == kFlipBoardItem ? "Flip Board is not available while you set up a position" : "";
    EXPECT_EQ(lines, std::vector<std::string>(4, why));
    if (settings.automaticRolls != 0) chooseMenuItem(kSettingsMenu, kAutomaticRollsItem), FBHandleEvents();
  }
}

// A help page opened and closed while laying out gives the menus their marks again; the
// items the editor took away stay away until Done.
TEST_F(EditorSettings, AHelpPageClosedInTheEditorLeavesItsItemsOff) {
  testing::personToPlay("start | side 0");
  diceState.diceShowing = 0;
  settings.soundOptions.soundOn = 0;
  cube.cubeUsed = 0;
  redrawBoardWindow();
  const int16_t kept[][2] = {{kGameMenu, kTwoPlayersItem}, {kGameMenu, kComputerOpponentItem}, {kGameMenu, kNewGameItem}};
  bool offAfterHelp = true;
  script_.then([] { chooseMenuItem(kSettingsMenu, kSetupEmptyItem); });
  script_.then([] {});
  constexpr int16_t kTournamentsHelpItem = 9;  // the Info menu's help pages
  script_.then([] { chooseMenuItem(kInfoMenu, kTournamentsHelpItem); });
  script_.then([] {});
  script_.then([] { ASSERT_TRUE(windowExists(kHelpWindow)); testing::clickCloseBox(kHelpWindow); });
  script_.then([] {});
  script_.then([&] {
    for (const auto& k : kept) offAfterHelp = offAfterHelp && !menuItemEnabled(k[0], k[1]);
  });
  layOutOneOfEach();
  finishWithFiveThree();
  testing::pumpWithScript(script_, 2000);
  for (int i = 0; i < 2000 && !script_.idle() && !script_.spent; ++i) hook::pumpEvents();
  EXPECT_TRUE(offAfterHelp) << "closing the help gave the editor's items back";
  EXPECT_EQ(boardState.setupInProgress, 0);
  for (const auto& k : kept) EXPECT_TRUE(menuItemEnabled(k[0], k[1])) << k[0] << "/" << k[1];
  EXPECT_EQ(position.board[6], 1);
  EXPECT_EQ(position.board[19], -1);
}

INSTANTIATE_TEST_SUITE_P(InputDice, PositionSetupMenu, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<bool, bool>>& i) {
                           return std::string(std::get<0>(i.param) ? "ByHand" : "Rolled") +
                                  (std::get<1>(i.param) ? "AfterARefusedEasyMove" : "");
                         });

}  // namespace
}  // namespace bg
