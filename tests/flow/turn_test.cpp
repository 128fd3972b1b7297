// The turn through the real playTurn: the closed-out pass, the automatic pass, the
// human's automatic aids against an independent reading of the board, the computer's
// steps before its roll, the click-after-move wait, and the modifier keys at a click.
#include <random>

#include "flow/flow_fixture.h"
#include "flow/turn.h"
#include "rules/checker_move.h"
#include "rules/game_record.h"
#include "state/analysis_state.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"

namespace bg {
namespace {

using testing::flowLog;

struct Counts {
  int humanTurns = 0, waits = 0, takeBacks = 0, boardCommands = 0, undos = 0, hits = 0;
  int bestMoves = 0, enters = 0, bearOffs = 0, reports = 0, menusDisabled = 0, menusEnabled = 0;
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

class TurnTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    counts = Counts{};
    flow.opponentMode = 3;
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kHumanPlayer;
    position.openingPhase = 0;
    flow.turnNumber = 5;
    testing::turnGoesTo(0);
    turnServices.humanTurn = humanPlaysAll;
    turnServices.diceClickTakeBack = [] { ++counts.takeBacks; };
    turnServices.runBoardCommand = [] { ++counts.boardCommands; };
    turnServices.undoLastPartMove = [] { ++counts.undos; };
    turnServices.disableGameMenusDuringWait = [] { ++counts.menusDisabled; };
    turnServices.enableAllMenus = [] { ++counts.menusEnabled; };
    turnServices.waitForClickOrKey = [] { ++counts.waits; };
    turnServices.makeBestMoveCommand = [] {
      EXPECT_EQ(turnState.autoPlayingForcedMove, -1);
      EXPECT_EQ(flow.forcedMovePlayed, -1);
      ++counts.bestMoves;
    };
    turnServices.autoEnterFromBar = [] { ++counts.enters; };
    turnServices.autoBearOffMoves = [] { ++counts.bearOffs; };
    turnServices.reportNoMoreMoves = [] { ++counts.reports; };
  }
  // A new turn for `side` with the given dice.
  static void nextTurn(std::vector<int> dice, int16_t side = 0) {
    flowLog = {};
    testing::turnGoesTo(side);
    flow.abortTurn = 0;  // as the game loop does before each turn
    testing::scriptDice(std::move(dice));
    playTurn();
  }
};

TEST_F(TurnTest, HumanClosedOutIsToldOnceAndTheTurnPasses) {
  testing::setPosition("25:1 13:14 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 12:-3");
  soundServices.playSound = [](int16_t, int16_t) { ++counts.hits; };
  nextTurn({5, 3});
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"You can't make any moves"});
  EXPECT_EQ(flowLog.pauses, std::vector<float>{2.0f});
  EXPECT_EQ(speech.waitForSpeechEnd, -1);
  EXPECT_EQ(settings.soundOptions.diceSoundOn, 255);
  EXPECT_EQ(counts.humanTurns, 0);
  ASSERT_EQ(record.gameRecordCount, 2);  // both dice recorded unplayed
  EXPECT_EQ((std::vector<int>{record.gameRecord[1].distance, record.gameRecord[2].distance, record.gameRecord[2].toPoint}),
            (std::vector<int>{5, 3, 0}));
  EXPECT_EQ(diceState.diceShowing, 0);  // taken off at the end of the turn

  nextTurn({2, 2});
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(record.gameRecordCount, 6);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(counts.hits, 0);  // the dice were shown without their sound

  // One open point: the notice is cleared and the human plays.
  position.board[6] = -1;
  nextTurn({6, 1});
  EXPECT_EQ(turnState.humanClosedOutTold, 0);
  EXPECT_EQ(counts.humanTurns, 1);
}

TEST_F(TurnTest, AutoPassEndsATurnWithNoPlayWithoutAClick) {
  options.autoPass = 255;
  testing::setPosition("25:1 13:14 2:-2 3:-2 12:-11");
  nextTurn({2, 3});
  EXPECT_EQ(flowLog.messages, std::vector<std::string>{"You can't make any moves"});
  EXPECT_EQ(flowLog.pauses, std::vector<float>{2.0f});
  EXPECT_EQ(counts.humanTurns, 0);
  EXPECT_EQ(record.gameRecordCount, 2);
  EXPECT_EQ(diceState.diceShowing, 0);

  nextTurn({2, 4});  // a playable roll is left to the human
  EXPECT_TRUE(flowLog.messages.empty());
  EXPECT_EQ(counts.humanTurns, 1);
}

