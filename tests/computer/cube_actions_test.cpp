// Cube actions: the refusals of a double and what each shows, the double with its record
// entry and counters, the dropped double, the beaver window and the cube maximum.
#include "computer/cube_actions.h"

#include "rules/take_back.h"

#include "cube_fixture.h"
#include "state/player_records.h"
#include "runtime/core/clock.h"

namespace bg::testing {
namespace {

class CubeActionTest : public CubeTest {
 protected:
  void SetUp() override {
    CubeTest::SetUp();
    // An even game after a few moves: the last entry is player 0's.
    layOutForTaker(startingView(), 1);
    sides(0);
    record.gameRecordCount = 3;
    for (int16_t n = 1; n <= 3; ++n) {
      record.gameRecord[n].side = 0;
      record.gameRecord[n].moveNumber = n;
    }
    shell.playerNames[0] = "Ann";
    shell.playerNames[1] = "Computer";
  }

  static void answerYes() { interactionServices.waitForBoardClick = [] { ++cubeLog.waits; interaction.panelAnswer = -1; }; }

  static const GameRecordEntry& last() { return record.gameRecord[record.gameRecordCount]; }
};

struct Refusal {
  const char* what;
  int16_t side;
  void (*set)();
  std::vector<std::string> shown;
  std::vector<double> pauses;
};

void cubeAt(int16_t value, int16_t maximum) {
  cube.cubeValue = value;
  cube.cubeMaximum = maximum;
}

TEST_F(CubeActionTest, RefusedDoublesChangeNothingAndSayWhy) {
  const Refusal refusals[] = {
      {"opening phase", 0, [] { position.openingPhase = -1; }, {"#4"}, {}},
      {"cube not used", 0, [] { cube.cubeUsed = 0; }, {"#71"}, {}},
      {"opponent owns it, human", 0, [] { cube.cubeOwner = 1; }, {"#72"}, {1.0}},
      {"opponent owns it, computer", 1, [] { cube.cubeOwner = 0; }, {}, {}},
      {"dice showing", 0, [] { diceState.diceShowing = -1; }, {"#73"}, {1.0}},
      {"cube at 64 whatever the maximum", 0, [] { cubeAt(64, 8); }, {"#74"}, {1.0}},
      {"cube at its maximum", 0, [] { cubeAt(8, 8); }, {"#216"}, {1.0}},
      {"cube past a lowered maximum", 0, [] { cubeAt(16, 8); }, {"#216"}, {1.0}},
      {"computer at its maximum", 1, [] { cubeAt(8, 8); }, {}, {}},
      {"Crawford game with the rule on", 0, [] { flow.crawfordRestrictions[0] = -1; },
       {"MMCan't Double - Crawford Restriction"}, {}},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    cube = CubeState{};
    flow = FlowState{};
    diceState = DiceState{};
    position.openingPhase = 0;
    cubeLog = CubeLog{};
    sides(r.side);
    r.set();
    const CubeState cubeBefore = cube;
    const GameRecordEntry entryBefore = last();
    offerDouble();
    EXPECT_EQ(cube.doubleAllowed, 0);
    EXPECT_EQ(cubeLog.shown, r.shown);
    EXPECT_EQ(cubeLog.pauses, r.pauses);
    EXPECT_EQ(cubeLog.alerts, r.side == 0 ? 1 : 0) << "the alert sounds for a human";
    EXPECT_EQ(cube.cubeValue, cubeBefore.cubeValue);
    EXPECT_EQ(cube.cubeOwner, cubeBefore.cubeOwner);
    EXPECT_EQ(last(), entryBefore);
    EXPECT_EQ(flow.doublesBySide[r.side], 0);
  }
}

TEST_F(CubeActionTest, TakenFirstDoubleIsRecordedAndCounted) {
  const int16_t doublesBefore = playerCounter(kDoublesOfferedWord, 0);
  const int16_t takesBefore = playerCounter(kDoublesTakenWord, 1);
  // The human doubles; the computer takes the even starting position.
  offerDouble();
  // The profile: player 0's doubles, and player 0's doubles taken (by player 1).
  EXPECT_EQ(playerCounter(kDoublesOfferedWord, 0), doublesBefore + 1);
  EXPECT_EQ(playerCounter(kDoublesTakenWord, 1), takesBefore + 1);
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(last().flags, kFlagDoubleRecorded | kFlagCubeWasCentred);
  EXPECT_EQ(record.gameRecordCount, 3) << "a double adds no entry";
  EXPECT_EQ(flow.doublesBySide[0], 1);
  EXPECT_EQ(flow.takesBySide[1], 1);
  EXPECT_EQ(cube.doublePending, 0) << "answered";
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMThe computer accepts"}));
  EXPECT_TRUE(cubeLog.pauses.empty()) << "no pause after a take";
}

// The taker is far behind in a race it cannot win: 188 pips against 52.
ViewBoard lostRaceForTaker() { return viewWith({{13, -8}, {12, -7}, {22, 8}, {21, 7}}); }

TEST_F(CubeActionTest, DroppedFirstDoubleEndsTheGameWithTheCubeCentred) {
  layOutForTaker(lostRaceForTaker(), 0);
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  EXPECT_EQ(cube.playerDeclined[1], -1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.newGameRequested, -1);
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMThe computer declines"}));
  EXPECT_EQ(cubeLog.pauses, (std::vector<double>{2.0}));
}

TEST_F(CubeActionTest, HumanBeaverInsideTheThreeSecondWindow) {
  UseVirtualClock virtualClock(1000);
  static VirtualClock* clock = &virtualClock.clock;
  clock = &virtualClock.clock;
  static uint64_t firstPoll = 0;
  static uint64_t clickAfter = 0;
  sides(1);
  answerYes();
  // The click comes just before the window closes, then just as it closes.
  interactionServices.pollBoardClick = [] {
    if (firstPoll == 0) firstPoll = clock->now();
    if (clock->now() - firstPoll >= clickAfter) cube.beaverClick = -1;
  };
  for (const auto& [after, beavered] : {std::pair{uint64_t{2'980'000}, true}, std::pair{uint64_t{3'000'000}, false}}) {
    SCOPED_TRACE(after);
    cube = CubeState{};
    cube.beaverAllowed = -1;
    cubeLog = CubeLog{};
    record.gameRecord[record.gameRecordCount].flags = 0;
    firstPoll = 0;
    clickAfter = after;
    executeDouble();
    EXPECT_EQ(cube.cubeValue, beavered ? 4 : 2);
    EXPECT_EQ(cube.cubeOwner, 0) << "the taker keeps the cube";
    EXPECT_EQ(last().flags & kFlagBeavered, beavered ? kFlagBeavered : 0);
    EXPECT_EQ(cube.beaverClick, 0);
    EXPECT_EQ(cubeLog.shown.size(), 1u) << "a computer doubler that is player 1 hears nothing more";
  }
}

struct BeaverCase {
  int16_t cubeBefore;
  int16_t maximum;
  int16_t cubeAfter;
};

TEST_F(CubeActionTest, BeaverStopsAtSixtyFourAndAtTheMaximum) {
  UseVirtualClock virtualClock;
  const BeaverCase cases[] = {
      {16, 64, 64},  // taken at 32, beavered to 64
      {32, 64, 64},  // taken at 64: refused
      {8, 16, 16},   // taken at 16 with the maximum 16: refused
      {4, 16, 16},   // taken at 8, beavered to 16
  };
  interactionServices.pollBoardClick = [] { cube.beaverClick = -1; };
  answerYes();
  for (const BeaverCase& c : cases) {
    SCOPED_TRACE(c.cubeBefore);
    cube = CubeState{};
    cube.beaverAllowed = -1;
    cube.cubeValue = c.cubeBefore;
    cube.cubeOwner = 1;
    cube.cubeMaximum = c.maximum;
    sides(1);
    cubeLog = CubeLog{};
    executeDouble();
    EXPECT_EQ(cube.cubeValue, c.cubeAfter);
    EXPECT_EQ(cubeLog.shown.size(), 1u) << "a refused beaver is silent";
  }
}

// Two doubles on one entry (no play between them): taking back the later one gives back
// its own cube and owner, not the marks of the beaver before it.
TEST_F(CubeActionTest, ADoubleRecordedOverABeaveredOneIsTakenBackAlone) {
  UseVirtualClock virtualClock;
  position.playerType[1] = kHumanPlayer;
  answerYes();
  interactionServices.pollBoardClick = [] { cube.beaverClick = -1; };
  cube.beaverAllowed = -1;
  sides(1);
  executeDouble();  // player 1 doubles, player 0 takes and beavers: 4, player 0's
  ASSERT_EQ((std::pair{cube.cubeValue, cube.cubeOwner}), (std::pair<int16_t, int16_t>{4, 0}));
  cube.beaverAllowed = 0;
  sides(0);
  executeDouble();  // player 0 redoubles: 8, player 1's
  ASSERT_EQ((std::pair{cube.cubeValue, cube.cubeOwner}), (std::pair<int16_t, int16_t>{8, 1}));
  takeBackDouble();
  EXPECT_EQ((std::pair{cube.cubeValue, cube.cubeOwner}), (std::pair<int16_t, int16_t>{4, 0}));
}

// The beaver window lets commands in: a double taken back there is gone, and a click on the
// cube after it beavers nothing (it doubled the centred cube and marked a beaver on an entry
// that a later take-back halved to 0).
TEST_F(CubeActionTest, ADoubleTakenBackInTheBeaverWindowIsNotBeavered) {
  UseVirtualClock virtualClock;
  position.playerType[1] = kHumanPlayer;
  answerYes();
  interactionServices.pollBoardClick = [] {
    if (cube.cubeValue == 2) takeBackDouble();
    cube.beaverClick = -1;
  };
  cube.beaverAllowed = -1;
  sides(1);
  executeDouble();
  EXPECT_EQ((std::pair{cube.cubeValue, cube.cubeOwner}), (std::pair<int16_t, int16_t>{1, kCubeCentred}));
  EXPECT_EQ(last().flags & kFlagBeavered, 0);
}

TEST_F(CubeActionTest, ComputerBeaversAWinningRaceAndTellsTheDoubler) {
  // Ann (player 0) doubles in a race the computer leads by far; she has borne off a man,
  // so the computer does not hold back for a gammon.
  const ViewBoard computerAhead = viewWith({{1, -4}, {2, -4}, {3, -4}, {6, 5}, {12, 5}, {18, 4}});
  layOutForTaker(computerAhead, 0);
  cube.beaverAllowed = -1;
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 4);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(last().flags & (kFlagBeavered | kFlagDoubleRecorded), kFlagBeavered | kFlagDoubleRecorded);
  EXPECT_EQ(cubeLog.shown.back(), "MMAnn, you've been beavered");
  EXPECT_EQ(cube.beaverMode, 0);
  EXPECT_EQ(cube.doublePending, 0);
}

}  // namespace
}  // namespace bg::testing
