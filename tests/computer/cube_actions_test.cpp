// Cube actions: the refusals of a double and what each shows, the double with its record
// entry and counters, the taker's answer from the computer or from the question panel,
// acceptance under "accept doubles", the beaver window and the cube maximum, the dropped
// double and the advice command.
#include "computer/cube_actions.h"

#include "computer/analyse_position.h"
#include "computer/cube_decisions.h"
#include "cube_fixture.h"
#include "state/rollout_state.h"
#include "state/speech_state.h"
#include "state/play_search_state.h"
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
  static void answerNo() { interactionServices.waitForBoardClick = [] { ++cubeLog.waits; interaction.panelAnswer = 0; }; }

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

TEST_F(CubeActionTest, CrawfordSideMayDoubleWhenTheRuleIsOff) {
  flow.crawfordRestrictions[0] = -1;
  cube.crawfordRule = 0;
  canDouble();
  EXPECT_EQ(cube.doubleAllowed, -1);
  EXPECT_TRUE(cubeLog.shown.empty());
}

TEST_F(CubeActionTest, TakenFirstDoubleIsRecordedAndCounted) {
  const PlayerRecords savedPlayers = players;
  const int16_t doublesBefore = playerCounter(kDoublesOfferedWord, 0);
  const int16_t takesBefore = playerCounter(kDoublesTakenWord, 1);
  // The human doubles; the computer takes the even starting position.
  offerDouble();
  // The profile: player 0's doubles, and player 0's doubles taken (by player 1).
  EXPECT_EQ(playerCounter(kDoublesOfferedWord, 0), doublesBefore + 1);
  EXPECT_EQ(playerCounter(kDoublesTakenWord, 1), takesBefore + 1);
  players = savedPlayers;
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(cube.cubeOwnerBeforeDouble, kCubeCentred);
  EXPECT_EQ(cube.cubeJustDoubled, -1);
  EXPECT_EQ(last().flags, kFlagDoubleRecorded | kFlagCubeWasCentred);
  EXPECT_EQ(last().cubeOwner, 1);
  EXPECT_EQ(last().cubeValue, 2);
  EXPECT_EQ(record.gameRecordCount, 3) << "a double adds no entry";
  EXPECT_EQ(flow.doublesBySide[0], 1);
  EXPECT_EQ(flow.takesBySide[1], 1);
  EXPECT_EQ(flow.highestCube, 2);
  EXPECT_EQ(cube.playerDeclined[1], 0);
  EXPECT_EQ(cube.doublePending, 0) << "answered";
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMThe computer  accepts"}));
  EXPECT_EQ(interaction.messageLines[1], "Doubling cube");
  EXPECT_TRUE(cubeLog.pauses.empty()) << "no pause after a take";
}

// The taker is far behind in a race it cannot win: 188 pips against 52.
ViewBoard lostRaceForTaker() { return viewWith({{13, -8}, {12, -7}, {22, 8}, {21, 7}}); }

// The side on roll far ahead in a race; the opponent has borne off a man, so there is no
// gammon to play on for.
ViewBoard wonRace() { return viewWith({{1, -5}, {2, -5}, {3, -5}, {13, 5}, {14, 5}, {15, 4}}); }

TEST_F(CubeActionTest, DroppedFirstDoubleEndsTheGameWithTheCubeCentred) {
  layOutForTaker(lostRaceForTaker(), 0);
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 1);
  EXPECT_EQ(cube.cubeOwner, kCubeCentred);
  EXPECT_EQ(cube.playerDeclined[1], -1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  EXPECT_EQ(flow.newGameRequested, -1);
  EXPECT_EQ(flow.takesBySide[1], 0);
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMThe computer  declines"}));
  EXPECT_EQ(cubeLog.pauses, (std::vector<double>{2.0}));

  // A redouble dropped: the doubler keeps the cube at its value before.
  cube = CubeState{};
  flow = FlowState{};
  cube.cubeValue = 4;
  cube.cubeOwner = 0;
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 4);
  EXPECT_EQ(cube.cubeOwner, 0);
}

TEST_F(CubeActionTest, AcceptDoublesTurnsTheComputersDropIntoATake) {
  layOutForTaker(lostRaceForTaker(), 0);
  cube.acceptDoubles = -1;
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(cube.playerDeclined[1], 0);
  EXPECT_EQ(flow.newGameRequested, 0);
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"#76"}));
  EXPECT_EQ(record.gameRecord[0].cubeOwner, 1) << "header: the computer took unwillingly";

  // With fewer than two entries the header counter stays.
  cube = CubeState{};
  cube.acceptDoubles = -1;
  record.gameRecordCount = 1;
  offerDouble();
  EXPECT_EQ(record.gameRecord[0].cubeOwner, 1);
}

TEST_F(CubeActionTest, HumanTakerAnswersOnTheQuestionPanel) {
  // The computer (player 1) doubles a human: with nothing else in reach it asks.
  sides(1);
  answerYes();
  executeDouble();
  EXPECT_EQ(cubeLog.questions, 1);
  EXPECT_EQ(cubeLog.waits, 1);
  EXPECT_EQ(interaction.messageLines[1], "Accept the double?");
  EXPECT_EQ(interaction.messageLineCount, 3);
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMAnn, do you accept the double?"}));
  EXPECT_EQ(cube.cubeValue, 2);
  EXPECT_EQ(cube.cubeOwner, 0);
  EXPECT_EQ(interaction.messageBoxLeft, 107);
  EXPECT_EQ(interaction.messageBoxTop, 68);
  EXPECT_EQ(cube.doublePending, 0);

  cube = CubeState{};
  cubeLog = CubeLog{};
  shell.playerNames[0] = "";
  answerNo();
  executeDouble();
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"MMdo you accept the double?"}));
  EXPECT_EQ(cube.playerDeclined[0], -1);
  EXPECT_EQ(cube.cubeValue, 1);
}

