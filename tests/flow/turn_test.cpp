// The turn: the closed-out pass, the automatic pass, the click-after-move wait with its
// take-back and board commands, and the modifier keys read at a click.
#include "flow/flow_fixture.h"
#include "flow/turn.h"
#include "state/cube_state.h"
#include "rules/game_record.h"
#include "state/rollout_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::clearBoard;
using testing::FlowTest;
using testing::flowLog;
using testing::place;
using testing::scriptDice;

struct Counts {
  int humanTurns = 0;
  int waits = 0;
  int takeBacks = 0;
  int boardCommands = 0;
  int undos = 0;
  int menusDisabled = 0;
  int menusEnabled = 0;
  std::vector<int> sounds;
};
Counts counts;

// The human plays the whole roll at once.
void humanPlaysAll() {
  ++counts.humanTurns;
  playSearch.playLength = flow.movesAllowed;
  for (DiceEntry& die : diceState.dice) die.value = 0;
  flow.movesLeft = 0;
  flow.abortTurn = kLeaveTurn;
}

class TurnTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    counts = Counts{};
    flow.opponentMode = 3;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kHumanPlayer;
    position.openingPhase = 0;
    position.currentPlayer = 1;  // the hand-over gives player 0 the turn
    resetGameRecord();
    turnServices.humanTurn = humanPlaysAll;
    turnServices.disableGameMenusDuringWait = [] { ++counts.menusDisabled; };
    turnServices.enableAllMenus = [] { ++counts.menusEnabled; };
    turnServices.diceClickTakeBack = [] { ++counts.takeBacks; };
    turnServices.runBoardCommand = [] { ++counts.boardCommands; };
    turnServices.undoLastPartMove = [] { ++counts.undos; };
    soundServices.playSound = [](int16_t sound, int16_t) { counts.sounds.push_back(sound); };
  }

  // Player 0 on the bar against player 1's home board made on the given points.
  static void onTheBarAgainst(std::initializer_list<int16_t> madePoints) {
    clearBoard();
    int16_t used = 0;
    for (const int16_t p : madePoints) {
      place(1, p, 2);
      used = static_cast<int16_t>(used + 2);
    }
    place(1, 12, static_cast<int16_t>(kCheckersPerSide - used));
    place(0, 25, 1);
    place(0, 13, 14);
  }
};

TEST_F(TurnTest, HumanClosedOutIsToldOnceAndTheTurnPasses) {
  onTheBarAgainst({1, 2, 3, 4, 5, 6});
  scriptDice({5, 3});
  playTurn();
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"You can't make any moves"});
  EXPECT_EQ(flowLog.pauses, std::vector<float>{2.0f});
  EXPECT_EQ(speech.waitForSpeechEnd, -1);
  EXPECT_TRUE(counts.sounds.empty());  // shown without the dice sound
  EXPECT_EQ(settings.soundOptions.diceSoundOn, 255);
  EXPECT_EQ(counts.humanTurns, 0);
  ASSERT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(record.gameRecord[1].distance, 5);
  EXPECT_EQ(record.gameRecord[2].distance, 3);
  EXPECT_EQ(record.gameRecord[2].fromPoint, 0);
  EXPECT_EQ(record.gameRecord[2].toPoint, 0);
  EXPECT_EQ(turnState.humanClosedOutTold, -1);
  EXPECT_EQ(diceState.diceShowing, 0);  // taken off at the end of the turn

  flowLog.clear();
  position.currentPlayer = 1;
  flow.abortTurn = 0;  // as the game loop does before each turn
  scriptDice({2, 2});
  playTurn();
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(record.gameRecordCount, 6);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(TurnTest, NotBeingClosedOutClearsTheNotice) {
  turnState.humanClosedOutTold = -1;
  onTheBarAgainst({1, 2, 3, 4, 5});
  scriptDice({6, 1});
  playTurn();
  EXPECT_EQ(turnState.humanClosedOutTold, 0);
  EXPECT_EQ(counts.humanTurns, 1);
}

TEST_F(TurnTest, AutoPassEndsATurnWithNoPlayWithoutAClick) {
  options.autoPass = 255;
  onTheBarAgainst({2, 3});
  scriptDice({2, 3});
  playTurn();
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"You can't make any moves"});
  EXPECT_EQ(flowLog.pauses, std::vector<float>{2.0f});
  EXPECT_EQ(counts.humanTurns, 0);
  EXPECT_EQ(record.gameRecordCount, 2);  // both dice recorded unplayed
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(diceState.diceShowing, 0);

  // A playable roll is left to the human.
  flowLog.clear();
  position.currentPlayer = 1;
  flow.abortTurn = 0;
  scriptDice({2, 4});
  playTurn();
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(counts.humanTurns, 1);
}

