// The stages of a turn as rows with injected dice and clicks. The roll stage: who rolls
// first, the fixed opening pairs, the opening re-roll, automatic doubles, replayed entries,
// the roll click; a whole turn taken back and played again with its roll, counted once.
// The end of the turn: the unplayed dice. The end of a game: who wins what under the cube,
// the Jacoby rule, resignations, matches and money.
#include <deque>
#include <limits>
#include <set>

#include "flow/flow_fixture.h"
#include "computer/cube_actions.h"
#include "flow/best_move_commands.h"
#include "flow/game_end.h"
#include "flow/game_loop.h"
#include "flow/roll_stage.h"
#include "flow/sessions.h"
#include "flow/turn.h"
#include "rules/new_game.h"
#include "rules/take_back.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/display_services.h"
#include "state/display_state.h"
#include "state/flow_services.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/rollout_state.h"
#include "state/session_statistics.h"
#include "state/settings.h"
#include "state/shell_state.h"

namespace bg {
namespace {

using testing::FlowTest;
using testing::flowLog;
using testing::sawMessage;

struct Click {
  int16_t zone;
  bool dice, cube = false;
};
std::deque<Click> clicks;
int clicksTaken = 0;
int staleFrames = 0;  // frame places drawn with another face than their own die's

// The frame drawn in an opening thrown a die at a time: each end's place shows its side's
// die once thrown, and no face before.
void checkOpeningFrames() {
  if (position.openingPhase == 0 || diceState.diceShowing == 0) return;
  for (int16_t end = 0; end <= 1; ++end) {
    const DiceEntry& place = display.dieSlots[end][1];
    if (place.hidden == 0 && place.value != diceState.dice[end].value) ++staleFrames;
  }
}

// The frames hold the faces of a game before; each drawing of them is checked.
void framesOfAGameBefore() {
  for (auto& end : display.dieSlots) end = {{{{6, 0}, {6, 0}}}};
  displayServices.frameAllDice = checkOpeningFrames;
}

// The board wait: the next scripted click, or the dice when the script is done.
void scriptedPointClick() {
  ++clicksTaken;
  const Click c = clicks.empty() ? Click{kRightDiceZone, true} : clicks.front();
  if (!clicks.empty()) clicks.pop_front();
  interaction.clickedPoint = c.zone;
  boardInput.hitDice = c.dice ? -1 : 0;
  boardInput.hitCube = c.cube ? -1 : 0;
}

// A roll after the opening, player 0's (the human's).
void laterRoll() { record.gameRecordCount = 1, position.openingPhase = 0, testing::setSideOnRoll(0); }
void bothComputers() { flow.opponentMode = kComputersOnly, position.playerType[0] = kComputerPlayer; }
void replayed(int16_t side, int16_t die1, int16_t die2, int16_t flags) {
  record.gameRecord[1] = GameRecordEntry{side, 0, 0, 0, die1, die2, 0, 0, 0, flags};
}

// Every count of the profile in use at its limit, both sides: a count made stays there.
constexpr int16_t kMostCount = std::numeric_limits<int16_t>::max();
void everyCountAtLimit() {
  for (int16_t& count : players.playerRecords[players.activePlayers].counters) count = kMostCount;
}
void countsStayAtLimit() {
  const auto& counters = players.playerRecords[players.activePlayers].counters;
  for (int16_t word = kFirstCounterWord; word <= kLastCounterWord; ++word)
    EXPECT_EQ(counters[word - kFirstCounterWord], kMostCount) << "word " << word;
}

struct RollRow {
  void (*setup)();
  std::vector<int> dice;  // the dice source
  std::deque<Click> clicks;
  std::pair<int, int> roll;  // dice 0 and 1 afterwards
  int16_t side;
  const char* messages;  // the message line, joined by '|'; nullptr: not checked
  int clicksTaken;       // -1: not checked
  int alerts, thinkSeconds;
  void (*check)() = nullptr;
};
class RollStageTest : public FlowTest, public ::testing::WithParamInterface<RollRow> {};

TEST_P(RollStageTest, RollsAndRecords) {
  const RollRow& row = GetParam();
  clicks = row.clicks;
  clicksTaken = 0;
  staleFrames = 0;
  turnServices.waitForPointClick = scriptedPointClick;
  flow.opponentMode = kComputerOpponent;
  setStartingPosition();
  position.openingPhase = -1;
  if (row.setup != nullptr) row.setup();
  testing::scriptDice(row.dice);
  rollDiceStage();
  // The dice, the side on roll, the alerts and the time the computer thought.
  EXPECT_EQ((std::vector<int64_t>{diceState.dice[0].value, diceState.dice[1].value, position.currentPlayer, testing::flowLog.alerts,
                                  static_cast<int64_t>(clock_.clock.slept())}),
            (std::vector<int64_t>{row.roll.first, row.roll.second, row.side, row.alerts, row.thinkSeconds * 1000000LL}));
  std::string seen;
  for (const std::string& m : testing::flowLog.messages) seen += (seen.empty() ? "" : "|") + m;
  EXPECT_TRUE(row.messages == nullptr || seen == row.messages) << seen;
  EXPECT_TRUE(row.clicksTaken < 0 || clicksTaken == row.clicksTaken) << clicksTaken;
  EXPECT_EQ(staleFrames, 0);
  if (row.check != nullptr) row.check();
  // Every die place of the frame that shows holds a die of this roll, never an earlier one.
  if (diceState.diceShowing != 0) {
    for (int end = 0; end <= 1; ++end)
      for (int place = 0; place <= 1; ++place)
        if (display.dieSlots[end][place].hidden == 0) {
          const int16_t v = display.dieSlots[end][place].value;
          EXPECT_TRUE(v == diceState.dice[0].value || v == diceState.dice[1].value) << end << "/" << place << ": " << v;
        }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, RollStageTest, ::testing::Values(
  RollRow{[] { settings.whoRollsFirst = 3; }, {2, 5}, {}, {5, 2}, 0, nullptr, -1, 0, 0},  // higher die first
  RollRow{[] { settings.whoRollsFirst = 5; }, {6, 3}, {}, {3, 6}, 1, nullptr, -1, 0, 0},  // lower die first
  RollRow{[] { settings.whoRollsFirst = 4; }, {3}, {}, {6, 1}, 0, nullptr, -1, 0, 0},     // fixed pairs
  RollRow{[] { settings.whoRollsFirst = 4; }, {6}, {}, {6, 5}, 0, nullptr, -1, 0, 0},
  RollRow{[] { settings.whoRollsFirst = 4, flow.opponentMode = kComputersOnly; }, {2, 5}, {}, {2, 5}, 1, nullptr, -1, 0, 0},
  // The computer keeps 2-4.
  RollRow{[] { settings.rerollFirstRoll = 255, framesOfAGameBefore(); }, {2, 4}, {}, {2, 4}, 1, "", -1, 0, 2},
  RollRow{[] { settings.rerollFirstRoll = 255, shellFlags.fastPlay = kFastPlayOn; }, {5, 6, 2, 4}, {}, {2, 4}, 1,
          "Computer Decided to Re Roll The Dice", -1, 0, 2, [] { EXPECT_EQ(record.gameRecord[1].flags & kFlagReRolledOpening, 1); }},
  RollRow{[] {  // the human is asked, and keeps the roll
            settings.rerollFirstRoll = 255, framesOfAGameBefore();
            turnServices.askRollOver = [] { interaction.panelAnswer = 0, ++clicksTaken; };
          }, {6, 5}, {}, {6, 5}, 0, nullptr, 2, 0, 0},
  RollRow{[] { bothComputers(), cube.autoDoubleMax = 2; }, {3, 3, 5, 5, 2, 2, 6, 1}, {}, {6, 1}, 0,
          "The Cube Was Doubled|The Cube Was Doubled|Doubles on the opening roll - Roll Again", -1, 0, 0,
          [] { EXPECT_EQ((std::vector<int>{cube.cubeValue, record.gameRecordCount}), (std::vector<int>{4, 3})); }},
  // Opening doubles stop where a double would: at the cube maximum, and at 64.
  RollRow{[] { bothComputers(), cube.autoDoubleMax = 8, cube.cubeMaximum = 4; }, {3, 3, 5, 5, 2, 2, 6, 1}, {}, {6, 1}, 0,
          "The Cube Was Doubled|The Cube Was Doubled|Doubles on the opening roll - Roll Again", -1, 0, 0,
          [] { EXPECT_EQ(cube.cubeValue, 4); }},
  RollRow{[] { bothComputers(), cube.autoDoubleMax = 8, cube.cubeValue = 32; }, {3, 3, 5, 5, 6, 1}, {}, {6, 1}, 0,
          "The Cube Was Doubled|Doubles on the opening roll - Roll Again", -1, 0, 0, [] { EXPECT_EQ(cube.cubeValue, 64); }},
  RollRow{[] { cube.autoDoubleMax = 2, cube.cubeUsed = 0; }, {4, 4, 1, 2}, {}, {1, 2}, 1, "Doubles on the opening roll - Roll Again",
          -1, 0, 0, [] { EXPECT_EQ(cube.cubeValue, 1); }},
  RollRow{[] { cube.cubeUsed = -1; }, {4, 4, 6, 6, 5, 2}, {}, {5, 2}, 0, "", -1, 0, 0},  // no automatic doubles
  RollRow{[] { flow.gamesThisRun = 1; }, {3, 1}, {}, {3, 1}, 0, "Good Luck", -1, 0, 0},
  RollRow{[] { replayed(1, 5, 3, kFlagReRolledOpening), flow.turnNumber = 4; }, {}, {}, {5, 3}, 1, nullptr, -1, 0, 0,
          [] { EXPECT_EQ((std::vector<int>{position.openingPhase, flow.turnNumber}), (std::vector<int>{0, 1})); }},
  RollRow{[] { replayed(1, 5, 3, 0); }, {}, {}, {3, 5}, 1, nullptr, -1, 0, 0},  // the starter's die first
  RollRow{[] { laterRoll(), record.gameRecordCount = 0, replayed(kAutoDoubleEntrySide, 2, 1, 0); }, {}, {}, {2, 1}, 0, nullptr,
          -1, 0, 0},  // an entry of no side is player 0's
  // An entry written by no roll (a damaged file) is rolled afresh, not replayed as 0-0.
  RollRow{[] { laterRoll(), record.gameRecord[2] = GameRecordEntry{}; }, {2, 5}, {}, {2, 5}, 0, nullptr, -1, 0, 0},
  // A roll marked as in hand whose dice were taken off since, or half thrown, is rolled.
  RollRow{[] { laterRoll(), rollout.noPause = -1, hand.diceClicked = -1; }, {2, 5}, {}, {2, 5}, 0, nullptr, -1, 0, 0},
  RollRow{[] { laterRoll(), rollout.noPause = -1, hand.diceClicked = -1, diceState.dice[1].value = 4; }, {2, 5}, {}, {2, 5},
          0, nullptr, -1, 0, 0},
  RollRow{[] { laterRoll(), rollout.noPause = -1, hand.diceClicked = -1, testing::setRoll(6, 4); }, {2, 5}, {}, {6, 4}, 0,
          nullptr, -1, 0, 0},  // a whole one is played
  // The profile's pips read from a damaged preferences file stop at their limit.
  RollRow{[] { laterRoll(), playerPipsRolled(0) = std::numeric_limits<int32_t>::max() - 1; }, {3, 1}, {}, {3, 1}, 0,
          nullptr, -1, 0, 0, [] { EXPECT_EQ(playerPipsRolled(0), std::numeric_limits<int32_t>::max()); }},
  RollRow{laterRoll, {3, 1}, {{7, false}, {kNoZone, false}}, {3, 1}, 0, "#17|#17", 3, 2, 0},  // clicks beside the dice beep
  RollRow{laterRoll, {3, 1}, {{kNoZone, false, true}}, {3, 1}, 0, "", 2, 0, 0},  // a click on the cube does not
  RollRow{[] {
            laterRoll();
            turnServices.waitForPointClick = [] { cube.playerDeclined[0] = -1, flow.abortTurn = kLeaveTurn; };
          }, {1, 2}, {}, {0, 0}, 0, "", -1, 0, 0, [] { EXPECT_EQ(record.gameRecord[2].side, kEmptyEntrySide); }},
  RollRow{[] { laterRoll(), settings.automaticRolls = -1, flow.firstRollNeedsClick = -1; }, {3, 1}, {}, {3, 1}, 0, nullptr, 1, 0, 0},
  RollRow{[] { laterRoll(), settings.automaticRolls = -1, flow.keyCommandBusy = -1; }, {3, 1}, {}, {3, 1}, 0, nullptr, 0, 0, 0,
          [] { EXPECT_EQ(flow.keyCommandBusy, 0); }},  // the posted click is dropped
  RollRow{[] { laterRoll(), rollout.noPause = -1; }, {3, 1}, {}, {3, 1}, 0, nullptr, 0, 0, 0},
  // Doubles rolled and an opening roll won, counted at their limits.
  RollRow{[] { laterRoll(), everyCountAtLimit(); }, {4, 4}, {}, {4, 4}, 0, nullptr, -1, 0, 0, countsStayAtLimit},
  RollRow{[] { settings.whoRollsFirst = 3, everyCountAtLimit(); }, {2, 5}, {}, {5, 2}, 0, nullptr, -1, 0, 0,
          countsStayAtLimit},
  // Two people: side 1's dice clicked, then its own again (nothing), then side 0's throws its die.
  RollRow{[] {
            flow.opponentMode = kTwoPeople, position.playerType[1] = kHumanPlayer;
            framesOfAGameBefore();
          }, {2, 5},
          {{kLeftDiceZone, true}, {kLeftDiceZone, false}, {kRightDiceZone, false}}, {2, 5}, 1, nullptr, 3, 0, 0}));

// A whole turn taken back with the rules' take-back is played again with its roll, and
// the roll is not counted twice.
TEST_F(FlowTest, TurnTakenBackIsPlayedAgainWithTheSameRollCountedOnce) {
  bothComputers();
  rollout.noPause = -1;
  shellFlags.fastPlay = kFastPlayOn;
  cube.cubeUsed = 0;
  seedRandom(5);
  fillDicePool();
  setStartingPosition();
  position.openingPhase = -1;
  int16_t countBefore = 0;
  for (int turn = 0; turn < 4; ++turn) {
    countBefore = record.gameRecordCount;
    flow.abortTurn = 0;
    playTurn();
    if (record.gameRecordCount >= 2 && record.gameRecord[record.gameRecordCount].toPoint > 0) position.openingPhase = 0;
  }
  const GameRecordEntry roll = record.gameRecord[countBefore + 1];
  const auto counted = [&] {  // the session's pips and doubles and the profile's pips
    return std::tuple{statistics.sessionPipsRolled, statistics.sessionDoublesRolled, playerPipsRolled(roll.side)};
  };
  const auto before = counted();

  takeBack();
  ASSERT_EQ(record.gameRecordCount, countBefore);
  flow.abortTurn = 0;
  playTurn();
  const GameRecordEntry& again = record.gameRecord[countBefore + 1];
  EXPECT_EQ((std::vector<int>{again.side, again.die1, again.die2}), (std::vector<int>{roll.side, roll.die1, roll.die2}));
  EXPECT_EQ(counted(), before);
}

// Between two people, a click on the dice action in the bar while the next side waits to
// roll takes the last turn back across the hand-over; the roll that follows is that turn's
// recorded one, for its side, whatever the dice would throw afresh.
TEST_F(FlowTest, ATurnTakenBackBetweenTwoPeopleIsRolledAgainAsRecorded) {
  flow.opponentMode = kTwoPeople;
  position.playerType = {{{kHumanPlayer, kHumanPlayer}}};
  laterRoll();
  position.board[17] = 1, position.board[19] = 1;  // the checkers the record moves
  const auto start = position.board;
  // Side 0 played 8/5 6/5 with 3-1; side 1 is on roll.
  record.gameRecordCount = 2;
  record.gameRecord[1] = GameRecordEntry{0, 17, 20, 3, 3, 1, 1, 0, 0, 0};
  record.gameRecord[2] = GameRecordEntry{0, 19, 20, 1, 3, 1, 2, 0, 0, 0};
  position.board[17] -= 1, position.board[19] -= 1, position.board[20] += 2;
  testing::setSideOnRoll(1);
  diceState.diceShowing = 0;
  testing::scriptDice({6, 5});
  clicksTaken = 0;
  turnServices.waitForPointClick = [] {
    if (++clicksTaken == 1) {
      diceClickTakeBack();  // what that click runs
      boardInput.hitDice = 0;
      return;
    }
    interaction.clickedPoint = kRightDiceZone;
    boardInput.hitDice = -1;
  };
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 2);
  EXPECT_EQ(position.board, start);
  EXPECT_EQ((std::vector<int>{position.currentPlayer, diceState.dice[0].value, diceState.dice[1].value}),
            (std::vector<int>{0, 3, 1}));
  const GameRecordEntry& roll = record.gameRecord[1];
  EXPECT_EQ((std::vector<int>{record.gameRecordCount, roll.side, roll.die1, roll.die2}), (std::vector<int>{0, 0, 3, 1}));
}

// A click on the dice action in the bar reaching the program after the person's move was
// taken back and before the turn is left (a box's own loop gives it its events) takes
// nothing more back: the turn is still left, for the hand-over to give the roll back to
// the person.
TEST_F(FlowTest, TheDiceActionWhileATurnIsLeftKeepsTheTurnBeingLeft) {
  for (const int16_t count : {int16_t{0}, int16_t{1}}) {
    SCOPED_TRACE(count);
    testing::personToPlay("start | dice 3 1 | side 0");
    record.gameRecordCount = count;  // with and without the computer's turn before
    record.gameRecord[1] = GameRecordEntry{1, 0, 0, 0, 6, 5, 0, 0, 0, 0};
    testing::setSideOnRoll(1);  // as the take-back leaves it, for the hand-over to flip
    flow.abortTurn = kLeaveTurn;
    const auto board = position.board;
    diceClickTakeBack();
    EXPECT_EQ(flow.abortTurn, kLeaveTurn);
    EXPECT_EQ(position.currentPlayer, 1);
    EXPECT_EQ(position.board, board);
    EXPECT_EQ(record.gameRecordCount, count);
    EXPECT_EQ(diceState.diceShowing, -1);
  }
}

// The same for a right-click that takes back a step: in a game of two people the side on
// roll while the turn is left is the one that moved before, whose step is not undone.
TEST_F(FlowTest, ARightClickWhileATurnIsLeftKeepsTheTurnBeingLeft) {
  testing::personToPlay("start | dice 3 1 | side 0");
  flow.opponentMode = kTwoPeople;
  position.playerType[1] = kHumanPlayer;
  record.gameRecordCount = 1;
  record.gameRecord[1] = GameRecordEntry{1, 8, 5, 3, 3, 1, 1, 0, 0, 0};
  testing::setSideOnRoll(1);
  flow.movesLeft = 0;
  flow.abortTurn = kLeaveTurn;
  options.rightMouseActionNP = kRightClickTakesBack;
  boardInput.rightClickEmulation = -1;
  static int undone = 0;
  undone = 0;
  turnServices.undoLastPartMove = [] { ++undone; };
  readAutoMoveModifiers();
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(undone, 0);
}

// The starter plays the opening roll as its own: once the frame shows its end whole again,
// both places there hold that roll, never a die left from an earlier one.
TEST_F(FlowTest, AfterTheOpeningTheStartersFrameEndShowsTheOpeningRoll) {
  constexpr int16_t kOld = 6;  // no die of the rolls below
  const struct {
    int d0, d1;
    int16_t starter;
  } rows[] = {{5, 2, 0}, {2, 5, 1}, {4, 1, 0}, {3, 4, 1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(std::to_string(r.d0) + "-" + std::to_string(r.d1));
    flow.opponentMode = kComputerOpponent;
    setStartingPosition();
    position.openingPhase = -1;
    for (auto& end : display.dieSlots) end = {{{{kOld, 0}, {kOld, 0}}}};
    testing::scriptDice({r.d0, r.d1});
    rollDiceStage();
    ASSERT_EQ(position.turnPlayer, r.starter);
    hook::setDiceDisplayFlags(-1);  // the opening shows one die per end, each side's own
    EXPECT_EQ((std::vector<int>{display.dieSlots[0][1].value, display.dieSlots[1][1].value}), (std::vector<int>{r.d0, r.d1}));
    position.openingPhase = 0;
    hook::setDiceDisplayFlags(0);  // the roll played: every place shows
    const auto& end = display.dieSlots[r.starter];
    EXPECT_EQ((std::multiset<int>{end[0].value, end[1].value}), (std::multiset<int>{r.d0, r.d1}));
  }
}

const GameRecordEntry& lastEntry() { return record.gameRecord[record.gameRecordCount]; }
std::string dialog() { return flowLog.dialogs.empty() ? "" : flowLog.dialogs.back(); }
// A match to 5 points; a money session at 2 Euros a point; the computer resigning a gammon.
void match(int32_t score0) { flow.tournamentGoing = 255, flow.tournamentPoints = 5, flow.scores[0] = score0; }
void money() { flow.moneySessionActive = 255, options.wagerAmount = 2, options.wagerCurrency = "Euros"; }
void computerResigns() { flow.autoConcession[1] = -1, flow.concessionLevel = 2; }
// The same money session between two people: Alice and Bob.
void moneyBetweenPeople() {
  money(), flow.opponentMode = kTwoPeople, position.playerType[1] = kHumanPlayer, shell.playerNames[1] = "Bob";
}
// Two people at the board: Alice doubles and the other side takes.
void doubleTaken() {
  flow.opponentMode = kTwoPeople, position.playerType[1] = kHumanPlayer, cube.beaverAllowed = 0;
  testing::setSideOnRoll(0);
  interactionServices.waitForBoardClick = [] { interaction.panelAnswer = -1; };
  executeDouble();
}

constexpr PlayerRecordWord kCountsOfAWin[] = {kGamesWonWord, kPointsWonWord, kGammonsWonWord, kTournamentsWonWord};
void atCountLimits() {
  for (const PlayerRecordWord w : kCountsOfAWin) playerCounter(w, 0) = kMostCount;
}
std::vector<int> countsOfAlice() {
  std::vector<int> counts;
  for (const PlayerRecordWord w : kCountsOfAWin) counts.push_back(playerCounter(w, 0));
  return counts;
}

struct EndRow {
  const char* board;  // Alice (player 0, human) against Computer (player 1)
  void (*setup)();
  int16_t winner;
  int32_t score;        // the winner's score after
  const char* dialog;   // "" when none opens
  const char* message;  // a line the message line shows
  void (*check)() = nullptr;
};

class GameEndTest : public testing::FlowTest, public ::testing::WithParamInterface<EndRow> {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    shell.playerNames = {"Alice", "Computer"};
    record.gameRecordCount = 5;  // some play before the end
    for (int16_t n = 1; n <= 5; ++n) record.gameRecord[n].side = static_cast<int16_t>(n % 2);
    testing::setPosition(GetParam().board);
    if (GetParam().setup != nullptr) GetParam().setup();
    announceGameResult();
  }
};

TEST_P(GameEndTest, ScoresAndTellsTheResult) {
  EXPECT_EQ((std::vector<int>{flow.winnerSide, flow.scores[GetParam().winner]}), (std::vector<int>{GetParam().winner, GetParam().score}));
  EXPECT_EQ(dialog(), GetParam().dialog);
  EXPECT_TRUE(*GetParam().message == '\0' || sawMessage(GetParam().message)) << GetParam().message;
  if (GetParam().check != nullptr) GetParam().check();
}

INSTANTIATE_TEST_SUITE_P(Rows, GameEndTest, ::testing::Values(
  EndRow{"12:-15", nullptr, 0, 2, "Alice won a double game worth 2 points!!", "You win the game with a gammon!"},
  EndRow{"12:-15", [] { cube.jacobyRule = -1; }, 0, 1, "Alice won 1 point", "Alice, congratulations!"},
  EndRow{"0:-1 12:-14 | cube 2 0", nullptr, 0, 6, "Alice won a triple game worth 6 points!!!", "You win the game with a backgammon!"},
  EndRow{"3:2 14:13", nullptr, 1, 3, "Computer won a triple game worth 3 points!!!", "The computer wins the game with a backgammon!"},
  EndRow{"12:-15", [] { position.playerType[0] = kComputerPlayer; }, 0, 2, "Alice won a double game worth 2 points!!",
         "Alice wins the game with a gammon!", [] { EXPECT_FALSE(sawMessage("Alice, congratulations!")); }},
  // A resignation's level replaces the multiplier; the entry says it was conceded.
  EndRow{"20:15 12:-15 | cube 4 1", computerResigns, 0, 8, "Alice won a double game worth 8 points!!", "", [] {
           EXPECT_EQ((std::vector<int>{lastEntry().die2, lastEntry().flags}), (std::vector<int>{-1, kFlagGameEnd | kFlagConceded}));
         }},
  EndRow{"20:15 12:-15 | cube 2 2", [] { cube.playerDeclined[0] = -1; }, 1, 2, "Computer won 2 points!", "The computer wins the game"},
  EndRow{"12:-13", [] { match(3); }, 0, 4, "Alice won 1 point", "", [] { EXPECT_EQ(flow.crawfordRestrictions[1], -1); }},
  EndRow{"14:3", [] { flow.crawfordRestrictions[1] = -1, match(0); }, 1, 1, "Computer won 1 point", "",
         [] { EXPECT_EQ(flow.crawfordRestrictions[1], 0); }},
  EndRow{"12:-14", [] { match(4); }, 0, 5, "Alice won 1 point and won the tournament!", "#210"},
  EndRow{"12:-15 | cube 2 0", money, 0, 8, "Congratulations, you have won 8 Euros.", ""},
  EndRow{"14:3 | cube 2 0", money, 1, 4, "You lost 4 Euros.  Better luck next time.", ""},
  EndRow{"14:3 | cube 2 0", moneyBetweenPeople, 1, 4, "Bob won 4 Euros. Alice lost 4 Euros.", "Bob, congratulations!"},
  EndRow{"12:-15 | cube 2 0", moneyBetweenPeople, 0, 8, "Alice won 8 Euros. Bob lost 8 Euros.", "Alice, congratulations!"},
  // A balance stops at its limit, so the two sides' difference stays an Int32.
  EndRow{"12:-15 | cube 2 0", [] { money(), flow.scores[0] = kHighestScore - 1; }, 0, kHighestScore,
         "Congratulations, you have won 8 Euros.", ""},
  // A profile's counts stop at their limit: a gammon that wins the match leaves them there.
  EndRow{"12:-15", [] { match(4), atCountLimits(); }, 0, 6, "Alice won a double game worth 2 points!! and won the tournament!",
         "", [] { EXPECT_EQ(countsOfAlice(), std::vector<int>(4, kMostCount)); }},
  // Each count of a game's end at its limit: a double offered and taken, a double dropped,
  // the session closed after the game.
  EndRow{"12:-15", [] { everyCountAtLimit(), doubleTaken(); }, 0, 4, "Alice won a double game worth 4 points!!", "",
         countsStayAtLimit},
  EndRow{"20:15 12:-15 | cube 2 2", [] { everyCountAtLimit(), cube.playerDeclined[0] = -1; }, 1, 2, "Computer won 2 points!",
         "", countsStayAtLimit},
  EndRow{"12:-14", everyCountAtLimit, 0, 1, "Alice won 1 point", "", [] { closeSessionTotals(), countsStayAtLimit(); }},
  EndRow{"12:-14", [] { rollout.noPause = -1; }, 0, 1, "", ""},
  EndRow{"", nullptr, 0, 0, "", "", [] { EXPECT_EQ(record.gameRecordCount, 5); }},  // New Game emptied the board
  EndRow{"12:-14", nullptr, 0, 1, "Alice won 1 point", "", [] {  // announced twice: scored and recorded once
           announceGameResult();
           EXPECT_EQ((std::vector<int>{flow.scores[0], record.gameRecordCount}), (std::vector<int>{1, 6}));
         }}));

// A turn ending with dice left: the unplayed dice are recorded and the computer says so.
using TurnEndTest = FlowTest;

TEST_F(TurnEndTest, RecordsTheUnplayedDiceOfEitherSide) {
  // The dice unplayed, the side, what the computer says; the notice stays until the next board wait.
  for (const auto& [roll, left, played, entries, message] :
       {std::tuple{"dice 6 5 | side 1", std::vector<int16_t>{0, 5}, 1, 1, "The computer can't use its five"},
        {"dice 3 3 | side 1", {3, 3, 0, 0}, 2, 2, "The computer can't use its last 2 threes"},
        {"dice 3 3 | side 1", {3, 0, 0, 0}, 3, 1, "The computer can't use its last three"},
        {"dice 6 5 | side 0", {0, 5}, 1, 1, ""}}) {  // the human's turn ended by the best-move command
    SCOPED_TRACE(roll);
    SetUp();
    testing::setPosition(std::string("20:15 12:-15 | ") + roll);
    for (size_t n = 0; n < left.size(); ++n) diceState.dice[n].value = left[n];
    flow.movesAllowed = static_cast<int16_t>(left.size());
    playSearch.playLength = flow.moveNumber = static_cast<int16_t>(played);
    const bool human = position.currentPlayer == 0;
    flow.bestMoveForHuman = human ? -1 : 0;
    hook::recordTurnEnd();
    EXPECT_EQ((std::vector<int>{record.gameRecordCount, record.gameRecord[1].distance, flow.abortTurn}),
              (std::vector<int>{entries, left[0] != 0 ? left[0] : left[1], human ? 0 : kLeaveTurn}));
    EXPECT_EQ(flowLog.messages, (*message == '\0' ? std::vector<std::string>{} : std::vector<std::string>{message}));
    EXPECT_TRUE(*message == '\0' || boardInput.holdMessageLine == -1) << "held until the next board wait";
  }
}

}  // namespace
}  // namespace bg
