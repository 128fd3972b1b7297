// The roll stage with injected dice: who rolls first, the fixed opening pairs, the
// opening re-roll, automatic doubles, the replay of a roll taken back, the roll click.
#include <deque>

#include "flow/flow_fixture.h"
#include "flow/roll_stage.h"
#include "flow/turn.h"
#include "state/cube_state.h"
#include "rules/game_record.h"
#include "rules/new_game.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "rules/take_back.h"

namespace bg {
namespace {

using testing::FlowTest;
using testing::flowLog;
using testing::scriptDice;

struct Click {
  int16_t zone;
  bool dice;
};
std::deque<Click> clicks;
int clicksTaken = 0;

// The board wait: the next scripted click, or the dice when the script is done.
void scriptedPointClick() {
  ++clicksTaken;
  Click c{kRightDiceZone, true};
  if (!clicks.empty()) {
    c = clicks.front();
    clicks.pop_front();
  }
  interaction.clickedPoint = c.zone;
  boardInput.hitDice = c.dice ? -1 : 0;
}

class RollStageTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    clicks.clear();
    clicksTaken = 0;
    turnServices.waitForPointClick = scriptedPointClick;
    flow.opponentMode = 1;
    setStartingPosition();
    position.openingPhase = -1;
  }

  // The roll now in the dice: dice 0 and 1.
  static std::pair<int, int> dice() { return {diceState.dice[0].value, diceState.dice[1].value}; }
  static const GameRecordEntry& entry(int16_t n) { return record.gameRecord[n]; }
  // As if the roll had been played: the next roll goes into the next entry.
  static void played() {
    record.gameRecordCount += 1;
    position.openingPhase = 0;
    diceState.diceShowing = 0;
  }
};

TEST_F(RollStageTest, HigherDieFirstGivesPlayerZeroEveryOpeningAndOrdersEveryRoll) {
  settings.whoRollsFirst = 3;
  scriptDice({2, 5});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(5, 2));
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(entry(1).side, 0);
  EXPECT_EQ(entry(1).die1, 5);
  EXPECT_EQ(entry(1).die2, 2);

  played();
  position.currentPlayer = 1;
  scriptDice({1, 4});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(4, 1));
  EXPECT_EQ(entry(2).side, 1);

  // Lower die first gives player 1 every opening.
  settings.whoRollsFirst = 5;
  setStartingPosition();
  position.openingPhase = -1;
  scriptDice({6, 3});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(3, 6));
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(position.otherPlayer, 0);
  EXPECT_EQ(position.turnPlayer, 1);
}

TEST_F(RollStageTest, FixedOpeningPairsAgainstTheComputer) {
  settings.whoRollsFirst = 4;
  const std::pair<int, int> pairs[] = {{3, 1}, {3, 1}, {6, 1}, {4, 2}, {6, 1}, {6, 5}};
  for (int r = 1; r <= 6; ++r) {
    SCOPED_TRACE("die " + std::to_string(r));
    setStartingPosition();
    position.openingPhase = -1;
    scriptDice({r});
    rollDiceStage();
    EXPECT_EQ(dice(), pairs[r - 1]);
    EXPECT_EQ(position.currentPlayer, 0);
    EXPECT_NE(entry(0).flags & 128, 0);
  }

  // Between two computers the dice are rolled as they fall.
  flow.opponentMode = 2;
  setStartingPosition();
  position.openingPhase = -1;
  scriptDice({2, 5});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(2, 5));
  EXPECT_EQ(entry(0).flags & 128, 0);
}

TEST_F(RollStageTest, ComputerWinningTheOpeningKeepsItsGoodRolls) {
  settings.rerollFirstRoll = 255;
  const std::pair<int, int> kept[] = {{1, 3}, {2, 4}, {1, 6}};
  for (const auto& [low, high] : kept) {
    setStartingPosition();
    position.openingPhase = -1;
    const uint64_t sleptBefore = clock_.clock.slept();
    scriptDice({low, high});  // die 2 higher: the computer (player 1) wins
    rollDiceStage();
    EXPECT_EQ(dice(), std::make_pair(low, high));
    EXPECT_EQ(position.currentPlayer, 1);
    EXPECT_EQ(entry(1).flags & kFlagReRolledOpening, 0);
    // It thinks for two seconds, Fast Play or not.
    EXPECT_EQ(clock_.clock.slept() - sleptBefore, 2000000u);
  }
}