class ClickAfterMoveTest : public TurnTest {
 protected:
  void SetUp() override {
    TurnTest::SetUp();
    options.clickAfterHumanMove = 255;
    scriptDice({6, 1});
  }
};

TEST_F(ClickAfterMoveTest, TurnEndsAtTheClickAfterTheMove) {
  turnServices.waitForClickOrKey = [] { ++counts.waits; };
  playTurn();
  EXPECT_EQ(counts.waits, 1);
  EXPECT_EQ(counts.menusDisabled, 1);
  EXPECT_EQ(counts.menusEnabled, 1);
  EXPECT_EQ(flow.rollWaitActive, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(diceState.diceShowing, 0);
}

TEST_F(ClickAfterMoveTest, RollThatCouldNotBePlayedInFullHasNoWait) {
  turnServices.humanTurn = [] {
    humanPlaysAll();
    playSearch.playLength = 1;
  };
  turnServices.waitForClickOrKey = [] { ++counts.waits; };
  playTurn();
  EXPECT_EQ(counts.waits, 0);
}

TEST_F(ClickAfterMoveTest, TakeBackDuringTheWaitPlaysTheSameRollAgain) {
  turnServices.waitForClickOrKey = [] {
    if (++counts.waits == 1) {
      // The move entry took the last step back inside the wait.
      flow.rollWaitActive = 0;
      flow.abortTurn = 0;
      diceState.dice[1].value = diceState.rolledDice[1];
    }
  };
  playTurn();
  EXPECT_EQ(counts.humanTurns, 2);
  EXPECT_EQ(counts.waits, 2);
  EXPECT_EQ(record.gameRecord[1].die1, 6);
  EXPECT_EQ(record.gameRecord[2].side, kEmptyEntrySide);  // no second roll
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.rollWaitActive, 0);
}

TEST_F(ClickAfterMoveTest, RightClickWithNothingToTakeBackEndsTheWaitOnly) {
  options.rightMouseActionNP = kRightClickTakesBack;
  turnServices.waitForClickOrKey = [] {
    ++counts.waits;
    boardInput.rightClickEmulation = counts.waits == 1 ? -1 : 0;
  };
  turnServices.humanTurn = [] {
    humanPlaysAll();
    flow.movesLeft = flow.movesAllowed;  // as after the whole roll was taken back
  };
  playTurn();
  EXPECT_EQ(counts.undos, 0);
  EXPECT_EQ(counts.humanTurns, 2);
  EXPECT_EQ(counts.waits, 2);
  EXPECT_EQ(flow.rollWaitActive, 0);  // a later wait is not refused
}