TEST_F(CubeActionTest, ComputerAnswersForAHumanWhilePausesAreOff) {
  sides(1);
  rollout.noPause = -1;
  layOutForTaker(lostRaceForTaker(), 1);
  executeDouble();
  EXPECT_EQ(cubeLog.waits, 0);
  EXPECT_EQ(cube.playerDeclined[0], -1) << "the computer dropped for the human";
}

TEST_F(CubeActionTest, ComputersPlayingEachOtherAnnounceByName) {
  flow.opponentMode = 2;
  position.playerType[0] = kComputerPlayer;
  shell.playerNames[1] = "Blue";
  executeDouble();
  EXPECT_EQ(cubeLog.waits, 0) << "the computer answers on the panel itself";
  EXPECT_EQ(cubeLog.questions, 1);
  EXPECT_EQ(cubeLog.shown.back(), "MMBlue accepts  the double");
  EXPECT_EQ(speech.waitForSpeechEnd, -1);

  // A drop in that mode pauses before the game ends.
  cube = CubeState{};
  cubeLog = CubeLog{};
  layOutForTaker(lostRaceForTaker(), 0);
  executeDouble();
  EXPECT_EQ(cubeLog.shown.back(), "MMBlue declines  the double");
  EXPECT_EQ(cubeLog.pauses.back(), 2.0);
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
    EXPECT_EQ(last().cubeValue, cube.cubeValue);
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

TEST_F(CubeActionTest, ComputerDoublesOnlyWhenItsDecisionSaysSo) {
  // The turn has analysed the position for the computer before it offers.
  sides(1);
  layOutForTaker(startingView(), 1);
  analysePosition();
  offerDouble();
  EXPECT_EQ(cube.cubeValue, 1) << "no double at the start";
  EXPECT_EQ(cubeLog.waits, 0);

  // Far ahead in a race: it doubles and asks the human.
  cube = CubeState{};
  placeForPlayer(wonRace(), 1);
  analysePosition();
  answerNo();
  offerDouble();
  EXPECT_EQ(cubeLog.waits, 1);
  EXPECT_EQ(cube.playerDeclined[0], -1);
}

TEST_F(CubeActionTest, AdviceRefusals) {
  struct Case {
    const char* what;
    void (*set)();
    std::string shown;
  };
  const Case cases[] = {
      {"checker in hand", [] { hand.pieceInHand = -1; }, "#2"},
      {"dice showing", [] { diceState.diceShowing = -1; }, "#4"},
      {"cube off", [] { cube.cubeUsed = 0; }, "#4"},
      {"best move just played", [] { flow.bestMoveForHuman = -1; }, "#4"},
      {"opponent owns the cube", [] { cube.cubeOwner = 1; }, "#72"},
      {"Crawford, even with the rule off",
       [] {
         flow.crawfordRestrictions[0] = -1;
         cube.crawfordRule = 0;
       },
       "MMCan't Double - Crawford Restriction"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cube = CubeState{};
    flow = FlowState{};
    hand = HandState{};
    diceState = DiceState{};
    cubeLog = CubeLog{};
    c.set();
    cubeAdvice();
    EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{c.shown}));
    EXPECT_EQ(flow.cubeHintCount[0], 0);
  }
}

TEST_F(CubeActionTest, AdviceAnswersTheTakeOrTheDouble) {
  cubeAdvice();  // even game: no double yet
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"#11"}));
  EXPECT_EQ(flow.cubeHintCount[0], 1);
  EXPECT_EQ(doublingPosition.analysisAidActive, 0);

  // While a double of the computer waits for the human's answer.
  sides(1);
  cube.cubeValue = 2;
  cube.cubeOwner = 0;
  cube.doublePending = -1;
  cubeLog = CubeLog{};
  cubeAdvice();
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"#8"}));
  EXPECT_EQ(cube.doubleTaken, 0);
  EXPECT_EQ(flow.cubeHintCount[1], 1);

  // Far ahead in a race.
  cube = CubeState{};
  sides(0);
  placeForPlayer(wonRace(), 0);
  cubeLog = CubeLog{};
  cubeAdvice();
  EXPECT_EQ(cubeLog.shown, (std::vector<std::string>{"#10"}));
  EXPECT_EQ(cube.doublePending, 0);
}

TEST_F(CubeActionTest, AdviceAskedDuringASearchIsRefusedAsBusy) {
  // A search is under way: the advice arrives through the event pump inside it.
  ++playSearch.searchDepth;
  const AnalysisState before = analysis;
  cubeAdvice();
  --playSearch.searchDepth;
  EXPECT_EQ(interaction.messageNumber, 2);
  EXPECT_EQ(flow.cubeHintCount[0], 0);
  EXPECT_EQ(analysis.evalBoard, before.evalBoard);
}

}  // namespace
}  // namespace bg::testing