TEST_F(RollStageTest, ComputerRerollsAnOpeningSixFive) {
  settings.rerollFirstRoll = 255;
  shellFlags.fastPlay = kFastPlayOn;
  scriptDice({5, 6, 2, 4});
  rollDiceStage();
  EXPECT_TRUE(testing::sawMessage("Computer Decided to Re Roll The Dice"));
  EXPECT_EQ(boardInput.keepRollMessage, -1);
  EXPECT_NE(entry(0).flags & 64, 0);
  EXPECT_NE(entry(1).flags & kFlagReRolledOpening, 0);
  EXPECT_EQ(position.openingPhase, 0);
  // The starter rolls again, and keeps that roll.
  EXPECT_EQ(dice(), std::make_pair(2, 4));
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(entry(1).side, 1);
  EXPECT_EQ(entry(1).die1, 2);
}

TEST_F(RollStageTest, HumanWinningTheOpeningIsAskedToRollAgain) {
  static int asked = 0;
  asked = 0;
  turnServices.askRollOver = [] {
    ++asked;
    interaction.panelAnswer = 0;
  };
  settings.rerollFirstRoll = 255;
  scriptDice({6, 5});
  rollDiceStage();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(dice(), std::make_pair(6, 5));
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(entry(0).flags & 64, 0);
}

TEST_F(RollStageTest, OpeningDoublesTurnTheCubeUpToTheLimitThenAreRolledAgain) {
  flow.opponentMode = 2;
  position.playerType[0] = kComputerPlayer;
  cube.autoDoubleMax = 2;
  scriptDice({3, 3, 5, 5, 2, 2, 6, 1});
  rollDiceStage();
  EXPECT_EQ(cube.cubeValue, 4);
  ASSERT_EQ(record.gameRecordCount, 3);
  for (int16_t n = 1; n <= 3; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n));
    EXPECT_EQ(entry(n).side, kAutoDoubleEntrySide);
    EXPECT_EQ(entry(n).die1, entry(n).die2);
  }
  EXPECT_NE(entry(1).flags & kFlagAutoDoubled, 0);
  EXPECT_EQ(entry(1).cubeValue, 2);
  EXPECT_NE(entry(2).flags & kFlagAutoDoubled, 0);
  EXPECT_EQ(entry(2).cubeValue, 4);
  EXPECT_NE(entry(3).flags & kFlagAutoDoubleNotDoubled, 0);
  EXPECT_EQ(entry(3).flags & kFlagAutoDoubled, 0);
  const std::vector<std::string> expected = {"The Cube Was Doubled", "The Cube Was Doubled",
                                             "Doubles on the opening roll - Roll Again"};
  EXPECT_EQ(flowLog.messages, expected);
  EXPECT_EQ(flowLog.pauses, (std::vector<float>{2.0f, 2.0f, 2.0f}));
  EXPECT_EQ(dice(), std::make_pair(6, 1));
  EXPECT_EQ(entry(4).side, 0);
}

TEST_F(RollStageTest, WithoutTheCubeOpeningDoublesAreOnlyRolledAgain) {
  cube.autoDoubleMax = 2;
  cube.cubeUsed = 0;
  scriptDice({4, 4, 1, 2});
  rollDiceStage();
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_NE(entry(1).flags & kFlagAutoDoubleNotDoubled, 0);
  EXPECT_EQ(dice(), std::make_pair(1, 2));
  EXPECT_EQ(position.currentPlayer, 1);

  // No automatic doubles: opening doubles never reach the board.
  cube.autoDoubleMax = 0;
  cube.cubeUsed = -1;
  flowLog.clear();
  setStartingPosition();
  position.openingPhase = -1;
  scriptDice({4, 4, 6, 6, 5, 2});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(5, 2));
  EXPECT_EQ(record.gameRecordCount, 0);
  EXPECT_TRUE(flowLog.messages.empty());
}

TEST_F(RollStageTest, RollTakenBackIsReplayedAndCountedOnce) {
  played();
  record.gameRecordCount = 0;  // nothing played yet in this game
  position.currentPlayer = 1;
  scriptDice({4, 4});
  rollDiceStage();
  EXPECT_EQ(statistics.sessionPipsRolled[1], 16);
  EXPECT_EQ(statistics.sessionDoublesRolled[1], 1);
  EXPECT_EQ(flow.doublesRolled[1], 1);
  EXPECT_EQ(playerPipsRolled(1), 16);
  EXPECT_EQ(flow.movesAllowed, 4);

  // Taken back: the other side has the dice now, and the dice source would give others.
  position.currentPlayer = 0;
  diceState.diceShowing = 0;
  scriptDice({1, 2});
  rollDiceStage();
  EXPECT_EQ(dice(), std::make_pair(4, 4));
  EXPECT_EQ(diceState.dice[3].value, 4);
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(statistics.sessionPipsRolled[1], 16);
  EXPECT_EQ(statistics.sessionDoublesRolled[1], 1);
  EXPECT_EQ(playerCounter(kDoublesRolledWord, 1), 1);
  EXPECT_EQ(rollout.rollsMade[1], 2.0);
}