TEST_F(ClickAfterMoveTest, BoardCommandsKeepTheWaitGoing) {
  static int hit = 0;
  hit = 0;
  turnServices.waitForClickOrKey = [] { ++counts.waits; };
  turnServices.hitTestBoard = [] {
    ++hit;
    interaction.requestWhoIsAhead = hit == 1 ? -1 : 0;
    interaction.clickedPoint = hit == 2 ? kPipCountZone : 7;
  };
  playTurn();
  EXPECT_EQ(counts.waits, 3);
  EXPECT_EQ(counts.boardCommands, 2);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

TEST_F(ClickAfterMoveTest, CommandClickIsIgnored) {
  static int commandClicks = 0;
  commandClicks = 0;
  turnServices.isModifierDown = [](int16_t code) { return code == kCommandModifier && commandClicks < 2; };
  turnServices.waitForClickOrKey = [] {
    ++counts.waits;
    ++commandClicks;
  };
  playTurn();
  EXPECT_EQ(counts.waits, 2);  // the first click, with Command held, did not count
}

TEST_F(ClickAfterMoveTest, DiceClickOfAHumanTakesBackInsteadOfEndingTheTurn) {
  turnServices.waitForClickOrKey = [] { ++counts.waits; };
  turnServices.hitTestBoard = [] { boardInput.diceAreaClicked = -1; };
  turnServices.diceClickTakeBack = [] {
    ++counts.takeBacks;
    boardInput.diceAreaClicked = 0;
    flow.abortTurn = kLeaveTurn;  // as a pass would
  };
  playTurn();
  EXPECT_EQ(counts.takeBacks, 1);
  EXPECT_EQ(counts.waits, 1);
}

TEST_F(ClickAfterMoveTest, NoWaitDuringARollout) {
  rollout.rolloutRunning = 255;
  turnServices.waitForClickOrKey = [] { ++counts.waits; };
  playTurn();
  EXPECT_EQ(counts.waits, 0);
  EXPECT_EQ(isClickAfterMoveDue(), 0);
}

// ---- Modifier keys at a click ----

class ModifierTest : public FlowTest {
 protected:
  static inline uint16_t held = 0;
  void SetUp() override {
    FlowTest::SetUp();
    held = 0;
    counts = Counts{};
    turnServices.isModifierDown = [](int16_t code) {
      return (code == kCommandModifier && (held & 1) != 0) || (code == kShiftModifier && (held & 2) != 0);
    };
    turnServices.undoLastPartMove = [] { ++counts.undos; };
    position.currentPlayer = 0;
    flow.movesAllowed = 2;
    flow.movesLeft = 2;
    diceState.diceShowing = -1;
  }
};

TEST_F(ModifierTest, CommandMakesAnAutomaticMoveWithBothDice) {
  options.easyMoves = -1;
  held = 1;
  EXPECT_EQ(readAutoMoveModifiers(), 0);
  EXPECT_EQ(turnState.autoMoveCombined, 255);
  EXPECT_EQ(turnState.autoMoveReverse, 0);

  flow.movesLeft = 1;  // after a part-move: nothing automatic
  EXPECT_EQ(readAutoMoveModifiers(), 0);
  EXPECT_EQ(turnState.autoMoveCombined, 0);
}

TEST_F(ModifierTest, ShiftMakesAnAutomaticMoveInTheOtherOrder) {
  options.easyMoves = -1;
  held = 2;
  EXPECT_EQ(readAutoMoveModifiers(), 0);
  EXPECT_EQ(turnState.autoMoveReverse, 255);
}

TEST_F(ModifierTest, WithoutEasyMovesNoModifierMakesAnAutomaticMove) {
  for (const uint16_t keys : {1, 2, 3}) {
    held = keys;
    readAutoMoveModifiers();
    EXPECT_EQ(turnState.autoMoveCombined, 0);
    EXPECT_EQ(turnState.autoMoveReverse, 0);
  }
}

TEST_F(ModifierTest, RightClickTakesBackTheLastStep) {
  options.rightMouseActionNP = kRightClickTakesBack;
  boardInput.rightClickEmulation = -1;
  flow.rollWaitActive = -1;
  flow.abortTurn = kLeaveTurn;

  EXPECT_EQ(readAutoMoveModifiers(), -1);  // nothing moved: nothing taken back
  EXPECT_EQ(counts.undos, 0);
  EXPECT_EQ(flow.rollWaitActive, -1);

  flow.movesLeft = 1;
  EXPECT_EQ(readAutoMoveModifiers(), -1);
  EXPECT_EQ(counts.undos, 1);
  EXPECT_EQ(flow.abortTurn, 0);
  EXPECT_EQ(flow.rollWaitActive, 0);
}

TEST_F(ModifierTest, RightClickAfterAPlayOfFewerStepsTakesBackDuringTheWait) {
  options.rightMouseActionNP = kRightClickTakesBack;
  boardInput.rightClickEmulation = -1;
  diceState.diceShowing = 0;
  flow.movesLeft = 1;
  playSearch.playLength = 2;
  flow.rollWaitActive = -1;
  EXPECT_EQ(readAutoMoveModifiers(), -1);
  EXPECT_EQ(counts.undos, 1);
  EXPECT_EQ(diceState.diceShowing, -1);
}

TEST_F(ModifierTest, RightClickWithACheckerHeldClicksTheBoardCentre) {
  turnServices.boardCentre = [] { return BoardPoint{343, 257}; };
  options.rightMouseActionP = kRightClickCentre;
  boardInput.rightClickEmulation = -1;
  boardInput.pickedCount = 1;
  EXPECT_EQ(readAutoMoveModifiers(), 0);
  EXPECT_EQ(boardInput.clickH, 343);
  EXPECT_EQ(boardInput.clickV, 257);
  EXPECT_EQ(flow.keyCommandBusy, -1);

  options.rightMouseActionP = 0;
  EXPECT_EQ(readAutoMoveModifiers(), -1);
}

TEST_F(ModifierTest, PostedClickLandsOnTheDice) {
  turnServices.boardCentre = [] { return BoardPoint{343, 257}; };
  hook::postClickAtBoardCorner();
  EXPECT_EQ(boardInput.clickH, 413);
  EXPECT_EQ(boardInput.clickV, 257);
  EXPECT_EQ(flow.keyCommandBusy, -1);
}

}  // namespace
}  // namespace bg