// A seeded random position: each side's men on points the other does not hold, on the
// bar or borne off; every third one has both sides' men at home, so bear-offs come up.
void randomPosition(std::mt19937& gen) {
  position.board = {};
  const bool home = gen() % 3 == 0;
  for (int16_t side = 0; side <= 1; ++side) {
    const int16_t dir = position.playerDirection[side];
    int16_t men = 0;
    for (int m = 0; m < kCheckersPerSide; ++m) {
      const unsigned r = gen() % 28;
      int p = r < 24 ? static_cast<int>(r) + 1 : r == 24 ? position.barPoint[side] : -1;
      if (home && p > 0 && p < 25) p = side == 0 ? 19 + static_cast<int>(gen() % 6) : 1 + static_cast<int>(gen() % 6);
      if (p < 0 || position.board[p] * dir < 0) continue;  // borne off
      position.board[p] = static_cast<int16_t>(position.board[p] + dir);
      ++men;
    }
    position.piecesOnBoard[side] = men;
  }
}

// What the board calls for, read apart from the code, when the dice are announced.
struct Expected {
  bool rolled = false, bestMove = false, enter = false, bearOff = false;
};
Expected expected;

void readTheBoard() {
  const int16_t side = position.currentPlayer;
  const int d0 = diceState.dice[0].value, d1 = diceState.dice[1].value;
  const std::vector<int> dice = d0 == d1 ? std::vector<int>{d0, d0, d0, d0} : std::vector<int>{d0, d1};
  const auto legal = testing::referencePlays(testing::refPosition(), side, dice);
  const bool onBar = position.board[position.barPoint[side]] != 0;
  int rearmost = 0;  // distance of the rearmost man from bearing off
  for (int p = 1; p <= 24; ++p) {
    if (position.board[p] * position.playerDirection[side] > 0) rearmost = std::max(rearmost, side == 0 ? 25 - p : p);
  }
  expected = {true, legal.finals.size() <= 1, onBar, !onBar && rearmost <= std::max(d0, d1)};
}

// Each seeded position is played by player 0 and, mirrored, by player 1 with the same roll.
TEST_F(TurnTest, AutomaticAidsRunExactlyWhenTheBoardCallsForThem) {
  options.autoMoves = 7;
  options.autoEnterFromBarOn = -1;
  options.autoBearOffOn = -1;
  options.autoPlayForHumanOn = -1;
  options.speakHumanDice = -1;
  turnServices.speakDiceRoll = readTheBoard;
  std::mt19937 gen(7);
  int seen[4] = {};
  int rolled[2] = {};  // both halves of each mirrored pair play
  for (int n = 0; n < 400; ++n) {
    randomPosition(gen);
    const auto board = position.board;
    const auto men = position.piecesOnBoard;
    const int d0 = static_cast<int>(gen() % 6) + 1, d1 = static_cast<int>(gen() % 6) + 1;
    for (int16_t side = 0; side <= 1; ++side) {
      SCOPED_TRACE("position " + std::to_string(n) + " side " + std::to_string(side));
      for (int p = 0; p <= 25; ++p) position.board[p] = static_cast<int16_t>(side == 0 ? board[p] : -board[25 - p]);
      position.piecesOnBoard[side] = men[0];
      position.piecesOnBoard[1 - side] = men[1];
      position.playerType[side] = kHumanPlayer;
      position.playerType[1 - side] = kComputerPlayer;
      counts = Counts{};
      expected = Expected{};
      // A fresh turn: no earlier roll left in the record to replay, no dice on the board.
      resetGameRecord();
      diceState.diceShowing = 0;
      nextTurn({d0, d1}, side);
      if (!expected.rolled) continue;  // closed out: the turn passed
      ++rolled[side];
      EXPECT_EQ(counts.bestMoves, expected.bestMove ? 1 : 0);
      EXPECT_EQ(counts.enters, expected.enter ? 1 : 0);
      EXPECT_EQ(counts.bearOffs, expected.bearOff ? 1 : 0);
      EXPECT_EQ(counts.humanTurns, 1);
      seen[0] += 1, seen[1] += counts.bestMoves, seen[2] += counts.enters, seen[3] += counts.bearOffs;
    }
  }
  for (const int s : seen) EXPECT_GT(s, 20);
  EXPECT_EQ(rolled[0], rolled[1]);
}