TEST_F(RollStageTest, OpeningRollIsCountedForItsStarter) {
  scriptDice({2, 6});
  rollDiceStage();
  EXPECT_EQ(statistics.sessionOpeningRolls[1], 1);
  EXPECT_EQ(playerCounter(kOpeningRollsWonWord, 1), 1);
  EXPECT_EQ(statistics.sessionOpeningRolls[0], 0);
  // An opening roll is no double, and its pips count for its starter.
  EXPECT_EQ(statistics.sessionPipsRolled[1], 8);
}

TEST_F(RollStageTest, ReplayedRerolledOpeningStartsAtTurnOneWithoutTheOpening) {
  GameRecordEntry& e = record.gameRecord[1];
  e.side = 1;
  e.die1 = 5;
  e.die2 = 3;
  e.flags = kFlagReRolledOpening;
  flow.turnNumber = 4;
  rollDiceStage();
  EXPECT_EQ(position.openingPhase, 0);
  EXPECT_EQ(flow.turnNumber, 1);
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(dice(), std::make_pair(5, 3));

  // A replayed opening that was not re-rolled puts the starter's die first.
  setStartingPosition();
  position.openingPhase = -1;
  e.side = 1;
  e.die1 = 5;
  e.die2 = 3;
  e.flags = 0;
  rollDiceStage();
  EXPECT_EQ(position.currentPlayer, 1);
  EXPECT_EQ(dice(), std::make_pair(3, 5));
}

TEST_F(RollStageTest, ReplayedEntryOfNoSideIsPlayedByPlayerZero) {
  played();
  record.gameRecordCount = 0;
  position.currentPlayer = 1;
  GameRecordEntry& e = record.gameRecord[1];
  e.side = kAutoDoubleEntrySide;
  e.die1 = 2;
  e.die2 = 1;
  rollDiceStage();
  EXPECT_EQ(position.currentPlayer, 0);
  EXPECT_EQ(entry(1).side, 0);
}

TEST_F(RollStageTest, EntryWithoutARollIsRolledAfresh) {
  // Written by no roll (a record never reset, a damaged file): replayed it would give 0-0.
  record.gameRecord[1] = GameRecordEntry{};
  scriptDice({2, 5});
  generateDiceRoll();
  EXPECT_EQ(dice(), std::make_pair(2, 5));
}

TEST_F(RollStageTest, ClickAwayFromTheDiceBeepsAndAsksForTheDice) {
  played();
  position.currentPlayer = 0;  // the human
  clicks = {{7, false}, {kNoZone, false}, {kRightDiceZone, true}};
  scriptDice({3, 1});
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 3);
  EXPECT_EQ(flowLog.alerts, 2);
  EXPECT_EQ(flowLog.messages, (std::vector<std::string>{"#17", "#17"}));
  EXPECT_EQ(turnState.lastRollClick, kRightDiceZone);
  EXPECT_EQ(interaction.clickedPoint, kNoZone);
  EXPECT_EQ(dice(), std::make_pair(3, 1));
}

TEST_F(RollStageTest, ClickOnTheCubeDuringTheRollWaitDoesNotBeep) {
  played();
  position.currentPlayer = 0;
  static int calls = 0;
  calls = 0;
  turnServices.waitForPointClick = [] {
    boardInput.hitCube = ++calls == 1 ? -1 : 0;
    boardInput.hitDice = calls == 1 ? 0 : -1;
  };
  scriptDice({3, 1});
  rollDiceStage();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(flowLog.alerts, 0);
}

TEST_F(RollStageTest, DroppedDoubleDuringTheRollWaitLeavesTheStage) {
  played();
  position.currentPlayer = 0;
  turnServices.waitForPointClick = [] {
    cube.playerDeclined[0] = -1;
    flow.abortTurn = kLeaveTurn;
  };
  rollDiceStage();
  EXPECT_EQ(record.gameRecord[2].side, kEmptyEntrySide);  // nothing written
  EXPECT_EQ(turnState.awaitingDiceClick, 0);
}

TEST_F(RollStageTest, AutomaticRollsNeedNoClickAfterTheFirst) {
  played();
  position.currentPlayer = 0;
  settings.automaticRolls = -1;
  flow.firstRollNeedsClick = -1;
  scriptDice({3, 1});
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 1);
  EXPECT_EQ(flow.firstRollNeedsClick, 0);

  played();
  flow.keyCommandBusy = -1;
  scriptDice({5, 4});
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 1);
  EXPECT_EQ(flow.keyCommandBusy, 0);  // the posted click is dropped

  played();
  settings.automaticRolls = 0;
  rollout.noPause = -1;
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 1) << "no pause: no roll click";
}

