// The turn through the real playTurn: the closed-out and automatic passes, the human's
// automatic aids against an independent reading of the board, the computer's steps before
// its roll; and the game loop.
#include <functional>
#include <random>
#include <utility>

#include "flow/flow_fixture.h"
#include "flow/turn.h"
#include "state/analysis_state.h"
#include "state/cube_state.h"
#include "state/flow_services.h"
#include "state/rollout_state.h"
#include "state/settings.h"

namespace bg {
namespace {

using testing::flowLog;

struct Counts {
  int humanTurns, hits, bestMoves, enters, bearOffs;
};
Counts counts;
// Scripted human turns: the n-th runs turns[n] (or nothing more) at its end.
std::vector<std::function<void()>> turns;

// The human plays the whole roll at once.
void humanPlaysAll() {
  playSearch.playLength = flow.movesAllowed;
  for (DiceEntry& die : diceState.dice) die.value = 0;
  flow.movesLeft = 0;
  if (static_cast<size_t>(counts.humanTurns) < turns.size()) turns[static_cast<size_t>(counts.humanTurns)]();
  ++counts.humanTurns;
  flow.abortTurn = kLeaveTurn;
}

class TurnTest : public testing::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    counts = Counts{};
    turns.clear();
    flow.opponentMode = kTwoPeople;
    position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
    position.openingPhase = 0;
    flow.turnNumber = 5;
    testing::turnGoesTo(0);
    turnServices.humanTurn = humanPlaysAll;
    turnServices.makeBestMoveCommand = [] {
      EXPECT_EQ((std::vector<int>{turnState.autoPlayingForcedMove, flow.forcedMovePlayed}), (std::vector<int>{-1, -1}));
      ++counts.bestMoves;
    };
    turnServices.autoEnterFromBar = [] { ++counts.enters; };
    turnServices.autoBearOffMoves = [] { ++counts.bearOffs; };
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

struct PassRow {
  const char* board;  // player 0, the human, takes the turn
  void (*setup)();
  std::vector<int> dice;
  const char* message;  // the message line, "" for none
  int humanTurns, entries, diceSounds;
};
class PassTest : public TurnTest, public ::testing::WithParamInterface<PassRow> {};

// The closed-out pass is told once, the dice are shown without their sound, and the
// unplayed dice are recorded; the automatic pass ends a turn with no play.
TEST_P(PassTest, TurnWithNoPlayPasses) {
  const PassRow& row = GetParam();
  testing::setPosition(row.board);
  soundServices.playSound = [](int16_t, int16_t) { ++counts.hits; };
  if (row.setup != nullptr) row.setup();
  nextTurn(row.dice);
  EXPECT_EQ(flowLog.messages, (*row.message == '\0' ? std::vector<std::string>{} : std::vector<std::string>{row.message}));
  EXPECT_EQ((std::vector<int>{counts.humanTurns, record.gameRecordCount, counts.hits, settings.soundOptions.diceSoundOn}),
            (std::vector<int>{row.humanTurns, row.entries, row.diceSounds, 255}));
}

constexpr const char* kClosedOut = "25:1 13:14 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2 12:-3";
constexpr const char* kTwoPointsMade = "25:1 13:14 2:-2 3:-2 12:-11";
void toldBefore() { turnState.humanClosedOutTold = -1; }
INSTANTIATE_TEST_SUITE_P(Rows, PassTest, ::testing::Values(
  PassRow{kClosedOut, nullptr, {5, 3}, "You can't make any moves", 0, 2, 0},
  PassRow{kClosedOut, toldBefore, {2, 2}, "", 0, 4, 0},
  PassRow{kClosedOut, [] { flow.turnEndPending = -1; }, {5, 3}, "You can't make any moves", 0, 2, 0},  // left by the last turn
  PassRow{"25:1 13:14 1:-2 2:-2 3:-2 4:-2 5:-2 6:-1 12:-4", toldBefore, {6, 1}, "", 1, 0, 1},
  PassRow{kTwoPointsMade, [] { options.autoPass = 255; }, {2, 3}, "You can't make any moves", 0, 2, 1},
  PassRow{kTwoPointsMade, [] { options.autoPass = 255; }, {2, 4}, "", 1, 0, 1}));

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
std::vector<int> expected;  // the turn rolled, the best move, entering, bearing off

void readTheBoard() {
  const int16_t side = position.currentPlayer;
  const int d0 = diceState.dice[0].value, d1 = diceState.dice[1].value;
  const std::vector<int> dice = d0 == d1 ? std::vector<int>{d0, d0, d0, d0} : std::vector<int>{d0, d1};
  const auto legal = testing::referencePlays(testing::boardNow(), side, dice);
  const bool onBar = position.board[position.barPoint[side]] != 0;
  int rearmost = 0;  // distance of the rearmost man from bearing off
  for (int p = 1; p <= 24; ++p) {
    if (position.board[p] * position.playerDirection[side] > 0) rearmost = std::max(rearmost, side == 0 ? 25 - p : p);
  }
  expected = {1, legal.finals.size() <= 1, onBar, !onBar && rearmost <= std::max(d0, d1)};
}

// Each seeded position is played by player 0 and, mirrored, by player 1 with the same roll.
TEST_F(TurnTest, AutomaticAidsRunExactlyWhenTheBoardCallsForThem) {
  options.autoMoves = 7;
  options.autoEnterFromBarOn = options.autoBearOffOn = options.autoPlayForHumanOn = options.speakHumanDice = -1;
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
      position.playerType = {{{side == 0 ? kHumanPlayer : kComputerPlayer, side == 0 ? kComputerPlayer : kHumanPlayer}}};
      counts = Counts{};
      expected.clear();
      // A fresh turn: no earlier roll left in the record to replay, no dice on the board.
      resetGameRecord();
      diceState.diceShowing = 0;
      nextTurn({d0, d1}, side);
      if (expected.empty()) continue;  // closed out: the turn passed
      ++rolled[side];
      EXPECT_EQ((std::vector<int>{counts.humanTurns, counts.bestMoves, counts.enters, counts.bearOffs}), expected);
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
  flow.opponentMode = kComputerOpponent;
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
  EXPECT_EQ((std::vector<int>{cube.cubeValue, cube.cubeOwner}), (std::vector<int>{row.cubeValue, row.cubeOwner}));
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

// ---- The game loop ----

// Leaves the game loop after this turn; the game is abandoned, so nothing is announced.
void stopAfterThisTurn() {
  position.piecesOnBoard = {0, 0};
  shellFlags.quitRequested = shellFlags.modalBusy = flow.newGameRequested = -1;
}

class GameLoopTest : public TurnTest {
 protected:
  void SetUp() override {
    TurnTest::SetUp();
    turnState.previousOpponentMode = kTwoPeople;
    rollout.noPause = flow.newGameRequested = -1;
  }
};

TEST_F(GameLoopTest, NoTurnStartsWhileADialogIsOpen) {
  turnServices.pumpEvents = [] {
    if (++flowLog.pumps == 1) shellFlags.modalBusy = 1;  // a dialog opens
    if (flowLog.pumps == 5) shellFlags.quitRequested = -1;
  };
  runMainLoop();
  EXPECT_EQ((std::vector<int>{flowLog.pumps, flow.gamesThisRun, counts.humanTurns}), (std::vector<int>{5, 0, 0}));
}

// On Fast Play the computers' turns need nobody (both sides closed out, or whole games):
// they go on for as long as they last, and the window must still answer between them.
class TurnsWithoutAWait : public TurnTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TurnsWithoutAWait, EveryTurnPumpsTheEvents) {
  static int turnsPlayed = 0, pumpsSeen = 0;
  constexpr int kTurns = 40;
  turnsPlayed = pumpsSeen = 0;
  testing::setPosition(GetParam());
  position.playerType = {{{kComputerPlayer, kComputerPlayer}}};
  flow.opponentMode = turnState.previousOpponentMode = kComputersOnly;  // computers only
  shellFlags.fastPlay = kFastPlayOn;
  rollout.noPause = 0;
  // Each turn begins with the game cursor; the computer's search shows the busy one first.
  static bool busyShown = false;
  busyShown = false;
  turnServices.setCursor = [](int16_t cursor) {
    if (cursor == kBusyCursor) busyShown = true;
    if (cursor != kGameCursor || std::exchange(busyShown, false)) return;
    if (++turnsPlayed > kTurns) stopAfterThisTurn();
  };
  turnServices.pumpEvents = [] { ++pumpsSeen; };
  shellServices.pauseAfterMove = shellServices.pauseSeconds = [](double) {};
  gameLoopStep();
  EXPECT_GE(pumpsSeen, kTurns);
}

constexpr const char* kBothClosedOut = "25:1 19:2 20:2 21:2 22:2 23:2 24:2 0:-1 1:-2 2:-2 3:-2 4:-2 5:-2 6:-2";
INSTANTIATE_TEST_SUITE_P(Rows, TurnsWithoutAWait, ::testing::Values(kBothClosedOut, "start"));

TEST_F(GameLoopTest, QuittingStartsNoNewGameAndPlaysNoTurn) {
  shellFlags.quitRequested = -1;
  position.piecesOnBoard = {0, 0};  // New Game abandoned the game in progress
  turns = {[] { shellFlags.modalBusy = 1; }};
  gameLoopStep();
  EXPECT_EQ((std::vector<int>{flow.gamesThisRun, counts.humanTurns}), (std::vector<int>{0, 0}));
}

TEST_F(GameLoopTest, OpponentModeChangeTakesEffectAtTheNextGame) {
  static CheckedArray<int16_t, 1> typesAfterChange;
  turns = {[] { flow.opponentMode = kComputerOpponent, position.piecesOnBoard = {0, 0}, flow.newGameRequested = -1; }, [] {}};
  turnServices.applyOpponentMode = [] { flowLeast::applyOpponentMode(), typesAfterChange = position.playerType, stopAfterThisTurn(); };
  gameLoopStep();
  EXPECT_EQ(flow.gamesThisRun, 2);
  EXPECT_EQ(typesAfterChange, (CheckedArray<int16_t, 1>{kHumanPlayer, kComputerPlayer}));
}

// Between two turns: the opening ends once a checker has landed, a pending side switch is
// made, and the next turn starts running.
class BetweenTurnsTest : public GameLoopTest, public ::testing::WithParamInterface<int> {};
int16_t landing = 0;
std::vector<int> seen;

TEST_P(BetweenTurnsTest, AfterATurn) {
  landing = static_cast<int16_t>(GetParam());
  seen.clear();
  turnServices.switchHumanComputerSide = [] { ++counts.hits; };
  turns = {[] {
             seen.push_back(flow.abortTurn);
             shellFlags.switchSidesPending = -1;
             record.gameRecordCount = 2;
             record.gameRecord[2] = GameRecordEntry{0, 1, landing, 5, 6, 5, 2, 0, 0, 0};
           },
           [] { seen.insert(seen.end(), {flow.abortTurn, counts.hits, position.openingPhase}), stopAfterThisTurn(); }};
  gameLoopStep();
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, landing > 0 ? 0 : -1}));
}
INSTANTIATE_TEST_SUITE_P(Rows, BetweenTurnsTest, ::testing::Values(6, 0));

}  // namespace
}  // namespace bg