// ---- The computer before its roll ----

struct PreRollRow {
  const char* board;  // player 1, the computer, takes the turn
  int16_t concessions, cubeUsed, noPause, answer;  // answer: the human's to the panel or the cube
  bool rolls;
  int16_t cubeValue, cubeOwner, winner;  // winner -1: the game goes on
};

class PreRollTest : public testing::FlowTest, public ::testing::WithParamInterface<PreRollRow> {};

int16_t answer = 0;
int16_t pipsAtTheRoll = 0;

TEST_P(PreRollTest, ConcessionAndDoubleComeBeforeTheRoll) {
  const PreRollRow& row = GetParam();
  flow.opponentMode = 1;
  position.playerType[1] = kComputerPlayer;
  position.openingPhase = 0;
  testing::setPosition(row.board);
  testing::turnGoesTo(1);
  record.gameRecordCount = 10;  // a resignation is offered at most once in five entries
  for (int16_t n = 1; n <= 10; ++n) record.gameRecord[n].side = static_cast<int16_t>(n % 2);
  options.autoConcessions = row.concessions;
  cube.cubeUsed = row.cubeUsed;
  rollout.noPause = row.noPause;
  answer = row.answer;
  pipsAtTheRoll = 0;
  flowServices.announceConcession = [] { interaction.panelAnswer = answer; };
  interactionServices.waitForBoardClick = [] { interaction.panelAnswer = answer; };
  options.speakComputerDice = -1;
  turnServices.speakDiceRoll = [] { pipsAtTheRoll = analysis.moverPipCount; };
  shellFlags.fastPlay = kFastPlayOn;
  int16_t pips = 0;  // the computer's own, counted apart
  for (int p = 0; p <= 24; ++p) pips = static_cast<int16_t>(pips + std::max(0, -position.board[p]) * (p == 0 ? 25 : p));

  playTurn();
  EXPECT_EQ(record.gameRecord[11].side == 1 && record.gameRecord[11].die1 > 0, row.rolls);
  EXPECT_EQ(pipsAtTheRoll, row.rolls ? pips : 0) << "the analysis at the roll is the computer's";
  EXPECT_EQ(cube.cubeValue, row.cubeValue);
  EXPECT_EQ(cube.cubeOwner, row.cubeOwner);
  EXPECT_EQ(flow.newGameRequested != 0 ? flow.winnerSide : -1, row.winner);
}

constexpr const char* kHopeless = "24:2 6:-10";
constexpr const char* kDoubleTake = "6:-5 5:-5 4:-5 18:5 19:5 20:5";
INSTANTIATE_TEST_SUITE_P(Rows, PreRollTest, ::testing::Values(
  PreRollRow{kHopeless, -1, 0, 0, -1, false, 1, kCubeCentred, 0},   // resigns, accepted
  PreRollRow{kHopeless, -1, 0, 0, 0, true, 1, kCubeCentred, -1},    // resigns, refused: plays on
  PreRollRow{kHopeless, 0, 0, 0, -1, true, 1, kCubeCentred, -1},    // never resigns
  PreRollRow{kDoubleTake, 0, -1, 0, -1, true, 2, 0, -1},            // doubles, taken
  PreRollRow{kDoubleTake, 0, -1, 0, 0, false, 1, kCubeCentred, 1},  // doubles, dropped
  PreRollRow{kDoubleTake, 0, 0, 0, -1, true, 1, kCubeCentred, -1},  // no cube: no double
  PreRollRow{kDoubleTake, 0, -1, -1, 0, true, 2, 0, -1}));          // no pause: answered for the human

// ---- The click after the move ----

class ClickAfterMoveTest : public TurnTest {
 protected:
  void SetUp() override {
    TurnTest::SetUp();
    options.clickAfterHumanMove = 255;
    testing::scriptDice({6, 1});
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

class ModifierTest : public testing::FlowTest {
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