TEST_F(RollStageTest, FirstGameOfTheRunWishesGoodLuck) {
  flow.gamesThisRun = 1;
  scriptDice({3, 1});
  rollDiceStage();
  ASSERT_FALSE(flowLog.messages.empty());
  EXPECT_EQ(flowLog.messages.front(), "Good Luck");
  EXPECT_EQ(flowLog.pauses.front(), 2.0f);

  flowLog.clear();
  flow.gamesThisRun = 2;
  setStartingPosition();
  position.openingPhase = -1;
  rollDiceStage();
  EXPECT_FALSE(testing::sawMessage("Good Luck"));
}

TEST_F(RollStageTest, TwoHumansEachClickTheirOwnDie) {
  flow.opponentMode = 3;
  position.playerType[1] = kHumanPlayer;
  // The roll click on the left zone; then the other die's zone, after a stray click.
  clicks = {{kLeftDiceZone, true}, {kRightDiceZone, false}, {kLeftDiceZone, false}};
  scriptDice({2, 5});
  rollDiceStage();
  EXPECT_EQ(clicksTaken, 3);
  EXPECT_EQ(dice(), std::make_pair(2, 5));
  EXPECT_EQ(diceState.dice[0].hidden, 0);
  EXPECT_EQ(turnState.awaitingDiceClick, 0);
  EXPECT_EQ(interaction.clickedPoint, kNoZone);
  EXPECT_EQ(position.currentPlayer, 1);
}

TEST_F(RollStageTest, KeepOpeningRollKeepsOnlyThreeRolls) {
  int kept = 0;
  for (int16_t a = 1; a <= 6; ++a) {
    for (int16_t b = 1; b <= 6; ++b) {
      diceState.dice[0].value = a;
      diceState.dice[1].value = b;
      keepOpeningRoll();
      if (interaction.panelAnswer == 0) ++kept;
    }
  }
  EXPECT_EQ(kept, 6);  // 3-1, 4-2, 6-1 in either order
}

TEST_F(RollStageTest, FourDiceOnDoublesSettingRedrawsTheSameDice) {
  settings.display4OnDoubles = 0;
  copyPartMoveDice();
  EXPECT_EQ(settings.display4OnDoubles, -1);

  for (int16_t n = 0; n <= 3; ++n) {
    diceState.dice[n].value = 5;
    diceState.rolledDice[n] = 5;
  }
  diceState.dice[3].value = 0;  // one part-move made
  diceState.rolledDoubles = -1;
  diceState.diceShowing = -1;
  copyPartMoveDice();
  EXPECT_EQ(settings.display4OnDoubles, 0);
  EXPECT_EQ(diceState.dice[2].value, 5);
  EXPECT_EQ(diceState.dice[3].value, 0);
  EXPECT_EQ(diceState.rolledDice[3], 5);
  EXPECT_EQ(diceState.diceShowing, -1);
}

}  // namespace
}  // namespace bg

namespace bg {
namespace {

// The take-back of the rules and the roll stage together: a whole turn taken back is
// played again with the roll it had, and its roll is not counted twice.
class ReplayTest : public FlowTest {};

TEST_F(ReplayTest, TurnTakenBackIsPlayedAgainWithTheSameRoll) {
  flow.opponentMode = 2;
  position.playerType[0] = kComputerPlayer;
  position.playerType[1] = kComputerPlayer;
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
    if (record.gameRecordCount >= 2 && record.gameRecord[record.gameRecordCount].toPoint > 0) {
      position.openingPhase = 0;
    }
  }
  const GameRecordEntry roll = record.gameRecord[countBefore + 1];
  const auto pips = statistics.sessionPipsRolled;
  const auto doubles = statistics.sessionDoublesRolled;
  const int32_t profilePips = playerPipsRolled(roll.side);

  takeBack();
  ASSERT_EQ(record.gameRecordCount, countBefore);

  flow.abortTurn = 0;
  playTurn();
  const GameRecordEntry& again = record.gameRecord[countBefore + 1];
  EXPECT_EQ(again.side, roll.side);
  EXPECT_EQ(again.die1, roll.die1);
  EXPECT_EQ(again.die2, roll.die2);
  EXPECT_EQ(statistics.sessionPipsRolled, pips);
  EXPECT_EQ(statistics.sessionDoublesRolled, doubles);
  EXPECT_EQ(playerPipsRolled(roll.side), profilePips);
}

}  // namespace
}  // namespace bg
